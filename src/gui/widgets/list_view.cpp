// The list view: rows of one height over a count the caller owns, of which only those in view
// are drawn, with a selection the caller keeps, keys, the wheel and a scroll bar.
//
//   list box (named: takes the focus, the clicks on rows, the wheel and the right button)
//   +----------------------------------+---+
//   | row first       (caller's content | ^ |  scroll bar, only when the rows do not fit
//   | row first + 1    in front, the    |   |
//   | ...              list's shading   |   |
//   | row first + visible - 1  behind)  | v |
//   +----------------------------------+---+  one-pixel border, background behind all
#include "gui/list_view.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/scroll_bar.h"
#include "widgets/rows.h"

#include <algorithm>
#include <cmath>

namespace gui {

using orbotk::ControlID;

ListResult doList(Ui& ui, ControlID id, ListState& state, int count, std::set<int>& selection,
                  const boost::function<void(int, bool)>& drawRow, const ListOptions& options,
                  bool enabled) {
    requirePass(ui, "doList");
    ListResult result;
    const bool on = ui.enabled() && enabled;
    count = std::max(count, 0);
    Box list(ui, FILL, FILL, id, on);
    const float rowH = options.rowHeight >= 1.0f ? options.rowHeight : 20.0f;
    const int visible = std::max(static_cast<int>(std::floor((list.h() - 2.0f) / rowH)), 1);
    const int lastFirst = std::max(count - visible, 0);
    const bool bar = count > visible;
    const float top = list.y() + 1.0f, left = list.x() + 1.0f;
    const float rowsW = list.w() - 2.0f - (bar ? SCROLL_SIZE : 0.0f);
    state.first = std::min(std::max(state.first, 0), lastFirst);
    state.focused = std::min(std::max(state.focused, 0), std::max(count - 1, 0));
    state.anchor = std::min(std::max(state.anchor, 0), std::max(count - 1, 0));
    const ListSelectionMode mode = options.selection;

    const int under = pointerRow(ui, left, top, rowsW, rowH, state.first, visible, count, on);
    if (list.describing())
        list.describe(orbotk::Role::List, L"",
                      (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE);
    if (on) {
        RowNumbers rows(selection);
        rowsInput(ui, list, state, RowsGeometry{count, visible, under}, rows, options, result,
                  [](int ch) { return ch > 32 && ch != 127; });
    }

    if (bar) {
        Box inner(ui, list.w() - 2.0f, list.h() - 2.0f);
        inner.setPos(left, top);
        doVScroll(ui, ControlID(id.name() + L" scroll", orbotk::TabIdx::DISABLED), state.first,
                  visible, state.dragTop, state.dragMouse, 0, count - 1, on);
    }
    const bool listFocused = list.focused();
    const int end = std::min(state.first + visible, count);
    for (int i = state.first; i < end; ++i) {
        Box row(ui, rowsW, rowH);
        row.setPos(left, top + rowH * static_cast<float>(i - state.first));
        const bool selected = mode != LIST_SELECT_NONE && selection.count(i) != 0;
        if (row.describing()) {
            orbotk::Description d;
            d.role = orbotk::Role::ListItem;
            if (options.label)
                d.name = options.label(i);
            d.states = (on ? orbotk::ACC_ENABLED : 0u) | (selected ? orbotk::ACC_SELECTED : 0u) |
                       (i == state.focused ? orbotk::ACC_ACTIVE : 0u);
            d.index = i;
            row.describe(d);
        }
        drawRow(i, selected);
        drawRowBehind(ui, on, listFocused, i == state.focused, selected, i == under,
                      options.alternate && i % 2 == 1);
    }
    drawRowsFrame(ui, list, top, count == 0 ? options.emptyText : nullptr,
                  count == 0 && listFocused, on);
    return result;
}

} // namespace gui
