// Checkboxes and radio buttons through the driver: the held tick and the toggle on release,
// keyboard toggling with focus, disabled controls and their tooltips, and the radio group's
// press semantics with its selection compared by address.
#include "gui/box.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <string>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// One checkbox in a 120 x 26 row at (4, 4); its icon spans x 7 to 27.
struct Check {
    Hosted win{200, 40};
    bool value = false, enabled = true;
    const wchar_t* disabledTip = L"Not now";
    int toggles = 0;
    Check() {
        win->scene = [this](Host& h) {
            Box row(h.ui(), 120.0f, 26.0f);
            row.setPos(4.0f, 4.0f);
            toggles += h.doCheckbox(ControlID(L"remember"), value, L"Remember", L"Keeps you in",
                                    disabledTip, enabled);
        };
        win.driver->paint();
    }
    orbotk::Driver& d() { return *win.driver; }
    // What the screen shows at the tick: the paints the window asked for, no others.
    orbo::tk::RGBA tick() {
        d().settle();
        return d().pixel(17, 17);
    }
};

} // namespace

TEST(Checkbox, HoldingShowsAGreyTickAndTheReleaseTogglesOnce) {
    Check c;
    const orbo::tk::RGBA empty = c.tick();
    const auto refreshes = c.win->window()->refreshRequests();
    c.d().mouseMove(17, 17);
    c.d().leftDown(17, 17);
    EXPECT_FALSE(c.value);
    const orbo::tk::RGBA held = c.tick();
    EXPECT_NE(held.word, empty.word);
    c.d().mouseMove(150, 30); // released off the control: still the press's release
    c.d().leftUp(150, 30);
    EXPECT_TRUE(c.value);
    EXPECT_EQ(c.toggles, 1);
    EXPECT_GT(c.win->window()->refreshRequests(), refreshes);
    const orbo::tk::RGBA checked = c.tick();
    EXPECT_NE(checked.word, held.word); // white tick now, not grey
    EXPECT_NE(checked.word, empty.word);
}

TEST(Checkbox, ReturnOrSpaceTogglesAFocusedCheckboxOnce) {
    Check c;
    c.d().press(WXK_TAB);
    EXPECT_EQ(c.d().context()->focusedID().name(), L"remember");
    c.d().press(WXK_SPACE);
    EXPECT_TRUE(c.value);
    c.d().press(WXK_RETURN);
    EXPECT_FALSE(c.value);
    EXPECT_EQ(c.toggles, 2);
}

TEST(Checkbox, DisabledOrInADisabledWindowItIgnoresInputAndShowsTheDisabledTooltip) {
    Check c;
    c.value = true;
    c.enabled = false;
    c.d().paint();
    c.d().click(17, 17);
    c.d().press(WXK_TAB);
    c.d().press(WXK_SPACE);
    EXPECT_TRUE(c.value);
    EXPECT_EQ(c.d().context()->tooltip, L"Not now");
    c.disabledTip = nullptr;
    c.d().mouseMove(18, 17);
    EXPECT_EQ(c.d().context()->tooltip, L"Keeps you in");

    c.enabled = true;
    c.win->Enable(false);
    c.d().paint();
    c.d().click(17, 17);
    EXPECT_TRUE(c.value);
    EXPECT_EQ(c.toggles, 0);
    c.win->Enable(true);
    c.d().click(17, 17);
    EXPECT_FALSE(c.value);
}

TEST(Radio, APressSelectsAnUnselectedRowAndASelectedRowIgnoresIt) {
    static const wchar_t* const labels[] = {L"A", L"B", L"C"};
    const std::wstring copyOfB = L"B"; // equal text, another address
    const wchar_t* selected = labels[0];
    unsigned count = 3, last = 0;
    Hosted win(200, 100);
    win->scene = [&](Host& h) {
        Box group(h.ui(), 150.0f, 72.0f);
        group.setPos(4.0f, 4.0f);
        last = h.doRadioEasy(selected, count, labels, true);
    };
    orbotk::Driver& d = *win.driver;
    d.paint();
    // Rows are 24 high from y 4: row 2 spans 52 to 76. The press alone selects.
    d.mouseMove(15, 64);
    d.leftDown(15, 64);
    EXPECT_EQ(last, 2u);
    EXPECT_EQ(selected, labels[2]);
    d.leftUp(15, 64);
    EXPECT_EQ(last, 0xFFFFFFFFu);
    d.click(15, 64); // already selected
    EXPECT_EQ(last, 0xFFFFFFFFu);
    EXPECT_EQ(selected, labels[2]);
    // Selection goes by address: a copy of "B" selects no row, so row 1 can still be pressed.
    selected = copyOfB.c_str();
    d.mouseMove(15, 40);
    d.leftDown(15, 40);
    EXPECT_EQ(last, 1u);
    EXPECT_EQ(selected, labels[1]);
    d.leftUp(15, 40);
    // No rows: nothing drawn, nothing returned.
    count = 0;
    d.paint();
    EXPECT_EQ(last, 0xFFFFFFFFu);
    EXPECT_TRUE(testing_support::drewNothing(d));
}

TEST(Radio, GroupsSharingCaptionsAnswerApartAndArrowsSelectWithinAGroup) {
    static const wchar_t* const labels[] = {L"None", L"Auto"};
    const wchar_t* first = labels[0];
    const wchar_t* second = labels[0];
    Hosted win(200, 120);
    win->scene = [&](Host& h) {
        for (const wchar_t** selected : {&first, &second}) {
            Box group(h.ui(), 150.0f, 48.0f);
            group.setPos(4.0f, selected == &first ? 4.0f : 60.0f);
            h.doRadioEasy(*selected, 2, labels, true);
        }
    };
    orbotk::Driver& d = *win.driver;
    d.paint();
    d.click(15, 40); // the first group's "Auto"
    EXPECT_EQ(first, labels[1]);
    EXPECT_EQ(second, labels[0]);
    // Tab reaches the first group at its selected button, then the second group at its own.
    d.press(WXK_TAB);
    d.press(WXK_TAB);
    d.press(WXK_DOWN); // moves to the second group's "Auto" and selects it
    EXPECT_EQ(second, labels[1]);
    EXPECT_EQ(first, labels[1]);
}
