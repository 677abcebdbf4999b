// Start-up with and without the settings file, and the way out.
#include "editor_fixture.h"

#include "first_start_settings.h"

#include "form_tutor.h"
#include "opt.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

class Startup : public EditorTest {
protected:
    // Answers the first-start prompt with the given button once it is shown.
    bool prompted = false;
    void answerTutorialWith(bool ok)
    {
        QTimer::singleShot(0, [this, ok] {
            auto* tutor = qobject_cast<FormTutor*>(QApplication::activeModalWidget());
            if (!tutor)
                return;
            prompted = true;
            QTest::mouseClick(ok ? tutor->TutorOK : tutor->TutorCancel, Qt::LeftButton);
        });
    }
    void launch()
    {
        ensureApplication();
        w = std::make_unique<Form1>(platform, portable());
    }
    std::string settingsText() const
    {
        const auto bytes = trvtest::readAll(dir.file("Trv.ini"));
        return std::string(bytes.begin(), bytes.end());
    }
};

} // namespace

TEST_F(Startup, FirstStartPromptsAndWritesTheDefaultSettingsAtExit)
{
    ensureApplication();
    answerTutorialWith(false);
    launch();
    EXPECT_TRUE(prompted);
    EXPECT_TRUE(platform.viewed.isEmpty());
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), "C:\\Programme\\Trusswick\\neu.brg");
    w->showMaximized();
    QApplication::processEvents();
    QTest::mouseClick(ctl<QPushButton>("Exit"), Qt::LeftButton);
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(platform.messages.empty()); // nothing changed: no prompt
    EXPECT_EQ(settingsText(), kFirstStartSettings);
}

TEST_F(Startup, TutorialOkOpensTheTutorialOrSaysItIsMissing)
{
    ensureApplication();
    answerTutorialWith(true);
    launch();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "       Tutorial.txt not found");

    w.reset();
    std::filesystem::remove(dir.file("Trv.ini"));
    QFile(path("Tutorial.txt")).open(QIODevice::WriteOnly);
    answerTutorialWith(true);
    launch();
    EXPECT_EQ(platform.viewed, QStringList{path("Tutorial.txt")});
}

TEST_F(Startup, SecondStartReadsEverySettingBack)
{
    const QString docPath = copyData("sample.lvl");
    std::string text = kFirstStartSettings;
    text.replace(0, text.find("\r\n"), docPath.toStdString());
    text.replace(text.find(" 100  9  200  0  0  400  0 "), 27, " 51  12  150  3  -2  300  -40 ");
    text.replace(text.find(" 1  1  1  1  1  1  1 "), 21, " 0  1  0  1  0  1  0 ");
    text.replace(text.find(" 4737096 "), 9, " 1193046 ");
    trvtest::writeAll(dir.file("Trv.ini"), std::vector<uint8_t>(text.begin(), text.end()));
    launch();
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), docPath);
    EXPECT_EQ(doc().NPoints, 4);
    EXPECT_EQ(opt<QLineEdit>("ScrollSize")->text(), "51");
    EXPECT_EQ(opt<QLineEdit>("LandStyle")->text(), "12");
    EXPECT_EQ(opt<QLineEdit>("XYdiff")->text(), "150");
    EXPECT_EQ(opt<QLineEdit>("BmpLeft")->text(), "3");
    EXPECT_EQ(opt<QLineEdit>("BmpRight")->text(), "-2");
    EXPECT_EQ(opt<QLineEdit>("BmpHeight")->text(), "300");
    EXPECT_EQ(opt<QLineEdit>("BackStyle")->text(), "-40");
    EXPECT_FALSE(opt<QCheckBox>("Confirm")->isChecked());
    EXPECT_TRUE(opt<QCheckBox>("WSize")->isChecked());
    EXPECT_FALSE(opt<QCheckBox>("Grid")->isChecked());
    EXPECT_TRUE(opt<QCheckBox>("Boundaries")->isChecked());
    EXPECT_FALSE(opt<QCheckBox>("Raillevel")->isChecked());
    EXPECT_TRUE(opt<QCheckBox>("Train")->isChecked());
    EXPECT_FALSE(opt<QCheckBox>("AutoScroll")->isChecked());
    EXPECT_EQ(colorTable()[1], 1193046u);
    EXPECT_EQ(windowPlacement(4), 12000);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Startup, OlderSettingsNamesAreDeletedAndNeverRead)
{
    for (const char* older : {"TRV.INI", "TRv.ini", "TRv.inI", "TRv.iNi", "TRv.Ini", "TRV.ini"})
        trvtest::writeAll(dir.file(older), {'x'});
    trvtest::writeAll(dir.file("trv.ini"), {'y'}); // another name altogether: left alone
    ensureApplication();
    answerTutorialWith(false);
    launch();
    EXPECT_TRUE(prompted); // no current settings file: defaults and the prompt
    for (const char* older : {"TRV.INI", "TRv.ini", "TRv.inI", "TRv.iNi", "TRv.Ini", "TRV.ini"})
        EXPECT_FALSE(exists(older)) << older;
    EXPECT_TRUE(exists("trv.ini"));
}

TEST_F(Startup, WindowPlacementOnlyWithSaveWindow)
{
    std::string text = kFirstStartSettings;
    text.replace(text.find(" 0  0  9000  12000  2  0 "), 25, " 1500  3000  7500  11880  0  4500 ");
    text.replace(text.find(" 1  1  1  1  1  1  1 "), 21, " 1  0  1  1  1  1  1 ");
    trvtest::writeAll(dir.file("Trv.ini"), std::vector<uint8_t>(text.begin(), text.end()));
    launch();
    const QSize designed = w->size();
    EXPECT_EQ(optWindow()->y(), 300); // the options window takes its top whatever WSize says
    w.reset();

    text.replace(text.find(" 1  0  1  1  1  1  1 "), 21, " 1  1  1  1  1  1  1 ");
    trvtest::writeAll(dir.file("Trv.ini"), std::vector<uint8_t>(text.begin(), text.end()));
    launch();
    // The status line adds to the stored size: the rest is the window the layout sees.
    const int statusLine = w->statusBar()->sizeHint().height();
    EXPECT_EQ(w->size(), QSize(792, 500 + statusLine));
    EXPECT_NE(designed, w->size());
    w->Exit_Click();
    EXPECT_NE(settingsText().find(" 7500  11880  0  4500 "), std::string::npos) << settingsText();
    w.reset();

    // A placement that shows no control opens the window at its designed size.
    text = settingsText();
    text.replace(text.find(" 1500  3000  7500  11880 "), 25, "-1000000000 -1000000000 -1000000000 -1000000000 ");
    trvtest::writeAll(dir.file("Trv.ini"), std::vector<uint8_t>(text.begin(), text.end()));
    launch();
    EXPECT_EQ(w->size(), designed);
}

TEST_F(Startup, ExitWritesNumbersAsTheyReadAndCleansTheJournal)
{
    start();
    // The height box keeps what is typed (the scroll step would correct it at once).
    opt<QLineEdit>("BmpHeight")->setText("abc");
    for (const char* n : {"TRV1.TMP", "TRV2.TMP", "TRV4.TMP"})
        trvtest::writeAll(dir.file(n), {1});
    w->Exit_Click();
    EXPECT_TRUE(platform.ended);
    const std::string text = settingsText();
    EXPECT_NE(text.find("\r\n 100  9  200  0  0  0  0 \r\n"), std::string::npos) << text;
    EXPECT_TRUE(exists("TRV0.TMP"));
    EXPECT_FALSE(exists("TRV1.TMP"));
    EXPECT_FALSE(exists("TRV2.TMP"));
    EXPECT_TRUE(exists("TRV4.TMP")); // beyond the first gap
}

TEST_F(Startup, ChangesAreConfirmedBeforeEveryWayOut)
{
    start();
    opt<QCheckBox>("Confirm")->setChecked(true);
    doc().Head[3] = 1;
    w->recordStep("Water: Change");

    platform.answers = {false};
    QCloseEvent close;
    QApplication::sendEvent(w.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "You have made changes blah blah...\nDiscard changes and exit?");
    EXPECT_FALSE(platform.ended);

    platform.answers = {true};
    ctl<QAction>("MExit")->trigger();
    EXPECT_TRUE(platform.ended);

    // With confirmations off the editor ends without asking.
    platform.ended = false;
    platform.messages.clear();
    opt<QCheckBox>("Confirm")->setChecked(false);
    QTest::mouseClick(ctl<QPushButton>("Exit"), Qt::LeftButton);
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Startup, BeforeAnyDocumentTheValueCommandsChangeNothing)
{
    std::string text = kFirstStartSettings;
    text.replace(0, text.find("\r\n"), dir.file("missing.brg"));
    trvtest::writeAll(dir.file("Trv.ini"), std::vector<uint8_t>(text.begin(), text.end()));
    launch();
    ASSERT_EQ(doc().NPoints, 0);
    w->WaterD_MouseUp(2);
    ctl<QLineEdit>("Water")->setText("12");
    w->Redraw_Click();
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_FALSE(exists("TRV1.TMP"));
    EXPECT_TRUE(journal().UndoName[0] == "L" || journal().UndoName[0].empty());

    // With nothing to redraw, the controls' client still follows the window: no
    // scroll bar on a screen that holds the designed window.
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->resize(w->width() - 100, w->height() - 100);
    auto* area = ctl<QScrollArea>("clientArea");
    EXPECT_EQ(area->widget()->size(), area->viewport()->size());
}
