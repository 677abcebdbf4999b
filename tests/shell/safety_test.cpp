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

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

using Environment = std::map<std::string, std::optional<std::string>>; // nullopt: unset

struct EditorRun {
    bool shown = false; // its document was open
    std::string err;
};

// The real editor on the offscreen platform in `cwd`, with `env` changed, until
// the file `shown` appears (written once its document is open), then killed.
EditorRun runEditorUntil(const std::vector<std::string>& args, const Environment& env, const std::string& cwd,
                         const std::string& shown)
{
    std::vector<std::string> envStore{"QT_QPA_PLATFORM=offscreen", "LC_ALL=C.UTF-8"};
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e), key = entry.substr(0, entry.find('='));
        if (!env.count(key) && key != "QT_QPA_PLATFORM" && key != "LC_ALL" && key != "DISPLAY")
            envStore.push_back(entry);
    }
    for (const auto& [key, value] : env)
        if (value)
            envStore.push_back(key + "=" + *value);
    std::vector<std::string> argStore{TRV424_PATH};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& a : argStore)
        argv.push_back(a.data());
    for (std::string& e : envStore)
        envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const std::string errFile = cwd + "/../" + fs::path(cwd).filename().string() + ".stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = 0;
    EditorRun run;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    // Bounded only to end a hung editor: the test fails on `shown`, not on a time.
    int status = 0;
    for (int i = 0; i < 1200 && !run.shown && ::waitpid(pid, &status, WNOHANG) == 0; ++i) {
        run.shown = fs::exists(shown);
        if (!run.shown)
            ::usleep(50000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    const auto err = trvtest::readAll(errFile);
    run.err.assign(err.begin(), err.end());
    fs::remove(errFile);
    return run;
}

// Sets the variables for one test and puts them back afterwards.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const Environment& env)
    {
        for (const auto& [key, value] : env) {
            const char* old = std::getenv(key.c_str());
            saved_[key] = old ? std::optional<std::string>(old) : std::nullopt;
            value ? ::setenv(key.c_str(), value->c_str(), 1) : ::unsetenv(key.c_str());
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& [key, value] : saved_)
            value ? ::setenv(key.c_str(), value->c_str(), 1) : ::unsetenv(key.c_str());
    }

private:
    Environment saved_;
};

} // namespace

TEST_F(Safety, PlantedLinksAndPipesAreLeftAloneAndTheWindowStillShows)
{
    copyData("sample.brg");
    writeSettings(path("sample.brg"));
    trvtest::TempDir outside;
    const std::vector<uint8_t> precious{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'};
    trvtest::writeAll(outside.file("victim"), precious);
    fs::create_directory(outside.file("journal"));
    for (const char* name : {"TRV0.TMP", "TRV.index"})
        trvtest::writeAll(outside.file("journal/") + name, precious);
    for (const char* name : {"TRV.lock", "TRV0.TMP", "TRV1.TMP", "recent-files"})
        fs::create_symlink(outside.file("victim"), dir.file(name));
    fs::create_directory_symlink(outside.file("journal"), dir.file("TRV-2"));
    ASSERT_EQ(::mkfifo(dir.file("TRV.index").c_str(), 0600), 0);
    auto untouched = [&] {
        EXPECT_EQ(trvtest::readAll(outside.file("victim")), precious);
        for (const char* name : {"TRV0.TMP", "TRV.index"})
            EXPECT_EQ(trvtest::readAll(outside.file("journal/") + name), precious);
        for (const char* name : {"TRV.lock", "TRV0.TMP", "TRV1.TMP", "recent-files", "TRV-2"})
            EXPECT_TRUE(fs::is_symlink(dir.file(name))) << name;
        EXPECT_TRUE(fs::is_fifo(dir.file("TRV.index")));
    };

    // The real program: the pipe does not hold up its window.
    const auto run =
        runEditorUntil({"--workdir", dir.path().string()}, {}, dir.path().string(), dir.file("TRV-3/TRV0.TMP"));
    EXPECT_TRUE(run.shown) << run.err;
    untouched();

    // A start, edits and the exit: said once, and nothing planted is touched.
    w = launch(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    const QString said = platform.messages[0].text;
    EXPECT_TRUE(said.contains("keeps its journal in " + path("TRV-3"))) << said.toStdString();
    // Portable mode keeps no recent list: its planted name is simply never opened.
    EXPECT_FALSE(said.contains("recent-files"));
    w->WaterU_MouseUp(2);
    w->WaterU_MouseUp(2);
    w->MUndo_Click();
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(platform.messages.size(), 1u);
    opt<QCheckBox>("Confirm")->setChecked(false);
    w->Exit_Click();
    untouched();
    EXPECT_FALSE(exists("TRV-3"));
}

TEST_F(Safety, WithoutAHomeOrAJournalFolderAPrivateFolderKeepsThem)
{
    trvtest::TempDir runtime, cwd;
    copyData("sample.brg");
    writeSettings(path("sample.brg"));
    const std::string own = runtime.file("trusswick");
    ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
    fs::create_directory(own + "/config");
    fs::copy_file(dir.file("Trv.ini"), own + "/config/Trv.ini");
    const Environment noHome{{"HOME", std::nullopt},
                             {"XDG_CONFIG_HOME", std::nullopt},
                             {"XDG_STATE_HOME", std::nullopt},
                             {"XDG_RUNTIME_DIR", runtime.path().string()}};

    // The real program says so on standard error, and writes nowhere but there.
    for (const std::optional<std::string>& home :
         {std::optional<std::string>(), std::optional<std::string>(""), std::optional(dir.file("missing"))}) {
        Environment env = noHome;
        env["HOME"] = home;
        const auto run = runEditorUntil({}, env, cwd.path().string(), own + "/journal/TRV0.TMP");
        EXPECT_TRUE(run.shown) << run.err;
        EXPECT_NE(run.err.find("There is no usable home folder (HOME"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("settings and journal for this run in " + own), std::string::npos);
        fs::remove_all(own + "/journal");
    }
    EXPECT_TRUE(fs::is_empty(cwd.path()));
    EXPECT_FALSE(exists("missing"));

    // The window says it once; the settings are written there at the end.
    {
        ScopedEnvironment env(noHome);
        ensureApplication();
        w = std::make_unique<Form1>(platform, AppPaths::perUser());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text.contains("There is no usable home folder (HOME is not set)"));
        opt<QCheckBox>("Confirm")->setChecked(false);
        fs::remove(own + "/config/Trv.ini");
        w->Exit_Click();
        EXPECT_TRUE(fs::exists(own + "/config/Trv.ini"));
        EXPECT_TRUE(fs::exists(own + "/config/recent-files"));
    }

    // A journal folder that is a file: one message, then undo and redo work
    // from the private folder.
    trvtest::writeAll(dir.file("state"), {});
    fs::copy_file(dir.file("Trv.ini"), own + "/Trv.ini"); // $XDG_CONFIG_HOME/trusswick
    ScopedEnvironment env({{"HOME", dir.path().string()},
                           {"XDG_CONFIG_HOME", runtime.path().string()},
                           {"XDG_STATE_HOME", dir.file("state")},
                           {"XDG_RUNTIME_DIR", runtime.path().string()}});
    platform.messages.clear();
    w = std::make_unique<Form1>(platform, AppPaths::perUser());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(
        platform.messages[0].text.contains("The journal folder " + path("state") + "/trusswick cannot be used"));
    EXPECT_EQ(journal().folder(), own + "/journal");
    w->WaterU_MouseUp(2);
    w->WaterU_MouseUp(2);
    w->MUndo_Click();
    w->MRedo_Click();
    EXPECT_EQ(journal().UndoPos, 2);
    EXPECT_EQ(platform.messages.size(), 1u);
}

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
