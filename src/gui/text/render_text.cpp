// Text measurement and drawing. Text is rasterised by the platform black on white and turned
// into coverage: k = 256 - grey, where grey = ((R + B) / 2 + G) / 2 with each halving floored.
// Each pixel then becomes blendUnder(pixel, scalePixel(colour, k)): white adds nothing, black
// adds the whole colour. The rasterised coverage and the measurements come from the text cache.
#include "gui/render.h"
#include "gui/text_state.h"
#include "layout/pixels.h"
#include "render/kernels.h"
#include "render/pixel.h"
#include "render/rows.h"
#include "text/text_cache.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace gui {

using kernels::px_t;
using orbo::tk::RGBA;

shape_t getTextShape(const ui_t& ui, const wchar_t* text, const wxFont& font) {
    const wxSize size = textcache::extent(ui->measureDC(), font, text ? text : L"");
    return shape_t(static_cast<float>(size.x), static_cast<float>(size.y));
}

float getFontHeight(const ui_t& ui, const wxFont& font) {
    return static_cast<float>(textcache::letterExtent(ui->measureDC(), font).y);
}

namespace {

// Composites coverage into the current box, clipped to the framebuffer. A box cut off at the
// framebuffer's left or top shows the coverage's top-left part, as images do.
// Coverage is in device pixels, as is the box here.
void composite(const ui_t& ui, const textcache::Coverage& cov, px_t colour) {
    const orbotk::Box& b = *ui->current();
    const int W = ui->frameW(), H = ui->frameH();
    const long s = ui->scale(), x = s * b.x, y = s * b.y;
    const long x1 = x + s * b.w - 1, y1 = y + s * b.h - 1;
    if (x >= W - s || x1 < 0 || y >= H - s || y1 < 0)
        return;
    const int xs = static_cast<int>(std::max(0L, x)),
              xe = static_cast<int>(std::min<long>(x1, W - 1));
    const int ys = static_cast<int>(std::max(0L, y)),
              ye = static_cast<int>(std::min<long>(y1, H - 1));
    const int n = std::min(xe - xs + 1, cov.w);
    if (n <= 0)
        return;
    static thread_local std::vector<px_t> row;
    row.resize(static_cast<size_t>(n));
    const kernels::Table& k = kernels::active();
    // Bottom row first: ascending memory, as the renderer's loops run.
    for (int y = std::min(ye, ys + cov.h - 1); y >= ys; --y) {
        const std::uint16_t* weights = cov.k.data() + static_cast<size_t>(y - ys) * cov.w;
        if (k.scaleRow(row.data(), weights, n, colour)) // white background adds nothing
            onRow(
                *ui, y, xs, n,
                [&](px_t* p, int i, int m) {
                    std::memcpy(p, row.data() + i, sizeof(px_t) * static_cast<size_t>(m));
                },
                [&](px_t* p, int i, int m) { k.blendRow(p, row.data() + i, m, 0xFFFFFFFFu); });
    }
}

} // namespace

void render(const ui_t& ui, const wxFont& font, std::wstring_view text, float offset) {
    if (!ui || !ui->isPaint() || text.empty())
        return;
    const wxSize extent = textcache::multiLineExtent(ui->drawDC(), font, text);
    const orbotk::Box& current = *ui->current();
    // A negative offset (text right-aligned in a wider field) moves the text's box right; the
    // coverage is never wider than the text.
    const int shift = std::max(0, pixels(-offset));
    const int w = std::min(extent.x, current.w - shift), h = std::min(extent.y, current.h);
    if (w <= 0 || h <= 0)
        return;
    // Rasterised at the frame's resolution, laid out in logical pixels: the text takes the
    // same room at every scale, and is sharp at each.
    const textcache::Coverage& cov =
        textcache::coverage(font, text, w, h, shift ? 0 : pixels(-offset), ui->scale());
    Box box(ui, static_cast<float>(w), static_cast<float>(h), orbotk::ControlID(), true);
    box.setTop(1.0f); // one pixel below the top of the current box, at its left edge
    // (a paragraph that reads right to left at its right edge)
    const bool right = textcache::rightAlignedParagraph(ui->drawDC(), font, text);
    box.setLeft(static_cast<float>(right ? current.w - w : shift));
    composite(ui, cov, ui->colour().word);
}

void render(const ui_t& ui, const TextState& state, const RGBA& selection, bool focused) {
    if (!ui || !ui->isPaint())
        return;
    std::wstring& s = ui->scratch.field;
    float caretX = 0, offset = 0;
    {
        Box inner(ui, -1.0f, -1.0f, orbotk::ControlID(), true);
        inner.setTop(1.0f);
        inner.setLeft(1.0f);
        offset = state.offset(ui->drawDC(), inner.width(), caretX);
        state.shownInto(s);
        std::replace(s.begin(), s.end(), L'\n', L' '); // a text field has one line
        render(ui, state.font(), s, offset);
    }
    if (!focused)
        return;
    const RGBA c0 = ui->colour();
    const float bw0 = static_cast<float>(ui->current()->w);
    {
        Box caret(ui, 2.0f, -2.0f, orbotk::ControlID(), true);
        caret.setTop(1.0f);
        caret.setLeft(caretX - offset);
        render(ui, c0, BORDER_ALL); // two pixels wide: a solid bar
    }
    if (state.hasSelection() && state.shaped()) {
        // Laid out by the platform: the selection covers one piece per run it reaches.
        std::vector<std::pair<float, float>>& pieces = ui->scratch.fieldPieces;
        state.pieces(state.selectBegin(), state.selectEnd(), pieces);
        for (const auto& [x0, x1] : pieces) {
            const float left = std::max(1.0f, std::trunc(x0 - offset + 1.0f));
            const float right = std::min(bw0 - 1.0f, std::trunc(x1 - offset + 1.0f));
            if (right <= left)
                continue;
            Box fill(ui, right - left, -2.0f, orbotk::ControlID(), true);
            fill.setTop(1.0f);
            fill.setLeft(left);
            render(ui, selection);
        }
    } else if (state.hasSelection()) {
        wxDC& dc = ui->drawDC();
        // The part of the selection in the shown window of a long text.
        const unsigned from = state.shownFrom();
        const size_t b = std::min<size_t>(state.selectBegin() - std::min(state.selectBegin(), from),
                                          s.size()),
                     e = std::min<size_t>(state.selectEnd() - std::min(state.selectEnd(), from),
                                          s.size());
        const float w1 = static_cast<float>(textcache::extent(dc, state.font(), s.substr(0, b)).x);
        const float w2 = static_cast<float>(textcache::extent(dc, state.font(),
                                                              state.len() > TextState::LONG_LINE
                                                                  ? s.substr(b, e - b)
                                                                  : state.selection())
                                                .x);
        const float left = std::max(1.0f, std::trunc(w1 - offset + 1.0f));
        // Past the right edge the limit goes negative; the fill then has no width at all
        // (a negative width would be read as relative to the field).
        const float limit = std::max(0.0f, std::trunc(bw0 - left - 1.0f));
        const float width = std::min(std::max(0.0f, w2), limit);
        Box fill(ui, width, -2.0f, orbotk::ControlID(), true);
        fill.setTop(1.0f);
        fill.setLeft(left);
        render(ui, selection);
    }
    ui->setColour(c0);
}

} // namespace gui
