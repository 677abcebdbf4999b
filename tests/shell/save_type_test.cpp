// Saving as bridge or level, dropping lines and soft points, and files the
// reader or the disk refuses.
#include "editor_fixture.h"

#include "controls.h"
#include "document.h"
#include "file_io.h"
#include "list_box.h"
#include "opt.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QTest>

#include <filesystem>

namespace {

trv::Document readBack(const QString& path)
{
    trv::Document d;
    std::string msg;
    EXPECT_EQ(trv::readDocumentFile(path.toStdString(), d, msg), trv::ReadStatus::Ok) << msg;
    return d;
}

// Clicks a check box or option button the way a user does.
void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }

class SaveType : public EditorTest {};

} // namespace

TEST_F(SaveType, ChoosingLevelDropsTheLinesAsAStepAndSavesWithoutHeaderWordZero)
{
    start();
    ASSERT_GT(w->doc.NLines, 0);
    click(w->SavLvl);
    EXPECT_TRUE(w->SavLvl->isChecked());
    EXPECT_TRUE(w->File->text().endsWith("sample.lvl"));
    EXPECT_EQ(w->windowTitle(), "Zarvines Trusswick Editor v0.8   -   " + w->File->text());
    EXPECT_FALSE(w->SavLines->isChecked());
    EXPECT_FALSE(w->SavLines->isEnabled());
    EXPECT_FALSE(w->ELine->isEnabled());
    EXPECT_TRUE(w->EPoint->isChecked());
    EXPECT_EQ(w->doc.NLines, 0);
    EXPECT_EQ(w->UndoPos, 1);
    EXPECT_EQ(w->journal.UndoName[0], "Line: Delete All Lines");

    platform.messages.clear();
    click(w->BuSave);
    EXPECT_TRUE(platform.messages.empty()); // the lines were dropped already: no warning
    const auto bytes = trvtest::readAll(dir.file("sample.lvl"));
    EXPECT_EQ(bytes.size(), trv::documentByteSize(true, w->doc.NPoints, 0));
    EXPECT_EQ(readBack(path("sample.lvl")), w->doc);
    EXPECT_EQ(w->journal.UndoName[0], "L");

    // And back to a bridge: lines may be drawn again.
    click(w->SavBrg);
    EXPECT_TRUE(w->File->text().endsWith("sample.brg"));
    EXPECT_TRUE(w->SavLines->isEnabled());
    EXPECT_TRUE(w->SavLines->isChecked());
    EXPECT_TRUE(w->ELine->isEnabled());
}

TEST_F(SaveType, TheSaveTypeControlsNeverKeepTheKeyboard)
{
    start();
    click(w->SavLines); // drops the lines: one step
    click(w->SavLines);
    const int pos = w->UndoPos;
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), Qt::Key_Space);
    EXPECT_EQ(w->UndoPos, pos); // Space redraws; it does not toggle a check box again
    EXPECT_TRUE(w->SavLines->isChecked());
}

TEST_F(SaveType, UncheckingSoftPointsRecordsTwoStepsAndKeepsTheFixedOnes)
{
    start();
    const int fixed = w->tables.fixedCount(w->doc.NPoints);
    ASSERT_GT(w->doc.NPoints, fixed);
    click(w->SavSoft);
    EXPECT_EQ(w->UndoPos, 2);
    EXPECT_EQ(w->journal.UndoName[0], "Line: Delete All Lines");
    EXPECT_EQ(w->journal.UndoName[1], "Point: Delete All Soft");
    EXPECT_EQ(w->doc.NPoints, fixed);
    EXPECT_EQ(w->doc.NLines, 0);
    EXPECT_FALSE(w->SavSoft->isChecked());
    EXPECT_FALSE(w->SavLines->isChecked());
    EXPECT_EQ(w->LabelLPoint->text(), QString(" %1 Fixed  0 Soft").arg(fixed));
    EXPECT_EQ(w->LLines->text(), "0 Lines");
}

TEST_F(SaveType, NamedSaveWithoutSoftPointsWritesOnlyTheFixedOnesAndTheirLines)
{
    start();
    w->opt->Confirm->setChecked(false);
    const int fixed = w->tables.fixedCount(w->doc.NPoints);
    // Keep one line between two fixed points, so that it must survive.
    w->doc.Lin[1][2] = 0;
    w->doc.Lin[1][3] = 1;
    w->recordStep("Line: Draw");
    w->SavSoft->setChecked(false); // by code: no deleting step, only the save drops them
    click(w->BuSave);
    const trv::Document saved = readBack(path("sample.brg"));
    EXPECT_EQ(saved.NPoints, fixed);
    EXPECT_EQ(saved.NLines, 1);
    EXPECT_EQ(saved.Lin[1][2], 0);
    EXPECT_EQ(saved.Lin[1][3], 1);
    EXPECT_EQ(w->doc, saved); // the reload makes the document equal to the file
}

TEST_F(SaveType, DiscardWarningCancelWritesNothing)
{
    start();
    const auto before = trvtest::readAll(dir.file("sample.brg"));
    const int lines = w->doc.NLines;
    w->SavLines->setChecked(false);
    platform.answers = {false};
    click(w->BuSave);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Discarding lines \nOK to proceed");
    EXPECT_EQ(platform.messages[0].buttons, Platform::Buttons::OkCancel);
    EXPECT_TRUE(platform.messages[0].warning);
    EXPECT_EQ(trvtest::readAll(dir.file("sample.brg")), before);
    EXPECT_EQ(w->doc.NLines, lines);
    EXPECT_EQ(w->UseFile, 0);

    w->SavSoft->setChecked(false);
    platform.answers = {true};
    click(w->BuSave);
    EXPECT_EQ(platform.messages.back().text, "Discarding lines and soft points \nOK to proceed");
    EXPECT_EQ(readBack(path("sample.brg")).NLines, 0);
}

TEST_F(SaveType, SavingOverALongerFileLeavesExactlyTheNewDocument)
{
    start();
    std::vector<uint8_t> longer = trvtest::readAll(dir.file("sample.brg"));
    longer.resize(longer.size() + 5000, 0xAB);
    trvtest::writeAll(dir.file("sample.brg"), longer);
    click(w->BuSave);
    EXPECT_EQ(std::filesystem::file_size(dir.file("sample.brg")),
              trv::documentByteSize(false, w->doc.NPoints, w->doc.NLines));
}

TEST_F(SaveType, NameWithoutExtensionLosesItsLastThreeCharacters)
{
    start();
    w->File->setText(path("abcd"));
    EXPECT_TRUE(w->File->text().endsWith("/abrg")) << w->File->text().toStdString();
    w->SavLvl->setChecked(true);
    w->File->setText(path("abcd"));
    EXPECT_TRUE(w->File->text().endsWith("/alvl")) << w->File->text().toStdString();
}

TEST_F(SaveType, UnwritableTargetKeepsDocumentJournalAndOldFile)
{
    start();
    w->doc.Head[3] = 4321;
    w->recordStep("Water: Change");
    const int pos = w->UndoPos;
    const std::string name0 = w->journal.UndoName[0];

    // A missing folder, and a folder standing where the file should be.
    std::filesystem::create_directory(dir.file("taken.brg"));
    for (const char* target : {"missing/x.brg", "taken.brg"}) {
        platform.messages.clear();
        w->File->setText(path(target));
        click(w->BuSave);
        ASSERT_EQ(platform.messages.size(), 1u) << target;
        EXPECT_TRUE(platform.messages[0].text.contains(target)) << platform.messages[0].text.toStdString();
        EXPECT_EQ(w->UndoPos, pos);
        EXPECT_EQ(w->journal.UndoName[0], name0);
        EXPECT_EQ(w->doc.Head[3], 4321);
        EXPECT_EQ(w->UseFile, 0);
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.brg")));
}

TEST_F(SaveType, RefusedFileLeavesDocumentJournalAndNameAlone)
{
    start();
    w->doc.Head[3] = 555;
    w->recordStep("Water: Change");
    const QString name = w->File->text();
    std::vector<uint8_t> hostile = trvtest::readAll(dir.file("sample.brg"));
    hostile.resize(5000); // shorter than its counts require
    trvtest::writeAll(dir.file("bad.brg"), hostile);

    platform.answers = {true}; // discard the change
    platform.chosenFiles = {path("bad.brg")};
    click(w->BuLoad);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.contains("bad.brg"));
    EXPECT_TRUE(platform.messages[1].text.contains("shorter"));
    EXPECT_EQ(w->File->text(), name);
    EXPECT_EQ(w->doc.Head[3], 555);
    EXPECT_EQ(w->UndoPos, 1);
}
