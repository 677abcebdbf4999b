#include "form1.h"

#include "colors.h"
#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "platform.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <QRadioButton>
#include <QResizeEvent>

Form1::Form1(Platform& platform_, const QString& appDir) : AppDir(appDir), platform(platform_)
{
    setWindowTitle("Zarvines Trusswick Editor v0.8");
    // The designed places are tight: captions need a small font to fit them.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    for (int i = 1; i <= 12; ++i)
        ColorTable[size_t(i)] = trv::kDefaultColorTable[size_t(i)];
    buildControls();
    buildMenus();
    opt = new Opt(this);
    connectDocument();
    connectJournal();
    connectView();
    connectFiles();
    connectModes();
    connectPointer();
    connectTools();
    connectGeneral();
    connectOptions();
    connectTestRun();
    connectKeys();
    Form_Load();
}

Form1::~Form1()
{
    // The controls outlive this part of the window while it is torn down: no
    // focus change, key or signal of theirs may reach the handlers any more.
    qApp->removeEventFilter(this);
    if (QWidget* f = QApplication::focusWidget(); f && isAncestorOf(f))
        f->clearFocus();
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
}

int twipsToPixels(double twips)
{
    return int(std::clamp(twips / trv::kTwipsPerPixel, -1e6, 1e6));
}

void placeOnScreen(QWidget* window, QRect wanted)
{
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->move(wanted.topLeft());
        window->resize(wanted.size());
        return;
    }
    const QRect area = screen->availableGeometry();
    // `wanted` is the frame's position and the client's size, as move() and
    // resize() take them. Once shown, the frame's own size is known and counted.
    const QRect frame = window->frameGeometry(), client = window->geometry();
    const QSize extra(frame.width() - client.width(), frame.height() - client.height());
    const QSize size = wanted.size().boundedTo(area.size() - extra).expandedTo(QSize(1, 1));
    const QSize outer = size + extra;
    const int x = std::clamp(wanted.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(wanted.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    window->resize(size);
    window->move(x, y);
}

void Form1::select(QRadioButton* b)
{
    if (b->isChecked())
        emit b->toggled(true); // selecting again still runs the reaction
    else
        b->setChecked(true);
}

bool Form1::msgBox(const QString& text, bool okCancel, bool warning)
{
    return platform.message(this, text, okCancel ? Platform::Buttons::OkCancel : Platform::Buttons::Ok, warning);
}

void Form1::setPointer(trv::PointerShape s)
{
    pointer = s;
    switch (s) {
    case trv::PointerShape::Default: Pic->setCursor(Qt::ArrowCursor); break;
    case trv::PointerShape::Cross: Pic->setCursor(Qt::CrossCursor); break;
    case trv::PointerShape::UpArrow: Pic->setCursor(Qt::UpArrowCursor); break;
    }
}

void Form1::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    // Form_Resize: lay the view out again unless minimised.
    LayoutPending = true;
    if (!isMinimized())
        Redraw_Click();
}

void Form1::Form_Click()
{
    Redraw_Click();
}

void Form1::Redraw_Click()
{
    if (PMove->isChecked())
        setPointer(trv::PointerShape::Default); // drops a picked-up point
    if (doc.NPoints != 0)
        SaveDocument();
}
