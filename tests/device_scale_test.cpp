// Frames drawn at device scale 2: the same scene as at scale 1, in twice the pixels each way,
// drawn sharp rather than magnified, and host images with and without a sharper variant.
#include "gui/box.h"
#include "gui/image.h"
#include "widget_host.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <vector>
#include <wx/log.h>

using gui::Box;
using orbo::tk::RGBA;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

const wchar_t* const PARAGRAPH =
    L"A paragraph long enough to wrap onto several lines in a box this narrow, so that "
    L"where its lines break shows whether text is laid out alike at every scale.";

// Wrapped text, a checkbox, a push button with an icon, a slider and a line edit.
void scene(Host& h, gui::TextState& field, float& wrapped) {
    {
        Box b(h.ui(), 170.0f, 120.0f);
        b.setPos(8.0f, 8.0f);
        h.doTextWrap(wrapped, PARAGRAPH);
    }
    {
        Box b(h.ui(), 120.0f, 26.0f);
        b.setPos(190.0f, 8.0f);
        bool checked = true;
        h.doCheckbox(ControlID(L"check"), checked, L"Remember", nullptr, nullptr, true);
    }
    {
        Box b(h.ui(), 104.0f, 30.0f);
        b.setPos(190.0f, 44.0f);
        h.glColor(gui::orbopal::OKButton);
        h.doPushButton(h.mail_, L"Send", true);
    }
    {
        Box b(h.ui(), 140.0f, 32.0f);
        b.setPos(190.0f, 84.0f);
        float value = 40.0f, preview = 0.0f;
        h.doHSlider(ControlID(L"volume"), value, preview, L"Vol", true);
    }
    {
        Box b(h.ui(), 300.0f, 28.0f);
        b.setPos(8.0f, 150.0f);
        h.doLineEdit(ControlID(L"field"), field, L"Name", 0.0f, true);
    }
}

struct Drawn {
    std::vector<RGBA> pixels; // the frame
    int w, h, scale;
    float wrapped; // the height the paragraph took
    RGBA at(int x, int y) const { return pixels[static_cast<size_t>(y * w + x)]; }
};

// The scene drawn at a scale; with chrome, in the window's chrome (whose panel is kept from
// pass to pass). A window first drawn at another scale is switched to this one, as one moved
// to another screen is.
Drawn draw(int scale, bool chrome = false, int firstScale = 0) {
    const int W = 340, H = 190;
    Hosted win(W, H, chrome, firstScale ? firstScale : scale);
    gui::TextState field(win->textFont_, L"Ada Lovelace");
    float wrapped = 0.0f;
    win->scene = [&](Host& h) { scene(h, field, wrapped); };
    win.driver->paint();
    win.driver->paint();
    if (firstScale) {
        win->window()->overrideScale(scale);
        win.driver->paint();
    }
    return Drawn{win.driver->pixels(), win.driver->frameWidth(), win.driver->frameHeight(), scale,
                 wrapped};
}

int channel(RGBA p, int shift) {
    return static_cast<int>((p.word >> shift) & 0xFFu);
}

} // namespace

TEST(DeviceScale, TwiceTheScaleHalvedIsTheSameSceneAndNotItMagnified) {
    const Drawn one = draw(1), two = draw(2);
    ASSERT_EQ(two.w, 2 * one.w);
    ASSERT_EQ(two.h, 2 * one.h);
    // Layout is logical: the paragraph breaks into the same lines, so it is as tall.
    EXPECT_EQ(two.wrapped, one.wrapped);

    // Glyphs are hinted to each size's own pixel grid, so single pixels of text differ by
    // much; blocks of 4 x 4 logical pixels, which hold a stroke wherever it falls, may not.
    // Outside text the frames agree pixel for pixel, but for edges of icons.
    auto blockInk = [](const Drawn& d, int bx, int by) {
        long sum = 0;
        for (int y = 4 * by * d.scale; y < 4 * (by + 1) * d.scale; ++y)
            for (int x = 4 * bx * d.scale; x < 4 * (bx + 1) * d.scale; ++x)
                sum += channel(d.at(x, y), 0) + channel(d.at(x, y), 8) + channel(d.at(x, y), 16);
        return static_cast<double>(sum) / (3.0 * 16 * d.scale * d.scale);
    };
    double total = 0, worst = 0;
    int n = 0;
    for (int by = 0; 4 * (by + 1) < one.h; ++by)
        for (int bx = 0; 4 * (bx + 1) < one.w; ++bx, ++n) {
            const double d = std::abs(blockInk(one, bx, by) - blockInk(two, bx, by));
            total += d;
            worst = std::max(worst, d);
        }
    EXPECT_LT(total / n, 4.0) << "mean block difference";
    EXPECT_LT(worst, 96.0);
    std::set<int> inkRowsOne, inkRowsTwo; // rows of the paragraph with dark ink
    for (int y = 9; y < 8 + static_cast<int>(one.wrapped); ++y)
        for (int x = 9; x < 178; ++x) {
            if (channel(one.at(x, y), 0) < 128)
                inkRowsOne.insert(y);
            if (std::min({channel(two.at(2 * x, 2 * y), 0), channel(two.at(2 * x + 1, 2 * y), 0),
                          channel(two.at(2 * x, 2 * y + 1), 0),
                          channel(two.at(2 * x + 1, 2 * y + 1), 0)}) < 128)
                inkRowsTwo.insert(y);
        }
    // The lines of text stand on the same rows: at most a row of difference at their edges.
    int shared = 0;
    for (int y : inkRowsOne)
        shared += inkRowsTwo.count(y) + inkRowsTwo.count(y - 1) + inkRowsTwo.count(y + 1) > 0;
    EXPECT_GE(shared, static_cast<int>(inkRowsOne.size()) - 2);
    EXPECT_GT(inkRowsOne.size(), 30u); // several lines of text

    // A magnified frame repeats every pixel in 2 x 2 blocks; a sharp one has edges inside them.
    int splitColumns = 0, splitRows = 0;
    for (int y = 0; y + 1 < two.h; y += 2)
        for (int x = 0; x + 1 < two.w; x += 2) {
            splitColumns += two.at(x, y).word != two.at(x + 1, y).word;
            splitRows += two.at(x, y).word != two.at(x, y + 1).word;
        }
    EXPECT_GT(splitColumns, 1000);
    EXPECT_GT(splitRows, 1000);
}

TEST(DeviceScale, AWindowMovedToAScreenOfAnotherScaleDrawsAsIfMadeThere) {
    // Frame, rows, memos and the kept panel all follow the new scale at the next pass.
    for (const auto& [from, to] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{2, 3}}) {
        const Drawn moved = draw(to, true, from), made = draw(to, true);
        ASSERT_EQ(moved.w, made.w);
        EXPECT_TRUE(moved.pixels == made.pixels) << from << " to " << to;
    }
}

namespace {
// A picture of distinct opaque pixels: red by column, green by row, the given blue.
gui::Image picture(int w, int h, unsigned blue) {
    wxImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.SetRGB(x, y, static_cast<unsigned char>(40 * x), static_cast<unsigned char>(60 * y),
                       static_cast<unsigned char>(blue));
    return gui::Image(img);
}
} // namespace

TEST(DeviceScale, AVariantToLoadIsLoadedOnceWhenAFrameOfItsScaleFirstDrawsIt) {
    int loads = 0, badLoads = 0;
    gui::Image lazy = picture(3, 2, 0), wrong = picture(3, 2, 0);
    lazy.addScaled(2, [&loads] { return ++loads, picture(6, 4, 200); });
    wrong.addScaled(2, [&badLoads] { return ++badLoads, picture(5, 4, 200); });
    EXPECT_TRUE(lazy.hasScaled(2));
    EXPECT_FALSE(lazy.scaledLoaded(2));
    gui::Image out;
    EXPECT_EQ(lazy.forScale(1, out), 1);
    EXPECT_EQ(loads, 0); // a frame at 1x never loads it
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(lazy.forScale(3, out), 2);
        EXPECT_EQ(out.get(0.99f, 0.99f), RGBA(200, 180, 200, 255)); // its last pixel
    }
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(lazy.scaledLoaded(2));
    const gui::Image copy(lazy); // a deep copy holds the loaded pixels, its own
    EXPECT_EQ(copy.forScale(2, out), 2);
    EXPECT_NE(out.get(), static_cast<const gui::Image&>(lazy).get());
    {
        wxLogNull quiet; // the wrong size is logged
        EXPECT_EQ(wrong.forScale(2, out), 1);
        EXPECT_EQ(wrong.forScale(2, out), 1);
    }
    EXPECT_EQ(badLoads, 1);
}

TEST(DeviceScale, HostImagesAreMagnifiedPixelForPixelUnlessGivenASharperVariant) {
    // A 3 x 2 picture of distinct opaque pixels, and its 6 x 4 variant in other colours.
    gui::Image plain = picture(3, 2, 0), sharp = picture(3, 2, 0);
    EXPECT_THROW(sharp.addScaled(2, picture(5, 4, 200)), std::invalid_argument);
    EXPECT_THROW(sharp.addScaled(4, picture(12, 8, 200)), std::invalid_argument);
    sharp.addScaled(2, picture(6, 4, 200));

    Hosted win(20, 10, false, 2);
    win->scene = [&](Host& h) {
        Box a(h.ui(), 3.0f, 2.0f);
        a.setPos(1.0f, 1.0f);
        gui::render(h.ui(), plain);
        Box b(h.ui(), 3.0f, 2.0f);
        b.setPos(10.0f, 1.0f);
        gui::render(h.ui(), sharp);
    };
    win.driver->paint();
    const orbotk::Driver& d = *win.driver;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(d.devicePixel(2 + x, 2 + y), RGBA(40 * (x / 2), 60 * (y / 2), 0, 255))
                << x << "," << y;
            EXPECT_EQ(d.devicePixel(20 + x, 2 + y), RGBA(40 * x, 60 * y, 200, 255))
                << x << "," << y;
        }
    // Writing new pixels replaces the picture at every scale: the old variant goes.
    unsigned char red[4 * 6] = {};
    for (int i = 0; i < 6; ++i)
        red[4 * i + 2] = red[4 * i + 3] = 255;
    sharp.data(3, 2, red);
    EXPECT_FALSE(sharp.hasScaled(2));
}
