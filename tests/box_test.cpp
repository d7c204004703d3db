// Layout box: the sign convention for sizes and edges, centring, the relative edges, the pure
// geometric hit test and make_bounds. Each case runs inside a real pass, with a parent box
// placed at a known rectangle.
#include "gui/box.h"
#include "harness.h"

#include <functional>
#include <gtest/gtest.h>

using gui::Box;
using testing_support::Scene;

namespace {

// Runs check inside a pass, in a parent at (100, 0) sized 300 x 500.
void inParent(const std::function<void(const boost::shared_ptr<orbotk::UIContext>&)>& check) {
    Scene scene(640, 600);
    bool ran = false;
    scene.show([&](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box parent(ui, 300.0f, 500.0f);
        parent.setPos(100.0f, 0.0f);
        check(ui);
        ran = true;
    });
    ASSERT_TRUE(ran);
}

} // namespace

TEST(Box, NewBoxStartsWithItsParentsRectangle) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui);
        EXPECT_EQ(b.x(), 100.0f);
        EXPECT_EQ(b.y(), 0.0f);
        EXPECT_EQ(b.width(), 300.0f);
        EXPECT_EQ(b.height(), 500.0f);
        EXPECT_EQ(b.l(), 0.0f);
        EXPECT_EQ(b.r(), 300.0f);
    });
}

TEST(Box, NegativeWidthCountsBackFromParentWidthTruncatingFirst) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui);
        b.setWidth(gui::FILL);
        EXPECT_EQ(b.width(), 300.0f);
        b.setWidth(-10.0f);
        EXPECT_EQ(b.width(), 290.0f);
        b.setWidth(-10.5f);
        EXPECT_EQ(b.width(), 290.0f);
        b.setWidth(12.9f);
        EXPECT_EQ(b.width(), 12.0f);
        b.setShape(gui::shape_t(-0.0f, -100.0f));
        EXPECT_EQ(b.width(), 300.0f);
        EXPECT_EQ(b.height(), 400.0f);
    });
}

TEST(Box, LeftAndRightEdgesFollowTheSignConvention) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui, 20.0f, 10.0f);
        b.setLeft(8.0f);
        EXPECT_EQ(b.x(), 108.0f);
        b.setLeft(-49.0f);
        EXPECT_EQ(b.x(), 351.0f);
        b.setLeft(gui::FILL); // starts at the parent's right edge
        EXPECT_EQ(b.x(), 400.0f);
        b.setRight(120.0f);
        EXPECT_EQ(b.x(), 200.0f);
        b.setRight(gui::FILL); // flush with the parent's right edge
        EXPECT_EQ(b.x(), 380.0f);
        b.setRight(-24.0f);
        EXPECT_EQ(b.x(), 356.0f);
        EXPECT_EQ(b.r(), 276.0f);
    });
}

TEST(Box, FractionalEdgesTruncateTowardZeroBeforeTheParentSizeIsAdded) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui, 20.0f, 10.0f);
        b.setLeft(8.7f);
        EXPECT_EQ(b.x(), 108.0f);
        // 100 - 49.5 = 50.5 truncates to 50, then the box is pushed by the parent's width.
        b.setLeft(-49.5f);
        EXPECT_EQ(b.x(), 350.0f);
    });
}

TEST(Box, BottomEdgeOfStatusBandSitsItsHeightAboveTheParentBottom) {
    Scene scene(640, 600);
    scene.show([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box parent(ui, 640.0f, 500.0f);
        Box band(ui, gui::FILL, 24.0f);
        band.setBottom(-24.0f);
        EXPECT_EQ(band.y(), 452.0f);
        band.setTop(-24.0f);
        EXPECT_EQ(band.y(), 476.0f);
        band.setBottom(100.0f);
        EXPECT_EQ(band.y(), 76.0f);
        EXPECT_EQ(band.b(), 100.0f);
    });
}

TEST(Box, CentringTruncatesHalfOfAnOddDifferenceTowardZero) {
    Scene scene(640, 600);
    scene.show([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box parent(ui, 101.0f, 50.0f);
        parent.setPos(10.0f, 20.0f);
        {
            Box b(ui, 50.0f, 21.0f);
            b.setCenterX();
            b.setCenterY();
            EXPECT_EQ(b.x(), 35.0f); // offset 25
            EXPECT_EQ(b.y(), 34.0f); // offset 14
        }
        {
            Box wide(ui, 50.0f, 50.0f);
            Box b(ui, 101.0f, 10.0f);
            b.setCenterX();
            EXPECT_EQ(b.x() - wide.x(), -25.0f);
        }
    });
}

TEST(Box, ABoxWithoutParentMeasuresAgainstItself) {
    // Outside a pass there is no current box, so a new box has no parent: its parent origin is
    // 0 and its parent size is its own.
    Scene scene(200, 100);
    Box b(scene.ui, 50.0f, 20.0f);
    b.setX(7.0f);
    EXPECT_EQ(b.l(), b.x());
    b.setCenterX();
    EXPECT_EQ(b.x(), 0.0f);
    b.setWidth(-10.0f); // its own 50 less 10
    EXPECT_EQ(b.width(), 40.0f);
}

TEST(Box, LocalHitTestIsHalfOpenAndAcceptsNegativeZero) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui, 30.0f, 40.0f);
        EXPECT_TRUE(b.over(-0.0, 0.0));
        EXPECT_TRUE(b.over(29.9, 39.9));
        EXPECT_FALSE(b.over(30.0, 0.0));
        EXPECT_FALSE(b.over(0.0, 40.0));
        EXPECT_FALSE(b.over(-0.5, 0.0));
    });
}

TEST(Box, MakeBoundsGivesEdgesInWindowCoordinates) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui, 30.0f, 40.0f);
        b.setPos(gui::pos_t(10.0f, 20.0f));
        gui::drag_bounds r = gui::make_bounds(b);
        EXPECT_EQ(r.left(), 10.0f);
        EXPECT_EQ(r.top(), 20.0f);
        EXPECT_EQ(r.right(), 40.0f);
        EXPECT_EQ(r.bottom(), 60.0f);
        gui::drag_bounds s = gui::make_bounds(gui::pos_t(1, 2), gui::shape_t(3, 4));
        EXPECT_EQ(s.right(), 4.0f);
        EXPECT_EQ(s.bottom(), 6.0f);
    });
}

TEST(Box, BoxesNestAndCopiesShareTheToolkitBox) {
    inParent([](const boost::shared_ptr<orbotk::UIContext>& ui) {
        boost::shared_ptr<orbotk::Box> outer = ui->current();
        {
            Box a(ui, orbotk::ControlID(L"a"));
            EXPECT_EQ(ui->current()->parent, outer);
            {
                Box copy(a);
                copy.setWidth(7.0f);
                EXPECT_EQ(a.width(), 7.0f);
                EXPECT_EQ(copy.id(), orbotk::ControlID(L"a"));
            }
        }
        EXPECT_EQ(ui->current(), outer);
    });
}
