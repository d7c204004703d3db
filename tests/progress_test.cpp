// The progress bar through the driver: the fill's width and colour (the stub that fades in
// below 32 pixels, the caller's colour from there), the entry colour left as it was, and the
// double click.
#include "gui/box.h"
#include "gui/palette.h"
#include "widget_host.h"

#include <gtest/gtest.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

TEST(Progress, TheFillFadesInBelowItsHeightAndTakesTheCallersColourAbove) {
    Hosted win(220, 50);
    float value = 0.0f;
    orbo::tk::RGBA after;
    bool doubleClicked = false;
    win->scene = [&](Host& h) {
        Box row(h.ui(), 200.0f, 32.0f);
        row.setPos(10.0f, 10.0f);
        h.glColor(gui::orbobrand::Red);
        doubleClicked = h.doProgress(ControlID(L"bar"), value, L"Copying");
        after = h.ui()->colour();
    };
    orbotk::Driver& d = *win.driver;
    // The fill's middle row, 20 pixels in: inside the 32-pixel stub, outside the well.
    auto fill = [&](float v) {
        value = v;
        d.paint();
        EXPECT_EQ(after.word, gui::orbobrand::Red.word);
        return d.pixel(30, 20);
    };
    const orbo::tk::RGBA none = fill(0.0f), half = fill(8.0f), full = fill(16.0f);
    EXPECT_NE(none.word, half.word); // 16 of 32 pixels: halfway to white
    EXPECT_NE(half.word, full.word); // 32 pixels: the caller's red
    EXPECT_EQ(full.word, fill(100.0f).word);
    EXPECT_GT(full.r(), full.g());
    EXPECT_EQ(fill(-5.0f).word, none.word);              // below min: the grey stub, never empty
    EXPECT_EQ(d.pixel(205, 20).word, fill(150.0f).word); // above max: the whole bar
    EXPECT_NE(d.pixel(205, 20).word, fill(50.0f).word);

    d.click(100, 20);
    EXPECT_FALSE(doubleClicked);
    d.leftDoubleClick(100, 20);
    EXPECT_FALSE(doubleClicked); // the pass of the final release
    bool seen = false;
    win->scene = [&](Host& h) {
        Box row(h.ui(), 200.0f, 32.0f);
        row.setPos(10.0f, 10.0f);
        seen = seen || h.doProgress(ControlID(L"bar"), value, L"Copying");
    };
    d.leftDoubleClick(100, 20);
    EXPECT_TRUE(seen);
}
