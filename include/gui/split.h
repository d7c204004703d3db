// Split panes: the current box divided in two by a divider that the caller's float places,
// side by side or one above the other, each pane drawn by the caller's function in a box of
// its own:
//
//     gui::SplitOptions o;
//     o.minFirst = 120.0f;
//     o.defaultPosition = 200.0f;
//     gui::doSplit(ui(), ControlID(L"panes"), position_, o, [&] { list(); }, [&] { notes(); });
//
// The rules:
//   - position is the first pane's width (its height when stacked), in pixels; the divider,
//     SPLIT_DIVIDER wide, follows it, and the second pane takes the rest. It is kept between
//     minFirst and the size less the divider and minSecond; minFirst wins where both cannot.
//   - The divider is dragged with the left button, the resize cursor showing over it and while
//     it is dragged. Focused (by a press on it, or Tab), Left and Right (Up and Down when
//     stacked) move it by 8 pixels, with Ctrl by 1; Home and End take it to its limits. A double
//     click puts it back at defaultPosition, where one is given (>= 0).
//   - When the box's size changes (the window is resized), the position follows as keeps says:
//     the first pane keeps its share of the room, or its own size, or the second pane its size.
//   - True in the pass in which the user moved the divider; a size change is not the user's.
//   - Splits nest: a pane's function may split its box again. Screen readers hear a split pane
//     whose value is the position, between its limits.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

#include <functional>

namespace gui {

constexpr float SPLIT_DIVIDER = 6.0f;

struct SplitOptions {
    enum Axis { SIDE_BY_SIDE, STACKED };
    enum Keeps { PROPORTION, FIRST, SECOND };
    Axis axis = SIDE_BY_SIDE;
    Keeps keeps = PROPORTION;
    float minFirst = 40.0f, minSecond = 40.0f;
    float defaultPosition = -1.0f; // none
};

bool doSplit(Ui& ui, orbotk::ControlID id, float& position, const SplitOptions& options,
             const std::function<void()>& first, const std::function<void()>& second);

} // namespace gui
