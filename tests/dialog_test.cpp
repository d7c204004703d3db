// Dialogs: the frame's layout with and without bands, Escape, the OK/Cancel pair and what the
// real modal loop returns, the expando's window heights and the pass in which it opens, and
// closing from inside a pass or after the parent has gone.
#include "gui/dialog.h"
#include "gui/text_area.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"
#include "widget_host.h"

#include <boost/make_shared.hpp>
#include <functional>
#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>

using gui::Box;
using gui::FILL;
using orbotk::ControlID;
using orbotk::Driver;

namespace {

class TestDialog : public gui::Dialog {
public:
    TestDialog(int h = 300, bool logo = true, bool status = true, wxWindow* parent = nullptr)
        : gui::Dialog(parent, L"Test dialog", 400, h, logo, status, true, false,
                      gui::NO_SCALE_WINDOW) {}
    TestDialog(const boost::weak_ptr<orbotk::Window>& parent)
        : gui::Dialog(parent, L"Child dialog", 300, 200, true, true, true, true,
                      gui::NO_SCALE_WINDOW) {}

    // Runs inside the content box, before the OK/Cancel pair.
    std::function<void(TestDialog&)> scene;
    bool withButtons = true, okEnabled = true;
    wxRect content;
    std::vector<bool> okResults, openedAtScene;
    int advancedPasses = 0;
    gui::TextState field{textFont_, L""};

    void doScene() override {
        const auto box = ui_->current();
        content = wxRect(box->x, box->y, box->w, box->h);
        openedAtScene.push_back(expandoOpened());
        if (scene)
            scene(*this);
        if (withButtons) {
            okResults.push_back(isOK(checkboxCheck_, okEnabled));
            if (okResults.back())
                EndModal(wxID_OK);
        }
    }
    void doAdvanced() override { ++advancedPasses; }

    void lineEdit() {
        Box b(ui_, FILL, 28.0f);
        doLineEdit(ControlID(L"field"), field, L"Name", 0.0f);
    }
    const boost::shared_ptr<orbotk::UIContext>& ui() const { return ui_; }
};

struct Open {
    boost::shared_ptr<TestDialog> dialog;
    Driver d;
    explicit Open(const boost::shared_ptr<TestDialog>& dlg) : dialog(dlg), d(dlg->window()) {
        const wxSize s = dlg->GetSize();
        d.resize(s.x, s.y);
        d.paint();
    }
    ~Open() {
        dialog->Close(true);
        wxTheApp->ProcessIdle();
    }
    // What ShowModal returns when act runs inside the loop, after a first paint.
    int modal(const std::function<void(Driver&)>& act) {
        dialog->postEval([this, act] {
            d.paint();
            act(d);
        });
        return dialog->ShowModal();
    }
};

bool hasControl(const Driver& d, const wchar_t* name) {
    try {
        d.rect(name);
        return true;
    } catch (const std::invalid_argument&) {
        return false;
    }
}

} // namespace

TEST(Dialog, ContentBoxFollowsTheBands) {
    Open with(boost::make_shared<TestDialog>(300));
    EXPECT_EQ(with.dialog->content, wxRect(23, 64, 352, 300 - 114));

    Open bare(boost::make_shared<TestDialog>(300, false, false));
    EXPECT_EQ(bare.dialog->content, wxRect(23, 18, 352, 300 - 44));
}

TEST(Dialog, OkAndCancelSitInTheContentCorner) {
    Open o(boost::make_shared<TestDialog>(300));
    const wxRect cancel = o.d.rect(L"DialogCancel"), ok = o.d.rect(L"DialogOK");
    EXPECT_EQ(cancel, wxRect(23 + 352 - 84, 64 + 186 - 4 - 30, 84, 30));
    EXPECT_EQ(ok, wxRect(cancel.x - 4 - 84, cancel.y, 84, 30));
}

TEST(Dialog, ModalLoopReturnsWhatClosedIt) {
    // OK by mouse, and by Return on the focused button.
    {
        Open o(boost::make_shared<TestDialog>());
        EXPECT_EQ(o.modal([](Driver& d) { d.click(L"DialogOK"); }), wxID_OK);
    }
    {
        Open o(boost::make_shared<TestDialog>());
        EXPECT_EQ(o.modal([](Driver& d) {
            d.focus(L"DialogOK");
            d.press(WXK_RETURN);
        }),
                  wxID_OK);
    }
    // Cancel, Escape with nothing focused and the close button all give the close result; isOK
    // is false in Cancel's pass.
    {
        Open o(boost::make_shared<TestDialog>());
        EXPECT_EQ(o.modal([](Driver& d) { d.click(L"DialogCancel"); }), wxID_CANCEL);
        EXPECT_FALSE(o.dialog->okResults.back());
    }
    {
        Open o(boost::make_shared<TestDialog>());
        o.dialog->window()->setEscapeResult(77);
        EXPECT_EQ(o.modal([](Driver& d) { d.press(WXK_ESCAPE); }), 77);
    }
    {
        Open o(boost::make_shared<TestDialog>());
        // The logo band's close button ends 32 pixels in from the right, 28 down.
        EXPECT_EQ(o.modal([](Driver& d) { d.click(400 - 32 - 4, 28 + 4); }), wxID_CANCEL);
    }
}

// Return released in a field activates OK, the dialog's default button, as in the desktop's
// own dialogs (Return used to mean nothing there); not while OK is disabled, and not in a text
// area, whose Return breaks the line.
TEST(Dialog, ReturnInAFieldActivatesOKWhileOKIsEnabled) {
    Open o(boost::make_shared<TestDialog>());
    gui::TextAreaState notes{testing_support::Host::textFont_, L""};
    bool area = false;
    o.dialog->scene = [&](TestDialog& t) {
        t.lineEdit();
        if (area) {
            Box b(t.ui(), FILL, 60.0f);
            b.setTop(30.0f);
            t.doTextArea(ControlID(L"notes"), notes);
        }
    };
    o.dialog->okEnabled = false;
    EXPECT_EQ(o.modal([&](Driver& d) {
        d.paint(); // the field takes the focus
        d.typeText(L"Ann");
        d.press(WXK_RETURN);
        EXPECT_TRUE(d.window()->IsModal()); // OK is disabled
        area = true;
        o.dialog->okEnabled = true;
        d.paint();
        d.focus(L"notes");
        d.press(WXK_RETURN);
        EXPECT_TRUE(d.window()->IsModal());
        EXPECT_EQ(notes.text(), L"\n");
        d.focus(L"field");
        d.press(WXK_RETURN);
    }),
              wxID_OK);
    EXPECT_EQ(o.dialog->field.text(), L"Ann");
}

TEST(Dialog, RealTypingAndReturnInAFieldActivateOK) {
    Open o(boost::make_shared<TestDialog>());
    o.dialog->scene = [](TestDialog& t) { t.lineEdit(); };
    EXPECT_EQ(o.modal([](Driver& d) {
        d.paint(); // the field takes the focus
        testing_support::realKeys(d, "type Ann");
        testing_support::realKeys(d, "key Return");
    }),
              wxID_OK);
    EXPECT_EQ(o.dialog->field.text(), L"Ann");
}

TEST(Dialog, EscapeInAFocusedFieldDropsItsSelectionFirstThenClosesTheDialog) {
    Open o(boost::make_shared<TestDialog>());
    o.dialog->scene = [](TestDialog& t) { t.lineEdit(); };
    o.dialog->window()->setEscapeResult(77);
    EXPECT_EQ(o.modal([](Driver& d) {
        d.paint(); // the field takes the focus
        d.typeText(L"abc");
        d.press(WXK_HOME, wxMOD_SHIFT);
        d.press(WXK_ESCAPE); // drops the selection
        d.paint();
        EXPECT_TRUE(d.window()->IsModal());
        d.press(WXK_ESCAPE); // nothing selected: the dialog's
    }),
              77);
    EXPECT_EQ(o.dialog->field.text(), L"abc");
}

TEST(Dialog, ExpandoResizesAtOnceAndOpensInTheNextPass) {
    auto dlg = boost::make_shared<TestDialog>(300);
    dlg->setExpandoHeight(120);
    dlg->setExpandoSplit(200);
    Open o(dlg);
    EXPECT_TRUE(dlg->expandoEnabled());
    EXPECT_EQ(dlg->expandoHeight(), 120);

    o.d.click(L"Show Advanced");
    EXPECT_EQ(dlg->GetSize(), wxSize(400, 420));
    EXPECT_FALSE(dlg->expandoOpened()); // the toggle's own pass is still collapsed
    EXPECT_EQ(dlg->advancedPasses, 0);
    o.d.resize(400, 420);
    o.d.paint();
    EXPECT_TRUE(dlg->openedAtScene.back());
    EXPECT_GT(dlg->advancedPasses, 0);
    EXPECT_TRUE(hasControl(o.d, L"Hide Advanced"));

    // Hiding the toggle keeps the section open.
    dlg->setExpandoVisible(false);
    int before = dlg->advancedPasses;
    o.d.paint();
    EXPECT_FALSE(hasControl(o.d, L"Hide Advanced"));
    EXPECT_EQ(dlg->advancedPasses, before + 1);

    dlg->openExpando(false);
    EXPECT_EQ(dlg->GetSize(), wxSize(400, 300));
    o.d.resize(400, 300);
    before = dlg->advancedPasses;
    o.d.paint();
    EXPECT_FALSE(dlg->expandoOpened());
    EXPECT_EQ(dlg->advancedPasses, before);
}

TEST(Dialog, NoExpandoNoToggleAndAStatusRule) {
    auto dlg = boost::make_shared<TestDialog>(300);
    dlg->setExpandoSplit(200);
    Open o(dlg);
    EXPECT_FALSE(dlg->expandoEnabled());
    EXPECT_FALSE(hasControl(o.d, L"Show Advanced"));
    // Without an expando the status band draws its rule; with one, the split line replaces it.
    const int rule = 300 - 24 - 24; // the status band ends 24 above the bottom
    const orbo::tk::RGBA ruled = o.d.pixel(100, rule - 1);
    dlg->setExpandoHeight(50);
    o.d.paint();
    EXPECT_NE(o.d.pixel(100, rule - 1).word, ruled.word);
    EXPECT_TRUE(hasControl(o.d, L"Show Advanced"));
}

TEST(Dialog, CopiesKeepEveryField) {
    auto dlg = boost::make_shared<TestDialog>(300);
    dlg->setExpandoHeight(80);
    dlg->setExpandoSplit(150);
    dlg->setExpandoText(L"More", L"Less");
    dlg->setExpandoVisible(false);
    gui::Dialog copy(*dlg);
    EXPECT_EQ(copy.expandoHeight(), 80);
    EXPECT_EQ(copy.expandoSplit(), 150);
    EXPECT_FALSE(copy.expandoVisible());
    TestDialog other(200);
    other.Close(true); // its own window goes; the assignment makes it another view of dlg's
    static_cast<gui::Dialog&>(other) = copy;
    EXPECT_EQ(other.expandoHeight(), 80);
    EXPECT_EQ(other.window(), dlg->window());
    dlg->Close(true);
    wxTheApp->ProcessIdle();
}

TEST(Dialog, ClosedInsideItsOwnPass) {
    Open o(boost::make_shared<TestDialog>());
    o.dialog->scene = [](TestDialog& t) {
        t.Close(false);
        t.Close(false);
    };
    EXPECT_EQ(o.modal([](Driver&) {}), wxID_CANCEL);
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(o.dialog->window());
    o.dialog->Refresh(); // a dialog whose window is gone does nothing
}

TEST(Dialog, ParentDestroyedFirst) {
    // Before the dialog runs: the dialog's window goes with its parent.
    {
        testing_support::Hosted parent(300, 200);
        auto dlg = boost::make_shared<TestDialog>(parent->window());
        parent->Close(true);
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(dlg->window());
        EXPECT_EQ(dlg->ShowModal(), wxID_CANCEL);
    }
    // While the dialog runs modally over it.
    {
        testing_support::Hosted parent(300, 200);
        auto dlg = boost::make_shared<TestDialog>(parent->window());
        auto host = parent.host;
        dlg->postEval([host] { host->Close(true); });
        EXPECT_EQ(dlg->ShowModal(), wxID_CANCEL);
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(dlg->window());
    }
}
