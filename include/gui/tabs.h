// Tabs: a strip of page tabs across the current box, the selected one in the caller's int:
//
//     const gui::TabsResult r = gui::doTabs(ui(), ControlID(L"tab"), page_, names);
//     if (r.closed >= 0)
//         closePage(r.closed);
//
// The rules:
//   - A press on a tab selects it. The strip is one stop of Tab: focused, Left and Right select
//     the tab before and after, Home and End the first and the last.
//   - From anywhere in the window (a focused text field too), Ctrl+Tab and Ctrl+Page Down
//     select the next tab, Ctrl+Shift+Tab and Ctrl+Page Up the one before, round the ends;
//     a window with a second strip turns them off for one of them (shortcuts = false).
//   - With closable, each tab has a close mark; a press on it, or a middle click on the tab,
//     reports the tab in closed. The caller removes it (and moves selected as it sees fit).
//   - Tabs that do not fit show arrows at both ends; the arrows and the wheel over the strip
//     scroll it a tab at a time, and a tab selected by the user is brought into view.
//   - Each tab is named after the strip's identity and its caption (L"tab:Buttons" for the
//     strip L"tab"), for tests and tools. Screen readers hear a page tab list of page tabs,
//     the selected one selected.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"
#include "orbotk/rgba.h"

#include <string>
#include <vector>

namespace gui {

struct TabsOptions {
    float tabWidth = 0.0f; // 0: each as wide as its caption needs
    float gap = 1.0f;      // between tabs
    bool closable = false;
    bool shortcuts = true; // the window-wide keys
};

struct TabsResult {
    bool changed = false; // the user selected another tab in this pass
    int closed = -1;      // the tab whose closing the user asked for
};

TabsResult doTabs(Ui& ui, orbotk::ControlID id, int& selected,
                  const std::vector<std::wstring>& captions,
                  const TabsOptions& options = TabsOptions());

} // namespace gui
