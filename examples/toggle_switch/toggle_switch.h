// A toggle switch, written outside the library the way a host writes a widget of its own: a
// free function over the pass handle, with the library's own behaviours. A rounded track
// with a knob that sits at the right, on a coloured track, while the switch is on; a caption
// beside it.
//
//   click (press and release), Return or Space   flips it
//   Right / Left, while focused                  turns it on / off
// It takes the keyboard focus in Tab order like any named control, and screen readers hear a
// toggle button, pressed or not.
#pragma once

#include <gui/ui.h>
#include <orbotk/control_id.h>

namespace example {

// Draws the switch in the current box (its full height; as wide as track and caption) and
// returns true in the pass in which the user changes value.
bool doToggleSwitch(gui::Ui& ui, orbotk::ControlID id, bool& value, const wchar_t* caption,
                    bool enabled = true);

} // namespace example
