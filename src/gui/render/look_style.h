// The palette switch behind setLook, for the desktop's following (src/gui/window): showLook
// switches without counting as the host's choice, which lookChosen() remembers.
#pragma once

#include "gui/palette.h"

namespace gui {

void showLook(LookStyle style);
bool& lookChosen();

} // namespace gui
