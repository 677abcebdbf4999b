#include "bgb_samples.h"
#include "converter_window.h"
#include "temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QtTest/QTest>

#include "qt_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace bgbtest;
namespace fs = std::filesystem;

namespace {

class ConverterWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trvtest::ensureApplication();
        window_ = std::make_unique<ConverterWindow>();
        window_->show();
    }

    ConverterWindow& w() { return *window_; }
    std::string file(const std::string& name) const { return dir_.file(name); }
    QString qfile(const std::string& name) const { return QString::fromStdString(file(name)); }
    QString dirText() const { return QString::fromStdString(dir_.path().string() + "/"); }

    void writeSample(const std::string& name) { trvtest::writeAll(file(name), bytesOf(sampleBrg())); }

    // Drags the given URLs onto TxIn and drops them; returns whether the drag
    // was accepted on entering.
    bool drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = w().TxIn->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w().TxIn, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w().TxIn, &dropped);
        return enter.isAccepted();
    }
    bool dropFile(const std::string& name) { return drop({QUrl::fromLocalFile(qfile(name))}); }

    void clickConvert() { QTest::mouseClick(w().BuConv, Qt::LeftButton); }

    std::vector<std::string> folderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    trvtest::TempDir dir_;
    std::unique_ptr<ConverterWindow> window_;
};

TEST_F(ConverterWindowTest, StartsWithItsCaptionsAndTexts)
{
    EXPECT_EQ(w().windowTitle(), "Zarvines brg to bgb Converter");
    EXPECT_EQ(w().TxIn->text(), "Drop the brg file here");
    EXPECT_EQ(w().BuConv->text(), "Convert");
    EXPECT_EQ(w().ChFold->text(), "All files in Folder");
    EXPECT_FALSE(w().ChFold->isChecked());
    EXPECT_TRUE(w().DropName.isEmpty());
}

TEST_F(ConverterWindowTest, DroppedBrgIsConvertedOnClick)
{
    writeSample("Bridge.BRG");
    ASSERT_TRUE(dropFile("Bridge.BRG"));
    EXPECT_EQ(w().DropName, qfile("Bridge.BRG"));
    EXPECT_EQ(w().DropDir, dirText());
    EXPECT_EQ(w().TxIn->text(), qfile("Bridge.BRG"));
    EXPECT_FALSE(fs::exists(file("Bridge.bgb")));

    clickConvert();
    EXPECT_EQ(trvtest::readAll(file("Bridge.bgb")), bytesOf(sampleBgb()));
    EXPECT_EQ(w().BaseName, qfile("Bridge."));
    // A single file is not marked done, and can be converted again.
    EXPECT_EQ(w().TxIn->text(), qfile("Bridge.BRG"));
    EXPECT_EQ(w().DropName, qfile("Bridge.BRG"));
}

TEST_F(ConverterWindowTest, DropsOfOtherFilesAreRefusedWithANote)
{
    writeSample("a.brg");
    writeSample("level.lvl");
    writeSample("x.brg.txt");
    ASSERT_TRUE(dropFile("a.brg"));
    ASSERT_EQ(w().DropName, qfile("a.brg"));
    EXPECT_TRUE(w().LaNote->text().isEmpty());

    // The refused file is named and clears the name to convert: Convert then
    // does nothing, not even to the bridge dropped before.
    dropFile("level.lvl");
    EXPECT_EQ(w().LaNote->text(), "Not a .brg file: level.lvl");
    EXPECT_TRUE(w().DropName.isEmpty());
    EXPECT_EQ(w().TxIn->text(), qfile("a.brg")); // the box keeps its text
    clickConvert();
    EXPECT_FALSE(fs::exists(file("a.bgb")));
    EXPECT_FALSE(fs::exists(file("level.bgb")));

    ASSERT_TRUE(dropFile("a.brg"));
    dropFile("x.brg.txt");
    EXPECT_EQ(w().LaNote->text(), "Not a .brg file: x.brg.txt");
    EXPECT_TRUE(w().DropName.isEmpty());
    // A drop without local files is not taken at all.
    ASSERT_TRUE(dropFile("a.brg"));
    EXPECT_FALSE(drop({QUrl("https://example.org/b.brg")}));
    EXPECT_EQ(w().DropName, qfile("a.brg"));

    ASSERT_TRUE(dropFile("a.brg"));
    EXPECT_TRUE(w().LaNote->text().isEmpty());
}

TEST_F(ConverterWindowTest, BrowseActsAsADropOfTheChosenFile)
{
    writeSample("first.brg");
    writeSample("Chosen.BRG");
    writeSample("level.lvl");
    ASSERT_TRUE(dropFile("first.brg"));
    QString answer;
    QString askedFolder, askedFilter;
    w().chooseFile = [&](const QString& folder, const QString& filter) {
        askedFolder = folder;
        askedFilter = filter;
        return answer;
    };

    // Cancelled: nothing changes.
    QTest::mouseClick(w().BuBrowse, Qt::LeftButton);
    EXPECT_EQ(askedFolder, dirText()); // starts where the last bridge came from
    EXPECT_TRUE(askedFilter.contains("(*.brg)")) << askedFilter.toStdString();
    EXPECT_EQ(w().DropName, qfile("first.brg"));

    answer = qfile("level.lvl");
    QTest::mouseClick(w().BuBrowse, Qt::LeftButton);
    EXPECT_EQ(w().LaNote->text(), "Not a .brg file: level.lvl");
    EXPECT_TRUE(w().DropName.isEmpty());

    answer = qfile("Chosen.BRG");
    QTest::mouseClick(w().BuBrowse, Qt::LeftButton);
    EXPECT_TRUE(w().LaNote->text().isEmpty());
    EXPECT_EQ(w().TxIn->text(), qfile("Chosen.BRG"));
    clickConvert();
    EXPECT_EQ(trvtest::readAll(file("Chosen.bgb")), bytesOf(sampleBgb()));
    EXPECT_FALSE(fs::exists(file("first.bgb")));
}

TEST_F(ConverterWindowTest, FirstLocalFileOfADropIsTaken)
{
    writeSample("first.brg");
    writeSample("second.brg");
    ASSERT_TRUE(drop({QUrl("https://example.org/remote.brg"), QUrl::fromLocalFile(qfile("first.brg")),
                      QUrl::fromLocalFile(qfile("second.brg"))}));
    EXPECT_EQ(w().DropName, qfile("first.brg"));
    clickConvert();
    EXPECT_TRUE(fs::exists(file("first.bgb")));
    EXPECT_FALSE(fs::exists(file("second.bgb")));
}

TEST_F(ConverterWindowTest, FolderRunConvertsEveryBrgAndNothingElse)
{
    writeSample("a.brg");
    writeSample("b.BRG");
    writeSample("c.lvl");
    writeSample("notes.txt");
    writeSample(".hidden.brg");
    fs::create_directory(file("sub.brg"));
    writeSample("z.brg");
    const std::vector<uint8_t> lvlBefore = trvtest::readAll(file("c.lvl"));

    ASSERT_TRUE(dropFile("b.BRG"));
    w().ChFold->setChecked(true);
    clickConvert();

    EXPECT_EQ(trvtest::readAll(file("a.bgb")), bytesOf(sampleBgb()));
    EXPECT_EQ(trvtest::readAll(file("b.bgb")), bytesOf(sampleBgb()));
    EXPECT_EQ(trvtest::readAll(file("z.bgb")), bytesOf(sampleBgb()));
    EXPECT_EQ(trvtest::readAll(file("c.lvl")), lvlBefore);
    EXPECT_EQ(folderEntries(),
              (std::vector<std::string>{".hidden.brg", "a.bgb", "a.brg", "b.BRG", "b.bgb", "c.lvl", "notes.txt",
                                        "sub.brg", "z.bgb", "z.brg"}));
    EXPECT_EQ(w().TxIn->text(), dirText() + "z.brg   Done");
    EXPECT_TRUE(w().DropName.isEmpty());

    // After a folder run Convert does nothing until the next drop.
    fs::remove(file("a.bgb"));
    clickConvert();
    EXPECT_FALSE(fs::exists(file("a.bgb")));
}

TEST_F(ConverterWindowTest, FolderRunRepaintsBetweenFilesAndIgnoresInputMeanwhile)
{
    writeSample("a.brg");
    writeSample("b.brg");
    writeSample("other.brg");
    ASSERT_TRUE(dropFile("a.brg"));
    w().ChFold->setChecked(true);

    // Runs during the first event pass of the run, i.e. while the first file is shown.
    QString shownFirst;
    bool dropAccepted = true;
    QTimer::singleShot(0, [&] {
        shownFirst = w().TxIn->text();
        clickConvert();
        dropAccepted = dropFile("other.brg");
    });
    clickConvert();

    EXPECT_EQ(shownFirst, qfile("a.brg"));
    EXPECT_FALSE(dropAccepted);
    EXPECT_TRUE(w().DropName.isEmpty());
    EXPECT_EQ(w().TxIn->text(), dirText() + "other.brg   Done");
}

TEST_F(ConverterWindowTest, FolderRunReportsFailuresAndGoesOn)
{
    writeSample("a.brg");
    trvtest::writeAll(file("b_short.brg"), std::vector<uint8_t>(100, 0));
    std::vector<uint32_t> badCount = brgWords({}, {});
    badCount[1030] = 100000;
    trvtest::writeAll(file("c_count.brg"), bytesOf(badCount));
    writeSample("d_blocked.brg");
    fs::create_directory(file("d_blocked.bgb"));
    writeSample("e.brg");

    ASSERT_TRUE(dropFile("a.brg"));
    w().ChFold->setChecked(true);
    clickConvert();

    EXPECT_TRUE(fs::exists(file("a.bgb")));
    EXPECT_TRUE(fs::exists(file("e.bgb")));
    EXPECT_FALSE(fs::exists(file("b_short.bgb")));
    EXPECT_FALSE(fs::exists(file("c_count.bgb")));
    EXPECT_TRUE(fs::is_directory(file("d_blocked.bgb")));
    EXPECT_TRUE(fs::is_empty(file("d_blocked.bgb")));

    // The last file is shown as done, followed by every failure with its path and reason.
    const QString text = w().TxIn->text();
    EXPECT_TRUE(text.startsWith(qfile("e.brg") + "   Done")) << text.toStdString();
    EXPECT_TRUE(text.contains("2 converted, 3 failed")) << text.toStdString();
    EXPECT_TRUE(text.contains(qfile("b_short.brg") + ": the file is 100 bytes long")) << text.toStdString();
    EXPECT_TRUE(text.contains(qfile("c_count.brg") + ": the point count 100000 is outside 0..8190"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(qfile("d_blocked.brg") + ": cannot write " + qfile("d_blocked.bgb")))
        << text.toStdString();
    EXPECT_EQ(w().TxIn->toolTip().count('\n'), 2);
}

TEST_F(ConverterWindowTest, ReportOfManyFailuresIsCompleteAndScrolls)
{
    EXPECT_TRUE(w().TxReport->isHidden());
    writeSample("a.brg");
    writeSample("z.brg");
    QStringList lines;
    for (int i = 0; i < 1140; ++i) {
        const std::string name = "bridge_with_a_rather_long_name_" + std::to_string(10000 + i) + ".brg";
        trvtest::writeAll(file(name), std::vector<uint8_t>(100, 0));
        lines << qfile(name) + ": the file is 100 bytes long, shorter than the 4128 bytes of an empty bridge";
    }
    ASSERT_TRUE(dropFile("a.brg"));
    w().ChFold->setChecked(true);
    clickConvert();

    EXPECT_FALSE(w().TxReport->isHidden());
    EXPECT_TRUE(w().TxReport->isReadOnly());
    EXPECT_EQ(w().TxReport->toPlainText(), "2 converted, 1140 failed\n" + lines.join('\n'));
    // Under the drop box, inside the window, scrolling rather than growing off the screen.
    EXPECT_GT(w().TxReport->y(), w().TxIn->y());
    EXPECT_TRUE(w().rect().contains(w().TxReport->geometry()));
    EXPECT_GT(w().TxReport->verticalScrollBar()->maximum(), 0);
    EXPECT_LT(w().height(), 1000);

    // A run without failures takes the report away, and the room it took.
    const int heightWithReport = w().height();
    for (int i = 0; i < 1140; ++i)
        fs::remove(file("bridge_with_a_rather_long_name_" + std::to_string(10000 + i) + ".brg"));
    ASSERT_TRUE(dropFile("a.brg"));
    clickConvert();
    EXPECT_TRUE(w().TxReport->isHidden());
    EXPECT_LT(w().height(), heightWithReport);
}

TEST_F(ConverterWindowTest, LongerOldOutputIsReplacedWhole)
{
    writeSample("a.brg");
    trvtest::writeAll(file("a.bgb"), std::vector<uint8_t>(9000, 0x55));
    ASSERT_TRUE(dropFile("a.brg"));
    clickConvert();
    EXPECT_EQ(trvtest::readAll(file("a.bgb")), bytesOf(sampleBgb()));
}

TEST_F(ConverterWindowTest, UnwritableOutputLeavesNoPartialFile)
{
    writeSample("a.brg");
    // A folder in the way cannot be replaced by a file, not even by root.
    fs::create_directory(file("a.bgb"));
    ASSERT_TRUE(dropFile("a.brg"));
    clickConvert();

    EXPECT_TRUE(fs::is_directory(file("a.bgb")));
    EXPECT_TRUE(fs::is_empty(file("a.bgb")));
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"a.bgb", "a.brg"})); // no temporary left behind
    EXPECT_TRUE(w().TxIn->text().startsWith(qfile("a.brg") + "   Failed: cannot write " + qfile("a.bgb")))
        << w().TxIn->text().toStdString();
}

TEST_F(ConverterWindowTest, BadOrMissingSourceIsReported)
{
    std::vector<uint32_t> words = brgWords({{2, kF1, kF1}}, {{0, 1, 2}});
    trvtest::writeAll(file("bad.brg"), bytesOf(words));
    ASSERT_TRUE(dropFile("bad.brg"));
    clickConvert();
    EXPECT_FALSE(fs::exists(file("bad.bgb")));
    EXPECT_EQ(w().TxIn->text(),
              qfile("bad.brg") +
                  "   Failed: line 1 ends at point number 1, but the file has 1 "
                  "points (numbered from 0)");

    writeSample("gone.brg");
    ASSERT_TRUE(dropFile("gone.brg"));
    fs::remove(file("gone.brg"));
    clickConvert();
    EXPECT_FALSE(fs::exists(file("gone.bgb")));
    EXPECT_TRUE(w().TxIn->text().startsWith(qfile("gone.brg") + "   Failed: cannot open the file"))
        << w().TxIn->text().toStdString();

    // A folder whose name ends in .brg is no bridge either.
    fs::create_directory(file("folder.brg"));
    ASSERT_TRUE(dropFile("folder.brg"));
    clickConvert();
    EXPECT_FALSE(fs::exists(file("folder.bgb")));
    EXPECT_EQ(w().TxIn->text(), qfile("folder.brg") + "   Failed: not an ordinary file");
}

} // namespace
