// Tabs through the driver: a click, the strip's keys, the window-wide shortcuts from a focused
// text field, closing by the mark and by a middle click, scrolling where they do not fit with
// the selected tab brought into view, and what screen readers hear; with real keys (xdotool)
// the shortcuts from a text field. Goldens at 1x and 2x.
#include "golden.h"
#include "gui/line_edit.h"
#include "gui/tabs.h"
#include "widget_host.h"

#include <cstdlib>
#include <string>
#include <vector>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

struct Strip {
    std::vector<std::wstring> names{L"General", L"Fonts", L"Colours", L"Keys", L"Advanced"};
    int selected = 0, changes = 0, closed = -1;
    float width = 400.0f;
    gui::TabsOptions o;
    gui::TextState field{Host::configFont_, L""};

    void scene(Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        {
            Box at(h.ui(), width, 24.0f);
            at.setPos(4.0f, 4.0f);
            const gui::TabsResult r = gui::doTabs(ui, ControlID(L"tab"), selected, names, o);
            changes += r.changed;
            if (r.closed >= 0)
                closed = r.closed;
        }
        Box at(h.ui(), 200.0f, 30.0f);
        at.setPos(4.0f, 40.0f);
        gui::doLineEdit(ui, ControlID(L"field"), field, nullptr, 0.0f);
    }
};

struct TabsTest : ::testing::Test {
    Hosted win{420, 80};
    Strip s;
    void SetUp() override {
        win->scene = [this](Host& h) { s.scene(h); };
        win.driver->paint();
    }
    void TearDown() override { win->scene = nullptr; }
    orbotk::Driver& d() { return *win.driver; }
    bool shown(const std::wstring& name) {
        int x, y, w, h;
        return d().context()->findControl(name, x, y, w, h);
    }
};

} // namespace

TEST_F(TabsTest, ClicksKeysAndTheShortcutsSelect) {
    d().click(L"tab:Colours");
    EXPECT_EQ(s.selected, 2);
    d().press(WXK_RIGHT); // the strip took the focus
    EXPECT_EQ(s.selected, 3);
    d().press(WXK_END);
    EXPECT_EQ(s.selected, 4);
    d().press(WXK_RIGHT); // no further
    d().press(WXK_HOME);
    EXPECT_EQ(s.selected, 0);
    EXPECT_EQ(s.changes, 4);
    // From a focused text field: round the ends both ways.
    d().click(L"field");
    d().press(WXK_TAB, wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(s.selected, 4);
    d().press(WXK_TAB, wxMOD_CONTROL);
    EXPECT_EQ(s.selected, 0);
    d().press(WXK_PAGEDOWN, wxMOD_CONTROL);
    d().press(WXK_PAGEDOWN, wxMOD_CONTROL);
    d().press(WXK_PAGEUP, wxMOD_CONTROL);
    EXPECT_EQ(s.selected, 1);
    // Screen readers: a page tab list, its selected tab selected.
    d().context()->setAccessibility(true);
    d().paint();
    d().paint();
    int lists = 0, selectedTabs = 0;
    for (const orbotk::Described& c : d().context()->described()) {
        lists += c.description->role == orbotk::Role::PageTabList;
        if (c.description->role == orbotk::Role::PageTab &&
            (c.description->states & orbotk::ACC_SELECTED)) {
            ++selectedTabs;
            EXPECT_EQ(c.description->name, L"Fonts");
        }
    }
    EXPECT_EQ(lists, 1);
    EXPECT_EQ(selectedTabs, 1);
}

TEST_F(TabsTest, TheCloseMarkAndAMiddleClickCloseWithoutSelecting) {
    s.o.closable = true;
    d().paint();
    d().click(L"tab:Keys:close");
    EXPECT_EQ(s.closed, 3);
    EXPECT_EQ(s.selected, 0);
    const wxRect fonts = d().rect(L"tab:Fonts");
    d().middleDown(fonts.x + 10, fonts.y + 10);
    d().middleUp(fonts.x + 10, fonts.y + 10);
    EXPECT_EQ(s.closed, 1);
    EXPECT_EQ(s.selected, 0);
}

TEST_F(TabsTest, TabsThatDoNotFitScrollAndTheSelectedComesIntoView) {
    s.width = 220.0f; // room for two tabs between the arrows
    s.o.tabWidth = 80.0f;
    d().paint();
    EXPECT_TRUE(shown(L"tab:General") && shown(L"tab:Fonts"));
    EXPECT_FALSE(shown(L"tab:Colours"));
    d().click(L"tab:later");
    EXPECT_FALSE(shown(L"tab:General"));
    EXPECT_TRUE(shown(L"tab:Colours"));
    const wxRect strip = d().rect(L"tab");
    d().wheel(strip.x + 100, strip.y + 10, 120); // back a tab
    d().paint();
    EXPECT_TRUE(shown(L"tab:General"));
    d().press(WXK_END, 0); // nothing focused: no effect
    d().click(L"tab:Fonts");
    d().press(WXK_END);
    d().paint();
    EXPECT_EQ(s.selected, 4);
    EXPECT_TRUE(shown(L"tab:Advanced"));
    EXPECT_FALSE(shown(L"tab:Fonts"));
}

TEST_F(TabsTest, RealShortcutsFromATextField) {
    win->Show(true);
    ASSERT_TRUE(
        testing_support::waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
    testing_support::settle();
    const wxRect f = d().rect(L"field");
    const wxPoint at = win->window()->canvas()->ClientToScreen(wxPoint(f.x + 20, f.y + 10));
    const std::string cmd = "xdotool mousemove " + std::to_string(at.x) + " " +
                            std::to_string(at.y) + " click 1 type ab";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    testing_support::settle();
    ASSERT_EQ(std::system("xdotool key ctrl+Tab ctrl+Tab ctrl+Page_Up"), 0);
    testing_support::settle();
    EXPECT_EQ(s.selected, 1);
    EXPECT_EQ(s.field.text(), L"ab"); // the field kept its text and the focus
    ASSERT_EQ(std::system("xdotool key ctrl+shift+Tab ctrl+shift+Tab type c"), 0);
    testing_support::settle();
    EXPECT_EQ(s.selected, 4);
    EXPECT_EQ(s.field.text(), L"abc");
}

TEST_F(TabsTest, Goldens) {
    for (int scale : {1, 2}) {
        Hosted w(420, 80, false, scale);
        Strip g;
        w->scene = [&g](Host& h) { g.scene(h); };
        w.driver->paint();
        w.driver->mouseMove(410, 75);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "tabs");
        g.o.closable = true;
        g.width = 300.0f;
        w.driver->paint();
        w.driver->click(L"tab:Fonts");
        w.driver->mouseMove(410, 75);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "tabs_closable_scrolled");
        w->scene = nullptr;
    }
}
