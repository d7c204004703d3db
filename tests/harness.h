// Test scaffolding: a bare toolkit window whose pass runs a test-supplied body, with a driver
// on it. The window is destroyed with the harness.
#pragma once

#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"

#include <boost/shared_ptr.hpp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace testing_support {

// Log records go to a fresh file while this lives (ORBO_LOG); text() reads what arrived.
class LogCapture {
public:
    LogCapture() {
        const int fd = mkstemp(path_);
        if (fd >= 0)
            close(fd);
        setenv("ORBO_LOG", path_, 1);
    }
    ~LogCapture() {
        unsetenv("ORBO_LOG");
        std::remove(path_);
    }
    std::string text() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    char path_[32] = "/tmp/gui-log-XXXXXX";
};

class Scene {
public:
    typedef std::function<void(const boost::shared_ptr<orbotk::UIContext>&)> Body;

    Scene(int w, int h) {
        ui = orbotk::UIContext::create(L"test", static_cast<wxWindow*>(nullptr));
        window = ui->window().lock();
        driver.reset(new orbotk::Driver(window));
        driver->resize(w, h);
        ui->setUIProcedure([this](boost::shared_ptr<orbotk::UIContext> c) {
            if (body)
                body(c);
        });
    }
    ~Scene() {
        ui->setUIProcedure(orbotk::UIContext::Procedure());
        // A window waits for the handles held on it: let go of ours first.
        orbotk::Window* w = window.get();
        window.reset();
        w->Destroy();
        driver->flush();
    }

    // Sets the pass body and runs one paint pass, so the next events hit-test its boxes.
    void show(const Body& b) {
        body = b;
        driver->paint();
    }

    Body body;
    boost::shared_ptr<orbotk::UIContext> ui;
    boost::shared_ptr<orbotk::Window> window;
    std::unique_ptr<orbotk::Driver> driver;
};

} // namespace testing_support
