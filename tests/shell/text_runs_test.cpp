// The real TRV424 program writing and reading the text form: exit codes and
// messages, the schema checked by a real validator, and git showing a bridge's
// change as the lines of the text that changed.
#include "document.h"
#include "run_program.h"
#include "temp_dir.h"
#include "text_form.h"
#include "words.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using trvtest::ProgramRun;

namespace {

class TextRuns : public ::testing::Test {
protected:
    ProgramRun trv(const std::vector<std::string>& args) { return trvtest::runWithoutDisplay(TRV424_PATH, args); }
    std::string file(const std::string& name) const { return dir.file(name); }
    std::string copyData(const std::string& name, const std::string& as)
    {
        fs::copy_file(trvtest::dataDir() + "/" + name, file(as));
        return file(as);
    }
    static std::string text(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void writeText(const std::string& path, const std::string& t) { std::ofstream(path, std::ios::binary) << t; }
    trvtest::TempDir dir;
};

std::vector<std::string> changedLines(const std::string& diff)
{
    std::vector<std::string> changed;
    std::istringstream in(diff);
    for (std::string l; std::getline(in, l);)
        if ((l[0] == '+' || l[0] == '-') && l.rfind("+++ ", 0) != 0 && l.rfind("--- ", 0) != 0)
            changed.push_back(l);
    return changed;
}

} // namespace

TEST_F(TextRuns, FilesTurnIntoTextAndBackByteForByte)
{
    auto r = trv({"--help"});
    EXPECT_NE(r.out.find("TRV424 --to-text FILE [-o OUT]\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("TRV424 --from-text TEXT -o OUT\n"), std::string::npos) << r.out;

    // A level named in capitals with a tail behind its last record: the tail is
    // left out with a note.
    const std::string level = copyData("sample.lvl", "Canyon.LVL");
    auto bytes = trvtest::readAll(level);
    const size_t documentSize = bytes.size();
    bytes.insert(bytes.end(), 5, 0xAB);
    trvtest::writeAll(level, bytes);
    r = trv({"--to-text", level});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err,
              "TRV424: " + level +
                  ": the 5 bytes after the last line record are not part of the document and are left out\n");
    EXPECT_EQ(r.out.substr(0, 35), "{\n  \"format\": \"trusswick-level/1\",\n");
    writeText(file("canyon.json"), r.out);
    r = trv({"--from-text", file("canyon.json"), "-o", file("back.lvl")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, file("canyon.json") + " -> " + file("back.lvl") + "\n");
    bytes.resize(documentSize);
    EXPECT_EQ(trvtest::readAll(file("back.lvl")), bytes);

    // A bridge through -o, and back from standard input.
    const std::string bridge = copyData("sample.brg", "sample.brg");
    ASSERT_EQ(trv({"--to-text", bridge, "-o", file("sample.json")}).exitCode, 0);
    r = trvtest::runWithoutDisplay(
        "/bin/sh",
        {"-c", std::string(TRV424_PATH) + " --from-text - -o " + file("back.brg") + " < " + file("sample.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(trvtest::readAll(file("back.brg")), trvtest::readAll(bridge));
}

TEST_F(TextRuns, TextThatIsNoDocumentLeavesTheOutputAlone)
{
    const std::string bridge = copyData("sample.brg", "sample.brg");
    const std::string good = trv({"--to-text", bridge}).out;
    const std::string broken = file("broken.json");
    std::string t = good;
    t.replace(t.find("\"budget\": 10000"), 15, "\"budget\": -");
    writeText(broken, t);
    fs::copy_file(bridge, file("out.brg"));
    const ProgramRun r = trv({"--from-text", broken, "-o", file("out.brg")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, broken + ":6: invalid JSON: a number without digits (found ',')\n");
    EXPECT_EQ(trvtest::readAll(file("out.brg")), trvtest::readAll(bridge));
    EXPECT_EQ(trv({"--from-text", broken, "-o", file("new.brg")}).exitCode, 1);
    EXPECT_FALSE(fs::exists(file("new.brg")));

    EXPECT_EQ(trv({"--from-text", broken}).exitCode, 2);
    EXPECT_EQ(trv({"--to-text", file("missing.brg")}).err, "TRV424: " + file("missing.brg") + ": no such file\n");
}

TEST_F(TextRuns, SchemaValidatesEveryTextForm)
{
    // The samples, a document of odd words, and a text written by hand with raw
    // words where units could stand.
    std::vector<std::string> texts;
    for (const std::string name : {"sample.brg", "sample.lvl", "new.brg"}) {
        texts.push_back(file(name + ".json"));
        ASSERT_EQ(trv({"--to-text", trvtest::dataDir() + "/" + name, "-o", texts.back()}).exitCode, 0);
    }
    trv::Document odd;
    odd.Head[0] = int32_t(0xFFC00001);
    for (int k = 1; k <= 1029; ++k)
        odd.Head[k] = k % 3 ? 0x7F800000 : int32_t(0x80000000);
    odd.NPoints = 2;
    odd.Pnt[1] = {0, 5, int32_t(0x7FC00000), INT32_MIN, 9};
    odd.Pnt[2] = {0, -1, INT32_MAX, 0, 9};
    odd.NLines = 1;
    odd.Lin[1] = {0, 7, 1, 0, 0, int32_t(0x7FC00000), -3};
    trvtest::writeAll(file("odd.brg"), trv::serializeDocument(odd, true));
    texts.push_back(file("odd.json"));
    ASSERT_EQ(trv({"--to-text", file("odd.brg"), "-o", texts.back()}).exitCode, 0);
    std::string raw = text(texts[1]);
    raw.replace(raw.find("\"water\": -80"), 12, "\"water\": {\"word\": 3}");
    texts.push_back(file("raw.json"));
    writeText(texts.back(), raw);
    // And two that are no documents: the validator must tell them.
    std::string noBudget = text(texts[0]);
    noBudget.erase(noBudget.find("  \"budget\""), noBudget.find("\"leftEnd\"") - noBudget.find("  \"budget\""));
    texts.push_back(file("no_budget.json"));
    writeText(texts.back(), noBudget);
    texts.push_back(file("level_with_word0.json"));
    writeText(texts.back(), raw.replace(raw.find('{'), 1, "{\"word0\": 1,"));

    std::vector<std::string> args{std::string(TRV_SOURCE_DIR) + "/tests/shell/validate_text.py",
                                  std::string(TRV_SOURCE_DIR) + "/docs/text-format.schema.json"};
    args.insert(args.end(), texts.begin(), texts.end());
    const ProgramRun r = trvtest::runWithoutDisplay("/usr/bin/python3", args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected;
    for (size_t k = 0; k < 5; ++k)
        expected += texts[k] + " valid\n";
    expected += texts[5] + " invalid: 'budget' is a required property\n";
    expected += texts[6] + " invalid: ";
    EXPECT_EQ(r.out.substr(0, expected.size()), expected);
}

TEST_F(TextRuns, GitShowsAMovedPointAsItsOneRecord)
{
    const std::string git = "/usr/bin/git";
    auto inRepo = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"-C", file("repo"), "-c", "user.name=Designer", "-c", "user.email=d@example.org"});
        const ProgramRun r = trvtest::runWithoutDisplay(git, args);
        EXPECT_EQ(r.exitCode, 0) << args[6] << ": " << r.err;
        return r.out;
    };
    fs::create_directory(file("repo"));
    inRepo({"init", "-q"});
    // The two lines the README gives.
    writeText(file("repo/.gitattributes"), "*.brg diff=trusswick\n*.lvl diff=trusswick\n");
    inRepo({"config", "diff.trusswick.textconv", std::string(TRV424_PATH) + " --to-text"});
    const std::string bridge = copyData("sample.brg", "repo/canyon.brg");
    copyData("sample.lvl", "repo/valley.lvl");
    inRepo({"add", "."});
    inRepo({"commit", "-q", "-m", "first"});

    trv::Document d;
    ASSERT_EQ(trv::parseDocument(trvtest::readAll(bridge), false, d), "");
    const std::string before = trv::documentToText(d, false);
    d.Pnt[5][trv::kPointX] = d.Pnt[5][5] = trv::encodeX(-300);
    d.Pnt[5][trv::kPointY] = d.Pnt[5][6] = trv::encodeY(50);
    trvtest::writeAll(bridge, trv::serializeDocument(d, true));
    // The level written again from its own text: the same bytes, no change.
    ASSERT_EQ(trv({"--to-text", file("repo/valley.lvl"), "-o", file("valley.json")}).exitCode, 0);
    ASSERT_EQ(trv({"--from-text", file("valley.json"), "-o", file("repo/valley.lvl")}).exitCode, 0);
    EXPECT_EQ(inRepo({"diff", "--", "valley.lvl"}), "");
    inRepo({"commit", "-q", "-am", "point 5 moved"});

    // Point 5 is line 139 + 5 of the text.
    auto lineOf = [](const std::string& t, int n) {
        std::istringstream in(t);
        std::string l;
        for (int k = 0; k < n; ++k)
            std::getline(in, l);
        return l;
    };
    const std::string after = trv::documentToText(d, false);
    ASSERT_NE(lineOf(before, 144), lineOf(after, 144));
    const std::string diff = inRepo({"log", "-p", "-1", "--format="});
    EXPECT_EQ(changedLines(diff), (std::vector<std::string>{"-" + lineOf(before, 144), "+" + lineOf(after, 144)}))
        << diff;
    EXPECT_EQ(diff.find("valley.lvl"), std::string::npos) << diff;
}
