// A real input method: ibus with its pinyin engine, on an X server and a session bus of the
// test's own (run under dbus-run-session), typed into with xdotool. The composition must be
// drawn in the field, at its caret, as the platform's own entries show it, and committed as
// one edit.
#include "display_server.h"
#include "orboutil/strings.h"
#include "widget_host.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <orbotk/application.h>
#include <string>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;
using testing_support::settle;
using testing_support::waitFor;

namespace {

void keys(const std::string& what) {
    ASSERT_EQ(std::system(("xdotool " + what).c_str()), 0) << what;
}

// What the ibus command prints, or "" when it fails (the daemon is not on the bus yet).
std::string ibus(const std::string& args) {
    std::string out;
    if (FILE* p = popen(("ibus " + args + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        if (pclose(p) != 0)
            out.clear();
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

} // namespace

TEST(Ibus, PinyinIsComposedInTheFieldAndCommittedAsOneEdit) {
    gui::TextState text{Host::textFont_, L""};
    Hosted win{320, 60};
    win->scene = [&](Host& h) {
        Box row(h.ui(), 300.0f, 30.0f);
        row.setPos(10.0f, 10.0f);
        h.doLineEdit(ControlID(L"field"), text, nullptr, 0.0f);
    };
    win->Show(true);
    ASSERT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
    orbotk::Driver& d = *win.driver;
    d.paint();
    d.paint(); // the field holds the focus it claimed
    settle();
    const wxPoint at = win->window()->canvas()->ClientToScreen(wxPoint(100, 25));
    keys("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1");
    settle();
    d.settle();
    const std::vector<orbo::tk::RGBA> empty = d.pixels();

    keys("type nihao");
    const auto ui = d.context();
    ASSERT_TRUE(waitFor([&] { return ui->preedit().find(L"\x4F60\x597D") != std::wstring::npos; }))
        << "pre-edit: " << orbo::util::utf8FromWString(ui->preedit());
    EXPECT_EQ(text.text(), L""); // composing, not typed
    waitFor([&] { return !win->window()->paintDue(); });
    d.settle();
    EXPECT_NE(d.pixels(), empty); // the composition is drawn in the field
    // The candidate window goes to the caret at the composition's end, not at its start.
    int x = 0, y = 0;
    ASSERT_TRUE(ui->textCaret(x, y));
    EXPECT_GT(x, 30);

    keys("key space");
    ASSERT_TRUE(waitFor([&] { return text.text() == L"\x4F60\x597D"; }))
        << orbo::util::utf8FromWString(text.text());
    EXPECT_EQ(ui->preedit(), L"");
    EXPECT_TRUE(text.undo()); // one edit
    EXPECT_EQ(text.text(), L"");
    win->scene = nullptr;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        testing_support::OwnXServer server(1280, 1024, 96);
        // The daemon on this test's session bus and display, the pinyin engine chosen once it
        // answers; GTK loads ibus's module for the canvas.
        testing_support::Child daemon({"ibus-daemon", "--replace", "--xim", "--panel=disable"},
                                      "/dev/null");
        // Choosing the engine says it failed while no program has the focus, and does it
        // all the same: ready is when the daemon names it back.
        bool ready = false;
        for (int i = 0; i < 1000 && !ready && daemon.running(); ++i) {
            ibus("engine libpinyin");
            ready = ibus("engine") == "libpinyin";
            if (!ready)
                usleep(10000);
        }
        if (!ready)
            throw std::runtime_error(
                "ibus did not come up with its pinyin engine (ibus-libpinyin)");
        setenv("GTK_IM_MODULE", "ibus", 1);
        orbotk::Application app(argc, argv);
        return RUN_ALL_TESTS();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
