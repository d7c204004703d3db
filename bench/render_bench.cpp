// Full-frame renderer costs beside memset of the same frame, at 640 x 480 and 1920 x 1080. The
// kernels run inside a real paint pass of a real (hidden) window, as widgets run them.
// Run on a display (xvfb-run); GUI_KERNELS=scalar|sse2|avx2 picks an instruction level.
#include "gui/box.h"
#include "gui/image.h"
#include "gui/render.h"
#include "orbotk/application.h"
#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using orbo::tk::RGBA;
typedef boost::shared_ptr<orbotk::UIContext> Ctx;

// Runs body once inside one paint pass of a w x h window.
void inPaintPass(int w, int h, const std::function<void(const Ctx&)>& body) {
    Ctx ui = orbotk::UIContext::create(L"bench", static_cast<wxWindow*>(nullptr));
    boost::shared_ptr<orbotk::Window> window = ui->window().lock();
    {
        orbotk::Driver d(window);
        d.resize(w, h);
        ui->setUIProcedure([&](Ctx c) {
            if (c->isPaint())
                body(c);
        });
        d.paint();
    }
    ui->setUIProcedure(orbotk::UIContext::Procedure());
    window->Destroy();
}

typedef std::function<void(const Ctx&)> Step;

// Times draw over a full w x h frame (from the benchmark's arguments) inside a paint pass.
// prepare runs once; reset runs untimed before every draw, for draws that would otherwise
// change what the next one works on.
void timeFrame(benchmark::State& state, const Step& prepare, const Step& reset, const Step& draw) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    inPaintPass(w, h, [&](const Ctx& ui) {
        if (prepare)
            prepare(ui);
        for (auto _ : state) {
            if (reset) {
                state.PauseTiming();
                reset(ui);
                state.ResumeTiming();
            }
            draw(ui);
            benchmark::ClobberMemory();
        }
    });
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 4);
}

// A translucent frame: every pixel blended under it takes the full blend.
void translucent(const Ctx& ui) {
    gui::renderNoBlend(ui, RGBA(0x80404040u));
}

void Memset(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::vector<std::uint32_t> frame(static_cast<size_t>(w) * h);
    for (auto _ : state) {
        std::memset(frame.data(), 0, frame.size() * sizeof(std::uint32_t));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 4);
}

void BlendFill(benchmark::State& state) {
    timeFrame(state, nullptr, translucent,
              [](const Ctx& ui) { gui::render(ui, RGBA(0x40102030u)); });
}

// Blending under an opaque frame, as a panel drawn under finished widgets: nothing changes.
void BlendFillOccluded(benchmark::State& state) {
    timeFrame(
        state, [](const Ctx& ui) { gui::renderNoBlend(ui, RGBA(0xFF404040u)); }, nullptr,
        [](const Ctx& ui) { gui::render(ui, RGBA(0x40102030u)); });
}

void ModulateFill(benchmark::State& state) {
    timeFrame(
        state, [](const Ctx& ui) { gui::renderNoBlend(ui, RGBA(0xFF808080u)); }, nullptr,
        [](const Ctx& ui) { gui::renderModulate(ui, RGBA(0xFFFEFEFEu)); });
}

void Gradient(benchmark::State& state) {
    timeFrame(state, nullptr, translucent,
              [](const Ctx& ui) { gui::render(ui, RGBA(0x80102030u), RGBA(0x40605040u)); });
}

gui::Image frameImage(int w, int h) {
    std::vector<unsigned char> straight(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < straight.size(); ++i)
        straight[i] = static_cast<unsigned char>(i * 31 + (i >> 9));
    gui::Image image{wxImage(w, h)};
    image.data(w, h, straight.data());
    return image;
}

// The image drawn 1:1 over the whole frame, tinted, blended.
void ImageBlit(benchmark::State& state) {
    const gui::Image image =
        frameImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    timeFrame(
        state, [](const Ctx& ui) { ui->setColour(RGBA(0xF0F0F0F0u)); }, translucent,
        [&](const Ctx& ui) { gui::render(ui, image); });
}

// A quarter-size image stretched over the whole frame: the general sampling path.
void ImageScaled(benchmark::State& state) {
    const gui::Image image =
        frameImage(static_cast<int>(state.range(0)) / 2, static_cast<int>(state.range(1)) / 2);
    timeFrame(state, nullptr, nullptr, [&](const Ctx& ui) { gui::render(ui, image); });
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Memset)->Apply(sizes);
BENCHMARK(BlendFill)->Apply(sizes);
BENCHMARK(BlendFillOccluded)->Apply(sizes);
BENCHMARK(ModulateFill)->Apply(sizes);
BENCHMARK(Gradient)->Apply(sizes);
BENCHMARK(ImageBlit)->Apply(sizes);
BENCHMARK(ImageScaled)->Apply(sizes);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    orbotk::Application app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
