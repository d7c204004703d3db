// The caret and composition of a focused single-line text field.
#pragma once

#include "gui/box.h"
#include "gui/text_state.h"
#include "gui/ui.h"

namespace gui {

// A focused field's text with the input method's composition at its caret (underlined, its
// cursor as the caret), and the caret's place told to the platform.
void composeAtCaret(Ui& ui, Box& field, const TextState& state);

} // namespace gui
