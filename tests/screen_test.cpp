// What the screen shows after real input: a window on the X server, given pointer and keys by
// xdotool, read back from the server's root window (never from the library's frame). After
// each action the screen must already be what a fresh repaint would show, and differ from
// what it showed before: a change that needs a repaint nobody asked for fails here.
#include "gui/list_view.h"
#include "gui/shortcut.h"
#include "gui/text_area.h"
#include "widget_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;
using testing_support::settle;
using testing_support::waitFor;

namespace {

typedef std::vector<unsigned long> Pixels;

// A small notes window: a list (short enough to need no scroll bar, which repaints on
// every release), a checkbox, a status the host sets from its own key handling
// (Ctrl+S), a text area and a slider.
struct OnScreen : ::testing::Test {
    Hosted win{440, 260};
    gui::ListState list;
    std::set<int> selection;
    bool checked = false;
    std::wstring status = L"new";
    gui::TextAreaState notes{win->textFont_, L"notes"};
    float value = 0.0f, preview = 0.0f;

    void SetUp() override {
        win->scene = [this](Host& h) {
            {
                Box at(h.ui(), 200.0f, 160.0f);
                at.setPos(10.0f, 10.0f);
                gui::ListOptions options;
                options.label = [](int row) { return L"row " + std::to_wstring(row); };
                h.doList(
                    ControlID(L"rows"), list, 6, selection, [](int, bool) {}, options);
            }
            {
                Box at(h.ui(), 160.0f, 26.0f);
                at.setPos(230.0f, 10.0f);
                h.doCheckbox(ControlID(L"check"), checked, L"Done", L"", L"", true);
            }
            if (gui::shortcut(static_cast<gui::AppWindow&>(h).ui(), L"Ctrl+S")) {
                status = L"saved";
                notes.setModified(false);
            }
            {
                Box at(h.ui(), 160.0f, 20.0f);
                at.setPos(230.0f, 44.0f);
                h.doLabel(status.c_str());
            }
            {
                Box at(h.ui(), 180.0f, 80.0f);
                at.setPos(230.0f, 70.0f);
                h.doTextArea(ControlID(L"notes"), notes);
                if (notes.edited())
                    status = L"modified";
            }
            {
                Box at(h.ui(), 180.0f, 32.0f);
                at.setPos(230.0f, 170.0f);
                h.doHSlider(ControlID(L"s"), value, preview, 0.0f, 100.0f, nullptr, true);
            }
        };
        win->Show(true);
        ASSERT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
        ASSERT_TRUE(win->window()->presentsDirectly());
        settle();
        // xdotool's pointer starts wherever the last test left it: park it off the window.
        xdotool("mousemove 1200 1000");
        settle();
    }

    // The window closes after the state its scene reads is gone: it draws nothing by then.
    void TearDown() override { win->scene = nullptr; }

    orbotk::Driver& d() { return *win.driver; }

    static void xdotool(const std::string& args) {
        const std::string cmd = "xdotool " + args;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
    // Window coordinates to the X server's.
    std::string at(int x, int y) {
        const wxPoint p = win->window()->canvas()->ClientToScreen(wxPoint(x, y));
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }
    std::string at(const wxRect& r) { return at(r.x + r.width / 2, r.y + r.height / 2); }

    // The window's client area as the X server holds it.
    Pixels screen() {
        Pixels pixels;
        Display* dpy = XOpenDisplay(nullptr);
        const wxPoint p = win->window()->canvas()->GetScreenPosition();
        const int w = d().width(), h = d().height();
        if (XImage* image =
                XGetImage(dpy, DefaultRootWindow(dpy), p.x, p.y, static_cast<unsigned>(w),
                          static_cast<unsigned>(h), AllPlanes, ZPixmap)) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFFu);
            XDestroyImage(image);
        }
        XCloseDisplay(dpy);
        return pixels;
    }

    // The screen already shows what a repaint now would: the repaint is forced, and must
    // change nothing.
    void expectCurrent() {
        settle();
        waitFor([&] { return !win->window()->paintDue(); }); // a loaded machine lags
        settle();
        const Pixels shown = screen();
        win->window()->repaint();
        settle();
        EXPECT_TRUE(shown == screen()) << "the screen was stale until repainted";
    }
    // After an action: the screen changed from before, and is current.
    void expectScreenFollowed(const Pixels& before) {
        waitFor([&] { return screen() != before; });
        EXPECT_NE(screen(), before) << "the screen did not change";
        expectCurrent();
    }
};

} // namespace

TEST_F(OnScreen, AListRowShowsTheHoverUnderARealPointer) {
    const Pixels before = screen();
    xdotool("mousemove " + at(d().itemRect(L"rows", 2)));
    expectScreenFollowed(before);
    const Pixels third = screen();
    xdotool("mousemove " + at(d().itemRect(L"rows", L"row 4"))); // another row, one hot box
    expectScreenFollowed(third);
}

TEST_F(OnScreen, ACheckboxShowsItsPressWhileHeldAndItsTickAfter) {
    const std::string box = at(d().rect(L"check"));
    xdotool("mousemove " + box);
    settle();
    const Pixels before = screen();
    xdotool("mousedown 1");
    expectScreenFollowed(before);
    const Pixels pressed = screen();
    xdotool("mouseup 1");
    ASSERT_TRUE(waitFor([&] { return checked; }));
    expectScreenFollowed(pressed);
}

TEST_F(OnScreen, StateTheHostChangesInItsKeyHandlingShows) {
    xdotool("mousemove " + at(20, 240)); // the window has the keyboard; nothing is focused
    xdotool("click 1");
    settle();
    const Pixels before = screen();
    xdotool("key ctrl+s");
    ASSERT_TRUE(waitFor([&] { return status == L"saved"; }));
    expectScreenFollowed(before);
}

// Typing marks the notes modified; Ctrl+S, which the text area has no use for, saves them.
TEST_F(OnScreen, TypingInATextAreaAndSavingWhileItHasTheKeysShow) {
    xdotool("mousemove " + at(d().rect(L"notes")) + " click 1");
    settle();
    Pixels before = screen();
    xdotool("key End type ab");
    ASSERT_TRUE(waitFor([&] { return notes.text() == L"notesab"; }));
    EXPECT_TRUE(notes.modified());
    EXPECT_EQ(status, L"modified");
    expectScreenFollowed(before);
    before = screen();
    xdotool("key ctrl+s");
    ASSERT_TRUE(waitFor([&] { return !notes.modified(); }));
    EXPECT_EQ(notes.text(), L"notesab");
    expectScreenFollowed(before);
}

// On a keyboard whose first layout is Russian, Ctrl with the key that types "ы" there (S in
// the keyboard's Latin layout) is Ctrl+S, as the platform's own accelerators have it.
TEST_F(OnScreen, AShortcutIsHeardOnAKeyboardLayoutOfAnotherScript) {
    xdotool("mousemove " + at(20, 240));
    xdotool("click 1");
    settle();
    ASSERT_EQ(std::system("setxkbmap -layout ru,us"), 0);
    struct Restore {
        ~Restore() { std::system("setxkbmap -layout us"); }
    } restore;
    xdotool("key ctrl+Cyrillic_yeru");
    EXPECT_TRUE(waitFor([&] { return status == L"saved"; }));
}

// A drag dropped far from the slider changes nothing: the knob goes back where it was.
TEST_F(OnScreen, ASliderFollowsARealDragAndADropOutsideItsArea) {
    xdotool("mousemove " + at(d().rect(L"sdragger")));
    settle();
    const Pixels before = screen();
    xdotool("mousedown 1 mousemove_relative 60 0");
    ASSERT_TRUE(waitFor([&] { return preview > 10.0f; }));
    expectScreenFollowed(before);
    xdotool("mousemove_relative 0 100");
    settle();
    const Pixels dragged = screen();
    xdotool("mouseup 1");
    ASSERT_TRUE(waitFor([&] { return !d().context()->pressing(); }));
    EXPECT_EQ(value, 0.0f);
    expectScreenFollowed(dragged);
}
