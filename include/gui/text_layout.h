// Text layout for labels: wrapping a text to a width and shortening it to a width with an
// ellipsis. Both measure with the context's measuring DC and work in every event, since
// layout is computed on every pass.
#pragma once

#include "gui/render.h"

#include <string>
#include <string_view>
#include <wx/font.h>
#include <wx/string.h>

namespace gui {

// Turns spaces into line feeds so that text fits width, greedily: a break goes at the last
// space before the word whose end made the line too wide (trailing spaces count). Only the
// last space of a run becomes a line feed. A line that is one word too wide for the width
// stops the wrapping there. Returns the height of the wrapped text in pixels.
float greedy_word_wrap(const ui_t& ui, const wxFont& font, wxString& text, float width);

// text, or a shortened form with "..." at its end (keepStart) or at its start, no wider than
// width; width becomes the width of what is returned. Empty when even "..." does not fit.
std::wstring fit(const ui_t& ui, const wxFont& font, float& width, const wxString& text,
                 bool keepStart);
// The same into out, a buffer the caller keeps so that a warm pass allocates nothing.
void fit(const ui_t& ui, const wxFont& font, float& width, std::wstring_view text, bool keepStart,
         std::wstring& out);

} // namespace gui
