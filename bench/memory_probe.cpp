// What one window costs in memory. Two processes of this program, one after the other: one
// starts the toolkit and stops there, the other then shows a 640 x 480 window (the chrome, ten
// labels, four push buttons and a text field), paints it, repaints it after a change and
// presents it. Each reports its peak resident set (VmHWM), its resident memory of its own
// (RssAnon: the libraries' mapped files left out, which other processes share) and its heap
// in use (mallinfo2); the parent prints them and the window's share, the differences. With
// --scale 2 the window is shown on a display of window scale 2, as on a HiDPI screen.
//
//   memory_probe [--scale 2]          (needs a display: run it under xvfb-run)
//
// Exit status 1 when the window's own resident memory exceeds --limit MB (default: no limit).
#include "gui/gui.h"

#include <boost/make_shared.hpp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <wx/app.h>
#include <wx/utils.h>

namespace {

class ProbeWindow : public gui::AppWindow {
public:
    ProbeWindow()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Memory probe", 640, 480,
                         gui::NO_SCALE_WINDOW) {}
    gui::TextState field{textFont_, L"twenty characters ok"};
    bool mark = false;
    void doScene() override {
        if (mark) {
            gui::Box b(ui_, 40.0f, 16.0f);
            b.setLeft(400.0f);
            gui::render(ui_, orbo::tk::RGBA(0xFF2060C0u));
        }
        for (int i = 0; i < 10; ++i) {
            gui::Box label(ui_, 200.0f, 20.0f);
            label.setTop(24.0f * i);
            doLabel((L"Label number " + std::to_wstring(i)).c_str());
        }
        static const wchar_t* const captions[4] = {L"OK", L"Cancel", L"Apply", L"Help"};
        for (int i = 0; i < 4; ++i) {
            gui::Box button(ui_, PUSHBUTTON_SHAPE);
            button.setTop(24.0f * i);
            button.setLeft(240.0f);
            glColor(gui::orbopal::OKButton);
            doPushButton(captions[i], true);
        }
        gui::Box row(ui_, 300.0f, 30.0f);
        row.setTop(260.0f);
        doLineEdit(orbotk::ControlID(L"field"), field, L"Text", 0.0f);
    }
};

// Kilobytes from a "Name:   1234 kB" line of /proc/self/status.
long statusKb(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name, 0) == 0)
            return std::atol(line.c_str() + std::strlen(name));
    return -1;
}

void settle() {
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

// The child: starts the toolkit, shows the window unless toolkitOnly, and prints
// "<peak kB> <own kB> <heap kB>".
int child(bool toolkitOnly, int scale) {
    int argc = 1;
    char name[] = "memory_probe";
    char* argv[] = {name, nullptr};
    orbotk::Application app(argc, argv);
    if (scale > 1)
        if (GdkDisplay* display = gdk_display_get_default(); GDK_IS_X11_DISPLAY(display))
            gdk_x11_display_set_window_scale(display, scale);
    settle();
    if (!toolkitOnly) {
        auto window = boost::make_shared<ProbeWindow>();
        window->Show(true);
        for (int i = 0; i < 300 && !window->window()->canvas()->IsShownOnScreen(); ++i)
            settle();
        settle();
        window->mark = true;
        window->window()->repaint();
        settle();
    }
    const struct mallinfo2 heap = mallinfo2();
    std::printf("%ld %ld %zu\n", statusKb("VmHWM:"), statusKb("RssAnon:"), heap.uordblks / 1024);
    std::fflush(stdout);
    std::_Exit(0); // what the process measured is all it was for
}

struct Figures {
    long peak = 0, own = 0, heap = 0;
};

bool run(const char* self, bool toolkitOnly, int scale, Figures& f) {
    const std::string command = std::string(self) + " --child " +
                                (toolkitOnly ? "toolkit" : "window") + " --scale " +
                                std::to_string(scale);
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr)
        return false;
    const bool read = std::fscanf(p, "%ld %ld %ld", &f.peak, &f.own, &f.heap) == 3;
    return pclose(p) == 0 && read;
}

} // namespace

int main(int argc, char** argv) {
    int scale = 1;
    double limitMb = 0;
    const char* childMode = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--scale") == 0)
            scale = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--limit") == 0)
            limitMb = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--child") == 0)
            childMode = argv[i + 1];
    }
    if (childMode)
        return child(std::strcmp(childMode, "toolkit") == 0, scale);
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 2;
    // The first client of a display pays for what the server and the session set up once for
    // all clients after it: a client that only starts the toolkit goes first, unmeasured.
    Figures first, base, one;
    if (!run(self, true, scale, first) || !run(self, true, scale, base) ||
        !run(self, false, scale, one)) {
        std::fprintf(stderr, "memory_probe: a measuring process failed\n");
        return 2;
    }
    const double mb = 1024.0;
    std::printf("                    peak resident   own resident   heap in use\n");
    std::printf("toolkit started     %8.1f MB    %8.1f MB    %8.1f MB\n", base.peak / mb,
                base.own / mb, base.heap / mb);
    std::printf("one window, @%dx     %8.1f MB    %8.1f MB    %8.1f MB\n", scale, one.peak / mb,
                one.own / mb, one.heap / mb);
    std::printf("the window's share  %8.1f MB    %8.1f MB    %8.1f MB\n",
                (one.peak - base.peak) / mb, (one.own - base.own) / mb,
                (one.heap - base.heap) / mb);
    return limitMb > 0 && (one.own - base.own) / mb > limitMb ? 1 : 0;
}
