// The pixel operations, written once as the reference every fast path must equal bit for bit.
// Pixels are premultiplied 0xAARRGGBB words and all arithmetic is exact integer arithmetic:
//
//   scalePixel(p, k)    each channel -> floor(ch * k / 256), k in 0..256
//   addSaturate(a, b)   each channel -> min(255, a + b)
//   blendUnder(d, s)    addSaturate(d, scalePixel(s, 256 - d.alpha))   (s goes *under* d)
//   modulatePixel(d, c) each channel -> floor((c.ch + 1) * d.ch / 256)
//   lerpPixel(a, b, t)  n = floor(t * 255 + 0.5); addSaturate(scale(a, 256 - n), scale(b, n + 1))
//
// scalePixel works on the red/blue and green/alpha pairs at once: with k <= 256 a product of
// 255 * 256 fits in 16 bits, so the two lanes of each pair never overlap.
#pragma once

#include <cmath>
#include <cstdint>

namespace gui {
namespace px {

inline std::uint32_t scalePixel(std::uint32_t p, std::uint32_t k) {
    const std::uint32_t rb = (((p & 0x00FF00FFu) * k) >> 8) & 0x00FF00FFu;
    const std::uint32_t ga = ((((p >> 8) & 0x00FF00FFu) * k) >> 8) & 0x00FF00FFu;
    return rb | (ga << 8);
}

inline std::uint32_t addSaturate(std::uint32_t a, std::uint32_t b) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t s = ((a >> shift) & 255u) + ((b >> shift) & 255u);
        out |= (s > 255u ? 255u : s) << shift;
    }
    return out;
}

inline std::uint32_t blendUnder(std::uint32_t dst, std::uint32_t src) {
    return addSaturate(dst, scalePixel(src, 256u - (dst >> 24)));
}

inline std::uint32_t modulatePixel(std::uint32_t dst, std::uint32_t c) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t k = ((c >> shift) & 255u) + 1u;
        out |= ((((dst >> shift) & 255u) * k) >> 8) << shift;
    }
    return out;
}

inline std::uint32_t lerpPixel(std::uint32_t a, std::uint32_t b, float t) {
    const std::uint32_t n =
        static_cast<std::uint32_t>(std::floor(static_cast<double>(t) * 255.0 + 0.5));
    return addSaturate(scalePixel(a, 256u - n), scalePixel(b, n + 1u));
}

} // namespace px
} // namespace gui
