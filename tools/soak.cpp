// The soak run: the gallery driven by seeded random event scripts (the event fuzzer's, with
// its invariants) for a given number of minutes while the process's resident memory is sampled
// every two seconds. Windows that the scripts close are made again. At the end it writes the
// samples as CSV and a small plot as PNG, prints the growth of the lowest samples after
// warm-up (the first quarter of the run, at least 30 seconds), and fails when that growth is
// more than 4 MiB: the caches are bounded, so memory must level off. Needs a display (run it under
// xvfb-run).
//
//   soak MINUTES SAMPLES.csv PLOT.png
#include "gallery_events.h"
#include "orbotk/application.h"

#include <algorithm>
#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace {

struct Sample {
    double seconds;
    double mib;
};

double residentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double floorOf(std::vector<Sample>::const_iterator from, std::vector<Sample>::const_iterator to) {
    double low = 0;
    for (auto it = from; it != to; ++it)
        low = it == from ? it->mib : std::min(low, it->mib);
    return low;
}

// Resident memory over time, the warm-up shaded, on a 480 x 200 canvas.
void plot(const std::vector<Sample>& samples, double warmup, const std::string& path) {
    const int W = 480, H = 200, L = 52, R = 12, T = 14, B = 30;
    double top = 0;
    for (const Sample& s : samples)
        top = std::max(top, s.mib);
    top = std::max(1.0, top * 1.15);
    const double end = std::max(1.0, samples.back().seconds);
    auto px = [&](double t) { return L + static_cast<int>(t / end * (W - L - R)); };
    auto py = [&](double m) { return H - B - static_cast<int>(m / top * (H - T - B)); };

    wxBitmap bitmap(W, H, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(235, 235, 235)));
    dc.DrawRectangle(px(0), T, px(warmup) - px(0), H - T - B);
    dc.SetPen(wxPen(wxColour(120, 120, 120)));
    dc.DrawLine(L, T, L, H - B);
    dc.DrawLine(L, H - B, W - R, H - B);
    dc.SetFont(wxFontInfo(8).FaceName("Arial"));
    dc.SetTextForeground(wxColour(60, 60, 60));
    for (int i = 0; i <= 4; ++i) {
        const double m = top * i / 4;
        dc.DrawText(wxString::Format("%.0f MiB", m), 2, py(m) - 6);
        dc.DrawText(wxString::Format("%.1f min", end / 60 * i / 4), px(end * i / 4) - 14,
                    H - B + 6);
    }
    dc.DrawText("warm-up", px(0) + 4, T + 2);
    dc.SetPen(wxPen(wxColour(30, 90, 200), 2));
    for (size_t i = 1; i < samples.size(); ++i)
        dc.DrawLine(px(samples[i - 1].seconds), py(samples[i - 1].mib), px(samples[i].seconds),
                    py(samples[i].mib));
    dc.SelectObject(wxNullBitmap);
    bitmap.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: soak MINUTES SAMPLES.csv PLOT.png\n");
        return 2;
    }
    const double minutes = std::atof(argv[1]);
    orbotk::Application app(argc, argv);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };

    std::mt19937 random(20261206);
    std::vector<Sample> samples{{0, residentMiB()}};
    size_t events = 0, scripts = 0, windows = 0;
    boost::shared_ptr<gallery::Gallery> g;
    std::vector<std::uint8_t> bytes(512);
    while (elapsed() < minutes * 60) {
        if (!g || !g->window()) {
            if (g)
                g->Close(true);
            g = boost::make_shared<gallery::Gallery>(
                gallery::GalleryProbe::page(static_cast<std::uint8_t>(random())));
            gallery::closeMenusAsTheyOpen(*g->window());
            g->Show(true); // on screen, where a screen reader finds it and frames are presented
            ++windows;
        }
        for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(random());
        gallery::EventScript script(bytes.data(), bytes.size(), [&](const char* why) {
            std::printf("soak: broken invariant in script %zu, after %zu events: %s\n", scripts,
                        events + script.events(), why);
            std::fflush(stdout);
            std::abort();
        });
        events += script.play(*g);
        ++scripts;
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        if (elapsed() - samples.back().seconds >= 2.0)
            samples.push_back({elapsed(), residentMiB()});
    }
    if (g)
        g->Close(true);
    samples.push_back({elapsed(), residentMiB()});

    std::ofstream csv(argv[2]);
    csv << "seconds,resident_mib\n";
    for (const Sample& s : samples)
        csv << s.seconds << ',' << s.mib << '\n';

    // Growth after warm-up: the lowest sample of the last tenth against the lowest of the tenth
    // that follows the warm-up. Frames of up to 1600 x 1600 at three times the pixels come and
    // go with the scripts, so the samples swing by hundreds of MiB; what a leak raises is the
    // floor they swing from.
    const double warmup = std::max(30.0, samples.back().seconds / 4);
    const auto warm = std::find_if(samples.begin(), samples.end(),
                                   [&](const Sample& s) { return s.seconds >= warmup; });
    const auto tenth = std::max<std::ptrdiff_t>(1, (samples.end() - warm) / 10);
    const double after = floorOf(warm, std::min(warm + tenth, samples.end()));
    const double last =
        floorOf(samples.end() - std::min(tenth, samples.end() - warm), samples.end());
    const double growth = last - after;
    plot(samples, warmup, argv[3]);
    std::printf("soak: %.1f min, %zu scripts, %zu events, %zu windows; resident %.1f MiB after "
                "warm-up, %.1f MiB at the end (lowest samples): %+.2f MiB\n",
                samples.back().seconds / 60, scripts, events, windows, after, last, growth);
    if (warm == samples.end() || growth > 4.0) {
        std::printf("soak: FAILED (%s)\n",
                    warm == samples.end() ? "too short to judge" : "memory still growing");
        return 1;
    }
    return 0;
}
