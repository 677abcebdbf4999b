// File commands: New, Open, Save, Save As, the current-file box and the
// command box through which the options window asks for work.
#include "form1.h"

#include "file_io.h"
#include "module1.h"
#include "opt.h"
#include "scroll_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kTitle = QStringLiteral("Zarvines Trusswick Editor v0.8   -   ");
} // namespace

void Form1::connectFiles()
{
    connect(File, &QLineEdit::textChanged, this, [this] { File_Change(); });
    connect(Proc, &QLineEdit::textChanged, this, [this] { Proc_Change(); });
    connect(BuLoad, &QPushButton::clicked, this, [this] { BuLoad_Click(); });
    connect(BuSave, &QPushButton::clicked, this, [this] { BuSave_Click(); });
    connect(BuSaveAs, &QPushButton::clicked, this, [this] { BuSaveAs_Click(); });
    connect(MNew, &QAction::triggered, this, [this] { MNew_Click(); });
    connect(MLoad, &QAction::triggered, this, [this] { BuLoad_Click(); });
    connect(MSave, &QAction::triggered, this, [this] { BuSave_Click(); });
    connect(MSaveAs, &QAction::triggered, this, [this] { BuSaveAs_Click(); });
    connect(Exit, &QPushButton::clicked, this, [this] { Exit_Click(); });
    connect(MExit, &QAction::triggered, this, [this] { Exit_Click(); });
    connect(MViewHelp, &QAction::triggered, this, [this] { MViewHelp_Click(); });
    connect(MTutorial, &QAction::triggered, this, [this] { MTutorial_Click(); });
    connect(MAbout, &QAction::triggered, this, [this] { MAbout_Click(); });
    // The title follows the box from the start too, not only from its first change.
    if (!File->text().isEmpty())
        setWindowTitle(kTitle + File->text());
}

void Form1::File_Change()
{
    QString text = File->text();
    const QString tail = text.right(3).toLower();
    if (tail == "lvl" || tail == "brg") {
        const QString fixed = text.left(text.size() - 3) + tail;
        if (tail == "lvl")
            SavLvl->setChecked(true);
        else
            SavBrg->setChecked(true);
        if (fixed != text) {
            File->setText(fixed); // runs this handling again with the lower-case extension
            return;
        }
    }
    setWindowTitle(kTitle + text);
    ApplySaveType();
}

void Form1::Proc_Change()
{
    switch (ProcCommand(int(Opt::value(Proc)))) {
    case ProcCommand::Redraw: RenderView(); break;
    case ProcCommand::Refit:
        LayoutPending = true;
        RenderView();
        break;
    case ProcCommand::JournalDump: ShowJournalDump(); break;
    case ProcCommand::BatchExport:
        // Back to "0" first: the export lets events run for a long time, and a
        // second request meanwhile must reach BatchExport to be refused.
        Proc->setText("0");
        BatchExport();
        return;
    default: return;
    }
    Proc->setText("0");
}

PathSplit Form1::dialogPlace() const
{
    PathSplit at = splitPath(File->text());
    if (!paths_.portable && !documentLoaded_)
        at.folder = paths_.homeDir + "/";
    return at;
}

void Form1::OpenDocument()
{
    SavSoft->setChecked(true);
    if (SavBrg->isChecked())
        SavLines->setChecked(true);
    journal.clearNames();
    setViewBars(0, 0, options_.Apply ? Zoom->value() : trv::kOpeningZoom, false);
    loadNamedFile();
}

void Form1::loadNamedFile()
{
    const int before = loads_;
    LoadDocument(DocumentSource::NamedFile);
    // Not loaded: the view still shows the old document, at the reset bars.
    if (loads_ == before)
        RenderView();
}

void Form1::MNew_Click()
{
    const QString path = paths_.dataFile("new.brg");
    if (!trv::fileExists(path.toStdString())) {
        File->setText(path);
        msgBox("new.brg not found", false, true);
        return;
    }
    if (!checkReadable(path))
        return;
    File->setText(path);
    SavBrg->setChecked(true);
    journal.clearNames();
    opt->setPreview(false);
    setViewBars(0, 0, trv::kOpeningZoom, false);
    loadNamedFile();
}

void Form1::BuLoad_Click()
{
    // Agreeing to discard only counts once another document is really loaded: a
    // cancelled dialog or a refused file keeps the document marked as changed.
    if (options_.Confirm && journal.changed()) {
        if (!msgBox("You have made changes blah blah...\nDiscard changes and load?", true, true))
            return;
    }
    QString filter = !SavLvl->isChecked() ? "Bridges (*.brg)|*.brg|Levels (*.lvl)|*.lvl"
                                          : "Levels (*.lvl)|*.lvl|Bridge (*.brg)|*.brg";
    filter += "|Alle Dateien (*.*)|*.*";
    const PathSplit at = dialogPlace();
    ChosenFile = ShowOpenDialog(platform, this, filter, at.name, at.folder);
    if (hasThreeLetterExtension(ChosenFile))
        openChosen(ChosenFile);
}

void Form1::BuSave_Click() { SaveDocument(DocumentSource::NamedFile); }

void Form1::BuSaveAs_Click()
{
    QString filter = !SavLvl->isChecked() ? "Bridges (*.brg)|*.brg" : "Levels (*.lvl)|*.lvl";
    filter += "|For bitmap use *.bmp|*.*|Alle Dateien (*.*)|*.*";
    const PathSplit at = dialogPlace();
    ChosenFile = ShowSaveDialog(platform, this, filter, at.name, at.folder, options_.Confirm);
    if (ChosenFile.isEmpty())
        return;
    if (ChosenFile.size() >= 5 && endsWithNoCase(ChosenFile, ".bmp")) {
        BmpSave();
        return;
    }
    if (!hasThreeLetterExtension(ChosenFile))
        ChosenFile += SavBrg->isChecked() ? ".brg" : ".lvl";
    File->setText(ChosenFile);
    SaveDocument(DocumentSource::NamedFile);
}
