#include "opt.h"

#include "colors.h"
#include "compact_style.h"
#include "controls.h"
#include "list_box.h"
#include "qt_text.h"
#include "text_number.h"
#include "window_units.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

Opt::Opt(QWidget* owner, OptionValues& options, OptionsHost& host)
    : QWidget(owner, Qt::Window), options_(options), host_(host)
{
    setObjectName("Opt");
    setWindowTitle("Options");
    setFont(windowFont());
    buildControls();
    connectReactions();
    connectBitmap();
    hide();
}

double Opt::value(const QLineEdit* box) { return trv::parseLeadingNumber(box->text().toStdString()); }

void Opt::showOptions()
{
    // A copy: each control's reaction stores its value as it comes.
    const OptionValues o = options_;
    const std::pair<QLineEdit*, double> numbers[] = {
        {ScrollSize, o.ScrollSize}, {LandStyle, o.LandStyle}, {XYdiff, o.XYdiff},      {BmpLeft, o.BmpLeft},
        {BmpRight, o.BmpRight},     {BmpHeight, o.BmpHeight}, {BackStyle, o.BackStyle}};
    for (auto [box, v] : numbers)
        box->setText(numberText(v));
    const std::pair<QCheckBox*, bool> switches[] = {
        {Confirm, o.Confirm},       {WSize, o.WSize},         {Grid, o.Grid},
        {Boundaries, o.Boundaries}, {Raillevel, o.Raillevel}, {Train, o.Train},
        {AutoScroll, o.AutoScroll}};
    for (auto [box, on] : switches)
        box->setChecked(on);
}

void Opt::setPreview(bool on) { Apply->setChecked(on); }

void Opt::setAutoScroll(bool on) { AutoScroll->setChecked(on); }

void Opt::selectFirstColor() { ColorList->setListIndex(0); }

void Opt::showPixelSize(const QString& text) { LabelPixel->setText(text); }

void Opt::closeEvent(QCloseEvent* e)
{
    // Closing from the frame only hides: the settings written at exit read these controls.
    e->ignore();
    hide();
}

void Opt::buildControls()
{
    resize(tw(12000), tw(3500));
    // The controls sit on a page that scrolls where the window is smaller than
    // they need (a small screen at a large scale); otherwise the page is the
    // whole window.
    auto* area = new QScrollArea(this);
    area->setObjectName("optionsArea");
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->horizontalScrollBar()->setAccessibleName("Scroll the options across");
    area->verticalScrollBar()->setAccessibleName("Scroll the options up and down");
    auto* page = new QWidget;
    page->setObjectName("optionsPage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);

    FrameColors = place(new ClickFrame("Colors", page), "FrameColors", 0, 120, 4575, 2775);
    ColorList = place(new ListBox(FrameColors, false), "ColorList", 120, 240, 1000, 2400);
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i)
        names.push_back(trv::kColorListNames[size_t(i)]);
    ColorList->setRows(std::move(names));
    const char* sliderNames[] = {"Red", "Green", "Blue", "Bright"};
    const char* numberNames[] = {"LabelR", "LabelG", "LabelB", "LabelBr"};
    const double sliderTops[] = {240, 510, 780, 1170};
    QSlider* sliders[4];
    QLabel* numbers[4];
    for (int k = 0; k < 4; ++k) {
        auto* caption = new QLabel(sliderNames[k], FrameColors);
        caption->setGeometry(tw(1150), tw(sliderTops[k]), tw(500), tw(240));
        // The value at the slider's end: below the caption it ran into the next one.
        numbers[k] = place(new QLabel("128", FrameColors), numberNames[k], 4040, sliderTops[k], 415, 240);
        numbers[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sliders[k] = place(new QSlider(Qt::Horizontal, FrameColors), sliderNames[k], 1680, sliderTops[k], 2330, 240);
        sliders[k]->setRange(0, 255);
        sliders[k]->setPageStep(10);
        sliders[k]->setValue(128);
    }
    Red = sliders[0], Green = sliders[1], Blue = sliders[2], Bright = sliders[3];
    LabelR = numbers[0], LabelG = numbers[1], LabelB = numbers[2], LabelBr = numbers[3];
    Hold = place(new QCheckBox("Hold", FrameColors), "Hold", 1680, 1450, 900, 240);
    Hold->setChecked(true);
    auto* gradient = place(new QLabel("Gradient", FrameColors), "LabelGradient", 1150, 1800, 800, 240);
    (void)gradient;
    BackStyle = place(new QLineEdit("0", FrameColors), "BackStyle", 1950, 1800, 600, 285);
    BackStyleScroll = place(new QScrollBar(Qt::Horizontal, FrameColors), "BackStyleScroll", 2600, 1800, 1855, 255);
    BackStyleScroll->setRange(-200, 200);
    BackStyleScroll->setPageStep(10);
    BackStyleScroll->setValue(0);
    Default = place(new QPushButton("Defaults", FrameColors), "Default", 1150, 2160, 1100, 400);
    Picture1 = place(new QLabel(FrameColors), "Picture1", 2400, 2160, 2050, 500);
    Picture1->setAutoFillBackground(true);
    Picture1->setFocusPolicy(Qt::ClickFocus);

    FrameOptions = place(new ClickFrame("Options                         Show                 ", page), "FrameOptions",
                         4680, 120, 3135, 2055);
    Confirm = place(new QCheckBox("Confirmations", FrameOptions), "Confirm", 120, 240, 1600, 240,
                    "Confirm on file overwrite and exit");
    WSize = place(new QCheckBox("Save Window", FrameOptions), "WSize", 120, 480, 1600, 240,
                  "Save last window size and position");
    AutoScroll = place(new QCheckBox("Autoscroll", FrameOptions), "AutoScroll", 120, 720, 1600, 240,
                       "Scroll view if the cursor is at a window edge. Or switch to scroll-bars");
    Grid = place(new QCheckBox("Grid", FrameOptions), "Grid", 1900, 240, 1200, 240, "Toggle grid");
    Boundaries =
        place(new QCheckBox("Boundaries", FrameOptions), "Boundaries", 1900, 480, 1200, 240, "Toggle boundaries");
    Raillevel = place(new QCheckBox("Rail level", FrameOptions), "Raillevel", 1900, 720, 1200, 240, "Toggle raillevel");
    Train = place(new QCheckBox("Train", FrameOptions), "Train", 1900, 960, 1200, 240);
    for (QCheckBox* c : {Confirm, WSize, AutoScroll, Grid, Boundaries, Raillevel, Train})
        c->setChecked(true);

    const QString stepTip = "Right-click for big steps (10 units)";
    struct NumberRow {
        const char* caption;
        const char* box;
        const char* down;
        const char* up;
        const char* text;
        const char* tip;
    };
    const NumberRow rows[] = {
        {"Scroll step", "ScrollSize", "ScrollSizeD", "ScrollSizeU", "100", "Step (speed) of scrolling"},
        {"Terrain style", "LandStyle", "LandStyleD", "LandStyleU", "9",
         "Landscape thickness. Lower values improve speed. Default=9 Max=150"},
        {"x : y", "XYdiff", "XYdiffD", "XYdiffU", "200", "Aspect ratio for different screen resolutions. Default=200"},
    };
    QLineEdit* boxes[3];
    MouseButton *downs[3], *ups[3];
    for (int k = 0; k < 3; ++k) {
        // Below the last display switch, which reaches 1200.
        const double top = 1215 + 285 * k;
        new QLabel(rows[k].caption, FrameOptions);
        FrameOptions->findChildren<QLabel*>().last()->setGeometry(tw(120), tw(top), tw(1000), tw(255));
        boxes[k] = place(new QLineEdit(rows[k].text, FrameOptions), rows[k].box, 1150, top, 700, 255, rows[k].tip);
        downs[k] = place(new MouseButton("-", FrameOptions), rows[k].down, 1880, top, 255, 255, stepTip);
        ups[k] = place(new MouseButton("+", FrameOptions), rows[k].up, 2150, top, 255, 255, stepTip);
    }
    ScrollSize = boxes[0], LandStyle = boxes[1], XYdiff = boxes[2];
    ScrollSizeD = downs[0], LandStyleD = downs[1], XYdiffD = downs[2];
    ScrollSizeU = ups[0], LandStyleU = ups[1], XYdiffU = ups[2];

    FrameBitmap = place(new ClickFrame("Save Bitmap", page), "FrameBitmap", 7920, 120, 3975, 2775);
    place(new QLabel("Bitmap edge offset (relative to level boundaries)", FrameBitmap), "Label2", 120, 240, 3800, 240);
    place(new QLabel("Left", FrameBitmap), "BmpLeftLabel", 120, 520, 500, 255);
    BmpLeft = place(new QLineEdit("0", FrameBitmap), "BmpLeft", 620, 520, 600, 255);
    BmpLeftScroll = place(new QScrollBar(Qt::Horizontal, FrameBitmap), "BmpLeftScroll", 1300, 520, 2550, 255);
    place(new QLabel("Right", FrameBitmap), "BmpRightLabel", 120, 820, 500, 255);
    BmpRight = place(new QLineEdit("0", FrameBitmap), "BmpRight", 620, 820, 600, 255);
    BmpRightScroll = place(new QScrollBar(Qt::Horizontal, FrameBitmap), "BmpRightScroll", 1300, 820, 2550, 255);
    for (QScrollBar* s : {BmpLeftScroll, BmpRightScroll}) {
        s->setRange(-500, 500);
        s->setPageStep(10);
        s->setValue(0);
    }
    place(new QLabel("Height", FrameBitmap), "LabelHeight", 120, 1150, 600, 255);
    BmpHeight = place(new QLineEdit("400", FrameBitmap), "BmpHeight", 720, 1150, 700, 255,
                      "Bitmap height (can also be adjusted by resizing the main");
    LabelPixel = place(new QLabel("Pixel", FrameBitmap), "LabelPixel", 1500, 1150, 2300, 255);
    FNameT = place(new QCheckBox("Filename", FrameBitmap), "FNameT", 120, 1480, 1500, 240,
                   "Paste the file name in the picture");
    Subfolders = place(new QCheckBox("Process Subfolders", FrameBitmap), "Subfolders", 1700, 1480, 2200, 240);
    FrameApply = place(new ClickFrame(FrameBitmap), "FrameApply", 120, 1800, 1500, 500);
    Apply = place(new QCheckBox("Preview", FrameApply), "Apply", 120, 150, 1200, 240);
    SaveBmp = place(new QPushButton("Save", FrameBitmap), "SaveBmp", 1700, 1850, 1000, 400);
    MultiSave = place(new QPushButton("Multisave", FrameBitmap), "MultiSave", 2800, 1850, 1100, 400,
                      "Process folder. Multisave overwrites existing BMP files without asking questions :)");

    // Names for screen readers where no caption says what a control is.
    const std::pair<QWidget*, const char*> readerNames[] = {{ColorList, "Colours"},
                                                            {Red, "Red"},
                                                            {Green, "Green"},
                                                            {Blue, "Blue"},
                                                            {Bright, "Brightness"},
                                                            {BackStyle, "Gradient"},
                                                            {BackStyleScroll, "Gradient slider"},
                                                            {ScrollSize, "Scroll step"},
                                                            {LandStyle, "Terrain style"},
                                                            {XYdiff, "Aspect x : y"},
                                                            {BmpLeft, "Left margin"},
                                                            {BmpRight, "Right margin"},
                                                            {BmpLeftScroll, "Left margin slider"},
                                                            {BmpRightScroll, "Right margin slider"},
                                                            {BmpHeight, "Picture height"}};
    for (auto [w, name] : readerNames)
        w->setAccessibleName(name);

    Exit = place(new QPushButton("OK", page), "Exit", 5760, 2280, 1095, 495);
    CDebug = place(new QCheckBox("Debug", page), "CDebug", 11160, 0, 735, 232, "Only for debugging");
    const QRect used = page->childrenRect();
    page->setMinimumSize(used.right() + 1, used.bottom() + 1);
    area->setWidget(page);
}
