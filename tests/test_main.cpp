// Shared main of the GUI test programs: wxWidgets is started once per process (it needs a
// display; the suite runs under Xvfb) and stays up for every test. Windows are drawn in the
// light look whatever the desktop running the tests prefers.
#include "gui/palette.h"
#include "orbotk/application.h"

#include <cstdio>
#include <exception>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        orbotk::Application app(argc, argv);
        gui::setLook(gui::LookStyle::Light);
        return RUN_ALL_TESTS();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
