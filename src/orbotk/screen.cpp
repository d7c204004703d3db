// Screen metrics with a test override.
#include "orbotk/screen.h"

#include <algorithm>
#include <gtk/gtk.h>
#include <wx/dcscreen.h>
#include <wx/display.h>

namespace orbotk {

namespace {
bool overridden = false;
wxSize ppiOverride, displayOverride;
int scaleOverride = 1;
} // namespace

wxSize Screen::pixelsPerInch() {
    if (overridden)
        return ppiOverride;
    wxScreenDC dc;
    return dc.GetPPI();
}

wxSize Screen::displaySize() {
    if (overridden)
        return displayOverride;
    return wxGetDisplaySize();
}

int Screen::deviceScale() {
    if (overridden)
        return scaleOverride;
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_monitor(display, 0) : nullptr;
    return monitor ? std::max(1, gdk_monitor_get_scale_factor(monitor)) : 1;
}

wxSize Screen::logicalPixelsPerInch() {
    const wxSize ppi = pixelsPerInch();
    const int s = deviceScale();
    return wxSize(ppi.x / s, ppi.y / s);
}

void Screen::setOverride(const wxSize& ppi, const wxSize& display, int scale) {
    overridden = true;
    scaleOverride = std::max(1, scale);
    ppiOverride = ppi;
    displayOverride = display;
}

void Screen::clearOverride() {
    overridden = false;
}

} // namespace orbotk
