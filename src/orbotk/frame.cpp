// The frame: sizing the framebuffer, the runs and memos that let a paint pass write only what
// may differ from the last frame, settling rows, damage, and keeping a backdrop from pass to
// pass.
#include "orbotk/frame.h"

#include "orboutil/log.h"

#include <algorithm>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdlib>
#include <cstring>
#include <new>

namespace orbotk {

namespace {

// One colour with ordinary vector stores: glibc's memset clears a frame with "rep stosb", which
// can leave it out of cache for the drawing that follows.
void fillPixels(orbo::tk::RGBA* frame, size_t n, orbo::tk::RGBA colour) {
#if defined(__SSE2__)
    size_t i = 0;
    for (; i < n && (reinterpret_cast<std::uintptr_t>(frame + i) & 15u) != 0; ++i)
        frame[i] = colour;
    const __m128i c = _mm_set1_epi32(static_cast<int>(colour.word));
    for (; i + 16 <= n; i += 16) {
        __m128i* p = reinterpret_cast<__m128i*>(frame + i);
        _mm_store_si128(p, c);
        _mm_store_si128(p + 1, c);
        _mm_store_si128(p + 2, c);
        _mm_store_si128(p + 3, c);
    }
    for (; i < n; ++i)
        frame[i] = colour;
#else
    std::fill_n(frame, n, colour);
#endif
}

void clearPixels(orbo::tk::RGBA* frame, size_t n) {
    fillPixels(frame, n, orbo::tk::RGBA());
}

void copyPixels(orbo::tk::RGBA* to, const orbo::tk::RGBA* from, int a, int b) {
    if (a < b)
        std::memcpy(static_cast<void*>(to + a), from + a,
                    sizeof(orbo::tk::RGBA) * static_cast<size_t>(b - a));
}

} // namespace

void Frame::Free::operator()(orbo::tk::RGBA* p) const {
    std::free(p);
}

Frame::Pixels Frame::cleared(size_t n) {
    return Pixels(static_cast<orbo::tk::RGBA*>(std::calloc(n, sizeof(orbo::tk::RGBA))));
}

bool Frame::resize(int lw, int lh, int scale) {
    lw = std::max(0, lw);
    lh = std::max(0, lh);
    scale = std::max(1, scale);
    // A side past what a window can have, times the scale, still fits an int.
    const int w = static_cast<int>(std::min<std::int64_t>(std::int64_t{lw} * scale, INT32_MAX / 4));
    const int h = static_cast<int>(std::min<std::int64_t>(std::int64_t{lh} * scale, INT32_MAX / 4));
    if (w == width_ && h == height_ && scale == scale_ && lw == logicalW_ && lh == logicalH_)
        return true;
    if (w == failedW_ && h == failedH_)
        return false; // said once already; a window of another size tries again
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    framebuffer_.reset(); // the old frame's memory may be what the new one needs
    framebuffer_ = cleared(n);
    if (!framebuffer_ && n > 0) {
        width_ = height_ = logicalW_ = logicalH_ = 0;
        failedW_ = w;
        failedH_ = h;
        ORBO_LOG(2) << "framebuffer of " << w << " x " << h << " pixels (" << (n * 4 >> 20)
                    << " MiB) could not be allocated; the window shows nothing";
        return false;
    }
    width_ = w;
    height_ = h;
    logicalW_ = lw;
    logicalH_ = lh;
    scale_ = scale;
    failedW_ = failedH_ = -1;
    drawn_.assign(static_cast<size_t>(h), Runs{1, {0, 0}, {w, 0}}); // calloc cleared it all
    under_.assign(static_cast<size_t>(h), nullptr);
    memo_.assign(static_cast<size_t>(h), Memo{nullptr, Runs{0, {0, 0}, {0, 0}}, true, 0, w});
    unsettled_ = underSet_ = false;
    return true;
}

void Frame::clear(orbo::tk::RGBA* p, int n) {
    clearPixels(p, static_cast<size_t>(n));
}

void Frame::describe(Shown& s, int w) {
    // The longest run of one colour; short ones are not worth a store of their own.
    int best = 0, bestAt = 0;
    for (int x = 0; x < w;) {
        int e = x + 1;
        while (e < w && s.pixels[e].word == s.pixels[x].word)
            ++e;
        if (e - x > best) {
            best = e - x;
            bestAt = x;
        }
        x = e;
    }
    s.lo = bestAt;
    s.hi = best >= 16 ? bestAt + best : bestAt;
    s.colour = best > 0 ? s.pixels[bestAt] : orbo::tk::RGBA();
}

void Frame::show(orbo::tk::RGBA* row, const Shown* under, int from, int to, Memo* m) {
    if (to <= from)
        return;
    if (m && m->known && m->shown == under) {
        // The row shows under already, but where the last pass drew.
        for (int k = 0; k < m->stale.n; ++k)
            put(row, under, std::max(from, m->stale.lo[k]), std::min(to, m->stale.hi[k]), m);
        return;
    }
    put(row, under, from, to, m);
}

void Frame::put(orbo::tk::RGBA* row, const Shown* under, int from, int to, Memo* m) {
    if (to <= from)
        return;
    if (m) {
        m->damageLo = std::min(m->damageLo, from);
        m->damageHi = std::max(m->damageHi, to);
    }
    if (under == nullptr) {
        clearPixels(row + from, static_cast<size_t>(to - from));
        return;
    }
    const int lo = std::clamp(under->lo, from, to), hi = std::clamp(under->hi, lo, to);
    copyPixels(row, under->pixels, from, lo);
    fillPixels(row + lo, static_cast<size_t>(hi - lo), under->colour);
    copyPixels(row, under->pixels, hi, to);
}

// Joins x0 .. x1 to the runs it overlaps or touches; of three runs, the two with the narrowest
// gap become one, the gap cleared.
void Frame::addRun(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int x0, int x1) {
    int lo[3], hi[3], n = 0;
    bool placed = false;
    for (int i = 0; i < r.n; ++i) {
        if (r.hi[i] >= x0 && r.lo[i] <= x1) { // overlapping or touching: one run
            x0 = std::min(x0, r.lo[i]);
            x1 = std::max(x1, r.hi[i]);
            continue;
        }
        if (!placed && r.lo[i] > x1) {
            lo[n] = x0;
            hi[n++] = x1;
            placed = true;
        }
        lo[n] = r.lo[i];
        hi[n++] = r.hi[i];
    }
    if (!placed) {
        lo[n] = x0;
        hi[n++] = x1;
    }
    if (n == 3) {
        const int join = lo[1] - hi[0] <= lo[2] - hi[1] ? 0 : 1;
        show(row, under, hi[join], lo[join + 1], m);
        hi[join] = hi[join + 1];
        if (join == 0) {
            lo[1] = lo[2];
            hi[1] = hi[2];
        }
        n = 2;
    }
    r.n = n;
    for (int i = 0; i < n; ++i) {
        r.lo[i] = lo[i];
        r.hi[i] = hi[i];
    }
}

void Frame::settleRow(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int w) {
    int from = 0; // the columns between the runs, and beside them
    for (int i = 0; i < r.n; ++i) {
        show(row, under, from, r.lo[i], m);
        from = r.hi[i];
    }
    show(row, under, from, w, m);
    r = Runs{1, {0, 0}, {w, 0}};
}

void Frame::settle(bool ending) const {
    if (!unsettled_)
        return;
    unsettled_ = underSet_ = false;
    const int w = width_;
    for (int y = height_ - 1; y >= 0; --y) { // ascending memory
        const size_t i = static_cast<size_t>(y);
        Memo& m = memo_[i];
        Runs& r = drawn_[i];
        const Runs drew = r;
        const Shown* under = under_[i];
        under_[i] = nullptr;
        // Nothing to show where the pass drew all of the row, or again all it drew last time
        // over the same thing (a repaint of the same layout).
        const bool whole = drew.n == 1 && drew.lo[0] == 0 && drew.hi[0] == w;
        if (!whole && !(m.known && m.shown == under && covers(drew, m.stale)))
            settleRow(rowAt(y), r, under, &m, w);
        r = Runs{1, {0, 0}, {w, 0}};
        if (!ending) {
            // Halfway through a pass, the row is one run from here on, drawn on where no run
            // says: the next pass writes it whole, and a presenter looks at all of it.
            m.damageLo = 0;
            m.damageHi = w;
        } else if (drew.n > 0) {
            m.damageLo = std::min(m.damageLo, drew.lo[0]);
            m.damageHi = std::max(m.damageHi, drew.hi[drew.n - 1]);
        }
        m.shown = under;
        m.stale = drew;
        m.known = ending;
    }
}

bool Frame::covers(const Runs& a, const Runs& b) {
    for (int k = 0; k < b.n; ++k) {
        bool in = false;
        for (int j = 0; j < a.n; ++j)
            in = in || (a.lo[j] <= b.lo[k] && b.hi[k] <= a.hi[j]);
        if (!in)
            return false;
    }
    return true;
}

void Frame::forgetFrame() {
    for (Memo& m : memo_)
        m = Memo{nullptr, Runs{0, {0, 0}, {0, 0}}, false, 0, width_};
}

void Frame::clearDamage() {
    for (Memo& m : memo_) {
        m.damageLo = width_;
        m.damageHi = 0;
    }
}

// ---- Backdrops

Frame::Mode Frame::beginBackdrop(std::uint64_t key, bool paint) {
    if (!paint || mode_ != Mode::Normal || !unsettled_ || width_ == 0 || height_ == 0)
        return Mode::Normal;
    // The frame's size decides the drawing too.
    for (std::int64_t v : {std::int64_t{width_}, std::int64_t{height_}})
        key = (key ^ static_cast<std::uint64_t>(v)) * 0x100000001b3ull;
    // A second backdrop in one pass draws behind what the first one shows: that must be in
    // the frame first.
    if (underSet_)
        settle();
    if (backdrop_.w == width_ && backdrop_.h == height_ && backdrop_.key == key) {
        std::copy(drawn_.begin(), drawn_.end(), backdrop_.runs.begin());
        mode_ = Mode::Behind;
        return mode_;
    }
    // Keeping costs the drawing twice: not while the window is being resized, when every pass
    // has a new size. The second pass at a size keeps it.
    if (backdrop_.seenW != width_ || backdrop_.seenH != height_) {
        backdrop_.seenW = width_;
        backdrop_.seenH = height_;
        return Mode::Normal;
    }
    const size_t n = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    backdrop_.w = backdrop_.h = 0; // nothing kept until the drawing is complete
    // Rows that showed the backdrop kept before show what is no longer there.
    for (Memo& m : memo_)
        m.known = false;
    try {
        // Sized afresh rather than grown: a kept panel the size of the largest frame the
        // window ever had would stay behind it, and the system's zeroed pages cost nothing
        // until drawn on.
        if (backdrop_.size != n) {
            backdrop_.size = 0;
            backdrop_.pixels.reset();
            backdrop_.mapped.reset();
            backdrop_.pixels = cleared(n);
            backdrop_.mapped = cleared(n);
            if (n > 0 && (!backdrop_.pixels || !backdrop_.mapped))
                throw std::bad_alloc();
            backdrop_.size = n;
        }
        backdrop_.shown.resize(static_cast<size_t>(height_));
        backdrop_.shownMapped.resize(static_cast<size_t>(height_));
        backdrop_.runs.assign(static_cast<size_t>(height_), Runs{0, {0, 0}, {0, 0}});
        backdrop_.mappings.assign(static_cast<size_t>(height_), Backdrop::Mapping{0, 0, 0});
    } catch (const std::bad_alloc&) {
        backdrop_ = Backdrop(); // drawn as any other drawing, until the next try
        return Mode::Normal;
    }
    backdrop_.key = key;
    mode_ = Mode::Keep;
    return mode_;
}

void Frame::endBackdrop(bool complete) {
    const Mode mode = mode_;
    mode_ = Mode::Normal;
    if (mode == Mode::Keep) {
        if (!complete)
            return;
        for (size_t i = 0; i < static_cast<size_t>(height_); ++i) {
            orbo::tk::RGBA* row = backdrop_.pixels.get() + i * static_cast<size_t>(width_);
            settleRow(row, backdrop_.runs[i], nullptr, nullptr, width_);
            backdrop_.shown[i].pixels = row;
            describe(backdrop_.shown[i], width_);
            backdrop_.shownMapped[i].pixels =
                backdrop_.mapped.get() + i * static_cast<size_t>(width_);
        }
        backdrop_.w = width_;
        backdrop_.h = height_;
        ++backdropsKept_;
        return;
    }
    for (int y = 0; y < height_; ++y) {
        const size_t i = static_cast<size_t>(y);
        Runs& was = backdrop_.runs[i];
        if (was.n == 1 && was.lo[0] == 0 && was.hi[0] == width_)
            continue;
        const Runs& now = drawn_[i];
        if (now.n == was.n && std::equal(was.lo, was.lo + was.n, now.lo) &&
            std::equal(was.hi, was.hi + was.n, now.hi)) {
            under_[i] = &backdrop_.shown[i]; // shown when something draws there, or at the end
            underSet_ = true;
        } else {
            settleRow(rowAt(y), was, &backdrop_.shown[i], &memo_[i], width_); // settled halfway
        }
    }
}

bool Frame::remapBackdropRow(int y, int x0, int x1, std::uint64_t tag) {
    const size_t i = static_cast<size_t>(y);
    Backdrop::Mapping& m = backdrop_.mappings[i];
    if (m.tag == tag && m.x0 == x0 && m.x1 == x1)
        return false;
    copyPixels(backdrop_.mapped.get() + i * static_cast<size_t>(width_), backdrop_.shown[i].pixels,
               0, width_);
    m = Backdrop::Mapping{tag, x0, x1};
    memo_[i].known = false; // the frame's row may show the mapping as it was
    return true;
}

void Frame::beginPaint() {
    std::fill(drawn_.begin(), drawn_.end(), Runs{0, {0, 0}, {0, 0}});
    std::fill(under_.begin(), under_.end(), nullptr);
    unsettled_ = true;
    underSet_ = false;
}

} // namespace orbotk
