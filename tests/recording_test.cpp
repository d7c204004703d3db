// Recordings: a scripted run on the gallery (typing, a slider drag, a scroll-bar drag, the wheel,
// a message box answered inside its loop) replays frame for frame into a fresh gallery; an
// edited recording stops at the first frame that differs, with both images written; a file that
// is not a recording is refused before anything is sent; and real X input recorded on screen
// replays through the gallery's own --replay --check; what is typed into a password field
// leaves no trace in a recording.
#include "../examples/gallery/gallery.h"
#include "orbotk/recorder.h"
#include "widget_host.h"

#include <boost/make_shared.hpp>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <wx/clipbrd.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        char tmpl[] = "/tmp/gui-recording-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
};

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

wxPoint centre(const wxRect& r) {
    return wxPoint(r.x + r.width / 2, r.y + r.height / 2);
}

// The scripted run: form, controls and dialogs pages of the gallery.
void script(orbotk::Driver& d) {
    d.typeText(L"Ada");
    d.press(WXK_TAB);
    d.typeText(L"12345");
    d.paint();

    d.click(L"tab:Controls");
    d.paint();
    const wxPoint knob = centre(d.rect(L"volumedragger"));
    d.mouseMove(knob.x, knob.y);
    d.leftDown(knob.x, knob.y);
    for (int dx = 10; dx <= 60; dx += 10) {
        d.mouseMove(knob.x + dx, knob.y);
        d.paint();
    }
    d.leftUp(knob.x + 60, knob.y);
    d.paint();
    const wxPoint thumb = centre(d.rect(L"list scroll"));
    d.leftDown(thumb.x, thumb.y);
    d.mouseMove(thumb.x, thumb.y + 40);
    d.leftUp(thumb.x, thumb.y + 40);
    d.paint();
    const wxPoint rows = centre(d.rect(L"list rows"));
    d.wheel(rows.x, rows.y, -120);
    d.paint();

    d.click(L"tab:Dialogs");
    d.paint();
    testing_support::answerNextModal(L"No");
    d.click(L"dialog:Warning");
    d.flush(); // the box runs its loop here, answered from inside it
    d.paint();
}

// The key and character lines of a recording that name one of the characters given: by
// character (either case) or by key code.
std::string revealing(const std::string& recording, const std::wstring& secret) {
    std::istringstream lines(recording);
    std::string line, out;
    while (std::getline(lines, line)) {
        std::istringstream f(line);
        std::string kind, window, code, ch;
        f >> kind >> window >> code >> ch;
        if (kind != "key-down" && kind != "key-up" && kind != "char")
            continue;
        for (wchar_t c : secret) {
            const int lower = std::towlower(c), upper = std::towupper(c);
            char u[2][16];
            std::snprintf(u[0], sizeof u[0], "U+%04X", static_cast<unsigned>(lower));
            std::snprintf(u[1], sizeof u[1], "U+%04X", static_cast<unsigned>(upper));
            if (ch == u[0] || ch == u[1] || code == std::to_string(lower) ||
                code == std::to_string(upper))
                out += line + "\n";
        }
    }
    return out;
}

// A gallery on its form page at 800 x 600 with a driver, painted once; closed at the end.
struct FreshGallery {
    boost::shared_ptr<gallery::Gallery> g = boost::make_shared<gallery::Gallery>(3);
    orbotk::Driver d{g->window()};
    FreshGallery() {
        d.resize(800, 600);
        d.paint();
    }
    ~FreshGallery() {
        g->Close(true);
        d.flush();
    }
};

} // namespace

TEST(Recording, AScriptedGalleryRunReplaysFrameForFrameAndAnEditShowsWhereItDiffers) {
    TempDir dir;
    const std::string path = dir.file("run.rec");
    {
        FreshGallery run;
        {
            orbotk::Recorder recorder(path, run.g->window());
            script(run.d);
            EXPECT_GT(recorder.lines(), 60u);
        }
        EXPECT_EQ(run.g->dialogAnswer(L"Warning"), L"Answered No");
    }
    const std::string text = slurp(path);
    EXPECT_EQ(text.rfind("orbotk-recording 1\n", 0), 0u);
    EXPECT_NE(text.find("\nmodal 1\n"), std::string::npos) << "the message box's loop is marked";
    EXPECT_NE(text.find("\nend 1 "), std::string::npos);

    auto replay = [&](const std::string& file) {
        FreshGallery fresh;
        const orbotk::ReplayResult result = fresh.d.replay(file);
        return std::make_pair(result, fresh.g->dialogAnswer(L"Warning"));
    };
    const auto [same, answer] = replay(path);
    EXPECT_TRUE(same.ok()) << same.message;
    EXPECT_GE(same.framesChecked, 15u);
    EXPECT_EQ(answer, L"Answered No") << "the replayed message box was answered as recorded";

    // The first character typed, made a different one: the replay stops at the next paint.
    std::string edited = text;
    const size_t charLine = edited.find("\nchar 0 65 U+0041 ") + 1;
    ASSERT_NE(charLine, 0u);
    edited.replace(charLine, 17, "char 0 65 U+0042 ");
    const std::string editedPath = dir.file("edited.rec");
    std::ofstream(editedPath) << edited;
    fs::copy(path + ".frames", editedPath + ".frames");
    const int lineOfChar =
        1 + static_cast<int>(std::count(edited.begin(), edited.begin() + charLine, '\n'));
    const size_t nextPaint = edited.find("\npaint ", charLine) + 1;
    const int lineOfPaint =
        1 + static_cast<int>(std::count(edited.begin(), edited.begin() + nextPaint, '\n'));
    const auto [differs, unused] = replay(editedPath);
    EXPECT_FALSE(differs.ok());
    EXPECT_GT(lineOfPaint, lineOfChar);
    EXPECT_EQ(differs.line, lineOfPaint) << differs.message;
    EXPECT_NE(differs.message.find("differs"), std::string::npos) << differs.message;
    EXPECT_TRUE(fs::exists(differs.actualPNG)) << differs.actualPNG;
    EXPECT_TRUE(fs::exists(differs.expectedPNG)) << differs.expectedPNG;
}

TEST(Recording, WhatIsTypedOrPastedIntoAPasswordFieldIsWrittenAsAsterisks) {
    TempDir dir;
    const std::string path = dir.file("secret.rec");
    std::wstring shown, note;
    {
        FreshGallery run;
        orbotk::Recorder recorder(path, run.g->window());
        run.d.typeText(L"Ada"); // the name field, focused as the page opens
        run.d.press(WXK_TAB);
        run.d.press(WXK_TAB); // the password field
        run.d.typeText(L"Qz7Jx");
        run.d.press(WXK_BACK);
        if (wxTheClipboard->Open()) {
            wxTheClipboard->SetData(new wxTextDataObject(L"vK9"));
            wxTheClipboard->Close();
        }
        run.d.press('V', wxMOD_CONTROL);
        run.d.press(WXK_TAB); // the saved password, another password field
        run.d.press(WXK_TAB); // the note
        run.d.typeText(L"Ada");
        run.d.paint();
        auto& secret = static_cast<gui::PasswordState&>(run.g->formField(2));
        ASSERT_EQ(secret.password(), L"Qz7JvK9");
        shown = secret.text();
        note = run.g->formField(5).text();
        ASSERT_EQ(note.substr(note.size() - 3), L"Ada");
    }
    const std::string text = slurp(path);
    EXPECT_EQ(text.rfind("orbotk-recording 1\nsecrets withheld\n", 0), 0u);
    EXPECT_EQ(revealing(text, L"Qz7JxvK9"), "") << "lines that tell the password";
    EXPECT_NE(text.find("char 0 100 U+0064 -"), std::string::npos) << "the d of Ada is there";
    // One asterisk a character the field took, as many as it shows.
    size_t asterisks = 0;
    for (size_t at = 0; (at = text.find("char 0 42 U+002A -", at)) != std::string::npos; ++at)
        ++asterisks;
    EXPECT_EQ(asterisks, 8u) << "five typed, three pasted";
    EXPECT_NE(text.find("key-down 0 8 U+0008 -"), std::string::npos) << "Backspace is kept";

    FreshGallery fresh;
    const orbotk::ReplayResult result = fresh.d.replay(path);
    EXPECT_TRUE(result.ok()) << result.message;
    EXPECT_TRUE(result.passwordsWithheld);
    auto& replayed = static_cast<gui::PasswordState&>(fresh.g->formField(2));
    EXPECT_EQ(replayed.text(), shown) << "the same asterisks";
    EXPECT_EQ(replayed.password(), L"*******") << "not the same password";
    EXPECT_EQ(fresh.g->formField(5).text(), note);
    const std::string command =
        std::string(GUI_GALLERY) + " --page 4 --replay " + path + " --check";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(Recording, AFileThatIsNotARecordingIsRefusedBeforeAnythingIsSent) {
    TempDir dir;
    FreshGallery fresh;
    // What reaches the window while the bad files are tried: nothing, beyond the recorder's
    // own first two lines.
    orbotk::Recorder watch(dir.file("watch.rec"), fresh.g->window());
    const std::pair<const char*, const char*> cases[] = {
        {"hello\n", "line 1: not a recording"},
        {"orbotk-recording 1\nmove 0 10 10 - -\nfly 0 1 2\n", "line 3: unknown kind \"fly\""},
        {"orbotk-recording 1\nchar 0 65 U+ZZ -\n", "line 2: a character is U+"},
        {"orbotk-recording 1\nleft-down 0 10 10 L hyper\n", "line 2: unknown modifier"},
        {"orbotk-recording 1\nsize 0 100\n", "line 2: the fields of \"size\" do not read"},
        {"orbotk-recording 1\nleft-down 0 10 10 X -\n", "line 2: the fields of \"left-down\""}};
    for (const auto& [content, expected] : cases) {
        const std::string path = dir.file("bad.rec");
        std::ofstream(path) << content;
        try {
            fresh.d.replay(path);
            ADD_FAILURE() << "accepted: " << content;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(fresh.d.replay(dir.file("missing.rec")), std::runtime_error);
    EXPECT_EQ(watch.lines(), 2u) << slurp(dir.file("watch.rec"));
}

// Real X input (XTest, through wxUIActionSimulator) into the gallery on screen, recorded, then
// checked by the gallery program itself.
TEST(Recording, RealInputRecordedOnScreenReplaysWithTheGallerysCheck) {
    TempDir dir;
    const std::string path = dir.file("real.rec");
    {
        auto g = boost::make_shared<gallery::Gallery>(3);
        g->Show(true);
        g->Raise();
        orbotk::Recorder recorder(path, g->window());
        auto settle = [] {
            for (int i = 0; i < 20; ++i) {
                wxTheApp->Yield(true);
                wxMilliSleep(10);
            }
        };
        settle();
        orbotk::Driver d(g->window());
        const wxPoint field =
            g->window()->canvas()->ClientToScreen(centre(d.rect(L"tab:Controls")));
        wxUIActionSimulator sim;
        sim.Text("Grace");
        sim.Char(WXK_TAB);
        sim.Char(WXK_TAB); // the password field
        sim.Text("Qz7Jx");
        settle();
        EXPECT_EQ(static_cast<gui::PasswordState&>(g->formField(2)).password(), L"Qz7Jx");
        sim.MouseMove(field);
        settle();
        sim.MouseClick();
        settle();
        EXPECT_GT(recorder.lines(), 20u);
        g->Close(true);
        settle();
    }
    const std::string text = slurp(path);
    EXPECT_NE(text.find("char 0 71 U+0047 shift"), std::string::npos) << "G, typed for real";
    EXPECT_EQ(revealing(text, L"Qz7Jx"), "") << "lines that tell the password";
    const std::string command =
        std::string(GUI_GALLERY) + " --page 4 --replay " + path + " --check";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}
