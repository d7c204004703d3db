// The choosers of a host: the toolkit's chooser for each kind, with the window checked first.
#include "gui/choosers.h"

#include "orbotk/chooser.h"

#include <cstdio>
#include <stdexcept>

namespace gui {

namespace {

std::vector<std::wstring> run(const boost::shared_ptr<orbotk::Window>& parent,
                              orbotk::Chooser::Kind kind, const std::vector<FileFilter>& filters,
                              const std::wstring& folder, const std::wstring& name,
                              const std::wstring& title) {
    if (!parent)
        throw std::invalid_argument("a chooser needs the window it opens over");
    orbotk::Chooser c;
    c.kind = kind;
    c.title = title;
    c.folder = folder;
    c.name = name;
    for (const FileFilter& f : filters)
        c.filters.emplace_back(f.name, f.patterns);
    return parent->choose(c);
}

std::wstring first(const std::vector<std::wstring>& paths) {
    return paths.empty() ? std::wstring() : paths.front();
}

} // namespace

std::wstring chooseFileToOpen(const boost::shared_ptr<orbotk::Window>& parent,
                              const std::vector<FileFilter>& filters, const std::wstring& folder,
                              const std::wstring& title) {
    return first(run(parent, orbotk::Chooser::Open, filters, folder, L"", title));
}

std::vector<std::wstring> chooseFilesToOpen(const boost::shared_ptr<orbotk::Window>& parent,
                                            const std::vector<FileFilter>& filters,
                                            const std::wstring& folder, const std::wstring& title) {
    return run(parent, orbotk::Chooser::OpenSeveral, filters, folder, L"", title);
}

std::wstring chooseFileToSave(const boost::shared_ptr<orbotk::Window>& parent,
                              const std::wstring& suggestedName,
                              const std::vector<FileFilter>& filters, const std::wstring& folder,
                              const std::wstring& title) {
    return first(run(parent, orbotk::Chooser::Save, filters, folder, suggestedName, title));
}

std::wstring chooseFolder(const boost::shared_ptr<orbotk::Window>& parent,
                          const std::wstring& folder, const std::wstring& title) {
    return first(run(parent, orbotk::Chooser::Folder, {}, folder, L"", title));
}

bool chooseColour(const boost::shared_ptr<orbotk::Window>& parent, orbo::tk::RGBA& colour,
                  const std::wstring& title) {
    wchar_t start[8];
    std::swprintf(start, 8, L"#%02x%02x%02x", colour.r(), colour.g(), colour.b());
    const std::wstring chosen = first(run(parent, orbotk::Chooser::Colour, {}, L"", start, title));
    unsigned r = 0, g = 0, b = 0;
    if (chosen.size() != 7 || std::swscanf(chosen.c_str(), L"#%2x%2x%2x", &r, &g, &b) != 3)
        return false;
    colour = orbo::tk::RGBA(r, g, b, 255);
    return true;
}

} // namespace gui
