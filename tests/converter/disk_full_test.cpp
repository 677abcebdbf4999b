// Converting onto a disk with no room left: every old .bgb stays as it was and
// the user is told which file failed and why.
#include "bgb_samples.h"
#include "converter_window.h"
#include "drag_drop.h"
#include "qt_app.h"
#include "run_program.h"
#include "temp_dir.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace bgbtest;
namespace fs = std::filesystem;

namespace {

class DiskFullTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (trvtest::smallFileSystem().empty())
            GTEST_SKIP() << "TRV_SMALL_FS is unset: run through CTest, which mounts a small file system for this test";
        dir_ = std::make_unique<trvtest::TempDir>(trvtest::smallFileSystem());
        for (const char* name : {"a", "b"}) {
            trvtest::writeAll(file(std::string(name) + ".brg"), bytesOf(sampleBrg()));
            trvtest::writeAll(file(std::string(name) + ".bgb"), oldBgb_);
        }
        trvtest::fillFileSystem(dir_->path().string());
    }

    std::string file(const std::string& name) const { return dir_->file(name); }
    QString qfile(const std::string& name) const { return QString::fromStdString(file(name)); }

    // The old outputs unchanged and nothing left behind.
    void expectFolderUntouched() const
    {
        EXPECT_EQ(trvtest::readAll(file("a.bgb")), oldBgb_);
        EXPECT_EQ(trvtest::readAll(file("b.bgb")), oldBgb_);
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_->path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"a.bgb", "a.brg", "b.bgb", "b.brg", "filler"}));
    }

    // A good .bgb from an earlier run, shorter than the new one would be.
    const std::vector<uint8_t> oldBgb_ = bytesOf(bgbHead());
    std::unique_ptr<trvtest::TempDir> dir_;
};

TEST_F(DiskFullTest, WindowKeepsTheOldBgbAndNamesFileAndReason)
{
    trvtest::ensureApplication();
    ConverterWindow w;
    w.show();
    ASSERT_TRUE(trvtest::dragAndDrop(w.TxIn, {QUrl::fromLocalFile(qfile("a.brg"))}));

    const QString noSpace = "cannot write " + qfile("a.bgb") + " (No space left on device)";
    QTest::mouseClick(w.BuConv, Qt::LeftButton);
    EXPECT_EQ(w.TxIn->text(), qfile("a.brg") + "   Failed: " + noSpace);
    EXPECT_FALSE(w.TxReport->isHidden());
    EXPECT_EQ(w.TxReport->toPlainText(), "0 converted, 1 failed\n" + qfile("a.brg") + ": " + noSpace);
    expectFolderUntouched();

    w.ChFold->setChecked(true);
    QTest::mouseClick(w.BuConv, Qt::LeftButton);
    EXPECT_FALSE(w.TxIn->text().contains("Done")) << w.TxIn->text().toStdString();
    EXPECT_EQ(w.TxReport->toPlainText(),
              "0 converted, 2 failed\n" + qfile("a.brg") + ": " + noSpace + "\n" + qfile("b.brg") + ": cannot write " +
                  qfile("b.bgb") + " (No space left on device)");
    expectFolderUntouched();
}

TEST_F(DiskFullTest, CommandLineKeepsTheOldBgbAndNamesFileAndReason)
{
    const auto single = trvtest::runWithoutDisplay(RONDIX012_PATH, {"a.brg"}, dir_->path().string());
    EXPECT_EQ(single.exitCode, 1);
    EXPECT_EQ(single.out, "");
    EXPECT_EQ(single.err, "Rondix012: a.brg: cannot write a.bgb (No space left on device)\n");
    expectFolderUntouched();

    const auto folder = trvtest::runWithoutDisplay(RONDIX012_PATH, {"--folder", dir_->path().string()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.out, "");
    EXPECT_NE(folder.err.find(file("a.brg") + ": cannot write " + file("a.bgb") + " (No space left on device)\n"),
              std::string::npos)
        << folder.err;
    EXPECT_NE(folder.err.find(file("b.brg") + ": cannot write " + file("b.bgb") + " (No space left on device)\n"),
              std::string::npos)
        << folder.err;
    expectFolderUntouched();
}

} // namespace
