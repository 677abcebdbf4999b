#include "controls.h"

#include <QMouseEvent>
#include <QPainter>

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

void ClickLabel::mouseMoveEvent(QMouseEvent* e)
{
    QLabel::mouseMoveEvent(e);
    const Qt::KeyboardModifiers m = e->modifiers();
    const int shift =
        (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
    emit mouseMove(buttonsCode(e->buttons()), shift, e->position().x(), e->position().y());
}

LineShape::LineShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    if (parent)
        setGeometry(parent->rect());
}

void LineShape::setLine(QPointF a, QPointF b, QColor color)
{
    a_ = a;
    b_ = b;
    color_ = color;
    update();
}

void LineShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(color_, 1));
    p.drawLine(a_, b_);
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
    if (e->button() == Qt::LeftButton) {
        held_ = true;
        QPushButton::mousePressEvent(e);
    } else {
        e->accept(); // take the other buttons too, so their release arrives here
    }
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
    if (e->button() == Qt::LeftButton) {
        held_ = false;
        QPushButton::mouseReleaseEvent(e);
    }
    if (inside)
        emit mouseUp(buttonCode(e->button()));
}

void MouseButton::focusOutEvent(QFocusEvent* e)
{
    // A button loses its pressed state with the focus. A press whose reaction
    // hands the focus on (Center gives it to the drawing area) must still leave
    // the button down while the mouse holds it, as every other button is.
    const bool down = isDown();
    QPushButton::focusOutEvent(e);
    if (held_ && down)
        setDown(true);
}
