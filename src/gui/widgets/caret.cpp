// A focused text field's text with the input method's composition at its caret, shared by the
// line edit and the text area's single-line rendering.
#include "widgets/caret.h"

#include "gui/palette.h"
#include "gui/render.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gui {

void composeAtCaret(Ui& ui, Box& field, const TextState& state) {
    // The text is shown one pixel in from the field's edges (see render).
    const float innerW = field.width() - 1.0f;
    const std::wstring& preedit = ui->preedit();
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
        const unsigned cursor = at + static_cast<unsigned>(std::max(ui->preeditCursor(), 0));
        composing.setSelection(cursor, cursor);
        shown = &composing;
        const float offset = composing.offset(ui->measureDC(), innerW, caretX);
        std::vector<std::pair<float, float>>& pieces = ui->scratch.pieces;
        composing.pieces(at, at + static_cast<unsigned>(preedit.size()), pieces);
        for (const auto& [x0, x1] : pieces)
            render(ui, static_cast<int>(field.x() + 1.0f + x0 - offset),
                   static_cast<int>(field.y() + field.height() - 3.0f), static_cast<int>(x1 - x0),
                   orbopal::Text);
        ui.color(orbopal::Text);
    }
    render(ui, *shown, orbopal::SelectedText, true);
    if (ui->isPaint()) {
        // Drawing measured the text: the caret's place, for the input method's candidate
        // window, comes from that measure (input passes leave the last one standing).
        caretX = shown->xOfPosition(shown->caret());
        ui->setTextCaret(static_cast<int>(field.x() + 1.0f + caretX - shown->scrollOffset()),
                         static_cast<int>(field.y() + 1.0f), 2,
                         static_cast<int>(field.height() - 2.0f));
    }
}

} // namespace gui
