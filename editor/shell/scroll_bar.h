// A scroll bar whose value may run from a high number at its left or top end to
// a low number at the far end, as the view's position bars do.
#pragma once
#include <QScrollBar>

class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    // `first` is the value at the left/top end, `last` at the far end.
    ScrollBar(Qt::Orientation o, int first, int last, QWidget* parent = nullptr);
    int value() const { return reversed_ ? -QScrollBar::value() : QScrollBar::value(); }
    // Values outside the range are limited to it.
    void setValue(int v) { QScrollBar::setValue(reversed_ ? -v : v); }
    int first() const { return first_; }
    int last() const { return last_; }

signals:
    void changed(int value); // any change, by the user or by code

private:
    int first_, last_;
    bool reversed_;
};
