// The tree view over the current box: nodes the caller provides on demand, shown as rows of
// one height, a node's children below it and indented while it is expanded. A node is named
// by its path, the index of each node on the way down from the top (TreePath{2, 0} is the
// first child of the third top-level node); the caller answers, for any node, how many
// children it has, its label, and whether it can be expanded (a folder with nothing in it
// yet). The expanded nodes and the selection are the caller's sets of paths.
//
//     gui::TreeModel m;
//     m.childCount = [&](const gui::TreePath& p) { return folderAt(p).entries(); };
//     m.label = [&](const gui::TreePath& p) { return folderAt(p).name(); };
//     gui::doTree(ui(), ControlID(L"folders"), tree_, m);
//
// Selection and keys are the list view's (gui/list_view.h), and besides:
//   the expander, a double click   expands a collapsed node, collapses an expanded one
//   Right                          expands the focused node; on an expanded one, to its first
//                                  child
//   Left                           collapses the focused node; on a collapsed one, to its
//                                  parent
//   *                              expands the focused node and every node below it
// Only the rows in view are visited, and only the expanded nodes are asked how many children
// they have: a tree whose expanded part holds a million rows costs what one of a screenful
// does. Screen readers hear a tree of tree items, each with its level, its place among its
// siblings and whether it is expanded.
#pragma once

#include "gui/list_view.h"

#include <boost/function.hpp>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace gui {

using TreePath = std::vector<int>;

struct TreeModel {
    boost::function<int(const TreePath& node)> childCount; // of the top ({}) too
    boost::function<std::wstring(const TreePath& node)> label;
    // Whether a node shows an expander; without it, a node with children does.
    boost::function<bool(const TreePath& node)> expandable;
    // A tree table's text in its other columns, for screen readers and fitting a column.
    boost::function<std::wstring(const TreePath& node, int column)> cellText;
};

struct TreeState {
    ListState rows;               // the first row in view, the focused row and the anchor
    std::set<TreePath> expanded;  // nodes whose children show (when their parents' do)
    std::set<TreePath> selection; // selected nodes
    TreePath focused, anchor;     // the focused row's and the anchor's nodes, kept by path
};

struct TreeOptions {
    float rowHeight = 20.0f;
    ListSelectionMode selection = LIST_SELECT_SINGLE;
    bool alternate = false;
    const wchar_t* emptyText = nullptr;
    // Draws a node's row in the current box (after its expander); without it, its label.
    boost::function<void(const TreePath& node, bool selected)> drawNode;
};

struct TreeResult {
    std::optional<TreePath> activated, menu; // double click or Return; the right button
    float menuX = 0.0f, menuY = 0.0f;        // in the window
    bool selectionChanged = false, expandedChanged = false;
    bool sortChanged = false, layoutChanged = false; // a tree table's header
};

TreeResult doTree(Ui& ui, orbotk::ControlID id, TreeState& state, const TreeModel& model,
                  const TreeOptions& options = TreeOptions(), bool enabled = true);

// The rows a tree shows: which node each row holds and which row each node is, computed from
// the expanded nodes alone (what the tree widgets use; a host may use it for its own views).
class TreeRows {
public:
    TreeRows(const TreeModel& model, const std::set<TreePath>& expanded);
    int count() const;
    TreePath path(int row) const;        // row in 0 .. count() - 1
    int row(const TreePath& node) const; // -1 for a node not shown
    bool expanded(const TreePath& node) const { return nodes_.count(node) != 0; }
    // How many children a shown expanded node (or the top) has; 0 for any other node.
    int children(const TreePath& node) const {
        const auto it = nodes_.find(node);
        return it == nodes_.end() ? 0 : it->second.children;
    }
    // Whether these rows still hold for the model and expanded set: the same set, and the
    // same number of children under every shown expanded node.
    bool holds(const TreeModel& model, const std::set<TreePath>& expanded) const;

private:
    struct Open {
        int index = 0, below = 0; // an expanded child: its index, the rows below it
        int before = 0;           // the rows below the expanded children before it
    };
    struct Node {
        int children = 0, rows = 0; // rows: all shown below the node
        std::vector<Open> open;     // by index
    };
    int measure(const TreeModel& model, const TreePath& node,
                std::set<TreePath>::const_iterator& at, const std::set<TreePath>& expanded);
    TreePath locate(const TreePath& node, int row) const;

    std::set<TreePath> expanded_;
    std::map<TreePath, Node> nodes_; // the top and every shown expanded node
};

} // namespace gui
