// The text caches: two least-recently-used maps, one for measurements (bounded by entries),
// one for coverage bitmaps (bounded by bytes).
#include "text/text_cache.h"

#include <algorithm>
#include <cstdlib>
#include <list>
#include <pango/pangocairo.h>
#include <unordered_map>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/fontutil.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace gui {
namespace textcache {

namespace {

const size_t MAX_MEASUREMENTS = 4096;
const size_t MAX_COVERAGE_BYTES = 16u << 20;
const size_t MAX_SHAPED = 512;

template <class V> class Lru {
public:
    explicit Lru(size_t budget) : budget_(budget) {}

    V* find(const std::wstring& key) {
        auto it = index_.find(key);
        if (it == index_.end())
            return nullptr;
        items_.splice(items_.begin(), items_, it->second);
        return &it->second->value;
    }

    V& insert(const std::wstring& key, V value, size_t cost) {
        items_.push_front(Entry{key, std::move(value), cost});
        index_[key] = items_.begin();
        used_ += cost;
        // Never evicts the entry just made, even when it alone is over budget.
        while (used_ > budget_ && items_.size() > 1) {
            const Entry& last = items_.back();
            used_ -= last.cost;
            index_.erase(last.key);
            items_.pop_back();
        }
        return items_.front().value;
    }

    void clear() {
        items_.clear();
        index_.clear();
        used_ = 0;
    }
    size_t used() const { return used_; }
    size_t size() const { return items_.size(); }

private:
    struct Entry {
        std::wstring key;
        V value;
        size_t cost;
    };
    std::list<Entry> items_;
    std::unordered_map<std::wstring, typename std::list<Entry>::iterator> index_;
    size_t budget_;
    size_t used_ = 0;
};

struct Measurement {
    std::vector<int> partial; // partial extents, when asked for
    wxSize size;              // one-line or multi-line extent
};

struct State {
    bool enabled = true;
    Lru<Measurement> measurements{MAX_MEASUREMENTS};
    Lru<Coverage> coverage{MAX_COVERAGE_BYTES};
    Lru<std::shared_ptr<const Shaped>> shaped{MAX_SHAPED};
    Coverage scratch; // the uncached result
    Stats stats;
};

State& state() {
    static State s;
    return s;
}

// Everything about a font that decides its metrics and glyphs. Describing a font asks the
// platform for a string, which costs more than the lookups it serves, so descriptions are
// remembered per font data. Each remembered entry holds a reference to its font, so the data
// (and with it the address used as the key) stays alive and unchanged while it is listed.
// Keys hold a number for the description rather than the description itself: every lookup
// hashes and compares its key, and the description is most of a short label's.
struct KnownFont {
    wxFont font;
    wchar_t key;      // the description's number: fonts described alike measure alike
    wxFont scaled[3]; // at device scales 2, 3 and 4, made when first asked for
    wxSize kept[2] = {{-1, -1}, {-1, -1}}; // letterExtent's and ellipsisExtent's, once asked
};

wchar_t describedNumber(const std::wstring& description) {
    // Descriptions are few (a program uses a handful of fonts), so they are kept for good and
    // a number is never given to another description.
    static std::unordered_map<std::wstring, wchar_t> numbers;
    return numbers.emplace(description, static_cast<wchar_t>(numbers.size() + 1)).first->second;
}

KnownFont& known(const wxFont& font) {
    static std::list<KnownFont> fonts;
    const wxObjectRefData* data = font.GetRefData();
    for (auto it = fonts.begin(); it != fonts.end(); ++it)
        if (it->font.GetRefData() == data) {
            if (it != fonts.begin())
                fonts.splice(fonts.begin(), fonts, it);
            return fonts.front();
        }
    fonts.push_front(
        KnownFont{font,
                  describedNumber(font.GetNativeFontInfoDesc().ToStdWstring() + L'\x1F' +
                                  std::to_wstring(font.GetFractionalPointSize()) + L'\x1F' +
                                  (font.GetUnderlined() ? L'u' : L'-')),
                  {}});
    if (fonts.size() > 32)
        fonts.pop_back();
    return fonts.front();
}

// The font at scale times its size, kept with the font's entry so that a warm pass makes none.
const wxFont& scaledFont(const wxFont& font, int scale) {
    if (scale <= 1)
        return font;
    KnownFont& k = known(font);
    wxFont& f = k.scaled[std::min(scale, 4) - 2];
    if (!f.IsOk())
        f = font.Scaled(static_cast<float>(scale));
    return f;
}

void appendNumber(std::wstring& out, int v) {
    if (v < 0) {
        out += L'-';
        v = -v;
    }
    wchar_t digits[12];
    int n = 0;
    do
        digits[n++] = static_cast<wchar_t>(L'0' + v % 10);
    while ((v /= 10) != 0);
    while (n > 0)
        out += digits[--n];
}

// The key of an entry, built into out (a buffer that keeps its capacity): kind, font, the
// clipped size, shift and scale for coverage, text.
const std::wstring& key(std::wstring& out, wchar_t kind, const wxFont& font, std::wstring_view text,
                        const int* sizeAndShift = nullptr) {
    out.clear();
    out += kind;
    out += known(font).key;
    if (sizeAndShift) {
        appendNumber(out, sizeAndShift[0]);
        out += L'x';
        appendNumber(out, sizeAndShift[1]);
        out += L'+';
        appendNumber(out, sizeAndShift[2]);
        if (sizeAndShift[3] != 1) {
            out += L'@';
            appendNumber(out, sizeAndShift[3]);
        }
    }
    out += L'\x1F';
    out.append(text.data(), text.size());
    return out;
}

template <class Measure>
const Measurement& measured(wchar_t kind, const wxFont& font, std::wstring_view text,
                            Measure measure) {
    State& s = state();
    if (!s.enabled) {
        static Measurement uncached;
        uncached = measure();
        return uncached;
    }
    static std::wstring buffer;
    const std::wstring& k = key(buffer, kind, font, text);
    if (Measurement* hit = s.measurements.find(k)) {
        ++s.stats.hits;
        return *hit;
    }
    ++s.stats.misses;
    return s.measurements.insert(k, measure(), 1);
}

} // namespace

const std::vector<int>& partialExtents(wxDC& dc, const wxFont& font, std::wstring_view text) {
    return measured(L'p', font, text,
                    [&] {
                        Measurement r;
                        wxArrayInt widths;
                        dc.SetFont(font);
                        dc.GetPartialTextExtents(wxString(text.data(), text.size()), widths);
                        r.partial.assign(widths.begin(), widths.end());
                        return r;
                    })
        .partial;
}

void partialExtents(wxDC& dc, const wxFont& font, std::wstring_view text, wxArrayInt& out) {
    const std::vector<int>& widths = partialExtents(dc, font, text);
    out.assign(widths.begin(), widths.end());
}

namespace {
// A cached size measured by one of wxDC's extent calls.
wxSize size(wchar_t kind, wxDC& dc, const wxFont& font, std::wstring_view text,
            wxSize (wxDC::*measure)(const wxString&) const) {
    return measured(kind, font, text,
                    [&] {
                        Measurement r;
                        dc.SetFont(font);
                        r.size = (dc.*measure)(wxString(text.data(), text.size()));
                        return r;
                    })
        .size;
}
} // namespace

wxSize extent(wxDC& dc, const wxFont& font, std::wstring_view text) {
    return size(L'e', dc, font, text, &wxDC::GetTextExtent);
}

namespace {
wxSize keptExtent(wxDC& dc, const wxFont& font, int slot, std::wstring_view text) {
    if (!state().enabled)
        return extent(dc, font, text);
    wxSize& kept = known(font).kept[slot];
    if (kept.x < 0)
        kept = extent(dc, font, text);
    return kept;
}
} // namespace

wxSize letterExtent(wxDC& dc, const wxFont& font) {
    return keptExtent(dc, font, 0, L"M");
}

wxSize ellipsisExtent(wxDC& dc, const wxFont& font) {
    return keptExtent(dc, font, 1, L"...");
}

wxSize multiLineExtent(wxDC& dc, const wxFont& font, std::wstring_view text) {
    return size(L'm', dc, font, text, &wxDC::GetMultiLineTextExtent);
}

namespace {
// Letters of the alphabetic scripts (Latin, Greek, Cyrillic and their punctuation) that stand
// alone: each takes its own advance, with no shaping that joins it to its neighbours.
bool standsAlone(wchar_t c) {
    return (c >= 0x20 && c < 0x300) || (c >= 0x370 && c < 0x483) || (c > 0x489 && c < 0x530) ||
           (c >= 0x2000 && c < 0x2070);
}

// Black on white into a 24-bit bitmap of the clipped size, then grey to coverage weight. At
// scale 1 the text is drawn as a label. At a larger scale it is drawn in the font of scale times
// the size, whose glyph advances round differently from the logical size's: drawn as a whole,
// a line would come out a few pixels narrower or wider than the layout measured it, and a caret
// or a selection placed by the logical measure would stand off its letters. So each letter
// stands where scale times its logical position falls, and each line's baseline where scale
// times the logical baseline falls: the text is the logical text, sharper. Letters that shape
// together (joining scripts, combining marks) are drawn as one run from its logical start.
void rasterise(const wxFont& font, std::wstring_view text, int w, int h, int x, int scale,
               Coverage& out) {
    const int logicalW = w;
    w *= scale;
    h *= scale;
    x *= scale;
    wxBitmap bitmap(w, h, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetTextForeground(wxColour(0, 0, 0, 255));
        dc.SetTextBackground(wxColour(255, 255, 255, 255));
        dc.SetBackgroundMode(wxSOLID);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetFont(font);
        const bool rightAligned = rightAlignedParagraph(dc, font, text);
        if (scale == 1) {
            dc.DrawLabel(wxString(text.data(), text.size()), wxRect(x, 0, w, h),
                         rightAligned ? wxALIGN_RIGHT : 0, -1);
        } else {
            int unused, line, descent, scaledLine, scaledDescent;
            dc.GetTextExtent(L"W", &unused, &line, &descent);
            const wxFont& scaled = scaledFont(font, scale);
            dc.SetFont(scaled);
            dc.GetTextExtent(L"W", &unused, &scaledLine, &scaledDescent);
            const int shift = scale * (line - descent) - (scaledLine - scaledDescent);
            wxArrayInt logical;
            std::vector<std::pair<int, int>> runPieces;
            size_t start = 0;
            for (int i = 0; start <= text.size(); ++i) {
                size_t end = text.find(L'\n', start);
                if (end == std::wstring_view::npos)
                    end = text.size();
                const wxString row(text.data() + start, end - start);
                const std::wstring_view view(text.data() + start, end - start);
                dc.SetFont(font);
                // Where the platform lays the row out in another order than the logical one,
                // each run stands where the layout puts it, drawn in its own direction.
                std::shared_ptr<const Shaped> laidOut;
                if (needsShaping(view))
                    laidOut = shaped(dc, font, view);
                else
                    dc.GetPartialTextExtents(row, logical);
                dc.SetFont(scaled);
                int rowX = x;
                if (rightAligned && !row.empty())
                    rowX += scale * (logicalW - (laidOut ? laidOut->width() : logical.back()));
                for (size_t a = 0; a < row.size();) {
                    size_t b = a + 1; // a run: one letter, or what shapes with it
                    if (!standsAlone(row[a]))
                        while (b < row.size() && !standsAlone(row[b]))
                            ++b;
                    int at = rowX + scale * (!laidOut && a ? logical[a - 1] : 0);
                    wxString run = row.substr(a, b - a);
                    if (laidOut && row[a] != L' ') {
                        laidOut->pieces(a, b, runPieces);
                        if (runPieces.empty())
                            runPieces.emplace_back(0, 0);
                        at = rowX + scale * runPieces.front().first;
                        if (laidOut->isRightToLeftAt(a)) {
                            // Read from its right edge: it stands there, whatever its width in
                            // the larger font.
                            run.insert(0, 1, L'\x200F'); // mirrored brackets stay mirrored
                            at = rowX + scale * runPieces.back().second - dc.GetTextExtent(run).x;
                        }
                    }
                    if (row[a] != L' ')
                        dc.DrawText(run, at, scale * i * line + shift);
                    a = b;
                }
                start = end + 1;
            }
        }
    }
    const wxImage image = bitmap.ConvertToImage();
    const unsigned char* rgb = image.GetData();
    out.w = w;
    out.h = h;
    out.k.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (size_t i = 0; i < out.k.size(); ++i, rgb += 3) {
        const unsigned g = (((rgb[0] + rgb[2]) >> 1) + rgb[1]) >> 1;
        out.k[i] = static_cast<std::uint16_t>(256 - g);
    }
}
} // namespace

const Coverage& coverage(const wxFont& font, std::wstring_view text, int w, int h, int x,
                         int scale) {
    State& s = state();
    scale = std::max(1, scale);
    if (!s.enabled) {
        rasterise(font, text, w, h, x, scale, s.scratch);
        return s.scratch;
    }
    static std::wstring buffer;
    const int sizeAndShift[4] = {w, h, x, scale};
    const std::wstring& k = key(buffer, L'c', font, text, sizeAndShift);
    if (Coverage* hit = s.coverage.find(k)) {
        ++s.stats.hits;
        return *hit;
    }
    ++s.stats.misses;
    Coverage c;
    rasterise(font, text, w, h, x, scale, c);
    const size_t bytes = c.k.size() * sizeof(std::uint16_t) + k.size() * sizeof(wchar_t);
    return s.coverage.insert(k, std::move(c), bytes);
}

// ---- Shaped lines

bool needsShaping(std::wstring_view text) {
    for (const wchar_t ch : text) {
        const unsigned long c = static_cast<unsigned long>(ch);
        if (c < 0x300)
            continue;
        if ((c >= 0x300 && c < 0x370) ||     // combining diacritical marks
            (c >= 0x483 && c < 0x48A) ||     // Cyrillic combining marks
            (c >= 0x590 && c < 0x900) ||     // Hebrew, Arabic, Syriac, Thaana, N'Ko ...
            (c >= 0x900 && c < 0xE00) ||     // the Indic scripts, which shape into clusters
            (c >= 0xE31 && c < 0xE4F) ||     // Thai vowel and tone marks
            (c >= 0x1AB0 && c < 0x1B00) ||   // combining marks, extended
            (c >= 0x1DC0 && c < 0x1E00) ||   // combining marks, supplement
            (c >= 0x200C && c < 0x2010) ||   // joiners and direction marks
            (c >= 0x202A && c < 0x202F) ||   // direction embeddings and overrides
            (c >= 0x2066 && c < 0x206A) ||   // direction isolates
            (c >= 0x20D0 && c < 0x2100) ||   // combining marks for symbols
            (c >= 0xFB1D && c < 0xFE00) ||   // Hebrew and Arabic presentation forms
            (c >= 0xFE00 && c < 0xFE10) ||   // variation selectors
            (c >= 0xFE20 && c < 0xFE30) ||   // combining half marks
            (c >= 0xFE70 && c < 0xFF00) ||   // Arabic presentation forms B
            (c >= 0x10800 && c < 0x10FFF) || // mostly right-to-left scripts, supplementary plane
            (c >= 0x1E800 && c < 0x1EFFF) || // Mende Kikakui, Adlam, Arabic mathematical letters
            (c >= 0x1F3FB && c < 0x1F400) || // skin tones, which join the emoji before them
            (c >= 0xE0100 && c < 0xE01F0))   // variation selectors, supplement
            return true;
    }
    return false;
}

struct Shaped::Layout {
    PangoLayout* layout = nullptr;
    ~Layout() {
        if (layout)
            g_object_unref(layout);
    }
};

Shaped::Shaped(wxDC& dc, const wxFont& font, std::wstring_view text, int direction)
    : layout_(new Layout) {
    // The layout is made on the cairo context the DC draws with, so that it measures and
    // orders exactly as the DC's own text calls do.
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    cairo_t* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    cairo_surface_t* own = nullptr;
    if (!cr) {
        own = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        cr = cairo_create(own);
    }
    PangoLayout* layout = layout_->layout = pango_cairo_create_layout(cr);
    if (own) {
        cairo_destroy(cr);
        cairo_surface_destroy(own);
    }
    pango_layout_set_font_description(layout, font.GetNativeFontInfo()->description);
    if (direction != 0) {
        pango_layout_set_auto_dir(layout, FALSE);
        pango_context_set_base_dir(pango_layout_get_context(layout),
                                   direction < 0 ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_LTR);
        pango_layout_context_changed(layout);
    }
    std::string utf8;
    utf8.reserve(text.size());
    bytes_.reserve(text.size() + 1);
    for (const wchar_t ch : text) {
        bytes_.push_back(static_cast<int>(utf8.size()));
        char buffer[6];
        const int n = g_unichar_to_utf8(static_cast<gunichar>(ch), buffer);
        utf8.append(buffer, static_cast<size_t>(n));
    }
    bytes_.push_back(static_cast<int>(utf8.size()));
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    int h = 0;
    pango_layout_get_pixel_size(layout, &width_, &h);
    rightToLeft_ = pango_layout_get_line_readonly(layout, 0)->resolved_dir == PANGO_DIRECTION_RTL;
}

Shaped::~Shaped() = default;

size_t Shaped::indexOfByte(int byte) const {
    return static_cast<size_t>(std::lower_bound(bytes_.begin(), bytes_.end(), byte) -
                               bytes_.begin());
}

int Shaped::caretX(size_t index, bool strong) const {
    PangoRectangle s, w;
    pango_layout_get_cursor_pos(layout_->layout, bytes_[std::min(index, length())], &s, &w);
    return PANGO_PIXELS(strong ? s.x : w.x);
}

size_t Shaped::indexAt(int x) const {
    int byte = 0, trailing = 0;
    pango_layout_xy_to_index(layout_->layout, x * PANGO_SCALE, 0, &byte, &trailing);
    return std::min(indexOfByte(byte) + static_cast<size_t>(trailing), length());
}

size_t Shaped::moveVisually(size_t index, int direction) const {
    int byte = 0, trailing = 0;
    pango_layout_move_cursor_visually(layout_->layout, TRUE, bytes_[std::min(index, length())], 0,
                                      direction > 0 ? 1 : -1, &byte, &trailing);
    if (byte < 0 || byte == G_MAXINT)
        return index; // the line's visual end
    return std::min(indexOfByte(byte) + static_cast<size_t>(trailing), length());
}

bool Shaped::isRightToLeftAt(size_t index) const {
    PangoRectangle r;
    pango_layout_index_to_pos(layout_->layout, bytes_[std::min(index, length())], &r);
    return r.width < 0;
}

bool Shaped::isCursorStop(size_t index) const {
    int n = 0;
    const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(layout_->layout, &n);
    return index >= static_cast<size_t>(n) || attrs[index].is_cursor_position;
}

const std::vector<int>& Shaped::logicalExtents() const {
    if (logicalMeasured_)
        return logical_;
    // Each cluster's width, in the layout's units, counted where the cluster starts in the
    // text: one walk over the clusters (asking the layout position by position costs the
    // square of the line's length, minutes for a long paragraph).
    std::vector<int> share(length() + 1, 0);
    PangoLayoutIter* it = pango_layout_get_iter(layout_->layout);
    do {
        PangoRectangle logical;
        pango_layout_iter_get_cluster_extents(it, nullptr, &logical);
        share[indexOfByte(pango_layout_iter_get_index(it))] += std::abs(logical.width);
    } while (pango_layout_iter_next_cluster(it));
    pango_layout_iter_free(it);
    logical_.resize(length());
    int sum = 0;
    for (size_t i = 0; i < length(); ++i) {
        sum += share[i];
        logical_[i] = PANGO_PIXELS(sum);
    }
    logicalMeasured_ = true;
    return logical_;
}

void Shaped::pieces(size_t begin, size_t end, std::vector<std::pair<int, int>>& out) const {
    out.clear();
    end = std::min(end, length());
    if (begin >= end)
        return;
    int* ranges = nullptr;
    int n = 0;
    pango_layout_line_get_x_ranges(pango_layout_get_line_readonly(layout_->layout, 0),
                                   bytes_[begin], bytes_[end], &ranges, &n);
    for (int i = 0; i < n; ++i)
        out.emplace_back(PANGO_PIXELS(ranges[2 * i]), PANGO_PIXELS(ranges[2 * i + 1]));
    g_free(ranges);
}

std::shared_ptr<const Shaped> shaped(wxDC& dc, const wxFont& font, std::wstring_view text,
                                     int direction) {
    State& s = state();
    if (!s.enabled)
        return std::make_shared<const Shaped>(dc, font, text, direction);
    static std::wstring buffer;
    key(buffer, direction < 0 ? L'r' : direction > 0 ? L'l' : L's', font, text);
    if (std::shared_ptr<const Shaped>* hit = s.shaped.find(buffer)) {
        ++s.stats.hits;
        return *hit;
    }
    ++s.stats.misses;
    return s.shaped.insert(buffer, std::make_shared<const Shaped>(dc, font, text, direction), 1);
}

bool rightAlignedParagraph(wxDC& dc, const wxFont& font, std::wstring_view text) {
    return text.find(L'\n') != std::wstring_view::npos && needsShaping(text) &&
           shaped(dc, font, text)->rightToLeft();
}

void setEnabled(bool on) {
    state().enabled = on;
}
bool enabled() {
    return state().enabled;
}

void clear() {
    state().measurements.clear();
    state().coverage.clear();
    state().shaped.clear();
}

Stats stats() {
    Stats out = state().stats;
    out.measureEntries = state().measurements.size();
    out.coverageBytes = state().coverage.used();
    return out;
}

} // namespace textcache
} // namespace gui
