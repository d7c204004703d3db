// The gallery program: opens the gallery window, or with --screenshot FILE renders one paint
// pass through the driver, writes the PNG and exits, so it also runs without a person (and under
// Xvfb without a window manager). --page N picks the page (as the number
// keys name them: 0 is the tenth); on screen the number keys and the tabs
// switch pages and Escape closes the window. --click NAME clicks the control of that name
// before the screenshot (an open combo box, a checked checkbox). --record FILE writes what
// happens in the window (and the dialogs it opens) to FILE; --replay FILE plays such a file
// back into a fresh gallery and leaves it open, or with --check compares every recorded frame
// and exits: 0 when all match, 1 at the first that differs (naming it and writing both images).
#include "gallery.h"
#include "orbotk/recorder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

int usage(FILE* to = stderr) {
    std::fprintf(to, "usage: gallery [--page N] [--look light|dark|contrast]\n"
                     "               [--screenshot FILE.png [--click NAME]]\n"
                     "               [--record FILE | --replay FILE [--check]]\n"
                     "  --page N  the page to open, numbered as the keys that switch pages:\n"
                     "            1 Buttons ... 9 Dialogs, 0 (or 10) Lists, 11 Data\n");
    return to == stderr ? 2 : 0;
}

// A page as the number keys name it (1-9, 0 for the tenth), 11 for the last; -1 for anything
// else.
int pageOf(const char* arg) {
    char* end = nullptr;
    const long n = std::strtol(arg, &end, 10);
    if (end == arg || *end != '\0' || n < 0 || n > gallery::Gallery::PAGES)
        return -1;
    return n == 0 ? gallery::Gallery::PAGES - 1 : static_cast<int>(n) - 1;
}

// Replays once the event loop runs (the window is on screen by then). With check, exits with
// the verdict; without, the gallery stays open where the recording left it.
int replayInto(orbotk::Application& app, gallery::Gallery& gallery, const std::string& path,
               bool check) {
    int code = 0;
    gallery.postEval([&] {
        orbotk::Driver driver(gallery.window());
        const orbotk::ReplayResult r = driver.replay(path);
        std::printf("replayed %zu events, %zu frames compared\n", r.events, r.framesChecked);
        if (r.passwordsWithheld)
            std::printf("passwords were withheld from the recording: asterisks were typed\n");
        if (!r.ok()) {
            std::printf("differs: %s\n", r.message.c_str());
            if (!r.expectedPNG.empty())
                std::printf("expected: %s\n", r.expectedPNG.c_str());
            if (!r.actualPNG.empty())
                std::printf("actual:   %s\n", r.actualPNG.c_str());
            code = 1;
        }
        if (check)
            gallery.Close(true);
    });
    const int loop = app.run();
    return code != 0 ? code : loop;
}

} // namespace

int main(int argc, char** argv) {
    std::string screenshot, click, record, replay;
    bool check = false;
    int page = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--click") == 0 && i + 1 < argc)
            click = argv[++i];
        else if (std::strcmp(argv[i], "--record") == 0 && i + 1 < argc)
            record = argv[++i];
        else if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc)
            replay = argv[++i];
        else if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc) {
            if ((page = pageOf(argv[++i])) < 0)
                return usage();
        } else if (std::strcmp(argv[i], "--look") == 0 && i + 1 < argc) {
            const std::string look = argv[++i];
            if (look != "light" && look != "dark" && look != "contrast")
                return usage();
            gui::setLook(look == "light"  ? gui::LookStyle::Light
                         : look == "dark" ? gui::LookStyle::Dark
                                          : gui::LookStyle::HighContrast);
        } else if (std::strcmp(argv[i], "--help") == 0)
            return usage(stdout);
        else
            return usage();
    }
    if ((check && replay.empty()) || (!record.empty() && !replay.empty()))
        return usage();
    try {
        orbotk::Application app(argc, argv);
        auto gallery = boost::make_shared<gallery::Gallery>(page);
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
        std::unique_ptr<orbotk::Recorder> recorder;
        if (!record.empty())
            recorder.reset(new orbotk::Recorder(record, gallery->window()));
        if (!replay.empty())
            return replayInto(app, *gallery, replay, check);
        const int code = app.run();
        if (recorder)
            std::printf("recorded %zu lines to %s\n", recorder->lines(), record.c_str());
        return code;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
