// Remembered placement: a window that asks for it opens where the user left it last time, at
// the size and maximised state it had, and keeps that in the user's configuration folder when
// it closes. Opt-in, one call after the window is made:
//
//     auto w = boost::make_shared<Editor>();
//     gui::rememberPlacement(*w, L"editor");
//     w->Show();
//
// The file is $XDG_CONFIG_HOME/<application>/placement (~/.config when the variable is unset;
// the application's name is wxWidgets', the program's name unless set), one line per window
// name. A missing file is a first run. An unreadable file, or a line of it that is not a
// placement, gives a log line and the window's own size and place; the other lines are kept.
// A place on a screen that is no longer there comes back centred on the first screen.
//
// Values of the window's own that belong with its placement (split positions, column widths)
// are kept on the same line, each under its name, restored into the caller's float with the
// placement and kept from it when the window closes:
//
//     gui::rememberPlacement(*w, L"editor", {{L"documents", &w->listSplit}});
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace gui {

class AppWindow;

// Restores window's placement under name, if one is kept, and keeps it again when the window
// closes. Returns whether a kept placement was applied. The floats must live as long as the
// window.
bool rememberPlacement(AppWindow& window, const std::wstring& name,
                       const std::vector<std::pair<std::wstring, float*>>& values = {});

// Where placements are kept.
std::string placementFile();

} // namespace gui
