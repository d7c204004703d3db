// The list view's types: how rows are selected, the caller's state of a list, its options and
// what one pass of it reports. AppWindow::doList draws and drives the list.
#pragma once

#include <boost/function.hpp>
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

} // namespace gui
