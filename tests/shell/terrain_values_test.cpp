// Terrain strokes, fixed-level drawing and smoothing through the drawing area,
// and the general values through their boxes, buttons and captions.
#include "pic_test.h"

#include "controls.h"
#include "list_box.h"
#include "words.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

// Columns under the display positions used below (column c at 16 * (c - 513)).
constexpr int kColAtMinus100 = 507, kColAt100 = 519;
const QColor kSelected(255, 255, 0);

class Editor : public PicTest {
protected:
    // new.brg at the opening zoom: the whole level is in view.
    void startIn(QRadioButton* Form1::*mode)
    {
        start("new.brg");
        w->select((*w).*mode);
    }
    int32_t column(int c) const { return w->doc.Head[size_t(c + 5)]; }
    static int32_t height(int h) { return int32_t((h + 17152) * 65536LL); }
    QColor pixel(double x, double y) const { return w->Pic->image().pixelColor(pixelOf(x, y)); }
    const std::string& lastStep() const { return w->journal.UndoName[size_t(w->UndoPos - 1)]; }
    void commitByCaption() { QTest::mouseClick(w->LabelEditMode, Qt::LeftButton); }
    // Replaces a box's text by typing, as a user would.
    static void type(QLineEdit* box, const char* text)
    {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
};

} // namespace

TEST_F(Editor, TerrainStrokeWritesOnlyTheColumnsUnderThePointerAsOneStep)
{
    startIn(&Form1::ELand);
    const std::vector<int32_t> before = w->doc.Head;
    const int pos = w->UndoPos;
    moveTo(0, 0); // the terrain marker follows the pointer
    EXPECT_EQ(w->Land->listIndex(), 512);
    EXPECT_TRUE(w->Pic->LLL.visible);
    ASSERT_NE(pixel(96, 0), kSelected);

    // Height 19.5 on screen is 10 editor units; the press draws the first column.
    press(-100, 19.5);
    EXPECT_FALSE(w->Pic->LLL.visible);
    EXPECT_EQ(w->TerrainDrag, kColAtMinus100);
    EXPECT_EQ(column(kColAtMinus100), height(10));
    moveTo(100, 19.5);
    EXPECT_EQ(w->TerrainDrag, kColAt100);
    EXPECT_EQ(pixel(96, 0), kSelected); // the preview of the column under way
    EXPECT_EQ(w->UndoPos, pos);
    release(100, 19.5);

    EXPECT_EQ(w->TerrainDrag, 0);
    EXPECT_EQ(w->UndoPos, pos + 1);
    EXPECT_EQ(lastStep(), "Terrain: Draw");
    EXPECT_EQ(column(kColAt100), height(10));
    for (int c = kColAtMinus100 + 1; c < kColAt100; ++c)
        EXPECT_EQ(column(c), before[size_t(c + 5)]) << c;
    EXPECT_NE(pixel(96, 0), kSelected); // the redraw replaced the preview

    w->MUndo->trigger();
    EXPECT_EQ(column(kColAtMinus100), before[kColAtMinus100 + 5]);
}

TEST_F(Editor, FixedLevelFromARightClickAndFromTheBox)
{
    startIn(&Form1::ELand);
    const std::vector<int32_t> before = w->doc.Head;
    click(0, 19.5, Qt::RightButton);
    EXPECT_TRUE(w->DrawFix->isChecked());
    EXPECT_EQ(w->LandFix->text(), "10");
    EXPECT_EQ(w->doc.Head, before);
    EXPECT_EQ(w->UndoPos, 0);

    // The stroke ignores the pointer's height and takes the box's, truncated.
    w->LandFix->setText("-20.7");
    press(-32, 100);
    for (double x : {-16, 0, 16, 32})
        moveTo(x, 100);
    release(32, 100);
    for (int c = 511; c <= 515; ++c)
        EXPECT_EQ(column(c), height(-20)) << c;
    EXPECT_EQ(w->UndoPos, 1);

    click(0, 0, Qt::RightButton);
    EXPECT_FALSE(w->DrawFix->isChecked());
    EXPECT_EQ(w->LandFix->text(), "-20.7");
}

TEST_F(Editor, SmoothingBetweenTheEnds)
{
    startIn(&Form1::EGen);
    // Ends at -2 and 0 make the range columns 509..513.
    type(w->LeftE, "-2");
    type(w->RightE, "0");
    w->select(w->ELand);
    ASSERT_EQ(w->tables.LeftEnd, -2);
    ASSERT_EQ(w->tables.RightEnd, 0);

    w->DrawFix->setChecked(true);
    w->LandFix->setText("10");
    press(-64, 0);
    for (double x : {-48, -32, -16, 0})
        moveTo(x, 0);
    release(0, 0);
    w->LandFix->setText("20");
    click(-32, 0);
    const int32_t outside[] = {column(508), column(514)};

    QTest::mouseClick(w->Runder, Qt::LeftButton);
    EXPECT_EQ(lastStep(), "Terrain: Smooth");
    const int expected[] = {10, 12, 16, 12, 10};
    for (int c = 509; c <= 513; ++c)
        EXPECT_EQ(column(c), height(expected[c - 509])) << c;
    EXPECT_EQ(column(508), outside[0]);
    EXPECT_EQ(column(514), outside[1]);
}

TEST_F(Editor, ModeSwitchDuringAStrokeRecordsItAndEndsIt)
{
    startIn(&Form1::ELand);
    press(-100, 19.5);
    w->select(w->EPoint);
    EXPECT_EQ(w->TerrainDrag, 0);
    EXPECT_EQ(w->UndoPos, 1);
    EXPECT_EQ(lastStep(), "Terrain: Draw");
    release(-100, 19.5);

    // Back in terrain mode a move without a button draws nothing.
    w->select(w->ELand);
    const int32_t untouched = column(kColAt100);
    moveTo(100, 60);
    EXPECT_EQ(column(kColAt100), untouched);
    EXPECT_EQ(w->UndoPos, 1);
}

TEST_F(Editor, TypedBudgetIsLimitedAndNeverAStep)
{
    startIn(&Form1::EGen);
    type(w->Money, "3000000000");
    EXPECT_EQ(w->Money->text(), "2147483647");
    EXPECT_EQ(w->doc.Head[3], 2147483647);
    w->Money->setText("-5");
    EXPECT_EQ(w->Money->text(), "0");
    EXPECT_EQ(w->doc.Head[3], 0);
    EXPECT_EQ(w->journal.UndoName[0], "L");

    // Every caption and frame commits what was typed.
    int budget = 100;
    for (QWidget* c : std::initializer_list<QWidget*>{
             w->Redraw, w->LabelEditMode, w->FrameKoordinaten, w->LabelX, w->LabelY, w->YP, w->LabelGeld,
             w->LabelLeft, w->LabelLPoint, w->LabelRail, w->LabelRight, w->LabelWater, w->FrameLE, w->FramePE,
             w->FrameLd, w->FrameGen}) {
        w->Money->setText(QString::number(++budget));
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(w->LabelBudgetLeft->text(), QString::number(budget)) << c->objectName().toStdString();
    }
    // A caption's click is not also a click of the frame around it.
    QSignalSpy frameClicks(w->FrameGen, &ClickFrame::clicked);
    QTest::mouseClick(w->LabelWater, Qt::LeftButton);
    EXPECT_EQ(frameClicks.count(), 0);
    EXPECT_EQ(w->UndoPos, 0);
}

TEST_F(Editor, TypedLevelsNameOnlyAnUnnamedStep)
{
    startIn(&Form1::EGen);
    type(w->Rail, "300");
    EXPECT_EQ(w->doc.Head[2], 1132462080); // 128 editor units, the highest rail
    EXPECT_EQ(w->Rail->text(), "300");
    // Right after a load a typed value is a change like any other: it names the step.
    EXPECT_EQ(w->journal.UndoName[0], "Rail Level");
    EXPECT_TRUE(w->journal.changed());
    commitByCaption();
    EXPECT_EQ(w->Rail->text(), "256");
    EXPECT_EQ(w->UndoPos, 1);

    type(w->RightE, "10");
    EXPECT_EQ(w->doc.Head[5], trv::encodeRightEnd(5));
    EXPECT_EQ(w->RightE->text(), "10");

    QTest::mouseClick(w->WaterU, Qt::LeftButton); // a step: the slot after it is unnamed
    ASSERT_EQ(w->UndoPos, 2);
    type(w->Water, "5");
    EXPECT_EQ(w->journal.UndoName[2], "Water: Change");
    type(w->Rail, "0");
    EXPECT_EQ(w->journal.UndoName[2], "Water: Change");
    commitByCaption();
    EXPECT_EQ(w->UndoPos, 3);
    EXPECT_EQ(w->Water->text(), "5");
    EXPECT_EQ(w->journal.UndoName[3], ""); // the loader's own box updates name nothing
}

TEST_F(Editor, PlusAndMinusButtonsSmallAndBigSteps)
{
    startIn(&Form1::EGen);
    w->Rail->setText("0");
    commitByCaption();
    QTest::mouseClick(w->RailU, Qt::RightButton);
    EXPECT_EQ(w->doc.Head[2], trv::encodeY(8));
    EXPECT_EQ(w->Rail->text(), "16");
    EXPECT_EQ(lastStep(), "Rail Level +16");
    EXPECT_TRUE(w->Pic->hasFocus());

    // At its limit the right end stays, and the press is still a step.
    w->RightE->setText("256");
    commitByCaption();
    const int pos = w->UndoPos;
    QTest::mouseClick(w->RightU, Qt::LeftButton);
    EXPECT_EQ(w->doc.Head[5], 1165754368);
    EXPECT_EQ(w->UndoPos, pos + 1);
    EXPECT_EQ(lastStep(), "Right +1");

    w->LeftE->setText("-250");
    commitByCaption();
    QTest::mouseClick(w->LeftD, Qt::RightButton);
    EXPECT_EQ(w->LeftE->text(), "-256");
    EXPECT_EQ(lastStep(), "Left -8");

    const double water = w->tables.WaterE;
    QTest::mouseClick(w->WaterD, Qt::RightButton);
    EXPECT_EQ(w->tables.WaterE, water - 16);
    EXPECT_EQ(lastStep(), "Water -16");
    QTest::mouseClick(w->WaterU, Qt::LeftButton);
    EXPECT_EQ(w->tables.WaterE, water - 15);
    EXPECT_EQ(lastStep(), "Water +1");
}

TEST_F(Editor, FocusFlagsOfTheValueBoxesAndTheDebugList)
{
    startIn(&Form1::EGen);
    for (QLineEdit* box : {w->Money, w->Water, w->Rail, w->LeftE, w->RightE}) {
        box->setFocus();
        EXPECT_TRUE(w->ValueBoxFocus) << box->objectName().toStdString();
        w->Pic->setFocus();
        EXPECT_FALSE(w->ValueBoxFocus) << box->objectName().toStdString();
    }
    w->select(w->ELand);
    w->LandFix->setFocus();
    EXPECT_TRUE(w->ValueBoxFocus);
    w->LandFix->setText("12abc");
    w->Pic->setFocus();
    EXPECT_FALSE(w->ValueBoxFocus);
    EXPECT_EQ(w->LandFix->text(), "12");

    w->LDebug->show();
    w->LDebug->setFocus();
    EXPECT_TRUE(w->DebugListFocus);
    w->Pic->setFocus();
    EXPECT_FALSE(w->DebugListFocus);
}
