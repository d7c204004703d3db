// Golden images: widgets in each state (idle, held, focused after Tab, disabled) and the
// window chrome, rendered through the driver and compared word for word with the PNGs in
// tests/golden/. To accept a deliberate change of look, run the test with
// GUI_UPDATE_GOLDENS=1, look at the new PNGs, and commit them. A set of the same scenes is
// drawn at device scale 2 too (names ending in @2x): twice the pixels each way, same layout.
#include "golden.h"
#include "gui/box.h"
#include "gui/brand.h"
#include "gui/message_box.h"
#include "orbotk/screen.h"
#include "widget_host.h"

#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include <wx/image.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// The device scale the scenes below are drawn at, and the suffix their goldens carry.
int goldenScale = 1;
struct AtScale {
    explicit AtScale(int s) { goldenScale = s; }
    ~AtScale() { goldenScale = 1; }
};

void expectGolden(orbotk::Driver& d, const std::string& name) {
    ASSERT_EQ(d.scale(), goldenScale);
    testing_support::expectGolden(d, name);
}

enum class State { Idle, Held, Focused, Disabled };
const char* const STATE_NAMES[] = {"idle", "held", "focused", "disabled"};

// Renders a widget scene in a w x h window in the given state and checks it. The widget is
// pressed at (px, py) for Held; the first Tab focuses it for Focused.
void checkStates(const std::string& name, int w, int h, int px, int py,
                 const std::function<void(Host&, bool enabled)>& widget) {
    for (State s : {State::Idle, State::Held, State::Focused, State::Disabled}) {
        Hosted win(w, h, false, goldenScale);
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

void pushButton() {
    checkStates("push_button", 104, 50, 30, 25, [](Host& h, bool enabled) {
        Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
        b.setPos(10.0f, 10.0f);
        h.glColor(gui::orbopal::OKButton);
        h.doPushButton(L"OK", enabled);
    });
}

TEST(Golden, PushButtons) {
    pushButton();
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
    Hosted win(240, 130, false, goldenScale);
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

// Chinese, Japanese and Korean, from the fallback font the scripts install.
void cjkLabels() {
    Hosted win(240, 70, false, goldenScale);
    win->scene = [](Host& h) {
        const wchar_t* lines[] = {L"\x4F60\x597D\xFF0C\x4E16\x754C",             // Chinese
                                  L"\x3053\x3093\x306B\x3061\x306F\x4E16\x754C", // Japanese
                                  L"\xC548\xB155\xD558\xC138\xC694"};            // Korean
        for (int i = 0; i < 3; ++i) {
            Box b(h.ui(), 220.0f, 20.0f);
            b.setPos(10.0f, 5.0f + 20.0f * static_cast<float>(i));
            h.doLabel(lines[i]);
        }
    };
    win.driver->paint();
    expectGolden(*win.driver, "labels_cjk");
}

// The status band: a status that fits as it always was, and a longer one ending in "...".
void statusTexts() {
    for (const auto& [name, status] :
         {std::pair{"status_fits", L"12 words"},
          std::pair{"status_cut", L"12 words \x2022 modified \x2022 303 of 1200 notes"}}) {
        Hosted win(320, 120, true, goldenScale);
        win->setStatus(status);
        win.driver->paint();
        expectGolden(*win.driver, name);
    }
}

TEST(Golden, LabelsInChineseJapaneseAndKorean) {
    cjkLabels();
}

TEST(Golden, StatusTextFitsItsArea) {
    statusTexts();
}

void windowChrome() {
    Hosted win(640, 480, true, goldenScale);
    win->SetTitle(L"Golden window");
    win->setStatus(L"Ready");
    win.driver->paint();
    expectGolden(*win.driver, "chrome");
}

TEST(Golden, WindowChrome) {
    windowChrome();
}

void lineEdits(const std::vector<std::string>& only = {}) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    struct Case {
        const char* name;
        const wchar_t* text;
        bool focused, select, enabled;
        int anchor = -1, caret = -1; // where given, the selection instead of the text's end
    } cases[] = {{"line_edit_unfocused", L"Some text", false, false, true},
                 {"line_edit_focused", L"Some text", true, false, true},
                 {"line_edit_selection", L"Some selected text", true, true, true},
                 {"line_edit_scrolled", L"A line of text much longer than its field is wide", true,
                  false, true},
                 {"line_edit_disabled", L"Some text", false, false, false},
                 // Right-aligned, the caret inside the first word on the right.
                 {"line_edit_rtl_caret", L"\x5E9\x5DC\x5D5\x5DD \x5E2\x5D5\x5DC\x5DD", true, false,
                  true, 2, 2},
                 // From the Latin word into the Hebrew one: two pieces, apart.
                 {"line_edit_rtl_selection", L"abc \x5E9\x5DC\x5D5\x5DD \x5E2\x5D5\x5DC\x5DD", true,
                  false, true, 1, 6}};
    for (const Case& c : cases) {
        if (!only.empty() && std::find(only.begin(), only.end(), c.name) == only.end())
            continue;
        gui::TextState state(font, c.text);
        state.caretEnd(false);
        if (c.select) {
            state.prevWord(false);
            state.prevWord(true);
        }
        if (c.caret >= 0)
            state.setSelection(static_cast<unsigned>(c.anchor), static_cast<unsigned>(c.caret));
        Hosted win(220, 40, false, goldenScale);
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

TEST(Golden, LineEdits) {
    lineEdits();
}

// An input method composing at the caret: its pre-edit underlined after the text, its cursor
// as the caret; the text itself unchanged.
TEST(Golden, LineEditComposing) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    gui::TextState state(font, L"Some text");
    state.caretEnd(false);
    Hosted win(220, 40, false, goldenScale);
    win->scene = [&](Host& h) {
        Box row(h.ui(), 200.0f, 30.0f);
        row.setPos(4.0f, 4.0f);
        h.doLineEdit(ControlID(L"field"), state, L"Field", 0.0f);
    };
    win.driver->paint();
    win.driver->context()->setPreedit(L"u4e2d", 5);
    win.driver->paint();
    expectGolden(*win.driver, "line_edit_composing");
    EXPECT_EQ(state.text(), L"Some text");
    win.driver->context()->setPreedit(L"", 0);
}

void checkboxValues();

TEST(Golden, Checkboxes) {
    // Held and focused through the driver; unchecked, checked and disabled side by side.
    checkStates("checkbox", 130, 34, 20, 17, [](Host& h, bool enabled) {
        bool value = false; // anew each pass: every state shows it unchecked
        Box row(h.ui(), 120.0f, 26.0f);
        row.setPos(4.0f, 4.0f);
        h.doCheckbox(ControlID(L"check"), value, L"Remember", nullptr, nullptr, enabled);
    });
    checkboxValues();
}

void checkboxValues() {
    Hosted win(130, 120, false, goldenScale);
    win->scene = [](Host& h) {
        const struct {
            bool value, enabled;
        } rows[] = {{false, true}, {true, true}, {false, false}, {true, false}};
        for (int i = 0; i < 4; ++i) {
            Box row(h.ui(), 120.0f, 26.0f);
            row.setPos(4.0f, 4.0f + 28.0f * static_cast<float>(i));
            bool v = rows[i].value;
            h.doCheckbox(ControlID(std::to_wstring(i)), v, L"Remember", nullptr, nullptr,
                         rows[i].enabled);
        }
    };
    win.driver->paint();
    expectGolden(*win.driver, "checkbox_values");
}

void radioButtons() {
    Hosted win(130, 110, false, goldenScale);
    win->scene = [](Host& h) {
        static const wchar_t* const labels[] = {L"Small", L"Large"};
        const wchar_t* selected = labels[1];
        for (bool enabled : {true, false}) {
            Box group(h.ui(), 120.0f, 48.0f);
            group.setPos(4.0f, enabled ? 4.0f : 56.0f);
            h.doRadioEasy(selected, 2, labels, enabled);
        }
    };
    win.driver->paint();
    expectGolden(*win.driver, "radio");
    // Tab reaches the group at its selected button, which shows the focus border.
    win.driver->press(WXK_TAB);
    win.driver->settle();
    expectGolden(*win.driver, "radio_focused");
}

TEST(Golden, RadioButtons) {
    radioButtons();
}

TEST(Golden, ScrollBars) {
    // At the top, in the middle, at the bottom and disabled; then dragged 40 pixels down.
    Hosted win(110, 150, false, goldenScale);
    int positions[4] = {0, 45, 90, 45};
    float drag[4][2] = {};
    win->scene = [&](Host& h) {
        for (int i = 0; i < 4; ++i) {
            Box list(h.ui(), 24.0f, 140.0f);
            list.setPos(4.0f + 26.0f * static_cast<float>(i), 4.0f);
            h.doVScroll(ControlID(std::to_wstring(i)), positions[i], 10, drag[i][0], drag[i][1], 0,
                        99, i != 3);
        }
    };
    win.driver->paint();
    expectGolden(*win.driver, "scroll_bar");
    // The middle bar's thumb (the box named "1") is dragged 40 pixels down and held there.
    const wxRect thumb = win.driver->rect(L"1");
    const int x = thumb.x + 10, y = thumb.y + 5;
    win.driver->mouseMove(x, y);
    win.driver->leftDown(x, y);
    win.driver->mouseMove(x, y + 40);
    win.driver->paint();
    expectGolden(*win.driver, "scroll_bar_dragging");
    EXPECT_EQ(positions[1], 89); // the thumb 41 + 40 of 82 pixels down: 81 / 82 of 90 rows
    win.driver->leftUp(x, y + 40);
    win.driver->focus(L"2");
    win.driver->paint();
    expectGolden(*win.driver, "scroll_bar_focused");
}

void sliders(const std::vector<const char*>& states) {
    for (const char* state : states) {
        Hosted win(220, 40, false, goldenScale);
        float value = 25.0f, preview = 0.0f;
        const bool enabled = std::string(state) != "disabled";
        win->scene = [&](Host& h) {
            Box row(h.ui(), 200.0f, 32.0f);
            row.setPos(10.0f, 4.0f);
            h.doHSlider(ControlID(L"volume"), value, preview, L"Volume", enabled);
        };
        win.driver->paint();
        if (std::string(state) == "focused")
            win.driver->focus(L"volumedragger");
        if (std::string(state) == "dragging") {
            const wxRect knob = win.driver->rect(L"volumedragger");
            win.driver->mouseMove(knob.x + 5, 20);
            win.driver->leftDown(knob.x + 5, 20);
            win.driver->mouseMove(knob.x + 85, 20);
        }
        win.driver->paint();
        expectGolden(*win.driver, std::string("slider_") + state);
    }
}

TEST(Golden, Sliders) {
    sliders({"idle", "dragging", "disabled", "focused"});
}

void progressBars() {
    // 0 %, a true width of 16 pixels (half the stub), 50 % and 100 % of a 200-pixel bar.
    Hosted win(220, 150, false, goldenScale);
    win->scene = [](Host& h) {
        const float values[] = {0.0f, 8.0f, 50.0f, 100.0f};
        for (int i = 0; i < 4; ++i) {
            Box row(h.ui(), 200.0f, 32.0f);
            row.setPos(10.0f, 4.0f + 36.0f * static_cast<float>(i));
            h.glColor(gui::orbopal::OKButton);
            h.doProgress(ControlID(std::to_wstring(i)), values[i], L"Done");
        }
    };
    win.driver->paint();
    expectGolden(*win.driver, "progress");
}

TEST(Golden, ProgressBars) {
    progressBars();
}

void comboBoxes(const std::vector<const char*>& states) {
    static const wchar_t* const labels[] = {L"Apple",      L"Banana", L"Cherry", L"Damson",
                                            L"Elderberry", L"Fig",    L"Grape"};
    for (const char* state : states) {
        const std::string s = state;
        Hosted win(220, 180, false, goldenScale);
        bool open = false;
        const wchar_t* selected = labels[1];
        int first = s == "scrolled" ? 2 : 0;
        float dragTop = 0, dragMouse = 0;
        win->scene = [&](Host& h) {
            Box row(h.ui(), 200.0f, 28.0f);
            row.setPos(10.0f, 10.0f);
            if (s == "scrolled")
                h.doScrollComboBoxEasy(ControlID(L"fruit"), open, selected, 7, labels, true, first,
                                       dragTop, dragMouse);
            else
                h.doComboBoxEasy(ControlID(L"fruit"), open, selected, 4, labels, s != "disabled");
        };
        win.driver->paint();
        if (s == "open" || s == "scrolled" || s == "highlighted")
            win.driver->click(L"fruit");
        if (s == "highlighted")
            win.driver->press(WXK_DOWN); // from Banana on to Cherry
        if (s == "focused")
            win.driver->press(WXK_TAB);
        win.driver->mouseMove(218, 178);
        win.driver->paint();
        expectGolden(*win.driver, "combo_box_" + s);
    }
}

TEST(Golden, ComboBoxes) {
    comboBoxes({"closed", "open", "scrolled", "focused", "disabled", "highlighted"});
}

// List views: selection with the pointer over another row, the focused list with a selection,
// every other row shaded, disabled, and empty.
void listViews(const std::vector<std::string>& states) {
    for (const std::string& state : states) {
        Hosted win(220, 140, false, goldenScale);
        gui::ListState list;
        gui::ListOptions options;
        options.selection = gui::LIST_SELECT_MULTIPLE;
        options.alternate = state == "alternate";
        options.emptyText = L"Nothing to do";
        std::set<int> selection{1, 2};
        const int count = state == "empty" ? 0 : 40;
        win->scene = [&](Host& h) {
            Box area(h.ui(), 200.0f, 122.0f);
            area.setPos(10.0f, 10.0f);
            h.doList(
                ControlID(L"list"), list, count, selection,
                [&](int row, bool) {
                    Box text(h.ui(), gui::FILL, gui::FILL);
                    text.setLeft(6.0f);
                    h.doLabel((L"Task " + std::to_wstring(row + 1)).c_str(), state != "disabled");
                },
                options, state != "disabled");
        };
        win.driver->paint();
        if (state == "focused") {
            win.driver->focus(L"list");
            win.driver->press(WXK_DOWN, wxMOD_SHIFT);
        }
        win.driver->mouseMove(100, 11 + 20 * 4 + 5); // over row 4: its hover
        win.driver->paint();
        expectGolden(*win.driver, "list_" + state);
    }
}

// A text area: the caret on a wrapped line, a selection over three lines, and the scroll bar
// of a text taller than the area.
void textAreas(const std::vector<std::string>& states) {
    wxFont font(wxFontInfo(11).FaceName("Arial"));
    for (const std::string& state : states) {
        Hosted win(240, 120, false, goldenScale);
        std::wstring text = L"Notes wrap at word boundaries to the width of the area.\nA second "
                            L"paragraph follows the first.";
        if (state == "scrolled")
            for (int i = 1; i <= 12; ++i)
                text += L"\nLine " + std::to_wstring(i);
        if (state == "rtl") // a Hebrew paragraph, right-aligned, then a mixed one
            text = L"\x5E9\x5DC\x5D5\x5DD \x5E2\x5D5\x5DC\x5DD, \x5D6\x5D5\x5D4\x5D9 "
                   L"\x5E4\x5E1\x5E7\x5D4 \x5D1\x5E2\x5D1\x5E8\x5D9\x5EA "
                   L"\x5E9\x5E0\x5E9\x5D1\x5E8\x5EA \x5D1\x5D9\x5DF "
                   L"\x5DE\x5D9\x5DC\x5D9\x5DD \x5DC\x5E4\x5D9 \x5E8\x5D5\x5D7\x5D1 "
                   L"\x5D4\x5E9\x5D8\x5D7.\nMixed: abc \x5E9\x5DC\x5D5\x5DD 42 def";
        gui::TextAreaState notes(font, text.c_str());
        win->scene = [&](Host& h) {
            Box area(h.ui(), 220.0f, 100.0f);
            area.setPos(10.0f, 10.0f);
            h.doTextArea(ControlID(L"notes"), notes);
        };
        win.driver->paint();
        win.driver->focus(L"notes");
        win.driver->press(WXK_HOME, wxMOD_CONTROL);
        for (int i = 0; i < 8; ++i)
            win.driver->press(WXK_RIGHT);
        win.driver->press(WXK_DOWN);
        if (state == "selection" || state == "rtl") {
            win.driver->press(WXK_DOWN, wxMOD_SHIFT);
            win.driver->press(WXK_DOWN, wxMOD_SHIFT);
        }
        if (state == "scrolled")
            win.driver->press(WXK_END, wxMOD_CONTROL);
        if (state == "composing")
            win.driver->context()->setPreedit(L"u4e2d", 5);
        win.driver->mouseMove(238, 118);
        win.driver->paint();
        expectGolden(*win.driver, "text_area_" + state);
        win.driver->context()->setPreedit(L"", 0);
    }
}

// The same scenes at device scale 2: sharp edges and text, proportions kept.
TEST(Golden, AtTwiceTheScale) {
    AtScale two(2);
    windowChrome();
    pushButton();
    checkboxValues();
    radioButtons();
    comboBoxes({"open"});
    sliders({"idle", "dragging"});
    progressBars();
    lineEdits({"line_edit_selection", "line_edit_rtl_selection"});
    listViews({"focused"});
    textAreas({"selection"});
    cjkLabels();
    statusTexts();
}

using gui::FILL;

// A form with an advanced section, as a host would write it.
class FormDialog : public gui::Dialog {
public:
    FormDialog()
        : gui::Dialog(static_cast<wxWindow*>(nullptr), L"Account", 420, 300, true, true, true,
                      false, gui::NO_SCALE_WINDOW) {
        setExpandoSplit(200);
        setExpandoHeight(90);
    }
    gui::TextState name{textFont_, L"Ada"};
    bool remember = true, verbose = false;
    void doScene() override {
        {
            Box row(ui_, FILL, 28.0f);
            doLineEdit(ControlID(L"name"), name, L"Name", 0.0f);
        }
        {
            Box row(ui_, FILL, 24.0f);
            row.setTop(40.0f);
            doCheckbox(remember, L"Remember me", true);
        }
        isOK(checkboxCheck_, true);
    }
    void doAdvanced() override {
        Box row(ui_, FILL, 24.0f);
        row.setTop(8.0f);
        row.setLeft(8.0f);
        doCheckbox(verbose, L"Verbose log", true);
    }
};

} // namespace

TEST(Golden, DialogCollapsedAndExpanded) {
    auto dlg = boost::make_shared<FormDialog>();
    orbotk::Driver d(dlg->window());
    d.resize(420, 300);
    d.paint();
    d.mouseMove(2, 298);
    d.paint();
    expectGolden(d, "dialog_collapsed");
    d.click(L"Show Advanced");
    d.resize(420, 390);
    d.mouseMove(2, 388);
    d.paint();
    expectGolden(d, "dialog_expanded");
    dlg->Close(true);
    wxTheApp->ProcessIdle();
}

TEST(Golden, ListViews) {
    listViews({"selection", "focused", "alternate", "disabled", "empty"});
}

TEST(Golden, TextAreas) {
    textAreas({"caret", "selection", "scrolled", "composing", "rtl"});
}

// A brand set once: its logo, name and notice in a window, a dialog and a message box; and a
// message box that shows no logo.
TEST(Golden, ABrandShowsInEveryKindOfWindow) {
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1280, 1024));
    wxImage picture(30, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool ring = std::abs(std::hypot(x - 14.5, y - 14.5) - 11.0) < 3.0;
            picture.SetRGB(x, y, ring ? 200 : 255, ring ? 60 : 255, ring ? 40 : 255);
        }
    gui::Brand brand;
    brand.logo = gui::Brand::Logo::Own;
    brand.image = gui::Image(picture);
    brand.name = L"Todo";
    brand.notice = L"\u00a9 Todo makers";
    gui::setBrand(brand);
    {
        Hosted win(420, 200, true, goldenScale);
        win->SetTitle(L"Todo");
        win->setStatus(L"3 left");
        win.driver->paint();
        expectGolden(*win.driver, "brand_window");
    }
    auto dlg = boost::make_shared<FormDialog>();
    {
        orbotk::Driver d(dlg->window());
        d.resize(420, 300);
        d.mouseMove(2, 298);
        d.paint();
        expectGolden(d, "brand_dialog");
    }
    dlg->Close(true);
    for (bool logo : {true, false}) {
        brand.logoInMessageBoxes = logo;
        gui::setBrand(brand);
        testing_support::expectMessageBoxGolden(
            L"Todo", L"Delete 2 done items?", wxYES_NO | wxICON_QUESTION,
            logo ? "brand_message_box" : "brand_message_box_without_logo");
    }
    gui::setBrand(gui::Brand());
    wxTheApp->ProcessIdle();
    orbotk::Screen::clearOverride();
}

TEST(Golden, MessageBoxes) {
    // The wrap width follows the screen: fixed here so the pictures do not depend on it.
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1280, 1024));
    struct Case {
        const char* name;
        int style;
        const wchar_t* message;
    } cases[] = {
        {"information", wxOK | wxICON_INFORMATION, L"The file was saved."},
        {"question", wxYES_NO | wxICON_QUESTION, L"Replace the existing file?"},
        {"warning", wxYES_NO | wxCANCEL | wxICON_EXCLAMATION,
         L"The disk is almost full.\r\nSave anyway?"},
        {"error", wxOK | wxICON_ERROR, L"The file could not be opened."},
    };
    for (const Case& c : cases)
        testing_support::expectMessageBoxGolden(L"Files", c.message, c.style,
                                                std::string("message_box_") + c.name);
    orbotk::Screen::clearOverride();
}
