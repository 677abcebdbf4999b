// One step of the spring test run on the largest document (8,190 points, 8,190
// lines): the step alone, and the step with its picture drawn into a 1920 x 1080
// image, as a pointer move over "Test" does.
#include "derived.h"
#include "document.h"
#include "largest_document.h"
#include "renderer.h"
#include "spring.h"
#include "words.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>

namespace {

struct Run {
    trv::Document doc = largestDocument();
    trv::DerivedTables tables;
    std::vector<std::array<double, 3>> acc;
    int16_t tick = 0;
    trv::SpringPicture picture;
    Run()
    {
        trv::deriveTables(doc, tables);
        acc.assign(size_t(doc.NPoints) + 1, {0, 0, 0});
    }
};

void SpringStep(benchmark::State& state)
{
    Run r;
    for (auto _ : state) {
        trv::springStep(r.doc, r.tables, r.acc, r.tick, r.picture);
        benchmark::DoNotOptimize(r.picture.lines.data());
    }
}
BENCHMARK(SpringStep)->Unit(benchmark::kMicrosecond);

void SpringStepAndPicture(benchmark::State& state)
{
    Run r;
    QImage image(1920, 1080, QImage::Format_RGB32);
    trv::ViewState view = trv::UpdateViewScale(1920 * 15.0, 1080 * 15.0, 200, 301, 0, 0);
    for (auto _ : state) {
        trv::springStep(r.doc, r.tables, r.acc, r.tick, r.picture);
        trv::RenderSpringPicture(image, r.picture, view, QColor(72, 72, 72), 255);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(SpringStepAndPicture)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
