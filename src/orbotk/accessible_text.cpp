// The text interface of a described field: what a screen reader reads as the caret moves (the
// character, word or line at an offset), the selection, and the text itself. Offsets count
// characters. The field's text is read where its description left it, and only the part asked
// for becomes UTF-8 (a character that is no Unicode scalar value as U+FFFD), so that a reader
// asking about one line of a long text pays for that line.
#include "accessible_control.h"
#include "orboutil/strings.h"
#include "text_ranges.h"

#include <algorithm>

namespace orbotk::access {

namespace {

bool wordCharacter(wchar_t c) {
    return g_unichar_isalnum(static_cast<gunichar>(c)) || c == L'_' || c == L'\'';
}

bool isBoundary(std::wstring_view t, int i, Unit unit) {
    const int n = static_cast<int>(t.size());
    if (i <= 0 || i >= n)
        return true;
    const wchar_t before = t[static_cast<size_t>(i - 1)], at = t[static_cast<size_t>(i)];
    switch (unit) {
    case Unit::Character:
        return true;
    case Unit::WordStart:
        return wordCharacter(at) && !wordCharacter(before);
    case Unit::WordEnd:
        return wordCharacter(before) && !wordCharacter(at);
    case Unit::LineStart:
        return before == L'\n';
    case Unit::LineEnd:
        return at == L'\n';
    }
    return true;
}

} // namespace

Range rangeAt(std::wstring_view text, int offset, Unit unit) {
    const int n = static_cast<int>(text.size());
    offset = std::min(std::max(offset, 0), n);
    if (unit == Unit::Character)
        return Range{offset, std::min(offset + 1, n)};
    int start = offset;
    while (start > 0 && !isBoundary(text, start, unit))
        --start;
    int end = offset + 1;
    while (end < n && !isBoundary(text, end, unit))
        ++end;
    return Range{start, std::min(end, n)};
}

namespace {

std::wstring_view textOf(AtkText* t) {
    const std::shared_ptr<const std::wstring>* s = control(t)->text;
    return s && *s ? std::wstring_view(**s) : std::wstring_view();
}

gchar* textRange(AtkText* t, gint start, gint end) {
    const std::wstring_view s = textOf(t);
    const gint n = static_cast<gint>(s.size());
    if (end < 0 || end > n)
        end = n;
    start = std::min(std::max(start, 0), end);
    const std::wstring piece(
        s.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    return g_strdup(orbo::util::utf8FromWString(piece).c_str());
}

gchar* rangeText(AtkText* t, Range r, gint* start, gint* end) {
    *start = r.start;
    *end = r.end;
    return textRange(t, r.start, r.end);
}

Unit unitOf(AtkTextBoundary b) {
    switch (b) {
    case ATK_TEXT_BOUNDARY_CHAR:
        return Unit::Character;
    case ATK_TEXT_BOUNDARY_WORD_START:
        return Unit::WordStart;
    case ATK_TEXT_BOUNDARY_WORD_END:
        return Unit::WordEnd;
    case ATK_TEXT_BOUNDARY_LINE_END:
    case ATK_TEXT_BOUNDARY_SENTENCE_END:
        return Unit::LineEnd;
    default: // lines and sentences: a field's sentences are its lines
        return Unit::LineStart;
    }
}

gchar* textAt(AtkText* t, gint offset, AtkTextBoundary b, gint* start, gint* end) {
    return rangeText(t, rangeAt(textOf(t), offset, unitOf(b)), start, end);
}

gchar* textBefore(AtkText* t, gint offset, AtkTextBoundary b, gint* start, gint* end) {
    const std::wstring_view s = textOf(t);
    const Range at = rangeAt(s, offset, unitOf(b));
    return rangeText(t, at.start > 0 ? rangeAt(s, at.start - 1, unitOf(b)) : Range{0, 0}, start,
                     end);
}

gchar* textAfter(AtkText* t, gint offset, AtkTextBoundary b, gint* start, gint* end) {
    const std::wstring_view s = textOf(t);
    const int n = static_cast<int>(s.size());
    const Range at = rangeAt(s, offset, unitOf(b));
    return rangeText(t, at.end < n ? rangeAt(s, at.end, unitOf(b)) : Range{n, n}, start, end);
}

gchar* stringAt(AtkText* t, gint offset, AtkTextGranularity g, gint* start, gint* end) {
    Unit unit = Unit::LineStart;
    if (g == ATK_TEXT_GRANULARITY_CHAR)
        unit = Unit::Character;
    else if (g == ATK_TEXT_GRANULARITY_WORD)
        unit = Unit::WordStart;
    return rangeText(t, rangeAt(textOf(t), offset, unit), start, end);
}

gint textLength(AtkText* t) {
    return static_cast<gint>(textOf(t).size());
}
gint textCaret(AtkText* t) {
    return control(t)->caret;
}
gunichar textCharacter(AtkText* t, gint i) {
    const std::wstring_view s = textOf(t);
    if (i < 0 || static_cast<size_t>(i) >= s.size())
        return 0;
    const auto c = static_cast<gunichar>(s[static_cast<size_t>(i)]);
    return g_unichar_validate(c) ? c : 0xFFFDu;
}
gint textSelections(AtkText* t) {
    const Control* c = control(t);
    return c->selectionEnd > c->selectionStart ? 1 : 0;
}
gchar* textSelection(AtkText* t, gint i, gint* start, gint* end) {
    const Control* c = control(t);
    if (i != 0 || c->selectionEnd <= c->selectionStart)
        return nullptr;
    return rangeText(t, Range{c->selectionStart, c->selectionEnd}, start, end);
}

} // namespace

void textInterface(gpointer g, gpointer) {
    auto* iface = static_cast<AtkTextIface*>(g);
    iface->get_text = textRange;
    iface->get_text_at_offset = textAt;
    iface->get_text_before_offset = textBefore;
    iface->get_text_after_offset = textAfter;
    iface->get_string_at_offset = stringAt;
    iface->get_character_count = textLength;
    iface->get_caret_offset = textCaret;
    iface->get_character_at_offset = textCharacter;
    iface->get_n_selections = textSelections;
    iface->get_selection = textSelection;
}

} // namespace orbotk::access
