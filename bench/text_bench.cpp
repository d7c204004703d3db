// What text costs a window: a paint pass of 40 fitted labels at 640 x 480 with the text cache
// cold (emptied before every pass) and warm, and an input pass over the same window, which
// lays the labels out (measuring) without drawing. Run on a display (xvfb-run).
#include "gui/box.h"
#include "gui/render.h"
#include "gui/text_layout.h"
#include "orbotk/application.h"
#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"
#include "text/text_cache.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

typedef boost::shared_ptr<orbotk::UIContext> Ctx;

const wxFont& labelFont() {
    static const wxFont f(wxFontInfo(8).FaceName("Arial"));
    return f;
}

// Forty labels in two columns, each fitted to its column, as a settings window has them.
void labels(const Ctx& ui) {
    ui->setColour(orbo::tk::RGBA(0, 0, 0, 255));
    for (int i = 0; i < 40; ++i) {
        gui::Box line(ui, 300.0f, 14.0f);
        line.setPos(10.0f + 320.0f * (i % 2), 10.0f + 22.0f * (i / 2));
        float w = 300.0f;
        const std::wstring text = gui::fit(
            ui, labelFont(), w,
            L"Setting number " + std::to_wstring(i) + L": a label of a typical length", true);
        gui::render(ui, labelFont(), text, 0);
    }
}

struct Window {
    Ctx ui = orbotk::UIContext::create(L"bench", static_cast<wxWindow*>(nullptr));
    boost::shared_ptr<orbotk::Window> window = ui->window().lock();
    orbotk::Driver driver{window};
    Window() {
        driver.resize(640, 480);
        ui->setUIProcedure([](Ctx c) { labels(c); });
    }
    ~Window() {
        ui->setUIProcedure(orbotk::UIContext::Procedure());
        window->Destroy();
    }
};

void PaintColdCache(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        gui::textcache::clear();
        w.driver.paint();
    }
}

void PaintWarmCache(benchmark::State& state) {
    Window w;
    w.driver.paint();
    for (auto _ : state)
        w.driver.paint();
}

void InputPassWarmCache(benchmark::State& state) {
    Window w;
    w.driver.paint();
    int x = 0;
    for (auto _ : state)
        w.driver.mouseMove(100 + (x++ & 63), 100);
}

BENCHMARK(PaintColdCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintWarmCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(InputPassWarmCache)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    orbotk::Application app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
