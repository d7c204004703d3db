// Row kernels of the renderer: the loops that touch every pixel of a span or an image row.
// Each instruction level (scalar reference, SSE2, AVX2) provides the same table; the fastest the
// processor supports is chosen once, at first use. Every kernel equals the scalar reference,
// which is the pixel operations of pixel.h applied one pixel at a time, bit for bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gui {
namespace kernels {

typedef std::uint32_t px_t;

struct Table {
    const char* name;
    // dst[i] = blendUnder(dst[i], c)
    void (*blendSpan)(px_t* dst, int n, px_t c);
    // dst[i] = c
    void (*fillSpan)(px_t* dst, int n, px_t c);
    // dst[i] = modulatePixel(dst[i], c)
    void (*modulateSpan)(px_t* dst, int n, px_t c);
    // dst[i] = blendUnder(dst[i], modulatePixel(src[i], c)); the tint is skipped for opaque white
    void (*blendRow)(px_t* dst, const px_t* src, int n, px_t c);
    // dst[i] = modulatePixel(src[i], c)
    void (*writeRow)(px_t* dst, const px_t* src, int n, px_t c);
    // dst[i] = modulatePixel(dst[i], modulatePixel(src[i], c))
    void (*modulateRow)(px_t* dst, const px_t* src, int n, px_t c);
    // dst[i] = scalePixel(c, k[i]) (text coverage in colour, k <= 256); true when any is not 0
    bool (*scaleRow)(px_t* dst, const std::uint16_t* k, int n, px_t c);
};

const Table& scalar();
// The levels this processor can run, scalar first.
std::vector<const Table*> available();
// The chosen level: the last of available(), unless GUI_KERNELS names another ("scalar",
// "sse2", "avx2").
const Table& active();
// Makes t the active level from now on; for tests and fuzzers that compare levels in one run.
void use(const Table& t);

} // namespace kernels
} // namespace gui
