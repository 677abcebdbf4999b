// One journal step (SaveDocument: write the state, take it back, rebuild tables
// and lists, draw) and one RenderView on the largest document, both through the
// window's render cache, whose background layers stay, in the real window on a
// 1920 x 1080 drawing area: 8,190 points, 8,190 lines, terrain style 150,
// gradient 200, grid on, line mode.
#include "document.h"
#include "file_io.h"
#include "form1.h"
#include "largest_document.h"
#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "platform.h"
#include "words.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cmath>
#include <fstream>

namespace {

class QuietPlatform : public Platform {
public:
    bool message(QWidget*, const QString&, Buttons, bool) override { return true; }
    void report(QWidget*, const QString&, const QStringList&) override {}
    QString openFile(QWidget*, const QStringList&, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QStringList&, const QString&, const QString&, bool) override { return {}; }
    bool openTextViewer(const QString&) override { return true; }
    void endProcess() override {}
};

struct Editor {
    QTemporaryDir dir;
    QuietPlatform platform;
    std::unique_ptr<Form1> w;

    Editor()
    {
        const QString doc = dir.filePath("largest.brg");
        trv::writeFileSafely(doc.toStdString(), trv::serializeDocument(largestDocument(), true));
        {
            std::ofstream ini(dir.filePath("Trv.ini").toStdString(), std::ios::binary);
            ini << doc.toStdString() << "\r\n 100  150  200  0  0  400  200 \r\n 1  0  1  1  1  1  1 \r\n";
        }
        w = std::make_unique<Form1>(platform, AppPaths::portableIn(dir.path()));
        w->show();
        w->centralWidget()->setFixedSize(1920, 1144); // the drawing area becomes 1920 x 1080
        w->adjustSize();
        QApplication::processEvents();
        w->findChild<QRadioButton*>("ELine")->setChecked(true);
        w->RenderView();
    }
};

// Ended before the application: a window outliving it crashes at exit.
std::unique_ptr<Editor>& editorSlot()
{
    static std::unique_ptr<Editor> e;
    return e;
}

Editor& editor()
{
    if (!editorSlot())
        editorSlot() = std::make_unique<Editor>();
    return *editorSlot();
}

// A document that failed to load would make every figure meaningless.
bool loaded(benchmark::State& state, const Form1& w)
{
    if (w.findChild<ListBox*>("LPoint")->count() == trv::kMaxPoints &&
        w.findChild<ListBox*>("LLine")->count() == trv::kMaxLines)
        return true;
    state.SkipWithError("the largest document did not load");
    return false;
}

void JournalStep(benchmark::State& state)
{
    Form1& w = *editor().w;
    if (!loaded(state, w))
        return;
    auto* money = w.findChild<QLineEdit*>("Money");
    int budget = 1000000;
    for (auto _ : state) {
        // A typed budget, so the state is really written; it names no step, so
        // the journal stays at its state and never fills up.
        state.PauseTiming();
        money->setText(QString::number(++budget));
        state.ResumeTiming();
        w.Redraw_Click();
    }
    const QImage& image = w.findChild<PicBox*>("Pic")->image();
    state.counters["pic_width"] = image.width();
    state.counters["pic_height"] = image.height();
}
BENCHMARK(JournalStep)->Unit(benchmark::kMillisecond);

void Render(benchmark::State& state)
{
    Form1& w = *editor().w;
    if (!loaded(state, w))
        return;
    for (auto _ : state)
        w.RenderView();
}
BENCHMARK(Render)->Unit(benchmark::kMillisecond);

void FillAndBlitBaseline(benchmark::State& state)
{
    QImage image(1920, 1080, QImage::Format_RGB32), screen(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(72, 72, 72));
        QPainter p(&screen);
        p.drawImage(0, 0, image);
    }
}
BENCHMARK(FillAndBlitBaseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editorSlot().reset();
    return 0;
}
