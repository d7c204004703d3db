// The tree view: which node each row shows, worked out from the expanded nodes alone, and the
// tree's own keys over the table's rows (the widget itself is a table of one column without
// a header: src/gui/widgets/table.cpp).
#include "gui/tree.h"

#include "widgets/table_view.h"

#include <algorithm>

namespace gui {

namespace {
// Rows are counted in ints: a node's children and the rows of a whole tree are held below these
// (a count beyond them is taken as them).
constexpr int MOST_CHILDREN = 1 << 28, MOST_ROWS = 1 << 30;

int childCount(const TreeModel& model, const TreePath& node) {
    return model.childCount ? std::min(std::max(model.childCount(node), 0), MOST_CHILDREN) : 0;
}

bool startsWith(const TreePath& path, const TreePath& prefix) {
    return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}
} // namespace

TreeRows::TreeRows(const TreeModel& model, const std::set<TreePath>& expanded)
    : expanded_(expanded) {
    auto at = expanded.begin();
    measure(model, TreePath(), at, expanded);
}

bool TreeRows::holds(const TreeModel& model, const std::set<TreePath>& expanded) const {
    if (expanded != expanded_)
        return false;
    for (const auto& [node, n] : nodes_)
        if (childCount(model, node) != n.children)
            return false;
    return true;
}

// The rows below a shown expanded node (or the top): its children, and below each expanded
// child its own. `at` walks the expanded set, which holds a node's descendants right after it.
int TreeRows::measure(const TreeModel& model, const TreePath& node,
                      std::set<TreePath>::const_iterator& at, const std::set<TreePath>& expanded) {
    Node n;
    n.children = childCount(model, node);
    int rows = n.children;
    while (at != expanded.end() && startsWith(*at, node)) {
        const TreePath& e = *at;
        if (e.size() == node.size() + 1 && e.back() >= 0 && e.back() < n.children) {
            const TreePath child = e;
            ++at;
            Open o;
            o.index = child.back();
            o.below = std::min(measure(model, child, at, expanded), MOST_ROWS - rows);
            o.before = rows - n.children;
            n.open.push_back(o);
            rows += o.below;
        } else {
            ++at; // below a collapsed node, or no longer there: hidden
        }
    }
    n.rows = rows;
    nodes_[node] = std::move(n);
    return rows;
}

int TreeRows::count() const {
    return nodes_.at(TreePath()).rows;
}

TreePath TreeRows::locate(const TreePath& node, int row) const {
    const std::vector<Open>& open = nodes_.at(node).open;
    // The last expanded child whose own row is at or above `row`.
    const auto after = std::upper_bound(
        open.begin(), open.end(), row, [](int r, const Open& o) { return r < o.index + o.before; });
    TreePath p = node;
    if (after == open.begin()) {
        p.push_back(row);
        return p;
    }
    const Open& o = *(after - 1);
    const int at = o.index + o.before;
    if (row == at) {
        p.push_back(o.index);
    } else if (row <= at + o.below) {
        p.push_back(o.index);
        return locate(p, row - at - 1);
    } else {
        p.push_back(row - o.before - o.below);
    }
    return p;
}

TreePath TreeRows::path(int row) const {
    return row >= 0 && row < count() ? locate(TreePath(), row) : TreePath();
}

int TreeRows::row(const TreePath& node) const {
    int row = -1;
    TreePath p;
    for (const int k : node) {
        const auto it = nodes_.find(p);
        if (it == nodes_.end() || k < 0 || k >= it->second.children)
            return -1;
        const std::vector<Open>& open = it->second.open;
        const auto next = std::lower_bound(
            open.begin(), open.end(), k, [](const Open& o, int index) { return o.index < index; });
        const int before = next == open.begin() ? 0 : (next - 1)->before + (next - 1)->below;
        row += 1 + k + before;
        p.push_back(k);
    }
    return node.empty() ? -1 : row;
}

TreeResult doTree(Ui& ui, orbotk::ControlID id, TreeState& state, const TreeModel& model,
                  const TreeOptions& o, bool enabled) {
    requirePass(ui, "doTree");
    // One column filling the box, without a header.
    TableState& table = ui.memory<TableState>(id);
    table.rows = state.rows;
    static const std::vector<TableColumn> column(1);
    TableOptions options;
    options.rowHeight = o.rowHeight;
    options.selection = o.selection;
    options.alternate = o.alternate;
    options.emptyText = o.emptyText;
    options.headerHeight = 0.0f;
    TreeResult result;
    const auto draw =
        o.drawNode
            ? boost::function<void(const TreePath&, int, bool)>(
                  [&](const TreePath& node, int, bool selected) { o.drawNode(node, selected); })
            : boost::function<void(const TreePath&, int, bool)>();
    treeTableView(ui, id, table, column, state, model, draw, options, enabled, result, false);
    state.rows = table.rows;
    return result;
}

} // namespace gui
