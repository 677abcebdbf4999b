#include "command_line.h"
#include "converter_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // With arguments the converter works without a window, so it runs where no
    // display exists: no QApplication, which would need one.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        return bgb::runCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    }
    QApplication app(argc, argv);
    // Lets the desktop match the window to its entry and icon.
    QGuiApplication::setDesktopFileName("org.trusswick.Converter");
    ConverterWindow window;
    window.show();
    return app.exec();
}
