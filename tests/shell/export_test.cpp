// Bitmap export from the running editor: the single export with its suggested
// name, the files it writes, the preview that frames the level, and the folder
// export with and without subfolders.
#include "editor_fixture.h"

#include "controls.h"
#include "opt.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// Bits per pixel of a BMP file (bytes 28 and 29); 0 when it is not one.
int bmpBitsPerPixel(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray b = f.read(30);
    if (b.size() < 30 || !b.startsWith("BM"))
        return 0;
    return uchar(b[28]) | uchar(b[29]) << 8;
}

class Export : public EditorTest {
protected:
    Opt* o() { return optWindow(); }
    QString sub(const std::string& rel) const { return QString::fromStdString((dir.path() / rel).string()); }
    void copyTo(const char* data, const std::string& rel)
    {
        fs::create_directories((dir.path() / rel).parent_path());
        fs::copy_file(trvtest::dataDir() + "/" + data, dir.path() / rel, fs::copy_options::overwrite_existing);
    }
    void writeText(const std::string& rel, const char* text)
    {
        fs::create_directories((dir.path() / rel).parent_path());
        QFile f(sub(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    // Runs the folder export through its button, picking `first` in the dialog.
    void multisave(const QString& first)
    {
        platform.chosenFiles.push_back(first);
        QTest::mouseClick(opt<QPushButton>("MultiSave"), Qt::LeftButton);
    }
    // Pixel of the picture at a logical x, in the row of display y 240 (above
    // the terrain, where the boundaries are drawn last).
    QColor atLogicalX(const QImage& im, double x)
    {
        return im.pixelColor(trv::logicalToPixel(x, im.width(), ctl<PicBox>("Pic")->scaleWidth()), highRow(im));
    }
    int highRow(const QImage& im)
    {
        return trv::logicalToPixel(w->ToScreen(0, 240).y(), im.height(), ctl<PicBox>("Pic")->scaleHeight());
    }
    double unitsPerPixel() { return ctl<PicBox>("Pic")->scaleWidth() / ctl<PicBox>("Pic")->width(); }
};

const QColor boundary(255, 0, 0);

} // namespace

TEST_F(Export, SuggestsTheDocumentNameAndAppendsTheExtension)
{
    start();
    w->BmpSaveSelect(); // cancelled
    ASSERT_EQ(platform.dialogs.size(), 1u);
    const auto& d = platform.dialogs[0];
    EXPECT_TRUE(d.save);
    EXPECT_EQ(d.name, "sample.bmp");
    EXPECT_EQ(d.folder, QString::fromStdString(dir.path().string()) + "/");
    EXPECT_EQ(d.filters, QStringList{"Bitmap (*.bmp)"});
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_NE(e.path().extension(), ".bmp");

    ctl<QLineEdit>("File")->setText("C:\\Levels\\bridge1.brg");
    w->BmpSaveSelect();
    EXPECT_EQ(platform.dialogs.back().folder, "C:\\Levels\\");
    EXPECT_EQ(platform.dialogs.back().name, "bridge1.bmp");

    for (const char* typed : {"pic", "pic.png", "a.b"}) {
        platform.chosenFiles.push_back(path(typed));
        QTest::mouseClick(opt<QPushButton>("SaveBmp"), Qt::LeftButton);
    }
    EXPECT_EQ(bmpBitsPerPixel(path("pic.bmp")), 24);
    // A name ending in .png stays, and in portable mode holds a Windows bitmap all the same.
    EXPECT_EQ(trvtest::readAll(dir.file("pic.png")), trvtest::readAll(dir.file("pic.bmp")));
    EXPECT_EQ(bmpBitsPerPixel(path("a.b.bmp")), 24);
    EXPECT_FALSE(exists("pic"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Export, WritesThePersistentImageWithoutOverlays)
{
    start();
    ctl<PicBox>("Pic")->LLL = {0, 0, 8192, 8192, true, QColor(1, 2, 3)};
    chosenFile() = path("view.bmp");
    w->BmpSave();
    const QImage saved(path("view.bmp"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(bmpBitsPerPixel(path("view.bmp")), 24);
    EXPECT_EQ(saved.size(), ctl<PicBox>("Pic")->size());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              ctl<PicBox>("Pic")->image().convertToFormat(QImage::Format_RGB32));
    const QImage shown = ctl<PicBox>("Pic")->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2),
              QColor(1, 2, 3)); // the overlay is on screen only
}

TEST_F(Export, UnwritableBitmapNamesTheFile)
{
    start();
    const QString target = path("missing/folder/x.bmp");
    platform.chosenFiles.push_back(target);
    w->BmpSaveSelect();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(target));
}

TEST_F(Export, PreviewFramesTheLevelBetweenItsMargins)
{
    start();
    const QSize before = w->size();
    opt<QCheckBox>("Apply")->setChecked(true);
    QApplication::processEvents();
    EXPECT_FALSE(ctl<MouseButton>("Center2")->isVisible());
    EXPECT_FALSE(ctl<MouseButton>("BYScroll2")->isVisible());
    EXPECT_EQ(ctl<PicBox>("Pic")->height(), 400);
    const double span = view().ScaleX * (64 * tables().RightEnd - 32 * tables().LeftEnd);
    // Left boundary 3 units left of the edge: not in the picture; the right one 1 unit inside the right edge.
    EXPECT_NEAR(view().OffsetX + view().ScaleX * 32 * tables().LeftEnd, -3, 1e-9);
    EXPECT_NEAR(ctl<PicBox>("Pic")->scaleWidth(), span - 2, unitsPerPixel());
    QImage im = ctl<PicBox>("Pic")->image();
    EXPECT_NE(im.pixelColor(0, highRow(im)), boundary);
    EXPECT_EQ(atLogicalX(im, span - 3), boundary);
    EXPECT_EQ(opt<QLabel>("LabelPixel")->text(), QString("%1 x 400").arg(ctl<PicBox>("Pic")->width()));
    // The pointer moving over the picture keeps the fitted view.
    const double offset = view().OffsetX, scale = view().ScaleX;
    w->Pic_MouseMove(0, 0, ctl<PicBox>("Pic")->scaleWidth() / 2, 100);
    EXPECT_EQ(view().OffsetX, offset);
    EXPECT_EQ(view().ScaleX, scale);

    // Ten units of margin put the left boundary 97 units in.
    opt<QLineEdit>("BmpLeft")->setText("10");
    opt<QLineEdit>("BmpRight")->setText("10");
    EXPECT_NEAR(view().OffsetX + view().ScaleX * 32 * tables().LeftEnd, 97, 1e-9);
    EXPECT_NEAR(ctl<PicBox>("Pic")->scaleWidth(), span + 198, unitsPerPixel());
    im = ctl<PicBox>("Pic")->image();
    EXPECT_EQ(atLogicalX(im, 97), boundary);
    EXPECT_NE(atLogicalX(im, 90), boundary);
    EXPECT_EQ(atLogicalX(im, 97 + span), boundary);

    // The picture height follows BmpHeight; switching off restores the window.
    opt<QLineEdit>("BmpHeight")->setText("250");
    QApplication::processEvents();
    ctl<QLineEdit>("Proc")->setText("1");
    EXPECT_EQ(ctl<PicBox>("Pic")->height(), 250);
    EXPECT_TRUE(opt<QLabel>("LabelPixel")->text().endsWith(" x 250"));
    opt<QCheckBox>("Apply")->setChecked(false);
    QApplication::processEvents();
    EXPECT_EQ(w->size(), before);
    EXPECT_TRUE(ctl<MouseButton>("Center2")->isVisible());
}

TEST_F(Export, FrameClickTogglesThePreviewAndNewEndsIt)
{
    start();
    emit opt<ClickFrame>("FrameApply")->clicked();
    EXPECT_TRUE(opt<QCheckBox>("Apply")->isChecked());
    emit opt<ClickFrame>("FrameApply")->clicked();
    EXPECT_FALSE(opt<QCheckBox>("Apply")->isChecked());
    opt<QCheckBox>("Apply")->setChecked(true);
    copyData("new.brg");
    ctl<QAction>("MNew")->trigger();
    EXPECT_FALSE(opt<QCheckBox>("Apply")->isChecked());
}

TEST_F(Export, PixelSizeLabelShowsWidthAndLaidOutHeight)
{
    start();
    // A client area of 640 pixels gives a drawing area of as many; its height
    // is set through the window.
    w->resize(640, w->height() + 400 - ctl<PicBox>("Pic")->height());
    QApplication::processEvents();
    ctl<QLineEdit>("Proc")->setText("2");
    ASSERT_EQ(ctl<PicBox>("Pic")->width(), 640);
    ASSERT_EQ(ctl<PicBox>("Pic")->height(), 400);
    EXPECT_EQ(opt<QLabel>("LabelPixel")->text(), "640 x 400");
}

TEST_F(Export, FolderExportWritesABitmapBesideEachLevelAndBridge)
{
    start();
    copyTo("sample.lvl", "set/level1.lvl");
    copyTo("sample.brg", "set/level2.BRG");
    writeText("set/notes.txt", "not a level");
    multisave(sub("set/notes.txt"));
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_FALSE(platform.dialogs[0].save);
    EXPECT_EQ(platform.dialogs[0].name, "sample");
    EXPECT_EQ(platform.dialogs[0].filters, QStringList{"Select folder and first bridge/level (*)"});

    EXPECT_EQ(bmpBitsPerPixel(sub("set/level1.bmp")), 24);
    EXPECT_EQ(bmpBitsPerPixel(sub("set/level2.bmp")), 24);
    EXPECT_FALSE(fs::exists(dir.path() / "set/notes.bmp"));
    EXPECT_EQ(QImage(sub("set/level2.bmp")).height(), 400);
    // The last file stays open in the preview.
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), sub("set/level2.brg"));
    EXPECT_TRUE(opt<QCheckBox>("Apply")->isChecked());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Export, SubfoldersAreWalkedInNameOrderWithoutFollowingLinks)
{
    start();
    copyTo("sample.brg", "tree/a.brg");
    copyTo("sample.lvl", "tree/sub1/b.lvl");
    copyTo("sample.brg", "tree/sub1/deeper/c.brg");
    copyTo("sample.brg", "tree/sub2/d.brg");
    copyTo("sample.brg", "tree/.hidden/e.brg");
    fs::create_directory_symlink(dir.path() / "tree", dir.path() / "tree/sub1/loop");
    fs::create_directory_symlink(dir.path() / "tree/sub2", dir.path() / "tree/sub3");
    copyTo("sample.brg", "outside/x.brg");
    fs::create_directory_symlink(dir.path() / "outside", dir.path() / "tree/sub4");
    fs::create_directory(dir.path() / "tree/fake.brg"); // a folder with a document's name

    multisave(sub("tree/a.brg")); // without subfolders first
    EXPECT_TRUE(fs::exists(dir.path() / "tree/a.bmp"));
    EXPECT_FALSE(fs::exists(dir.path() / "tree/sub1/b.bmp"));

    opt<QCheckBox>("Subfolders")->setChecked(true);
    fs::remove(dir.path() / "tree/a.bmp");
    multisave(sub("tree/a.brg"));
    // The walk's order and what it skips: tests/app.
    for (const char* made : {"tree/a.bmp", "tree/sub1/b.bmp", "tree/sub1/deeper/c.bmp", "tree/sub2/d.bmp"})
        EXPECT_EQ(bmpBitsPerPixel(sub(made)), 24) << made;
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), sub("tree/sub2/d.brg")); // the last in name order
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Export, ProblemsAreReportedOnceAtTheEndAfterTheRest)
{
    start();
    copyTo("sample.brg", "mix/1.brg");
    writeText("mix/2.brg", "far too short for a bridge");
    copyTo("sample.brg", "mix/3.brg");
    fs::create_directory(dir.path() / "mix/3.bmp"); // its picture cannot be written
    copyTo("sample.lvl", "mix/4.lvl");
    // A picture that is a link to a file elsewhere, and a name that is no valid text.
    copyTo("sample.brg", "mix/0.brg");
    writeText("outside.txt", "keep");
    fs::create_symlink(dir.path() / "outside.txt", dir.path() / "mix/0.bmp");
    trvtest::writeAll(dir.file("mix/bad\xff.brg"), trvtest::readAll(dir.file("mix/1.brg")));
    multisave(sub("mix/1.brg"));
    EXPECT_TRUE(fs::exists(dir.path() / "mix/1.bmp"));
    EXPECT_TRUE(fs::exists(dir.path() / "mix/4.bmp"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("2.brg"));
    EXPECT_TRUE(platform.messages[0].text.contains(sub("mix/3.bmp")));
    EXPECT_TRUE(platform.messages[0].text.contains(sub("mix/0.bmp")));
    EXPECT_TRUE(platform.messages[0].text.contains(sub("mix/bad"))) << platform.messages[0].text.toStdString();
    EXPECT_EQ(trvtest::readAll(dir.file("outside.txt")), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), sub("mix/4.lvl"));
}

TEST_F(Export, SecondFolderExportIsRefusedWhileOneRuns)
{
    start();
    for (int i = 0; i < 3; ++i)
        copyTo("sample.brg", "busy/b" + std::to_string(i) + ".brg");
    // Pressed again while the first lets events run.
    QTimer::singleShot(0, w.get(), [&] {
        platform.chosenFiles.push_back(sub("busy/b0.brg"));
        QTest::mouseClick(opt<QPushButton>("MultiSave"), Qt::LeftButton);
    });
    multisave(sub("busy/b0.brg"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "A folder export is already running.");
    EXPECT_EQ(platform.dialogs.size(), 1u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(fs::exists(dir.path() / ("busy/b" + std::to_string(i) + ".bmp")));
}

TEST_F(Export, ExitDuringAFolderExportStopsIt)
{
    start();
    for (int i = 0; i < 5; ++i)
        copyTo("sample.brg", "quit/b" + std::to_string(i) + ".brg");
    QTimer::singleShot(0, w.get(), [&] { w->Exit_Click(); });
    multisave(sub("quit/b0.brg"));
    EXPECT_TRUE(platform.ended);
    EXPECT_FALSE(fs::exists(dir.path() / "quit/b4.bmp"));
}

TEST_F(Export, MultisaveOfTwoHundredBridges)
{
    start();
    for (int i = 0; i < 200; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "many/br%03d.brg", i);
        copyTo("sample.brg", name);
    }
    QElapsedTimer clock;
    clock.start();
    multisave(sub("many/br000.brg"));
    const double seconds = clock.elapsed() / 1000.0;
    std::cout << "[ RATE     ] 200 bridges in " << seconds << " s: " << 200 / seconds << " files/s\n";
    EXPECT_TRUE(platform.messages.empty());

    const QImage first(sub("many/br000.bmp"));
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.height(), 400);
    // The same bridge is still shown: every file holds its picture.
    EXPECT_EQ(first.convertToFormat(QImage::Format_RGB32),
              ctl<PicBox>("Pic")->image().convertToFormat(QImage::Format_RGB32));
    for (int i = 0; i < 200; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "many/br%03d.bmp", i);
        ASSERT_EQ(bmpBitsPerPixel(sub(name)), 24) << name;
        // Same bridge, same picture: the size from the header, every pixel for a few.
        EXPECT_EQ(fs::file_size(dir.path() / name), fs::file_size(dir.path() / "many/br000.bmp")) << name;
        if (i % 50 == 49) {
            EXPECT_EQ(QImage(sub(name)), first) << name;
        }
    }
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), sub("many/br199.brg"));
}
