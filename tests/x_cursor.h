// The X server's own pointer shape, for tests of the cursor a widget shows: its serial number
// changes whenever the shape does. Included after the test's other headers: Xlib's macros
// (None) would break theirs.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace testing_support {

inline unsigned long cursorSerial() {
    Display* dpy = XOpenDisplay(nullptr);
    XFixesCursorImage* image = XFixesGetCursorImage(dpy);
    const unsigned long serial = image ? image->cursor_serial : 0;
    if (image)
        XFree(image);
    XCloseDisplay(dpy);
    return serial;
}

} // namespace testing_support
