// Remembered placement: reading and writing the placement file (whole lines, written to a
// temporary file and renamed over the old one, so that a crash midway loses nothing), and the
// window's close handler that keeps the placement it had.
#include "gui/placement.h"

#include "gui/app_window.h"
#include "orboutil/log.h"
#include "orboutil/strings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/filename.h>

namespace gui {

namespace {

struct Placement {
    int x = 0, y = 0, w = 0, h = 0;
    bool maximized = false;
    std::map<std::string, float> values; // name=value after the five numbers
};

// The file's lines by window name, in the file's order of names; lines that are no placement
// are logged and left out.
std::map<std::string, Placement> readAll(const std::string& path) {
    std::map<std::string, Placement> all;
    std::ifstream in(path);
    if (!in)
        return all; // a first run
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        const size_t tab = line.find('\t');
        std::istringstream fields(tab == std::string::npos ? std::string() : line.substr(tab + 1));
        Placement p;
        int maximized = -1;
        bool values = true;
        const bool numbers = tab != 0 && tab != std::string::npos &&
                             (fields >> p.x >> p.y >> p.w >> p.h >> maximized);
        if (numbers)
            for (std::string field; values && fields >> field;) {
                const size_t eq = field.find('=');
                char* end = nullptr;
                const float v = eq == std::string::npos || eq == 0
                                    ? 0.0f
                                    : std::strtof(field.c_str() + eq + 1, &end);
                values = end != nullptr && *end == '\0' && end != field.c_str() + eq + 1 &&
                         std::isfinite(v);
                if (values)
                    p.values[field.substr(0, eq)] = v;
            }
        if (!numbers || !values || p.w <= 0 || p.h <= 0 || p.w > 100000 || p.h > 100000 ||
            (maximized != 0 && maximized != 1)) {
            ORBO_LOG(2) << "placement file " << path << " line " << n
                        << " is no placement; that window opens at its own size and place";
            continue;
        }
        p.maximized = maximized == 1;
        all[line.substr(0, tab)] = p;
    }
    return all;
}

void writeAll(const std::string& path, const std::map<std::string, Placement>& all) {
    wxFileName::Mkdir(wxFileName(wxString::FromUTF8(path)).GetPath(), 0700, wxPATH_MKDIR_FULL);
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [name, p] : all) {
            out << name << '\t' << p.x << ' ' << p.y << ' ' << p.w << ' ' << p.h << ' '
                << (p.maximized ? 1 : 0);
            for (const auto& [key, v] : p.values)
                out << ' ' << key << '=' << v;
            out << '\n';
        }
        if (!out.flush()) {
            ORBO_LOG(2) << "placement file " << temporary << " could not be written";
            std::remove(temporary.c_str());
            return;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        ORBO_LOG(2) << "placement file " << path << " could not be replaced";
        std::remove(temporary.c_str());
    }
}

// Names are kept one to a line: tabs and line breaks in them would break the file. A value's
// name is one field of the line: no spaces, and no '=' either.
std::string keyOf(const std::wstring& name, bool field = false) {
    std::string key = orbo::util::utf8FromWString(name);
    for (char& c : key)
        if (c == '\t' || c == '\n' || c == '\r' || (field && (c == ' ' || c == '=')))
            c = field ? '_' : ' ';
    return key;
}

} // namespace

std::string placementFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string dir;
    if (config != nullptr && config[0] == '/') {
        dir = config;
    } else {
        const char* home = std::getenv("HOME");
        dir = std::string(home ? home : "") + "/.config";
    }
    const std::string app = wxTheApp ? std::string(wxTheApp->GetAppName().utf8_str()) : "gui";
    return dir + "/" + (app.empty() ? "gui" : app) + "/placement";
}

bool rememberPlacement(AppWindow& window, const std::wstring& name,
                       const std::vector<std::pair<std::wstring, float*>>& values) {
    boost::shared_ptr<orbotk::Window> w = window.window();
    if (!w)
        return false;
    const std::string key = keyOf(name);
    const std::string path = placementFile();
    const std::map<std::string, Placement> all = readAll(path);
    bool applied = false;
    if (const auto it = all.find(key); it != all.end()) {
        const Placement& p = it->second;
        w->SetSize(p.w, p.h);
        // A place on no screen any more comes back onto the first one.
        const wxRect shown(p.x, p.y, p.w, p.h);
        const bool visible =
            wxDisplay::GetFromPoint(shown.GetTopLeft() + wxPoint(8, 8)) != wxNOT_FOUND ||
            wxDisplay::GetFromPoint(shown.GetPosition() + wxPoint(shown.width / 2, 8)) !=
                wxNOT_FOUND;
        if (visible) {
            w->Move(p.x, p.y, wxSIZE_USE_EXISTING);
        } else {
            const wxRect screen = wxDisplay(0u).GetClientArea();
            w->Move(screen.x + std::max(0, (screen.width - p.w) / 2),
                    screen.y + std::max(0, (screen.height - p.h) / 2), wxSIZE_USE_EXISTING);
        }
        if (p.maximized)
            w->Maximize(true);
        for (const auto& [valueName, value] : values)
            if (const auto v = p.values.find(keyOf(valueName, true)); v != p.values.end() && value)
                *value = v->second;
        applied = true;
    }
    // The size and place the window has when not maximised, followed as it moves and resizes,
    // is kept when it closes, beside what other windows (and other runs) kept meanwhile.
    auto normal = std::make_shared<wxRect>(w->GetRect());
    auto follow = [w = w.get(), normal](wxEvent& event) {
        if (!w->IsMaximized())
            *normal = w->GetRect();
        event.Skip();
    };
    w->Bind(wxEVT_SIZE, follow);
    w->Bind(wxEVT_MOVE, follow);
    w->Bind(wxEVT_CLOSE_WINDOW, [w = w.get(), normal, key, path, values](wxCloseEvent& event) {
        if (!w->IsMaximized())
            *normal = w->GetRect();
        std::map<std::string, Placement> now = readAll(path);
        Placement kept{normal->x, normal->y, normal->width, normal->height, w->IsMaximized(), {}};
        for (const auto& [valueName, value] : values)
            if (value)
                kept.values[keyOf(valueName, true)] = *value;
        now[key] = kept;
        writeAll(path, now);
        event.Skip();
    });
    return applied;
}

} // namespace gui
