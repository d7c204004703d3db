// The screen facts that window and font sizes follow: pixels per inch and the display size. They
// come from wxWidgets unless a test has put its own values in place, so code that scales by the
// resolution can be checked at any resolution on any machine.
#pragma once

#include <wx/gdicmn.h>

namespace orbotk {

class Screen {
public:
    // The screen's own pixels per inch, in device pixels.
    static wxSize pixelsPerInch();
    // The display's size in logical pixels.
    static wxSize displaySize();
    // Device pixels per logical pixel on the screen where windows open: what GTK gives its
    // first monitor (2 on a HiDPI desktop, or with GDK_SCALE=2).
    static int deviceScale();
    // Pixels per inch counted in logical pixels: pixelsPerInch() / deviceScale(). Window and
    // font sizes follow this one, so that a 192 dpi screen at scale 2 sizes them as 96 dpi at
    // scale 1 does, and a desktop at 1.5x (drawn at 2 and shrunk, reporting 144 dpi) as 72.
    static wxSize logicalPixelsPerInch();

    // Until clearOverride(), the queries answer the given values.
    static void setOverride(const wxSize& ppi, const wxSize& display, int scale = 1);
    static void clearOverride();
};

} // namespace orbotk
