// The list view through the driver: the selection rules of each mode, the keys, the wheel over
// a row's checkbox, activation, the right click, a renamed row's field, a million rows paged to
// the end, and the empty list.
#include "gui/box.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// A 200 x 202 list at (10, 10): ten rows of 20 inside its one-pixel border, rows from y 11.
struct List {
    gui::ListState state;
    gui::ListOptions options;
    std::set<int> selection;
    std::vector<char> done;
    int count = 30, renaming = -1;
    gui::TextState name{Host::textFont_, L""};
    gui::ListResult last;
    std::vector<gui::ListResult> results;
    Hosted win{260, 260}; // closed before what its scene reads goes
    explicit List(gui::ListSelectionMode mode = gui::LIST_SELECT_MULTIPLE) {
        options.selection = mode;
        options.label = [](int row) {
            return (row % 2 ? L"odd " : L"even ") + std::to_wstring(row);
        };
        done.assign(30, 0);
        win->scene = [this](Host& h) {
            Box area(h.ui(), 200.0f, 202.0f);
            area.setPos(10.0f, 10.0f);
            last = h.doList(
                ControlID(L"list"), state, count, selection,
                [&](int row, bool) {
                    if (row == renaming) {
                        h.doLineEdit(ControlID(L"rename"), name, nullptr, 0.0f);
                        return;
                    }
                    Box check(h.ui(), 100.0f, 20.0f);
                    bool value = row < 30 && done[static_cast<size_t>(row)];
                    h.doCheckbox(ControlID(L"done " + std::to_wstring(row)), value, L"", nullptr,
                                 nullptr, true);
                    if (row < 30)
                        done[static_cast<size_t>(row)] = value;
                },
                options);
            results.push_back(last);
        };
        d().paint();
    }
    orbotk::Driver& d() { return *win.driver; }
    int y(int visibleRow) const { return 11 + 20 * visibleRow + 10; }
    bool any(int gui::ListResult::*field) const {
        for (const auto& r : results)
            if (r.*field >= 0)
                return true;
        return false;
    }
};

} // namespace

TEST(ListView, ClicksSelectCtrlTogglesAndShiftExtendsFromTheAnchor) {
    List l;
    l.d().click(150, l.y(2));
    EXPECT_EQ(l.selection, (std::set<int>{2}));
    EXPECT_EQ(l.d().context()->focusedID().name(), L"list");
    l.d().mouseEvent(wxEVT_LEFT_DOWN, 150, l.y(5), true, false, false, wxMOD_SHIFT);
    l.d().mouseEvent(wxEVT_LEFT_UP, 150, l.y(5), false, false, false, wxMOD_SHIFT);
    EXPECT_EQ(l.selection, (std::set<int>{2, 3, 4, 5}));
    l.d().mouseEvent(wxEVT_LEFT_DOWN, 150, l.y(3), true, false, false, wxMOD_CONTROL);
    l.d().mouseEvent(wxEVT_LEFT_UP, 150, l.y(3), false, false, false, wxMOD_CONTROL);
    EXPECT_EQ(l.selection, (std::set<int>{2, 4, 5}));
    l.d().click(150, l.y(7));
    EXPECT_EQ(l.selection, (std::set<int>{7}));
    // A click on a row's checkbox is the checkbox's: it toggles, the selection stays.
    l.d().click(20, l.y(1));
    EXPECT_TRUE(l.done[1]);
    EXPECT_EQ(l.selection, (std::set<int>{7}));

    List single(gui::LIST_SELECT_SINGLE);
    single.d().click(150, single.y(2));
    single.d().mouseEvent(wxEVT_LEFT_DOWN, 150, single.y(4), true, false, false, wxMOD_SHIFT);
    EXPECT_EQ(single.selection, (std::set<int>{4}));
    List none(gui::LIST_SELECT_NONE);
    none.d().click(150, none.y(2));
    EXPECT_TRUE(none.selection.empty());
    EXPECT_EQ(none.state.focused, 2);
}

TEST(ListView, KeysMoveTheFocusedRowKeepItInViewAndActivate) {
    List l;
    l.d().focus(L"list");
    l.d().press(WXK_DOWN);
    l.d().press(WXK_DOWN);
    EXPECT_EQ(l.selection, (std::set<int>{2}));
    l.d().press(WXK_DOWN, wxMOD_SHIFT);
    l.d().press(WXK_DOWN, wxMOD_SHIFT);
    EXPECT_EQ(l.selection, (std::set<int>{2, 3, 4}));
    l.d().press(WXK_PAGEDOWN);
    EXPECT_EQ(l.state.focused, 14);
    EXPECT_EQ(l.state.first, 5); // the focused row is the last in view
    l.d().press(WXK_END);
    EXPECT_EQ(l.state.focused, 29);
    EXPECT_EQ(l.state.first, 20);
    l.d().press(WXK_HOME);
    EXPECT_EQ(l.state.first, 0);
    l.d().press(WXK_SPACE); // toggles the focused row off in multiple selection
    EXPECT_TRUE(l.selection.empty());
    l.d().typeText(L"o"); // the next row whose label starts with it: "odd 1"
    EXPECT_EQ(l.state.focused, 1);
    l.d().typeText(L"O");
    EXPECT_EQ(l.state.focused, 3);
    l.results.clear();
    l.d().press(WXK_RETURN);
    EXPECT_TRUE(l.any(&gui::ListResult::activated));
    EXPECT_EQ(l.results.front().activated, 3);
}

TEST(ListView, TheWheelScrollsOverARowsCheckboxAndDoubleAndRightClicksReportTheRow) {
    List l;
    l.d().wheel(20, l.y(3), -120); // over the checkbox of row 3
    EXPECT_EQ(l.state.first, 3);
    l.d().wheel(150, l.y(3), -1200); // far past the end: the last page
    EXPECT_EQ(l.state.first, 20);
    l.results.clear();
    l.d().leftDoubleClick(150, l.y(4));
    EXPECT_TRUE(l.any(&gui::ListResult::activated));
    l.d().click(150, l.y(0));
    l.results.clear();
    l.d().rightDown(20, l.y(6)); // over a checkbox: the list's still
    EXPECT_EQ(l.last.menuRow, 26);
    EXPECT_EQ(l.last.menuY, static_cast<float>(l.y(6)));
    EXPECT_EQ(l.selection, (std::set<int>{26})); // selected first, as desktop lists do
    // Right-clicking a row of the selection keeps the selection.
    l.d().mouseEvent(wxEVT_LEFT_DOWN, 150, l.y(7), true, false, false, wxMOD_SHIFT);
    l.d().mouseEvent(wxEVT_LEFT_UP, 150, l.y(7), false, false, false, wxMOD_SHIFT);
    l.d().rightDown(150, l.y(6));
    EXPECT_EQ(l.selection, (std::set<int>{26, 27}));
}

TEST(ListView, ARowRenamedInPlaceTakesTheKeysAndAMillionRowsPageToTheEnd) {
    List l;
    l.renaming = 2;
    l.name.setText(L"old");
    l.d().paint();
    l.d().click(l.d().rect(L"rename").x + 5, l.y(2));
    l.d().press(WXK_END);
    l.d().typeText(L"er");
    EXPECT_EQ(l.name.text(), L"older");
    EXPECT_EQ(l.state.focused, 0); // the list did not hear the keys

    l.renaming = -1;
    l.count = 1000000;
    l.d().focus(L"list");
    l.d().press(WXK_END);
    EXPECT_EQ(l.state.first, 1000000 - 10);
    l.d().paint();
    EXPECT_NO_THROW(l.d().rect(L"done 999999"));
    l.count = 0;
    l.options.emptyText = L"Nothing to do";
    l.d().paint();
    EXPECT_THROW(l.d().rect(L"done 0"), std::invalid_argument);
}

// The driver finds rows by the host's numbers or their labels; the hover follows the pointer
// from row to row with one repaint each time, and none for motion within a row.
TEST(ListView, RowsFoundByNumberOrLabelAndTheHoverRepaintsFromRowToRow) {
    List l;
    l.state.first = 5;
    l.d().paint();
    const wxRect seven = l.d().itemRect(L"list", 7);
    EXPECT_EQ(seven, l.d().itemRect(L"list", L"odd 7"));
    EXPECT_EQ(seven.y, l.y(2) - 10);
    EXPECT_THROW(l.d().itemRect(L"list", 2), std::invalid_argument); // scrolled out of view
    EXPECT_THROW(l.d().itemRect(L"nothing", 7), std::invalid_argument);
    l.d().settle();

    const int x = seven.x + 150, inSeven = seven.y + 5; // right of the row's checkbox
    const orbo::tk::RGBA plain = l.d().pixel(x, inSeven);
    l.d().mouseMove(x, inSeven);
    EXPECT_EQ(l.d().settle(), 1);
    const orbo::tk::RGBA hovered = l.d().pixel(x, inSeven);
    EXPECT_NE(hovered.word, plain.word);
    l.d().mouseMove(x + 1, inSeven + 10);
    EXPECT_EQ(l.d().settle(), 0);
    l.d().mouseMove(x, inSeven + 20); // row 8: the same hot box, another row
    EXPECT_EQ(l.d().settle(), 1);
    EXPECT_EQ(l.d().pixel(x, inSeven).word, plain.word);
    EXPECT_EQ(l.d().pixel(x, inSeven + 20).word, hovered.word);
}
