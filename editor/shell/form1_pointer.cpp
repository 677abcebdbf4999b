// The pointer over the drawing area: conversion into document units, the
// read-out, the hover tests that keep the lists on the object under the pointer,
// the stretch line, the dispatch of presses to the tools and the terrain stroke.
#include "form1.h"
#include "qt_text.h"

#include "colors.h"
#include "controls.h"
#include "list_box.h"
#include "pic_box.h"
#include "pointer.h"
#include "terrain_tools.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include <cmath>

void Form1::connectPointer()
{
    connect(Pic, &PicBox::mouseDown, this, [this](int b, int s, double x, double y) { Pic_MouseDown(b, s, x, y); });
    connect(Pic, &PicBox::mouseMove, this, [this](int b, int s, double x, double y) { Pic_MouseMove(b, s, x, y); });
    connect(Pic, &PicBox::mouseUp, this, [this](int b, int s, double x, double y) { Pic_MouseUp(b, s, x, y); });
}

void Form1::Pic_MouseDown(int button, int shift, double x, double y)
{
    if (doc.NPoints == 0)
        return;
    if (button == 1) {
        if (tools_.mode == EditMode::Line) {
            if (tools_.lineTool == LineTool::Draw) {
                if (tools_.LineStart == 0) {
                    // A line starts at the point last hovered; without one nothing starts.
                    tools_.LineStart = LPoint->listIndex() + 1;
                    if (tools_.LineStart != 0) {
                        setPointer(trv::PointerShape::UpArrow);
                        Pic->LLL.x1 = Pic->LLL.y1 = Pic->LLL.x2 = Pic->LLL.y2 = 0;
                    }
                } else {
                    DrawLineTo();
                }
            }
            if (tools_.lineTool == LineTool::RailToggle)
                ToggleRail();
            if (tools_.lineTool == LineTool::Delete)
                DeleteLine();
        } else if (tools_.mode == EditMode::Point) {
            if (tools_.pointTool == PointTool::FixSoft)
                ToggleFixSoft();
            else if (tools_.pointTool == PointTool::Move)
                MovePoint();
            else if (tools_.pointTool == PointTool::New)
                NewPoint();
            else if (tools_.pointTool == PointTool::Delete)
                DeletePoint();
        } else if (tools_.mode == EditMode::Terrain) {
            tools_.TerrainDrag = 1;
            Pic->LLL.visible = false;
            Pic_MouseMove(button, shift, x, y); // the press itself draws the first column
        }
    }
    if (button == 2) {
        // Cancels a line under way and a picked-up point.
        if (tools_.pointer == trv::PointerShape::UpArrow) {
            setPointer(trv::PointerShape::Default);
            RenderView();
        }
        tools_.LineStart = 0;
        Pic->LLL.visible = false;
        Pic->refresh();
    }
}

void Form1::Pic_MouseUp(int button, int, double, double)
{
    if (doc.NPoints == 0 || tools_.mode != EditMode::Terrain)
        return;
    const trv::TerrainRelease r = trv::terrainRelease(button == 1, tools_.TerrainDrag, tools_.DrawFix, tools_.PtrLandY);
    if (r.strokeEnded) {
        tools_.TerrainDrag = 0;
        recordStep(r.edit.action); // the whole stroke is one step
        return;
    }
    if (r.landFixText)
        LandFix->setText(qtext(*r.landFixText));
    DrawFix->setChecked(r.drawFix);
}

void Form1::Pic_MouseMove(int buttons, int shift, double x, double y)
{
    (void)shift;
    if (doc.NPoints == 0)
        return;
    AutoScrollAtEdges(buttons, x, y);
    const QPointF d = ToDisplay(x, y);
    tools_.PtrX = d.x();
    double ptrY = d.y();
    tools_.PtrLandY = trv::UnmapDisplayY(ptrY);
    YP->setText(qtext(trv::readoutText(ptrY)));
    LabelY->setText(qtext(trv::readoutText(tools_.PtrLandY)));
    LabelX->setText(qtext(trv::readoutText(tools_.PtrX)));

    if (tools_.lineTool != LineTool::Draw) {
        if (tools_.mode == EditMode::Terrain) {
            bool drawn = false;
            if (tools_.TerrainDrag != 0) {
                const trv::StrokeStep s =
                    trv::terrainStrokeMove(doc, tools_.PtrX, tools_.PtrLandY, ptrY, tools_.DrawFix, tools_.LandFix);
                if (s.drawn) {
                    drawn = true;
                    tools_.PtrLandY = s.ptrLandY;
                    ptrY = s.pointerY;
                    tools_.TerrainDrag = s.column;
                    drawStrokePreview(s.x, s.pointerY, s.oldTopY);
                }
            }
            if (!drawn)
                Land->setListIndex(trv::terrainColumnAt(tools_.PtrX) - 1); // column 0 has no row
        } else if (tools_.mode == EditMode::Line) {
            if (const int line = trv::lineAt(tables, tools_.PtrX, ptrY); line != 0)
                LLine->setListIndex(line - 1);
        }
    }

    if ((tools_.mode == EditMode::Point && tools_.pointer == trv::PointerShape::Default) ||
        tools_.lineTool == LineTool::Draw) {
        if (const int p = trv::pointAt(tables, tools_.PtrX, ptrY); p != 0) {
            if (tools_.LineStart != 0 && tools_.LineStart < int(tables.PntX.size())) {
                const QPointF a =
                    ToScreen(tables.PntX[size_t(tools_.LineStart)], tables.PntY[size_t(tools_.LineStart)]);
                const QPointF b = ToScreen(tables.PntX[size_t(p)], tables.PntY[size_t(p)]);
                Pic->LLL.x1 = a.x();
                Pic->LLL.y1 = a.y();
                Pic->LLL.x2 = b.x();
                Pic->LLL.y2 = b.y();
                Pic->LLL.visible = true;
            }
            LPoint->setListIndex(p - 1);
        }
        // The Fixpoint colour warns that the line would be refused.
        const bool tooLong =
            trv::stretchColour(tables, LPoint->listIndex() + 1, tools_.LineStart) == trv::StretchColour::Fixpoint;
        Pic->LLL.color = trv::colorFromPacked(options_.ColorTable[tooLong ? trv::ColorFixpoint : trv::ColorSelected]);
        Pic->refresh();
    }
}

void Form1::drawStrokePreview(double x, double pointerY, double oldTopY)
{
    // Drawn into the persistent image, which the redraw at the end of the stroke
    // replaces; a pen one column wide makes the column read as terrain.
    QImage& image = Pic->image();
    QPainter p(&image);
    const QPointF top = Pic->toPixel(ToScreen(x, pointerY));
    const QPointF old = Pic->toPixel(ToScreen(x, oldTopY));
    const double bottomY = Pic->toPixel(QPointF(0, BottomY)).y();
    const double columnWidth = std::abs(Pic->toPixel(ToScreen(16, 0)).x() - Pic->toPixel(ToScreen(0, 0)).x());
    QPen pen(trv::colorFromPacked(options_.ColorTable[trv::ColorBack]), std::max(1.0, columnWidth));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(top, old);
    pen.setColor(trv::colorFromPacked(options_.ColorTable[trv::ColorSelected]));
    p.setPen(pen);
    p.drawLine(QPointF(top.x(), bottomY), top);
    Pic->refresh();
}
