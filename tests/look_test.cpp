// Looks: a window follows GTK's dark and high-contrast settings as they change while it is
// open, and stops following once the host chooses a look; every look's text, links, errors
// and focus border keep WCAG 2.1's contrast against what they are drawn on; the dark and
// high-contrast goldens of a form, the chrome, a dialog, a message box and the gallery's
// controls and Lists pages at 1x and 2x.
#include "../examples/gallery/gallery.h"
#include "golden.h"
#include "gui/checkbox.h"
#include "gui/dialog.h"
#include "gui/labels.h"
#include "gui/line_edit.h"
#include "gui/list_view.h"
#include "gui/message_box.h"
#include "gui/push_button.h"
#include "orbotk/screen.h"
#include "widget_host.h"

#include <cmath>
#include <gtk/gtk.h>

using gui::LookStyle;
using orbo::tk::RGBA;
using testing_support::Host;
using testing_support::Hosted;

namespace {

// WCAG 2.1's relative luminance and contrast ratio of opaque colours.
double luminance(const RGBA& c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r()) + 0.7152 * channel(c.g()) + 0.0722 * channel(c.b());
}
double contrast(const RGBA& a, const RGBA& b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}
// A premultiplied colour over an opaque one.
RGBA over(const RGBA& top, const RGBA& under) {
    const auto mix = [&](int t, int u) { return t + (u * (255 - top.a()) + 127) / 255; };
    return RGBA(mix(top.r(), under.r()), mix(top.g(), under.g()), mix(top.b(), under.b()), 255);
}

void setGtk(const char* property, gboolean on) {
    g_object_set(gtk_settings_get_default(), property, on, nullptr);
}

struct LookTest : ::testing::Test {
    void TearDown() override {
        setGtk("gtk-application-prefer-dark-theme", FALSE);
        g_object_set(gtk_settings_get_default(), "gtk-theme-name", "Adwaita", nullptr);
        gui::setLook(LookStyle::Light);
    }
};

// A small form in the chrome: a field, a check box, a list and a button.
void form(Host& h, gui::TextState& name, bool& on, gui::ListState& list, std::set<int>& chosen) {
    gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
    {
        gui::Box b(h.ui(), 200.0f, 28.0f);
        b.setPos(10.0f, 10.0f);
        gui::doLineEdit(ui, orbotk::ControlID(L"name"), name, L"Name", 60.0f);
    }
    {
        gui::Box b(h.ui(), 200.0f, 26.0f);
        b.setPos(10.0f, 44.0f);
        gui::doCheckbox(ui, orbotk::ControlID(L"on"), on, L"Remember", nullptr, nullptr, true);
    }
    {
        gui::Box b(h.ui(), 200.0f, 84.0f);
        b.setPos(10.0f, 74.0f);
        gui::ListOptions o;
        o.label = [](int row) { return L"Row " + std::to_wstring(row); };
        gui::doList(
            ui, orbotk::ControlID(L"rows"), list, 8, chosen,
            [&](int row, bool) { gui::doLabel(ui, (L"Row " + std::to_wstring(row)).c_str()); }, o);
    }
    gui::Box b(h.ui(), 90.0f, 28.0f);
    b.setPos(120.0f, 166.0f);
    gui::doPushButton(ui, orbotk::ControlID(L"ok"), L"Save", true);
}

// A dialog with a field and a check box over its OK and Cancel pair.
class AccountDialog : public gui::Dialog {
public:
    AccountDialog()
        : gui::Dialog(static_cast<wxWindow*>(nullptr), L"Account", 360, 200, true, true, false,
                      false, gui::NO_SCALE_WINDOW) {}
    gui::TextState name{textFont_, L"Ada"};
    bool remember = true;
    void doScene() override {
        {
            gui::Box row(ui_, gui::FILL, 28.0f);
            doLineEdit(orbotk::ControlID(L"name"), name, L"Name", 0.0f);
        }
        {
            gui::Box row(ui_, gui::FILL, 24.0f);
            row.setTop(40.0f);
            doCheckbox(remember, L"Remember me", true);
        }
        isOK(checkboxCheck_, true);
    }
};

} // namespace

TEST_F(LookTest, TheWindowFollowsGtksSettingsUntilTheHostChooses) {
    Hosted win{220, 200};
    win->scene = [](Host& h) { gui::render(h.ui(), gui::orbopal::Panel); };
    gui::followDesktopLook();
    ASSERT_EQ(gui::lookStyle(), LookStyle::Light);
    win.driver->paint();
    const RGBA light = win.driver->pixel(50, 50);
    setGtk("gtk-application-prefer-dark-theme", TRUE);
    EXPECT_EQ(gui::lookStyle(), LookStyle::Dark);
    EXPECT_GE(win.driver->settle(), 1) << "the window did not ask to repaint";
    EXPECT_EQ(win.driver->pixel(50, 50).word, RGBA(40, 42, 46, 255).word);
    g_object_set(gtk_settings_get_default(), "gtk-theme-name", "HighContrast", nullptr);
    win.driver->settle();
    EXPECT_EQ(gui::lookStyle(), LookStyle::HighContrast);
    EXPECT_EQ(win.driver->pixel(50, 50).word, RGBA(0, 0, 0, 255).word);
    g_object_set(gtk_settings_get_default(), "gtk-theme-name", "Adwaita", nullptr);
    setGtk("gtk-application-prefer-dark-theme", FALSE);
    win.driver->settle();
    EXPECT_EQ(win.driver->pixel(50, 50).word, light.word); // the light look exactly
    // The host's choice holds against the desktop's.
    gui::setLook(LookStyle::Light);
    setGtk("gtk-application-prefer-dark-theme", TRUE);
    EXPECT_EQ(gui::lookStyle(), LookStyle::Light);
    EXPECT_EQ(win.driver->settle(), 0);
    win->scene = nullptr;
}

TEST_F(LookTest, TextAndFocusKeepTheirContrastInEveryLook) {
    using namespace gui::orbopal;
    for (LookStyle style : {LookStyle::Light, LookStyle::Dark, LookStyle::HighContrast}) {
        gui::setLook(style);
        SCOPED_TRACE(static_cast<int>(style));
        const RGBA panel = over(Panel, gui::Color::White), list = over(ListBackground, panel);
        for (const auto& [fg, bg] : {std::pair{Text, panel},
                                     {Text, list},
                                     {Text, over(ActiveTextEdit, panel)},
                                     {Text, over(FocusedHighlight, list)},
                                     {Text, over(Highlight, list)},
                                     {Link, panel},
                                     {ErrorText, panel}})
            EXPECT_GE(contrast(fg, bg), 4.5);
        EXPECT_GE(contrast(FocusBorder, panel), 3.0);
        EXPECT_GE(contrast(FocusBorder, list), 3.0);
        // Labels on the coloured bodies: the light look's are the brand's, dark on light.
        if (style != LookStyle::Light) {
            for (const auto& [fg, bg] : {std::pair{Button, OKButton},
                                         {Button, CancelButton},
                                         {Button, ActiveButton},
                                         {Button, GearButton},
                                         {Text, ActiveTab}})
                EXPECT_GE(contrast(fg, bg), 4.5);
        }
    }
}

TEST_F(LookTest, Goldens) {
    for (LookStyle style : {LookStyle::Dark, LookStyle::HighContrast})
        for (int scale : {1, 2}) {
            gui::setLook(style);
            Hosted w(220, 200, false, scale);
            gui::TextState name(w->textFont_, L"Ada");
            bool on = true;
            gui::ListState list;
            std::set<int> chosen{2};
            w->scene = [&](Host& h) {
                form(h, name, on, list, chosen);
                gui::render(h.ui(), gui::orbopal::Panel);
            };
            w.driver->paint();
            w.driver->click(100, 24); // the field has the focus
            w.driver->paint();
            testing_support::expectGolden(*w.driver,
                                          style == LookStyle::Dark ? "look_dark" : "look_contrast");
            w->scene = nullptr;
        }
}

TEST_F(LookTest, GoldensOfWindowsAndPages) {
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1280, 1024));
    for (LookStyle style : {LookStyle::Dark, LookStyle::HighContrast})
        for (int scale : {1, 2}) {
            gui::setLook(style);
            const std::string look = style == LookStyle::Dark ? "dark" : "contrast";
            {
                Hosted win(320, 200, true, scale);
                win->SetTitle(L"Golden window");
                win->setStatus(L"Ready");
                win.driver->paint();
                testing_support::expectGolden(*win.driver, "look_" + look + "_chrome");
            }
            {
                auto dialog = boost::make_shared<AccountDialog>();
                dialog->window()->overrideScale(scale);
                orbotk::Driver d(dialog->window());
                d.resize(360, 200);
                d.paint();
                d.mouseMove(2, 198);
                d.paint();
                testing_support::expectGolden(d, "look_" + look + "_dialog");
                dialog->Close(true);
            }
            testing_support::expectMessageBoxGolden(L"Files", L"Replace the existing file?",
                                                    wxYES_NO | wxICON_QUESTION,
                                                    "look_" + look + "_message_box", scale);
            for (const auto& [page, name] : {std::pair{2, "controls"}, {9, "lists"}}) {
                auto gallery = boost::make_shared<gallery::Gallery>(page);
                gallery->window()->overrideScale(scale);
                orbotk::Driver d(gallery->window());
                d.resize(800, 600);
                d.paint();
                d.paint();
                testing_support::expectGolden(d, "look_" + look + "_" + name);
                gallery->Close(true);
            }
            wxTheApp->ProcessIdle();
        }
    orbotk::Screen::clearOverride();
}
