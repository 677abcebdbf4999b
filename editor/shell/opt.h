// The options window: display switches, scroll step, terrain style, aspect,
// the colour editor and the bitmap export controls. Created hidden at start-up
// and only ever hidden, never destroyed, so its controls keep the option values.
#pragma once
#include <QWidget>

#include <array>

class ClickFrame;
class Form1;
class ListBox;
class MouseButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSlider;

class Opt : public QWidget {
    Q_OBJECT
public:
    explicit Opt(Form1* main);

    // ---- colour editor and display options (opt_reactions.cpp)
    void ColorList_Click();
    void Red_Change();
    void Green_Change();
    void Blue_Change();
    void Bright_Change();
    // Stores the edited colour, shows it and asks the main window for a redraw.
    void ApplyColor();
    void Default_Click();
    void Grid_Click();
    void Boundaries_Click();
    void Raillevel_Click();
    void Train_Click();
    void AutoScroll_Click();
    void ScrollSize_Change();
    void LandStyle_Change();
    void XYdiff_Change();
    // The "-" and "+" buttons: 1 = left button (small step), others big step.
    void ScrollSizeD_MouseUp(int button);
    void ScrollSizeU_MouseUp(int button);
    void LandStyleD_MouseUp(int button);
    void LandStyleU_MouseUp(int button);
    void XYdiffD_MouseUp(int button);
    void XYdiffU_MouseUp(int button);

    // ---- bitmap export frame (opt_bitmap.cpp)
    void Apply_Click();
    void FrameApply_Click();
    void FNameT_Click();
    void BmpLeft_Change();
    void BmpRight_Change();
    void BackStyle_Change();
    void BmpLeftScroll_Change();
    void BmpRightScroll_Change();
    void BackStyleScroll_Change();
    void BmpHeight_Change();
    void SaveBmp_Click();
    void MultiSave_Click();
    void Exit_Click();
    void CDebug_Click();

    // Lenient numeric value of a number box.
    static double value(const QLineEdit* box);

    Form1* main;

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
    // Preview memory: the main window's size and state when the preview went on.
    int previewWidth = 0, previewHeight = 0;
    Qt::WindowStates previewState;

    // Limits of what the preview asks of the window system, in pixels.
    static constexpr int kMaxPreviewHeight = 4096;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void channelChanged(size_t part, const QSlider* slider);
    void buildControls();
    void connectReactions(); // opt_reactions.cpp
    void connectBitmap();    // opt_bitmap.cpp
    // The scroll bars or the edge buttons of the main window, as AutoScroll says.
    void showScrollControls();
    void stepBox(QLineEdit* box, int sign, int button);
    void boxWithSlider(QLineEdit* box, QScrollBar* bar);
    void setSliders(int red, int green, int blue, int bright);
};
