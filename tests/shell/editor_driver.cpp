#include "editor_driver.h"

#include "opt.h"

#include <QStatusBar>

namespace {
QObject* firstNamed(QObject* root, const char* name, bool (*isA)(QObject*), QObject* skip)
{
    for (QObject* o : root->findChildren<QObject*>(QString::fromLatin1(name))) {
        bool inSkipped = false;
        for (QObject* p = o; p && !inSkipped; p = p->parent())
            inSkipped = p == skip;
        if (!inSkipped && isA(o))
            return o;
    }
    return nullptr;
}
} // namespace

QObject* EditorDriver::mainControl(const char* name, bool (*isA)(QObject*)) const
{
    return firstNamed(w.get(), name, isA, optWindow());
}

QObject* EditorDriver::optionsControl(const char* name, bool (*isA)(QObject*)) const
{
    return firstNamed(optWindow(), name, isA, nullptr);
}

Opt* EditorDriver::optWindow() const { return w->opt; }
trv::Document& EditorDriver::doc() const { return w->doc; }
const trv::DerivedTables& EditorDriver::tables() const { return w->tables; }
trv::Journal& EditorDriver::journal() const { return w->journal; }
const trv::ViewState& EditorDriver::view() const { return w->view; }
QString& EditorDriver::chosenFile() const { return w->ChosenFile; }
int EditorDriver::lineStart() const { return w->tools_.LineStart; }
int EditorDriver::terrainDrag() const { return w->tools_.TerrainDrag; }
trv::PointerShape EditorDriver::pointer() const { return w->tools_.pointer; }
bool& EditorDriver::layoutPending() const { return w->LayoutPending; }
bool EditorDriver::valueBoxFocus() const { return w->ValueBoxFocus; }
bool EditorDriver::debugListFocus() const { return w->DebugListFocus; }
int EditorDriver::testTick() const { return w->TestTick; }
double& EditorDriver::aboutTrainLeft() const { return w->AboutTrainLeft; }
double& EditorDriver::aboutSpeed() const { return w->AboutSpeed; }
const trv::ColorTableArray& EditorDriver::colorTable() const { return w->options_.ColorTable; }
int EditorDriver::colorIndex() const { return w->opt->ColorIndex; }
double EditorDriver::aboutTargetX() const { return w->AboutTargetX; }
int EditorDriver::aboutPointerY() const { return w->AboutPointerY; }
const std::vector<std::array<double, 3>>& EditorDriver::springAccumulators() const { return w->PntAcc; }
double EditorDriver::windowPlacement(int k) const { return w->WindowPlacement[size_t(k)]; }
QString EditorDriver::statusText() const { return w->statusBar()->currentMessage(); }
