// Golden images: widgets in each state (idle, held, focused after Tab, disabled) and the
// window chrome, rendered through the driver and compared word for word with the PNGs in
// tests/golden/. To accept a deliberate change of look, run the test with
// GUI_UPDATE_GOLDENS=1, look at the new PNGs, and commit them.
#include "gui/box.h"
#include "widget_host.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <wx/image.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

const std::string DIR = GUI_GOLDEN_DIR;

// The framebuffer as PNG stores it (straight alpha), compared with the golden.
void expectGolden(orbotk::Driver& d, const std::string& name) {
    const std::string path = DIR + "/" + name + ".png";
    if (std::getenv("GUI_UPDATE_GOLDENS") != nullptr) {
        d.savePNG(path);
        return;
    }
    const std::string actualPath = ::testing::TempDir() + name + ".actual.png";
    d.savePNG(actualPath);
    wxImage golden, actual;
    ASSERT_TRUE(golden.LoadFile(path, wxBITMAP_TYPE_PNG))
        << "no golden " << path << " (run with GUI_UPDATE_GOLDENS=1 to make it)";
    ASSERT_TRUE(actual.LoadFile(actualPath, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(golden.GetSize(), actual.GetSize()) << name;
    int differing = 0;
    for (int y = 0; y < golden.GetHeight(); ++y)
        for (int x = 0; x < golden.GetWidth(); ++x) {
            const bool same = golden.GetRed(x, y) == actual.GetRed(x, y) &&
                              golden.GetGreen(x, y) == actual.GetGreen(x, y) &&
                              golden.GetBlue(x, y) == actual.GetBlue(x, y) &&
                              (golden.HasAlpha() ? golden.GetAlpha(x, y) : 255) ==
                                  (actual.HasAlpha() ? actual.GetAlpha(x, y) : 255);
            differing += !same;
        }
    EXPECT_EQ(differing, 0) << name << ": see " << actualPath;
}

enum class State { Idle, Held, Focused, Disabled };
const char* const STATE_NAMES[] = {"idle", "held", "focused", "disabled"};

// Renders a widget scene in a w x h window in the given state and checks it. The widget is
// pressed at (px, py) for Held; the first Tab focuses it for Focused.
void checkStates(const std::string& name, int w, int h, int px, int py,
                 const std::function<void(Host&, bool enabled)>& widget) {
    for (State s : {State::Idle, State::Held, State::Focused, State::Disabled}) {
        Hosted win(w, h);
        win->scene = [&](Host& host) { widget(host, s != State::Disabled); };
        win.driver->paint();
        if (s == State::Held) {
            win.driver->mouseMove(px, py);
            win.driver->leftDown(px, py);
        }
        if (s == State::Focused)
            win.driver->press(WXK_TAB);
        win.driver->mouseMove(w - 2, h - 2); // no hover effects in the picture
        win.driver->paint();
        expectGolden(*win.driver, name + "_" + STATE_NAMES[static_cast<int>(s)]);
        if (s == State::Held)
            win.driver->leftUp(px, py);
    }
}

} // namespace

TEST(Golden, PushButtons) {
    checkStates("push_button", 104, 50, 30, 25, [](Host& h, bool enabled) {
        Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
        b.setPos(10.0f, 10.0f);
        h.glColor(gui::orbopal::OKButton);
        h.doPushButton(L"OK", enabled);
    });
    checkStates("push_button_icon", 124, 50, 30, 25, [](Host& h, bool enabled) {
        Box b(h.ui(), 104.0f, 30.0f);
        b.setPos(10.0f, 10.0f);
        h.glColor(gui::orbopal::CancelButton);
        h.doPushButton(h.mail_, L"Send", enabled);
    });
}

TEST(Golden, ImageButtons) {
    checkStates("image_button", 140, 40, 20, 20, [](Host& h, bool enabled) {
        Box row(h.ui(), 120.0f, 26.0f);
        row.setPos(6.0f, 7.0f);
        h.doButton(ControlID(L"mail"), h.mail_, L"Mail", L"tip", nullptr, enabled);
    });
    checkStates("image_button_right", 140, 40, 120, 20, [](Host& h, bool enabled) {
        Box row(h.ui(), 120.0f, 26.0f);
        row.setPos(6.0f, 7.0f);
        h.doButtonRight(ControlID(L"mail"), h.mail_, L"Mail", L"tip", nullptr, enabled);
    });
    checkStates("two_image_button", 48, 48, 24, 24, [](Host& h, bool enabled) {
        Box b(h.ui(), 32.0f, 32.0f);
        b.setPos(8.0f, 8.0f);
        h.doButton(ControlID(L"play"), h.play1_, h.play_push1_, L"tip", nullptr, enabled);
    });
}

TEST(Golden, Links) {
    checkStates("link", 160, 30, 20, 12, [](Host& h, bool enabled) {
        Box b(h.ui(), 140.0f, 20.0f);
        b.setPos(6.0f, 5.0f);
        h.doLink(L"Open the documentation", L"tip", enabled);
    });
}

TEST(Golden, LabelsInEveryPlacement) {
    Hosted win(240, 130);
    win->scene = [](Host& h) {
        auto row = [&](float y, const std::function<void()>& f) {
            Box b(h.ui(), 220.0f, 18.0f);
            b.setPos(10.0f, y);
            f();
        };
        row(5, [&] { h.doLabel(L"Plain label"); });
        row(25, [&] { h.doLabelFit(L"A fitted label that is too long", true, true); });
        row(45, [&] { h.doLabelCenter(L"Centred", true, true); });
        row(65, [&] { h.doLabelRight(L"Right"); });
        row(85, [&] {
            float x = 0;
            h.doLabelIndent(x, 0, L"Indented,");
            x += 6;
            h.doLabelIndent(x, 0, L"disabled", false);
        });
        row(105, [&] {
            float x = 0;
            h.doLabelIndentRight(x, 0, L"from the right");
        });
    };
    win.driver->paint();
    expectGolden(*win.driver, "labels");
}

TEST(Golden, WindowChrome) {
    Hosted win(640, 480, true);
    win->SetTitle(L"Golden window");
    win->setStatus(L"Ready");
    win.driver->paint();
    expectGolden(*win.driver, "chrome");
}

TEST(Golden, LineEdits) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    struct Case {
        const char* name;
        const wchar_t* text;
        bool focused, select, enabled;
    } cases[] = {{"line_edit_unfocused", L"Some text", false, false, true},
                 {"line_edit_focused", L"Some text", true, false, true},
                 {"line_edit_selection", L"Some selected text", true, true, true},
                 {"line_edit_scrolled", L"A line of text much longer than its field is wide", true,
                  false, true},
                 {"line_edit_disabled", L"Some text", false, false, false}};
    for (const Case& c : cases) {
        gui::TextState state(font, c.text);
        state.caretEnd(false);
        if (c.select) {
            state.prevWord(false);
            state.prevWord(true);
        }
        Hosted win(220, 40);
        win->scene = [&](Host& h) {
            if (!c.focused) { // something else holds the keyboard
                Box other(h.ui(), 1.0f, 1.0f, ControlID(L"other"));
                other.makeFocused();
            }
            Box row(h.ui(), 200.0f, 30.0f);
            row.setPos(4.0f, 4.0f);
            h.doLineEdit(ControlID(L"field"), state, L"Field", 0.0f, c.enabled);
        };
        win.driver->paint();
        win.driver->paint();
        expectGolden(*win.driver, c.name);
    }
}
