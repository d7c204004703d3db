// The row kernels for AVX2: eight pixels a step. Unpacking and packing work within each 128-bit
// half, so every pixel returns to its own place.
#include <immintrin.h>

#include "kernels_simd.inl"

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
    static reg mul16(reg a, reg b) { return _mm256_mullo_epi16(a, b); }
    static reg shr8(reg a) { return _mm256_srli_epi16(a, 8); }
    static reg add16(reg a, reg b) { return _mm256_add_epi16(a, b); }
    static reg sub16(reg a, reg b) { return _mm256_sub_epi16(a, b); }
    static reg addsat8(reg a, reg b) { return _mm256_adds_epu8(a, b); }
    // Each pixel's alpha (lane 3 of its four 16-bit lanes) in all four lanes.
    static reg alpha16(reg d16) {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(d16, 0xFF), 0xFF);
    }
};
} // namespace

const Table& avx2() {
    static const Table t = simd::table<Avx2>("avx2");
    return t;
}

} // namespace kernels
} // namespace gui
