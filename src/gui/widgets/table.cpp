// The table: its layout settled against the columns, the header's sorting, resizing,
// reordering and column menu, the rows under the list's rules, the sideways scrolling by
// columns, and the tree a first column can hold. The tree view is this widget with one column
// filling the box and no header.
//
//   table box (named: the focus, clicks on rows, the wheel, the right button)
//   +--------+--------+------+---+
//   | title  | title ^|  ... |   |  header (its own box: sorting, edges, drags, menu)
//   +--------+--------+------+---+
//   | cell   | cell   |      | ^ |  rows: cells of the columns in view, from firstColumn;
//   | cell   | cell   |      |   |  the last one cut at the right edge
//   +--------+--------+------+---+
//   | <        ===         > |      sideways bar, only when the columns do not fit
//   +------------------------+---+
#include "gui/table.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/popup_menu.h"
#include "gui/render.h"
#include "gui/scroll_bar.h"
#include "gui/text_layout.h"
#include "widgets/icon.h"
#include "widgets/rows.h"
#include "widgets/table_view.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <optional>
#include <sstream>

namespace gui {

using orbotk::ControlID;

namespace {

constexpr float PAD = 4.0f;        // text from a cell's edges
constexpr float INDENT = 16.0f;    // a tree level, and the expander's width
constexpr float EDGE = 3.0f;       // a column's edge takes the pointer this far either side
constexpr float ARROW = 12.0f;     // room for the sort mark
constexpr float DRAG_START = 4.0f; // a title moves once the pointer has moved this far
constexpr float MOST_WIDTH = 100000.0f;

// What the header keeps between passes: the drag in progress.
struct HeaderMemory {
    enum Mode { NONE, RESIZE, PRESS } mode = NONE;
    int column = -1;
    float grab = 0.0f, pressX = 0.0f;
    bool moved = false;
};

// The layout made to fit the columns: sizes, a permutation, at least one column shown, and
// sort keys on sortable columns only. Widths lie between a column's minimum and MOST_WIDTH.
void settle(TableLayout& l, const std::vector<TableColumn>& columns) {
    const size_t n = columns.size();
    if (l.widths.size() != n) {
        l.widths.resize(n);
        for (size_t i = 0; i < n; ++i)
            l.widths[i] = columns[i].width;
    }
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(l.widths[i]) || l.widths[i] < columns[i].minWidth)
            l.widths[i] =
                std::isfinite(columns[i].minWidth) ? std::max(columns[i].minWidth, 1.0f) : 24.0f;
        else if (l.widths[i] > MOST_WIDTH)
            l.widths[i] = MOST_WIDTH;
    if (l.visible.size() != n) {
        l.visible.resize(n);
        for (size_t i = 0; i < n; ++i)
            l.visible[i] = columns[i].visible;
    }
    // A permutation of the columns, checked without allocating: it runs in every pass.
    bool permutation = l.order.size() == n;
    for (size_t i = 0; permutation && i < n; ++i)
        permutation = l.order[i] >= 0 && static_cast<size_t>(l.order[i]) < n &&
                      std::count(l.order.begin(), l.order.end(), l.order[i]) == 1;
    if (!permutation) {
        l.order.resize(n);
        std::iota(l.order.begin(), l.order.end(), 0);
    }
    if (n > 0 && std::none_of(l.visible.begin(), l.visible.end(), [](bool v) { return v; }))
        l.visible[static_cast<size_t>(l.order[0])] = true;
    size_t kept = 0;
    for (size_t i = 0; i < l.sort.size(); ++i) {
        const TableSortKey k = l.sort[i];
        const auto keptEnd = l.sort.begin() + static_cast<std::ptrdiff_t>(kept);
        if (k.column >= 0 && static_cast<size_t>(k.column) < n &&
            columns[static_cast<size_t>(k.column)].sortable &&
            std::none_of(l.sort.begin(), keptEnd,
                         [&](const TableSortKey& o) { return o.column == k.column; }))
            l.sort[kept++] = k;
    }
    l.sort.resize(kept);
}

// The tree's selection: nodes, reached by row.
class PathSelection final : public RowSelection {
public:
    PathSelection(std::set<TreePath>& nodes, const std::optional<TreeRows>& rows)
        : nodes_(nodes), rows_(rows) {}
    bool has(int row) const override { return nodes_.count(rows_->path(row)) != 0; }
    void only(int row) override {
        nodes_.clear();
        nodes_.insert(rows_->path(row));
    }
    void toggle(int row) override {
        const TreePath p = rows_->path(row);
        if (!nodes_.erase(p))
            nodes_.insert(p);
    }
    void range(int from, int to) override {
        nodes_.clear();
        for (int i = std::min(from, to); i <= std::max(from, to); ++i)
            nodes_.insert(rows_->path(i));
    }

private:
    std::set<TreePath>& nodes_;
    const std::optional<TreeRows>& rows_;
};

// The tree of a tree table or tree view: its rows, worked out again when the expanded set
// changes within a pass.
struct TreeHook {
    TreeState& state;
    const TreeModel& model;
    TreeResult& result;
    std::optional<TreeRows>& rows; // kept from pass to pass while they hold

    ListState* focus = nullptr; // the rows the focus and anchor stand on

    void reckon() {
        if (!rows || !rows->holds(model, state.expanded))
            rows.emplace(model, state.expanded);
    }
    // After a change of the expanded set: the rows again, the focus and anchor on their nodes.
    void changed() {
        result.expandedChanged = true;
        const TreePath f = rows->path(focus->focused), a = rows->path(focus->anchor);
        reckon();
        focus->focused = rowOf(f);
        focus->anchor = rowOf(a);
    }
    bool expandable(const TreePath& p) const {
        return model.expandable ? model.expandable(p) : model.childCount && model.childCount(p) > 0;
    }
    // The row the focus or anchor stands on: its node's, or its nearest shown ancestor's.
    int rowOf(TreePath p) const {
        for (; !p.empty(); p.pop_back())
            if (const int r = rows->row(p); r >= 0)
                return r;
        return 0;
    }
    void setExpanded(const TreePath& p, bool open) {
        if (open ? state.expanded.insert(p).second : state.expanded.erase(p) != 0)
            changed();
    }
    void expandAll(const TreePath& top) {
        std::vector<TreePath> todo{top};
        while (!todo.empty()) {
            TreePath p = std::move(todo.back());
            todo.pop_back();
            if (!expandable(p))
                continue;
            state.expanded.insert(p);
            const int n = model.childCount ? model.childCount(p) : 0;
            for (int i = 0; i < n; ++i) {
                todo.push_back(p);
                todo.back().push_back(i);
            }
        }
        changed();
    }
};

void alignedText(Ui& ui, const std::wstring& text, TableAlign align, bool on) {
    const wxFont& font = ui.look().configFont;
    const float W = ui->current()->w, fontH = getFontHeight(ui, font);
    float w = W;
    std::wstring& shown = ui->scratch.label;
    fit(ui, font, w, std::wstring_view(text), true, shown);
    const float offset = align == TABLE_RIGHT ? W - w : align == TABLE_CENTER ? (W - w) * 0.5f : 0;
    Box label(ui, W - offset, fontH);
    label.setLeft(std::floor(offset));
    label.setCenterY();
    ui.color(on ? orbopal::Text : orbopal::DisabledText);
    render(ui, font, shown, 0);
}

struct View {
    Ui& ui;
    ControlID id;
    TableState& st;
    const std::vector<TableColumn>& columns;
    RowSelection& selection;
    const TableOptions& o;
    TableResult& result;
    TreeHook* tree;
    bool header, fill, on;
    int count = 0;
    const boost::function<void(int, int, bool)>& drawCell;

    std::wstring text(int row, int column) const {
        if (tree && column == 0)
            return tree->model.label ? tree->model.label(tree->rows->path(row)) : std::wstring();
        if (tree)
            return tree->model.cellText ? tree->model.cellText(tree->rows->path(row), column)
                                        : std::wstring();
        return o.cellText ? o.cellText(row, column) : std::wstring();
    }
    void run();
};

void View::run() {
    TableLayout& l = st.layout;
    if (!fill)
        settle(l, columns);
    const float rowH = o.rowHeight >= 1.0f ? o.rowHeight : 20.0f;
    const float headerH = header ? std::max(o.headerHeight, 1.0f) : 0.0f;
    Box table(ui, FILL, FILL, id, on);
    const float innerX = table.x() + 1.0f, innerY = table.y() + 1.0f, innerW = table.w() - 2.0f;
    const float rowsTop = innerY + headerH;

    // The columns shown, by place, and the bars they and the rows need.
    std::vector<int> shown;
    if (fill)
        shown.push_back(0);
    else
        for (int c : l.order)
            if (l.visible[static_cast<size_t>(c)])
                shown.push_back(c);
    const int places = static_cast<int>(shown.size());
    const auto width = [&](int column, float rowsW) {
        return fill ? rowsW : l.widths[static_cast<size_t>(column)];
    };
    float total = 0.0f;
    for (int c : shown)
        total += fill ? 0.0f : l.widths[static_cast<size_t>(c)];
    float rowsH = table.h() - 2.0f - headerH;
    bool vbar = false, hbar = false;
    for (int pass = 0; pass < 2; ++pass) {
        const float h = rowsH - (hbar ? SCROLL_SIZE : 0.0f);
        vbar = count > std::max(static_cast<int>(std::floor(h / rowH)), 1);
        hbar = !fill && total > innerW - (vbar ? SCROLL_SIZE : 0.0f);
    }
    if (hbar)
        rowsH -= SCROLL_SIZE;
    const int visible = std::max(static_cast<int>(std::floor(rowsH / rowH)), 1);
    const float rowsW = innerW - (vbar ? SCROLL_SIZE : 0.0f);
    int lastFirstColumn = 0;
    for (float fits = 0.0f; lastFirstColumn < places; ++lastFirstColumn) {
        const int k = places - 1 - lastFirstColumn;
        fits += width(shown[static_cast<size_t>(k)], rowsW);
        if (fits > rowsW)
            break;
    }
    lastFirstColumn = hbar ? places - std::max(lastFirstColumn, 1) : 0;
    st.firstColumn = std::min(std::max(st.firstColumn, 0), lastFirstColumn);
    ListState& rs = st.rows;
    const auto clampRows = [&] {
        rs.first = std::min(std::max(rs.first, 0), std::max(count - visible, 0));
        rs.focused = std::min(std::max(rs.focused, 0), std::max(count - 1, 0));
        rs.anchor = std::min(std::max(rs.anchor, 0), std::max(count - 1, 0));
    };
    if (tree) {
        tree->focus = &rs;
        rs.focused = tree->rowOf(tree->state.focused);
        rs.anchor = tree->rowOf(tree->state.anchor);
    }
    clampRows();
    // Where each place in view starts; places before firstColumn are out of view.
    std::vector<float> xs(static_cast<size_t>(places), 0.0f);
    for (int p = st.firstColumn, x = 0; p < places; ++p) {
        xs[static_cast<size_t>(p)] = innerX + static_cast<float>(x);
        x += static_cast<int>(width(shown[static_cast<size_t>(p)], rowsW));
    }
    const float right = innerX + rowsW;
    const auto inView = [&](int p) {
        return p >= st.firstColumn && xs[static_cast<size_t>(p)] < right;
    };
    const auto shownW = [&](int p) {
        return std::min(width(shown[static_cast<size_t>(p)], rowsW),
                        right - xs[static_cast<size_t>(p)]);
    };
    const int treePlace = [&] {
        for (int p = 0; tree && p < places; ++p)
            if (shown[static_cast<size_t>(p)] == 0)
                return p;
        return -1;
    }();
    const float px = static_cast<float>(ui->mouseX()), py = static_cast<float>(ui->mouseY());
    int under = pointerRow(ui, innerX, rowsTop, rowsW, rowH, rs.first, visible, count, on);

    if (table.describing()) {
        orbotk::Description d;
        d.role = fill ? orbotk::Role::Tree : tree ? orbotk::Role::TreeTable : orbotk::Role::Table;
        d.states = (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE;
        d.rowCount = count;
        d.columnCount = places;
        table.describe(d);
    }

    // ---- The header
    if (header) {
        Box head(ui, rowsW, headerH, ControlID(id.name() + L":header", orbotk::TabIdx::DISABLED),
                 on);
        head.setPos(innerX, innerY);
        HeaderMemory& m = ui.memory<HeaderMemory>(id);
        int edge = -1, title = -1; // places under the pointer
        if (ui->pointerInside() && py >= innerY && py < innerY + headerH)
            for (int p = st.firstColumn; p < places && inView(p); ++p) {
                const float x0 = xs[static_cast<size_t>(p)], x1 = x0 + shownW(p);
                if (std::fabs(px - x1) <= EDGE &&
                    columns[static_cast<size_t>(shown[static_cast<size_t>(p)])].resizable)
                    edge = p;
                else if (px >= x0 && px < x1 && title < 0 && edge < 0)
                    title = p;
            }
        if (on) {
            ui->hoverPart(1 << 24 | (edge >= 0 ? 1 << 12 | edge : title));
            if (edge >= 0 || m.mode == HeaderMemory::RESIZE)
                ui->showCursor(wxCURSOR_SIZEWE);
            if (head.leftDoubleClicked() && edge >= 0) {
                // Fit the widest text of the column in view, and its title.
                const int c = shown[static_cast<size_t>(edge)];
                const wxFont& font = ui.look().configFont;
                float w =
                    getTextShape(ui, columns[static_cast<size_t>(c)].title.c_str(), font).width +
                    2 * PAD + ARROW;
                const int end = std::min(rs.first + visible, count);
                for (int r = rs.first; r < end; ++r) {
                    const float indent =
                        tree && c == 0 ? INDENT * static_cast<float>(tree->rows->path(r).size())
                                       : 0;
                    w = std::max(w, getTextShape(ui, text(r, c).c_str(), font).width + 2 * PAD +
                                        indent);
                }
                l.widths[static_cast<size_t>(c)] =
                    std::max(std::ceil(w), columns[static_cast<size_t>(c)].minWidth);
                result.layoutChanged = true;
                m.mode = HeaderMemory::NONE;
                ui.refresh();
            } else if (head.leftClicked() && (edge >= 0 || title >= 0)) {
                head.makeActive();
                m.moved = false;
                if (edge >= 0) {
                    m.mode = HeaderMemory::RESIZE;
                    m.column = shown[static_cast<size_t>(edge)];
                    m.grab = px - (xs[static_cast<size_t>(edge)] + shownW(edge));
                } else {
                    m.mode = HeaderMemory::PRESS;
                    m.column = shown[static_cast<size_t>(title)];
                    m.pressX = px;
                }
                ui.refresh();
            }
            const int place =
                static_cast<int>(std::find(shown.begin(), shown.end(), m.column) - shown.begin());
            // A press held repaints after every motion by itself.
            if (head.leftDragging() && !ui->isPaint() && place < places && inView(place)) {
                if (m.mode == HeaderMemory::RESIZE) {
                    const float w =
                        std::max(std::round(px - m.grab - xs[static_cast<size_t>(place)]),
                                 columns[static_cast<size_t>(m.column)].minWidth);
                    if (w != l.widths[static_cast<size_t>(m.column)]) {
                        l.widths[static_cast<size_t>(m.column)] = w;
                        result.layoutChanged = true;
                    }
                } else if (m.mode == HeaderMemory::PRESS &&
                           (m.moved || std::fabs(px - m.pressX) > DRAG_START)) {
                    m.moved = true;
                    // The column trades places with a neighbour once the pointer passes the
                    // neighbour's middle.
                    int to = place;
                    if (place > st.firstColumn &&
                        px < xs[static_cast<size_t>(place - 1)] + shownW(place - 1) / 2)
                        to = place - 1;
                    else if (place + 1 < places && inView(place + 1) &&
                             px >= xs[static_cast<size_t>(place + 1)] + shownW(place + 1) / 2)
                        to = place + 1;
                    if (to != place) {
                        auto a = std::find(l.order.begin(), l.order.end(),
                                           shown[static_cast<size_t>(place)]);
                        auto b = std::find(l.order.begin(), l.order.end(),
                                           shown[static_cast<size_t>(to)]);
                        std::iter_swap(a, b);
                        result.layoutChanged = true;
                    }
                }
            }
            if (head.active() && head.leftReleased()) {
                if (m.mode == HeaderMemory::PRESS && !m.moved &&
                    columns[static_cast<size_t>(m.column)].sortable) {
                    const auto key =
                        std::find_if(l.sort.begin(), l.sort.end(),
                                     [&](const TableSortKey& k) { return k.column == m.column; });
                    if (ui->shiftDown()) {
                        if (key != l.sort.end())
                            key->descending = !key->descending;
                        else
                            l.sort.push_back({m.column, false});
                    } else {
                        const bool descending = key != l.sort.end() && !key->descending;
                        l.sort = {{m.column, descending}};
                    }
                    result.sortChanged = true;
                }
                m.mode = HeaderMemory::NONE;
                head.clearActive();
                ui.refresh();
            }
            if (head.rightClicked()) {
                // A menu of every column, shown ones checked; the last one shown stays.
                const size_t n = columns.size();
                std::unique_ptr<bool[]> checked(new bool[n]), enabled(new bool[n]);
                const long shownCount = std::count(l.visible.begin(), l.visible.end(), true);
                std::vector<PopupItem> items;
                for (size_t c = 0; c < n; ++c) {
                    checked[c] = l.visible[c];
                    enabled[c] = !(checked[c] && shownCount == 1);
                    items.push_back(PopupItem(POPUP_CHECK, columns[c].title, &enabled[c],
                                              &checked[c], wxNullBitmap, wxNullBitmap, 0));
                }
                Box below(ui, 1.0f, 1.0f);
                below.setPos(px, py);
                const auto picked = doPopupMenu(ui, items);
                if (picked != items.end()) {
                    const size_t c = static_cast<size_t>(picked - items.begin());
                    l.visible[c] = !l.visible[c];
                    result.layoutChanged = true;
                    ui.refresh();
                }
            }
        }
        for (int p = st.firstColumn; p < places && inView(p); ++p) {
            const int c = shown[static_cast<size_t>(p)];
            const TableColumn& col = columns[static_cast<size_t>(c)];
            Box cell(ui, shownW(p), headerH);
            cell.setPos(xs[static_cast<size_t>(p)], innerY);
            if (cell.describing()) {
                orbotk::Description d;
                d.role = orbotk::Role::ColumnHeader;
                d.name = col.title;
                d.states = on ? orbotk::ACC_ENABLED : 0u;
                d.column = p;
                cell.describe(d);
            }
            if (!ui->isPaint())
                continue;
            const auto key = std::find_if(l.sort.begin(), l.sort.end(),
                                          [&](const TableSortKey& k) { return k.column == c; });
            const bool sorted = key != l.sort.end();
            {
                Box caption(ui, std::max(cell.w() - 2 * PAD - (sorted ? ARROW : 0.0f), 0.0f), FILL);
                caption.setLeft(PAD);
                ui.caption = true;
                alignedText(ui, col.title, col.align, on);
                ui.caption = false;
            }
            if (sorted) {
                // The first key's mark in the text's colour, further keys' greyed.
                Box mark(ui, ARROW, FILL);
                mark.setRight(-PAD);
                ui.color(on && key == l.sort.begin() ? orbopal::Text : orbopal::DisabledText);
                drawTriangle(ui, key->descending ? Pointing::Down : Pointing::Up);
            }
            {
                Box line(ui, 1.0f, FILL);
                line.setRight(FILL);
                render(ui, orbopal::ListBorder);
            }
            const bool held = m.column == c && m.mode == HeaderMemory::PRESS && head.active();
            if (on && held)
                render(ui, orbopal::Highlight);
            else if (on && p == title && m.mode == HeaderMemory::NONE && col.sortable)
                render(ui, orbopal::Hover);
        }
        if (ui->isPaint()) {
            render(ui, orbopal::ListBorder, BORDER_BOTTOM);
            render(ui, orbopal::Panel);
        }
    }

    // ---- The rows
    if (on) {
        // Shift turns the wheel sideways where columns are out of view.
        bool wheel = true;
        if (hbar && ui->shiftDown())
            if (const int turn = table.wheelRotation()) {
                st.firstColumn = std::min(std::max(st.firstColumn - turn / 40, 0), lastFirstColumn);
                wheel = false;
                ui.refresh();
            }
        if (tree) {
            const TreePath node = count > 0 ? tree->rows->path(rs.focused) : TreePath();
            // A press on an expander opens or closes its node and leaves the selection.
            if (under >= 0 && treePlace >= 0 && inView(treePlace) && table.leftClicked()) {
                const TreePath p = tree->rows->path(under);
                const float x =
                    xs[static_cast<size_t>(treePlace)] + INDENT * static_cast<float>(p.size() - 1);
                if (px >= x && px < x + INDENT && tree->expandable(p)) {
                    tree->setExpanded(p, !tree->rows->expanded(p));
                    table.makeFocused();
                    under = -1;
                    ui.refresh();
                }
            }
            const auto moveTo = [&](int row) {
                rs.focused = rs.anchor = row;
                if (o.selection != LIST_SELECT_NONE) {
                    selection.only(row);
                    tree->result.selectionChanged = true;
                }
                rs.first = std::min(std::max(rs.first, rs.focused - visible + 1), rs.focused);
                ui.refresh();
            };
            if (count > 0 && table.keyDown(WXK_LEFT)) {
                if (tree->rows->expanded(node) && tree->expandable(node))
                    tree->setExpanded(node, false);
                else if (node.size() > 1)
                    moveTo(tree->rows->row(TreePath(node.begin(), node.end() - 1)));
                ui.refresh();
            } else if (count > 0 && table.keyDown(WXK_RIGHT)) {
                if (!tree->rows->expanded(node) && tree->expandable(node))
                    tree->setExpanded(node, true);
                else if (tree->rows->expanded(node) &&
                         tree->rows->row(node) + 1 < tree->rows->count() &&
                         tree->rows->path(rs.focused + 1).size() > node.size())
                    moveTo(rs.focused + 1);
                ui.refresh();
            } else if (count > 0 && table.characterInput([](int ch) { return ch == '*'; })) {
                tree->expandAll(node);
                ui.refresh();
            }
            count = tree->rows->count();
            clampRows();
        } else if (hbar && table.keyDown(WXK_LEFT)) {
            st.firstColumn = std::max(st.firstColumn - 1, 0);
            ui.refresh();
        } else if (hbar && table.keyDown(WXK_RIGHT)) {
            st.firstColumn = std::min(st.firstColumn + 1, lastFirstColumn);
            ui.refresh();
        }
        RowsGeometry g{count, visible, under};
        g.wheel = wheel;
        rowsInput(ui, table, rs, g, selection, o, result,
                  [&](int ch) { return ch > 32 && ch != 127 && !(tree && ch == '*'); });
        if (tree && result.activated >= 0) {
            // A double click opens or closes the node as well.
            const TreePath p = tree->rows->path(result.activated);
            if (table.leftDoubleClicked() && tree->expandable(p))
                tree->setExpanded(p, !tree->rows->expanded(p));
            count = tree->rows->count();
            clampRows();
        }
    }
    if (tree) {
        tree->state.focused = count > 0 ? tree->rows->path(rs.focused) : TreePath();
        tree->state.anchor = count > 0 ? tree->rows->path(rs.anchor) : TreePath();
    }

    if (vbar) {
        Box bar(ui, innerW, rowsH);
        bar.setPos(innerX, rowsTop);
        doVScroll(ui, ControlID(id.name() + L" scroll", orbotk::TabIdx::DISABLED), rs.first,
                  visible, rs.dragTop, rs.dragMouse, 0, count - 1, on);
    }
    if (hbar) {
        Box bar(ui, rowsW, rowsH + SCROLL_SIZE);
        bar.setPos(innerX, rowsTop);
        doHScroll(ui, ControlID(id.name() + L" columns", orbotk::TabIdx::DISABLED), st.firstColumn,
                  places - lastFirstColumn, st.dragLeft, st.dragMouse, 0, places - 1, on);
    }
    const bool focused = table.focused();
    const int end = std::min(rs.first + visible, count);
    const bool describing = table.describing();
    for (int i = rs.first; i < end; ++i) {
        Box row(ui, rowsW, rowH);
        row.setPos(innerX, rowsTop + rowH * static_cast<float>(i - rs.first));
        const bool selected = o.selection != LIST_SELECT_NONE && selection.has(i);
        const TreePath node = tree ? tree->rows->path(i) : TreePath();
        const bool expandable = tree && tree->expandable(node);
        const bool expanded = expandable && tree->rows->expanded(node);
        const std::uint32_t states =
            (on ? orbotk::ACC_ENABLED : 0u) | (selected ? orbotk::ACC_SELECTED : 0u) |
            (expandable ? orbotk::ACC_EXPANDABLE : 0u) | (expanded ? orbotk::ACC_EXPANDED : 0u);
        const auto describeNode = [&](orbotk::Description& d) {
            d.level = static_cast<int>(node.size());
            d.posInSet = node.back() + 1;
            d.setSize = tree->rows->children(TreePath(node.begin(), node.end() - 1));
        };
        if (describing && fill) {
            orbotk::Description d;
            d.role = orbotk::Role::TreeItem;
            d.name = text(i, 0);
            d.states = states | (i == rs.focused ? orbotk::ACC_ACTIVE : 0u);
            d.index = i;
            describeNode(d);
            row.describe(d);
        }
        for (int p = st.firstColumn; p < places && inView(p); ++p) {
            const int c = shown[static_cast<size_t>(p)];
            Box cell(ui, shownW(p), rowH);
            cell.setPos(xs[static_cast<size_t>(p)], row.y());
            if (describing && !fill) {
                orbotk::Description d;
                d.role = orbotk::Role::TableCell;
                d.name = text(i, c);
                d.states =
                    states | (i == rs.focused && p == st.firstColumn ? orbotk::ACC_ACTIVE : 0u);
                d.index = i;
                d.column = p;
                if (tree && c == 0)
                    describeNode(d);
                cell.describe(d);
            }
            Box content(ui);
            if (tree && c == 0) {
                const float indent = INDENT * static_cast<float>(node.size() - 1);
                if (expandable && ui->isPaint()) {
                    Box expander(ui, INDENT, FILL);
                    expander.setLeft(indent);
                    ui.color(on ? orbopal::Text : orbopal::DisabledText);
                    drawTriangle(ui, expanded ? Pointing::Down : Pointing::Right);
                }
                content.setShape(std::max(cell.w() - indent - INDENT, 0.0f), FILL);
                content.setLeft(indent + INDENT);
            }
            ui.caption = true; // the cell names itself
            if (drawCell) {
                drawCell(i, c, selected);
            } else if (ui->isPaint()) {
                Box inset(ui, std::max(content.w() - 2 * PAD, 0.0f), FILL);
                inset.setLeft(PAD);
                alignedText(ui, text(i, c),
                            fill ? TABLE_LEFT : columns[static_cast<size_t>(c)].align, on);
            }
            ui.caption = false;
        }
        drawRowBehind(ui, on, focused, i == rs.focused, selected, i == under,
                      o.alternate && i % 2 == 1);
    }
    drawRowsFrame(ui, table, rowsTop, count == 0 ? o.emptyText : nullptr, count == 0 && focused,
                  on);
}

} // namespace

void treeTableView(Ui& ui, ControlID id, TableState& table, const std::vector<TableColumn>& columns,
                   TreeState& tree, const TreeModel& model,
                   const boost::function<void(const TreePath&, int, bool)>& drawCell,
                   const TableOptions& options, bool enabled, TreeResult& result, bool header) {
    TreeHook hook{tree, model, result, ui.memory<std::optional<TreeRows>>(id)};
    hook.reckon();
    PathSelection selection(tree.selection, hook.rows);
    TableResult r;
    const boost::function<void(int, int, bool)> draw =
        drawCell ? boost::function<void(int, int, bool)>([&](int row, int column, bool selected) {
            drawCell(hook.rows->path(row), column, selected);
        })
                 : boost::function<void(int, int, bool)>();
    TableOptions o = options;
    o.label = [&](int row) {
        return model.label ? model.label(hook.rows->path(row)) : std::wstring();
    };
    View v{ui,
           id,
           table,
           columns,
           selection,
           o,
           r,
           &hook,
           header,
           !header,
           ui.enabled() && enabled,
           hook.rows->count(),
           draw};
    v.run();
    result.selectionChanged = result.selectionChanged || r.selectionChanged;
    result.sortChanged = r.sortChanged;
    result.layoutChanged = r.layoutChanged;
    if (r.activated >= 0 && r.activated < hook.rows->count())
        result.activated = hook.rows->path(r.activated);
    if (r.menuRow >= 0 && r.menuRow < hook.rows->count()) {
        result.menu = hook.rows->path(r.menuRow);
        result.menuX = r.menuX;
        result.menuY = r.menuY;
    }
}

TableResult doTable(Ui& ui, ControlID id, TableState& state,
                    const std::vector<TableColumn>& columns, int count, std::set<int>& selection,
                    const boost::function<void(int, int, bool)>& drawCell,
                    const TableOptions& options, bool enabled) {
    requirePass(ui, "doTable");
    TableResult result;
    RowNumbers rows(selection);
    View v{ui,
           id,
           state,
           columns,
           rows,
           options,
           result,
           nullptr,
           true,
           false,
           ui.enabled() && enabled,
           std::max(count, 0),
           drawCell};
    if (!columns.empty())
        v.run();
    else
        Box(ui, FILL, FILL, id, false);
    return result;
}

TreeResult doTreeTable(Ui& ui, ControlID id, TableState& table,
                       const std::vector<TableColumn>& columns, TreeState& tree,
                       const TreeModel& model,
                       const boost::function<void(const TreePath&, int, bool)>& drawCell,
                       const TableOptions& options, bool enabled) {
    requirePass(ui, "doTreeTable");
    TreeResult result;
    if (!columns.empty())
        treeTableView(ui, id, table, columns, tree, model, drawCell, options, enabled, result,
                      true);
    return result;
}

// ---- Saving a layout

std::wstring TableLayout::save() const {
    std::wostringstream out;
    for (size_t i = 0; i < widths.size(); ++i)
        out << (i ? L"," : L"") << widths[i];
    out << L';';
    for (size_t i = 0; i < order.size(); ++i)
        out << (i ? L"," : L"") << order[i];
    out << L';';
    for (bool v : visible)
        out << (v ? L'1' : L'0');
    out << L';';
    for (size_t i = 0; i < sort.size(); ++i)
        out << (i ? L"," : L"") << sort[i].column << (sort[i].descending ? L'-' : L'+');
    return out.str();
}

bool TableLayout::load(const std::wstring& text) {
    std::vector<std::wstring> parts(1);
    for (wchar_t ch : text)
        if (ch == L';')
            parts.emplace_back();
        else
            parts.back() += ch;
    if (parts.size() != 4)
        return false;
    const auto numbers = [](const std::wstring& s, auto& out, auto convert) {
        std::wistringstream in(s);
        std::wstring item;
        while (std::getline(in, item, L',')) {
            size_t used = 0;
            try {
                out.push_back(convert(item, &used));
            } catch (const std::exception&) {
                return false;
            }
            if (used == 0)
                return false;
        }
        return true;
    };
    TableLayout l;
    std::vector<std::wstring> keys;
    if (!numbers(parts[0], l.widths,
                 [](const std::wstring& s, size_t* u) { return std::stof(s, u); }) ||
        !numbers(parts[1], l.order,
                 [](const std::wstring& s, size_t* u) { return std::stoi(s, u); }) ||
        !numbers(parts[3], keys, [](const std::wstring& s, size_t* u) {
            *u = s.size();
            return s;
        }))
        return false;
    for (wchar_t ch : parts[2]) {
        if (ch != L'0' && ch != L'1')
            return false;
        l.visible.push_back(ch == L'1');
    }
    for (const std::wstring& k : keys) {
        if (k.size() < 2 || (k.back() != L'+' && k.back() != L'-'))
            return false;
        size_t used = 0;
        try {
            l.sort.push_back({std::stoi(k.substr(0, k.size() - 1), &used), k.back() == L'-'});
        } catch (const std::exception&) {
            return false;
        }
        if (used != k.size() - 1)
            return false;
    }
    if (l.order.size() != l.widths.size() || l.visible.size() != l.widths.size())
        return false;
    *this = std::move(l);
    return true;
}

} // namespace gui
