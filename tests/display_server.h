// A display server of a test program's own (an X server at a chosen resolution, a Wayland
// compositor at a chosen scale), started once before the toolkit and stopped at exit. Its
// children die with the test program, so a crash leaves no server behind.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <wayland-client.h>

namespace testing_support {

class Child {
public:
    // Runs argv[0] (searched on PATH) with its output sent to log; keepFd stays open in it.
    Child(const std::vector<std::string>& argv, const std::string& log, int keepFd = -1) {
        pid_ = fork();
        if (pid_ < 0)
            throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out >= 0) {
                dup2(out, 1);
                dup2(out, 2);
            }
            for (int fd = 3; fd < 256; ++fd)
                if (fd != keepFd)
                    close(fd);
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execvp(args[0], args.data());
            _exit(127);
        }
    }
    ~Child() {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    bool running() const { return waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    pid_t pid_;
};

// An X server of its own on a free display number, at the given resolution; DISPLAY names it.
class OwnXServer {
public:
    OwnXServer(int width, int height, int dpi) {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        const std::string size = std::to_string(width) + "x" + std::to_string(height) + "x24";
        server_.reset(new Child({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", size,
                                 "-dpi", std::to_string(dpi), "-nolisten", "tcp"},
                                "/dev/null", fds[1]));
        close(fds[1]);
        // The number comes as digits and a newline, not always in one write.
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            throw std::runtime_error("Xvfb did not start");
        const std::string display = ":" + number;
        setenv("DISPLAY", display.c_str(), 1);
    }

private:
    std::unique_ptr<Child> server_;
};

// A headless Wayland compositor of its own at the given output scale, in a runtime directory
// of its own; WAYLAND_DISPLAY names it and GTK is told to use it. Its log (with the debug
// protocol that lets a client take screenshots) goes to log().
class OwnCompositor {
public:
    // width x height logical pixels, scale times that in device pixels. Headless, or nested:
    // its output a window on the X server that DISPLAY names, whose pointer and keyboard (an
    // xdotool's) are the compositor's seat.
    OwnCompositor(int width, int height, int scale, bool nested = false) {
        char dir[] = "/tmp/gui-wayland-XXXXXX";
        if (mkdtemp(dir) == nullptr)
            throw std::runtime_error("no runtime directory");
        runtime_ = dir;
        chmod(dir, 0700);
        setenv("XDG_RUNTIME_DIR", dir, 1);
        log_ = runtime_ + "/weston.log";
        // No animations (a window fading in is not yet what it draws), no panel.
        const std::string config = runtime_ + "/weston.ini";
        if (FILE* f = std::fopen(config.c_str(), "w")) {
            std::fputs("[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\n"
                       "focus-animation=none\npanel-position=none\n",
                       f);
            std::fclose(f);
        }
        server_.reset(new Child(
            {"weston", nested ? "--backend=x11-backend.so" : "--backend=headless-backend.so",
             "--use-pixman", "--socket=gui-test", "--debug", "--idle-time=0", "--config=" + config,
             "--width=" + std::to_string(width), "--height=" + std::to_string(height),
             "--scale=" + std::to_string(scale)},
            log_));
        // The socket's file exists from the compositor's bind(), before it listens: a client
        // connecting in between (a loaded machine preempts the compositor there) is refused,
        // and GTK reports no display. Ready is when a client connects and the registry
        // announces the shell (xdg_wm_base) that GTK needs, asked again until it does.
        setenv("WAYLAND_DISPLAY", "gui-test", 1);
        bool ready = false;
        for (int i = 0; i < 1000 && !ready && server_->running(); ++i) {
            ready = announcesShell();
            if (!ready)
                usleep(10000);
        }
        if (!ready)
            throw std::runtime_error("weston did not become ready: see " + log_);
        setenv("GDK_BACKEND", "wayland", 1);
        if (!nested) // nested, xdotool still reaches the X server
            unsetenv("DISPLAY");
    }
    ~OwnCompositor() {
        server_.reset();
        std::system(("rm -rf '" + runtime_ + "'").c_str());
    }
    const std::string& runtimeDir() const { return runtime_; }
    const std::string& log() const { return log_; }

private:
    static bool announcesShell() {
        wl_display* display = wl_display_connect(nullptr);
        if (display == nullptr)
            return false;
        bool shell = false;
        static const wl_registry_listener listener = {
            [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
                if (std::string(interface) == "xdg_wm_base")
                    *static_cast<bool*>(data) = true;
            },
            [](void*, wl_registry*, uint32_t) {}};
        wl_registry* registry = wl_display_get_registry(display);
        wl_registry_add_listener(registry, &listener, &shell);
        wl_display_roundtrip(display);
        wl_registry_destroy(registry);
        wl_display_disconnect(display);
        return shell;
    }

    std::string runtime_, log_;
    std::unique_ptr<Child> server_;
};

} // namespace testing_support
