// The behaviours the library's widgets share, public so that a host's own widget behaves as
// the library's do: the activation rule of click-and-release controls, the combo box's toggle,
// the keyboard-focus border, tooltips, and describing a control to screen readers.
//
// Activation, frame by frame:
//   press on the box            -> the box becomes active (held); returns false
//   release anywhere            -> the active box sees leftReleased; returns true, clears active
//   Return/Space down (focused) -> active
//   Return/Space up (focused)   -> returns true, clears active
// A press elsewhere followed by a release on the box activates nothing.
#pragma once

#include "gui/box.h"
#include "gui/ui.h"
#include "orbotk/accessible.h"

#include <cstdint>

namespace gui {

// True once per completed click or key press on box; draws the focus border around the current
// box while box has the keyboard focus.
bool controlSelectionBehavior(Ui& ui, Box& box);
// True when a combo box's list opens (click, Return, Space, Down on a closed box) or closes
// (click, Return, Space, Escape on an open one). Keys other than Escape need focus; draws the
// focus border like controlSelectionBehavior.
bool controlComboSelectionBehavior(Ui& ui, Box& box, bool open);
// The dashed black border of keyboard focus around the current box; the colour stays.
void drawFocusBorder(Ui& ui);
// Shows text as the tooltip while the pointer is over the current box; null clears it. A
// carriage return ends the shown text, a line feed shows as a space.
void doToolTip(Ui& ui, const wchar_t* text);
// tooltip while a control is enabled; disabledTooltip when not, or tooltip when there is none.
inline const wchar_t* chooseTip(bool enabled, const wchar_t* tooltip,
                                const wchar_t* disabledTooltip) {
    return enabled || disabledTooltip == nullptr ? tooltip : disabledTooltip;
}
// Describes box to screen readers as a control that takes the keyboard focus: enabled when on,
// with the further states given (orbotk::ACC_CHECKED and the like) and the tooltip as its
// description. Does nothing while nobody reads the window's tree.
void describeControl(Box& box, orbotk::Role role, const wchar_t* name, bool on,
                     std::uint32_t states = 0, const wchar_t* tooltip = nullptr);

} // namespace gui
