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
    void startIn(const char* mode)
    {
        start("new.brg");
        w->select(ctl<QRadioButton>(mode));
    }
    int32_t column(int c) const { return doc().Head[size_t(c + 5)]; }
    static int32_t height(int h) { return int32_t((h + 17152) * 65536LL); }
    QColor pixel(double x, double y) const { return ctl<PicBox>("Pic")->image().pixelColor(pixelOf(x, y)); }
    const std::string& lastStep() const { return journal().UndoName[size_t(journal().UndoPos - 1)]; }
    void commitByCaption() { QTest::mouseClick(ctl<ClickLabel>("LabelEditMode"), Qt::LeftButton); }
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
    startIn("ELand");
    const std::vector<int32_t> before = doc().Head;
    const int pos = journal().UndoPos;
    moveTo(0, 0); // the terrain marker follows the pointer
    EXPECT_EQ(ctl<ListBox>("Land")->listIndex(), 512);
    EXPECT_TRUE(ctl<PicBox>("Pic")->LLL.visible);
    ASSERT_NE(pixel(96, 0), kSelected);

    // Height 19.5 on screen is 10 editor units; the press draws the first column.
    press(-100, 19.5);
    EXPECT_FALSE(ctl<PicBox>("Pic")->LLL.visible);
    EXPECT_EQ(terrainDrag(), kColAtMinus100);
    EXPECT_EQ(column(kColAtMinus100), height(10));
    moveTo(100, 19.5);
    EXPECT_EQ(terrainDrag(), kColAt100);
    EXPECT_EQ(pixel(96, 0), kSelected); // the preview of the column under way
    EXPECT_EQ(journal().UndoPos, pos);
    release(100, 19.5);

    EXPECT_EQ(terrainDrag(), 0);
    EXPECT_EQ(journal().UndoPos, pos + 1);
    EXPECT_EQ(lastStep(), "Terrain: Draw");
    EXPECT_EQ(column(kColAt100), height(10));
    for (int c = kColAtMinus100 + 1; c < kColAt100; ++c)
        EXPECT_EQ(column(c), before[size_t(c + 5)]) << c;
    EXPECT_NE(pixel(96, 0), kSelected); // the redraw replaced the preview

    ctl<QAction>("MUndo")->trigger();
    EXPECT_EQ(column(kColAtMinus100), before[kColAtMinus100 + 5]);
}

TEST_F(Editor, FixedLevelFromARightClickAndFromTheBox)
{
    startIn("ELand");
    const std::vector<int32_t> before = doc().Head;
    click(0, 19.5, Qt::RightButton);
    EXPECT_TRUE(ctl<QCheckBox>("DrawFix")->isChecked());
    EXPECT_EQ(ctl<QLineEdit>("LandFix")->text(), "10");
    EXPECT_EQ(doc().Head, before);
    EXPECT_EQ(journal().UndoPos, 0);

    // The stroke ignores the pointer's height and takes the box's, truncated.
    ctl<QLineEdit>("LandFix")->setText("-20.7");
    press(-32, 100);
    for (double x : {-16, 0, 16, 32})
        moveTo(x, 100);
    release(32, 100);
    for (int c = 511; c <= 515; ++c)
        EXPECT_EQ(column(c), height(-20)) << c;
    EXPECT_EQ(journal().UndoPos, 1);

    click(0, 0, Qt::RightButton);
    EXPECT_FALSE(ctl<QCheckBox>("DrawFix")->isChecked());
    EXPECT_EQ(ctl<QLineEdit>("LandFix")->text(), "-20.7");
}

TEST_F(Editor, SmoothingBetweenTheEnds)
{
    startIn("EGen");
    // Ends at -2 and 0 make the range columns 509..513.
    type(ctl<QLineEdit>("LeftE"), "-2");
    type(ctl<QLineEdit>("RightE"), "0");
    w->select(ctl<QRadioButton>("ELand"));
    ASSERT_EQ(tables().LeftEnd, -2);
    ASSERT_EQ(tables().RightEnd, 0);

    ctl<QCheckBox>("DrawFix")->setChecked(true);
    ctl<QLineEdit>("LandFix")->setText("10");
    press(-64, 0);
    for (double x : {-48, -32, -16, 0})
        moveTo(x, 0);
    release(0, 0);
    ctl<QLineEdit>("LandFix")->setText("20");
    click(-32, 0);
    const int32_t outside[] = {column(508), column(514)};

    QTest::mouseClick(ctl<QPushButton>("Runder"), Qt::LeftButton);
    EXPECT_EQ(lastStep(), "Terrain: Smooth");
    const int expected[] = {10, 12, 16, 12, 10};
    for (int c = 509; c <= 513; ++c)
        EXPECT_EQ(column(c), height(expected[c - 509])) << c;
    EXPECT_EQ(column(508), outside[0]);
    EXPECT_EQ(column(514), outside[1]);
}

TEST_F(Editor, ModeSwitchDuringAStrokeRecordsItAndEndsIt)
{
    startIn("ELand");
    press(-100, 19.5);
    w->select(ctl<QRadioButton>("EPoint"));
    EXPECT_EQ(terrainDrag(), 0);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(lastStep(), "Terrain: Draw");
    release(-100, 19.5);

    // Back in terrain mode a move without a button draws nothing.
    w->select(ctl<QRadioButton>("ELand"));
    const int32_t untouched = column(kColAt100);
    moveTo(100, 60);
    EXPECT_EQ(column(kColAt100), untouched);
    EXPECT_EQ(journal().UndoPos, 1);
}

TEST_F(Editor, TypedBudgetIsLimitedAndNeverAStep)
{
    startIn("EGen");
    type(ctl<QLineEdit>("Money"), "3000000000");
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "2147483647");
    EXPECT_EQ(doc().Head[3], 2147483647);
    ctl<QLineEdit>("Money")->setText("-5");
    EXPECT_EQ(ctl<QLineEdit>("Money")->text(), "0");
    EXPECT_EQ(doc().Head[3], 0);
    EXPECT_EQ(journal().UndoName[0], "L");

    // Every caption and frame commits what was typed.
    int budget = 100;
    for (QWidget* c : std::initializer_list<QWidget*>{
             ctl<ClickLabel>("Redraw"), ctl<ClickLabel>("LabelEditMode"), ctl<ClickFrame>("FrameKoordinaten"),
             ctl<ClickLabel>("LabelX"), ctl<ClickLabel>("LabelY"), ctl<ClickLabel>("YP"), ctl<ClickLabel>("LabelGeld"),
             ctl<ClickLabel>("LabelLeft"), ctl<ClickLabel>("LabelLPoint"), ctl<ClickLabel>("LabelRail"),
             ctl<ClickLabel>("LabelRight"), ctl<ClickLabel>("LabelWater"), ctl<ClickFrame>("FrameLE"),
             ctl<ClickFrame>("FramePE"), ctl<ClickFrame>("FrameLd"), ctl<ClickFrame>("FrameGen")}) {
        ctl<QLineEdit>("Money")->setText(QString::number(++budget));
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(ctl<QLabel>("LabelBudgetLeft")->text(), QString::number(budget)) << c->objectName().toStdString();
    }
    // A caption's click is not also a click of the frame around it.
    QSignalSpy frameClicks(ctl<ClickFrame>("FrameGen"), &ClickFrame::clicked);
    QTest::mouseClick(ctl<ClickLabel>("LabelWater"), Qt::LeftButton);
    EXPECT_EQ(frameClicks.count(), 0);
    EXPECT_EQ(journal().UndoPos, 0);
}

TEST_F(Editor, TypedLevelsNameOnlyAnUnnamedStep)
{
    startIn("EGen");
    type(ctl<QLineEdit>("Rail"), "300");
    EXPECT_EQ(doc().Head[2], 1132462080); // 128 editor units, the highest rail
    EXPECT_EQ(ctl<QLineEdit>("Rail")->text(), "300");
    // Right after a load a typed value is a change like any other: it names the step.
    EXPECT_EQ(journal().UndoName[0], "Rail Level");
    EXPECT_TRUE(journal().changed());
    commitByCaption();
    EXPECT_EQ(ctl<QLineEdit>("Rail")->text(), "256");
    EXPECT_EQ(journal().UndoPos, 1);

    type(ctl<QLineEdit>("RightE"), "10");
    EXPECT_EQ(doc().Head[5], trv::encodeRightEnd(5));
    EXPECT_EQ(ctl<QLineEdit>("RightE")->text(), "10");

    QTest::mouseClick(ctl<MouseButton>("WaterU"), Qt::LeftButton); // a step: the slot after it is unnamed
    ASSERT_EQ(journal().UndoPos, 2);
    type(ctl<QLineEdit>("Water"), "5");
    EXPECT_EQ(journal().UndoName[2], "Water: Change");
    type(ctl<QLineEdit>("Rail"), "0");
    EXPECT_EQ(journal().UndoName[2], "Water: Change");
    commitByCaption();
    EXPECT_EQ(journal().UndoPos, 3);
    EXPECT_EQ(ctl<QLineEdit>("Water")->text(), "5");
    EXPECT_EQ(journal().UndoName[3], ""); // the loader's own box updates name nothing
}

TEST_F(Editor, PlusAndMinusButtonsSmallAndBigSteps)
{
    startIn("EGen");
    ctl<QLineEdit>("Rail")->setText("0");
    commitByCaption();
    QTest::mouseClick(ctl<MouseButton>("RailU"), Qt::RightButton);
    EXPECT_EQ(doc().Head[2], trv::encodeY(8));
    EXPECT_EQ(ctl<QLineEdit>("Rail")->text(), "16");
    EXPECT_EQ(lastStep(), "Rail Level +16");
    EXPECT_TRUE(ctl<PicBox>("Pic")->hasFocus());

    // At its limit the right end stays, and the press is still a step.
    ctl<QLineEdit>("RightE")->setText("256");
    commitByCaption();
    const int pos = journal().UndoPos;
    QTest::mouseClick(ctl<MouseButton>("RightU"), Qt::LeftButton);
    EXPECT_EQ(doc().Head[5], 1165754368);
    EXPECT_EQ(journal().UndoPos, pos + 1);
    EXPECT_EQ(lastStep(), "Right +1");

    ctl<QLineEdit>("LeftE")->setText("-250");
    commitByCaption();
    QTest::mouseClick(ctl<MouseButton>("LeftD"), Qt::RightButton);
    EXPECT_EQ(ctl<QLineEdit>("LeftE")->text(), "-256");
    EXPECT_EQ(lastStep(), "Left -8");

    const double water = tables().WaterE;
    QTest::mouseClick(ctl<MouseButton>("WaterD"), Qt::RightButton);
    EXPECT_EQ(tables().WaterE, water - 16);
    EXPECT_EQ(lastStep(), "Water -16");
    QTest::mouseClick(ctl<MouseButton>("WaterU"), Qt::LeftButton);
    EXPECT_EQ(tables().WaterE, water - 15);
    EXPECT_EQ(lastStep(), "Water +1");
}

TEST_F(Editor, FocusFlagsOfTheValueBoxesAndTheDebugList)
{
    startIn("EGen");
    for (QLineEdit* box : {ctl<QLineEdit>("Money"), ctl<QLineEdit>("Water"), ctl<QLineEdit>("Rail"),
                           ctl<QLineEdit>("LeftE"), ctl<QLineEdit>("RightE")}) {
        box->setFocus();
        EXPECT_TRUE(valueBoxFocus()) << box->objectName().toStdString();
        ctl<PicBox>("Pic")->setFocus();
        EXPECT_FALSE(valueBoxFocus()) << box->objectName().toStdString();
    }
    w->select(ctl<QRadioButton>("ELand"));
    ctl<QLineEdit>("LandFix")->setFocus();
    EXPECT_TRUE(valueBoxFocus());
    ctl<QLineEdit>("LandFix")->setText("12abc");
    ctl<PicBox>("Pic")->setFocus();
    EXPECT_FALSE(valueBoxFocus());
    EXPECT_EQ(ctl<QLineEdit>("LandFix")->text(), "12");

    ctl<ListBox>("LDebug")->show();
    ctl<ListBox>("LDebug")->setFocus();
    EXPECT_TRUE(debugListFocus());
    ctl<PicBox>("Pic")->setFocus();
    EXPECT_FALSE(debugListFocus());
}
