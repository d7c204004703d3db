// The row kernels for SSE2: four pixels a step.
#include <emmintrin.h>

#include "render/kernels_simd.inl"

namespace gui {
namespace kernels {

namespace {
struct Sse2 {
    typedef __m128i reg;
    static const int N = 4;
    static reg load(const px_t* p) { return _mm_loadu_si128(reinterpret_cast<const reg*>(p)); }
    static void store(px_t* p, reg v) { _mm_storeu_si128(reinterpret_cast<reg*>(p), v); }
    static reg set1(px_t c) { return _mm_set1_epi32(static_cast<int>(c)); }
    static reg set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static reg zero() { return _mm_setzero_si128(); }
    static reg unpacklo(reg a, reg b) { return _mm_unpacklo_epi8(a, b); }
    static reg unpackhi(reg a, reg b) { return _mm_unpackhi_epi8(a, b); }
    static reg pack(reg lo, reg hi) { return _mm_packus_epi16(lo, hi); }
    static reg mulhi16(reg a, reg b) { return _mm_mulhi_epu16(a, b); }
    static reg add16(reg a, reg b) { return _mm_add_epi16(a, b); }
    static reg sub16(reg a, reg b) { return _mm_sub_epi16(a, b); }
    static bool allOpaque(reg d) {
        const reg a = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(d, a), a)) == 0xFFFF;
    }
    static reg addsat8(reg a, reg b) { return _mm_adds_epu8(a, b); }
    // N 16-bit weights, one per 32-bit lane.
    static reg weights(const std::uint16_t* k) {
        return _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const reg*>(k)), zero());
    }
    static reg or32(reg a, reg b) { return _mm_or_si128(a, b); }
    // Each 32-bit lane's low 16 bits copied into its high 16 bits.
    static reg dup16(reg a) { return or32(a, _mm_slli_epi32(a, 16)); }
    static reg unpacklo32(reg a, reg b) { return _mm_unpacklo_epi32(a, b); }
    static reg unpackhi32(reg a, reg b) { return _mm_unpackhi_epi32(a, b); }
    static bool allZero(reg a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, zero())) == 0xFFFF; }
    // The alpha of each pixel of the low (high) half of d in all four of its 16-bit lanes.
    static reg alphaLo(reg d) { return broadcastAlpha(_mm_unpacklo_epi8(d, zero())); }
    static reg alphaHi(reg d) { return broadcastAlpha(_mm_unpackhi_epi8(d, zero())); }
    static reg broadcastAlpha(reg d16) {
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(d16, 0xFF), 0xFF);
    }
};
} // namespace

const Table& sse2() {
    static const Table t = simd::table<Sse2>("sse2");
    return t;
}

} // namespace kernels
} // namespace gui
