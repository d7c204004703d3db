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
