// The line-edit widget: label, field, input through the text box, and drawing front to back
// (text, then border, then background).
#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_box.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gui {

void AppWindow::doLineEdit(orbotk::ControlID id, TextState& state, const wchar_t* label,
                           float labelWidth, bool enabled) {
    requirePass(ui_, "doLineEdit");
    state.passStart_ = state.changes_;
    const float parentW = static_cast<float>(ui_->current()->w);
    enabled = enabled && IsEnabled();
    float indent = 0;
    if (label != nullptr) {
        if (labelWidth == 0.0f) { // either zero: as wide as the label's text
            indent = 8.0f;
            Box column(ui_, FILL, -1.0f);
            column.setTop(1.0f);
            doLabelIndent(indent, 4.0f, label, enabled);
        } else {
            indent = labelWidth;
            Box column(ui_, labelWidth, -5.0f);
            column.setTop(5.0f);
            doLabelRight(label, enabled);
        }
    }
    LineEdit field(ui_, -(indent + 6.0f), id, state, enabled);
    field.box().setRight(parentW);
    field.box().setTop(4.0f);
    if (field.box().describing()) {
        // A password's text is never published: not its characters, not its asterisks' count.
        const bool secret = dynamic_cast<const PasswordState*>(&state) != nullptr;
        orbotk::Description d;
        d.role = secret ? orbotk::Role::PasswordText : orbotk::Role::Text;
        d.name = label ? label : L"";
        d.states =
            (enabled ? orbotk::ACC_ENABLED | orbotk::ACC_EDITABLE : 0u) | orbotk::ACC_FOCUSABLE;
        if (!secret) {
            d.text = state.text();
            d.caret = static_cast<int>(state.caret());
            d.selectionStart = static_cast<int>(state.selectBegin());
            d.selectionEnd = static_cast<int>(state.selectEnd());
        }
        field.box().describe(d);
    }
    if (!enabled) {
        glColor(orbopal::DisabledText);
        render(ui_, orbopal::ActiveTextEditBorder, BORDER_ALL);
        render(ui_, state, orbopal::SelectedText, false);
        return;
    }
    // The first field of a window where nothing has or claims focus takes it.
    if (ui_->focusedID().name().empty() && ui_->focusClaim().name().empty())
        field.box().makeFocused();
    if (field.typed())
        Refresh();
    const bool focused = field.box().focused();
    const bool secret = dynamic_cast<const PasswordState*>(&state) != nullptr;
    glColor(orbopal::Text);
    if (focused && !secret)
        composeAtCaret(field.box(), state);
    else
        render(ui_, state, orbopal::SelectedText, focused);
    render(ui_, orbopal::ActiveTextEditBorder, BORDER_ALL);
    if (focused) {
        render(ui_, orbopal::ActiveTextEdit);
    } else {
        render(ui_, orbopal::TextEditGradientTop, orbopal::TextEditGradientBottom);
        pinstripes(ui_, 250);
    }
}

void AppWindow::composeAtCaret(Box& field, const TextState& state) {
    // The text is shown one pixel in from the field's edges (see render).
    const float innerW = field.width() - 1.0f;
    const std::wstring& preedit = ui_->preedit();
    const TextState* shown = &state;
    std::optional<TextState> copy; // only while composing: a warm pass allocates nothing
    float caretX = 0;
    if (!preedit.empty()) {
        TextState& composing = copy.emplace(state);
        // The input method's composition, shown at the caret but not part of the text: drawn
        // from a copy, underlined, with the method's own cursor as the caret.
        const unsigned at = state.caret();
        std::wstring text = state.text();
        text.insert(at, preedit);
        composing.setText(text);
        const unsigned cursor = at + static_cast<unsigned>(std::max(ui_->preeditCursor(), 0));
        composing.setSelection(cursor, cursor);
        shown = &composing;
        const float offset = composing.offset(ui_->measureDC(), innerW, caretX);
        static std::vector<std::pair<float, float>> pieces;
        composing.pieces(at, at + static_cast<unsigned>(preedit.size()), pieces);
        for (const auto& [x0, x1] : pieces)
            render(ui_, static_cast<int>(field.x() + 1.0f + x0 - offset),
                   static_cast<int>(field.y() + field.height() - 3.0f), static_cast<int>(x1 - x0),
                   orbopal::Text);
        glColor(orbopal::Text);
    }
    render(ui_, *shown, orbopal::SelectedText, true);
    if (ui_->isPaint()) {
        // Drawing measured the text: the caret's place, for the input method's candidate
        // window, comes from that measure (input passes leave the last one standing).
        caretX = shown->xOfPosition(shown->caret());
        ui_->setTextCaret(static_cast<int>(field.x() + 1.0f + caretX - shown->scrollOffset()),
                          static_cast<int>(field.y() + 1.0f), 2,
                          static_cast<int>(field.height() - 2.0f));
    }
}

void AppWindow::doLineEdit(TextState& state, const wchar_t* label, float labelWidth, bool enabled) {
    doLineEdit(orbotk::ControlID(static_cast<const void*>(&state)), state, label, labelWidth,
               enabled);
}

} // namespace gui
