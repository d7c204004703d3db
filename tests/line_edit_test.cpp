// Text boxes and the line-edit widget through the driver: the key table, the clipboard (the
// real one, under Xvfb), click placement, the field's layout, automatic focus, disabled
// fields and repaint requests.
#include "gui/box.h"
#include "gui/text_box.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

using gui::Box;
using gui::TextState;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// A window with one line edit (no label) filling a 300-wide row.
struct Field {
    Hosted win{340, 60};
    TextState& state;
    int refreshesAtStart = 0;
    explicit Field(TextState& s, bool enabled = true) : state(s) {
        win->scene = [this, enabled](Host& h) {
            Box row(h.ui(), 300.0f, 30.0f);
            row.setPos(10.0f, 10.0f);
            h.doLineEdit(ControlID(L"field"), state, nullptr, 0.0f, enabled);
        };
        win.driver->paint();
        win.driver->paint(); // the automatic focus claimed in the first pass is now held
    }
    orbotk::Driver& d() { return *win.driver; }
};

void setClipboard(const std::wstring& text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

std::wstring clipboardText() {
    wxTextDataObject data(L"");
    if (wxTheClipboard->Open()) {
        wxTheClipboard->GetData(data);
        wxTheClipboard->Close();
    }
    return data.GetText().ToStdWstring();
}

} // namespace

TEST(TextBox, TypingEditsTheStateAndTheFieldIsFocusedAutomatically) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"");
    Field f(s);
    EXPECT_EQ(f.win->window()->context()->focusedID().name(), L"field");
    const auto before = f.win->window()->refreshRequests();
    f.d().typeText(L"Hi there");
    EXPECT_EQ(s.text(), L"Hi there");
    // One repaint per event that changed something: one character event per letter.
    EXPECT_EQ(f.win->window()->refreshRequests() - before, 8);
}

TEST(TextBox, EscapeCollapsesTheSelectionAndBackspaceDeletesOnlyIt) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"abc def");
    Field f(s);
    s.caretEnd(false);
    f.d().press(WXK_LEFT, wxMOD_SHIFT);
    f.d().press(WXK_LEFT, wxMOD_SHIFT);
    EXPECT_EQ(s.selection(), L"ef");
    f.d().press(WXK_ESCAPE);
    EXPECT_FALSE(s.hasSelection());
    EXPECT_EQ(s.text(), L"abc def");
    f.d().press(WXK_LEFT, wxMOD_SHIFT);
    f.d().press(WXK_BACK, wxMOD_CONTROL); // Ctrl, but a selection: only it goes
    EXPECT_EQ(s.text(), L"abc ef");
}

TEST(TextBox, CtrlBackspaceDeletesTheWordBeforeTheCaret) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"abc def");
    Field f(s);
    s.caretEnd(false);
    f.d().press(WXK_BACK, wxMOD_CONTROL);
    EXPECT_EQ(s.text(), L"abc ");
    f.d().press(WXK_HOME);
    f.d().press(WXK_DELETE);
    EXPECT_EQ(s.text(), L"bc ");
}

TEST(TextBox, ShiftHomeSelectsAndCtrlShiftRightSelectsAWord) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"abc def");
    Field f(s);
    s.caretEnd(false);
    s.prev(false);
    s.prev(false); // caret 5
    f.d().press(WXK_HOME, wxMOD_SHIFT);
    EXPECT_EQ(s.selectBegin(), 0u);
    EXPECT_EQ(s.selectEnd(), 5u);
    f.d().press(WXK_HOME);
    EXPECT_FALSE(s.hasSelection());
    f.d().press(WXK_RIGHT, wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(s.selection(), L"abc");
    f.d().press(WXK_UP);
    f.d().press(WXK_DOWN);
    EXPECT_EQ(s.selection(), L"abc");
}

TEST(TextBox, CopyCutAndPasteGoThroughTheClipboard) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"hello world");
    Field f(s);
    setClipboard(L"untouched");
    f.d().press('C', wxMOD_CONTROL); // nothing selected: the clipboard is left alone
    EXPECT_EQ(clipboardText(), L"untouched");
    s.caretHome(false);
    f.d().press(WXK_RIGHT, wxMOD_CONTROL | wxMOD_SHIFT);
    f.d().press('C', wxMOD_CONTROL);
    EXPECT_EQ(clipboardText(), L"hello");
    f.d().press('X', wxMOD_CONTROL);
    EXPECT_EQ(s.text(), L" world");
    f.d().press(WXK_END);
    f.d().press('V', wxMOD_CONTROL);
    EXPECT_EQ(s.text(), L" worldhello");
    f.d().press('V', wxMOD_CONTROL | wxMOD_ALT); // a second modifier: not paste
    EXPECT_EQ(s.text(), L" worldhello");
}

TEST(TextBox, CutInAPasswordFieldEmptiesTheClipboardAndDeletesTheSelection) {
    wxFont font(wxFontInfo(11));
    gui::PasswordState p(font);
    p.type(std::wstring(L"secret"));
    Field f(p);
    setClipboard(L"before");
    p.selectAll();
    f.d().press('X', wxMOD_CONTROL);
    EXPECT_EQ(clipboardText(), L"");
    EXPECT_EQ(p.password(), L"");
}

TEST(TextBox, AltCharactersAreLeftToTheWindowAndControlCodesIgnored) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"");
    Field f(s);
    f.d().character('a', wxMOD_ALT);
    f.d().character(3); // Ctrl+C's character
    f.d().character(127);
    EXPECT_EQ(s.text(), L"");
    f.d().character(0xE9);
    EXPECT_EQ(s.text(), L"\u00e9");
    // Every script is typed, astral characters included; C1 controls, lone surrogates and
    // noncharacters are not.
    const std::wstring scripts = L"\u00ff\u05e9\u05dc\u0627\u03a9\u0436\u4e2d\U0001F600";
    f.d().typeText(scripts);
    f.d().character(0x85);
    f.d().character(0xD800);
    f.d().character(0xFFFF);
    EXPECT_EQ(s.text(), L"\u00e9" + scripts);
    // A validator sees characters beyond Latin-1 as SUB, never as their low byte.
    s.setText(L"");
    s.setValidator(gui::intValidator);
    f.d().typeText(L"1\u0131\u0132"
                   L"2");
    EXPECT_EQ(s.text(), L"12");
}

TEST(TextBox, TheReturnFlagHoldsOnlyInThePassOfTheRelease) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"x");
    Field f(s);
    // What a scene that submits on Return sees after its field, pass by pass.
    std::vector<bool> seen;
    auto field = f.win->scene;
    f.win->scene = [&](Host& h) {
        field(h);
        seen.push_back(h.ui()->returnReleased);
    };
    f.d().press(WXK_RETURN); // key down, character, key up
    f.d().mouseMove(5, 5);
    f.d().paint();
    f.d().press(WXK_RETURN);
    EXPECT_EQ(seen, (std::vector<bool>{false, false, true, false, false, false, false, true}));
    EXPECT_EQ(s.text(), L"x");
}

TEST(TextBox, AClickPlacesTheCaretBeforeTheCharacterUnderThePointer) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"abcdef");
    Field f(s);
    s.caretEnd(false);
    // The field starts at x = 16 (row at 10, no label: 6 pixels in); its text one pixel in.
    f.d().click(16, 20);
    EXPECT_EQ(s.caret(), 0u);
    EXPECT_FALSE(s.hasSelection());
    f.d().click(300, 20); // right of the text: the end
    EXPECT_EQ(s.caret(), 6u);
    const int afterC = 16 + s.extents()[2] - 1; // inside "c": before it
    f.d().click(afterC, 20);
    EXPECT_EQ(s.caret(), 2u);
}

TEST(TextBox, CtrlASelectsAllAndCtrlZUndoesWhatCtrlYAndCtrlShiftZRedo) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"");
    Field f(s);
    f.d().typeText(L"one two");
    f.d().press('A', wxMOD_CONTROL);
    EXPECT_EQ(s.selectSize(), 7u);
    f.d().press(WXK_DELETE);
    f.d().typeText(L"x");
    f.d().press('Z', wxMOD_CONTROL);
    EXPECT_EQ(s.text(), L"");
    f.d().press('Z', wxMOD_CONTROL);
    EXPECT_EQ(s.text(), L"one two");
    f.d().press('Z', wxMOD_CONTROL);
    EXPECT_EQ(s.text(), L"");
    f.d().press('Y', wxMOD_CONTROL);
    f.d().press('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(s.text(), L"");
    f.d().press('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(s.text(), L"x");
}

TEST(TextBox, PressAndDragSelectShiftClickExtendsAndDoubleAndTripleClicksTakeWordAndAll) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"alpha beta gamma");
    Field f(s);
    const auto x = [&](unsigned i) { return 16 + (i ? s.extents()[i - 1] : 0) + 1; };
    f.d().paint();
    // Press in "alpha", drag into "beta": anchor at the press, caret following the pointer.
    f.d().mouseMove(x(1), 20);
    f.d().leftDown(x(1), 20);
    f.d().mouseMove(x(4), 20);
    EXPECT_EQ(s.anchor(), 1u);
    EXPECT_EQ(s.caret(), 4u);
    f.d().mouseMove(x(8), 20);
    f.d().leftUp(x(8), 20);
    EXPECT_EQ(s.selection(), L"lpha be");
    f.d().leftDown(x(13), 20);
    f.d().leftUp(x(13), 20);
    EXPECT_FALSE(s.hasSelection()); // a click starts afresh; Shift+click extends from it
    f.d().mouseEvent(wxEVT_LEFT_DOWN, x(3), 20, true, false, false, wxMOD_SHIFT);
    f.d().mouseEvent(wxEVT_LEFT_UP, x(3), 20, false, false, false, wxMOD_SHIFT);
    EXPECT_EQ(s.selection(), L"ha beta ga");
    f.d().leftDoubleClick(x(7), 20);
    EXPECT_EQ(s.selection(), L"beta");
    f.d().click(x(7), 20); // the third press of the run
    EXPECT_EQ(s.selection(), L"alpha beta gamma");
}

TEST(TextBox, ADragPastTheFieldsEdgeScrollsTheTextAndSelectsOn) {
    wxFont font(wxFontInfo(11));
    TextState s(font, std::wstring(80, L'w').c_str());
    Field f(s);
    s.caretHome(false);
    f.d().paint();
    f.d().mouseMove(20, 20);
    f.d().leftDown(20, 20);
    for (int i = 0; i < 8; ++i)
        f.d().mouseMove(330 + i, 20); // beyond the field's right end, at 310
    f.d().leftUp(337, 20);
    EXPECT_GT(s.scrollOffset(), 0.0f);
    EXPECT_GT(s.caret(), 30u);
    EXPECT_EQ(s.anchor(), 0u);
}

TEST(LineEdit, FieldGeometryFollowsTheLabelColumn) {
    wxFont font(wxFontInfo(11));
    TextState a(font, L""), b(font, L""), c(font, L"");
    Hosted win(400, 120);
    std::vector<gui::drag_bounds> fields;
    win->scene = [&](Host& h) {
        fields.clear();
        const wchar_t* labels[] = {nullptr, L"Name", L"Name"};
        const float widths[] = {0.0f, 100.0f, 0.0f};
        TextState* states[] = {&a, &b, &c};
        for (int i = 0; i < 3; ++i) {
            Box row(h.ui(), 300.0f, 30.0f);
            row.setPos(0.0f, 35.0f * i);
            h.doLineEdit(*states[i], labels[i], widths[i]);
        }
        // Where the layout rule puts each field's left edge.
        const float labelW = gui::getTextShape(h.ui(), L"Name", h.configFont_).width;
        fields.push_back(gui::drag_bounds(6, 4, 294, 0));
        fields.push_back(gui::drag_bounds(106, 4, 194, 0));
        fields.push_back(gui::drag_bounds(8 + labelW + 6, 4, 0, 0));
    };
    win.driver->paint();
    win.driver->paint();
    // The border's top-left corner is where each field starts (below it, in the focused
    // field, the caret covers the left column).
    for (int i = 0; i < 3; ++i) {
        const int x = static_cast<int>(fields[static_cast<size_t>(i)].x);
        const int y = 35 * i + 4;
        EXPECT_EQ(win.driver->pixel(x, y), gui::orbopal::ActiveTextEditBorder) << i;
        EXPECT_NE(win.driver->pixel(x - 1, y), gui::orbopal::ActiveTextEditBorder) << i;
    }
}

TEST(LineEdit, ADisabledWindowDrawsFieldsDisabledAndKeysChangeNothing) {
    wxFont font(wxFontInfo(11));
    TextState s(font, L"abc");
    Field f(s);
    f.win->Enable(false);
    f.d().paint();
    f.d().typeText(L"xyz");
    f.d().press(WXK_BACK);
    EXPECT_EQ(s.text(), L"abc");
    // No background: the disabled field is only border and text.
    EXPECT_EQ(f.d().pixel(200, 20), orbo::tk::RGBA(0xFFFFFFFFu));
}

TEST(LineEdit, EachStateIsItsOwnTabStop) {
    wxFont font(wxFontInfo(11));
    TextState a(font, L""), b(font, L"");
    Hosted win(400, 100);
    win->scene = [&](Host& h) {
        for (TextState* s : {&a, &b}) {
            Box row(h.ui(), 300.0f, 30.0f);
            row.setTop(s == &a ? 0.0f : 40.0f);
            h.doLineEdit(*s, nullptr, 0.0f);
        }
    };
    win.driver->paint();
    win.driver->paint();
    win.driver->typeText(L"1");
    win.driver->press(WXK_TAB);
    win.driver->typeText(L"2");
    win.driver->press(WXK_TAB, wxMOD_SHIFT);
    win.driver->typeText(L"3");
    EXPECT_EQ(a.text(), L"13");
    EXPECT_EQ(b.text(), L"2");
}

TEST(TextBox, ALineOfHundredsOfThousandsOfLettersEditsMovesAndTakesClicksAsAShortOne) {
    // Laid out a window at a time: the caret steps one position and keeps its place on screen
    // as the window moves along, a click lands under the pointer, typing lands at the caret.
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    for (const std::wstring word : {L"lorem ipsum ", L"\x5E9\x5D5\x5E8\x5EA \x5D4\x5E2\x5E8 "}) {
        std::wstring text;
        while (text.size() < 200000)
            text += word;
        TextState s(font, text.c_str());
        s.setSelection(100000, 100000);
        Field f(s);
        f.d().typeText(L"Z");
        f.d().paint();
        EXPECT_EQ(s.text()[100000], L'Z');
        const bool rtl = word[0] != L'l';
        const auto onScreen = [&] { return s.xOfPosition(s.caret()) - s.scrollOffset(); };
        const unsigned from = s.shownFrom();
        for (int i = 0; i < 250; ++i) {
            const unsigned caret = s.caret();
            const float x = onScreen();
            f.d().press(rtl ? WXK_LEFT : WXK_RIGHT);
            f.d().paint();
            ASSERT_EQ(s.caret(), caret + 1);
            ASSERT_NEAR(onScreen(), x, 12.0f) << "step " << i; // at most a letter on
            ASSERT_GE(onScreen(), 0.0f);
            ASSERT_LE(onScreen(), 300.0f);
        }
        EXPECT_GT(s.shownFrom(), from); // the window moved with the caret
        const unsigned target = s.caret() - 5;
        const int px = 17 + static_cast<int>(s.xOfPosition(target) - s.scrollOffset());
        f.d().click(px + (rtl ? -1 : 1), 20);
        EXPECT_EQ(s.caret(), target);
    }
}
