// The rows' shared rules: selection by click, Shift and Ctrl, keys that move the focused row
// and keep it in view, Space, Return, the first letter, the wheel and the row menu.
#include "widgets/rows.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"

#include <algorithm>
#include <cwctype>
#include <optional>

namespace gui {

void RowNumbers::only(int row) {
    rows_.clear();
    rows_.insert(row);
}

void RowNumbers::toggle(int row) {
    if (!rows_.erase(row))
        rows_.insert(row);
}

void RowNumbers::range(int from, int to) {
    rows_.clear();
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        rows_.insert(i);
}

namespace {
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

int pointerRow(Ui& ui, float left, float top, float width, float rowH, int first, int visible,
               int count, bool on) {
    int row = -1;
    if (ui->pointerInside()) {
        const float px = static_cast<float>(ui->mouseX()), py = static_cast<float>(ui->mouseY());
        if (px >= left && px < left + width && py >= top && py < top + rowH * visible) {
            row = first + static_cast<int>((py - top) / rowH);
            row = row < count ? row : -1;
        }
    }
    if (on && row >= 0)
        ui->hoverPart(row);
    return row;
}

void rowsInput(Ui& ui, Box& list, ListState& state, const RowsGeometry& g, RowSelection& selection,
               const ListOptions& options, ListResult& result,
               const boost::function<bool(int)>& letter) {
    const int count = g.count, visible = g.visible, under = g.pointerRow;
    const int lastFirst = std::max(count - visible, 0);
    const ListSelectionMode mode = options.selection;
    const bool multiple = mode == LIST_SELECT_MULTIPLE;
    const bool shift = ui->shiftDown(), ctrl = ui->ctrlDown();
    const auto changed = [&] {
        result.selectionChanged = true;
        ui.refresh();
    };
    if (const int wheel = g.wheel ? list.wheelRotation() : 0) {
        state.first = std::min(std::max(state.first - wheel / 40, 0), lastFirst);
        ui.refresh();
    }
    if (list.leftClicked()) {
        list.makeFocused();
        if (under >= 0) {
            if (mode != LIST_SELECT_NONE) {
                if (multiple && shift)
                    selection.range(state.anchor, under);
                else if (multiple && ctrl)
                    selection.toggle(under);
                else
                    selection.only(under);
                changed();
            }
            state.focused = under;
            if (!(multiple && shift))
                state.anchor = under;
            if (list.leftDoubleClicked())
                result.activated = under;
        }
        ui.refresh();
    }
    if (list.rightClicked() && under >= 0) {
        // As desktop lists do: the menu is for the selection, which holds the row.
        if (mode != LIST_SELECT_NONE && !selection.has(under)) {
            selection.only(under);
            changed();
        }
        state.focused = state.anchor = under;
        result.menuRow = under;
        result.menuX = static_cast<float>(ui->mouseX());
        result.menuY = static_cast<float>(ui->mouseY());
    }
    if (count <= 0)
        return;
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
    else if (options.label && list.characterInput(letter)) {
        const int row = rowStartingWith(options.label, count, state.focused, ui->unicodeKey());
        if (row >= 0)
            to = row;
    }
    if (to) {
        state.focused = std::min(std::max(*to, 0), count - 1);
        if (mode != LIST_SELECT_NONE) {
            if (multiple && shift)
                selection.range(state.anchor, state.focused);
            else
                selection.only(state.focused);
            changed();
        }
        if (!(multiple && shift))
            state.anchor = state.focused;
        // The focused row comes into view.
        state.first = std::min(std::max(state.first, state.focused - visible + 1), state.focused);
        ui.refresh();
    }
    if (list.keyDown(WXK_SPACE) && mode != LIST_SELECT_NONE) {
        if (multiple)
            selection.toggle(state.focused);
        else
            selection.only(state.focused);
        changed();
    }
    if (list.keyDown(WXK_RETURN))
        result.activated = state.focused;
}

void drawRowBehind(Ui& ui, bool on, bool listFocused, bool focused, bool selected, bool hovered,
                   bool alternate) {
    if (listFocused && focused)
        drawFocusBorder(ui);
    if (selected)
        render(ui, !on           ? orbopal::AlternateRow
                   : listFocused ? orbopal::FocusedHighlight
                                 : orbopal::Highlight);
    else if (on && hovered)
        render(ui, orbopal::Hover);
    else if (alternate)
        render(ui, orbopal::AlternateRow);
}

void drawRowsFrame(Ui& ui, const Box& box, float top, const wchar_t* emptyText, bool focusedEmpty,
                   bool on) {
    if (emptyText) {
        Box message(ui, box.w() - 16.0f, 20.0f);
        message.setPos(box.x() + 8.0f, top + 8.0f);
        doLabelCenter(ui, emptyText, false, true);
    }
    if (focusedEmpty)
        drawFocusBorder(ui);
    render(ui, orbopal::ListBorder, BORDER_ALL);
    render(ui, on ? orbopal::ListBackground : orbopal::Panel);
}

} // namespace gui
