// Reactions of the options window: the colour editor, the display switches,
// autoscroll and the three number boxes with their "-" and "+" buttons.
#include "opt.h"

#include "colors.h"
#include "controls.h"
#include "list_box.h"
#include "qt_text.h"
#include "text_number.h"
#include "words.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {
int roundEven(double v) { return trv::roundHalfEven32(v); }
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
    // Each switch first stores its option; the display switches then redraw.
    const std::pair<QCheckBox*, bool OptionValues::*> switches[] = {{Confirm, &OptionValues::Confirm},
                                                                    {WSize, &OptionValues::WSize},
                                                                    {Grid, &OptionValues::Grid},
                                                                    {Boundaries, &OptionValues::Boundaries},
                                                                    {Raillevel, &OptionValues::Raillevel},
                                                                    {Train, &OptionValues::Train},
                                                                    {AutoScroll, &OptionValues::AutoScroll},
                                                                    {FNameT, &OptionValues::FNameT},
                                                                    {Subfolders, &OptionValues::Subfolders},
                                                                    {Apply, &OptionValues::Apply},
                                                                    {CDebug, &OptionValues::CDebug}};
    for (auto [box, field] : switches)
        connect(box, &QCheckBox::toggled, this, [this, field = field](bool on) { options_.*field = on; });
    for (QCheckBox* display : {Grid, Boundaries, Raillevel, Train})
        connect(display, &QCheckBox::toggled, this, [this] { ApplyColor(); });
    connect(AutoScroll, &QCheckBox::toggled, this, [this] { AutoScroll_Click(); });
    connect(ScrollSize, &QLineEdit::textChanged, this, [this] { ScrollSize_Change(); });
    connect(LandStyle, &QLineEdit::textChanged, this, [this] { LandStyle_Change(); });
    connect(XYdiff, &QLineEdit::textChanged, this, [this] { XYdiff_Change(); });
    const std::tuple<MouseButton*, QLineEdit*, int> steps[] = {
        {ScrollSizeD, ScrollSize, -1}, {ScrollSizeU, ScrollSize, +1}, {LandStyleD, LandStyle, -1},
        {LandStyleU, LandStyle, +1},   {XYdiffD, XYdiff, -1},         {XYdiffU, XYdiff, +1}};
    for (auto [button, box, sign] : steps)
        connect(button, &MouseButton::mouseUp, this, [this, box = box, sign = sign](int b) { stepBox(box, sign, b); });
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
    const uint32_t c = options_.ColorTable[size_t(ColorIndex)] & 0xFFFFFF;
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
        options_.ColorTable[size_t(ColorIndex)] = trv::packColor(red, green, blue);
    LabelR->setText(QString::number(Red->value()));
    LabelG->setText(QString::number(Green->value()));
    LabelB->setText(QString::number(Blue->value()));
    LabelBr->setText(QString::number(Bright->value()));
    QPalette pal = Picture1->palette();
    pal.setColor(QPalette::Window,
                 ColorIndex >= 1 ? trv::colorFromPacked(options_.ColorTable[size_t(ColorIndex)]) : Qt::black);
    Picture1->setPalette(pal);
    // Background, foreground and the markers follow the table at once.
    host_.colorsChanged();
    host_.sendCommand(ProcCommand::Redraw);
}

void Opt::Default_Click()
{
    BackStyle->setText("0");
    for (int i = 1; i <= trv::kColorCount; ++i)
        options_.ColorTable[size_t(i)] = trv::kDefaultColorTable[size_t(i)];
    Picture1->setFocus();
    BackStyle->setText("0");
    // Through another row, so that "Back" is selected anew even when it was already.
    ColorList->setListIndex(9);
    ColorList->setListIndex(0);
}

void Opt::AutoScroll_Click()
{
    host_.autoScrollChanged();
    host_.sendCommand(ProcCommand::Refit);
}

bool Opt::keepNumber(QLineEdit* box, double kept)
{
    const QString text = numberText(kept);
    if (box->text() == text)
        return true;
    box->setText(text); // runs the box's reaction again with the kept value
    return false;
}

void Opt::ScrollSize_Change()
{
    const double v = keptScrollSize(value(ScrollSize));
    if (!keepNumber(ScrollSize, v))
        return;
    options_.ScrollSize = v;
    host_.scrollStepChanged();
}

void Opt::LandStyle_Change()
{
    const double v = keptLandStyle(value(LandStyle));
    if (!keepNumber(LandStyle, v))
        return;
    options_.LandStyle = v;
    ApplyColor();
}

void Opt::XYdiff_Change()
{
    const double v = keptXYdiff(value(XYdiff));
    if (!keepNumber(XYdiff, v))
        return;
    options_.XYdiff = v;
    host_.sendCommand(ProcCommand::Refit);
}

void Opt::stepBox(QLineEdit* box, int sign, int button)
{
    Picture1->setFocus();
    box->setText(numberText(value(box) + sign * (button == 1 ? 1 : 10)));
}
