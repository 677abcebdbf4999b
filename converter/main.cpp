#include "converter_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ConverterWindow window;
    window.show();
    return app.exec();
}
