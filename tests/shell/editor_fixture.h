// The real main window in its own temporary working folder, with a fake desktop
// that records the questions asked and answers as told.
#pragma once
#include "editor_driver.h"
#include "platform.h"
#include "qt_app.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        Buttons buttons;
        bool warning;
    };
    std::vector<Message> messages;
    std::deque<bool> answers;        // for OK/Cancel boxes; OK when empty
    std::deque<QString> chosenFiles; // for the dialogs; cancelled when empty
    struct Dialog {
        bool save;
        QStringList filters;
        QString folder, name;
        bool confirm;
    };
    std::vector<Dialog> dialogs;
    QStringList viewed;
    // The dialogs open a real modal window, as the desktop's do: focus leaves the
    // main window and comes back when it closes.
    bool modalDialogs = false;
    bool viewerWorks = true;
    bool ended = false;

    bool message(QWidget*, const QString& text, Buttons b, bool warning) override;
    // Recorded as a message: the summary, then every line.
    void report(QWidget*, const QString& summary, const QStringList& lines) override;
    QString openFile(QWidget*, const QStringList& filters, const QString& folder, const QString& name) override;
    QString saveFile(QWidget*, const QStringList& filters, const QString& folder, const QString& name,
                     bool confirm) override;
    bool openTextViewer(const QString& path) override;
    void endProcess() override { ended = true; }
};

class EditorTest : public ::testing::Test, protected EditorDriver {
protected:
    // On the small file system when the test program runs on one.
    trvtest::TempDir dir{trvtest::smallFileSystem()};
    FakePlatform platform;

    QString path(const char* name) const { return QString::fromStdString(dir.file(name)); }
    // Everything in the test's folder, as --workdir gives it.
    AppPaths portable() const { return AppPaths::portableIn(QString::fromStdString(dir.path().string())); }
    // The same folder in per-user mode, with the desktop's additions.
    AppPaths perUser() const
    {
        AppPaths p = portable();
        p.portable = false;
        return p;
    }
    // Copies a shipped document into the working folder.
    QString copyData(const char* name, const char* as = nullptr);
    // Writes a settings file naming `document`, so that the editor starts on it
    // without the first-start prompt.
    void writeSettings(const QString& document);
    // Starts the editor on a copy of a shipped document.
    void start(const char* dataName = "sample.brg", bool inPerUserMode = false);
    bool exists(const char* name) const;
    int journalFiles() const;
};

using trvtest::ensureApplication;
