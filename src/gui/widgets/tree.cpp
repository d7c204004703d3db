// The tree view: which node each row shows, worked out from the expanded nodes alone, and the
// tree's own keys over the table's rows (the widget itself is a table of one column without
// a header: src/gui/widgets/table.cpp).
#include "gui/tree.h"

#include "widgets/table_view.h"

#include <algorithm>

namespace gui {

namespace {
bool startsWith(const TreePath& path, const TreePath& prefix) {
    return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}
} // namespace

TreeRows::TreeRows(const TreeModel& model, const std::set<TreePath>& expanded) : model_(model) {
    auto at = expanded.begin();
    measure(TreePath(), at, expanded);
}

// The rows below a shown expanded node (or the top): its children, and below each expanded
// child its own. `at` walks the expanded set, which holds a node's descendants right after it.
int TreeRows::measure(const TreePath& node, std::set<TreePath>::const_iterator& at,
                      const std::set<TreePath>& expanded) {
    Node n;
    n.children = model_.childCount ? std::max(model_.childCount(node), 0) : 0;
    int rows = n.children;
    while (at != expanded.end() && startsWith(*at, node)) {
        const TreePath& e = *at;
        if (e.size() == node.size() + 1 && e.back() >= 0 && e.back() < n.children) {
            const TreePath child = e;
            ++at;
            const int below = measure(child, at, expanded);
            n.open.emplace_back(child.back(), below);
            rows += below;
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
    const Node& n = nodes_.at(node);
    int before = 0; // rows of the expanded children above
    for (const auto& [index, below] : n.open) {
        const int at = index + before;
        if (row <= at || row <= at + below) {
            TreePath p = node;
            if (row < at)
                p.push_back(row - before);
            else if (row == at)
                p.push_back(index);
            else {
                p.push_back(index);
                return locate(p, row - at - 1);
            }
            return p;
        }
        before += below;
    }
    TreePath p = node;
    p.push_back(row - before);
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
        int before = 0;
        for (const auto& [index, below] : it->second.open)
            if (index < k)
                before += below;
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
