// Labels, buttons, links and the window chrome through the driver: placement, colours, the
// activation rule for mouse and keyboard, disabled states, tooltips, the close button, the
// status bar and the process-wide frame-rate switch.
#include "gui/box.h"
#include "gui/render.h"
#include "gui/text_layout.h"
#include "widget_host.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using gui::Box;
using orbo::tk::RGBA;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {
// Columns of window row y whose pixel differs from the white backdrop (which, being a
// current-colour fill, leaves the last column alone).
std::vector<int> inkColumns(orbotk::Driver& d, int y) {
    std::vector<int> cols;
    for (int x = 0; x < d.width() - 1; ++x)
        if (d.pixel(x, y) != RGBA(0xFFFFFFFFu))
            cols.push_back(x);
    return cols;
}

// Whether any pixel of the rectangle differs from the white backdrop.
bool inked(orbotk::Driver& d, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (d.pixel(x, y) != RGBA(0xFFFFFFFFu))
                return true;
    return false;
}
} // namespace

// ---- Labels

TEST(Labels, ADisabledWindowDrawsDisabledTextEvenWhenTheLabelIsEnabled) {
    Hosted w(200, 40);
    RGBA colour;
    w->scene = [&](Host& h) {
        h.doLabel(L"text", true);
        colour = h.ui()->colour();
    };
    w.driver->paint();
    EXPECT_EQ(colour, gui::orbopal::Text);
    w->Enable(false);
    w.driver->paint();
    EXPECT_EQ(colour, gui::orbopal::DisabledText);
}

TEST(Labels, IndentAdvancesByTheFittedWidthOrNotAtAll) {
    Hosted w(200, 40);
    std::vector<float> xs;
    w->scene = [&](Host& h) {
        xs.clear();
        Box box(h.ui(), 100.0f, 20.0f);
        float x = 10;
        h.doLabelIndent(x, 0, L"");
        xs.push_back(x); // an empty text takes the rest of the box
        float narrow = 95;
        h.doLabelIndent(narrow, 0, L"abc");
        xs.push_back(narrow); // 5 pixels: not even "..." fits
        float fits = 0;
        h.doLabelIndent(fits, 0, L"ab");
        xs.push_back(fits);
        xs.push_back(gui::getTextShape(h.ui(), L"ab", h.configFont_).width);
    };
    w.driver->paint();
    EXPECT_EQ(xs[0], 100.0f);
    EXPECT_EQ(xs[1], 95.0f);
    EXPECT_EQ(xs[2], xs[3]);
}

TEST(Labels, CentredRightAndRightIndentedPlacement) {
    Hosted w(300, 90);
    float exact = 0;
    w->scene = [&](Host& h) {
        exact = gui::getTextShape(h.ui(), L"Centre", h.configFont_).width;
        {
            Box row(h.ui(), exact, 20.0f);
            h.doLabelCenter(L"Centre", true, true); // as wide as its box: offset 0
        }
        {
            Box row(h.ui(), 200.0f, 20.0f);
            row.setTop(30.0f);
            h.doLabelRight(L"right");
        }
        {
            Box row(h.ui(), 200.0f, 20.0f);
            row.setTop(60.0f);
            float x = 0;
            h.doLabelIndentRight(x, 0, L"right");
        }
    };
    w.driver->paint();
    const std::vector<int> centred = inkColumns(*w.driver, 10);
    ASSERT_FALSE(centred.empty());
    EXPECT_LT(centred.front(), 3);
    // Both right-aligned forms end at the box's right edge, and in the same columns.
    const std::vector<int> right = inkColumns(*w.driver, 40);
    const std::vector<int> indented = inkColumns(*w.driver, 70);
    ASSERT_FALSE(right.empty());
    EXPECT_GT(right.back(), 190);
    EXPECT_LT(right.back(), 200);
    EXPECT_EQ(right, indented);
}

TEST(Labels, LeftLabelShowsTheWholeTextAsTooltipEvenWhenItFits) {
    Hosted w(300, 40);
    w->scene = [](Host& h) {
        Box row(h.ui(), 200.0f, 20.0f, ControlID(L"row"));
        row.leftClicked(); // ask about the mouse, as a control would
        h.doLabelLeft(L"short");
    };
    w.driver->paint();
    w.driver->mouseMove(20, 10);
    EXPECT_EQ(w->ui() ? std::wstring() : w->window()->context()->tooltip, L"short");
}

TEST(Labels, TextWrapReportsItsHeightInEveryEvent) {
    Hosted w(300, 200);
    std::vector<float> heights;
    w->scene = [&](Host& h) {
        Box box(h.ui(), 120.0f, 180.0f);
        float height = 0;
        h.doTextWrap(height, L"one two three four five six seven eight nine ten");
        heights.push_back(height);
    };
    w.driver->paint();
    w.driver->mouseMove(5, 5);
    w.driver->press('A');
    ASSERT_GE(heights.size(), 3u);
    EXPECT_GT(heights[0], 30.0f); // several lines
    for (float h : heights)
        EXPECT_EQ(h, heights[0]);
}

// ---- Buttons

TEST(Buttons, PushButtonActivatesOnReleaseAnywhereAfterAPressOnIt) {
    Hosted w(200, 100);
    int fired = 0;
    w->scene = [&](Host& h) {
        Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
        b.setPos(10.0f, 10.0f);
        h.glColor(gui::orbopal::OKButton);
        if (h.doPushButton(L"OK", true))
            ++fired;
    };
    w.driver->paint();
    w.driver->mouseMove(30, 20);
    w.driver->leftDown(30, 20);
    EXPECT_EQ(fired, 0);
    w.driver->mouseMove(180, 90);
    w.driver->leftUp(180, 90);
    EXPECT_EQ(fired, 1);
    // A press elsewhere and a release on the button does nothing.
    w.driver->mouseMove(180, 90);
    w.driver->leftDown(180, 90);
    w.driver->mouseMove(30, 20);
    w.driver->leftUp(30, 20);
    EXPECT_EQ(fired, 1);
}

TEST(Buttons, ReturnOrSpaceOnAFocusedButtonActivatesOnceOnTheRelease) {
    Hosted w(200, 100);
    int fired = 0;
    std::vector<int> firedAt;
    w->scene = [&](Host& h) {
        Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
        if (h.doPushButton(L"OK", true)) {
            ++fired;
            firedAt.push_back(static_cast<int>(h.ui()->eventType()));
        }
    };
    w.driver->paint();
    w.driver->keyDown(WXK_RETURN); // not focused: nothing
    w.driver->keyUp(WXK_RETURN);
    EXPECT_EQ(fired, 0);
    w.driver->press(WXK_TAB);
    EXPECT_EQ(w->window()->context()->focusedID().name(), L"OK");
    w.driver->keyDown(WXK_RETURN);
    EXPECT_EQ(fired, 0);
    w.driver->keyUp(WXK_RETURN);
    EXPECT_EQ(fired, 1);
    w.driver->press(WXK_SPACE);
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(firedAt, (std::vector<int>{wxEVT_KEY_UP, wxEVT_KEY_UP}));
}

TEST(Buttons, DisabledButtonsIgnoreInputAndShowTheDisabledTooltip) {
    Hosted w(200, 100);
    int fired = 0;
    w->scene = [&](Host& h) {
        Box row(h.ui(), 150.0f, 24.0f);
        if (h.doButton(ControlID(L"mail"), h.mail_, L"Mail", L"Send", L"Cannot send", true))
            ++fired;
    };
    w.driver->paint();
    w->Enable(false);
    w.driver->paint();
    w.driver->click(10, 10);
    w.driver->press(WXK_TAB);
    w.driver->press(WXK_RETURN);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(w->window()->context()->activeID().anonymous());
    EXPECT_EQ(w->window()->context()->tooltip, L"Cannot send");
    w->Enable(true);
    w.driver->mouseMove(11, 10);
    EXPECT_EQ(w->window()->context()->tooltip, L"Send");
    w.driver->click(10, 10);
    EXPECT_EQ(fired, 1);
}

TEST(Buttons, APushButtonKeepsItsBodyColourWhenDisabled) {
    Hosted w(120, 50);
    bool enabled = true;
    w->scene = [&](Host& h) {
        Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
        b.setPos(10.0f, 10.0f);
        h.glColor(gui::orbopal::CancelButton);
        h.doPushButton(ControlID(L"blank"), enabled); // no caption, no icon
    };
    w.driver->paint();
    const RGBA body = w.driver->pixel(50, 30);
    enabled = false;
    w.driver->paint();
    EXPECT_EQ(w.driver->pixel(50, 30), body);
    EXPECT_GT(body.b(), body.r()); // blue
}

TEST(Buttons, ButtonsWithEqualCaptionsShareOneIdentity) {
    Hosted w(200, 100);
    std::vector<RGBA> icons;
    w->scene = [&](Host& h) {
        for (int i = 0; i < 2; ++i) {
            Box row(h.ui(), 100.0f, 24.0f);
            row.setTop(40.0f * i);
            h.doButton(h.mail_, L"Same", true);
        }
    };
    w.driver->paint();
    const RGBA idle = w.driver->pixel(12, 52);
    w.driver->mouseMove(6, 6);
    w.driver->leftDown(6, 6); // press the first: both are the same control, both held
    EXPECT_EQ(w.driver->settle(), 1);
    EXPECT_NE(w.driver->pixel(12, 52), idle);
    EXPECT_EQ(w.driver->pixel(12, 52), w.driver->pixel(12, 12));
    w.driver->leftUp(6, 6);
}

TEST(Buttons, TwoImageButtonShowsThePressedImageWhileHeld) {
    Hosted w(100, 60);
    w->scene = [](Host& h) {
        Box b(h.ui(), 32.0f, 32.0f);
        b.setPos(10.0f, 10.0f);
        h.doButton(ControlID(L"play"), h.play1_, h.play_push1_, L"Play", nullptr, true);
    };
    w.driver->paint();
    const std::vector<RGBA> up = w.driver->pixels();
    w.driver->mouseMove(26, 26);
    w.driver->leftDown(26, 26);
    EXPECT_EQ(w.driver->settle(), 1); // the press shows without a paint anybody asked for
    EXPECT_NE(w.driver->pixels(), up);
    w.driver->leftUp(26, 26);
    EXPECT_EQ(w.driver->settle(), 1);
    EXPECT_EQ(w.driver->pixels(), up);
}

TEST(Buttons, AnIconAsTallAsItsBoxSitsFlushAtTheEdge) {
    Hosted w(200, 60);
    w->scene = [](Host& h) {
        {
            Box row(h.ui(), 80.0f, 20.0f); // mail_ is 20 pixels high: offset 0
            row.setPos(10.0f, 10.0f);
            h.doButton(h.mail_, nullptr, true);
        }
        Box row(h.ui(), 80.0f, 20.0f);
        row.setPos(100.0f, 10.0f);
        h.doButtonRight(h.mail_, nullptr, true);
    };
    w.driver->paint();
    EXPECT_TRUE(inked(*w.driver, 10, 10, 13, 30));
    EXPECT_TRUE(inked(*w.driver, 177, 10, 180, 30));
}

// ---- Links

TEST(Links, ALinkIsAsWideAsItsFittedTextAndUnderlined) {
    Hosted w(300, 80);
    w->scene = [](Host& h) {
        {
            Box narrow(h.ui(), 40.0f, 20.0f); // the text is wider: the link takes 40 at most
            narrow.setPos(10.0f, 10.0f);
            h.doLink(L"A rather long link text", L"long", true);
        }
        Box empty(h.ui(), 60.0f, 20.0f);
        empty.setPos(10.0f, 40.0f);
        h.doLink(L"", L"empty", true); // as wide as the box: only the underline
    };
    w.driver->paint();
    std::vector<int> underline;
    for (int y = 10; y < 30; ++y) {
        const std::vector<int> cols = inkColumns(*w.driver, y);
        if (cols.size() > 30)
            underline = cols;
    }
    ASSERT_FALSE(underline.empty());
    EXPECT_EQ(underline.front(), 10);
    EXPECT_LE(underline.back(), 49);
    bool emptyUnderline = false;
    for (int y = 40; y < 60; ++y) {
        const std::vector<int> cols = inkColumns(*w.driver, y);
        if (cols.size() == 60 && cols.front() == 10)
            emptyUnderline = true;
        else
            EXPECT_TRUE(cols.empty()) << y;
    }
    EXPECT_TRUE(emptyUnderline);
}

TEST(Links, ALinkInADisabledWindowIsGreyInactiveAndWithoutTooltip) {
    Hosted w(200, 60);
    int fired = 0;
    RGBA colour;
    w->scene = [&](Host& h) {
        Box b(h.ui(), 150.0f, 20.0f);
        if (h.doLink(L"link", L"tip", true))
            ++fired;
        if (h.ui()->isPaint()) // the colour is stored as the underline is drawn
            colour = h.ui()->colour();
    };
    w->Enable(false);
    w.driver->paint();
    w.driver->click(5, 5);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(colour, gui::orbopal::DisabledText);
    EXPECT_EQ(w->window()->context()->tooltip, L"");
}

// ---- Chrome

TEST(Chrome, CloseButtonAndTitleSitWhereTheLayoutPutsThem) {
    Hosted w(640, 480, true);
    w.driver->paint();
    // The close icon's 16 x 16 box at (592, 28): its X touches the middle.
    EXPECT_NE(w.driver->pixel(600, 36).word, w.driver->pixel(620, 36).word);
    // Hover over the close button shows its tooltip.
    w.driver->mouseMove(600, 36);
    EXPECT_EQ(w->window()->context()->tooltip, L"Close");
    w.driver->mouseMove(599, 20);
    EXPECT_EQ(w->window()->context()->tooltip, L"");
}

TEST(Chrome, ClickingTheCloseButtonClosesTheWindowEvenAsHide) {
    for (const wchar_t* tip : {L"Close", L"Hide"}) {
        Hosted w(640, 480, true);
        w->setCloseTip(tip);
        w.driver->paint();
        w.driver->click(600, 36);
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(w->window()) << tip;
    }
}

TEST(Chrome, HideShowsTheMinimizeIcon) {
    Hosted a(640, 480, true), b(640, 480, true);
    b->setCloseTip(L"Hide");
    a.driver->paint();
    b.driver->paint();
    bool differs = false;
    for (int y = 28; y < 44; ++y)
        for (int x = 592; x < 608; ++x)
            differs |= a.driver->pixel(x, y) != b.driver->pixel(x, y);
    EXPECT_TRUE(differs);
}

TEST(Chrome, DrawRuleDrawsTwoRowsAcrossThePanel) {
    Hosted w(640, 480);
    w->scene = [](Host& h) {
        Box box(h.ui(), 100.0f, 50.0f);
        box.setY(100.0f);
        h.drawRule(10.0f);
    };
    w.driver->paint();
    EXPECT_EQ(w.driver->pixel(22, 109), RGBA(222, 222, 222, 255));
    EXPECT_EQ(w.driver->pixel(22, 110), RGBA(242, 242, 242, 255));
    EXPECT_EQ(w.driver->pixel(22 + 594 - 1, 110), RGBA(242, 242, 242, 255));
    EXPECT_EQ(w.driver->pixel(22 + 594, 110), RGBA(0xFFFFFFFFu));
    EXPECT_EQ(w.driver->pixel(21, 110), RGBA(0xFFFFFFFFu));
}

TEST(Chrome, StatusIconAppearsOnlyWithAnImageAndShowsItsTooltip) {
    // The status band of a 640 x 480 window runs from y 432 to 456; the icon sits 3 below its
    // top, 30 right of the (empty) status text.
    Hosted w(640, 480, true);
    int infoCalls = 0;
    gui::Image* image = nullptr;
    w.driver->paint();
    const std::vector<RGBA> plain = w.driver->pixels();
    w->setStatusCallbacks(boost::function<void()>(), [&] {
        ++infoCalls;
        return std::make_pair(orbo::utf8_string("caf\xc3\xa9"), image);
    });
    w.driver->paint();
    EXPECT_GT(infoCalls, 0);
    EXPECT_EQ(w.driver->pixels(), plain); // a null image: no icon
    w.driver->mouseMove(36, 441);
    EXPECT_EQ(w->window()->context()->tooltip, L""); // and no tooltip
    image = &w->closeTex_;
    w.driver->paint();
    EXPECT_NE(w.driver->pixels(), plain);
    w.driver->mouseMove(36, 440);
    EXPECT_EQ(w->window()->context()->tooltip, L"caf\u00e9");
}

TEST(Chrome, StatusTextShowsItsHoverTextAndReportsClicks) {
    Hosted w(640, 480, true);
    int clicks = 0;
    w->setStatus(L"Ready");
    w->setStatusHover(L"Everything is fine");
    w->setStatusCallbacks([&] { ++clicks; }, gui::AppWindow::StatusInfo());
    w.driver->paint();
    w.driver->mouseMove(40, 445);
    EXPECT_EQ(w->window()->context()->tooltip, L"Everything is fine");
    w.driver->click(40, 445);
    EXPECT_EQ(clicks, 1);
    w.driver->click(300, 445); // outside the 118-pixel status area
    EXPECT_EQ(clicks, 1);
}

TEST(Chrome, ADoubleClickOnTheNoticeSwitchesEveryWindowToFrameRates) {
    Hosted a(640, 480, true), b(640, 480, true);
    a.driver->paint();
    b.driver->paint();
    auto statusBand = [](orbotk::Driver& d) {
        std::vector<RGBA> band;
        for (int y = 432; y < 456; ++y)
            for (int x = 300; x < 640; ++x)
                band.push_back(d.pixel(x, y));
        return band;
    };
    const std::vector<RGBA> noticeB = statusBand(*b.driver);
    a.driver->mouseMove(600, 441);
    a.driver->leftDoubleClick(600, 441);
    b.driver->paint();
    EXPECT_NE(statusBand(*b.driver), noticeB);
    a.driver->leftDoubleClick(600, 441);
    b.driver->paint();
    EXPECT_EQ(statusBand(*b.driver), noticeB);
}
