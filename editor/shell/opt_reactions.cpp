// Reactions of the options window: the colour editor, the display switches,
// autoscroll and the three number boxes with their "-" and "+" buttons.
#include "opt.h"

#include "colors.h"
#include "controls.h"
#include "form1.h"
#include "list_box.h"
#include "pic_box.h"
#include "scroll_bar.h"
#include "text_number.h"
#include "words.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {
QString numberText(double v) { return QString::fromStdString(trv::formatNumber(v)); }
int roundEven(double v) { return trv::roundHalfEven32(v); }
// A quarter of the scroll step is the page step of the position bars, a signed
// 16-bit value: 131068 / 4 is the largest that fits.
constexpr double kMaxScrollSize = 131068;
constexpr double kMaxLandStyle = 150;
} // namespace

void Opt::connectReactions()
{
    connect(ColorList, &ListBox::clicked, this, [this] { ColorList_Click(); });
    connect(Red, &QSlider::valueChanged, this, [this] { Red_Change(); });
    connect(Green, &QSlider::valueChanged, this, [this] { Green_Change(); });
    connect(Blue, &QSlider::valueChanged, this, [this] { Blue_Change(); });
    connect(Bright, &QSlider::valueChanged, this, [this] { Bright_Change(); });
    connect(Default, &QPushButton::clicked, this, [this] { Default_Click(); });
    // toggled: a change made by code (the settings reader) runs the reaction too.
    connect(Grid, &QCheckBox::toggled, this, [this] { Grid_Click(); });
    connect(Boundaries, &QCheckBox::toggled, this, [this] { Boundaries_Click(); });
    connect(Raillevel, &QCheckBox::toggled, this, [this] { Raillevel_Click(); });
    connect(Train, &QCheckBox::toggled, this, [this] { Train_Click(); });
    connect(AutoScroll, &QCheckBox::toggled, this, [this] { AutoScroll_Click(); });
    connect(ScrollSize, &QLineEdit::textChanged, this, [this] { ScrollSize_Change(); });
    connect(LandStyle, &QLineEdit::textChanged, this, [this] { LandStyle_Change(); });
    connect(XYdiff, &QLineEdit::textChanged, this, [this] { XYdiff_Change(); });
    connect(ScrollSizeD, &MouseButton::mouseUp, this, [this](int b) { ScrollSizeD_MouseUp(b); });
    connect(ScrollSizeU, &MouseButton::mouseUp, this, [this](int b) { ScrollSizeU_MouseUp(b); });
    connect(LandStyleD, &MouseButton::mouseUp, this, [this](int b) { LandStyleD_MouseUp(b); });
    connect(LandStyleU, &MouseButton::mouseUp, this, [this](int b) { LandStyleU_MouseUp(b); });
    connect(XYdiffD, &MouseButton::mouseUp, this, [this](int b) { XYdiffD_MouseUp(b); });
    connect(XYdiffU, &MouseButton::mouseUp, this, [this](int b) { XYdiffU_MouseUp(b); });
}

void Opt::setSliders(int red, int green, int blue, int bright)
{
    SlidersLive = false; // the sliders' own reactions stay quiet meanwhile
    Red->setValue(red);
    Green->setValue(green);
    Blue->setValue(blue);
    Bright->setValue(bright);
    SlidersLive = true;
}

void Opt::ColorList_Click()
{
    const int row = ColorList->listIndex();
    if (row < 0 || row >= trv::kColorCount)
        return;
    ColorIndex = row + 1;
    const uint32_t c = main->ColorTable[size_t(ColorIndex)] & 0xFFFFFF;
    ColorParts[5] = int(c);
    const int blue = int(c / 65536), green = int((c - uint32_t(blue) * 65536) / 256);
    const int red = int(c) - green * 256 - blue * 65536;
    ColorParts[1] = blue;
    ColorParts[2] = green;
    ColorParts[3] = red;
    ColorParts[4] = roundEven((red + green + blue) / 3.0);
    setSliders(red, green, blue, ColorParts[4]);
    ApplyColor();
}

// A channel slider moved by the user (not while the sliders are set by code).
void Opt::channelChanged(size_t part, const QSlider* slider)
{
    if (!SlidersLive)
        return;
    ColorParts[part] = slider->value();
    ApplyColor();
}

void Opt::Red_Change() { channelChanged(3, Red); }
void Opt::Green_Change() { channelChanged(2, Green); }
void Opt::Blue_Change() { channelChanged(1, Blue); }

void Opt::Bright_Change()
{
    if (!SlidersLive)
        return;
    const int d = Bright->value() - ColorParts[4];
    for (int k = 1; k <= 3; ++k)
        ColorParts[size_t(k)] = std::clamp(ColorParts[size_t(k)] + d, 0, 255);
    SlidersLive = false;
    Red->setValue(ColorParts[3]);
    Green->setValue(ColorParts[2]);
    Blue->setValue(ColorParts[1]);
    ColorParts[4] = Bright->value();
    SlidersLive = true;
    ApplyColor();
}

void Opt::ApplyColor()
{
    int& blue = ColorParts[1];
    int& green = ColorParts[2];
    int& red = ColorParts[3];
    int& brightness = ColorParts[4];
    if (Hold->isChecked()) {
        // Keep the average at the brightness: the moved channel keeps two thirds
        // of its change, the other two give up a third each.
        const double d = (red + green + blue) / 3.0 - brightness;
        for (int* c : {&blue, &green, &red})
            *c = std::clamp(roundEven(*c - d), 0, 255);
    }
    brightness = roundEven((red + green + blue) / 3.0);
    setSliders(red, green, blue, brightness);
    // Before the first selection there is no entry to store (ColorIndex 0).
    if (ColorIndex >= 1 && ColorIndex <= trv::kColorCount)
        main->ColorTable[size_t(ColorIndex)] = trv::packColor(red, green, blue);
    LabelR->setText(QString::number(Red->value()));
    LabelG->setText(QString::number(Green->value()));
    LabelB->setText(QString::number(Blue->value()));
    LabelBr->setText(QString::number(Bright->value()));
    QPalette pal = Picture1->palette();
    pal.setColor(QPalette::Window, ColorIndex >= 1 ? trv::colorFromPacked(main->ColorTable[size_t(ColorIndex)]) : Qt::black);
    Picture1->setPalette(pal);
    // Background, foreground and the markers follow the table at once.
    main->applyPicColors();
    main->Proc->setText("1");
}

void Opt::Default_Click()
{
    BackStyle->setText("0");
    for (int i = 1; i <= trv::kColorCount; ++i)
        main->ColorTable[size_t(i)] = trv::kDefaultColorTable[size_t(i)];
    Picture1->setFocus();
    BackStyle->setText("0");
    // Through another row, so that "Back" is selected anew even when it was already.
    ColorList->setListIndex(9);
    ColorList->setListIndex(0);
}

void Opt::Grid_Click() { ApplyColor(); }
void Opt::Boundaries_Click() { ApplyColor(); }
void Opt::Raillevel_Click() { ApplyColor(); }
void Opt::Train_Click() { ApplyColor(); }

void Opt::showScrollControls()
{
    const bool autoScroll = AutoScroll->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{main->XOff, main->YOff, main->Center})
        w->setVisible(!autoScroll);
    const QString caption = autoScroll ? "Scroll Up" : "Autoscroll";
    main->BYScroll->setText(caption);
    main->BYScroll2->setText(caption);
}

void Opt::AutoScroll_Click()
{
    showScrollControls();
    main->Proc->setText("2");
}

void Opt::ScrollSize_Change()
{
    // Rounded down before the sign goes: -50.7 gives 51.
    double v = std::abs(std::floor(value(ScrollSize)));
    v = std::clamp(v, 4.0, kMaxScrollSize);
    const QString text = numberText(v);
    if (ScrollSize->text() != text) {
        ScrollSize->setText(text); // runs this reaction again with the kept value
        return;
    }
    const int page = roundEven(v / 4);
    main->XOff->setPageStep(page);
    main->YOff->setPageStep(page);
}

void Opt::LandStyle_Change()
{
    const double v = std::clamp(value(LandStyle), 0.0, kMaxLandStyle);
    const QString text = numberText(v);
    if (LandStyle->text() != text) {
        LandStyle->setText(text);
        return;
    }
    ApplyColor();
}

void Opt::XYdiff_Change()
{
    const double v = std::max(value(XYdiff), 1.0);
    const QString text = numberText(v);
    if (XYdiff->text() != text) {
        XYdiff->setText(text);
        return;
    }
    main->Proc->setText("2");
}

void Opt::stepBox(QLineEdit* box, int sign, int button)
{
    Picture1->setFocus();
    box->setText(numberText(value(box) + sign * (button == 1 ? 1 : 10)));
}

void Opt::ScrollSizeD_MouseUp(int button) { stepBox(ScrollSize, -1, button); }
void Opt::ScrollSizeU_MouseUp(int button) { stepBox(ScrollSize, +1, button); }
void Opt::LandStyleD_MouseUp(int button) { stepBox(LandStyle, -1, button); }
void Opt::LandStyleU_MouseUp(int button) { stepBox(LandStyle, +1, button); }
void Opt::XYdiffD_MouseUp(int button) { stepBox(XYdiff, -1, button); }
void Opt::XYdiffU_MouseUp(int button) { stepBox(XYdiff, +1, button); }
