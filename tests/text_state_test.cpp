// The editing models: typing with validator and maximum length, character and word steps,
// deletion, the password placeholder and its signature, scrolling to the caret, and a seeded
// property test that no sequence of operations breaks 0 <= caret, anchor <= length.
#include "gui/text_state.h"
#include "harness.h"

#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <wx/dcmemory.h>

using gui::PasswordState;
using gui::TextState;

namespace {
const wxFont& font() {
    static const wxFont f(wxFontInfo(10).FaceName("Arial"));
    return f;
}

TextState withCaret(const wchar_t* text, unsigned caret) {
    TextState s(font(), text);
    s.caretHome(false);
    for (unsigned i = 0; i < caret; ++i)
        s.next(false);
    return s;
}
} // namespace

TEST(TextState, StartsWithCaretAnchorAndScrollAtZeroAndNoLimits) {
    TextState s(font(), L"hello");
    EXPECT_EQ(s.caret(), 0u);
    EXPECT_EQ(s.anchor(), 0u);
    EXPECT_FALSE(s.hasSelection());
    EXPECT_EQ(s.scrollOffset(), 0.0f);
    EXPECT_EQ(s.maxLen(), 0xFFFFFFFFu);
    EXPECT_EQ(s.at(1), 'e');
    EXPECT_THROW(s.at(5), std::out_of_range);
    TextState copy(s);
    EXPECT_EQ(&copy.font(), &s.font());
}

TEST(TextState, TypingRespectsTheMaximumAndReplacesTheSelection) {
    TextState s(font(), L"abc");
    s.setMaxLen(3);
    s.caretEnd(false);
    s.type('x');
    EXPECT_EQ(s.text(), L"abc");
    s.caretHome(false);
    s.next(false);
    s.next(true); // selects b
    s.type('x');
    EXPECT_EQ(s.text(), L"axc");
    EXPECT_EQ(s.caret(), 2u);
    EXPECT_EQ(s.anchor(), 2u);
    s.setMaxLen(0xFFFFFFFFu);
    s.type(static_cast<char>(0xE9)); // a byte above 127 is a Latin-1 character
    EXPECT_EQ(s.text(), L"ax\u00e9c");
}

TEST(TextState, ValidatorKeepsTheAcceptedPrefixOfATypedString) {
    TextState s(font(), L"");
    s.setValidator(gui::intValidator);
    s.type(std::wstring(L"12a34"));
    EXPECT_EQ(s.text(), L"12");
    EXPECT_EQ(s.caret(), 2u);
    s.type('x');
    EXPECT_EQ(s.text(), L"12");
    s.setValidator(nullptr);
    s.setMaxLen(4);
    s.type(std::wstring(L"abcdef"));
    EXPECT_EQ(s.text(), L"12ab");
    // Longer than the maximum already (set directly): nothing more goes in.
    s.setText(L"123456");
    s.type(std::wstring(L"z"));
    EXPECT_EQ(s.text(), L"123456");
}

TEST(TextState, DeletionAtTheEdgesAndOfSelections) {
    TextState s = withCaret(L"hello", 0);
    s.clearPrev();
    EXPECT_EQ(s.text(), L"hello");
    s.caretEnd(false);
    s.clearNext();
    EXPECT_EQ(s.text(), L"hello");
    s.clearPrev();
    EXPECT_EQ(s.text(), L"hell");
    s.selectAll();
    s.clear();
    EXPECT_EQ(s.text(), L"");
    EXPECT_EQ(s.caret(), 0u);
    TextState w = withCaret(L"abc def", 7);
    w.clearPrevWord();
    EXPECT_EQ(w.text(), L"abc ");
    w.caretHome(false);
    w.clearNextWord();
    EXPECT_EQ(w.text(), L" ");
}

TEST(TextState, WordStepsStopAtSpaceSeparatedWords) {
    struct Case {
        const wchar_t* text;
        unsigned from;
        bool forward;
        unsigned to;
    } cases[] = {{L"abc def", 7, false, 4}, {L"abc def", 4, false, 0}, {L"abc def", 0, true, 3},
                 {L"abc def", 1, true, 3},  {L"abc def", 3, true, 7},  {L"abc  ", 3, true, 5},
                 {L"a,b c", 5, false, 4},   {L"ab   cd", 7, false, 5}, {L"ab   cd", 2, true, 7},
                 {L"  ab", 2, false, 1}};
    for (const Case& c : cases) {
        TextState s = withCaret(c.text, c.from);
        if (c.forward)
            s.nextWord(false);
        else
            s.prevWord(false);
        EXPECT_EQ(s.caret(), c.to) << c.text << " from " << c.from;
        EXPECT_EQ(s.anchor(), c.to);
    }
    TextState sel = withCaret(L"abc def", 7);
    sel.prevWord(true);
    EXPECT_EQ(sel.selectBegin(), 4u);
    EXPECT_EQ(sel.selectEnd(), 7u);
    EXPECT_EQ(sel.selection(), L"def");
}

TEST(TextState, PageStepsOnlyCollapseTheSelection) {
    TextState s = withCaret(L"abcdef", 2);
    s.next(true);
    s.prevPage(true);
    EXPECT_EQ(s.selectSize(), 1u);
    s.nextPage(false);
    EXPECT_EQ(s.caret(), 3u);
    EXPECT_FALSE(s.hasSelection());
}

TEST(TextState, SetTextLowersCaretAndAnchorToTheNewLength) {
    TextState s = withCaret(L"abcdef", 6);
    s.prev(true);
    s.setText(L"ab");
    EXPECT_EQ(s.caret(), 2u);
    EXPECT_EQ(s.anchor(), 2u);
}

TEST(PasswordState, PlaceholderShowsEightAsterisksAndKeepsItsSignature) {
    const orbo::util::md5_t sig = orbo::util::md5("hunter2", 7);
    PasswordState p(font(), sig);
    EXPECT_EQ(p.len(), 8u);
    EXPECT_EQ(p.text(), L"********");
    EXPECT_EQ(p.selection(), L"");
    EXPECT_EQ(p.password(), L"");
    EXPECT_EQ(p.signature(), sig);
    EXPECT_FALSE(p.entered());
    p.type('x');
    EXPECT_TRUE(p.entered());
    EXPECT_EQ(p.len(), 1u);
    EXPECT_EQ(p.text(), L"*");
    EXPECT_EQ(p.signature(), orbo::util::md5("x", 1));
    EXPECT_EQ(p.at(0), '*');
    EXPECT_EQ(p.at(99), '*');
    p.setSignature(sig);
    EXPECT_EQ(p.text(), L"********");
    EXPECT_EQ(p.password(), L"");
    p.onFocus();
    EXPECT_EQ(p.text(), L"");
    EXPECT_EQ(p.signature(), orbo::util::md5("", 0));
}

TEST(PasswordState, MovesByCharactersAndCopiesNothing) {
    PasswordState p(font());
    p.type(std::wstring(L"ab cd"));
    p.caretHome(false);
    p.nextWord(false);
    EXPECT_EQ(p.caret(), 1u);
    p.selectAll();
    EXPECT_EQ(p.selection(), L"");
    // The signature hashes the bytes of the system's code page (UTF-8 here), so passwords in
    // any script keep distinct signatures.
    PasswordState q(font());
    q.type(std::wstring(L"caf\u00e9"));
    EXPECT_EQ(q.signature(), orbo::util::md5("caf\xc3\xa9", 5));
    PasswordState hebrew(font()), emoji(font()), marks(font());
    hebrew.type(std::wstring(L"\u05e9\u05dc"));
    emoji.type(std::wstring(L"\U0001F600\U0001F601"));
    marks.type(std::wstring(L"??"));
    EXPECT_NE(hebrew.signature(), emoji.signature());
    EXPECT_NE(hebrew.signature(), marks.signature());
    EXPECT_NE(emoji.signature(), marks.signature());
    PasswordState moved(font(), q);
    EXPECT_EQ(moved.password(), L"caf\u00e9");
    EXPECT_EQ(moved.caret(), 0u);
}

TEST(TextState, OffsetScrollsToKeepTheCaretInView) {
    wxBitmap bitmap(1, 1, 24);
    wxMemoryDC dc(bitmap);
    TextState s(font(), L"");
    float caretX = -1;
    EXPECT_EQ(s.offset(dc, 50, caretX), 0.0f);
    EXPECT_EQ(caretX, 0.0f);
    s.setText(L"a fairly long line of text that will not fit");
    s.caretEnd(false);
    const float off = s.offset(dc, 50, caretX);
    EXPECT_EQ(caretX, static_cast<float>(s.extents().back()));
    EXPECT_EQ(off, caretX - 50); // the caret becomes the right edge
    s.caretHome(false);
    EXPECT_EQ(s.offset(dc, 50, caretX), 0.0f); // and the left edge
    s.setText(L"");
    s.caretHome(false);
    s.offset(dc, 50, caretX);
    EXPECT_EQ(s.scrollOffset(), 0.0f);
}

TEST(TextState, UndoTakesBackTypingRunsDeletionRunsAndEachOtherEditWhole) {
    TextState s(font(), L"");
    for (wchar_t c : std::wstring(L"hello world"))
        s.type(static_cast<char>(c));
    s.clearPrev();
    s.clearPrev(); // "hello wor": one run of deletions
    s.caretHome(false);
    s.type('>'); // typing elsewhere starts a new step
    s.selectAll();
    s.type(std::wstring(L"new")); // replacing a selection is one step
    EXPECT_EQ(s.text(), L"new");
    EXPECT_TRUE(s.undo());
    EXPECT_EQ(s.text(), L">hello wor");
    EXPECT_EQ(s.selectSize(), 10u); // the selection comes back with the text
    EXPECT_TRUE(s.undo());
    EXPECT_EQ(s.text(), L"hello wor");
    EXPECT_EQ(s.caret(), 0u);
    EXPECT_TRUE(s.undo());
    EXPECT_EQ(s.text(), L"hello world");
    EXPECT_TRUE(s.undo());
    EXPECT_EQ(s.text(), L"");
    EXPECT_FALSE(s.undo());
    EXPECT_TRUE(s.redo());
    EXPECT_TRUE(s.redo());
    EXPECT_EQ(s.text(), L"hello wor");
    s.type('!'); // a new edit drops what could be redone
    EXPECT_FALSE(s.canRedo());
    s.setText(L"fresh");
    EXPECT_FALSE(s.canUndo());

    PasswordState secret(font());
    secret.type(std::wstring(L"pw"));
    EXPECT_FALSE(secret.canUndo());
    EXPECT_FALSE(secret.undo());
}

TEST(TextState, AWordIsARunOfNonSpacesAndBetweenWordsTheSpacesAreSelected) {
    TextState s(font(), L"ab  cd");
    const struct {
        unsigned at, begin, end;
    } cases[] = {{0, 0, 2}, {1, 0, 2}, {2, 2, 4}, {3, 2, 4}, {4, 4, 6}, {6, 4, 6}};
    for (const auto& c : cases) {
        s.selectWordAt(c.at);
        EXPECT_EQ(s.selectBegin(), c.begin) << c.at;
        EXPECT_EQ(s.selectEnd(), c.end) << c.at;
    }
}

TEST(TextStateProperty, NoOperationSequenceBreaksTheCaretInvariant) {
    std::mt19937 rng(4242);
    const wchar_t alphabet[] = L"ab cd\u00e9 1";
    for (int round = 0; round < 300; ++round) {
        TextState plain(font(), L"abc def");
        PasswordState secret(font(), orbo::util::md5("x", 1));
        TextState* states[] = {&plain, &secret};
        for (TextState* s : states) {
            if (rng() % 3 == 0)
                s->setMaxLen(rng() % 12);
            if (rng() % 4 == 0)
                s->setValidator(gui::intValidator);
            for (int step = 0; step < 60; ++step) {
                const bool keep = rng() % 2;
                switch (rng() % 20) {
                case 0:
                    s->type(static_cast<char>(alphabet[rng() % 9]));
                    break;
                case 1:
                    s->type(std::wstring(rng() % 5, alphabet[rng() % 9]));
                    break;
                case 2:
                    s->prev(keep);
                    break;
                case 3:
                    s->next(keep);
                    break;
                case 4:
                    s->prevWord(keep);
                    break;
                case 5:
                    s->nextWord(keep);
                    break;
                case 6:
                    s->caretHome(keep);
                    break;
                case 7:
                    s->caretEnd(keep);
                    break;
                case 8:
                    s->selectAll();
                    break;
                case 9:
                    s->clearSelection();
                    break;
                case 10:
                    s->clearPrev();
                    break;
                case 11:
                    s->clearNext();
                    break;
                case 12:
                    s->clearPrevWord();
                    break;
                case 13:
                    s->clearNextWord();
                    break;
                case 14:
                    s->clear();
                    break;
                case 15:
                    s->setText(std::wstring(rng() % 9, L'z'));
                    break;
                case 16:
                    s->undo();
                    break;
                case 17:
                    s->redo();
                    break;
                case 18:
                    s->selectWordAt(static_cast<unsigned>(rng() % 12));
                    break;
                default:
                    s->onFocus();
                    break;
                }
                const unsigned length = static_cast<unsigned>(
                    s == &secret ? secret.password().size() : plain.text().size());
                ASSERT_LE(s->caret(), length) << "round " << round << " step " << step;
                ASSERT_LE(s->anchor(), length) << "round " << round << " step " << step;
            }
        }
    }
}

TEST(GapText, EditsAnywhereReadAsTheSameEditsOfAPlainString) {
    // Runs of edits at nearby and far places, the gap grown, moved, and given back by a large
    // deletion; every read looks through the gap.
    std::mt19937 rng(7);
    gui::GapText gap(std::wstring(L"seed\ntext"));
    std::wstring plain = L"seed\ntext";
    for (int step = 0; step < 3000; ++step) {
        const size_t pos = rng() % (plain.size() + 1),
                     n = rng() % 4 == 0 ? rng() % 9000 : rng() % 3;
        const std::wstring with(rng() % 5 == 0 ? rng() % 6000 : rng() % 3, L"ab\n "[rng() % 4]);
        gap.replace(pos, n, with);
        plain.replace(pos, std::min(n, plain.size() - pos), with);
        ASSERT_EQ(gap.size(), plain.size());
        const size_t at = rng() % (plain.size() + 1), len = rng() % 50;
        ASSERT_EQ(gap.substr(at, len), plain.substr(at, len));
        ASSERT_EQ(gap.find(L'\n', at), plain.find(L'\n', at));
        ASSERT_EQ(gap.rfind(L'\n', at), plain.rfind(L'\n', at));
        ASSERT_EQ(std::wstring(gap.view(at, len)), plain.substr(at, len));
    }
    EXPECT_EQ(gap.str(), plain);
}
