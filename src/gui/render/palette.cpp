// The colour values. They are defined in the order of their dependencies (Color, orbobrand,
// orbopal) in this one file, so every copy below reads a source that is already initialised.
#include "gui/palette.h"

#include "render/pixel.h"

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

void standaloneStyle() {
    Panel = RGBA(170, 170, 170, 255);
    ActiveButton = RGBA(242, 242, 242, 255);
}
} // namespace orbopal

} // namespace gui
