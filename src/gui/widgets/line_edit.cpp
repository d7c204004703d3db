// The line-edit widget: label, field, input through the text box, and drawing front to back
// (text, then border, then background).
#include "gui/line_edit.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_box.h"
#include "widgets/caret.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gui {

void doLineEdit(Ui& ui, orbotk::ControlID id, TextState& state, const wchar_t* label,
                float labelWidth, bool enabled) {
    requirePass(ui, "doLineEdit");
    state.beginPass();
    const float parentW = static_cast<float>(ui->current()->w);
    enabled = enabled && ui.enabled();
    float indent = 0;
    if (label != nullptr) {
        if (labelWidth == 0.0f) { // either zero: as wide as the label's text
            indent = 8.0f;
            Box column(ui, FILL, -1.0f);
            column.setTop(1.0f);
            doLabelIndent(ui, indent, 4.0f, label, enabled);
        } else {
            indent = labelWidth;
            Box column(ui, labelWidth, -5.0f);
            column.setTop(5.0f);
            doLabelRight(ui, label, enabled);
        }
    }
    LineEdit field(ui, -(indent + 6.0f), id, state, enabled);
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
            d.sharedText = state.sharedText();
            d.caret = static_cast<int>(state.caret());
            d.selectionStart = static_cast<int>(state.selectBegin());
            d.selectionEnd = static_cast<int>(state.selectEnd());
        }
        field.box().describe(d);
    }
    if (!enabled) {
        ui.color(orbopal::DisabledText);
        render(ui, orbopal::ActiveTextEditBorder, BORDER_ALL);
        render(ui, state, orbopal::SelectedText, false);
        return;
    }
    // The first field of a window where nothing has or claims focus takes it.
    if (ui->focusedID().name().empty() && ui->focusClaim().name().empty())
        field.box().makeFocused();
    if (field.typed())
        ui.refresh();
    const bool focused = field.box().focused();
    const bool secret = dynamic_cast<const PasswordState*>(&state) != nullptr;
    ui.color(orbopal::Text);
    if (focused && !secret)
        composeAtCaret(ui, field.box(), state);
    else
        render(ui, state, orbopal::SelectedText, focused);
    render(ui, orbopal::ActiveTextEditBorder, BORDER_ALL);
    if (focused) {
        render(ui, orbopal::ActiveTextEdit);
    } else {
        render(ui, orbopal::TextEditGradientTop, orbopal::TextEditGradientBottom);
        pinstripes(ui, 250);
    }
}

void doLineEdit(Ui& ui, TextState& state, const wchar_t* label, float labelWidth, bool enabled) {
    doLineEdit(ui, orbotk::ControlID(static_cast<const void*>(&state)), state, label, labelWidth,
               enabled);
}

} // namespace gui
