// The colour values. They are defined in the order of their dependencies (Color, orbobrand,
// orbopal) in this one file, so every copy below reads a source that is already initialised.
#include "gui/palette.h"

#include "orbotk/window.h"
#include "render/look_style.h"
#include "render/pixel.h"

#include <vector>

namespace gui {

using orbo::tk::RGBA;

namespace Color {
const RGBA Black(0, 0, 0, 255);
const RGBA White(255, 255, 255, 255);
const RGBA Yellow(255, 255, 0, 255);
const RGBA Green(0, 255, 0, 255);
const RGBA Red(255, 0, 0, 255);
} // namespace Color

namespace orbobrand {
const RGBA PanelWhite(242, 242, 242, 242);
const RGBA Red(215, 35, 0, 255);
const RGBA Black(51, 51, 51, 255);
namespace whitebg {
const RGBA LtGreen(139, 218, 89, 255);
const RGBA Green(116, 182, 74, 255);
const RGBA Blue(26, 104, 185, 255);
const RGBA Gray(145, 145, 145, 255);
const RGBA Orange(246, 119, 17, 255);
} // namespace whitebg
namespace blackbg {
const RGBA Green(114, 190, 68, 255);
const RGBA Blue(38, 112, 189, 255);
const RGBA Gray(140, 142, 149, 255);
} // namespace blackbg
namespace neutralbg {
const RGBA Green = blackbg::Green;
const RGBA Blue(30, 107, 186, 255);
const RGBA White = Color::White;
} // namespace neutralbg
} // namespace orbobrand

namespace orbopal {
namespace {
// A lighter, slightly translucent version of a colour: scaled by k/256, then lifted by `lift`
// in every channel, alpha included.
RGBA lighten(const RGBA& c, unsigned k, unsigned lift) {
    return RGBA(px::addSaturate(px::scalePixel(c.word, k), lift * 0x01010101u));
}
} // namespace

const RGBA GreenGradientTop = lighten(orbobrand::whitebg::Green, 129, 121);
const RGBA GreenGradientBottom = lighten(orbobrand::whitebg::Green, 101, 147);
const RGBA WhiteGradientTop(255, 255, 255, 255);
const RGBA WhiteGradientBottom(230, 230, 230, 255);

RGBA Panel = orbobrand::PanelWhite;
RGBA Disabled(128, 128, 128, 128);
RGBA Text(0, 0, 0, 255);
RGBA DisabledText(0, 0, 0, 128);
RGBA ErrorText = orbobrand::Red;
RGBA Button = Color::Black;
RGBA OKButton = orbobrand::whitebg::Green;
RGBA CancelButton = orbobrand::whitebg::Blue;
RGBA ActiveButton = orbobrand::whitebg::Blue;
RGBA DisabledButton(25, 25, 25, 128);
RGBA GearButton = orbobrand::whitebg::Gray;
RGBA Tab = orbobrand::PanelWhite;
RGBA ActiveTab = orbobrand::whitebg::Green;
RGBA Checkbox = orbobrand::whitebg::Blue;
RGBA DisabledCheckbox = Disabled;
RGBA ComboBox = orbobrand::whitebg::Green;
RGBA HSlider = orbobrand::whitebg::Blue;
RGBA DisabledHSlider = orbobrand::whitebg::Gray;
RGBA ScrollBar = orbobrand::whitebg::Green;
RGBA TextEditGradientTop = GreenGradientTop;
RGBA TextEditGradientBottom = GreenGradientBottom;
RGBA ActiveTextEdit = Color::White;
RGBA ActiveTextEditBorder = orbobrand::whitebg::Green;
RGBA DisabledTextEdit = Disabled;
RGBA SelectedText = orbobrand::whitebg::Green;
RGBA Highlight(29, 46, 19, 64);
RGBA FocusedHighlight(52, 82, 33, 115);
RGBA Hover(12, 18, 7, 26);
RGBA AlternateRow(0, 0, 0, 10);
RGBA ListBackground = Color::White;
RGBA ListBorder(160, 160, 160, 255);
RGBA Light = Color::White;
RGBA Link = orbobrand::whitebg::Blue;
RGBA ToolTip(238, 238, 187, 255);
RGBA FocusBorder = Color::Black;
RGBA ScrollTrack = orbobrand::whitebg::Gray;

void standaloneStyle() {
    Panel = RGBA(170, 170, 170, 255);
    ActiveButton = RGBA(242, 242, 242, 255);
}
} // namespace orbopal

namespace {
// Every role with its dark and high-contrast values (premultiplied); the light ones are what
// the role held before the first switch.
struct Styled {
    RGBA* role;
    RGBA dark, contrast;
};
std::vector<Styled>& styled() {
    using namespace orbopal;
    static std::vector<Styled> all = {
        {&Panel, RGBA(40, 42, 46, 255), RGBA(0, 0, 0, 255)},
        {&Disabled, RGBA(0, 0, 0, 128), RGBA(150, 150, 150, 255)},
        {&Text, RGBA(232, 232, 232, 255), RGBA(255, 255, 255, 255)},
        {&DisabledText, RGBA(79, 79, 79, 110), RGBA(170, 170, 170, 255)},
        {&ErrorText, RGBA(255, 120, 100, 255), RGBA(255, 140, 140, 255)},
        {&Button, RGBA(232, 232, 232, 255), RGBA(255, 255, 255, 255)},
        {&DisabledButton, RGBA(60, 60, 60, 128), RGBA(90, 90, 90, 128)},
        {&GearButton, RGBA(78, 80, 86, 255), RGBA(64, 64, 64, 255)},
        // Button bodies darken under light labels; the blue ones already hold 4.5:1.
        {&OKButton, RGBA(46, 110, 32, 255), RGBA(0, 100, 0, 255)},
        {&ActiveTab, RGBA(46, 110, 32, 255), RGBA(0, 100, 0, 255)},
        {&Tab, RGBA(52, 54, 58, 255), RGBA(0, 0, 0, 255)},
        {&ActiveTextEdit, RGBA(28, 29, 32, 255), RGBA(0, 0, 0, 255)},
        {&ActiveTextEditBorder, RGBA(116, 182, 74, 255), RGBA(255, 255, 0, 255)},
        {&Highlight, RGBA(29, 46, 19, 64), RGBA(0, 60, 140, 255)},
        {&FocusedHighlight, RGBA(52, 82, 33, 115), RGBA(0, 80, 190, 255)},
        {&Hover, RGBA(23, 36, 15, 51), RGBA(60, 60, 60, 60)},
        {&AlternateRow, RGBA(10, 10, 10, 10), RGBA(0, 0, 0, 0)},
        {&ListBackground, RGBA(28, 29, 32, 255), RGBA(0, 0, 0, 255)},
        {&ListBorder, RGBA(96, 98, 104, 255), RGBA(255, 255, 255, 255)},
        {&Link, RGBA(120, 175, 240, 255), RGBA(140, 210, 255, 255)},
        {&ToolTip, RGBA(60, 62, 50, 255), RGBA(0, 0, 0, 255)},
        {&FocusBorder, RGBA(232, 232, 232, 255), RGBA(255, 255, 0, 255)},
        {&ScrollTrack, RGBA(72, 74, 80, 255), RGBA(90, 90, 90, 255)},
        {&Light, RGBA(88, 90, 96, 255), RGBA(255, 255, 255, 255)},
        {&TextEditGradientTop, RGBA(58, 60, 64, 255), RGBA(0, 0, 0, 255)},
        {&TextEditGradientBottom, RGBA(44, 46, 50, 255), RGBA(0, 0, 0, 255)},
    };
    return all;
}
std::vector<RGBA> lightValues; // captured at the first switch
LookStyle current = LookStyle::Light;
void (*restyleImages)(LookStyle) = nullptr;
} // namespace

void onLookShown(void (*restyle)(LookStyle)) {
    restyleImages = restyle;
}

void setLook(LookStyle style) {
    lookChosen() = true;
    showLook(style);
}

bool& lookChosen() {
    static bool chosen = false;
    return chosen;
}

void showLook(LookStyle style) {
    if (style != LookStyle::Dark && style != LookStyle::HighContrast)
        style = LookStyle::Light; // what no look is called
    if (style == current)
        return;
    std::vector<Styled>& all = styled();
    if (lightValues.empty())
        for (const Styled& s : all)
            lightValues.push_back(*s.role);
    for (size_t i = 0; i < all.size(); ++i)
        *all[i].role = style == LookStyle::Light  ? lightValues[i]
                       : style == LookStyle::Dark ? all[i].dark
                                                  : all[i].contrast;
    current = style;
    if (restyleImages)
        restyleImages(style);
    for (wxWindowList::compatibility_iterator n = wxTopLevelWindows.GetFirst(); n; n = n->GetNext())
        if (auto* w = dynamic_cast<orbotk::Window*>(n->GetData()))
            w->requestRepaint();
}

LookStyle lookStyle() {
    return current;
}

} // namespace gui
