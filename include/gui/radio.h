// Radio buttons, laid out as checkboxes are. A radio button sets value on the press (never
// clears it) and returns true then; pressing a selected one does nothing. Radio buttons that
// follow one another are a group for the keyboard: Tab stops once in it, at the selected
// button; the arrows move the focus within it and select the button they reach; Space selects
// the focused one.
#pragma once

#include "gui/ui.h"

namespace gui {

bool doRadio(Ui& ui, bool& value, const wchar_t* label, const wchar_t* tooltip,
             const wchar_t* disabledTooltip, bool enabled);
// A group of count rows, 24 pixels apart. selected points at the chosen entry of labels
// (compared by address, not text). Returns the row pressed this pass, or 0xFFFFFFFF.
unsigned int doRadioEasy(Ui& ui, const wchar_t*& selected, unsigned int count,
                         const wchar_t* const* labels, bool enabled);

} // namespace gui
