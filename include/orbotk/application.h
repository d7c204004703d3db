// Start-up and shutdown of wxWidgets' GUI for programs that use the toolkit without a wxApp of
// their own: hosts, the gallery, tests and benchmarks. Creating it needs a display; without one
// it throws std::runtime_error. wx log messages and failed assertions go to standard error, so a
// warning never opens a dialog that nobody will close.
#pragma once

#include <string>

namespace orbotk {

class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The event loop; returns when the last top-level window is gone. Returns the exit code.
    int run();

    // The name the desktop shows for the application (window lists, the taskbar, screen
    // readers). Works with or without an Application object.
    static void setDisplayName(const std::wstring& name);
};

} // namespace orbotk
