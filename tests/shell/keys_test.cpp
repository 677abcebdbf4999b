// The key table through real key presses on the main window.
#include "editor_fixture.h"

#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class Keys : public EditorTest {
protected:
    void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        target->setFocus();
        QApplication::processEvents();
        QTest::keyClick(target, key, m);
    }
    void onPic(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) { press(w->Pic, key, m); }
};

} // namespace

TEST_F(Keys, ValueBoxesTakeLettersButCtrlCommandsStillWork)
{
    start();
    w->doc.Head[3] = 5;
    w->recordStep("Water: Change");
    const QString water = w->Water->text();
    press(w->Water, Qt::Key_W);
    EXPECT_TRUE(w->ValueBoxFocus);
    EXPECT_EQ(w->UndoPos, 1); // no water step
    EXPECT_EQ(w->Water->text(), water + "w");
    press(w->Water, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->UndoPos, 0);
}

TEST_F(Keys, DebugListStopsViewKeysButNotLetters)
{
    start();
    w->opt->CDebug->setChecked(true);
    ASSERT_TRUE(w->LDebug->isVisible());
    const int zoom = w->Zoom->value();
    press(w->LDebug, Qt::Key_PageUp);
    EXPECT_TRUE(w->DebugListFocus);
    EXPECT_EQ(w->Zoom->value(), zoom);
    press(w->LDebug, Qt::Key_T);
    EXPECT_TRUE(w->ELand->isChecked());
}

TEST_F(Keys, ZoomStopsAtItsEnds)
{
    start();
    w->Zoom->setValue(640);
    onPic(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(w->Zoom->value(), 649);
    onPic(Qt::Key_PageUp);
    EXPECT_EQ(w->Zoom->value(), 649);
    w->Zoom->setValue(31);
    onPic(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(w->Zoom->value(), 1);
}

TEST_F(Keys, EndsAndLevelsStepLikeTheirButtons)
{
    start();
    const double left = w->tables.LeftEnd, water = w->tables.WaterE;
    onPic(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(w->tables.LeftEnd, left - 1);
    EXPECT_EQ(w->journal.UndoName[0], "Left -1");
    onPic(Qt::Key_Home, Qt::ControlModifier); // only exactly Shift counts as Shift
    EXPECT_EQ(w->tables.LeftEnd, left);
    EXPECT_EQ(w->journal.UndoName[1], "Left +1");

    onPic(Qt::Key_W);
    EXPECT_EQ(w->tables.WaterE, water - 16);
    EXPECT_EQ(w->journal.UndoName[2], "Water -16");
    onPic(Qt::Key_W, Qt::ShiftModifier);
    EXPECT_EQ(w->tables.WaterE, water);
    EXPECT_EQ(w->journal.UndoName[3], "Water +16");
}

TEST_F(Keys, KeypadScrollsWithinTheBars)
{
    start();
    w->Zoom->setValue(1);
    w->YOff->setValue(250);
    onPic(Qt::Key_8, Qt::KeypadModifier); // a step of 2.5 * 100 / 1.0201 would pass the top
    EXPECT_EQ(w->YOff->value(), 255);
    const int x = w->XOff->value();
    onPic(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(w->XOff->value(), x - int(std::nearbyint(100 / w->view.ScaleX)));
    w->XOff->setValue(4090);
    onPic(Qt::Key_7, Qt::KeypadModifier); // up and left: both sides held at their ends
    EXPECT_EQ(w->XOff->value(), 4096);
    EXPECT_EQ(w->YOff->value(), 255);
    onPic(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(w->XOff->value(), 0);
    EXPECT_EQ(w->YOff->value(), 0);
}

TEST_F(Keys, CtrlSSavesWithoutSmoothingAndLettersPickTools)
{
    start();
    w->doc.Head[3] = 42;
    w->recordStep("Water: Change");
    onPic(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); // not exactly Ctrl: no save
    EXPECT_TRUE(w->journal.changed());
    onPic(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w->journal.changed()); // saved, and no smoothing step after it
    EXPECT_EQ(w->UndoPos, 0);

    onPic(Qt::Key_N);
    EXPECT_TRUE(w->EPoint->isChecked());
    EXPECT_TRUE(w->PNew->isChecked());
    onPic(Qt::Key_L);
    EXPECT_TRUE(w->ELine->isChecked());
    onPic(Qt::Key_O);
    EXPECT_TRUE(w->opt->isVisible());
}
