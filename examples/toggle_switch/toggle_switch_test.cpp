// The toggle switch driven through the real event path, as the library tests its own widgets:
// clicks and keys through orbotk::Driver, what screen readers are told, and the look at device
// scales 1 and 2 against the PNGs in golden/ (GUI_UPDATE_GOLDENS=1 writes them anew).
#include "switches.h"

#include <boost/make_shared.hpp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <orbotk/accessible.h>
#include <orbotk/application.h>
#include <orbotk/context.h>
#include <orbotk/driver.h>
#include <orbotk/window.h>
#include <string>
#include <wx/app.h>
#include <wx/image.h>

namespace {

struct Window {
    boost::shared_ptr<example::Switches> host = boost::make_shared<example::Switches>();
    orbotk::Driver driver{host->window()};
    explicit Window(int scale = 1) {
        host->window()->overrideScale(scale);
        host->Show();
        driver.resize(220, 132);
        driver.paint();
    }
    ~Window() { host->Close(true); }
};

wxPoint centre(const orbotk::Driver& d, const wchar_t* name) {
    const wxRect r = d.rect(name);
    return {r.x + 20, r.y + r.height / 2}; // on the track
}

TEST(ToggleSwitch, AClickFlipsItOnceAndThePressAloneDoesNot) {
    Window w;
    const wxPoint p = centre(w.driver, L"bluetooth");
    w.driver.mouseMove(p.x, p.y);
    w.driver.leftDown(p.x, p.y);
    EXPECT_FALSE(w.host->bluetooth);
    w.driver.leftUp(p.x, p.y);
    EXPECT_TRUE(w.host->bluetooth);
    EXPECT_EQ(w.host->changes, 1);
    // A release with no press on the switch changes nothing.
    w.driver.leftUp(p.x, p.y);
    EXPECT_TRUE(w.host->bluetooth);
    EXPECT_EQ(w.host->changes, 1);
}

TEST(ToggleSwitch, TabReachesItAndTheKeysWorkIt) {
    Window w;
    w.driver.press(WXK_TAB);
    w.driver.press(WXK_TAB); // Wi-Fi, then Bluetooth
    w.driver.press(WXK_SPACE);
    EXPECT_TRUE(w.host->bluetooth);
    w.driver.press(WXK_RIGHT); // already on: nothing to do
    EXPECT_TRUE(w.host->bluetooth);
    w.driver.press(WXK_LEFT);
    EXPECT_FALSE(w.host->bluetooth);
    w.driver.press(WXK_RETURN);
    EXPECT_TRUE(w.host->bluetooth);
    EXPECT_EQ(w.host->changes, 3);
    EXPECT_TRUE(w.host->wifi); // the keys went to the focused switch alone
}

TEST(ToggleSwitch, ADisabledSwitchIgnoresClicksAndTakesNoFocus) {
    Window w;
    w.driver.click(L"airplane");
    EXPECT_TRUE(w.host->airplane);
    EXPECT_THROW(w.driver.focus(L"airplane"), std::invalid_argument);
    EXPECT_EQ(w.host->changes, 0);
}

TEST(ToggleSwitch, ScreenReadersHearAToggleButtonNamedByItsCaption) {
    Window w;
    w.driver.context()->setAccessibility(true);
    w.driver.paint();
    std::map<std::wstring, std::uint32_t> states;
    for (const orbotk::Described& d : w.driver.context()->described())
        if (d.description->role == orbotk::Role::ToggleButton)
            states[d.description->name] = d.description->states;
    ASSERT_EQ(states.size(), 4u); // the captions are no labels of their own
    EXPECT_TRUE(states[L"Wi-Fi"] & orbotk::ACC_CHECKED);
    EXPECT_FALSE(states[L"Bluetooth"] & orbotk::ACC_CHECKED);
    EXPECT_TRUE(states[L"Bluetooth"] & orbotk::ACC_FOCUSABLE);
    EXPECT_FALSE(states[L"Airplane mode"] & orbotk::ACC_ENABLED);
    for (const orbotk::Described& d : w.driver.context()->described())
        EXPECT_NE(d.description->role, orbotk::Role::Label) << d.description->name;
}

// Every state in one picture: Wi-Fi on, Bluetooth off with the focus, Location held down,
// Airplane mode disabled.
void expectGolden(int scale) {
    Window w(scale);
    w.driver.focus(L"bluetooth");
    const wxPoint p = centre(w.driver, L"location");
    w.driver.mouseMove(p.x, p.y);
    w.driver.leftDown(p.x, p.y);
    w.driver.paint();
    std::string name = "switches";
    if (scale != 1)
        name += "@" + std::to_string(scale) + "x";
    const std::string path = std::string(GOLDEN_DIR) + "/" + name + ".png";
    if (std::getenv("GUI_UPDATE_GOLDENS") != nullptr) {
        w.driver.savePNG(path);
        return;
    }
    const std::string actualPath = ::testing::TempDir() + name + ".actual.png";
    w.driver.savePNG(actualPath);
    wxImage golden, actual;
    ASSERT_TRUE(golden.LoadFile(path, wxBITMAP_TYPE_PNG)) << "no golden " << path;
    ASSERT_TRUE(actual.LoadFile(actualPath, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(golden.GetSize(), actual.GetSize());
    EXPECT_EQ(std::memcmp(golden.GetData(), actual.GetData(),
                          static_cast<size_t>(golden.GetWidth() * golden.GetHeight() * 3)),
              0)
        << "see " << actualPath;
    EXPECT_EQ(golden.HasAlpha(), actual.HasAlpha());
    if (golden.HasAlpha() && actual.HasAlpha())
        EXPECT_EQ(std::memcmp(golden.GetAlpha(), actual.GetAlpha(),
                              static_cast<size_t>(golden.GetWidth() * golden.GetHeight())),
                  0)
            << "see " << actualPath;
}

TEST(ToggleSwitch, LooksAsItsPictureAtScale1) {
    expectGolden(1);
}

TEST(ToggleSwitch, LooksAsItsPictureAtScale2) {
    expectGolden(2);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    orbotk::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
