#include "pic_box.h"

#include "controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

PicBox::PicBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PicBox::setLogicalSquare()
{
    baseW_ = std::max(1, width());
    baseH_ = std::max(1, height());
}

QImage& PicBox::image()
{
    const QSize want(std::max(1, width()), std::max(1, height()));
    if (image_.size() != want) {
        QImage next(want, QImage::Format_RGB32);
        next.fill(backColor);
        if (!image_.isNull()) {
            QPainter p(&next);
            p.drawImage(0, 0, image_);
        }
        image_ = std::move(next);
    }
    return image_;
}

QPointF PicBox::toLogical(QPointF p) const { return {p.x() * 8192.0 / baseW_, p.y() * 8192.0 / baseH_}; }

QPointF PicBox::toPixel(QPointF l) const { return {l.x() * baseW_ / 8192.0, l.y() * baseH_ / 8192.0}; }

void PicBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image());
    if (LLL.visible) {
        p.setPen(QPen(LLL.color, 1));
        p.drawLine(toPixel({LLL.x1, LLL.y1}), toPixel({LLL.x2, LLL.y2}));
    }
    if (Shap.visible) {
        p.setPen(QPen(Shap.color, 1));
        p.setBrush(Qt::NoBrush);
        const QPointF a = toPixel({Shap.left, Shap.top});
        const QPointF b = toPixel({Shap.left + Shap.width, Shap.top + Shap.height});
        p.drawRect(QRectF(a, b).normalized().adjusted(0, 0, -1, -1));
    }
}

namespace {
int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}
} // namespace

void PicBox::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    const QPointF l = toLogical(e->position());
    emit mouseDown(buttonCode(e->button()), shiftCode(e->modifiers()), l.x(), l.y());
}

void PicBox::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF l = toLogical(e->position());
    emit mouseMove(buttonsCode(e->buttons()), shiftCode(e->modifiers()), l.x(), l.y());
}

void PicBox::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF l = toLogical(e->position());
    emit mouseUp(buttonCode(e->button()), shiftCode(e->modifiers()), l.x(), l.y());
}

void PicBox::wheelEvent(QWheelEvent* e)
{
    emit wheel(e->angleDelta(), e->modifiers());
    e->accept();
}
