// The options window seen from the main window: showing and hiding it, and
// what it asks for (OptionsHost): redraws and the other command-box requests,
// colours, the scroll step, autoscroll, and the export preview's window shape.
#include "form1.h"
#include "window_units.h"

#include "colors.h"
#include "controls.h"
#include "main_layout.h"
#include "pic_box.h"
#include "scroll_bar.h"
#include "words.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

void Form1::connectOptions()
{
    connect(Options, &QPushButton::clicked, this, [this] { Options_Click(); });
    connect(MOptions, &QAction::triggered, this, [this] { Options_Click(); });
    connect(MBmp, &QAction::triggered, this, [this] { Options_Click(); });
}

void Form1::Options_Click()
{
    Pic->setFocus(); // keeps the keyboard commands available
    if (opt->isVisible()) {
        opt->hide();
        return;
    }
    // Under the main window's left edge; a stored top from the settings file
    // wins over the default of a fifth down the main window.
    const int top = WindowPlacement[6] == 0 ? y() + frameGeometry().height() / 5 : opt->y();
    placeOnScreen(opt, QRect(QPoint(x(), top), opt->size())); // all of it, on a small screen too
    opt->show();
}

void Form1::sendCommand(ProcCommand c) { Proc->setText(QString::number(int(c))); }

void Form1::colorsChanged() { applyPicColors(); }

void Form1::scrollStepChanged()
{
    const int page = trv::roundHalfEven32(options_.ScrollSize / 4);
    XOff->setPageStep(page);
    YOff->setPageStep(page);
}

void Form1::autoScrollChanged()
{
    for (QWidget* w : std::initializer_list<QWidget*>{XOff, YOff, Center})
        w->setVisible(!options_.AutoScroll);
    const QString caption = options_.AutoScroll ? "Scroll Up" : "Autoscroll";
    BYScroll->setText(caption);
    BYScroll2->setText(caption);
}

void Form1::previewChanged()
{
    if (options_.Apply) {
        BYScroll2->hide();
        Center2->hide();
        LayoutPending = true;
        previewWidth_ = width();
        previewHeight_ = height();
        previewState_ = windowState();
        setWindowState(Qt::WindowNoState);
        YOff->setValue(0);
        int wide = design::kPreviewWindowWidth; // limited to the screen, as a window system would
        if (const QScreen* s = screen())
            wide = std::min(wide, s->availableGeometry().width());
        resize(wide, height());
        previewHeightChanged();
    } else {
        BYScroll2->show();
        Center2->show();
        if (previewHeight_ > 0 && previewWidth_ > 0) {
            resize(width(), previewHeight_);
            resize(previewWidth_, previewHeight_);
        }
        setWindowState(previewState_);
    }
}

void Form1::previewHeightChanged()
{
    if (!options_.Apply || isMinimized() || isMaximized() || isFullScreen())
        return;
    resize(width(), height() - Pic->height() + design::previewHeight(options_.BmpHeight));
}

void Form1::saveBitmapSelect() { BmpSaveSelect(); }
