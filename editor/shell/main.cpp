#include "app_paths.h"
#include "command_line.h"
#include "form1.h"
#include "headless.h"
#include "platform.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The window program; TRV424 hands a window over to it. Started by hand, it
// runs the commands without a window just as TRV424 does.
int main(int argc, char** argv)
{
    const EditorCommand command = parseEditorCommand(std::vector<std::string>(argv + 1, argv + argc));
    if (command.kind != EditorCommand::Kind::Window)
        return runCommand(command, argc, argv);
    const std::optional<AppPaths> where = commandPaths(command);
    if (!where)
        return 2;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("org.trusswick.Editor");
    closeOnTermination();
    DesktopPlatform platform;
    // A relative name means the folder the user started in, whatever the editor does later.
    const QString file =
        command.file.empty() ? QString() : QFileInfo(QString::fromStdString(command.file)).absoluteFilePath();
    if (!where->notice.isEmpty())
        std::fprintf(stderr, "TRV424: %s\n", qPrintable(where->notice));
    Form1 w(platform, *where, file);
    w.show();
    return app.exec();
}
