// The horizontal slider through the driver: whole press-move-release sequences, the preview in
// dragValue, the drop area, clamping at both ends, the disabled form and its tooltip, and the
// 0 ... 100 forms.
#include "gui/box.h"
#include "widget_host.h"

#include <gtest/gtest.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// A 200-wide slider at (20, 80): the knob (20 wide) travels from x 20 (min) to 199 (max).
struct Slider {
    Hosted win{260, 220};
    float value = -50.0f, preview = 0.0f;
    bool enabled = true;
    int commits = 0;
    Slider() {
        win->scene = [this](Host& h) {
            Box row(h.ui(), 200.0f, 32.0f);
            row.setPos(20.0f, 80.0f);
            commits +=
                h.doHSlider(ControlID(L"s"), value, preview, -50.0f, 50.0f, L"Locked", enabled);
        };
        win.driver->paint();
    }
    orbotk::Driver& d() { return *win.driver; }
    // Presses the knob where value puts it and moves the pointer by dx.
    void drag(int dx) {
        const int x = d().rect(L"sdragger").x + 5;
        d().mouseMove(x, 90);
        d().leftDown(x, 90);
        d().mouseMove(x + dx, 90);
    }
};

} // namespace

TEST(HSlider, DraggingPreviewsAndADropNearTheSliderCommitsOnce) {
    Slider s;
    EXPECT_EQ(s.preview, -50.0f);
    s.drag(90);
    const float expected = -50.0f + 100.0f * 90.0f / 179.0f;
    EXPECT_FLOAT_EQ(s.preview, expected);
    EXPECT_EQ(s.value, -50.0f); // unchanged while dragging
    EXPECT_EQ(s.d().rect(L"sdragger").x, 110);
    s.d().mouseMove(115, 150); // 38 below the slider: still inside the drop area
    s.d().leftUp(115, 150);
    EXPECT_FLOAT_EQ(s.value, expected);
    EXPECT_EQ(s.commits, 1);
    s.d().mouseMove(30, 30);
    EXPECT_EQ(s.commits, 1);
}

TEST(HSlider, ADropFarAwayCommitsNothingAndTheKnobStopsAtBothEnds) {
    Slider s;
    s.value = -50.0f;
    s.d().paint();
    s.drag(400);
    EXPECT_EQ(s.preview, 50.0f); // never beyond max
    EXPECT_EQ(s.d().rect(L"sdragger").x, 199);
    s.d().mouseMove(425, 90);
    s.d().leftUp(425, 162); // 50 below the slider
    EXPECT_EQ(s.value, -50.0f);
    EXPECT_EQ(s.commits, 0);
    EXPECT_EQ(s.d().settle(), 1);
    EXPECT_EQ(s.preview, -50.0f); // back where value puts it, on screen too
    EXPECT_EQ(s.d().rect(L"sdragger").x, 20);
    s.value = 0.0f;
    s.d().paint();
    s.drag(-300);
    EXPECT_EQ(s.preview, -50.0f); // never below min
    s.d().leftUp(10, 90);         // 10 left of the slider: within the 15 beside it
    EXPECT_EQ(s.commits, 1);
    EXPECT_EQ(s.value, -50.0f);
}

TEST(HSlider, ADisabledSliderIgnoresThePointerAndShowsItsTooltipOverTheKnob) {
    Slider s;
    s.d().mouseMove(30, 90);
    EXPECT_EQ(s.d().context()->tooltip, L""); // enabled: no tooltip
    s.enabled = false;
    s.value = 50.0f;
    s.d().paint();
    EXPECT_EQ(s.d().rect(L"sdragger").x, 199);
    s.d().mouseMove(205, 90);
    EXPECT_EQ(s.d().context()->tooltip, L"Locked");
    s.d().mouseMove(100, 90);
    EXPECT_EQ(s.d().context()->tooltip, L"");
    s.d().mouseMove(205, 90);
    s.d().leftDown(205, 90);
    s.d().mouseMove(100, 90);
    s.d().leftUp(100, 90);
    EXPECT_EQ(s.value, 50.0f);
    EXPECT_EQ(s.commits, 0);
}

TEST(HSlider, TheFormsWithoutARangeWorkInPercent) {
    Hosted win(260, 100);
    float value = 50.0f, preview = 0.0f, plain = 100.0f;
    win->scene = [&](Host& h) {
        Box row(h.ui(), 200.0f, 32.0f);
        row.setPos(20.0f, 10.0f);
        h.doHSlider(ControlID(L"a"), value, preview, nullptr, true);
        row.setPos(20.0f, 50.0f);
        h.doHSlider(ControlID(L"b"), plain, nullptr, true);
    };
    win.driver->paint();
    EXPECT_EQ(preview, 50.0f);
    EXPECT_EQ(win.driver->rect(L"adragger").x, 20 + 89); // 179 * 50 / 100, truncated
    EXPECT_EQ(win.driver->rect(L"bdragger").x, 199);
}

TEST(HSlider, AFocusedKnobMovesByKeysAndTheWheelAndCommitsEachMove) {
    Slider s;
    s.value = 0.0f;
    s.d().wheel(30, 90, 120); // not focused: the wheel is not the slider's
    EXPECT_EQ(s.value, 0.0f);
    s.d().focus(L"sdragger");
    const struct {
        int key;
        float value;
    } steps[] = {{WXK_RIGHT, 1.0f}, {WXK_LEFT, 0.0f},   {WXK_PAGEUP, 10.0f}, {WXK_PAGEDOWN, 0.0f},
                 {WXK_END, 50.0f},  {WXK_RIGHT, 50.0f}, {WXK_HOME, -50.0f},  {WXK_LEFT, -50.0f}};
    int commits = 0;
    for (const auto& step : steps) {
        const float before = s.value;
        s.d().press(step.key);
        EXPECT_FLOAT_EQ(s.value, step.value) << step.key;
        EXPECT_FLOAT_EQ(s.preview, s.value);
        commits += s.value != before;
        EXPECT_EQ(s.commits, commits) << step.key; // a key that cannot move commits nothing
    }
    s.d().wheel(30, 90, 240);
    EXPECT_FLOAT_EQ(s.value, -48.0f);
    s.d().paint();
    EXPECT_EQ(s.d().rect(L"sdragger").x, 20 + 2 * 179 / 100); // the knob follows
}

TEST(HSlider, ACallersStepReplacesTheOnePercent) {
    Hosted win(260, 100);
    float value = 0.0f, preview = 0.0f;
    win->scene = [&](Host& h) {
        Box row(h.ui(), 200.0f, 32.0f);
        h.doHSlider(ControlID(L"s"), value, preview, 0.0f, 1000.0f, 25.0f, nullptr, true);
    };
    win.driver->paint();
    win.driver->focus(L"sdragger");
    win.driver->press(WXK_RIGHT);
    win.driver->press(WXK_UP);
    EXPECT_FLOAT_EQ(value, 50.0f);
    win.driver->press(WXK_PAGEUP); // ten percent, more than a step
    EXPECT_FLOAT_EQ(value, 150.0f);
}
