// The help menu: help and tutorial files in the text viewer or their messages
// when missing, the first-start prompt, and the About frame with its animation;
// and the spring test run on the "Test" button.
#include "editor_fixture.h"
#include "window_units.h"

#include "controls.h"
#include "form_tutor.h"
#include "pic_box.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

class Help : public EditorTest {
protected:
    void touch(const char* name)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("text\n");
    }
};

class About : public EditorTest {
protected:
    bool shown() { return !ctl<ClickFrame>("FrameAbout")->isHidden(); }
    // Lets the slide-in and the pause run until the train is out.
    bool waitForTrain()
    {
        return QTest::qWaitFor([&] { return ctl<QLabel>("AboutTrain")->isVisible(); }, 5000);
    }
};

class TestRun : public EditorTest {};

} // namespace

TEST_F(Help, FilesOpenInTheViewerOrNameWhatIsMissing)
{
    start();
    ctl<QAction>("MViewHelp")->trigger();
    ctl<QAction>("MTutorial")->trigger();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "Zarvines_TW_Editor08.txt\n                 Not found");
    EXPECT_EQ(platform.messages[1].text, "       Tutorial.txt not found");
    EXPECT_EQ(platform.messages[1].buttons, Platform::Buttons::Ok);
    EXPECT_TRUE(platform.viewed.isEmpty());

    touch("Zarvines_TW_Editor08.txt");
    touch("Tutorial.txt");
    ctl<QAction>("MViewHelp")->trigger();
    ctl<QAction>("MTutorial")->trigger();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.viewed, (QStringList{path("Zarvines_TW_Editor08.txt"), path("Tutorial.txt")}));

    // There, but no viewer to show it: the program shows the text itself.
    platform.viewerWorks = false;
    trvtest::writeAll(dir.file("Tutorial.txt"), {'S', 't', 'e', 'p', ' ', '1'});
    ctl<QAction>("MTutorial")->trigger();
    EXPECT_EQ(platform.messages.size(), 2u);
    auto* shown = w->findChild<QPlainTextEdit*>("TextWindow");
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->isVisible() && shown->isWindow() && shown->isReadOnly());
    EXPECT_EQ(shown->toPlainText(), "Step 1");
    EXPECT_EQ(shown->windowTitle(), "Tutorial.txt");
}

TEST_F(Help, FirstStartPromptOffersTheTutorialThenGoesOn)
{
    ensureApplication();
    // No settings file: the prompt waits; OK with no tutorial file gives the message.
    QTimer::singleShot(0, [] {
        auto* tutor = qobject_cast<FormTutor*>(QApplication::activeModalWidget());
        ASSERT_NE(tutor, nullptr);
        EXPECT_EQ(tutor->LabelTutor->text(), "Tutorial ?");
        QTest::mouseClick(tutor->TutorOK, Qt::LeftButton);
    });
    w = std::make_unique<Form1>(platform, portable());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "       Tutorial.txt not found");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Help, ShippedGuideAndTutorialAreRealTexts)
{
    // The run command installs data/ beside new.brg; the texts must be there and readable.
    for (const char* name : {"Zarvines_TW_Editor08.txt", "Tutorial.txt"}) {
        QFile f(QString::fromStdString(trvtest::dataDir()) + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const QString text = QString::fromUtf8(f.readAll());
        EXPECT_GT(text.size(), 2000) << name;
        EXPECT_TRUE(text.contains("new.brg")) << name;
    }
}

TEST_F(About, ShownAndHiddenTwiceByTheMenuAndByAClick)
{
    start();
    ASSERT_FALSE(shown());
    ctl<QAction>("MAbout")->trigger();
    ASSERT_TRUE(shown());
    EXPECT_EQ(ctl<ClickFrame>("FrameAbout")->title().trimmed(), "Zarvines Tool Nr.211 Trusswick Editor");
    EXPECT_EQ(ctl<ClickFrame>("FrameAbout")->title(),
              QString(11, ' ') + "Zarvines Tool Nr.211 Trusswick Editor" + QString(10, ' '));
    EXPECT_FALSE(ctl<ClickLabel>("Labeltwde")->text().isEmpty());
    const QPoint start = ctl<ClickFrame>("FrameAbout")->pos();
    ASSERT_TRUE(waitForTrain());
    // Slid in along its arc to 1500 sin(1) + 1000, 3000 cos(1) - 1000 twips.
    EXPECT_NE(ctl<ClickFrame>("FrameAbout")->pos(), start);
    EXPECT_EQ(ctl<ClickFrame>("FrameAbout")->pos(),
              QPoint(tw(1500 * std::sin(1.0) + 1000), tw(3000 * std::cos(1.0) - 1000)));
    EXPECT_EQ(ctl<QLabel>("AboutTrain")->palette().color(QPalette::Window), QColor(88, 152, 88));

    // Hidden by the menu: a fresh layout and redraw, the animation stops.
    layoutPending() = false;
    const QImage before = ctl<PicBox>("Pic")->image().copy();
    ctl<QAction>("MAbout")->trigger();
    EXPECT_FALSE(shown());
    EXPECT_FALSE(layoutPending()); // set, then used by the redraw
    EXPECT_EQ(ctl<PicBox>("Pic")->image(), before);
    const double left = aboutTrainLeft();
    QTest::qWait(60);
    EXPECT_EQ(aboutTrainLeft(), left);

    // Shown again and hidden by a click on the credits.
    ctl<QAction>("MAbout")->trigger();
    ASSERT_TRUE(shown());
    QTest::mouseClick(ctl<ClickLabel>("Labeltwde"), Qt::LeftButton);
    EXPECT_FALSE(shown());
    ctl<QAction>("MAbout")->trigger();
    ASSERT_TRUE(shown());
    QTest::mouseClick(ctl<ClickLabel>("Image1"), Qt::LeftButton);
    EXPECT_FALSE(shown());
}

TEST_F(About, TrainSwingsTowardsThePointerAndStaysInTheFrame)
{
    start();
    ctl<QAction>("MAbout")->trigger();
    ASSERT_TRUE(waitForTrain());
    ctl<QAction>("MAbout")->trigger(); // stops the timer: the steps are driven by hand from here
    ctl<ClickFrame>("FrameAbout")->show();

    // The pointer over the picture near its left: the train heads there.
    QTest::mouseMove(ctl<ClickLabel>("Image1"), QPoint(20, 100));
    EXPECT_EQ(aboutTargetX(), 20 * 15);
    EXPECT_EQ(aboutPointerY(), 100 * 15 + 1);
    aboutTrainLeft() = 4000;
    aboutSpeed() = 0;
    double lowest = 1e9, highest = -1e9;
    for (int k = 0; k < 3000; ++k) {
        ASSERT_TRUE(w->AboutAnimation());
        lowest = std::min(lowest, aboutTrainLeft());
        highest = std::max(highest, aboutTrainLeft());
    }
    EXPECT_LT(lowest, 1000);  // it got there
    EXPECT_LE(highest, 4000); // and did not run off the other way
    EXPECT_GT(lowest, -100);  // bounced at the left edge rather than leaving
    EXPECT_EQ(ctl<QLabel>("AboutTrain")->x(), tw(aboutTrainLeft()));
    // The tie: from the pointer to the train, grey by the pointer's height.
    EXPECT_EQ(ctl<LineShape>("AboutLine")->color(), QColor(100, 100, 100));
    EXPECT_NEAR(ctl<LineShape>("AboutLine")->first().x(), (300 + 150) / 15.0, 1e-9);
    EXPECT_NEAR(ctl<LineShape>("AboutLine")->first().y(), (1501 + 400) / 15.0, 1e-9);
    EXPECT_NEAR(ctl<LineShape>("AboutLine")->second().x(), (aboutTrainLeft() + 150) / 15.0, 1e-9);

    ctl<ClickFrame>("FrameAbout")->hide();
    EXPECT_FALSE(w->AboutAnimation());
}

TEST_F(TestRun, PointerMovesStepTheRunAndAClickRestoresTheDocument)
{
    start();
    const QImage ordinary = ctl<PicBox>("Pic")->image().copy();
    const std::vector<double> y0 = tables().PntY;
    const int fixed = tables().fixedCount(doc().NPoints);
    ASSERT_GT(doc().NPoints, fixed);
    const int16_t tick = testTick();

    for (int k = 0; k < 30; ++k)
        QTest::mouseMove(ctl<MouseButton>("Test"), QPoint(3 + k % 5, 4));
    EXPECT_EQ(testTick(), (tick + 30) % 10);
    for (int i = 1; i <= fixed; ++i)
        EXPECT_EQ(tables().PntY[size_t(i)], y0[size_t(i)]) << i;
    int moved = 0;
    for (int i = fixed + 1; i <= doc().NPoints; ++i)
        moved += tables().PntY[size_t(i)] != y0[size_t(i)];
    EXPECT_GT(moved, 0);
    // The test picture: fixed points in their colour (partly under their lines)
    // on the plain background.
    const QImage& im = ctl<PicBox>("Pic")->image();
    for (int i = 1; i <= fixed; ++i) {
        const QPointF p = w->ToScreen(tables().PntX[size_t(i)], tables().PntY[size_t(i)]);
        const int x = trv::logicalToPixel(p.x(), im.width(), ctl<PicBox>("Pic")->scaleWidth());
        const int y = trv::logicalToPixel(p.y(), im.height(), ctl<PicBox>("Pic")->scaleHeight());
        int red = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                red += im.valid(x + dx, y + dy) && im.pixelColor(x + dx, y + dy) == QColor(255, 0, 0);
        EXPECT_GT(red, 0) << i;
    }
    EXPECT_EQ(im.pixelColor(im.width() - 2, im.height() - 2), QColor(72, 72, 72));
    EXPECT_EQ(journal().UndoName[0], "L"); // the document itself is untouched

    QTest::mouseClick(ctl<MouseButton>("Test"), Qt::LeftButton);
    EXPECT_EQ(tables().PntY, y0);
    for (const auto& a : springAccumulators())
        EXPECT_TRUE(a[1] == 0 && a[2] == 0);
    EXPECT_EQ(ctl<PicBox>("Pic")->image(), ordinary);
    EXPECT_EQ(journal().UndoName[0], "L");
}
