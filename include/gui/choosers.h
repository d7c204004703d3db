// Choosing files, a folder or a colour with the platform's own choosers (GTK's), modally over a
// window: the window's passes go on while one is open, and a pass that opens one is suspended
// until it closes (open it from a menu item or a button, or through postEval). Each returns what
// was chosen, or nothing when the user cancelled. A host's tests answer them with
// orbotk::testing::answerNextChooser; recordings keep the answers and replays give them back.
#pragma once

#include "orbotk/rgba.h"
#include "orbotk/window.h"

#include <boost/shared_ptr.hpp>
#include <string>
#include <vector>

namespace gui {

// A filter of the file choosers: a name and its patterns, as {L"Text files", L"*.txt;*.md"}.
// The first of a list applies at the start; with none, every file shows.
struct FileFilter {
    std::wstring name, patterns;
};

// Files to open: one, or several (the user selects them together). They exist.
std::wstring chooseFileToOpen(const boost::shared_ptr<orbotk::Window>& parent,
                              const std::vector<FileFilter>& filters = {},
                              const std::wstring& folder = L"", const std::wstring& title = L"");
std::vector<std::wstring> chooseFilesToOpen(const boost::shared_ptr<orbotk::Window>& parent,
                                            const std::vector<FileFilter>& filters = {},
                                            const std::wstring& folder = L"",
                                            const std::wstring& title = L"");
// A file to save, starting with a suggested name; the user confirms before an existing file is
// chosen.
std::wstring chooseFileToSave(const boost::shared_ptr<orbotk::Window>& parent,
                              const std::wstring& suggestedName,
                              const std::vector<FileFilter>& filters = {},
                              const std::wstring& folder = L"", const std::wstring& title = L"");
// An existing folder.
std::wstring chooseFolder(const boost::shared_ptr<orbotk::Window>& parent,
                          const std::wstring& folder = L"", const std::wstring& title = L"");
// An opaque colour, starting from colour's; true when one was chosen (colour then holds it).
bool chooseColour(const boost::shared_ptr<orbotk::Window>& parent, orbo::tk::RGBA& colour,
                  const std::wstring& title = L"");

} // namespace gui
