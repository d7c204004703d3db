// The palette: exact start-up values, the derived gradient ends, copies that do not follow their
// source, and the stand-alone style.
#include "gui/palette.h"

#include <gtest/gtest.h>

using namespace gui;
using orbo::tk::RGBA;

TEST(Palette, BrandAndPlainColoursHaveTheirWords) {
    EXPECT_EQ(orbobrand::Red.word, 0xFFD72300u);
    EXPECT_EQ(Color::Red.word, 0xFFFF0000u);
    EXPECT_EQ(orbobrand::PanelWhite, RGBA(242, 242, 242, 242));
    EXPECT_EQ(orbobrand::neutralbg::Green, orbobrand::blackbg::Green);
    EXPECT_EQ(orbobrand::neutralbg::White, Color::White);
}

TEST(Palette, GreenGradientEndsAreDerivedAndTranslucent) {
    EXPECT_EQ(orbopal::GreenGradientTop, RGBA(179, 212, 158, 249));
    EXPECT_EQ(orbopal::GreenGradientBottom, RGBA(192, 218, 176, 247));
    EXPECT_EQ(orbopal::TextEditGradientTop, orbopal::GreenGradientTop);
    EXPECT_EQ(orbopal::WhiteGradientBottom, RGBA(230, 230, 230, 255));
}

TEST(Palette, RolesStartAsCopiesThatDoNotFollowEachOther) {
    EXPECT_EQ(orbopal::OKButton, orbobrand::whitebg::Green);
    EXPECT_EQ(orbopal::DisabledCheckbox, RGBA(128, 128, 128, 128));
    EXPECT_EQ(orbopal::ToolTip, RGBA(238, 238, 187, 255));
    const RGBA saved = orbopal::OKButton;
    orbopal::OKButton = Color::Red;
    EXPECT_EQ(orbopal::ComboBox, orbobrand::whitebg::Green);
    EXPECT_EQ(orbopal::ScrollBar, orbobrand::whitebg::Green);
    orbopal::OKButton = saved;
}

TEST(Palette, StandaloneStyleChangesOnlyPanelAndActiveButton) {
    const RGBA panel = orbopal::Panel, active = orbopal::ActiveButton;
    orbopal::standaloneStyle();
    EXPECT_EQ(orbopal::Panel, RGBA(170, 170, 170, 255));
    EXPECT_EQ(orbopal::ActiveButton, RGBA(242, 242, 242, 255));
    EXPECT_EQ(orbobrand::PanelWhite, RGBA(242, 242, 242, 242));
    EXPECT_EQ(orbopal::Tab, RGBA(242, 242, 242, 242));
    EXPECT_EQ(orbopal::CancelButton, orbobrand::whitebg::Blue);
    orbopal::Panel = panel;
    orbopal::ActiveButton = active;
}
