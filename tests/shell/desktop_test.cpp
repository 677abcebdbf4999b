// What a desktop user expects beside the designed commands: dropping files on
// the window, the mouse wheel, recent documents. Events go through the window,
// as the application delivers them; per user, where these additions live.
#include "editor_fixture.h"
#include "recent_files.h"

#include "drag_drop.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <filesystem>
#include <set>

namespace {

class Desktop : public EditorTest {
protected:
    QPoint overPicture() const
    {
        const PicBox* pic = ctl<PicBox>("Pic");
        return pic->mapTo(w.get(), pic->rect().center());
    }
    bool drop(const QString& file)
    {
        return trvtest::dragAndDropOnWindow(w.get(), overPicture(), {QUrl::fromLocalFile(file)});
    }
    void turnWheel(int notches, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        const QPointF at = overPicture();
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, m, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(w->windowHandle(), &e);
    }
    QStringList recentEntries()
    {
        QMenu* menu = ctl<QMenu>("MRecent");
        emit menu->aboutToShow();
        QStringList entries;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->objectName() != "MRecentClear")
                entries << a->text();
        return entries;
    }
};

} // namespace

TEST_F(Desktop, DroppedFilesOpenAsOpenDoesOthersAreRefused)
{
    start("sample.brg", true);
    const QString level = copyData("sample.lvl", "Canyon.LVL");
    w->WaterU_MouseUp(2); // an unsaved change
    platform.answers = {false};
    EXPECT_TRUE(drop(level));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "You have made changes blah blah...\nDiscard changes and load?");
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("sample.brg")); // Cancel keeps everything

    drop(level);
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("Canyon.lvl"));
    EXPECT_FALSE(journal().changed());

    trvtest::writeAll(dir.file("notes.txt"), {'x'});
    drop(path("notes.txt"));
    EXPECT_EQ(statusText(), "Not a level or bridge (.lvl or .brg): notes.txt");
    EXPECT_EQ(ctl<QLineEdit>("File")->text(), path("Canyon.lvl"));
    // A text box over the window does not take the file as text.
    auto* water = ctl<QLineEdit>("Water");
    EXPECT_FALSE(water->acceptDrops());
}

TEST_F(Desktop, WheelScrollsAndZoomsLikeTheKeys)
{
    start("sample.brg", true);
    auto* zoom = ctl<ScrollBar>("Zoom");
    auto* yOff = ctl<ScrollBar>("YOff");
    auto* xOff = ctl<ScrollBar>("XOff");
    const int z = zoom->value();
    turnWheel(1, Qt::ControlModifier);
    EXPECT_EQ(zoom->value(), z + 30);
    turnWheel(-2, Qt::ControlModifier);
    EXPECT_EQ(zoom->value(), z - 30);

    const int y = yOff->value(), x = xOff->value();
    turnWheel(1);
    EXPECT_GT(yOff->value(), y); // up, as keypad 8
    EXPECT_EQ(xOff->value(), x);
    turnWheel(-1, Qt::ShiftModifier);
    EXPECT_LT(xOff->value(), x); // right, as keypad 6
}

TEST_F(Desktop, RecentDocumentsNewestFirstKeptBesideTheSettings)
{
    start("sample.brg", true);
    const QString level = copyData("sample.lvl");
    w->openWithPrompt(level);
    EXPECT_EQ(recentEntries(), (QStringList{"&1 " + level, "&2 " + path("sample.brg")}));
    platform.chosenFiles.push_back(path("copy.lvl"));
    w->BuSaveAs_Click();
    EXPECT_EQ(recentEntries().first(), "&1 " + path("copy.lvl"));

    // The list lives beside the settings, for the next start.
    w.reset();
    start("sample.brg", true);
    EXPECT_EQ(recentEntries().mid(0, 3),
              (QStringList{"&1 " + path("sample.brg"), "&2 " + path("copy.lvl"), "&3 " + level}));

    // A file that went away is said and dropped from the list.
    std::filesystem::remove(dir.file("copy.lvl"));
    ctl<QMenu>("MRecent")->actions()[1]->trigger();
    EXPECT_EQ(statusText(), "No such file any more: " + path("copy.lvl"));
    EXPECT_EQ(recentEntries().size(), 2);

    w->findChild<QAction*>("MRecentClear")->trigger();
    EXPECT_TRUE(recentEntries().isEmpty());

    // Before the first settings are written, their folder may not exist yet.
    RecentFiles first(dir.file("settings/recent-files"));
    first.add("a.brg");
    EXPECT_TRUE(first.write());
}

TEST_F(Desktop, PortableModeIsTheDesignMenuForMenuKeyForKeyFileForFile)
{
    start("sample.brg");
    QStringList items;
    for (QAction* a : ctl<QMenu>("MFile")->actions())
        items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(
        items,
        (QStringList{"&New", "&Load...      Ctrl+L", "&Save         Ctrl+S", "Save &as ...", "-", "Export as &BMP...",
                     "-", "&Undo        Ctrl+Z", "&Redo        Ctrl+X", "-", "&Options...", "-", "&Exit"}));

    // Only the key table's keys: the usual keys of other programs do nothing.
    w->WaterU_MouseUp(2);
    w->MUndo_Click();
    auto* pic = ctl<PicBox>("Pic");
    pic->setFocus();
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    for (auto [key, m] : {std::pair{Qt::Key_O, ctrl}, std::pair{Qt::Key_Y, ctrl}, std::pair{Qt::Key_Z, ctrlShift},
                          std::pair{Qt::Key_S, ctrlShift}})
        QTest::keyClick(pic, key, m);
    EXPECT_TRUE(platform.dialogs.empty());
    EXPECT_EQ(journal().UndoPos, 0);
    QTest::keyClick(pic, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(journal().UndoPos, 1);
    // Nor the wheel or a dropped file.
    const int y = ctl<ScrollBar>("YOff")->value();
    turnWheel(1);
    EXPECT_EQ(ctl<ScrollBar>("YOff")->value(), y);
    EXPECT_FALSE(w->acceptDrops());

    // The folder holds the design's files and the user's, nothing else.
    copyData("sample.lvl");
    w->openWithPrompt(path("sample.lvl"));
    w->Exit_Click();
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Trv.ini", "TRV0.TMP", "sample.brg", "sample.lvl"}));
    w.reset();

    // Per user the File menu has Recent, with a letter no other item uses.
    start("sample.lvl", true);
    EXPECT_NE(w->findChild<QMenu*>("MRecent"), nullptr);
    QStringList letters;
    for (QAction* a : ctl<QMenu>("MFile")->actions())
        if (!a->isSeparator())
            letters << a->text().mid(a->text().indexOf('&') + 1, 1).toLower();
    EXPECT_EQ(QSet<QString>(letters.begin(), letters.end()).size(), letters.size()) << letters.join(' ').toStdString();
}
