// Word wrap and fit, worked out on the measured extents of the text: one measurement each,
// then integer positions.
#include "gui/text_layout.h"

#include "text/text_cache.h"

#include <algorithm>
#include <vector>

namespace gui {

float greedy_word_wrap(const ui_t& ui, const wxFont& font, wxString& text, float width) {
    wxDC& dc = ui->measureDC();
    std::wstring t = text.ToStdWstring();
    wxArrayInt e;
    if (textcache::needsShaping(t)) {
        // The platform's partial extents follow the order the text shows in; breaks go at
        // logical places, so the widths are summed in logical order.
        const std::vector<int>& logical = textcache::shaped(dc, font, t)->logicalExtents();
        e.assign(logical.begin(), logical.end());
    } else {
        textcache::partialExtents(dc, font, t, e);
    }
    const long n = static_cast<long>(t.size());
    const long NONE = -1;
    long b = NONE; // the break candidate: the last space of the last run passed
    double L = 0;  // where the current line starts, in pixels
    for (long i = 0; i <= n; ++i) {
        if (i < n && t[i] != L' ' && t[i] != L'\n')
            continue; // ordinary characters are passed over
        if (i < n && t[i] == L' ')
            while (i < n && t[i] == L' ')
                ++i;
        // A boundary: the end, a line feed, or the first character after a run of spaces.
        if (i > 0 && e[i - 1] - L > width) {
            if (b == NONE) {
                b = i - 1;
                if (t[b] != L' ')
                    break; // a single over-long word with no space before it: stop wrapping
            }
            t[b] = L'\n';
            L = e[b];
            b = NONE;
        } else {
            b = i - 1; // none when i = 0
        }
        if (i < n && t[i] == L'\n') {
            b = NONE;
            L = e[i];
        }
    }
    text = t;
    return static_cast<float>(textcache::multiLineExtent(dc, font, t).y);
}

namespace {

const std::wstring_view ELLIPSIS = L"...";

// fit for text the platform lays out (right-to-left runs, clusters): its partial extents follow
// the order it shows in, so the kept part is measured by its clusters in logical order and cut
// only between clusters, and the result keeps the text's direction, which puts the ellipsis on
// the side the cut part was on. A cut that leaves another first strong letter is led by a
// direction mark; the result is measured whole, as letters that join are shaped anew at a cut.
void fitShaped(wxDC& dc, const wxFont& font, float& width, std::wstring_view t, bool keepStart,
               float ew, std::wstring& out) {
    const std::shared_ptr<const textcache::Shaped> whole = textcache::shaped(dc, font, t);
    if (static_cast<float>(whole->width()) <= width) {
        width = static_cast<float>(whole->width());
        out.assign(t.data(), t.size());
        return;
    }
    const size_t n = t.size();
    const std::vector<int>& e = whole->logicalExtents(); // kept with the layout: read at will
    const auto keptWidth = [&](size_t cut) {
        const int before = cut ? e[cut - 1] : 0;
        return static_cast<float>(keepStart ? before : e[n - 1] - before);
    };
    // Keeping the start, the cut moves back from the end; keeping the end, on from the start.
    size_t cut = keepStart ? n : 0;
    const auto step = [&] {
        do
            cut = keepStart ? cut - 1 : cut + 1;
        while (cut > 0 && cut < n && !whole->isCursorStop(cut));
    };
    while ((keepStart ? cut > 0 : cut < n) && keptWidth(cut) + ew > width)
        step();
    for (;;) {
        out.clear();
        if (keepStart) {
            out.assign(t.data(), cut);
            out.append(ELLIPSIS.data(), ELLIPSIS.size());
        } else {
            out.assign(ELLIPSIS.data(), ELLIPSIS.size());
            out.append(t.data() + cut, n - cut);
        }
        if (textcache::shaped(dc, font, out)->rightToLeft() != whole->rightToLeft())
            out.insert(out.begin(), whole->rightToLeft() ? L'\x200F' : L'\x200E');
        const float w = static_cast<float>(textcache::extent(dc, font, out).x);
        if (w <= width || cut == (keepStart ? 0 : n)) {
            width = w; // at the far end only "..." is left, which fits
            return;
        }
        step();
    }
}

} // namespace

void fit(const ui_t& ui, const wxFont& font, float& width, std::wstring_view t, bool keepStart,
         std::wstring& out) {
    out.clear();
    if (t.empty())
        return;
    wxDC& dc = ui->measureDC();
    const float ew = static_cast<float>(textcache::ellipsisExtent(dc, font).x);
    if (ew > width) {
        width = 0;
        return;
    }
    if (textcache::needsShaping(t)) {
        fitShaped(dc, font, width, t, keepStart, ew, out);
        return;
    }
    // The cache's own vector: read before the next cache call.
    const std::vector<int>& e = textcache::partialExtents(dc, font, t);
    const size_t n = t.size();
    const float tw = static_cast<float>(e[n - 1]);
    if (width >= tw) {
        width = tw;
        out.assign(t.data(), t.size());
        return;
    }
    if (keepStart) {
        const float target = width - ew;
        // The first index whose extent reaches the target.
        const size_t p = static_cast<size_t>(
            std::lower_bound(e.begin(), e.end(), target,
                             [](int v, float x) { return static_cast<float>(v) < x; }) -
            e.begin());
        width = p == 0 ? ew : static_cast<float>(e[p - 1]) + ew;
        out.assign(t.data(), p);
        out.append(ELLIPSIS.data(), ELLIPSIS.size());
        return;
    }
    const float target = (tw - width) + ew;
    // The first index whose extent passes the target.
    const size_t p = static_cast<size_t>(
        std::upper_bound(e.begin(), e.end(), target,
                         [](float x, int v) { return x < static_cast<float>(v); }) -
        e.begin());
    const size_t m = n > p + 1 ? n - p - 1 : 0;
    width = ew + (m > 0 ? tw - static_cast<float>(e[p]) : 0.0f);
    out.assign(ELLIPSIS.data(), ELLIPSIS.size());
    out.append(t.data() + (n - m), m);
}

std::wstring fit(const ui_t& ui, const wxFont& font, float& width, const wxString& text,
                 bool keepStart) {
    const std::wstring t = text.ToStdWstring();
    std::wstring out;
    fit(ui, font, width, std::wstring_view(t), keepStart, out);
    return out;
}

} // namespace gui
