// Renders of the largest document (8,190 points, 8,190 lines, terrain thickness
// 150, gradient 200) over the zoom range, in line mode and terrain mode, grid on
// and off, beside the cost of filling an image of that size and blitting it. The
// image is 1920 x 1080 unless TRUSSWICK_BENCH_SIZE says otherwise (WIDTHxHEIGHT,
// such as 3840x2160). Each view is rendered three ways:
//   Render         without a cache, as after any change of view;
//   RenderKept     through a cache whose layers still fit, as after an edit of
//                  points or lines, a hover or a drag;
//   RenderScrolled through a cache while the view moves by one scroll step
//                  each time, so the layers are drawn and kept every time.
// The closing table gives each median and its ratio to that fill-and-blit
// floor. It uses CPU time: the machine is shared, and a render runs on one
// thread, so waiting for a core is not part of its cost.
#include "derived.h"
#include "document.h"
#include "largest_document.h"
#include "renderer.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// The picture's size, set once before the benchmarks are registered.
int gWidth = 1920, gHeight = 1080;

// TRUSSWICK_BENCH_SIZE as WIDTHxHEIGHT; false when it is set but not a size.
bool readSize()
{
    const char* text = std::getenv("TRUSSWICK_BENCH_SIZE");
    if (!text || !*text)
        return true;
    int w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1 || w > 16384 || h > 16384)
        return false;
    gWidth = w;
    gHeight = h;
    return true;
}
constexpr int kZooms[] = {1, 31, 151, 301, 451, trv::kZoomMax};

struct LargestScene {
    trv::Document doc = largestDocument();
    trv::DerivedTables tables;
    LargestScene() { trv::deriveTables(doc, tables); }
};

const LargestScene& scene()
{
    static const LargestScene s;
    return s;
}

struct Setup {
    int zoom;
    bool terrainMode;
    bool grid;
    std::string label() const
    {
        return std::string(terrainMode ? "terrain" : "line") + "/grid_" + (grid ? "on" : "off") + "/zoom_" +
            std::to_string(zoom);
    }
};

trv::RenderInputs inputsFor(const Setup& s)
{
    const auto& sc = scene();
    trv::RenderInputs in{sc.doc, sc.tables};
    in.view = trv::UpdateViewScale(gWidth * 15.0, gHeight * 15.0, 200, s.zoom, 0, 0);
    in.landStyle = 150;
    in.backStyle = 200;
    in.grid = s.grid;
    in.landMode = s.terrainMode;
    in.lineMode = !s.terrainMode;
    in.showPoints = true;
    return in;
}

std::vector<Setup>& setups()
{
    static std::vector<Setup> all;
    return all;
}

void Render(benchmark::State& state, Setup s)
{
    QImage image(gWidth, gHeight, QImage::Format_RGB32);
    const trv::RenderInputs in = inputsFor(s);
    for (auto _ : state) {
        const auto r = trv::RenderView(image, in);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void RenderKept(benchmark::State& state, Setup s)
{
    QImage image(gWidth, gHeight, QImage::Format_RGB32);
    const trv::RenderInputs in = inputsFor(s);
    trv::RenderCache cache;
    trv::RenderView(image, in, cache);
    for (auto _ : state) {
        const auto r = trv::RenderView(image, in, cache);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (cache.reuses() < (long long)state.iterations())
        state.SkipWithError("the cache was not used");
}

void RenderScrolled(benchmark::State& state, Setup s)
{
    QImage image(gWidth, gHeight, QImage::Format_RGB32);
    trv::RenderInputs in = inputsFor(s);
    const trv::ViewState views[2] = {in.view, trv::UpdateViewScale(gWidth * 15.0, gHeight * 15.0, 200, s.zoom, 0, 1)};
    trv::RenderCache cache;
    int k = 0;
    for (auto _ : state) {
        in.view = views[k ^= 1];
        const auto r = trv::RenderView(image, in, cache);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void FillAndBlit(benchmark::State& state)
{
    QImage image(gWidth, gHeight, QImage::Format_RGB32);
    QImage screen(gWidth, gHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(72, 72, 72));
        QPainter p(&screen);
        p.drawImage(0, 0, image);
        p.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

// The console output, then one table of medians (the single run's time without
// repetitions) against the floor.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            if (median || single)
                ms_[r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args)] =
                    r.GetAdjustedCPUTime() * (r.time_unit == benchmark::kMicrosecond ? 1e-3 : 1);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto floor = ms_.find("FillAndBlit");
        if (floor == ms_.end() || !(floor->second > 0))
            return;
        std::printf("\nfill and blit %dx%d: %.3f ms CPU\n\n", gWidth, gHeight, floor->second);
        std::printf("| mode | grid | zoom | uncached ms | x floor | kept ms | x floor | scrolled ms | x floor |\n"
                    "|---|---|---:|---:|---:|---:|---:|---:|---:|\n");
        for (const Setup& s : setups()) {
            std::printf("| %s | %s | %d", s.terrainMode ? "terrain" : "line", s.grid ? "on" : "off", s.zoom);
            for (const char* kind : {"Render/", "RenderKept/", "RenderScrolled/"}) {
                const auto it = ms_.find(kind + s.label());
                if (it != ms_.end())
                    std::printf(" | %.2f | %.1f", it->second, it->second / floor->second);
                else
                    std::printf(" | | ");
            }
            std::printf(" |\n");
        }
    }

private:
    std::map<std::string, double> ms_;
};

} // namespace

int main(int argc, char** argv)
{
    // Text and fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!readSize()) {
        std::fprintf(stderr, "TRUSSWICK_BENCH_SIZE: expected WIDTHxHEIGHT, such as 3840x2160\n");
        return 2;
    }
    benchmark::AddCustomContext("picture", std::to_string(gWidth) + "x" + std::to_string(gHeight));
    benchmark::RegisterBenchmark("FillAndBlit", FillAndBlit)->Unit(benchmark::kMillisecond);
    for (const bool terrainMode : {false, true})
        for (const bool grid : {true, false})
            for (const int zoom : kZooms) {
                const Setup s{zoom, terrainMode, grid};
                setups().push_back(s);
                benchmark::RegisterBenchmark(("Render/" + s.label()).c_str(), Render, s)->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(("RenderKept/" + s.label()).c_str(), RenderKept, s)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(("RenderScrolled/" + s.label()).c_str(), RenderScrolled, s)
                    ->Unit(benchmark::kMillisecond);
            }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
