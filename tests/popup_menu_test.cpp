// Popup menus, opened for real on the (virtual) screen and answered with real X key events:
// the picked item's iterator for plain and check items, items.end() for Escape, a disabled
// item that the keyboard cannot reach, an empty list and a call while the menu is open, and
// the log lines at level 4 only; the window's passes go on while a menu is open, and the pass
// that opened it ends with its own tree. A watchdog ends the process if a menu never closes.
#include "gui/popup_menu.h"
#include "gui/render.h"
#include "harness.h"
#include "orboutil/log.h"
#include "widget_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

using gui::AppWindow;
using gui::Box;
using testing_support::Hosted;
using Items = std::vector<AppWindow::PopupItem>;

namespace {

bool yes = true, no = false;

AppWindow::PopupItem item(AppWindow::PopupItemType type, const wchar_t* text, bool* enabled,
                          bool* checked = nullptr) {
    return AppWindow::PopupItem(type, text, enabled, checked, wxBitmap(), wxBitmap(), 0);
}

// A shown window whose button opens the menu; keys are typed into the menu once it is open.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        win.host->Show(true);
        wxWindow* canvas = win.host->window()->canvas();
        for (int i = 0; i < 300 && !canvas->IsShownOnScreen(); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
        ASSERT_TRUE(canvas->IsShownOnScreen());
        win->scene = [this](testing_support::Host& h) {
            Box button(h.ui(), 100.0f, 30.0f, orbotk::ControlID(L"open"));
            button.setPos(10.0f, 10.0f);
            if (button.leftClicked()) {
                result = h.doPopupMenu(items);
                opened = true;
            }
        };
        win.driver->paint();
        win.host->window()->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& e) {
            e.Skip();
            ++menusOpened;
            shown.clear();
            if (wxMenu* menu = e.GetMenu())
                for (wxMenuItem* m : menu->GetMenuItems())
                    shown.push_back(Shown{m->GetId(), m->IsSeparator(),
                                          !m->IsSeparator() && m->IsEnabled(),
                                          m->IsCheckable() && m->IsChecked()});
            typist.StartOnce(150); // let the menu take its grab first
        });
        typist.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            if (whileOpen)
                whileOpen();
            wxUIActionSimulator sim;
            for (int key : keys)
                sim.Char(key);
        });
        watchdog.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            std::fprintf(stderr, "popup menu still open after 10 s: failing\n");
            std::fflush(stderr);
            std::_Exit(1);
        });
    }

    // Opens the menu with a click on the button and types keys once it shows; returns the
    // index of the picked item, or -1 for items.end().
    int pick(const Items& list, std::vector<int> typed) {
        items = list;
        keys = std::move(typed);
        opened = false;
        watchdog.StartOnce(10000);
        win.driver->click(L"open");
        watchdog.Stop();
        EXPECT_TRUE(opened);
        return result == items.end() ? -1 : static_cast<int>(result - items.begin());
    }

    Hosted win{200, 120};
    Items items;
    Items::const_iterator result;
    bool opened = false;
    int menusOpened = 0;
    std::vector<int> keys;
    std::function<void()> whileOpen;
    // The items of the last menu as it showed.
    struct Shown {
        int id;
        bool separator, enabled, checked;
    };
    std::vector<Shown> shown;
    wxTimer typist, watchdog;
};

} // namespace

TEST_F(MenuTest, PicksPlainAndCheckItemsByTheirIdentifiers) {
    const Items list = {item(AppWindow::POPUP_NORMAL, L"Open", &yes),
                        item(AppWindow::POPUP_SEPARATOR, L"", nullptr),
                        item(AppWindow::POPUP_CHECK, L"Word wrap", &yes, &yes)};
    EXPECT_EQ(pick(list, {WXK_DOWN, WXK_RETURN}), 0);
    // The separator is skipped by the keyboard but counted: the check item is the third.
    EXPECT_EQ(pick(list, {WXK_DOWN, WXK_DOWN, WXK_RETURN}), 2);
    EXPECT_EQ(menusOpened, 2);
    ASSERT_EQ(shown.size(), 3u); // the placeholder has gone
    EXPECT_EQ(shown[0].id, 1);
    EXPECT_TRUE(shown[1].separator);
    EXPECT_EQ(shown[2].id, 3);
    EXPECT_TRUE(shown[2].checked);
}

TEST_F(MenuTest, EscapeAndDisabledItemsPickNothing) {
    const Items list = {item(AppWindow::POPUP_NORMAL, L"Open", &yes),
                        item(AppWindow::POPUP_CHECK, L"Gone", &no, &no)};
    EXPECT_EQ(pick(list, {WXK_ESCAPE}), -1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FALSE(shown[1].enabled);
    // Down wraps past the disabled item back to the first one.
    EXPECT_EQ(pick(list, {WXK_DOWN, WXK_DOWN, WXK_RETURN}), 0);
    const Items onlyDisabled = {item(AppWindow::POPUP_NORMAL, L"Gone", &no)};
    EXPECT_EQ(pick(onlyDisabled, {WXK_DOWN, WXK_RETURN, WXK_ESCAPE}), -1);
}

TEST_F(MenuTest, EmptyListShowsNothingToPick) {
    EXPECT_EQ(pick(Items(), {WXK_ESCAPE}), -1);
    EXPECT_EQ(menusOpened, 1);
    EXPECT_TRUE(shown.empty());
}

TEST_F(MenuTest, LogsAtLevelFourAndASecondCallReturnsAtOnce) {
    const Items list = {item(AppWindow::POPUP_NORMAL, L"Open", &yes)};
    testing_support::LogCapture log;
    EXPECT_EQ(pick(list, {WXK_RETURN, WXK_ESCAPE}), -1);
    EXPECT_EQ(log.text().find("doPopupMenu"), std::string::npos);

    const int level = orbo::util::the_log_level;
    orbo::util::the_log_level = 4;
    bool inner = false;
    whileOpen = [&] {
        // Still inside the first call's pass: the guard answers without a menu or a log line.
        inner = win->doPopupMenu(list) == list.end();
    };
    EXPECT_EQ(pick(list, {WXK_DOWN, WXK_RETURN}), 0);
    orbo::util::the_log_level = level;
    EXPECT_TRUE(inner);
    const std::string text = log.text();
    EXPECT_NE(text.find("app_window:483\tEntering doPopupMenu\n"), std::string::npos) << text;
    EXPECT_NE(text.find("app_window:552\tLeaving doPopupMenu\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Entering", text.find("Entering") + 1), std::string::npos) << text;
}

TEST_F(MenuTest, TheWindowsPassesRunWhileTheMenuIsOpenAndThePassThatOpenedItEndsItsOwn) {
    const Items list = {item(AppWindow::POPUP_NORMAL, L"Open", &yes)};
    bool menuOpen = false, askAgain = false, innerEnd = false, afterMenu = false;
    int treeAfter = -1;               // what the pass after the click's found: 1 its box, 0 not
    orbo::tk::RGBA mark(0xFF0000FFu); // blue; red once a timer asks for a repaint
    int passesWhileOpen = 0;
    win->scene = [&](testing_support::Host& h) {
        if (afterMenu && treeAfter < 0) { // the first pass after the click's sees its tree
            int x, y, w, hh;
            treeAfter = h.ui()->findControl(L"after menu", x, y, w, hh) &&
                        !h.ui()->findControl(L"nested", x, y, w, hh);
        }
        {
            Box swatch(h.ui(), 20.0f, 20.0f);
            swatch.setPos(150.0f, 10.0f);
            gui::render(h.ui(), mark);
        }
        if (menuOpen) {
            ++passesWhileOpen;
            Box nested(h.ui(), 10.0f, 10.0f, orbotk::ControlID(L"nested"));
            if (askAgain) // a second menu of the same window: none, at once
                innerEnd = h.doPopupMenu(items) == items.end();
        }
        Box button(h.ui(), 100.0f, 30.0f, orbotk::ControlID(L"open"));
        button.setPos(10.0f, 10.0f);
        if (button.leftClicked()) {
            menuOpen = true;
            result = h.doPopupMenu(items);
            menuOpen = false;
            opened = true;
            // Still the pass of the click, as it was: its boxes, its event.
            EXPECT_TRUE(button.leftClicked());
            Box after(h.ui(), 10.0f, 10.0f, orbotk::ControlID(L"after menu"));
            afterMenu = true;
        }
    };
    win.driver->paint();

    // What the X server shows at the swatch: the screen itself.
    auto screenRed = [&] {
        Display* dpy = XOpenDisplay(nullptr);
        const wxPoint at = win.host->window()->canvas()->GetScreenPosition();
        XImage* image =
            XGetImage(dpy, DefaultRootWindow(dpy), at.x + 160, at.y + 20, 1, 1, AllPlanes, ZPixmap);
        const unsigned long p = image ? XGetPixel(image, 0, 0) : 0;
        if (image)
            XDestroyImage(image);
        XCloseDisplay(dpy);
        return (p & 0xFFFFFFu) == 0xFF0000u;
    };
    testing_support::LogCapture log;
    const int level = orbo::util::the_log_level;
    orbo::util::the_log_level = 4;
    bool shownWhileOpen = false;
    whileOpen = [&] {
        mark = orbo::tk::RGBA(0xFFFF0000u); // as a timer's handler would, then a repaint
        win.host->Refresh();
        shownWhileOpen = testing_support::waitFor(screenRed);
        askAgain = true;
        win.driver->mouseMove(60, 80);
        askAgain = false;
    };
    EXPECT_EQ(pick(list, {WXK_DOWN, WXK_RETURN}), 0);
    orbo::util::the_log_level = level;
    EXPECT_TRUE(shownWhileOpen) << "the repaint asked for while the menu was open";
    EXPECT_GE(passesWhileOpen, 2) << "the repaint's pass and the motion's";
    EXPECT_TRUE(innerEnd);
    const std::string text = log.text();
    EXPECT_EQ(text.find("Entering", text.find("Entering") + 1), std::string::npos) << text;
    // The click's pass ended after the motion's: its tree became the window's.
    EXPECT_TRUE(afterMenu);
    EXPECT_EQ(treeAfter, 1);
}
