// The tree: which node each row holds against a walk of every node, the keys (Right, Left,
// *), the expander and a double click, the focus kept on its node as rows move, only the rows
// in view visited in a million, a tree table, and what screen readers hear; with real keys
// (xdotool) expanding and moving. Goldens at 1x and 2x.
#include "golden.h"
#include "gui/table.h"
#include "gui/tree.h"
#include "widget_host.h"

#include <random>
#include <string>
#include <vector>

using gui::Box;
using gui::TreePath;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// A tree of `top` nodes, each with `fan` children down to `depth` levels; labels say the
// path ("2.0.1"). Counts how often labels are asked for.
struct Nodes {
    int top = 3, fan = 3, depth = 3;
    mutable int labels = 0;
    gui::TreeModel model;
    Nodes() {
        model.childCount = [this](const TreePath& p) {
            return p.empty() ? top : static_cast<int>(p.size()) < depth ? fan : 0;
        };
        model.label = [this](const TreePath& p) {
            ++labels;
            return name(p);
        };
        model.cellText = [](const TreePath& p, int) {
            return std::to_wstring(p.size()) + L" deep";
        };
    }
    static std::wstring name(const TreePath& p) {
        std::wstring s;
        for (int i : p)
            s += (s.empty() ? L"" : L".") + std::to_wstring(i);
        return s;
    }
};

// Every shown node in order, by walking the whole tree.
void walk(const gui::TreeModel& m, const std::set<TreePath>& expanded, const TreePath& at,
          std::vector<TreePath>& out) {
    const int n = m.childCount(at);
    for (int i = 0; i < n; ++i) {
        TreePath c = at;
        c.push_back(i);
        out.push_back(c);
        if (expanded.count(c))
            walk(m, expanded, c, out);
    }
}

struct Tree {
    Nodes nodes;
    gui::TreeState state;
    gui::TreeOptions o;
    gui::TreeResult last;
    int activations = 0, expansions = 0;
    void scene(Host& h) {
        Box at(h.ui(), 200.0f, 150.0f);
        at.setPos(4.0f, 4.0f);
        last = gui::doTree(static_cast<gui::AppWindow&>(h).ui(), ControlID(L"tree"), state,
                           nodes.model, o);
        activations += last.activated.has_value();
        expansions += last.expandedChanged;
    }
};

struct TreeTest : ::testing::Test {
    Hosted win{220, 170};
    Tree t;
    void SetUp() override {
        win->scene = [this](Host& h) { t.scene(h); };
        win.driver->paint();
    }
    void TearDown() override { win->scene = nullptr; }
    orbotk::Driver& d() { return *win.driver; }
    std::wstring focused() const { return Nodes::name(t.state.focused); }
    static int y(int row) { return 5 + 20 * row + 10; }
};

} // namespace

TEST(TreeRows, RowsAndNodesAgreeWithAWalkOfTheWholeTree) {
    Nodes n;
    n.top = 4;
    n.fan = 3;
    n.depth = 4;
    std::mt19937 random(7);
    std::set<TreePath> expanded;
    for (int round = 0; round < 60; ++round) {
        std::vector<TreePath> all;
        walk(n.model, {{0}, {1}, {2}, {3}, {0, 0}, {1, 2}, {2, 1}, {0, 0, 1}}, {}, all);
        expanded.insert(all[random() % all.size()]);
        if (round % 4 == 3)
            expanded.erase(expanded.begin());
        expanded.insert({9, 9}); // gone from the data: ignored
        std::vector<TreePath> shown;
        walk(n.model, expanded, {}, shown);
        const gui::TreeRows rows(n.model, expanded);
        ASSERT_EQ(rows.count(), static_cast<int>(shown.size()));
        for (int r = 0; r < rows.count(); ++r) {
            ASSERT_EQ(rows.path(r), shown[static_cast<size_t>(r)]) << r;
            ASSERT_EQ(rows.row(shown[static_cast<size_t>(r)]), r);
        }
        EXPECT_EQ(rows.row({9, 9}), -1);
    }
}

TEST_F(TreeTest, KeysExpandCollapseAndMove) {
    d().click(60, y(1)); // node 1
    EXPECT_EQ(t.state.selection, (std::set<TreePath>{{1}}));
    d().press(WXK_RIGHT);
    EXPECT_TRUE(t.state.expanded.count({1}));
    EXPECT_EQ(t.expansions, 1);
    d().press(WXK_RIGHT); // to its first child
    EXPECT_EQ(focused(), L"1.0");
    d().press(WXK_DOWN);
    d().press(WXK_LEFT); // a collapsed node: to its parent
    EXPECT_EQ(focused(), L"1");
    EXPECT_EQ(t.state.selection, (std::set<TreePath>{{1}}));
    d().press(WXK_LEFT); // collapses
    EXPECT_FALSE(t.state.expanded.count({1}));
    d().character('*');
    EXPECT_EQ(t.state.expanded.size(), 1u + 3u); // 1, 1.0, 1.1, 1.2: the leaves cannot expand
    d().press(WXK_DOWN);
    EXPECT_EQ(focused(), L"1.0");
}

TEST_F(TreeTest, TheExpanderAndADoubleClickAndTheFocusKeptOnItsNode) {
    d().click(60, y(2));
    d().click(10, y(0)); // node 0's expander: opens it, leaves the selection
    EXPECT_TRUE(t.state.expanded.count({0}));
    EXPECT_EQ(t.state.selection, (std::set<TreePath>{{2}}));
    EXPECT_EQ(focused(), L"2");
    EXPECT_EQ(t.state.rows.focused, 5); // node 2 moved down by node 0's three children
    d().leftDoubleClick(60, y(5));
    EXPECT_TRUE(t.state.expanded.count({2}));
    EXPECT_EQ(t.activations, 1);
    d().click(10, y(0)); // closing 0 moves node 2 back up, still focused
    EXPECT_EQ(t.state.rows.focused, 2);
    EXPECT_EQ(focused(), L"2");
    // A selected node hidden by its parent's closing stays selected; the focus goes up.
    d().click(60, y(3));
    EXPECT_EQ(focused(), L"2.0");
    d().click(10, y(2));
    EXPECT_EQ(focused(), L"2");
    EXPECT_EQ(t.state.selection, (std::set<TreePath>{{2, 0}}));
}

TEST_F(TreeTest, AMillionRowsVisitOnlyThoseInView) {
    t.nodes.top = 1000;
    t.nodes.fan = 1000;
    t.nodes.depth = 2;
    for (int i = 0; i < 1000; ++i)
        t.state.expanded.insert({i});
    t.state.rows.first = 500000;
    d().paint();
    t.nodes.labels = 0;
    d().paint();
    EXPECT_LE(t.nodes.labels, 8); // the rows in view
    d().click(60, y(0));
    EXPECT_EQ(t.state.rows.focused, 500000);
    EXPECT_EQ(focused(), L"499.500"); // row 500000: 500 top rows and 499 * 1000 children above
    d().press(WXK_END);
    EXPECT_EQ(focused(), L"999.999");
}

TEST_F(TreeTest, ScreenReadersHearLevelsPlacesAndExpansion) {
    t.state.expanded = {{1}};
    d().context()->setAccessibility(true);
    d().paint();
    d().paint();
    std::vector<std::wstring> items;
    for (const orbotk::Described& c : d().context()->described()) {
        const orbotk::Description& desc = *c.description;
        if (desc.role == orbotk::Role::Tree) {
            EXPECT_EQ(desc.rowCount, 6);
        }
        if (desc.role == orbotk::Role::TreeItem)
            items.push_back(desc.name + L" " + std::to_wstring(desc.level) + L" " +
                            std::to_wstring(desc.posInSet) + L"/" + std::to_wstring(desc.setSize) +
                            ((desc.states & orbotk::ACC_EXPANDED) ? L" open" : L""));
    }
    EXPECT_EQ(items, (std::vector<std::wstring>{L"0 1 1/3", L"1 1 2/3 open", L"1.0 2 1/3",
                                                L"1.1 2 2/3", L"1.2 2 3/3", L"2 1 3/3"}));
}

TEST_F(TreeTest, ATreeTableIndentsItsFirstColumn) {
    std::vector<gui::TableColumn> columns(2);
    columns[0].title = L"Node";
    columns[1].title = L"Depth";
    gui::TableState table;
    win->scene = [&](Host& h) {
        Box at(h.ui(), 210.0f, 150.0f);
        at.setPos(4.0f, 4.0f);
        t.last = gui::doTreeTable(static_cast<gui::AppWindow&>(h).ui(), ControlID(L"tt"), table,
                                  columns, t.state, t.nodes.model, {});
    };
    d().paint();
    d().click(10, 27 + 10); // the first row's expander, below the header
    EXPECT_TRUE(t.state.expanded.count({0}));
    d().click(150, 27 + 30);
    EXPECT_EQ(focused(), L"0.0");
    d().press(WXK_LEFT);
    EXPECT_EQ(focused(), L"0");
    d().click(150, 15); // the header sorts
    EXPECT_TRUE(t.last.sortChanged);
}

TEST_F(TreeTest, RealKeysExpandAndMove) {
    win->Show(true);
    d().click(60, y(0));
    testing_support::realKeys(d(), "key Right Right Down asterisk");
    testing_support::settle();
    EXPECT_EQ(focused(), L"0.1");
    EXPECT_EQ(t.state.expanded, (std::set<TreePath>{{0}, {0, 1}}));
}

TEST_F(TreeTest, Goldens) {
    for (int scale : {1, 2}) {
        Hosted w(220, 170, false, scale);
        Tree tree;
        tree.state.expanded = {{0}, {0, 1}, {2}};
        tree.state.selection = {{0, 1, 2}};
        tree.state.focused = {0, 1, 2};
        w->scene = [&tree](Host& h) { tree.scene(h); };
        w.driver->paint();
        w.driver->click(190, 160); // the focus, on no row
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "tree");
        // The same nodes in a tree table, its first column narrowed so that labels are cut.
        std::vector<gui::TableColumn> columns(2);
        columns[0].title = L"Node";
        columns[0].width = 90.0f;
        columns[1].title = L"Depth";
        gui::TableState table;
        w->scene = [&](Host& h) {
            Box at(h.ui(), 210.0f, 160.0f);
            at.setPos(4.0f, 4.0f);
            gui::doTreeTable(static_cast<gui::AppWindow&>(h).ui(), ControlID(L"tt"), table, columns,
                             tree.state, tree.nodes.model, {});
        };
        w.driver->paint();
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "tree_table");
        w->scene = nullptr;
    }
}
