// The gallery window: every widget of the library, page by page, as a host would write it.
// The program in main.cpp shows it; the end-to-end tests drive its form page with real input.
#pragma once

#include "data.h"
#include "dialogs.h"
#include "gui/gui.h"

#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>
#include <wx/timer.h>

namespace gallery {

using gui::Box;
using orbo::tk::RGBA;

// A white disc with a ring cut out of it, antialiased: white so that a tint gives it its colour.
inline gui::Image makeBadge(int size) {
    std::vector<unsigned char> straight(static_cast<size_t>(size * size * 4));
    const double c = (size - 1) / 2.0, outer = size / 2.0 - 0.5, inner = outer * 0.55;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c);
            double a = std::min(1.0, std::max(0.0, outer - d + 0.5));
            const double hole = std::min(1.0, std::max(0.0, d - inner + 0.5));
            const double ring = std::min(1.0, std::max(0.0, inner * 0.6 - d + 0.5));
            a *= std::max(hole, ring);
            unsigned char* p = &straight[static_cast<size_t>((y * size + x) * 4)];
            p[0] = p[1] = p[2] = 255;
            p[3] = static_cast<unsigned char>(std::lround(a * 255));
        }
    gui::Image image{wxImage(size, size)};
    image.data(size, size, straight.data());
    return image;
}

// A four-colour test card, opaque, so scaling and greying are easy to see.
inline gui::Image makeCard(int size) {
    std::vector<unsigned char> straight(static_cast<size_t>(size * size * 4));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            unsigned char* p = &straight[static_cast<size_t>((y * size + x) * 4)];
            const bool right = x >= size / 2, bottom = y >= size / 2;
            const RGBA colours[4] = {gui::orbobrand::whitebg::Blue, gui::orbobrand::Red,
                                     gui::orbobrand::whitebg::Green,
                                     gui::orbobrand::whitebg::Orange};
            const RGBA c = colours[(bottom ? 2 : 0) + (right ? 1 : 0)];
            const bool grid = x % 4 == 0 || y % 4 == 0;
            p[0] = static_cast<unsigned char>(grid ? 255 : c.b());
            p[1] = static_cast<unsigned char>(grid ? 255 : c.g());
            p[2] = static_cast<unsigned char>(grid ? 255 : c.r());
            p[3] = 255;
        }
    gui::Image image{wxImage(size, size)};
    image.data(size, size, straight.data());
    return image;
}

class Gallery : public gui::AppWindow {
public:
    explicit Gallery(int page)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"gui gallery", 800, 600,
                         gui::SCALE_WINDOW),
          page_(page), badge_(makeBadge(16)), card_(makeCard(16)), grey_(card_.toGreyScale()) {
        setStatus(L"Keys 0-9 switch pages");
        setStatusHover(L"Click to go to the next page");
        setStatusCallbacks([this] { showPage((page_ + 1) % PAGES); },
                           [this] {
                               // The numbered circles go up to 8: the ninth page has none.
                               const int n = page_ + 1;
                               return std::make_pair(orbo::utf8_string("The page number"),
                                                     n < 9 ? &circles_[n] : nullptr);
                           });
        fields_[0].caretEnd(false);
        fields_[0].prevWord(true);
        fields_[0].prevWord(true);
        fields_[1].caretEnd(false);
        password_.type(std::wstring(L"secret"));
        digits_.setValidator(gui::intValidator);
        digits_.setMaxLen(6);
    }

    // Keys that no control takes reach the window's top-level boxes: a box opened before the
    // chrome's own is one. Escape closes the window; the digits switch pages. A page switches on
    // the character, not on the key going down: the character follows the key, and would reach
    // a field that the new page has just focused.
    void uiProcedure() override {
        {
            gui::Box keys(ui_);
            if (keys.keyDown(WXK_ESCAPE))
                Close(false);
            int digit = 0;
            if (keys.characterInput([&digit](int ch) {
                    digit = ch == '0' ? 10 : ch - '0';
                    return digit >= 1 && digit <= PAGES;
                }))
                showPage(digit - 1);
        }
        gui::AppWindow::uiProcedure();
    }

    void doScene() override {
        using namespace gui;
        menuBar();
        // The page tabs: Ctrl+Page Down and Ctrl+Page Up (and Ctrl+Tab) go to the next and the
        // previous page from anywhere, a text field too.
        {
            Box strip(ui_, FILL, 24.0f);
            strip.setTop(28.0f);
            TabsOptions tabs;
            tabs.tabWidth = 0.0f; // each as wide as its caption
            int page = page_;
            if (doTabs(ui(), orbotk::ControlID(L"tab"), page, pageNames_, tabs).changed)
                showPage(page);
        }
        Box page(ui_, FILL, -62.0f);
        page.setTop(62.0f);
        switch (page_) {
        case 0:
            buttonPage();
            break;
        case 1:
            labelPage();
            break;
        case 2:
            controlsPage();
            break;
        case 3:
            formPage();
            break;
        case 4:
            textPage();
            break;
        case 5:
            imagePage();
            break;
        case 6:
            ninePatchPage();
            break;
        case 7:
            rendererPage();
            break;
        case 8:
            dialogPage();
            break;
        case 9:
            listsPage();
            break;
        default: {
            std::wstring status;
            data_.show(ui(), configFont_, status);
            if (!status.empty())
                setStatus(status);
            break;
        }
        }
    }

public:
    static const int PAGES = 11;

private:
    friend struct GalleryProbe; // the invariants of the event fuzzer and the soak run
    static constexpr const wchar_t* PAGE_NAMES[PAGES] = {
        L"Buttons", L"Labels",  L"Controls", L"Form",  L"Text", L"Images",
        L"Patches", L"Drawing", L"Dialogs",  L"Lists", L"Data"};

    // The menu bar, under the logo band: every kind of item, a submenu, a disabled item and a
    // disabled menu.
    void menuBar() {
        using namespace gui;
        Box band(ui_, FILL, MENU_BAR_HEIGHT);
        MenuBar bar(ui());
        if (bar.menu(L"&File")) {
            // The platform's choosers, opened after the pass that chose the item; what they
            // return shows in the status bar.
            if (bar.item(L"&Open…", L"Ctrl+O"))
                postEval([this] {
                    const auto paths = chooseFilesToOpen(
                        window(), {{L"Text files", L"*.txt;*.md"}, {L"All files", L"*"}});
                    if (!paths.empty())
                        setStatus(L"Chose " + std::to_wstring(paths.size()) + L" file(s): " +
                                  paths.front());
                });
            if (bar.item(L"Save &As…", L"Ctrl+Shift+S"))
                postEval([this] {
                    const std::wstring path = chooseFileToSave(window(), L"gallery notes.txt");
                    if (!path.empty())
                        setStatus(L"Would save to " + path);
                });
            if (bar.item(L"Choose &Folder…"))
                postEval([this] {
                    const std::wstring path = chooseFolder(window());
                    if (!path.empty())
                        setStatus(L"Chose the folder " + path);
                });
            bar.separator();
            if (bar.item(L"&Close Window", L"Ctrl+W"))
                postEval([this] { Close(false); });
            bar.endMenu();
        }
        if (bar.menu(L"&View")) {
            if (bar.item(L"&Next Page"))
                showPage((page_ + 1) % PAGES);
            if (bar.item(L"&Previous Page"))
                showPage((page_ + PAGES - 1) % PAGES);
            if (bar.menu(L"&Go to Page")) {
                int page = page_;
                for (int p = 0; p < PAGES; ++p)
                    if (bar.radio(PAGE_NAMES[p], page, p))
                        showPage(p);
                bar.endMenu();
            }
            // The look: the desktop's, or one chosen here; F7 goes round them.
            if (bar.menu(L"&Look")) {
                static const wchar_t* const looks[] = {L"Follow the &Desktop", L"&Light", L"&Dark",
                                                       L"&High Contrast"};
                int look = look_;
                for (int l = 0; l < 4; ++l)
                    if (bar.radio(looks[l], look, l))
                        chooseLook(l);
                bar.separator();
                if (bar.item(L"&Next Look", L"F7"))
                    chooseLook((look_ + 1) % 4);
                bar.endMenu();
            }
            bar.separator();
            bar.check(L"&Toolbar", toolbar_);
            bar.check(L"&Word Wrap", wrap_);
            if (bar.item(L"Tab &Colour…"))
                postEval([this] {
                    chooseColour(window(), orbopal::ActiveTab, L"The current tab's colour");
                });
            bar.endMenu();
        }
        if (bar.menu(L"&Help")) {
            if (bar.item(L"&About the Gallery", L"F1"))
                postEval([this] {
                    gui::messageBox(window(), L"Every widget of the library, page by page.",
                                    L"About the gallery", wxOK | wxICON_INFORMATION);
                });
            bar.item(L"Check for &Updates", nullptr, false);
            bar.endMenu();
        }
        if (bar.menu(L"&Tools", false))
            bar.endMenu();
    }

    // 0 follows the desktop; 1, 2 and 3 choose the light, dark and high-contrast looks.
    void chooseLook(int look) {
        look_ = look;
        if (look == 0)
            gui::followDesktopLook();
        else
            gui::setLook(static_cast<gui::LookStyle>(look - 1));
        static const wchar_t* const names[] = {L"the desktop's", L"light", L"dark",
                                               L"high contrast"};
        setStatus(std::wstring(L"Look: ") + names[look]);
    }

    void showPage(int p) {
        if (p == page_)
            return;
        page_ = p;
        setStatus(std::wstring(L"Page ") + std::to_wstring(p + 1) + L": " + PAGE_NAMES[p]);
    }

    // Buttons of every kind, enabled and disabled. Clicks are counted in the status bar.
    void buttonPage() {
        using namespace gui;
        const struct {
            const wchar_t* name;
            RGBA colour;
        } bodies[] = {{L"OK", orbopal::OKButton},
                      {L"Cancel", orbopal::CancelButton},
                      {L"Options", orbopal::GearButton},
                      {L"Delete", orbobrand::Red}, // the brand red holds white labels in every look
                      {L"Tab", orbopal::Tab},
                      {L"Active", orbopal::ActiveTab}};
        // Push buttons: a row enabled, a row disabled, a row with icons.
        for (int row = 0; row < 3; ++row)
            for (int i = 0; i < 6; ++i) {
                Box b(ui_, AppWindow::PUSHBUTTON_SHAPE);
                place(b, 96.0f * i, 38.0f * row);
                glColor(bodies[i].colour);
                const std::wstring id = std::wstring(bodies[i].name) + L"#" + std::to_wstring(row);
                const bool pressed =
                    row == 2
                        ? doPushButton(orbotk::ControlID(id), *PUSH_ICONS[i], bodies[i].name, true)
                        : doPushButton(orbotk::ControlID(id), bodies[i].name, row == 0);
                if (pressed)
                    clicked(bodies[i].name);
            }
        // Image buttons with captions, left- and right-aligned, enabled and disabled.
        const struct {
            const Image* image;
            const wchar_t* label;
        } icons[] = {{&mail_, L"Mail"},
                     {&vortaAdd_, L"Create"},
                     {&vortaImport_, L"Import"},
                     {&deleteTex_, L"Unsubscribe"}};
        for (int i = 0; i < 4; ++i) {
            {
                Box row(ui_, 260.0f, 26.0f);
                place(row, 0.0f, 126.0f + 28.0f * i);
                if (doButton(orbotk::ControlID(std::wstring(L"left:") + icons[i].label),
                             *icons[i].image, icons[i].label, L"An image button",
                             L"This one is disabled", i != 3))
                    clicked(icons[i].label);
            }
            {
                Box row(ui_, 260.0f, 26.0f);
                place(row, 290.0f, 126.0f + 28.0f * i);
                if (doButtonRight(orbotk::ControlID(std::wstring(L"right:") + icons[i].label),
                                  *icons[i].image, icons[i].label, L"A right-aligned button",
                                  nullptr, i != 3))
                    clicked(icons[i].label);
            }
        }
        // Two-image buttons: the picture changes while held.
        const struct {
            const Image *up, *down;
            const wchar_t* name;
        } pairs[] = {{&play1_, &play_push1_, L"Play"},
                     {&play2_, &play_push2_, L"Play (blue)"},
                     {&play3_, &play_push3_, L"Play (grey)"},
                     {&stop1_, &stop_push1_, L"Stop"}};
        for (int i = 0; i < 4; ++i) {
            Box b(ui_, 32.0f, 32.0f);
            place(b, 44.0f * i, 246.0f);
            if (doButton(orbotk::ControlID(pairs[i].name), *pairs[i].up, *pairs[i].down,
                         pairs[i].name, L"Disabled", i != 3))
                clicked(pairs[i].name);
        }
        // Links in the small font and in a larger one, and a disabled link.
        {
            Box b(ui_, 200.0f, 20.0f);
            place(b, 200.0f, 250.0f);
            if (doLink(L"Open the documentation", L"A link", true))
                clicked(L"the link");
        }
        {
            Box b(ui_, 200.0f, 20.0f);
            place(b, 200.0f, 274.0f);
            if (doLink(L"A link in the text font", L"A larger link", textFont_, true))
                clicked(L"the larger link");
        }
        {
            Box b(ui_, 200.0f, 20.0f);
            place(b, 420.0f, 250.0f);
            doLink(L"A disabled link", L"Disabled link", false);
        }
    }

    // Checkboxes and radio groups (enabled, disabled, and in a disabled window for a few
    // seconds), a list that scrolls with its bar and the wheel, sliders with their preview and
    // committed values, and progress bars, one of them following a slider as it is dragged.
    void controlsPage() {
        using namespace gui;
        using orbotk::ControlID;
        auto heading = [this](float x, float y, const wchar_t* text) {
            Box b(ui_, 220.0f, 18.0f);
            place(b, x, y);
            doLabel(text, configFont_);
        };
        // Combo boxes come first: their lists hang over what the page draws after them, and
        // each list over the combo box below it. Opening one closes the other.
        heading(270, 270, L"Combo boxes");
        // Each combo box has its label beside it, which names it to screen readers.
        auto label = [this](float x, float y, const wchar_t* text) {
            Box b(ui_, 64.0f, 22.0f);
            place(b, x, y);
            doLabel(text);
        };
        label(270, 296, L"Fruit");
        {
            Box row(ui_, 152.0f, 28.0f);
            place(row, 338, 292);
            if (doComboBoxEasy(ControlID(L"fruit"), fruitOpen_, fruit_, 4, FRUITS, true) !=
                0xFFFFFFFFu)
                setStatus(std::wstring(L"Fruit: ") + fruit_);
        }
        label(270, 332, L"Number");
        {
            Box row(ui_, 152.0f, 28.0f);
            place(row, 338, 328);
            if (doScrollComboBoxEasy(ControlID(L"number"), numberOpen_, number_, 30, numbers_, true,
                                     firstNumber_, numberTop_, numberMouse_) != 0xFFFFFFFFu)
                setStatus(L"Number: " + number_);
        }
        label(520, 344, L"Fixed");
        {
            Box row(ui_, 176.0f, 28.0f);
            place(row, 576, 340);
            bool closed = false;
            const wchar_t* fixed = FRUITS[2];
            doComboBoxEasy(ControlID(L"fixed fruit"), closed, fixed, 4, FRUITS, false);
        }

        // Left column: checkboxes and radio groups.
        heading(0, 0, L"Checkboxes");
        const wchar_t* const checks[] = {L"Show hidden files", L"Remember me", L"Large icons"};
        for (int i = 0; i < 3; ++i) {
            Box row(ui_, 240.0f, 26.0f);
            place(row, 0, 22.0f + 26.0f * i);
            if (doCheckbox(checked_[i], checks[i], L"Toggles with a click, Return or Space",
                           nullptr, true))
                setStatus(std::wstring(checks[i]) + (checked_[i] ? L": on" : L": off"));
        }
        for (int i = 0; i < 2; ++i) {
            Box row(ui_, 240.0f, 26.0f);
            place(row, 0, 100.0f + 26.0f * i);
            bool value = i == 1;
            doCheckbox(ControlID(i ? L"disabled checked" : L"disabled unchecked"), value,
                       i ? L"Disabled, checked" : L"Disabled", L"", L"Not available here", false);
        }
        heading(0, 162, L"Radio buttons");
        {
            Box group(ui_, 240.0f, 72.0f);
            place(group, 0, 184);
            if (doRadioEasy(size_, 3, SIZES, true) != 0xFFFFFFFFu)
                setStatus(std::wstring(L"Size: ") + size_);
        }
        {
            Box group(ui_, 240.0f, 48.0f);
            place(group, 0, 260);
            const wchar_t* fixed = SIZES[1];
            doRadioEasy(fixed, 2, SIZES, false);
        }
        {
            // A disabled window takes no input, so it is enabled again by a timer.
            Box b(ui_, 200.0f, 30.0f);
            place(b, 0, 320);
            glColor(orbopal::GearButton);
            if (doPushButton(ControlID(L"disable window"), L"Disable the window 3 s", true)) {
                Enable(false);
                enableTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
                    Enable(true);
                    requestRepaint(); // a timer is no input: the window is told
                });
                enableTimer_.StartOnce(3000);
            }
        }

        // Middle column: 100 checkable rows, 10 visible, with a scroll bar, the wheel (over
        // the checkboxes too) and a menu on each row.
        heading(270, 0, L"A list of 100 rows");
        {
            Box list(ui_, 220.0f, 240.0f);
            place(list, 270, 22);
            doVScroll(ControlID(L"list scroll"), firstRow_, 10, scrollTop_, scrollMouse_, 0, 99,
                      true);
            Box rows(ui_, -SCROLL_SIZE, FILL, ControlID(L"list rows"));
            if (const int wheel = rows.wheelRotation()) {
                firstRow_ = std::min(std::max(firstRow_ - wheel / 40, 0), 90);
            }
            int menuRow = -1;
            double menuX = 0, menuY = 0;
            if (rows.rightClicked()) {
                rows.eventPosition(menuX, menuY);
                menuRow = std::min(firstRow_ + static_cast<int>(menuY / 24.0), 99);
            }
            for (int i = 0; i < 10; ++i) {
                Box row(ui_, -6.0f, 24.0f);
                place(row, 6, 24.0f * i);
                const int n = firstRow_ + i;
                const std::wstring text = L"Row " + std::to_wstring(n + 1);
                doCheckbox(ControlID(L"row " + std::to_wstring(n + 1)), rowDone_[n], text.c_str(),
                           L"Right-click for the row's menu", nullptr, true);
            }
            if (menuRow >= 0) {
                Box at(ui_, 0.0f, 0.0f);
                place(at, static_cast<float>(menuX), static_cast<float>(menuY));
                rowMenu(menuRow);
            }
            render(ui_, RGBA(160, 160, 160, 255), BORDER_ALL);
        }

        // Right column: sliders and progress bars.
        heading(520, 0, L"Sliders");
        {
            Box row(ui_, 232.0f, 32.0f);
            place(row, 520, 22);
            if (doHSlider(ControlID(L"volume"), volume_, volumePreview_, 0.0f, 100.0f, nullptr,
                          true))
                setStatus(L"Volume committed: " + std::to_wstring(static_cast<int>(volume_)));
        }
        {
            Box b(ui_, 232.0f, 18.0f);
            place(b, 520, 58);
            const std::wstring text =
                L"Preview " + std::to_wstring(static_cast<int>(volumePreview_ + 0.5f)) +
                L", committed " + std::to_wstring(static_cast<int>(volume_ + 0.5f));
            doLabel(text.c_str());
        }
        {
            Box row(ui_, 232.0f, 32.0f);
            place(row, 520, 80);
            float locked = 70.0f;
            doHSlider(ControlID(L"locked"), locked, L"This slider is disabled", false);
        }
        heading(520, 124, L"Progress");
        const struct {
            float value;
            RGBA colour;
        } bars[] = {{0.0f, orbopal::OKButton},
                    {10.0f, orbopal::CancelButton},
                    {50.0f, orbopal::ErrorText},
                    {100.0f, orbopal::Checkbox}};
        for (int i = 0; i < 4; ++i) {
            Box row(ui_, 232.0f, 32.0f);
            place(row, 520, 146.0f + 36.0f * i);
            glColor(bars[i].colour);
            const std::wstring tip = std::to_wstring(static_cast<int>(bars[i].value)) + L" %";
            doProgress(ControlID(L"bar " + tip), bars[i].value, tip.c_str());
        }
        {
            Box row(ui_, 232.0f, 32.0f);
            place(row, 520, 296);
            glColor(orbopal::HSlider);
            if (doProgress(ControlID(L"follows"), volumePreview_,
                           L"Follows the volume slider; double-click to reset it")) {
                volume_ = volumePreview_ = 0.0f;
            }
        }
    }

    // A form of line edits: plain, digits only with a maximum length, a password, a password
    // known only by its signature, and a disabled field. Typing, selection, word moves and the
    // clipboard work between them with a real keyboard.
    void formPage() {
        using namespace gui;
        const struct {
            TextState* state;
            const wchar_t* label;
            bool enabled;
        } rows[] = {{&name_, L"Name", true},
                    {&digits_, L"Digits (6)", true},
                    {&secret_, L"Password", true},
                    {&stored_, L"Saved password", true},
                    {&fixed_, L"Disabled", false}};
        for (int i = 0; i < 5; ++i) {
            Box row(ui_, 420.0f, 30.0f);
            place(row, 0.0f, 34.0f * i);
            doLineEdit(*rows[i].state, rows[i].label, 120.0f, rows[i].enabled);
        }
        {
            Box row(ui_, 420.0f, 30.0f);
            place(row, 0.0f, 34.0f * 5);
            doLineEdit(note_, L"A label as wide as its text:", 0.0f);
        }
        // Number fields: typed, stepped, wheeled, or dragged by their labels.
        {
            NumberOptions o;
            o.minimum = 6;
            o.maximum = 72;
            o.unit = L"pt";
            o.labelWidth = 120.0f;
            Box row(ui_, 260.0f, 30.0f);
            place(row, 0.0f, 34.0f * 6);
            doNumberField(ui(), orbotk::ControlID(L"form:font size"), fontSize_, L"Font size", o);
        }
        {
            NumberOptions o;
            o.maximum = 10;
            o.step = 0.25;
            o.page = 1;
            o.decimals = 2;
            o.unit = L"cm";
            o.labelWidth = 120.0f;
            Box row(ui_, 260.0f, 30.0f);
            place(row, 0.0f, 34.0f * 7);
            doNumberField(ui(), orbotk::ControlID(L"form:margin"), margin_, L"Margin", o);
        }
        {
            NumberOptions o;
            o.labelWidth = 120.0f;
            Box row(ui_, 260.0f, 30.0f);
            place(row, 0.0f, 34.0f * 8);
            doNumberField(ui(), orbotk::ControlID(L"form:copies"), copies_, L"Disabled", o, false);
        }
        Box help(ui_, 300.0f, 200.0f);
        place(help, 440.0f, 4.0f);
        float h = 0;
        doTextWrap(h,
                   L"Tab and Shift+Tab move between the fields. Shift with the arrows, Home "
                   L"and End selects; Ctrl moves and deletes by words; Ctrl+C, Ctrl+X and "
                   L"Ctrl+V copy, cut and paste. The saved password stands for a password "
                   L"known only by its signature until you type into it. Number fields step "
                   L"with Up and Down, the wheel and their buttons, and follow their label "
                   L"when it is dragged.",
                   normalFont_, true);
    }

    // Buttons that open a form, a dialog with an advanced section and a message box of each
    // kind, and native menus beside them. A dialog opens once the pass that asked for it has
    // finished (a modal loop inside a pass would hold the pass open); what it answered shows beside
    // its button.
    void dialogPage() {
        using namespace gui;
        using orbotk::ControlID;
        auto heading = [this](float y, const wchar_t* text) {
            Box b(ui_, 300.0f, 18.0f);
            place(b, 0.0f, y);
            doLabel(text, configFont_);
        };
        auto row = [this](float y, const wchar_t* caption, const std::wstring& answer,
                          const boost::function<void()>& open) {
            {
                Box b(ui_, 150.0f, 30.0f);
                place(b, 0.0f, y);
                glColor(orbopal::GearButton);
                if (doPushButton(ControlID(std::wstring(L"dialog:") + caption), caption, true))
                    postEval(open);
            }
            Box label(ui_, 240.0f, 20.0f);
            place(label, 166.0f, y + 6.0f);
            doLabelFit(answer.c_str(), true, true);
        };
        heading(0.0f, L"Dialogs");
        row(24.0f, L"Account form", formAnswer_, [this] { openAccount(); });
        row(60.0f, L"Settings", settingsAnswer_, [this] { openSettings(); });
        heading(108.0f, L"Message boxes");
        for (int i = 0; i < MESSAGE_KINDS; ++i)
            row(132.0f + 36.0f * i, MESSAGES[i].caption, messageAnswers_[i],
                [this, i] { openMessage(i); });
        {
            Box menus(ui_, 300.0f, 216.0f);
            place(menus, 420.0f, 0.0f);
            menuSection();
        }
        documentTabs();
    }

    // Tabs of open documents: each closes by its mark or a middle click, and the strip scrolls
    // once they do not fit; Reopen brings them all back.
    void documentTabs() {
        using namespace gui;
        using orbotk::ControlID;
        {
            Box b(ui_, 300.0f, 18.0f);
            place(b, 420.0f, 236.0f);
            doLabel(L"Open documents", configFont_);
        }
        {
            Box strip(ui_, 300.0f, 24.0f);
            place(strip, 420.0f, 260.0f);
            TabsOptions o;
            o.closable = true;
            o.shortcuts = false; // the pages' strip has them
            const TabsResult r = doTabs(ui(), ControlID(L"documents"), document_, documents_, o);
            if (r.closed >= 0) {
                documents_.erase(documents_.begin() + r.closed);
                if (document_ > r.closed || document_ >= static_cast<int>(documents_.size()))
                    document_ = std::max(document_ - 1, 0);
            }
        }
        {
            Box b(ui_, 190.0f, 20.0f);
            place(b, 420.0f, 294.0f);
            doLabelFit(documents_.empty() ? L"All closed"
                                          : (L"Showing " + documents_[document_]).c_str(),
                       true, true);
        }
        Box b(ui_, 100.0f, 30.0f);
        place(b, 620.0f, 290.0f);
        glColor(orbopal::GearButton);
        if (doPushButton(ControlID(L"documents:reopen"), L"Reopen", true))
            documents_ = {L"notes.txt", L"todo.md", L"letter.txt", L"budget.csv", L"readme.md"};
    }

    // Native menus: a button opens one whose check items the page flips from the item it
    // returns; a right click in the area opens a context menu where the pointer is.
    void menuSection() {
        using namespace gui;
        using orbotk::ControlID;
        {
            Box b(ui_, 300.0f, 18.0f);
            doLabel(L"Menus", configFont_);
        }
        {
            Box b(ui_, 150.0f, 30.0f);
            place(b, 0.0f, 24.0f);
            glColor(orbopal::GearButton);
            if (doPushButton(ControlID(L"menu:open"), L"Menu", true))
                menuPicked(doPopupMenu(menuItems_), menuItems_);
        }
        {
            Box label(ui_, 300.0f, 20.0f);
            place(label, 0.0f, 60.0f);
            doLabelFit(menuAnswer_.c_str(), true, true);
        }
        Box area(ui_, 300.0f, 120.0f, ControlID(L"menu:area"));
        place(area, 0.0f, 96.0f);
        if (area.rightClicked()) {
            double x = 0, y = 0;
            area.eventPosition(x, y);
            Box at(ui_, 0.0f, 0.0f);
            place(at, static_cast<float>(x), static_cast<float>(y));
            menuPicked(doPopupMenu(contextItems_), contextItems_);
        }
        {
            Box text(ui_, -16.0f, -16.0f);
            place(text, 8.0f, 8.0f);
            float h = 0;
            doTextWrap(h,
                       (L"Right-click here for a context menu. Toolbar " +
                        std::wstring(toolbar_ ? L"shown" : L"hidden") + L", word wrap " +
                        (wrap_ ? L"on" : L"off") + L".")
                           .c_str(),
                       normalFont_, true);
        }
        render(ui_, orbopal::GearButton, BORDER_ALL);
    }

    // Lists and text: 200 tasks in a list of multiple selection, each with a checkbox, renamed in
    // place (double click, Return or the menu's Rename; Return keeps the name, Escape drops
    // it), with a menu on every row; and a notes area beside it, across a divider that gives
    // either more room (double click: back to the middle).
    void listsPage() {
        using namespace gui;
        using orbotk::ControlID;
        Box panes(ui_, FILL, 384.0f);
        SplitOptions split;
        split.minFirst = 220.0f;
        split.minSecond = 200.0f;
        split.defaultPosition = 360.0f;
        doSplit(
            ui(), ControlID(L"lists:divider"), listsSplit_, split, [this] { taskPane(); },
            [this] {
                {
                    Box b(ui_, -10.0f, 18.0f);
                    b.setLeft(10.0f);
                    doLabel(L"Notes (Ctrl+Return keeps them)", configFont_);
                }
                Box b(ui_, -10.0f, 362.0f);
                place(b, 10.0f, 22.0f);
                if (doTextArea(ControlID(L"notes"), notes_))
                    setStatus(L"Notes kept: " + std::to_wstring(notes_.len()) + L" characters");
            });
    }

    void taskPane() {
        using namespace gui;
        using orbotk::ControlID;
        {
            Box b(ui_, -10.0f, 18.0f);
            const std::wstring heading = L"Tasks: " + std::to_wstring(tasks_.size()) + L", " +
                                         std::to_wstring(taskSelection_.size()) + L" selected";
            doLabel(heading.c_str(), configFont_);
        }
        ListResult r;
        {
            Box b(ui_, -10.0f, 362.0f);
            place(b, 0.0f, 22.0f);
            ListOptions options;
            options.selection = LIST_SELECT_MULTIPLE;
            options.rowHeight = 24.0f;
            options.alternate = true;
            options.emptyText = L"No tasks left";
            options.label = [this](int row) { return tasks_[static_cast<size_t>(row)].name; };
            r = doList(
                ControlID(L"tasks"), tasksList_, static_cast<int>(tasks_.size()), taskSelection_,
                [this](int row, bool) { taskRow(row); }, options);
        }
        if (r.activated >= 0)
            startRename(r.activated);
        if (r.menuRow >= 0) {
            Box at(ui_, 0.0f, 0.0f);
            at.setPos(r.menuX, r.menuY);
            taskMenu(r.menuRow);
        }
    }

    void taskRow(int row) {
        using namespace gui;
        Task& task = tasks_[static_cast<size_t>(row)];
        if (row == renaming_) {
            Box field(ui_, -4.0f, FILL);
            // The field takes the focus in the first pass that lays it out.
            if (std::exchange(focusRename_, false))
                ui_->setFocusedID(orbotk::ControlID(L"rename"));
            doLineEdit(orbotk::ControlID(L"rename"), rename_, nullptr, 0.0f);
            if (ui_->returnReleased) {
                task.name = rename_.text();
                renaming_ = -1;
                ui_->setFocusedID(orbotk::ControlID(L"tasks"));
            } else if (ui_->escapePassed) {
                renaming_ = -1;
                ui_->setFocusedID(orbotk::ControlID(L"tasks"));
            }
            return;
        }
        Box check(ui_, -4.0f, FILL);
        check.setLeft(4.0f);
        doCheckbox(orbotk::ControlID(L"task " + std::to_wstring(task.id)), task.done,
                   task.name.c_str(), nullptr, nullptr, true);
    }

    void startRename(int row) {
        renaming_ = row;
        rename_.setText(tasks_[static_cast<size_t>(row)].name);
        rename_.selectAll();
        focusRename_ = true;
    }

    void taskMenu(int row) {
        const std::vector<PopupItem> items = {
            PopupItem(POPUP_NORMAL, L"Rename", &on_, nullptr, wxBitmap(), wxBitmap(), 0),
            PopupItem(POPUP_CHECK, L"Done", &on_, &tasks_[static_cast<size_t>(row)].done,
                      wxBitmap(), wxBitmap(), 0),
            PopupItem(POPUP_SEPARATOR, L"", nullptr, nullptr, wxBitmap(), wxBitmap(), 0),
            PopupItem(POPUP_NORMAL, L"Delete selected", &on_, nullptr, wxBitmap(), wxBitmap(), 0)};
        const auto it = doPopupMenu(items);
        if (it == items.end())
            return;
        if (it->get<1>() == L"Rename") {
            startRename(row);
        } else if (it->get<1>() == L"Done") {
            tasks_[static_cast<size_t>(row)].done = !tasks_[static_cast<size_t>(row)].done;
        } else {
            std::vector<Task> kept;
            for (size_t i = 0; i < tasks_.size(); ++i)
                if (!taskSelection_.count(static_cast<int>(i)))
                    kept.push_back(tasks_[i]);
            tasks_.swap(kept);
            taskSelection_.clear();
            renaming_ = -1;
        }
    }

    // The menu of one row of the list: its check flag, and the whole list's.
    void rowMenu(int n) {
        const std::wstring name = L"Row " + std::to_wstring(n + 1);
        const std::vector<PopupItem> items = {
            PopupItem(POPUP_CHECK, L"Done", &on_, &rowDone_[n], wxBitmap(), wxBitmap(), 0),
            PopupItem(POPUP_SEPARATOR, L"", nullptr, nullptr, wxBitmap(), wxBitmap(), 0),
            PopupItem(POPUP_NORMAL, L"Check all", &on_, nullptr, wxBitmap(), wxBitmap(), 0),
            PopupItem(POPUP_NORMAL, L"Uncheck all", &on_, nullptr, wxBitmap(), wxBitmap(), 0)};
        const auto it = doPopupMenu(items);
        if (it == items.end())
            return;
        if (it == items.begin())
            rowDone_[n] = !rowDone_[n];
        else
            std::fill(std::begin(rowDone_), std::end(rowDone_), it->get<1>() == L"Check all");
        setStatus(name + L": " + it->get<1>());
    }

    void menuPicked(std::vector<PopupItem>::const_iterator it,
                    const std::vector<PopupItem>& items) {
        if (it == items.end()) {
            menuAnswer_ = L"Nothing picked";
        } else {
            if (it->get<0>() == POPUP_CHECK)
                *it->get<3>() = !*it->get<3>();
            menuAnswer_ = L"Picked " + it->get<1>();
        }
    }

    void openAccount() {
        AccountDialog dialog(window());
        dialog.name.type(formName_);
        if (dialog.ShowModal() == wxID_OK) {
            formName_ = dialog.name.text();
            formAnswer_ = L"OK: " + formName_ + L" <" + dialog.email.text() + L">" +
                          (dialog.subscribe ? L", subscribed" : L", not subscribed");
        } else {
            formAnswer_ = L"Cancelled";
        }
    }

    void openSettings() {
        SettingsDialog dialog(window());
        dialog.startAtLogin = startAtLogin_;
        dialog.cacheMB = cacheMB_;
        if (dialog.ShowModal() == wxID_OK) {
            startAtLogin_ = dialog.startAtLogin;
            cacheMB_ = dialog.cacheMB;
            settingsAnswer_ = std::wstring(L"OK: start at login ") +
                              (startAtLogin_ ? L"on" : L"off") + L", cache " +
                              std::to_wstring(static_cast<int>(cacheMB_)) + L" MB" +
                              (dialog.verbose ? L", verbose log" : L"");
        } else {
            settingsAnswer_ = L"Cancelled";
        }
    }

    void openMessage(int i) {
        const int code =
            gui::messageBox(window(), MESSAGES[i].message, MESSAGES[i].title, MESSAGES[i].style);
        messageAnswers_[i] = std::wstring(L"Answered ") + answerName(code);
    }

    static const wchar_t* answerName(int code) {
        switch (code) {
        case wxOK:
            return L"OK";
        case wxYES:
            return L"Yes";
        case wxNO:
            return L"No";
        default:
            return L"Cancel (or closed)";
        }
    }

public:
    // What the dialog page shows beside the button of that caption.
    const std::wstring& dialogAnswer(const std::wstring& caption) const {
        if (caption == L"Account form")
            return formAnswer_;
        if (caption == L"Settings")
            return settingsAnswer_;
        if (caption == L"Menu")
            return menuAnswer_;
        for (int i = 0; i < MESSAGE_KINDS; ++i)
            if (caption == MESSAGES[i].caption)
                return messageAnswers_[i];
        return formName_; // unknown captions show nothing
    }

    // The page shown, from 0.
    int page() const { return page_; }
    // The controls page's list: its first visible row and each row's check.
    int firstListRow() const { return firstRow_; }
    // The lists page: the tasks' names in order, and the notes.
    std::vector<std::wstring> taskNames() const {
        std::vector<std::wstring> names;
        for (const Task& t : tasks_)
            names.push_back(t.name);
        return names;
    }
    const gui::TextAreaState& notes() const { return notes_; }
    bool rowDone(int n) const { return rowDone_[n]; }

    // The form's fields, in page order: name, digits, password, saved password, disabled, note.
    gui::TextState& formField(int i) {
        gui::TextState* fields[] = {&name_, &digits_, &secret_, &stored_, &fixed_, &note_};
        return *fields[i];
    }

private:
    void clicked(const wchar_t* what) {
        ++clicks_;
        setStatus(std::wstring(L"Clicked ") + what + L" (" + std::to_wstring(clicks_) + L")");
    }

    // Labels in every placement, in boxes outlined so the placement shows.
    void labelPage() {
        using namespace gui;
        auto frame = [this](float x, float y, float w, float h, const std::function<void()>& f) {
            Box b(ui_, w, h);
            place(b, x, y);
            f();
            render(ui_, orbopal::GearButton, BORDER_ALL);
        };
        const wchar_t* longText = L"A label longer than the box it is drawn in";
        frame(0, 0, 220, 22, [&] { doLabel(L"doLabel at the origin"); });
        frame(240, 0, 220, 22, [&] { doLabel(L"doLabel, disabled", false); });
        frame(480, 0, 220, 22, [&] {
            doLabel(orbotk::ControlID(L"tipped"), L"doLabel with a tooltip",
                    L"Tooltips show while the pointer is over the box");
        });
        frame(0, 30, 220, 22, [&] { doLabelFit(longText, true, true); });
        frame(240, 30, 220, 22, [&] { doLabelFit(longText, true, false); });
        frame(480, 30, 220, 22, [&] { doLabelFit(longText, normalFont_, true, true); });
        frame(0, 60, 220, 22, [&] { doLabelCenter(L"Centred", true, true); });
        frame(240, 60, 220, 22, [&] { doLabelLeft(longText); });
        frame(480, 60, 220, 22, [&] { doLabelRight(L"Right-aligned"); });
        frame(0, 90, 460, 22, [&] {
            float x = 4;
            doLabelIndent(x, 2, L"Indented,");
            x += 8;
            doLabelIndent(x, 2, L"then another,", normalFont_);
            x += 8;
            doLabelIndent(x, 2, L"and a third", false);
        });
        frame(480, 90, 220, 22, [&] {
            float x = 4;
            doLabelIndentRight(x, 2, L"from the right");
            x += 8;
            doLabelIndentRight(x, 2, L"Indented");
        });
        float height = 0;
        frame(0, 120, 460, 110, [&] {
            doTextWrap(height,
                       L"doTextWrap breaks a long text at spaces so that it fits the width of "
                       L"its box, and reports the height of the wrapped block, which the caller "
                       L"uses to place what follows. It works the same in every pass.");
        });
        frame(480, 120, 220, 110, [&] {
            float h = 0;
            doTextWrap(h,
                       L"Wrapped in the small font, and disabled: the colour changes, the "
                       L"layout does not.",
                       tinyFont_, false);
        });
    }

    static constexpr const gui::Image* PUSH_ICONS[6] = {&checkboxCheck_, &abortTex_, &vortaPackage_,
                                                        &deleteTex_,     &key_,      &playTex_};

    // Places a box at (x, y) in its parent.
    static void place(Box& b, float x, float y) {
        b.setLeft(x);
        b.setTop(y);
    }

    void rendererPage() {
        using namespace gui;
        // Colour swatches, each with a dark border drawn in front of its fill.
        const RGBA swatches[] = {orbopal::Button,       orbopal::OKButton,
                                 orbopal::CancelButton, orbopal::ErrorText,
                                 orbopal::GearButton,   orbopal::Checkbox,
                                 orbopal::ScrollBar,    orbopal::Disabled,
                                 orbopal::ToolTip,      orbobrand::whitebg::Orange,
                                 orbopal::Panel,        Color::White};
        for (int i = 0; i < 12; ++i) {
            Box b(ui_, 40.0f, 40.0f);
            place(b, 8.0f + 48.0f * i, 8.0f);
            render(ui_, orbobrand::Black, BORDER_ALL);
            render(ui_, swatches[i]);
        }
        // Gradients: the text-field green, the window's white, and a blend between brand
        // colours, with a modulated strip darkening the middle of the last one.
        {
            Box g(ui_, 180.0f, 60.0f);
            place(g, 8.0f, 64.0f);
            render(ui_, orbopal::GreenGradientTop, orbopal::GreenGradientBottom);
        }
        {
            Box g(ui_, 180.0f, 60.0f);
            place(g, 204.0f, 64.0f);
            render(ui_, orbobrand::Black, BORDER_ALL);
            render(ui_, orbopal::WhiteGradientTop, orbopal::WhiteGradientBottom);
        }
        {
            Box g(ui_, 180.0f, 60.0f);
            place(g, 400.0f, 64.0f);
            render(ui_, orbobrand::Red, orbobrand::whitebg::Blue);
        }
        {
            Box strip(ui_, 180.0f, 20.0f);
            place(strip, 400.0f, 84.0f);
            renderModulate(ui_, RGBA(128, 128, 128, 255));
        }
        // Borders: solid, dashed, single edges, and a focus rectangle around a filled box.
        {
            Box b(ui_, 120.0f, 60.0f);
            place(b, 8.0f, 140.0f);
            render(ui_, orbobrand::Black, BORDER_ALL);
        }
        {
            Box b(ui_, 120.0f, 60.0f);
            place(b, 144.0f, 140.0f);
            renderDashed(ui_, orbobrand::Black, BORDER_ALL, 3);
        }
        {
            Box b(ui_, 120.0f, 60.0f);
            place(b, 280.0f, 140.0f);
            render(ui_, orbopal::ErrorText, BORDER_TOP | BORDER_BOTTOM);
            render(ui_, orbopal::CancelButton, BORDER_LEFT);
        }
        {
            Box b(ui_, 120.0f, 60.0f);
            place(b, 416.0f, 140.0f);
            renderDashed(ui_, Color::Black, BORDER_ALL, 3);
            Box inner(ui_, 112.0f, 52.0f);
            place(inner, 4.0f, 4.0f);
            render(ui_, orbopal::OKButton);
        }
        // Images: a badge at 1x, 2x and 4x in palette tints, a test card at 1x and 4x, its grey
        // copy, and a one-pixel-high strip of it stretched into a band.
        const RGBA tints[] = {orbopal::Checkbox, orbopal::OKButton, orbopal::ErrorText};
        float x = 8.0f;
        for (int scale : {1, 2, 4}) {
            Box b(ui_, 16.0f * scale, 16.0f * scale);
            place(b, x, 216.0f + (64 - 16 * scale) / 2.0f);
            ui_->setColour(tints[scale / 2]);
            render(ui_, badge_);
            x += 16.0f * scale + 16.0f;
        }
        {
            Box b(ui_, 16.0f, 16.0f);
            place(b, x, 240.0f);
            ui_->setColour(Color::White);
            render(ui_, card_);
        }
        {
            Box b(ui_, 64.0f, 64.0f);
            place(b, x + 32.0f, 216.0f);
            render(ui_, card_);
        }
        {
            Box b(ui_, 64.0f, 64.0f);
            place(b, x + 112.0f, 216.0f);
            render(ui_, grey_);
        }
        {
            Box b(ui_, 200.0f, 64.0f);
            place(b, x + 192.0f, 216.0f);
            render(ui_, Image(card_, 0, 2, 16, 0));
        }
        ui_->setColour(Color::White);
    }

    // The standard images: icons the library tints in the button colour, then pictures that
    // carry their own colours, laid out in rows.
    void imagePage() {
        using namespace gui;
        const Image* tinted[] = {&closeTex_,
                                 &minTex_,
                                 &helpTex_,
                                 &mail_,
                                 &discussTex_,
                                 &userdata_,
                                 &usernameTex_,
                                 &deleteTex_,
                                 &vortaAdd_,
                                 &vortaImport_,
                                 &vortaPackage_,
                                 &vortaEdit_,
                                 &subscribeTex_,
                                 &abortTex_,
                                 &revertTex_,
                                 &key_,
                                 &playTex_,
                                 &pauseTex_,
                                 &stopTex_,
                                 &recordTex_,
                                 &backupTex_,
                                 &backupDoneTex_,
                                 &shutdownTex_,
                                 &rebootTex_,
                                 &revertChangesTex_,
                                 &revertSuspendedTex_,
                                 &gearmenuTex_,
                                 &autostartTex_,
                                 &lock_,
                                 &chevronUp_,
                                 &chevronDown_,
                                 &scrollbarUp_,
                                 &scrollbarDown_,
                                 &checkboxCheck_,
                                 &radio_,
                                 &radioCheck_,
                                 &vertMarker_,
                                 &disableI_,
                                 &blankI_,
                                 &offlineI_,
                                 &noofflineI_,
                                 &publishI_,
                                 &fullscreenI_,
                                 &nofullscreenI_,
                                 &docsI_,
                                 &deleteI_,
                                 &discussI_,
                                 &mailI_,
                                 &infoI_,
                                 &configureI_};
        float x = 8, y = 8;
        for (const Image* image : tinted) {
            if (x + image->w() > panelW() - 8) {
                x = 8;
                y += 40;
            }
            Box b(ui_, image->shape());
            place(b, x, y + (32 - image->h()) / 2);
            glColor(orbopal::Button);
            render(ui_, *image);
            x += std::max(32.0f, image->w() + 8);
        }
        const Image* coloured[] = {
            &circles_[0],      &circles_[1],     &circles_[2],    &circles_[3],
            &circles_[4],      &circles_[5],     &circles_[6],    &circles_[7],
            &circles_[8],      &caution_,        &warning_small_, &updateDownloadingTex_,
            &updateOnDiskTex_, &updateErrorTex_, &play1_,         &play_push1_,
            &play2_,           &play3_,          &stop1_,         &stop_push1_,
            &error_,           &informational_,  &warning_,       &question_,
            &veltsmall_,       &veltdefault_,    &libraryTex_,    &firstTimeTex_};
        x = 8;
        y += 48;
        float rowH = 0;
        for (const Image* image : coloured) {
            if (image->get() == nullptr)
                continue;
            if (x + image->w() > panelW() - 8) {
                x = 8;
                y += rowH + 8;
                rowH = 0;
            }
            Box b(ui_, image->shape());
            place(b, x, y);
            glColor(Color::White);
            render(ui_, *image);
            x += image->w() + 10;
            rowH = std::max(rowH, image->h());
        }
    }

    // Nine-patch bodies at several sizes: push-button bodies in the palette colours, raised
    // and pressed, the progress well and fill, and the battery.
    void ninePatchPage() {
        using namespace gui;
        const RGBA colours[] = {orbopal::OKButton, orbopal::CancelButton, orbopal::ErrorText,
                                orbopal::GearButton};
        const shape_t sizes[] = {{20, 20}, {84, 30}, {140, 44}, {220, 64}};
        float y = 8;
        for (int row = 0; row < 4; ++row) {
            float x = 8;
            for (int i = 0; i < 4; ++i) {
                Box b(ui_, sizes[i]);
                place(b, x, y);
                const bool raised = row % 2 == 0;
                glColor(raised ? orbopal::Light : orbopal::Disabled);
                renderDiced(ui_, dicedButtonShade_, dicedButtonShadeHBounds_,
                            dicedButtonShadeVBounds_);
                glColor(colours[(row + i) % 4]);
                renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
                x += sizes[i].width + 16;
            }
            y += 72;
        }
        // Progress bars: the fill (in the bar colour) in front of the well.
        const float fills[] = {0.25f, 0.6f, 1.0f};
        for (int i = 0; i < 3; ++i) {
            Box well(ui_, 300.0f, AppWindow::PROGRESS_H);
            place(well, 8, y + i * 40.0f);
            {
                Box fill(ui_, 300.0f * fills[i], AppWindow::PROGRESS_H);
                glColor(orbopal::Checkbox);
                renderDiced(ui_, dicedProgress_, dicedProgressBounds_, simpleBounds_);
            }
            glColor(Color::White);
            renderDiced(ui_, dicedWell_, dicedWellBounds_, simpleBounds_);
        }
        // Batteries, empty to full.
        for (int i = 0; i < 4; ++i) {
            Box battery(ui_, 40.0f + 20.0f * i, 17.0f);
            place(battery, 340, y + i * 28.0f);
            {
                Box fill(ui_, (battery.w() - 9) * i / 3.0f, 11.0f);
                place(fill, 2, 3);
                glColor(i == 0 ? orbopal::ErrorText : orbopal::OKButton);
                render(ui_, battFill_);
            }
            glColor(orbopal::Button);
            renderDiced(ui_, dicedBatt_, capBounds(3, -6), simpleBounds_);
        }
    }

    // Text: each standard font, a wrapped paragraph, fitted texts with the ellipsis at either
    // end, and text fields drawn focused with a selection and unfocused.
    void textPage() {
        using namespace gui;
        const struct {
            const wxFont* font;
            const wchar_t* name;
        } fonts[] = {{&nameFont_, L"nameFont_ (21 px): Window titles"},
                     {&textFont_, L"textFont_ (18 px): Headings"},
                     {&configFont_, L"configFont_ (15 px): Push-button captions"},
                     {&messageBoxFont_, L"messageBoxFont_ (13 px): Message boxes"},
                     {&normalFont_, L"normalFont_ (11 px): Body text and labels"},
                     {&tinyFont_, L"tinyFont_ (10 px): Links and small print"},
                     {&verytinyFont_, L"verytinyFont_ (9 px): The status bar"}};
        float y = 6;
        for (const auto& f : fonts) {
            const float h = getFontHeight(ui_, *f.font);
            Box line(ui_, 360.0f, h + 2);
            place(line, 8, y);
            glColor(orbopal::Text);
            render(ui_, *f.font, f.name, 0);
            y += h + 6;
        }
        // A paragraph wrapped to 330 pixels, with its box outlined.
        wxString paragraph = L"Immediate-mode widgets keep no state of their own: every pass "
                             L"of the window's procedure draws them anew and reports what the "
                             L"user did. Long text wraps at spaces to the width it is given, "
                             L"and an existing line feed\nstarts a new line.";
        const float wrapW = 330;
        const float wrapH = greedy_word_wrap(ui_, normalFont_, paragraph, wrapW);
        {
            Box para(ui_, wrapW + 12, wrapH + 12);
            place(para, 400, 6);
            {
                Box text(ui_, wrapW, wrapH + 2);
                place(text, 6, 5);
                glColor(orbopal::Text);
                render(ui_, normalFont_, paragraph.ToStdWstring(), 0);
            }
            render(ui_, orbopal::GearButton, BORDER_ALL);
        }
        // The same in Hebrew: broken at the same kind of places, each line right-aligned.
        // ("A Hebrew paragraph breaks between words by the width it is given, and each of its
        // lines keeps to the right, where it begins.")
        wxString hebrew = L"\x5E4\x5E1\x5E7\x5D4 \x5D1\x5E2\x5D1\x5E8\x5D9\x5EA "
                          L"\x5E0\x5E9\x5D1\x5E8\x5EA \x5D1\x5D9\x5DF \x5DE\x5D9\x5DC\x5D9\x5DD "
                          L"\x5DC\x5E4\x5D9 \x5D4\x5E8\x5D5\x5D7\x5D1 \x5E9\x5E0\x5D9\x5EA\x5DF "
                          L"\x5DC\x5D4, \x5D5\x5DB\x5DC \x5E9\x5D5\x5E8\x5D4 \x5E9\x5DC\x5D4 "
                          L"\x5E0\x5E6\x5DE\x5D3\x5EA \x5DC\x5D9\x5DE\x5D9\x5DF, \x5E9\x5DD "
                          L"\x5D4\x5D9\x5D0 \x5DE\x5EA\x5D7\x5D9\x5DC\x5D4.";
        const float hebrewH = greedy_word_wrap(ui_, normalFont_, hebrew, wrapW);
        {
            Box para(ui_, wrapW + 12, hebrewH + 12);
            place(para, 400, wrapH + 24);
            {
                Box text(ui_, wrapW, hebrewH + 2);
                place(text, 6, 5);
                glColor(orbopal::Text);
                render(ui_, normalFont_, hebrew.ToStdWstring(), 0);
            }
            render(ui_, orbopal::GearButton, BORDER_ALL);
        }
        // Fitted texts at three widths, ellipsis at the end and at the start.
        const wxString path = L"/home/user/Documents/Projects/gui/examples/gallery/main.cpp";
        y += 10;
        for (float width : {330.0f, 200.0f, 90.0f}) {
            for (bool keepStart : {true, false}) {
                float w = width;
                const std::wstring shown = fit(ui_, normalFont_, w, path, keepStart);
                Box line(ui_, width, 16.0f);
                place(line, keepStart ? 8.0f : 400.0f, y);
                {
                    Box text(ui_, w, 15.0f);
                    glColor(orbopal::Text);
                    render(ui_, normalFont_, shown, 0);
                }
                render(ui_, orbopal::Disabled, BORDER_RIGHT);
            }
            y += 22;
        }
        // Text fields: focused with a selection, focused with the caret at the end, unfocused.
        y += 10;
        for (int i = 0; i < 3; ++i) {
            TextState& state = fields_[i];
            Box field(ui_, 240.0f, 22.0f);
            place(field, 8.0f + 260.0f * (i % 2), y + 32.0f * (i / 2));
            glColor(orbopal::Text);
            render(ui_, state, orbopal::SelectedText, i < 2);
            render(ui_, i < 2 ? orbopal::ActiveTextEditBorder : orbopal::Disabled, BORDER_ALL);
            if (i < 2)
                render(ui_, orbopal::ActiveTextEdit);
            else
                render(ui_, orbopal::TextEditGradientTop, orbopal::TextEditGradientBottom);
        }
        {
            Box field(ui_, 240.0f, 22.0f);
            place(field, 268.0f, y + 32.0f);
            glColor(orbopal::Text);
            render(ui_, password_, orbopal::SelectedText, false);
            render(ui_, orbopal::Disabled, BORDER_ALL);
            render(ui_, orbopal::TextEditGradientTop, orbopal::TextEditGradientBottom);
        }
        // Text in both directions: a Hebrew line fitted at each end (the ellipsis where the cut
        // text was, reading right to left), and fields to edit, Hebrew and mixed. Left and Right
        // move on screen; Home and End go to the text's start and end.
        y += 76;
        for (bool keepStart : {true, false}) {
            float w = 110;
            const std::wstring shown = fit(ui_, normalFont_, w, hebrewLine(), keepStart);
            Box line(ui_, 110.0f, 16.0f);
            place(line, keepStart ? 8.0f : 400.0f, y);
            {
                Box text(ui_, w, 15.0f);
                text.setRight(110.0f); // a right-to-left line keeps to the right
                glColor(orbopal::Text);
                render(ui_, normalFont_, shown, 0);
            }
            render(ui_, orbopal::Disabled, BORDER_LEFT);
        }
        for (int i = 0; i < 2; ++i) {
            Box row(ui_, 380.0f, 30.0f);
            place(row, 392.0f * i, y + 24.0f);
            doLineEdit(i ? mixed_ : hebrew_, i ? L"Mixed" : L"Right to left", 100.0f);
        }
    }

    // "A line of Hebrew that is too long for its place", in Hebrew.
    static const std::wstring& hebrewLine() {
        static const std::wstring line = L"\x5E9\x5D5\x5E8\x5D4 \x5D1\x5E2\x5D1\x5E8\x5D9\x5EA "
                                         L"\x5E9\x5D0\x5E8\x5D5\x5DB\x5D4 \x5DE\x5D3\x5D9 "
                                         L"\x5DC\x5DE\x5E7\x5D5\x5DE\x5D4";
        return line;
    }

    struct Message {
        const wchar_t *caption, *title, *message;
        int style;
    };
    static const int MESSAGE_KINDS = 7;
    static constexpr Message MESSAGES[MESSAGE_KINDS] = {
        {L"Information", L"Export", L"The picture was exported.", wxOK | wxICON_INFORMATION},
        {L"Question", L"Replace", L"A file of that name exists already. Replace it?",
         wxYES_NO | wxICON_QUESTION},
        {L"Warning", L"Unsaved changes",
         L"The document has changes that were not saved. Save them before closing?",
         wxYES_NO | wxCANCEL | wxICON_EXCLAMATION},
        {L"Error", L"Printing", L"The printer could not be reached.", wxOK | wxICON_ERROR},
        {L"No buttons", L"Working",
         L"This box has no buttons: close it with Escape or its close button.", wxICON_INFORMATION},
        {L"Long message", L"Licence",
         L"A message box wraps its message once, to three quarters of the screen's width, "
         L"and then sizes itself to the wrapped text on every pass. This message is long "
         L"enough to need several lines on any screen: it goes on to say that the box is "
         L"centred on the window that opened it, that OK has the keyboard focus so Return "
         L"answers it, and that Escape therefore goes to the button rather than closing "
         L"the box. Closing it with the close button answers as Cancel would, and the page "
         L"says so beside the button that opened it.",
         wxOK | wxICON_INFORMATION},
        {L"CR LF message", L"Line ends",
         L"This message was written\r\nwith CR LF line ends,\r\nwhich show as plain line "
         L"breaks.",
         wxOK | wxICON_INFORMATION}};

    float listsSplit_ = 360.0f;
    std::vector<std::wstring> documents_{L"notes.txt", L"todo.md", L"letter.txt", L"budget.csv",
                                         L"readme.md"};
    int document_ = 0;
    const std::vector<std::wstring> pageNames_{std::begin(PAGE_NAMES), std::end(PAGE_NAMES)};
    int fontSize_ = 12, copies_ = 1;
    double margin_ = 2.5;
    bool on_ = true, off_ = false, toolbar_ = true, wrap_ = false, readOnly_ = false;
    const std::vector<PopupItem> menuItems_ = {
        PopupItem(POPUP_NORMAL, L"New window", &on_, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_NORMAL, L"Open...", &on_, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_SEPARATOR, L"", nullptr, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_CHECK, L"Show toolbar", &on_, &toolbar_, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_CHECK, L"Word wrap", &on_, &wrap_, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_CHECK, L"Read only (disabled)", &off_, &readOnly_, wxBitmap(), wxBitmap(),
                  0)};
    const std::vector<PopupItem> contextItems_ = {
        PopupItem(POPUP_NORMAL, L"Cut", &on_, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_NORMAL, L"Copy", &on_, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_NORMAL, L"Paste (disabled)", &off_, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_SEPARATOR, L"", nullptr, nullptr, wxBitmap(), wxBitmap(), 0),
        PopupItem(POPUP_CHECK, L"Word wrap", &on_, &wrap_, wxBitmap(), wxBitmap(), 0)};
    std::wstring menuAnswer_ = L"No menu opened yet";

    int page_;
    int clicks_ = 0;
    std::wstring formName_, formAnswer_ = L"Not opened yet", settingsAnswer_ = L"Not opened yet";
    std::wstring messageAnswers_[MESSAGE_KINDS] = {L"", L"", L"", L"", L"", L"", L""};
    bool startAtLogin_ = false;
    float cacheMB_ = 256.0f;
    static constexpr const wchar_t* SIZES[3] = {L"Small", L"Medium", L"Large"};
    bool checked_[3] = {true, false, false};
    const wchar_t* size_ = SIZES[1];
    int firstRow_ = 0;
    bool rowDone_[100] = {};
    struct Task {
        int id;
        std::wstring name;
        bool done;
    };
    std::vector<Task> tasks_ = [] {
        static const wchar_t* const verbs[] = {L"Write", L"Review", L"Test", L"Ship", L"Plan"};
        static const wchar_t* const things[] = {L"the release notes", L"the list view",
                                                L"the text area", L"the gallery", L"a benchmark"};
        std::vector<Task> t;
        for (int i = 0; i < 200; ++i)
            t.push_back(Task{i,
                             std::wstring(verbs[i % 5]) + L" " + things[(i / 5) % 5] + L" #" +
                                 std::to_wstring(i + 1),
                             i % 7 == 0});
        return t;
    }();
    gui::ListState tasksList_;
    std::set<int> taskSelection_;
    int renaming_ = -1;
    bool focusRename_ = false;
    gui::TextState rename_{textFont_, L""};
    gui::TextAreaState notes_{textFont_,
                              L"Notes wrap at word boundaries to the width of the area. Return "
                              L"breaks a line, Ctrl+Return keeps the notes.\n\nSelect with the "
                              L"mouse or with Shift and the arrows; Ctrl+Z undoes."};
    float scrollTop_ = 0, scrollMouse_ = 0;
    float volume_ = 30.0f, volumePreview_ = 30.0f;
    static constexpr const wchar_t* FRUITS[4] = {L"Apple", L"Banana", L"Cherry", L"Damson"};
    const wchar_t* fruit_ = FRUITS[0];
    bool fruitOpen_ = false, numberOpen_ = false;
    std::wstring numbers_[30] = {L"One",     L"Two",       L"Three",    L"Four",     L"Five",
                                 L"Six",     L"Seven",     L"Eight",    L"Nine",     L"Ten",
                                 L"Eleven",  L"Twelve",    L"Thirteen", L"Fourteen", L"Fifteen",
                                 L"Sixteen", L"Seventeen", L"Eighteen", L"Nineteen", L"Twenty",
                                 L"21",      L"22",        L"23",       L"24",       L"25",
                                 L"26",      L"27",        L"28",       L"29",       L"30"};
    std::wstring number_ = L"One";
    int firstNumber_ = 0;
    float numberTop_ = 0, numberMouse_ = 0;
    wxTimer enableTimer_;
    gui::Image badge_, card_, grey_;
    gui::TextState fields_[3] = {
        gui::TextState(textFont_, L"Selected words in a field"),
        gui::TextState(textFont_, L"The caret follows the end of a long line of text"),
        gui::TextState(textFont_, L"An unfocused field")};
    gui::PasswordState password_{textFont_};
    // "Shalom olam" and "abc shalom 42 olam def".
    gui::TextState hebrew_{textFont_, L"\x5E9\x5DC\x5D5\x5DD \x5E2\x5D5\x5DC\x5DD"};
    gui::TextState mixed_{textFont_, L"abc \x5E9\x5DC\x5D5\x5DD 42 \x5E2\x5D5\x5DC\x5DD def"};
    gui::TextState name_{textFont_, L""};
    gallery::DataPage data_;
    int look_ = 0;
    gui::TextState digits_{textFont_, L""};
    gui::PasswordState secret_{textFont_};
    gui::PasswordState stored_{textFont_, orbo::util::md5("saved", 5)};
    gui::TextState fixed_{textFont_, L"Not editable"};
    gui::TextState note_{textFont_, L""};
};

} // namespace gallery
