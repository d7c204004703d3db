// The row kernels written once over a vector traits type V (SSE2 or AVX2), included by the file
// compiled for that instruction set. Pixels are widened to 16-bit lanes, where every product of
// a channel (<= 255) and a factor (<= 256) fits, which makes each formula of pixel.h exact:
//   scale:    (ch * k) >> 8               k = 256 - dst alpha, broadcast per pixel
//   modulate: (ch * (c + 1)) >> 8
//   add:      unsigned saturating byte add
// Tails shorter than a vector use the scalar reference.
#include "kernels.h"
#include "pixel.h"

namespace gui {
namespace kernels {
namespace simd {

template <class V> inline typename V::reg inverseAlpha(typename V::reg d16) {
    return V::sub16(V::set16(256), V::alpha16(d16));
}

template <class V>
inline typename V::reg blendWide(typename V::reg d, typename V::reg slo, typename V::reg shi) {
    const typename V::reg z = V::zero();
    const typename V::reg dlo = V::unpacklo(d, z), dhi = V::unpackhi(d, z);
    const typename V::reg rlo = V::shr8(V::mul16(slo, inverseAlpha<V>(dlo)));
    const typename V::reg rhi = V::shr8(V::mul16(shi, inverseAlpha<V>(dhi)));
    return V::addsat8(d, V::pack(rlo, rhi));
}

// (x16 * m16) >> 8 for both halves, repacked.
template <class V>
inline typename V::reg modulateWide(typename V::reg x, typename V::reg mlo, typename V::reg mhi) {
    const typename V::reg z = V::zero();
    const typename V::reg rlo = V::shr8(V::mul16(V::unpacklo(x, z), mlo));
    const typename V::reg rhi = V::shr8(V::mul16(V::unpackhi(x, z), mhi));
    return V::pack(rlo, rhi);
}

template <class V> void blendSpan(px_t* dst, int n, px_t c) {
    const typename V::reg z = V::zero();
    const typename V::reg s = V::set1(c);
    const typename V::reg s16 = V::unpacklo(s, z); // the same colour in every pixel
    int i = 0;
    for (; i + V::N <= n; i += V::N)
        V::store(dst + i, blendWide<V>(V::load(dst + i), s16, s16));
    for (; i < n; ++i)
        dst[i] = px::blendUnder(dst[i], c);
}

template <class V> void fillSpan(px_t* dst, int n, px_t c) {
    const typename V::reg s = V::set1(c);
    int i = 0;
    for (; i + V::N <= n; i += V::N)
        V::store(dst + i, s);
    for (; i < n; ++i)
        dst[i] = c;
}

template <class V> inline typename V::reg factor16(px_t c) {
    // c + 1 per channel, in 16-bit lanes.
    return V::add16(V::unpacklo(V::set1(c), V::zero()), V::set16(1));
}

template <class V> void modulateSpan(px_t* dst, int n, px_t c) {
    const typename V::reg m = factor16<V>(c);
    int i = 0;
    for (; i + V::N <= n; i += V::N)
        V::store(dst + i, modulateWide<V>(V::load(dst + i), m, m));
    for (; i < n; ++i)
        dst[i] = px::modulatePixel(dst[i], c);
}

template <class V> void blendRow(px_t* dst, const px_t* src, int n, px_t c) {
    const typename V::reg z = V::zero();
    const typename V::reg m = factor16<V>(c);
    const bool tint = c != 0xFFFFFFFFu;
    int i = 0;
    for (; i + V::N <= n; i += V::N) {
        typename V::reg s = V::load(src + i);
        if (tint)
            s = modulateWide<V>(s, m, m);
        V::store(dst + i, blendWide<V>(V::load(dst + i), V::unpacklo(s, z), V::unpackhi(s, z)));
    }
    for (; i < n; ++i)
        dst[i] = px::blendUnder(dst[i], tint ? px::modulatePixel(src[i], c) : src[i]);
}

template <class V> void writeRow(px_t* dst, const px_t* src, int n, px_t c) {
    const typename V::reg m = factor16<V>(c);
    int i = 0;
    for (; i + V::N <= n; i += V::N)
        V::store(dst + i, modulateWide<V>(V::load(src + i), m, m));
    for (; i < n; ++i)
        dst[i] = px::modulatePixel(src[i], c);
}

template <class V> void modulateRow(px_t* dst, const px_t* src, int n, px_t c) {
    const typename V::reg z = V::zero();
    const typename V::reg m = factor16<V>(c);
    const typename V::reg one = V::set16(1);
    int i = 0;
    for (; i + V::N <= n; i += V::N) {
        const typename V::reg t = modulateWide<V>(V::load(src + i), m, m);
        const typename V::reg tlo = V::add16(V::unpacklo(t, z), one);
        const typename V::reg thi = V::add16(V::unpackhi(t, z), one);
        V::store(dst + i, modulateWide<V>(V::load(dst + i), tlo, thi));
    }
    for (; i < n; ++i)
        dst[i] = px::modulatePixel(dst[i], px::modulatePixel(src[i], c));
}

template <class V> Table table(const char* name) {
    return Table{name,         &blendSpan<V>, &fillSpan<V>,   &modulateSpan<V>,
                 &blendRow<V>, &writeRow<V>,  &modulateRow<V>};
}

} // namespace simd
} // namespace kernels
} // namespace gui
