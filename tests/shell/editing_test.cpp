// Edit modes, the pointer over the drawing area and the point and line tools,
// driven with mouse events on the real window.
#include "pic_test.h"

#include "controls.h"
#include "document.h"
#include "file_io.h"
#include "list_box.h"
#include "scroll_bar.h"
#include "words.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <set>

namespace {

// Starts on new.brg: fixed anchors 1 at (-384, 40) and 2 at (384, 40), nothing else.
class Editing : public PicTest {
protected:
    void startNew(int zoom = 649)
    {
        start("new.brg");
        ctl<ScrollBar>("Zoom")->setValue(zoom);
    }
    // Snapped points land on the grid of 8 across and 4 up; aiming one unit right
    // of and below a grid position keeps the pixel grid from pulling the pointer
    // across a snapping boundary.
    void addPoints(std::initializer_list<std::pair<int, int>> at, bool fixed = false)
    {
        w->select(ctl<QRadioButton>("EPoint"));
        w->select(ctl<QRadioButton>("PNew"));
        ctl<QCheckBox>("Snap")->setChecked(true);
        ctl<QCheckBox>("NewFixed")->setChecked(fixed);
        for (auto [x, y] : at)
            click(x + 1, y - 1);
        ctl<QCheckBox>("NewFixed")->setChecked(false);
    }
    // Draws one chain of lines through the given positions.
    void drawChain(std::initializer_list<std::pair<int, int>> at)
    {
        w->select(ctl<QRadioButton>("ELine"));
        w->select(ctl<QRadioButton>("LDraw"));
        for (auto [x, y] : at)
            click(x, y);
        click(0, 0, Qt::RightButton);
    }
    // Number of the point shown at a display position, 0 if none.
    int pointAt(double x, double y) const
    {
        for (int i = 1; i <= doc().NPoints; ++i)
            if (tables().PntX[size_t(i)] == x && tables().PntY[size_t(i)] == y)
                return i;
        return 0;
    }
    // The two ends of a line as display positions, in stored order.
    std::pair<QPointF, QPointF> ends(int line) const
    {
        const auto& t = tables();
        const int a = t.LinA[size_t(line)], b = t.LinB[size_t(line)];
        return {{t.PntX[size_t(a)], t.PntY[size_t(a)]}, {t.PntX[size_t(b)], t.PntY[size_t(b)]}};
    }
    const std::string& lastStep() const { return journal().UndoName[size_t(journal().UndoPos - 1)]; }
    std::vector<int> types() const
    {
        std::vector<int> t;
        for (int i = 1; i <= doc().NPoints; ++i)
            t.push_back(doc().Pnt[size_t(i)][1]);
        return t;
    }
    bool onlyPanel(QWidget* panel) const
    {
        for (QWidget* f : std::initializer_list<QWidget*>{ctl<ClickFrame>("FrameLE"), ctl<ClickFrame>("FramePE"),
                                                          ctl<ClickFrame>("FrameLd"), ctl<ClickFrame>("FrameGen")})
            if (f->isVisible() != (f == panel))
                return false;
        return true;
    }
};

} // namespace

TEST_F(Editing, WithoutADocumentModesOnlyMoveTheOptionButton)
{
    ensureApplication();
    writeSettings(path("missing.brg"));
    w = std::make_unique<Form1>(platform, portable());
    w->show();
    ASSERT_EQ(doc().NPoints, 0);
    ctl<QAction>("MNewLine")->trigger();
    ctl<QAction>("MLand")->trigger();
    EXPECT_TRUE(ctl<QRadioButton>("ELand")->isChecked());
    EXPECT_TRUE(onlyPanel(ctl<ClickFrame>("FramePE")));
    click(0, 0);
    moveTo(10, 10);
    EXPECT_EQ(ctl<ClickLabel>("LabelX")->text(), "x");
    EXPECT_EQ(journalFiles(), 0);
}

TEST_F(Editing, ModeSwitchesShowOnePanelAndResetTheTools)
{
    start();
    ctl<QAction>("MNewLine")->trigger();
    EXPECT_TRUE(ctl<QRadioButton>("ELine")->isChecked());
    EXPECT_TRUE(ctl<QRadioButton>("LDraw")->isChecked());
    EXPECT_TRUE(onlyPanel(ctl<ClickFrame>("FrameLE")));
    press(tables().PntX[1], tables().PntY[1]);
    EXPECT_EQ(lineStart(), 1);
    EXPECT_EQ(pointer(), trv::PointerShape::UpArrow);

    ctl<QCheckBox>("DrawFix")->setChecked(true);
    ctl<QAction>("MLand")->trigger();
    EXPECT_TRUE(onlyPanel(ctl<ClickFrame>("FrameLd")));
    EXPECT_TRUE(ctl<QRadioButton>("LRail")->isChecked());
    EXPECT_EQ(lineStart(), 0);
    EXPECT_EQ(pointer(), trv::PointerShape::Default);
    EXPECT_FALSE(ctl<QCheckBox>("DrawFix")->isChecked());

    ctl<QAction>("MNewPoint")->trigger();
    EXPECT_TRUE(onlyPanel(ctl<ClickFrame>("FramePE")));
    EXPECT_TRUE(ctl<QRadioButton>("PNew")->isChecked());
    EXPECT_EQ(pointer(), trv::PointerShape::Cross);
    w->select(ctl<QRadioButton>("EPoint")); // a mode switch starts from "Fix/Soft"
    EXPECT_TRUE(ctl<QRadioButton>("PFix")->isChecked());
    EXPECT_EQ(pointer(), trv::PointerShape::Default);

    ctl<QAction>("MGeneral")->trigger();
    EXPECT_TRUE(onlyPanel(ctl<ClickFrame>("FrameGen")));
    ctl<QAction>("MDelLine")->trigger();
    EXPECT_TRUE(ctl<QRadioButton>("LDel")->isChecked());
    ctl<QAction>("MLine")->trigger();
    EXPECT_TRUE(ctl<QRadioButton>("LRail")->isChecked());

    // Mode switches rewrite the current state; none is a step.
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_EQ(journal().UndoName[0], "L");
}

TEST_F(Editing, ReadOutAndPointHoverLowestNumberWins)
{
    startNew();
    moveTo(40.9, 10.2);
    EXPECT_EQ(ctl<ClickLabel>("LabelX")->text(), " 40");
    EXPECT_EQ(ctl<ClickLabel>("YP")->text(), " 10");
    EXPECT_EQ(ctl<ClickLabel>("LabelY")->text(), " 5"); // display 10 is 5.5 editor units
    moveTo(-3.1, 10.2);
    EXPECT_EQ(ctl<ClickLabel>("LabelX")->text(), "-3");

    addPoints({{16, 12}, {16, 12}, {48, 12}}); // two points on one spot
    w->select(ctl<QRadioButton>("EPoint"));
    moveTo(16, 12);
    EXPECT_EQ(ctl<ListBox>("LPoint")->listIndex(), 2);
    ASSERT_TRUE(ctl<PicBox>("Pic")->Shap.visible);
    const QPointF at = w->ToScreen(16, 12);
    const auto& s = ctl<PicBox>("Pic")->Shap;
    EXPECT_TRUE(QRectF(s.left, s.top, s.width, s.height).contains(at));

    // Just below the point's box, and in empty space, the selection stays.
    moveTo(16, 12 - 4.5);
    EXPECT_EQ(ctl<ListBox>("LPoint")->listIndex(), 2);
    // The new-point tool (cross pointer) leaves the selection alone.
    w->select(ctl<QRadioButton>("PNew"));
    moveTo(48, 12);
    EXPECT_EQ(ctl<ListBox>("LPoint")->listIndex(), 2);
    w->select(ctl<QRadioButton>("PFix"));
    moveTo(48, 12);
    EXPECT_EQ(ctl<ListBox>("LPoint")->listIndex(), 4);
}

TEST_F(Editing, NewPointsWithAndWithoutSnap)
{
    startNew();
    w->select(ctl<QRadioButton>("EPoint"));
    w->select(ctl<QRadioButton>("PNew"));
    click(10.3, 20.2);
    ASSERT_EQ(doc().NPoints, 3);
    EXPECT_EQ(journal().UndoPos, 1);
    EXPECT_EQ(lastStep(), "Point: New Soft");
    EXPECT_EQ(doc().Pnt[3][1], 1);
    EXPECT_NEAR(tables().PntX[3], 10.3, 1);
    EXPECT_NEAR(tables().PntY[3], 20.2, 2);
    EXPECT_NE(int(tables().PntX[3]) % 8, 0); // off the grid

    ctl<QCheckBox>("Snap")->setChecked(true);
    click(13.9, 9.4); // editor height 5.2
    ASSERT_EQ(doc().NPoints, 4);
    EXPECT_EQ(doc().Pnt[4][2], trv::encodeX(16));
    EXPECT_EQ(doc().Pnt[4][3], trv::encodeY(6));
    EXPECT_EQ(doc().Pnt[4][5], doc().Pnt[4][2]);
    EXPECT_EQ(doc().Pnt[4][6], doc().Pnt[4][3]);

    // Left of 0 the grid is 16 wide in X'; at height -130 the height step is 8.
    ctl<ScrollBar>("YOff")->setValue(-100);
    click(-13, -129);
    ASSERT_EQ(doc().NPoints, 5);
    EXPECT_EQ(doc().Pnt[5][2], trv::encodeX(-32));
    EXPECT_EQ(doc().Pnt[5][3], trv::encodeY(-128));
    EXPECT_EQ(journal().UndoPos, 3);
}

TEST_F(Editing, FixedNewPointIsOneStepAndTakesTheFirstSoftPlace)
{
    startNew();
    addPoints({{0, 20}, {32, 20}});
    drawChain({{0, 20}, {32, 20}});
    ASSERT_EQ(doc().NLines, 1);
    const int before = journal().UndoPos;

    addPoints({{64, 20}}, true);
    EXPECT_EQ(journal().UndoPos, before + 1);
    EXPECT_EQ(lastStep(), "Point: New Fixed");
    EXPECT_EQ(types(), (std::vector<int>{2, 2, 2, 1, 1}));
    EXPECT_EQ(pointAt(64, 20), 3);
    EXPECT_EQ(pointAt(0, 20), 5); // the former first soft point went to the end
    EXPECT_EQ(ends(1), std::make_pair(QPointF(0, 20), QPointF(32, 20)));
}

TEST_F(Editing, MovePointInTwoPressesWithDeleteAttached)
{
    startNew();
    addPoints({{0, 20}, {32, 20}, {48, 28}});
    drawChain({{0, 20}, {32, 20}});
    drawChain({{32, 20}, {48, 28}});
    ASSERT_EQ(doc().NLines, 2);

    w->select(ctl<QRadioButton>("EPoint"));
    w->select(ctl<QRadioButton>("PMove"));
    ctl<QCheckBox>("DelAtLine")->setChecked(true);
    // A right press drops a picked-up point without moving it.
    click(32, 20);
    EXPECT_EQ(pointer(), trv::PointerShape::UpArrow);
    const int before = journal().UndoPos;
    click(100, 20, Qt::RightButton);
    EXPECT_EQ(pointer(), trv::PointerShape::Default);
    EXPECT_EQ(journal().UndoPos, before);

    // Only the second line is attached to the third point.
    click(48, 28);
    moveTo(0, 20); // picked up: the hover test leaves the selection on it
    click(65, 20);
    EXPECT_EQ(pointer(), trv::PointerShape::Default);
    EXPECT_EQ(journal().UndoPos, before + 1);
    EXPECT_EQ(lastStep(), "Point Move");
    EXPECT_EQ(pointAt(64, 20), 5);
    ASSERT_EQ(doc().NLines, 1);
    EXPECT_EQ(ends(1), std::make_pair(QPointF(0, 20), QPointF(32, 20)));
}

TEST_F(Editing, FixAndSoftenAtBothEndsOfTheFixedBlock)
{
    startNew(301);
    addPoints({{-352, 40}}, true);
    drawChain({{-384, 40}, {-352, 40}});
    ASSERT_EQ(types(), (std::vector<int>{2, 2, 2}));
    const auto line = std::make_pair(QPointF(-384, 40), QPointF(-352, 40));

    w->select(ctl<QRadioButton>("EPoint"));
    // No soft point yet: the softened point changes places with the last one.
    click(-384, 40);
    EXPECT_EQ(lastStep(), "Point: Fixed Off");
    EXPECT_EQ(pointAt(-384, 40), 3);
    EXPECT_EQ(pointAt(-352, 40), 1);
    EXPECT_EQ(types(), (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(ends(1), line);

    click(-352, 40);
    click(384, 40);
    EXPECT_EQ(types(), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(tables().FirstSoft, 1);

    // No fixed point: the fixed point changes places with point 1.
    click(-384, 40);
    EXPECT_EQ(lastStep(), "Point: Fixed");
    EXPECT_EQ(pointAt(-384, 40), 1);
    EXPECT_EQ(types(), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(ends(1), line);
}

TEST_F(Editing, DeletingAFixedPointKeepsTheBlockAndTheLinesFollow)
{
    startNew(301);
    addPoints({{-352, 40}}, true);
    addPoints({{-320, 40}, {-288, 40}});
    drawChain({{-384, 40}, {-352, 40}, {-320, 40}, {-288, 40}});
    ASSERT_EQ(doc().NLines, 3);

    w->select(ctl<QRadioButton>("EPoint"));
    w->select(ctl<QRadioButton>("PDel"));
    click(-384, 40);
    EXPECT_EQ(lastStep(), "Point: Delete");
    EXPECT_EQ(types(), (std::vector<int>{2, 2, 1, 1}));
    EXPECT_EQ(pointAt(-352, 40), 1);
    EXPECT_EQ(pointAt(-288, 40), 3);
    ASSERT_EQ(doc().NLines, 2);
    std::set<std::pair<double, double>> joined;
    for (int k = 1; k <= 2; ++k) {
        const auto [a, b] = ends(k);
        joined.insert({std::min(a.x(), b.x()), std::max(a.x(), b.x())});
    }
    EXPECT_EQ(joined, (std::set<std::pair<double, double>>{{-352, -320}, {-320, -288}}));
    EXPECT_EQ(ctl<ListBox>("LPoint")->listIndex(), -1);
}

TEST_F(Editing, ChainOfLinesRefusalAndCancel)
{
    startNew();
    addPoints({{0, 20}, {32, 20}, {48, 28}, {160, 20}});
    w->select(ctl<QRadioButton>("ELine"));
    w->select(ctl<QRadioButton>("LDraw"));
    const int before = journal().UndoPos;
    click(0, 20);
    EXPECT_EQ(lineStart(), 3);
    moveTo(32, 20);
    EXPECT_TRUE(ctl<PicBox>("Pic")->LLL.visible); // the stretch line
    EXPECT_EQ(ctl<PicBox>("Pic")->LLL.color, QColor(255, 255, 0));

    click(32, 20);
    click(48, 28);
    ASSERT_EQ(doc().NLines, 2);
    EXPECT_EQ(journal().UndoPos, before + 2);
    EXPECT_EQ(lastStep(), "Line: Draw");
    EXPECT_EQ(doc().Lin[1][5], 0x41000000); // 32 across: length 8
    EXPECT_EQ(doc().Lin[2][5], 0x40B504F3); // 16 across, 8 up: 5.656854
    EXPECT_EQ(lineStart(), 5);

    // Too long: the stretch line warns, the line is refused, the chain goes on.
    moveTo(160, 20);
    EXPECT_EQ(ctl<PicBox>("Pic")->LLL.color, QColor(255, 0, 0));
    click(160, 20);
    EXPECT_EQ(doc().NLines, 2);
    EXPECT_EQ(journal().UndoPos, before + 2);
    EXPECT_EQ(lineStart(), 6);
    // The status line says why: longer than the longest line the game allows.
    EXPECT_EQ(statusText(), "No line: its length 56.6 is not one the game allows (nearest: 35.7).");

    // A press before any point is hovered again (the reload cleared the
    // selection) makes no line and ends the chain.
    QTest::mouseClick(ctl<PicBox>("Pic"), Qt::LeftButton, {}, pixelOf(160, 20));
    EXPECT_EQ(lineStart(), 0);
    EXPECT_EQ(pointer(), trv::PointerShape::Default);
    EXPECT_EQ(doc().NLines, 2);

    click(48, 28);
    click(0, 0, Qt::RightButton);
    EXPECT_EQ(lineStart(), 0);
    EXPECT_FALSE(ctl<PicBox>("Pic")->LLL.visible);
    EXPECT_EQ(pointer(), trv::PointerShape::Default);
}

TEST_F(Editing, LineHoverRailToggleExpertKindsAndDelete)
{
    startNew();
    addPoints({{0, 20}, {32, 36}, {0, 36}, {32, 20}});
    drawChain({{0, 20}, {32, 36}});
    drawChain({{0, 36}, {32, 20}});
    ASSERT_EQ(doc().NLines, 2);

    w->select(ctl<QRadioButton>("ELine")); // "Rail/Nrm" is the preset
    moveTo(16, 28);                        // where the two lines cross
    EXPECT_EQ(ctl<ListBox>("LLine")->listIndex(), 0);
    EXPECT_EQ(ctl<QLabel>("LabelActLine1")->text(), " 0 x 20");
    EXPECT_EQ(ctl<QLabel>("LabelActLine2")->text(), " 32 x 36");
    EXPECT_TRUE(ctl<PicBox>("Pic")->LLL.visible);

    click(16, 28);
    EXPECT_EQ(doc().Lin[1][4], 2);
    EXPECT_EQ(lastStep(), "Line > Rail");
    click(16, 28);
    EXPECT_EQ(doc().Lin[1][4], 1);
    EXPECT_EQ(lastStep(), "Rail > Line");

    // "Expert" offers the four kinds; choosing one names no step.
    ctl<QCheckBox>("FixLooksSoft")->setChecked(true);
    EXPECT_FALSE(ctl<QComboBox>("LCombo")->isHidden());
    ctl<QComboBox>("LCombo")->setCurrentIndex(3);
    const int before = journal().UndoPos;
    click(16, 28);
    EXPECT_EQ(doc().Lin[1][4], 3);
    EXPECT_EQ(journal().UndoPos, before);
    ctl<QCheckBox>("FixLooksSoft")->setChecked(false);
    EXPECT_TRUE(ctl<QComboBox>("LCombo")->isHidden());
    click(16, 28);
    EXPECT_EQ(doc().Lin[1][4], 1);

    // Deleting line 1 moves the last line into its slot.
    w->select(ctl<QRadioButton>("LDel"));
    click(16, 28);
    EXPECT_EQ(lastStep(), "Line: Delete");
    ASSERT_EQ(doc().NLines, 1);
    EXPECT_EQ(ends(1), std::make_pair(QPointF(0, 36), QPointF(32, 20)));
}

TEST_F(Editing, FullDocumentRefusesPointsAndLinesWithAMessage)
{
    // As many points and lines as a document may hold; points 1 and 2 are an
    // allowed length apart.
    trv::Document d;
    std::string message;
    ASSERT_EQ(trv::readDocumentFile(trvtest::dataDir() + "/new.brg", d, message), trv::ReadStatus::Ok);
    d.NPoints = trv::kMaxPoints;
    d.NLines = trv::kMaxLines;
    for (int i = 1; i <= d.NPoints; ++i) {
        d.Pnt[size_t(i)] = d.Pnt[1];
        d.Pnt[size_t(i)][2] = d.Pnt[size_t(i)][5] = trv::encodeX(i == 1 ? 0 : i == 2 ? 32 : 200);
        d.Pnt[size_t(i)][3] = d.Pnt[size_t(i)][6] = trv::encodeY(10);
    }
    for (int k = 1; k <= d.NLines; ++k)
        d.Lin[size_t(k)] = {0, 0, 2, 3, 1, 0x41000000, 0, 0};
    trvtest::writeAll(dir.file("full.brg"), trv::serializeDocument(d, true));
    ensureApplication();
    writeSettings(path("full.brg"));
    w = std::make_unique<Form1>(platform, portable());
    w->show();
    ctl<ScrollBar>("Zoom")->setValue(649);
    ASSERT_EQ(doc().NPoints, trv::kMaxPoints);

    w->select(ctl<QRadioButton>("EPoint"));
    w->select(ctl<QRadioButton>("PNew"));
    click(100, 10);
    EXPECT_EQ(doc().NPoints, trv::kMaxPoints);
    EXPECT_EQ(statusText(), "A bridge holds at most 8190 points.");

    w->select(ctl<QRadioButton>("ELine"));
    w->select(ctl<QRadioButton>("LDraw"));
    click(0, 20);
    click(32, 20);
    EXPECT_EQ(doc().NLines, trv::kMaxLines);
    EXPECT_EQ(statusText(), "A bridge holds at most 8190 lines.");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(journal().UndoPos, 0);
    EXPECT_EQ(journal().UndoName[0], "L");
}
