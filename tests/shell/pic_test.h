// The editor driven through its drawing area: real mouse events at the pixels
// where display positions appear on screen.
#pragma once
#include "editor_fixture.h"

#include "pic_box.h"
#include "view_transform.h"

#include <QTest>

class PicTest : public EditorTest {
protected:
    // The pixel of the drawing area that shows the display position (x, y).
    QPoint pixelOf(double x, double y) const
    {
        const QPointF l = w->ToScreen(x, y);
        return {trv::logicalToPixel(l.x(), ctl<PicBox>("Pic")->width(), ctl<PicBox>("Pic")->scaleWidth()),
                trv::logicalToPixel(l.y(), ctl<PicBox>("Pic")->height(), ctl<PicBox>("Pic")->scaleHeight())};
    }
    // A move to where the pointer already is delivers no event, so it first steps
    // one pixel aside, as a hand never holds perfectly still.
    void moveTo(double x, double y)
    {
        const QPoint p = pixelOf(x, y);
        if (p == last_)
            QTest::mouseMove(ctl<PicBox>("Pic"), p + QPoint(1, 0));
        QTest::mouseMove(ctl<PicBox>("Pic"), p);
        last_ = p;
    }
    // A press runs no hover test, so the pointer first moves there, as a hand would.
    void press(double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        moveTo(x, y);
        QTest::mousePress(ctl<PicBox>("Pic"), b, {}, pixelOf(x, y));
    }
    void release(double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(ctl<PicBox>("Pic"), b, {}, pixelOf(x, y));
    }
    void click(double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        press(x, y, b);
        release(x, y, b);
    }

private:
    QPoint last_{-1, -1};
};
