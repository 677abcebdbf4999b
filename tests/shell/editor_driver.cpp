#include "editor_driver.h"

#include "opt.h"

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
int EditorDriver::useFile() const { return w->UseFile; }
QString& EditorDriver::chosenFile() const { return w->ChosenFile; }
int EditorDriver::lineStart() const { return w->LineStart; }
int EditorDriver::terrainDrag() const { return w->TerrainDrag; }
trv::PointerShape EditorDriver::pointer() const { return w->pointer; }
bool& EditorDriver::layoutPending() const { return w->LayoutPending; }
bool EditorDriver::valueBoxFocus() const { return w->ValueBoxFocus; }
bool EditorDriver::debugListFocus() const { return w->DebugListFocus; }
int EditorDriver::testTick() const { return w->TestTick; }
double& EditorDriver::aboutTrainLeft() const { return w->AboutTrainLeft; }
double& EditorDriver::aboutSpeed() const { return w->AboutSpeed; }
const trv::ColorTableArray& EditorDriver::colorTable() const { return w->ColorTable; }
