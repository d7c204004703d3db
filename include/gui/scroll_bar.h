// The vertical scroll bar along the current box's right edge, for a list of max - min + 1 rows
// of which visible fit; pos is the first visible row. Arrows step one row and the areas beside
// the thumb one page, on the release after a press; the thumb drags in steps of more than 5
// pixels until any left release in the window. dragTop and dragMouse are the caller's drag
// state (both 0 when idle). Nothing is drawn when every row fits. A named bar takes the
// keyboard focus (with the buttons' focus border round its thumb): Up and Down step a row,
// Page Up and Page Down a page, Home and End go to the ends. Returns pos.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

// The bar's width (and its arrows' height).
constexpr float SCROLL_SIZE = 23.0f;

int doVScroll(Ui& ui, orbotk::ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
              int min, int max, bool enabled);

// The same bar along the current box's bottom edge, for columns (pos the first in view):
// arrows at the ends, Left and Right step when its thumb has the focus.
int doHScroll(Ui& ui, orbotk::ControlID id, int& pos, int visible, float& dragLeft,
              float& dragMouse, int min, int max, bool enabled);

} // namespace gui
