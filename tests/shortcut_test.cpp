// Keyboard shortcuts through the driver: the pass of the press, exact modifiers, the keys a
// focused text field keeps, the text forms, and the mistakes that are logged.
#include "gui/line_edit.h"
#include "gui/shortcut.h"
#include "harness.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

using testing_support::Host;
using testing_support::Hosted;

namespace {

// A window that asks for some shortcuts in every pass, beside a text field, and counts what
// it heard.
struct Shortcuts : Hosted {
    std::vector<std::wstring> keys;
    std::map<std::wstring, int> heard;
    gui::TextState field{Host::textFont_, L""};
    bool showField = true;
    bool loopFirst = false; // the next pass paints from a loop of its own before asking
    explicit Shortcuts(std::vector<std::wstring> k) : Hosted(300, 80), keys(std::move(k)) {
        host->scene = [this](Host& h) {
            gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
            if (std::exchange(loopFirst, false)) {
                const orbotk::UIContext::Suspension suspended(ui);
                driver->paint(); // as a menu's loop does while it is open
            }
            for (const std::wstring& k : keys)
                if (gui::shortcut(ui, k.c_str()))
                    ++heard[k];
            gui::Box row(h.ui(), gui::FILL, 30.0f);
            if (showField)
                gui::doLineEdit(ui, orbotk::ControlID(L"field"), field, L"Name", 0.0f);
        };
        driver->paint();
    }
};

TEST(Shortcut, HeardInThePassOfThePressWithExactlyItsModifiers) {
    Shortcuts w({L"Ctrl+S", L"ctrl+shift+s", L"F5", L"Alt+Return", L"Ctrl++"});
    w.showField = false; // nothing focused: every key is the window's
    w.driver->paint();
    w.driver->press('S', wxMOD_CONTROL);
    EXPECT_EQ(w.heard[L"Ctrl+S"], 1); // the key up and the character are no second press
    EXPECT_EQ(w.heard[L"ctrl+shift+s"], 0);
    w.driver->press('S', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(w.heard[L"ctrl+shift+s"], 1);
    EXPECT_EQ(w.heard[L"Ctrl+S"], 1);
    w.driver->press('S');
    w.driver->press(WXK_F5);
    w.driver->press(WXK_RETURN, wxMOD_ALT);
    w.driver->press('+', wxMOD_CONTROL);
    EXPECT_EQ(w.heard[L"F5"], 1);
    EXPECT_EQ(w.heard[L"Alt+Return"], 1);
    EXPECT_EQ(w.heard[L"Ctrl++"], 1);
    EXPECT_EQ(w.heard[L"Ctrl+S"], 1);
}

TEST(Shortcut, AFocusedTextFieldKeepsItsEditingKeysAndNoOthers) {
    Shortcuts w({L"Ctrl+A", L"Ctrl+Z", L"Home", L"Ctrl+S", L"F2", L"Alt+F"});
    w.driver->focus(L"field");
    w.driver->typeText(L"abc");
    for (int key : {int('A'), int('Z'), int('S')})
        w.driver->press(key, wxMOD_CONTROL);
    w.driver->press(WXK_HOME);
    w.driver->press(WXK_F2);
    w.driver->press('F', wxMOD_ALT);
    EXPECT_EQ(w.heard[L"Ctrl+A"], 0);
    EXPECT_EQ(w.heard[L"Ctrl+Z"], 0);
    EXPECT_EQ(w.heard[L"Home"], 0);
    EXPECT_EQ(w.heard[L"Ctrl+S"], 1);
    EXPECT_EQ(w.heard[L"F2"], 1);
    EXPECT_EQ(w.heard[L"Alt+F"], 1);
    EXPECT_EQ(w.field.text(), L""); // the field had its undo (the typing was one edit)
    // Without the focus in the field, the same keys are the window's.
    w.showField = false;
    w.driver->paint();
    w.driver->press('A', wxMOD_CONTROL);
    w.driver->press(WXK_HOME);
    EXPECT_EQ(w.heard[L"Ctrl+A"], 1);
    EXPECT_EQ(w.heard[L"Home"], 1);
}

TEST(Shortcut, MistakesAreLoggedOnceAndHeardNever) {
    testing_support::LogCapture log;
    Shortcuts w({L"Ctrl+S", L"Ctrl+s", L"Ctrl+Hyper", L"Ctrl+"});
    w.driver->press('S', wxMOD_CONTROL);
    EXPECT_EQ(w.heard[L"Ctrl+S"], 1);
    EXPECT_EQ(w.heard[L"Ctrl+s"], 0);
    const std::string text = log.text();
    const auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("\"Ctrl+s\" is asked for twice in one pass"), 1u) << text;
    EXPECT_EQ(count("\"Ctrl+Hyper\" names no key"), 1u) << text;
    EXPECT_EQ(count("\"Ctrl+\" names no key"), 1u) << text;
}

TEST(Shortcut, APassThatRanALoopStillHearsItsShortcut) {
    testing_support::LogCapture log;
    Shortcuts w({L"Ctrl+S"});
    w.showField = false;
    w.loopFirst = true; // the pass of the press paints from a loop, then asks
    w.driver->press('S', wxMOD_CONTROL);
    EXPECT_EQ(w.heard[L"Ctrl+S"], 1);
    EXPECT_EQ(log.text().find("asked for twice"), std::string::npos) << log.text();
}

TEST(Shortcut, TextAsMenusShowIt) {
    EXPECT_EQ(gui::shortcutText(L"shift+ctrl+s"), L"Ctrl+Shift+S");
    EXPECT_EQ(gui::shortcutText(L"alt+enter"), L"Alt+Return");
    EXPECT_EQ(gui::shortcutText(L"f12"), L"F12");
    EXPECT_EQ(gui::shortcutText(L"Ctrl++"), L"Ctrl+Plus");
    EXPECT_EQ(gui::shortcutText(L"Ctrl+F25"), L"");
    EXPECT_EQ(gui::shortcutText(nullptr), L"");
}

} // namespace
