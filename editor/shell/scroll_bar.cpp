#include "scroll_bar.h"

ScrollBar::ScrollBar(Qt::Orientation o, int first, int last, QWidget* parent)
    : QScrollBar(o, parent), first_(first), last_(last), reversed_(first > last)
{
    if (reversed_)
        setRange(-first, -last);
    else
        setRange(first, last);
    connect(this, &QScrollBar::valueChanged, this, [this](int) { emit changed(value()); });
}
