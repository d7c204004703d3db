// libFuzzer target: the input bytes become a sequence of events sent to a fresh gallery window,
// including the dialogs and message boxes it opens and the menus it pops up. After every event
// the window's invariants are checked: carets and selections inside their texts, sliders and
// scroll positions inside their ranges, one combo box open at most, the framebuffer the size of
// the window, nothing in the library's log but a frame or window too large to show. Needs a
// display (run it under xvfb-run).
#include "gallery_events.h"
#include "orbotk/application.h"

#include <boost/make_shared.hpp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<orbotk::Application> app;
size_t totalEvents = 0;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    app.reset(new orbotk::Application(*argc, *argv));
    // libFuzzer counts inputs; what matters here is how many events they carried.
    std::atexit([] { std::fprintf(stderr, "events sent: %zu\n", totalEvents); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    auto g = boost::make_shared<gallery::Gallery>(gallery::GalleryProbe::page(data[0]));
    gallery::closeMenusAsTheyOpen(*g->window());
    {
        gallery::EventScript script(data + 1, size - 1, [](const char* why) {
            std::fprintf(stderr, "broken invariant: %s\n", why);
            std::abort();
        });
        totalEvents += script.play(*g);
    }
    g->Close(true);
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    return 0;
}
