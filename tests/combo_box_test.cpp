// Combo boxes through the driver: opening by click and by each key, Escape closing only an open
// list, choosing an entry, one open combo box per window, the scrolling form's five entries and
// its bar, an empty list, the disabled form, the wide-string form and the repaint requests.
#include "gui/box.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <string>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

const wchar_t* const FRUIT[] = {L"Apple", L"Banana", L"Cherry"};

// Combo box "a" (200 wide at (10, 10)) and, when two is set, "b" at (10, 200).
struct Combos {
    Hosted win{260, 340};
    bool open[2] = {false, false}, enabled = true, two = false;
    const wchar_t* selected[2] = {FRUIT[0], FRUIT[0]};
    unsigned count = 3, chosen = 0;
    Combos() {
        win->scene = [this](Host& h) {
            for (int i = 0; i < (two ? 2 : 1); ++i) {
                Box row(h.ui(), 200.0f, 28.0f);
                row.setPos(10.0f, i ? 200.0f : 10.0f);
                const unsigned r = h.doComboBoxEasy(ControlID(i ? L"b" : L"a"), open[i],
                                                    selected[i], count, FRUIT, enabled);
                if (i == 0)
                    chosen = r;
            }
        };
        d().paint();
    }
    orbotk::Driver& d() { return *win.driver; }
    std::int64_t refreshes() { return win->window()->refreshRequests(); }
};

// The scrolling form over thirty entries (five in view), 200 wide at (10, 10), opened.
struct ScrollCombo {
    std::wstring labels[30];
    std::wstring selected = L"Entry 0";
    bool open = false;
    int first = 0;
    float dragTop = 0, dragMouse = 0;
    unsigned chosen = 0;
    Hosted win{260, 260}; // closed before what its scene reads goes
    ScrollCombo() {
        for (int i = 0; i < 30; ++i)
            labels[i] = L"Entry " + std::to_wstring(i);
        win->scene = [this](Host& h) {
            Box row(h.ui(), 200.0f, 28.0f);
            row.setPos(10.0f, 10.0f);
            chosen = h.doScrollComboBoxEasy(ControlID(L"list"), open, selected, 30, labels, true,
                                            first, dragTop, dragMouse);
        };
        win.driver->paint();
        win.driver->click(L"list");
        win.driver->paint();
    }
};

} // namespace

TEST(ComboBox, OpensOnAClickOrKeyAndEscapeClosesOnlyAnOpenList) {
    Combos c;
    auto before = c.refreshes();
    c.d().click(L"a");
    EXPECT_TRUE(c.open[0]);
    EXPECT_EQ(c.d().context()->openCombo.name(), L"a");
    EXPECT_GT(c.refreshes(), before);
    c.d().click(L"a");
    EXPECT_FALSE(c.open[0]);
    c.d().focus(L"a");
    for (int key : {WXK_RETURN, WXK_SPACE, WXK_DOWN}) {
        c.d().press(key);
        EXPECT_TRUE(c.open[0]) << key;
        c.d().press(key == WXK_DOWN ? WXK_DOWN : key); // Down does not close
        EXPECT_EQ(c.open[0], key == WXK_DOWN) << key;
        if (c.open[0])
            c.d().press(WXK_ESCAPE);
        EXPECT_FALSE(c.open[0]) << key;
    }
    c.d().press(WXK_ESCAPE); // closed: nothing to close, and it stays closed
    EXPECT_FALSE(c.open[0]);
    c.d().press(WXK_ESCAPE);
    EXPECT_FALSE(c.open[0]);
}

TEST(ComboBox, ChoosingAnEntryReturnsItsIndexOnceAndClosesTheList) {
    Combos c;
    c.d().click(L"a");
    c.d().paint();
    const wxRect cherry = c.d().rect(L"Cherry");
    EXPECT_EQ(cherry, wxRect(10, 10 + 22 + 40, 200, 20));
    const auto before = c.refreshes();
    c.d().click(L"Cherry");
    EXPECT_EQ(c.chosen, 2u);
    EXPECT_EQ(c.selected[0], FRUIT[2]);
    EXPECT_FALSE(c.open[0]);
    EXPECT_TRUE(c.d().context()->openCombo.anonymous());
    EXPECT_GT(c.refreshes(), before);
    c.d().mouseMove(5, 5);
    EXPECT_EQ(c.chosen, 0xFFFFFFFFu);
    // An empty list is 30 pixels from the header's top and holds no entry.
    c.count = 0;
    c.d().click(L"a");
    EXPECT_EQ(c.d().settle(), 1);
    EXPECT_NE(c.d().pixel(100, 10 + 29).word, 0xFFFFFFFFu);
    EXPECT_EQ(c.d().pixel(100, 10 + 31).word, 0xFFFFFFFFu);
    EXPECT_THROW(c.d().rect(L"Apple"), std::invalid_argument);
}

TEST(ComboBox, APressOutsideAnOpenListOnlyClosesItAndOpeningOneClosesTheOther) {
    Combos c;
    c.two = true;
    c.d().paint();
    c.d().click(L"a");
    EXPECT_TRUE(c.open[0]);
    c.d().click(L"b"); // outside a's list: a closes, b does not open
    EXPECT_FALSE(c.open[0]);
    EXPECT_FALSE(c.open[1]);
    c.d().click(L"b");
    EXPECT_TRUE(c.open[1]);
    c.d().focus(L"a"); // Tab away from the open list closes it (in the repaint Tab asks for)
    c.d().paint();
    EXPECT_FALSE(c.open[1]);
    c.d().press(WXK_DOWN);
    EXPECT_TRUE(c.open[0]);
    EXPECT_EQ(c.d().context()->openCombo.name(), L"a");
}

TEST(ComboBox, ADisabledBoxIgnoresInputButShowsAListItIsToldIsOpen) {
    Combos c;
    c.enabled = false;
    c.d().paint();
    c.d().click(L"a");
    EXPECT_FALSE(c.open[0]);
    c.open[0] = true;
    c.d().paint();
    c.d().click(L"Banana");
    EXPECT_EQ(c.chosen, 1u);
    EXPECT_EQ(c.selected[0], FRUIT[1]);
}

TEST(ScrollComboBox, ShowsFiveEntriesFromFirstAndScrollsWithItsBar) {
    ScrollCombo c;
    orbotk::Driver& d = *c.win.driver;
    const int& first = c.first;
    EXPECT_EQ(d.rect(L"Entry 4"), wxRect(10, 10 + 22 + 80, 200, 20));
    EXPECT_THROW(d.rect(L"Entry 5"), std::invalid_argument);
    // The bar is the list's 130 pixels high at its right edge: its down arrow ends at 140.
    d.click(200, 130);
    d.paint();
    EXPECT_EQ(first, 1);
    EXPECT_THROW(d.rect(L"Entry 0"), std::invalid_argument);
    EXPECT_EQ(d.rect(L"Entry 5").y, 10 + 22 + 80);
    d.click(50, d.rect(L"Entry 5").y + 10);
    EXPECT_EQ(c.chosen, 5u);
    EXPECT_EQ(c.selected, L"Entry 5");
    EXPECT_FALSE(c.open);
}

TEST(ComboBox, AnOpenListTakesEveryClickOnItAndArrowsAndReturnPick) {
    bool open = false, ticked = false;
    int rightClicks = 0;
    const wchar_t* selected = FRUIT[0];
    unsigned chosen = 0xFFFFFFFFu;
    Hosted win(260, 260);
    win->scene = [&](Host& h) {
        {
            Box row(h.ui(), 200.0f, 28.0f);
            row.setPos(10.0f, 10.0f);
            const unsigned r = h.doComboBoxEasy(ControlID(L"a"), open, selected, 3, FRUIT, true);
            if (r != 0xFFFFFFFFu)
                chosen = r;
        }
        // A row under the list: a checkbox, and the row answers right clicks.
        Box row(h.ui(), 200.0f, 120.0f, ControlID(L"row"));
        row.setPos(10.0f, 40.0f);
        rightClicks += row.rightClicked();
        Box check(h.ui(), 200.0f, 26.0f);
        check.setTop(55.0f); // under the list's lower margin: 10 + 90 = 100 is its end
        h.doCheckbox(ControlID(L"tick"), ticked, L"Tick", nullptr, nullptr, true);
    };
    orbotk::Driver& d = *win.driver;
    d.paint();
    d.click(L"a");
    d.paint();
    const wxRect tick = d.rect(L"tick");
    ASSERT_LT(tick.y, 10 + 90);
    d.rightDown(20, 97);
    d.rightUp(20, 97);
    EXPECT_EQ(rightClicks, 0);
    EXPECT_TRUE(open);
    d.click(20, 97); // the list's lower margin: closes, ticks nothing
    EXPECT_FALSE(open);
    EXPECT_FALSE(ticked);
    EXPECT_EQ(chosen, 0xFFFFFFFFu);
    d.click(L"a");
    d.click(250, 250); // outside: closes, and nothing else
    EXPECT_FALSE(open);
    d.click(L"a");
    d.press(WXK_DOWN);
    d.press(WXK_DOWN);
    d.press(WXK_DOWN); // stops on the last entry
    d.press(WXK_UP);
    d.press(WXK_RETURN);
    EXPECT_EQ(chosen, 1u);
    EXPECT_EQ(selected, FRUIT[1]);
    EXPECT_FALSE(open);
    d.focus(L"a");
    d.press(WXK_SPACE); // nothing highlighted: Space only closes; Up moves on from the choice
    d.press(WXK_SPACE);
    EXPECT_FALSE(open);
    d.press(WXK_SPACE);
    d.press(WXK_UP);
    d.press(WXK_SPACE);
    EXPECT_EQ(selected, FRUIT[0]);
    d.click(tick.x + 5, tick.y + 5);
    EXPECT_TRUE(ticked);
}

TEST(ScrollComboBox, TheWheelScrollsTheListAndTheHighlightStaysInView) {
    ScrollCombo c;
    orbotk::Driver& d = *c.win.driver;
    const int& first = c.first;
    d.wheel(50, 60, -120); // over an entry
    EXPECT_EQ(first, 3);
    d.wheel(200, 60, -240); // over the bar
    EXPECT_EQ(first, 9);
    for (int i = 0; i < 7; ++i) // from the chosen entry 0 on
        d.press(WXK_DOWN);
    d.paint();
    EXPECT_EQ(first, 3);   // entry 7 came into view at the bottom
    d.wheel(50, 60, -600); // scrolled away from the highlight, Return still picks it
    d.press(WXK_RETURN);
    EXPECT_EQ(c.selected, L"Entry 7");
}

// An open list's entries, found by the driver by their place or their text.
TEST(ComboBox, TheDriverPicksAnOpenListsEntryByPlaceOrText) {
    Combos c;
    c.d().click(L"a");
    c.d().settle();
    EXPECT_EQ(c.d().itemRect(L"a", 1), c.d().itemRect(L"a", L"Banana"));
    EXPECT_THROW(c.d().itemRect(L"a", 3), std::invalid_argument);
    c.d().clickItem(L"a", 2);
    EXPECT_EQ(c.selected[0], FRUIT[2]);
    EXPECT_FALSE(c.open[0]);
}
