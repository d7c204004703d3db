// The gallery: one application window showing what the library can draw, page by page. With
// --screenshot FILE it renders one paint pass through the driver, writes the PNG and exits, so
// it also runs without a person (and under Xvfb without a window manager). --page N picks the
// page; on screen the number keys switch pages and Escape closes the window.
#include "gui/gui.h"

#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

using gui::Box;
using orbo::tk::RGBA;

// A white disc with a ring cut out of it, antialiased: white so that a tint gives it its colour.
gui::Image makeBadge(int size) {
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
gui::Image makeCard(int size) {
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
        setStatus(L"Esc closes the gallery");
        fields_[0].caretEnd(false);
        fields_[0].prevWord(true);
        fields_[0].prevWord(true);
        fields_[1].caretEnd(false);
        password_.type(std::wstring(L"secret"));
    }

    void doScene() override {
        gui::Box page(ui_);
        // Escape closes the window and the number keys switch pages, when nothing has focus.
        if (page.keyDown(WXK_ESCAPE))
            Close(false);
        for (int p = 1; p <= PAGES; ++p)
            if (page.keyDown('0' + p) && page_ != p - 1) {
                page_ = p - 1;
                Refresh();
            }
        switch (page_) {
        case 0:
            rendererPage();
            break;
        case 1:
            imagePage();
            break;
        case 2:
            ninePatchPage();
            break;
        default:
            textPage();
            break;
        }
    }

private:
    static const int PAGES = 4;

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
    }

    int page_;
    gui::Image badge_, card_, grey_;
    gui::TextState fields_[3] = {
        gui::TextState(textFont_, L"Selected words in a field"),
        gui::TextState(textFont_, L"The caret follows the end of a long line of text"),
        gui::TextState(textFont_, L"An unfocused field")};
    gui::PasswordState password_{textFont_};
};

int usage() {
    std::fprintf(stderr, "usage: gallery [--page N] [--screenshot FILE.png]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    int page = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc)
            page = std::atoi(argv[++i]) - 1;
        else
            return usage();
    }
    try {
        orbotk::Application app(argc, argv);
        auto gallery = boost::make_shared<Gallery>(page < 0 ? 0 : page);
        if (!screenshot.empty()) {
            orbotk::Driver driver(gallery->window());
            driver.paint();
            driver.savePNG(screenshot);
            std::printf("wrote %s (%dx%d)\n", screenshot.c_str(), driver.width(), driver.height());
            gallery->Close(true);
            driver.flush();
            return 0;
        }
        gallery->Show(true);
        return app.run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
