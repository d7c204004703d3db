// A small host, built against the installed package as users build theirs: a list window whose
// button asks for confirmation in a message box and whose row offers a popup menu, tested the
// way a host tests its own windows. The installed helpers answer the message box and pick the
// menu's item by its label, and a dialog that is never answered is ended when its time is up,
// failing the helper instead of hanging; a field reads right to left. Exits 0 when every step
// went as expected.
#include <gui/gui.h>
#include <orbotk/testing.h>

#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdio>
#include <vector>
#include <wx/app.h>

namespace {
class TodoWindow : public gui::AppWindow {
public:
    TodoWindow()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"consumer", 320, 240,
                         gui::NO_SCALE_WINDOW) {}
    int answer = 0;
    std::wstring picked;
    std::vector<PopupItem> menu{
        PopupItem(POPUP_NORMAL, L"Rename", nullptr, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_NORMAL, L"Delete", nullptr, nullptr, wxBitmap(), wxBitmap(), 0)};
    void doScene() override {
        {
            gui::Box button(ui_, 120.0f, 30.0f);
            if (doPushButton(orbotk::ControlID(L"delete done"), L"Delete done", true))
                postEval([this] {
                    answer = gui::messageBox(window(), L"Delete the done items?", L"Todo",
                                             wxYES_NO | wxICON_QUESTION);
                });
        }
        {
            gui::Box row(ui_, 200.0f, 24.0f, orbotk::ControlID(L"row"));
            row.setTop(40.0f);
            if (row.rightClicked()) {
                const auto it = doPopupMenu(menu);
                picked = it == menu.end() ? L"" : it->get<1>();
            }
        }
        gui::Box line(ui_, 300.0f, 30.0f);
        line.setTop(80.0f);
        doLineEdit(orbotk::ControlID(L"note"), note, L"Note", 0.0f);
    }
    gui::TextState note{textFont_, L""};
};

int failures = 0;
void check(bool ok, const char* what) {
    std::printf("consumer: %s: %s\n", what, ok ? "ok" : "FAILED");
    failures += ok ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    orbotk::Application app(argc, argv);
    auto w = boost::make_shared<TodoWindow>();
    w->Show();
    for (int i = 0; i < 300 && !w->window()->canvas()->IsShownOnScreen(); ++i)
        wxTheApp->Yield(true);
    orbotk::Driver d(w->window());
    d.resize(320, 240);
    d.paint();

    // The message box is answered from inside its loop.
    auto yes = orbotk::testing::answerNextModal([](orbotk::Driver& box) { box.click(L"Yes"); });
    d.click(L"delete done");
    d.flush();
    check(yes->acted && !yes->failed() && w->answer == wxYES, "message box answered Yes");

    // The popup menu's item is picked by its label, through the real menu.
    auto rename = orbotk::testing::pickNextMenuItem(L"Rename");
    const wxRect row = d.rect(L"row");
    d.mouseMove(row.x + 5, row.y + 5);
    d.rightDown(row.x + 5, row.y + 5);
    d.rightUp(row.x + 5, row.y + 5);
    check(rename->acted && !rename->failed() && w->picked == L"Rename", "menu item picked");

    // A dialog left unanswered fails its helper within the limit, and the test goes on.
    orbotk::testing::setFailureHandler([](const std::string&) {}); // expected below
    auto nothing =
        orbotk::testing::answerNextModal([](orbotk::Driver&) {}, std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    d.click(L"delete done");
    d.flush();
    const auto waited = std::chrono::steady_clock::now() - start;
    check(nothing->failed() && w->answer == wxID_ABORT, "an unanswered dialog is ended");
    check(waited < std::chrono::seconds(3), "within its time limit");

    // A field forced to read right to left: Left from its start goes into the text.
    w->note.setDirection(gui::TextDirection::RightToLeft);
    d.focus(L"note");
    d.typeText(L"\x5E9\x5DC\x5D5\x5DD");
    d.press(WXK_HOME);
    d.press(WXK_LEFT);
    check(w->note.caret() == 1 && w->note.rightToLeft(), "right-to-left field");
    check(w->note.modified() && w->note.changeCount() == 4, "the field counts its changes");

    // The window repainted after the keys by itself: one paint settles it, then none is owed.
    check(d.settle() == 1 && d.settle() == 0, "the window repaints after input on its own");
    w->requestRepaint();
    check(d.settle() == 1, "a repaint asked for from outside the input");

    w->Close(true);
    return failures == 0 ? 0 : 1;
}
