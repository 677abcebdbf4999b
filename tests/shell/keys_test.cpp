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
    void onPic(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) { press(ctl<PicBox>("Pic"), key, m); }
};

} // namespace

TEST_F(Keys, ValueBoxesTakeLettersButCtrlCommandsStillWork)
{
    start();
    doc().Head[3] = 5;
    w->recordStep("Water: Change");
    const QString water = ctl<QLineEdit>("Water")->text();
    press(ctl<QLineEdit>("Water"), Qt::Key_W);
    EXPECT_TRUE(valueBoxFocus());
    EXPECT_EQ(journal().UndoPos, 1); // no water step
    EXPECT_EQ(ctl<QLineEdit>("Water")->text(), water + "w");
    press(ctl<QLineEdit>("Water"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(journal().UndoPos, 0);
}

TEST_F(Keys, DebugListStopsViewKeysButNotLetters)
{
    start();
    opt<QCheckBox>("CDebug")->setChecked(true);
    ASSERT_TRUE(ctl<ListBox>("LDebug")->isVisible());
    const int zoom = ctl<ScrollBar>("Zoom")->value();
    press(ctl<ListBox>("LDebug"), Qt::Key_PageUp);
    EXPECT_TRUE(debugListFocus());
    EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), zoom);
    press(ctl<ListBox>("LDebug"), Qt::Key_T);
    EXPECT_TRUE(ctl<QRadioButton>("ELand")->isChecked());
}

TEST_F(Keys, ZoomStopsAtItsEnds)
{
    start();
    ctl<ScrollBar>("Zoom")->setValue(640);
    onPic(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), 649);
    onPic(Qt::Key_PageUp);
    EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), 649);
    ctl<ScrollBar>("Zoom")->setValue(31);
    onPic(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), 1);
}

TEST_F(Keys, EndsAndLevelsStepLikeTheirButtons)
{
    start();
    const double left = tables().LeftEnd, water = tables().WaterE;
    onPic(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(tables().LeftEnd, left - 1);
    EXPECT_EQ(journal().UndoName[0], "Left -1");
    onPic(Qt::Key_Home, Qt::ControlModifier); // only exactly Shift counts as Shift
    EXPECT_EQ(tables().LeftEnd, left);
    EXPECT_EQ(journal().UndoName[1], "Left +1");

    onPic(Qt::Key_W);
    EXPECT_EQ(tables().WaterE, water - 16);
    EXPECT_EQ(journal().UndoName[2], "Water -16");
    onPic(Qt::Key_W, Qt::ShiftModifier);
    EXPECT_EQ(tables().WaterE, water);
    EXPECT_EQ(journal().UndoName[3], "Water +16");
}

TEST_F(Keys, KeypadScrollsWithinTheBars)
{
    start();
    ctl<ScrollBar>("Zoom")->setValue(1);
    ctl<ScrollBar>("YOff")->setValue(250);
    onPic(Qt::Key_8, Qt::KeypadModifier); // a step of 2.5 * 100 / 1.0201 would pass the top
    EXPECT_EQ(ctl<ScrollBar>("YOff")->value(), 255);
    const int x = ctl<ScrollBar>("XOff")->value();
    onPic(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(ctl<ScrollBar>("XOff")->value(), x - int(std::nearbyint(100 / view().ScaleX)));
    ctl<ScrollBar>("XOff")->setValue(4090);
    onPic(Qt::Key_7, Qt::KeypadModifier); // up and left: both sides held at their ends
    EXPECT_EQ(ctl<ScrollBar>("XOff")->value(), 4096);
    EXPECT_EQ(ctl<ScrollBar>("YOff")->value(), 255);
    onPic(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(ctl<ScrollBar>("XOff")->value(), 0);
    EXPECT_EQ(ctl<ScrollBar>("YOff")->value(), 0);
}

TEST_F(Keys, CtrlSSavesWithoutSmoothingAndLettersPickTools)
{
    start();
    doc().Head[3] = 42;
    w->recordStep("Water: Change");
    onPic(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); // not exactly Ctrl: no save
    EXPECT_TRUE(journal().changed());
    onPic(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(journal().changed()); // saved, and no smoothing step after it
    EXPECT_EQ(journal().UndoPos, 0);

    onPic(Qt::Key_N);
    EXPECT_TRUE(ctl<QRadioButton>("EPoint")->isChecked());
    EXPECT_TRUE(ctl<QRadioButton>("PNew")->isChecked());
    onPic(Qt::Key_L);
    EXPECT_TRUE(ctl<QRadioButton>("ELine")->isChecked());
    onPic(Qt::Key_O);
    EXPECT_TRUE(optWindow()->isVisible());
}

TEST_F(Keys, OnePressRunsItsCommandOnceWhereverTheFocusIs)
{
    start("sample.brg", true); // with the usual keys of other programs
    platform.modalDialogs = true;
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    // Pressed as a person presses them: to the window, delivered by the application
    // to the focused control and, when unused, to its parents.
    auto pressIn = [&](QWidget* focus, Qt::Key key, Qt::KeyboardModifiers m) {
        focus->setFocus();
        QApplication::processEvents();
        QTest::keyClick(w->windowHandle(), key, m);
        QApplication::processEvents();
    };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers m;
        bool save;
    } dialogKeys[] = {{Qt::Key_L, Qt::ControlModifier, false},
                      {Qt::Key_O, Qt::ControlModifier, false},
                      {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, true}};
    for (QWidget* focus : std::initializer_list<QWidget*>{ctl<PicBox>("Pic"), ctl<ListBox>("LPoint")}) {
        for (const auto& k : dialogKeys) {
            platform.dialogs.clear();
            pressIn(focus, k.key, k.m);
            ASSERT_EQ(platform.dialogs.size(), 1u) << focus->objectName().toStdString();
            EXPECT_EQ(platform.dialogs[0].save, k.save);
        }
        const int zoom = ctl<ScrollBar>("Zoom")->value();
        pressIn(focus, Qt::Key_PageDown, Qt::NoModifier);
        EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), zoom - 30);
    }
    // A plain letter runs its command and is still typed into a text box.
    auto* file = ctl<QLineEdit>("File");
    file->setText("a.brg");
    file->setCursorPosition(0);
    pressIn(file, Qt::Key_G, Qt::NoModifier);
    EXPECT_TRUE(ctl<QRadioButton>("EGen")->isChecked());
    EXPECT_EQ(file->text(), "ga.brg");
    // Redo by the usual keys too.
    w->WaterU_MouseUp(2);
    w->MUndo_Click();
    pressIn(ctl<PicBox>("Pic"), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(journal().UndoPos, 1);
    w->MUndo_Click();
    pressIn(ctl<PicBox>("Pic"), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(journal().UndoPos, 1);
}
