// The line edit: a labelled single-line text field filling the current box's width, on the
// caller's TextState (its keys are the table in gui/text_box.h). The label column is as wide
// as the label (labelWidth 0) or labelWidth pixels with the label right-aligned; the field
// starts 6 pixels after it. The first enabled field of a window with nothing focused takes the
// keyboard. Without an id, the state's address is the identity, so each state is its own tab
// stop.
#pragma once

#include "gui/text_state.h"
#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

void doLineEdit(Ui& ui, orbotk::ControlID id, TextState& state, const wchar_t* label,
                float labelWidth, bool enabled = true);
void doLineEdit(Ui& ui, TextState& state, const wchar_t* label, float labelWidth,
                bool enabled = true);

} // namespace gui
