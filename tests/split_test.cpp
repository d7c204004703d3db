// Split panes through the driver: a drag clamped at both limits, keys and a double click, the
// position following a resize as each choice says, a stacked split nested in a pane, and what
// screen readers hear; with real input, a drag by xdotool and the resize cursor the X server
// shows over the divider. Goldens of a split and its focused divider at 1x and 2x.
#include "golden.h"
#include "gui/split.h"
#include "widget_host.h"
#include "x_cursor.h"

#include <cstdlib>
#include <string>
#include <vector>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// A window split side by side, its second pane split again one above the other; each pane
// remembers the box it was given.
struct Panes {
    float outer = 150.0f, inner = 80.0f;
    gui::SplitOptions o, stacked;
    wxRect left, top, bottom;
    bool movedOuter = false;

    Panes() {
        o.minFirst = 50.0f;
        o.minSecond = 60.0f;
        o.defaultPosition = 120.0f;
        stacked.axis = gui::SplitOptions::STACKED;
    }
    void scene(Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        const auto rect = [&] {
            const auto& b = *h.ui()->current();
            return wxRect(b.x, b.y, b.w, b.h);
        };
        movedOuter = gui::doSplit(
            ui, ControlID(L"outer"), outer, o,
            [&] {
                left = rect();
                gui::render(h.ui(), orbo::tk::RGBA(0xFFE0E8F0u));
            },
            [&] {
                gui::doSplit(
                    ui, ControlID(L"inner"), inner, stacked, [&] { top = rect(); },
                    [&] { bottom = rect(); });
            });
    }
};

struct SplitTest : ::testing::Test {
    Hosted win{400, 200};
    Panes p;
    void SetUp() override {
        win->scene = [this](Host& h) { p.scene(h); };
        win.driver->paint();
    }
    void TearDown() override { win->scene = nullptr; }
    orbotk::Driver& d() { return *win.driver; }
};

} // namespace

TEST_F(SplitTest, ADragMovesTheDividerWithinItsLimits) {
    EXPECT_EQ(p.left, wxRect(0, 0, 150, 200));
    EXPECT_EQ(d().rect(L"outer"), wxRect(150, 0, 6, 200));
    d().mouseMove(152, 100);
    EXPECT_EQ(d().context()->cursor(), wxCURSOR_SIZEWE);
    d().leftDown(152, 100);
    d().mouseMove(202, 40);
    EXPECT_TRUE(p.movedOuter);
    EXPECT_EQ(p.outer, 200.0f); // where it was taken hold of stays under the pointer
    d().mouseMove(399, 40);
    EXPECT_EQ(p.outer, 400.0f - 6 - 60);
    d().mouseMove(0, 40);
    EXPECT_EQ(p.outer, 50.0f);
    EXPECT_EQ(d().context()->cursor(), wxCURSOR_SIZEWE); // while dragging, off the divider
    d().leftUp(0, 40);
    d().mouseMove(300, 100);
    EXPECT_EQ(d().context()->cursor(), 0);
    EXPECT_FALSE(p.movedOuter);
    EXPECT_EQ(p.left.width, 50);
    EXPECT_EQ(p.top, wxRect(56, 0, 344, 80));
    EXPECT_EQ(p.bottom, wxRect(56, 86, 344, 114));
}

TEST_F(SplitTest, KeysAndADoubleClickMoveIt) {
    d().click(152, 100); // takes the focus
    d().press(WXK_RIGHT);
    EXPECT_EQ(p.outer, 158.0f);
    d().press(WXK_LEFT, wxMOD_CONTROL);
    EXPECT_EQ(p.outer, 157.0f);
    d().press(WXK_END);
    EXPECT_EQ(p.outer, 334.0f);
    d().press(WXK_HOME);
    EXPECT_EQ(p.outer, 50.0f);
    d().leftDoubleClick(52, 100);
    EXPECT_EQ(p.outer, 120.0f);
    // The stacked one moves with Up and Down.
    d().click(200, 82);
    d().press(WXK_DOWN);
    EXPECT_EQ(p.inner, 88.0f);
    // Screen readers hear each divider as a split pane with its value and limits.
    d().context()->setAccessibility(true);
    d().paint();
    d().paint();
    int found = 0;
    for (const orbotk::Described& c : d().context()->described())
        if (c.description->role == orbotk::Role::SplitPane && c.description->name == L"outer") {
            ++found;
            EXPECT_EQ(c.description->value, 120.0);
            EXPECT_EQ(c.description->minimum, 50.0);
            EXPECT_EQ(c.description->maximum, 334.0);
        }
    EXPECT_EQ(found, 1);
}

TEST_F(SplitTest, AResizeKeepsTheShareOrASidesSize) {
    d().resize(600, 200);
    d().paint();
    EXPECT_EQ(p.outer, std::round(150.0f * 594 / 394)); // its share of the room
    EXPECT_FALSE(p.movedOuter);
    p.o.keeps = gui::SplitOptions::SECOND;
    d().resize(500, 200);
    d().paint();
    EXPECT_EQ(p.outer, 226.0f - 100);
    p.o.keeps = gui::SplitOptions::FIRST;
    d().resize(300, 200);
    d().paint();
    EXPECT_EQ(p.outer, 126.0f);
    d().resize(100, 200); // too small for both minimums: the first pane's wins
    d().paint();
    EXPECT_EQ(p.outer, 50.0f);
}

TEST_F(SplitTest, RealDragAndTheCursorOnTheScreen) {
    win->Show(true);
    ASSERT_TRUE(
        testing_support::waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
    testing_support::settle();
    using testing_support::cursorSerial;
    using testing_support::xdotool;
    const auto at = [&](int x, int y) { return testing_support::onScreen(d(), x, y); };
    xdotool("mousemove " + at(300, 150));
    const unsigned long plain = cursorSerial();
    xdotool("mousemove " + at(152, 150));
    const unsigned long over = cursorSerial();
    EXPECT_NE(over, plain) << "no resize cursor over the divider";
    xdotool("mousedown 1 mousemove_relative 40 0");
    xdotool("mousemove_relative 30 0 mouseup 1");
    EXPECT_EQ(p.outer, 220.0f);
    xdotool("mousemove " + at(350, 150));
    EXPECT_EQ(cursorSerial(), plain) << "the window's own cursor did not come back";
}

TEST_F(SplitTest, Goldens) {
    for (int scale : {1, 2}) {
        Hosted w(240, 120, false, scale);
        Panes panes;
        panes.outer = 100.0f;
        w->scene = [&panes](Host& h) { panes.scene(h); };
        w.driver->paint();
        w.driver->mouseMove(20, 110);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "split");
        w.driver->click(102, 60);
        w.driver->mouseMove(20, 110);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "split_focused");
        w->scene = nullptr;
    }
}
