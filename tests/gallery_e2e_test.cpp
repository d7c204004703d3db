// End to end: the gallery's form, shown on the (virtual) screen and typed into with real X
// events (XTest, through wxUIActionSimulator), then read back from the text states.
#include "../examples/gallery/gallery.h"
#include "widget_host.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

using testing_support::settle;
using testing_support::waitFor;

namespace {
// The gallery on the given page (from 0), shown on the screen and settled there; empty when it
// did not come up.
boost::shared_ptr<gallery::Gallery> shownGallery(int page) {
    auto gallery = boost::make_shared<gallery::Gallery>(page);
    gallery->Show(true);
    if (!waitFor([&] { return gallery->window()->canvas()->IsShownOnScreen(); }))
        return nullptr;
    settle();
    return gallery;
}
} // namespace

TEST(GalleryForm, TypingSelectionWordMovesAndTheClipboardWorkWithRealKeys) {
    auto gallery = shownGallery(3); // the form page
    ASSERT_TRUE(gallery);
    wxWindow* canvas = gallery->window()->canvas();

    // The name field: content at (23, 64), the page 62 below, the field 126 in and 4 down.
    wxUIActionSimulator sim;
    const wxPoint name = canvas->ClientToScreen(wxPoint(23 + 200, 64 + 62 + 14));
    sim.MouseMove(name);
    settle();
    sim.MouseClick();
    settle();
    sim.Text("hello world");
    ASSERT_TRUE(waitFor([&] { return gallery->formField(0).text() == L"hello world"; }))
        << "typed: " << gallery->formField(0).text();

    // Ctrl+Left to the start of "world", Shift+End to select it, Ctrl+X to cut it.
    sim.Char(WXK_LEFT, wxMOD_CONTROL);
    sim.Char(WXK_END, wxMOD_SHIFT);
    ASSERT_TRUE(waitFor([&] { return gallery->formField(0).selection() == L"world"; }));
    sim.Char('x', wxMOD_CONTROL);
    ASSERT_TRUE(waitFor([&] { return gallery->formField(0).text() == L"hello "; }));

    // Tab to the digits field: letters are refused, six digits at most.
    sim.Char(WXK_TAB);
    sim.Text("12a345678");
    ASSERT_TRUE(waitFor([&] { return gallery->formField(1).text() == L"123456"; }))
        << "digits: " << gallery->formField(1).text();

    // Tab to the password field.
    sim.Char(WXK_TAB);
    sim.Text("pw");
    auto& secret = static_cast<gui::PasswordState&>(gallery->formField(2));
    ASSERT_TRUE(waitFor([&] { return secret.password() == L"pw"; }));
    EXPECT_EQ(secret.text(), L"**");

    // Paste what was cut into the last field, reached by a click.
    const wxPoint note = canvas->ClientToScreen(wxPoint(23 + 300, 64 + 62 + 34 * 5 + 14));
    sim.MouseMove(note);
    settle();
    sim.MouseClick();
    settle();
    sim.Char('v', wxMOD_CONTROL);
    ASSERT_TRUE(waitFor([&] { return gallery->formField(5).text() == L"world"; }))
        << "pasted: " << gallery->formField(5).text();

    gallery->Close(true);
    settle();
}

TEST(GalleryForm, TheDigitThatSwitchesToTheFormIsNotTypedIntoItsField) {
    auto gallery = shownGallery(0);
    ASSERT_TRUE(gallery);
    const std::wstring name = gallery->formField(0).text();
    wxUIActionSimulator sim;
    sim.Char('4');
    ASSERT_TRUE(waitFor([&] { return gallery->page() == 3; }));
    settle();
    EXPECT_EQ(gallery->formField(0).text(), name);
    sim.Char('x'); // the field the page focused takes what follows
    EXPECT_TRUE(waitFor([&] { return gallery->formField(0).text() == name + L"x"; }))
        << "typed: " << gallery->formField(0).text();
    gallery->Close(true);
    settle();
}

// The list of checkable rows under a real pointer: the wheel over a row's checkbox scrolls the
// list, and a right click on one opens the row's menu, whose item is picked by its label.
TEST(GalleryList, TheWheelOverACheckboxScrollsAndARightClickOpensTheRowsMenu) {
    auto gallery = shownGallery(2); // the controls page
    ASSERT_TRUE(gallery);
    wxWindow* canvas = gallery->window()->canvas();
    orbotk::Driver d(gallery->window());
    const auto xdotool = [&](const wxRect& r, const std::string& what) {
        const wxPoint at = canvas->ClientToScreen(wxPoint(r.x + 8, r.y + r.height / 2));
        const std::string cmd =
            "xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " " + what;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    };
    xdotool(d.rect(L"row 3"), "click 5 click 5"); // two notches down, over the checkbox
    ASSERT_TRUE(waitFor([&] { return gallery->firstListRow() == 6; })) << gallery->firstListRow();
    EXPECT_FALSE(gallery->rowDone(2));

    auto picked = orbotk::testing::pickNextMenuItem(L"Done");
    d.paint();
    xdotool(d.rect(L"row 8"), "click 3");
    EXPECT_TRUE(waitFor([&] { return gallery->rowDone(7); }));
    EXPECT_TRUE(picked->acted);
    EXPECT_FALSE(picked->failed()) << picked->failure;
    gallery->Close(true);
    settle();
}

// The lists page: a task renamed in place by a double click, two deleted through a row's menu,
// and notes typed over two lines.
TEST(GalleryLists, TasksAreRenamedInPlaceDeletedByTheirMenuAndNotesTaken) {
    auto gallery = shownGallery(9);
    ASSERT_TRUE(gallery);
    orbotk::Driver d(gallery->window());
    d.resize(gallery->GetSize().x, gallery->GetSize().y);
    d.paint();
    const wxRect list = d.rect(L"tasks");
    const int x = list.x + 295, row = 24, top = list.y + 1 + row / 2; // right of the captions
    d.leftDoubleClick(x, top + row);                                  // the second task
    d.paint();
    d.typeText(L"Renamed");
    d.press(WXK_RETURN);
    d.paint();
    EXPECT_EQ(gallery->taskNames()[1], L"Renamed");
    d.click(x, top);
    d.mouseEvent(wxEVT_LEFT_DOWN, x, top + row, true, false, false, wxMOD_SHIFT);
    d.mouseEvent(wxEVT_LEFT_UP, x, top + row, false, false, false, wxMOD_SHIFT);
    auto pick = orbotk::testing::pickNextMenuItem(L"Delete selected");
    d.rightDown(x, top);
    d.rightUp(x, top);
    d.paint();
    EXPECT_FALSE(pick->failed()) << pick->failure;
    ASSERT_EQ(gallery->taskNames().size(), 198u);
    EXPECT_EQ(gallery->taskNames()[0], L"Test the release notes #3");
    d.click(L"notes");
    d.press(WXK_END, wxMOD_CONTROL);
    d.press(WXK_RETURN);
    d.typeText(L"Two lines.");
    EXPECT_NE(gallery->notes().text().find(L"\nTwo lines."), std::wstring::npos);
    gallery->Close(true);
    settle();
}

TEST(GalleryDialogs, WhatEachDialogAnsweredShowsOnThePage) {
    auto gallery = boost::make_shared<gallery::Gallery>(8); // the dialogs page
    orbotk::Driver d(gallery->window());
    d.resize(gallery->GetSize().x, gallery->GetSize().y);
    d.paint();
    auto open = [&](const wchar_t* caption) {
        d.click(std::wstring(L"dialog:") + caption);
        d.flush(); // the dialog runs its modal loop here, answered from inside it
        d.paint();
    };

    testing_support::answerNextModal(L"No");
    open(L"Warning");
    EXPECT_EQ(gallery->dialogAnswer(L"Warning"), L"Answered No");
    testing_support::answerNextModal(L""); // the close button: as Cancel would
    open(L"Long message");
    EXPECT_EQ(gallery->dialogAnswer(L"Long message"), L"Answered Cancel (or closed)");

    testing_support::onNextModal([](orbotk::Driver& m) {
        m.click(L"account:name");
        m.typeText(L"Ada");
        m.click(L"account:subscribe");
        m.paint();
        m.click(L"DialogOK");
    });
    open(L"Account form");
    EXPECT_EQ(gallery->dialogAnswer(L"Account form"), L"OK: Ada <>, not subscribed");

    testing_support::onNextModal([](orbotk::Driver& m) {
        m.click(L"Show Advanced");
        m.resize(m.window()->GetSize().x, m.window()->GetSize().y);
        m.paint();
        m.click(L"settings:verbose");
        m.press(WXK_ESCAPE); // nothing focused: Escape closes
    });
    open(L"Settings");
    EXPECT_EQ(gallery->dialogAnswer(L"Settings"), L"Cancelled");

    gallery->Close(true);
    d.flush();
}

TEST(GalleryMenus, ButtonAndContextMenusFlipTheirCheckItemsWithRealInput) {
    auto gallery = shownGallery(8); // the dialogs and menus page
    ASSERT_TRUE(gallery);
    wxWindow* canvas = gallery->window()->canvas();
    // Keys go to a menu once it has shown and taken its grab.
    std::vector<int> keys;
    wxTimer typist;
    typist.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxUIActionSimulator sim;
        for (int key : keys)
            sim.Char(key);
    });
    gallery->window()->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        e.Skip();
        typist.StartOnce(150);
    });
    wxUIActionSimulator sim;
    // The menus column: 420 into the page, which is 62 below the content at (23, 64).
    const wxPoint column = canvas->ClientToScreen(wxPoint(23 + 420, 64 + 62));

    // New window, Open..., (separator), Show toolbar.
    keys = {WXK_DOWN, WXK_DOWN, WXK_DOWN, WXK_RETURN};
    sim.MouseMove(column + wxPoint(60, 24 + 15));
    settle();
    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return gallery->dialogAnswer(L"Menu") == L"Picked Show toolbar"; }))
        << "answer: " << gallery->dialogAnswer(L"Menu");

    // Cut, Copy, (Paste is disabled), (separator), Word wrap.
    keys = {WXK_DOWN, WXK_DOWN, WXK_DOWN, WXK_RETURN};
    sim.MouseMove(column + wxPoint(150, 96 + 60));
    settle();
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(waitFor([&] { return gallery->dialogAnswer(L"Menu") == L"Picked Word wrap"; }))
        << "answer: " << gallery->dialogAnswer(L"Menu");

    gallery->Close(true);
    settle();
}

// The Data page through the driver: the log sorted by its Level title, and a folder of the
// shared-data folder, chosen in the tree, shown in the tree table beside it.
TEST(GalleryData, TheLogSortsAndAFolderChosenInTheTreeShowsBesideIt) {
    auto gallery = boost::make_shared<gallery::Gallery>(10);
    orbotk::Driver d(gallery->window());
    d.resize(800, 600);
    d.paint();
    const auto firstCell = [&](const std::wstring& table, int column) {
        d.itemRect(table, 0); // describes the window, and fails when the row is not there
        d.paint();
        for (const orbotk::Described& c : d.context()->described())
            if (c.description->role == orbotk::Role::TableCell && c.description->index == 0 &&
                c.description->column == column && d.rect(table).Contains(c.x, c.y))
                return c.description->name;
        return std::wstring(L"(none)");
    };
    EXPECT_EQ(firstCell(L"log", 1), L"info");
    const wxRect header = d.rect(L"log:header");
    d.click(header.x + 90 + 35, header.y + 10); // Level: by severity, debug first
    EXPECT_EQ(firstCell(L"log", 1), L"debug");
    d.click(header.x + 90 + 35, header.y + 10);
    EXPECT_EQ(firstCell(L"log", 1), L"error");

    // The second folder of /usr/share, as the tree lists them (by name).
    std::vector<std::string> folders;
    for (const auto& e : std::filesystem::directory_iterator("/usr/share"))
        if (e.is_directory() && !e.is_symlink())
            folders.push_back(e.path().filename().string());
    std::sort(folders.begin(), folders.end());
    ASSERT_GE(folders.size(), 2u);
    d.clickItem(L"folders", 2);
    std::vector<std::string> inside;
    for (const auto& e : std::filesystem::directory_iterator("/usr/share/" + folders[1]))
        inside.push_back((e.is_directory() && !e.is_symlink() ? "0" : "1") +
                         e.path().filename().string());
    std::sort(inside.begin(), inside.end());
    ASSERT_FALSE(inside.empty());
    EXPECT_EQ(firstCell(L"details", 0), std::wstring(inside[0].begin() + 1, inside[0].end()));
    gallery->Close(true);

    // Names are shown whatever bytes they hold (the plain C locale decodes none but ASCII).
    gallery::Entry named;
    named.path = "/usr/share/ca-certificates/F\xC5\x91tan\xFA";
    EXPECT_EQ(named.name(), L"F\u0151tan\uFFFD");
}
