// Bitmap export: one picture under a chosen name, or one beside every level and
// bridge file of a folder (optionally with its subfolders).
#include "form1.h"

#include "folder_files.h"
#include "module1.h"
#include "opt.h"
#include "pic_box.h"
#include "picture_export.h"
#include "picture_file.h"
#include "platform.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>

void Form1::reportProblem(const QString& text)
{
    if (batchReport_)
        batchReport_->append(text);
    else
        msgBox(text, false, true);
}

bool Form1::BmpSave(bool derived)
{
    // The persistent image only: the overlays are not part of the picture. A
    // name ending in .png gets a PNG per user; in portable mode every name gets
    // a Windows bitmap, as the design has it.
    std::string error;
    const auto format = paths_.portable ? trv::PictureFormat::Bmp : trv::PictureFormat::ByName;
    if (trv::savePicture(Pic->image(), QFile::encodeName(ChosenFile).toStdString(), &error, format,
                         derived ? trv::Origin::ProgramNamed : trv::Origin::UserNamed)) {
        if (!batchReport_)
            tell("Exported " + ChosenFile);
        return true;
    }
    reportProblem("Cannot write the bitmap " + ChosenFile + ": " + QString::fromStdString(error));
    return false;
}

void Form1::BmpSaveSelect()
{
    const PathSplit at = dialogPlace();
    const QString name = withoutLast(at.name, 4) + ".bmp";
    ChosenFile = ShowSaveDialog(platform, this, "Bitmap (*.bmp)|*.bmp", name, at.folder, options_.Confirm);
    if (ChosenFile.isEmpty())
        return;
    if (!hasThreeLetterExtension(ChosenFile))
        ChosenFile += ".bmp";
    BmpSave();
}

void Form1::BatchExport()
{
    // It lets events run between files, so the button can be pressed again.
    if (batchRunning_) {
        msgBox("A folder export is already running.");
        return;
    }
    const PathSplit at = dialogPlace();
    ChosenFile =
        ShowOpenDialog(platform, this, "Select folder and first bridge/level", withoutLast(at.name, 4), at.folder);
    if (ChosenFile.isEmpty())
        return;
    QString folder = splitPath(ChosenFile).folder;
    if (folder.isEmpty())
        folder = QDir::currentPath();
    // Listed by their bytes, so that no file of the folder goes unseen.
    const std::vector<std::string> files =
        trv::folderFiles(QFile::encodeName(folder).toStdString(), options_.Subfolders);

    batchRunning_ = true;
    QStringList report;
    int written = 0;
    batchReport_ = &report;
    opt->setPreview(true);
    QCoreApplication::processEvents(); // the window settles in its preview size first
    for (const std::string& name : files) {
        if (ending_)
            break;
        if (!isDocumentName(name))
            continue;
        const QString path = QFile::decodeName(name.c_str());
        // The window knows a document by its name as text; one that is no valid
        // text would come back as another name.
        if (QFile::encodeName(path).toStdString() != name) {
            report << "Cannot export " + path + ": the name is not valid text";
            continue;
        }
        // A refused file is noted and skipped before it touches the document.
        if (const QString why = refusalOf(path); !why.isEmpty()) {
            report << why;
            continue;
        }
        const qsizetype before = report.size();
        const int loadsBefore = loads_;
        File->setText(path);
        OpenDocument();
        if (loads_ == loadsBefore || report.size() != before) {
            // Not loaded after all (gone meanwhile): no picture of the previous document under its name.
            if (report.size() == before)
                report << "Cannot read " + path;
            continue;
        }
        ChosenFile = exportPictureName(path);
        written += BmpSave(true) ? 1 : 0;
        QCoreApplication::processEvents(); // the screen catches up before the next file
    }
    batchReport_ = nullptr;
    batchRunning_ = false;
    tell(QString("Multisave: %1 pictures written").arg(written));
    // However many files failed, the counts come first and every one is listed.
    if (!report.isEmpty() && !ending_)
        platform.report(this,
                        QString("%1 pictures written, %2 files could not be exported.").arg(written).arg(report.size()),
                        report);
}
