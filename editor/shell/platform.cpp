#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

bool DesktopPlatform::message(QWidget* owner, const QString& text, Buttons buttons, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, QString(), text,
                    buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel, owner);
    return box.exec() == QMessageBox::Ok;
}

namespace {
QString runDialog(QFileDialog& dlg, const QStringList& filters, const QString& folder, const QString& name)
{
    dlg.setNameFilters(filters);
    if (!filters.isEmpty())
        dlg.selectNameFilter(filters.first());
    if (!folder.isEmpty())
        dlg.setDirectory(folder);
    dlg.selectFile(name.left(254));
    dlg.setOption(QFileDialog::ReadOnly, false);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dlg.selectedFiles().first()).trimmed();
}
} // namespace

QString DesktopPlatform::openFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name)
{
    QFileDialog dlg(owner);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dlg, filters, folder, name);
}

QString DesktopPlatform::saveFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name,
                                  bool confirmOverwrite)
{
    QFileDialog dlg(owner);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!confirmOverwrite)
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    return runDialog(dlg, filters, folder, name);
}

bool DesktopPlatform::openTextViewer(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopPlatform::endProcess()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}
