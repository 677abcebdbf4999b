#include "platform.h"

#include "report_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

bool DesktopPlatform::message(QWidget* owner, const QString& text, Buttons buttons, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, QString(), text, QMessageBox::NoButton,
                    owner);
    if (buttons == Buttons::RestoreDiscard) {
        QPushButton* restore = box.addButton("Restore", QMessageBox::AcceptRole);
        box.addButton("Discard", QMessageBox::DestructiveRole);
        box.setDefaultButton(restore);
        box.exec();
        return box.clickedButton() == restore;
    }
    box.setStandardButtons(buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void DesktopPlatform::report(QWidget* owner, const QString& summary, const QStringList& lines)
{
    const ReportText shown = reportText(summary, lines);
    QMessageBox box(QMessageBox::Warning, QString(), shown.text, QMessageBox::Ok, owner);
    if (!shown.details.isEmpty())
        box.setDetailedText(shown.details);
    box.exec();
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

QString DesktopPlatform::openFile(QWidget* owner, const QStringList& filters, const QString& folder,
                                  const QString& name)
{
    QFileDialog dlg(owner);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dlg, filters, folder, name);
}

QString DesktopPlatform::saveFile(QWidget* owner, const QStringList& filters, const QString& folder,
                                  const QString& name, bool confirmOverwrite)
{
    QFileDialog dlg(owner);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!confirmOverwrite)
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    // With confirmations on, a new file is confirmed too; No returns to the dialog.
    for (;;) {
        QString chosen = runDialog(dlg, filters, folder, name);
        if (chosen.isEmpty() || !confirmOverwrite || QFileInfo::exists(chosen))
            return chosen;
        if (QMessageBox::question(owner, QString(), chosen + "\nThis file does not exist. Create the file?") ==
            QMessageBox::Yes)
            return chosen;
    }
}

bool DesktopPlatform::openTextViewer(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

namespace {
int terminationPipe[2] = {-1, -1};
std::function<void()> terminationWork;

void onTerminationSignal(int)
{
    // Only what is safe inside a signal handler: a byte for the event loop, and
    // a timer that ends the process should no event loop take it in time.
    const int saved = errno;
    const char c = 1;
    (void)!::write(terminationPipe[1], &c, 1);
    itimerval last{};
    ::getitimer(ITIMER_REAL, &last);
    if (last.it_value.tv_sec == 0 && last.it_value.tv_usec == 0) {
        const itimerval limit{{0, 0}, {1, 800000}};
        ::setitimer(ITIMER_REAL, &limit, nullptr);
    }
    errno = saved;
}
} // namespace

void closeOnTermination()
{
    if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    // Any event loop takes the request in, a modal dialog's too.
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier] {
        notifier->setEnabled(false); // a further signal changes nothing
        if (terminationWork)
            terminationWork();
        std::fflush(nullptr);
        // Ends here, inside whatever dialog is open: returning to it would let it
        // run on, and the windows' own end would be the user's Exit.
        ::_exit(0);
    });
    ::signal(SIGALRM, SIG_DFL);
    struct sigaction sa {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

void DesktopPlatform::onTermination(const std::function<void()>& work) { terminationWork = work; }

void DesktopPlatform::endProcess()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}
