// Heap allocations in warm passes: once a window has been shown and its strings rasterised,
// neither an input pass nor a paint pass should touch the heap. The global operator new of this
// test program counts while a pass runs; GUI_ALLOC_TRACE=1 prints the stack of each counted
// allocation, to find the one that crept in.
#include "gui/gui.h"
#include "orbotk/driver.h"
#include "widget_host.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <execinfo.h>
#include <gtest/gtest.h>
#include <new>
#include <unistd.h>

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* counted(std::size_t n) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
        if (std::getenv("GUI_ALLOC_TRACE") != nullptr) {
            counting = false; // the trace itself allocates
            void* frames[32];
            const int depth = backtrace(frames, 32);
            std::fprintf(stderr, "---- allocation of %zu bytes\n", n);
            backtrace_symbols_fd(frames, depth, STDERR_FILENO);
            counting = true;
        }
    }
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t n) {
    return counted(n);
}
void* operator new[](std::size_t n) {
    return counted(n);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using gui::Box;
using orbotk::ControlID;

// Chrome, labels, push buttons, a checkbox and text fields: what most windows are made of.
class Form : public gui::AppWindow {
public:
    Form()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Allocations", 640, 480,
                         gui::NO_SCALE_WINDOW) {}
    gui::TextState field{textFont_, L"twenty characters ok"};
    // Hebrew and Latin, focused, with a selection across the change of direction: text the
    // platform lays out.
    gui::TextState mixed{textFont_, L"\x5E9\x5DC\x5D5\x5DD abc"};
    bool check = true;
    void doScene() override {
        static const wchar_t* const labels[4] = {L"First label", L"Second label", L"Third",
                                                 L"A fourth, longer label"};
        for (int i = 0; i < 4; ++i) {
            Box label(ui_, 200.0f, 20.0f);
            label.setTop(24.0f * i);
            doLabel(labels[i]);
        }
        static const wchar_t* const captions[3] = {L"OK", L"Cancel", L"Apply changes"};
        for (int i = 0; i < 3; ++i) {
            Box button(ui_, PUSHBUTTON_SHAPE);
            button.setTop(36.0f * i);
            button.setLeft(240.0f);
            glColor(gui::orbopal::OKButton);
            doPushButton(captions[i], true);
        }
        {
            Box row(ui_, 200.0f, 24.0f);
            row.setTop(120.0f);
            doCheckbox(check, L"Remember the choice", true);
        }
        {
            Box row(ui_, 300.0f, 30.0f);
            row.setTop(160.0f);
            mixed.setSelection(2, 7);
            doLineEdit(ControlID(L"mixed"), mixed, L"Mixed", 0.0f);
        }
        Box row(ui_, 300.0f, 30.0f);
        row.setTop(200.0f);
        doLineEdit(ControlID(L"field"), field, L"Text", 0.0f);
    }
};

int during(const std::function<void()>& pass) {
    allocations = 0;
    counting = true;
    pass();
    counting = false;
    return allocations;
}

} // namespace

TEST(Allocations, WarmInputAndPaintPassesAllocateNothingAtEveryScale) {
    for (int scale : {1, 2}) {
        auto form = boost::make_shared<Form>();
        form->window()->overrideScale(scale);
        orbotk::Driver d(form->window());
        d.resize(640, 480);
        for (int i = 0; i < 3; ++i) { // warm: rasterised text, the trees' capacity, first keys
            d.paint();
            d.mouseMove(300 + i, 100);
            d.mouseMove(20, 20);
        }
        ASSERT_EQ(d.scale(), scale);
        EXPECT_EQ(during([&] { d.mouseMove(301, 101); }), 0) << "input pass at " << scale;
        EXPECT_EQ(during([&] { d.mouseMove(280, 90); }), 0) << "over a button at " << scale;
        EXPECT_EQ(during([&] { d.paint(); }), 0) << "paint pass at " << scale;
        form->Close(true);
        d.flush();
    }
}

TEST(Allocations, ADialogWithItsAdvancedSectionOpenAllocatesNothingWhenWarm) {
    // The dialog frame, the split panel and the OK/Cancel pair, with a checkbox in each part.
    struct Settings : gui::Dialog {
        Settings()
            : gui::Dialog(static_cast<wxWindow*>(nullptr), L"Settings", 420, 280, true, true, true,
                          false, gui::NO_SCALE_WINDOW) {
            setExpandoSplit(180);
            setExpandoHeight(90);
        }
        bool a = true, b = false;
        void doScene() override {
            Box row(ui_, 200.0f, 24.0f);
            doCheckbox(a, L"Start at login", true);
            isOK(checkboxCheck_, true);
        }
        void doAdvanced() override {
            Box row(ui_, 200.0f, 24.0f);
            doCheckbox(b, L"Verbose log", true);
        }
    };
    auto dialog = boost::make_shared<Settings>();
    orbotk::Driver d(dialog->window());
    d.resize(420, 280);
    d.paint();
    dialog->openExpando(true);
    d.resize(420, 370);
    for (int i = 0; i < 3; ++i) {
        d.paint();
        d.mouseMove(100 + i, 100);
    }
    ASSERT_TRUE(dialog->expandoOpened());
    EXPECT_EQ(during([&] { d.mouseMove(120, 250); }), 0) << "input pass";
    EXPECT_EQ(during([&] { d.paint(); }), 0) << "paint pass";
    dialog->Close(true);
    d.flush();
}
