// The one widget behind the table, the tree table and the tree: a tree is a table of one
// column that fills the box, without a header.
#pragma once

#include "gui/table.h"

namespace gui {

void treeTableView(Ui& ui, orbotk::ControlID id, TableState& table,
                   const std::vector<TableColumn>& columns, TreeState& tree, const TreeModel& model,
                   const boost::function<void(const TreePath&, int, bool)>& drawCell,
                   const TableOptions& options, bool enabled, TreeResult& result, bool header);

} // namespace gui
