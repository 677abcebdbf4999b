// Showing and hiding the options window from the main window.
#include "form1.h"

#include "opt.h"
#include "pic_box.h"

#include <QAction>
#include <QPushButton>

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
    opt->move(x(), top);
    opt->show();
}
