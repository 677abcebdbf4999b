// The real Rondix012 program, started without a display as from a terminal.
#include "bgb_samples.h"
#include "run_program.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace bgbtest;
namespace fs = std::filesystem;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    trvtest::ProgramRun run(const std::vector<std::string>& args)
    {
        return trvtest::runWithoutDisplay(RONDIX012_PATH, args, dir_.path().string());
    }
    std::string file(const std::string& name) const { return dir_.file(name); }
    void writeSample(const std::string& name) { trvtest::writeAll(file(name), bytesOf(sampleBrg())); }

    trvtest::TempDir dir_;
};

TEST_F(CommandLineTest, ConvertsEachNamedFileAndReportsEachFailure)
{
    writeSample("a.brg");
    writeSample("B.BRG");
    trvtest::writeAll(file("short.brg"), std::vector<uint8_t>(100, 0));
    writeSample("notes.txt");
    trvtest::writeAll(file("short.bgb"), {1, 2, 3});

    const auto r = run({"a.brg", "short.brg", "missing.brg", "notes.txt", file("B.BRG")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "a.brg -> a.bgb\n" + file("B.BRG") + " -> " + file("B.bgb") + "\n");
    EXPECT_EQ(r.err,
              "Rondix012: short.brg: the file is 100 bytes long, shorter than the 4128 bytes of an empty bridge\n"
              "Rondix012: missing.brg: cannot open the file (No such file or directory)\n"
              "Rondix012: notes.txt: not a .brg file\n"
              "Rondix012: 2 converted, 3 failed\n");
    EXPECT_EQ(trvtest::readAll(file("a.bgb")), bytesOf(sampleBgb()));
    EXPECT_EQ(trvtest::readAll(file("B.bgb")), bytesOf(sampleBgb()));
    EXPECT_EQ(trvtest::readAll(file("short.bgb")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(fs::exists(file("missing.bgb")));
    EXPECT_FALSE(fs::exists(file("notes.bgb")));

    const auto again = run({"a.brg"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.err, "");
}

TEST_F(CommandLineTest, FolderTakesTheBridgesAWindowFolderRunTakes)
{
    writeSample("z.brg");
    writeSample("b.BRG");
    writeSample("a.brg");
    writeSample(".hidden.brg");
    writeSample("c.lvl");
    fs::create_directory(file("sub.brg"));
    fs::create_directory(file("empty"));

    const std::string dir = dir_.path().string();
    const auto r = run({"--folder", dir});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              dir + "/a.brg -> " + dir + "/a.bgb\n" + dir + "/b.BRG -> " + dir + "/b.bgb\n" + dir + "/z.brg -> " + dir +
                  "/z.bgb\n");
    EXPECT_EQ(r.err, "");
    for (const char* out : {"a.bgb", "b.bgb", "z.bgb"})
        EXPECT_EQ(trvtest::readAll(file(out)), bytesOf(sampleBgb())) << out;
    EXPECT_FALSE(fs::exists(file(".hidden.bgb")));
    EXPECT_FALSE(fs::exists(file("c.bgb")));

    const auto missing = run({"--folder=nowhere", "--folder", "empty/"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "Rondix012: nowhere: cannot read the folder (No such file or directory)\n"
              "Rondix012: empty/: no .brg files in this folder\n");
}

TEST_F(CommandLineTest, WritesNothingOutsideTheFolderAndTakesEveryName)
{
    // As an archive may unpack it: a .bgb that is a link to a file elsewhere,
    // and names that are no valid UTF-8.
    trvtest::TempDir outside;
    const std::string precious = outside.file("precious");
    trvtest::writeAll(precious, {'k', 'e', 'e', 'p'});
    for (const char* name : {"ok.brg", "bad\xff.brg", "lat\xe9.brg", "x.brg"})
        writeSample(name);
    fs::create_symlink(precious, file("x.bgb"));

    const std::string dir = dir_.path().string();
    const auto r = run({"--folder", dir});
    EXPECT_EQ(r.exitCode, 1);
    for (const char* out : {"ok.bgb", "bad\xff.bgb", "lat\xe9.bgb"})
        EXPECT_EQ(trvtest::readAll(file(out)), bytesOf(sampleBgb())) << out;
    EXPECT_NE(r.out.find(dir + "/bad\xff.brg -> " + dir + "/bad\xff.bgb\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("x.bgb (a symbolic link)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("3 converted, 1 failed"), std::string::npos) << r.err;
    // Named on the command line, the bridge's .bgb is refused the same way.
    EXPECT_EQ(run({"x.brg"}).exitCode, 1);
    EXPECT_EQ(trvtest::readAll(precious), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(fs::is_symlink(file("x.bgb")));
}

TEST_F(CommandLineTest, HelpVersionAndWrongUsage)
{
    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: Rondix012 ", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    const auto version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Rondix012 " TRUSSWICK_VERSION "\n");

    writeSample("a.brg");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"a.brg", "--bogus"}, std::vector<std::string>{"a.brg", "--folder"}}) {
        const auto wrong = run(args);
        EXPECT_EQ(wrong.exitCode, 2);
        EXPECT_EQ(wrong.out, "");
        const std::string firstLine = wrong.err.substr(0, wrong.err.find('\n'));
        EXPECT_NE(firstLine.find(args.back()), std::string::npos) << wrong.err;
        EXPECT_EQ(wrong.err.substr(firstLine.size() + 1), help.out);
        // Nothing is converted when the command is wrong.
        EXPECT_FALSE(fs::exists(file("a.bgb")));
    }
}

} // namespace
