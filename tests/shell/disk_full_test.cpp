// Every file the editor writes, written onto a disk with no room left: the old
// file stays byte for byte, and the message names the file and the reason.
#include "editor_fixture.h"

#include "document.h"
#include "file_io.h"
#include "opt.h"
#include "pic_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace {

class DiskFull : public EditorTest {
protected:
    void SetUp() override
    {
        if (trvtest::smallFileSystem().empty())
            GTEST_SKIP() << "TRV_SMALL_FS is unset: run through CTest, which mounts a small file system for this test";
    }
    std::vector<uint8_t> bytes(const char* name) const { return trvtest::readAll(dir.file(name)); }
    const std::string noSpace = "No space left on device";
    bool lastMessageNames(const QString& file) const
    {
        return !platform.messages.empty() && platform.messages.back().text.contains(file) &&
            platform.messages.back().text.contains(QString::fromStdString(noSpace));
    }
};

// A bridge of about 42 KB: more than any write buffer holds, so a full disk
// shows while writing, not only when the file is closed.
void writeLargeBridge(const std::string& from, const std::string& to)
{
    trv::Document doc;
    std::string message;
    ASSERT_EQ(trv::readDocumentFile(from, doc, message), trv::ReadStatus::Ok);
    while (doc.NPoints < 420) {
        doc.Pnt[size_t(doc.NPoints + 1)] = doc.Pnt[size_t(doc.NPoints)];
        ++doc.NPoints;
    }
    trvtest::writeAll(to, trv::serializeDocument(doc, true));
}

} // namespace

TEST_F(DiskFull, EveryWriteKeepsTheOldFileAndSaysWhy)
{
    writeLargeBridge(trvtest::dataDir() + "/sample.brg", dir.file("large.brg"));
    trvtest::writeAll(dir.file("old.bmp"), {'B', 'M', 1, 2, 3});
    start("sample.brg");
    for (const char* name : {"sample.brg", "large.brg"}) {
        ctl<QLineEdit>("File")->setText(path(name));
        w->OpenDocument();
        w->WaterU_MouseUp(2); // one journal step
        ASSERT_EQ(journal().UndoPos, 1);
        const auto before = bytes(name);
        trvtest::fillFileSystem(dir.path().string());
        QTest::keyClick(ctl<PicBox>("Pic"), Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(bytes(name), before) << name;
        EXPECT_TRUE(lastMessageNames(path(name))) << platform.messages.back().text.toStdString();
        EXPECT_TRUE(journal().changed()); // the document still has its unsaved step
        std::filesystem::remove(dir.file("filler"));
    }

    trvtest::fillFileSystem(dir.path().string());
    // A journal step: nothing moves, the message names the state's file.
    w->WaterU_MouseUp(2);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_TRUE(lastMessageNames(QString::fromStdString(journal().stateFile(2))));
    EXPECT_FALSE(std::filesystem::exists(journal().stateFile(2)));
    // Right after opening, a failed step leaves the document as stored: no
    // question about unsaved changes follows.
    std::filesystem::remove(dir.file("filler"));
    ctl<QLineEdit>("File")->setText(path("sample.brg"));
    w->OpenDocument();
    ASSERT_FALSE(journal().changed());
    trvtest::fillFileSystem(dir.path().string());
    w->WaterU_MouseUp(2);
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_FALSE(journal().changed());

    // A picture over an older one.
    chosenFile() = path("old.bmp");
    EXPECT_FALSE(w->BmpSave());
    EXPECT_EQ(bytes("old.bmp"), (std::vector<uint8_t>{'B', 'M', 1, 2, 3}));
    EXPECT_TRUE(lastMessageNames(path("old.bmp")));

    // The settings at the end: the old file stays, the editor still ends.
    const auto settings = bytes("Trv.ini");
    opt<QCheckBox>("Confirm")->setChecked(false);
    w->Exit_Click();
    EXPECT_TRUE(platform.ended);
    EXPECT_EQ(bytes("Trv.ini"), settings);
    EXPECT_TRUE(lastMessageNames(path("Trv.ini")));
}
