// What the list view, the table and the tree share: the rules of a column of rows of one
// height under the keyboard and the pointer (selection with Shift and Ctrl, Space, Return, the
// first letter, the wheel, the row menu), and the shading behind a row. Each widget keeps its
// selection its own way (row numbers, or a tree's nodes), reached through RowSelection.
#pragma once

#include "gui/list_view.h"

#include <boost/function.hpp>

namespace gui {

class RowSelection {
public:
    virtual bool has(int row) const = 0;
    virtual void only(int row) = 0;
    virtual void toggle(int row) = 0;
    virtual void range(int from, int to) = 0; // the rows from..to alone, either way round
protected:
    ~RowSelection() = default;
};

// A caller's set of row numbers.
class RowNumbers final : public RowSelection {
public:
    explicit RowNumbers(std::set<int>& rows) : rows_(rows) {}
    bool has(int row) const override { return rows_.count(row) != 0; }
    void only(int row) override;
    void toggle(int row) override;
    void range(int from, int to) override;

private:
    std::set<int>& rows_;
};

// Where the rows lie: visible rows from top, and the row under the pointer (-1 for none).
struct RowsGeometry {
    int count = 0, visible = 1, pointerRow = -1;
    bool wheel = true; // the wheel scrolls the rows (false: somebody took it)
};

// The list's rules for the rows box `box` (which the caller opened with the control's
// identity), run in every pass of an enabled control: they move state's rows and the
// selection, and fill result. `letter` says which typed characters jump to a row by its
// label's first letter (options.label given).
void rowsInput(Ui& ui, Box& box, ListState& state, const RowsGeometry& g, RowSelection& selection,
               const ListOptions& options, ListResult& result,
               const boost::function<bool(int)>& letter);

// The row under the pointer, from the geometry alone (the rows' own controls lie in front),
// and the hover shading's part: the window repaints when the row under the pointer changes.
int pointerRow(Ui& ui, float left, float top, float width, float rowH, int first, int visible,
               int count, bool on);

// What lies behind a row's content, in the current box: the focus border, then the selection,
// hover or alternate shading.
void drawRowBehind(Ui& ui, bool on, bool listFocused, bool focused, bool selected, bool hovered,
                   bool alternate);

// What lies behind the rows, in the rows' box: emptyText where there are no rows (given only
// then), the focus border round an empty focused box, the border and the background.
void drawRowsFrame(Ui& ui, const Box& box, float top, const wchar_t* emptyText, bool focusedEmpty,
                   bool on);

} // namespace gui
