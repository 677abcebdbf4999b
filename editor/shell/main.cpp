#include "form1.h"
#include "platform.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DesktopPlatform platform;
    // The working folder is the folder current at start: journal, settings, template.
    Form1 w(platform, QDir::currentPath());
    w.show();
    return app.exec();
}
