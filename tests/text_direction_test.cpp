// Text that reads right to left, mixes directions or shapes into clusters, in line edits and
// labels: where the caret is drawn, what a press hits, where the arrow keys go, how a selection
// is drawn and where fit puts its ellipsis, each checked against Pango's own layout of the same
// string, made here apart from the library's.
#include "gui/box.h"
#include "gui/palette.h"
#include "gui/text_area.h"
#include "gui/text_layout.h"
#include "gui/text_state.h"
#include "text/text_cache.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <pango/pangocairo.h>
#include <string>
#include <vector>
#include <wx/fontutil.h>

using gui::Box;
using gui::TextState;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// "shalom olam", Hebrew letters only.
const std::wstring HEBREW = L"\x5E9\x5DC\x5D5\x5DD \x5E2\x5D5\x5DC\x5DD";
// "marhaba bil-alam 123": Arabic letters joined in words, then digits, which read left to right.
const std::wstring ARABIC = L"\x645\x631\x62D\x628\x627 \x628\x627\x644\x639\x627\x644\x645 123";
// Latin, Hebrew, a number inside the Hebrew run, Latin again.
const std::wstring MIXED = L"abc \x5E9\x5DC\x5D5\x5DD 42 \x5E2\x5D5\x5DC\x5DD def";

// Pango's layout of a string on a surface of its own.
class Reference {
public:
    Reference(const wxFont& font, const std::wstring& text) {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        cr_ = cairo_create(surface_);
        layout_ = pango_cairo_create_layout(cr_);
        pango_layout_set_font_description(layout_, font.GetNativeFontInfo()->description);
        const std::string utf8 = wxString(text).utf8_string();
        pango_layout_set_text(layout_, utf8.data(), -1);
        for (size_t i = 0; i <= text.size(); ++i) {
            const char* at = g_utf8_offset_to_pointer(utf8.data(), static_cast<long>(i));
            bytes_.push_back(static_cast<int>(at - utf8.data()));
        }
    }
    ~Reference() {
        g_object_unref(layout_);
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    int cursorX(size_t i) const {
        PangoRectangle strong;
        pango_layout_get_cursor_pos(layout_, bytes_[i], &strong, nullptr);
        return PANGO_PIXELS(strong.x);
    }
    // Letter i's box: where it starts in its reading direction, and its signed width.
    PangoRectangle letter(size_t i) const {
        PangoRectangle r;
        pango_layout_index_to_pos(layout_, bytes_[i], &r);
        return r;
    }
    int width() const {
        int w = 0, h = 0;
        pango_layout_get_pixel_size(layout_, &w, &h);
        return w;
    }

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    PangoLayout* layout_;
    std::vector<int> bytes_;
};

// A window with one line edit (no label) filling a 300-wide row.
struct Field {
    Hosted win{340, 60};
    TextState& state;
    explicit Field(TextState& s) : state(s) {
        win->scene = [this](Host& h) {
            Box row(h.ui(), 300.0f, 30.0f);
            row.setPos(10.0f, 10.0f);
            h.doLineEdit(ControlID(L"field"), state, nullptr, 0.0f);
        };
        d().paint();
        d().paint(); // the automatic focus claimed in the first pass is now held
    }
    orbotk::Driver& d() { return *win.driver; }
    wxRect rect() { return d().rect(L"field"); }
    // The caret's left column: the first whose pixels are all the text colour from just below
    // the field's top to just above its bottom, taller than any letter.
    int caretColumn() {
        const wxRect r = rect();
        for (int x = r.x; x <= r.GetRight(); ++x) {
            bool bar = true;
            for (int y = r.y + 2; bar && y < r.GetBottom() - 2; ++y)
                bar = d().pixel(x, y).word == gui::orbopal::Text.word;
            if (bar)
                return x;
        }
        return -1;
    }
};

} // namespace

TEST(TextDirection, TheCaretIsDrawnWhereTheLayoutPutsItsCursorAtEveryPosition) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    for (const std::wstring& text : {HEBREW, ARABIC, MIXED}) {
        SCOPED_TRACE(wxString(text).utf8_string());
        TextState s(font, text.c_str());
        Field f(s);
        const Reference ref(font, text);
        // The text fits: it is not scrolled, so caret and cursor differ by one constant shift.
        int shift = 0;
        for (unsigned i = 0; i <= text.size(); ++i) {
            s.setSelection(i, i);
            f.d().paint();
            const int column = f.caretColumn();
            ASSERT_GE(column, 0) << "no caret drawn at " << i;
            if (i == 0)
                shift = column - ref.cursorX(0);
            EXPECT_EQ(column - ref.cursorX(i), shift) << "position " << i;
        }
        // Text reading right to left is right-aligned; the mixed string, starting with Latin,
        // is not.
        const wxRect r = f.rect();
        if (text == MIXED)
            EXPECT_EQ(shift, r.x);
        else
            EXPECT_EQ(shift + ref.width(), r.GetRight() - 2);
    }
}

TEST(TextDirection, APressOnALettersLeadingHalfGoesBeforeItAndOnItsTrailingHalfAfterIt) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    for (const std::wstring& text : {HEBREW, MIXED}) {
        SCOPED_TRACE(wxString(text).utf8_string());
        TextState s(font, text.c_str());
        Field f(s);
        const Reference ref(font, text);
        const int left = f.rect().x + 1 - static_cast<int>(s.scrollOffset());
        for (unsigned i = 0; i < text.size(); ++i) {
            if (text[i] == L' ')
                continue;
            const PangoRectangle r = ref.letter(i);
            // Pango's box starts at the letter's leading edge; right to left, its width is
            // negative. A quarter of the way in from either edge.
            const int lead = left + PANGO_PIXELS(r.x + r.width / 4);
            const int trail = left + PANGO_PIXELS(r.x + 3 * r.width / 4);
            // Presses this near each other would count as a double click: rows far apart.
            f.d().click(lead, f.rect().y + 4);
            EXPECT_EQ(s.caret(), i) << "leading half of " << i;
            f.d().click(trail, f.rect().y + 15);
            EXPECT_EQ(s.caret(), i + 1) << "trailing half of " << i;
        }
    }
}

TEST(TextDirection, ArrowsMoveOnScreenHomeAndEndLogicallyAndShiftExtends) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    TextState s(font, MIXED.c_str()); // abc [shalom] 42 [olam] def, the brackets shown reversed
    Field f(s);
    f.d().press(WXK_HOME);
    std::vector<unsigned> seen;
    for (int i = 0; i < 9; ++i) {
        f.d().press(WXK_RIGHT);
        seen.push_back(s.caret());
    }
    // Over "abc " left to right, then into the Hebrew run at its left end, which is its
    // logical end: right through "olam" towards its start, over the space to the left edge of
    // "42", where the position before the 4 stands.
    EXPECT_EQ(seen, (std::vector<unsigned>{1, 2, 3, 4, 15, 14, 13, 12, 9}));
    f.d().press(WXK_LEFT);
    EXPECT_EQ(s.caret(), 12u);
    f.d().press(WXK_END);
    EXPECT_EQ(s.caret(), static_cast<unsigned>(MIXED.size()));
    f.d().press(WXK_HOME, wxMOD_SHIFT);
    EXPECT_EQ(s.selectSize(), MIXED.size());
    f.d().press(WXK_HOME);

    // Right to left throughout: Left goes on towards the end, Shift keeps the anchor, and
    // Ctrl+Left is the next word.
    s.setText(HEBREW);
    s.setSelection(0, 0);
    f.d().press(WXK_LEFT);
    f.d().press(WXK_LEFT, wxMOD_SHIFT);
    EXPECT_EQ(s.caret(), 2u);
    EXPECT_EQ(s.anchor(), 1u);
    f.d().press(WXK_LEFT, wxMOD_CONTROL);
    EXPECT_EQ(s.caret(), 4u);
    f.d().press(WXK_RIGHT, wxMOD_CONTROL);
    EXPECT_EQ(s.caret(), 0u);
    f.d().press(WXK_RIGHT);
    EXPECT_EQ(s.caret(), 0u); // the right end: nothing further
}

TEST(TextDirection, TheCaretNeverLandsInsideAClusterAndBackspaceStaysLogical) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    TextState s(font, L"e\x301t\x5E9\x5B8"); // e with an acute, t, shin with a vowel point
    Field f(s);
    f.d().press(WXK_HOME);
    std::vector<unsigned> seen;
    for (int i = 0; i < 4; ++i) {
        f.d().press(WXK_RIGHT);
        seen.push_back(s.caret());
    }
    EXPECT_EQ(seen, (std::vector<unsigned>{2, 3, 5, 5}));
    for (int x = f.rect().x; x < f.rect().x + 40; ++x) {
        f.d().click(x, f.rect().y + 8);
        EXPECT_TRUE(s.caret() != 1 && s.caret() != 4) << "a press at " << x;
    }
    s.setSelection(2, 2);
    f.d().press(WXK_BACK); // the mark alone goes, as the platform's fields do
    EXPECT_EQ(s.text(), L"et\x5E9\x5B8");
}

TEST(TextDirection, ASelectionAcrossAChangeOfDirectionIsDrawnInPieces) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    TextState s(font, MIXED.c_str());
    Field f(s);
    s.setSelection(1, 6); // "bc " and the first two Hebrew letters, which show at the run's right
    f.d().paint();
    std::vector<std::pair<float, float>> pieces;
    s.pieces(1, 6, pieces);
    ASSERT_EQ(pieces.size(), 2u);
    // Along a row above the letters: selection colour, white, selection colour.
    const wxRect r = f.rect();
    const int y = r.y + 2;
    const std::uint32_t white = f.d().pixel(r.GetRight() - 3, y).word;
    std::vector<bool> runs;
    for (int x = r.x + 2; x < r.GetRight() - 2; ++x) {
        const bool selected = f.d().pixel(x, y).word != white;
        if (runs.empty() || runs.back() != selected)
            runs.push_back(selected);
    }
    EXPECT_EQ(runs, (std::vector<bool>{false, true, false, true, false}));
    // "bc " from after the a to the run's left edge; the two letters from the left edge of the
    // second to the right edge (the leading one) of the first.
    const Reference ref(font, MIXED);
    EXPECT_EQ(pieces[0], std::make_pair(static_cast<float>(ref.cursorX(1)),
                                        static_cast<float>(ref.cursorX(4))));
    EXPECT_EQ(pieces[1], std::make_pair(static_cast<float>(ref.cursorX(6)),
                                        static_cast<float>(PANGO_PIXELS(ref.letter(4).x))));
}

TEST(TextDirection, FitCutsFromTheTextsEndInItsOwnDirectionWithTheEllipsisOnThatSide) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    Hosted win(200, 40);
    const gui::ui_t& ui = win->window()->context();
    std::wstring out;
    // Whether the "..." shows left of all the rest of the text.
    const auto ellipsisLeftOfText = [&](const std::wstring& shown) {
        const auto laidOut = gui::textcache::shaped(ui->measureDC(), font, shown);
        const size_t dots = shown.find(L"...");
        const bool leading = shown.find_first_not_of(L"\x200E\x200F") == dots;
        std::vector<std::pair<int, int>> e, rest;
        laidOut->pieces(dots, dots + 3, e);
        laidOut->pieces(leading ? dots + 3 : 0, leading ? shown.size() : dots, rest);
        return e.front().second <= rest.front().first;
    };
    const std::wstring words = HEBREW + L" " + HEBREW; // four Hebrew words
    float width = 80;
    gui::fit(ui, font, width, words, true, out);
    EXPECT_LE(width, 80.0f);
    EXPECT_EQ(out.substr(0, 4), words.substr(0, 4)); // the logical start kept ...
    EXPECT_EQ(out.substr(out.size() - 3), L"...");   // ... the cut end marked ...
    EXPECT_TRUE(ellipsisLeftOfText(out));            // ... on the left, where it reads on
    width = 80;
    gui::fit(ui, font, width, words, false, out);
    EXPECT_EQ(out.substr(out.size() - 4), words.substr(words.size() - 4));
    EXPECT_FALSE(ellipsisLeftOfText(out)); // the start was cut: on the right
    // Keeping the end of a left-to-right text whose end is Hebrew: still left to right, so the
    // ellipsis stays on the left, where the Latin start was.
    const std::wstring latinFirst = L"a few words then " + HEBREW;
    width = 80;
    gui::fit(ui, font, width, latinFirst, false, out);
    EXPECT_EQ(out[0], L'\x200E');
    EXPECT_TRUE(ellipsisLeftOfText(out));
}

TEST(TextDirection, ATextAreaRightAlignsARightToLeftParagraphAndMovesThroughItOnScreen) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    gui::TextAreaState notes(font, (HEBREW + L"\nabc").c_str());
    Hosted win(240, 120);
    win->scene = [&](Host& h) {
        Box area(h.ui(), 220.0f, 100.0f);
        area.setPos(10.0f, 10.0f);
        h.doTextArea(ControlID(L"notes"), notes);
    };
    win.driver->paint();
    win.driver->focus(L"notes");
    const Reference ref(font, HEBREW);
    EXPECT_GT(notes.lineLeft(0), 100.0f);
    EXPECT_EQ(notes.lineLeft(1), 0.0f);
    for (unsigned i = 0; i <= HEBREW.size(); ++i)
        EXPECT_EQ(notes.xOf(i), notes.lineLeft(0) + static_cast<float>(ref.cursorX(i)));
    // Left goes on through the paragraph towards its end, then over the line feed.
    win.driver->press(WXK_HOME, wxMOD_CONTROL);
    for (unsigned i = 1; i <= HEBREW.size() + 1; ++i) {
        win.driver->press(WXK_LEFT);
        EXPECT_EQ(notes.caret(), i);
    }
    // A press on the leading (right) half of the third letter goes before it.
    const wxRect r = win.driver->rect(L"notes");
    const PangoRectangle third = ref.letter(2);
    win.driver->click(r.x + 4 + static_cast<int>(notes.lineLeft(0)) +
                          PANGO_PIXELS(third.x + third.width / 4),
                      r.y + 8);
    EXPECT_EQ(notes.caret(), 2u);
}

TEST(TextDirection, AForcedDirectionOverridesTheTextsOwn) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    TextState s(font, L"abc");
    s.setDirection(gui::TextDirection::RightToLeft);
    Field f(s);
    // Right-aligned, the caret at the start on the right; Left goes over the c.
    EXPECT_EQ(f.caretColumn(), f.rect().GetRight() - 2);
    f.d().press(WXK_LEFT);
    EXPECT_EQ(s.caret(), 2u);
    // Hebrew forced left to right: the start is on the left.
    s.setText(HEBREW);
    s.setDirection(gui::TextDirection::LeftToRight);
    s.setSelection(0, 0);
    f.d().paint();
    EXPECT_EQ(f.caretColumn(), f.rect().x);
    f.d().press(WXK_RIGHT); // over the leftmost letter, which is the last
    EXPECT_EQ(s.caret(), static_cast<unsigned>(HEBREW.size()) - 1);
}

TEST(TextDirection, APasswordShowsItsAsterisksLeftToRightWhateverItsScript) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    gui::PasswordState s(font);
    s.setDirection(gui::TextDirection::RightToLeft);
    Field f(s);
    f.d().typeText(HEBREW);
    EXPECT_EQ(s.password(), HEBREW);
    EXPECT_FALSE(s.rightToLeft());
    // The caret after the last asterisk, on the right; Left goes back one.
    f.d().paint();
    const int end = f.caretColumn();
    f.d().press(WXK_LEFT);
    EXPECT_EQ(s.caret(), static_cast<unsigned>(HEBREW.size()) - 1);
    f.d().paint();
    EXPECT_LT(f.caretColumn(), end);
    EXPECT_LT(end, f.rect().x + 100);
}

TEST(TextDirection, WordWrapBreaksARightToLeftParagraphWhereItsWordsStopFitting) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    Hosted win(200, 40);
    const gui::ui_t& ui = win->window()->context();
    const auto measure = [&](const std::wstring& s) {
        return static_cast<float>(gui::getTextShape(ui, s.c_str(), font).width);
    };
    // Hebrew words of one to six letters, narrow (vav) and wide (mem, shin) ones: summed in the
    // order they show in, the widths of the first words would be those of the last.
    const std::wstring words = L"\x5D5 \x5D5\x5D5\x5D5 " + HEBREW +
                               L" \x5DE\x5E9\x5DE\x5E9\x5DE\x5E9 \x5DE\x5E9\x5DE\x5E9";
    for (float width = 40.0f; width < measure(words); width += 7.0f) {
        SCOPED_TRACE(testing::Message() << width << " px");
        wxString wrapped = words;
        gui::greedy_word_wrap(ui, font, wrapped, width);
        // The first line holds the words that fit, and the next one (with the space after it,
        // which counts) did not.
        const std::wstring first = wrapped.BeforeFirst(L'\n').ToStdWstring();
        const std::wstring rest = wrapped.AfterFirst(L'\n').ToStdWstring();
        ASSERT_FALSE(rest.empty());
        EXPECT_LE(measure(first), width);
        const size_t space = rest.find(L' ');
        EXPECT_GT(measure(first + L" " + (space == rest.npos ? rest : rest.substr(0, space + 1))),
                  width);
    }
}
