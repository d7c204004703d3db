// What the public calls do with the bad values a host can pass them: null texts, non-finite
// numbers, empty and reversed ranges, counts and positions outside their lists, geometry far
// beyond any screen, unknown resources and fonts, windows of no size. Each group drives the
// calls through painted and clicked passes, where a crash, a sanitizer report or a failed pass
// would show.
#include "gui/box.h"
#include "gui/image.h"
#include "gui/line_edit.h"
#include "gui/list_view.h"
#include "gui/number_field.h"
#include "gui/render.h"
#include "gui/split.h"
#include "gui/tabs.h"
#include "gui/text_area.h"
#include "gui/text_state.h"
#include "harness.h"
#include "widget_host.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <vector>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Host;
using testing_support::Hosted;
using testing_support::LogCapture;

namespace {

const float NaN = std::numeric_limits<float>::quiet_NaN();
const float INF = std::numeric_limits<float>::infinity();

// Paints, then clicks and drags across the whole window and presses the keys that work
// widgets, painting between; what the scene does with its values is left for the caller to see.
void workOver(orbotk::Driver& d) {
    d.paint();
    for (int y = 4; y < d.height(); y += 12)
        for (int x = 4; x < d.width(); x += 24) {
            d.click(x, y);
            d.paint();
        }
    d.leftDown(10, 10);
    d.mouseMove(d.width() - 5, d.height() - 5);
    d.leftUp(d.width() - 5, d.height() - 5);
    d.press(WXK_TAB);
    d.press(WXK_DOWN);
    d.press(WXK_RETURN);
    d.typeText(L"x");
    d.paint();
}

// Every call that takes a text, given null (or, to compare, the empty text). Where null has a
// meaning (no caption, no tooltip, no label column) it is that; where a text is required
// (captions that name a control, a text model's first text, a combo box's choice), null is
// taken as the empty text.
struct TextScene {
    const wchar_t* text;
    bool labelsOnly = false;
    bool flag = false;
    bool open = false;
    int first = 0;
    float slider = 50, drag = 0, dragTop = 0, dragMouse = 0, indent = 0, wrapped = 0;
    const wchar_t* selected = L"none";             // not one of the labels, in either run
    wxFont font{wxFontInfo(11).FaceName("Arial")}; // a text model keeps a reference to its font
    gui::TextState state{font, text};

    void operator()(Host& h) {
        const wchar_t* labels[] = {text, text, text};
        auto row = [&](float y) {
            Box b(h.ui(), -0.0f, 24.0f);
            b.setY(y);
            return b;
        };
        {
            Box b = row(0);
            h.doLabel(text);
        }
        {
            Box b = row(24);
            h.doLabelFit(text, true, false);
        }
        {
            Box b = row(48);
            h.doLabelCenter(text, true, true);
        }
        {
            Box b = row(72);
            h.doLabelRight(text);
        }
        {
            Box b = row(96);
            indent = 0;
            h.doLabelIndent(indent, 0, text);
        }
        {
            Box b = row(120);
            h.doTextWrap(wrapped, text);
        }
        {
            Box b = row(144);
            const wchar_t* none = nullptr;
            h.doCombo(text, none, true);
        }
        {
            Box b = row(170);
            b.setWidth(200);
            const wchar_t* choice = text;
            h.doComboBoxEasy(ControlID(L"c0"), open, choice, 0, labels, true);
        }
        if (labelsOnly)
            return;
        {
            Box b = row(200);
            h.doPushButton(text, true);
        }
        {
            Box b = row(236);
            h.doButton(h.play1_, text, text);
        }
        {
            Box b = row(272);
            h.doLink(text, text, true);
        }
        {
            Box b = row(296);
            h.doCheckbox(flag, text, true);
        }
        {
            Box b = row(320);
            h.doRadio(flag, text, text, text, true);
        }
        {
            Box b = row(344);
            h.doRadioEasy(selected, 3, labels, true);
        }
        {
            Box b = row(416);
            h.doLineEdit(state, text, 0);
        }
        {
            Box b = row(448);
            h.doHSlider(ControlID(L"s"), slider, drag, text, true);
        }
        {
            Box b = row(484);
            h.doProgress(40, text);
            h.doToolTip(text);
        }
        {
            Box b = row(520);
            b.setWidth(200);
            h.doScrollComboBoxEasy(ControlID(L"c"), open, selected, 3, labels, true, first, dragTop,
                                   dragMouse);
        }
    }
};

TEST(BadArguments, NullTextsMeanWhatTheySayOrTheEmptyText) {
    std::vector<std::vector<orbo::tk::RGBA>> frames;
    for (const wchar_t* text :
         {static_cast<const wchar_t*>(L""), static_cast<const wchar_t*>(nullptr)}) {
        Hosted w(320, 600);
        TextScene scene{text};
        scene.labelsOnly = true;
        w->scene = std::ref(scene);
        w.driver->paint();
        frames.push_back(w.driver->pixels());
    }
    EXPECT_TRUE(frames[0] == frames[1]) << "required texts given null draw unlike empty ones";

    Hosted w(320, 600);
    TextScene scene{nullptr};
    w->scene = std::ref(scene);
    LogCapture log;
    workOver(*w.driver);
    EXPECT_EQ(log.text(), "") << "a pass failed on a null text";
    gui::TextState model(scene.font, nullptr);
    EXPECT_EQ(model.text(), L"");
    model.type(std::wstring(L"ab"));
    EXPECT_EQ(model.text(), L"ab") << "a text model made from null is empty and editable";
}

// Sliders, scroll bars and progress bars given ranges that hold nothing, values outside them
// and numbers that are not numbers.
TEST(BadArguments, EmptyReversedAndNonFiniteRangesKeepEveryValueInside) {
    struct Slider {
        float value, min, max;
        int drops = 0;
    };
    std::vector<Slider> sliders = {{50, NaN, 100}, {50, 0, INF},        {50, 10, 10},
                                   {50, 80, 20},   {50, -3e38f, 3e38f}, {NaN, 0, 100}};
    struct Scroll {
        int pos, visible, min, max;
        float dragTop, dragMouse;
    };
    std::vector<Scroll> scrolls = {{1000, 5, 0, 20, 0, 0},         {-50, 5, 0, 20, NaN, INF},
                                   {0, 1, INT_MIN, INT_MAX, 0, 0}, {INT_MAX, 0, 0, INT_MAX, 0, 0},
                                   {7, -4, 0, 20, 0, 0},           {3, 5, 20, 0, 0, 0}};
    Hosted w(700, 480);
    w->scene = [&](Host& h) {
        for (size_t i = 0; i < sliders.size(); ++i) {
            Box b(h.ui(), 300.0f, 40.0f);
            b.setY(40.0f * static_cast<float>(i));
            Slider& s = sliders[i];
            float drag = 0;
            s.drops += h.doHSlider(ControlID(L"slider" + std::to_wstring(i)), s.value, drag, s.min,
                                   s.max, nullptr, true);
            h.doProgress(s.value, s.min, s.max, nullptr);
        }
        for (size_t i = 0; i < scrolls.size(); ++i) {
            Box b(h.ui(), 60.0f, 200.0f);
            b.setPos(320.0f + 62.0f * static_cast<float>(i), 0);
            Scroll& s = scrolls[i];
            h.doVScroll(ControlID(L"scroll" + std::to_wstring(i)), s.pos, s.visible, s.dragTop,
                        s.dragMouse, s.min, s.max, true);
        }
    };
    LogCapture log;
    w.driver->paint();
    // Each knob dragged from where it rests to the far right of its slider.
    for (size_t i = 0; i < sliders.size(); ++i) {
        const wxRect knob = w.driver->rect(L"slider" + std::to_wstring(i) + L"dragger");
        const wxPoint c(knob.x + knob.width / 2, knob.y + knob.height / 2);
        w.driver->leftDown(c.x, c.y);
        w.driver->mouseMove(290, c.y);
        w.driver->leftUp(290, c.y);
        w.driver->paint();
    }
    EXPECT_EQ(scrolls[0].pos, 16) << "a first row past the end moves back to the last page";
    EXPECT_EQ(scrolls[1].pos, 0);
    EXPECT_EQ(scrolls[1].dragTop, 0) << "a drag state that is not a number is no drag";
    EXPECT_EQ(scrolls[5].pos, 3) << "max below min is an empty list: no bar, pos untouched";
    workOver(*w.driver);
    EXPECT_EQ(log.text(), "");

    for (size_t i = 0; i + 1 < sliders.size(); ++i) {
        EXPECT_EQ(sliders[i].drops, 0) << "slider " << i << " committed from a range without room";
        EXPECT_EQ(sliders[i].value, 50) << "slider " << i;
    }
    EXPECT_EQ(sliders.back().drops, 1) << "a NaN value with a good range is dragged like any";
    EXPECT_TRUE(sliders.back().value >= 0 && sliders.back().value <= 100) << sliders.back().value;

    // Clicked and dragged all over, every first row still lies in its list (a page of no
    // rows counts as one row).
    for (size_t i = 0; i + 1 < scrolls.size(); ++i) {
        const Scroll& s = scrolls[i];
        const std::int64_t last = static_cast<std::int64_t>(s.max) - std::max(s.visible, 1) + 1;
        EXPECT_TRUE(s.pos >= s.min && s.pos <= last) << "scroll bar " << i << ": " << s.pos;
    }
}

TEST(BadArguments, NewerWidgetsMendNonsenseCountsLimitsPositionsAndTexts) {
    struct Split {
        float position;
        gui::SplitOptions options;
    };
    std::vector<Split> splits(4);
    splits[0].position = NaN;
    splits[0].options.minFirst = NaN;
    splits[0].options.minSecond = -5;
    splits[1].position = INF;
    splits[1].options.minFirst = 1e9f; // more than the box holds
    splits[2].position = -50;
    splits[2].options.defaultPosition = NaN;
    splits[3].position = NaN;
    splits[3].options.defaultPosition = 60;
    int tabs[3] = {99, -4, 7};
    const std::vector<std::wstring> captions = {L"A", L"B", L"C"}, none;
    struct Number {
        double value;
        gui::NumberOptions options;
    };
    std::vector<Number> numbers(4);
    numbers[0] = {5, {}};
    numbers[0].options.minimum = 100, numbers[0].options.maximum = 0; // reversed
    numbers[0].options.step = std::nan("");
    numbers[1] = {1e300, {}};
    numbers[1].options.maximum = 1e308, numbers[1].options.decimals = 99;
    numbers[2] = {std::nan(""), {}};
    numbers[3] = {5, {}};
    numbers[3].options.minimum = numbers[3].options.maximum = std::nan("");
    numbers[3].options.step = std::numeric_limits<double>::infinity();
    gui::ListState list;
    std::set<int> chosen{-3, 2};
    // Lone surrogates, direction overrides and isolates that never end, across lines.
    const wchar_t* odd = L"\xD800a\x202Eb\xDFFF\x202Dc\x2067d\n\x202Be\xDC00";
    wxFont font{wxFontInfo(11).FaceName("Arial")};
    gui::TextState field(font, odd);
    gui::TextAreaState area(font, odd);
    Hosted w(700, 480);
    w->scene = [&](Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        for (size_t i = 0; i < splits.size(); ++i) {
            Box b(h.ui(), 160.0f, 60.0f);
            b.setPos(170.0f * static_cast<float>(i), 0);
            gui::doSplit(
                ui, ControlID(L"split" + std::to_wstring(i)), splits[i].position, splits[i].options,
                [] {}, [] {});
        }
        for (int i = 0; i < 3; ++i) {
            Box b(h.ui(), 200.0f, 24.0f);
            b.setPos(210.0f * static_cast<float>(i), 70);
            gui::TabsOptions o;
            o.shortcuts = i == 0; // one strip has the window's keys
            gui::doTabs(ui, ControlID(L"tabs" + std::to_wstring(i)), tabs[i],
                        i == 2 ? none : captions, o);
        }
        for (size_t i = 0; i < numbers.size(); ++i) {
            Box b(h.ui(), 160.0f, 28.0f);
            b.setPos(170.0f * static_cast<float>(i), 100);
            gui::doNumberField(ui, ControlID(L"number" + std::to_wstring(i)), numbers[i].value,
                               L"N", numbers[i].options);
        }
        {
            Box b(h.ui(), 200.0f, 100.0f);
            b.setPos(0, 140);
            gui::ListOptions o;
            o.rowHeight = NaN;
            gui::doList(
                ui, ControlID(L"list"), list, -5, chosen, [](int, bool) {}, o);
        }
        {
            Box b(h.ui(), 300.0f, 28.0f);
            b.setPos(220, 140);
            gui::doLineEdit(ui, ControlID(L"field"), field, L"Odd", 40.0f);
        }
        Box b(h.ui(), 300.0f, 120.0f);
        b.setPos(220, 180);
        gui::doTextArea(ui, ControlID(L"area"), area);
    };
    LogCapture log;
    gui::setLook(static_cast<gui::LookStyle>(7)); // no such look: the light one
    EXPECT_EQ(gui::lookStyle(), gui::LookStyle::Light);
    w.driver->paint();
    EXPECT_EQ(splits[1].position, 154) << "a minimum past the box gives the first pane all of it";
    EXPECT_EQ(splits[3].position, 60) << "a position that is no number starts at the default";
    EXPECT_EQ(tabs[0], 2);
    EXPECT_EQ(tabs[1], 0);
    EXPECT_EQ(tabs[2], 0) << "no tabs: the first, which is none";
    for (const wchar_t* name : {L"field", L"area", L"number0", L"number2", L"number3"}) {
        w.driver->click(name);
        for (int key : {WXK_END, WXK_LEFT, WXK_BACK, WXK_UP, WXK_HOME, WXK_DELETE, WXK_RIGHT})
            w.driver->press(key);
        w.driver->press(WXK_RIGHT, wxMOD_SHIFT);
        w.driver->typeText(L"\x05D0");
    }
    workOver(*w.driver);
    EXPECT_EQ(log.text(), "");
    for (size_t i = 0; i < splits.size(); ++i)
        EXPECT_TRUE(splits[i].position >= 0 && splits[i].position <= 160) << splits[i].position;
    for (int t : tabs)
        EXPECT_TRUE(t >= 0 && t <= 2) << t;
    EXPECT_TRUE(numbers[0].value == 5 || numbers[0].value == 100)
        << "reversed limits hold the minimum, once the value is set: " << numbers[0].value;
    EXPECT_EQ(numbers[3].value, 5) << "an infinite step moves nothing";
    EXPECT_EQ(numbers[1].value, 1e300);
    EXPECT_TRUE(std::isnan(numbers[2].value)) << "changed only by what the user commits";
    EXPECT_EQ(list.focused, 0);
    EXPECT_LE(field.caret(), field.len());
    EXPECT_LE(area.caret(), area.len());
}

// Boxes placed with NaN, the infinities and values past the int range, and images asked to
// draw where their view has no pixels.
TEST(BadArguments, GeometryBeyondAnyScreenSaturatesAndImagesReadOnlyTheirView) {
    testing_support::Scene scene(40, 30);
    const float LIMIT = 536870912.0f; // 2^29
    scene.show([&](const boost::shared_ptr<orbotk::UIContext>& ui) {
        Box b(ui, NaN, INF);
        EXPECT_EQ(b.w(), 0);
        EXPECT_EQ(b.h(), LIMIT);
        b.setPos(-INF, 3e38f);
        EXPECT_EQ(b.x(), -LIMIT);
        EXPECT_EQ(b.y(), LIMIT);
        b.setLeft(NaN); // NaN is 0, never "negative": the parent's near edge
        EXPECT_EQ(b.x(), 0);
        b.setWidth(-INF); // negative: the parent's width less an infinity
        EXPECT_EQ(b.w(), -LIMIT + 40);
        b.setRight(-3e38f);
        b.setBottom(INF);
        b.setCenterX();
        EXPECT_TRUE(b.x() >= -LIMIT && b.x() <= LIMIT);
    });

    // A 9 x 7 buffer with a 3 x 2 view at (2, 1), every pixel opaque grey 0x80.
    gui::Image base{wxImage(9, 7)};
    std::vector<unsigned char> grey(9 * 7 * 4, 0x80);
    for (size_t i = 3; i < grey.size(); i += 4)
        grey[i] = 255;
    base.data(9, 7, grey.data());
    const gui::Image view(base, 2, 1, 3, 2);
    auto countModulated = [&](const gui::Image& image, bool stretch) {
        scene.show([&](const boost::shared_ptr<orbotk::UIContext>& ui) {
            Box b(ui, 20.0f, 20.0f);
            const orbo::tk::RGBA white(0xFFFFFFFFu);
            ui->setColour(white);
            if (stretch) {
                gui::render(ui, image);
                gui::render(ui, white);
            } else {
                gui::renderNoBlend(ui, white);
                ui->setColour(white);
                gui::renderModulate(ui, image);
            }
        });
        int n = 0;
        for (orbo::tk::RGBA p : scene.driver->pixels())
            n += p.word != 0xFFFFFFFFu && p.word != 0;
        return n;
    };
    EXPECT_EQ(countModulated(view, false), 3 * 2) << "a box larger than the view gets the view";
    EXPECT_EQ(countModulated(view, true), 20 * 20);
    for (const gui::Image& past : {gui::Image(base, 7, 5, 4, 4), gui::Image(base, -2, 0, 3, 3),
                                   gui::Image(base, 9, 0, 0, 3), gui::Image()}) {
        EXPECT_EQ(countModulated(past, false), 0) << "a view past its buffer draws nothing";
        EXPECT_EQ(countModulated(past, true), 0);
    }

    // A text shifted by NaN is not shifted.
    const wxFont font(wxFontInfo(11).FaceName("Arial"));
    std::vector<std::vector<orbo::tk::RGBA>> frames;
    for (float offset : {0.0f, NaN, INF}) {
        scene.show([&](const boost::shared_ptr<orbotk::UIContext>& ui) {
            ui->setColour(orbo::tk::RGBA(0xFF000000u));
            gui::render(ui, font, L"Ag", offset);
        });
        frames.push_back(scene.driver->pixels());
    }
    EXPECT_TRUE(frames[0] == frames[1]);
}

// Resources and fonts that are not there.
TEST(BadArguments, MissingResourcesAndFontsGiveTheirDocumentedOutcome) {
    {
        wxLogNull quiet; // the resource loader reports the name through wxWidgets' log
        EXPECT_FALSE(wxXmlResource::Get()->LoadBitmap("NO_SUCH_RESOURCE").IsOk());
    }
    // A face the machine does not have falls back to the default face: text still shows.
    Hosted w(200, 40);
    const wxFont missing(wxFontInfo(12).FaceName("No Such Face 123"));
    gui::shape_t shape;
    w->scene = [&](Host& h) {
        shape = gui::getTextShape(h.ui(), L"Hello", missing);
        h.doLabel(L"Hello", missing);
    };
    w.driver->paint();
    EXPECT_GT(shape.width, 10);
    EXPECT_FALSE(testing_support::drewNothing(*w.driver));
}

// A window of no size runs its passes and draws nothing; events still arrive.
TEST(BadArguments, AWindowOfNoSizeRunsItsPassesAndDrawsNothing) {
    Hosted w(0, 0);
    TextScene scene{L"text"};
    w->scene = std::ref(scene);
    LogCapture log;
    workOver(*w.driver);
    EXPECT_EQ(w.driver->width() * w.driver->height(), 0);
    EXPECT_EQ(log.text(), "");
    w.driver->resize(320, 600);
    w.driver->paint();
    EXPECT_FALSE(testing_support::drewNothing(*w.driver)) << "the window draws again once sized";
}

} // namespace
