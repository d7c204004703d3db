// The text area through the driver: wrapping at word boundaries, the caret across wrapped
// lines (Up and Down keep its x, Home and End take the visual line), Return and Ctrl+Return,
// selecting by a drag across lines, undo, scrolling to the caret and by the wheel, the
// read-only form and the maximum length; and the layout kept paragraph by paragraph, a long
// text's laid out around the view first and the rest at idle.
#include "gui/box.h"
#include "gui/scroll_bar.h"
#include "gui/text_area.h"
#include "widget_host.h"

#include <atk/atk.h>
#include <cmath>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <string>
#include <wx/dcmemory.h>

using gui::Box;
using gui::TextAreaState;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

const wxFont& font() {
    static const wxFont f(wxFontInfo(11).FaceName("Arial"));
    return f;
}

// A 200 x 100 area at (10, 10); its text starts at (14, 12).
struct Area {
    TextAreaState state;
    int submits = 0;
    Hosted win{240, 140}; // closed before what its scene reads goes
    explicit Area(const wchar_t* text) : state(font(), text) {
        win->scene = [this](Host& h) {
            Box b(h.ui(), 200.0f, 100.0f);
            b.setPos(10.0f, 10.0f);
            submits += h.doTextArea(ControlID(L"notes"), state);
        };
        d().paint();
        d().focus(L"notes");
    }
    orbotk::Driver& d() { return *win.driver; }
    // The window point of a text position.
    wxPoint at(unsigned index) {
        const int line = state.lineOf(index) - state.firstLine;
        return wxPoint(14 + static_cast<int>(state.xOf(index)) + 1,
                       12 + static_cast<int>(lineHeightPx() * (static_cast<float>(line) + 0.5f)));
    }
    int visibleLines() { return static_cast<int>(96.0f / lineHeightPx()); }
    float lineHeightPx() {
        const auto& ui = win->window()->context();
        return std::floor(gui::getFontHeight(ui, font()) * 1.3333334f);
    }
};

} // namespace

TEST(TextArea, WrapsAtWordsAndTheCaretMovesByVisualLinesKeepingItsX) {
    Area a(L"one two three four five six seven eight nine ten eleven twelve thirteen\nshort");
    ASSERT_GT(a.state.lineCount(), 3); // the first paragraph wraps, the second does not
    const auto [b1, e1] = a.state.lineRange(1);
    EXPECT_EQ(a.state.text()[b1 - 1], L' '); // lines break after a space
    EXPECT_NE(a.state.text()[b1], L' ');
    a.d().press(WXK_HOME, wxMOD_CONTROL);
    a.d().press(WXK_RIGHT);
    a.d().press(WXK_RIGHT);
    const float x = a.state.xOf(a.state.caret());
    a.d().press(WXK_DOWN);
    EXPECT_EQ(a.state.lineOf(a.state.caret()), 1);
    EXPECT_NEAR(a.state.xOf(a.state.caret()), x, 6.0f);
    a.d().press(WXK_END);
    EXPECT_EQ(a.state.lineOf(a.state.caret()), 1); // the visual line's end, not the paragraph's
    EXPECT_LT(a.state.caret(), e1 + 0u);
    a.d().press(WXK_HOME);
    EXPECT_EQ(a.state.caret(), b1);
    a.d().press(WXK_END, wxMOD_CONTROL);
    EXPECT_EQ(a.state.caret(), a.state.len());
    a.d().press(WXK_UP, wxMOD_SHIFT); // from "short" into the wrapped paragraph, selecting
    EXPECT_TRUE(a.state.hasSelection());
    EXPECT_EQ(a.state.lineOf(a.state.caret()), a.state.lineCount() - 2);
}

TEST(TextArea, ReturnBreaksTheLineCtrlReturnSubmitsAndUndoTakesItBack) {
    Area a(L"");
    a.d().typeText(L"first");
    a.d().press(WXK_RETURN);
    a.d().typeText(L"second");
    EXPECT_EQ(a.state.text(), L"first\nsecond");
    EXPECT_EQ(a.state.lineCount(), 2);
    a.d().press(WXK_RETURN, wxMOD_CONTROL);
    EXPECT_EQ(a.submits, 1);
    EXPECT_EQ(a.state.text(), L"first\nsecond");
    a.d().press('Z', wxMOD_CONTROL);
    EXPECT_EQ(a.state.text(), L"first\n");
    a.d().press('Z', wxMOD_CONTROL);
    a.d().press('Z', wxMOD_CONTROL);
    EXPECT_EQ(a.state.text(), L"");
    EXPECT_EQ(a.state.lineCount(), 1);
}

TEST(TextArea, ADragSelectsAcrossLinesAndDoubleAndTripleClicksTakeAWordAndAParagraph) {
    Area a(L"alpha beta\ngamma delta\nepsilon");
    const wxPoint from = a.at(2), to = a.at(17); // in "alpha", before "delta"
    a.d().mouseMove(from.x, from.y);
    a.d().leftDown(from.x, from.y);
    a.d().mouseMove(to.x, to.y);
    a.d().leftUp(to.x, to.y);
    EXPECT_EQ(a.state.selection(), L"pha beta\ngamma ");
    const wxPoint word = a.at(13);
    a.d().leftDoubleClick(word.x, word.y);
    EXPECT_EQ(a.state.selection(), L"gamma");
    a.d().click(word.x, word.y);
    EXPECT_EQ(a.state.selection(), L"gamma delta");
}

TEST(TextArea, TheCaretIsKeptInViewTheWheelScrollsAndABarShows) {
    Area a(L"");
    for (int i = 0; i < 20; ++i) {
        a.d().typeText(L"line " + std::to_wstring(i));
        a.d().press(WXK_RETURN);
    }
    a.d().paint();
    EXPECT_TRUE(a.state.barShown);
    EXPECT_NO_THROW(a.d().rect(L"notes scroll"));
    const int visible = a.visibleLines();
    EXPECT_EQ(a.state.firstLine, 21 - visible); // the caret's line is the last in view
    a.d().wheel(60, 50, 120);
    EXPECT_EQ(a.state.firstLine, 21 - visible - 3);
    a.d().press(WXK_HOME, wxMOD_CONTROL);
    EXPECT_EQ(a.state.firstLine, 0);
    a.d().press(WXK_PAGEDOWN);
    EXPECT_EQ(a.state.lineOf(a.state.caret()), visible);
}

TEST(TextArea, AReadOnlyAreaSelectsAndCopiesAndTheMaximumLengthHolds) {
    Area a(L"fixed text");
    a.state.setReadOnly(true);
    a.d().press(WXK_HOME, wxMOD_CONTROL);
    a.d().typeText(L"x");
    a.d().press(WXK_DELETE);
    a.d().press(WXK_RETURN);
    EXPECT_EQ(a.state.text(), L"fixed text");
    a.d().press('A', wxMOD_CONTROL);
    EXPECT_EQ(a.state.selection(), L"fixed text");
    a.state.setReadOnly(false);
    a.state.setMaxLen(12);
    a.d().press(WXK_END, wxMOD_CONTROL);
    a.d().typeText(L"abc");
    EXPECT_EQ(a.state.text(), L"fixed textab");
}

TEST(TextAreaState, AnEditReMeasuresOnlyTheParagraphsItTouched) {
    // Lines of paragraphs away from an edit keep their places; those after it move with it.
    TextAreaState s(font(), L"aa\nbb bb\ncc");
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    s.layout(dc, 1000.0f);
    EXPECT_EQ(s.lineCount(), 3);
    s.setSelection(4, 4); // inside "bb bb"
    s.type(std::wstring(L"x\ny"));
    s.layout(dc, 1000.0f);
    EXPECT_EQ(s.lineCount(), 4);
    EXPECT_EQ(s.lineRange(0), std::make_pair(0u, 2u));
    EXPECT_EQ(s.lineRange(1), std::make_pair(3u, 5u));   // "bx"
    EXPECT_EQ(s.lineRange(2), std::make_pair(6u, 11u));  // "yb bb"
    EXPECT_EQ(s.lineRange(3), std::make_pair(12u, 14u)); // "cc", moved by three
    s.undo();
    s.layout(dc, 1000.0f);
    EXPECT_EQ(s.lineCount(), 3);
    EXPECT_EQ(s.lineRange(2), std::make_pair(9u, 11u));
}

TEST(TextArea, WithoutWrappingAParagraphIsOneLineScrolledSidewaysToTheCaret) {
    Area a(L"");
    a.state.setWrap(false);
    a.d().typeText(L"a paragraph far longer than the area is wide, typed to its very end");
    EXPECT_EQ(a.state.lineCount(), 1);
    EXPECT_GT(a.state.scrollX, 0.0f); // the caret's end came into view
    EXPECT_LE(a.state.xOf(a.state.caret()) - a.state.scrollX, 192.0f);
    a.d().press(WXK_HOME);
    EXPECT_EQ(a.state.scrollX, 0.0f);
}

TEST(TextArea, ALongTextShowsAtOnceAndIsMeasuredAtIdleWithTheViewKeepingItsText) {
    std::wstring text;
    for (int i = 0; i < 3000; ++i)
        // Narrow letters: the estimate from the font's average overcounts their lines.
        text += L"Paragraph " + std::to_wstring(i) + (i % 3 ? L" ill till lilt ill" : L"") +
                (i % 2 ? L" ill till lilt ill till lilt ill till lilt\n" : L".\n");
    Area a(text.c_str());
    ASSERT_FALSE(a.state.laidOut()); // too long to measure before the first frame
    // Before any idle time: the end, a click and typing land where they should.
    a.d().press(WXK_END, wxMOD_CONTROL);
    EXPECT_EQ(a.state.caret(), a.state.len());
    const int last = a.state.lineOf(a.state.caret());
    EXPECT_GE(last, a.state.firstLine);
    EXPECT_LT(last, a.state.firstLine + a.visibleLines());
    const unsigned middle = static_cast<unsigned>(text.find(L"Paragraph 2999")) + 4;
    a.d().click(a.at(middle).x, a.at(middle).y);
    EXPECT_EQ(a.state.caret(), middle);
    a.d().typeText(L"x");
    EXPECT_EQ(a.state.text().substr(middle - 4, 5), L"Parax");
    // Idle time measures the rest; the view keeps the lines it shows.
    a.state.firstLine = a.state.lineCount() / 2;
    a.d().paint();
    const auto [b, e] = a.state.lineRange(a.state.firstLine);
    const std::wstring top = a.state.text().substr(b, e - b);

    for (int i = 0; i < 10000 && !a.state.laidOut(); ++i)
        a.d().flush();
    ASSERT_TRUE(a.state.laidOut());
    const auto [b2, e2] = a.state.lineRange(a.state.firstLine);
    EXPECT_EQ(a.state.text().substr(b2, e2 - b2), top);
    // The counts are those of the whole text laid out at once.
    TextAreaState whole(font(), a.state.text().c_str());
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    whole.layout(dc, 200.0f - 8.0f - gui::SCROLL_SIZE);
    EXPECT_EQ(a.state.lineCount(), whole.lineCount());
}

// What a screen reader reads of the area, asked in this process through ATK: the text, the
// line at an offset, a character that is no Unicode scalar value as U+FFFD, and each edit
// heard as an insertion at its offset.
TEST(TextArea, ScreenReadersReadItsLinesAndHearEachEditWhereItIs) {
    Area a(L"first line\nsecond \xD800 line");
    a.d().context()->setAccessibility(true);
    a.d().paint();
    AtkObject* canvas =
        gtk_widget_get_accessible(GTK_WIDGET(a.win->window()->canvas()->GetHandle()));
    AtkText* text = nullptr;
    for (gint i = 0; text == nullptr && i < atk_object_get_n_accessible_children(canvas); ++i) {
        AtkObject* child = atk_object_ref_accessible_child(canvas, i);
        if (ATK_IS_TEXT(child))
            text = ATK_TEXT(child);
        g_object_unref(child); // the tree keeps it
    }
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(atk_text_get_character_count(text), 24);
    gint start = 0, end = 0;
    gchar* line = atk_text_get_string_at_offset(text, 14, ATK_TEXT_GRANULARITY_LINE, &start, &end);
    EXPECT_STREQ(line, "second \xEF\xBF\xBD line");
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 24);
    g_free(line);
    EXPECT_EQ(atk_text_get_character_at_offset(text, 18), 0xFFFDu);

    struct Heard {
        gint at = -1, length = 0;
        std::string text;
    } heard;
    void (*insert)(AtkText*, gint, gint, gchar*, gpointer) = [](AtkText*, gint at, gint length,
                                                                gchar* what, gpointer h) {
        *static_cast<Heard*>(h) = Heard{at, length, what};
    };
    const gulong handler = g_signal_connect(text, "text-insert", G_CALLBACK(insert), &heard);
    a.d().click(a.at(6).x, a.at(6).y);
    a.d().typeText(L"\x05D0");
    EXPECT_EQ(heard.at, 6);
    EXPECT_EQ(heard.length, 1);
    EXPECT_EQ(heard.text, "\xD7\x90");
    EXPECT_EQ(atk_text_get_character_count(text), 25);
    g_signal_handler_disconnect(text, handler);
}
