// Undo, redo, the undo list and the journal dump.
#include "form1.h"

#include "controls.h"
#include "file_io.h"
#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "scroll_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

void Form1::connectJournal()
{
    connect(MUndo, &QAction::triggered, this, [this] { MUndo_Click(); });
    connect(MRedo, &QAction::triggered, this, [this] { MRedo_Click(); });
    connect(Undo, &QPushButton::clicked, this, [this] { Undo_Click(); });
    connect(Redo, &QPushButton::clicked, this, [this] { Undo_Click(); });
    connect(UdoList, &ListBox::mouseUp, this, [this](int row) { UdoList_MouseUp(row); });
    connect(UdoList, &ListBox::focusLost, this, [this] { UdoList_LostFocus(); });
}

void Form1::MUndo_Click()
{
    journal.undo();
    LoadDocument(DocumentSource::JournalState);
}

void Form1::MRedo_Click()
{
    if (!journal.redo())
        return;
    LoadDocument(DocumentSource::JournalState);
}

void Form1::Undo_Click()
{
    if (journal.UndoName[0] == "L") {
        Pic->setFocus();
        return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Undo, Redo, Options, FrameKoordinaten, Zoom, LabelSchwarz})
        w->hide();
    const trv::UndoListItems list = trv::undoListItems(journal);
    UdoList->setRows(list.items);
    UdoList->show();
    UdoList->raise();
    UdoList->setListIndex(0);
    UdoList->setListIndex(list.revealIndex);
    UdoList->scrollTo(UdoList->model()->index(list.revealIndex, 0));
    UdoList->setListIndex(list.cancelIndex);
    UdoList->setFocus();
}

void Form1::closeUndoList()
{
    if (UdoList->isHidden())
        return;
    UdoList->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Undo, Redo, Options, FrameKoordinaten, Zoom, LabelSchwarz})
        w->show();
}

void Form1::UdoList_MouseUp(int row)
{
    if (row < 0)
        return;
    journal.goTo(row);
    closeUndoList();
    LoadDocument(DocumentSource::JournalState);
}

void Form1::UdoList_LostFocus() { closeUndoList(); }

void Form1::ShowJournalDump()
{
    Pic->setFocus();
    if (!options_.CDebug) {
        LDebug->hide();
        FixLooksSoft->hide();
        RenderView();
        return;
    }
    const auto bytes =
        trv::readFileBytes(journal.stateFile(journal.UndoPos), nullptr, SIZE_MAX, trv::Origin::ProgramNamed);
    LDebug->setRows(bytes ? trv::journalDumpItems(*bytes) : std::vector<std::string>{});
    LDebug->show();
    FixLooksSoft->show();
    const int n = LDebug->count();
    LDebug->setListIndex(n - 2);
    LDebug->setListIndex(std::min(1031, n - 1));
}
