// The editor driven as a user drives it, through orbotk::Driver: typing, the shortcuts and the
// menu bar's items, files written and read through the file choosers (answered from inside
// their loops by the library's test helpers), and the list of documents.
#include "editor.h"

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <orbotk/application.h>
#include <orbotk/driver.h>
#include <orbotk/testing.h>
#include <string>
#include <unistd.h>
#include <wx/app.h>

namespace {

struct Session : ::testing::Test {
    boost::shared_ptr<editor::Editor> app = boost::make_shared<editor::Editor>();
    orbotk::Driver d{app->window()};
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("editor-test-" + std::to_string(getpid()));

    void SetUp() override {
        std::filesystem::create_directories(dir);
        orbotk::testing::setFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
        app->Show();
        d.resize(720, 480);
        d.paint();
    }
    void TearDown() override {
        app->Close(true);
        wxTheApp->ProcessIdle();
        std::filesystem::remove_all(dir);
    }
    std::string read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // A key, then the deferred calls it queued (a chooser opens in one).
    void key(int code, int modifiers) {
        d.press(code, modifiers);
        d.flush();
    }
};

TEST_F(Session, SaveAsWritesTheFileAndSaveWritesItAgain) {
    d.click(L"text");
    d.typeText(L"Grüße");
    const std::filesystem::path file = dir / "notes.txt";
    auto answer = orbotk::testing::answerNextChooser({file.wstring()});
    key('S', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_TRUE(answer->acted);
    EXPECT_EQ(read(file), "Grüße");
    EXPECT_EQ(app->documents[0].name(), L"notes.txt");
    EXPECT_FALSE(app->documents[0].text->modified());

    d.typeText(L"!");
    key('S', wxMOD_CONTROL); // the document has its file: no chooser
    EXPECT_EQ(read(file), "Grüße!");
}

TEST_F(Session, OpenedFilesJoinTheListAndTheListSwitchesBetweenThem) {
    std::ofstream(dir / "a.txt") << "alpha";
    std::ofstream(dir / "b.txt") << "beta";
    orbotk::testing::answerNextChooser({(dir / "a.txt").wstring(), (dir / "b.txt").wstring()});
    key('O', wxMOD_CONTROL);
    // The untouched empty document gave way to them.
    ASSERT_EQ(app->documents.size(), 2u);
    EXPECT_EQ(app->current, 1);
    EXPECT_EQ(app->documents[1].text->text(), L"beta");
    d.paint();
    d.clickItem(L"documents", 0);
    EXPECT_EQ(app->current, 0);
    key(WXK_PAGEDOWN, wxMOD_CONTROL);
    EXPECT_EQ(app->current, 1);
    // A cancelled chooser opens nothing.
    orbotk::testing::answerNextChooser({});
    key('O', wxMOD_CONTROL);
    EXPECT_EQ(app->documents.size(), 2u);
}

TEST_F(Session, TheMenuBarsItemsDoWhatTheirShortcutsDo) {
    orbotk::testing::pickNextMenuItem(L"Word Wrap");
    d.click(L"menu:View");
    d.flush();
    EXPECT_FALSE(app->wrap);
    EXPECT_FALSE(app->documents[0].text->wraps());
    orbotk::testing::pickNextMenuItem(L"New");
    d.click(L"menu:File");
    d.flush();
    ASSERT_EQ(app->documents.size(), 2u);
    EXPECT_EQ(app->documents[1].name(), L"Untitled 2");
    key('W', wxMOD_CONTROL);
    EXPECT_EQ(app->documents.size(), 1u);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    orbotk::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
