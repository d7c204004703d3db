// The look the library's widgets draw with: the images and fonts of the standard set that
// widgets use, shared by every window of the process. The window fills it once, when the first
// window loads the standard set; widgets (the library's and a host's) read it through
// look() or Ui::look().
#pragma once

#include "gui/image.h"
#include "gui/palette.h"
#include "gui/textures.h"

#include <wx/font.h>

namespace gui {

struct Look {
    Look();

    // Checkboxes and push-button bodies (the checkbox image, diced), radio buttons.
    Image checkboxTex, checkboxShade, checkboxCheck, radio, radioCheck;
    // Combo-box chevrons, scroll-bar arrows, a blank icon.
    Image chevronUp, chevronDown, scrollbarUp, scrollbarDown, blankI;
    diced_t dicedButton, dicedButtonShade, dicedWell, dicedProgress;
    bounds_t simpleBounds, dicedButtonHBounds, dicedButtonVBounds, dicedButtonShadeHBounds,
        dicedButtonShadeVBounds, dicedWellBounds, dicedProgressBounds;
    // The standard fonts, by the pixel height they keep at every resolution: name 21, text 18,
    // config 15 (labels and fields), message 13, normal 11, tiny 10, very tiny 9.
    wxFont nameFont, textFont, configFont, messageBoxFont, normalFont, tinyFont, verytinyFont;
};

// The look in use; empty until the first window is made.
const Look& look();
// Replaces the look in use (the window does, once the standard set is loaded).
void setStandardLook(const Look& look);

// The palette follows the desktop's choice of light, dark or high contrast (gui/palette.h's
// LookStyle): the settings portal's org.freedesktop.appearance color-scheme and contrast where
// a portal answers, GNOME's org.gnome.desktop.a11y.interface high-contrast where its settings
// can be read, GTK's gtk-application-prefer-dark-theme and a theme named for dark or high
// contrast otherwise. The first window starts following, and the look changes with the
// setting while the program runs, until the host calls setLook; followDesktopLook() goes back
// to following.
LookStyle desktopLook();
void followDesktopLook();
// What the first window calls: follows unless the host chose a look already.
void startFollowingDesktopLook();

} // namespace gui
