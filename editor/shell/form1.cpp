#include "form1.h"

#include "colors.h"
#include "compact_style.h"
#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "platform.h"
#include "recent_files.h"
#include "renderer.h"

#include <QApplication>
#include <QPointer>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStatusBar>

Form1::Form1(Platform& platform_, const AppPaths& paths, const QString& openFile)
    : paths_(paths), openFile_(openFile), renderCache_(std::make_unique<trv::RenderCache>()), platform(platform_)
{
    // First: a request to end may come while the start-up asks its first question.
    platform.onTermination([self = QPointer<Form1>(this)] {
        if (self)
            self->EndOnTermination();
    });
    setWindowTitle("Zarvines Trusswick Editor v0.8");
    setFont(windowFont());
    buildControls();
    buildMenus();
    bindToolState();
    opt = new Opt(this, options_, *this);
    autoScrollChanged();
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
    connectDesktop();
    useCompactStyle(this); // the options window too
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

void Form1::tell(const QString& text) { statusBar()->showMessage(text, 15000); }

void Form1::setPointer(trv::PointerShape s)
{
    tools_.pointer = s;
    switch (s) {
    case trv::PointerShape::Default: Pic->setCursor(Qt::ArrowCursor); break;
    case trv::PointerShape::Cross: Pic->setCursor(Qt::CrossCursor); break;
    case trv::PointerShape::UpArrow: Pic->setCursor(Qt::UpArrowCursor); break;
    }
}

void Form1::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    fitClient(); // with no document there is nothing to redraw, but the client still follows
    // Form_Resize: lay the view out again unless minimised.
    LayoutPending = true;
    if (!isMinimized())
        Redraw_Click();
}

void Form1::Form_Click() { Redraw_Click(); }

void Form1::Redraw_Click()
{
    if (tools_.pointTool == PointTool::Move)
        setPointer(trv::PointerShape::Default); // drops a picked-up point
    if (doc.NPoints != 0)
        SaveDocument(DocumentSource::JournalState);
}
