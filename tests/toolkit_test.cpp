// The toolkit through the driver: who gets clicks, releases, keys, focus, drags and drops, with
// every event going through the window's real entry point as one pass.
#include "gui/box.h"
#include "harness.h"
#include "orbotk/context.h"
#include "over_background.h"
#include "text_ranges.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using gui::Box;
using orbotk::ControlID;
using orbotk::TabIdx;
using testing_support::Scene;
typedef boost::shared_ptr<orbotk::UIContext> Ctx;

namespace {

// A click-and-release control as widgets build it: a press makes it active, and it fires when
// the active box sees the release.
bool clickable(Box& b) {
    if (b.leftClicked())
        b.makeActive();
    const bool fired = b.active() && b.leftReleased();
    if (fired)
        b.clearActive();
    return fired;
}

struct Counts {
    std::map<std::wstring, int> fired, released, clicked;
};

} // namespace

TEST(Toolkit, ReleaseOutsideStillReachesThePressedBox) {
    Scene scene(300, 200);
    Counts c;
    scene.show([&](const Ctx& ui) {
        Box b(ui, 50.0f, 30.0f, ControlID(L"ok"));
        b.setPos(10.0f, 10.0f);
        if (b.leftReleased())
            ++c.released[L"ok"];
        if (b.leftClicked())
            b.makeActive();
    });
    scene.driver->mouseMove(20, 20);
    scene.driver->leftDown(20, 20);
    scene.driver->mouseMove(250, 150);
    scene.driver->leftUp(250, 150);
    EXPECT_EQ(c.released[L"ok"], 1);
    EXPECT_TRUE(scene.ui->activeID().anonymous()); // the release ended the press
}

TEST(Toolkit, PressElsewhereThenReleaseOnABoxDoesNotActivateIt) {
    Scene scene(300, 200);
    Counts c;
    scene.show([&](const Ctx& ui) {
        for (const wchar_t* name : {L"a", L"b"}) {
            Box b(ui, 50.0f, 30.0f, ControlID(name));
            b.setPos(name[0] == L'a' ? 10.0f : 100.0f, 10.0f);
            const bool releasedHere = b.leftReleased();
            if (clickable(b))
                ++c.fired[name];
            if (releasedHere)
                ++c.released[name];
        }
    });
    // Pressed on b, released on a: the release belongs to b, a sees none.
    scene.driver->mouseMove(110, 20);
    scene.driver->leftDown(110, 20);
    scene.driver->mouseMove(20, 20);
    scene.driver->leftUp(20, 20);
    EXPECT_EQ(c.released[L"a"], 0);
    EXPECT_EQ(c.fired[L"a"], 0);
    EXPECT_EQ(c.fired[L"b"], 1);
    // Pressed on empty space, released on a: a is hot but was never pressed.
    scene.driver->mouseMove(250, 150);
    scene.driver->leftDown(250, 150);
    scene.driver->mouseMove(20, 20);
    scene.driver->leftUp(20, 20);
    EXPECT_EQ(c.fired[L"a"], 0);
    // A real click fires exactly once.
    scene.driver->click(20, 20);
    EXPECT_EQ(c.fired[L"a"], 1);
}

TEST(Toolkit, OnlyTheFrontMostOverlappingBoxGetsTheClick) {
    Scene scene(300, 200);
    Counts c;
    scene.show([&](const Ctx& ui) {
        Box parent(ui, 200.0f, 100.0f, ControlID(L"parent"));
        {
            // Siblings: the earlier one is closed first, so it is in front.
            Box first(ui, 60.0f, 40.0f, ControlID(L"first"));
            first.setPos(10.0f, 10.0f);
            if (first.leftClicked())
                ++c.clicked[L"first"];
        }
        {
            Box second(ui, 60.0f, 40.0f, ControlID(L"second"));
            second.setPos(40.0f, 10.0f);
            if (second.leftClicked())
                ++c.clicked[L"second"];
        }
        if (parent.leftClicked())
            ++c.clicked[L"parent"];
    });
    scene.driver->click(50, 20);   // first and second and parent overlap here
    scene.driver->click(90, 20);   // second and parent
    scene.driver->click(150, 80);  // parent only
    scene.driver->click(250, 150); // nothing
    EXPECT_EQ(c.clicked[L"first"], 1);
    EXPECT_EQ(c.clicked[L"second"], 1);
    EXPECT_EQ(c.clicked[L"parent"], 1);
}

TEST(Toolkit, BoxesThatAskNothingOfTheMouseDoNotShieldThoseBehind) {
    Scene scene(300, 200);
    int clicks = 0;
    scene.show([&](const Ctx& ui) {
        {
            Box decoration(ui, 100.0f, 100.0f); // drawn in front, never asked about input
        }
        Box button(ui, 100.0f, 100.0f, ControlID(L"button"));
        if (button.leftClicked())
            ++clicks;
    });
    scene.driver->click(50, 50);
    EXPECT_EQ(clicks, 1);
}

TEST(Toolkit, AnonymousSiblingsKeepSeparateActiveState) {
    Scene scene(300, 200);
    std::vector<int> fired(3, 0);
    std::vector<bool> active(3, false);
    scene.show([&](const Ctx& ui) {
        Box row(ui);
        for (int i = 0; i < 3; ++i) {
            Box b(ui, 40.0f, 40.0f);
            b.setPos(10.0f + 50.0f * i, 10.0f);
            if (clickable(b))
                ++fired[static_cast<size_t>(i)];
            active[static_cast<size_t>(i)] = b.active();
        }
    });
    scene.driver->mouseMove(70, 20);
    scene.driver->leftDown(70, 20); // the second one
    scene.driver->paint();
    EXPECT_EQ(active, (std::vector<bool>{false, true, false}));
    scene.driver->leftUp(70, 20);
    EXPECT_EQ(fired, (std::vector<int>{0, 1, 0}));
    scene.driver->click(20, 20);
    EXPECT_EQ(fired, (std::vector<int>{1, 1, 0}));
}

TEST(Toolkit, DoubleClickIsAlsoAPressAndIsReportedOnce) {
    Scene scene(300, 200);
    int clicks = 0, doubles = 0, fired = 0;
    scene.show([&](const Ctx& ui) {
        Box b(ui, 50.0f, 50.0f, ControlID(L"b"));
        const bool dbl = b.leftDoubleClicked();
        if (b.leftClicked())
            ++clicks;
        if (dbl)
            ++doubles;
        if (clickable(b))
            ++fired;
    });
    scene.driver->mouseMove(10, 10);
    scene.driver->leftDoubleClick(10, 10);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(fired, 2);
}

TEST(Toolkit, TabAndShiftTabCycleOverNamedEnabledBoxesInPassOrder) {
    Scene scene(300, 200);
    scene.show([&](const Ctx& ui) {
        Box a(ui, 10.0f, 10.0f, ControlID(L"a"));
        Box skipped(ui, 10.0f, 10.0f, ControlID(L"skip", TabIdx::DISABLED));
        Box off(ui, 10.0f, 10.0f, ControlID(L"off"), false);
        Box anon(ui, 10.0f, 10.0f);
        Box b(ui, 10.0f, 10.0f, ControlID(L"b"));
        Box c(ui, 10.0f, 10.0f, ControlID(L"c"));
    });
    auto focus = [&] { return scene.ui->focusedID().name(); };
    EXPECT_EQ(focus(), L"");
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"a");
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"b");
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"c");
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"a"); // wraps around
    scene.driver->press(WXK_TAB, wxMOD_SHIFT);
    EXPECT_EQ(focus(), L"c");
    scene.driver->press(WXK_TAB, wxMOD_SHIFT);
    EXPECT_EQ(focus(), L"b");
}

TEST(Toolkit, ARadioGroupIsOneTabStopAndArrowsMoveWithinIt) {
    Scene scene(300, 200);
    scene.show([&](const Ctx& ui) {
        Box a(ui, 10.0f, 10.0f, ControlID(L"a"));
        for (const wchar_t* name : {L"r1", L"r2", L"r3"}) {
            Box r(ui, 10.0f, 10.0f, ControlID(name));
            r.markRadio(std::wstring(name) == L"r2");
        }
        Box b(ui, 10.0f, 10.0f, ControlID(L"b"));
    });
    auto focus = [&] { return scene.ui->focusedID().name(); };
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"a");
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"r2"); // the selected button
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(focus(), L"b"); // past the group
    scene.driver->press(WXK_TAB, wxMOD_SHIFT);
    EXPECT_EQ(focus(), L"r2");
    scene.driver->press(WXK_DOWN);
    EXPECT_EQ(focus(), L"r3");
    scene.driver->press(WXK_RIGHT);
    EXPECT_EQ(focus(), L"r1"); // wraps within the group
    scene.driver->press(WXK_UP);
    EXPECT_EQ(focus(), L"r3");
    scene.driver->press(WXK_TAB, wxMOD_SHIFT);
    EXPECT_EQ(focus(), L"a");
}

TEST(Toolkit, TextRangesForScreenReadersRunBetweenBoundaries) {
    using orbotk::access::Unit;
    const auto range = [](const wchar_t* text, int offset, Unit unit) {
        const orbotk::access::Range r = orbotk::access::rangeAt(text, offset, unit);
        return std::make_pair(r.start, r.end);
    };
    const wchar_t* text = L"Hi, you all\nnext line";
    EXPECT_EQ(range(text, 1, Unit::Character), std::make_pair(1, 2));
    EXPECT_EQ(range(text, 21, Unit::Character), std::make_pair(21, 21)); // the end: nothing
    EXPECT_EQ(range(text, 5, Unit::WordStart), std::make_pair(4, 8));    // "you "
    EXPECT_EQ(range(text, 2, Unit::WordStart), std::make_pair(0, 4));    // "Hi, "
    EXPECT_EQ(range(text, 5, Unit::WordEnd), std::make_pair(2, 7));      // ", you"
    EXPECT_EQ(range(text, 13, Unit::LineStart), std::make_pair(12, 21)); // "next line"
    EXPECT_EQ(range(text, 3, Unit::LineStart), std::make_pair(0, 12));   // with its newline
    EXPECT_EQ(range(text, 13, Unit::LineEnd), std::make_pair(11, 21));   // from the newline
}

TEST(Toolkit, TabIsConsumedByTheToolkitAndRepaints) {
    Scene scene(300, 200);
    int keyPasses = 0;
    scene.show([&](const Ctx& ui) {
        Box a(ui, 10.0f, 10.0f, ControlID(L"a"));
        if (ui->eventType() == wxEVT_KEY_DOWN || ui->eventType() == wxEVT_CHAR ||
            ui->eventType() == wxEVT_KEY_UP)
            ++keyPasses;
    });
    const auto before = scene.window->refreshRequests();
    scene.driver->press(WXK_TAB);
    EXPECT_EQ(keyPasses, 0);
    EXPECT_GT(scene.window->refreshRequests(), before);
}

TEST(Toolkit, KeysReachTheFocusedBoxOrTheRootWhenNothingHasFocus) {
    Scene scene(300, 200);
    std::vector<std::wstring> got;
    scene.show([&](const Ctx& ui) {
        Box top(ui); // a top-level box, as a window's own root box is
        if (top.keyDown(WXK_ESCAPE))
            got.push_back(L"top");
        for (const wchar_t* name : {L"a", L"b"}) {
            Box b(ui, 10.0f, 10.0f, ControlID(name));
            if (b.keyDown(WXK_ESCAPE))
                got.push_back(name);
            if (b.characterInput([](int ch) { return ch == 'x'; }))
                got.push_back(std::wstring(name) + L":x");
        }
    });
    scene.driver->press(WXK_ESCAPE);
    EXPECT_EQ(got, (std::vector<std::wstring>{L"top"}));
    got.clear();
    scene.driver->press(WXK_TAB);
    scene.driver->press(WXK_TAB); // b
    scene.driver->press(WXK_ESCAPE);
    scene.driver->typeText(L"x");
    EXPECT_EQ(got, (std::vector<std::wstring>{L"b", L"b:x"}));
}

TEST(Toolkit, KeyPredicatesSeeTheModifiersWithCtrlFourth) {
    Scene scene(300, 200);
    int pastes = 0, chars = 0;
    scene.show([&](const Ctx& ui) {
        Box b(ui, 10.0f, 10.0f, ControlID(L"field"));
        b.makeFocused();
        if (b.keyDown([](int k, bool shift, bool alt, bool meta, bool ctrl) {
                return k == 'V' && ctrl && !shift && !alt && !meta;
            }))
            ++pastes;
        if (b.characterInput([](int) { return true; }))
            ++chars;
    });
    scene.driver->paint(); // the claim becomes focus
    scene.driver->press('V', wxMOD_CONTROL);
    scene.driver->press('V', wxMOD_CONTROL | wxMOD_ALT);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(scene.ui->focusedID().name(), L"field");
    EXPECT_EQ(chars, 2); // control code 22 both times; a text box decides what to do with it
}

TEST(Toolkit, FocusClaimIsEmptyEachPassAndBecomesFocusAtTheEnd) {
    Scene scene(300, 200);
    bool claim = false;
    std::vector<std::wstring> claimsSeen;
    scene.show([&](const Ctx& ui) {
        claimsSeen.push_back(ui->focusClaim().name());
        Box b(ui, 10.0f, 10.0f, ControlID(L"b"));
        if (claim)
            b.makeFocused();
        claimsSeen.push_back(ui->focusClaim().name());
    });
    claim = true;
    claimsSeen.clear();
    scene.driver->paint();
    EXPECT_EQ(claimsSeen, (std::vector<std::wstring>{L"", L"b"}));
    EXPECT_EQ(scene.ui->focusedID().name(), L"b");
}

TEST(Toolkit, AControlAbsentFromAPassLosesFocusAndActiveState) {
    Scene scene(300, 200);
    bool present = true;
    scene.show([&](const Ctx& ui) {
        if (!present)
            return;
        Box b(ui, 50.0f, 50.0f, ControlID(L"b"));
        if (b.leftClicked())
            b.makeActive();
    });
    scene.driver->press(WXK_TAB);
    scene.driver->mouseMove(10, 10);
    scene.driver->leftDown(10, 10);
    EXPECT_EQ(scene.ui->focusedID().name(), L"b");
    EXPECT_EQ(scene.ui->activeID().name(), L"b");
    present = false;
    scene.driver->paint();
    EXPECT_TRUE(scene.ui->focusedID().anonymous());
    EXPECT_TRUE(scene.ui->activeID().anonymous());
    scene.driver->leftUp(10, 10);
}

TEST(Toolkit, ADragOfTheActiveBoxIsDroppedOnTheBoxUnderThePointer) {
    Scene scene(300, 200);
    std::vector<std::wstring> drops;
    bool draggingSeen = false;
    int dragStartX = -1;
    scene.show([&](const Ctx& ui) {
        {
            Box item(ui, 40.0f, 40.0f, ControlID(L"item"));
            item.setPos(10.0f, 10.0f);
            if (item.leftClicked())
                item.makeActive();
            if (item.leftDragging()) {
                draggingSeen = true;
                dragStartX = ui->dragStartX();
            }
        }
        for (int i = 0; i < 2; ++i) {
            Box target(ui, 60.0f, 60.0f); // anonymous drop areas
            target.setPos(100.0f + 100.0f * i, 100.0f);
            if (target.leftDropped([](const ControlID& id) { return id == ControlID(L"item"); }))
                drops.push_back(L"target" + std::to_wstring(i));
        }
    });
    scene.driver->mouseMove(20, 20);
    scene.driver->leftDown(20, 20);
    EXPECT_FALSE(draggingSeen);
    scene.driver->mouseMove(150, 150);
    EXPECT_TRUE(draggingSeen);
    EXPECT_TRUE(scene.ui->leftDragFlag());
    EXPECT_EQ(dragStartX, 20);
    scene.driver->mouseMove(230, 130);
    scene.driver->leftUp(230, 130);
    EXPECT_EQ(drops, (std::vector<std::wstring>{L"target1"}));
    EXPECT_FALSE(scene.ui->leftDragFlag());
}

TEST(Toolkit, APressThatActivatesNothingStartsNoDrag) {
    Scene scene(300, 200);
    int drops = 0;
    scene.show([&](const Ctx& ui) {
        Box target(ui, 60.0f, 60.0f);
        target.setPos(100.0f, 100.0f);
        if (target.leftDropped([](const ControlID&) { return true; }))
            ++drops;
    });
    scene.driver->mouseMove(20, 20);
    scene.driver->leftDown(20, 20);
    scene.driver->mouseMove(120, 120);
    scene.driver->leftUp(120, 120);
    EXPECT_EQ(drops, 0);
}

TEST(Toolkit, WheelAndRightButtonLookPastBoxesThatAskedOtherQuestions) {
    Scene scene(300, 200);
    int wheel = 0, frontWheel = 0, rights = 0, frontRights = 0;
    bool overBack = false, overFront = false, wheelAsker = false;
    scene.show([&](const Ctx& ui) {
        {
            // A row's checkbox: it asks about the left button only.
            Box front(ui, 50.0f, 50.0f, ControlID(L"front"));
            overFront = front.over();
            if (front.leftClicked())
                front.makeActive();
        }
        if (wheelAsker) { // a focused slider in front asks for the wheel itself
            Box slider(ui, 20.0f, 20.0f, ControlID(L"slider"));
            frontWheel += slider.wheelRotation();
            frontRights += slider.rightClicked();
        }
        Box back(ui, 100.0f, 100.0f, ControlID(L"back"));
        wheel += back.wheelRotation();
        rights += back.rightClicked();
        overBack = back.over();
    });
    scene.driver->wheel(75, 75, -120);
    EXPECT_EQ(wheel, -120);
    scene.driver->wheel(25, 25, -120); // over the front box, which did not ask for the wheel
    EXPECT_EQ(wheel, -240);
    EXPECT_TRUE(overFront); // hover still belongs to the front box
    EXPECT_FALSE(overBack);
    scene.driver->rightDown(25, 25);
    scene.driver->rightUp(25, 25);
    EXPECT_EQ(rights, 1);
    wheelAsker = true;
    scene.driver->paint();
    scene.driver->wheel(10, 10, 120);
    scene.driver->rightDown(10, 10);
    scene.driver->rightUp(10, 10);
    EXPECT_EQ(frontWheel, 120);
    EXPECT_EQ(frontRights, 1);
    EXPECT_EQ(wheel, -240);
    EXPECT_EQ(rights, 1);
    scene.driver->mouseMove(75, 75);
    EXPECT_TRUE(overBack);
    EXPECT_FALSE(overFront);
    scene.driver->leave();
    EXPECT_FALSE(overBack);
}

TEST(Toolkit, ABoxHoldingThePointerTakesEveryPressAndKeyAndHearsPressesOutside) {
    Scene scene(300, 200);
    bool holding = true;
    int behind = 0, inside = 0, outside = 0, keys = 0, otherKeys = 0;
    scene.show([&](const Ctx& ui) {
        {
            Box before(ui, 100.0f, 100.0f, ControlID(L"before")); // in front, outside the hold
            behind += before.leftClicked();
            otherKeys += before.keyDown(WXK_DOWN);
        }
        {
            Box popup(ui, 100.0f, 40.0f, ControlID(L"popup"));
            popup.setPos(50.0f, 50.0f);
            if (holding)
                popup.holdPointer();
            outside += popup.pressedOutside();
            keys += popup.keyDown(WXK_DOWN);
            Box entry(ui, 100.0f, 20.0f, ControlID(L"entry"));
            inside += entry.leftClicked();
        }
        Box page(ui, gui::FILL, gui::FILL, ControlID(L"page"));
        behind += page.leftClicked() + page.rightClicked() + (page.wheelRotation() != 0);
    });
    scene.driver->click(60, 55); // on the entry, over the box before it
    scene.driver->click(60, 80); // on the popup, where nothing asks: nothing answers
    scene.driver->click(250, 150);
    scene.driver->rightDown(250, 150);
    scene.driver->wheel(250, 150, 120);
    scene.driver->press(WXK_DOWN);
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(outside, 2);
    EXPECT_EQ(behind, 0);
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(otherKeys, 0);
    holding = false;
    scene.driver->paint();
    scene.driver->click(250, 150);
    EXPECT_EQ(behind, 1);
    EXPECT_EQ(outside, 2);
}

TEST(Toolkit, PressesInARowCountAsDoubleAndTripleClicks) {
    Scene scene(100, 100);
    std::vector<int> counts;
    scene.show([&](const Ctx& ui) {
        Box b(ui, gui::FILL, gui::FILL, ControlID(L"b"));
        if (b.leftClicked())
            counts.push_back(ui->clickCount());
    });
    scene.driver->leftDoubleClick(10, 10);
    scene.driver->click(11, 10);
    scene.driver->click(60, 60); // elsewhere: a new first click
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 1}));
}

TEST(Toolkit, PaintPassesClearTheFramebufferAndCountFrames) {
    Scene scene(64, 32);
    scene.show([&](const Ctx& ui) {
        if (ui->isPaint())
            ui->framebuffer()[0] = orbo::tk::RGBA(0xFF112233u); // bottom-left pixel
    });
    EXPECT_EQ(scene.driver->pixel(0, 31), orbo::tk::RGBA(0xFF112233u));
    scene.body = [](const Ctx&) {};
    const auto frames = scene.window->frameCount();
    scene.driver->paint();
    EXPECT_EQ(scene.driver->pixel(0, 31), orbo::tk::RGBA());
    EXPECT_EQ(scene.window->frameCount(), frames + 1);
    EXPECT_EQ(scene.driver->width(), 64);
    EXPECT_EQ(scene.driver->height(), 32);
    scene.driver->resize(80, 40);
    scene.driver->paint();
    EXPECT_EQ(scene.driver->width(), 80);
    EXPECT_EQ(scene.driver->height(), 40);
}

TEST(Toolkit, AnExceptionFromThePassLeavesTheContextUsable) {
    Scene scene(100, 100);
    scene.body = [](const Ctx& ui) {
        Box b(ui, ControlID(L"b"));
        throw 42;
    };
    // Non-library exceptions pass through the toolkit to the caller.
    EXPECT_THROW(scene.driver->paint(), int);
    bool ran = false;
    scene.body = [&](const Ctx& ui) {
        ran = true;
        EXPECT_EQ(ui->current(), ui->root());
    };
    scene.driver->paint();
    EXPECT_TRUE(ran);
}

TEST(Toolkit, PostEvalRunsLaterOnTheUIThread) {
    Scene scene(100, 100);
    int runs = 0;
    scene.window->postEval([&] { ++runs; });
    EXPECT_EQ(runs, 0);
    scene.driver->flush();
    EXPECT_EQ(runs, 1);
}

TEST(Toolkit, AWindowDestroyedWhileAHandleIsHeldLastsUntilTheHandleGoes) {
    auto ui = orbotk::UIContext::create(L"held", static_cast<wxWindow*>(nullptr));
    boost::weak_ptr<orbotk::Window> handle = ui->window();
    orbotk::Driver driver(handle.lock());
    {
        boost::shared_ptr<orbotk::Window> held = handle.lock();
        held->Destroy();
        driver.flush();
        // Still a whole window: a call that ran the event loop under the handle can go on.
        EXPECT_FALSE(handle.expired());
        EXPECT_FALSE(held->IsShown());
        EXPECT_EQ(held->title(), L"held");
    }
    driver.flush();
    EXPECT_TRUE(handle.expired());
}

TEST(Toolkit, ControlIDFromAnAddressIsItsPointerText) {
    static int object;
    ControlID id(static_cast<const void*>(&object), TabIdx::DISABLED);
    wchar_t expected[32];
    std::swprintf(expected, 32, L"%p", static_cast<const void*>(&object));
    EXPECT_EQ(id.name(), expected);
    EXPECT_EQ(id.tabIdx(), TabIdx::DISABLED);
    EXPECT_TRUE(ControlID().anonymous());
    EXPECT_EQ(ControlID().tabIdx(), TabIdx::DISABLED);
    EXPECT_EQ(ControlID(L"x").tabIdx(), TabIdx::AUTO);
    EXPECT_EQ(ControlID(L"x", TabIdx::DISABLED), ControlID(L"x")); // identity is the name
}

TEST(Toolkit, TheDriverFindsClicksAndFocusesControlsByName) {
    Scene scene(300, 200);
    Counts c;
    scene.show([&](const Ctx& ui) {
        for (const wchar_t* name : {L"user", L"OK"}) {
            Box b(ui, 60.0f, 20.0f, ControlID(name));
            b.setPos(name[0] == L'u' ? 10.0f : 120.0f, 40.0f);
            if (clickable(b))
                ++c.fired[name];
        }
    });
    const wxRect ok = scene.driver->rect(L"OK");
    EXPECT_EQ(ok, wxRect(120, 40, 60, 20));
    scene.driver->click(L"OK");
    EXPECT_EQ(c.fired[L"OK"], 1);
    EXPECT_EQ(c.fired[L"user"], 0);
    scene.driver->focus(L"user");
    EXPECT_EQ(scene.ui->focusedID().name(), L"user");
    try {
        scene.driver->click(L"Cancel");
        ADD_FAILURE() << "an unknown control must be an error";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("no control named \"Cancel\""), std::string::npos);
    }
    EXPECT_THROW(scene.driver->focus(L""), std::invalid_argument);
}

TEST(Toolkit, AFramebufferThatCannotBeAllocatedLeavesTheWindowEmpty) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer aborts on a failed allocation instead of throwing";
#else
    Scene scene(100, 100);
    testing_support::LogCapture capture;
    // In a child, with the address space capped below what 32767 x 32767 pixels need, so that
    // the cap touches nothing else of this process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t cap = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (512u << 20);
        const rlimit limit{cap, cap};
        setrlimit(RLIMIT_AS, &limit);
        const bool ok = scene.ui->resizeFramebuffer(32767, 32767);
        const bool again = scene.ui->resizeFramebuffer(32767, 32767);
        const bool smaller = scene.ui->resizeFramebuffer(64, 32);
        _exit(!ok && !again && scene.ui->W() == 64 && smaller ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // One line for the size that failed, however often it is asked for again.
    const std::string log = capture.text();
    const std::string line = "framebuffer of 32767 x 32767 pixels (4095 MiB) could not be "
                             "allocated; the window shows nothing";
    EXPECT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line));
#endif
}

TEST(Toolkit, FramesReachTheScreenOverTheBackgroundExactlyAsTheTableSays) {
    // Every premultiplied pixel (each channel at most alpha), in rows of odd length so that
    // both the four- or eight-at-a-time steps and the tail run, over backgrounds from black
    // to white, four and eight pixels a step.
    for (const bool wide : {false, orbotk::OverBackground::haveWideSteps()})
        for (const std::uint32_t bg : {0x000000u, 0xF6F5F4u, 0x12AB7Fu, 0xFFFFFFu}) {
            const orbotk::OverBackground over(bg, wide);
            std::vector<orbo::tk::RGBA> in;
            for (std::uint32_t a = 0; a < 256; ++a)
                for (std::uint32_t c = 0; c <= a; ++c)
                    in.push_back(
                        orbo::tk::RGBA(a << 24 | c << 16 | ((c * 7) % (a + 1)) << 8 | (a - c)));
            std::vector<std::uint32_t> out(in.size());
            for (size_t start = 0; start < in.size(); start += 1021) {
                const int n = static_cast<int>(std::min<size_t>(1021, in.size() - start));
                over.row(out.data() + start, in.data() + start, n);
            }
            for (size_t i = 0; i < in.size(); ++i)
                ASSERT_EQ(out[i], over.pixel(in[i].word)) << std::hex << "pixel " << in[i].word;
        }
    // Transparent shows the background; opaque shows the pixel.
    const orbotk::OverBackground over(0xF6F5F4u);
    EXPECT_EQ(over.pixel(0u), 0xF6F5F4u);
    EXPECT_EQ(over.pixel(0xFF102030u), 0x102030u);
    // Writing a row again tells whether any word changed, and where: one pixel at each place
    // (in the steps, across a change of alpha, in the tail), two, and nothing.
    for (const bool wide : {false, orbotk::OverBackground::haveWideSteps()}) {
        const orbotk::OverBackground over(0xF6F5F4u, wide);
        const int step = wide ? 8 : 4;
        std::vector<orbo::tk::RGBA> row(23, orbo::tk::RGBA(0xF2E0E0E0u));
        row[9] = orbo::tk::RGBA(0xFF101010u);
        std::vector<std::uint32_t> shown(row.size());
        over.row(shown.data(), row.data(), 23);
        int first = 0, last = 0;
        for (int x = 0; x < 23; ++x) {
            std::vector<std::uint32_t> out = shown;
            EXPECT_FALSE(over.rowChanged(out.data(), row.data(), 23, first, last));
            std::vector<orbo::tk::RGBA> changed = row;
            changed[static_cast<size_t>(x)].word ^= 1u;
            EXPECT_TRUE(over.rowChanged(out.data(), changed.data(), 23, first, last)) << x;
            EXPECT_TRUE(first <= x && x < last && last - first <= step) << x;
            EXPECT_EQ(out[static_cast<size_t>(x)],
                      over.pixel(changed[static_cast<size_t>(x)].word));
            out = shown;
            changed[22].word ^= 2u;
            EXPECT_TRUE(over.rowChanged(out.data(), changed.data(), 23, first, last));
            EXPECT_TRUE(first <= x && last == 23) << x;
        }
    }
}
