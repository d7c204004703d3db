// libFuzzer target: the input bytes become a small framebuffer and a tree of boxes drawn into it
// with every renderer operation: spans, fills, gradients, borders, dashes, images (whole views,
// strips, single pixels, views past their buffer, reversed views), nine-patches, text and text
// fields. Sizes and positions come from a table that holds NaN, the infinities, the float
// extremes, values past the int range, fractions and negative numbers (which count from the
// parent's far edge). The same pass runs over the frame the last input left (a pass writes only
// what may differ from it), then on a frame forgotten (every pixel written), at every kernel
// level the processor has, and each must leave the framebuffer exactly as the scalar kernels
// do; once more on a frame cleared first and between calls. Backdrops are kept by the first
// runs, so the later runs show the kept ones. Needs a display (xvfb-run).
#include "gui/box.h"
#include "gui/image.h"
#include "gui/render.h"
#include "gui/text_state.h"
#include "gui/textures.h"
#include "orbotk/application.h"
#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"
#include "render/kernels.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

using gui::Box;
using orbo::tk::RGBA;
typedef boost::shared_ptr<orbotk::UIContext> Ctx;

namespace {

std::unique_ptr<orbotk::Application> app;
boost::shared_ptr<orbotk::Window> window;
std::unique_ptr<orbotk::Driver> driver;
std::vector<gui::Image> images;
std::unique_ptr<gui::diced_t> diced; // multi_array assigns only between equal shapes
std::unique_ptr<wxFont> fonts[2];

const wchar_t* const texts[] = {L"",
                                L"Ag",
                                L"two\nlines",
                                L"\x05D0\x05D1\x05D2 abc",
                                L"\x05D0 \x05D1\nabc \x0301\x05D2",
                                L"\U0001F600\x4E2D",
                                L"a\tb\rc",
                                L"MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"};

class Reader {
public:
    Reader(const std::uint8_t* data, size_t size) : p_(data), end_(data + size) {}
    bool done() const { return p_ == end_; }
    std::uint8_t byte() { return p_ == end_ ? 0 : *p_++; }
    // The next n bytes (fewer at the end), read apart from the rest.
    Reader take(size_t n) {
        n = std::min(n, static_cast<size_t>(end_ - p_));
        p_ += n;
        return Reader(p_ - n, n);
    }
    // Names everything still to be read: what is drawn from here on depends on nothing else
    // but the box it starts in and the depth.
    std::uint64_t rest() const {
        std::uint64_t h = 0xcbf29ce484222325ull;
        for (const std::uint8_t* q = p_; q != end_; ++q)
            h = (h ^ *q) * 0x100000001b3ull;
        return h ^ static_cast<std::uint64_t>(end_ - p_) << 48;
    }

    float number() {
        static const float special[] = {std::numeric_limits<float>::quiet_NaN(),
                                        -std::numeric_limits<float>::quiet_NaN(),
                                        INFINITY,
                                        -INFINITY,
                                        FLT_MAX,
                                        -FLT_MAX,
                                        1e9f,
                                        -1e9f,
                                        2147483648.0f,
                                        -2147483904.0f,
                                        0.0f,
                                        -0.0f,
                                        0.5f,
                                        -0.5f,
                                        1e-30f,
                                        65536.0f};
        const std::uint8_t b = byte();
        if (b < 16)
            return special[b];
        return static_cast<float>(b - 136) * 0.75f; // -90 .. 89.25, fractions included
    }
    // Integer arguments: the same table, saturated to the int range (NaN is 0).
    int integer() {
        const float v = number();
        if (std::isnan(v))
            return 0;
        if (v >= 2147483648.0f)
            return std::numeric_limits<int>::max();
        if (v < -2147483648.0f)
            return std::numeric_limits<int>::min();
        return static_cast<int>(v);
    }

    // Half the colours are premultiplied; the rest have channels above alpha, which a host
    // can pass too.
    RGBA colour() {
        const std::uint8_t a = byte(), r = byte(), g = byte(), b = byte();
        if (a & 1)
            return RGBA(r, g, b, a);
        return RGBA(static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
                    static_cast<std::uint32_t>(g) << 8 | b);
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

void place(Box& b, Reader& in) {
    switch (in.byte() % 6) {
    case 0:
        b.setPos(in.number(), in.number());
        break;
    case 1:
        b.setLeft(in.number());
        b.setTop(in.number());
        break;
    case 2:
        b.setRight(in.number());
        b.setBottom(in.number());
        break;
    case 3:
        b.setCenterX();
        b.setCenterY();
        break;
    case 4:
        b.setShape(in.number(), in.number());
        break;
    default:
        break; // where a new box starts: over its parent
    }
}

// Draws into the current box until the input ends or asks to close it; opening a box recurses.
// Set: the frame is cleared of what nothing drew on before every call (asking for the
// framebuffer does that).
bool settleEachCall = false;

void draw(const Ctx& ui, Reader& in, int depth) {
    while (!in.done()) {
        if (settleEachCall)
            ui->framebuffer();
        switch (in.byte() % 22) {
        case 0: {
            if (depth >= 8)
                break;
            Box b(ui, in.number(), in.number());
            place(b, in);
            draw(ui, in, depth + 1);
            break;
        }
        case 1:
            return;
        case 2:
            gui::render(ui, in.colour());
            break;
        case 3:
            gui::renderNoBlend(ui, in.colour());
            break;
        case 4:
            gui::renderModulate(ui, in.colour());
            break;
        case 5: {
            const RGBA top = in.colour();
            gui::render(ui, top, in.colour());
            break;
        }
        case 6: {
            const RGBA top = in.colour();
            gui::renderModulate(ui, top, in.colour());
            break;
        }
        case 7: {
            const RGBA c = in.colour();
            gui::render(ui, c, static_cast<gui::border_t>(in.byte()));
            break;
        }
        case 8: {
            const RGBA c = in.colour();
            const auto edges = static_cast<gui::border_t>(in.byte());
            gui::renderDashed(ui, c, edges, in.integer());
            break;
        }
        case 9: {
            const int x = in.integer(), y = in.integer(), w = in.integer();
            gui::render(ui, x, y, w, in.colour());
            break;
        }
        case 10: {
            const int x = in.integer(), y = in.integer(), w = in.integer();
            gui::renderModulate(ui, x, y, w, in.colour());
            break;
        }
        case 11: {
            const int x = in.integer(), y = in.integer(), w = in.integer();
            const RGBA c = in.colour();
            gui::renderDashed(ui, x, y, w, c, in.integer());
            break;
        }
        case 12:
            ui->setColour(in.colour());
            gui::render(ui, images[in.byte() % images.size()]);
            break;
        case 13:
            ui->setColour(in.colour());
            gui::renderModulate(ui, images[in.byte() % images.size()]);
            break;
        case 14:
            ui->imageBlend = !ui->imageBlend;
            break;
        case 15: {
            ui->setColour(in.colour());
            const float a = in.number(), b = in.number(), c = in.number(), d = in.number();
            try {
                gui::renderDiced(ui, *diced, gui::capBounds(a, b), gui::capBounds(c, d));
            } catch (const gui::BadShape&) {
                // Two equal bounds make a set too small for the table: the documented answer.
            }
            break;
        }
        case 16: {
            ui->setColour(in.colour());
            const wxFont& font = *fonts[in.byte() & 1];
            gui::render(ui, font, texts[in.byte() % (sizeof texts / sizeof *texts)], in.number());
            break;
        }
        case 17: {
            // A new model each time: a field keeps its scroll position between passes, and
            // every kernel level must see the same one.
            const std::uint8_t how = in.byte();
            gui::TextState field(*fonts[0], texts[how % (sizeof texts / sizeof *texts)]);
            field.caretEnd(false);
            if (how & 8)
                field.selectAll();
            else if (how & 16)
                field.caretHome(true);
            if (how & 64)
                field.setDirection(gui::TextDirection::RightToLeft);
            gui::render(ui, field, in.colour(), (how & 32) != 0);
            break;
        }
        case 18:
            gui::pinstripes(ui, in.byte());
            break;
        case 19: {
            Box b(ui);
            b.setWidth(in.number());
            b.setHeight(in.number());
            b.setLeft(in.number());
            b.setBottom(in.number());
            draw(ui, in, depth + 1);
            break;
        }
        case 20: {
            // A backdrop, the calls of the next bytes: drawn as the same calls would be, the
            // first run keeping it, the others drawing it only behind what they drew before
            // it. Named by its own bytes, so that inputs that differ around it share it.
            if (depth >= 8)
                break;
            Reader calls = in.take(in.byte());
            const std::uint64_t key = calls.rest() * 31 + static_cast<std::uint64_t>(depth);
            ui->drawBackdrop(key, [&] { draw(ui, calls, depth + 1); });
            break;
        }
        default: {
            const gui::shape_t s =
                gui::getTextShape(ui, texts[in.byte() % (sizeof texts / sizeof *texts)], *fonts[0]);
            if (!(s.width >= 0 && s.height >= 0))
                std::abort();
            break;
        }
        }
    }
}

// A 9 x 7 picture with every alpha level in it and views of it that a host could make,
// sensible or not.
void makeImages() {
    const int w = 9, h = 7;
    std::vector<unsigned char> straight(static_cast<size_t>(w * h * 4));
    for (size_t i = 0; i < straight.size(); ++i)
        straight[i] = static_cast<unsigned char>(i * 37 + 11);
    gui::Image base{wxImage(w, h)};
    base.data(w, h, straight.data());
    images = {base,
              gui::Image(base, 2, 1, 4, 3),   // an inner view
              gui::Image(base, 3, 0, 0, 7),   // a vertical strip
              gui::Image(base, 0, 2, 9, 0),   // a horizontal strip
              gui::Image(base, 4, 4, 0, 0),   // one pixel
              gui::Image(base, 6, 5, 8, 8),   // past the buffer's corner
              gui::Image(base, -3, -2, 5, 4), // before the buffer's corner
              gui::Image(base, 5, 5, -4, -4), // reversed
              gui::Image(),                   // no buffer
              gui::Image(wxImage(1, 1))};
    diced.reset(new gui::diced_t(
        gui::diceTexture(base, gui::threeCellCuts(0, 3, 7), gui::threeCellCuts(0, 4, 9))));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    app.reset(new orbotk::Application(*argc, *argv));
    Ctx ui = orbotk::UIContext::create(L"render fuzz", static_cast<wxWindow*>(nullptr));
    window = ui->window().lock();
    driver.reset(new orbotk::Driver(window));
    fonts[0].reset(new wxFont(wxFontInfo(11).FaceName("Arial")));
    fonts[1].reset(new wxFont(wxFontInfo(7).FaceName("Arial").Bold()));
    makeImages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // Up to 48 x 40: big enough for every clipping case, small enough for many runs a second.
    const int w = data[0] % 49, h = data[1] % 41;
    static int shownW = -1, shownH = -1; // resizing costs a round trip: only when it changes
    if (shownW != w || shownH != h)
        driver->resize(shownW = w, shownH = h);
    Ctx ui = driver->context();
    ui->setUIProcedure([&](const Ctx& c) {
        c->imageBlend = true;
        Reader in(data + 2, size - 2);
        Box root(c);
        draw(c, in, 0);
    });

    // Scalar over what the last input left in the frame (a pass writes only what may differ
    // from it), scalar from a frame forgotten (the reference), scalar cleared before every call,
    // then the processor's other levels; the last leaves the next input a frame settled as usual.
    std::vector<const gui::kernels::Table*> levels = gui::kernels::available();
    const gui::kernels::Table* scalar = levels.front();
    levels.insert(levels.begin(), 2, scalar);
    std::vector<RGBA> carried, reference;
    for (size_t run = 0; run < levels.size(); ++run) {
        const gui::kernels::Table* level = levels[run];
        gui::kernels::use(*level);
        settleEachCall = run == 2;
        if (run == 1)
            ui->framebuffer(); // writable: what the frame holds is forgotten
        driver->paint();
        std::vector<RGBA> frame = driver->pixels();
        if (frame.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) {
            std::fprintf(stderr, "framebuffer %zu pixels, window %d x %d\n", frame.size(), w, h);
            std::abort();
        }
        if (run == 0) {
            carried.swap(frame);
            continue;
        }
        if (run == 1) {
            reference.swap(frame);
            frame = carried;
        }
        for (size_t i = 0; i < frame.size(); ++i)
            if (frame[i].word != reference[i].word) {
                std::fprintf(stderr, "%s differs from scalar at (%zu, %zu): %08x, not %08x\n",
                             run == 1         ? "the frame over the last input's"
                             : settleEachCall ? "the frame cleared call by call"
                                              : level->name,
                             i % static_cast<size_t>(w), i / static_cast<size_t>(w), frame[i].word,
                             reference[i].word);
                std::abort();
            }
    }
    ui->setUIProcedure(orbotk::UIContext::Procedure());
    return 0;
}
