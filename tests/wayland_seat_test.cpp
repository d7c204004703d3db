// A window on a Wayland desktop that has a real seat: weston's output is a window on an X
// server of the test's own, whose pointer (driven by xdotool) is the compositor's pointer. What
// the compositor shows is read back from that X server. The window is dragged by its title
// band, as a user moves a window, and a double click on the band maximises it.
#include "display_server.h"
#include "widget_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <orbotk/application.h>
#include <string>

using testing_support::Host;
using testing_support::settle;
using testing_support::waitFor;

namespace {

int outputScale = 1;

// Where the window's content (filled with a magenta of its own) is on the compositor's output,
// in device pixels; empty when it is not there.
wxRect content() {
    Display* dpy = XOpenDisplay(nullptr);
    const int w = 1280, h = 1024; // the compositor's output
    XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; image && y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            if (r > 200 && g < 100 && b > 200) {
                x0 = std::min(x0, x), y0 = std::min(y0, y);
                x1 = std::max(x1, x), y1 = std::max(y1, y);
            }
        }
    if (image)
        XDestroyImage(image);
    XCloseDisplay(dpy);
    return x1 < 0 ? wxRect() : wxRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
}

// Waits until what the output shows stops changing, and returns it.
wxRect settled() {
    wxRect now = content(), was;
    for (int i = 0; i < 50 && (now != was || now.IsEmpty()); ++i) {
        settle();
        was = now;
        now = content();
    }
    return now;
}

struct Shown : ::testing::Test {
    testing_support::Hosted win{360, 240, true};
    void SetUp() override {
        win->scene = [](Host& h) { gui::render(h.ui(), orbo::tk::RGBA(255, 0, 255, 255)); };
        win->setResizable(300, 200);
        win->Show(true);
        ASSERT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
    }
    void TearDown() override { win->scene = nullptr; }
    // The window on the output, once it hears the pointer. The compositor takes the pointer
    // as it enters the output's window, and may miss that while it starts on a loaded machine:
    // the pointer leaves the output and comes back over the window until the window hears it.
    wxRect ready() {
        const wxRect c = settled();
        const auto ui = win->window()->context();
        for (int i = 0; i < 10 && !c.IsEmpty() && ui->mouseX() < 0; ++i) {
            xdotool("mousemove 1390 1090 mousemove " + std::to_string(c.x + c.width / 2) + " " +
                    std::to_string(c.y + c.height / 2));
            waitFor([&] { return ui->mouseX() >= 0; });
        }
        return ui->mouseX() >= 0 ? c : wxRect();
    }
    // A point of the title band, beside the logo: the content's top left, 40 logical pixels
    // up and 60 right.
    static std::string onTitle(const wxRect& c) {
        return std::to_string(c.x + 60 * outputScale) + " " +
               std::to_string(c.y - 40 * outputScale);
    }
};

} // namespace

TEST_F(Shown, DraggingTheTitleBandMovesTheWindow) {
    const wxRect before = ready();
    ASSERT_FALSE(before.IsEmpty()) << "the window is not on the output, or hears no pointer";
    // Paced as a hand moves: the press reaches the window, and so does the motion past the
    // drag threshold, from which on the desktop moves the window with the pointer.
    const auto ui = win->window()->context();
    xdotool("mousemove " + onTitle(before) + " mousedown 1");
    ASSERT_TRUE(waitFor([&] { return ui->clickCount() == 1; }));
    const int pressed = ui->mouseX();
    xdotool("mousemove_relative 20 10");
    ASSERT_TRUE(waitFor([&] { return ui->mouseX() == pressed + 20 / outputScale; }));
    settle();
    for (int i = 0; i < 5; ++i)
        xdotool("mousemove_relative 20 10");
    xdotool("mouseup 1");
    const wxRect after = settled();
    EXPECT_EQ(after.GetSize(), before.GetSize());
    EXPECT_NEAR(after.x - before.x, 120, 2);
    EXPECT_NEAR(after.y - before.y, 60, 2);
}

TEST_F(Shown, ADoubleClickOnTheTitleBandMaximisesAndRestores) {
    const wxRect before = ready();
    ASSERT_FALSE(before.IsEmpty()) << "the window is not on the output, or hears no pointer";
    // A loaded compositor may stamp the two clicks further apart than a double click's time,
    // as a slow hand does: the user clicks twice again.
    const auto doubleClick = [&](const wxRect& c, bool maximised) {
        for (int i = 0; i < 3; ++i) {
            xdotool("mousemove " + onTitle(c) + " click --repeat 2 --delay 60 1");
            if (waitFor([&] { return win->window()->IsMaximized() == maximised; }))
                return true;
        }
        return false;
    };
    ASSERT_TRUE(doubleClick(before, true));
    const wxRect maximised = settled();
    EXPECT_GT(maximised.width, before.width + 200);
    EXPECT_GT(maximised.height, before.height + 200);
    ASSERT_TRUE(doubleClick(maximised, false));
    EXPECT_EQ(settled().GetSize(), before.GetSize());
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--scale=", 8) == 0)
            outputScale = std::atoi(argv[i] + 8);
    try {
        // The output, 1280 x 1024 device pixels at the X screen's top left, leaves a margin
        // where the pointer waits: the compositor takes the pointer when it enters its window,
        // and a pointer already inside when the window appears never enters.
        testing_support::OwnXServer x(1400, 1100, 96);
        if (std::system("xdotool mousemove 1390 1090") != 0)
            throw std::runtime_error("xdotool cannot move the pointer");
        testing_support::OwnCompositor server(1280 / outputScale, 1024 / outputScale, outputScale,
                                              true);
        orbotk::Application app(argc, argv);
        return RUN_ALL_TESTS();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
