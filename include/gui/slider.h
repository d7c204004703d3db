// The horizontal slider across the current box, 32 high. Dragging the knob moves dragValue on
// every pass; value is committed (and true returned) when the knob is dropped within 15 pixels
// beside or 45 above or below the slider. Forms without min and max work in 0 ... 100; forms
// without dragValue discard it. The tooltip shows over the knob of a disabled slider. A
// focused slider moves by keys (Left and Right a step, Page Up and Page Down ten, Home and End
// to the ends) and the wheel, and commits each move at once; the step is 1 % of the range
// unless given.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

bool doHSlider(Ui& ui, orbotk::ControlID id, float& value, float& dragValue, float min, float max,
               const wchar_t* tooltip, bool enabled);
bool doHSlider(Ui& ui, orbotk::ControlID id, float& value, float& dragValue, float min, float max,
               float step, const wchar_t* tooltip, bool enabled);
bool doHSlider(Ui& ui, orbotk::ControlID id, float& value, float min, float max,
               const wchar_t* tooltip, bool enabled);
bool doHSlider(Ui& ui, orbotk::ControlID id, float& value, float& dragValue, const wchar_t* tooltip,
               bool enabled);
bool doHSlider(Ui& ui, orbotk::ControlID id, float& value, const wchar_t* tooltip, bool enabled);

} // namespace gui
