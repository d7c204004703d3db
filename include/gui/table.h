// The table over the current box: columns the caller describes, over rows of one height and a
// count the caller owns, under a header row. Drawn as the list view draws (gui/list_view.h):
// only rows in view, a call per cell with the current box on the cell (library controls work
// there as anywhere; without drawCell the table draws options.cellText), and the list's
// selection, keys, activation and row menu. The header:
//   click a title          sorts by that column (again: the other way round); Shift+click adds
//                          it as a further key. The caller sorts its rows by layout.sort
//                          (TableResult::sortChanged says when it changed).
//   drag a column's edge   resizes it (not below its minimum); a double click on the edge
//                          fits the widest text of the column's cells in view
//   drag a title           moves the column among the others
//   right click            a menu of the columns that shows and hides them
// Columns that do not fit scroll sideways a column at a time, the header with the rows, by
// the bar along the bottom and Shift with the wheel. The layout (widths, order, visibility,
// sort) is the caller's TableLayout, made from the columns on first use and saved as text with
// save() and load(). Screen readers hear a table with its column headers, its row and column
// counts, each cell in view with its text, and the selected rows among those in view.
#pragma once

#include "gui/list_view.h"
#include "gui/tree.h"

#include <boost/function.hpp>
#include <set>
#include <string>
#include <vector>

namespace gui {

enum TableAlign : int { TABLE_LEFT = 0, TABLE_CENTER = 1, TABLE_RIGHT = 2 };

struct TableColumn {
    std::wstring title;
    float width = 100.0f, minWidth = 24.0f;
    TableAlign align = TABLE_LEFT;
    bool sortable = true, resizable = true, visible = true;
};

struct TableSortKey {
    int column = 0;
    bool descending = false;
    bool operator==(const TableSortKey& o) const {
        return column == o.column && descending == o.descending;
    }
};

struct TableLayout {
    std::vector<float> widths;      // by column
    std::vector<int> order;         // the columns, left to right
    std::vector<bool> visible;      // by column
    std::vector<TableSortKey> sort; // the first key first; empty: the rows as given

    // "w,w,w;order,order;visible bits;column+ or column-,..." and back. load() leaves the
    // layout as it was and returns false for text that is not one.
    std::wstring save() const;
    bool load(const std::wstring& text);
};

struct TableState {
    ListState rows;
    TableLayout layout;
    int firstColumn = 0;                     // the first column in view, by place
    float dragLeft = 0.0f, dragMouse = 0.0f; // the sideways scroll bar's drag
};

struct TableOptions : ListOptions {
    float headerHeight = 22.0f;
    // Each cell's text: drawn when there is no drawCell, heard by screen readers, and what a
    // double click on a column's edge fits. ListOptions::label jumps by the first letter.
    boost::function<std::wstring(int row, int column)> cellText;
};

struct TableResult : ListResult {
    bool sortChanged = false;   // layout.sort changed: sort the rows
    bool layoutChanged = false; // a width, the order or the visibility changed
};

TableResult doTable(Ui& ui, orbotk::ControlID id, TableState& state,
                    const std::vector<TableColumn>& columns, int count, std::set<int>& selection,
                    const boost::function<void(int row, int column, bool selected)>& drawCell,
                    const TableOptions& options = TableOptions(), bool enabled = true);

// A table whose first column is a tree (a file browser's name, size and date): its rows are
// the tree's, its keys the tree's, drawCell draws each node's cells (the first after its
// expander; without drawCell the label and the model's cellText).
TreeResult
doTreeTable(Ui& ui, orbotk::ControlID id, TableState& table,
            const std::vector<TableColumn>& columns, TreeState& tree, const TreeModel& model,
            const boost::function<void(const TreePath& node, int column, bool selected)>& drawCell,
            const TableOptions& options = TableOptions(), bool enabled = true);

} // namespace gui
