// Every control of the main window at its designed place (twips, 15 per pixel),
// and the menu bar in its order.
#include "form1.h"
#include "window_units.h"

#include "controls.h"
#include "list_box.h"
#include "main_layout.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

QSize Form1::designedSize() const
{
    return {tw(11880), tw(8310) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height()};
}

int Form1::statusLineHeight() const
{
    return statusBar()->isVisible() ? statusBar()->height() : statusBar()->sizeHint().height();
}

QSize Form1::restoredSize(int width, int height) const
{
    // Placements from outside may hold anything (a window a few pixels large
    // shows no control); the controls above the drawing area, and a strip of it.
    const int menu = menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
    if (width < std::min(controlsRight_, tw(11880)) || height - menu < tw(design::kPicTop) + 3 * File->height())
        return designedSize();
    return {width, height + statusLineHeight()};
}

void Form1::keepControlsReachable()
{
    // A screen that cannot hold the designed window (a small one at a large
    // scale) would leave controls beyond the window's edge: there the client
    // keeps the width of its controls, and the height of their strip over a
    // little drawing area, and scrolls. On any other screen it takes the size
    // the window gives it, however small the user makes it.
    const QSize designed = designedSize(), onScreen = sizeOnScreen(this, designed);
    const int strip = tw(design::kPicTop) + 3 * File->height();
    client_->setMinimumSize(onScreen.width() < designed.width() ? controlsRight_ : 0,
                            onScreen.height() < strip + menuBar()->height() + statusBar()->height() ? strip : 0);
}

void Form1::buildControls()
{
    clientArea_ = new QScrollArea(this);
    clientArea_->setObjectName("clientArea");
    clientArea_->setFrameShape(QFrame::NoFrame);
    clientArea_->setFocusPolicy(Qt::NoFocus); // keys belong to the controls and the key table
    clientArea_->horizontalScrollBar()->setAccessibleName("Scroll the window's controls across");
    clientArea_->verticalScrollBar()->setAccessibleName("Scroll the window's controls up and down");
    auto* client = client_ = new QWidget;
    client->setObjectName("client");
    clientArea_->setWidget(client);
    setCentralWidget(clientArea_);
    statusBar()->setObjectName("StatusLine");

    auto button = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w, double h,
                      const QString& tip = {}) {
        return place(named(new QPushButton(caption, parent), name, tip), l, t, w, h);
    };
    auto mouseButton = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w,
                           double h, const QString& tip = {}) {
        return place(named(new MouseButton(caption, parent), name, tip), l, t, w, h);
    };
    auto label = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w,
                     double h) { return place(named(new QLabel(caption, parent), name), l, t, w, h); };
    auto clickLabel = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w,
                          double h, const QString& tip = {}) {
        return place(named(new ClickLabel(caption, parent), name, tip), l, t, w, h);
    };
    auto check = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w, double h,
                     const QString& tip = {}) {
        return place(named(new QCheckBox(caption, parent), name, tip), l, t, w, h);
    };
    auto radio = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w, double h,
                     const QString& tip = {}) {
        return place(named(new QRadioButton(caption, parent), name, tip), l, t, w, h);
    };
    auto edit = [&](QWidget* parent, const char* name, const QString& text, double l, double t, double w, double h,
                    const QString& tip = {}) {
        return place(named(new QLineEdit(text, parent), name, tip), l, t, w, h);
    };
    auto frame = [&](QWidget* parent, const char* name, const QString& caption, double l, double t, double w,
                     double h) { return place(named(new ClickFrame(caption, parent), name), l, t, w, h); };

    // File buttons and the save type.
    BuLoad = button(client, "BuLoad", "Open", 44, 57, 735, 345);
    BuSaveAs = button(client, "BuSaveAs", "Save as", 841, 57, 735, 345);
    BuSave = button(client, "BuSave", "Save", 1624, 57, 742, 345, "Overwrite current file");
    Exit = button(client, "Exit", "Exit", 44, 600, 735, 345);
    Frame1 = place(named(new QGroupBox(client), "Frame1"), 827, 120, 1543, 825);
    SavBrg = radio(Frame1, "SavBrg", "as brg", 60, 350, 760, 195, "Save as bridge");
    SavLvl = radio(Frame1, "SavLvl", "as lvl", 60, 580, 760, 195, "Save as level");
    SavSoft = check(Frame1, "SavSoft", "SoftP", 830, 350, 700, 195, "Check to save softpoints");
    SavLines = check(Frame1, "SavLines", "Lines", 830, 580, 700, 195, "Check to save lines");
    SavBrg->setChecked(true);
    SavSoft->setChecked(true);
    SavLines->setChecked(true);
    // They act on a mouse release only: with the focus, Space or an arrow key
    // would drop lines or soft points.
    for (QWidget* c : std::initializer_list<QWidget*>{SavBrg, SavLvl, SavSoft, SavLines})
        c->setFocusPolicy(Qt::NoFocus);

    // Journal and options.
    Undo = button(client, "Undo", "Undo", 2436, 57, 735, 232);
    Redo = button(client, "Redo", "Redo", 2436, 270, 735, 232);
    Options = button(client, "Options", "Options", 2436, 600, 735, 345);
    Test = mouseButton(client, "Test", "Test", 3240, 57, 375, 165, "BETA");
    QFont small = Test->font();
    small.setPointSizeF(std::max(5.0, small.pointSizeF() * 0.7));
    Test->setFont(small);
    Test->setMouseTracking(true); // every pointer move over it is one step, button or not

    // Coordinates and zoom.
    FrameKoordinaten = frame(client, "FrameKoordinaten", " x   y-Land  y-Point", 3872, 57, 1485, 435);
    LabelX = clickLabel(FrameKoordinaten, "LabelX", "x", 30, 200, 440, 180);
    LabelY = clickLabel(FrameKoordinaten, "LabelY", "y-L", 480, 200, 470, 195);
    YP = clickLabel(FrameKoordinaten, "YP", "y-P", 960, 200, 480, 195);
    LabelSchwarz = label(client, "LabelSchwarz", "", 3240, 660, 2130, 285);
    LabelSchwarz->setStyleSheet("background: black");
    LabelZoomText = label(client, "LabelZoomText", "Zoom", 3270, 270, 495, 165);
    LabelZoom = label(client, "LabelZoom", "300", 3270, 480, 495, 165);
    Zoom = place(named(new ScrollBar(Qt::Horizontal, 1, 649, client), "Zoom"), 3255, 675, 2115, 255);
    Zoom->setPageStep(30);
    Zoom->setValue(302);

    // Edit modes.
    ELine = radio(client, "ELine", "[L]ine", 5522, 0, 842, 351, "Edit lines");
    ELand = radio(client, "ELand", "[T]errain", 6416, 0, 1010, 351, "Edit terrain");
    EPoint = radio(client, "EPoint", "[P]oint", 5522, 360, 842, 351, "Edit points");
    EGen = radio(client, "EGen", "[G]eneral", 6416, 360, 1010, 351, "Edit general values");
    LabelEditMode = clickLabel(client, "LabelEditMode", "Edit Mode", 6000, 740, 800, 200);
    // Auto-exclusive option buttons answer to every option button below their
    // parent, panels included; a group of their own keeps the modes apart from
    // the tools and the save type.
    auto* modes = new QButtonGroup(this);
    for (QRadioButton* b : {ELine, ELand, EPoint, EGen})
        modes->addButton(b);

    // Tool panels, stacked in one place.
    FrameLE = frame(client, "FrameLE", "Line", 7440, 0, 4500, 951);
    FramePE = frame(client, "FramePE", "Point", 7440, 0, 4500, 951);
    FrameLd = frame(client, "FrameLd", "Land", 7440, 0, 4500, 951);
    FrameGen = frame(client, "FrameGen", "General", 7440, 0, 4500, 951);
    // Panel contents sit below the frame caption.
    const double top = 135;

    LDraw = radio(FrameLE, "LDraw", "Draw", 0, top + 0, 885, 195, "Draw lines");
    LRail = radio(FrameLE, "LRail", "Rail/Nrm", 0, top + 195, 885, 195, "Toggle between rail and normal line");
    LDel = radio(FrameLE, "LDel", "Delete", 0, top + 390, 885, 195, "Delete lines");
    LDrawRail = check(FrameLE, "LDrawRail", "Rail", 890, top + 0, 800, 195);
    CRail = check(FrameLE, "CRail", "Rail", 3960, top + 390, 540, 195,
                  "Toggles between rail and normal line. Alternatively, you can just right-click");
    CRail->hide(); // sits under the line list as designed; it has no action
    LineMDrawPoint = check(FrameLE, "LineMDrawPoint", "Show points", 0, top + 585, 1500, 195);
    LineMDrawPoint->setChecked(true);
    LCombo = place(named(new QComboBox(FrameLE), "LCombo"), 890, top + 195, 495, 315);
    LCombo->hide();
    LabelActLine1 = label(FrameLE, "LabelActLine1", "Scale 1", 890, top + 195, 790, 195);
    LabelActLine2 = label(FrameLE, "LabelActLine2", "Scale 2", 1680, top + 195, 1150, 195);
    LabelLineLen = label(FrameLE, "LabelLineLen", "LineLen", 890, top + 390, 900, 195);
    LabelLineLen2 = label(FrameLE, "LabelLineLen2", "LineLen2", 1800, top + 390, 1000, 195);
    LLines = label(FrameLE, "LLines", "Lines", 1800, top + 585, 1000, 195);
    LLine = place(named(new ListBox(FrameLE), "LLine", "Selected line (Line/Rail, Startpoint-Nr., Endpoint-Nr.)"), 2850,
                  top - 60, 1620, 900 - top + 60);

    PNew = radio(FramePE, "PNew", "[N]ew", 0, top + 0, 800, 195, "Set new points");
    PMove = radio(FramePE, "PMove", "[M]ove", 0, top + 195, 800, 195, "Move points");
    PFix = radio(FramePE, "PFix", "Fix/Soft", 0, top + 390, 800, 195, "Toggle between fixed and soft point");
    PDel = radio(FramePE, "PDel", "[D]elete", 0, top + 585, 800, 195, "Delete points");
    NewFixed = check(FramePE, "NewFixed", "Fixed", 840, top + 0, 1400, 195, "New points are fixed");
    DelAtLine = check(FramePE, "DelAtLine", "Delete attached", 840, top + 195, 1400, 195,
                      "Delete attached lines when moving a point");
    Snap = check(FramePE, "Snap", "Snap to grid", 840, top + 390, 1400, 195,
                 "The game handles fixed points that are on the grid better");
    LabelLPoint = clickLabel(FramePE, "LabelLPoint", "No file loaded", 840, top + 585, 1450, 195);
    LPoint = place(named(new ListBox(FramePE), "LPoint", "Selected point ( Point-Nr., Soft-/Fixed-Point, X, Y)"), 2290,
                   top - 60, 2180, 900 - top + 60);

    Runder = button(FrameLd, "Runder", "[S]mooth", 0, top + 0, 800, 330, "Smooth the landscape. Repeat for more");
    const QString fixTip = "Draw horizontal terrain portions. Tooggle or just right-click in";
    DrawFix = check(FrameLd, "DrawFix", "Fixed lvl", 0, top + 390, 885, 195, fixTip);
    LandFix = edit(FrameLd, "LandFix", "0", 895, top + 360, 700, 285, fixTip);
    LabelLandscapeList = label(FrameLd, "LabelLandscapeList", "Terrain", 2160, top + 0, 570, 195);
    Land = place(named(new ListBox(FrameLd), "Land", "Landscape list (X, Y)"), 2740, top - 60, 1725, 900 - top + 60);

    const double rows[] = {top + 0, top + 195, top + 390, top + 585};
    LabelWater = clickLabel(FrameGen, "LabelWater", "Water level   [W]", 0, rows[0], 1380, 180);
    LabelRail = clickLabel(FrameGen, "LabelRail", "Rail level      [R]", 0, rows[1], 1380, 180);
    LabelLeft = clickLabel(FrameGen, "LabelLeft", "Left end    [Home]", 0, rows[2], 1380, 180,
                           "The train starts at the left boundary");
    LabelRight = clickLabel(FrameGen, "LabelRight", "Right end     [End]", 0, rows[3], 1380, 180,
                            "Level passed at the right boundary");
    WaterU = mouseButton(FrameGen, "WaterU", "+", 1380, rows[0], 199, 180);
    WaterD = mouseButton(FrameGen, "WaterD", "-", 1580, rows[0], 199, 180);
    RailU = mouseButton(FrameGen, "RailU", "+", 1380, rows[1], 199, 180);
    RailD = mouseButton(FrameGen, "RailD", "-", 1580, rows[1], 199, 180);
    LeftU = mouseButton(FrameGen, "LeftU", "+", 1380, rows[2], 199, 180);
    LeftD = mouseButton(FrameGen, "LeftD", "-", 1580, rows[2], 199, 180);
    RightU = mouseButton(FrameGen, "RightU", "+", 1380, rows[3], 199, 180);
    RightD = mouseButton(FrameGen, "RightD", "-", 1580, rows[3], 199, 180);
    Water = edit(FrameGen, "Water", "", 1820, rows[0], 700, 180, "If using the text box, switch modes to apply");
    Rail = edit(FrameGen, "Rail", "", 1820, rows[1], 700, 180);
    LeftE = edit(FrameGen, "LeftE", "", 1820, rows[2], 700, 180, "The train starts at the left boundary");
    RightE = edit(FrameGen, "RightE", "", 1820, rows[3], 700, 180, "Level passed at the right boundary");
    LabelGeld = clickLabel(FrameGen, "LabelGeld", "Budget", 2600, rows[0], 800, 180);
    Money = edit(FrameGen, "Money", "", 3400, rows[0], 900, 180);
    LabelDollar1 = label(FrameGen, "LabelDollar1", "$", 4320, rows[0], 150, 180);
    LLabelCost = label(FrameGen, "LLabelCost", "Cost", 2600, rows[1], 800, 180);
    LabelCost = label(FrameGen, "LabelCost", "", 3400, rows[1], 900, 180);
    LabelDollar2 = label(FrameGen, "LabelDollar2", "$", 4320, rows[1], 150, 180);
    LLabelBudgetLeft = label(FrameGen, "LLabelBudgetLeft", "Money left", 2600, rows[2], 800, 180);
    LabelBudgetLeft = label(FrameGen, "LabelBudgetLeft", "", 3400, rows[2], 900, 180);
    LabelDollar3 = label(FrameGen, "LabelDollar3", "$", 4320, rows[2], 150, 180);
    Redraw = clickLabel(FrameGen, "Redraw", "Redraw [Space]", 2600, rows[3], 1400, 180, "Actualize view");

    // View buttons.
    const QString scrollTip = "Toggles between scroll-bars and autoscroll (up)";
    BYScroll2 = mouseButton(client, "BYScroll2", "Scroll Up", 255, 980, 835, 229, scrollTip);
    Center2 = mouseButton(client, "Center2", "Center", 255, 1200, 835, 229);
    BYScroll = mouseButton(client, "BYScroll", "Scroll Up", 10800, 980, design::kByScrollWidth, 229, scrollTip);
    Center3 = mouseButton(client, "Center3", "Center", 10800, 1200, 835, 229);
    for (MouseButton* b : {BYScroll2, BYScroll})
        b->setMouseTracking(true);

    // Drawing area with what lives inside it.
    Pic = place(named(new PicBox(client), "Pic"), 0, design::kPicTop, 11655, 7095);
    Proc = edit(Pic, "Proc", "0", 5520, 6840, 495, 285);
    Proc->hide();
    FrameAbout = frame(Pic, "FrameAbout", QString(11, ' ') + "Zarvines Tool Nr.211 Trusswick Editor" + QString(10, ' '),
                       0, 0, 5565, 4262);
    FrameAbout->hide();
    buildAbout();

    // Scroll bars and the corner button.
    XOff = place(named(new ScrollBar(Qt::Horizontal, 4096, -4080, client), "XOff"), 0, 8040, 11655, 255);
    YOff = place(named(new ScrollBar(Qt::Vertical, 255, -255, client), "YOff"), 11640, design::kPicTop,
                 design::kYOffWidth, 7080);
    XOff->setPageStep(50);
    YOff->setPageStep(50);
    XOff->setValue(0);
    YOff->setValue(0);
    Center = mouseButton(client, "Center", "C", 11640, 8040, 255, design::kCenterHeight, "Center view");

    File = edit(client, "File", paths_.firstStartDocument(), 6240, design::kFileTop, 5355, 255);

    LDebug = place(named(new ListBox(client), "LDebug", "Only for debugging"), 0, 2760, 4335, 5100);
    LDebug->hide();
    FixLooksSoft = check(client, "FixLooksSoft", "Expert", 0, 7845, 4335, 195);
    FixLooksSoft->hide();

    // The undo list covers the journal buttons, the coordinates and the zoom while open.
    UdoList = place(named(new ListBox(client, true), "UdoList"), 2400, 57, 2010, 840);
    UdoList->hide();

    for (ClickFrame* f : {FrameLE, FrameLd, FrameGen})
        f->hide();
    EPoint->setChecked(true);
    PFix->setChecked(true);
    LRail->setChecked(true);
    Pic->raise();
    Proc->raise();
    File->raise();
    LDebug->raise();
    FixLooksSoft->raise();
    // Controls the design places over the drawing area or a frame take the
    // clicks where they are drawn.
    for (QWidget* w : std::initializer_list<QWidget*>{BYScroll2, Center2, BYScroll, Center3, BuSaveAs, BuSave})
        w->raise();

    // Names for screen readers where no caption says what a control is.
    const std::pair<QWidget*, const char*> readerNames[] = {{Zoom, "Zoom"},
                                                            {XOff, "Horizontal position"},
                                                            {YOff, "Vertical position"},
                                                            {UdoList, "Undo list"},
                                                            {LPoint, "Points"},
                                                            {LLine, "Lines"},
                                                            {Land, "Terrain"},
                                                            {LDebug, "Journal words"},
                                                            {LCombo, "Line kind"},
                                                            {LandFix, "Fixed level"},
                                                            {Water, "Water level"},
                                                            {Rail, "Rail level"},
                                                            {LeftE, "Left end"},
                                                            {RightE, "Right end"},
                                                            {Money, "Budget"},
                                                            {File, "Current file"},
                                                            {Proc, "Command box"}};
    for (auto [w, name] : readerNames)
        w->setAccessibleName(name);

    // The right edge of the controls above the drawing area, which keep their places.
    for (const QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->y() < tw(design::kPicTop))
            controlsRight_ = std::max(controlsRight_, w->geometry().right() + 1);
}

void Form1::buildMenus()
{
    auto action = [&](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    MFile = menuBar()->addMenu("&File");
    MFile->setObjectName("MFile");
    MNew = action(MFile, "MNew", "&New");
    // Per user, the menus show their keys as desktops do, beside the caption;
    // in portable mode as designed, in the caption.
    auto keyed = [&](const char* designed, const char* caption, const char* key) {
        return paths_.portable ? QString(designed) : QString(caption) + "\t" + key;
    };
    MLoad = action(MFile, "MLoad", keyed("&Load...      Ctrl+L", "&Load...", "Ctrl+L"));
    MSave = action(MFile, "MSave", keyed("&Save         Ctrl+S", "&Save", "Ctrl+S"));
    MSaveAs = action(MFile, "MSaveAs", keyed("Save &as ...", "Save &as ...", "Ctrl+Shift+S"));
    // Per user only, and with a letter of its own: R belongs to Redo.
    if (!paths_.portable) {
        MRecent = MFile->addMenu("Recent &Files");
        MRecent->setObjectName("MRecent");
    }
    MFile->addSeparator()->setObjectName("MFile_Line_01");
    MBmp = action(MFile, "MBmp", "Export as &BMP...");
    MFile->addSeparator()->setObjectName("MFile_Line_02");
    MUndo = action(MFile, "MUndo", keyed("&Undo        Ctrl+Z", "&Undo", "Ctrl+Z"));
    MRedo = action(MFile, "MRedo", keyed("&Redo        Ctrl+X", "&Redo", "Ctrl+X"));
    MFile->addSeparator()->setObjectName("MFile_Line_03");
    MOptions = action(MFile, "MOptions", "&Options...");
    MFile->addSeparator()->setObjectName("MFile_Line_04");
    MExit = action(MFile, "MExit", "&Exit");

    MLineEdit = menuBar()->addMenu("&Line");
    MLineEdit->setObjectName("MLineEdit");
    MNewLine = action(MLineEdit, "MNewLine", "Add &New Line");
    MLine = action(MLineEdit, "MLine", "Toggle &Line / Rail");
    MDelLine = action(MLineEdit, "MDelLine", "&Delete Line");
    MDelAllLines = action(MLineEdit, "MDelAllLines", "Delete &All Lines");

    MPoint = menuBar()->addMenu("&Point");
    MPoint->setObjectName("MPoint");
    MNewPoint = action(MPoint, "MNewPoint", "Add &New Point");
    MMovePoint = action(MPoint, "MMovePoint", "&Move Point");
    MFixSoft = action(MPoint, "MFixSoft", "Toggle Fixed /Soft &Point");
    MDelPoint = action(MPoint, "MDelPoint", "&Delete Point");
    MDelSoft = action(MPoint, "MDelSoft", "Delete All &Softpoints");

    // Terrain and General act directly: menu-bar entries without a submenu.
    MLand = menuBar()->addAction("&Terrain");
    MLand->setObjectName("MLand");
    MGeneral = menuBar()->addAction("&General");
    MGeneral->setObjectName("MGeneral");

    MHelp = menuBar()->addMenu("&Help");
    MHelp->setObjectName("MHelp");
    MViewHelp = action(MHelp, "MViewHelp", "&Help");
    MTutorial = action(MHelp, "MTutorial", "&Tutorial");
    MAbout = action(MHelp, "MAbout", "&About");

    // The designed size, with the menu bar now that it has its menus, or less
    // where the screen is smaller: the drawing area gives way, the controls
    // keep their places.
    resize(sizeOnScreen(this, designedSize()));
}
