// The screen facts that window and font sizes follow: pixels per inch and the display size. They
// come from wxWidgets unless a test has put its own values in place, so code that scales by the
// resolution can be checked at any resolution on any machine.
#pragma once

#include <wx/gdicmn.h>

namespace orbotk {

class Screen {
public:
    static wxSize pixelsPerInch();
    static wxSize displaySize();

    // Until clearOverride(), both queries answer the given values.
    static void setOverride(const wxSize& ppi, const wxSize& display);
    static void clearOverride();
};

} // namespace orbotk
