// The software renderer: spans, box fills, gradients, borders and images, composited front to
// back into the context's framebuffer. Every function draws only during a paint event and
// returns at once otherwise, so widget code runs unchanged on input events.
//
// Front to back: each operation goes *under* what is already there (blendUnder), so a widget
// draws its top layer first and the window its panel last. Colours are premultiplied.
//
// Clipping is against the framebuffer only, never against the current box's ancestors, and
// keeps two rules callers can rely on:
//   - a span never reaches the right-most column (its end is clamped to W - 1);
//   - render(ui), the current-colour box fill, never reaches the bottom row.
// Borders and images can reach both.
#pragma once

#include "gui/box.h"
#include "orbotk/context.h"
#include "orbotk/rgba.h"

#include <boost/shared_ptr.hpp>
#include <string>
#include <string_view>
#include <wx/font.h>

namespace gui {

class Image;
class TextState;

typedef boost::shared_ptr<orbotk::UIContext> ui_t;

// Edges of a box; other bits are ignored.
enum border_t : unsigned {
    BORDER_LEFT = 1,
    BORDER_RIGHT = 2,
    BORDER_TOP = 4,
    BORDER_BOTTOM = 8,
    BORDER_ALL = 15
};
inline border_t operator|(border_t a, border_t b) {
    return static_cast<border_t>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// ---- Spans: one row y, columns x .. x + w - 1, clipped to the framebuffer.
void render(const ui_t& ui, int x, int y, int w, const orbo::tk::RGBA& colour); // blend under
void renderModulate(const ui_t& ui, int x, int y, int w, const orbo::tk::RGBA& colour);
// Dashes of dash - 1 pixels with gaps of dash + 1, phased from the first visible pixel. A dash
// of 1 or less draws nothing.
void renderDashed(const ui_t& ui, int x, int y, int w, const orbo::tk::RGBA& colour, int dash);

// ---- The current box.
void render(const ui_t& ui);                               // blend the current colour
void render(const ui_t& ui, const orbo::tk::RGBA& colour); // store as current colour, then fill
void renderNoBlend(const ui_t& ui, const orbo::tk::RGBA& colour); // overwrite
void renderModulate(const ui_t& ui, const orbo::tk::RGBA& colour);
// Vertical gradients: the first row gets top; render's last row gets bottom exactly, while
// renderModulate's last row gets the colour at (h - 1) / h. Opaque white rows are skipped.
void render(const ui_t& ui, const orbo::tk::RGBA& top, const orbo::tk::RGBA& bottom);
void renderModulate(const ui_t& ui, const orbo::tk::RGBA& top, const orbo::tk::RGBA& bottom);
// One-pixel borders, drawn top, bottom, right, left; the colour becomes the current colour.
void render(const ui_t& ui, const orbo::tk::RGBA& colour, border_t edges);
void renderDashed(const ui_t& ui, const orbo::tk::RGBA& colour, border_t edges, int dash);

// Draws nothing; kept so callers that ask for pinstripes after a fill need not change.
void pinstripes(const ui_t& ui, unsigned char level);

// ---- Images.
// The view stretched to the current box by nearest-pixel sampling, tinted by the current
// colour; blended or written as the context's imageBlend flag says. An image without pixels,
// or a view reaching past its buffer, draws nothing.
void render(const ui_t& ui, const Image& image);
// The current box multiplied by the view 1:1 (tinted), from the view's top-left pixel; where the
// box is larger than the view, the part beyond it is left as it was.
void renderModulate(const ui_t& ui, const Image& image);

// ---- Text. Measuring works in every event; drawing only in paint events. Text is rasterised
// black on white and blended in the current colour with the grey level as coverage, so it
// composites like everything else. Measurements and coverage are cached across passes.

// The one-line extent of text in font, measured with the context's measuring DC.
shape_t getTextShape(const ui_t& ui, const wchar_t* text, const wxFont& font);
// The height of "M" in font.
float getFontHeight(const ui_t& ui, const wxFont& font);
// Draws text (line feeds start new lines) in the current colour into the current box, one
// pixel below its top, shifted left by offset (truncated toward zero) and cut at the box.
void render(const ui_t& ui, const wxFont& font, std::wstring_view text, float offset);
// Draws a text field's content inside the current box (a one-pixel inset), scrolled to keep
// the caret in view; when focused, also the caret bar and the selection fill.
void render(const ui_t& ui, const TextState& state, const orbo::tk::RGBA& selection, bool focused);

} // namespace gui
