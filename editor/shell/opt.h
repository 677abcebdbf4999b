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

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
};
