// The four edit modes with their panels, the tool option buttons and the menu
// commands that select them.
#include "form1.h"

#include "colors.h"
#include "controls.h"
#include "pic_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace {

// Runs `reaction` whenever the button becomes selected (by the user or by code),
// and also when the user clicks it while it is selected already: choosing the
// move tool again drops a picked-up point, as choosing any other tool does.
void onSelect(Form1* owner, QRadioButton* b, const std::function<void()>& reaction)
{
    auto wasSelected = std::make_shared<bool>(false);
    QObject::connect(b, &QAbstractButton::toggled, owner, [reaction](bool on) {
        if (on)
            reaction();
    });
    QObject::connect(b, &QAbstractButton::pressed, owner, [b, wasSelected] { *wasSelected = b->isChecked(); });
    QObject::connect(b, &QAbstractButton::clicked, owner, [reaction, wasSelected] {
        if (*wasSelected) {
            *wasSelected = false;
            reaction();
        }
    });
}

// Keeps `field` on the value of the selected option button of a group.
template <class Value>
void bindChoice(QObject* owner, std::initializer_list<std::pair<QRadioButton*, Value>> buttons, Value& field)
{
    for (auto [button, value] : buttons) {
        if (button->isChecked())
            field = value;
        QObject::connect(button, &QAbstractButton::toggled, owner, [&field, value = value](bool on) {
            if (on)
                field = value;
        });
    }
}

} // namespace

void Form1::bindToolState()
{
    // Made before any other connection, so that every reaction reads the new state.
    bindChoice(
        this,
        {{ELine, EditMode::Line}, {EPoint, EditMode::Point}, {ELand, EditMode::Terrain}, {EGen, EditMode::General}},
        tools_.mode);
    bindChoice(
        this, {{PFix, PointTool::FixSoft}, {PMove, PointTool::Move}, {PNew, PointTool::New}, {PDel, PointTool::Delete}},
        tools_.pointTool);
    bindChoice(this, {{LRail, LineTool::RailToggle}, {LDraw, LineTool::Draw}, {LDel, LineTool::Delete}},
               tools_.lineTool);
    const std::pair<QCheckBox*, bool ToolState::*> switches[] = {{NewFixed, &ToolState::NewFixed},
                                                                 {DelAtLine, &ToolState::DelAtLine},
                                                                 {Snap, &ToolState::Snap},
                                                                 {LDrawRail, &ToolState::LDrawRail},
                                                                 {LineMDrawPoint, &ToolState::LineMDrawPoint},
                                                                 {FixLooksSoft, &ToolState::FixLooksSoft},
                                                                 {DrawFix, &ToolState::DrawFix}};
    for (auto [box, field] : switches) {
        tools_.*field = box->isChecked();
        connect(box, &QCheckBox::toggled, this, [this, field = field](bool on) { tools_.*field = on; });
    }
    connect(LCombo, &QComboBox::currentIndexChanged, this, [this](int i) { tools_.lineKind = std::max(0, i); });
    tools_.LandFix = LandFix->text().toStdString();
    connect(LandFix, &QLineEdit::textChanged, this, [this](const QString& t) { tools_.LandFix = t.toStdString(); });
}

void Form1::connectModes()
{
    onSelect(this, ELine, [this] { ELine_Click(); });
    onSelect(this, EPoint, [this] { EPoint_Click(); });
    onSelect(this, ELand, [this] { ELand_Click(); });
    onSelect(this, EGen, [this] { EGen_Click(); });
    onSelect(this, LDraw, [this] { LDraw_Click(); });
    onSelect(this, LRail, [this] { LRail_Click(); });
    onSelect(this, LDel, [this] { LDel_Click(); });
    onSelect(this, PFix, [this] { PFix_Click(); });
    onSelect(this, PMove, [this] { PMove_Click(); });
    onSelect(this, PNew, [this] { PNew_Click(); });
    onSelect(this, PDel, [this] { PDel_Click(); });
    // Check boxes react to changes made by code too.
    connect(LineMDrawPoint, &QCheckBox::toggled, this, [this] { LineMDrawPoint_Click(); });
    connect(FixLooksSoft, &QCheckBox::toggled, this, [this] { FixLooksSoft_Click(); });

    connect(MNewLine, &QAction::triggered, this, [this] {
        select(ELine);
        select(LDraw);
    });
    connect(MLine, &QAction::triggered, this, [this] { select(ELine); });
    connect(MDelLine, &QAction::triggered, this, [this] {
        select(ELine);
        select(LDel);
    });
    const std::pair<QAction*, QRadioButton*> pointTools[] = {
        {MNewPoint, PNew}, {MMovePoint, PMove}, {MFixSoft, PFix}, {MDelPoint, PDel}};
    for (auto [menu, tool] : pointTools)
        connect(menu, &QAction::triggered, this, [this, tool = tool] {
            select(EPoint);
            select(tool);
        });
    connect(MLand, &QAction::triggered, this, [this] { select(ELand); });
    connect(MGeneral, &QAction::triggered, this, [this] { select(EGen); });
}

void Form1::commit() { SaveDocument(DocumentSource::JournalState); }

void Form1::showPanel(ClickFrame* panel)
{
    for (ClickFrame* f : {FrameLE, FramePE, FrameLd, FrameGen})
        if (f != panel)
            f->hide();
    panel->show();
}

void Form1::endStrokeOnModeSwitch()
{
    // A stroke whose release arrives in another mode would otherwise stay open
    // and draw on every later move; its columns become a step of their own.
    if (tools_.TerrainDrag == 0)
        return;
    tools_.TerrainDrag = 0;
    nameStep("Terrain: Draw");
}

void Form1::enterStrokeMode(ClickFrame* panel, bool levelFree)
{
    if (doc.NPoints != 0) {
        endStrokeOnModeSwitch();
        Pic->LLL.color = trv::colorFromPacked(options_.ColorTable[trv::ColorSelected]);
        showPanel(panel);
        setPointer(trv::PointerShape::Default);
        select(LRail);
        if (levelFree)
            DrawFix->setChecked(false);
        commit();
    }
    Pic->setFocus();
}

void Form1::ELine_Click() { enterStrokeMode(FrameLE, false); }

void Form1::EPoint_Click()
{
    if (doc.NPoints == 0)
        return;
    endStrokeOnModeSwitch();
    showPanel(FramePE);
    setPointer(trv::PointerShape::Default);
    select(LRail);
    select(PFix);
    commit();
    Pic->setFocus();
}

void Form1::ELand_Click() { enterStrokeMode(FrameLd, true); }

void Form1::EGen_Click()
{
    if (doc.NPoints != 0) {
        endStrokeOnModeSwitch();
        showPanel(FrameGen);
        setPointer(trv::PointerShape::Default);
        select(LRail);
        commit();
    }
    Pic->setFocus();
}

void Form1::LDraw_Click()
{
    Pic->setFocus();
    tools_.LineStart = 0;
    LineMDrawPoint->setChecked(true); // points are shown while drawing
    Pic->LLL = {};
    Pic->LLL.color = trv::colorFromPacked(options_.ColorTable[trv::ColorSelected]);
    setPointer(trv::PointerShape::Default);
    Pic->refresh();
}

void Form1::LRail_Click()
{
    Pic->setFocus();
    tools_.LineStart = 0;
    // The line under way ends; a line of zero length shows nothing, so it is hidden.
    Pic->LLL = {};
    Pic->LLL.color = trv::colorFromPacked(options_.ColorTable[trv::ColorSelected]);
    Pic->Shap.visible = false;
    setPointer(trv::PointerShape::Default);
    Pic->refresh();
}

void Form1::LDel_Click() { LRail_Click(); }

// Choosing a point tool drops a picked-up point: the pointer takes the tool's
// shape and the view is drawn again.
void Form1::choosePointTool(trv::PointerShape shape)
{
    Pic->setFocus();
    if (doc.NPoints == 0)
        return;
    setPointer(shape);
    RenderView();
}

void Form1::PFix_Click() { choosePointTool(trv::PointerShape::Default); }

void Form1::PMove_Click() { PFix_Click(); }
void Form1::PDel_Click() { PFix_Click(); }

void Form1::PNew_Click() { choosePointTool(trv::PointerShape::Cross); }

void Form1::LineMDrawPoint_Click()
{
    // Before any document there is nothing to redraw.
    if (doc.NPoints != 0)
        commit();
}

void Form1::FixLooksSoft_Click() { LCombo->setVisible(tools_.FixLooksSoft); }
