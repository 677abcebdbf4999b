// What the editor asks of the desktop and tests cannot click through: message
// boxes, the file dialogs and the text viewer. Tests pass a fake.
#pragma once
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

class Platform {
public:
    enum class Buttons { Ok, OkCancel, RestoreDiscard };
    virtual ~Platform() = default;
    // True for OK (or Restore).
    virtual bool message(QWidget* owner, const QString& text, Buttons buttons, bool warning) = 0;
    // A report of many problems: the summary first, every line readable below it.
    virtual void report(QWidget* owner, const QString& summary, const QStringList& lines) = 0;
    // The chosen path, or "" when cancelled. `filters` are in Qt's form ("Bridges (*.brg)").
    virtual QString openFile(QWidget* owner, const QStringList& filters, const QString& folder,
                             const QString& name) = 0;
    virtual QString saveFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name,
                             bool confirmOverwrite) = 0;
    // Opens a text file in the desktop's viewer without waiting; false when it cannot.
    virtual bool openTextViewer(const QString& path) = 0;
    // Ends the process once the current handler returns; no further handler runs.
    virtual void endProcess() = 0;
    // What to do before the process ends because the system asked it to (an
    // empty function: nothing); the process then ends whatever window is open.
    virtual void onTermination(const std::function<void()>& work) { (void)work; }
};

// Ends the program when the system asks it to (SIGTERM, SIGINT, SIGHUP: a
// logout, a shutdown, Ctrl+C in a terminal) after the work given to
// `onTermination`, within 2 seconds whatever window or dialog is open. It is not
// the user's Exit: nothing is asked, and a further signal cannot cancel it. Call
// it before the windows exist: a request that comes early waits for the first
// event loop, a dialog's included.
void closeOnTermination();

// The real desktop: QMessageBox, QFileDialog, QDesktopServices.
class DesktopPlatform : public Platform {
public:
    bool message(QWidget* owner, const QString& text, Buttons buttons, bool warning) override;
    void report(QWidget* owner, const QString& summary, const QStringList& lines) override;
    QString openFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name) override;
    QString saveFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name,
                     bool confirmOverwrite) override;
    bool openTextViewer(const QString& path) override;
    void endProcess() override;
    void onTermination(const std::function<void()>& work) override;
};
