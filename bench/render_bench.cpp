// One full render of the largest document (8,190 points, 8,190 lines, terrain
// thickness 150, gradient 200, grid on, line mode) into a 1920 x 1080 image,
// beside the cost of filling an image of that size and blitting it.
#include "derived.h"
#include "document.h"
#include "renderer.h"
#include "words.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

struct LargestScene {
    trv::Document doc;
    trv::DerivedTables tables;

    LargestScene()
    {
        doc.Head[1] = trv::encodeY(-80);
        doc.Head[2] = trv::encodeY(40);
        doc.Head[3] = 1000000;
        // Boundaries at the ends of the terrain, so every column lies between them.
        doc.Head[4] = trv::encodeLeftEnd(-256);
        doc.Head[5] = trv::encodeRightEnd(127.75);
        for (int c = 1; c <= trv::kColumns; ++c)
            doc.Head[c + 5] = trv::encodeY(60 * std::sin(c * 0.05) - 20);
        // A lattice of 91 x 90 points over the whole level, the first row fixed.
        doc.NPoints = trv::kMaxPoints;
        for (int i = 1; i <= doc.NPoints; ++i) {
            const int col = (i - 1) % 91, row = (i - 1) / 91;
            const double x = -8000 + col * 176.0;
            auto& p = doc.Pnt[i];
            p[1] = row == 0 ? 2 : 1;
            p[2] = trv::encodeX(x < 0 ? 2 * x : x);
            p[3] = trv::encodeY(row * 2.5 - 100);
        }
        // Lines to the right-hand neighbour, rails and plain lines in short runs.
        doc.NLines = trv::kMaxLines;
        for (int i = 1; i <= doc.NLines; ++i)
            doc.Lin[i] = {0, 0, i - 1, i % doc.NPoints, (i / 3) % 2 + 1, 0x40000000, 0, 0};
        trv::deriveTables(doc, tables);
    }
};

const LargestScene& scene()
{
    static const LargestScene s;
    return s;
}

void renderLargest(benchmark::State& state, int zoom)
{
    const auto& s = scene();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    trv::RenderInputs in{s.doc, s.tables};
    in.view = trv::UpdateViewScale(kWidth * 15.0, kHeight * 15.0, 200, zoom, 0, 0);
    in.landStyle = 150;
    in.backStyle = 200;
    in.grid = true;
    in.lineMode = true;
    in.showPoints = true;
    for (auto _ : state) {
        const auto r = trv::RenderView(image, in);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The view a freshly opened document gets (zoom 301, centred).
void RenderLargestOpened(benchmark::State& state) { renderLargest(state, 301); }
BENCHMARK(RenderLargestOpened)->Unit(benchmark::kMillisecond);

// Zoomed out so that the whole terrain band and every point and line are in view.
void RenderLargestWholeLevel(benchmark::State& state) { renderLargest(state, 1); }
BENCHMARK(RenderLargestWholeLevel)->Unit(benchmark::kMillisecond);

void FillAndBlit(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(72, 72, 72));
        QPainter p(&screen);
        p.drawImage(0, 0, image);
        p.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(FillAndBlit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Text and fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
