// The pieces of a field's text a screen reader asks for as the caret moves: the character,
// word or line at an offset.
#pragma once

#include <string_view>

namespace orbotk::access {

// Each range runs from the boundary at or before the offset to the next one after it (ATK's
// rule); a word boundary is where a word starts (or ends), a line one where a line starts (or
// its newline stands).
enum class Unit { Character, WordStart, WordEnd, LineStart, LineEnd };
struct Range {
    int start, end;
};
Range rangeAt(std::wstring_view text, int offset, Unit unit);

} // namespace orbotk::access
