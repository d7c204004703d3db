// Every vector kernel against the scalar reference: exhaustively over destination alpha,
// destination channel and source channel, and on random rows of odd lengths at odd offsets, at
// every instruction level this processor has.
#include "render/kernels.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using gui::kernels::px_t;
using gui::kernels::Table;

namespace {

// Each lane gets a different odd multiple of v, so every value 0..255 appears in every lane
// and a kernel that mixes up lanes cannot pass.
px_t spread(unsigned alpha, unsigned v) {
    return (alpha << 24) | (((v * 7u) & 255u) << 16) | (((v * 13u) & 255u) << 8) | (v & 255u);
}

// All 65536 (destination alpha, destination channel) pairs.
std::vector<px_t> allDestinations() {
    std::vector<px_t> d;
    d.reserve(65536);
    for (unsigned a = 0; a < 256; ++a)
        for (unsigned v = 0; v < 256; ++v)
            d.push_back(spread(a, v));
    return d;
}

std::vector<const Table*> vectorLevels() {
    std::vector<const Table*> levels = gui::kernels::available();
    levels.erase(levels.begin()); // the scalar reference itself
    return levels;
}

typedef void (*SpanKernel)(px_t*, int, px_t);
typedef void (*RowKernel)(px_t*, const px_t*, int, px_t);

void checkSpan(SpanKernel fast, SpanKernel ref, const char* what) {
    const std::vector<px_t> dst = allDestinations();
    for (unsigned s = 0; s < 256; ++s) {
        const px_t c = spread(s, s);
        std::vector<px_t> a = dst, b = dst;
        ref(a.data(), static_cast<int>(a.size()), c);
        fast(b.data(), static_cast<int>(b.size()), c);
        ASSERT_EQ(a, b) << what << " with colour " << std::hex << c;
    }
}

void checkRow(RowKernel fast, RowKernel ref, const char* what) {
    const std::vector<px_t> dst = allDestinations();
    for (px_t tint : {0xFFFFFFFFu, 0x80808080u, 0xC0104080u, 0u}) {
        for (unsigned s = 0; s < 256; ++s) {
            const std::vector<px_t> src(dst.size(), spread(s, s));
            std::vector<px_t> a = dst, b = dst;
            ref(a.data(), src.data(), static_cast<int>(a.size()), tint);
            fast(b.data(), src.data(), static_cast<int>(b.size()), tint);
            ASSERT_EQ(a, b) << what << " source " << s << " tint " << std::hex << tint;
        }
    }
}

} // namespace

TEST(Kernels, ScalarIsAlwaysAvailableAndTheActiveLevelIsOneOfThem) {
    const std::vector<const Table*> levels = gui::kernels::available();
    ASSERT_FALSE(levels.empty());
    EXPECT_STREQ(levels.front()->name, "scalar");
    bool found = false;
    for (const Table* t : levels)
        found |= t == &gui::kernels::active();
    EXPECT_TRUE(found);
}

TEST(Kernels, SpanKernelsEqualTheReferenceForEveryChannelCombination) {
    const Table& ref = gui::kernels::scalar();
    for (const Table* t : vectorLevels()) {
        SCOPED_TRACE(t->name);
        checkSpan(t->blendSpan, ref.blendSpan, "blendSpan");
        checkSpan(t->modulateSpan, ref.modulateSpan, "modulateSpan");
        checkSpan(t->fillSpan, ref.fillSpan, "fillSpan");
    }
}

TEST(Kernels, RowKernelsEqualTheReferenceForEveryChannelCombination) {
    const Table& ref = gui::kernels::scalar();
    for (const Table* t : vectorLevels()) {
        SCOPED_TRACE(t->name);
        checkRow(t->blendRow, ref.blendRow, "blendRow");
        checkRow(t->writeRow, ref.writeRow, "writeRow");
        checkRow(t->modulateRow, ref.modulateRow, "modulateRow");
    }
}

TEST(Kernels, RandomRowsOfOddLengthsAtOddOffsetsMatch) {
    std::mt19937 rng(20261205);
    auto pixel = [&] { return static_cast<px_t>(rng()); };
    const Table& ref = gui::kernels::scalar();
    for (const Table* t : vectorLevels()) {
        SCOPED_TRACE(t->name);
        for (int round = 0; round < 400; ++round) {
            const int width = 1 + 2 * static_cast<int>(rng() % 60); // odd, 1..119
            const int offset = static_cast<int>(rng() % 7);
            std::vector<px_t> dst(static_cast<size_t>(width + offset + 8)), src(dst.size());
            for (size_t i = 0; i < dst.size(); ++i) {
                dst[i] = pixel();
                src[i] = pixel();
            }
            const px_t c = round % 5 == 0 ? 0xFFFFFFFFu : pixel();
            auto same = [&](auto fastCall, auto refCall) {
                std::vector<px_t> a = dst, b = dst;
                refCall(a.data() + offset);
                fastCall(b.data() + offset);
                return a == b;
            };
            const px_t* s = src.data() + offset;
            ASSERT_TRUE(same([&](px_t* d) { t->blendSpan(d, width, c); },
                             [&](px_t* d) { ref.blendSpan(d, width, c); }));
            ASSERT_TRUE(same([&](px_t* d) { t->modulateSpan(d, width, c); },
                             [&](px_t* d) { ref.modulateSpan(d, width, c); }));
            ASSERT_TRUE(same([&](px_t* d) { t->fillSpan(d, width, c); },
                             [&](px_t* d) { ref.fillSpan(d, width, c); }));
            ASSERT_TRUE(same([&](px_t* d) { t->blendRow(d, s, width, c); },
                             [&](px_t* d) { ref.blendRow(d, s, width, c); }));
            ASSERT_TRUE(same([&](px_t* d) { t->writeRow(d, s, width, c); },
                             [&](px_t* d) { ref.writeRow(d, s, width, c); }));
            ASSERT_TRUE(same([&](px_t* d) { t->modulateRow(d, s, width, c); },
                             [&](px_t* d) { ref.modulateRow(d, s, width, c); }));
        }
    }
}

TEST(Kernels, TextCoverageInColourEqualsTheReferenceForEveryWeight) {
    // Every weight 0..256 under colours that probe each channel's extremes, at lengths that
    // leave every tail, and whether anything was drawn.
    std::mt19937 rng(20261206);
    std::vector<std::uint16_t> k(257 + 9);
    for (size_t i = 0; i < k.size(); ++i)
        k[i] = static_cast<std::uint16_t>(i % 257);
    const px_t colours[] = {0xFFFFFFFFu,
                            0xFF000000u,
                            0x80FF0080u,
                            0x01020304u,
                            0u,
                            static_cast<px_t>(rng()),
                            static_cast<px_t>(rng())};
    const Table& ref = gui::kernels::scalar();
    for (const Table* t : vectorLevels()) {
        SCOPED_TRACE(t->name);
        for (px_t c : colours)
            for (int n : {1, 3, 4, 7, 8, 9, 17, 257}) {
                for (int offset = 0; offset < 9 && offset + n <= static_cast<int>(k.size());
                     offset += 4) {
                    std::vector<px_t> a(static_cast<size_t>(n)), b(a.size());
                    const bool anyRef = ref.scaleRow(a.data(), k.data() + offset, n, c);
                    const bool anyFast = t->scaleRow(b.data(), k.data() + offset, n, c);
                    ASSERT_EQ(a, b) << std::hex << c << " n " << std::dec << n;
                    ASSERT_EQ(anyRef, anyFast);
                }
            }
        // Zero weights draw nothing and say so.
        std::vector<std::uint16_t> zeros(19, 0);
        std::vector<px_t> out(19);
        EXPECT_FALSE(t->scaleRow(out.data(), zeros.data(), 19, 0xFFFFFFFFu));
    }
}
