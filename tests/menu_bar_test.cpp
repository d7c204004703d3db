// The menu bar on the (virtual) screen: items chosen through the native menus and reported in
// the pass after the menu closed, shortcuts named by items, and real input from xdotool, sent
// from a timer since each menu runs its own loop: Alt+letter, F10, the pointer and Left/Right
// moving between menus, a submenu, Escape, a shortcut with and without a focused field and on
// a second keyboard layout. Goldens of the bar closed, with a title held and with mnemonics.
#include "golden.h"
#include "gui/line_edit.h"
#include "gui/menu_bar.h"
#include "gui/shortcut.h"
#include "harness.h"
#include "widget_host.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>
#include <wx/timer.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;
using testing_support::settle;
using testing_support::waitFor;

namespace {

// What the window's menus say and what the user chose in them.
struct Model {
    std::vector<std::wstring> heard; // items in the order they were chosen
    std::vector<int> heardInPass;    // the pass each was heard in
    bool wrap = false, saveOn = true, twice = false, withField = true;
    int size = 0;
    gui::TextState field{Host::configFont_, L""}; // a window has loaded the fonts

    void scene(Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        {
            Box band(h.ui(), gui::FILL, gui::MENU_BAR_HEIGHT);
            gui::MenuBar bar(ui);
            auto hear = [&](bool chosen, const wchar_t* what) {
                if (chosen) {
                    heard.push_back(what);
                    heardInPass.push_back(static_cast<int>(h.ui()->passNumber()));
                }
            };
            if (bar.menu(L"&File")) {
                hear(bar.item(L"&New", L"Ctrl+N"), L"New");
                hear(bar.item(L"&Open…", L"Ctrl+O"), L"Open");
                if (bar.menu(L"Open &Recent")) {
                    hear(bar.item(L"a.txt"), L"a.txt");
                    hear(bar.item(L"b.txt"), L"b.txt");
                    bar.endMenu();
                }
                bar.separator();
                hear(bar.item(L"&Save", L"Ctrl+S", saveOn), L"Save");
                bar.endMenu();
            }
            if (bar.menu(L"&Edit")) {
                hear(bar.item(L"&Undo", L"Ctrl+Z"), L"Undo");
                bar.separator();
                hear(bar.check(L"&Word Wrap", wrap, L"Alt+Z"), L"Wrap");
                bar.endMenu();
            }
            if (bar.menu(L"&View")) {
                hear(bar.radio(L"&Small", size, 0), L"Small");
                hear(bar.radio(L"&Large", size, 1, L"Ctrl+PageDown"), L"Large");
                bar.endMenu();
            }
            if (bar.menu(L"&Tools", false)) {
                hear(bar.item(L"&Sort", L"F5"), L"Sort");
                bar.endMenu();
            }
        }
        if (twice && gui::shortcut(ui, L"ctrl+n"))
            heard.push_back(L"host's Ctrl+N");
        if (!withField)
            return;
        Box at(h.ui(), 200.0f, 28.0f);
        at.setPos(10.0f, 60.0f);
        h.doLineEdit(ControlID(L"field"), field, L"", 0.0f);
    }
};

// A shown window with the menus; real keys and pointer moves are sent one step at a time from
// a timer, which runs inside whatever loop is running (a menu's own, once one is open).
struct MenuBarTest : ::testing::Test {
    Hosted win{360, 120};
    Model m;
    std::vector<std::wstring> opened; // the first item of each menu as it opened
    std::deque<std::string> steps;
    wxTimer stepper, watchdog;

    void SetUp() override {
        win->scene = [this](Host& h) { m.scene(h); };
        win->Show(true);
        ASSERT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
        settle();
        win.driver->paint();
        win->window()->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& e) {
            e.Skip();
            wxMenu* menu = e.GetMenu();
            if (menu && e.IsPopup() && menu->GetMenuItemCount() > 0)
                opened.push_back(menu->FindItemByPosition(0)->GetItemLabelText().ToStdWstring());
        });
        stepper.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            if (steps.empty())
                return;
            const std::string cmd = "xdotool " + steps.front();
            steps.pop_front();
            EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        });
        watchdog.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            std::fprintf(stderr, "a menu was still open after 20 s: failing\n");
            std::fflush(stderr);
            std::_Exit(1);
        });
        // The keyboard follows the pointer on a display without a window manager.
        run({"mousemove " + at(300, 100)});
    }
    void TearDown() override { win->scene = nullptr; }

    // Window coordinates to the X server's.
    std::string at(int x, int y) {
        const wxPoint p = win->window()->canvas()->ClientToScreen(wxPoint(x, y));
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }
    std::string over(const std::wstring& name) {
        const wxRect r = win.driver->rect(name);
        return at(r.x + r.width / 2, r.y + r.height / 2);
    }
    // Sends each step a quarter of a second after the last, then waits for the menus to close
    // and the posted pass to run.
    void run(std::vector<std::string> script) {
        steps.assign(script.begin(), script.end());
        watchdog.StartOnce(20000);
        stepper.Start(250);
        waitFor([&] { return steps.empty(); });
        stepper.Stop();
        settle();
        settle();
        watchdog.Stop();
    }
};

} // namespace

TEST_F(MenuBarTest, AnItemChosenInTheMenuIsHeardInThePassAfterItClosed) {
    auto outcome = orbotk::testing::pickNextMenuItem(L"Save");
    const int before = static_cast<int>(win.driver->context()->passNumber());
    win.driver->click(L"menu:File");
    EXPECT_TRUE(outcome->acted);
    win.driver->flush();
    ASSERT_EQ(m.heard, std::vector<std::wstring>{L"Save"});
    EXPECT_GT(m.heardInPass[0], before + 2); // after the passes of the move and the press
    win.driver->flush();
    EXPECT_EQ(m.heard.size(), 1u); // once

    orbotk::testing::pickNextMenuItem(L"Word Wrap");
    win.driver->click(L"menu:Edit");
    win.driver->flush();
    EXPECT_TRUE(m.wrap);
    orbotk::testing::pickNextMenuItem(L"Large");
    win.driver->click(L"menu:View");
    win.driver->flush();
    EXPECT_EQ(m.size, 1);

    // A disabled item cannot be chosen, nor can a disabled menu be opened.
    m.saveOn = false;
    auto refused = orbotk::testing::pickNextMenuItem(L"Save", std::chrono::seconds(2));
    orbotk::testing::setFailureHandler([](const std::string&) {});
    win.driver->click(L"menu:File");
    EXPECT_TRUE(refused->failed());
    opened.clear();
    orbotk::testing::pickNextMenuItem(L"", std::chrono::milliseconds(300)); // if one opened
    win.driver->click(L"menu:Tools");
    settle();
    EXPECT_TRUE(opened.empty());
    win.driver->flush();
    EXPECT_EQ(m.heard.size(), 3u);
}

TEST_F(MenuBarTest, ShortcutsOfItemsAreHeardInThePassOfTheKey) {
    win.driver->press('S', wxMOD_CONTROL);
    win.driver->press('L' /* not declared */, wxMOD_CONTROL);
    win.driver->press(WXK_PAGEDOWN, wxMOD_CONTROL);
    win.driver->press('Z', wxMOD_ALT);
    EXPECT_EQ(m.heard, (std::vector<std::wstring>{L"Save", L"Large", L"Wrap"}));
    EXPECT_TRUE(m.wrap);
    // Disabled items and items of disabled menus are not heard; the field keeps Ctrl+Z.
    m.saveOn = false;
    win.driver->press('S', wxMOD_CONTROL);
    win.driver->press(WXK_F5);
    win.driver->click(L"field");
    win.driver->press('Z', wxMOD_CONTROL);
    EXPECT_EQ(m.heard.size(), 3u);
    // A shortcut a host asks for besides an item's is logged.
    testing_support::LogCapture log;
    m.twice = true;
    win.driver->press('N', wxMOD_CONTROL);
    EXPECT_EQ(m.heard.back(), L"New");
    EXPECT_NE(log.text().find("\"ctrl+n\" is asked for twice"), std::string::npos) << log.text();
}

TEST_F(MenuBarTest, RealKeysOpenMenusByMnemonicAndF10AndChooseItems) {
    run({"key alt+f", "key Down", "key Return"});
    EXPECT_EQ(m.heard, std::vector<std::wstring>{L"Open"});
    // Into the submenu with Right: Right on an item with a submenu stays in the menu.
    run({"key F10", "key Down Down", "key Right", "key Return"});
    EXPECT_EQ(m.heard.back(), L"a.txt");
    opened.clear();
    run({"key alt+e", "key Escape"});
    EXPECT_EQ(opened, std::vector<std::wstring>{L"Undo"});
    EXPECT_EQ(m.heard.size(), 2u);
}

TEST_F(MenuBarTest, ThePointerAndLeftRightMoveBetweenMenus) {
    run({"mousemove " + over(L"menu:File") + " click 1", "mousemove " + over(L"menu:Edit"),
         "mousemove " + over(L"menu:View"), "key Escape"});
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"New", L"Undo", L"Small"}));
    opened.clear();
    // Right from the last enabled menu wraps past the disabled one to the first.
    run({"key alt+e", "key Right", "key Right", "key Left", "key Left", "key Escape"});
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"Undo", L"Small", L"New", L"Small", L"Undo"}));
    EXPECT_TRUE(m.heard.empty());
}

TEST_F(MenuBarTest, RealShortcutsWithAndWithoutAFocusedFieldAndOnASecondLayout) {
    run({"key ctrl+s"});
    run({"mousemove " + over(L"field") + " click 1", "type ab", "key ctrl+z", "key ctrl+o"});
    EXPECT_EQ(m.heard, (std::vector<std::wstring>{L"Save", L"Open"}));
    EXPECT_EQ(m.field.text(), L""); // Ctrl+Z was the field's: it undid the typing
    ASSERT_EQ(std::system("setxkbmap -layout ru,us"), 0);
    struct Restore {
        ~Restore() { std::system("setxkbmap -layout us"); }
    } restore;
    run({"key ctrl+Cyrillic_yeru"}); // the key that is S on the second layout
    EXPECT_EQ(m.heard.back(), L"Save");
}

TEST_F(MenuBarTest, Goldens) {
    for (int scale : {1, 2}) {
        Hosted w(300, 40, false, scale);
        Model model;
        model.withField = false;
        w->scene = [&model](Host& h) { model.scene(h); };
        w->Show(true);
        ASSERT_TRUE(waitFor([&] { return w->window()->canvas()->IsShownOnScreen(); }));
        orbotk::Driver& d = *w.driver;
        d.paint();
        d.mouseMove(290, 35);
        d.paint();
        testing_support::expectGolden(d, "menu_bar");
        d.keyDown(WXK_ALT, wxMOD_ALT);
        d.paint();
        testing_support::expectGolden(d, "menu_bar_mnemonics");
        d.keyUp(WXK_ALT);
        // Held: the frame painted while the menu is open, which the helper then dismisses.
        wxTimer shot;
        shot.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            d.paint();
            testing_support::expectGolden(d, "menu_bar_held");
        });
        w->window()->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
            e.Skip();
            shot.StartOnce(20);
        });
        orbotk::testing::pickNextMenuItem(L"");
        d.click(L"menu:Edit");
        w->scene = nullptr;
    }
}
