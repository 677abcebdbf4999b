// An editor on the desktop's real dialogs, with an unsaved change and a second
// window or a modal question open, for the system to end: prints "ready" once
// that is so. Usage: signalled_editor FOLDER options|question (with its settings file).
#include "editor_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    trvtest::ensureApplication();
    closeOnTermination();
    DesktopPlatform platform;
    Form1 w(platform, AppPaths::portableIn(QString::fromLocal8Bit(argv[1])));
    w.show();
    w.WaterU_MouseUp(2);
    auto ready = [] {
        std::puts("ready");
        std::fflush(stdout);
    };
    if (std::string(argv[2]) == "options") {
        w.Options_Click();
        QTimer::singleShot(0, ready);
    } else {
        // The user's Exit asks first; the system's end must not wait for the answer.
        w.findChild<QCheckBox*>("Confirm")->setChecked(true);
        QTimer::singleShot(0, [&w, ready] {
            QTimer::singleShot(0, ready); // runs once the question's own loop does
            w.Exit_Click();
        });
    }
    return QApplication::exec();
}
