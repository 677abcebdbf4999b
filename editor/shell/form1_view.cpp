// The view: zoom and position bars, centring, autoscroll, the layout pass and
// the one drawing procedure.
#include "form1.h"
#include "window_units.h"

#include "controls.h"
#include "main_layout.h"
#include "opt.h"
#include "pic_box.h"
#include "picture_export.h"
#include "renderer.h"
#include "scroll_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <cmath>

void Form1::connectView()
{
    connect(Zoom, &ScrollBar::changed, this, [this] { Zoom_Change(); });
    connect(XOff, &ScrollBar::changed, this, [this] { Zoom_Change(); });
    connect(YOff, &ScrollBar::changed, this, [this] { Zoom_Change(); });
    for (MouseButton* b : {Center, Center2, Center3})
        connect(b, &MouseButton::mouseDown, this, [this] { Center_MouseDown(); });
    for (MouseButton* b : {BYScroll, BYScroll2}) {
        connect(b, &QPushButton::clicked, this, [this] { BYScroll_Click(); });
        connect(b, &MouseButton::mouseMove, this, [this] { BYScroll_MouseMove(); });
    }
}

QPointF Form1::ToScreen(double x, double y) const
{
    const trv::ViewPoint p = trv::ToScreen(view, x, y);
    return {p.x, p.y};
}

QPointF Form1::ToDisplay(double x, double y) const
{
    const trv::ViewPoint p = trv::ToDisplay(view, x, y);
    return {p.x, p.y};
}

void Form1::UpdateViewScale()
{
    view = trv::UpdateViewScale(pixelsToTwips(Pic->width()), pixelsToTwips(Pic->height()), options_.XYdiff,
                                Zoom->value(), XOff->value(), YOff->value());
}

void Form1::Zoom_Change()
{
    LabelZoom->setText(QString::number(Zoom->value() - 1));
    UpdateViewScale();
    RenderView();
}

void Form1::setViewBars(int xOff, int yOff, int zoom, bool render)
{
    // A view that stays keeps its scale too: the export preview fits its own.
    if (XOff->value() == xOff && YOff->value() == yOff && Zoom->value() == zoom)
        return;
    {
        const QSignalBlocker x(XOff), y(YOff), z(Zoom);
        XOff->setValue(xOff);
        YOff->setValue(yOff);
        Zoom->setValue(zoom);
    }
    LabelZoom->setText(QString::number(Zoom->value() - 1));
    UpdateViewScale();
    if (render)
        RenderView();
}

void Form1::Center_MouseDown()
{
    Pic->setFocus();
    setViewBars(0, 0, Zoom->value());
}

void Form1::BYScroll_Click()
{
    Pic->setFocus();
    YOff->setValue(0);
    if (options_.AutoScroll) {
        opt->setAutoScroll(false);
    } else {
        opt->setAutoScroll(true);
        setPointer(trv::PointerShape::Default);
    }
}

void Form1::BYScroll_MouseMove()
{
    if (!options_.AutoScroll)
        return;
    YOff->setValue(trv::scrollUpHoverStep(options_.AutoScroll, options_.ScrollSize, YOff->value(), view));
}

void Form1::AutoScrollAtEdges(int buttons, double x, double y)
{
    const auto next =
        trv::AutoScrollAtEdges(doc.NPoints, options_.AutoScroll, options_.Apply, buttons != 0, x, y,
                               options_.ScrollSize, XOff->value(), YOff->value(), view, pixelsToTwips(Center2->x()));
    setViewBars(next.XOff, next.YOff, Zoom->value()); // a view that does not move redraws nothing
}

void Form1::LayoutView()
{
    LayoutPending = false;
    // The drawing area fills the room on screen; the controls keep their places
    // and are scrolled to where the screen cannot hold them.
    const QSize room = fitClient();
    const trv::LayoutGeometry g =
        trv::layoutGeometry(mainLayoutInput(room.width(), room.height(), options_.AutoScroll));

    BYScroll->move(tw(g.byScrollLeft), BYScroll->y());
    Center3->move(tw(g.center3Left), Center3->y());
    if (g.placesScrollBars) {
        Center->move(tw(g.centerLeft), tw(g.centerTop));
        XOff->setGeometry(XOff->x(), tw(g.xOffTop), std::max(1, tw(g.xOffWidth)), XOff->height());
        YOff->setGeometry(tw(g.yOffLeft), YOff->y(), YOff->width(), std::max(1, tw(g.yOffHeight)));
        XOff->setEnabled(true);
        YOff->setEnabled(true);
        Zoom->setEnabled(true);
    }
    // The export preview frames its picture for the full width it asks of the
    // window, as on a screen wide enough to grant it: the picture is then the
    // same on every screen, and the same as the command line draws.
    const double picWidth = options_.Apply ? previewPicWidth(options_.AutoScroll) : g.picWidth;
    Pic->setGeometry(Pic->x(), Pic->y(), std::max(1, tw(picWidth)), std::max(1, tw(g.picHeight)));
    Pic->setLogicalSquare();
    // The file name box sits at the foot of the drawing area as designed, and
    // moves up with it when the window is shorter than the design.
    File->move(File->x(), std::max(0, std::min(tw(design::kFileTop), Pic->y() + Pic->height() - File->height())));
    UpdateViewScale();
    previewSizing();
}

QSize Form1::fitClient()
{
    keepControlsReachable();
    const QSize room = clientRoom();
    client_->resize(room.expandedTo(client_->minimumSize()));
    return room;
}

QSize Form1::clientRoom() const
{
    QSize room = clientArea_->maximumViewportSize();
    const QSize least = client_->minimumSize();
    const int bar = clientArea_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, clientArea_);
    const bool across = room.width() < least.width();
    if (room.height() - (across ? bar : 0) < least.height())
        room.rwidth() -= bar;
    if (across || room.width() < least.width())
        room.rheight() -= bar;
    return room.expandedTo(QSize(1, 1));
}

void Form1::RenderView()
{
    if (doc.NPoints == 0)
        return;
    Pic->LLL.visible = false;
    Pic->Shap.visible = false;
    if (LayoutPending)
        LayoutView();

    trv::RenderInputs in(doc, tables);
    in.view = view;
    setDisplayOptions(in, options_);
    in.landMode = tools_.mode == EditMode::Terrain;
    in.lineMode = tools_.mode == EditMode::Line;
    in.showPoints = tools_.LineMDrawPoint;
    in.filePath = File->text().toStdString();
    in.foreground = Pic->foreColor;
    in.font = Pic->font();
    in.logicalWidth = Pic->scaleWidth();
    in.logicalHeight = Pic->scaleHeight();
    BottomY = trv::RenderView(Pic->image(), in, *renderCache_).BottomY;
    Pic->refresh();
}

void Form1::previewSizing()
{
    if (options_.Apply) {
        LayoutPending = true; // every render in preview keeps the picture fitted
        const trv::PreviewFit fit = trv::previewFit(view, tables.LeftEnd, tables.RightEnd, options_.BmpLeft,
                                                    options_.BmpRight, pixelsToTwips(Pic->width()));
        view.OffsetX = fit.OffsetX;
        if (fit.resize)
            Pic->resize(design::previewWidth(fit.picWidth), Pic->height());
    }
    opt->showPixelSize(QString::number(Pic->width()) + " x " + QString::number(Pic->layoutHeight()));
}
