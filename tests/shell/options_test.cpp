// The options window in the running editor: the colour editor, the display
// switches, autoscroll, the number boxes and their buttons, showing and hiding,
// and the settings file passing through the same reactions at start-up.
#include "editor_fixture.h"

#include "colors.h"
#include "controls.h"
#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

class Options : public EditorTest {
protected:
    Opt* o() { return optWindow(); }
    uint32_t color(int i) { return colorTable()[size_t(i)]; }
    QColor preview() { return opt<QLabel>("Picture1")->palette().color(QPalette::Window); }
    QColor corner() { return ctl<PicBox>("Pic")->image().pixelColor(1, 1); }
    // A view without the grid, so that a corner pixel shows the background.
    void startPlain()
    {
        start();
        opt<QCheckBox>("Grid")->setChecked(false);
    }
    // Starts on the sample with the given line 2 and line 3 of the settings file.
    void startWith(const char* numbers, const char* checks)
    {
        ensureApplication();
        const QString doc = copyData("sample.brg");
        QFile f(path("Trv.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray text = doc.toUtf8() + "\r\n" + numbers + "\r\n" + checks + "\r\n";
        text += " 0  0  9000  12000  0  0 \r\nColors: Back Water Point Fixpoint Selected Line Rail Train Land Grid1 "
                "Grid2 Grid3\r\n";
        for (int i = 1; i <= 12; ++i)
            text += " " + QByteArray::number(trv::kDefaultColorTable[size_t(i)]) + " \r\n";
        f.write(text);
        f.close();
        w = std::make_unique<Form1>(platform, portable());
        w->show();
    }
};

} // namespace

TEST_F(Options, HoldKeepsTheBrightnessWhenAChannelMoves)
{
    startPlain();
    ASSERT_EQ(opt<ListBox>("ColorList")->listIndex(), 0); // start-up selects "Back"
    EXPECT_EQ(opt<QSlider>("Red")->value(), 72);
    ASSERT_TRUE(opt<QCheckBox>("Hold")->isChecked());

    opt<QSlider>("Red")->setValue(102);
    EXPECT_EQ(color(1), trv::packColor(92, 62, 62));
    EXPECT_EQ(opt<QSlider>("Red")->value(), 92);
    EXPECT_EQ(opt<QSlider>("Green")->value(), 62);
    EXPECT_EQ(opt<QSlider>("Bright")->value(), 72);
    EXPECT_EQ(opt<QLabel>("LabelR")->text(), "92");
    EXPECT_EQ(opt<QLabel>("LabelBr")->text(), "72");
    EXPECT_EQ(preview(), QColor(92, 62, 62));
    // The drawing area took the new background and was redrawn with it.
    EXPECT_EQ(ctl<PicBox>("Pic")->backColor, QColor(92, 62, 62));
    EXPECT_EQ(corner(), QColor(92, 62, 62));
    EXPECT_EQ(ctl<QLineEdit>("Proc")->text(), "0");
}

TEST_F(Options, WithoutHoldOnlyTheMovedChannelChanges)
{
    startPlain();
    opt<QCheckBox>("Hold")->setChecked(false);
    opt<QSlider>("Red")->setValue(102);
    EXPECT_EQ(color(1), trv::packColor(102, 72, 72));
    EXPECT_EQ(opt<QSlider>("Bright")->value(), 82);
    EXPECT_EQ(opt<QLabel>("LabelBr")->text(), "82");
    EXPECT_EQ(corner(), QColor(102, 72, 72));
}

TEST_F(Options, BrightnessShiftsAllChannelsThenHoldEvensThemOut)
{
    start();
    opt<ListBox>("ColorList")->setListIndex(3); // "Fixed"
    EXPECT_EQ(colorIndex(), 4);
    EXPECT_EQ(opt<QSlider>("Red")->value(), 255);
    EXPECT_EQ(opt<QSlider>("Bright")->value(), 85);
    EXPECT_EQ(preview(), QColor(255, 0, 0));

    opt<QSlider>("Bright")->setValue(250);
    EXPECT_EQ(color(4), trv::packColor(255, 220, 220));
    EXPECT_EQ(opt<QSlider>("Green")->value(), 220);
    EXPECT_EQ(opt<QSlider>("Bright")->value(), 232);
    EXPECT_EQ(opt<QLabel>("LabelBr")->text(), "232");
    EXPECT_EQ(color(1), trv::kDefaultColorTable[1]); // other entries untouched
}

TEST_F(Options, DefaultsRestoreEveryColourAndTheGradient)
{
    startPlain();
    opt<ListBox>("ColorList")->setListIndex(5); // "Line"
    opt<QSlider>("Blue")->setValue(200);
    opt<ListBox>("ColorList")->setListIndex(0);
    opt<QSlider>("Green")->setValue(10);
    opt<QLineEdit>("BackStyle")->setText("50");
    ASSERT_NE(color(6), trv::kDefaultColorTable[6]);
    ASSERT_NE(color(1), trv::kDefaultColorTable[1]);

    QTest::mouseClick(opt<QPushButton>("Default"), Qt::LeftButton);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(color(i), trv::kDefaultColorTable[size_t(i)]) << i;
    EXPECT_EQ(opt<ListBox>("ColorList")->listIndex(), 0);
    EXPECT_EQ(opt<QSlider>("Red")->value(), 72);
    EXPECT_EQ(opt<QLineEdit>("BackStyle")->text(), "0");
    EXPECT_EQ(opt<QScrollBar>("BackStyleScroll")->value(), 0);
    EXPECT_EQ(corner(), QColor(72, 72, 72));
}

TEST_F(Options, DisplaySwitchesRedrawAtOnce)
{
    start();
    const QPointF trainAt = w->ToScreen(32 * tables().LeftEnd + 192, 3.5);
    auto trainPixel = [&] {
        const QImage& im = ctl<PicBox>("Pic")->image();
        return im.pixelColor(trv::logicalToPixel(trainAt.x(), im.width(), ctl<PicBox>("Pic")->scaleWidth()),
                             trv::logicalToPixel(trainAt.y(), im.height(), ctl<PicBox>("Pic")->scaleHeight()));
    };
    opt<QCheckBox>("Grid")->setChecked(false);
    ASSERT_EQ(trainPixel(), QColor(88, 152, 88));
    opt<QCheckBox>("Train")->setChecked(false);
    EXPECT_NE(trainPixel(), QColor(88, 152, 88));
    opt<QCheckBox>("Train")->setChecked(true);
    EXPECT_EQ(trainPixel(), QColor(88, 152, 88));
}

TEST_F(Options, AutoscrollSwapsScrollBarsAndEdgeButtons)
{
    start();
    ASSERT_TRUE(opt<QCheckBox>("AutoScroll")->isChecked());
    EXPECT_FALSE(ctl<ScrollBar>("XOff")->isVisible());
    EXPECT_EQ(ctl<MouseButton>("BYScroll")->text(), "Scroll Up");

    opt<QCheckBox>("AutoScroll")->setChecked(false);
    EXPECT_TRUE(ctl<ScrollBar>("XOff")->isVisible());
    EXPECT_TRUE(ctl<ScrollBar>("YOff")->isVisible());
    EXPECT_TRUE(ctl<MouseButton>("Center")->isVisible());
    EXPECT_EQ(ctl<MouseButton>("BYScroll")->text(), "Autoscroll");
    EXPECT_EQ(ctl<MouseButton>("BYScroll2")->text(), "Autoscroll");
    EXPECT_EQ(ctl<QLineEdit>("Proc")->text(), "0");
    // The refit placed the drawing area beside the scroll bars.
    EXPECT_LE(ctl<PicBox>("Pic")->x() + ctl<PicBox>("Pic")->width(), ctl<ScrollBar>("YOff")->x());

    // The edge button switches it back on.
    QTest::mouseClick(ctl<MouseButton>("BYScroll"), Qt::LeftButton);
    EXPECT_TRUE(opt<QCheckBox>("AutoScroll")->isChecked());
    EXPECT_FALSE(ctl<ScrollBar>("YOff")->isVisible());
    EXPECT_EQ(ctl<MouseButton>("BYScroll2")->text(), "Scroll Up");
}

TEST_F(Options, ScrollStepIsWholeAtLeastFourAndSetsThePageStep)
{
    start();
    opt<QLineEdit>("ScrollSize")->setText("2");
    EXPECT_EQ(opt<QLineEdit>("ScrollSize")->text(), "4");
    EXPECT_EQ(ctl<ScrollBar>("XOff")->pageStep(), 1);
    EXPECT_EQ(ctl<ScrollBar>("YOff")->pageStep(), 1);
    opt<QLineEdit>("ScrollSize")->setText("50");
    EXPECT_EQ(ctl<ScrollBar>("XOff")->pageStep(), 12); // 12.5 to even
    opt<QLineEdit>("ScrollSize")->setText("-50.7");
    EXPECT_EQ(ctl<ScrollBar>("YOff")->pageStep(), 13);
    opt<QLineEdit>("ScrollSize")->setText("9999999");
    EXPECT_EQ(ctl<ScrollBar>("XOff")->pageStep(), 32767);
}

TEST_F(Options, TerrainStyleAndAspectKeepTheirLimits)
{
    start();
    opt<QLineEdit>("LandStyle")->setText("-3");
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "0");
    opt<QLineEdit>("LandStyle")->setText("abc");
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "0");

    const int divAt200 = view().ScaleDivX;
    opt<QLineEdit>("XYdiff")->setText("400");
    EXPECT_NEAR(view().ScaleDivX, 2 * divAt200, 1); // refitted at once
}

TEST_F(Options, PlusAndMinusStepByOneOrByTenOnOtherButtons)
{
    start();
    opt<QLineEdit>("XYdiff")->setText("5");
    QTest::mouseClick(opt<MouseButton>("XYdiffD"), Qt::RightButton);
    EXPECT_EQ(opt<QLineEdit>("XYdiff")->text(), "1"); // -5, then kept at 1
    QTest::mouseClick(opt<MouseButton>("XYdiffU"), Qt::LeftButton);
    EXPECT_EQ(opt<QLineEdit>("XYdiff")->text(), "2");
    QTest::mouseClick(opt<MouseButton>("LandStyleU"), Qt::MiddleButton);
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "19");
    QTest::mouseClick(opt<MouseButton>("LandStyleD"), Qt::LeftButton);
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "18");
    QTest::mouseClick(opt<MouseButton>("ScrollSizeD"), Qt::RightButton);
    EXPECT_EQ(opt<QLineEdit>("ScrollSize")->text(), "90");
    EXPECT_EQ(ctl<ScrollBar>("XOff")->pageStep(), 22); // 22.5 to even
    QTest::mouseClick(opt<MouseButton>("ScrollSizeU"), Qt::LeftButton);
    EXPECT_EQ(opt<QLineEdit>("ScrollSize")->text(), "91");
}

TEST_F(Options, ShownAndHiddenByButtonAndMenusKeepingItsValues)
{
    start();
    ASSERT_FALSE(optWindow()->isVisible());
    QTest::mouseClick(ctl<QPushButton>("Options"), Qt::LeftButton);
    ASSERT_TRUE(optWindow()->isVisible());
    EXPECT_EQ(optWindow()->x(), w->x());
    EXPECT_EQ(optWindow()->y(), w->y() + w->frameGeometry().height() / 5);

    opt<QLineEdit>("LandStyle")->setText("20");
    opt<QCheckBox>("Grid")->setChecked(false);
    ctl<QAction>("MOptions")->trigger();
    EXPECT_FALSE(optWindow()->isVisible());
    ctl<QAction>("MBmp")->trigger();
    EXPECT_TRUE(optWindow()->isVisible());
    // Closing from the frame only hides it.
    optWindow()->close();
    EXPECT_FALSE(optWindow()->isVisible());
    ctl<QAction>("MBmp")->trigger();
    EXPECT_TRUE(optWindow()->isVisible());
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "20");
    EXPECT_FALSE(opt<QCheckBox>("Grid")->isChecked());

    // OK switches the preview off and hides.
    opt<QCheckBox>("Apply")->setChecked(true);
    QTest::mouseClick(opt<QPushButton>("Exit"), Qt::LeftButton);
    EXPECT_FALSE(opt<QCheckBox>("Apply")->isChecked());
    EXPECT_FALSE(optWindow()->isVisible());
}

TEST_F(Options, StoredValuesPassThroughTheReactionsAtStartUp)
{
    startWith(" 2  -5  0  700  -900  400  0 ", " 1  0  0  1  1  1  0 ");
    EXPECT_EQ(opt<QLineEdit>("ScrollSize")->text(), "4");
    EXPECT_EQ(ctl<ScrollBar>("XOff")->pageStep(), 1);
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "0");
    EXPECT_EQ(opt<QLineEdit>("XYdiff")->text(), "1");
    EXPECT_EQ(opt<QLineEdit>("BmpLeft")->text(), "500");
    EXPECT_EQ(opt<QScrollBar>("BmpRightScroll")->value(), -500);
    EXPECT_FALSE(opt<QCheckBox>("Grid")->isChecked());
    EXPECT_FALSE(opt<QCheckBox>("AutoScroll")->isChecked());
    EXPECT_TRUE(ctl<ScrollBar>("XOff")->isVisible());
    EXPECT_EQ(ctl<MouseButton>("BYScroll")->text(), "Autoscroll");
    // The colour editor ends on "Back" and the document is drawn.
    EXPECT_EQ(colorIndex(), 1);
    EXPECT_EQ(opt<QSlider>("Red")->value(), 72);
    EXPECT_EQ(ctl<QLineEdit>("Proc")->text(), "0");
    EXPECT_GT(doc().NPoints, 0);
}

TEST_F(Options, GradientAndMarginsFollowTheirSlidersWithinRange)
{
    start();
    opt<QScrollBar>("BackStyleScroll")->setValue(-30);
    EXPECT_EQ(opt<QLineEdit>("BackStyle")->text(), "-30");
    opt<QLineEdit>("BackStyle")->setText("250");
    EXPECT_EQ(opt<QLineEdit>("BackStyle")->text(), "200");
    EXPECT_EQ(opt<QScrollBar>("BackStyleScroll")->value(), 200);
    opt<QLineEdit>("BmpLeft")->setText("12.5");
    EXPECT_EQ(opt<QScrollBar>("BmpLeftScroll")->value(), 12);
    EXPECT_EQ(opt<QLineEdit>("BmpLeft")->text(), "12"); // the slider writes its whole value back
    opt<QLineEdit>("BmpRight")->setText("-600");
    EXPECT_EQ(opt<QLineEdit>("BmpRight")->text(), "-500");
    EXPECT_EQ(opt<QScrollBar>("BmpRightScroll")->value(), -500);
}

TEST_F(Options, DebugSwitchShowsAndHidesTheJournalDump)
{
    start();
    opt<QCheckBox>("CDebug")->setChecked(true);
    EXPECT_TRUE(ctl<ListBox>("LDebug")->isVisible());
    EXPECT_GT(ctl<ListBox>("LDebug")->count(), 1000);
    EXPECT_EQ(ctl<QLineEdit>("Proc")->text(), "0");
    opt<QCheckBox>("CDebug")->setChecked(false);
    EXPECT_FALSE(ctl<ListBox>("LDebug")->isVisible());
}
