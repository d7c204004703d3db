// A minimal host: one application window with a clickable control, driven through one paint
// and one click. Exits 0 when the click reached the scene.
#include <gui/gui.h>

#include <boost/make_shared.hpp>
#include <cstdio>

namespace {
class HostWindow : public gui::AppWindow {
public:
    HostWindow()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"consumer", 320, 240,
                         gui::NO_SCALE_WINDOW) {}
    int clicks = 0;
    void doScene() override {
        gui::Box button(ui_, 80.0f, 30.0f, orbotk::ControlID(L"button"));
        if (button.leftClicked())
            ++clicks;
    }
};
} // namespace

int main(int argc, char** argv) {
    orbotk::Application app(argc, argv);
    auto w = boost::make_shared<HostWindow>();
    orbotk::Driver d(w->window());
    d.resize(320, 240);
    d.paint();
    d.click(L"button"); // found by name in the last pass
    w->Close(true);
    std::printf("consumer: %d click(s)\n", w->clicks);
    return w->clicks == 1 ? 0 : 1;
}
