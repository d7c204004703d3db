// Message boxes: the window size for the worked cases (one OK button, Yes/No, no buttons, a
// title wider than the message), the button row, default focus, carriage returns, the wrap to
// the screen, and what the real modal loop returns for each button, Escape and the close
// button, through the class and through the one-call helper.
#include "gui/message_box.h"
#include "gui/render.h"
#include "orbotk/driver.h"
#include "orbotk/screen.h"
#include "orbotk/window.h"
#include "widget_host.h"

#include <boost/make_shared.hpp>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <wx/app.h>

using orbotk::Driver;

namespace {

class TestBox : public gui::MessageBoxDialog {
public:
    using gui::AppWindow::informational_;
    using gui::AppWindow::messageBoxFont_;
    using gui::AppWindow::nameFont_;
    using gui::AppWindow::question_;
    using gui::AppWindow::veltsmall_;
    using gui::MessageBoxDialog::MessageBoxDialog;
};

// A box given its size the way the platform would: a pass sizes the window, the size event
// sizes the framebuffer, and the next pass finds the size right.
struct Shown {
    boost::shared_ptr<TestBox> box;
    Driver d;
    Shown(const wchar_t* title, const wchar_t* message, int style)
        : box(boost::make_shared<TestBox>(static_cast<wxWindow*>(nullptr), title, message, style)),
          d(box->window()) {
        for (int i = 0; i < 3; ++i)
            settle();
    }
    ~Shown() {
        box->Close(true);
        wxTheApp->ProcessIdle();
    }
    void settle() {
        d.paint();
        const wxSize s = box->GetSize();
        d.resize(s.x, s.y);
    }
    wxSize size() const { return box->GetSize(); }
    int modal(const std::function<void(Driver&)>& act) {
        box->postEval([this, act] {
            settle();
            d.paint();
            act(d);
        });
        return box->ShowModal();
    }
};

int textWidth(const Driver& d, const wchar_t* text, const wxFont& font) {
    return static_cast<int>(gui::getTextShape(d.context(), text, font).width);
}

// The close button of the logo band: it ends 32 pixels in from the right edge, 28 down.
inline void clickClose(Driver& d) {
    d.click(d.width() - 32 - 4, 28 + 4);
}

} // namespace

TEST(MessageBox, OneOkButtonIsCentredAndFocused) {
    Shown s(L"Note", L"Saved.", wxOK | wxICON_INFORMATION);
    const int iconW = static_cast<int>(TestBox::informational_.w());
    const int iconH = static_cast<int>(TestBox::informational_.h());
    const wxRect ok = s.d.rect(L"OK");
    EXPECT_EQ(ok.width, 83);
    // The row is the OK button alone, centred in the content panel (23 in, window width - 48).
    const int panel = s.size().x - 48;
    EXPECT_EQ(ok.x, 23 + (panel - 83) / 2);
    EXPECT_EQ(s.d.context()->focusedID().name(), L"OK");

    // Width: the title with the small logo is wider than "Saved."; height: the icon, the row.
    const int title = textWidth(s.d, L"Note", TestBox::nameFont_);
    const int width = std::max(textWidth(s.d, L"Saved.", TestBox::messageBoxFont_),
                               static_cast<int>(TestBox::veltsmall_.w()) + title + 3);
    EXPECT_EQ(s.size().x, width + iconW + 80);
    // The row starts 10 below the icon's band; the window ends 100 below the row.
    EXPECT_EQ(ok.y, 64 + iconH + 15 + 10);
    EXPECT_EQ(s.size().y, iconH + 15 + 10 + ok.height + 100);
}

TEST(MessageBox, YesAlwaysBringsNo) {
    Shown s(L"Q", L"Go on?", wxYES_NO | wxICON_QUESTION);
    const wxRect yes = s.d.rect(L"Yes"), no = s.d.rect(L"No");
    EXPECT_EQ(no.x - yes.x, 93);
    EXPECT_EQ(no.GetRight() - yes.x + 1, 176);
    EXPECT_EQ(s.d.context()->focusedID().name(), L"Yes");
    EXPECT_EQ(s.box->window()->escapeResult(), wxNO);

    Shown c(L"Q", L"Go on?", wxYES | wxCANCEL);
    EXPECT_NO_THROW(c.d.rect(L"No"));
    const wxRect cancel = c.d.rect(L"Cancel");
    EXPECT_EQ(cancel.x - c.d.rect(L"Yes").x, 2 * 93);
    EXPECT_EQ(c.box->window()->escapeResult(), wxCANCEL);
}

TEST(MessageBox, NoButtonsNoRow) {
    Shown s(L"T", L"Busy", 0);
    const int iconH = static_cast<int>(TestBox::informational_.h());
    EXPECT_EQ(s.size().y, iconH + 15 + 100);
    EXPECT_THROW(s.d.rect(L"OK"), std::invalid_argument);
    EXPECT_TRUE(s.d.context()->focusedID().anonymous());
}

TEST(MessageBox, TitleWiderThanMessage) {
    const wchar_t* title = L"A title much wider than its message";
    Shown s(title, L"ok", wxICON_QUESTION);
    const int tt = textWidth(s.d, title, TestBox::nameFont_);
    EXPECT_EQ(s.size().x,
              static_cast<int>(TestBox::veltsmall_.w() + TestBox::question_.w()) + tt + 3 + 80);
}

TEST(MessageBox, CarriageReturnsAreDropped) {
    Shown crlf(L"T", L"one\r\ntwo\r\n", wxOK);
    Shown lf(L"T", L"one\ntwo\n", wxOK);
    ASSERT_EQ(crlf.size(), lf.size());
    EXPECT_EQ(crlf.d.pixels(), lf.d.pixels());
}

TEST(MessageBox, WrapsOnceToThreeQuartersOfTheScreen) {
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(800, 600));
    std::wstring message;
    for (int i = 0; i < 120; ++i)
        message += L"word ";
    Shown s(L"T", message.c_str(), wxOK);
    const wxSize first = s.size();
    EXPECT_LE(first.x, 600 + static_cast<int>(TestBox::informational_.w()) + 80);
    EXPECT_GT(first.x, 500);
    EXPECT_GT(first.y, 200);

    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(4000, 3000));
    s.settle();
    s.settle();
    EXPECT_EQ(s.size(), first);
    orbotk::Screen::clearOverride();
}

TEST(MessageBox, ModalLoopReturnsThePressedButtonsBit) {
    struct Case {
        int style;
        const wchar_t* button;
        int code;
    };
    for (const Case& c :
         {Case{wxOK, L"OK", wxOK}, Case{wxYES_NO, L"Yes", wxYES},
          Case{wxYES_NO | wxCANCEL, L"No", wxNO}, Case{wxOK | wxCANCEL, L"Cancel", wxCANCEL}}) {
        Shown s(L"T", L"Pick one", c.style);
        EXPECT_EQ(s.modal([&](Driver& d) { d.click(c.button); }), c.code) << c.style;
    }
    // Return answers the default button.
    Shown ret(L"T", L"Return", wxYES_NO);
    EXPECT_EQ(ret.modal([](Driver& d) { d.press(WXK_RETURN); }), wxYES);
}

// Escape reaches every box whatever button has the focus, as in the desktop's own message
// dialogs (boxes with an OK or Yes button used to stay open): it answers Cancel or No where
// the box has one, and OK where that is all it has.
TEST(MessageBox, EscapeAnswersCancelOrNoAndAnOKOnlyBoxAsOK) {
    for (const auto& [style, code] :
         {std::pair{wxOK, wxOK}, std::pair{wxOK | wxCANCEL, wxCANCEL}, std::pair{wxYES_NO, wxNO},
          std::pair{wxYES_NO | wxCANCEL, wxCANCEL}}) {
        Shown s(L"T", L"Escape", style);
        EXPECT_EQ(s.modal([](Driver& d) {
            d.press(WXK_TAB); // whichever button has the focus
            d.press(WXK_ESCAPE);
        }),
                  code)
            << style;
    }
}

TEST(MessageBox, RealEscapeAndReturnAnswerTheBox) {
    testing_support::onNextModal([](Driver& d) { testing_support::realKeys(d, "key Escape"); });
    EXPECT_EQ(gui::messageBox(L"Keep the draft?", L"Escape", wxYES_NO), wxNO);
    testing_support::onNextModal([](Driver& d) { testing_support::realKeys(d, "key Return"); });
    EXPECT_EQ(gui::messageBox(L"Save the changes?", L"Return", wxYES_NO | wxCANCEL), wxYES);
}

TEST(MessageBox, ClosingWithoutAButton) {
    // The close button closes an OK box with the toolkit's own result.
    Shown ok(L"T", L"Close", wxOK | wxICON_INFORMATION);
    EXPECT_EQ(ok.modal(clickClose), wxID_CANCEL);
    Shown yn(L"T", L"Close", wxYES_NO);
    EXPECT_EQ(yn.modal(clickClose), wxNO);
    Shown ync(L"T", L"Close", wxYES_NO | wxCANCEL);
    EXPECT_EQ(ync.modal(clickClose), wxCANCEL);
    // Without buttons nothing has the focus, and Escape closes.
    Shown none(L"T", L"Escape", wxICON_HAND);
    EXPECT_EQ(none.modal([](Driver& d) { d.press(WXK_ESCAPE); }), wxID_CANCEL);
}

TEST(MessageBox, HelperReturnsTheButtonsCode) {
    testing_support::answerNextModal(L"No");
    EXPECT_EQ(gui::messageBox(L"Really?", L"Helper", wxYES_NO | wxICON_QUESTION), wxNO);
    testing_support::answerNextModal(L"");
    EXPECT_EQ(gui::messageBox(L"Done."), wxCANCEL);
    wxTheApp->ProcessIdle();
}

TEST(MessageBox, AWindowWhosePassOpenedOnePaintsWhileItIsOpen) {
    // The click's pass opens the box and waits in its loop; the window's own repaints go on
    // in passes of their own, and the click's pass then finishes with the answer.
    testing_support::Hosted win(200, 100);
    int answer = 0, paintsWhileOpen = 0;
    bool open = false;
    win->scene = [&](testing_support::Host& h) {
        if (open && h.ui()->isPaint())
            ++paintsWhileOpen;
        gui::Box button(h.ui(), 100.0f, 30.0f, orbotk::ControlID(L"ask"));
        if (button.leftClicked()) {
            open = true;
            answer = gui::messageBox(h.window(), L"Sure?", L"Ask", wxYES_NO);
            open = false;
        }
    };
    win.driver->paint();
    testing_support::onNextModal([&](orbotk::Driver& box) {
        win.driver->paint();
        box.click(L"Yes");
    });
    win.driver->click(L"ask");
    EXPECT_EQ(answer, wxYES);
    EXPECT_EQ(paintsWhileOpen, 1);
}
