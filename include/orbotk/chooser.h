// The platform's choosers: files to open, a file to save, a folder, a colour. Window::choose
// runs one modally over the window (GTK's own file and colour choosers, through wxWidgets), the
// window's passes going on meanwhile, and returns what the user chose. A test or a replay
// answers a chooser from inside its loop instead of the user (orbotk/testing.h, Driver::replay),
// and window observers hear every answer (a recording keeps them).
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orbotk {

struct Chooser {
    enum Kind { Open, OpenSeveral, Save, Folder, Colour };
    Kind kind = Open;
    std::wstring title;  // empty: the platform's own for the kind
    std::wstring folder; // where it starts; empty: where the platform starts
    // A save chooser's suggested name; a colour chooser's starting colour, as "#rrggbb".
    std::wstring name;
    // Named patterns, as {L"Text files", L"*.txt;*.md"}; the first applies at the start. None:
    // every file.
    std::vector<std::pair<std::wstring, std::wstring>> filters;
};

// Answers the choosers that open from now on instead of the user: called from inside each
// chooser's loop once it shows, it fills the answer (paths, or a colour as "#rrggbb"; none to
// cancel) and returns true, or returns false to leave the chooser to the user. An empty
// function stops answering. For tests and replays; one at a time.
typedef std::function<bool(const Chooser&, std::vector<std::wstring>& answer)> ChooserAnswer;
void answerChoosers(ChooserAnswer answer);

} // namespace orbotk
