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
    Opt* o() { return w->opt; }
    uint32_t color(int i) { return w->ColorTable[size_t(i)]; }
    QColor preview() { return o()->Picture1->palette().color(QPalette::Window); }
    QColor corner() { return w->Pic->image().pixelColor(1, 1); }
    // A view without the grid, so that a corner pixel shows the background.
    void startPlain()
    {
        start();
        o()->Grid->setChecked(false);
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
        w = std::make_unique<Form1>(platform, QString::fromStdString(dir.path().string()));
        w->show();
    }
};

} // namespace

TEST_F(Options, HoldKeepsTheBrightnessWhenAChannelMoves)
{
    startPlain();
    ASSERT_EQ(o()->ColorList->listIndex(), 0); // start-up selects "Back"
    EXPECT_EQ(o()->Red->value(), 72);
    ASSERT_TRUE(o()->Hold->isChecked());

    o()->Red->setValue(102);
    EXPECT_EQ(color(1), trv::packColor(92, 62, 62));
    EXPECT_EQ(o()->Red->value(), 92);
    EXPECT_EQ(o()->Green->value(), 62);
    EXPECT_EQ(o()->Bright->value(), 72);
    EXPECT_EQ(o()->LabelR->text(), "92");
    EXPECT_EQ(o()->LabelBr->text(), "72");
    EXPECT_EQ(preview(), QColor(92, 62, 62));
    // The drawing area took the new background and was redrawn with it.
    EXPECT_EQ(w->Pic->backColor, QColor(92, 62, 62));
    EXPECT_EQ(corner(), QColor(92, 62, 62));
    EXPECT_EQ(w->Proc->text(), "0");
}

TEST_F(Options, WithoutHoldOnlyTheMovedChannelChanges)
{
    startPlain();
    o()->Hold->setChecked(false);
    o()->Red->setValue(102);
    EXPECT_EQ(color(1), trv::packColor(102, 72, 72));
    EXPECT_EQ(o()->Bright->value(), 82);
    EXPECT_EQ(o()->LabelBr->text(), "82");
    EXPECT_EQ(corner(), QColor(102, 72, 72));
}

TEST_F(Options, BrightnessShiftsAllChannelsThenHoldEvensThemOut)
{
    start();
    o()->ColorList->setListIndex(3); // "Fixed"
    EXPECT_EQ(o()->ColorIndex, 4);
    EXPECT_EQ(o()->Red->value(), 255);
    EXPECT_EQ(o()->Bright->value(), 85);
    EXPECT_EQ(preview(), QColor(255, 0, 0));

    o()->Bright->setValue(250);
    EXPECT_EQ(color(4), trv::packColor(255, 220, 220));
    EXPECT_EQ(o()->Green->value(), 220);
    EXPECT_EQ(o()->Bright->value(), 232);
    EXPECT_EQ(o()->LabelBr->text(), "232");
    EXPECT_EQ(color(1), trv::kDefaultColorTable[1]); // other entries untouched
}

TEST_F(Options, DefaultsRestoreEveryColourAndTheGradient)
{
    startPlain();
    o()->ColorList->setListIndex(5); // "Line"
    o()->Blue->setValue(200);
    o()->ColorList->setListIndex(0);
    o()->Green->setValue(10);
    o()->BackStyle->setText("50");
    ASSERT_NE(color(6), trv::kDefaultColorTable[6]);
    ASSERT_NE(color(1), trv::kDefaultColorTable[1]);

    QTest::mouseClick(o()->Default, Qt::LeftButton);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(color(i), trv::kDefaultColorTable[size_t(i)]) << i;
    EXPECT_EQ(o()->ColorList->listIndex(), 0);
    EXPECT_EQ(o()->Red->value(), 72);
    EXPECT_EQ(o()->BackStyle->text(), "0");
    EXPECT_EQ(o()->BackStyleScroll->value(), 0);
    EXPECT_EQ(corner(), QColor(72, 72, 72));
}

TEST_F(Options, DisplaySwitchesRedrawAtOnce)
{
    start();
    const QPointF trainAt = w->ToScreen(32 * w->tables.LeftEnd + 192, 3.5);
    auto trainPixel = [&] {
        const QImage& im = w->Pic->image();
        return im.pixelColor(trv::logicalToPixel(trainAt.x(), im.width(), w->Pic->scaleWidth()),
                             trv::logicalToPixel(trainAt.y(), im.height(), w->Pic->scaleHeight()));
    };
    o()->Grid->setChecked(false);
    ASSERT_EQ(trainPixel(), QColor(88, 152, 88));
    o()->Train->setChecked(false);
    EXPECT_NE(trainPixel(), QColor(88, 152, 88));
    o()->Train->setChecked(true);
    EXPECT_EQ(trainPixel(), QColor(88, 152, 88));
}

TEST_F(Options, AutoscrollSwapsScrollBarsAndEdgeButtons)
{
    start();
    ASSERT_TRUE(o()->AutoScroll->isChecked());
    EXPECT_FALSE(w->XOff->isVisible());
    EXPECT_EQ(w->BYScroll->text(), "Scroll Up");

    o()->AutoScroll->setChecked(false);
    EXPECT_TRUE(w->XOff->isVisible());
    EXPECT_TRUE(w->YOff->isVisible());
    EXPECT_TRUE(w->Center->isVisible());
    EXPECT_EQ(w->BYScroll->text(), "Autoscroll");
    EXPECT_EQ(w->BYScroll2->text(), "Autoscroll");
    EXPECT_EQ(w->Proc->text(), "0");
    // The refit placed the drawing area beside the scroll bars.
    EXPECT_LE(w->Pic->x() + w->Pic->width(), w->YOff->x());

    // The edge button switches it back on.
    QTest::mouseClick(w->BYScroll, Qt::LeftButton);
    EXPECT_TRUE(o()->AutoScroll->isChecked());
    EXPECT_FALSE(w->YOff->isVisible());
    EXPECT_EQ(w->BYScroll2->text(), "Scroll Up");
}

TEST_F(Options, ScrollStepIsWholeAtLeastFourAndSetsThePageStep)
{
    start();
    o()->ScrollSize->setText("2");
    EXPECT_EQ(o()->ScrollSize->text(), "4");
    EXPECT_EQ(w->XOff->pageStep(), 1);
    EXPECT_EQ(w->YOff->pageStep(), 1);
    o()->ScrollSize->setText("50");
    EXPECT_EQ(w->XOff->pageStep(), 12); // 12.5 to even
    o()->ScrollSize->setText("-50.7");
    EXPECT_EQ(o()->ScrollSize->text(), "51");
    EXPECT_EQ(w->YOff->pageStep(), 13);
    o()->ScrollSize->setText("9999999");
    EXPECT_EQ(o()->ScrollSize->text(), "131068");
    EXPECT_EQ(w->XOff->pageStep(), 32767);
}

TEST_F(Options, TerrainStyleAndAspectKeepTheirLimits)
{
    start();
    o()->LandStyle->setText("-3");
    EXPECT_EQ(o()->LandStyle->text(), "0");
    o()->LandStyle->setText("400");
    EXPECT_EQ(o()->LandStyle->text(), "150");
    o()->LandStyle->setText("abc");
    EXPECT_EQ(o()->LandStyle->text(), "0");

    const int divAt200 = w->view.ScaleDivX;
    o()->XYdiff->setText("400");
    EXPECT_NEAR(w->view.ScaleDivX, 2 * divAt200, 1); // refitted at once
    o()->XYdiff->setText("0.5");
    EXPECT_EQ(o()->XYdiff->text(), "1");
}

TEST_F(Options, PlusAndMinusStepByOneOrByTenOnOtherButtons)
{
    start();
    o()->XYdiff->setText("5");
    QTest::mouseClick(o()->XYdiffD, Qt::RightButton);
    EXPECT_EQ(o()->XYdiff->text(), "1"); // -5, then kept at 1
    QTest::mouseClick(o()->XYdiffU, Qt::LeftButton);
    EXPECT_EQ(o()->XYdiff->text(), "2");
    QTest::mouseClick(o()->LandStyleU, Qt::MiddleButton);
    EXPECT_EQ(o()->LandStyle->text(), "19");
    QTest::mouseClick(o()->LandStyleD, Qt::LeftButton);
    EXPECT_EQ(o()->LandStyle->text(), "18");
    QTest::mouseClick(o()->ScrollSizeD, Qt::RightButton);
    EXPECT_EQ(o()->ScrollSize->text(), "90");
    EXPECT_EQ(w->XOff->pageStep(), 22); // 22.5 to even
    QTest::mouseClick(o()->ScrollSizeU, Qt::LeftButton);
    EXPECT_EQ(o()->ScrollSize->text(), "91");
}

TEST_F(Options, ShownAndHiddenByButtonAndMenusKeepingItsValues)
{
    start();
    ASSERT_FALSE(o()->isVisible());
    QTest::mouseClick(w->Options, Qt::LeftButton);
    ASSERT_TRUE(o()->isVisible());
    EXPECT_EQ(o()->x(), w->x());
    EXPECT_EQ(o()->y(), w->y() + w->frameGeometry().height() / 5);

    o()->LandStyle->setText("20");
    o()->Grid->setChecked(false);
    w->MOptions->trigger();
    EXPECT_FALSE(o()->isVisible());
    w->MBmp->trigger();
    EXPECT_TRUE(o()->isVisible());
    // Closing from the frame only hides it.
    o()->close();
    EXPECT_FALSE(o()->isVisible());
    w->MBmp->trigger();
    EXPECT_TRUE(o()->isVisible());
    EXPECT_EQ(o()->LandStyle->text(), "20");
    EXPECT_FALSE(o()->Grid->isChecked());

    // OK switches the preview off and hides.
    o()->Apply->setChecked(true);
    QTest::mouseClick(o()->Exit, Qt::LeftButton);
    EXPECT_FALSE(o()->Apply->isChecked());
    EXPECT_FALSE(o()->isVisible());
}

TEST_F(Options, StoredValuesPassThroughTheReactionsAtStartUp)
{
    startWith(" 2  -5  0  700  -900  400  0 ", " 1  0  0  1  1  1  0 ");
    EXPECT_EQ(o()->ScrollSize->text(), "4");
    EXPECT_EQ(w->XOff->pageStep(), 1);
    EXPECT_EQ(o()->LandStyle->text(), "0");
    EXPECT_EQ(o()->XYdiff->text(), "1");
    EXPECT_EQ(o()->BmpLeft->text(), "500");
    EXPECT_EQ(o()->BmpRightScroll->value(), -500);
    EXPECT_FALSE(o()->Grid->isChecked());
    EXPECT_FALSE(o()->AutoScroll->isChecked());
    EXPECT_TRUE(w->XOff->isVisible());
    EXPECT_EQ(w->BYScroll->text(), "Autoscroll");
    // The colour editor ends on "Back" and the document is drawn.
    EXPECT_EQ(o()->ColorIndex, 1);
    EXPECT_EQ(o()->Red->value(), 72);
    EXPECT_EQ(w->Proc->text(), "0");
    EXPECT_GT(w->doc.NPoints, 0);
}

TEST_F(Options, GradientAndMarginsFollowTheirSlidersWithinRange)
{
    start();
    o()->BackStyleScroll->setValue(-30);
    EXPECT_EQ(o()->BackStyle->text(), "-30");
    o()->BackStyle->setText("250");
    EXPECT_EQ(o()->BackStyle->text(), "200");
    EXPECT_EQ(o()->BackStyleScroll->value(), 200);
    o()->BmpLeft->setText("12.5");
    EXPECT_EQ(o()->BmpLeftScroll->value(), 12);
    EXPECT_EQ(o()->BmpLeft->text(), "12"); // the slider writes its whole value back
    o()->BmpRight->setText("-600");
    EXPECT_EQ(o()->BmpRight->text(), "-500");
    EXPECT_EQ(o()->BmpRightScroll->value(), -500);
}

TEST_F(Options, DebugSwitchShowsAndHidesTheJournalDump)
{
    start();
    o()->CDebug->setChecked(true);
    EXPECT_TRUE(w->LDebug->isVisible());
    EXPECT_GT(w->LDebug->count(), 1000);
    EXPECT_EQ(w->Proc->text(), "0");
    o()->CDebug->setChecked(false);
    EXPECT_FALSE(w->LDebug->isVisible());
}
