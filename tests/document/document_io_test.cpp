#include "document.h"
#include "file_io.h"
#include "safe_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include <sys/resource.h>

using namespace trv;
using trvtest::TempDir;

namespace {

std::vector<uint8_t> words(const std::vector<int32_t>& w)
{
    std::vector<uint8_t> b(w.size() * 4);
    std::memcpy(b.data(), w.data(), b.size()); // this machine is little-endian, as the files are
    return b;
}

// A bridge built word by word: header, np points, nl lines with the given ends.
std::vector<int32_t> bridgeWords(int np, std::vector<std::pair<int, int>> lineEnds, int32_t head0 = 7)
{
    std::vector<int32_t> w{head0};
    for (int k = 1; k <= 1029; ++k)
        w.push_back(1000 + k);
    w.push_back(np);
    for (int i = 0; i < np; ++i)
        for (int j = 1; j <= 23; ++j)
            w.push_back(j == 1 ? (i == 0 ? 2 : 1) : i * 100 + j);
    w.push_back(int32_t(lineEnds.size()));
    for (auto [a, b] : lineEnds)
        for (int32_t v : {0, a, b, 1, 0x40000000, 9})
            w.push_back(v);
    return w;
}

} // namespace

TEST(DocumentIO, BridgeAndLevelLayouts)
{
    Document d;
    ASSERT_EQ(parseDocument(words(bridgeWords(3, {{0, 1}, {1, 2}})), false, d), "");
    EXPECT_EQ(d.Head[0], 7);
    EXPECT_EQ(d.Head[1], 1001);
    EXPECT_EQ(d.Head[1029], 2029);
    EXPECT_EQ(d.NPoints, 3);
    EXPECT_EQ(d.Head[kHeadPoints], 3);
    EXPECT_EQ(d.Pnt[1][1], 2);
    EXPECT_EQ(d.Pnt[3][23], 223);
    EXPECT_EQ(d.NLines, 2);
    EXPECT_EQ(d.Lin[2][2], 1);
    EXPECT_EQ(d.Lin[2][6], 9);

    const auto bridge = serializeDocument(d, true);
    EXPECT_EQ(bridge, words(bridgeWords(3, {{0, 1}, {1, 2}})));
    EXPECT_EQ(bridge.size(), documentByteSize(false, 3, 2));

    // The level layout is the same without header word 0; reading it sets word 0 to 1.
    const auto level = serializeDocument(d, false);
    EXPECT_EQ(level.size(), bridge.size() - 4);
    EXPECT_TRUE(std::equal(level.begin(), level.end(), bridge.begin() + 4));
    Document l;
    ASSERT_EQ(parseDocument(level, true, l), "");
    EXPECT_EQ(l.Head[0], 1);
    l.Head[0] = 7;
    EXPECT_TRUE(l == d);
}

TEST(DocumentIO, EmptyDocumentsAndTrailingBytes)
{
    Document d;
    auto w = bridgeWords(0, {});
    EXPECT_EQ(words(w).size(), 4128u);
    ASSERT_EQ(parseDocument(words(w), false, d), "");
    EXPECT_EQ(serializeDocument(d, false).size(), 4124u);

    auto withTail = bridgeWords(2, {{0, 1}});
    const Document plain = [&] {
        Document x;
        parseDocument(words(withTail), false, x);
        return x;
    }();
    withTail.insert(withTail.end(), {-1, 8191, 100000});
    Document tailed;
    ASSERT_EQ(parseDocument(words(withTail), false, tailed), "");
    EXPECT_TRUE(tailed == plain);
}

TEST(DocumentIO, HostileFilesAreRefusedAndLeaveTheDocumentAlone)
{
    Document d;
    ASSERT_EQ(parseDocument(words(bridgeWords(2, {{0, 1}})), false, d), "");
    const Document before = d;

    auto withPointCount = [](int32_t np) {
        auto w = bridgeWords(0, {});
        w[1030] = np;
        return w;
    };
    for (int32_t np : {-1, 8191, 100000, INT32_MIN})
        EXPECT_NE(parseDocument(words(withPointCount(np)), false, d), "") << np;

    auto lines = bridgeWords(1, {});
    lines.back() = -1;
    EXPECT_NE(parseDocument(words(lines), false, d), "");
    lines.back() = 8191;
    EXPECT_NE(parseDocument(words(lines), false, d), "");

    // Truncated anywhere: in the header, the points, the line count, the lines.
    const auto full = words(bridgeWords(3, {{0, 1}, {2, 1}}));
    for (size_t cut : {size_t(0), size_t(100), size_t(4123), size_t(4200), size_t(4124 + 3 * 92), full.size() - 1})
        EXPECT_NE(parseDocument(std::span(full.data(), cut), false, d), "") << cut;

    // Line ends that name no point of the file.
    for (auto ends : {std::pair{0, 3}, std::pair{-1, 0}, std::pair{2, 1000}})
        EXPECT_NE(parseDocument(words(bridgeWords(3, {ends})), false, d), "");

    EXPECT_TRUE(d == before);
    EXPECT_EQ(d.Head[0], before.Head[0]);
}

TEST(DocumentIO, FilesByNameLetterCaseAndRefusals)
{
    TempDir dir;
    EXPECT_TRUE(isLevelName("a.lvl"));
    EXPECT_TRUE(isLevelName("A.LVL"));
    EXPECT_FALSE(isLevelName("a.lvl.brg"));
    EXPECT_FALSE(isLevelName("vl"));

    auto w = bridgeWords(1, {});
    trvtest::writeAll(dir.file("UPPER.LVL"), words(std::vector<int32_t>(w.begin() + 1, w.end())));
    Document d;
    std::string msg;
    EXPECT_EQ(readDocumentFile(dir.file("UPPER.LVL"), d, msg), ReadStatus::Ok);
    EXPECT_EQ(d.Head[0], 1);
    EXPECT_EQ(d.Head[1], 1001);

    EXPECT_EQ(resolveLetterCase(dir.file("upper.lvl")), dir.file("UPPER.LVL"));
    EXPECT_EQ(resolveLetterCase(dir.file("other.lvl")), dir.file("other.lvl"));
    EXPECT_EQ(readDocumentFile(dir.file("missing.brg"), d, msg), ReadStatus::Missing);

    trvtest::writeAll(dir.file("short.brg"), std::vector<uint8_t>(100));
    EXPECT_EQ(readDocumentFile(dir.file("short.brg"), d, msg), ReadStatus::Refused);
    EXPECT_NE(msg.find("short.brg"), std::string::npos);
    EXPECT_NE(msg.find("shorter"), std::string::npos);
}

TEST(DocumentIO, ShippedDocumentsReadAndWriteBackUnchanged)
{
    for (const char* name : {"new.brg", "sample.brg", "sample.lvl"}) {
        const std::string path = trvtest::dataDir() + "/" + name;
        Document d;
        std::string msg;
        ASSERT_EQ(readDocumentFile(path, d, msg), ReadStatus::Ok) << msg;
        EXPECT_GE(d.NPoints, 2) << name;
        EXPECT_EQ(serializeDocument(d, !isLevelName(name)), trvtest::readAll(path)) << name;
    }
}

TEST(DocumentIO, AHugeTailIsNeitherReadNorHeld)
{
    // A valid bridge followed by a gibibyte (sparse, so the test costs no disk):
    // only the document's own bytes are read.
    TempDir dir;
    const std::string path = dir.file("tailed.brg");
    trvtest::writeAll(path, words(bridgeWords(3, {{0, 1}, {1, 2}})));
    std::filesystem::resize_file(path, size_t(1) << 30);
    struct rusage before {
    }, after{};
    getrusage(RUSAGE_SELF, &before);
    Document d;
    std::string message;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(readDocumentFile(path, d, message, &bytes), ReadStatus::Ok) << message;
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(d.NPoints, 3);
    EXPECT_EQ(d.NLines, 2);
    EXPECT_LE(bytes.size(), documentByteSize(false, kMaxPoints, kMaxLines));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024); // kilobytes: far below the file's size
}

TEST(SafeFile, KeepsModeLinksAndRefusesWhatIsNoFile)
{
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string real = dir.file("real.brg");
    ASSERT_TRUE(writeFileSafely(real, std::string_view("old")));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    // Through a link, the link stays and its target is replaced, mode and all.
    fs::create_symlink("real.brg", dir.file("link.brg"));
    ASSERT_TRUE(writeFileSafely(dir.file("link.brg"), std::string_view("new")));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.brg")));
    EXPECT_EQ(fs::file_size(real), 3u);
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // A link whose target is missing stays a link, and the target is made.
    fs::create_symlink("later.brg", dir.file("dangling.brg"));
    ASSERT_TRUE(writeFileSafely(dir.file("dangling.brg"), std::string_view("x")));
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling.brg")));
    EXPECT_TRUE(fs::is_regular_file(dir.file("later.brg")));
    // A folder is not written over.
    std::string error;
    EXPECT_FALSE(writeFileSafely(dir.path().string(), std::string_view("x"), &error));
    EXPECT_EQ(error, "not a regular file");
}
