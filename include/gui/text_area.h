// The text area: a field of several lines filling the current box, on a TextAreaState. Lines
// wrap at word boundaries to the width (or scroll sideways when the state does not wrap);
// Return breaks the line and Ctrl+Return is the area's submission: true in that pass. Up and
// Down keep the caret's x, Home and End go to the visual line's ends, Ctrl+Home and Ctrl+End
// to the text's, Page Up and Page Down by what is in view; everything else is the line edit's
// table (gui/text_box.h), undo and the clipboard included. A scroll bar shows when the lines
// do not fit; the wheel scrolls three lines a notch, and the caret is kept in view as it
// moves. A read-only state selects and copies and changes nothing.
#pragma once

#include "gui/text_area_state.h"
#include "gui/ui.h"
#include "orbotk/control_id.h"

namespace gui {

bool doTextArea(Ui& ui, orbotk::ControlID id, TextAreaState& state, bool enabled = true);

} // namespace gui
