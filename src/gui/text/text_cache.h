// Measured text and rasterised text coverage, kept across passes. Measuring a string costs
// tens of microseconds and rasterising one several times that, while most windows repaint the
// same strings pass after pass; the cache makes the repeat cost a hash lookup. Entries are
// keyed by everything that decides them (the font's full description, the text, and for
// coverage the clipped size and the horizontal shift), so a hit returns exactly what the
// platform would have produced. Both caches are bounded and evict the least recently used.
//
// Shared by every window of the process, like the standard textures; used on the UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <wx/dc.h>
#include <wx/font.h>

namespace gui {
namespace textcache {

// A lookup copies nothing once its entry exists: keys are built in buffers that keep their
// capacity, and results are handed out by reference until the next call.

// wxDC::GetPartialTextExtents of text in font: entry i is the width of the first i + 1 units.
const std::vector<int>& partialExtents(wxDC& dc, const wxFont& font, std::wstring_view text);
void partialExtents(wxDC& dc, const wxFont& font, std::wstring_view text, wxArrayInt& out);
// wxDC::GetTextExtent (one line).
wxSize extent(wxDC& dc, const wxFont& font, std::wstring_view text);
// The extents of two texts that nearly every pass measures in its fonts, kept with the font
// rather than looked up: "M" (the height a line takes) and "..." (what fitting a text cuts to).
wxSize letterExtent(wxDC& dc, const wxFont& font);
wxSize ellipsisExtent(wxDC& dc, const wxFont& font);
// wxDC::GetMultiLineTextExtent: the widest line and the height of all lines.
wxSize multiLineExtent(wxDC& dc, const wxFont& font, std::wstring_view text);

// The text drawn black on white into a w x h bitmap at (x, 0), as coverage weights
// k = 256 - grey per pixel, rows top-down (grey = ((R + B) / 2 + G) / 2, floored). At a device
// scale s the bitmap is s * w x s * h, the text at s * x drawn in the font at s times its size:
// the same text laid out in the same room, with s times the pixels.
struct Coverage {
    int w = 0, h = 0;
    std::vector<std::uint16_t> k;
};
const Coverage& coverage(const wxFont& font, std::wstring_view text, int w, int h, int x,
                         int scale = 1);

// Whether text holds a character whose display order or cursor positions the summed widths
// above cannot give: a letter of a right-to-left script, a direction mark, a combining mark or
// another part of a cluster. Everything else shows in logical order, one position per unit.
bool needsShaping(std::wstring_view text);

// One line of text as the platform lays it out and draws it: shaped, its runs put in visual
// order. Positions are those of the text, 0 ... length; x is in pixels from the line's left.
class Shaped {
public:
    Shaped(wxDC& dc, const wxFont& font, std::wstring_view text, int direction);
    Shaped(const Shaped&) = delete;
    Shaped& operator=(const Shaped&) = delete;
    ~Shaped();

    size_t length() const { return bytes_.size() - 1; }
    bool rightToLeft() const { return rightToLeft_; }
    int width() const { return width_; }
    // Where the caret of a position stands: the strong cursor, where text in the line's own
    // direction would go; the weak one, where text of the other direction would.
    int caretX(size_t index, bool strong = true) const;
    // The position a press at x goes to: before a glyph when on its leading half, after it on
    // its trailing half (the right half of a right-to-left glyph is its leading half).
    size_t indexAt(int x) const;
    // The next caret position one step to the right (direction > 0) or to the left, in visual
    // order, never inside a cluster; the same position at the line's visual end.
    size_t moveVisually(size_t index, int direction) const;
    // Whether the letter at a position is laid out right to left.
    bool isRightToLeftAt(size_t index) const;
    // Whether the caret may stand at a position (not inside a cluster).
    bool isCursorStop(size_t index) const;
    // Entry i: the width of the first i + 1 characters, each cluster counted where it starts,
    // whatever the order they show in (what wrapping and fitting at logical places measure).
    // Worked out when first asked for, then kept with the layout.
    const std::vector<int>& logicalExtents() const;
    // The pieces [x0, x1) of the line that the positions [begin, end) cover, left to right: a
    // range that spans a change of direction shows as several.
    void pieces(size_t begin, size_t end, std::vector<std::pair<int, int>>& out) const;

private:
    size_t indexOfByte(int byte) const;

    struct Layout;
    std::unique_ptr<Layout> layout_;
    std::vector<int> bytes_; // the UTF-8 offset of each position
    mutable std::vector<int> logical_;
    mutable bool logicalMeasured_ = false;
    bool rightToLeft_ = false;
    int width_ = 0;
};

// text laid out in font, its paragraph direction found from its first letter of a strong
// direction (direction 0; left to right when it has none), or forced (1 left to right, -1 right
// to left). Kept like the measurements; the pointer stays valid while the caller holds it.
std::shared_ptr<const Shaped> shaped(wxDC& dc, const wxFont& font, std::wstring_view text,
                                     int direction = 0);

// Whether text is a paragraph of several lines that reads right to left: its lines then keep
// to the right of the room it is given, where they start.
bool rightAlignedParagraph(wxDC& dc, const wxFont& font, std::wstring_view text);

// Caching can be switched off (everything is then measured and rasterised anew), to show that
// both give the same results and to measure what the cache saves.
void setEnabled(bool enabled);
bool enabled();
void clear();

struct Stats {
    std::uint64_t hits = 0, misses = 0;
    size_t measureEntries = 0, coverageBytes = 0;
};
Stats stats();

} // namespace textcache
} // namespace gui
