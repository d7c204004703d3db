// The scalar reference kernels and the choice of instruction level. The scalar loops are the
// pixel operations applied one pixel at a time; they define what the vector kernels must give.
#include "render/kernels.h"

#include "render/pixel.h"

#include <cstdlib>
#include <cstring>

namespace gui {
namespace kernels {

#if defined(__x86_64__) || defined(__i386__)
const Table& sse2();
const Table& avx2();
#define GUI_HAVE_X86_KERNELS 1
#endif

namespace {
void blendSpanScalar(px_t* dst, int n, px_t c) {
    for (int i = 0; i < n; ++i)
        dst[i] = px::blendUnder(dst[i], c);
}
void fillSpanScalar(px_t* dst, int n, px_t c) {
    for (int i = 0; i < n; ++i)
        dst[i] = c;
}
void modulateSpanScalar(px_t* dst, int n, px_t c) {
    for (int i = 0; i < n; ++i)
        dst[i] = px::modulatePixel(dst[i], c);
}
void blendRowScalar(px_t* dst, const px_t* src, int n, px_t c) {
    for (int i = 0; i < n; ++i)
        dst[i] = px::blendUnder(dst[i], c == 0xFFFFFFFFu ? src[i] : px::modulatePixel(src[i], c));
}
void writeRowScalar(px_t* dst, const px_t* src, int n, px_t c) {
    for (int i = 0; i < n; ++i)
        dst[i] = px::modulatePixel(src[i], c);
}
void modulateRowScalar(px_t* dst, const px_t* src, int n, px_t c) {
    for (int i = 0; i < n; ++i)
        dst[i] = px::modulatePixel(dst[i], px::modulatePixel(src[i], c));
}

bool scaleRowScalar(px_t* dst, const std::uint16_t* k, int n, px_t c) {
    px_t any = 0;
    for (int i = 0; i < n; ++i)
        any |= dst[i] = px::scalePixel(c, k[i]);
    return any != 0;
}

const Table* choose() {
    const std::vector<const Table*> levels = available();
    const char* wanted = std::getenv("GUI_KERNELS");
    if (wanted != nullptr)
        for (const Table* t : levels)
            if (std::strcmp(t->name, wanted) == 0)
                return t;
    return levels.back();
}
} // namespace

const Table& scalar() {
    static const Table t{"scalar",        &blendSpanScalar, &fillSpanScalar,    &modulateSpanScalar,
                         &blendRowScalar, &writeRowScalar,  &modulateRowScalar, &scaleRowScalar};
    return t;
}

std::vector<const Table*> available() {
    std::vector<const Table*> out{&scalar()};
#ifdef GUI_HAVE_X86_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("sse2"))
        out.push_back(&sse2());
    if (__builtin_cpu_supports("avx2"))
        out.push_back(&avx2());
#endif
    return out;
}

namespace {
const Table*& chosen() {
    static const Table* t = choose();
    return t;
}
} // namespace

const Table& active() {
    return *chosen();
}

void use(const Table& t) {
    chosen() = &t;
}

} // namespace kernels
} // namespace gui
