// The image surface a window presents its frame through when GTK paints the canvas (present.cpp);
// the window owns it.
#pragma once

#include <cairo.h>

namespace orbotk {

// The frame as cairo takes it: one image surface per window, replaced only when the size
// changes, so presenting a frame allocates nothing.
struct PresentSurface {
    cairo_surface_t* surface = nullptr;
    ~PresentSurface() {
        if (surface)
            cairo_surface_destroy(surface);
    }
    cairo_surface_t* sized(int w, int h) {
        if (surface && cairo_image_surface_get_width(surface) == w &&
            cairo_image_surface_get_height(surface) == h)
            return surface;
        if (surface)
            cairo_surface_destroy(surface);
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(surface);
            surface = nullptr;
        }
        return surface;
    }
};

} // namespace orbotk
