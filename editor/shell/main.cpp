#include "app_paths.h"
#include "command_line.h"
#include "form1.h"
#include "headless.h"
#include "platform.h"
#include "text_runs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Read before any application object exists: help, version, usage errors
    // and the commands without a window need no display.
    const EditorCommand command = parseEditorCommand(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.kind) {
    case EditorCommand::Kind::Error:
        std::fprintf(stderr, "TRV424: %s\n%s", command.error.c_str(), editorUsage().c_str());
        return 2;
    case EditorCommand::Kind::Help: std::fputs(editorUsage().c_str(), stdout); return 0;
    case EditorCommand::Kind::Version: std::puts("TRV424 " TRUSSWICK_VERSION); return 0;
    case EditorCommand::Kind::ToText:
    case EditorCommand::Kind::FromText: return runTextCommand(command);
    default: break;
    }
    const QString workdir = QString::fromStdString(command.workdir);
    if (!workdir.isEmpty() && !QFileInfo(workdir).isDir()) {
        std::fprintf(stderr, "TRV424: --workdir %s: no such folder\n%s", command.workdir.c_str(),
                     editorUsage().c_str());
        return 2;
    }
    auto paths = [&] {
        return workdir.isEmpty() ? AppPaths::perUser() : AppPaths::portableIn(QDir(workdir).absolutePath());
    };

    if (command.kind != EditorCommand::Kind::Window) {
        // Drawn off screen whatever display there is, so the pictures never
        // depend on one.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error is for the problems with the user's files alone.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "TRV424: %s\n", qPrintable(text));
        });
        // A thumbnail draws no text and waits for no event: no application
        // object, so no platform plugin, fonts or locale set-up, which file
        // managers pay for once per file.
        if (command.kind == EditorCommand::Kind::Thumbnail) {
            const int status = runHeadless(command, paths());
            // The picture is written and closed: the libraries' exit code would
            // only page itself in, a third of the thumbnail's time.
            std::fflush(nullptr);
            std::_Exit(status);
        }
        QGuiApplication app(argc, argv);
        return runHeadless(command, paths());
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("org.trusswick.Editor");
    closeOnTermination();
    DesktopPlatform platform;
    // A relative name means the folder the user started in, whatever the editor does later.
    const QString file =
        command.file.empty() ? QString() : QFileInfo(QString::fromStdString(command.file)).absoluteFilePath();
    const AppPaths where = paths();
    if (!where.notice.isEmpty())
        std::fprintf(stderr, "TRV424: %s\n", qPrintable(where.notice));
    Form1 w(platform, where, file);
    w.show();
    return app.exec();
}
