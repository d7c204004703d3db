// Checkboxes: a two-state control bound to the caller's bool. The caption starts the checkbox
// image's width + 8 in and the control covers icon and caption over the current box's full
// height. Tooltips: tooltip while enabled, else disabledTooltip (tooltip when that is null),
// anywhere over the control. A checkbox toggles value once per completed activation (click and
// release, or Return or Space with focus) and returns true in that pass; while held it shows a
// grey tick. Without an id, the label is the identity.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

bool doCheckbox(Ui& ui, orbotk::ControlID id, bool& value, const wchar_t* label,
                const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
bool doCheckbox(Ui& ui, bool& value, const wchar_t* label, bool enabled);
bool doCheckbox(Ui& ui, bool& value, const wchar_t* label, const wchar_t* tooltip,
                const wchar_t* disabledTooltip, bool enabled);

} // namespace gui
