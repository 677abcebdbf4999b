// A designer's session from the New template to a saved bridge and level, with
// undo and redo on the way. The files must read back as the document, and the
// bridge must convert.
#include "pic_test.h"

#include "bgb_core.h"
#include "file_io.h"
#include "scroll_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class Session : public PicTest {
protected:
    trv::Document readBack(const char* name)
    {
        trv::Document d;
        std::string message;
        EXPECT_EQ(trv::readDocumentFile(dir.file(name), d, message), trv::ReadStatus::Ok) << message;
        return d;
    }
    void saveAs(const char* name)
    {
        platform.chosenFiles.push_back(path(name));
        QTest::mouseClick(ctl<QPushButton>("BuSaveAs"), Qt::LeftButton);
    }
};

int32_t wordAt(const std::vector<uint8_t>& b, size_t at)
{
    return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24);
}

} // namespace

TEST_F(Session, FromTheTemplateToASavedBridgeAndLevel)
{
    start();
    copyData("new.brg");
    ctl<QAction>("MNew")->trigger();
    ASSERT_EQ(doc().NPoints, 2); // the anchors at (-384, 40) and (384, 40)
    ASSERT_EQ(ctl<ScrollBar>("Zoom")->value(), 301);

    // Eleven deck points between the anchors and one below the middle, on the grid.
    w->select(ctl<QRadioButton>("EPoint"));
    w->select(ctl<QRadioButton>("PNew"));
    ctl<QCheckBox>("Snap")->setChecked(true);
    for (int x = -320; x <= 320; x += 64)
        click(x + 1, 39);
    click(1, 19);
    ASSERT_EQ(doc().NPoints, 14);
    w->select(ctl<QRadioButton>("EPoint")); // "Fix/Soft": fix the deck's ends
    click(-320, 40);
    click(320, 40);
    EXPECT_EQ(tables().fixedCount(doc().NPoints), 4);

    // Rails along the deck, a plain line down from its middle.
    w->select(ctl<QRadioButton>("ELine"));
    w->select(ctl<QRadioButton>("LDraw"));
    ctl<QCheckBox>("LDrawRail")->setChecked(true);
    click(-384, 40);
    for (int x = -320; x <= 320; x += 64)
        click(x, 40);
    click(384, 40);
    click(0, 0, Qt::RightButton);
    ctl<QCheckBox>("LDrawRail")->setChecked(false);
    click(0, 40);
    click(0, 20);
    click(0, 0, Qt::RightButton);
    ASSERT_EQ(doc().NLines, 13);
    const trv::Document built = doc();

    // A raised bank on the right, then smoothed; undo both, redo the bank.
    w->select(ctl<QRadioButton>("ELand"));
    press(352, 60);
    for (int x = 368; x <= 448; x += 16)
        moveTo(x, 60);
    release(448, 60);
    const trv::Document banked = doc();
    ASSERT_FALSE(banked == built);
    QTest::mouseClick(ctl<QPushButton>("Runder"), Qt::LeftButton);
    ASSERT_FALSE(doc() == banked);
    const int steps = journal().UndoPos;
    ctl<QAction>("MUndo")->trigger();
    ctl<QAction>("MUndo")->trigger();
    EXPECT_TRUE(doc() == built);
    ctl<QAction>("MRedo")->trigger();
    EXPECT_TRUE(doc() == banked);
    EXPECT_EQ(journal().UndoPos, steps - 1);

    // As a bridge: the file is the document, and it converts.
    saveAs("Deck.brg");
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("Deck.brg"));
    EXPECT_EQ(journal().UndoName[0], "L");
    EXPECT_TRUE(readBack("Deck.brg") == doc());
    EXPECT_TRUE(doc() == banked);
    const auto brg = trv::readFileBytes(dir.file("Deck.brg"));
    ASSERT_TRUE(brg);
    const bgb::Result bgbFile = bgb::convert(*brg);
    ASSERT_TRUE(bgbFile.ok()) << bgbFile.error;
    ASSERT_EQ(bgbFile.bytes.size(), bgb::bgbByteSize(14, 13));
    const size_t points = bgb::kBgbHeadBytes, lines = points + bgb::kBgbRecordBytes * 14 + 4;
    EXPECT_EQ(wordAt(bgbFile.bytes, points - 4), 14);
    EXPECT_EQ(wordAt(bgbFile.bytes, lines - 4), 13);
    int soft = 0, rails = 0;
    for (size_t i = 0; i < 14; ++i)
        soft += wordAt(bgbFile.bytes, points + bgb::kBgbRecordBytes * i);
    for (size_t i = 0; i < 13; ++i)
        rails += wordAt(bgbFile.bytes, lines + bgb::kBgbRecordBytes * i);
    EXPECT_EQ(soft, 10);
    EXPECT_EQ(rails, 12);

    // As a level: the lines go (one step), the points stay.
    QTest::mouseClick(ctl<QRadioButton>("SavLvl"), Qt::LeftButton);
    EXPECT_EQ(doc().NLines, 0);
    EXPECT_TRUE(ctl<QRadioButton>("EPoint")->isChecked());
    saveAs("Deck.lvl");
    const trv::Document level = readBack("Deck.lvl");
    EXPECT_TRUE(level == doc());
    EXPECT_EQ(level.NPoints, 14);
    EXPECT_EQ(level.NLines, 0);
    EXPECT_TRUE(platform.messages.empty());
}
