// The desktop's settings portal, for real: xdg-desktop-portal with its GTK backend on this
// test's session bus, reading GNOME's interface settings (kept in a key file of the test's
// own). A window follows the portal's colour scheme at start and as it changes, and GNOME's
// high-contrast switch, read from the same settings.
#include "display_server.h"
#include "gui/look.h"
#include "gui/render.h"
#include "orbotk/application.h"
#include "widget_host.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

using gui::LookStyle;
using testing_support::Host;
using testing_support::Hosted;

namespace {
void scheme(const std::string& value) {
    const std::string command = "gsettings set org.gnome.desktop.interface color-scheme " + value;
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error(command + " failed (gsettings-desktop-schemas)");
}

// The scheme as the portal answers it.
std::string portalScheme() {
    FILE* p = popen("gdbus call --session --dest org.freedesktop.portal.Desktop "
                    "--object-path /org/freedesktop/portal/desktop "
                    "--method org.freedesktop.portal.Settings.Read "
                    "org.freedesktop.appearance color-scheme 2>&1",
                    "r");
    std::string out;
    char buffer[256];
    while (p && fgets(buffer, sizeof buffer, p))
        out += buffer;
    if (p)
        pclose(p);
    return out;
}
} // namespace

TEST(Portal, TheWindowFollowsThePortalsColourScheme) {
    Hosted win{100, 100};
    win->scene = [](Host& h) { gui::render(h.ui(), gui::orbopal::Panel); };
    gui::followDesktopLook(); // asks the portal
    EXPECT_EQ(gui::lookStyle(), LookStyle::Dark);
    win.driver->paint();
    EXPECT_EQ(win.driver->pixel(50, 50).word, orbo::tk::RGBA(40, 42, 46, 255).word);
    scheme("default"); // no preference: GTK's settings, light here
    EXPECT_TRUE(testing_support::waitFor([] { return gui::lookStyle() == LookStyle::Light; }));
    EXPECT_GE(win.driver->settle(), 1);
    scheme("prefer-dark");
    EXPECT_TRUE(testing_support::waitFor([] { return gui::lookStyle() == LookStyle::Dark; }));
    win->scene = nullptr;
}

TEST(Portal, TheWindowFollowsGnomesHighContrastSwitch) {
    Hosted win{100, 100};
    win->scene = [](Host& h) { gui::render(h.ui(), gui::orbopal::Panel); };
    auto highContrast = [](bool on) {
        const std::string command = std::string("gsettings set org.gnome.desktop.a11y.interface "
                                                "high-contrast ") +
                                    (on ? "true" : "false");
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    };
    gui::followDesktopLook();
    ASSERT_EQ(gui::lookStyle(), LookStyle::Dark);
    highContrast(true); // outranks the dark scheme
    EXPECT_TRUE(
        testing_support::waitFor([] { return gui::lookStyle() == LookStyle::HighContrast; }));
    EXPECT_GE(win.driver->settle(), 1);
    EXPECT_EQ(win.driver->pixel(50, 50).word, orbo::tk::RGBA(0, 0, 0, 255).word);
    highContrast(false);
    EXPECT_TRUE(testing_support::waitFor([] { return gui::lookStyle() == LookStyle::Dark; }));
    win->scene = nullptr;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        testing_support::OwnXServer server(640, 480, 96);
        char config[] = "/tmp/gui-portal-XXXXXX";
        setenv("XDG_CONFIG_HOME", mkdtemp(config), 1);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
        scheme("prefer-dark");
        // D-Bus starts the portal and its backend when first asked: with this environment.
        std::string env = "{";
        for (const char* name :
             {"XDG_CONFIG_HOME", "GSETTINGS_BACKEND", "XDG_CURRENT_DESKTOP", "DISPLAY"})
            env +=
                std::string(env.size() > 1 ? ", '" : "'") + name + "': '" + std::getenv(name) + "'";
        const std::string update =
            "gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus "
            "--method org.freedesktop.DBus.UpdateActivationEnvironment \"" +
            env + "}\" > /dev/null";
        if (std::system(update.c_str()) != 0)
            throw std::runtime_error("the bus refused the environment: " + update);
        // The portal answers before its GTK backend has come up: asked until the backend's
        // answer comes.
        std::string answer;
        for (int i = 0; i < 100 && answer.find("uint32 1") == std::string::npos; ++i) {
            answer = portalScheme();
            usleep(100000);
        }
        if (answer.find("uint32 1") == std::string::npos)
            throw std::runtime_error("the settings portal did not tell the scheme: " + answer);
        orbotk::Application app(argc, argv);
        gui::setLook(LookStyle::Light); // nothing follows until the test asks
        const int rc = RUN_ALL_TESTS();
        std::system(("rm -rf " + std::string(config)).c_str());
        return rc;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
