// The platform's input method with real keys (xdotool) under Xvfb, through GTK's own simple
// method: a character composed by Ctrl+Shift+U and its hex digits, shown as a pre-edit at the
// caret while it is composed and typed as one edit when Space commits it; an accented letter
// from a dead key; a string committed whole; and a password field that composes nothing.
#include "gui/box.h"
#include "widget_host.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <gdk/gdkx.h>
#include <gtest/gtest.h>
#include <string>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;
using testing_support::waitFor;

namespace {

// The method is chosen when the canvas first needs one, after this has run.
const bool simpleMethod = setenv("GTK_IM_MODULE", "gtk-im-context-simple", 1) == 0;

// Gives a keycode without symbols the dead acute for as long as it lives, so that xdotool
// presses a key the keyboard has rather than one it maps for a moment (which GTK may read
// after the mapping is gone).
struct DeadAcute {
    Display* display = gdk_x11_get_default_xdisplay();
    int keycode = 0;
    DeadAcute() {
        int min = 0, max = 0, per = 0;
        XDisplayKeycodes(display, &min, &max);
        KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(min), max - min + 1, &per);
        for (int k = max; k >= min && keycode == 0; --k)
            if (map[(k - min) * per] == NoSymbol)
                keycode = k;
        XFree(map);
        KeySym sym = XK_dead_acute;
        XChangeKeyboardMapping(display, keycode, 1, &sym, 1);
        XSync(display, False);
        testing_support::settle(); // GTK hears of the new mapping
    }
    ~DeadAcute() {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(display, keycode, 1, &none, 1);
        XSync(display, False);
    }
};

void keys(const std::string& what) {
    ASSERT_EQ(std::system(("xdotool " + what).c_str()), 0) << what;
}

// A shown window with a plain field and a password field, one above the other.
struct Fields {
    gui::TextState plain{Host::textFont_, L""};
    gui::PasswordState secret{Host::textFont_};
    Hosted win{320, 100}; // closed before the states it shows go
    Fields() {
        win->scene = [this](Host& h) {
            Box top(h.ui(), 300.0f, 30.0f);
            top.setPos(10.0f, 10.0f);
            h.doLineEdit(ControlID(L"plain"), plain, nullptr, 0.0f);
            Box bottom(h.ui(), 300.0f, 30.0f);
            bottom.setPos(10.0f, 50.0f);
            h.doLineEdit(ControlID(L"secret"), secret, nullptr, 0.0f);
        };
        win->Show(true);
        EXPECT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
        testing_support::settle();
    }
    void clickInto(const wchar_t* name) {
        const wxRect r = win.driver->rect(name);
        const wxPoint at = win->window()->canvas()->ClientToScreen(wxPoint(r.x + 20, r.y + 8));
        keys("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1");
        EXPECT_TRUE(waitFor([&] { return win.driver->context()->focusedID().name() == name; }));
    }
    const std::wstring& preedit() { return win.driver->context()->preedit(); }
};

} // namespace

TEST(InputMethod, AComposedCharacterIsShownAtTheCaretThenTypedAsOneEdit) {
    ASSERT_TRUE(simpleMethod);
    Fields f;
    f.clickInto(L"plain");
    keys("type a");
    ASSERT_TRUE(waitFor([&] { return f.plain.text() == L"a"; }));
    // The candidate window goes to the caret: after the "a", one pixel into the field.
    int x = 0, y = 0;
    const wxRect field = f.win.driver->rect(L"plain");
    EXPECT_TRUE(
        waitFor([&] { return f.win.driver->context()->textCaret(x, y) && x > field.x + 1; }));
    EXPECT_LT(x, field.x + 20);
    EXPECT_EQ(y, field.y + 1);
    keys("key ctrl+shift+u 4 e 2 d 3 BackSpace");
    EXPECT_TRUE(waitFor([&] { return f.preedit() == L"u4e2d"; })) << f.preedit().size();
    EXPECT_EQ(f.plain.text(), L"a"); // composing is not typing, and its Backspace is its own
    keys("key space");
    EXPECT_TRUE(waitFor([&] { return f.plain.text() == L"a\u4e2d"; }));
    EXPECT_TRUE(f.preedit().empty());

    DeadAcute dead;
    ASSERT_NE(dead.keycode, 0);
    keys("key dead_acute e");
    EXPECT_TRUE(waitFor([&] { return f.plain.text() == L"a\u4e2d\u00e9"; }))
        << static_cast<int>(f.plain.text().back());
}

TEST(InputMethod, APasswordFieldComposesNothing) {
    Fields f;
    f.clickInto(L"secret");
    keys("key ctrl+shift+u 4 e 2 d");
    testing_support::settle();
    EXPECT_TRUE(f.preedit().empty());
    keys("key space");
    EXPECT_TRUE(waitFor([&] { return f.secret.password() == L"4e2d "; }));
    // Back in the plain field the method composes again.
    f.clickInto(L"plain");
    keys("key ctrl+shift+u 4 e");
    EXPECT_TRUE(waitFor([&] { return f.preedit() == L"u4e"; }));
    keys("key Escape"); // the method drops it; the field keeps its text
    EXPECT_TRUE(waitFor([&] { return f.preedit().empty(); }));
    EXPECT_EQ(f.plain.text(), L"");
}

// Methods that convert whole words (ibus, fcitx) commit several characters at once: the
// platform delivers them one character event each, and the field types them as one edit.
TEST(InputMethod, AStringCommittedWholeIsTypedAsOneEditWithinTheMaximumLength) {
    Fields f;
    f.clickInto(L"plain");
    keys("type ab");
    ASSERT_TRUE(waitFor([&] { return f.plain.text() == L"ab"; }));
    GtkIMContext* im = f.win->window()->canvas()->m_imContext;
    ASSERT_NE(im, nullptr);
    g_signal_emit_by_name(im, "commit", "\xE4\xB8\xAD\xE6\x96\x87!"); // 中文!
    EXPECT_EQ(f.plain.text(), L"ab\u4e2d\u6587!");
    EXPECT_TRUE(f.win.driver->context()->committed().empty());
    f.win.driver->press('Z', wxMOD_CONTROL); // the commit alone goes
    EXPECT_EQ(f.plain.text(), L"ab");
    f.plain.setMaxLen(4);
    g_signal_emit_by_name(im, "commit", "xyz");
    EXPECT_EQ(f.plain.text(), L"abxy");
}
