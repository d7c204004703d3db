// The text interface of a described field: what a screen reader reads as the caret moves (the
// character, word or line at an offset), the selection, and the text itself. Offsets count
// characters; the text is kept as UTF-8, as ATK hands it on.
#include "accessible_control.h"
#include "text_ranges.h"

#include <algorithm>
#include <cstring>

namespace orbotk::access {

namespace {

bool wordCharacter(char32_t c) {
    return g_unichar_isalnum(static_cast<gunichar>(c)) || c == U'_' || c == U'\'';
}

bool isBoundary(const std::u32string& t, int i, Unit unit) {
    const int n = static_cast<int>(t.size());
    if (i <= 0 || i >= n)
        return true;
    const char32_t before = t[static_cast<size_t>(i - 1)], at = t[static_cast<size_t>(i)];
    switch (unit) {
    case Unit::Character:
        return true;
    case Unit::WordStart:
        return wordCharacter(at) && !wordCharacter(before);
    case Unit::WordEnd:
        return wordCharacter(before) && !wordCharacter(at);
    case Unit::LineStart:
        return before == U'\n';
    case Unit::LineEnd:
        return at == U'\n';
    }
    return true;
}

} // namespace

std::u32string characters(const char* utf8) {
    glong n = 0;
    gunichar* u = g_utf8_to_ucs4_fast(utf8 ? utf8 : "", -1, &n);
    std::u32string out(reinterpret_cast<const char32_t*>(u), static_cast<size_t>(n));
    g_free(u);
    return out;
}

Range rangeAt(const std::u32string& text, int offset, Unit unit) {
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

const char* textOf(AtkText* t) {
    const char* s = control(t)->text;
    return s ? s : "";
}

std::u32string charactersOf(AtkText* t) {
    return characters(textOf(t));
}

gchar* textRange(AtkText* t, gint start, gint end) {
    const char* s = textOf(t);
    const glong n = g_utf8_strlen(s, -1);
    if (end < 0 || end > n)
        end = static_cast<gint>(n);
    start = std::min(std::max(start, 0), end);
    const char* a = g_utf8_offset_to_pointer(s, start);
    return g_strndup(a, static_cast<gsize>(g_utf8_offset_to_pointer(s, end) - a));
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
    return rangeText(t, rangeAt(charactersOf(t), offset, unitOf(b)), start, end);
}

gchar* textBefore(AtkText* t, gint offset, AtkTextBoundary b, gint* start, gint* end) {
    const std::u32string s = charactersOf(t);
    const Range at = rangeAt(s, offset, unitOf(b));
    return rangeText(t, at.start > 0 ? rangeAt(s, at.start - 1, unitOf(b)) : Range{0, 0}, start,
                     end);
}

gchar* textAfter(AtkText* t, gint offset, AtkTextBoundary b, gint* start, gint* end) {
    const std::u32string s = charactersOf(t);
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
    return rangeText(t, rangeAt(charactersOf(t), offset, unit), start, end);
}

gint textLength(AtkText* t) {
    return static_cast<gint>(g_utf8_strlen(textOf(t), -1));
}
gint textCaret(AtkText* t) {
    return control(t)->caret;
}
gunichar textCharacter(AtkText* t, gint i) {
    const char* s = textOf(t);
    return i >= 0 && i < g_utf8_strlen(s, -1) ? g_utf8_get_char(g_utf8_offset_to_pointer(s, i)) : 0;
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
