// The table through the driver: sorting by the header (Shift adding keys), resizing by an
// edge with its cursor and fitting by a double click, reordering by a drag, the column menu,
// the list's selection and keys on its rows, sideways scrolling by columns, a saved layout,
// and what screen readers hear; with real input (xdotool) a sort, a resize and a reorder.
// Goldens at 1x and 2x.
#include "golden.h"
#include "gui/table.h"
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

// Files of a made-up folder: name, size and date; the rows are shown in `shown`'s order,
// which the scene sorts by the table's keys when they change.
struct Files {
    std::vector<gui::TableColumn> columns;
    gui::TableState state;
    gui::TableOptions o;
    std::set<int> selection;
    std::vector<int> shown;
    gui::TableResult last;
    int sorts = 0, activated = -1;
    float width = 330.0f;

    Files() {
        columns.resize(4);
        columns[0].title = L"Name";
        columns[0].width = 120.0f;
        columns[1].title = L"Size";
        columns[1].width = 70.0f;
        columns[1].align = gui::TABLE_RIGHT;
        columns[2].title = L"Date";
        columns[2].width = 90.0f;
        columns[3].title = L"Owner";
        columns[3].visible = false;
        columns[3].sortable = false;
        o.selection = gui::LIST_SELECT_MULTIPLE;
        o.cellText = [this](int row, int column) { return text(shown[row], column); };
        o.label = [this](int row) { return text(shown[row], 0); };
        for (int i = 0; i < 40; ++i)
            shown.push_back(i);
    }
    static std::wstring text(int file, int column) {
        static const wchar_t* names[] = {L"alpha", L"bravo", L"charlie", L"delta", L"echo"};
        switch (column) {
        case 0:
            return names[file % 5] + std::wstring(L"-") + std::to_wstring(file);
        case 1:
            return std::to_wstring((file * 7919) % 1000) + L" kB";
        case 2:
            return L"2026-12-" + std::to_wstring(10 + file % 19);
        default:
            return L"root";
        }
    }
    void sort() {
        std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
            for (const gui::TableSortKey& k : state.layout.sort) {
                const int x = k.column == 1 ? (a * 7919) % 1000 : a,
                          y = k.column == 1 ? (b * 7919) % 1000 : b;
                const std::wstring ta = k.column == 1 ? L"" : text(x, k.column),
                                   tb = k.column == 1 ? L"" : text(y, k.column);
                if (k.column == 1 ? x != y : ta != tb)
                    return (k.column == 1 ? x < y : ta < tb) != k.descending;
            }
            return false;
        });
    }
    void scene(Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        Box at(h.ui(), width, 200.0f);
        at.setPos(4.0f, 4.0f);
        last = gui::doTable(ui, ControlID(L"files"), state, columns, static_cast<int>(shown.size()),
                            selection, {}, o);
        if (last.sortChanged) {
            ++sorts;
            sort();
        }
        if (last.activated >= 0)
            activated = last.activated;
    }
};

struct TableTest : ::testing::Test {
    Hosted win{340, 220};
    Files f;
    void SetUp() override {
        win->scene = [this](Host& h) { f.scene(h); };
        win.driver->paint();
    }
    void TearDown() override { win->scene = nullptr; }
    orbotk::Driver& d() { return *win.driver; }
    void shiftClick(int x, int y) {
        d().mouseEvent(wxEVT_LEFT_DOWN, x, y, true, false, false, wxMOD_SHIFT);
        d().mouseEvent(wxEVT_LEFT_UP, x, y, false, false, false, wxMOD_SHIFT);
    }
    void rightClick(int x, int y) {
        d().rightDown(x, y);
        d().rightUp(x, y);
    }
};

} // namespace

TEST_F(TableTest, TheHeaderSortsAndShiftAddsKeys) {
    // A layout made from the columns on first use.
    EXPECT_EQ(f.state.layout.widths, (std::vector<float>{120, 70, 90, 100}));
    EXPECT_EQ(f.state.layout.visible, (std::vector<bool>{true, true, true, false}));
    d().click(60, 15);
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{0, false}}));
    d().click(60, 15);
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{0, true}}));
    EXPECT_EQ(f.shown.front(), 9); // echo-9 first: names compare as text
    shiftClick(150, 15);
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{0, true}, {1, false}}));
    d().click(150, 15); // alone again, the other way round
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{1, true}}));
    EXPECT_EQ(f.sorts, 4);
    EXPECT_EQ(f.o.cellText(0, 1), L"975 kB"); // the largest first
}

TEST_F(TableTest, AnEdgeResizesAndADoubleClickFits) {
    d().mouseMove(125, 15);
    EXPECT_EQ(d().context()->cursor(), wxCURSOR_SIZEWE);
    d().leftDown(126, 15);
    d().mouseMove(160, 15);
    EXPECT_EQ(f.state.layout.widths[0], 154.0f); // the edge stays under the pointer
    EXPECT_TRUE(f.last.layoutChanged);
    d().mouseMove(0, 15);
    EXPECT_EQ(f.state.layout.widths[0], 24.0f); // its minimum
    EXPECT_EQ(d().context()->cursor(), wxCURSOR_SIZEWE);
    d().leftUp(0, 15);
    EXPECT_TRUE(f.state.layout.sort.empty()); // a resize is no sort
    d().leftDoubleClick(29, 15);
    // The widest name in view ("charlie-xx") with its padding.
    const float fitted = f.state.layout.widths[0];
    EXPECT_GT(fitted, 60.0f);
    EXPECT_LT(fitted, 100.0f);
    d().paint();
    int x, y, w, h;
    ASSERT_TRUE(d().context()->findControl(L"files:header", x, y, w, h));
}

TEST_F(TableTest, ATitleDraggedMovesItsColumnAndTheMenuHidesColumns) {
    d().leftDown(60, 15);
    d().mouseMove(62, 15); // within the dead zone: nothing moves
    EXPECT_EQ(f.state.layout.order, (std::vector<int>{0, 1, 2, 3}));
    d().mouseMove(170, 15); // past the middle of Size
    EXPECT_EQ(f.state.layout.order, (std::vector<int>{1, 0, 2, 3}));
    d().mouseMove(280, 15);
    EXPECT_EQ(f.state.layout.order, (std::vector<int>{1, 2, 0, 3}));
    d().leftUp(280, 15);
    EXPECT_TRUE(f.state.layout.sort.empty()); // a drag is no sort
    // The menu shows Owner, and hides Date.
    orbotk::testing::pickNextMenuItem(L"Owner");
    rightClick(60, 15);
    EXPECT_EQ(f.state.layout.visible, (std::vector<bool>{true, true, true, true}));
    orbotk::testing::pickNextMenuItem(L"Date");
    rightClick(60, 15);
    EXPECT_EQ(f.state.layout.visible, (std::vector<bool>{true, true, false, true}));
}

TEST_F(TableTest, RowsFollowTheListsRules) {
    d().click(60, 40); // row 0
    shiftClick(60, 100);
    EXPECT_EQ(f.selection, (std::set<int>{0, 1, 2, 3}));
    d().press(WXK_END);
    EXPECT_EQ(f.selection, (std::set<int>{39}));
    EXPECT_GT(f.state.rows.first, 30); // in view
    d().typeText(L"c");                // the next whose name starts with c: charlie-2
    EXPECT_EQ(f.selection, (std::set<int>{2}));
    d().press(WXK_RETURN);
    EXPECT_EQ(f.activated, 2);
}

TEST_F(TableTest, ColumnsThatDoNotFitScrollAColumnAtATime) {
    f.width = 200.0f;
    d().paint();
    int x, y, w, h;
    ASSERT_TRUE(d().context()->findControl(L"files columns", x, y, w, h));
    d().click(60, 40);
    d().press(WXK_RIGHT);
    EXPECT_EQ(f.state.firstColumn, 1);
    d().press(WXK_RIGHT);
    EXPECT_EQ(f.state.firstColumn, 1); // Size and Date fit from here
    d().paint();
    d().click(60, 15); // the header scrolled too: Size is where Name was
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{1, false}}));
    d().mouseEvent(wxEVT_MOUSEWHEEL, 60, 100, false, false, false, wxMOD_SHIFT, 120);
    EXPECT_EQ(f.state.firstColumn, 0);
}

TEST(TableLayout, SavesAndLoadsAndRefusesWhatIsNotOne) {
    gui::TableLayout l;
    l.widths = {120.5f, 70.0f};
    l.order = {1, 0};
    l.visible = {true, false};
    l.sort = {{1, true}, {0, false}};
    const std::wstring saved = l.save();
    EXPECT_EQ(saved, L"120.5,70;1,0;10;1-,0+");
    gui::TableLayout back;
    ASSERT_TRUE(back.load(saved));
    EXPECT_EQ(back.save(), saved);
    for (const wchar_t* bad :
         {L"", L"1,2;0;1;", L"x;0;1;", L"100;0;2;", L"100;0;1;0*", L"100;0;1;a+"})
        EXPECT_FALSE(back.load(bad)) << bad;
    EXPECT_EQ(back.save(), saved); // untouched
}

TEST_F(TableTest, NonsenseLayoutsAreMendedAndScreenReadersHearATable) {
    f.state.layout.widths = {NAN, -5.0f, 1e9f, 10.0f};
    f.state.layout.order = {0, 0, 1, 2};
    f.state.layout.visible = {false, false, false, false};
    f.state.layout.sort = {{7, false}, {3, false}, {2, true}, {2, false}};
    d().context()->setAccessibility(true);
    d().paint();
    d().paint();
    EXPECT_EQ(f.state.layout.widths[0], 24.0f);
    EXPECT_EQ(f.state.layout.order, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(f.state.layout.visible, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{2, true}}));
    f.state.layout.visible = {true, true, false, false};
    d().paint();
    d().paint();
    std::vector<std::wstring> headers, firstRow;
    for (const orbotk::Described& c : d().context()->described()) {
        const orbotk::Description& desc = *c.description;
        if (desc.role == orbotk::Role::Table) {
            EXPECT_EQ(desc.rowCount, 40);
            EXPECT_EQ(desc.columnCount, 2);
        }
        if (desc.role == orbotk::Role::ColumnHeader)
            headers.push_back(desc.name);
        if (desc.role == orbotk::Role::TableCell && desc.index == 0)
            firstRow.push_back(desc.name + L"@" + std::to_wstring(desc.column));
    }
    EXPECT_EQ(headers, (std::vector<std::wstring>{L"Name", L"Size"}));
    EXPECT_EQ(firstRow, (std::vector<std::wstring>{L"alpha-0@0", L"0 kB@1"}));
}

TEST_F(TableTest, RealInputSortsResizesAndReorders) {
    win->Show(true);
    ASSERT_TRUE(
        testing_support::waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
    testing_support::settle();
    using testing_support::cursorSerial;
    using testing_support::xdotool;
    const auto at = [&](int x, int y) { return testing_support::onScreen(d(), x, y); };
    xdotool("mousemove " + at(100, 15) + " click 1");
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{0, false}}));
    xdotool("mousemove " + at(60, 100));
    const unsigned long plain = cursorSerial();
    xdotool("mousemove " + at(125, 15));
    EXPECT_NE(cursorSerial(), plain) << "no resize cursor over the edge";
    xdotool("mousedown 1 mousemove_relative 20 0");
    xdotool("mousemove_relative 10 0 mouseup 1");
    EXPECT_EQ(f.state.layout.widths[0], 150.0f);
    xdotool("mousemove " + at(60, 15) + " mousedown 1 mousemove_relative 30 0");
    xdotool("mousemove " + at(200, 15) + " mouseup 1");
    EXPECT_EQ(f.state.layout.order, (std::vector<int>{1, 0, 2, 3}));
    EXPECT_EQ(f.state.layout.sort, (std::vector<gui::TableSortKey>{{0, false}}));
}

TEST_F(TableTest, Goldens) {
    for (int scale : {1, 2}) {
        Hosted w(340, 210, false, scale);
        Files files;
        files.state.layout.sort = {{2, false}, {0, true}};
        files.sort();
        w->scene = [&files](Host& h) { files.scene(h); };
        w.driver->paint();
        w.driver->click(60, 68);
        w.driver->mouseMove(60, 110);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "table");
        files.width = 220.0f;
        w.driver->press(WXK_RIGHT);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "table_scrolled");
        w->scene = nullptr;
    }
}
