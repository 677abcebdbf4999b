// Small control variants for the reactions the windows need beyond Qt's own
// signals: clicks on captions and frames, and buttons that answer every mouse
// button on release.
#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();
    // Pointer moves in pixels of the label (with mouse tracking also without a button).
    void mouseMove(int buttons, int shift, double x, double y);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

class ClickFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A push button that reports presses, moves and releases with the mouse button
// (1 = left, 2 = right, 4 = middle), so that a right click can mean a big step.
class MouseButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
signals:
    void mouseDown(int button);
    void mouseMove(int buttons);
    void mouseUp(int button);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool held_ = false; // the left button holds it
};

// A straight line drawn over its parent, letting the mouse through: the line
// control of a frame. Ends in pixels of the parent.
class LineShape : public QWidget {
    Q_OBJECT
public:
    explicit LineShape(QWidget* parent);
    void setLine(QPointF a, QPointF b, QColor color);
    QPointF first() const { return a_; }
    QPointF second() const { return b_; }
    QColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPointF a_, b_;
    QColor color_;
};

// Mouse buttons in the numbering the handlers use.
int buttonCode(Qt::MouseButton b);
int buttonsCode(Qt::MouseButtons b);
