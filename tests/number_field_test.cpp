// Number fields through the driver: typing committed at Return or when the focus leaves and
// clamped then, never while typing; steps by keys, buttons and the wheel; the label dragged
// (Shift for tenths); a comma read as the decimal separator; what screen readers hear. With
// real input (xdotool) a number typed and clamped, stepped and dragged. Goldens at 1x and 2x.
#include "golden.h"
#include "gui/number_field.h"
#include "widget_host.h"

#include <cstdlib>
#include <string>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

struct Fields {
    int size = 12;
    double margin = 2.5;
    int changes = 0;
    bool enabled = true;
    gui::NumberOptions sizeO, marginO;

    Fields() {
        sizeO.maximum = 72;
        sizeO.unit = L"pt";
        sizeO.labelWidth = 90.0f;
        marginO.maximum = 10;
        marginO.step = 0.5;
        marginO.decimals = 2;
        marginO.unit = L"cm";
        marginO.labelWidth = 90.0f;
    }
    void scene(Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        {
            Box row(h.ui(), 220.0f, 30.0f);
            row.setPos(10.0f, 10.0f);
            changes +=
                gui::doNumberField(ui, ControlID(L"size"), size, L"Font size", sizeO, enabled);
        }
        Box row(h.ui(), 220.0f, 30.0f);
        row.setPos(10.0f, 50.0f);
        changes += gui::doNumberField(ui, ControlID(L"margin"), margin, L"Margin", marginO);
    }
};

struct NumberFieldTest : ::testing::Test {
    Hosted win{260, 100};
    Fields f;
    void SetUp() override {
        win->scene = [this](Host& h) { f.scene(h); };
        win.driver->paint();
    }
    void TearDown() override { win->scene = nullptr; }
    orbotk::Driver& d() { return *win.driver; }
};

} // namespace

TEST_F(NumberFieldTest, TypingIsCommittedAtReturnOrWhenLeftAndClampedThen) {
    d().click(L"size");
    d().press('A', wxMOD_CONTROL);
    d().typeText(L"1x00"); // the letter is not taken
    EXPECT_EQ(f.size, 12);
    EXPECT_EQ(f.changes, 0);
    d().press(WXK_RETURN);
    EXPECT_EQ(f.size, 72);
    EXPECT_EQ(f.changes, 1);
    d().press('A', wxMOD_CONTROL);
    d().typeText(L"-5");
    d().press(WXK_TAB); // to the margin: the size is left, committed in the repaint after
    d().settle();
    EXPECT_EQ(f.size, 0);
    d().press('A', wxMOD_CONTROL);
    d().typeText(L"3,257");
    d().press(WXK_RETURN);
    EXPECT_DOUBLE_EQ(f.margin, 3.26);
    d().press('A', wxMOD_CONTROL);
    d().typeText(L"--");
    d().press(WXK_RETURN); // not a number: the value comes back
    EXPECT_DOUBLE_EQ(f.margin, 3.26);
    d().paint();
    d().context()->setAccessibility(true);
    d().paint();
    d().paint();
    bool heard = false;
    for (const orbotk::Described& c : d().context()->described())
        if (c.description->role == orbotk::Role::SpinButton && c.description->name == L"Margin") {
            heard = true;
            EXPECT_DOUBLE_EQ(c.description->value, 3.26);
            EXPECT_EQ(c.description->maximum, 10.0);
            EXPECT_EQ(c.description->text, L"3.26");
        }
    EXPECT_TRUE(heard);
}

TEST_F(NumberFieldTest, KeysButtonsTheWheelAndTheLabelStepIt) {
    d().click(L"size");
    d().press(WXK_UP);
    EXPECT_EQ(f.size, 13);
    d().press(WXK_PAGEUP);
    EXPECT_EQ(f.size, 23);
    d().press(WXK_DOWN);
    EXPECT_EQ(f.size, 22);
    d().click(L"size:up");
    d().click(L"size:down");
    d().click(L"size:down");
    EXPECT_EQ(f.size, 21);
    const wxRect field = d().rect(L"size");
    d().wheel(field.x + 10, field.y + 5, 240);
    EXPECT_EQ(f.size, 23);
    EXPECT_EQ(f.changes, 7);
    // The label: a step every 4 pixels, a tenth of one with Shift.
    const wxRect label = d().rect(L"size:label");
    d().mouseMove(label.x + 20, label.y + 10);
    EXPECT_EQ(d().context()->cursor(), wxCURSOR_SIZEWE);
    d().leftDown(label.x + 20, label.y + 10);
    d().mouseMove(label.x + 61, label.y + 10);
    EXPECT_EQ(f.size, 33);
    d().leftUp(label.x + 61, label.y + 10);
    const wxRect margin = d().rect(L"margin:label");
    d().leftDown(margin.x + 20, margin.y + 10);
    d().mouseEvent(wxEVT_MOTION, margin.x + 60, margin.y + 10, true, false, false, wxMOD_SHIFT, 0);
    EXPECT_DOUBLE_EQ(f.margin, 3.0);
    d().leftUp(margin.x + 60, margin.y + 10);
    // Disabled, nothing moves it.
    f.enabled = false;
    d().paint();
    d().click(L"size:up");
    d().leftDown(label.x + 20, label.y + 10);
    d().mouseMove(label.x + 80, label.y + 10);
    EXPECT_EQ(f.size, 33);
}

TEST_F(NumberFieldTest, RealInputTypesStepsAndDrags) {
    win->Show(true);
    ASSERT_TRUE(
        testing_support::waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));
    testing_support::settle();
    const auto at = [&](const wxRect& r, int dx = 0) {
        const wxPoint s =
            win->window()->canvas()->ClientToScreen(wxPoint(r.x + r.width / 2 + dx, r.y + 10));
        return std::to_string(s.x) + " " + std::to_string(s.y);
    };
    const auto xdotool = [](const std::string& args) {
        ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
        testing_support::settle();
    };
    xdotool("mousemove " + at(d().rect(L"size")) + " click 1 key ctrl+a type 500");
    EXPECT_EQ(f.size, 12);
    xdotool("key Return");
    EXPECT_EQ(f.size, 72);
    xdotool("key Down Down");
    EXPECT_EQ(f.size, 70);
    xdotool("mousemove " + at(d().rect(L"size:label")) +
            " mousedown 1 mousemove_relative -- -20 0");
    xdotool("mousemove_relative -- -20 0 mouseup 1");
    EXPECT_EQ(f.size, 60);
}

TEST_F(NumberFieldTest, Goldens) {
    for (int scale : {1, 2}) {
        Hosted w(240, 100, false, scale);
        Fields g;
        w->scene = [&g](Host& h) { g.scene(h); };
        w.driver->paint();
        w.driver->click(L"margin");
        w.driver->mouseMove(230, 95);
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "number_fields");
        g.enabled = false;
        w.driver->paint();
        testing_support::expectGolden(*w.driver, "number_field_disabled");
        w->scene = nullptr;
    }
}
