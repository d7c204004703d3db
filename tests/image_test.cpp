// Image: views as fractions, the two kinds of copy, premultiplying conversion from wxImage and
// back, grey copies, straight-pixel writes and loading.
#include "gui/image.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <stdexcept>
#include <unistd.h>

using gui::Image;
using orbo::tk::RGBA;

namespace {
wxImage redHalfAlpha() {
    wxImage w(1, 1);
    w.SetRGB(0, 0, 255, 0, 0);
    w.InitAlpha();
    w.SetAlpha(0, 0, 128);
    return w;
}
} // namespace

TEST(Image, ViewsAreFractionsOfTheBufferAndShareIt) {
    Image whole{wxImage(32, 16)};
    Image view(whole, 8, 0, 8, 16);
    EXPECT_EQ(view.l(), 0.25f);
    EXPECT_EQ(view.r(), 0.5f);
    EXPECT_EQ(view.t(), 0.0f);
    EXPECT_EQ(view.b(), 1.0f);
    EXPECT_EQ(view.w(), 8.0f);
    EXPECT_EQ(view.h(), 16.0f);
    EXPECT_EQ(view.get(), whole.get());
    EXPECT_EQ(view.stride(), 32);
    EXPECT_EQ(view.shape().width, 8.0f);
}

TEST(Image, CopyConstructionIsDeepAndAssignmentShares) {
    Image whole{wxImage(32, 16)};
    Image view(whole, 8, 0, 8, 16);
    Image copy(view);
    EXPECT_EQ(copy.l(), 0.0f);
    EXPECT_EQ(copy.r(), 1.0f);
    EXPECT_NE(copy.get(), whole.get());
    Image shared;
    shared = view;
    EXPECT_EQ(shared.get(), whole.get());
    EXPECT_EQ(shared.l(), 0.25f);
    shared.get()[3] = RGBA(0xFF010203u);
    EXPECT_EQ(whole.get()[3], RGBA(0xFF010203u));
    EXPECT_NE(copy.get()[3], RGBA(0xFF010203u));
}

TEST(Image, ConversionPremultipliesAndConvertingBackKeepsIt) {
    Image image(redHalfAlpha());
    EXPECT_EQ(image.get()[0].word, 0x80800000u); // 255 * 129 / 256 = 128
    wxImage back = image.convertToWXImage();
    EXPECT_EQ(back.GetRed(0, 0), 128);
    EXPECT_EQ(back.GetAlpha(0, 0), 128);
    wxImage opaque(1, 1);
    opaque.SetRGB(0, 0, 10, 20, 30);
    EXPECT_EQ(Image(opaque).get()[0].word, 0xFF0A141Eu); // no alpha plane: opaque, unchanged
}

TEST(Image, GreyScaleUsesTheWeightedSumAndKeepsAlpha) {
    wxImage green(1, 1);
    green.SetRGB(0, 0, 0, 255, 0);
    Image grey = Image(green).toGreyScale();
    EXPECT_EQ(grey.get()[0], RGBA(150, 150, 150, 255));
    EXPECT_EQ(Image().toGreyScale().get(), nullptr);
}

TEST(Image, DataWritesStraightPixelsIntoTheViewRectangle) {
    Image image{wxImage(4, 4)};
    unsigned char pixels[2 * 1 * 4] = {0, 0, 255, 128, 10, 20, 30, 255}; // B, G, R, A
    image.data(1, 2, 2, 1, pixels);
    EXPECT_EQ(image.l(), 0.25f);
    EXPECT_EQ(image.w(), 2.0f);
    EXPECT_EQ(image.get()[2 * 4 + 1].word, 0x80800000u);
    EXPECT_EQ(image.get()[2 * 4 + 2].word, 0xFF1E140Au);
    EXPECT_EQ(image.get(0.5f, 0.5f).word, 0xFF1E140Au); // row 2, column 2
}

TEST(Image, DefaultImageIsEmptyWithUndefinedEdges) {
    Image empty;
    EXPECT_EQ(empty.get(), nullptr);
    EXPECT_EQ(empty.stride(), 0);
    EXPECT_TRUE(std::isnan(empty.l()));
    wxImage none = empty.convertToWXImage();
    EXPECT_FALSE(none.IsOk() && none.GetWidth() > 0);
}

TEST(Image, LoadReadsPngAndFailsClearly) {
    char path[] = "/tmp/gui-image-XXXXXX.png";
    const int fd = mkstemps(path, 4);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_TRUE(redHalfAlpha().SaveFile(path, wxBITMAP_TYPE_PNG));
    Image loaded = Image::load(path);
    std::remove(path);
    EXPECT_EQ(loaded.stride(), 1);
    EXPECT_EQ(loaded.get()[0].word, 0x80800000u);
    try {
        Image::load("/nonexistent/picture.png");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Image load failed");
    }
}
