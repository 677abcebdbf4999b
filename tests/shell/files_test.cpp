// New, Open, Save As and the command box, through the real window and fake dialogs.
#include "editor_fixture.h"

#include "document.h"
#include "file_io.h"
#include "opt.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace {
class Files : public EditorTest {};
} // namespace

TEST_F(Files, OpenAnUpperCaseLevelName)
{
    start();
    ASSERT_GT(doc().NLines, 0);
    copyData("sample.lvl", "CANYON.LVL");
    platform.answers = {true};
    platform.chosenFiles = {path("CANYON.LVL")};
    QTest::mouseClick(ctl<QPushButton>("BuLoad"), Qt::LeftButton);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_FALSE(platform.dialogs[0].save);
    EXPECT_EQ(platform.dialogs[0].filters, (QStringList{"Bridges (*.brg)", "Levels (*.lvl)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(platform.dialogs[0].name, "sample.brg");
    EXPECT_EQ(platform.dialogs[0].folder, path(""));
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("CANYON.lvl"));
    EXPECT_TRUE(ctl<QRadioButton>("SavLvl")->isChecked());
    EXPECT_EQ(doc().NPoints, 4);
    EXPECT_EQ(doc().NLines, 0);
    EXPECT_EQ(journal().UndoName[0], "L");
    EXPECT_EQ(w->windowTitle(), "Zarvines Trusswick Editor v0.8   -   " + path("CANYON.lvl"));

    // Saving writes back to the file as it is named on disk.
    const auto before = std::filesystem::file_size(dir.file("CANYON.LVL"));
    QTest::mouseClick(ctl<QPushButton>("BuSave"), Qt::LeftButton);
    EXPECT_FALSE(exists("CANYON.lvl"));
    EXPECT_EQ(std::filesystem::file_size(dir.file("CANYON.LVL")), before);
}

TEST_F(Files, CancelChangesNothing)
{
    start();
    doc().Head[3] = 9;
    w->recordStep("Water: Change");
    const QString name = ctl<QLineEdit>("File")->text();

    platform.answers = {false}; // keep the changes
    QTest::mouseClick(ctl<QPushButton>("BuLoad"), Qt::LeftButton);
    EXPECT_TRUE(platform.dialogs.empty());

    platform.answers = {true}; // discard, then cancel the dialog
    QTest::mouseClick(ctl<QPushButton>("BuLoad"), Qt::LeftButton);
    EXPECT_EQ(platform.dialogs.size(), 1u);
    EXPECT_TRUE(journal().changed()); // still counts as changed

    QTest::mouseClick(ctl<QPushButton>("BuSaveAs"), Qt::LeftButton);
    EXPECT_EQ(platform.dialogs.size(), 2u);
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), name);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(doc().Head[3], 9);
}

TEST_F(Files, SaveAsAddsTheLayoutsExtension)
{
    start();
    platform.chosenFiles = {path("abcd")};
    QTest::mouseClick(ctl<QPushButton>("BuSaveAs"), Qt::LeftButton);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_TRUE(platform.dialogs[0].save);
    EXPECT_TRUE(platform.dialogs[0].confirm); // confirmations are on
    EXPECT_EQ(platform.dialogs[0].filters,
              (QStringList{"Bridges (*.brg)", "For bitmap use *.bmp (*.*)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("abcd.brg"));
    trv::Document saved;
    std::string msg;
    ASSERT_EQ(trv::readDocumentFile(dir.file("abcd.brg"), saved, msg), trv::ReadStatus::Ok);
    EXPECT_EQ(saved, doc());
    EXPECT_EQ(journal().UndoName[0], "L");
}

TEST_F(Files, SaveAsBitmapLeavesTheDocumentAlone)
{
    start();
    const QString name = ctl<QLineEdit>("File")->text();
    doc().Head[3] = 77;
    w->recordStep("Water: Change");
    platform.chosenFiles = {path("picture.BMP")};
    ctl<QAction>("MSaveAs")->trigger();
    QImage picture(path("picture.BMP"), "BMP");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), ctl<PicBox>("Pic")->image().size());
    const auto bytes = trvtest::readAll(dir.file("picture.BMP"));
    EXPECT_EQ(bytes[28], 24); // bits per pixel
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), name);
    EXPECT_TRUE(journal().changed());
    EXPECT_EQ(doc().Head[3], 77);
}

TEST_F(Files, NewOpensTheTemplateOrSaysItIsMissing)
{
    start();
    ctl<QAction>("MNew")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "new.brg not found");
    EXPECT_GT(doc().NLines, 0); // the document stays

    copyData("new.brg");
    opt<QCheckBox>("Apply")->setChecked(true);
    ctl<ScrollBar>("Zoom")->setValue(400);
    ctl<QAction>("MNew")->trigger();
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("new.brg"));
    EXPECT_EQ(doc().NPoints, 2);
    EXPECT_EQ(doc().NLines, 0);
    EXPECT_FALSE(opt<QCheckBox>("Apply")->isChecked());
    EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), 301);
    EXPECT_EQ(journal().UndoName[0], "L");
}

TEST_F(Files, CommandBoxRefitsAndResets)
{
    start();
    layoutPending() = false;
    ctl<PicBox>("Pic")->resize(100, 100);
    ctl<QLineEdit>("Proc")->setText("2");
    EXPECT_EQ(ctl<QLineEdit>("Proc")->text(), "0");
    EXPECT_GT(ctl<PicBox>("Pic")->width(), 100); // the layout pass placed the drawing area again
    EXPECT_FALSE(layoutPending());
}
