// Turning the premultiplied frame into the 0x00RRGGBB words cairo and X take, over the window's
// background colour.
#pragma once

#include "orbotk/rgba.h"

#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orbotk {

// The window has no alpha channel, so what the frame leaves transparent (the notches beside a
// dialog's advanced section, the translucent panel) shows the background colour: premultiplied
// colour over it is the colour plus the background times what alpha leaves. That addend
// depends on alpha only: round(bg * (255 - alpha) / 255) per channel.
struct OverBackground {
    std::uint32_t addend[256];
    std::uint32_t bg;
    explicit OverBackground(std::uint32_t background) : bg(background) {
        const unsigned c[3] = {(bg >> 16) & 0xFFu, (bg >> 8) & 0xFFu, bg & 0xFFu};
        for (unsigned a = 0; a < 256; ++a) {
            const unsigned rest = 255u - a;
            addend[a] = (((c[0] * rest + 127u) / 255u) << 16) |
                        (((c[1] * rest + 127u) / 255u) << 8) | ((c[2] * rest + 127u) / 255u);
        }
    }
    // One row as 0x00RRGGBB words (cairo's and X's), the layout of our pixels less alpha. No
    // channel carries: a premultiplied channel is at most alpha, and the addend at most
    // 255 - alpha. Four pixels a step work the addends out in 16-bit lanes, dividing by 255
    // as floor(x / 255) = (x + 1 + (x >> 8)) >> 8, exact for every x up to 255 * 255 + 127, and
    // add them as whole words, as the table's are.
    void row(std::uint32_t* out, const orbo::tk::RGBA* in, int w) const {
        int x = 0;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        const __m128i back = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(bg)), zero);
        const __m128i k255 = _mm_set1_epi16(255), k127 = _mm_set1_epi16(127);
        const __m128i one = _mm_set1_epi16(1), colour = _mm_set1_epi32(0x00FFFFFF);
        for (; x + 4 <= w; x += 4) {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
            const __m128i lo = _mm_unpacklo_epi8(p, zero), hi = _mm_unpackhi_epi8(p, zero);
            const auto addends = [&](__m128i px) {
                // Each pixel's alpha in all four of its lanes, then what it leaves.
                const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(px, 0xFF), 0xFF);
                const __m128i t =
                    _mm_add_epi16(_mm_mullo_epi16(back, _mm_sub_epi16(k255, a)), k127);
                return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, one), _mm_srli_epi16(t, 8)),
                                      8);
            };
            const __m128i add = _mm_packus_epi16(addends(lo), addends(hi));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                             _mm_and_si128(_mm_add_epi32(p, add), colour));
        }
#endif
        for (; x < w; ++x)
            out[x] = pixel(in[x].word);
    }
    // One pixel from the table: the reference the rows equal.
    std::uint32_t pixel(std::uint32_t p) const {
        return (p + addend[p >> 24]) & 0xFFFFFFu;
    }
};

} // namespace orbotk
