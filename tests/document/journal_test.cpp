#include "journal.h"

#include "private_folder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>

using namespace trv;

TEST(Journal, UndoListAfterStepsAndOneUndo)
{
    Journal j;
    j.UndoName[0] = "A";
    j.UndoName[1] = "B";
    j.UndoName[2] = "C";
    j.goTo(2);
    auto list = undoListItems(j);
    ASSERT_EQ(list.items.size(), 4u);
    EXPECT_EQ(list.items[0], "   1  A");
    EXPECT_EQ(list.items[1], "   2  B");
    EXPECT_EQ(list.items[2], "          Cancel");
    EXPECT_EQ(list.items[3], "Redo: C");
    EXPECT_EQ(list.cancelIndex, 2);
    EXPECT_EQ(list.revealIndex, 3);
}

TEST(Journal, UndoListAtStateZeroPutsCancelFirst)
{
    Journal j;
    j.UndoName[0] = "A";
    auto list = undoListItems(j);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0], "          Cancel");
    EXPECT_EQ(list.items[1], "Redo: A");
    EXPECT_EQ(list.cancelIndex, 0);

    j.UndoName[0].clear();
    list = undoListItems(j);
    EXPECT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.revealIndex, 0);
}

TEST(Journal, StateNamesAndLimits)
{
    Journal j;
    EXPECT_TRUE(j.changed());
    j.restart();
    EXPECT_FALSE(j.changed());
    EXPECT_FALSE(j.stepNamed());
    j.UndoName[0] = "Point Move";
    EXPECT_TRUE(j.stepNamed());
    j.goTo(kMaxJournalState);
    j.UndoName[kMaxJournalState] = "Line: Draw";
    EXPECT_EQ(undoListItems(j).items.back(), "Redo: Line: Draw");
    EXPECT_EQ(journalFileName("/tmp/x", 12), "/tmp/x/TRV12.TMP");
}

TEST(Journal, DumpShowsHexDecimalAndFraction)
{
    const int32_t w[] = {0x43000000, -1, 65536 * 3 + 32768};
    std::vector<uint8_t> bytes(sizeof w + 2); // a partial word at the end is not shown
    std::memcpy(bytes.data(), w, sizeof w);
    const auto rows = journalDumpItems(bytes);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "43000000 1124073472 17152");
    EXPECT_EQ(rows[1], "FFFFFFFF         -1 -0.0000152587890625");
    EXPECT_EQ(rows[2], "00038000     229376 3.5");
}

namespace {
std::vector<uint8_t> state(uint8_t v) { return std::vector<uint8_t>(8, v); }
bool exists(const std::string& p) { return std::filesystem::exists(p); }
} // namespace

TEST(JournalFiles, StepsRewritesAndTheLimit)
{
    trvtest::TempDir dir;
    Journal j;
    ASSERT_TRUE(j.open(dir.path().string()));
    EXPECT_EQ(j.folder(), dir.path().string());
    std::string error;
    j.restart();
    ASSERT_EQ(j.record(state(0), error), Journal::Recorded::Written);
    j.stateRead(state(0), "doc.brg");
    EXPECT_FALSE(j.changed());

    // A typed value right after a load is a step like any other.
    j.nameTypedStep("Water: Change");
    j.record(state(1), error);
    EXPECT_EQ(j.UndoPos, 1);
    EXPECT_EQ(j.UndoName[0], "Water: Change");

    // A save without a new name that finds the state as it is writes nothing.
    j.stateRead(state(1), "doc.brg");
    j.goTo(0);
    j.stateRead(state(0), "doc.brg");
    std::filesystem::remove(j.stateFile(0));
    j.record(state(0), error);
    EXPECT_EQ(j.UndoPos, 0);
    EXPECT_FALSE(exists(j.stateFile(0)));

    // An unnamed change of the loaded document still marks it as changed.
    j.restart();
    j.record(state(5), error);
    j.stateRead(state(5), "doc.brg");
    j.record(state(6), error);
    EXPECT_EQ(j.UndoPos, 0);
    EXPECT_TRUE(j.changed());
    EXPECT_EQ(trvtest::readAll(j.stateFile(0)), state(6));

    j.goTo(kMaxJournalState);
    j.nameStep("Point: Delete");
    EXPECT_EQ(j.record(state(7), error), Journal::Recorded::Full);
    EXPECT_TRUE(j.UndoName[kMaxJournalState].empty());
    j.close();
    EXPECT_TRUE(exists(j.stateFile(0)));
    EXPECT_FALSE(exists(j.stateFile(1)));
}

TEST(JournalFiles, EachEditorOwnsItsStatesAndRemovesOnlyThose)
{
    trvtest::TempDir dir;
    const std::string base = dir.path().string();
    Journal a, b;
    ASSERT_TRUE(a.open(base));
    ASSERT_TRUE(b.open(base));
    EXPECT_EQ(b.folder(), base + "/TRV-2");
    std::string error;
    for (Journal* j : {&a, &b}) {
        j->restart();
        j->record(state(j == &a ? 1 : 2), error);
        j->nameStep("Point: New Soft");
        j->record(state(j == &a ? 3 : 4), error);
    }
    EXPECT_EQ(trvtest::readAll(a.stateFile(1)), state(3));
    EXPECT_EQ(trvtest::readAll(b.stateFile(1)), state(4));
    a.close();
    EXPECT_FALSE(exists(base + "/TRV1.TMP"));
    EXPECT_TRUE(exists(b.stateFile(1)));
    b.close();
    EXPECT_FALSE(exists(base + "/TRV-2"));

    // A failed write moves nothing and names the file.
    Journal c;
    c.open(base + "/missing/../gone");
    std::filesystem::remove_all(base + "/gone");
    c.nameStep("Line: Draw");
    EXPECT_EQ(c.record(state(1), error), Journal::Recorded::Failed);
    EXPECT_EQ(c.UndoPos, 0);
    EXPECT_NE(error.find("TRV1.TMP"), std::string::npos);
}

TEST(JournalFiles, WorkLeftByAnEditorThatEndedIsOfferedOnce)
{
    trvtest::TempDir dir;
    const std::string base = dir.path().string();
    std::string error;
    {
        // Ends without close(), as a killed editor does: the lock goes with the process.
        Journal crashed;
        crashed.open(base);
        crashed.restart();
        crashed.record(state(0), error);
        crashed.stateRead(state(0), "/levels/My Bridge.brg");
        for (const char* step : {"Point: New Soft", "Line: Draw"}) {
            crashed.nameStep(step);
            crashed.record(state(uint8_t(crashed.UndoPos + 1)), error);
            crashed.stateRead(state(uint8_t(crashed.UndoPos)), "/levels/My Bridge.brg");
        }
        crashed.goTo(1); // undone once: state 1 is current, state 2 the redo
        crashed.stateRead(state(1), "/levels/My Bridge.brg");
    }
    {
        Journal next;
        next.open(base);
        const auto left = next.findLeftJournals();
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0].document, "/levels/My Bridge.brg");
        EXPECT_EQ(left[0].UndoPos, 1);
        EXPECT_EQ(left[0].UndoName[1], "Line: Draw");
        EXPECT_GT(left[0].lastStep, 0);
        next.adopt(left[0]);
        EXPECT_EQ(next.UndoPos, 1);
        EXPECT_TRUE(next.changed());
    } // this one ends without close() too
    {
        Journal third;
        third.open(base);
        const auto left = third.findLeftJournals();
        ASSERT_EQ(left.size(), 1u);
        third.discard(left[0]);
        EXPECT_FALSE(exists(base + "/TRV2.TMP"));
    }
    Journal fourth;
    fourth.open(base);
    EXPECT_TRUE(fourth.findLeftJournals().empty());

    // A journal left without unsaved changes is cleaned up without a question.
    {
        Journal saved;
        saved.open(base + "/other");
        saved.restart();
        saved.record(state(0), error);
        saved.stateRead(state(0), "x.brg");
        std::filesystem::copy_file(saved.stateFile(0), saved.stateFile(1));
    }
    Journal again;
    again.open(base + "/other");
    EXPECT_TRUE(again.findLeftJournals().empty());
    EXPECT_FALSE(exists(base + "/other/TRV1.TMP"));
}

TEST(JournalFiles, IndexSurvivesOddNamesAndRefusesJunk)
{
    LeftJournal j;
    j.document = "C:\\odd\nname\\x.brg";
    j.UndoPos = 3;
    j.UndoName[0] = "Water +16";
    j.UndoName[2] = "Rail Level -1";
    j.lastStep = 1765000000;
    const auto back = parseJournalIndex(formatJournalIndex(j));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->document, j.document);
    EXPECT_EQ(back->UndoName, j.UndoName);
    EXPECT_EQ(back->UndoPos, 3);
    // What a shorter index leaves behind its end line does not count.
    EXPECT_TRUE(parseJournalIndex(formatJournalIndex(j) + "step 7 Left\nstate 900"));
    EXPECT_FALSE(parseJournalIndex(formatJournalIndex(j).substr(0, 30))); // cut off: no end line
    EXPECT_FALSE(parseJournalIndex("junk"));
    EXPECT_FALSE(parseJournalIndex("TRV journal 1\nstate 99999\nend\n"));
    EXPECT_FALSE(parseJournalIndex("TRV journal 1\nstep 5000 x\nstate 1\nend\n"));
}

namespace {
// A journal with unsaved work in `base`, left as a killed editor leaves it.
void leaveWork(const std::string& base, const std::string& document)
{
    Journal crashed;
    crashed.open(base);
    std::string error;
    crashed.restart();
    crashed.record(state(0), error);
    crashed.stateRead(state(0), document);
    crashed.nameStep("Point: New Soft");
    crashed.record(state(1), error);
    crashed.stateRead(state(1), document);
}
} // namespace

TEST(JournalFiles, NamesThatAreNotItsOwnAreNeverTouchedNorOffered)
{
    namespace fs = std::filesystem;
    trvtest::TempDir outside, runtime;
    ASSERT_EQ(::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1), 0);
    const std::string victim = outside.file("victim");
    const std::vector<uint8_t> precious{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'};
    trvtest::writeAll(victim, precious);
    std::string error;

    // A link under each journal name, a pipe as the index, a TRV-2 link to a
    // folder with journal files: the journal moves to a fresh folder of its own,
    // says which name it refused, and works there.
    fs::create_directory(outside.file("journal"));
    trvtest::writeAll(outside.file("journal/TRV0.TMP"), precious);
    leaveWork(outside.file("journal"), "/levels/x.brg");
    const auto outsideIndex = trvtest::readAll(outside.file("journal/TRV.index"));
    for (const char* name : {"TRV.lock", "TRV.index", "TRV0.TMP", "TRV1.TMP", "pipe"}) {
        trvtest::TempDir dir;
        const std::string base = dir.path().string();
        if (std::strcmp(name, "pipe") == 0)
            ASSERT_EQ(::mkfifo(dir.file("TRV.index").c_str(), 0600), 0);
        else
            fs::create_symlink(victim, dir.file(name));
        fs::create_directory_symlink(outside.file("journal"), dir.file("TRV-2"));
        Journal j;
        ASSERT_TRUE(j.open(base));
        EXPECT_EQ(j.folder(), base + "/TRV-3") << name;
        EXPECT_NE(j.notice().find(std::strcmp(name, "pipe") == 0 ? "TRV.index is not a regular file" : name),
                  std::string::npos)
            << j.notice();
        EXPECT_TRUE(j.findLeftJournals().empty());
        j.restart();
        ASSERT_EQ(j.record(state(0), error), Journal::Recorded::Written) << error;
        j.stateRead(state(0), "x.brg");
        j.nameStep("Line: Draw");
        ASSERT_EQ(j.record(state(1), error), Journal::Recorded::Written) << error;
        j.stateRead(state(1), "x.brg");
        j.close();
        EXPECT_EQ(trvtest::readAll(victim), precious);
        EXPECT_TRUE(fs::is_symlink(dir.file(std::strcmp(name, "pipe") == 0 ? "TRV-2" : name)));
        EXPECT_FALSE(exists(base + "/TRV-3"));
    }
    EXPECT_EQ(trvtest::readAll(outside.file("journal/TRV1.TMP")), state(1));
    EXPECT_EQ(trvtest::readAll(outside.file("journal/TRV.index")), outsideIndex);

    // A journal with unsaved work copied elsewhere, as an archive carries it,
    // cannot aim a Restore at its document: its index names another folder.
    trvtest::TempDir copy;
    for (const char* name : {"TRV0.TMP", "TRV1.TMP", "TRV.index"})
        fs::copy_file(outside.file("journal/") + name, copy.file(name));
    {
        Journal j;
        j.open(copy.path().string());
        EXPECT_EQ(j.folder(), copy.file("TRV-2"));
        EXPECT_NE(j.notice().find("TRV.index was not written by this editor"), std::string::npos);
        EXPECT_TRUE(j.findLeftJournals().empty());
        j.close();
    }
    EXPECT_TRUE(exists(copy.file("TRV1.TMP")));

    // Where other users can write, nothing is offered: the journal goes to the
    // private folder, and so does one whose folder is a file.
    ::chmod(outside.file("journal").c_str(), 0777);
    trvtest::writeAll(outside.file("file"), precious);
    for (const std::string& unusable : {outside.file("journal"), outside.file("file")}) {
        Journal j;
        ASSERT_TRUE(j.open(unusable));
        EXPECT_EQ(j.folder(), runtime.file("trusswick/journal"));
        EXPECT_NE(j.notice().find("The journal folder " + unusable + " cannot be used"), std::string::npos);
        EXPECT_TRUE(j.findLeftJournals().empty());
        j.restart();
        EXPECT_EQ(j.record(state(0), error), Journal::Recorded::Written);
        j.close();
    }
    EXPECT_EQ(trvtest::readAll(outside.file("journal/TRV1.TMP")), state(1));
    struct stat st {};
    ASSERT_EQ(::stat(runtime.file("trusswick").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A name someone else prepared for the private folder is not used.
    ::unsetenv("XDG_RUNTIME_DIR");
    trvtest::TempDir tmp;
    ::setenv("TMPDIR", tmp.path().c_str(), 1);
    const std::string usual = tmp.file("trusswick-" + std::to_string(::geteuid()));
    fs::create_directory_symlink(outside.path(), usual);
    const std::string fresh = privateFolder();
    EXPECT_EQ(fs::path(fresh).parent_path(), tmp.path());
    EXPECT_NE(fresh, usual);
    ::unsetenv("TMPDIR");
}
