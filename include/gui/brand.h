// The application's brand: the logo at the left of every window's logo band, the application's
// name as the desktop shows it, and the notice at the right of every status band. Set it once
// at start-up, before the first window paints; every window, dialog and message box reads it.
// Without a call the library's own logo and notice stand.
#pragma once

#include "gui/image.h"

#include <string>

namespace gui {

struct Brand {
    enum class Logo { Standard, Own, None };
    // The standard logo, the image below (drawn at its own size, 23 pixels down and 28 in, the
    // title starting 3 pixels after it), or no logo at all (the title moves to the left).
    Logo logo = Logo::Standard;
    Image image;
    // The application's name for the desktop (window lists, the taskbar, screen readers);
    // empty leaves the program's own name.
    std::wstring name;
    std::wstring notice; // empty: the library's notice
    // Whether message boxes show the logo too; without it their band keeps title and close
    // button only.
    bool logoInMessageBoxes = true;
};

void setBrand(const Brand& brand);
const Brand& brand();

// The logo a window's band shows (null for none), and the notice its status band shows.
const Image* brandLogo();
const wchar_t* brandNotice();

} // namespace gui
