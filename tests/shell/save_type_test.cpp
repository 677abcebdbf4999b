// Saving as bridge or level, dropping lines and soft points, and files the
// reader or the disk refuses.
#include "editor_fixture.h"

#include "controls.h"
#include "document.h"
#include "file_io.h"
#include "list_box.h"
#include "opt.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
    ASSERT_GT(doc().NLines, 0);
    click(ctl<QRadioButton>("SavLvl"));
    EXPECT_TRUE(ctl<QRadioButton>("SavLvl")->isChecked());
    EXPECT_TRUE(ctl<QLineEdit>("File")->text().endsWith("sample.lvl"));
    EXPECT_EQ(w->windowTitle(), "Zarvines Trusswick Editor v0.8   -   " + ctl<QLineEdit>("File")->text());
    EXPECT_FALSE(ctl<QCheckBox>("SavLines")->isChecked());
    EXPECT_FALSE(ctl<QCheckBox>("SavLines")->isEnabled());
    EXPECT_FALSE(ctl<QRadioButton>("ELine")->isEnabled());
    EXPECT_TRUE(ctl<QRadioButton>("EPoint")->isChecked());
    EXPECT_EQ(doc().NLines, 0);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(journal().UndoName[0], "Line: Delete All Lines");

    platform.messages.clear();
    click(ctl<QPushButton>("BuSave"));
    EXPECT_TRUE(platform.messages.empty()); // the lines were dropped already: no warning
    const auto bytes = trvtest::readAll(dir.file("sample.lvl"));
    EXPECT_EQ(bytes.size(), trv::documentByteSize(true, doc().NPoints, 0));
    EXPECT_EQ(readBack(path("sample.lvl")), doc());
    EXPECT_EQ(journal().UndoName[0], "L");

    // And back to a bridge: lines may be drawn again.
    click(ctl<QRadioButton>("SavBrg"));
    EXPECT_TRUE(ctl<QLineEdit>("File")->text().endsWith("sample.brg"));
    EXPECT_TRUE(ctl<QCheckBox>("SavLines")->isEnabled());
    EXPECT_TRUE(ctl<QCheckBox>("SavLines")->isChecked());
    EXPECT_TRUE(ctl<QRadioButton>("ELine")->isEnabled());
}

TEST_F(SaveType, TheSaveTypeControlsNeverKeepTheKeyboard)
{
    start();
    click(ctl<QCheckBox>("SavLines")); // drops the lines: one step
    click(ctl<QCheckBox>("SavLines"));
    const int pos = journal().UndoPos;
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), Qt::Key_Space);
    EXPECT_EQ(journal().UndoPos, pos); // Space redraws; it does not toggle a check box again
    EXPECT_TRUE(ctl<QCheckBox>("SavLines")->isChecked());
}

TEST_F(SaveType, UncheckingSoftPointsRecordsTwoStepsAndKeepsTheFixedOnes)
{
    start();
    const int fixed = tables().fixedCount(doc().NPoints);
    ASSERT_GT(doc().NPoints, fixed);
    click(ctl<QCheckBox>("SavSoft"));
    EXPECT_EQ(journal().UndoPos, 2);
    EXPECT_EQ(journal().UndoName[0], "Line: Delete All Lines");
    EXPECT_EQ(journal().UndoName[1], "Point: Delete All Soft");
    EXPECT_EQ(doc().NPoints, fixed);
    EXPECT_EQ(doc().NLines, 0);
    EXPECT_FALSE(ctl<QCheckBox>("SavSoft")->isChecked());
    EXPECT_FALSE(ctl<QCheckBox>("SavLines")->isChecked());
    EXPECT_EQ(ctl<ClickLabel>("LabelLPoint")->text(), QString(" %1 Fixed  0 Soft").arg(fixed));
    EXPECT_EQ(ctl<QLabel>("LLines")->text(), "0 Lines");
}

TEST_F(SaveType, NamedSaveWithoutSoftPointsWritesOnlyTheFixedOnesAndTheirLines)
{
    start();
    opt<QCheckBox>("Confirm")->setChecked(false);
    const int fixed = tables().fixedCount(doc().NPoints);
    // Keep one line between two fixed points, so that it must survive.
    doc().Lin[1][2] = 0;
    doc().Lin[1][3] = 1;
    w->recordStep("Line: Draw");
    ctl<QCheckBox>("SavSoft")->setChecked(false); // by code: no deleting step, only the save drops them
    click(ctl<QPushButton>("BuSave"));
    const trv::Document saved = readBack(path("sample.brg"));
    EXPECT_EQ(saved.NPoints, fixed);
    EXPECT_EQ(saved.NLines, 1);
    EXPECT_EQ(saved.Lin[1][2], 0);
    EXPECT_EQ(saved.Lin[1][3], 1);
    EXPECT_EQ(doc(), saved); // the reload makes the document equal to the file
}

TEST_F(SaveType, DiscardWarningCancelWritesNothing)
{
    start();
    const auto before = trvtest::readAll(dir.file("sample.brg"));
    const int lines = doc().NLines;
    ctl<QCheckBox>("SavLines")->setChecked(false);
    platform.answers = {false};
    click(ctl<QPushButton>("BuSave"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Discarding lines \nOK to proceed");
    EXPECT_EQ(platform.messages[0].buttons, Platform::Buttons::OkCancel);
    EXPECT_TRUE(platform.messages[0].warning);
    EXPECT_EQ(trvtest::readAll(dir.file("sample.brg")), before);
    EXPECT_EQ(doc().NLines, lines);

    ctl<QCheckBox>("SavSoft")->setChecked(false);
    platform.answers = {true};
    click(ctl<QPushButton>("BuSave"));
    EXPECT_EQ(platform.messages.back().text, "Discarding lines and soft points \nOK to proceed");
    EXPECT_EQ(readBack(path("sample.brg")).NLines, 0);
}

TEST_F(SaveType, SavingOverALongerFileLeavesExactlyTheNewDocument)
{
    start();
    std::vector<uint8_t> longer = trvtest::readAll(dir.file("sample.brg"));
    longer.resize(longer.size() + 5000, 0xAB);
    trvtest::writeAll(dir.file("sample.brg"), longer);
    click(ctl<QPushButton>("BuSave"));
    EXPECT_EQ(std::filesystem::file_size(dir.file("sample.brg")),
              trv::documentByteSize(false, doc().NPoints, doc().NLines));
}

TEST_F(SaveType, NameWithoutExtensionLosesItsLastThreeCharacters)
{
    start();
    ctl<QLineEdit>("File")->setText(path("abcd"));
    EXPECT_TRUE(ctl<QLineEdit>("File")->text().endsWith("/abrg")) << ctl<QLineEdit>("File")->text().toStdString();
    ctl<QRadioButton>("SavLvl")->setChecked(true);
    ctl<QLineEdit>("File")->setText(path("abcd"));
    EXPECT_TRUE(ctl<QLineEdit>("File")->text().endsWith("/alvl")) << ctl<QLineEdit>("File")->text().toStdString();
}

TEST_F(SaveType, UnwritableTargetKeepsDocumentJournalAndOldFile)
{
    start();
    doc().Head[3] = 4321;
    w->recordStep("Water: Change");
    const int pos = journal().UndoPos;
    const std::string name0 = journal().UndoName[0];

    // A missing folder, and a folder standing where the file should be.
    std::filesystem::create_directory(dir.file("taken.brg"));
    for (const char* target : {"missing/x.brg", "taken.brg"}) {
        platform.messages.clear();
        ctl<QLineEdit>("File")->setText(path(target));
        click(ctl<QPushButton>("BuSave"));
        ASSERT_EQ(platform.messages.size(), 1u) << target;
        EXPECT_TRUE(platform.messages[0].text.contains(target)) << platform.messages[0].text.toStdString();
        EXPECT_EQ(journal().UndoPos, pos);
        EXPECT_EQ(journal().UndoName[0], name0);
        EXPECT_EQ(doc().Head[3], 4321);
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.brg")));
}

TEST_F(SaveType, RefusedFileLeavesDocumentJournalAndNameAlone)
{
    start();
    doc().Head[3] = 555;
    w->recordStep("Water: Change");
    const QString name = ctl<QLineEdit>("File")->text();
    std::vector<uint8_t> hostile = trvtest::readAll(dir.file("sample.brg"));
    hostile.resize(5000); // shorter than its counts require
    trvtest::writeAll(dir.file("bad.brg"), hostile);

    platform.answers = {true}; // discard the change
    platform.chosenFiles = {path("bad.brg")};
    click(ctl<QPushButton>("BuLoad"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.contains("bad.brg"));
    EXPECT_TRUE(platform.messages[1].text.contains("shorter"));
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), name);
    EXPECT_EQ(doc().Head[3], 555);
    EXPECT_EQ(journal().UndoPos, 1);
}
