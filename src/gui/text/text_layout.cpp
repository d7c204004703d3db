// Word wrap and fit, worked out on the measured extents of the text: one measurement each,
// then integer positions.
#include "gui/text_layout.h"

#include "text/text_cache.h"

#include <algorithm>

namespace gui {

float greedy_word_wrap(const ui_t& ui, const wxFont& font, wxString& text, float width) {
    wxDC& dc = ui->measureDC();
    std::wstring t = text.ToStdWstring();
    wxArrayInt e;
    textcache::partialExtents(dc, font, t, e);
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

void fit(const ui_t& ui, const wxFont& font, float& width, std::wstring_view t, bool keepStart,
         std::wstring& out) {
    out.clear();
    if (t.empty())
        return;
    wxDC& dc = ui->measureDC();
    static const std::wstring_view ELLIPSIS = L"...";
    const float ew = static_cast<float>(textcache::extent(dc, font, ELLIPSIS).x);
    if (ew > width) {
        width = 0;
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
