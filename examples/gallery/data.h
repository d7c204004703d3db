// The gallery's Data page: a table of 100,000 generated log entries, sortable by each column,
// and a real folder tree read from disk as it is expanded (the system's shared-data folder),
// with the chosen folder's contents beside it in a tree table of name, size and date.
#pragma once

#include "gui/gui.h"

#include <algorithm>
#include <ctime>
#include <cwchar>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace gallery {

// A folder's entries, read once, the first time they are asked for.
struct Entry {
    std::filesystem::path path;
    bool folder = false, read = false;
    std::uintmax_t size = 0;
    std::time_t modified = 0;
    std::vector<Entry> entries; // folders first, then by name
    std::vector<int> folders;   // the indices of the folders among them

    std::vector<Entry>& children() {
        if (!read) {
            read = true;
            std::error_code e;
            for (std::filesystem::directory_iterator it(path, e), end; !e && it != end;
                 it.increment(e)) {
                Entry c;
                c.path = it->path();
                struct stat st {};
                if (::lstat(c.path.c_str(), &st) == 0) {
                    c.folder = S_ISDIR(st.st_mode);
                    c.size = static_cast<std::uintmax_t>(st.st_size);
                    c.modified = st.st_mtime;
                }
                entries.push_back(std::move(c));
            }
            std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
                return a.folder != b.folder ? a.folder : a.path.filename() < b.path.filename();
            });
            for (size_t i = 0; i < entries.size(); ++i)
                if (entries[i].folder)
                    folders.push_back(static_cast<int>(i));
        }
        return entries;
    }
    // File names are bytes; shown as UTF-8, with U+FFFD for what is not (path::wstring() would
    // throw under a locale that cannot decode them, the plain C one included).
    std::wstring name() const {
        return orbo::util::wstringFromUtf8(orbo::utf8_string(path.filename().string()));
    }
};

class DataPage {
public:
    DataPage() {
        for (int i = 0; i < ROWS; ++i)
            order_.push_back(i);
        logColumns_.resize(4);
        const wchar_t* titles[] = {L"Time", L"Level", L"Source", L"Message"};
        const float widths[] = {90.0f, 70.0f, 110.0f, 380.0f};
        for (size_t c = 0; c < 4; ++c) {
            logColumns_[c].title = titles[c];
            logColumns_[c].width = widths[c];
            logColumns_[c].minWidth = 40.0f;
        }
        logColumns_[0].align = gui::TABLE_RIGHT;
        logOptions_.selection = gui::LIST_SELECT_MULTIPLE;
        logOptions_.alternate = true;
        logOptions_.cellText = [this](int row, int column) {
            return logText(order_[static_cast<size_t>(row)], column);
        };
        logOptions_.label = [this](int row) {
            return logText(order_[static_cast<size_t>(row)], 2);
        };

        root_.path = "/usr/share";
        root_.folder = true;
        // The tree's one top node is the folder itself, open and chosen to begin with.
        folders_.childCount = [this](const gui::TreePath& p) {
            if (p.empty())
                return 1;
            Entry* e = folder(p);
            return e ? static_cast<int>((e->children(), e->folders.size())) : 0;
        };
        folders_.label = [this](const gui::TreePath& p) {
            Entry* e = folder(p);
            return e == &root_ ? root_.path.wstring() : e ? e->name() : std::wstring();
        };
        folders_.expandable = [](const gui::TreePath&) { return true; };
        folderTree_.expanded = {{0}};
        folderTree_.selection = {{0}};
        folderTree_.focused = {0};

        detailColumns_.resize(3);
        detailColumns_[0].title = L"Name";
        detailColumns_[0].width = 200.0f;
        detailColumns_[1].title = L"Size";
        detailColumns_[1].width = 70.0f;
        detailColumns_[1].align = gui::TABLE_RIGHT;
        detailColumns_[2].title = L"Modified";
        detailColumns_[2].width = 150.0f;
        details_.childCount = [this](const gui::TreePath& p) {
            Entry* e = detail(p);
            return e && e->folder ? static_cast<int>(e->children().size()) : 0;
        };
        details_.label = [this](const gui::TreePath& p) {
            Entry* e = detail(p);
            return e ? e->name() : std::wstring();
        };
        details_.expandable = [this](const gui::TreePath& p) {
            Entry* e = detail(p);
            return e && e->folder;
        };
        details_.cellText = [this](const gui::TreePath& p, int column) {
            Entry* e = detail(p);
            return e ? detailText(*e, column) : std::wstring();
        };
    }

    static constexpr int ROWS = 100000;

    // The page in the current box; what it reports goes to status.
    void show(gui::Ui& ui, const wxFont& font, std::wstring& status) {
        using namespace gui;
        using orbotk::ControlID;
        {
            Box b(ui, FILL, 18.0f);
            const std::wstring heading = L"Log: " + std::to_wstring(ROWS) +
                                         L" entries (click a title to sort, Shift+click for "
                                         L"a second key, right click to show columns)";
            doLabel(ui, heading.c_str(), font);
        }
        {
            Box b(ui, -10.0f, 150.0f);
            b.setTop(22.0f);
            const TableResult r = doTable(ui, ControlID(L"log"), log_, logColumns_, ROWS,
                                          logSelection_, {}, logOptions_);
            if (r.sortChanged)
                sortLog();
            if (r.activated >= 0)
                status = L"Entry " + logText(order_[static_cast<size_t>(r.activated)], 3);
        }
        {
            Box b(ui, FILL, 18.0f);
            b.setTop(180.0f);
            doLabel(ui, (L"Folders of " + root_.path.wstring()).c_str(), font);
        }
        Box panes(ui, -10.0f, 212.0f);
        panes.setTop(202.0f);
        SplitOptions split;
        split.minFirst = 150.0f;
        split.minSecond = 250.0f;
        doSplit(
            ui, ControlID(L"data:divider"), split_, split,
            [&] {
                const TreeResult r =
                    doTree(ui, ControlID(L"folders"), folderTree_, folders_, TreeOptions());
                if (r.selectionChanged && !folderTree_.selection.empty()) {
                    shown_ = *folderTree_.selection.begin();
                    detailTree_ = TreeState();
                }
            },
            [&] {
                doTreeTable(ui, ControlID(L"details"), detailTable_, detailColumns_, detailTree_,
                            details_, {}, TableOptions());
            });
    }

private:
    // An entry's parts, from its number: a level (by severity), a source and a message.
    static constexpr const wchar_t* LEVELS[] = {L"debug", L"info", L"info", L"warning", L"error"};
    static constexpr const wchar_t* SOURCES[] = {L"network",  L"disk",  L"scheduler",
                                                 L"renderer", L"input", L"audio"};
    static constexpr const wchar_t* MESSAGES[] = {L"connection opened", L"frame presented late",
                                                  L"queue drained",     L"retrying after timeout",
                                                  L"cache trimmed",     L"device added"};
    static unsigned hash(int i) { return static_cast<unsigned>(i) * 2654435761u; }
    static int level(int i) { return hash(i) >> 29 & 3 ? (hash(i) >> 27) % 5 : 1; }
    static int source(int i) { return (hash(i) >> 13) % 6; }
    static int message(int i) { return (hash(i) >> 7) % 6; }

    static std::wstring logText(int i, int column) {
        switch (column) {
        case 0: {
            const int s = i / 3;
            wchar_t t[16];
            swprintf(t, 16, L"%02d:%02d:%02d", s / 3600 % 24, s / 60 % 60, s % 60);
            return t;
        }
        case 1:
            return LEVELS[level(i)];
        case 2:
            return SOURCES[source(i)];
        default:
            return MESSAGES[message(i)] + std::wstring(L" (#") + std::to_wstring(i) + L")";
        }
    }
    // Sorting compares numbers, not texts: levels by severity, sources and messages by their
    // names' order, times (and equal messages) by the entry's number.
    void sortLog() {
        const auto rank = [](const wchar_t* const* names, int n) {
            std::vector<int> r(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j)
                    r[static_cast<size_t>(i)] += std::wcscmp(names[j], names[i]) < 0;
            return r;
        };
        static const std::vector<int> sources = rank(SOURCES, 6), messages = rank(MESSAGES, 6);
        const auto key = [&](int i, int column) {
            switch (column) {
            case 1:
                return static_cast<long long>(level(i) == 2 ? 1 : level(i));
            case 2:
                return static_cast<long long>(sources[static_cast<size_t>(source(i))]);
            case 3:
                return static_cast<long long>(messages[static_cast<size_t>(message(i))]) * ROWS + i;
            default:
                return static_cast<long long>(i);
            }
        };
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            for (const gui::TableSortKey& k : log_.layout.sort) {
                const long long x = key(a, k.column), y = key(b, k.column);
                if (x != y)
                    return (x < y) != k.descending;
            }
            return false;
        });
    }
    Entry* folder(const gui::TreePath& p) {
        if (p.empty() || p[0] != 0)
            return nullptr;
        Entry* e = &root_;
        for (size_t k = 1; k < p.size(); ++k) {
            const int i = p[k];
            e->children();
            if (i < 0 || static_cast<size_t>(i) >= e->folders.size())
                return nullptr;
            e = &e->entries[static_cast<size_t>(e->folders[static_cast<size_t>(i)])];
        }
        return e;
    }
    Entry* detail(const gui::TreePath& p) {
        Entry* e = folder(shown_);
        for (int i : p) {
            if (e == nullptr || static_cast<size_t>(i) >= e->children().size())
                return nullptr;
            e = &e->entries[static_cast<size_t>(i)];
        }
        return e;
    }
    static std::wstring detailText(const Entry& e, int column) {
        if (column == 1) {
            if (e.folder)
                return L"";
            return e.size < 10240 ? std::to_wstring(e.size) + L" B"
                                  : std::to_wstring((e.size + 512) / 1024) + L" kB";
        }
        if (column == 2 && e.modified != 0) {
            wchar_t t[32];
            std::tm tm{};
            localtime_r(&e.modified, &tm);
            wcsftime(t, 32, L"%Y-%m-%d %H:%M", &tm);
            return t;
        }
        return column == 0 ? e.name() : L"";
    }

    std::vector<int> order_;
    std::vector<gui::TableColumn> logColumns_, detailColumns_;
    gui::TableState log_, detailTable_;
    gui::TableOptions logOptions_;
    std::set<int> logSelection_;
    Entry root_;
    gui::TreeModel folders_, details_;
    gui::TreeState folderTree_, detailTree_;
    gui::TreePath shown_{0};
    float split_ = 230.0f;
};

} // namespace gallery
