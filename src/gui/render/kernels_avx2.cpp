// The row kernels for AVX2: eight pixels a step. Unpacking and packing work within each 128-bit
// half, so every pixel returns to its own place.
#include <immintrin.h>

#include "render/kernels_simd.inl"

namespace gui {
namespace kernels {

namespace {
struct Avx2 {
    typedef __m256i reg;
    static const int N = 8;
    static reg load(const px_t* p) { return _mm256_loadu_si256(reinterpret_cast<const reg*>(p)); }
    static void store(px_t* p, reg v) { _mm256_storeu_si256(reinterpret_cast<reg*>(p), v); }
    static reg set1(px_t c) { return _mm256_set1_epi32(static_cast<int>(c)); }
    static reg set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static reg zero() { return _mm256_setzero_si256(); }
    static reg unpacklo(reg a, reg b) { return _mm256_unpacklo_epi8(a, b); }
    static reg unpackhi(reg a, reg b) { return _mm256_unpackhi_epi8(a, b); }
    static reg pack(reg lo, reg hi) { return _mm256_packus_epi16(lo, hi); }
    static reg mulhi16(reg a, reg b) { return _mm256_mulhi_epu16(a, b); }
    static reg add16(reg a, reg b) { return _mm256_add_epi16(a, b); }
    static reg sub16(reg a, reg b) { return _mm256_sub_epi16(a, b); }
    static bool allOpaque(reg d) {
        const reg a = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
        return _mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(d, a), a)) == -1;
    }
    static reg addsat8(reg a, reg b) { return _mm256_adds_epu8(a, b); }
    // N 16-bit weights, one per 32-bit lane (the first four in the low 128-bit half).
    static reg weights(const std::uint16_t* k) {
        return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(k)));
    }
    static reg or32(reg a, reg b) { return _mm256_or_si256(a, b); }
    // Each 32-bit lane's low 16 bits copied into its high 16 bits.
    static reg dup16(reg a) { return or32(a, _mm256_slli_epi32(a, 16)); }
    static reg unpacklo32(reg a, reg b) { return _mm256_unpacklo_epi32(a, b); }
    static reg unpackhi32(reg a, reg b) { return _mm256_unpackhi_epi32(a, b); }
    static bool allZero(reg a) { return _mm256_testz_si256(a, a) != 0; }
    // The alpha of each pixel of the low (high) half of each 128-bit lane of d, copied into
    // all four of its 16-bit lanes with zero high bytes: one byte shuffle each.
    static reg alphaLo(reg d) {
        const reg m = _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1, 3,
                                       -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1);
        return _mm256_shuffle_epi8(d, m);
    }
    static reg alphaHi(reg d) {
        const reg m =
            _mm256_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1, 11, -1,
                             11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1);
        return _mm256_shuffle_epi8(d, m);
    }
};
} // namespace

const Table& avx2() {
    static const Table t = simd::table<Avx2>("avx2");
    return t;
}

} // namespace kernels
} // namespace gui
