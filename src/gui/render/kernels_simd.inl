// The row kernels written once over a vector traits type V, included by the file compiled for
// that instruction set. Pixels are widened to 16-bit lanes with the channel in the *high* byte
// (an unpack with zero as the low byte), so one unsigned high multiply gives the floored
// product of pixel.h exactly:
//   mulhi(ch << 8, k) = floor(ch * 256 * k / 65536) = floor(ch * k / 256),   k <= 256
//   blendUnder:  d + sat scale(s, 256 - d.alpha), with d.alpha broadcast per pixel
//   modulate:    mulhi(d << 8, c + 1)
// A destination vector that is wholly opaque gains nothing from anything blended under it
// (scale by 256 - 255 floors every channel to 0), so the blends skip it: layers drawn under
// finished foreground cost a load and a compare. Under a wholly transparent vector (the
// cleared frame) the source comes through unchanged (scale by 256 is exact, and adding to zero
// does not saturate), so the blends store it as a fill would. Tails shorter than a vector use the
// scalar reference.
#include "render/kernels.h"
#include "render/pixel.h"

namespace gui {
namespace kernels {
namespace simd {

// blendUnder of a vector of destination pixels with sources given as (s << 8) 16-bit halves.
template <class V>
inline typename V::reg blendWide(typename V::reg d, typename V::reg slo, typename V::reg shi) {
    const typename V::reg k256 = V::set16(256);
    const typename V::reg rlo = V::mulhi16(slo, V::sub16(k256, V::alphaLo(d)));
    const typename V::reg rhi = V::mulhi16(shi, V::sub16(k256, V::alphaHi(d)));
    return V::addsat8(d, V::pack(rlo, rhi));
}

// floor(x * m / 256) per channel, m given as 16-bit halves (each <= 256).
template <class V>
inline typename V::reg modulateWide(typename V::reg x, typename V::reg mlo, typename V::reg mhi) {
    const typename V::reg z = V::zero();
    const typename V::reg rlo = V::mulhi16(V::unpacklo(z, x), mlo);
    const typename V::reg rhi = V::mulhi16(V::unpackhi(z, x), mhi);
    return V::pack(rlo, rhi);
}

// c + 1 per channel, in 16-bit lanes: the factor of modulatePixel.
template <class V> inline typename V::reg factor16(px_t c) {
    return V::add16(V::unpacklo(V::set1(c), V::zero()), V::set16(1));
}

template <class V>
inline void blendOne(px_t* p, typename V::reg d, typename V::reg s, typename V::reg s8) {
    if (V::allZero(d))
        V::store(p, s);
    else if (!V::allOpaque(d))
        V::store(p, blendWide<V>(d, s8, s8));
}

template <class V> void blendSpan(px_t* dst, int n, px_t c) {
    const typename V::reg s = V::set1(c);
    const typename V::reg s8 = V::unpacklo(V::zero(), s); // the colour, << 8
    int i = 0;
    for (; i + 2 * V::N <= n; i += 2 * V::N) { // two vectors a step keep both pipes busy
        const typename V::reg a = V::load(dst + i), b = V::load(dst + i + V::N);
        blendOne<V>(dst + i, a, s, s8);
        blendOne<V>(dst + i + V::N, b, s, s8);
    }
    for (; i + V::N <= n; i += V::N)
        blendOne<V>(dst + i, V::load(dst + i), s, s8);
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

template <class V> void modulateSpan(px_t* dst, int n, px_t c) {
    const typename V::reg m = factor16<V>(c);
    int i = 0;
    for (; i + 2 * V::N <= n; i += 2 * V::N) {
        const typename V::reg a = V::load(dst + i), b = V::load(dst + i + V::N);
        V::store(dst + i, modulateWide<V>(a, m, m));
        V::store(dst + i + V::N, modulateWide<V>(b, m, m));
    }
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
        const typename V::reg d = V::load(dst + i);
        if (V::allOpaque(d))
            continue;
        typename V::reg s = V::load(src + i);
        if (tint)
            s = modulateWide<V>(s, m, m);
        V::store(dst + i,
                 V::allZero(d) ? s : blendWide<V>(d, V::unpacklo(z, s), V::unpackhi(z, s)));
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

// The colour scaled by one weight per pixel. Each weight is widened to a 32-bit lane, doubled
// into both of its 16-bit halves and spread over the four channels of its pixel by unpacking
// 32-bit lanes with themselves, which takes the same pixels to the low and high halves as the
// byte unpacks do; mulhi(c << 8, k) is then scalePixel exactly.
template <class V> bool scaleRow(px_t* dst, const std::uint16_t* k, int n, px_t c) {
    const typename V::reg c8 = V::unpacklo(V::zero(), V::set1(c));
    typename V::reg any = V::zero();
    int i = 0;
    for (; i + V::N <= n; i += V::N) {
        const typename V::reg w = V::weights(k + i);
        const typename V::reg ww = V::dup16(w);
        const typename V::reg r =
            V::pack(V::mulhi16(c8, V::unpacklo32(ww, ww)), V::mulhi16(c8, V::unpackhi32(ww, ww)));
        V::store(dst + i, r);
        any = V::or32(any, r);
    }
    px_t rest = 0;
    for (; i < n; ++i)
        rest |= dst[i] = px::scalePixel(c, k[i]);
    return rest != 0 || !V::allZero(any);
}

template <class V> Table table(const char* name) {
    return Table{name,         &blendSpan<V>, &fillSpan<V>,    &modulateSpan<V>,
                 &blendRow<V>, &writeRow<V>,  &modulateRow<V>, &scaleRow<V>};
}

} // namespace simd
} // namespace kernels
} // namespace gui
