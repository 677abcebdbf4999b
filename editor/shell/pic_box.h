// The drawing area: a persistent image that the renderer draws into, with a
// logical coordinate system (8192 x 8192 units after every layout pass) and two
// overlays drawn over the image, never into it: the line `LLL` and the
// selection frame `Shap`.
#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>

struct OverlayLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // logical units
    bool visible = false;
    QColor color;
};

struct OverlayShape {
    double left = 0, top = 0;
    double width = 140, height = 225; // logical units: about 13 pixels at the designed size
    bool visible = false;
    QColor color;
};

class PicBox : public QWidget {
    Q_OBJECT
public:
    explicit PicBox(QWidget* parent = nullptr);

    // The persistent image, always as large as the area.
    QImage& image();
    // Logical size (ScaleWidth / ScaleHeight): 8192 x 8192 at the last layout
    // pass; a later resize keeps the size of one unit.
    double scaleWidth() const { return 8192.0 * std::max(1, width()) / baseW_; }
    double scaleHeight() const { return 8192.0 * std::max(1, height()) / baseH_; }
    // The layout pass: the current pixel size becomes 8192 x 8192 units.
    void setLogicalSquare();
    // Client height in pixels measured by the last layout pass.
    int layoutHeight() const { return baseH_; }
    // Pixel <-> logical units.
    QPointF toLogical(QPointF pixel) const;
    QPointF toPixel(QPointF logical) const;

    OverlayLine LLL;
    OverlayShape Shap;
    QColor backColor{72, 72, 72};
    QColor foreColor{255, 255, 255};
    // Hidden while the renderer draws, then shown and refreshed once.
    void refresh() { update(); }

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int buttons, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void wheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    QImage image_;
    int baseW_ = 1, baseH_ = 1; // pixel size at the last layout pass
};
