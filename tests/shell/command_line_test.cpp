// The real TRV424 program started without a display, and the window on a
// screen narrower than the export preview's full width: the command line
// writes the window's own pictures, byte for byte.
#include "editor_fixture.h"

#include "run_program.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>

#include <csignal>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CommandLine : public EditorTest {
protected:
    trvtest::ProgramRun run(const std::vector<std::string>& args)
    {
        return trvtest::runWithoutDisplay(TRV424_PATH, args, dir.path().string());
    }
    std::vector<std::string> inWorkdir(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--workdir", dir.path().string()});
        return args;
    }
    // Settings with everything a picture depends on away from the defaults, and
    // a window size that they restore.
    void writePictureSettings(const QString& document, bool autoScroll)
    {
        writeSettings(document);
        QFile f(path("Trv.ini"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray text = f.readAll();
        f.close();
        text.replace(" 100  9  200  0  0  400  0 ", " 100  40  150  3  -5  300  120 ");
        text.replace(" 1  0  1  1  1  1  1 ", autoScroll ? " 1  1  0  1  1  0  1 " : " 1  1  1  0  1  1  0 ");
        text.replace(" 0  0  9000  12000  0  0 ", " 45  30  7200  10050  0  0 ");
        text.replace(" 4737096 ", " 1193046 ");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    // The window's own picture of a document: opened, the preview on, saved
    // (as a PNG for a .png name per user; in portable mode always as a bitmap).
    std::vector<uint8_t> windowPicture(const QString& document, const char* as, bool inPerUserMode = false)
    {
        ensureApplication();
        w = std::make_unique<Form1>(platform, inPerUserMode ? perUser() : portable());
        w->show();
        ctl<QLineEdit>("File")->setText(document);
        w->OpenDocument();
        optWindow()->setPreview(true);
        QApplication::processEvents();
        chosenFile() = path(as);
        EXPECT_TRUE(w->BmpSave());
        w.reset();
        return trvtest::readAll(dir.file(as));
    }
};

} // namespace

TEST_F(CommandLine, ExportWritesTheWindowsOwnPictureByteForByte)
{
    const QString bridge = copyData("sample.brg"), level = copyData("sample.lvl", "Level.LVL");
    fs::create_directory(dir.path() / "folder");
    const QString inFolder = copyData("sample.brg", "folder/b.brg");
    struct Case {
        QString document;
        bool autoScroll;
        const char* out;
    };
    for (const Case& c : {Case{bridge, true, "cli.bmp"}, Case{level, false, "cli.png"}}) {
        writePictureSettings(c.document, c.autoScroll);
        const auto r = run(inWorkdir({"--export", c.document.toStdString(), "-o", dir.file(c.out)}));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.document.toStdString() + " -> " + dir.file(c.out) + "\n");
        const bool png = !c.autoScroll;
        EXPECT_EQ(trvtest::readAll(dir.file(c.out)), windowPicture(c.document, png ? "w.png" : "w.bmp", png)) << c.out;
    }
    // The folder export writes the same picture beside each document.
    ASSERT_EQ(run(inWorkdir({"--multisave", dir.file("folder")})).exitCode, 0);
    EXPECT_EQ(trvtest::readAll(dir.file("folder/b.bmp")), windowPicture(inFolder, "w.bmp"));
    // Without -o the picture goes beside the document, as the folder export puts it.
    ASSERT_EQ(run(inWorkdir({"--export", bridge.toStdString()})).exitCode, 0);
    EXPECT_EQ(QImage(path("sample.bmp")).size(), QImage(path("cli.bmp")).size());
}

TEST_F(CommandLine, MultisaveOverATreeNamesEveryProblem)
{
    fs::create_directories(dir.path() / "tree/sub/deeper");
    copyData("sample.brg", "tree/a.brg");
    copyData("sample.lvl", "tree/sub/B.LVL");
    copyData("sample.brg", "tree/sub/deeper/c.brg");
    trvtest::writeAll(dir.file("tree/sub/short.brg"), std::vector<uint8_t>(40, 7));
    trvtest::writeAll(dir.file("tree/notes.txt"), {'x'});
    fs::create_directory(dir.path() / "tree/sub/deeper/c.bmp"); // its picture cannot be written

    auto r = run(inWorkdir({"--multisave", dir.file("tree"), "--subfolders"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              dir.file("tree/a.brg") + " -> " + dir.file("tree/a.bmp") + "\n" + dir.file("tree/sub/B.LVL") + " -> " +
                  dir.file("tree/sub/B.bmp") + "\n2 pictures written, 2 files failed\n");
    EXPECT_NE(r.err.find(dir.file("tree/sub/short.brg")), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.file("tree/sub/deeper/c.bmp") + ": cannot write"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "tree/notes.bmp"));

    // Without --subfolders only the folder's own files.
    r = run(inWorkdir({"--multisave", dir.file("tree")}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              dir.file("tree/a.brg") + " -> " + dir.file("tree/a.bmp") + "\n1 pictures written, 0 files failed\n");
}

TEST_F(CommandLine, FolderRunsWriteNothingOutsideAndTakeEveryName)
{
    // As an archive may unpack it: pictures that are links to files elsewhere,
    // a pipe, and names that are no valid UTF-8.
    trvtest::TempDir outside;
    const std::string precious = outside.file("precious");
    trvtest::writeAll(precious, {'k', 'e', 'e', 'p'});
    fs::create_directory(dir.path() / "pack");
    for (const char* name : {"ok.brg", "bad\xff.brg", "lat\xe9.lvl", "x.brg"}) {
        const std::string data = std::string("/sample") + (std::string(name).ends_with(".lvl") ? ".lvl" : ".brg");
        trvtest::writeAll(dir.file(std::string("pack/") + name), trvtest::readAll(trvtest::dataDir() + data));
    }
    fs::create_symlink(precious, dir.path() / "pack/x.bmp");
    fs::create_symlink("/dev/zero", dir.path() / "pack/zero.brg");
    ASSERT_EQ(::mkfifo(dir.file("pack/pipe.lvl").c_str(), 0600), 0);

    const auto r = run(inWorkdir({"--multisave", dir.file("pack")}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("3 pictures written, 3 files failed"), std::string::npos) << r.out;
    for (const char* picture : {"ok.bmp", "bad\xff.bmp", "lat\xe9.bmp"})
        EXPECT_EQ(trvtest::readAll(dir.file(std::string("pack/") + picture)).at(0), 'B') << picture; // a BMP
    EXPECT_NE(r.err.find(dir.file("pack/x.bmp") + ": cannot write: a symbolic link"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.file("pack/pipe.lvl") + ":\nnot a regular file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.file("pack/zero.brg") + ":\nnot a regular file"), std::string::npos) << r.err;
    // A picture named after its document alone is refused the same way; one the user names is not.
    EXPECT_EQ(run(inWorkdir({"--export", dir.file("pack/x.brg")})).exitCode, 1);
    EXPECT_EQ(trvtest::readAll(precious), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "pack/x.bmp"));
}

TEST_F(CommandLine, AFolderRunEndedBySignalLeavesNoTemporaryFile)
{
    fs::create_directory(dir.path() / "many");
    for (int i = 0; i < 30; ++i)
        fs::copy_file(trvtest::dataDir() + "/sample.lvl", dir.path() / "many" / (std::to_string(i) + ".lvl"));
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        // Sent as the first picture is done, while the next one is being written.
        const auto r =
            trvtest::runAndSignal(TRV424_PATH, {"--multisave", dir.file("many")}, dir.path().string(), " -> ", {sig});
        EXPECT_EQ(r.exitCode, -1) << r.err;
        for (const auto& e : fs::directory_iterator(dir.path() / "many"))
            EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
    }
}

TEST_F(CommandLine, ThumbnailsStayWithinTheirSize)
{
    const QString bridge = copyData("sample.brg");
    // A thumbnail service opens the output first and reads it through that descriptor.
    const int seen = ::open(dir.file("t.png").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(seen, 0);
    for (int size : {256, 40, 1}) {
        const auto r = run({"--thumbnail", bridge.toStdString(), dir.file("t.png"), std::to_string(size)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        char head[4] = {};
        EXPECT_EQ(::pread(seen, head, 4, 0), 4);
        EXPECT_EQ(std::string(head, 4), "\x89PNG");
        const QImage t(path("t.png"), "PNG");
        ASSERT_FALSE(t.isNull());
        EXPECT_LE(std::max(t.width(), t.height()), size);
        EXPECT_EQ(std::max(t.width(), t.height()), size); // the level is larger than any of these
    }
    ::close(seen);
    EXPECT_EQ(run({"--thumbnail", path("missing.brg").toStdString(), dir.file("m.png"), "64"}).exitCode, 1);
    ASSERT_EQ(::mkfifo(dir.file("pipe.brg").c_str(), 0600), 0);
    const auto pipe = run({"--thumbnail", dir.file("pipe.brg"), dir.file("m.png"), "64"});
    EXPECT_EQ(pipe.exitCode, 1);
    EXPECT_NE(pipe.err.find("not a regular file"), std::string::npos) << pipe.err;
    EXPECT_FALSE(exists("m.png"));
    EXPECT_EQ(run({"--thumbnail", bridge.toStdString(), dir.file("m.png"), "0"}).exitCode, 2);
}

TEST_F(CommandLine, HelpVersionAndWrongUsage)
{
    auto r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Usage: TRV424", 0), 0u);
    r = run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "TRV424 " TRUSSWICK_VERSION "\n");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--bogus"}, {"--workdir", path("nowhere").toStdString()}}) {
        r = run(wrong);
        EXPECT_EQ(r.exitCode, 2) << wrong[0];
        EXPECT_NE(r.err.find("Usage: TRV424"), std::string::npos);
    }
    EXPECT_EQ(run({"--bogus"}).err.substr(0, 32), "TRV424: unknown option --bogus\nU");

    // The command without its window program says so rather than ending silently.
    fs::copy_file(TRV424_PATH, dir.file("TRV424"));
    r = trvtest::runWithoutDisplay(dir.file("TRV424"), {}, dir.path().string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("TRV424: cannot start the window program " + dir.path().string() + "/"), std::string::npos)
        << r.err;
}

TEST_F(CommandLine, WindowOpensTheNamedFileInsteadOfTheSettingsOne)
{
    copyData("sample.brg");
    writeSettings(path("sample.brg"));
    const QString level = copyData("sample.lvl");
    ensureApplication();
    w = std::make_unique<Form1>(platform, portable(), level);
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), level);
    EXPECT_EQ(doc().NLines, 0);
    EXPECT_TRUE(platform.messages.empty());

    // A file Open would refuse is refused the same way; the start goes on.
    trvtest::writeAll(dir.file("bad.brg"), {1, 2, 3});
    w = std::make_unique<Form1>(platform, portable(), path("bad.brg"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("bad.brg"));
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("sample.brg"));
}
