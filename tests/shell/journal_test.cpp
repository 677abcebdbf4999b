// Undo and redo through the real window: buttons, menu and the undo list.
#include "editor_fixture.h"

#include "list_box.h"
#include "opt.h"

#include <QApplication>
#include <QCheckBox>
#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Journal : public EditorTest {
protected:
    // An edit as the tools make them: change a raw word, record the step.
    void edit(const std::string& name, int32_t budget)
    {
        doc().Head[3] = budget;
        w->recordStep(name);
    }
    std::vector<std::string> undoRows() const
    {
        const ListBox* list = ctl<ListBox>("UdoList");
        std::vector<std::string> rows;
        rows.reserve(size_t(list->count()));
        for (int i = 0; i < list->count(); ++i)
            rows.push_back(list->item(i));
        return rows;
    }
    void clickRow(int row)
    {
        const QRect r = ctl<ListBox>("UdoList")->visualRect(ctl<ListBox>("UdoList")->model()->index(row, 0));
        QTest::mouseClick(ctl<ListBox>("UdoList")->viewport(), Qt::LeftButton, {}, r.center());
    }
};

} // namespace

TEST_F(Journal, NamedLoadWritesStateZeroAndOneEditStepsForward)
{
    start();
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_EQ(journal().UndoName[0], "L");
    EXPECT_TRUE(exists("TRV0.TMP"));
    EXPECT_FALSE(exists("TRV1.TMP"));

    edit("A", 1234);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(journal().UndoName[0], "A");
    EXPECT_TRUE(exists("TRV1.TMP"));
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "1234");

    ctl<QAction>("MUndo")->trigger();
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "10000");
    ctl<QAction>("MRedo")->trigger();
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "1234");
    ctl<QAction>("MRedo")->trigger(); // nothing beyond the last step
    EXPECT_EQ(journal().UndoPos, 1);

    // Undo at state 0 stays there; the document still counts as changed.
    ctl<QAction>("MUndo")->trigger();
    ctl<QAction>("MUndo")->trigger();
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_TRUE(journal().changed());
}

TEST_F(Journal, NewStepAfterUndoKeepsTheAbandonedRedoEntry)
{
    start();
    edit("A", 1);
    edit("B", 2);
    ctl<QAction>("MUndo")->trigger();
    ctl<QAction>("MUndo")->trigger();
    edit("C", 3);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(journal().UndoName[1], "B");

    QTest::mouseClick(ctl<QPushButton>("Undo"), Qt::LeftButton);
    ASSERT_TRUE(ctl<ListBox>("UdoList")->isVisible());
    EXPECT_FALSE(ctl<QPushButton>("Undo")->isVisible());
    EXPECT_EQ(undoRows(), (std::vector<std::string>{"   1  C", "          Cancel", "Redo: B"}));
    EXPECT_EQ(ctl<ListBox>("UdoList")->listIndex(), 1);

    // The redo entry leads to the old state 2 file, written before the undo.
    clickRow(2);
    EXPECT_FALSE(ctl<ListBox>("UdoList")->isVisible());
    EXPECT_TRUE(ctl<QPushButton>("Undo")->isVisible());
    EXPECT_EQ(journal().UndoPos, 2);
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "2");
}

TEST_F(Journal, UndoListTextsSelectionAndPicks)
{
    start();
    edit("A", 1);
    edit("B", 2);
    edit("C", 3);
    ctl<QAction>("MUndo")->trigger();
    QTest::mouseClick(ctl<QPushButton>("Redo"), Qt::LeftButton);
    EXPECT_EQ(undoRows(), (std::vector<std::string>{"   1  A", "   2  B", "          Cancel", "Redo: C"}));
    EXPECT_EQ(ctl<ListBox>("UdoList")->listIndex(), 2);

    // Picking row 0 goes back to the state before step A.
    clickRow(0);
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "10000");

    // Leaving the list closes it and changes nothing.
    QTest::mouseClick(ctl<QPushButton>("Undo"), Qt::LeftButton);
    ASSERT_TRUE(ctl<ListBox>("UdoList")->isVisible());
    EXPECT_EQ(undoRows().front(), "          Cancel");
    ctl<QLineEdit>("File")->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(ctl<ListBox>("UdoList")->isVisible());
    EXPECT_EQ(journal().UndoPos, 0);
}

TEST_F(Journal, RedrawAfterUndoKeepsTheRedoState)
{
    start();
    edit("A", 1);
    edit("B", 2);
    ctl<QAction>("MUndo")->trigger();
    const auto redoFile = trvtest::readAll(dir.file("TRV2.TMP"));
    w->Redraw_Click(); // writes the current state without a new name
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(trvtest::readAll(dir.file("TRV2.TMP")), redoFile);
    ctl<QAction>("MRedo")->trigger();
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "2");

    // A typed value is still committed by the next save as a step of its own.
    ctl<QAction>("MUndo")->trigger();
    ctl<QAction>("MUndo")->trigger();
    doc().Head[3] = 50; // what typing into a box does to the words
    w->nameTypedStep("Water: Change");
    EXPECT_EQ(journal().UndoName[0], "A"); // a name already there stays
    w->Redraw_Click();
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "50");
}

TEST_F(Journal, UnchangedDocumentOffersNoList)
{
    start();
    QTest::mouseClick(ctl<QPushButton>("Undo"), Qt::LeftButton);
    EXPECT_FALSE(ctl<ListBox>("UdoList")->isVisible());
    ctl<QAction>("MRedo")->trigger();
    EXPECT_EQ(journal().UndoPos, 0);
}

TEST_F(Journal, FullJournalRefusesTheNextStepAndKeepsEveryState)
{
    start();
    journal().goTo(trv::kMaxJournalState - 1);
    edit("before the end", 7); // writes the last state the names can hold
    EXPECT_EQ(journal().UndoPos, trv::kMaxJournalState);
    platform.messages.clear();
    edit("one too many", 8);
    EXPECT_EQ(journal().UndoPos, trv::kMaxJournalState);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("journal is full"));
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "7"); // back to the last state written
    EXPECT_TRUE(journal().UndoName[size_t(trv::kMaxJournalState)].empty());
}

TEST_F(Journal, JournalDumpListsTheWordsOfTheCurrentState)
{
    start();
    opt<QCheckBox>("CDebug")->setChecked(true);
    ctl<QLineEdit>("Proc")->setText("8");
    EXPECT_EQ(ctl<QLineEdit>("Proc")->text(), "0");
    ASSERT_TRUE(ctl<ListBox>("LDebug")->isVisible());
    EXPECT_TRUE(ctl<QCheckBox>("FixLooksSoft")->isVisible());
    const auto size = std::filesystem::file_size(dir.file("TRV0.TMP"));
    EXPECT_EQ(ctl<ListBox>("LDebug")->count(), int(size / 4));
    EXPECT_EQ(ctl<ListBox>("LDebug")->item(0), "00000001          1 0.0000152587890625");
    EXPECT_EQ(ctl<ListBox>("LDebug")->listIndex(), 1031);

    opt<QCheckBox>("CDebug")->setChecked(false);
    ctl<QLineEdit>("Proc")->setText("8");
    EXPECT_FALSE(ctl<ListBox>("LDebug")->isVisible());
}
