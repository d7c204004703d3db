// The vertical scroll bar through the driver, on a 238-pixel bar over 100 rows with 10
// visible (track 200, thumb 20, travel 180): arrows and page areas on the release with their
// clamps, the thumb's dead zone, clamping and end of drag, and the bars that draw nothing.
#include "gui/box.h"
#include "widget_host.h"

#include <gtest/gtest.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// The bar spans x 100 to 123 and y 10 to 248 of a 200 x 300 window.
struct Scroll {
    Hosted win{200, 300};
    int pos = 0, rows = 100;
    float dragTop = 0, dragMouse = 0;
    bool enabled = true;
    Scroll() {
        win->scene = [this](Host& h) {
            Box list(h.ui(), 123.0f, 238.0f);
            list.setPos(0.0f, 10.0f);
            h.doVScroll(ControlID(L"thumb"), pos, 10, dragTop, dragMouse, 0, rows - 1, enabled);
        };
        win.driver->paint();
    }
    orbotk::Driver& d() { return *win.driver; }
};

} // namespace

TEST(VScroll, TheThumbIsVisibleOverRangeOfTheTrack) {
    Scroll s;
    EXPECT_EQ(s.d().rect(L"thumb"), wxRect(100, 29, 23, 20));
    s.pos = 90;
    s.d().paint();
    EXPECT_EQ(s.d().rect(L"thumb"), wxRect(100, 29 + 180, 23, 20));
}

TEST(VScroll, ArrowsAndPageAreasActOnTheReleaseAndStopAtTheEnds) {
    Scroll s;
    s.d().mouseMove(110, 240);
    s.d().leftDown(110, 240); // down arrow: nothing on the press
    EXPECT_EQ(s.pos, 0);
    s.d().leftUp(110, 240);
    EXPECT_EQ(s.pos, 1);
    s.d().click(110, 20); // up arrow
    s.d().click(110, 20);
    EXPECT_EQ(s.pos, 0);
    s.d().click(110, 150); // page down, below the thumb
    EXPECT_EQ(s.pos, 10);
    s.pos = 85;
    s.d().paint();
    s.d().click(110, 224); // below the thumb at 199: page down stops at the last page
    EXPECT_EQ(s.pos, 90);
    s.d().click(110, 240);
    EXPECT_EQ(s.pos, 90);
    s.pos = 3;
    s.d().paint();
    s.d().click(110, 34); // page up (below the up arrow, above the thumb at 35), stops at 0
    EXPECT_EQ(s.pos, 0);
}

TEST(VScroll, TheThumbDragHasADeadZoneClampsAndEndsOnAnyRelease) {
    Scroll s;
    s.d().mouseMove(110, 35);
    s.d().leftDown(110, 35);
    EXPECT_EQ(s.dragTop, 29.0f);
    s.d().mouseMove(110, 40); // 5 pixels: inside the dead zone
    EXPECT_EQ(s.pos, 0);
    EXPECT_EQ(s.dragTop, 29.0f);
    s.d().mouseMove(110, 41); // 6 pixels: the thumb moves by 6
    EXPECT_EQ(s.dragTop, 35.0f);
    EXPECT_EQ(s.pos, 3); // 6 / 180 of 90 rows, rounded
    s.d().mouseMove(110, 290);
    EXPECT_EQ(s.dragTop, 29.0f + 180.0f);
    EXPECT_EQ(s.pos, 90);
    s.d().mouseMove(110, 2);
    EXPECT_EQ(s.pos, 0);
    s.d().mouseMove(110, 100);
    const int dragged = s.pos;
    s.d().leftUp(10, 100); // off the bar, where the pointer left it
    EXPECT_EQ(s.dragTop, 0.0f);
    EXPECT_EQ(s.dragMouse, 0.0f);
    s.d().mouseMove(110, 200);
    EXPECT_EQ(s.pos, dragged); // the drag has ended
}

TEST(VScroll, BarsWithEveryRowVisibleOrDisabledTakeNoInput) {
    Scroll s;
    s.rows = 10;
    s.pos = 42; // out of range, and left so
    s.d().paint();
    EXPECT_TRUE(testing_support::drewNothing(s.d()));
    s.d().click(110, 240);
    EXPECT_EQ(s.pos, 42);

    s.rows = 100;
    s.pos = 5;
    s.enabled = false;
    s.d().paint();
    EXPECT_THROW(s.d().rect(L"thumb"), std::invalid_argument); // no thumb
    s.d().click(110, 240);
    s.d().click(110, 150);
    EXPECT_EQ(s.pos, 5);
}

TEST(VScroll, ANamedBarTakesTheFocusAndItsKeysMoveThePosition) {
    Scroll s;
    s.d().press(WXK_TAB);
    EXPECT_EQ(s.d().context()->focusedID().name(), L"thumb");
    const struct {
        int key, pos;
    } steps[] = {{WXK_DOWN, 1}, {WXK_PAGEDOWN, 11}, {WXK_UP, 10},   {WXK_PAGEUP, 0},
                 {WXK_UP, 0},   {WXK_END, 90},      {WXK_DOWN, 90}, {WXK_HOME, 0}};
    for (const auto& step : steps) {
        s.d().press(step.key);
        EXPECT_EQ(s.pos, step.pos) << step.key;
    }
    s.d().press(WXK_END);
    s.d().settle();
    EXPECT_EQ(s.d().rect(L"thumb").y, 29 + 180);
    // The focus border: the thumb's top row shows the dashes over its body.
    int dark = 0;
    for (int x = 100; x < 123; ++x)
        dark += s.d().pixel(x, 29 + 180).r() < 60;
    EXPECT_GT(dark, 5);
}
