#include "controls.h"

#include <QMouseEvent>

int buttonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int buttonsCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

// The click is taken here: passed on, a caption's click would also click the
// frame around it and run the reaction twice.
void ClickLabel::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint())) {
        e->accept();
        emit clicked();
    }
}

void ClickFrame::mouseReleaseEvent(QMouseEvent* e)
{
    QGroupBox::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint())) {
        e->accept();
        emit clicked();
    }
}

void MouseButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        QPushButton::mousePressEvent(e);
    else
        e->accept(); // take the other buttons too, so their release arrives here
    emit mouseDown(buttonCode(e->button()));
}

void MouseButton::mouseMoveEvent(QMouseEvent* e)
{
    QPushButton::mouseMoveEvent(e);
    emit mouseMove(buttonsCode(e->buttons()));
}

void MouseButton::mouseReleaseEvent(QMouseEvent* e)
{
    const bool inside = rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        QPushButton::mouseReleaseEvent(e);
    if (inside)
        emit mouseUp(buttonCode(e->button()));
}
