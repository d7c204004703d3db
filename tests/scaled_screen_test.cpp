// A window on a 2x X screen, as desktops run one: an X server of its own at 192 dpi and GTK
// told the scale (GDK_SCALE=2). The window covers twice its logical size in device pixels,
// the screen shows its device frame as drawn, and real clicks and drags sent in device pixels
// (xdotool) land on the controls drawn there.
#include "display_server.h"
#include "orbotk/application.h"
#include "widget_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <functional>
#include <gdk/gdkx.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/utils.h>

using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

using testing_support::settle;
using testing_support::waitFor;

// The canvas's X window: where it lies on the root in device pixels, and its device size.
struct XPlace {
    Window id;
    int x, y, w, h;
};
XPlace placeOf(wxWindow* canvas) {
    GdkWindow* gdk = gtk_widget_get_window(static_cast<GtkWidget*>(canvas->GetHandle()));
    Display* dpy = GDK_WINDOW_XDISPLAY(gdk);
    XPlace p{GDK_WINDOW_XID(gdk), 0, 0, 0, 0};
    XWindowAttributes a;
    XGetWindowAttributes(dpy, p.id, &a);
    Window child;
    XTranslateCoordinates(dpy, p.id, DefaultRootWindow(dpy), 0, 0, &p.x, &p.y, &child);
    p.w = a.width;
    p.h = a.height;
    return p;
}

// Real X input through xdotool, in device pixels of the root window.
void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
    settle();
}

// A shown window with a checkbox and a slider, both in logical pixels.
struct Form {
    bool checked = false;
    float volume = 0.0f, preview = 0.0f;
    Hosted win{260, 100};
    Form() {
        win->scene = [this](Host& h) {
            {
                gui::Box row(h.ui(), 120.0f, 26.0f);
                row.setPos(130.0f, 10.0f);
                h.doCheckbox(ControlID(L"check"), checked, L"Remember", nullptr, nullptr, true);
            }
            gui::Box row(h.ui(), 200.0f, 32.0f);
            row.setPos(10.0f, 50.0f);
            h.doHSlider(ControlID(L"volume"), volume, preview, L"Volume", true);
        };
        win->Show(true);
        wxWindow* canvas = win->window()->canvas();
        waitFor([&] { return canvas->IsShownOnScreen(); });
        settle();
    }
    XPlace place() { return placeOf(win->window()->canvas()); }
};

} // namespace

TEST(ScaledScreen, AWindowCoversTwiceItsLogicalSizeAndTheScreenShowsItsDeviceFrame) {
    Form form;
    const auto& window = form.win->window();
    EXPECT_EQ(window->deviceScale(), 2);
    EXPECT_EQ(window->canvas()->GetClientSize(), wxSize(260, 100)); // logical
    const XPlace p = form.place();
    EXPECT_EQ(p.w, 520);
    EXPECT_EQ(p.h, 200);
    EXPECT_TRUE(window->presentsDirectly()); // device pixels straight to the X window
    window->Refresh();
    settle();

    orbotk::Driver& d = *form.win.driver;
    ASSERT_EQ(d.frameWidth(), 520);
    Display* dpy = XOpenDisplay(nullptr);
    XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), p.x, p.y, 520, 200, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    int compared = 0, differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 520; ++x) {
            const orbo::tk::RGBA f = d.devicePixel(x, y);
            if (f.a() != 255) // the edge that box fills leave: the window's background shows
                continue;
            ++compared;
            differing += (XGetPixel(image, x, y) & 0xFFFFFFu) != (f.word & 0xFFFFFFu);
        }
    XDestroyImage(image);
    XCloseDisplay(dpy);
    EXPECT_GT(compared, 500 * 190);
    EXPECT_EQ(differing, 0);
}

TEST(ScaledScreen, RealClicksAndDragsInDevicePixelsLandOnTheControlsDrawnThere) {
    Form form;
    const XPlace p = form.place();
    orbotk::Driver& d = *form.win.driver;
    const wxRect box = d.rect(L"check"); // logical
    const int cx = p.x + 2 * (box.x + 12), cy = p.y + 2 * (box.y + box.height / 2);
    xdotool("mousemove " + std::to_string(cx) + " " + std::to_string(cy) + " click 1");
    EXPECT_TRUE(waitFor([&] { return form.checked; }));
    xdotool("click 1");
    EXPECT_TRUE(waitFor([&] { return !form.checked; }));

    // The knob, grabbed at its middle and dragged 120 device pixels: 60 logical pixels.
    const wxRect knob = d.rect(L"volumedragger");
    const int kx = p.x + 2 * (knob.x + knob.width / 2), ky = p.y + 2 * (knob.y + knob.height / 2);
    xdotool("mousemove " + std::to_string(kx) + " " + std::to_string(ky) + " mousedown 1");
    for (int step = 1; step <= 4; ++step)
        xdotool("mousemove " + std::to_string(kx + 30 * step) + " " + std::to_string(ky));
    xdotool("mouseup 1");
    EXPECT_TRUE(waitFor([&] { return d.rect(L"volumedragger").x == knob.x + 60; }))
        << "the knob moved from " << knob.x << " to " << d.rect(L"volumedragger").x;
    EXPECT_GT(form.volume, 0.0f);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        // Before GTK starts: the screen it opens and the scale it reads are these.
        testing_support::OwnXServer server(1600, 1000, 192);
        setenv("GDK_SCALE", "2", 1);
        unsetenv("WAYLAND_DISPLAY");
        setenv("GDK_BACKEND", "x11", 1);
        orbotk::Application app(argc, argv);
        return RUN_ALL_TESTS();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
