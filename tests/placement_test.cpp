// Remembered placement: kept when a window closes and given to the next window of that name,
// beside what other windows kept; an unreadable line is logged and costs nothing else; a place
// on no screen comes back onto one.
#include "gui/placement.h"
#include "harness.h"
#include "widget_host.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <wx/display.h>
#include <wx/filename.h>

using testing_support::Hosted;

namespace {

struct PlacementTest : ::testing::Test {
    std::string dir = ::testing::TempDir() + "placement-" + std::to_string(::getpid());
    void SetUp() override {
        wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
    }
    std::string file() const {
        std::ifstream in(gui::placementFile());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const std::string& text) {
        wxFileName::Mkdir(wxFileName(gui::placementFile()).GetPath(), 0700, wxPATH_MKDIR_FULL);
        std::ofstream(gui::placementFile()) << text;
    }
};

TEST_F(PlacementTest, ThePlaceAWindowClosedAtIsWhereTheNextOneOpens) {
    EXPECT_EQ(gui::placementFile().rfind(dir, 0), 0u);
    {
        Hosted first(200, 100);
        EXPECT_FALSE(gui::rememberPlacement(*first.host, L"main")); // a first run
        first.host->SetSize(320, 210);
        first.host->Move(140, 90);
        first.host->Close(true);
    }
    EXPECT_NE(file().find("main\t140 90 320 210 0"), std::string::npos) << file();
    Hosted second(200, 100);
    EXPECT_TRUE(gui::rememberPlacement(*second.host, L"main"));
    EXPECT_EQ(second.host->window()->GetPosition(), wxPoint(140, 90));
    EXPECT_EQ(second.host->GetSize(), wxSize(320, 210));
}

TEST_F(PlacementTest, ValuesKeptWithThePlacementComeBackIntoTheirFloats) {
    float split = 120.0f, columns = 80.0f, unknown = 5.0f;
    {
        Hosted first(200, 100);
        gui::rememberPlacement(*first.host, L"main", {{L"list split", &split}, {L"c", &columns}});
        split = 210.5f;
        first.host->Close(true);
    }
    EXPECT_NE(file().find(" 0 c=80 list_split=210.5\n"), std::string::npos) << file();
    split = columns = 0.0f;
    Hosted second(200, 100);
    EXPECT_TRUE(gui::rememberPlacement(*second.host, L"main",
                                       {{L"list split", &split}, {L"new", &unknown}}));
    EXPECT_EQ(split, 210.5f);
    EXPECT_EQ(unknown, 5.0f); // none kept: the float keeps its own
    // A value that does not read makes the line no placement.
    write("main\t10 20 300 200 0 split=x\n");
    Hosted third(200, 100);
    EXPECT_FALSE(gui::rememberPlacement(*third.host, L"main", {{L"split", &split}}));
    EXPECT_EQ(split, 210.5f);
}

TEST_F(PlacementTest, AnUnreadableLineIsLoggedAndTheOthersAreKept) {
    write("main\t10 20 x 40 0\ngarbage\nother\t30 40 250 150 0\n");
    testing_support::LogCapture log;
    {
        Hosted win(200, 100);
        EXPECT_FALSE(gui::rememberPlacement(*win.host, L"main"));
        EXPECT_EQ(win.host->GetSize(), wxSize(200, 100)); // its own size
        win.host->Close(true);
    }
    EXPECT_NE(log.text().find("line 1 is no placement"), std::string::npos) << log.text();
    EXPECT_NE(log.text().find("line 2 is no placement"), std::string::npos) << log.text();
    EXPECT_NE(file().find("other\t30 40 250 150 0"), std::string::npos) << file();
    EXPECT_NE(file().find("main\t"), std::string::npos) << file();
}

TEST_F(PlacementTest, APlaceOnAScreenThatIsGoneComesBackOntoOne) {
    write("main\t50000 40000 300 200 0\n");
    Hosted win(200, 100);
    EXPECT_TRUE(gui::rememberPlacement(*win.host, L"main"));
    EXPECT_EQ(win.host->GetSize(), wxSize(300, 200));
    EXPECT_NE(wxDisplay::GetFromPoint(win.host->window()->GetPosition() + wxPoint(8, 8)),
              wxNOT_FOUND);
}

} // namespace
