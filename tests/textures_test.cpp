// The standard image set: every resource loads with its size, the embedded description is
// readable, the nine-patch cells have the positions and sizes of their cuts, the fonts follow
// the resolution, and the ordering, cutting and diced drawing behave at their edges.
#include "gui/app_window.h"
#include "gui/textures.h"
#include "harness.h"
#include "orbotk/driver.h"
#include "orbotk/screen.h"

#include <boost/make_shared.hpp>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>
#include <wx/filesys.h>
#include <wx/xrc/xmlres.h>

using gui::Image;
using orbo::tk::RGBA;

namespace {

// The resource table: name, icon or bitmap, width, height.
const struct {
    const char* name;
    bool icon;
    int w, h;
} RESOURCES[] = {
    {"IDI_ORBO", true, 48, 48},
    {"IDI_ORBO_SMALL", true, 32, 32},
    {"IDI_ORBO_MEDIUM", true, 16, 16},
    {"IDI_ORBOGRAY", true, 16, 16},
    {"IDI_ORBOGREEN", true, 16, 16},
    {"IDI_ORBOORANGE", true, 16, 16},
    {"IDP_VELTDEFAULT", false, 96, 96},
    {"IDP_PANEL_BOUNDARY", false, 128, 128},
    {"IDP_PANEL_LIGHTING", false, 128, 128},
    {"IDP_TRAY_LIGHTING", false, 128, 64},
    {"IDP_LOGO_SMALL", false, 137, 30},
    {"IDP_CHEVRON_UP", false, 11, 13},
    {"IDP_CHEVRON_DOWN", false, 11, 13},
    {"IDP_CHECKBOX", false, 20, 20},
    {"IDP_CHECKBOX_SHADE", false, 20, 20},
    {"IDP_CHECKBOX_CHECK", false, 20, 20},
    {"IDP_MAIL", false, 20, 20},
    {"IDP_BATTERY_L", false, 3, 17},
    {"IDP_BATTERY_MID", false, 1, 17},
    {"IDP_BATTERY_R", false, 6, 17},
    {"IDP_BATTERY_FILL", false, 1, 11},
    {"IDP_DISCUSS", false, 20, 20},
    {"IDP_PACMAN_DOT", false, 25, 25},
    {"IDP_PACMAN_FILL", false, 25, 25},
    {"IDP_PACMAN_SHADE", false, 25, 25},
    {"IDP_USERDATA", false, 20, 20},
    {"IDP_UNSUBSCRIBE", false, 20, 20},
    {"IDP_USERNAME", false, 20, 20},
    {"IDP_CLOSE", false, 16, 16},
    {"IDP_HELP", false, 16, 16},
    {"IDP_DISABLEI", false, 30, 30},
    {"IDP_BLANKI", false, 30, 30},
    {"IDP_OFFLINEI", false, 30, 30},
    {"IDP_NOOFFLINEI", false, 30, 30},
    {"IDP_PUBLISHI", false, 30, 30},
    {"IDP_FULLSCREENI", false, 30, 30},
    {"IDP_NOFULLSCREENI", false, 30, 30},
    {"IDP_DOCSI", false, 30, 30},
    {"IDP_DELETEI", false, 30, 30},
    {"IDP_DISCUSSI", false, 30, 30},
    {"IDP_MAILI", false, 30, 30},
    {"IDP_INFOI", false, 30, 30},
    {"IDP_CONFIGUREI", false, 30, 30},
    {"IDP_CREATE", false, 20, 20},
    {"IDP_IMPORT", false, 20, 20},
    {"IDP_PACKAGE", false, 20, 20},
    {"IDP_GEARMENU", false, 32, 20},
    {"IDP_EDIT", false, 20, 20},
    {"IDP_SUBSCRIBE", false, 20, 20},
    {"IDP_ABORT", false, 20, 20},
    {"IDP_AUTOSTART", false, 32, 32},
    {"IDP_REVERT", false, 20, 20},
    {"IDP_REVERT_CHANGES", false, 24, 24},
    {"IDP_REVERT_SUSPENDED", false, 24, 24},
    {"IDP_PLAY", false, 21, 21},
    {"IDP_PAUSE", false, 21, 21},
    {"IDP_STOP", false, 21, 21},
    {"IDP_RECORD", false, 21, 21},
    {"IDP_MINIMIZE", false, 16, 16},
    {"IDP_SCROLL_UP", false, 63, 7},
    {"IDP_SCROLL_DOWN", false, 63, 7},
    {"IDP_BACKUP", false, 21, 21},
    {"IDP_BACKUP_DONE", false, 21, 21},
    {"IDP_FIRST_TIME", false, 204, 90},
    {"IDP_PROGRESS_WELL", false, 8, 4},
    {"IDP_PROGRESS_FLAT", false, 32, 32},
    {"IDP_LOGO", false, 365, 80},
    {"IDP_USBLOGO", false, 367, 150},
    {"IDP_DONTUNPLUG", false, 400, 60},
    {"IDP_RADIO", false, 20, 20},
    {"IDP_RADIO_CHECK", false, 20, 20},
    {"IDP_ARROW", false, 32, 32},
    {"IDP_LOCK", false, 32, 32},
    {"IDP_PLAY_1", false, 32, 32},
    {"IDP_PLAY_2", false, 32, 32},
    {"IDP_PLAY_3", false, 32, 32},
    {"IDP_PLAY_PUSH_1", false, 32, 32},
    {"IDP_PLAY_PUSH_2", false, 32, 32},
    {"IDP_PLAY_PUSH_3", false, 32, 32},
    {"IDP_STOP_1", false, 32, 32},
    {"IDP_STOP_PUSH_1", false, 32, 32},
    {"IDP_VERTMARKER", false, 9, 40},
    {"IDP_LIBRARY", false, 96, 96},
    {"IDP_INSTALLFROMCD", false, 96, 96},
    {"IDP_UPDATE_DOWNLOADING", false, 32, 28},
    {"IDP_UPDATE_ON_DISK", false, 32, 28},
    {"IDP_UPDATE_ERROR", false, 32, 28},
    {"IDP_CURSOR_OPEN_HAND", false, 16, 16},
    {"IDP_SHUTDOWN", false, 25, 25},
    {"IDP_REBOOT", false, 25, 25},
    {"IDP_KEY", false, 20, 20},
    {"IDP_CIRCLE0", false, 13, 13},
    {"IDP_CIRCLE1", false, 13, 13},
    {"IDP_CIRCLE2", false, 13, 13},
    {"IDP_CIRCLE3", false, 13, 13},
    {"IDP_CIRCLE4", false, 13, 13},
    {"IDP_CIRCLE5", false, 13, 13},
    {"IDP_CIRCLE6", false, 13, 13},
    {"IDP_CIRCLE7", false, 13, 13},
    {"IDP_CIRCLE8", false, 13, 13},
    {"IDP_CAUTION", false, 13, 13},
    {"IDP_WARNING_SMALL", false, 16, 16},
};

// A window whose statics the tests read.
class Textures : public gui::AppWindow {
public:
    Textures()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"textures", 200, 150,
                         gui::NO_SCALE_WINDOW) {}
    using gui::AppWindow::closeTex_;
    using gui::AppWindow::cursor_draggable_;
    using gui::AppWindow::cursor_drop_target_;
    using gui::AppWindow::dicedBatt_;
    using gui::AppWindow::dicedBoundary_;
    using gui::AppWindow::dicedBoundaryHBounds_;
    using gui::AppWindow::dicedBoundaryVBounds_;
    using gui::AppWindow::dicedButton_;
    using gui::AppWindow::dicedButtonShade_;
    using gui::AppWindow::dicedLighting_;
    using gui::AppWindow::dicedLightingVBounds_;
    using gui::AppWindow::dicedProgress_;
    using gui::AppWindow::dicedProgressBounds_;
    using gui::AppWindow::dicedTray_;
    using gui::AppWindow::dicedTrayHBounds_;
    using gui::AppWindow::dicedWell_;
    using gui::AppWindow::dicedWellBounds_;
    using gui::AppWindow::error_;
    using gui::AppWindow::initStandardFonts;
    using gui::AppWindow::messageBoxFont_;
    using gui::AppWindow::nameFont_;
    using gui::AppWindow::orboicon_;
    using gui::AppWindow::scrollbarUp_;
    using gui::AppWindow::scrollUp_;
    using gui::AppWindow::simpleBounds_;
    using gui::AppWindow::verytinyFont_;
};

// Statics are filled by the first window; each test makes sure one exists.
class TexturesTest : public ::testing::Test {
protected:
    void SetUp() override { window_ = boost::make_shared<Textures>(); }
    void TearDown() override {
        window_->Close(true);
        wxTheApp->ProcessIdle();
    }
    boost::shared_ptr<Textures> window_;
};

// The pixel rectangle of a view: x, y, w, h.
std::vector<float> rect(const Image& v) {
    return {v.l() * v.stride(), v.t() * v.bufferHeight(), v.w(), v.h()};
}

std::vector<float> bounds(const gui::bounds_t& b) {
    return {b.begin(), b.end()};
}

} // namespace

TEST_F(TexturesTest, EveryResourceLoadsWithItsTableSize) {
    wxXmlResource* xrc = wxXmlResource::Get();
    for (const auto& r : RESOURCES) {
        SCOPED_TRACE(r.name);
        wxSize size;
        if (r.icon) {
            const wxIcon icon = xrc->LoadIcon(r.name);
            ASSERT_TRUE(icon.IsOk());
            size = icon.GetSize();
        } else {
            const wxBitmap bitmap = xrc->LoadBitmap(r.name);
            ASSERT_TRUE(bitmap.IsOk());
            size = bitmap.GetSize();
        }
        EXPECT_EQ(size, wxSize(r.w, r.h));
    }
}

TEST_F(TexturesTest, EveryEmbeddedPictureIsAPngWithAnAlphaChannel) {
    // wxWidgets drops the alpha plane of fully opaque pictures when it loads them, so the
    // files themselves are checked: colour type 6 is RGBA.
    wxFileSystem fs;
    int files = 0;
    for (wxString f = fs.FindFirst("memory:XRC_resource/resource$.._images_*"); !f.empty();
         f = fs.FindNext(), ++files) {
        std::unique_ptr<wxFSFile> png(fs.OpenFile(f));
        ASSERT_TRUE(png) << f;
        unsigned char header[26] = {};
        png->GetStream()->Read(header, sizeof header);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG") << f;
        EXPECT_EQ(header[25], 6) << f;
    }
    // 96 pictures also drawn at 2x and 3x (window icons are not), and 7 of them drawn again for
    // the dark and the high-contrast look at every scale.
    EXPECT_EQ(files, 102 + 2 * 96 + 2 * 3 * 7);
}

TEST_F(TexturesTest, EveryPictureHasSharperVariantsOfTwiceAndThriceItsSize) {
    wxXmlResource* xrc = wxXmlResource::Get();
    for (const char* name : {"IDP_CLOSE", "IDP_PANEL_BOUNDARY", "IDP_CHECKBOX", "IDP_RADIO"}) {
        const wxSize one = xrc->LoadBitmap(name).GetSize();
        for (int scale : {2, 3})
            EXPECT_EQ(xrc->LoadBitmap(wxString::Format("%s@%dx", name, scale)).GetSize(),
                      scale * one)
                << name << " at " << scale;
    }
    // Cells cut from a texture carry the cut variants: the sharp nine-patch corner is the 1x
    // corner's size times the scale, over the same view.
    const gui::Image& corner = Textures::dicedBoundary_[0][0];
    gui::Image sharp;
    ASSERT_EQ(corner.forScale(2, sharp), 2);
    EXPECT_FLOAT_EQ(sharp.w(), 2 * corner.w());
    EXPECT_FLOAT_EQ(sharp.h(), 2 * corner.h());
    EXPECT_EQ(corner.forScale(4, sharp), 3); // the sharpest at most the frame's scale
    EXPECT_EQ(corner.forScale(1, sharp), 1);
    EXPECT_EQ(sharp.get(), corner.get());
}

TEST_F(TexturesTest, ALookRedrawsItsPicturesInPlaceAtEveryScaleAndTheLightOnesComeBack) {
    const Image& shade = Textures::dicedButtonShade_[0][0]; // a cell cut from the checkbox shade
    auto variants = [&shade] {
        std::vector<std::vector<RGBA>> all;
        for (int scale : {1, 2, 3}) {
            Image v;
            shade.forScale(scale, v);
            all.emplace_back(v.get(), v.get() + v.stride() * v.bufferHeight());
        }
        return all;
    };
    const auto light = variants();
    const RGBA* buffer = shade.get();
    gui::setLook(gui::LookStyle::HighContrast);
    const auto contrast = variants();
    EXPECT_EQ(shade.get(), buffer); // the same pixels, drawn over
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(contrast[i], light[i]) << "scale " << i + 1;
    gui::setLook(gui::LookStyle::Light);
    EXPECT_EQ(variants(), light);
}

TEST_F(TexturesTest, TheEmbeddedDescriptionAndImagesAreInTheMemoryFileSystem) {
    wxFileSystem fs;
    std::unique_ptr<wxFSFile> xrc(fs.OpenFile("memory:XRC_resource/resource$._gui.xrc"));
    ASSERT_TRUE(xrc);
    wxString text;
    wxInputStream* in = xrc->GetStream();
    char buf[4096];
    while (in->Read(buf, sizeof buf).LastRead() > 0)
        text += wxString::FromUTF8(buf, in->LastRead());
    EXPECT_NE(text.find("version=\"2.8.3\""), wxString::npos);
    EXPECT_NE(text.find("<object class=\"wxBitmap\" name=\"IDP_CLOSE\">"
                        "resource$.._images_close.png</object>"),
              wxString::npos);
    // Table order: the first icon comes before the last bitmap.
    EXPECT_LT(text.find("IDI_ORBO"), text.find("IDP_WARNING_SMALL"));
    std::unique_ptr<wxFSFile> png(fs.OpenFile("memory:XRC_resource/resource$.._images_close.png"));
    EXPECT_TRUE(png);
}

TEST_F(TexturesTest, MembersHoldTheirImagesAndTheScrollArrowsAreViews) {
    EXPECT_EQ(Textures::closeTex_.shape().width, 16.0f);
    EXPECT_EQ(Textures::scrollbarUp_.get(), Textures::scrollUp_.get());
    EXPECT_EQ(rect(Textures::scrollbarUp_), (std::vector<float>{0, 0, 11, 7}));
    EXPECT_EQ(rect(Textures::dicedBatt_[0][2]), (std::vector<float>{0, 0, 6, 17}));
    EXPECT_EQ(Textures::orboicon_.GetIconCount(), 3u);
    EXPECT_TRUE(Textures::cursor_draggable_.IsOk());
    EXPECT_TRUE(Textures::cursor_drop_target_.IsOk());
    EXPECT_NE(Textures::error_.get(), nullptr); // the platform's message-box icon
}

TEST_F(TexturesTest, TexturesLoadOncePerProcess) {
    const RGBA* before = Textures::closeTex_.get();
    auto second = boost::make_shared<Textures>();
    EXPECT_EQ(Textures::closeTex_.get(), before);
    second->Close(true);
}

TEST_F(TexturesTest, DicedCellsHaveThePositionsAndSizesOfTheirCuts) {
    const auto& b = Textures::dicedBoundary_;
    EXPECT_EQ(rect(b[0][0]), (std::vector<float>{15, 18, 49, 46}));
    EXPECT_EQ(rect(b[1][1]), (std::vector<float>{64, 64, 0, 0}));
    EXPECT_EQ(rect(b[2][2]), (std::vector<float>{64, 64, 49, 56}));
    EXPECT_EQ(rect(b[0][2]), (std::vector<float>{64, 18, 49, 46}));
    EXPECT_EQ(rect(Textures::dicedLighting_[2][0]), (std::vector<float>{22, 64, 42, 44}));
    EXPECT_EQ(rect(Textures::dicedTray_[0][0]), (std::vector<float>{24, 0, 40, 32}));
    EXPECT_EQ(rect(Textures::dicedButton_[1][0]), (std::vector<float>{0, 10, 10, 0}));
    EXPECT_EQ(rect(Textures::dicedButtonShade_[2][2]), (std::vector<float>{10, 10, 10, 10}));
    const auto& w = Textures::dicedWell_;
    EXPECT_EQ(rect(w[0][0]), (std::vector<float>{0, 0, 4, 4}));
    EXPECT_EQ(rect(w[0][1]), (std::vector<float>{4, 0, 0, 4}));
    EXPECT_EQ(rect(w[0][2]), (std::vector<float>{4, 0, 4, 4}));
    EXPECT_EQ(rect(Textures::dicedProgress_[0][2]), (std::vector<float>{16, 0, 16, 32}));
}

TEST_F(TexturesTest, BoundSetsAreTheCapSizesInEdgeOrder) {
    EXPECT_EQ(bounds(Textures::dicedBoundaryHBounds_), (std::vector<float>{0, 49, -49, -0.0f}));
    EXPECT_EQ(bounds(Textures::dicedBoundaryVBounds_), (std::vector<float>{0, 46, -56, -0.0f}));
    EXPECT_EQ(bounds(Textures::dicedLightingVBounds_), (std::vector<float>{0, 44, -44, -0.0f}));
    EXPECT_EQ(bounds(Textures::dicedWellBounds_), (std::vector<float>{0, 4, -4, -0.0f}));
    EXPECT_EQ(bounds(Textures::dicedProgressBounds_), (std::vector<float>{0, 16, -16, -0.0f}));
    EXPECT_EQ(bounds(Textures::simpleBounds_), (std::vector<float>{0, -0.0f}));
    EXPECT_TRUE(std::signbit(*Textures::simpleBounds_.rbegin()));
    EXPECT_TRUE(Textures::dicedTrayHBounds_.empty());
}

TEST_F(TexturesTest, FontPointSizesFollowTheResolution) {
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1280, 1024));
    Textures::initStandardFonts();
    EXPECT_EQ(Textures::nameFont_.GetPointSize(), 16);
    EXPECT_EQ(Textures::nameFont_.GetFaceName(), "Arial");
    EXPECT_EQ(Textures::nameFont_.GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_EQ(Textures::verytinyFont_.GetPointSize(), 7);
    EXPECT_EQ(Textures::messageBoxFont_.GetPointSize(), 10);
    orbotk::Screen::setOverride(wxSize(120, 96), wxSize(1280, 1024));
    Textures::initStandardFonts();
    EXPECT_EQ(Textures::nameFont_.GetPointSize(), 13);
    EXPECT_EQ(Textures::verytinyFont_.GetPointSize(), 5);
    EXPECT_EQ(Textures::messageBoxFont_.GetPointSize(), 8);
    orbotk::Screen::clearOverride();
    Textures::initStandardFonts();
}

TEST(Less, OrdersNonNegativeThenNegativeWithNegativeZeroLast) {
    const gui::bounds_t set{-0.0f, 10.0f, -10.0f, 0.0f, 49.0f, -56.0f, -49.0f};
    const std::vector<float> order(set.begin(), set.end());
    ASSERT_EQ(order.size(), 7u); // +0 and -0 are different positions
    EXPECT_EQ(order, (std::vector<float>{0, 10, 49, -56, -49, -10, -0.0f}));
    EXPECT_FALSE(std::signbit(order.front()));
    EXPECT_TRUE(std::signbit(order.back()));
}

TEST(Dicing, FewerThanTwoCutsIsABadShape) {
    const Image texture{wxImage(8, 8)};
    try {
        gui::diceTexture(texture, {0}, {0, 8});
        FAIL() << "no exception";
    } catch (const gui::BadShape& e) {
        EXPECT_STREQ(e.what(), "too few tex bounds");
    }
    EXPECT_THROW(gui::diceTexture(texture, {0, 8}, {}), gui::GuiException);
    EXPECT_EQ(gui::threeCellCuts(1, 2, 3), (std::vector<int>{1, 2, 2, 3}));
    EXPECT_EQ(gui::oneCellCuts(4, 5), (std::vector<int>{4, 5}));
}

TEST(Dicing, DrawingKeepsCapsAndStretchesTheMiddle) {
    // A 6 x 6 texture with a distinct colour per pixel, cut into 2-pixel caps around a
    // one-pixel middle, drawn into a 20 x 10 box.
    std::vector<unsigned char> straight(6 * 6 * 4);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            unsigned char* p = &straight[static_cast<size_t>((y * 6 + x) * 4)];
            p[0] = static_cast<unsigned char>(x * 40);
            p[1] = static_cast<unsigned char>(y * 40);
            p[2] = 9;
            p[3] = 255;
        }
    Image texture{wxImage(6, 6)};
    texture.data(6, 6, straight.data());
    const gui::diced_t cells =
        gui::diceTexture(texture, gui::threeCellCuts(0, 3, 6), gui::threeCellCuts(0, 3, 6));
    const gui::bounds_t caps = gui::capBounds(3, -3);
    auto colour = [](int x, int y) { return RGBA(9, y * 40, x * 40, 255).word; };

    testing_support::Scene scene(40, 30);
    bool threw = false;
    scene.show([&](const boost::shared_ptr<orbotk::UIContext>& ui) {
        if (!ui->isPaint())
            return;
        gui::Box box(ui, 20.0f, 10.0f);
        box.setPos(5.0f, 5.0f);
        gui::renderDiced(ui, cells, caps, caps);
        try {
            gui::renderDiced(ui, cells, gui::capBounds(3, -3), gui::bounds_t{0.0f, gui::FILL});
        } catch (const gui::BadShape& e) {
            threw = std::string(e.what()) == "incorrect number of position bounds";
        }
    });
    auto at = [&](int x, int y) { return scene.driver->pixel(x, y).word; };
    EXPECT_TRUE(threw);
    EXPECT_EQ(at(5, 5), colour(0, 0)); // top-left cap, 1:1
    EXPECT_EQ(at(7, 7), colour(2, 2));
    EXPECT_EQ(at(22, 5), colour(3, 0));  // top-right cap starts at the texture's column 3
    EXPECT_EQ(at(24, 14), colour(5, 5)); // bottom-right corner
    EXPECT_EQ(at(8, 8), colour(3, 3));   // the middle repeats the cut column and row
    EXPECT_EQ(at(21, 11), colour(3, 3));
    EXPECT_EQ(at(15, 5), colour(3, 0)); // top edge middle: the cut column, top row
    EXPECT_EQ(at(25, 5), 0u);           // nothing outside the box
}
