// One premultiplied pixel or colour: the 32-bit word 0xAARRGGBB, which on this little-endian
// platform sits in memory as blue, green, red, alpha. Only storage and channel access live here;
// the compositing arithmetic belongs to the renderer.
#pragma once

#include <cstdint>

namespace orbo {
namespace tk {

struct RGBA {
    std::uint32_t word = 0;

    constexpr RGBA() = default;
    constexpr explicit RGBA(std::uint32_t w) : word(w) {}
    // Channels as given, already premultiplied by the caller.
    constexpr RGBA(unsigned r, unsigned g, unsigned b, unsigned a)
        : word(((a & 255u) << 24) | ((r & 255u) << 16) | ((g & 255u) << 8) | (b & 255u)) {}

    constexpr unsigned r() const { return (word >> 16) & 255u; }
    constexpr unsigned g() const { return (word >> 8) & 255u; }
    constexpr unsigned b() const { return word & 255u; }
    constexpr unsigned a() const { return word >> 24; }

    constexpr bool operator==(const RGBA& o) const { return word == o.word; }
    constexpr bool operator!=(const RGBA& o) const { return word != o.word; }
};

static_assert(sizeof(RGBA) == 4, "RGBA must be exactly one 32-bit word");

} // namespace tk
} // namespace orbo
