// Screen metrics with a test override.
#include "orbotk/screen.h"

#include <wx/dcscreen.h>
#include <wx/display.h>

namespace orbotk {

namespace {
bool overridden = false;
wxSize ppiOverride, displayOverride;
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

void Screen::setOverride(const wxSize& ppi, const wxSize& display) {
    overridden = true;
    ppiOverride = ppi;
    displayOverride = display;
}

void Screen::clearOverride() {
    overridden = false;
}

} // namespace orbotk
