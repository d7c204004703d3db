// The gallery program: opens the gallery window, or with --screenshot FILE renders one paint
// pass through the driver, writes the PNG and exits, so it also runs without a person (and under
// Xvfb without a window manager). --page N picks the page; on screen the number keys and the tabs
// switch pages and Escape closes the window. --click NAME clicks the control of that name
// before the screenshot (an open combo box, a checked checkbox).
#include "gallery.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: gallery [--page N] [--screenshot FILE.png [--click NAME]]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string screenshot, click;
    int page = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--click") == 0 && i + 1 < argc)
            click = argv[++i];
        else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc)
            page = std::atoi(argv[++i]) - 1;
        else
            return usage();
    }
    try {
        orbotk::Application app(argc, argv);
        auto gallery = boost::make_shared<gallery::Gallery>(page < 0 ? 0 : page);
        if (!screenshot.empty()) {
            orbotk::Driver driver(gallery->window());
            // The first pass settles what the window decides in a pass (the focused field).
            driver.paint();
            driver.paint();
            if (!click.empty()) {
                driver.click(wxString::FromUTF8(click).ToStdWstring());
                driver.mouseMove(0, 0);
                driver.paint();
            }
            driver.savePNG(screenshot);
            std::printf("wrote %s (%dx%d)\n", screenshot.c_str(), driver.width(), driver.height());
            gallery->Close(true);
            driver.flush();
            return 0;
        }
        gallery->Show(true);
        return app.run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
