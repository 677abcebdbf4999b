// The editor's main window. It owns the document, the journal, the view state,
// the options, the tool state and every control; its handlers are split by
// concern over the form1_*.cpp files. Its data is its own: tests reach it
// through their driver, the options window through OptionsHost.
#pragma once
#include "app_paths.h"
#include "derived.h"
#include "document.h"
#include "edit_result.h"
#include "journal.h"
#include "module1.h"
#include "opt.h"
#include "options.h"
#include "tool_state.h"
#include "view_transform.h"

#include <QMainWindow>

#include <array>
#include <memory>

class ClickFrame;
class ClickLabel;
class LineShape;
class ListBox;
class MouseButton;
class PicBox;
class Platform;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class RecentFiles;
class QTimer;
class ScrollBar;
namespace trv {
enum class LevelValue;
class RenderCache;
} // namespace trv

// What a load or save acts on (its UseFile).
enum class DocumentSource {
    JournalState, // the file of the current journal state
    NamedFile,    // the file named in the text box File
};

class Form1 : public QMainWindow, private OptionsHost {
    Q_OBJECT
    friend class EditorDriver; // the tests' view of the window's state
public:
    // `paths` says where the settings, the journal and the data live; a named
    // `openFile` is opened instead of the one the settings name.
    Form1(Platform& platform, const AppPaths& paths, const QString& openFile = {});
    ~Form1() override;

    // ---- document, journal (form1_document.cpp, form1_journal.cpp)
    void LoadDocument(DocumentSource UseFile);
    void SaveDocument(DocumentSource UseFile);
    void ApplySaveType();
    // Records an edit: names the step and writes it.
    void recordStep(const std::string& name);
    // Names the current step for the next write, as an edit that must become a
    // step of its own.
    void nameStep(const std::string& name);
    // Names the current step for a typed value, unless it has a name already.
    void nameTypedStep(const std::string& name);
    void MDelAllLines_Click();
    void SavLines_MouseUp();
    void MDelSoft_Click();
    void SavSoft_MouseUp();
    void MUndo_Click();
    void MRedo_Click();
    void Undo_Click();
    void UdoList_MouseUp(int row);
    void UdoList_LostFocus();
    void ShowJournalDump();

    // ---- file commands (form1_files.cpp)
    void OpenDocument();
    void File_Change();
    void Proc_Change();
    void MNew_Click();
    void BuLoad_Click();
    void BuSave_Click();
    void BuSaveAs_Click();
    // ---- start-up and exit (form1_startup.cpp)
    void Form_Load();
    void Exit_Click();
    void SaveSettingsAndEnd();
    // The system ends the editor (logout, shutdown, kill): the settings are
    // written, the journal stays for the next start to offer, as after a crash.
    void EndOnTermination();
    void MViewHelp_Click();
    void MTutorial_Click();
    void applyPicColors();

    // ---- bitmap export (form1_export.cpp)
    // Writes the picture to ChosenFile; false (reported) when it cannot.
    // `derived`: the name comes from a folder's contents (Multisave), so a link or
    // special file under it is refused rather than written through.
    bool BmpSave(bool derived = false);
    void BmpSaveSelect();
    // A problem with one file: shown at once, or collected while a folder
    // export runs and shown in one report at its end.
    void reportProblem(const QString& text);

    // ---- options window (form1_options.cpp)
    void Options_Click();

    // ---- spring test run (form1_testrun.cpp)
    void Test_MouseMove();
    void Test_Click();

    // ---- About (form1_about.cpp)
    void MAbout_Click();
    void FrameAbout_Click();
    void Image1_MouseMove(int button, int shift, double x, double y);
    // One step of the train animation; false once the frame is hidden.
    bool AboutAnimation();

    // ---- view (form1_view.cpp)
    void RenderView();
    void LayoutView();
    // The client area's room on screen, less any scroll bar it shows.
    QSize clientRoom() const;
    // Sizes the client to that room, or to its controls' least room; returns the room.
    QSize fitClient();
    QSize designedSize() const; // of the window without its frame
    // The status line adds to the window, so that the drawing area is what the
    // layout gives for the window's stored or designed size.
    int statusLineHeight() const;
    // The window for a stored size (without the status line): the designed
    // size when the stored one is too small to show the controls.
    QSize restoredSize(int width, int height) const;
    void keepControlsReachable();
    void previewSizing();
    void UpdateViewScale();
    void Zoom_Change();
    void Center_MouseDown();
    void BYScroll_Click();
    void BYScroll_MouseMove();
    void AutoScrollAtEdges(int buttons, double x, double y);
    // One step of the view: by (dx, dy) of the position bars, limited to their
    // ranges, or one zoom step in (+1) or out (-1), as the keys and the wheel move it.
    void scrollView(double dx, double dy);
    void zoomStep(int sign);
    // Sets the position bars and the zoom as one move of the view: drawn once,
    // not once per bar, and not at all without `render` (a load draws next).
    void setViewBars(int xOff, int yOff, int zoom, bool render = true);
    QPointF ToScreen(double x, double y) const;
    QPointF ToDisplay(double x, double y) const;

    void setPointer(trv::PointerShape s);
    void Redraw_Click();
    void Form_Click();

    // ---- editing
    // modes, tool buttons and their menu commands (form1_modes.cpp)
    void ELine_Click();
    void EPoint_Click();
    void ELand_Click();
    void EGen_Click();
    void LDraw_Click();
    void LRail_Click();
    void LDel_Click();
    void PFix_Click();
    void PMove_Click();
    void PNew_Click();
    void PDel_Click();
    void LineMDrawPoint_Click();
    void FixLooksSoft_Click();
    // pointer over the drawing area, in its logical units (form1_pointer.cpp)
    void Pic_MouseDown(int button, int shift, double x, double y);
    void Pic_MouseMove(int buttons, int shift, double x, double y);
    void Pic_MouseUp(int button, int shift, double x, double y);
    // point, line and terrain actions and the list reactions (form1_tools.cpp)
    void NewPoint();
    void MovePoint();
    void ToggleFixSoft();
    void DeletePoint();
    void DrawLineTo();
    void ToggleRail();
    void DeleteLine();
    void Runder_Click();
    void LPoint_Click(int row);
    void LLine_Click(int row);
    void Land_Click(int row);
    void LandFix_GotFocus();
    void LandFix_LostFocus();
    // general values (form1_general.cpp); button: 1 left = small step, else big
    void Money_Change();
    void Water_Change();
    void Rail_Change();
    void LeftE_Change();
    void RightE_Change();
    void WaterU_MouseUp(int button);
    void WaterD_MouseUp(int button);
    void RailU_MouseUp(int button);
    void RailD_MouseUp(int button);
    void LeftU_MouseUp(int button);
    void LeftD_MouseUp(int button);
    void RightU_MouseUp(int button);
    void RightD_MouseUp(int button);

    // Selects an option button and runs its click reaction, also when it was
    // selected already.
    void select(QRadioButton* b);
    // Message box through the platform seam; true for OK.
    bool msgBox(const QString& text, bool okCancel = false, bool warning = false);
    // A short note in the status line: why an action did nothing, or what it did.
    void tell(const QString& text);

    // ---- keyboard (form1_keys.cpp)
    // The key table: true when the key ran a command; a key code set to 0 is
    // one the design itself consumes.
    bool Form_KeyDown(int& KeyCode, int Shift);

    // ---- desktop gestures (form1_desktop.cpp)
    // Opens a file as Open does after its dialog: the prompt about changes, the
    // reader's checks; false when nothing was opened.
    bool openWithPrompt(const QString& path);
    bool openChosen(const QString& path);
    void Pic_Wheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // ---- what the options window asks (form1_options.cpp)
    void sendCommand(ProcCommand c) override;
    void colorsChanged() override;
    void scrollStepChanged() override;
    void autoScrollChanged() override;
    void previewChanged() override;
    void previewHeightChanged() override;
    void saveBitmapSelect() override;

    void buildControls();   // form1_layout.cpp
    void buildMenus();      // form1_layout.cpp
    void bindToolState();   // form1_modes.cpp: the tool controls keep `tools_`
    void connectDocument(); // form1_document.cpp
    void connectView();     // form1_view.cpp
    void connectJournal();  // form1_journal.cpp
    void connectFiles();    // form1_files.cpp
    void connectKeys();     // form1_keys.cpp
    void connectModes();    // form1_modes.cpp
    void connectPointer();  // form1_pointer.cpp
    void connectTools();    // form1_tools.cpp
    void connectGeneral();  // form1_general.cpp
    void connectOptions();  // form1_options.cpp
    void connectTestRun();  // form1_testrun.cpp
    void connectDesktop();  // form1_desktop.cpp
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    void openRecent(const QString& path);
    // The help or tutorial text in a window of the program's own.
    void showTextWindow(const QString& path);
    void buildAbout(); // form1_about.cpp
    // Editing helpers.
    void showPanel(ClickFrame* panel);
    // Line or terrain mode (form1_modes.cpp): the stretch line's colour, the
    // panel, the default pointer and tool; terrain is drawn free of a level.
    void enterStrokeMode(ClickFrame* panel, bool levelFree);
    void choosePointTool(trv::PointerShape shape);
    void endStrokeOnModeSwitch();
    void commit(); // SaveDocument without a new step name
    void applyEdit(const trv::EditResult& r);
    void drawStrokePreview(double x, double pointerY, double oldTopY);
    void stepLevel(trv::LevelValue v, bool plus, int button);
    void typedLevel(trv::LevelValue v, const QLineEdit* box);
    void closeUndoList();
    // Where a file dialog starts: the folder and name of File; per user, the
    // home folder while no document has been loaded.
    PathSplit dialogPlace() const;
    // Loads the file named in File, and draws the view
    // anyway when that fails.
    void loadNamedFile();
    // Refuses a file the reader would refuse, before anything changes.
    bool checkReadable(const QString& path);
    // Why the reader would refuse the file; empty when it would read it.
    QString refusalOf(const QString& path);
    void BatchExport();
    // The About frame's slide-in, pause and train animation, paced by a timer.
    void aboutTick();
    // Applies the settings file; false with what was wrong with it in `problem`.
    bool readSettings(QString* problem);
    // Writes Trv.ini from the options and the window's place; the system's
    // reason when it cannot. `placed`: take the place from the window as shown.
    std::string writeSettingsFile(bool placed);
    // Offers the work of an editor that ended without saving; true when restored.
    bool restoreLeftJournal();
    void openTextFile(const QString& path, const QString& missingText);
    // The parts of LoadDocument and SaveDocument (form1_document.cpp): the
    // journal told of a load, the texts and lists of the loaded document, the
    // question before a save drops lines or soft points, a journal step written.
    void noteLoaded(bool named, bool known, std::vector<uint8_t> bytes);
    void showDocument();
    bool confirmDiscarding();
    void recordState();

    // ---- the document and the journal
    trv::Document doc;
    trv::DerivedTables tables;
    trv::Journal journal;
    AppPaths paths_;
    QString openFile_; // the document named on the command line
    int SelPoint = -1;
    bool loading_ = false;        // the loader is writing the value boxes
    bool documentLoaded_ = false; // a document has been read since the start
    int loads_ = 0;               // documents and states read so far
    bool ending_ = false;         // the process is ending
    bool settingsKnown_ = false;  // read from Trv.ini or set to the first start's defaults

    // ---- options, tools, view
    OptionValues options_;
    ToolState tools_;
    trv::ViewState view;
    std::unique_ptr<trv::RenderCache> renderCache_; // the layers under the points and lines of Pic's image
    // Every control sits on `client_`; it scrolls in `clientArea_` only on a
    // screen too small for the designed window.
    QScrollArea* clientArea_ = nullptr;
    QWidget* client_ = nullptr;
    int controlsRight_ = 0; // where the controls above the drawing area end
    bool LayoutPending = true;
    double BottomY = 0;
    std::array<double, 7> WindowPlacement{0, 0, 0, 9000, 12000, 0, 0}; // 1..6
    bool ValueBoxFocus = false;
    bool DebugListFocus = false;
    // The main window's size and state when the export preview went on.
    int previewWidth_ = 0, previewHeight_ = 0;
    Qt::WindowStates previewState_;

    // ---- the spring test run and the About animation
    std::vector<std::array<double, 3>> PntAcc; // spring accumulators, reset by every load
    int16_t TestTick = 0;
    double AboutTargetX = 0, AboutSpeed = 0;
    int32_t AboutPointerY = 0;
    double AboutTrainLeft = 0; // twips, relative to the frame
    QTimer* aboutTimer_ = nullptr;
    double aboutSlide_ = 0; // the slide-in's angle, -3 .. 1
    int aboutPause_ = 0;    // timer ticks left in the pause

    std::unique_ptr<RecentFiles> recent_; // File > Recent
    QString recentRefused_;               // why its file was not used, said at start
    int wheelRest_ = 0;                   // wheel turns not yet a whole notch

    // ---- the folder export
    bool batchRunning_ = false;
    QStringList* batchReport_ = nullptr; // problems collected by the running batch

    Opt* opt = nullptr;
    Platform& platform;
    QString ChosenFile;

    // ---- controls, by their names
    QPushButton *BuLoad, *BuSaveAs, *BuSave, *Exit;
    QGroupBox* Frame1;
    QRadioButton *SavBrg, *SavLvl;
    QCheckBox *SavSoft, *SavLines;
    QPushButton *Undo, *Redo, *Options;
    MouseButton* Test;
    ListBox* UdoList;
    ClickFrame* FrameKoordinaten;
    ClickLabel *LabelX, *LabelY, *YP;
    QLabel *LabelZoomText, *LabelZoom, *LabelSchwarz;
    ScrollBar* Zoom;
    QRadioButton *ELine, *ELand, *EPoint, *EGen;
    ClickLabel* LabelEditMode;
    ClickFrame *FrameLE, *FramePE, *FrameLd, *FrameGen;
    QRadioButton *LDraw, *LRail, *LDel;
    QCheckBox *LDrawRail, *CRail, *LineMDrawPoint;
    QComboBox* LCombo;
    QLabel *LabelActLine1, *LabelActLine2, *LabelLineLen, *LabelLineLen2, *LLines;
    ListBox* LLine;
    QRadioButton *PNew, *PMove, *PFix, *PDel;
    QCheckBox *NewFixed, *DelAtLine, *Snap;
    ClickLabel* LabelLPoint;
    ListBox* LPoint;
    QPushButton* Runder;
    QCheckBox* DrawFix;
    QLineEdit* LandFix;
    QLabel* LabelLandscapeList;
    ListBox* Land;
    ClickLabel *LabelWater, *LabelRail, *LabelLeft, *LabelRight, *LabelGeld;
    MouseButton *WaterU, *WaterD, *RailU, *RailD, *LeftU, *LeftD, *RightU, *RightD;
    QLineEdit *Water, *Rail, *LeftE, *RightE, *Money;
    QLabel *LabelDollar1, *LLabelCost, *LabelCost, *LabelDollar2, *LLabelBudgetLeft, *LabelBudgetLeft, *LabelDollar3;
    ClickLabel* Redraw;
    MouseButton *BYScroll2, *Center2, *BYScroll, *Center3, *Center;
    PicBox* Pic;
    QLineEdit* Proc;
    ClickFrame* FrameAbout;
    ClickLabel *Image1, *Labeltwde;
    QLabel* AboutTrain;
    LineShape* AboutLine;
    ScrollBar *XOff, *YOff;
    QLineEdit* File;
    ListBox* LDebug;
    QCheckBox* FixLooksSoft;

    // ---- menus
    QMenu *MFile, *MRecent = nullptr, *MLineEdit, *MPoint, *MHelp;
    QAction *MNew, *MLoad, *MSave, *MSaveAs, *MBmp, *MUndo, *MRedo, *MOptions, *MExit;
    QAction *MNewLine, *MLine, *MDelLine, *MDelAllLines;
    QAction *MNewPoint, *MMovePoint, *MFixSoft, *MDelPoint, *MDelSoft;
    QAction *MLand, *MGeneral;
    QAction *MViewHelp, *MTutorial, *MAbout;
};
