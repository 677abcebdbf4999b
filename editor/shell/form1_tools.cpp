// The point, line and terrain actions of a press on the drawing area, and the
// reactions of the three lists that move the markers.
#include "form1.h"
#include "qt_text.h"

#include "line_tools.h"
#include "list_box.h"
#include "pic_box.h"
#include "point_tools.h"
#include "terrain_tools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

void Form1::connectTools()
{
    connect(LPoint, &ListBox::clicked, this, [this](int row) { LPoint_Click(row); });
    connect(LLine, &ListBox::clicked, this, [this](int row) { LLine_Click(row); });
    connect(Land, &ListBox::clicked, this, [this](int row) { Land_Click(row); });
    connect(Runder, &QPushButton::clicked, this, [this] { Runder_Click(); });
    connect(DrawFix, &QCheckBox::toggled, this, [this] { Pic->setFocus(); });
}

void Form1::applyEdit(const trv::EditResult& r)
{
    if (!r.save)
        return;
    if (r.selPoint)
        SelPoint = *r.selPoint;
    if (r.action.empty())
        commit();
    else
        recordStep(r.action);
}

// ---- points

namespace {
trv::PointOptions pointOptions(const ToolState& t)
{
    trv::PointOptions o;
    o.snap = t.Snap;
    o.newFixed = t.NewFixed;
    o.delAttached = t.DelAtLine;
    o.expert = t.FixLooksSoft;
    return o;
}
} // namespace

void Form1::NewPoint()
{
    if (doc.NPoints >= trv::kMaxPoints) {
        tell("A bridge holds at most " + QString::number(trv::kMaxPoints) + " points.");
        return;
    }
    const trv::EditResult r = trv::NewPoint(doc, tools_.PtrX, tools_.PtrLandY, pointOptions(tools_));
    LPoint->setListIndex(LPoint->count() - 1);
    applyEdit(r);
}

void Form1::ToggleFixSoft() { applyEdit(trv::ToggleFixSoft(doc, LPoint->listIndex(), tools_.FixLooksSoft)); }

void Form1::MovePoint()
{
    const trv::MoveResult r =
        trv::MovePoint(doc, tools_.pointer, LPoint->listIndex(), tools_.PtrX, tools_.PtrLandY, pointOptions(tools_));
    setPointer(r.shape);
    applyEdit(r);
}

void Form1::DeletePoint() { applyEdit(trv::DeletePoint(doc, LPoint->listIndex())); }

void Form1::LPoint_Click(int row)
{
    const int s = row + 1;
    // Without a selected point there is nothing to mark.
    Pic->Shap.visible = s > 0 && doc.NPoints != 0 && s < int(tables.PntX.size());
    if (Pic->Shap.visible) {
        const QPointF at = ToScreen(tables.PntX[size_t(s)], tables.PntY[size_t(s)]);
        Pic->Shap.left = at.x() - Pic->Shap.width / 2.2;
        Pic->Shap.top = at.y() - Pic->Shap.height / 2.8;
    }
    Pic->refresh();
}

// ---- lines

void Form1::DrawLineTo()
{
    const trv::DrawLineResult r = trv::DrawLineTo(doc, tools_.LineStart, LPoint->listIndex(), tools_.LDrawRail);
    // Why no line appeared, which the picture alone does not say.
    if (r.full)
        tell("A bridge holds at most " + QString::number(trv::kMaxLines) + " lines.");
    if (r.refusedLength > 0) {
        const trv::NearestLengths n = trv::nearestAllowedLengths(r.refusedLength);
        QStringList nearest;
        for (double v : {n.below, n.above})
            if (v > 0)
                nearest << QString::number(v, 'f', 1);
        // The draw tool cuts lengths to whole tenths, so 12.58 is refused where
        // 12.6 is allowed: never show a refused length as an allowed one.
        QString length = QString::number(r.refusedLength, 'f', 1);
        if (nearest.contains(length))
            length = QString::number(r.refusedLength, 'f', 2);
        tell(QString("No line: its length %1 is not one the game allows (nearest: %2).")
                 .arg(length, nearest.join(" or ")));
    }
    tools_.LineStart = r.lineStart;
    setPointer(r.shape);
    if (tools_.LineStart == 0) {
        Pic->LLL.visible = false;
        Pic->refresh();
    }
    applyEdit(r);
}

void Form1::ToggleRail() { applyEdit(trv::ToggleRail(doc, LLine->listIndex(), tools_.FixLooksSoft, tools_.lineKind)); }

void Form1::DeleteLine() { applyEdit(trv::DeleteLine(doc, LLine->listIndex())); }

void Form1::LLine_Click(int row)
{
    const auto labels = trv::lineLabels(doc, tables, row);
    Pic->LLL.visible = labels.has_value();
    if (labels) {
        const int np = int(tables.PntX.size()) - 1;
        auto screen = [&](int p) {
            return p >= 1 && p <= np ? ToScreen(tables.PntX[size_t(p)], tables.PntY[size_t(p)]) : ToScreen(0, 0);
        };
        const QPointF a = screen(labels->endA), b = screen(labels->endB);
        Pic->LLL.x1 = a.x();
        Pic->LLL.y1 = a.y();
        Pic->LLL.x2 = b.x();
        Pic->LLL.y2 = b.y();
        LabelActLine1->setText(qtext(labels->actLine1));
        LabelActLine2->setText(qtext(labels->actLine2));
        LabelLineLen->setText(qtext(labels->lineLen));
        LabelLineLen2->setText(qtext(labels->lineLen2));
    }
    Pic->refresh();
}

// ---- terrain

void Form1::Runder_Click()
{
    Pic->setFocus();
    applyEdit(trv::SmoothTerrain(doc, tables.LeftEnd, tables.RightEnd));
}

void Form1::Land_Click(int row)
{
    const auto m = trv::columnMarker(doc, row);
    Pic->LLL.visible = m.has_value();
    if (m) {
        const QPointF top = ToScreen(m->x, m->topY);
        Pic->LLL.x1 = Pic->LLL.x2 = top.x();
        Pic->LLL.y1 = BottomY;
        Pic->LLL.y2 = top.y() + 20;
    }
    Pic->refresh();
}

void Form1::LandFix_GotFocus() { ValueBoxFocus = true; }

void Form1::LandFix_LostFocus()
{
    ValueBoxFocus = false;
    LandFix->setText(qtext(trv::landFixTextOnLeave(LandFix->text().toStdString())));
}
