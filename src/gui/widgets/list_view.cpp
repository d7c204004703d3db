// The list view: rows of one height over a count the caller owns, of which only those in view
// are drawn, with a selection the caller keeps, keys, the wheel and a scroll bar.
//
//   list box (named: takes the focus, the clicks on rows, the wheel and the right button)
//   +----------------------------------+---+
//   | row first       (caller's content | ^ |  scroll bar, only when the rows do not fit
//   | row first + 1    in front, the    |   |
//   | ...              list's shading   |   |
//   | row first + visible - 1  behind)  | v |
//   +----------------------------------+---+  one-pixel border, background behind all
#include "gui/list_view.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/scroll_bar.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <optional>

namespace gui {

using orbotk::ControlID;

namespace {
void selectOnly(std::set<int>& selection, int row) {
    selection.clear();
    selection.insert(row);
}

void selectRange(std::set<int>& selection, int from, int to) {
    selection.clear();
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        selection.insert(i);
}

// The row after `from` (wrapping) whose label starts with ch, ignoring case; -1 when none.
int rowStartingWith(const boost::function<std::wstring(int)>& label, int count, int from, int ch) {
    const wint_t wanted = std::towlower(static_cast<wint_t>(ch));
    for (int k = 1; k <= count; ++k) {
        const int row = (from + k) % count;
        const std::wstring text = label(row);
        if (!text.empty() && std::towlower(static_cast<wint_t>(text[0])) == wanted)
            return row;
    }
    return -1;
}
} // namespace

ListResult doList(Ui& ui, ControlID id, ListState& state, int count, std::set<int>& selection,
                  const boost::function<void(int, bool)>& drawRow, const ListOptions& options,
                  bool enabled) {
    requirePass(ui, "doList");
    ListResult result;
    const bool on = ui.enabled() && enabled;
    count = std::max(count, 0);
    Box list(ui, FILL, FILL, id, on);
    const float rowH = options.rowHeight >= 1.0f ? options.rowHeight : 20.0f;
    const int visible = std::max(static_cast<int>(std::floor((list.h() - 2.0f) / rowH)), 1);
    const int lastFirst = std::max(count - visible, 0);
    const bool bar = count > visible;
    const float top = list.y() + 1.0f, left = list.x() + 1.0f;
    const float rowsW = list.w() - 2.0f - (bar ? SCROLL_SIZE : 0.0f);
    state.first = std::min(std::max(state.first, 0), lastFirst);
    state.focused = std::min(std::max(state.focused, 0), std::max(count - 1, 0));
    state.anchor = std::min(std::max(state.anchor, 0), std::max(count - 1, 0));
    const ListSelectionMode mode = options.selection;
    const bool multiple = mode == LIST_SELECT_MULTIPLE;

    // The row under the pointer, from the geometry alone: the rows' own controls lie in front.
    int pointerRow = -1;
    if (ui->pointerInside()) {
        const float px = static_cast<float>(ui->mouseX()), py = static_cast<float>(ui->mouseY());
        if (px >= left && px < left + rowsW && py >= top && py < top + rowH * visible) {
            const int row = state.first + static_cast<int>((py - top) / rowH);
            pointerRow = row < count ? row : -1;
        }
    }
    // The hover shading moves from row to row within one hot box: the window repaints when
    // the row under the pointer is not the one shown.
    if (on && pointerRow >= 0)
        ui->hoverPart(pointerRow);

    if (list.describing())
        list.describe(orbotk::Role::List, L"",
                      (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE);
    if (on) {
        const bool shift = ui->shiftDown(), ctrl = ui->ctrlDown();
        const auto changed = [&] {
            result.selectionChanged = true;
            ui.refresh();
        };
        if (const int wheel = list.wheelRotation()) {
            state.first = std::min(std::max(state.first - wheel / 40, 0), lastFirst);
            ui.refresh();
        }
        if (list.leftClicked()) {
            list.makeFocused();
            if (pointerRow >= 0) {
                if (mode != LIST_SELECT_NONE) {
                    if (multiple && shift)
                        selectRange(selection, state.anchor, pointerRow);
                    else if (multiple && ctrl && selection.count(pointerRow))
                        selection.erase(pointerRow);
                    else if (multiple && ctrl)
                        selection.insert(pointerRow);
                    else
                        selectOnly(selection, pointerRow);
                    changed();
                }
                state.focused = pointerRow;
                if (!(multiple && shift))
                    state.anchor = pointerRow;
                if (list.leftDoubleClicked())
                    result.activated = pointerRow;
            }
            ui.refresh();
        }
        if (list.rightClicked() && pointerRow >= 0) {
            // As desktop lists do: the menu is for the selection, which holds the row.
            if (mode != LIST_SELECT_NONE && !selection.count(pointerRow)) {
                selectOnly(selection, pointerRow);
                changed();
            }
            state.focused = state.anchor = pointerRow;
            result.menuRow = pointerRow;
            result.menuX = static_cast<float>(ui->mouseX());
            result.menuY = static_cast<float>(ui->mouseY());
        }
        if (count > 0) {
            std::optional<int> to; // the row a key moves the focus to, unclamped
            if (list.keyDown(WXK_UP))
                to = state.focused - 1;
            else if (list.keyDown(WXK_DOWN))
                to = state.focused + 1;
            else if (list.keyDown(WXK_PAGEUP))
                to = state.focused - visible;
            else if (list.keyDown(WXK_PAGEDOWN))
                to = state.focused + visible;
            else if (list.keyDown(WXK_HOME))
                to = 0;
            else if (list.keyDown(WXK_END))
                to = count - 1;
            else if (options.label &&
                     list.characterInput([](int ch) { return ch > 32 && ch != 127; })) {
                const int row =
                    rowStartingWith(options.label, count, state.focused, ui->unicodeKey());
                if (row >= 0)
                    to = row;
            }
            if (to) {
                state.focused = std::min(std::max(*to, 0), count - 1);
                if (mode != LIST_SELECT_NONE) {
                    if (multiple && shift)
                        selectRange(selection, state.anchor, state.focused);
                    else
                        selectOnly(selection, state.focused);
                    changed();
                }
                if (!(multiple && shift))
                    state.anchor = state.focused;
                // The focused row comes into view.
                state.first =
                    std::min(std::max(state.first, state.focused - visible + 1), state.focused);
                ui.refresh();
            }
            if (list.keyDown(WXK_SPACE) && mode != LIST_SELECT_NONE) {
                if (multiple && selection.count(state.focused))
                    selection.erase(state.focused);
                else if (multiple)
                    selection.insert(state.focused);
                else
                    selectOnly(selection, state.focused);
                changed();
            }
            if (list.keyDown(WXK_RETURN))
                result.activated = state.focused;
        }
    }

    if (bar) {
        Box inner(ui, list.w() - 2.0f, list.h() - 2.0f);
        inner.setPos(left, top);
        doVScroll(ui, ControlID(id.name() + L" scroll", orbotk::TabIdx::DISABLED), state.first,
                  visible, state.dragTop, state.dragMouse, 0, count - 1, on);
    }
    const bool listFocused = list.focused();
    const int end = std::min(state.first + visible, count);
    for (int i = state.first; i < end; ++i) {
        Box row(ui, rowsW, rowH);
        row.setPos(left, top + rowH * static_cast<float>(i - state.first));
        const bool selected = mode != LIST_SELECT_NONE && selection.count(i) != 0;
        if (row.describing()) {
            orbotk::Description d;
            d.role = orbotk::Role::ListItem;
            if (options.label)
                d.name = options.label(i);
            d.states = (on ? orbotk::ACC_ENABLED : 0u) | (selected ? orbotk::ACC_SELECTED : 0u) |
                       (i == state.focused ? orbotk::ACC_ACTIVE : 0u);
            d.index = i;
            row.describe(d);
        }
        drawRow(i, selected);
        if (listFocused && i == state.focused)
            drawFocusBorder(ui);
        if (selected)
            render(ui, !on           ? orbopal::AlternateRow
                       : listFocused ? orbopal::FocusedHighlight
                                     : orbopal::Highlight);
        else if (on && i == pointerRow)
            render(ui, orbopal::Hover);
        else if (options.alternate && i % 2 == 1)
            render(ui, orbopal::AlternateRow);
    }
    if (count == 0) {
        if (options.emptyText) {
            Box message(ui, list.w() - 16.0f, 20.0f);
            message.setPos(list.x() + 8.0f, top + 8.0f);
            doLabelCenter(ui, options.emptyText, false, true);
        }
        if (listFocused)
            drawFocusBorder(ui);
    }
    render(ui, orbopal::ListBorder, BORDER_ALL);
    render(ui, on ? orbopal::ListBackground : orbopal::Panel);
    return result;
}

} // namespace gui
