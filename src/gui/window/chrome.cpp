// The window chrome: the logo band (logo, title, close button, the title area that moves the
// window), the status band (status text, icon, notice line or frame-rate figures), the panel
// background, the etched rules between the bands, and tooltips.
#include "gui/app_window.h"
#include "gui/brand.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"
#include "orboutil/strings.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <vector>

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;
using orbotk::TabIdx;

const wchar_t* const AppWindow::NOTICE = L"\u00a9 orbo. All rights reserved.";

namespace {
// The close button is the same control in every window: its name is the address of this.
const char closeButtonAnchor = 0;
const ControlID& closeButtonID() {
    static const ControlID id(static_cast<const void*>(&closeButtonAnchor), TabIdx::DISABLED);
    return id;
}

// Process-wide: a double click on any window's notice line switches them all.
bool showFrameRate = false;
} // namespace

void AppWindow::drawRule(float y) {
    requirePass(ui_, "drawRule");
    const int yr = static_cast<int>(std::floor(static_cast<float>(ui_->current()->y) + y));
    const int x = static_cast<int>(std::floor(PANEL_X)) - 1;
    const int w = panelW() + 2;
    render(ui_, x, yr - 1, w, RGBA(222, 222, 222, 255));
    render(ui_, x, yr, w, RGBA(242, 242, 242, 255));
}

void AppWindow::doLogo(bool showLogo) {
    glColor(Color::White);
    const Image* image = showLogo ? brandLogo() : nullptr;
    if (image) {
        Box logo(ui_, image->shape());
        logo.setTop(PANEL_X);
        logo.setLeft(28.0f);
        render(ui_, *image);
    }
    {
        // Close (or hide) button, 32 pixels in from the right edge.
        Box area(ui_);
        area.setTop(28.0f);
        area.setRight(-32.0f);
        const Image& image = closeTip_ == L"Hide" ? minTex_ : closeTex_;
        Box button(ui_, closeTex_.shape());
        button.setRight(FILL);
        if (doButton(closeButtonID(), image, static_cast<const wchar_t*>(nullptr),
                     closeTip_.c_str(), nullptr, true))
            Close(false);
    }
    glColor(IsEnabled() ? orbopal::Text : orbopal::DisabledText);
    {
        const float x0 = image ? image->w() + 3.0f : 0.0f;
        Box title(ui_);
        title.setPos(std::trunc(x0 + 31.0f), 27.0f);
        // Only drawn: the title is fetched and fitted in paint passes alone.
        boost::shared_ptr<orbotk::Window> w = window();
        if (ui_->isPaint() && w) {
            float width = static_cast<float>(panelW()) - PANEL_X - 150.0f;
            std::wstring& shown = ui_->scratch.label;
            fit(ui_, nameFont_, width, std::wstring_view(w->title()), true, shown);
            render(ui_, nameFont_, shown, 0);
        }
    }
    {
        // The title area moves the window; it lies behind the band's buttons.
        static const ControlID titlebarID(L"titlebar", TabIdx::DISABLED);
        Box titlebar(ui_, static_cast<float>(panelW()) - PANEL_X + 24.0f, 60.0f, titlebarID, true);
        titlebar.setPos(0.0f, 0.0f);
        if (titlebar.leftClicked()) {
            if (wxMouseEvent* e = ui_->mouseEvent())
                BeginDrag(*e);
        }
        // A double click maximises a resizable window, or restores it, as desktops do.
        if (titlebar.leftDoubleClicked()) {
            boost::shared_ptr<orbotk::Window> w = window();
            if (w && w->resizable())
                w->Maximize(!w->IsMaximized());
        }
    }
    drawRule(static_cast<float>(ui_->current()->h));
}

void AppWindow::doStatus(bool rule) {
    if (rule)
        drawRule(0.0f);
    const RGBA text = IsEnabled() ? orbopal::Text : orbopal::DisabledText;
    glColor(text);
    {
        Box status(ui_, 118.0f, FILL);
        status.setTop(4.0f);
        status.setLeft(27.0f);
        // A status longer than its area ends in an ellipsis rather than being cut mid-letter.
        float width = status.w();
        fit(ui_, verytinyFont_, width, status_, true, statusShown_);
        render(ui_, verytinyFont_, statusShown_, 0);
        doToolTip(statusHover_.c_str());
        // Without a click callback the status area asks nothing of the mouse, so it does not
        // take the pointer from what lies behind it (the status icon and its tooltip).
        if (statusClick_ && status.leftClicked())
            status.makeActive();
        if (statusClick_ && status.active() && status.leftReleased())
            statusClick_();
    }
    glColor(Color::White);
    if (statusInfo_) {
        const std::pair<orbo::utf8_string, Image*> info = statusInfo_();
        Box icon(ui_, 13.0f, 13.0f);
        icon.setTop(3.0f);
        icon.setLeft(getTextShape(ui_, statusShown_.c_str(), verytinyFont_).width + 30.0f);
        if (info.second != nullptr) {
            render(ui_, *info.second);
            const std::wstring tip = orbo::util::wstringFromUtf8(info.first);
            doToolTip(tip.c_str());
        }
    }
    glColor(text);
    {
        const wchar_t* const text = brandNotice();
        Box notice(ui_, getTextShape(ui_, text, verytinyFont_));
        notice.setTop(4.0f);
        notice.setRight(-30.0f);
        if (notice.leftDoubleClicked())
            showFrameRate = !showFrameRate;
        if (showFrameRate) {
            std::wostringstream figures;
            figures.precision(4);
            double average = 0, minimum = 0, last = 0;
            if (boost::shared_ptr<orbotk::Window> w = window()) {
                average = w->frameCount() * 1000.0 / static_cast<double>(w->totalFrameMs());
                minimum = 1000.0 / static_cast<double>(w->longestFrameMs());
                last = 1000.0 / static_cast<double>(w->lastFrameMs());
            }
            figures << L"FPS average:" << average << L" min:" << minimum << L" last:" << last;
            render(ui_, verytinyFont_, figures.str(), 0);
        } else {
            render(ui_, verytinyFont_, text, 0);
        }
    }
}

namespace {
// Names what the panel draws: the images of its two cuts (buffers, views and the writes into
// them), their bounds and colours. The buffers named are held here, so that no other
// image can come to have one of their addresses while a window keeps what they drew.
std::uint64_t panelKey(std::initializer_list<const diced_t*> cuts,
                       std::initializer_list<const bounds_t*> bounds,
                       std::initializer_list<RGBA> colours) {
    static std::vector<Image> held;
    std::uint64_t key = 0xcbf29ce484222325ull;
    auto mix = [&key](std::uint64_t v) { key = (key ^ v) * 0x100000001b3ull; };
    auto bits = [](float f) {
        std::uint32_t u;
        std::memcpy(&u, &f, sizeof u);
        return u;
    };
    size_t n = 0;
    for (const diced_t* cut : cuts)
        for (const Image* image = cut->data(); image != cut->data() + cut->num_elements();
             ++image, ++n) {
            if (held.size() <= n)
                held.resize(n + 1);
            if (static_cast<const Image&>(held[n]).get() != image->get())
                held[n] = *image;
            mix(reinterpret_cast<std::uintptr_t>(image->get()));
            mix(image->ownWrites());
            mix(static_cast<std::uint64_t>(image->stride()) << 32 |
                static_cast<std::uint32_t>(image->bufferHeight()));
            mix(static_cast<std::uint64_t>(bits(image->l())) << 32 | bits(image->r()));
            mix(static_cast<std::uint64_t>(bits(image->t())) << 32 | bits(image->b()));
        }
    for (const bounds_t* b : bounds) {
        mix(b->size());
        for (float f : *b)
            mix(bits(f));
    }
    for (const RGBA& c : colours)
        mix(c.word);
    return key;
}
} // namespace

void AppWindow::doPanel() {
    // The panel comes out the same in every pass at a given size: the window keeps it and
    // draws it only behind what the pass drew, showing the kept one everywhere else.
    const std::uint64_t key = ui_->isPaint()
                                  ? panelKey({&dicedLighting_, &dicedBoundary_},
                                             {&dicedLightingHBounds_, &dicedLightingVBounds_,
                                              &dicedBoundaryHBounds_, &dicedBoundaryVBounds_},
                                             {Color::White, orbopal::Panel})
                                  : 0;
    ui_->drawBackdrop(key, [this] {
        // The lighting is drawn first, so it lies over the frame tinted in the panel colour.
        glColor(Color::White);
        renderDiced(ui_, dicedLighting_, dicedLightingHBounds_, dicedLightingVBounds_);
        glColor(orbopal::Panel);
        renderDiced(ui_, dicedBoundary_, dicedBoundaryHBounds_, dicedBoundaryVBounds_);
    });
}

} // namespace gui
