// The renderer. Every entry point checks for a paint event, clips once, then hands whole rows
// to the kernels (kernels.h), which hold the only per-pixel loops.
//
// Coordinates: window pixels, y downward. The framebuffer stores rows bottom-up, so window row
// y lives at framebuffer row H - 1 - y.
#include "gui/render.h"

#include "gui/image.h"
#include "render/kernels.h"
#include "render/pixel.h"
#include "render/rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace gui {

using kernels::px_t;
using orbo::tk::RGBA;

namespace {

bool painting(const ui_t& ui) {
    return ui && ui->isPaint();
}

// Loops over rows run bottom to top: the framebuffer's rows are stored bottom-up, so that is
// ascending memory, which the processor prefetches well. Top to bottom (descending memory) made
// full-window fills a quarter to a third slower at 1920 x 1080.

// Device scale. Boxes and spans come in logical pixels; the frame holds s x s device pixels for
// each, and every rule below (a span stops short of the right-most column, a fill of the bottom
// row, a border is one pixel wide) is kept in logical pixels: at scale s the right-most column
// is s device columns wide, a border s device pixels. Everything is worked out on device
// pixels, so gradients step once per device row and images sample at device resolution.
struct Rect {
    std::int64_t x, y, w, h;
};

// The current box, each value floored after a trip through single precision (integers stay as
// they are, up to 2^24, which is all a window holds), in device pixels.
Rect currentBox(const ui_t& ui) {
    const orbotk::Box& b = *ui->current();
    const std::int64_t s = ui->scale();
    auto f = [s](int v) {
        return s * static_cast<std::int64_t>(std::floor(static_cast<float>(v)));
    };
    return Rect{f(b.x), f(b.y), f(b.w), f(b.h)};
}

int clampTo(std::int64_t v, int lo, int hi) {
    return static_cast<int>(std::min<std::int64_t>(hi, std::max<std::int64_t>(lo, v)));
}

// The last device column a span may reach, exclusive: the right-most logical column is never
// drawn by one.
int spanLimit(const ui_t& ui) {
    return ui->frameW() - ui->scale();
}

enum class Op { Blend, Write, Modulate };

// The same span on device rows y0 .. y1 - 1, columns clamp(x) to clamp(x + w), clamped to
// spanLimit; clipped and with its kernels looked up once: a fill is hundreds of rows, each a
// few hundred pixels.
void spans(const ui_t& ui, std::int64_t x, std::int64_t w, std::int64_t y0, std::int64_t y1, px_t c,
           Op op) {
    y0 = std::max<std::int64_t>(y0, 0);
    y1 = std::min<std::int64_t>(y1, ui->frameH());
    const int limit = spanLimit(ui);
    const int start = clampTo(x, 0, limit), end = clampTo(x + w, 0, limit);
    if (y0 >= y1 || end <= start)
        return;
    const kernels::Table& k = kernels::active();
    orbotk::UIContext& u = *ui;
    const int n = end - start;
    // Onto transparent black, a blend leaves the colour and a modulation leaves nothing.
    auto fill = [&](px_t* p, int, int m) { k.fillSpan(p, m, c); };
    auto blend = [&](px_t* p, int, int m) { k.blendSpan(p, m, c); };
    auto clear = [&](px_t* p, int, int m) { k.fillSpan(p, m, 0u); };
    auto modulate = [&](px_t* p, int m) { k.modulateSpan(p, m, c); };
    for (std::int64_t y = y1 - 1; y >= y0; --y) {
        const int row = static_cast<int>(y);
        switch (op) {
        case Op::Blend:
            onRow(u, row, start, n, fill, blend);
            break;
        case Op::Write:
            onRow(u, row, start, n, fill, fill);
            break;
        case Op::Modulate:
            // Tagged with the colour: what the window's backdrop becomes is kept per row.
            mapOnRow(u, row, start, n, (std::uint64_t{1} << 32) | c, clear, modulate);
            break;
        }
    }
}

// A logical span: row y, columns x .. x + w - 1.
void span(const ui_t& ui, int x, int y, int w, px_t c, Op op) {
    const std::int64_t s = ui->scale();
    spans(ui, s * x, s * w, s * y, s * (static_cast<std::int64_t>(y) + 1), c, op);
}

// The dash pattern from the first drawn pixel: dash - 1 on, dash + 1 off, in logical pixels of
// s device pixels each. This is the counter rule (k from dash - 1 down, reset at -dash)
// unrolled into runs.
template <typename Run> void dashRuns(std::int64_t n, int dash, int s, Run run) {
    if (dash <= 1)
        return;
    const std::int64_t period = 2 * static_cast<std::int64_t>(dash) * s, on = (dash - 1) * s;
    for (std::int64_t o = 0; o < n; o += period)
        run(o, std::min<std::int64_t>(on, n - o));
}

// A logical dashed span, its dashes phased from the first visible pixel.
void dashedSpan(const ui_t& ui, int x, int y, int w, px_t c, int dash) {
    const int s = ui->scale();
    const std::int64_t y0 = static_cast<std::int64_t>(s) * y;
    if (y0 < 0 || y0 >= ui->frameH())
        return;
    const int limit = spanLimit(ui);
    const int start = clampTo(static_cast<std::int64_t>(s) * x, 0, limit),
              end = clampTo(static_cast<std::int64_t>(s) * x + static_cast<std::int64_t>(s) * w, 0,
                            limit);
    if (end <= start)
        return;
    const kernels::Table& k = kernels::active();
    for (int row = static_cast<int>(std::min<std::int64_t>(y0 + s, ui->frameH())) - 1; row >= y0;
         --row)
        onRow(*ui, row, start, end - start, [&](px_t* p, int i, int m) {
            // The dashes of the whole span, cut to this piece of it.
            dashRuns(end - start, dash, s, [&](std::int64_t o, std::int64_t n) {
                const std::int64_t a = std::max<std::int64_t>(o, i),
                                   b = std::min<std::int64_t>(o + n,
                                                              static_cast<std::int64_t>(i) + m);
                if (a < b)
                    k.blendSpan(p + (a - i), static_cast<int>(b - a), c);
            });
        });
}

// One column of a border: logical column x, device rows ys .. ye inclusive, each pixel blended;
// dashed when dash > 0.
void borderColumn(const ui_t& ui, int x, int ys, int ye, px_t c, int dash) {
    const int s = ui->scale();
    auto blendAt = [&](int y) {
        onRow(
            *ui, y, x * s, s,
            [&](px_t* p, int, int m) {
                for (int j = 0; j < m; ++j)
                    p[j] = c;
            },
            [&](px_t* p, int, int m) {
                for (int j = 0; j < m; ++j)
                    p[j] = px::blendUnder(p[j], c);
            });
    };
    if (dash == 0) {
        for (int y = ys; y <= ye; ++y)
            blendAt(y);
        return;
    }
    dashRuns(static_cast<std::int64_t>(ye) - ys + 1, dash, s, [&](std::int64_t o, std::int64_t n) {
        for (std::int64_t j = 0; j < n; ++j)
            blendAt(static_cast<int>(ys + o + j));
    });
}

// dash == 0: solid.
void border(const ui_t& ui, const RGBA& colour, border_t edges, int dash) {
    if (!painting(ui))
        return;
    ui->setColour(colour);
    const orbotk::Box& b = *ui->current();
    auto f = [](int v) { return static_cast<int>(std::floor(static_cast<float>(v))); };
    const int x = f(b.x), y = f(b.y), w = f(b.w), h = f(b.h);
    const int W = ui->W(), H = ui->H(), s = ui->scale();
    const int x1 = x + w - 1, y1 = y + h - 1;
    const px_t c = colour.word;
    auto row = [&](int r) {
        if (dash == 0)
            span(ui, x, r, w, c, Op::Blend);
        else
            dashedSpan(ui, x, r, w, c, dash);
    };
    if ((edges & BORDER_TOP) && y >= 0 && y < H)
        row(y);
    if ((edges & BORDER_BOTTOM) && y1 >= 0 && y1 < H)
        row(y1);
    if (H <= 0)
        return;
    // The vertical edges run over the box's rows clamped into the framebuffer, and so can reach
    // the bottom row and the right-most column, which spans never do.
    const int ys = clampTo(y, 0, H - 1) * s, ye = clampTo(y1, 0, H - 1) * s + s - 1;
    if ((edges & BORDER_RIGHT) && x1 >= 0 && x1 < W)
        borderColumn(ui, x1, ys, ye, c, dash);
    if ((edges & BORDER_LEFT) && x >= 0 && x < W)
        borderColumn(ui, x, ys, ye, c, dash);
}

std::vector<int>& scratchColumns(size_t n) {
    static thread_local std::vector<int> columns;
    if (columns.size() < n)
        columns.resize(n);
    return columns;
}

std::vector<int>& scratchSources(size_t n) {
    static thread_local std::vector<int> sources;
    if (sources.size() < n)
        sources.resize(n);
    return sources;
}

std::vector<px_t>& scratchRow(size_t n) {
    static thread_local std::vector<px_t> row;
    if (row.size() < n)
        row.resize(n);
    return row;
}

} // namespace

// ---- Spans

void render(const ui_t& ui, int x, int y, int w, const RGBA& colour) {
    if (painting(ui))
        span(ui, x, y, w, colour.word, Op::Blend);
}

void renderModulate(const ui_t& ui, int x, int y, int w, const RGBA& colour) {
    if (painting(ui))
        span(ui, x, y, w, colour.word, Op::Modulate);
}

void renderDashed(const ui_t& ui, int x, int y, int w, const RGBA& colour, int dash) {
    if (painting(ui))
        dashedSpan(ui, x, y, w, colour.word, dash);
}

// ---- Box fills

void render(const ui_t& ui) {
    if (!painting(ui))
        return;
    const Rect r = currentBox(ui);
    // Intended: the fill stops one row short of the framebuffer's bottom edge.
    const std::int64_t last = ui->frameH() - ui->scale();
    spans(ui, r.x, r.w, r.y, std::min(r.y + r.h, last), ui->colour().word, Op::Blend);
}

void render(const ui_t& ui, const RGBA& colour) {
    if (!painting(ui))
        return;
    ui->setColour(colour);
    render(ui);
}

void renderNoBlend(const ui_t& ui, const RGBA& colour) {
    if (!painting(ui))
        return;
    const Rect r = currentBox(ui);
    spans(ui, r.x, r.w, r.y, r.y + r.h, colour.word, Op::Write);
}

void renderModulate(const ui_t& ui, const RGBA& colour) {
    if (!painting(ui))
        return;
    const Rect r = currentBox(ui);
    spans(ui, r.x, r.w, r.y, r.y + r.h, colour.word, Op::Modulate);
}

// ---- Gradients

namespace {
// One span per row from x, coloured lerp(top, bottom, i * step); rows of opaque white are
// skipped (blending or modulating by it changes nothing).
// Device rows, so a gradient at scale 2 has twice the steps.
void gradientRows(const ui_t& ui, const Rect& r, std::int64_t x, float step, const RGBA& top,
                  const RGBA& bottom, Op op) {
    // Rows above the framebuffer are skipped without a step each: a box can start far above.
    const std::int64_t last = std::min<std::int64_t>(r.h, ui->frameH() - r.y) - 1;
    for (std::int64_t i = last; i >= std::max<std::int64_t>(0, -r.y); --i) {
        const std::int64_t y = r.y + i;
        const px_t c = px::lerpPixel(top.word, bottom.word, static_cast<float>(i) * step);
        if (c != 0xFFFFFFFFu)
            spans(ui, x, r.w, y, y + 1, c, op);
    }
}
} // namespace

void render(const ui_t& ui, const RGBA& top, const RGBA& bottom) {
    if (!painting(ui))
        return;
    const Rect r = currentBox(ui);
    // The rows keep the box's length from the clamped left edge, so a box starting left of the
    // framebuffer reaches further right than it is wide. Intended. The last row gets exactly
    // the bottom colour.
    const float step = r.h > 1 ? 1.0f / static_cast<float>(r.h - 1) : 0.0f;
    gradientRows(ui, r, std::max<std::int64_t>(0, r.x), step, top, bottom, Op::Blend);
}

void renderModulate(const ui_t& ui, const RGBA& top, const RGBA& bottom) {
    if (!painting(ui))
        return;
    const Rect r = currentBox(ui);
    // The step is 1 / h: the last row gets the colour at (h - 1) / h, not the bottom colour.
    gradientRows(ui, r, r.x, 1.0f / static_cast<float>(r.h), top, bottom, Op::Modulate);
}

// ---- Borders

void render(const ui_t& ui, const RGBA& colour, border_t edges) {
    border(ui, colour, edges, 0);
}

void renderDashed(const ui_t& ui, const RGBA& colour, border_t edges, int dash) {
    // A dash of 1 or less draws nothing; as a solid border it would draw everything.
    border(ui, colour, edges, dash <= 1 ? -1 : dash);
}

void pinstripes(const ui_t&, unsigned char) {}

// ---- Images

namespace {
struct ImageClip {
    int xs, xe, ys, ye; // visible columns and rows, inclusive
    int n() const { return xe - xs + 1; }
};

// The set-up shared by both image operations. Clipping at the left or top does not advance
// the source: the first visible column and row always show the view's left and top edge.
bool clipImage(const ui_t& ui, const Rect& r, ImageClip& out) {
    if (r.w <= 0 || r.h <= 0)
        return false;
    const int W = ui->frameW(), H = ui->frameH(), s = ui->scale();
    const std::int64_t x1 = r.x + r.w - 1;
    const std::int64_t y1 = r.y + r.h - 1;
    // A box whose left column is the last one draws nothing: intended, it matches the spans.
    if (r.x >= W - s || x1 < 0 || r.y >= H - s || y1 < 0)
        return false;
    out.xs = static_cast<int>(std::max<std::int64_t>(0, r.x));
    out.xe = static_cast<int>(std::min<std::int64_t>(x1, W - 1));
    out.ys = static_cast<int>(std::max<std::int64_t>(0, r.y));
    out.ye = static_cast<int>(std::min<std::int64_t>(y1, H - 1));
    return true;
}

// An image whose buffer holds no pixels (made from a 0 x 0 wxImage) has no view to sample, and
// a view cut past its buffer's edges would sample memory that is not the image's: neither draws.
// Edges are compared in pixels with half a pixel of slack, since the view keeps them as inexact
// fractions; the first pixel sampled must lie inside the buffer. A reversed view (right of
// left) samples leftward from its left edge and is drawn when both edges are inside.
bool drawable(const Image& image) {
    if (image.get() == nullptr || image.stride() <= 0 || image.bufferHeight() <= 0)
        return false;
    const float W = static_cast<float>(image.stride()),
                H = static_cast<float>(image.bufferHeight());
    const float x0 = image.l() * W, x1 = image.r() * W, y0 = image.t() * H, y1 = image.b() * H;
    if (!(std::isfinite(x0) && std::isfinite(x1) && std::isfinite(y0) && std::isfinite(y1)))
        return false;
    const auto inside = [](float a, float b, float size) {
        return std::min(a, b) > -0.5f && std::max(a, b) < size + 0.5f && a < size - 0.5f;
    };
    return inside(x0, x1, W) && inside(y0, y1, H);
}

// Paint events only, a drawable image, and a box that shows on the framebuffer. src becomes the
// image's sharpest variant for the frame's scale; returns that variant's scale (0: nothing to
// draw).
int imageSetup(const ui_t& ui, const Image& image, Image& src, Rect& r, ImageClip& clip) {
    if (!painting(ui) || !drawable(image))
        return 0;
    const int scale = image.forScale(ui->scale(), src);
    if (!drawable(src))
        return 0;
    r = currentBox(ui);
    return clipImage(ui, r, clip) ? scale : 0;
}

const px_t* viewStart(const Image& image) {
    return reinterpret_cast<const px_t*>(&image.get(image.l(), image.t()));
}
} // namespace

void render(const ui_t& ui, const Image& shown) {
    Rect r;
    ImageClip clip;
    static thread_local Image image; // the variant drawn; kept, so that drawing allocates nothing
    if (imageSetup(ui, shown, image, r, clip) == 0)
        return;
    const px_t c = ui->colour().word;
    const bool blend = ui->imageBlend;
    const kernels::Table& k = kernels::active();
    const float sx = (image.r() - image.l()) / static_cast<float>(r.w);
    const float sy = (image.b() - image.t()) / static_cast<float>(r.h);
    const int n = clip.n();

    // 1. Exact size: rows copied 1:1.
    if (static_cast<float>(r.w) == image.w() && static_cast<float>(r.h) == image.h()) {
        const px_t* top = viewStart(image);
        for (int y = clip.ye; y >= clip.ys; --y) {
            const px_t* src = top + static_cast<size_t>(y - clip.ys) * image.stride();
            auto write = [&](px_t* p, int i, int m) {
                if (c == 0xFFFFFFFFu)
                    std::memcpy(p, src + i, sizeof(px_t) * static_cast<size_t>(m));
                else
                    k.writeRow(p, src + i, m, c);
            };
            if (blend)
                onRow(*ui, y, clip.xs, n, write,
                      [&](px_t* p, int i, int m) { k.blendRow(p, src + i, m, c); });
            else
                onRow(*ui, y, clip.xs, n, write, write);
        }
        return;
    }

    // 2. A single pixel stretched over the box: a box fill. The current colour is left as it
    // was, though the fill goes through it.
    if (sx == 0.0f && sy == 0.0f) {
        if (c == 0)
            return;
        const px_t p = px::modulatePixel(image.get(image.l(), image.t()).word, c);
        if (blend) {
            if (p != 0)
                render(ui, RGBA(p));
        } else {
            renderNoBlend(ui, RGBA(p));
        }
        ui->setColour(RGBA(c));
        return;
    }

    // 3. A vertical strip: one colour per row, as a span of the box's full width from the
    // clamped left column.
    if (sx == 0.0f) {
        std::vector<px_t>& colours = scratchRow(static_cast<size_t>(clip.ye - clip.ys + 1));
        float v = image.t();
        for (int y = clip.ys; y <= clip.ye; ++y, v += sy)
            colours[static_cast<size_t>(y - clip.ys)] =
                px::modulatePixel(image.get(image.l(), v).word, c);
        for (int y = clip.ye; y >= clip.ys; --y) {
            const px_t p = colours[static_cast<size_t>(y - clip.ys)];
            if (!blend)
                spans(ui, clip.xs, r.w, y, y + 1, p, Op::Write);
            else if (p != 0)
                spans(ui, clip.xs, r.w, y, y + 1, p, Op::Blend);
        }
        return;
    }

    std::vector<px_t>& row = scratchRow(static_cast<size_t>(n));

    // 4. A horizontal strip: one tinted row, repeated down the box.
    if (sy == 0.0f) {
        float u = image.l();
        for (int i = 0; i < n; ++i, u += sx)
            row[static_cast<size_t>(i)] = px::modulatePixel(image.get(u, image.t()).word, c);
        auto copy = [&](px_t* p, int i, int m) {
            std::memcpy(p, row.data() + i, sizeof(px_t) * static_cast<size_t>(m));
        };
        for (int y = clip.ye; y >= clip.ys; --y) {
            if (blend)
                onRow(*ui, y, clip.xs, n, copy, [&](px_t* p, int i, int m) {
                    k.blendRow(p, row.data() + i, m, 0xFFFFFFFFu);
                });
            else
                onRow(*ui, y, clip.xs, n, copy, copy);
        }
        return;
    }

    // 5. General: nearest-pixel sampling in both directions, tinted as the row is drawn. Every
    // row samples the same columns, so they are worked out once, exactly as get(u, v) would.
    std::vector<int>& columns = scratchColumns(static_cast<size_t>(n));
    float u = image.l();
    for (int i = 0; i < n; ++i, u += sx)
        columns[static_cast<size_t>(i)] = static_cast<int>(static_cast<float>(image.stride()) * u);
    // The source row of each framebuffer row, stepped top to bottom as get(u, v) would.
    std::vector<int>& sources = scratchSources(static_cast<size_t>(clip.ye - clip.ys + 1));
    const float height = static_cast<float>(image.bufferHeight());
    float v = image.t();
    for (int y = clip.ys; y <= clip.ye; ++y, v += sy)
        sources[static_cast<size_t>(y - clip.ys)] = static_cast<int>(height * v);
    const px_t* pixels = reinterpret_cast<const px_t*>(image.get());
    for (int y = clip.ye; y >= clip.ys; --y) {
        const px_t* src = pixels + static_cast<size_t>(sources[static_cast<size_t>(y - clip.ys)]) *
                                       static_cast<size_t>(image.stride());
        for (int i = 0; i < n; ++i)
            row[static_cast<size_t>(i)] = src[columns[static_cast<size_t>(i)]];
        auto write = [&](px_t* p, int i, int m) { k.writeRow(p, row.data() + i, m, c); };
        if (blend)
            onRow(*ui, y, clip.xs, n, write,
                  [&](px_t* p, int i, int m) { k.blendRow(p, row.data() + i, m, c); });
        else
            onRow(*ui, y, clip.xs, n, write, write);
    }
}

void renderModulate(const ui_t& ui, const Image& shown) {
    Rect r;
    ImageClip clip;
    static thread_local Image image;
    const int scale = imageSetup(ui, shown, image, r, clip);
    if (scale == 0)
        return;
    // The view is read 1:1 from its top-left corner, each of its pixels covering s / scale
    // device pixels each way (s the frame's scale): a box larger than the view gets the view
    // and nothing beyond it.
    const int s = ui->scale();
    auto covered = [&](float side) {
        return std::lround(side) * s / scale; // device pixels the view covers
    };
    clip.xe = static_cast<int>(std::min<std::int64_t>(clip.xe, clip.xs + covered(image.w()) - 1));
    clip.ye = static_cast<int>(std::min<std::int64_t>(clip.ye, clip.ys + covered(image.h()) - 1));
    if (clip.xe < clip.xs || clip.ye < clip.ys)
        return;
    const px_t c = ui->colour().word;
    const kernels::Table& k = kernels::active();
    const px_t* top = viewStart(image);
    const size_t stride = static_cast<size_t>(image.stride());
    // Magnified: each device row samples the view's columns nearest below it.
    std::vector<px_t>* magnified = nullptr;
    if (s != scale) {
        magnified = &scratchRow(static_cast<size_t>(clip.n()));
    }
    for (int y = clip.ye; y >= clip.ys; --y) {
        const px_t* src = top + static_cast<size_t>((y - clip.ys) * scale / s) * stride;
        if (magnified) {
            for (int i = 0; i < clip.n(); ++i)
                (*magnified)[static_cast<size_t>(i)] = src[i * scale / s];
            src = magnified->data();
        }
        onRow(
            *ui, y, clip.xs, clip.n(), [&](px_t* p, int, int m) { k.fillSpan(p, m, 0u); },
            [&](px_t* p, int i, int m) { k.modulateRow(p, src + i, m, c); });
    }
}

} // namespace gui
