// Reactions of the bitmap frame of the options window: the export preview with
// its window sizing, the margins and the gradient with their sliders, the single
// and the folder export, OK and the debug switch.
#include "opt.h"

#include "controls.h"
#include "form1.h"
#include "pic_box.h"
#include "scroll_bar.h"
#include "text_number.h"
#include "words.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {
// The preview asks for a window 50000 window units wide; the window system
// limits it to the widest window it allows, here the screen's width.
constexpr int kPreviewWindowWidth = 50000 / 15;
} // namespace

void Opt::connectBitmap()
{
    connect(Apply, &QCheckBox::toggled, this, [this] { Apply_Click(); });
    connect(FrameApply, &ClickFrame::clicked, this, [this] { FrameApply_Click(); });
    connect(FNameT, &QCheckBox::toggled, this, [this] { FNameT_Click(); });
    connect(BmpLeft, &QLineEdit::textChanged, this, [this] { BmpLeft_Change(); });
    connect(BmpRight, &QLineEdit::textChanged, this, [this] { BmpRight_Change(); });
    connect(BackStyle, &QLineEdit::textChanged, this, [this] { BackStyle_Change(); });
    connect(BmpLeftScroll, &QScrollBar::valueChanged, this, [this] { BmpLeftScroll_Change(); });
    connect(BmpRightScroll, &QScrollBar::valueChanged, this, [this] { BmpRightScroll_Change(); });
    connect(BackStyleScroll, &QScrollBar::valueChanged, this, [this] { BackStyleScroll_Change(); });
    connect(BmpHeight, &QLineEdit::textChanged, this, [this] { BmpHeight_Change(); });
    connect(SaveBmp, &QPushButton::clicked, this, [this] { SaveBmp_Click(); });
    connect(MultiSave, &QPushButton::clicked, this, [this] { MultiSave_Click(); });
    connect(Exit, &QPushButton::clicked, this, [this] { Exit_Click(); });
    connect(CDebug, &QCheckBox::toggled, this, [this] { CDebug_Click(); });
}

void Opt::Apply_Click()
{
    Form1& m = *main;
    if (Apply->isChecked()) {
        m.BYScroll2->hide();
        m.Center2->hide();
        m.LayoutPending = true;
        previewWidth = m.width();
        previewHeight = m.height();
        previewState = m.windowState();
        m.setWindowState(Qt::WindowNoState);
        m.YOff->setValue(0);
        int width = kPreviewWindowWidth;
        if (const QScreen* s = m.screen())
            width = std::min(width, s->availableGeometry().width());
        m.resize(width, m.height());
        BmpHeight_Change();
    } else {
        m.BYScroll2->show();
        m.Center2->show();
        if (previewHeight > 0 && previewWidth > 0) {
            m.resize(m.width(), previewHeight);
            m.resize(previewWidth, previewHeight);
        }
        m.setWindowState(previewState);
    }
    Picture1->setFocus();
    ApplyColor();
}

void Opt::FrameApply_Click()
{
    Apply->setChecked(!Apply->isChecked());
}

void Opt::FNameT_Click() { ApplyColor(); }

void Opt::boxWithSlider(QLineEdit* box, QScrollBar* bar)
{
    // A typed value beyond the slider's range is limited to it, so that box,
    // slider and picture agree.
    const double v = std::clamp(value(box), double(bar->minimum()), double(bar->maximum()));
    const QString text = QString::fromStdString(trv::formatNumber(v));
    if (box->text() != text) {
        box->setText(text); // runs this reaction again with the kept value
        return;
    }
    bar->setValue(trv::roundHalfEven32(v));
    ApplyColor();
}

void Opt::BmpLeft_Change() { boxWithSlider(BmpLeft, BmpLeftScroll); }
void Opt::BmpRight_Change() { boxWithSlider(BmpRight, BmpRightScroll); }
void Opt::BackStyle_Change() { boxWithSlider(BackStyle, BackStyleScroll); }
void Opt::BmpLeftScroll_Change() { BmpLeft->setText(QString::number(BmpLeftScroll->value())); }
void Opt::BmpRightScroll_Change() { BmpRight->setText(QString::number(BmpRightScroll->value())); }
void Opt::BackStyleScroll_Change() { BackStyle->setText(QString::number(BackStyleScroll->value())); }

void Opt::BmpHeight_Change()
{
    Form1& m = *main;
    if (!Apply->isChecked() || m.isMinimized() || m.isMaximized() || m.isFullScreen())
        return;
    // The picture becomes that many pixels high; a height the window system
    // cannot give, or an image too large to hold, is limited.
    const int picture = std::clamp(trv::roundHalfEven32(value(BmpHeight)), 1, kMaxPreviewHeight);
    m.resize(m.width(), m.height() - m.Pic->height() + picture);
}

void Opt::SaveBmp_Click() { main->BmpSaveSelect(); }

void Opt::MultiSave_Click()
{
    Apply->setChecked(true);
    main->Proc->setText("9");
}

void Opt::Exit_Click()
{
    Apply->setChecked(false);
    hide();
}

void Opt::CDebug_Click() { main->Proc->setText("8"); }
