// Turning the premultiplied frame into the 0x00RRGGBB words cairo and X take, over the window's
// background colour.
#pragma once

#include "orbotk/rgba.h"

#include <algorithm>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#define ORBOTK_OVER_AVX2 1
#endif

namespace orbotk {

// The window has no alpha channel, so what the frame leaves transparent (the notches beside a
// dialog's advanced section, the translucent panel) shows the background colour: premultiplied
// colour over it is the colour plus the background times what alpha leaves. That addend
// depends on alpha only: round(bg * (255 - alpha) / 255) per channel.
struct OverBackground {
    std::uint32_t addend[256];
    bool wide; // eight pixels a step (AVX2) rather than four; tests ask for either
    explicit OverBackground(std::uint32_t bg, bool wideSteps = haveWideSteps()) : wide(wideSteps) {
        const unsigned c[3] = {(bg >> 16) & 0xFFu, (bg >> 8) & 0xFFu, bg & 0xFFu};
        for (unsigned a = 0; a < 256; ++a) {
            const unsigned rest = 255u - a;
            addend[a] = (((c[0] * rest + 127u) / 255u) << 16) |
                        (((c[1] * rest + 127u) / 255u) << 8) | ((c[2] * rest + 127u) / 255u);
        }
    }
    // One row as 0x00RRGGBB words (cairo's and X's), the layout of our pixels less alpha. No
    // channel carries: a premultiplied channel is at most alpha, and the addend at most
    // 255 - alpha. A window is long runs of one alpha (the opaque foreground, the translucent
    // panel), so four pixels of one alpha take that alpha's addend at once.
    void row(std::uint32_t* out, const orbo::tk::RGBA* in, int w) const {
        int first, last;
#if defined(ORBOTK_OVER_AVX2)
        if (wide) {
            convertWide<false>(out, in, w, first, last);
            return;
        }
#endif
        convert<false>(out, in, w, first, last);
    }
    // The same, telling whether any word of out changed, and which: words first .. last - 1
    // hold every change (whole groups of four or eight, so a few beside them may not have
    // changed).
    // Words that are already right are not stored again: after a small change nearly all are,
    // and a row compared but not written costs its reads only.
    bool rowChanged(std::uint32_t* out, const orbo::tk::RGBA* in, int w, int& first,
                    int& last) const {
#if defined(ORBOTK_OVER_AVX2)
        if (wide)
            return convertWide<true>(out, in, w, first, last);
#endif
        return convert<true>(out, in, w, first, last);
    }
    // One pixel from the table: the reference the rows equal.
    std::uint32_t pixel(std::uint32_t p) const {
        return (p + addend[p >> 24]) & 0xFFFFFFu;
    }

    static bool haveWideSteps() {
#if defined(ORBOTK_OVER_AVX2)
        static const bool have = __builtin_cpu_supports("avx2");
        return have;
#else
        return false;
#endif
    }

private:
#if defined(ORBOTK_OVER_AVX2)
    // Eight pixels a step. A group of mixed alphas (an antialiased edge over the translucent
    // panel) gathers each pixel's addend from the table instead of leaving the step.
    template <bool Compare>
    __attribute__((target("avx2"))) bool convertWide(std::uint32_t* out, const orbo::tk::RGBA* in,
                                                     int w, int& first, int& last) const {
        first = w;
        last = 0;
        const __m256i alphas = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
        const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
        __m256i runAlpha = alphas;
        __m256i runAddend = _mm256_set1_epi32(static_cast<int>(addend[255]));
        int x = 0;
        for (; x + 8 <= w; x += 8) {
            const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
            const __m256i a = _mm256_and_si256(p, alphas);
            __m256i add = runAddend;
            if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(a, runAlpha)) != -1) {
                const __m256i lead = _mm256_permutevar8x32_epi32(a, _mm256_setzero_si256());
                add = _mm256_i32gather_epi32(reinterpret_cast<const int*>(addend),
                                             _mm256_srli_epi32(p, 24), 4);
                if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(a, lead)) == -1) {
                    runAlpha = lead;
                    runAddend = add;
                }
            }
            __m256i* o = reinterpret_cast<__m256i*>(out + x);
            const __m256i v = _mm256_and_si256(_mm256_add_epi32(p, add), colour);
            if (Compare) {
                if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_loadu_si256(o), v)) == -1)
                    continue;
                first = std::min(first, x);
                last = x + 8;
            }
            _mm256_storeu_si256(o, v);
        }
        for (; x < w; ++x) {
            const std::uint32_t v = pixel(in[x].word);
            if (Compare) {
                if (out[x] == v)
                    continue;
                first = std::min(first, x);
                last = x + 1;
            }
            out[x] = v;
        }
        return first < last;
    }
#endif

    template <bool Compare>
    bool convert(std::uint32_t* out, const orbo::tk::RGBA* in, int w, int& first, int& last) const {
        first = w;
        last = 0;
        auto changed = [&](int i, int n) {
            first = std::min(first, i);
            last = i + n;
        };
        auto put = [&](int i, std::uint32_t v) {
            if (Compare) {
                if (out[i] == v)
                    return;
                changed(i, 1);
            }
            out[i] = v;
        };
        int x = 0;
#if defined(__SSE2__)
        const __m128i alphas = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
        __m128i runAlpha = alphas; // the run's alpha, and its addend
        __m128i runAddend = _mm_set1_epi32(static_cast<int>(addend[255]));
        for (; x + 4 <= w; x += 4) {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
            const __m128i a = _mm_and_si128(p, alphas);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, runAlpha)) != 0xFFFF) {
                const __m128i first = _mm_shuffle_epi32(a, 0);
                if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, first)) != 0xFFFF) {
                    for (int i = x; i < x + 4; ++i)
                        put(i, pixel(in[i].word));
                    continue;
                }
                runAlpha = first;
                runAddend = _mm_set1_epi32(static_cast<int>(addend[in[x].word >> 24]));
            }
            __m128i* o = reinterpret_cast<__m128i*>(out + x);
            const __m128i v = _mm_and_si128(_mm_add_epi32(p, runAddend), colour);
            if (Compare) {
                if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_loadu_si128(o), v)) == 0xFFFF)
                    continue;
                changed(x, 4);
            }
            _mm_storeu_si128(o, v);
        }
#endif
        for (; x < w; ++x)
            put(x, pixel(in[x].word));
        return first < last;
    }
};

} // namespace orbotk
