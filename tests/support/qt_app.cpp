#include "qt_app.h"

#include <QApplication>

namespace trvtest {

void ensureApplication(bool widgets)
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "trusswick_tests";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends.
    if (widgets)
        new QApplication(argc, argv);
    else
        new QGuiApplication(argc, argv);
}

} // namespace trvtest
