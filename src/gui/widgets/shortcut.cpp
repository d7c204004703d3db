// Keyboard shortcuts: reading a shortcut's text without allocating (a scene asks for its
// shortcuts in every pass), matching it against the pass's key press, the keys a focused text
// field keeps, and the log of shortcuts asked for twice.
#include "gui/shortcut.h"

#include "orboutil/log.h"
#include "orboutil/strings.h"

#include <cwctype>
#include <set>
#include <string_view>
#include <utility>
#include <vector>
#include <wx/defs.h>

namespace gui {

namespace {

enum Modifier : unsigned { CTRL = 1, SHIFT = 2, ALT = 4, SUPER = 8 };

struct Keys {
    int key = 0; // a wxWidgets key code; 0 when the text names none
    unsigned modifiers = 0;
};

bool same(std::wstring_view a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return i == a.size() && b[i] == L'\0';
}

struct Named {
    const wchar_t* name;
    int key;
};
const Named NAMED[] = {
    {L"Return", WXK_RETURN},
    {L"Enter", WXK_RETURN},
    {L"Escape", WXK_ESCAPE},
    {L"Esc", WXK_ESCAPE},
    {L"Space", WXK_SPACE},
    {L"Backspace", WXK_BACK},
    {L"Delete", WXK_DELETE},
    {L"Del", WXK_DELETE},
    {L"Insert", WXK_INSERT},
    {L"Home", WXK_HOME},
    {L"End", WXK_END},
    {L"PageUp", WXK_PAGEUP},
    {L"PageDown", WXK_PAGEDOWN},
    {L"Up", WXK_UP},
    {L"Down", WXK_DOWN},
    {L"Left", WXK_LEFT},
    {L"Right", WXK_RIGHT},
    {L"Plus", '+'},
    {L"Minus", '-'},
    {L"Tab", WXK_TAB},
};

int keyOf(std::wstring_view t) {
    if (t.size() == 1) {
        const wchar_t c = t[0];
        if (c >= L'a' && c <= L'z')
            return c - L'a' + 'A';
        if (c > L' ' && c < 127)
            return c;
        return 0;
    }
    if ((t[0] == L'F' || t[0] == L'f') && t.size() <= 3) {
        int n = 0;
        for (size_t i = 1; i < t.size(); ++i) {
            if (t[i] < L'0' || t[i] > L'9')
                return 0;
            n = n * 10 + (t[i] - L'0');
        }
        return n >= 1 && n <= 24 ? WXK_F1 + n - 1 : 0;
    }
    for (const Named& n : NAMED)
        if (same(t, n.name))
            return n.key;
    return 0;
}

Keys parse(const wchar_t* text) {
    Keys k;
    if (text == nullptr)
        return k;
    const std::wstring_view all(text);
    size_t at = 0;
    while (at < all.size()) {
        // A '+' that is the last part is the key itself ("Ctrl++").
        size_t end = all.find(L'+', at == all.size() - 1 ? all.size() : at + 1);
        if (end == std::wstring_view::npos)
            end = all.size();
        const std::wstring_view part = all.substr(at, end - at);
        const bool last = end >= all.size();
        if (last) {
            k.key = keyOf(part);
        } else if (same(part, L"Ctrl") || same(part, L"Control")) {
            k.modifiers |= CTRL;
        } else if (same(part, L"Shift")) {
            k.modifiers |= SHIFT;
        } else if (same(part, L"Alt")) {
            k.modifiers |= ALT;
        } else if (same(part, L"Super") || same(part, L"Meta")) {
            k.modifiers |= SUPER;
        } else {
            return Keys();
        }
        at = end + 1;
    }
    return k;
}

// The keys a focused text field edits with.
bool fieldKeeps(int key, unsigned modifiers) {
    if ((modifiers & (CTRL | ALT | SUPER)) == 0)
        return !(key >= WXK_F1 && key <= WXK_F24);
    if ((modifiers & (ALT | SUPER)) != 0)
        return false;
    switch (key) {
    case 'A':
    case 'C':
    case 'X':
    case 'V':
    case 'Z':
    case 'Y':
    case WXK_INSERT:
    case WXK_BACK:
    case WXK_DELETE:
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_LEFT:
    case WXK_RIGHT:
    case WXK_UP:
    case WXK_DOWN:
    case WXK_HOME:
    case WXK_END:
        return true;
    default:
        return false;
    }
}

// The shortcuts asked for in the window's latest pass, and the mistakes already logged.
struct Asked {
    std::uint64_t pass = 0;
    std::vector<std::pair<int, unsigned>> keys;
    std::set<std::wstring> logged;
};

void logOnce(Asked& asked, const wchar_t* text, const char* what) {
    const std::wstring key =
        std::wstring(text ? text : L"") + L"\x1f" + orbo::util::wstringFromUtf8(what);
    if (asked.logged.insert(key).second)
        ORBO_LOG(2) << "shortcut \"" << orbo::util::utf8FromWString(text ? text : L"") << "\" "
                    << what;
}

} // namespace

bool shortcut(Ui& ui, const wchar_t* keys) {
    requirePass(ui, "shortcut");
    const Keys k = parse(keys);
    Asked& asked = ui.memory<Asked>(orbotk::ControlID());
    if (asked.pass != ui->passNumber()) {
        asked.pass = ui->passNumber();
        asked.keys.clear();
    }
    if (k.key == 0) {
        logOnce(asked, keys, "names no key; it is never heard");
        return false;
    }
    for (const auto& [key, modifiers] : asked.keys)
        if (key == k.key && modifiers == k.modifiers) {
            logOnce(asked, keys, "is asked for twice in one pass; only the first asking hears it");
            return false;
        }
    asked.keys.emplace_back(k.key, k.modifiers);

    if (ui->eventType() != wxEVT_KEY_DOWN || ui->shortcutKey() != k.key)
        return false;
    const unsigned pressed = (ui->ctrlDown() ? CTRL : 0u) | (ui->shiftDown() ? SHIFT : 0u) |
                             (ui->altDown() ? ALT : 0u) | (ui->metaDown() ? SUPER : 0u);
    if (pressed != k.modifiers)
        return false;
    return !(ui->focusIsText() && fieldKeeps(k.key, k.modifiers));
}

std::wstring shortcutText(const wchar_t* keys) {
    const Keys k = parse(keys);
    if (k.key == 0)
        return std::wstring();
    std::wstring out;
    const std::pair<unsigned, const wchar_t*> names[] = {
        {CTRL, L"Ctrl+"}, {SHIFT, L"Shift+"}, {ALT, L"Alt+"}, {SUPER, L"Super+"}};
    for (const auto& [bit, name] : names)
        if (k.modifiers & bit)
            out += name;
    if (k.key >= WXK_F1 && k.key <= WXK_F24)
        return out + L"F" + std::to_wstring(k.key - WXK_F1 + 1);
    for (const Named& n : NAMED)
        if (n.key == k.key)
            return out + n.name;
    return out + static_cast<wchar_t>(k.key);
}

} // namespace gui
