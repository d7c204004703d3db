// The menu bar: a row of menu titles drawn across the current box, each opening a native popup
// menu (the platform's own, as doPopupMenu's) below its title. It is declared in the scene like
// every widget, in a box the host places:
//
//     gui::Box band(ui(), FILL, gui::MENU_BAR_HEIGHT);
//     gui::MenuBar bar(ui());
//     if (bar.menu(L"&File")) {
//         if (bar.item(L"&Open…", L"Ctrl+O"))
//             open();
//         if (bar.menu(L"Open &Recent")) { // a menu within a menu is a submenu
//             ...
//             bar.endMenu();
//         }
//         bar.separator();
//         bar.check(L"&Word Wrap", wrap);
//         bar.endMenu();
//     }
//
// The rules:
//   - menu() lays out and draws its title, and is true when the menu's content is wanted in this
//     pass: then, and only then, declare its items and close it with endMenu(). Content is
//     wanted in passes of a key press, of a press on the bar, and the pass that reports a
//     choice; other passes cost the titles alone.
//   - A press on a title opens its menu; while a menu is open, pointing at another title, or
//     Left and Right within the menu, opens that one. Holding Alt underlines the titles'
//     mnemonics (the letter after '&'), Alt with one of them opens its menu and F10 the first,
//     each with its first item selected. Escape, or a press elsewhere, closes the menu.
//   - The menu opens when the bar goes out of scope, after all titles are declared; the pass
//     that opened it is suspended while it is open, and the window's other passes run.
//   - An item is chosen in the pass after its menu closed on it (a pass of its own, run once
//     the menu has gone), or in the pass in which its shortcut is pressed (gui::shortcut's
//     rules; the shortcut shows at the item's right). A disabled item, or one in a disabled
//     menu, is never chosen. check() flips its flag and radio() sets its value when chosen.
//   - Titles do not take the keyboard focus; screen readers see a menu bar of menus, and the
//     menus themselves through the platform.
#pragma once

#include "gui/box.h"
#include "gui/ui.h"

namespace gui {

// The height a menu bar is drawn for.
constexpr float MENU_BAR_HEIGHT = 24.0f;

class MenuBar {
public:
    // A menu bar across the current box. A window has one; id tells several apart.
    explicit MenuBar(Ui& ui, const orbotk::ControlID& id = orbotk::ControlID(L"menu bar"));
    // Opens the menu asked for in this pass, if any; returns when it closes.
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // A menu: a title in the bar, or a submenu within a menu.
    bool menu(const wchar_t* title, bool enabled = true);
    void endMenu();

    bool item(const wchar_t* text, const wchar_t* shortcut = nullptr, bool enabled = true);
    bool check(const wchar_t* text, bool& on, const wchar_t* shortcut = nullptr,
               bool enabled = true);
    bool radio(const wchar_t* text, int& value, int mine, const wchar_t* shortcut = nullptr,
               bool enabled = true);
    void separator();

    struct State; // what the bar keeps between passes

private:
    bool leaf(int kind, const wchar_t* text, bool marked, const wchar_t* shortcut, bool enabled);
    void title(const wchar_t* text, bool enabled);
    void open();

    Ui& ui_;
    State& state_;
    Box bar_;
    bool wanted_ = false;    // the menus' content is declared in this pass
    bool reporting_ = false; // this pass reports the item chosen in a menu that has closed
};

} // namespace gui
