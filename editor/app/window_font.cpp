#include "window_font.h"

#include <QFont>
#include <QString>

QFont windowFont()
{
    // The designed places were laid out for a narrow interface font: Liberation
    // Sans, metrically the common one of that desktop, at 11 pixels fits them.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    return f;
}
