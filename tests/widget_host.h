// A window for widget tests: its pass runs a test-supplied scene in a bare root box over a
// white backdrop (no chrome), or the full default procedure when asked. Protected members of
// the application window are reachable through it.
#pragma once

#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "orbotk/driver.h"
#include "orbotk/testing.h"
#include "orbotk/window.h"

#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <wx/app.h>
#include <wx/utils.h>

namespace testing_support {

class Host : public gui::AppWindow {
public:
    Host(int w, int h, bool chrome = false)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Widget test", w, h,
                         gui::NO_SCALE_WINDOW),
          chrome_(chrome) {}

    std::function<void(Host&)> scene;

    void doScene() override {
        if (scene)
            scene(*this);
    }
    void uiProcedure() override {
        if (chrome_) {
            gui::AppWindow::uiProcedure();
            return;
        }
        gui::Box root(ui_);
        doScene();
        gui::render(ui_, gui::Color::White); // the backdrop, under everything
    }

    const boost::shared_ptr<orbotk::UIContext>& ui() const { return ui_; }

    using gui::AppWindow::closeTex_;
    using gui::AppWindow::configFont_;
    using gui::AppWindow::controlSelectionBehavior;
    using gui::AppWindow::mail_;
    using gui::AppWindow::minTex_;
    using gui::AppWindow::play1_;
    using gui::AppWindow::play_push1_;
    using gui::AppWindow::textFont_;
    using gui::AppWindow::tinyFont_;
    using gui::AppWindow::veltsmall_;
    using gui::AppWindow::verytinyFont_;

private:
    bool chrome_;
};

// True when every pixel but the last column and row (which box fills leave alone) is the white
// backdrop: the scene drew nothing.
inline bool drewNothing(const orbotk::Driver& d) {
    for (int y = 0; y + 1 < d.height(); ++y)
        for (int x = 0; x + 1 < d.width(); ++x)
            if (d.pixel(x, y).word != 0xFFFFFFFFu)
                return false;
    return true;
}

// A host window of the given client size with a driver, closed at the end; its frame is
// drawn at the given device scale whatever the screen.
struct Hosted {
    boost::shared_ptr<Host> host;
    std::unique_ptr<orbotk::Driver> driver;
    Hosted(int w, int h, bool chrome = false, int scale = 1)
        : host(boost::make_shared<Host>(w, h, chrome)) {
        if (scale != 1)
            host->window()->overrideScale(scale);
        driver.reset(new orbotk::Driver(host->window()));
        driver->resize(w, h);
    }
    ~Hosted() {
        host->Close(true);
        if (wxTheApp)
            wxTheApp->ProcessIdle();
    }
    Host* operator->() { return host.get(); }
};

// Processes real events until done() holds or about three seconds pass.
inline bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 300 && !done(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    return done();
}

// Lets the display and the toolkit catch up: a tenth of a second of real events.
inline void settle() {
    for (int i = 0; i < 10; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

// Once the next modal loop runs, hands act a driver on its window, painted at its size: the
// installed helper, whose failures (a loop act leaves open, no loop at all) fail the test.
inline void onNextModal(const std::function<void(orbotk::Driver&)>& act) {
    orbotk::testing::setFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
    orbotk::testing::answerNextModal(act, std::chrono::seconds(5));
}

// Real keys (xdotool's arguments: "type abc key Return") for the driver's window, once it is on
// the screen: the pointer goes over it first, since on a display without a window manager the
// keyboard follows the pointer.
inline void realKeys(orbotk::Driver& d, const std::string& keys) {
    wxWindow* canvas = d.window()->canvas();
    ASSERT_TRUE(waitFor([&] { return canvas->IsShownOnScreen(); }));
    settle(); // a window that sizes itself in its first pass gets that size on the screen
    const wxPoint at = canvas->ClientToScreen(wxPoint(d.width() / 2, 40));
    const std::string cmd =
        "xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " " + keys;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
}

// A window pixel of the driver's window as xdotool takes a place on the screen ("x y").
inline std::string onScreen(orbotk::Driver& d, int x, int y) {
    const wxPoint s = d.window()->canvas()->ClientToScreen(wxPoint(x, y));
    return std::to_string(s.x) + " " + std::to_string(s.y);
}

// Real input through xdotool's arguments, then a tenth of a second for the display to follow.
inline void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
    settle();
}

// Clicks the named control of the next modal window, or its close button when name is empty
// (the logo band's, 32 pixels in from the right edge and 28 down).
inline void answerNextModal(const std::wstring& name) {
    onNextModal([name](orbotk::Driver& d) {
        if (name.empty())
            d.click(d.width() - 32 - 4, 28 + 4);
        else
            d.click(name);
    });
}

} // namespace testing_support
