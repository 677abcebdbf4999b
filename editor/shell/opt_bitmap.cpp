// Reactions of the bitmap frame of the options window: the export preview with
// its window sizing, the margins and the gradient with their sliders, the single
// and the folder export, OK and the debug switch.
#include "opt.h"

#include "controls.h"
#include "words.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

void Opt::connectBitmap()
{
    connect(Apply, &QCheckBox::toggled, this, [this] { Apply_Click(); });
    connect(FrameApply, &ClickFrame::clicked, this, [this] { FrameApply_Click(); });
    connect(FNameT, &QCheckBox::toggled, this, [this] { ApplyColor(); });
    connect(BmpLeft, &QLineEdit::textChanged, this, [this] { BmpLeft_Change(); });
    connect(BmpRight, &QLineEdit::textChanged, this, [this] { BmpRight_Change(); });
    connect(BackStyle, &QLineEdit::textChanged, this, [this] { BackStyle_Change(); });
    // A slider moved writes its value into the box, which runs the box's reaction.
    const std::pair<QScrollBar*, QLineEdit*> sliders[] = {
        {BmpLeftScroll, BmpLeft}, {BmpRightScroll, BmpRight}, {BackStyleScroll, BackStyle}};
    for (auto [bar, box] : sliders)
        connect(bar, &QScrollBar::valueChanged, this,
                [bar = bar, box = box] { box->setText(QString::number(bar->value())); });
    connect(BmpHeight, &QLineEdit::textChanged, this, [this] { BmpHeight_Change(); });
    connect(SaveBmp, &QPushButton::clicked, this, [this] { host_.saveBitmapSelect(); });
    connect(MultiSave, &QPushButton::clicked, this, [this] { MultiSave_Click(); });
    connect(Exit, &QPushButton::clicked, this, [this] { Exit_Click(); });
    connect(CDebug, &QCheckBox::toggled, this, [this] { CDebug_Click(); });
}

void Opt::Apply_Click()
{
    host_.previewChanged();
    Picture1->setFocus();
    ApplyColor();
}

void Opt::FrameApply_Click() { Apply->setChecked(!Apply->isChecked()); }

void Opt::boxWithSlider(QLineEdit* box, QScrollBar* bar, double kept)
{
    // A typed value beyond the slider's range is limited to it, so that box,
    // slider and picture agree.
    if (!keepNumber(box, kept))
        return;
    bar->setValue(trv::roundHalfEven32(kept));
    ApplyColor();
}

void Opt::BmpLeft_Change()
{
    options_.BmpLeft = keptMargin(value(BmpLeft));
    boxWithSlider(BmpLeft, BmpLeftScroll, options_.BmpLeft);
}

void Opt::BmpRight_Change()
{
    options_.BmpRight = keptMargin(value(BmpRight));
    boxWithSlider(BmpRight, BmpRightScroll, options_.BmpRight);
}

void Opt::BackStyle_Change()
{
    options_.BackStyle = keptGradient(value(BackStyle));
    boxWithSlider(BackStyle, BackStyleScroll, options_.BackStyle);
}

void Opt::BmpHeight_Change()
{
    options_.BmpHeight = value(BmpHeight);
    host_.previewHeightChanged();
}

void Opt::MultiSave_Click()
{
    Apply->setChecked(true);
    host_.sendCommand(ProcCommand::BatchExport);
}

void Opt::Exit_Click()
{
    Apply->setChecked(false);
    hide();
}

void Opt::CDebug_Click() { host_.sendCommand(ProcCommand::JournalDump); }
