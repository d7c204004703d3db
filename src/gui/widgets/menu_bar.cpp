// The menu bar: titles laid out and drawn in every pass, the menus' content collected in the
// passes that need it, and the loop that shows one native menu after another while the user
// moves between titles, with the pointer or with Left and Right.
#include "gui/menu_bar.h"

#include "gui/palette.h"
#include "gui/render.h"
#include "gui/shortcut.h"
#include "orbotk/window.h"
#include "orboutil/log.h"

#include <cwctype>
#include <exception>
#include <string>
#include <vector>
#include <wx/menu.h>
#include <wx/tooltip.h>

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

namespace {
constexpr float TITLE_PAD = 9.0f; // on each side of a title's text
constexpr int FIRST_ID = 1;       // the menu identifier of the first item; items count up
enum Kind { MENU, END, ITEM, CHECK, RADIO, SEPARATOR };
} // namespace

struct MenuBar::State {
    struct Title {
        std::wstring source, shown; // as declared, and without its mnemonic marks
        ControlID id;
        wchar_t mnemonic = 0;                  // upper case; 0 for none
        float width = 0, markX = 0, markW = 0; // the text's width, the mnemonic's place in it
        int x = 0, y = 0, w = 0, h = 0;        // where the title was laid out last
        bool enabled = true;
    };
    // One declaration of a menu's content; kept from pass to pass so that their strings keep
    // their capacity.
    struct Entry {
        int kind = ITEM;
        std::wstring text, keys;
        bool enabled = true, marked = false;
        int leaf = 0;
    };

    std::vector<Title> titles;
    size_t titleCount = 0;
    std::vector<Entry> entries;
    size_t entryCount = 0;
    std::vector<size_t> menuStart;  // per title, its MENU entry
    std::vector<bool> enabledStack; // per open menu, whether its items can be chosen
    int leaves = 0;

    int open = -1; // the menu showing now, drawn held
    bool openByKeyboard = false;
    int request = -1; // the menu to open when the bar closes
    bool requestByKeyboard = false;
    bool firstByF10 = false;
    int chosen = -1; // the item chosen in the menu that closed, reported in the next pass
    std::wstring chosenText;
    bool altHeld = false; // mnemonics show while Alt is held

    Entry& push(int kind) {
        if (entryCount == entries.size())
            entries.emplace_back();
        Entry& e = entries[entryCount++];
        e.kind = kind;
        e.text.clear();
        e.keys.clear();
        e.enabled = true;
        e.marked = false;
        e.leaf = 0;
        return e;
    }
};

MenuBar::MenuBar(Ui& ui, const ControlID& id) : ui_(ui), state_(ui.memory<State>(id)), bar_(ui) {
    requirePass(ui, "MenuBar");
    State& s = state_;
    const wxEventType type = ui->eventType();
    const int key = ui->keyCode();
    if (type == wxEVT_KEY_DOWN && key == WXK_ALT)
        s.altHeld = true;
    else if ((type == wxEVT_KEY_UP && key == WXK_ALT) || type == wxEVT_KILL_FOCUS ||
             (type == wxEVT_MOTION && !ui->altDown()))
        s.altHeld = false;

    const bool keyPass = type == wxEVT_KEY_DOWN && ui.enabled();
    s.firstByF10 = keyPass && key == WXK_F10 && !ui->ctrlDown() && !ui->altDown() &&
                   !ui->shiftDown() && !ui->metaDown();
    const bool pressOnBar = type == wxEVT_LEFT_DOWN && ui.enabled() &&
                            bar_.over(ui->mouseX() - bar_.x(), ui->mouseY() - bar_.y());
    reporting_ = s.chosen >= 0 && !ui->isPaint();
    wanted_ = keyPass || pressOnBar || reporting_;
    s.titleCount = 0;
    s.entryCount = 0;
    s.leaves = 0;
    s.enabledStack.clear();
    s.request = -1;
    if (bar_.describing())
        bar_.describe(orbotk::Role::MenuBar, std::wstring(), orbotk::ACC_ENABLED);
}

void MenuBar::title(const wchar_t* text, bool enabled) {
    State& s = state_;
    if (s.titleCount == s.titles.size())
        s.titles.emplace_back();
    State::Title& t = s.titles[s.titleCount++];
    const wxFont& font = ui_.look().configFont;
    if (t.source != text) {
        t.source = text;
        t.shown.clear();
        t.mnemonic = 0;
        size_t markAt = std::wstring::npos;
        for (const wchar_t* c = text; *c; ++c) {
            if (*c == L'&' && c[1] != L'\0') {
                ++c;
                if (*c != L'&' && t.mnemonic == 0) {
                    t.mnemonic = static_cast<wchar_t>(std::towupper(*c));
                    markAt = t.shown.size();
                }
            }
            t.shown += *c;
        }
        t.id = ControlID(L"menu:" + t.shown, orbotk::TabIdx::DISABLED);
        t.width = getTextShape(ui_, t.shown.c_str(), font).width;
        if (markAt != std::wstring::npos) {
            const std::wstring before = t.shown.substr(0, markAt);
            const std::wstring letter = t.shown.substr(markAt, 1);
            t.markX = before.empty() ? 0.0f : getTextShape(ui_, before.c_str(), font).width;
            t.markW = getTextShape(ui_, letter.c_str(), font).width;
        }
    }
    const int k = static_cast<int>(s.titleCount) - 1;
    const bool on = enabled && ui_.enabled();
    t.enabled = on;

    float x = 0;
    if (k > 0) {
        const State::Title& before = s.titles[k - 1];
        x = static_cast<float>(before.x + before.w) - bar_.x();
    }
    Box box(ui_, t.width + 2 * TITLE_PAD, FILL, t.id, on);
    box.setLeft(x);
    t.x = static_cast<int>(box.x());
    t.y = static_cast<int>(box.y());
    t.w = static_cast<int>(box.w());
    t.h = static_cast<int>(box.h());
    const bool held = s.open == k;
    if (box.describing())
        box.describe(orbotk::Role::Menu, t.shown,
                     (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_EXPANDABLE |
                         (held ? orbotk::ACC_EXPANDED : 0u));
    if (on && box.leftClicked() && s.request < 0) {
        s.request = k;
        s.requestByKeyboard = false;
    }
    if (on && s.request < 0 && ui_->eventType() == wxEVT_KEY_DOWN && ui_.enabled()) {
        const bool altOnly =
            ui_->altDown() && !ui_->ctrlDown() && !ui_->metaDown() && !ui_->shiftDown();
        if ((altOnly && t.mnemonic != 0 && ui_->shortcutKey() == t.mnemonic) || s.firstByF10) {
            s.request = k;
            s.requestByKeyboard = true;
        }
    }
    if (!ui_->isPaint())
        return;

    // Front to back: the text, its mnemonic's underline, the title's highlight.
    {
        const float textH = getTextShape(ui_, t.shown.c_str(), font).height;
        Box text(ui_, t.width, textH);
        text.setLeft(TITLE_PAD);
        text.setCenterY();
        ui_.color(on ? orbopal::Text : orbopal::DisabledText);
        render(ui_, font, t.shown, 0);
        if (t.mnemonic != 0 && on && (s.altHeld || (held && s.openByKeyboard))) {
            Box mark(ui_, t.markW, 1.0f);
            mark.setLeft(t.markX);
            mark.setTop(textH);
            render(ui_);
        }
    }
    if (held)
        render(ui_, orbopal::FocusedHighlight);
    else if (on && box.over())
        render(ui_, orbopal::Hover);
}

bool MenuBar::menu(const wchar_t* title, bool enabled) {
    State& s = state_;
    const bool top = s.enabledStack.empty();
    if (top)
        this->title(title ? title : L"", enabled);
    if (!wanted_)
        return false;
    const bool parentOn = top ? ui_.enabled() : static_cast<bool>(s.enabledStack.back());
    State::Entry& e = s.push(MENU);
    e.text = title ? title : L"";
    e.enabled = enabled && parentOn;
    if (top) {
        s.menuStart.resize(s.titleCount);
        s.menuStart[s.titleCount - 1] = s.entryCount - 1;
    }
    s.enabledStack.push_back(e.enabled);
    return true;
}

void MenuBar::endMenu() {
    State& s = state_;
    if (s.enabledStack.empty()) {
        ORBO_LOG(2) << "MenuBar::endMenu without an open menu";
        return;
    }
    s.push(END);
    s.enabledStack.pop_back();
}

bool MenuBar::leaf(int kind, const wchar_t* text, bool marked, const wchar_t* keys, bool enabled) {
    State& s = state_;
    if (!wanted_ || s.enabledStack.empty())
        return false;
    const int leaf = ++s.leaves;
    const bool on = enabled && s.enabledStack.back();
    State::Entry& e = s.push(kind);
    if (text)
        e.text = text;
    if (keys)
        e.keys = keys;
    e.enabled = on;
    e.marked = marked;
    e.leaf = leaf;
    bool chosen = reporting_ && s.chosen == leaf && s.chosenText == e.text && on;
    // Every pass of a key press asks, so that a shortcut declared twice is told of either way.
    if (keys && ui_->eventType() == wxEVT_KEY_DOWN && shortcut(ui_, keys) && on)
        chosen = true;
    return chosen;
}

bool MenuBar::item(const wchar_t* text, const wchar_t* keys, bool enabled) {
    return leaf(ITEM, text, false, keys, enabled);
}

bool MenuBar::check(const wchar_t* text, bool& on, const wchar_t* keys, bool enabled) {
    if (!leaf(CHECK, text, on, keys, enabled))
        return false;
    on = !on;
    return true;
}

bool MenuBar::radio(const wchar_t* text, int& value, int mine, const wchar_t* keys, bool enabled) {
    if (!leaf(RADIO, text, value == mine, keys, enabled))
        return false;
    value = mine;
    return true;
}

void MenuBar::separator() {
    if (wanted_ && !state_.enabledStack.empty())
        state_.push(SEPARATOR);
}

MenuBar::~MenuBar() {
    State& s = state_;
    if (ui_->isPaint()) {
        ui_.color(orbopal::ListBorder);
        render(ui_, orbopal::ListBorder, BORDER_BOTTOM);
    }
    if (reporting_)
        s.chosen = -1;
    if (!s.enabledStack.empty()) {
        ORBO_LOG(2) << "MenuBar: " << s.enabledStack.size() << " menu(s) not closed with endMenu";
        s.enabledStack.clear();
    }
    if (s.request >= 0 && !ui_->isPaint() && std::uncaught_exceptions() == 0) {
        try {
            open();
        } catch (const std::exception& e) {
            ORBO_LOG(1) << "MenuBar: the menu failed: " << e.what();
        }
    }
    s.request = -1;
}

namespace {

// A menu item's label: its text, and its shortcut as the platform's menus show one.
wxString label(const MenuBar::State::Entry& e);

// Appends the entries from `at` up to the END of the menu they are in; returns the index past it.
size_t build(const std::vector<MenuBar::State::Entry>& entries, wxMenu& menu, size_t at) {
    while (at < entries.size()) {
        const MenuBar::State::Entry& e = entries[at++];
        const int id = FIRST_ID + e.leaf - 1;
        switch (e.kind) {
        case END:
            return at;
        case MENU: {
            auto* sub = new wxMenu;
            at = build(entries, *sub, at);
            menu.AppendSubMenu(sub, e.text)->Enable(e.enabled);
            break;
        }
        case CHECK: {
            wxMenuItem* m = menu.AppendCheckItem(id, label(e));
            m->Enable(e.enabled);
            m->Check(e.marked);
            break;
        }
        case RADIO: {
            wxMenuItem* m = menu.AppendRadioItem(id, label(e));
            m->Enable(e.enabled);
            if (e.marked)
                m->Check(true);
            break;
        }
        case SEPARATOR:
            menu.AppendSeparator();
            break;
        default:
            menu.Append(id, label(e))->Enable(e.enabled);
            break;
        }
    }
    return at;
}

wxString label(const MenuBar::State::Entry& e) {
    if (e.keys.empty())
        return e.text;
    std::wstring keys = shortcutText(e.keys.c_str());
    if (keys.empty())
        return e.text;
    // The platform's menus read the key's names their own way.
    const std::pair<const wchar_t*, const wchar_t*> names[] = {{L"PageUp", L"PgUp"},
                                                               {L"PageDown", L"PgDn"}};
    for (const auto& [ours, theirs] : names) {
        const size_t at = keys.find(ours);
        if (at != std::wstring::npos)
            keys.replace(at, std::wcslen(ours), theirs);
    }
    return e.text + L"\t" + keys;
}

} // namespace

void MenuBar::open() {
    State& s = state_;
    boost::shared_ptr<orbotk::Window> window = ui_->window().lock();
    if (!window || ui_.popupOpen)
        return;
    ui_.popupOpen = true;
    struct Guard {
        Ui& ui;
        State& s;
        ~Guard() {
            ui.popupOpen = false;
            s.open = -1;
            wxToolTip::Enable(true);
            ui.refresh();
        }
    } guard{ui_, s};
    wxToolTip::Enable(false);

    // What this pass declared, kept apart from the passes that run while a menu is open.
    const std::vector<State::Entry> entries(s.entries.begin(), s.entries.begin() + s.entryCount);
    const std::vector<size_t> starts = s.menuStart;
    // The titles as the menus see them: a disabled one is never moved to.
    std::vector<wxRect> titles(s.titleCount);
    for (size_t j = 0; j < s.titleCount; ++j)
        if (s.titles[j].enabled)
            titles[j] = wxRect(s.titles[j].x, s.titles[j].y, s.titles[j].w, s.titles[j].h);

    int k = s.request;
    bool byKeyboard = s.requestByKeyboard;
    while (k >= 0 && static_cast<size_t>(k) < starts.size()) {
        s.open = k;
        s.openByKeyboard = byKeyboard;
        ui_.refresh();

        wxMenu menu;
        build(entries, menu, starts[k] + 1);
        int chosenId = -1;
        menu.Bind(wxEVT_MENU, [&chosenId](wxCommandEvent& e) { chosenId = e.GetId(); });
        orbotk::Window::MenuMove move;
        {
            // The menu runs the platform's loop; the window's own events go on meanwhile, in
            // passes of their own, and this pass resumes when the menu closes.
            const orbotk::UIContext::Suspension suspended(ui_);
            move = window->popupBarMenu(menu, titles, k, byKeyboard);
        }
        if (chosenId >= FIRST_ID) {
            const int leaf = chosenId - FIRST_ID + 1;
            for (const State::Entry& e : entries)
                if (e.kind != MENU && e.leaf == leaf) {
                    s.chosen = leaf;
                    s.chosenText = e.text;
                    window->postPass();
                    break;
                }
            return;
        }
        k = move.title;
        byKeyboard = move.byKey;
    }
}

} // namespace gui
