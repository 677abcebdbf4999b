// The view: zoom and position bars, centring, autoscroll, the layout pass and
// the one drawing procedure.
#include "form1.h"

#include "controls.h"
#include "opt.h"
#include "pic_box.h"
#include "renderer.h"
#include "scroll_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

namespace {
// The outer window is wider and higher than its client area by its frame,
// title and menu bar; the layout formulas are written for the outer size.
constexpr double kFrameExtraWidthTw = 120;
constexpr double kFrameExtraHeightTw = 690;
// Widest picture the export preview makes, in pixels.
constexpr int kMaxPreviewWidth = 16384;
} // namespace

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
    view = trv::UpdateViewScale(Pic->width() * 15.0, Pic->height() * 15.0, Opt::value(opt->XYdiff), Zoom->value(),
                                XOff->value(), YOff->value());
}

void Form1::Zoom_Change()
{
    LabelZoom->setText(QString::number(Zoom->value() - 1));
    UpdateViewScale();
    RenderView();
}

void Form1::Center_MouseDown()
{
    Pic->setFocus();
    YOff->setValue(0);
    XOff->setValue(0);
}

void Form1::BYScroll_Click()
{
    Pic->setFocus();
    YOff->setValue(0);
    if (opt->AutoScroll->isChecked()) {
        opt->AutoScroll->setChecked(false);
    } else {
        opt->AutoScroll->setChecked(true);
        setPointer(trv::PointerShape::Default);
    }
}

void Form1::BYScroll_MouseMove()
{
    if (!opt->AutoScroll->isChecked())
        return;
    YOff->setValue(trv::scrollUpHoverStep(opt->AutoScroll->isChecked(), Opt::value(opt->ScrollSize), YOff->value(), view));
}

void Form1::AutoScrollAtEdges(int buttons, double x, double y)
{
    const auto next = trv::AutoScrollAtEdges(doc.NPoints, opt->AutoScroll->isChecked(), opt->Apply->isChecked(),
                                             buttons != 0, x, y, Opt::value(opt->ScrollSize), XOff->value(),
                                             YOff->value(), view, Center2->x() * 15.0);
    XOff->setValue(next.XOff); // a value that does not change redraws nothing
    YOff->setValue(next.YOff);
}

void Form1::LayoutView()
{
    LayoutPending = false;
    QWidget* client = centralWidget();
    trv::LayoutInput in;
    in.windowWidth = client->width() * 15.0 + kFrameExtraWidthTw;
    in.windowHeight = client->height() * 15.0 + kFrameExtraHeightTw;
    in.picTop = Pic->y() * 15.0;
    in.yOffTop = YOff->y() * 15.0;
    in.yOffWidth = YOff->width() * 15.0;
    in.byScrollWidth = BYScroll->width() * 15.0;
    in.centerHeight = Center->height() * 15.0;
    in.autoScroll = opt->AutoScroll->isChecked();
    const trv::LayoutGeometry g = trv::layoutGeometry(in);

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
    Pic->setGeometry(Pic->x(), Pic->y(), std::max(1, tw(g.picWidth)), std::max(1, tw(g.picHeight)));
    Pic->setLogicalSquare();
    UpdateViewScale();
    previewSizing();
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
    in.ColorTable = ColorTable;
    in.grid = opt->Grid->isChecked();
    in.boundaries = opt->Boundaries->isChecked();
    in.raillevel = opt->Raillevel->isChecked();
    in.train = opt->Train->isChecked();
    in.landStyle = Opt::value(opt->LandStyle);
    in.backStyle = Opt::value(opt->BackStyle);
    in.preview = opt->Apply->isChecked();
    in.fileNameT = opt->FNameT->isChecked();
    in.landMode = ELand->isChecked();
    in.lineMode = ELine->isChecked();
    in.showPoints = LineMDrawPoint->isChecked();
    in.filePath = File->text().toStdString();
    in.foreground = Pic->foreColor;
    in.font = Pic->font();
    in.logicalWidth = Pic->scaleWidth();
    in.logicalHeight = Pic->scaleHeight();
    BottomY = trv::RenderView(Pic->image(), in).BottomY;
    Pic->refresh();
}

void Form1::previewSizing()
{
    if (opt->Apply->isChecked()) {
        LayoutPending = true; // every render in preview keeps the picture fitted
        const trv::PreviewFit fit = trv::previewFit(view, tables.LeftEnd, tables.RightEnd, Opt::value(opt->BmpLeft),
                                                    Opt::value(opt->BmpRight), Pic->width() * 15.0);
        view.OffsetX = fit.OffsetX;
        // Rounded up, so that the right boundary stays in the picture; limited to
        // a picture the window system and memory can hold.
        if (fit.resize)
            Pic->resize(int(std::clamp(std::ceil(fit.picWidth / 15.0), 1.0, double(kMaxPreviewWidth))), Pic->height());
    }
    opt->LabelPixel->setText(QString::number(Pic->width()) + " x " + QString::number(Pic->layoutHeight()));
}
