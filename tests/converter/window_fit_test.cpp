// The converter window at the screen scale given by QT_SCALE_FACTOR: every
// control can be clicked, every caption fits, every control has a name.
#include "bgb_samples.h"
#include "converter_window.h"
#include "drag_drop.h"
#include "qt_app.h"
#include "temp_dir.h"
#include "window_checks.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

TEST(ConverterWindowFit, ControlsAreReachableNamedAndCaptionsFit)
{
    trvtest::ensureApplication();
    ConverterWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // The scale must really be in force, or the run proves nothing about it.
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    EXPECT_DOUBLE_EQ(w.devicePixelRatio(), scale);

    EXPECT_TRUE(trvtest::everyControlTakesAClickAtItsCentre(&w));
    EXPECT_TRUE(trvtest::everyCaptionFits(&w));
    EXPECT_TRUE(trvtest::everyControlHasAnAccessibleName(&w));

    // With a refusal note and a report on show.
    trvtest::TempDir dir;
    trvtest::writeAll(dir.file("short.brg"), std::vector<uint8_t>(10, 0));
    const auto dropFile = [&](const std::string& name) {
        trvtest::dragAndDrop(w.TxIn, {QUrl::fromLocalFile(QString::fromStdString(dir.file(name)))});
    };
    dropFile("short.brg");
    QTest::mouseClick(w.BuConv, Qt::LeftButton);
    dropFile("a level with a rather long name that cannot fit beside the check box.lvl");
    QApplication::processEvents();
    ASSERT_FALSE(w.TxReport->isHidden());
    ASSERT_FALSE(w.LaNote->text().isEmpty());
    EXPECT_TRUE(trvtest::everyControlTakesAClickAtItsCentre(&w));
    EXPECT_TRUE(trvtest::everyCaptionFits(&w));
    EXPECT_TRUE(trvtest::everyControlHasAnAccessibleName(&w));
}

// The checks themselves find a covered button, a clipped caption and a
// nameless control, or a window passing them would prove nothing.
TEST(WindowChecks, FindCoveredControlsClippedCaptionsAndMissingNames)
{
    trvtest::ensureApplication();
    QWidget window;
    window.resize(300, 200);
    auto* covered = new QPushButton("Covered", &window);
    covered->setGeometry(10, 10, 100, 30);
    auto* cover = new QLabel(&window);
    cover->setGeometry(40, 5, 60, 40);
    auto* clipped = new QCheckBox("A caption far too long for its box", &window);
    clipped->setGeometry(10, 60, 80, 30);
    clipped->setAccessibleName("Clipped");
    auto* outside = new QPushButton("Outside", &window);
    outside->setGeometry(280, 180, 100, 30);
    outside->setAccessibleName("Outside");
    auto* nameless = new QLineEdit(&window);
    nameless->setGeometry(150, 100, 80, 24);
    window.show();

    const auto clicks = trvtest::everyControlTakesAClickAtItsCentre(&window);
    EXPECT_FALSE(clicks);
    EXPECT_NE(std::string(clicks.message()).find("\"Covered\" is covered at ("), std::string::npos) << clicks.message();
    EXPECT_NE(std::string(clicks.message()).find("\"Outside\" has its centre outside"), std::string::npos);
    EXPECT_EQ(std::string(clicks.message()).find("\"A caption"), std::string::npos);

    const auto captions = trvtest::everyCaptionFits(&window);
    EXPECT_FALSE(captions);
    EXPECT_NE(std::string(captions.message()).find("\"A caption far too long for its box\""), std::string::npos)
        << captions.message();
    EXPECT_EQ(std::string(captions.message()).find("\"Covered\""), std::string::npos) << captions.message();

    const auto names = trvtest::everyControlHasAnAccessibleName(&window);
    EXPECT_FALSE(names);
    // A caption names its button; a text box needs a name of its own.
    EXPECT_NE(std::string(names.message()).find("QLineEdit has no accessible name"), std::string::npos)
        << names.message();
    EXPECT_EQ(std::string(names.message()).find("Covered"), std::string::npos);
    EXPECT_EQ(std::string(names.message()).find("Outside"), std::string::npos);
    // A name that hides the caption is not what a person sees.
    EXPECT_NE(std::string(names.message()).find("is named \"Clipped\" for screen readers"), std::string::npos)
        << names.message();
}

} // namespace
