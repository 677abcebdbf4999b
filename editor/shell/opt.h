// The options window: display switches, scroll step, terrain style, aspect,
// the colour editor and the bitmap export controls. Created hidden at start-up
// and only ever hidden, never destroyed. Its controls show the options the main
// window owns; it asks the main window for work only through OptionsHost.
#pragma once
#include "options.h"

#include <QWidget>

#include <array>

class ClickFrame;
class ListBox;
class MouseButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSlider;

// What the options window asks of the main window.
class OptionsHost {
public:
    // A request through the main window's command box.
    virtual void sendCommand(ProcCommand c) = 0;
    // The colour table changed: the drawing area's own colours follow.
    virtual void colorsChanged() = 0;
    // The scroll step changed: the position bars' page step follows.
    virtual void scrollStepChanged() = 0;
    // Autoscroll was switched: the scroll bars or the edge buttons show.
    virtual void autoScrollChanged() = 0;
    // The export preview was switched on or off: the main window takes or leaves its preview shape.
    virtual void previewChanged() = 0;
    // The picture height changed while the preview is on.
    virtual void previewHeightChanged() = 0;
    // The "Save" button of the picture frame.
    virtual void saveBitmapSelect() = 0;

protected:
    ~OptionsHost() = default;
};

class Opt : public QWidget {
    Q_OBJECT
    friend class EditorDriver; // the tests' view of the window's state
public:
    Opt(QWidget* owner, OptionValues& options, OptionsHost& host);

    // Lenient numeric value of a number box.
    static double value(const QLineEdit* box);

    // Puts the option values of the settings file's lines into the controls,
    // each running its reaction as an edit by the user would.
    void showOptions();
    // Switches the export preview, or autoscroll, as their check boxes do.
    void setPreview(bool on);
    void setAutoScroll(bool on);
    // Selects the first entry of the colour list, which loads it into the editor.
    void selectFirstColor();
    // The picture size shown under the height box.
    void showPixelSize(const QString& text);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // ---- colour editor and display options (opt_reactions.cpp)
    void ColorList_Click();
    void Red_Change();
    void Green_Change();
    void Blue_Change();
    void Bright_Change();
    // Stores the edited colour, shows it and asks the main window for a redraw.
    void ApplyColor();
    void Default_Click();
    void AutoScroll_Click();
    void ScrollSize_Change();
    void LandStyle_Change();
    void XYdiff_Change();
    // The "-" and "+" buttons: 1 = left button (small step), others big step.
    void stepBox(QLineEdit* box, int sign, int button);

    // ---- bitmap export frame (opt_bitmap.cpp)
    void Apply_Click();
    void FrameApply_Click();
    void BmpLeft_Change();
    void BmpRight_Change();
    void BackStyle_Change();
    void BmpHeight_Change();
    void MultiSave_Click();
    void Exit_Click();
    void CDebug_Click();

    void buildControls();
    void connectReactions(); // opt_reactions.cpp
    void connectBitmap();    // opt_bitmap.cpp
    void channelChanged(size_t part, const QSlider* slider);
    // A number box that keeps a limited value, written back when the text differs.
    bool keepNumber(QLineEdit* box, double kept);
    void boxWithSlider(QLineEdit* box, QScrollBar* bar, double kept);
    void setSliders(int red, int green, int blue, int bright);

    OptionValues& options_;
    OptionsHost& host_;

    // Options and display switches.
    ClickFrame* FrameOptions;
    QCheckBox *Confirm, *WSize, *AutoScroll, *Grid, *Boundaries, *Raillevel, *Train;
    QLineEdit *ScrollSize, *LandStyle, *XYdiff;
    MouseButton *ScrollSizeD, *ScrollSizeU, *LandStyleD, *LandStyleU, *XYdiffD, *XYdiffU;

    // Colour editor.
    ClickFrame* FrameColors;
    ListBox* ColorList;
    QSlider *Red, *Green, *Blue, *Bright;
    QLabel *LabelR, *LabelG, *LabelB, *LabelBr;
    QCheckBox* Hold;
    QPushButton* Default;
    QLabel* Picture1;
    QLineEdit* BackStyle;
    QScrollBar* BackStyleScroll;
    int ColorIndex = 0;
    std::array<int, 6> ColorParts{}; // 1 blue, 2 green, 3 red, 4 brightness, 5 packed colour
    bool SlidersLive = false;

    // Bitmap export.
    ClickFrame *FrameBitmap, *FrameApply;
    QCheckBox *Apply, *FNameT, *Subfolders, *CDebug;
    QLineEdit *BmpLeft, *BmpRight, *BmpHeight;
    QScrollBar *BmpLeftScroll, *BmpRightScroll;
    QLabel* LabelPixel;
    QPushButton *SaveBmp, *MultiSave, *Exit;
};
