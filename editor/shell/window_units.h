// Controls at their designed places in twips, and windows placed from numbers
// that come from outside.
#pragma once
#include "twips.h"

#include <QRect>
#include <QString>

class QWidget;

// A control at its designed place, at least a pixel each way.
template <class W>
W* place(W* w, double left, double top, double width, double height)
{
    w->setGeometry(tw(left), tw(top), std::max(1, tw(width)), std::max(1, tw(height)));
    return w;
}

// A control with its object name and, where it has one, its tool tip.
template <class W>
W* named(W* w, const char* name, const QString& tip = {})
{
    w->setObjectName(name);
    if (!tip.isEmpty())
        w->setToolTip(tip);
    return w;
}

template <class W>
W* place(W* w, const char* name, double left, double top, double width, double height, const QString& tip = {})
{
    return place(named(w, name, tip), left, top, width, height);
}

// `wanted` for a window, made no larger than the available area of its screen,
// its frame counted (a typical title bar while the window system has not told
// it yet).
QSize sizeOnScreen(const QWidget* window, QSize wanted);

// Moves and sizes a window to `wanted` (the frame's position, the client's
// size), kept within the available area of the screen it lands on: never
// larger than that area, never off it.
void placeOnScreen(QWidget* window, QRect wanted);
