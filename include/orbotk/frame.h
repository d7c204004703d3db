// The frame of one window: its framebuffer at the device scale, and what makes a repaint cost
// what it draws. Per row it keeps the runs of columns the paint pass in progress has drawn on
// (the rest reads as transparent and is cleared lazily), what the row showed when the last
// pass ended (its memo, so that the next pass writes only what may differ), the columns
// written since the presenter last looked (damage), and the kept backdrop with its mappings.
// The context owns one per window and runs its passes over it; the renderer draws through
// drawRow and mapRow. Use it on the UI thread only.
#pragma once

#include "orbotk/rgba.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace orbotk {

class Frame {
public:
    // Sizes the framebuffer to w x h logical pixels at the given device scale (content is not
    // kept). When the memory cannot be had, it logs the failure, leaves the framebuffer empty
    // (0 x 0, so passes draw nothing) and returns false.
    bool resize(int w, int h, int scale);
    // A paint pass begins: no row has been drawn on yet.
    void beginPaint();
    // A pass ends: what nothing drew on is cleared, and the memos say what the frame shows.
    void endPass() { settle(true); }

    // The window's size in logical pixels: what boxes, the pointer and hosts count in.
    int W() const { return logicalW_; }
    int H() const { return logicalH_; }
    // Device pixels per logical pixel (1 on most screens, 2 on a HiDPI one). The frame holds
    // scale() x scale() device pixels for each logical one, and the renderer draws at that
    // resolution: a box from logical x to x + w covers device columns s * x to s * (x + w).
    int scale() const { return scale_; }
    // The frame's size in device pixels: W() * scale() x H() * scale().
    int frameW() const { return width_; }
    int frameH() const { return height_; }
    // frameW x frameH premultiplied pixels, rows bottom-up: device pixel (x, y) is
    // [(frameH - 1 - y) * frameW + x].
    // During a paint pass the frame reads as cleared at the start of the pass plus whatever has
    // been drawn since. A paint pass writes only the pixels that differ from the frame the last
    // one left, so writing through this pointer (until the next paint pass ends) makes the next
    // pass write every pixel.
    orbo::tk::RGBA* framebuffer() {
        settle();
        forgetFrame();
        return framebuffer_.get();
    }
    const orbo::tk::RGBA* framebuffer() const {
        settle();
        return framebuffer_.get();
    }

    // Drawing on device row y (0 <= y < frameH), columns x0 .. x1 - 1 (within 0 .. frameW). A paint
    // pass does not clear the frame up front: each row keeps the runs of columns drawn on so far in
    // the pass, and the rest of the row reads as transparent (or, behind a backdrop, as the
    // backdrop). Columns a .. a + n - 1 not drawn on yet are handed to fresh(row, a, n), which
    // must write them as if drawing onto transparent black (for most operations a plain store:
    // that saves the clear and a read of every pixel); the others go to drawn(row, a, n). row is
    // the row's first pixel. fresh and drawn may be called for any pieces of the columns, and
    // while a backdrop is kept once more for the kept copy's row: what they write must depend
    // only on the columns and the pixels there. A row keeps two runs (a window's left and
    // right edges are drawn before what lies between them); a third is joined to its nearest by
    // clearing the columns between. What nothing drew on is cleared when the pass ends.
    template <typename Fresh, typename Drawn>
    void drawRow(int y, int x0, int x1, Fresh fresh, Drawn drawn) {
        if (x0 >= x1)
            return;
        orbo::tk::RGBA* row = rowAt(y);
        if (mode_ != Mode::Normal) {
            drawSpecial(y, row, x0, x1, fresh, drawn);
            return;
        }
        const size_t i = static_cast<size_t>(y);
        drawOn(row, drawn_[i], under_[i], &memo_[i], x0, x1, fresh, drawn);
    }
    // The same, for operations that read every pixel they draw on: fresh columns are cleared.
    template <typename Drawn> void drawRow(int y, int x0, int x1, Drawn drawn) {
        drawRow(
            y, x0, x1,
            [&](orbo::tk::RGBA* row, int a, int n) {
                clear(row + a, n);
                drawn(row, a, n);
            },
            drawn);
    }

    // Drawing on the whole of columns x0 .. x1 - 1 of row y that maps each pixel by itself alone,
    // the same mapping for every pixel (a modulation by one colour): map(p, n) maps n pixels in
    // place, fresh(row, a, n) is as for drawRow, and tag names the mapping (equal tags, equal
    // mappings). Where the row shows the backdrop, the backdrop's row mapped once is kept from
    // pass to pass and shown instead, so that those columns are neither copied nor mapped.
    template <typename Fresh, typename Map>
    void mapRow(int y, int x0, int x1, std::uint64_t tag, Fresh fresh, Map map) {
        if (x0 >= x1)
            return;
        const size_t i = static_cast<size_t>(y);
        if (mode_ != Mode::Normal || under_[i] == nullptr || under_[i] != &backdrop_.shown[i]) {
            drawRow(y, x0, x1, fresh, [&](orbo::tk::RGBA* row, int a, int n) { map(row + a, n); });
            return;
        }
        Shown& mapped = backdrop_.shownMapped[i];
        if (remapBackdropRow(y, x0, x1, tag)) {
            map(backdrop_.mapped.get() + i * static_cast<size_t>(width_) + x0, x1 - x0);
            describe(mapped, width_);
        }
        under_[i] = &mapped;
        // Only the columns drawn on in the pass are mapped in the frame itself.
        orbo::tk::RGBA* row = rowAt(y);
        const Runs& r = drawn_[i];
        for (int k = 0; k < r.n; ++k) {
            const int a = std::max(x0, r.lo[k]), b = std::min(x1, r.hi[k]);
            if (a < b)
                map(row + a, b - a);
        }
    }

    // Columns lo .. hi - 1 of device row y hold every pixel of the row written since the last
    // clearDamage() (lo >= hi: none): what a presenter that keeps the last frame it was given
    // needs to look at again. A new size damages every row.
    void damage(int y, int& lo, int& hi) const {
        const Memo& m = memo_[static_cast<size_t>(y)];
        lo = m.damageLo;
        hi = m.damageHi;
    }
    void clearDamage();

    // How many times a backdrop was drawn in full and kept: once per size and key, if the key
    // says what it should.
    std::uint64_t backdropsKept() const { return backdropsKept_; }

    // A backdrop: drawing that lies behind everything drawn before it in the pass and comes out
    // the same in every pass while key, the frame's size, the current box, the colour and the
    // image blend flag stay the same (a window's panel). key must change whenever anything else
    // that draw() draws changes: its images, colours or shapes. draw() runs exactly once, as
    // ordinary drawing would. The second time at a size (the first may be one of many sizes a
    // resize goes through), the context also keeps what draw() makes of a cleared frame; after
    // that, draw() draws only where the pass has drawn already, and the rest of each
    // row shows the kept backdrop, copied in only where something is later drawn on it, or when
    // the pass ends. Outside paint passes draw() just runs.
    // paint says whether the pass draws (and has a box to draw in); key must name what else
    // decides the drawing besides the frame's size.
    template <typename Draw> void drawBackdrop(std::uint64_t key, bool paint, Draw draw) {
        const Mode mode = beginBackdrop(key, paint);
        if (mode == Mode::Normal) {
            draw();
            return;
        }
        struct End {
            Frame& frame;
            bool done;
            ~End() { frame.endBackdrop(done); }
        } end{*this, false};
        draw();
        end.done = true;
    }

private:
    static void clear(orbo::tk::RGBA* p, int n);
    struct Runs;
    // A row of the backdrop as the frame shows it: its pixels, of which columns lo .. hi - 1 are
    // all one colour (stored as such: a row of a panel is mostly one colour).
    struct Shown {
        const orbo::tk::RGBA* pixels;
        int lo, hi;
        orbo::tk::RGBA colour;
    };
    static void describe(Shown& s, int w);
    struct Memo;
    // Columns from .. to - 1 of the row as under shows them, or cleared when under is null.
    // With the frame row's memo (null for other rows), columns the row shows so already are
    // left alone, and what is written counts as damage.
    static void show(orbo::tk::RGBA* row, const Shown* under, int from, int to, Memo* m);
    static void put(orbo::tk::RGBA* row, const Shown* under, int from, int to, Memo* m);
    // Joins x0 .. x1 to the row's runs; a gap closed by the join is shown from under.
    static void addRun(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int x0, int x1);
    // Shows the columns of the row outside its runs from under and makes the row one run over
    // all w columns.
    static void settleRow(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int w);
    // Every column of b's runs lies in one of a's.
    static bool covers(const Runs& a, const Runs& b);
    // ending: in the pass's end, so that what the frame shows is what the next pass finds.
    void settle(bool ending = false) const;
    // The frame may hold anything: the next paint pass writes every pixel.
    void forgetFrame();
    orbo::tk::RGBA* rowAt(int y) const {
        return framebuffer_.get() +
               static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_);
    }

    template <typename Fresh, typename Drawn>
    static void drawOn(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int x0, int x1,
                       Fresh& fresh, Drawn& drawn) {
        // Columns not drawn on in the pass: onto transparent black, or onto the backdrop
        // behind them.
        auto first = [&](int a, int n) {
            if (under == nullptr) {
                fresh(row, a, n);
            } else {
                show(row, under, a, a + n, m);
                drawn(row, a, n);
            }
        };
        if (r.n == 0) { // the first drawing on the row
            first(x0, x1 - x0);
            r = Runs{1, {x0, 0}, {x1, 0}};
            return;
        }
        for (int i = 0; i < r.n; ++i)
            if (x0 >= r.lo[i] && x1 <= r.hi[i]) { // the usual case once the row has been drawn on
                drawn(row, x0, x1 - x0);
                return;
            }
        int at = x0;
        for (int i = 0; i < r.n && at < x1; ++i) {
            if (r.hi[i] <= at)
                continue;
            if (r.lo[i] >= x1)
                break;
            if (r.lo[i] > at)
                first(at, r.lo[i] - at);
            const int from = std::max(at, r.lo[i]);
            at = std::min(x1, r.hi[i]);
            drawn(row, from, at - from);
        }
        if (at < x1)
            first(at, x1 - at);
        addRun(row, r, under, m, x0, x1);
    }

    // Drawing while a backdrop is kept (onto the frame and the kept copy) or drawn behind the
    // pass's drawing (onto the columns drawn on only).
    template <typename Fresh, typename Drawn>
    void drawSpecial(int y, orbo::tk::RGBA* row, int x0, int x1, Fresh& fresh, Drawn& drawn) {
        const size_t i = static_cast<size_t>(y);
        Runs& r = drawn_[i];
        if (mode_ == Mode::Keep) {
            drawOn(row, r, under_[i], &memo_[i], x0, x1, fresh, drawn);
            drawOn(backdrop_.pixels.get() + i * static_cast<size_t>(width_), backdrop_.runs[i],
                   nullptr, nullptr, x0, x1, fresh, drawn);
            return;
        }
        // Behind: on what the pass had drawn when the backdrop began (asking for the frame on
        // the way settles the rest, which must still show the backdrop).
        const Runs& was = backdrop_.runs[i];
        for (int k = 0; k < was.n; ++k) {
            const int a = std::max(x0, was.lo[k]), b = std::min(x1, was.hi[k]);
            if (a < b)
                drawn(row, a, b - a);
        }
    }

    enum class Mode {
        Normal,
        Keep,  // drawing a backdrop, and keeping it
        Behind // drawing a kept backdrop behind the pass's drawing
    };
    Mode beginBackdrop(std::uint64_t key, bool paint);
    // complete is false when draw() threw: what it kept is dropped.
    void endBackdrop(bool complete);
    // Whether the kept mapping of the backdrop's row y is not the one named by (x0, x1, tag);
    // if so it now holds the backdrop's row, to be mapped.
    bool remapBackdropRow(int y, int x0, int x1, std::uint64_t tag);

    // calloc'd: the system hands out zeroed pages lazily, so sizing a large window costs
    // nothing until a paint touches the pixels.
    struct Free {
        void operator()(orbo::tk::RGBA* p) const;
    };
    using Pixels = std::unique_ptr<orbo::tk::RGBA[], Free>;
    // n cleared pixels, or none when the system has not that much memory.
    static Pixels cleared(size_t n);
    Pixels framebuffer_;
    int width_ = 0, height_ = 0; // device pixels
    int logicalW_ = 0, logicalH_ = 0;
    int scale_ = 1;
    int failedW_ = -1, failedH_ = -1; // the device size whose allocation failed last
    // Per window row, the runs of columns lo .. hi - 1 that hold this pass's pixels, left to
    // right, apart; the rest of the row is stale and reads as transparent. None at the start of
    // a paint pass, one over the whole row once settled. Mutable: settling changes no pixel's
    // meaning.
    struct Runs {
        int n;
        int lo[2], hi[2];
    };
    mutable std::vector<Runs> drawn_;
    std::uint64_t backdropsKept_ = 0;
    // Per window row, what the columns outside its runs show: null for transparent black, else
    // a row of the backdrop (or of its mapping) behind the pass's drawing.
    mutable std::vector<const Shown*> under_;
    // Per window row, what the frame shows since it was last settled, so that the next pass
    // writes only what may differ: outside the columns drawn on before, the row shows what was
    // under them. Unknown after writes through framebuffer(), for rows settled halfway through
    // a pass, where a row's mapping of the backdrop changes, and when a backdrop is kept anew.
    // And the columns written since the last clearDamage().
    struct Memo {
        const Shown* shown; // null: transparent black
        Runs stale;         // the columns the pass drew on
        bool known;
        int damageLo, damageHi;
    };
    mutable std::vector<Memo> memo_;
    mutable bool unsettled_ = false;
    mutable bool underSet_ = false; // some row shows a backdrop
    Mode mode_ = Mode::Normal;
    // The kept backdrop, rows top-down, and per row its mapping kept by mapRow.
    struct Backdrop {
        std::uint64_t key = 0;
        int w = 0, h = 0;         // 0 x 0: nothing kept
        int seenW = 0, seenH = 0; // the frame's size at the last backdrop
        size_t size = 0;          // pixels in each of pixels and mapped
        Pixels pixels, mapped;
        std::vector<Shown> shown, shownMapped; // per row, of pixels and of mapped
        std::vector<Runs> runs; // keeping: the kept frame's; behind: the pass's when it began
        struct Mapping {
            std::uint64_t tag;
            int x0, x1; // 0, 0: none
        };
        std::vector<Mapping> mappings;
    } backdrop_;
};

} // namespace orbotk
