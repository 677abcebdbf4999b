// What keeps the user's work safe beyond single commands: two editors in one
// folder, an editor that was killed, and settings files that are not what they
// should be.
#include "editor_fixture.h"

#include "opt.h"
#include "run_program.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QScreen>

#include <csignal>
#include <filesystem>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class Safety : public EditorTest {
protected:
    std::unique_ptr<Form1> launch(FakePlatform& p)
    {
        ensureApplication();
        auto editor = std::make_unique<Form1>(p, portable());
        editor->show();
        return editor;
    }
    void writeSettingsText(const QByteArray& text)
    {
        QFile f(path("Trv.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

} // namespace

TEST_F(Safety, TwoEditorsInOneFolderKeepTheirOwnJournals)
{
    start("sample.brg");
    const int water = doc().Head[1];
    FakePlatform otherPlatform;
    EditorDriver other;
    other.w = launch(otherPlatform);
    other.ctl<QLineEdit>("File")->setText(copyData("sample.lvl"));
    other.w->OpenDocument();
    EXPECT_EQ(other.journal().folder(), dir.file("TRV-2"));

    w->WaterU_MouseUp(2);
    other.w->RailU_MouseUp(2);
    other.w->RailU_MouseUp(2);
    // Each undo finds its own document's states.
    w->MUndo_Click();
    EXPECT_EQ(doc().Head[1], water);
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("sample.brg"));
    other.w->MUndo_Click();
    EXPECT_EQ(other.journal().UndoPos, 1);
    EXPECT_EQ(other.doc().NLines, 0);

    // The first to end leaves the other's states alone, and the other its own.
    opt<QCheckBox>("Confirm")->setChecked(false);
    w->Exit_Click();
    EXPECT_TRUE(fs::exists(other.journal().stateFile(2)));
    EXPECT_FALSE(exists("TRV1.TMP"));
    other.opt<QCheckBox>("Confirm")->setChecked(false);
    other.w->Exit_Click();
    EXPECT_FALSE(exists("TRV-2"));
    EXPECT_TRUE(exists("TRV0.TMP"));
}

TEST_F(Safety, KilledEditorsWorkIsOfferedBackOnce)
{
    copyData("sample.brg");
    writeSettings(path("sample.brg"));
    const auto original = trvtest::readAll(dir.file("sample.brg"));
    auto crash = [&] {
        const auto run = trvtest::runWithoutDisplay(CRASHING_EDITOR_PATH, {dir.path().string()});
        ASSERT_EQ(run.exitCode, -1) << run.err; // killed, not ended
        ASSERT_TRUE(exists("TRV2.TMP"));
    };
    crash();
    w = launch(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].buttons, Platform::Buttons::RestoreDiscard);
    EXPECT_TRUE(platform.messages[0].text.contains(path("sample.brg")));
    // Restored as the state the user was on (one step undone), under its name, still changed.
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(journal().UndoName[1], "Water +16");
    EXPECT_EQ(trvtest::readAll(dir.file("TRV1.TMP")), trv::serializeDocument(doc(), true));
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("sample.brg"));
    EXPECT_TRUE(journal().changed());
    EXPECT_EQ(trvtest::readAll(dir.file("sample.brg")), original);
    w->MRedo_Click();
    EXPECT_EQ(journal().UndoPos, 2);
    opt<QCheckBox>("Confirm")->setChecked(false);
    w->Exit_Click();
    w.reset();

    crash();
    platform.messages.clear();
    platform.answers = {false}; // Discard
    w = launch(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(journal().changed());
    EXPECT_FALSE(exists("TRV2.TMP"));
    w.reset(); // killed again, with nothing unsaved

    platform.messages.clear();
    w = launch(platform);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Safety, SignalsEndTheEditorKeepingItsWorkWhateverIsOpen)
{
    copyData("sample.brg");
    writeSettings(path("sample.brg"));
    const fs::path settings = dir.path() / "Trv.ini";
    const auto longAgo = fs::last_write_time(settings) - std::chrono::hours(1000);
    struct Case {
        const char* program;
        std::vector<std::string> args;
        std::string ready; // empty: the program's own start, at its first question
        std::vector<int> toSend;
    };
    const std::string folder = dir.path().string();
    const Case cases[] = {
        {SIGNALLED_EDITOR_PATH, {folder, "options"}, "ready", {SIGTERM}},
        // A second signal does not cancel the end, as an answer to the question would.
        {SIGNALLED_EDITOR_PATH, {folder, "question"}, "ready", {SIGINT, SIGTERM}},
        // No settings file: the first start's "Tutorial ?" question is open.
        {TRV424_PATH, {"--workdir", folder}, "", {SIGHUP}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        if (c.ready.empty()) {
            // The unsaved work of an editor that was killed waits behind the question.
            ASSERT_EQ(trvtest::runWithoutDisplay(CRASHING_EDITOR_PATH, {folder}).exitCode, -1);
            fs::remove(settings);
        } else {
            fs::last_write_time(settings, longAgo);
        }
        const auto run = trvtest::runAndSignal(c.program, c.args, folder, c.ready, c.toSend);
        EXPECT_EQ(run.err.find("still running"), std::string::npos) << run.err;
        ASSERT_TRUE(fs::exists(settings));
        EXPECT_GT(fs::last_write_time(settings), longAgo);
        // The next start offers the unsaved change, as after a crash.
        platform.messages.clear();
        platform.answers = {false}; // Discard, for the next case to start afresh
        w = launch(platform);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].buttons, Platform::Buttons::RestoreDiscard);
        w.reset();
    }
}

TEST_F(Safety, HostileSettingsFilesNeitherHangNorHideTheWindow)
{
    copyData("sample.brg");
    const QByteArray good = [&] {
        writeSettings(path("sample.brg"));
        QFile f(path("Trv.ini"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    auto startWith = [&](const QByteArray& text) {
        platform.messages.clear();
        w.reset();
        writeSettingsText(text);
        w = launch(platform);
    };

    // Placement numbers far off every screen: the window still lands on it.
    QByteArray placed = good;
    placed.replace(" 1  0  1  1  1  1  1 \r\n 0  0  9000  12000  0  0 ",
                   " 1  1  1  1  1  1  1 \r\n 1000000000000 -1000000000  -1e9  1e12  0  1e12 ");
    startWith(placed);
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->frameGeometry().topLeft())) << w->frameGeometry().x();
    EXPECT_TRUE(screen.contains(w->geometry().center()));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(platform.messages.empty());

    // Damaged texts: said once at the start, defaults for what is missing.
    QByteArray crOnly = good;
    crOnly.replace("\r\n", "\r");
    QByteArray nulInName = good;
    nulInName.insert(3, '\0');
    for (const QByteArray& text : {crOnly, nulInName, QByteArray("\x01\xff\xfe junk")}) {
        startWith(text);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text.contains("is damaged")) << platform.messages[0].text.toStdString();
        EXPECT_EQ(ctl<QLineEdit>("File")->text(), "C:\\Programme\\Trusswick\\neu.brg");
    }

    // Not a file at all: a pipe would block a reader, a device never end.
    w.reset();
    fs::remove(dir.file("Trv.ini"));
    ASSERT_EQ(::mkfifo(dir.file("Trv.ini").c_str(), 0600), 0);
    platform.messages.clear();
    w = launch(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("cannot be read (not a regular file)"));
    w.reset();
    fs::remove(dir.file("Trv.ini"));
    fs::create_symlink("/dev/zero", dir.file("Trv.ini"));
    platform.messages.clear();
    w = launch(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("cannot be read"));
    opt<QCheckBox>("Confirm")->setChecked(false);
    w->Exit_Click(); // says it cannot write there, and still ends
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(platform.messages.back().text.contains("Cannot write the settings file"));
}
