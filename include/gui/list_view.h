// The list view over the current box: rows of one height over a count the caller owns. Only
// the rows in view are drawn: drawRow(row, selected) runs for each of them with the current box
// on the row, and draws its content (labels, the library's own controls, which work there as
// anywhere); the list draws what lies behind (selection, hover, every other row shaded when
// asked, the focus border on the focused row), its border and background, and its scroll bar
// at the right when the rows do not fit. The selection is the caller's set of row indices,
// read and written by the list:
//   click                 selects the row alone (LIST_SELECT_MULTIPLE: Ctrl toggles it,
//                         Shift selects from the anchor to it); the list takes the focus
//   double click, Return  activation of the row (ListResult::activated)
//   right click           selects the row unless it is selected, and reports it with the
//                         pointer's place (ListResult::menuRow, menuX, menuY) for a menu
//   Up, Down, Page Up, Page Down, Home, End   move the focused row (Shift extends)
//   Space                 toggles the focused row (selects it in single selection)
//   a letter              the next row whose label starts with it, when labels are given
//   the wheel             three rows a notch, anywhere over the list and its rows' controls
// The focused row is kept in view after each key. An empty list shows emptyText.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

#include <boost/function.hpp>
#include <set>
#include <string>

namespace gui {

enum ListSelectionMode : int {
    LIST_SELECT_NONE = 0,
    LIST_SELECT_SINGLE = 1,
    LIST_SELECT_MULTIPLE = 2
};
struct ListState {
    int first = 0;                          // the first row in view
    int focused = 0;                        // the row that keys move
    int anchor = 0;                         // where Shift extends from
    float dragTop = 0.0f, dragMouse = 0.0f; // the scroll bar's drag
};
struct ListOptions {
    float rowHeight = 20.0f;
    ListSelectionMode selection = LIST_SELECT_SINGLE;
    bool alternate = false;
    const wchar_t* emptyText = nullptr;
    // Each row's text, for jumping by the first letter and for screen readers.
    boost::function<std::wstring(int row)> label;
};
struct ListResult {
    int activated = -1;
    int menuRow = -1;
    float menuX = 0.0f, menuY = 0.0f; // in the window
    bool selectionChanged = false;
};

ListResult doList(Ui& ui, orbotk::ControlID id, ListState& state, int count,
                  std::set<int>& selection,
                  const boost::function<void(int row, bool selected)>& drawRow,
                  const ListOptions& options = ListOptions(), bool enabled = true);

} // namespace gui
