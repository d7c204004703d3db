// The renderer, to the pixel word: the pixel operations, spans and their clipping, box fills,
// gradients, borders, the image paths, the paint-only rule and bad geometry.
#include "gui/box.h"
#include "gui/image.h"
#include "gui/render.h"
#include "harness.h"
#include "render/pixel.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using gui::Box;
using orbo::tk::RGBA;
using testing_support::Scene;
typedef boost::shared_ptr<orbotk::UIContext> Ctx;

namespace {

const RGBA HALF_WHITE(0x80808080u);
const RGBA WHITE(0xFFFFFFFFu);

// A small window whose single paint pass runs the given drawing.
class Canvas {
public:
    Canvas(int w = 40, int h = 30) : scene_(w, h) {}
    void paint(const std::function<void(const Ctx&)>& draw) {
        scene_.show([&](const Ctx& ui) {
            if (ui->isPaint())
                draw(ui);
        });
    }
    std::uint32_t at(int x, int y) const { return scene_.driver->pixel(x, y).word; }
    // Columns of row y that are not transparent.
    std::vector<int> drawnColumns(int y) const {
        std::vector<int> out;
        for (int x = 0; x < scene_.driver->width(); ++x)
            if (at(x, y) != 0)
                out.push_back(x);
        return out;
    }
    int countDrawn() const {
        int n = 0;
        for (RGBA p : scene_.driver->pixels())
            n += p.word != 0;
        return n;
    }
    Scene& scene() { return scene_; }

private:
    Scene scene_;
};

std::vector<int> range(int from, int to) { // inclusive
    std::vector<int> out;
    for (int i = from; i <= to; ++i)
        out.push_back(i);
    return out;
}

// A w x h image whose pixel (x, y) is opaque with red x, green y, blue 7.
gui::Image coordinateImage(int w, int h) {
    std::vector<unsigned char> straight(static_cast<size_t>(w * h * 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &straight[static_cast<size_t>((y * w + x) * 4)];
            p[0] = 7;
            p[1] = static_cast<unsigned char>(y);
            p[2] = static_cast<unsigned char>(x);
            p[3] = 255;
        }
    gui::Image image(wxImage(w, h));
    image.data(w, h, straight.data());
    return image;
}

std::uint32_t opaque(unsigned r, unsigned g, unsigned b) {
    return RGBA(r, g, b, 255).word;
}

} // namespace

// ---- Pixel operations

TEST(PixelOps, BlendUnderKeepsOpaqueAndFillsTransparent) {
    for (std::uint32_t c : {0xFF123456u, 0x80808080u, 0x00000000u, 0x40102030u}) {
        EXPECT_EQ(gui::px::blendUnder(0xFFABCDEFu, c), 0xFFABCDEFu);
        EXPECT_EQ(gui::px::blendUnder(0u, c), c);
    }
    EXPECT_EQ(gui::px::blendUnder(0x80808080u, 0x80808080u), 0xC0C0C0C0u);
}

TEST(PixelOps, ModulateAndScaleAreFlooredProducts) {
    EXPECT_EQ(gui::px::modulatePixel(0x12345678u, 0xFFFFFFFFu), 0x12345678u);
    EXPECT_EQ(gui::px::modulatePixel(0xFFFFFFFFu, 0x80808080u), 0x80808080u); // 255 -> 128
    EXPECT_EQ(gui::px::modulatePixel(0x64646464u, 0x80808080u), 0x32323232u); // 129*100/256
    EXPECT_EQ(gui::px::scalePixel(0xFFFFFFFFu, 256), 0xFFFFFFFFu);
    EXPECT_EQ(gui::px::scalePixel(0xFFFFFFFFu, 0), 0u);
    EXPECT_EQ(gui::px::scalePixel(0xFF804020u, 128), 0x7F402010u);
}

TEST(PixelOps, LerpGivesItsEndsExactly) {
    const std::uint32_t a = 0xFF102030u, b = 0x80405060u;
    EXPECT_EQ(gui::px::lerpPixel(a, b, 0.0f), a);
    EXPECT_EQ(gui::px::lerpPixel(a, b, 1.0f), b);
    // n = floor(0.5 * 255 + 0.5) = 128: scale(a, 128) + scale(b, 129)
    EXPECT_EQ(gui::px::lerpPixel(0xFFFFFFFFu, 0u, 0.5f), 0x7F7F7F7Fu);
}

// ---- Spans

TEST(Spans, ClipToTheFramebufferAndNeverReachTheLastColumn) {
    Canvas c(40, 30);
    c.paint([](const Ctx& ui) {
        gui::render(ui, -5, 0, 10, WHITE);  // columns 0..4
        gui::render(ui, 30, 1, 100, WHITE); // stops at column 38 (W - 2)
        gui::render(ui, 0, -1, 40, WHITE);  // above the framebuffer
        gui::render(ui, 0, 30, 40, WHITE);  // below it
        gui::render(ui, 10, 2, 0, WHITE);   // empty
        gui::render(ui, 10, 3, -4, WHITE);  // negative length
    });
    EXPECT_EQ(c.drawnColumns(0), range(0, 4));
    EXPECT_EQ(c.drawnColumns(1), range(30, 38));
    EXPECT_EQ(c.countDrawn(), 5 + 9);
}

TEST(Spans, BlendUnderWhatIsAlreadyDrawn) {
    Canvas c;
    c.paint([](const Ctx& ui) {
        gui::render(ui, 0, 0, 4, HALF_WHITE);
        gui::render(ui, 0, 0, 4, HALF_WHITE);
        gui::render(ui, 0, 1, 4, RGBA(0xFF0000FFu));
        gui::render(ui, 0, 1, 4, RGBA(0xFFFF0000u)); // under opaque blue: no change
    });
    EXPECT_EQ(c.at(0, 0), 0xC0C0C0C0u);
    EXPECT_EQ(c.at(3, 1), 0xFF0000FFu);
}

TEST(Spans, ModulateByWhiteChangesNothingAndByHalfWhiteHalves) {
    Canvas c;
    c.paint([](const Ctx& ui) {
        gui::renderModulate(ui, 0, 0, 4, HALF_WHITE); // on transparent: stays 0
        gui::render(ui, 0, 0, 8, RGBA(0xFFFF6432u));
        gui::renderModulate(ui, 0, 0, 4, WHITE);
        gui::renderModulate(ui, 4, 0, 4, HALF_WHITE);
    });
    EXPECT_EQ(c.at(0, 0), 0xFFFF6432u);
    EXPECT_EQ(c.at(4, 0), 0x80803219u); // floor(129 * v / 256): 255->128, 100->50, 50->25
}

TEST(Spans, DashesRunTwoOnFourOffFromTheVisibleStart) {
    Canvas c(40, 30);
    c.paint([](const Ctx& ui) {
        gui::renderDashed(ui, 3, 0, 20, WHITE, 3);
        gui::renderDashed(ui, -2, 1, 20, WHITE, 3); // the phase starts at column 0
        gui::renderDashed(ui, 0, 2, 20, WHITE, 1);  // draws nothing
        gui::renderDashed(ui, 0, 3, 20, WHITE, 0);
        gui::renderDashed(ui, 0, 4, 12, WHITE, 4); // 3 on, 5 off
    });
    EXPECT_EQ(c.drawnColumns(0), (std::vector<int>{3, 4, 9, 10, 15, 16, 21, 22}));
    EXPECT_EQ(c.drawnColumns(1), (std::vector<int>{0, 1, 6, 7, 12, 13}));
    EXPECT_TRUE(c.drawnColumns(2).empty());
    EXPECT_TRUE(c.drawnColumns(3).empty());
    EXPECT_EQ(c.drawnColumns(4), (std::vector<int>{0, 1, 2, 8, 9, 10}));
}

TEST(Spans, NothingHappensOutsidePaintEvents) {
    Scene scene(40, 30);
    int passes = 0;
    RGBA colourAfter;
    scene.show([&](const Ctx& ui) {
        if (ui->isPaint()) {
            gui::render(ui, 0, 0, 10, RGBA(0xFF0000FFu));
            return;
        }
        ++passes;
        ui->setColour(RGBA(0xFF123456u));
        Box b(ui, 10.0f, 10.0f);
        gui::render(ui, 0, 0, 10, WHITE);
        gui::renderModulate(ui, 0, 0, 10, RGBA());
        gui::renderDashed(ui, 0, 0, 10, WHITE, 3);
        gui::render(ui, WHITE);
        gui::renderNoBlend(ui, WHITE);
        gui::renderModulate(ui, RGBA());
        gui::render(ui, WHITE, RGBA());
        gui::renderModulate(ui, RGBA(), RGBA());
        gui::render(ui, WHITE, gui::BORDER_ALL);
        gui::renderDashed(ui, WHITE, gui::BORDER_ALL, 3);
        gui::render(ui, coordinateImage(4, 4));
        gui::renderModulate(ui, coordinateImage(4, 4));
        colourAfter = ui->colour();
    });
    const std::vector<RGBA> before = scene.driver->pixels();
    scene.driver->mouseMove(5, 5);
    scene.driver->press('A');
    EXPECT_EQ(passes, 4); // motion, key down, character, key up
    EXPECT_EQ(scene.driver->pixels(), before);
    EXPECT_EQ(colourAfter, RGBA(0xFF123456u));
}

// ---- Box fills and gradients

TEST(Fills, CurrentColourFillNeverTouchesTheBottomRowOrLastColumn) {
    Canvas c(40, 30);
    RGBA stored;
    c.paint([&](const Ctx& ui) {
        gui::render(ui, WHITE); // the root box covers the framebuffer
        stored = ui->colour();
    });
    EXPECT_EQ(stored, WHITE);
    EXPECT_EQ(c.at(0, 28), 0xFFFFFFFFu);
    EXPECT_EQ(c.at(38, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(c.drawnColumns(29).empty());
    EXPECT_EQ(c.at(39, 0), 0u);
}

TEST(Fills, OverwriteAndModulateFillsReachTheBottomRow) {
    Canvas c(40, 30);
    c.paint([](const Ctx& ui) {
        {
            Box b(ui, 10.0f, 10.0f);
            b.setPos(5.0f, 25.0f); // rows 25..34, clipped at 29
            gui::renderNoBlend(ui, HALF_WHITE);
        }
        gui::render(ui, 5, 29, 1, RGBA(0xFF0000FFu)); // under a translucent pixel
        Box row(ui, 40.0f, 1.0f);
        row.setPos(0.0f, 29.0f);
        gui::renderModulate(ui, RGBA(0x00000000u));
    });
    EXPECT_EQ(c.at(5, 25), 0x80808080u);
    EXPECT_EQ(c.at(6, 29), 0u); // modulated by transparent black: cleared
    EXPECT_EQ(c.at(5, 29), 0u);
}

TEST(Fills, OverwriteReplacesWhatWasDrawn) {
    Canvas c;
    c.paint([](const Ctx& ui) {
        gui::render(ui, 0, 0, 10, RGBA(0xFF0000FFu));
        Box b(ui, 5.0f, 1.0f);
        gui::renderNoBlend(ui, HALF_WHITE);
    });
    EXPECT_EQ(c.at(0, 0), 0x80808080u);
    EXPECT_EQ(c.at(5, 0), 0xFF0000FFu);
}

TEST(Gradients, RunFromTopToExactlyBottom) {
    Canvas c(40, 30);
    const RGBA top(0xFF000000u), bottom(0xFF0000FFu);
    c.paint([&](const Ctx& ui) {
        Box b(ui, 4.0f, 11.0f);
        gui::render(ui, top, bottom);
    });
    EXPECT_EQ(c.at(0, 0), top.word);
    EXPECT_EQ(c.at(0, 10), bottom.word);
    // Row 5: t = 0.5, n = 128: scale(top, 128) + scale(bottom, 129).
    EXPECT_EQ(c.at(3, 5), gui::px::lerpPixel(top.word, bottom.word, 5 * (1.0f / 10)));
    EXPECT_EQ(c.at(0, 11), 0u);
}

TEST(Gradients, DegenerateHeightsAndWhiteRows) {
    Canvas c(40, 30);
    c.paint([](const Ctx& ui) {
        {
            Box one(ui, 4.0f, 1.0f);
            gui::render(ui, RGBA(0xFF112233u), RGBA(0xFF445566u));
        }
        {
            Box none(ui, 4.0f, 0.0f);
            none.setY(5.0f);
            gui::render(ui, RGBA(0xFF112233u), RGBA(0xFF445566u));
        }
        Box white(ui, 4.0f, 3.0f);
        white.setY(10.0f);
        gui::render(ui, WHITE, RGBA(0xFF000000u)); // the white first row is skipped
    });
    EXPECT_EQ(c.at(0, 0), 0xFF112233u);
    EXPECT_EQ(c.countDrawn(), 4 + 8);
    EXPECT_EQ(c.at(0, 10), 0u);
    EXPECT_EQ(c.at(0, 12), 0xFF000000u);
}

TEST(Gradients, ABoxLeftOfTheFramebufferKeepsItsLength) {
    Canvas c(40, 30);
    c.paint([](const Ctx& ui) {
        Box b(ui, 10.0f, 2.0f);
        b.setX(-6.0f);
        gui::render(ui, RGBA(0xFF000010u), RGBA(0xFF000020u));
    });
    EXPECT_EQ(c.drawnColumns(0), range(0, 9));
}

TEST(Gradients, ModulationStopsOneStepShortOfTheBottomColour) {
    Canvas c(40, 30);
    const RGBA top(0xFFFFFFFFu), bottom(0x00000000u);
    c.paint([&](const Ctx& ui) {
        gui::render(ui, RGBA(0xFFFFFFFFu));
        Box b(ui, 4.0f, 4.0f);
        gui::renderModulate(ui, top, bottom);
    });
    EXPECT_EQ(c.at(0, 0), 0xFFFFFFFFu); // white rows change nothing
    const std::uint32_t last = gui::px::lerpPixel(top.word, bottom.word, 3 * (1.0f / 4));
    EXPECT_EQ(c.at(0, 3), gui::px::modulatePixel(0xFFFFFFFFu, last));
    EXPECT_NE(c.at(0, 3), 0u);
}

// ---- Borders

TEST(Borders, SolidBorderDrawsEachEdgeAndCanReachTheLastRowAndColumn) {
    Canvas c(20, 10);
    c.paint([](const Ctx& ui) {
        gui::render(ui, RGBA(0xFF0000FFu), gui::BORDER_ALL); // the root box
    });
    EXPECT_EQ(c.at(19, 5), 0xFF0000FFu); // right edge in the last column
    EXPECT_EQ(c.at(5, 9), 0xFF0000FFu);  // bottom edge row, as a span: columns 0..18
    EXPECT_EQ(c.at(19, 9), 0xFF0000FFu); // by the right edge
    EXPECT_EQ(c.at(0, 5), 0xFF0000FFu);
    EXPECT_EQ(c.at(5, 5), 0u);
    EXPECT_EQ(c.countDrawn(), 20 + 20 + 8 + 8);
}

TEST(Borders, OneByOneBoxIsBlendedFourTimes) {
    Canvas c;
    c.paint([](const Ctx& ui) {
        Box b(ui, 1.0f, 1.0f);
        b.setPos(3.0f, 3.0f);
        gui::render(ui, HALF_WHITE, gui::BORDER_ALL);
    });
    EXPECT_EQ(c.at(3, 3), 0xF0F0F0F0u); // 128, 192, 224, 240
}

TEST(Borders, SelectedEdgesOnlyAndDashedEdgesRestartPerEdge) {
    Canvas c(40, 30);
    c.paint([](const Ctx& ui) {
        {
            Box b(ui, 10.0f, 10.0f);
            b.setPos(1.0f, 1.0f);
            gui::render(ui, WHITE, gui::BORDER_LEFT | gui::BORDER_BOTTOM);
        }
        Box d(ui, 20.0f, 12.0f);
        d.setPos(15.0f, 2.0f);
        gui::renderDashed(ui, WHITE, gui::BORDER_ALL, 3);
    });
    EXPECT_EQ(c.at(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(c.at(5, 1), 0u); // no top edge
    EXPECT_EQ(c.at(5, 10), 0xFFFFFFFFu);
    EXPECT_EQ(c.at(10, 5), 0u); // no right edge
    // Row 2: the first box's left edge, then the dashed top edge from its own start.
    EXPECT_EQ(c.drawnColumns(2), (std::vector<int>{1, 15, 16, 21, 22, 27, 28, 33, 34}));
    std::vector<int> rightRows;
    for (int y = 0; y < 30; ++y)
        if (c.at(34, y) != 0)
            rightRows.push_back(y);
    // The right edge restarts the dash at the top row; row 13 is the dashed bottom edge.
    EXPECT_EQ(rightRows, (std::vector<int>{2, 3, 8, 9, 13}));
}

// ---- Images

TEST(Images, ExactSizeCopiesPixelsAndHalfWhiteTintHalvesThem) {
    Canvas c;
    const gui::Image image = coordinateImage(16, 16);
    c.paint([&](const Ctx& ui) {
        Box b(ui, 16.0f, 16.0f);
        gui::render(ui, image);
        Box tinted(ui, 16.0f, 16.0f);
        tinted.setX(20.0f);
        ui->setColour(HALF_WHITE);
        gui::render(ui, image);
    });
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(c.at(x, y), opaque(x, y, 7));
            ASSERT_EQ(c.at(20 + x, y), gui::px::modulatePixel(opaque(x, y, 7), 0x80808080u));
        }
}

TEST(Images, DoubleSizeRepeatsEachPixelInTwoByTwoBlocks) {
    Canvas c(40, 40);
    const gui::Image image = coordinateImage(16, 16);
    c.paint([&](const Ctx& ui) {
        Box b(ui, 32.0f, 32.0f);
        gui::render(ui, image);
    });
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(c.at(x, y), opaque(x / 2, y / 2, 7)) << x << "," << y;
}

TEST(Images, ViewsSampleTheirPartOfTheBuffer) {
    Canvas c(40, 40);
    const gui::Image whole = coordinateImage(32, 16);
    const gui::Image view(whole, 8, 4, 8, 8);
    c.paint([&](const Ctx& ui) {
        Box b(ui, 8.0f, 8.0f);
        gui::render(ui, view); // exact size
        Box big(ui, 16.0f, 16.0f);
        big.setPos(20.0f, 0.0f);
        gui::render(ui, view); // scaled
    });
    EXPECT_EQ(c.at(0, 0), opaque(8, 4, 7));
    EXPECT_EQ(c.at(7, 7), opaque(15, 11, 7));
    EXPECT_EQ(c.at(20, 0), opaque(8, 4, 7));
    EXPECT_EQ(c.at(35, 15), opaque(15, 11, 7));
}

TEST(Images, ClippingAtTheLeftShowsTheViewsLeftEdge) {
    Canvas c(40, 30);
    const gui::Image image = coordinateImage(16, 16);
    c.paint([&](const Ctx& ui) {
        Box b(ui, 16.0f, 16.0f);
        b.setX(-3.0f);
        gui::render(ui, image);
        Box late(ui, 16.0f, 16.0f);
        late.setX(39.0f); // the left column is W - 1: nothing
        gui::render(ui, image);
    });
    EXPECT_EQ(c.at(0, 0), opaque(0, 0, 7));
    EXPECT_EQ(c.at(12, 5), opaque(12, 5, 7));
    EXPECT_EQ(c.at(13, 5), 0u); // the right part is lost
    EXPECT_EQ(c.at(39, 0), 0u);
}

TEST(Images, SinglePixelViewsFillTheBoxUnlessNothingWouldShow) {
    Canvas c(40, 30);
    const gui::Image image = coordinateImage(4, 4);
    const gui::Image pixel(image, 2, 1, 0, 0);
    std::vector<unsigned char> clear(4 * 4 * 4, 0);
    gui::Image transparent(wxImage(4, 4));
    transparent.data(4, 4, clear.data());
    const gui::Image clearPixel(transparent, 1, 1, 0, 0);
    RGBA colourAfter;
    c.paint([&](const Ctx& ui) {
        {
            Box b(ui, 5.0f, 3.0f);
            ui->setColour(HALF_WHITE);
            gui::render(ui, pixel);
            colourAfter = ui->colour();
        }
        Box other(ui, 5.0f, 3.0f);
        other.setX(10.0f);
        ui->setColour(RGBA());
        gui::render(ui, pixel); // transparent tint: nothing
        ui->setColour(WHITE);
        gui::render(ui, clearPixel); // transparent sample, blending: nothing
    });
    EXPECT_EQ(colourAfter, HALF_WHITE);
    EXPECT_EQ(c.at(4, 2), gui::px::modulatePixel(opaque(2, 1, 7), 0x80808080u));
    EXPECT_EQ(c.drawnColumns(0), range(0, 4));
}

TEST(Images, StripsAreDrawnAsSpansAndRepeatedRows) {
    Canvas c(40, 30);
    const gui::Image image = coordinateImage(8, 8);
    c.paint([&](const Ctx& ui) {
        {
            Box v(ui, 6.0f, 8.0f); // a zero-width view: one colour per row
            gui::render(ui, gui::Image(image, 3, 0, 0, 8));
        }
        Box h(ui, 16.0f, 4.0f); // a zero-height view: one row, repeated
        h.setPos(10.0f, 10.0f);
        gui::render(ui, gui::Image(image, 0, 5, 8, 0));
    });
    EXPECT_EQ(c.at(0, 6), opaque(3, 6, 7));
    EXPECT_EQ(c.at(5, 6), opaque(3, 6, 7));
    EXPECT_EQ(c.at(6, 6), 0u);
    EXPECT_EQ(c.at(10, 13), opaque(0, 5, 7));
    EXPECT_EQ(c.at(25, 10), opaque(7, 5, 7));
}

TEST(Images, WithoutImageBlendTheyOverwrite) {
    Canvas c;
    std::vector<unsigned char> straight(4 * 4 * 4, 0);
    for (size_t i = 0; i < straight.size(); i += 4)
        straight[i + 3] = 64; // transparent-ish black
    gui::Image glass(wxImage(4, 4));
    glass.data(4, 4, straight.data());
    c.paint([&](const Ctx& ui) {
        gui::render(ui, 0, 0, 20, RGBA(0xFF0000FFu));
        Box b(ui, 4.0f, 4.0f);
        ui->imageBlend = false;
        gui::render(ui, glass);
        ui->imageBlend = true;
    });
    EXPECT_EQ(c.at(0, 0), 0x40000000u);
    EXPECT_EQ(c.at(4, 0), 0xFF0000FFu);
}

TEST(Images, ModulateMultipliesTheBoxByTheView) {
    Canvas c;
    const gui::Image image = coordinateImage(8, 8);
    c.paint([&](const Ctx& ui) {
        gui::render(ui, 0, 0, 20, WHITE);
        Box b(ui, 8.0f, 1.0f);
        gui::renderModulate(ui, image);
    });
    EXPECT_EQ(c.at(5, 0), gui::px::modulatePixel(0xFFFFFFFFu, opaque(5, 0, 7)));
    EXPECT_EQ(c.at(9, 0), 0xFFFFFFFFu);
}

TEST(Images, BadGeometryAndEmptyImagesDrawNothingAndThrowNothing) {
    Canvas c(40, 30);
    const gui::Image image = coordinateImage(8, 8);
    const gui::Image empty;
    const gui::Image zeroBuffer{wxImage()};
    c.paint([&](const Ctx& ui) {
        auto place = [&](int x, int y, int w, int h) {
            boost::shared_ptr<orbotk::Box> b = ui->current();
            b->x = x, b->y = y, b->w = w, b->h = h;
        };
        Box b(ui);
        const int boxes[][4] = {{0, 0, 0, 10},      {0, 0, 10, 0},      {0, 0, -5, -5},
                                {-100, -100, 5, 5}, {1000, 1000, 5, 5}, {-1000, 5, 3000, 3},
                                {5, -1000, 3, 3000}};
        for (const auto& r : boxes) {
            place(r[0], r[1], r[2], r[3]);
            gui::render(ui, empty);
            gui::render(ui, zeroBuffer);
            gui::renderModulate(ui, empty);
            if (r[2] > 0 && r[3] > 0 && r[0] >= 0 && r[1] >= 0)
                continue; // on-screen boxes would draw; the rest must not write out of bounds
            gui::render(ui, image);
            gui::render(ui, gui::Image(image, 0, 0, 0, 0));
            gui::render(ui, gui::Image(image, 2, 0, 0, 8));
            gui::render(ui, gui::Image(image, 0, 2, 8, 0));
            gui::render(ui, WHITE);
            gui::renderNoBlend(ui, WHITE);
            gui::render(ui, WHITE, WHITE);
            gui::renderModulate(ui, WHITE, RGBA());
            gui::renderDashed(ui, WHITE, gui::BORDER_ALL, 3);
        }
        place(0, 0, 40, 30);
    });
    // The sanitizer build checks that nothing was written out of bounds; on screen, only the
    // boxes that cross it have drawn.
    EXPECT_EQ(c.at(20, 15), 0u);
    EXPECT_NE(c.at(20, 6), 0u);
    EXPECT_NE(c.at(6, 20), 0u);
}

TEST(Frame, DrawingOverStalePixelsEqualsDrawingOnAClearedFrame) {
    // A paint pass clears only what it has not drawn on. Every operation, onto columns drawn
    // and not drawn yet (inside, across and beside what is there, leaving gaps), tall layers
    // with other drawing between them, over a frame full of the last pass's garbage, must give
    // what the same drawing gives on a frame cleared first and kept cleared between calls
    // (asking for the framebuffer clears what nothing has drawn on).
    const wxFont font(wxFontInfo(9).FaceName("Arial"));
    const gui::Image image = coordinateImage(6, 5);
    const gui::Image column(image, 3, 0, 0, 5), row(image, 0, 2, 6, 0); // strips
    auto place = [](Box& b, float x, float y) {
        b.setLeft(x);
        b.setTop(y);
    };
    std::function<void()> step;
    auto drawing = [&](const Ctx& ui) {
        const std::function<void()> draws[] = {
            [&] { gui::render(ui, 10, 2, 6, HALF_WHITE); }, // then beside it, leaving a gap
            [&] { gui::render(ui, 20, 2, 5, RGBA(0xFF102030u)); },
            [&] { gui::render(ui, 5, 2, 30, RGBA(0x40404040u)); }, // across both and the gap
            [&] { gui::renderModulate(ui, 0, 3, 20, RGBA(0x80FF8040u)); }, // onto nothing
            [&] { gui::renderDashed(ui, 2, 4, 30, WHITE, 3); },
            [&] { // three runs apart on one row, the gaps never drawn
                gui::render(ui, 2, 29, 3, WHITE);
                gui::render(ui, 10, 29, 2, WHITE);
                gui::render(ui, 20, 29, 5, WHITE);
                gui::render(ui, 30, 29, 2, WHITE);
            },
            [&] { gui::renderDashed(ui, 0, 4, 38, HALF_WHITE, 2); }, // dashes over dashes
            [&] {
                Box b(ui, 12.0f, 9.0f);
                place(b, 3, 6);
                gui::render(ui, WHITE, gui::BORDER_ALL);
                step();
                gui::render(ui, RGBA(0x30303030u), RGBA(0xC0806040u));
            },
            [&] {
                Box b(ui, 6.0f, 5.0f);
                place(b, 8, 10);
                ui->setColour(HALF_WHITE);
                gui::render(ui, image);
                step();
                gui::renderModulate(ui, image);
            },
            [&] {
                Box b(ui, 12.0f, 10.0f); // stretched
                place(b, 20, 8);
                gui::render(ui, image);
            },
            [&] {
                Box b(ui, 6.0f, 5.0f); // overwriting
                place(b, 4, 4);
                ui->imageBlend = false;
                gui::render(ui, image);
                ui->imageBlend = true;
            },
            [&] { // tall layers, with a border and text drawn between them
                Box b(ui, 30.0f, 26.0f);
                place(b, 6, 3);
                ui->setColour(HALF_WHITE);
                gui::render(ui, column);
                step();
                gui::render(ui, row);
                step();
                gui::render(ui, RGBA(0xFF00FF00u), gui::BORDER_ALL);
                step();
                gui::render(ui, font, L"Ag", 0.0f);
                step();
                gui::renderModulate(ui, RGBA(0xFFFFFF80u), RGBA(0x80808080u));
                step();
                gui::render(ui, RGBA(0x20102040u));
                step();
                ui->imageBlend = false;
                Box c(ui, 4.0f, 20.0f);
                gui::render(ui, column);
                ui->imageBlend = true;
            },
            [&] {
                Box b(ui, 38.0f, 10.0f);
                place(b, 0, 18);
                ui->setColour(RGBA(0xFF000080u));
                gui::render(ui, font, L"Ag text", 0.0f);
                step();
                gui::renderModulate(ui, RGBA(0xFFFFFF80u), RGBA(0x80808080u));
                step();
                gui::render(ui, HALF_WHITE);
            },
        };
        for (const auto& draw : draws) {
            draw();
            step();
        }
    };
    Canvas canvas(40, 30);
    auto garbage = [&] {
        canvas.paint([](const Ctx& ui) { gui::renderNoBlend(ui, RGBA(0x7F3355AAu)); });
    };
    garbage();
    canvas.paint([&](const Ctx& ui) {
        step = [&ui] { ui->framebuffer(); };
        step();
        drawing(ui);
    });
    const std::vector<RGBA> clean = canvas.scene().driver->pixels();
    garbage();
    step = [] {};
    canvas.paint(drawing);
    const std::vector<RGBA> lazy = canvas.scene().driver->pixels();
    for (size_t i = 0; i < clean.size(); ++i)
        ASSERT_EQ(lazy[i].word, clean[i].word) << "at (" << i % 40 << ", " << i / 40 << ")";
    EXPECT_GT(canvas.countDrawn(), 800);
}

TEST(Frame, AKeptBackdropShowsWhatDrawingItAgainWould) {
    // A backdrop is drawn in full once and kept; later passes draw it only behind what they
    // drew before it, show the kept one elsewhere and keep, per row, what a modulation over the
    // whole row makes of it. Every pass must give what the same calls made directly give,
    // whatever is drawn in front, with the frame asked for halfway, with the backdrop drawn
    // twice, when the key changes, and whatever the pass before left in the frame.
    const wxFont font(wxFontInfo(9).FaceName("Arial"));
    const gui::Image image = coordinateImage(6, 5);
    struct Pass {
        int front;
        std::uint64_t key;
        RGBA shade; // transparent: no shading
        bool settle;
        int when; // the backdrop drawn: 1 before the shading, 2 after it, 3 both
    };
    auto body = [&](const Ctx& ui, const Pass& p, bool keep) {
        for (int i = 0; i < p.front; ++i) // in front, on rows that differ from pass to pass
            gui::render(ui, 3 + 9 * i, 2 + 5 * i, 4 + i, RGBA(0xC0602010u));
        if (p.front > 2) // three runs apart on one row
            for (int x : {2, 12, 30})
                gui::render(ui, x, 20, 3, WHITE);
        auto backdrop = [&] {
            Box area(ui, p.key == 1 ? 40.0f : 30.0f, gui::FILL); // key 2: not whole rows
            gui::render(ui, RGBA(0xFFE0E0E0u), RGBA(0xFF909090u));
            {
                Box b(ui, 20.0f, 12.0f);
                b.setLeft(10.0f);
                b.setTop(8.0f);
                ui->setColour(HALF_WHITE);
                gui::render(ui, image);
            }
            if (p.settle)
                ui->framebuffer();
            gui::render(ui, p.key == 1 ? RGBA(0x40102040u) : RGBA(0x80400000u), gui::BORDER_ALL);
            ui->setColour(RGBA(0xFF000080u));
            gui::render(ui, font, L"Ag", 0.0f);
        };
        if (p.when & 1)
            keep ? ui->drawBackdrop(p.key, backdrop) : backdrop();
        if (p.shade.word != 0) {
            gui::renderModulate(ui, WHITE, p.shade);               // whole rows
            gui::renderModulate(ui, 5, 12, 15, RGBA(0x80808080u)); // part of rows shown mapped
        }
        gui::render(ui, 0, 25, 40, HALF_WHITE); // onto a row that shows it
        if (p.when & 2) { // over what the first one shows, if any: that is settled first
            ui->setColour(WHITE);
            keep ? ui->drawBackdrop(p.key, backdrop) : backdrop();
            gui::render(ui, 0, 3, 40, RGBA(0xC0206020u));
        }
    };
    // The first pass at a size draws as usual, the second keeps the backdrop.
    const RGBA green(0xC0FFC080u);
    const Pass passes[] = {
        {0, 1, HALF_WHITE, false, 1}, {3, 1, HALF_WHITE, false, 1}, {1, 1, green, false, 1},
        {2, 1, green, true, 1},       {0, 1, HALF_WHITE, false, 1}, {1, 1, green, false, 1},
        {1, 1, green, false, 3},      {1, 1, RGBA(), false, 2},     {0, 2, RGBA(), false, 3},
        {4, 2, HALF_WHITE, false, 3}, {0, 2, green, false, 1},      {2, 1, HALF_WHITE, false, 1},
        {1, 1, HALF_WHITE, false, 1}};
    Canvas kept, direct;
    for (const Pass& p : passes) {
        kept.paint([&](const Ctx& ui) { body(ui, p, true); });
        direct.paint([&](const Ctx& ui) { body(ui, p, false); });
        const std::vector<RGBA> a = kept.scene().driver->pixels(),
                                b = direct.scene().driver->pixels();
        for (size_t i = 0; i < a.size(); ++i)
            ASSERT_EQ(a[i].word, b[i].word) << "pass with " << p.front << " in front, key " << p.key
                                            << ", at (" << i % 40 << ", " << i / 40 << ")";
    }
}
