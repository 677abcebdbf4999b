// Loading and saving the document, the save-type controls and the commands
// that drop lines or soft points.
#include "form1.h"

#include "controls.h"
#include "file_io.h"
#include "list_box.h"
#include "opt.h"
#include "pic_box.h"
#include "point_tools.h"
#include "text_number.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

namespace {
std::string local(const QString& s) { return QDir::toNativeSeparators(s).toStdString(); }
} // namespace

void Form1::connectDocument()
{
    connect(SavLines, &QCheckBox::clicked, this, [this] { SavLines_MouseUp(); });
    connect(SavSoft, &QCheckBox::clicked, this, [this] { SavSoft_MouseUp(); });
    connect(SavBrg, &QRadioButton::clicked, this, [this] { ApplySaveType(); });
    connect(SavLvl, &QRadioButton::clicked, this, [this] { ApplySaveType(); });
    connect(MDelAllLines, &QAction::triggered, this, [this] { MDelAllLines_Click(); });
    connect(MDelSoft, &QAction::triggered, this, [this] { MDelSoft_Click(); });
}

QString Form1::refusalOf(const QString& path)
{
    std::string message;
    if (trv::checkDocumentFile(trv::resolveLetterCase(local(path)), message) != trv::ReadStatus::Refused)
        return {};
    return QString::fromStdString(message);
}

bool Form1::checkReadable(const QString& path)
{
    const QString why = refusalOf(path);
    if (why.isEmpty())
        return true;
    msgBox(why, false, true);
    return false;
}

void Form1::LoadDocument(DocumentSource UseFile)
{
    const bool named = UseFile == DocumentSource::NamedFile;
    // A state this editor has just written or read is not read again.
    const std::vector<uint8_t>* known = named ? nullptr : journal.knownState();
    std::string name;
    if (named)
        name = trv::resolveLetterCase(local(File->text()));
    else if (!known)
        name = journal.stateFile(journal.UndoPos);

    if (!known && (name.empty() || !trv::fileExists(name))) {
        if (named)
            journal.restart();
        if (paths_.portable)
            QDir::setCurrent(paths_.dataDir);
        return;
    }
    std::string message;
    std::vector<uint8_t> bytes;
    if (known) {
        trv::parseDocument(*known, false, doc); // written by this editor: a valid bridge
    } else if (trv::readDocumentFile(name, doc, message, &bytes,
                                     named ? trv::Origin::UserNamed : trv::Origin::ProgramNamed) !=
               trv::ReadStatus::Ok) {
        // The reader refused the file: the document and the journal stay as they were.
        reportProblem(QString::fromStdString(message));
        return;
    }
    documentLoaded_ = true;
    ++loads_;
    noteLoaded(named, known != nullptr, std::move(bytes));
    showDocument();
    if (named)
        SaveDocument(DocumentSource::JournalState);
    else
        RenderView();
}

void Form1::noteLoaded(bool named, bool known, std::vector<uint8_t> bytes)
{
    if (named) {
        journal.restart();
        rememberRecent(File->text());
    } else if (known)
        journal.stateShown(File->text().toStdString());
    else
        journal.stateRead(std::move(bytes), File->text().toStdString());
}

void Form1::showDocument()
{
    trv::deriveTables(doc, tables);
    LLines->setText(QString::fromStdString(tables.LLines));

    // The loader's own text updates name no journal step.
    loading_ = true;
    Water->setText(QString::fromStdString(tables.WaterText));
    Rail->setText(QString::fromStdString(tables.RailText));
    Money->setText(QString::fromStdString(tables.MoneyText));
    LabelCost->setText(QString::fromStdString(tables.CostText));
    LabelBudgetLeft->setText(QString::fromStdString(tables.BudgetLeftText));
    LeftE->setText(QString::fromStdString(tables.LeftText));
    RightE->setText(QString::fromStdString(tables.RightText));
    loading_ = false;

    // The lists take the row texts over; the tables get the old rows back as buffers.
    Land->swapRows(tables.LandItem);
    LPoint->swapRows(tables.PointItem);
    LabelLPoint->setText(QString::fromStdString(tables.LabelLPoint));
    if (SelPoint != 0 && SelPoint < LPoint->count())
        LPoint->setListIndex(SelPoint);
    PntAcc.assign(size_t(doc.NPoints) + 1, {0, 0, 0});
    LLine->swapRows(tables.LineItem);
    LayoutPending = true;
}

void Form1::SaveDocument(DocumentSource UseFile)
{
    if (UseFile == DocumentSource::JournalState) {
        recordState();
        return;
    }
    if (options_.Confirm && doc.NPoints != 0 && !confirmDiscarding())
        return; // nothing written, the document stays
    // A document without points is never written to a named file.
    if (doc.NPoints == 0) {
        LoadDocument(DocumentSource::NamedFile);
        return;
    }
    trv::Document out = doc;
    trv::DropForSave(out, tables.FirstSoft, SavSoft->isChecked(), SavLines->isChecked());
    const auto bytes = trv::serializeDocument(out, !SavLvl->isChecked());
    const QString path = QString::fromStdString(trv::resolveLetterCase(local(File->text())));
    std::string error;
    if (!trv::writeFileSafely(path.toStdString(), bytes, &error)) {
        msgBox("Cannot save " + path + ":\n" + QString::fromStdString(error), false, true);
        return;
    }
    doc = std::move(out);
    tell("Saved " + path);
    LoadDocument(DocumentSource::NamedFile);
}

bool Form1::confirmDiscarding()
{
    const bool dropsLines = doc.NLines != 0 && !SavLines->isChecked();
    const bool dropsSoft = tables.FirstSoft != 0 && !SavSoft->isChecked();
    if (!dropsLines && !dropsSoft)
        return true;
    QString text = "Discarding lines ";
    if (!SavSoft->isChecked())
        text += "and soft points ";
    text += "\nOK to proceed";
    return msgBox(text, true, true);
}

void Form1::recordState()
{
    // A journal step. A loaded document without points is written too, so that
    // undo never reads a state left over from an earlier document; before the
    // first load there is nothing to write.
    if (!documentLoaded_)
        return;
    trv::DropForSave(doc, tables.FirstSoft, true, SavLines->isChecked());
    std::string error;
    switch (journal.record(trv::serializeDocument(doc, true), error)) {
    case trv::Journal::Recorded::Written: break;
    case trv::Journal::Recorded::Full:
        msgBox("The undo journal is full (" + QString::number(trv::kMaxJournalState) +
                   " steps). Save the document to start a new journal.",
               false, true);
        break; // back to the last state that was written
    case trv::Journal::Recorded::Failed:
        msgBox(QString::fromStdString("Cannot write the undo file " + error), false, true);
        break; // the document returns to the last state written
    }
    LoadDocument(DocumentSource::JournalState);
}

void Form1::ApplySaveType()
{
    QString text = File->text();
    if (text.isEmpty())
        return;
    if (!SavLvl->isChecked()) {
        File->setText(text.left(std::max<qsizetype>(0, text.size() - 3)) + "brg");
        SavBrg->setChecked(true);
        SavSoft->setChecked(true);
        SavLines->setEnabled(true);
        SavLines->setChecked(true);
        ELine->setEnabled(true);
        MLineEdit->setEnabled(true);
    } else {
        File->setText(text.left(std::max<qsizetype>(0, text.size() - 3)) + "lvl");
        SavLvl->setChecked(true);
        SavSoft->setChecked(true);
        SavLines->setChecked(false);
        SavLines->setEnabled(false);
        ELine->setEnabled(false);
        MLineEdit->setEnabled(false);
        if (doc.NLines != 0)
            SavLines_MouseUp();
        select(EPoint);
    }
}

void Form1::nameStep(const std::string& name) { journal.nameStep(name); }

void Form1::nameTypedStep(const std::string& name)
{
    if (documentLoaded_)
        journal.nameTypedStep(name);
}

void Form1::recordStep(const std::string& name)
{
    nameStep(name);
    SaveDocument(DocumentSource::JournalState);
}

void Form1::MDelAllLines_Click()
{
    doc.NLines = 0;
    recordStep("Line: Delete All Lines");
    SavLines->setChecked(true);
}

void Form1::SavLines_MouseUp()
{
    if (SavLines->isChecked())
        return;
    recordStep("Line: Delete All Lines");
    SavLines->setChecked(false);
}

void Form1::MDelSoft_Click()
{
    if (doc.NLines != 0)
        MDelAllLines_Click();
    if (tables.FirstSoft != 0)
        doc.NPoints = std::max(1, tables.FirstSoft - 1);
    recordStep("Point: Delete All Soft");
    SavSoft->setChecked(true);
    SavLines->setChecked(true);
}

void Form1::SavSoft_MouseUp()
{
    if (SavSoft->isChecked())
        return;
    MDelSoft_Click();
    SavSoft->setChecked(false);
    SavLines->setChecked(false);
}
