// The gallery: one application window showing what the library can draw. With
// --screenshot FILE it renders one paint pass through the driver, writes the PNG and exits, so
// it also runs without a person (and under Xvfb without a window manager).
#include "gui/gui.h"

#include <boost/make_shared.hpp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

class Gallery : public gui::AppWindow {
public:
    Gallery()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"gui gallery", 640, 480,
                         gui::SCALE_WINDOW) {
        setStatus(L"Esc closes the gallery");
    }

    void doScene() override {
        // Escape closes the window when no control has the keyboard.
        gui::Box page(ui_);
        if (page.keyDown(WXK_ESCAPE))
            Close(false);
    }
};

int usage() {
    std::fprintf(stderr, "usage: gallery [--screenshot FILE.png]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else
            return usage();
    }
    try {
        orbotk::Application app(argc, argv);
        auto gallery = boost::make_shared<Gallery>();
        if (!screenshot.empty()) {
            orbotk::Driver driver(gallery->window());
            driver.paint();
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
