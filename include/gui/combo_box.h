// Combo boxes: a 28-high header showing *selected with a chevron, and a list that hangs below
// it while open. A closed box opens on a click, Return, Space or Down; an open one closes on a
// click, Return, Space or Escape. At most one combo box of a window is open: opening one
// closes the other on its next pass. Choosing an entry points selected at it, closes the list
// and returns its index in that pass; every other pass returns 0xFFFFFFFF. open is written on
// every pass while the box is enabled; a disabled box shows the list when the caller passes
// open true. Scenes draw combo boxes before what their lists hang over.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

#include <string>

namespace gui {

unsigned int doComboBoxEasy(Ui& ui, orbotk::ControlID id, bool& open, const wchar_t*& selected,
                            unsigned int count, const wchar_t* const* labels, bool enabled);
unsigned int doComboBoxEasy(Ui& ui, orbotk::ControlID id, bool& open, std::wstring& selected,
                            unsigned int count, std::wstring* labels, bool enabled);
// At most five entries at a time, from first, beside a scroll bar named "scroll" whose drag
// state is dragTop and dragMouse.
unsigned int doScrollComboBoxEasy(Ui& ui, orbotk::ControlID id, bool& open,
                                  const wchar_t*& selected, unsigned int count,
                                  const wchar_t* const* labels, bool enabled, int& first,
                                  float& dragTop, float& dragMouse);
unsigned int doScrollComboBoxEasy(Ui& ui, orbotk::ControlID id, bool& open, std::wstring& selected,
                                  unsigned int count, std::wstring* labels, bool enabled,
                                  int& first, float& dragTop, float& dragMouse);
// One list entry covering the current box, named by its text: true in the pass in which it is
// chosen (click and release), when selected is pointed at item.
bool doCombo(Ui& ui, const wchar_t* item, const wchar_t*& selected, bool enabled);

} // namespace gui
