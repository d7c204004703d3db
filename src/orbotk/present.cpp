// Presenting a window's frame: over its background, through cairo when GTK paints the canvas,
// or straight to the X server (x11_present) with only what changed since the last present.
#include "orbotk/context.h"
#include "orbotk/window.h"
#include "over_background.h"
#include "present_surface.h"
#include "x11_present.h"

#include <algorithm>
#include <cairo.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace orbotk {

X11Presenter* Window::presenter() {
    if (!directTried_ && canvas_ && canvas_->IsShownOnScreen()) {
        directTried_ = true;
        const char* how = std::getenv("ORBOTK_PRESENT");
        if (how == nullptr || std::strcmp(how, "gtk") != 0)
            direct_ = X11Presenter::create(canvas_, how == nullptr || std::strcmp(how, "upload"));
    }
    return direct_.get();
}

std::uint32_t Window::background() const {
    const auto pack = [](const wxColour& c) {
        return (static_cast<std::uint32_t>(c.Red()) << 16) |
               (static_cast<std::uint32_t>(c.Green()) << 8) | c.Blue();
    };
    if (UseBgCol())
        return pack(GetBackgroundColour());
    // A window without a colour of its own asks the theme, which costs a style lookup in GTK:
    // a tenth of a repaint. The theme's answer holds until GTK restyles the canvas (wxWidgets
    // sends no event when only the dark variant is switched on).
    if (themeBackground_ < 0)
        themeBackground_ = pack(GetBackgroundColour());
    return static_cast<std::uint32_t>(themeBackground_);
}

void Window::onStyleUpdated(void*, void* self) {
    static_cast<Window*>(self)->themeBackground_ = -1;
}

void Window::writeFrame(std::uint32_t* out, int stride) const {
    const UIContext& c = *context_;
    const int w = c.frameW(), h = c.frameH();
    const OverBackground over(background());
    const orbo::tk::RGBA* fb = c.framebuffer();
    // The framebuffer's rows are bottom-up.
    for (int y = 0; y < h; ++y)
        over.row(out + static_cast<size_t>(y) * static_cast<size_t>(stride),
                 fb + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w), w);
}

bool Window::presentDirect() {
    UIContext& c = *context_;
    const int w = c.frameW(), h = c.frameH();
    int stride = 0;
    bool kept = false;
    std::uint32_t* out = direct_ ? direct_->begin(w, h, c.scale(), stride, kept) : nullptr;
    if (out == nullptr)
        return false;
    // The image holds the frame as the last direct present left it, over the background of
    // then; the context has written only its damage since. Of that, only what changed goes to
    // the server: after a change, most of a window is as it was.
    const std::uint32_t back = background();
    const bool whole = !kept || back != directBackground_;
    directBackground_ = back;
    const OverBackground over(back);
    const orbo::tk::RGBA* fb = static_cast<const UIContext&>(c).framebuffer(); // settled
    int x0 = w, y0 = h, x1 = 0, y1 = 0;
    for (int y = 0; y < h; ++y) {
        int lo = 0, hi = w;
        if (!whole)
            c.damage(y, lo, hi);
        int first = 0, last = 0;
        if (lo < hi &&
            over.rowChanged(out + static_cast<size_t>(y) * static_cast<size_t>(stride) + lo,
                            fb + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w) + lo,
                            hi - lo, first, last)) {
            x0 = std::min(x0, lo + first);
            x1 = std::max(x1, lo + last);
            y0 = std::min(y0, y);
            y1 = y + 1;
        }
    }
    c.clearDamage();
    direct_->put(x0, y0, x1, y1);
    surface_.reset(); // GTK paints only the exposes now (see present)
    return true;
}

void Window::present(wxDC& dc) {
    const int w = context_->frameW(), h = context_->frameH(), scale = context_->scale();
    if (w <= 0 || h <= 0)
        return;
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    cairo_t* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    if (!surface_)
        surface_.reset(new PresentSurface);
    cairo_surface_t* surface = cr ? surface_->sized(w, h) : nullptr;
    if (direct_)
        direct_->forget(); // the window shows this frame now, whatever the direct image holds
    if (surface) {
        cairo_surface_flush(surface);
        writeFrame(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface)),
                   cairo_image_surface_get_stride(surface) / 4);
        cairo_surface_mark_dirty(surface);
        // The surface holds device pixels: with its device scale set, cairo puts them 1:1 on
        // a window of the same scale instead of magnifying them.
        cairo_surface_set_device_scale(surface, scale, scale);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, surface, 0, 0);
        cairo_rectangle(cr, 0, 0, context_->W(), context_->H());
        cairo_fill(cr);
        cairo_restore(cr);
        // While repaints go straight to the X window, GTK paints only the exposes, which are
        // few: the surface is not kept from one to the next (a frame's worth of memory).
        if (directWorks_)
            surface_.reset();
        return;
    }
    // A device context that cairo does not draw (or a surface that could not be had): through
    // a bitmap made for this frame.
    std::vector<std::uint32_t> frame(static_cast<size_t>(w) * static_cast<size_t>(h));
    writeFrame(frame.data(), w);
    wxImage image(w, h, false);
    unsigned char* out = image.GetData();
    for (const std::uint32_t p : frame) {
        *out++ = static_cast<unsigned char>(p >> 16);
        *out++ = static_cast<unsigned char>(p >> 8);
        *out++ = static_cast<unsigned char>(p);
    }
    if (scale > 1)
        image.Rescale(context_->W(), context_->H(), wxIMAGE_QUALITY_BOX_AVERAGE);
    dc.DrawBitmap(wxBitmap(image), 0, 0, false);
}

} // namespace orbotk
