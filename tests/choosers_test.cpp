// The platform's choosers over a shown window: answered by the test helper (files, several
// files, a folder, a colour, a cancel), driven with real keys (a path typed into GTK's file
// chooser, a save that asks before overwriting), and an answer recorded and given back by a
// replay.
#include "gui/choosers.h"
#include "orbotk/recorder.h"
#include "widget_host.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <wx/timer.h>

using gui::Box;
using testing_support::Host;
using testing_support::Hosted;
using testing_support::settle;
using testing_support::waitFor;

namespace {

// A shown window whose button opens a file chooser, from a deferred call as a host would.
struct Choosers : ::testing::Test {
    Hosted win{240, 120};
    std::wstring chosen = L"none";
    std::filesystem::path dir;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("choosers-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "a b.txt") << "a";
        std::ofstream(dir / "c.txt") << "c";
        win->scene = [this](Host& h) {
            Box b(h.ui(), 100.0f, 30.0f, orbotk::ControlID(L"open"));
            b.setPos(10.0f, 10.0f);
            if (b.leftClicked())
                h.window()->postEval(
                    [this, &h] { chosen = gui::chooseFileToOpen(h.window(), {}, dir.wstring()); });
        };
        win->Show(true);
        ASSERT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
        settle();
        win.driver->paint();
        orbotk::testing::setFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
    }
    void TearDown() override {
        win->scene = nullptr;
        std::filesystem::remove_all(dir);
    }
    std::wstring path(const char* name) const { return (dir / name).wstring(); }

    // Real keys for the chooser, one step every 400 ms from inside its loop, once the keyboard
    // and the pointer are on it (there is no window manager to give it the focus).
    void typeWhileOpen(std::deque<std::string> steps) {
        steps.push_front("search --name '^Select a file$' windowfocus --sync %1 mousemove "
                         "--window %1 60 60");
        auto* timer = new wxTimer;
        timer->Bind(wxEVT_TIMER, [timer, steps](wxTimerEvent&) mutable {
            if (steps.empty()) {
                timer->Stop();
                return;
            }
            const std::string cmd = "xdotool " + steps.front();
            steps.pop_front();
            EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        });
        timer->Start(400);
        timers.emplace_back(timer);
    }
    std::vector<std::unique_ptr<wxTimer>> timers;
};

} // namespace

TEST_F(Choosers, TheHelperAnswersEachKindAndCancels) {
    const auto parent = win->window();
    auto o = orbotk::testing::answerNextChooser({path("a b.txt")});
    EXPECT_EQ(gui::chooseFileToOpen(parent, {{L"Text", L"*.txt"}}, dir.wstring()), path("a b.txt"));
    EXPECT_TRUE(o->acted);
    orbotk::testing::answerNextChooser({path("a b.txt"), path("c.txt")});
    EXPECT_EQ(gui::chooseFilesToOpen(parent).size(), 2u);
    orbotk::testing::answerNextChooser({dir.wstring()});
    EXPECT_EQ(gui::chooseFolder(parent), dir.wstring());
    orbotk::testing::answerNextChooser({});
    EXPECT_EQ(gui::chooseFileToSave(parent, L"new.txt"), L"");
    orbo::tk::RGBA colour(0xFF000000u);
    orbotk::testing::answerNextChooser({L"#336699"});
    EXPECT_TRUE(gui::chooseColour(parent, colour));
    EXPECT_EQ(colour.word, orbo::tk::RGBA(0x33, 0x66, 0x99, 255).word);
    orbotk::testing::answerNextChooser({});
    EXPECT_FALSE(gui::chooseColour(parent, colour));
    // No chooser at all: the helper fails instead of waiting for one.
    std::string failure;
    orbotk::testing::setFailureHandler([&](const std::string& m) { failure = m; });
    auto none = orbotk::testing::answerNextChooser({L"x"}, std::chrono::milliseconds(100));
    EXPECT_TRUE(waitFor([&] { return none->failed(); }));
    EXPECT_NE(failure.find("no chooser opened"), std::string::npos) << failure;
}

TEST_F(Choosers, RealKeysTypeAPathAndASaveAsksBeforeOverwriting) {
    // GTK's chooser opens a location field at a typed '/'.
    typeWhileOpen({"type " + (dir / "c.txt").string(), "key Return"});
    win.driver->click(L"open");
    ASSERT_TRUE(waitFor([&] { return chosen != L"none"; }));
    EXPECT_EQ(chosen, path("c.txt"));

    // Over an existing file the chooser asks; Escape there goes back, and again cancels.
    std::wstring saved = L"none";
    typeWhileOpen({"key ctrl+a", "type " + (dir / "c.txt").string(), "key Return", "key Escape",
                   "key Escape"});
    win->window()->postEval([&] { saved = gui::chooseFileToSave(win->window(), L"new.txt"); });
    ASSERT_TRUE(waitFor([&] { return saved != L"none"; }));
    EXPECT_EQ(saved, L"");
    saved = L"none";
    typeWhileOpen({"key ctrl+a", "type " + (dir / "new.txt").string(), "key Return"});
    win->window()->postEval([&] { saved = gui::chooseFileToSave(win->window(), L"x.txt"); });
    ASSERT_TRUE(waitFor([&] { return saved != L"none"; }));
    EXPECT_EQ(saved, path("new.txt"));
}

TEST_F(Choosers, ARecordingKeepsTheAnswerAndAReplayGivesItBack) {
    const std::string file = (dir / "session.rec").string();
    {
        orbotk::Recorder recorder(file, win->window());
        orbotk::testing::answerNextChooser({path("a b.txt")});
        win.driver->click(L"open");
        win.driver->flush();
        ASSERT_TRUE(waitFor([&] { return chosen != L"none"; }));
    }
    EXPECT_EQ(chosen, path("a b.txt"));
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("chooser 0 1 " + (dir / "a%20b.txt").string()), std::string::npos) << text;

    chosen = L"none";
    Hosted again(240, 120);
    again->scene = win->scene;
    again->Show(true);
    ASSERT_TRUE(waitFor([&] { return again->window()->canvas()->IsShownOnScreen(); }));
    const orbotk::ReplayResult r = again.driver->replay(file);
    EXPECT_TRUE(r.message.empty()) << r.message;
    EXPECT_EQ(chosen, path("a b.txt"));
    again->scene = nullptr;
}
