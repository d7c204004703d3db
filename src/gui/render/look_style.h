// The palette switch behind setLook, for the desktop's following (src/gui/window): showLook
// switches without counting as the host's choice, which lookChosen() remembers.
#pragma once

#include "gui/palette.h"

namespace gui {

void showLook(LookStyle style);
bool& lookChosen();
// What else changes with the look: the window layer gives the function that puts the look's
// own pictures in place; showLook calls it before the windows repaint.
void onLookShown(void (*restyle)(LookStyle));

} // namespace gui
