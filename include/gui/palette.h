// The named colours: plain colours (Color), the brand colours grouped by the background they
// suit (orbobrand), and the palette of roles that widgets draw with (orbopal). All values are
// premultiplied. The palette entries that are not const may be restyled by a host before its
// first window paints; widgets read them when they draw.
#pragma once

#include "orbotk/rgba.h"

namespace gui {

namespace Color {
extern const orbo::tk::RGBA Black;
extern const orbo::tk::RGBA White;
extern const orbo::tk::RGBA Yellow;
extern const orbo::tk::RGBA Green;
extern const orbo::tk::RGBA Red;
} // namespace Color

namespace orbobrand {
extern const orbo::tk::RGBA PanelWhite; // 95 % white: (242, 242, 242, 242)
extern const orbo::tk::RGBA Red;
extern const orbo::tk::RGBA Black;
namespace whitebg {
extern const orbo::tk::RGBA LtGreen;
extern const orbo::tk::RGBA Green;
extern const orbo::tk::RGBA Blue;
extern const orbo::tk::RGBA Gray;
extern const orbo::tk::RGBA Orange;
} // namespace whitebg
namespace blackbg {
extern const orbo::tk::RGBA Green;
extern const orbo::tk::RGBA Blue;
extern const orbo::tk::RGBA Gray;
} // namespace blackbg
namespace neutralbg {
extern const orbo::tk::RGBA Green;
extern const orbo::tk::RGBA Blue;
extern const orbo::tk::RGBA White;
} // namespace neutralbg
} // namespace orbobrand

namespace orbopal {
// Gradient ends (constant). The green ones are derived from whitebg::Green and are translucent.
extern const orbo::tk::RGBA GreenGradientTop;
extern const orbo::tk::RGBA GreenGradientBottom;
extern const orbo::tk::RGBA WhiteGradientTop;
extern const orbo::tk::RGBA WhiteGradientBottom;

// Roles (mutable). Each starts as a copy of the colour named beside it at start-up.
extern orbo::tk::RGBA Panel;                  // orbobrand::PanelWhite
extern orbo::tk::RGBA Disabled;               // white at half opacity: pales what is under it
extern orbo::tk::RGBA Text;                   // black
extern orbo::tk::RGBA DisabledText;           // 50 % black
extern orbo::tk::RGBA ErrorText;              // orbobrand::Red
extern orbo::tk::RGBA Button;                 // Color::Black
extern orbo::tk::RGBA OKButton;               // whitebg::Green
extern orbo::tk::RGBA CancelButton;           // whitebg::Blue
extern orbo::tk::RGBA ActiveButton;           // whitebg::Blue
extern orbo::tk::RGBA DisabledButton;         // (25, 25, 25, 128)
extern orbo::tk::RGBA GearButton;             // whitebg::Gray
extern orbo::tk::RGBA Tab;                    // orbobrand::PanelWhite
extern orbo::tk::RGBA ActiveTab;              // whitebg::Green
extern orbo::tk::RGBA Checkbox;               // whitebg::Blue
extern orbo::tk::RGBA DisabledCheckbox;       // Disabled
extern orbo::tk::RGBA ComboBox;               // whitebg::Green
extern orbo::tk::RGBA HSlider;                // whitebg::Blue
extern orbo::tk::RGBA DisabledHSlider;        // whitebg::Gray
extern orbo::tk::RGBA ScrollBar;              // whitebg::Green
extern orbo::tk::RGBA TextEditGradientTop;    // GreenGradientTop
extern orbo::tk::RGBA TextEditGradientBottom; // GreenGradientBottom
extern orbo::tk::RGBA ActiveTextEdit;         // Color::White
extern orbo::tk::RGBA ActiveTextEditBorder;   // whitebg::Green
extern orbo::tk::RGBA DisabledTextEdit;       // Disabled
extern orbo::tk::RGBA SelectedText;           // whitebg::Green
extern orbo::tk::RGBA Highlight;              // whitebg::Green at 25 %: a list's chosen entry
extern orbo::tk::RGBA FocusedHighlight;       // whitebg::Green at 45 %: ... in a focused list
extern orbo::tk::RGBA Hover;                  // whitebg::Green at 10 %: the row under the pointer
extern orbo::tk::RGBA AlternateRow;           // black at 4 %: every other row, when asked
extern orbo::tk::RGBA ListBackground;         // Color::White
extern orbo::tk::RGBA ListBorder;             // (160, 160, 160, 255)
extern orbo::tk::RGBA Light;                  // Color::White
extern orbo::tk::RGBA Link;                   // whitebg::Blue
extern orbo::tk::RGBA ToolTip;                // (238, 238, 187, 255)

extern orbo::tk::RGBA FocusBorder; // Color::Black: the dashed focus border
extern orbo::tk::RGBA ScrollTrack; // whitebg::Gray: a scroll bar's track

// The stand-alone look: a grey panel and light active buttons. Call before the first paint.
void standaloneStyle();
} // namespace orbopal

// The palettes the roles above take: the light one (their values as the program set them
// before its first switch), a dark one, and one of high contrast (light text on black, strong
// borders, a yellow focus border). setLook switches every role at once and asks every window
// to repaint; windows follow the desktop's choice until a host calls it (see gui/look.h).
enum class LookStyle : int { Light = 0, Dark = 1, HighContrast = 2 };
void setLook(LookStyle style);
LookStyle lookStyle();

} // namespace gui
