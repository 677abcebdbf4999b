// The editor's windows at the screen scale given by QT_SCALE_FACTOR, as a person
// meets them: every control takes a click at its centre, every caption fits,
// every control has a name for screen readers, and the window fits the screen.
#include "editor_fixture.h"

#include "form_tutor.h"
#include "pic_box.h"
#include "scroll_bar.h"
#include "window_checks.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

class WindowFit : public EditorTest {
protected:
    void expectFit(QWidget* window)
    {
        EXPECT_TRUE(trvtest::everyControlTakesAClickAtItsCentre(window)) << window->objectName().toStdString();
        EXPECT_TRUE(trvtest::everyCaptionFits(window)) << window->objectName().toStdString();
        EXPECT_TRUE(trvtest::everyControlHasAnAccessibleName(window)) << window->objectName().toStdString();
    }
};

} // namespace

TEST_F(WindowFit, EveryWindowAtThisScale)
{
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    // The first-start prompt, checked while it is open.
    ensureApplication();
    bool prompted = false;
    QTimer::singleShot(0, [&] {
        auto* tutor = qobject_cast<FormTutor*>(QApplication::activeModalWidget());
        if (!tutor)
            return;
        prompted = true;
        expectFit(tutor);
        tutor->reject();
    });
    w = std::make_unique<Form1>(platform, portable());
    EXPECT_TRUE(prompted);
    w.reset();

    start("sample.brg");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_DOUBLE_EQ(w->devicePixelRatio(), scale);
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->frameGeometry()))
        << "the window (" << w->frameGeometry().width() << " x " << w->frameGeometry().height()
        << ") does not fit the screen at scale " << scale;
    // Each edit mode shows its own panel.
    for (const char* mode : {"EPoint", "ELine", "ELand", "EGen"}) {
        w->select(ctl<QRadioButton>(mode));
        expectFit(w.get());
    }
    // Both Center buttons press like any other, after any number of centrings,
    // scrolls and redraws.
    auto* pic = ctl<PicBox>("Pic");
    for (int round = 0; round < 3; ++round)
        for (const char* name : {"Center2", "Center3"}) {
            auto* center = ctl<QPushButton>(name);
            EXPECT_TRUE(trvtest::showsPressedWhileHeld(center)) << "round " << round;
            EXPECT_EQ(ctl<ScrollBar>("YOff")->value(), 0) << name << " did not centre";
            QTest::keyClick(pic, Qt::Key_8, Qt::KeypadModifier);
            QTest::keyClick(pic, Qt::Key_Space);
        }
    w->Options_Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(optWindow()));
    EXPECT_TRUE(screen.contains(optWindow()->frameGeometry())) << "the options window does not fit the screen";
    expectFit(optWindow());
}
