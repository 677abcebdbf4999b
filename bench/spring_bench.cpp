// One step of the spring test run on the largest document (8,190 points, 8,190
// lines): the step alone, and the step with its picture drawn into a 1920 x 1080
// image, as a pointer move over "Test" does.
#include "derived.h"
#include "document.h"
#include "renderer.h"
#include "spring.h"
#include "words.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>

namespace {

trv::Document largest()
{
    trv::Document d;
    d.Head[0] = 1;
    d.Head[1] = trv::encodeY(-60);
    d.Head[2] = trv::encodeY(40);
    d.Head[3] = 1000000;
    d.Head[4] = trv::encodeLeftEnd(-256);
    d.Head[5] = trv::encodeRightEnd(127);
    for (int c = 1; c <= trv::kColumns; ++c)
        d.Head[c + 5] = trv::encodeY(std::round(60 * std::sin(c / 40.0)));
    d.NPoints = trv::kMaxPoints;
    for (int i = 1; i <= d.NPoints; ++i) {
        const int x = -8000 + (i * 37) % 16000, y = -100 + (i * 13) % 200;
        d.Pnt[i] = {};
        d.Pnt[i][1] = i <= 100 ? 2 : 1;
        d.Pnt[i][2] = trv::encodeX(x < 0 ? 2 * x : x);
        d.Pnt[i][3] = trv::encodeY(y > 0 ? y / 2.0 : y);
    }
    d.NLines = trv::kMaxLines;
    for (int i = 1; i <= d.NLines; ++i)
        d.Lin[i] = {0, 0, i - 1, i % d.NPoints, i % 3 == 0 ? 2 : 1, 0x41000000, 0, 0};
    return d;
}

struct Run {
    trv::Document doc = largest();
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
