// Labels: text in the current box (W x H), one pixel below its top, in orbopal::Text, or
// orbopal::DisabledText when the window or the label is disabled; the colour stays current
// afterwards. Without a font, the look's configFont. Every label measures on every pass and
// draws only on paint passes, so layout that depends on a label is the same in every event.
#pragma once

#include "gui/ui.h"
#include "orbotk/control_id.h"

#include <wx/font.h>

namespace gui {

void doLabel(Ui& ui, const wchar_t* text, const wxFont& font, bool enabled = true);
void doLabel(Ui& ui, const wchar_t* text, bool enabled = true);
// With a tooltip shown over the current box.
void doLabel(Ui& ui, orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
             bool enabled = true);
// Shortened to W with "..." at the end (keepStart) or the start.
void doLabelFit(Ui& ui, const wchar_t* text, const wxFont& font, bool enabled, bool keepStart);
void doLabelFit(Ui& ui, const wchar_t* text, bool enabled, bool keepStart);
// Shortened to W and centred.
void doLabelCenter(Ui& ui, const wchar_t* text, const wxFont& font, bool enabled, bool keepStart);
void doLabelCenter(Ui& ui, const wchar_t* text, bool enabled, bool keepStart);
// Shortened to W, left-aligned, with the full text as tooltip.
void doLabelLeft(Ui& ui, const wchar_t* text, bool enabled = true);
// Shortened to W, right-aligned.
void doLabelRight(Ui& ui, const wchar_t* text, bool enabled = true);
// At (x, y) in the current box, shortened to what is left of W; x advances past it.
void doLabelIndent(Ui& ui, float& x, float y, const wchar_t* text, const wxFont& font,
                   bool enabled = true);
void doLabelIndent(Ui& ui, float& x, float y, const wchar_t* text, bool enabled = true);
// Ending x pixels in from the right edge; x advances past it (labels run right to left).
void doLabelIndentRight(Ui& ui, float& x, float y, const wchar_t* text, bool enabled = true);
// Word-wrapped to W; height receives the height of the wrapped block (in every event).
void doTextWrap(Ui& ui, float& height, const wchar_t* text, const wxFont& font,
                bool enabled = true);
void doTextWrap(Ui& ui, float& height, const wchar_t* text, bool enabled = true);

} // namespace gui
