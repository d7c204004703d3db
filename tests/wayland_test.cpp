// The gallery on a Wayland compositor of its own (headless, software rendered), at the output
// scale given on the command line (--scale=N): the window has the logical size it asked for,
// what the compositor shows of it is the library's own frame, pixel for pixel, and a dialog and
// a message box open at the same scale and close.
#include "../examples/gallery/gallery.h"
#include "display_server.h"
#include "orbotk/application.h"
#include "over_background.h"
#include "widget_host.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/utils.h>

namespace {

using testing_support::settle;
using testing_support::waitFor;

int outputScale = 1;
const testing_support::OwnCompositor* compositor = nullptr;

// What the compositor shows, through its screenshot client (allowed by --debug): the whole
// output in device pixels.
wxImage screenshot() {
    const std::string dir = compositor->runtimeDir();
    if (std::system(("cd '" + dir + "' && rm -f wayland-screenshot*.png && weston-screenshooter")
                        .c_str()) != 0)
        return wxImage();
    wxImage shot;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::strncmp(e->d_name, "wayland-screenshot", 18) == 0)
                shot.LoadFile(dir + "/" + e->d_name, wxBITMAP_TYPE_PNG);
        closedir(d);
    }
    return shot;
}

// Where the frame (as it reaches the screen over the window's background) lies in the shot,
// found by a row of the frame's pixels; (-1, -1) when nowhere.
wxPoint find(const wxImage& shot, const std::vector<std::uint32_t>& frame, int w, int h) {
    auto at = [&](int x, int y) {
        const unsigned char* p =
            shot.GetData() + 3 * (static_cast<size_t>(y) * shot.GetWidth() + x);
        return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    };
    const int row = h / 2; // through the page, where the pixels vary
    for (int y = 0; y + h <= shot.GetHeight(); ++y)
        for (int x = 0; x + w <= shot.GetWidth(); ++x) {
            int i = 0;
            while (i < w && at(x + i, y + row) == frame[static_cast<size_t>(row * w + i)])
                ++i;
            if (i == w)
                return wxPoint(x, y);
        }
    return wxPoint(-1, -1);
}

} // namespace

TEST(Wayland, TheGalleryHasItsLogicalSizeAndTheCompositorShowsItsFrame) {
    auto gallery = boost::make_shared<gallery::Gallery>(2);
    gallery->Show(true);
    const auto window = gallery->window();
    wxWindow* canvas = window->canvas();
    ASSERT_TRUE(waitFor([&] { return canvas->IsShownOnScreen(); }));
    settle();
    EXPECT_EQ(canvas->GetClientSize(), wxSize(800, 600)); // what it asked for, in logical pixels
    EXPECT_EQ(window->deviceScale(), outputScale);
    EXPECT_FALSE(window->presentsDirectly()); // GTK presents on Wayland

    window->Refresh();
    settle();
    orbotk::Driver d(window);
    const int w = d.frameWidth(), h = d.frameHeight();
    ASSERT_EQ(w, 800 * outputScale);
    std::vector<std::uint32_t> frame(static_cast<size_t>(w) * h);
    const wxColour bg = window->GetBackgroundColour();
    const auto readFrame = [&] {
        const std::vector<orbo::tk::RGBA> pixels = d.pixels();
        orbotk::OverBackground(
            static_cast<std::uint32_t>(bg.Red() << 16 | bg.Green() << 8 | bg.Blue()))
            .row(frame.data(), pixels.data(), w * h);
    };

    // The compositor shows the frame once GTK has painted it and the output has been
    // repainted, which a loaded machine takes its time over; and a paint that came meanwhile
    // (the window's focus arriving late) changes both. Asked again until the last frame shows.
    wxImage shot;
    wxPoint at(-1, -1);
    waitFor([&] {
        readFrame();
        shot = screenshot();
        at = shot.IsOk() ? find(shot, frame, w, h) : wxPoint(-1, -1);
        return at != wxPoint(-1, -1);
    });
    ASSERT_TRUE(shot.IsOk()) << "no screenshot; see " << compositor->log();
    ASSERT_NE(at, wxPoint(-1, -1)) << "the frame is nowhere on the output";
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p =
                shot.GetData() + 3 * (static_cast<size_t>(at.y + y) * shot.GetWidth() + at.x + x);
            differing += static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]) !=
                         frame[static_cast<size_t>(y * w + x)];
        }
    EXPECT_EQ(differing, 0) << "of " << w * h << " pixels";
    gallery->Close(true);
    settle();
}

TEST(Wayland, ADialogAndAMessageBoxOpenAtTheOutputsScaleAndClose) {
    auto gallery = boost::make_shared<gallery::Gallery>(8); // the dialogs page
    gallery->Show(true);
    ASSERT_TRUE(waitFor([&] { return gallery->window()->canvas()->IsShownOnScreen(); }));
    settle();
    orbotk::Driver d(gallery->window());
    auto open = [&](const wchar_t* caption) {
        d.click(std::wstring(L"dialog:") + caption);
        d.flush(); // the dialog runs its modal loop here, answered from inside it
    };
    int scales[2] = {};
    testing_support::onNextModal([&](orbotk::Driver& m) {
        scales[0] = m.scale();
        m.click(L"account:name");
        m.typeText(L"Ada");
        m.click(L"DialogOK");
    });
    open(L"Account form");
    EXPECT_EQ(gallery->dialogAnswer(L"Account form"), L"OK: Ada <>, subscribed");
    testing_support::onNextModal([&](orbotk::Driver& m) {
        scales[1] = m.scale();
        m.click(L"No");
    });
    open(L"Warning");
    EXPECT_EQ(gallery->dialogAnswer(L"Warning"), L"Answered No");
    EXPECT_EQ(scales[0], outputScale);
    EXPECT_EQ(scales[1], outputScale);
    gallery->Close(true);
    settle();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--scale=", 8) == 0)
            outputScale = std::atoi(argv[i] + 8);
    try {
        // Before GTK starts: the display it opens is this compositor's. The output leaves room
        // for the gallery at every scale.
        testing_support::OwnCompositor server(1200, 900, outputScale);
        compositor = &server;
        orbotk::Application app(argc, argv);
        return RUN_ALL_TESTS();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
