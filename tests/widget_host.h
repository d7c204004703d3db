// A window for widget tests: its pass runs a test-supplied scene in a bare root box over a
// white backdrop (no chrome), or the full default procedure when asked. Protected members of
// the application window are reachable through it.
#pragma once

#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "orbotk/driver.h"

#include <boost/make_shared.hpp>
#include <functional>
#include <memory>
#include <wx/app.h>

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

// A host window of the given client size with a driver, closed at the end.
struct Hosted {
    boost::shared_ptr<Host> host;
    std::unique_ptr<orbotk::Driver> driver;
    Hosted(int w, int h, bool chrome = false) : host(boost::make_shared<Host>(w, h, chrome)) {
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

} // namespace testing_support
