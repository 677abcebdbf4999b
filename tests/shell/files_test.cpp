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
    ASSERT_GT(w->doc.NLines, 0);
    copyData("sample.lvl", "CANYON.LVL");
    platform.answers = {true};
    platform.chosenFiles = {path("CANYON.LVL")};
    QTest::mouseClick(w->BuLoad, Qt::LeftButton);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_FALSE(platform.dialogs[0].save);
    EXPECT_EQ(platform.dialogs[0].filters,
              (QStringList{"Bridges (*.brg)", "Levels (*.lvl)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(platform.dialogs[0].name, "sample.brg");
    EXPECT_EQ(platform.dialogs[0].folder, path(""));
    EXPECT_EQ(w->File->text(), path("CANYON.lvl"));
    EXPECT_TRUE(w->SavLvl->isChecked());
    EXPECT_EQ(w->doc.NPoints, 4);
    EXPECT_EQ(w->doc.NLines, 0);
    EXPECT_EQ(w->journal.UndoName[0], "L");
    EXPECT_EQ(w->windowTitle(), "Zarvines Trusswick Editor v0.8   -   " + path("CANYON.lvl"));

    // Saving writes back to the file as it is named on disk.
    const auto before = std::filesystem::file_size(dir.file("CANYON.LVL"));
    QTest::mouseClick(w->BuSave, Qt::LeftButton);
    EXPECT_FALSE(exists("CANYON.lvl"));
    EXPECT_EQ(std::filesystem::file_size(dir.file("CANYON.LVL")), before);
}

TEST_F(Files, CancelChangesNothing)
{
    start();
    w->doc.Head[3] = 9;
    w->recordStep("Water: Change");
    const QString name = w->File->text();

    platform.answers = {false}; // keep the changes
    QTest::mouseClick(w->BuLoad, Qt::LeftButton);
    EXPECT_TRUE(platform.dialogs.empty());

    platform.answers = {true}; // discard, then cancel the dialog
    QTest::mouseClick(w->BuLoad, Qt::LeftButton);
    EXPECT_EQ(platform.dialogs.size(), 1u);
    EXPECT_TRUE(w->journal.changed()); // still counts as changed

    QTest::mouseClick(w->BuSaveAs, Qt::LeftButton);
    EXPECT_EQ(platform.dialogs.size(), 2u);
    EXPECT_EQ(w->File->text(), name);
    EXPECT_EQ(w->UndoPos, 1);
    EXPECT_EQ(w->doc.Head[3], 9);
}

TEST_F(Files, SaveAsAddsTheLayoutsExtension)
{
    start();
    platform.chosenFiles = {path("abcd")};
    QTest::mouseClick(w->BuSaveAs, Qt::LeftButton);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_TRUE(platform.dialogs[0].save);
    EXPECT_TRUE(platform.dialogs[0].confirm); // confirmations are on
    EXPECT_EQ(platform.dialogs[0].filters,
              (QStringList{"Bridges (*.brg)", "For bitmap use *.bmp (*.*)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(w->File->text(), path("abcd.brg"));
    trv::Document saved;
    std::string msg;
    ASSERT_EQ(trv::readDocumentFile(dir.file("abcd.brg"), saved, msg), trv::ReadStatus::Ok);
    EXPECT_EQ(saved, w->doc);
    EXPECT_EQ(w->journal.UndoName[0], "L");
}

TEST_F(Files, SaveAsBitmapLeavesTheDocumentAlone)
{
    start();
    const QString name = w->File->text();
    w->doc.Head[3] = 77;
    w->recordStep("Water: Change");
    platform.chosenFiles = {path("picture.BMP")};
    w->MSaveAs->trigger();
    QImage picture(path("picture.BMP"), "BMP");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), w->Pic->image().size());
    const auto bytes = trvtest::readAll(dir.file("picture.BMP"));
    EXPECT_EQ(bytes[28], 24); // bits per pixel
    EXPECT_EQ(w->File->text(), name);
    EXPECT_TRUE(w->journal.changed());
    EXPECT_EQ(w->doc.Head[3], 77);
}

TEST_F(Files, NewOpensTheTemplateOrSaysItIsMissing)
{
    start();
    w->MNew->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "new.brg not found");
    EXPECT_GT(w->doc.NLines, 0); // the document stays

    copyData("new.brg");
    w->opt->Apply->setChecked(true);
    w->Zoom->setValue(400);
    w->MNew->trigger();
    EXPECT_EQ(w->File->text(), path("new.brg"));
    EXPECT_EQ(w->doc.NPoints, 2);
    EXPECT_EQ(w->doc.NLines, 0);
    EXPECT_FALSE(w->opt->Apply->isChecked());
    EXPECT_EQ(w->Zoom->value(), 301);
    EXPECT_EQ(w->journal.UndoName[0], "L");
}

TEST_F(Files, CommandBoxRefitsAndResets)
{
    start();
    w->LayoutPending = false;
    w->Pic->resize(100, 100);
    w->Proc->setText("2");
    EXPECT_EQ(w->Proc->text(), "0");
    EXPECT_GT(w->Pic->width(), 100); // the layout pass placed the drawing area again
    EXPECT_FALSE(w->LayoutPending);
}
