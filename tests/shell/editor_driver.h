// Between the tests and the main window: its controls by their names, the
// state a test reads, and the few values a test sets directly to stage a case.
// Only this file and its .cpp know how the window keeps that state.
#pragma once
#include "colors.h"
#include "form1.h"

#include <gtest/gtest.h>

#include <QString>

#include <memory>

class Opt;

class EditorDriver {
public:
    std::unique_ptr<Form1> w;

    // A control of the main window, or of the options window, by its name.
    template <class T>
    T* ctl(const char* name) const
    {
        return found<T>(mainControl(name, [](QObject* o) { return qobject_cast<T*>(o) != nullptr; }), name);
    }
    template <class T>
    T* opt(const char* name) const
    {
        return found<T>(optionsControl(name, [](QObject* o) { return qobject_cast<T*>(o) != nullptr; }), name);
    }
    Opt* optWindow() const;

    // The document and what a load derives from it, the journal, the view.
    trv::Document& doc() const;
    const trv::DerivedTables& tables() const;
    trv::Journal& journal() const;
    const trv::ViewState& view() const;
    QString& chosenFile() const;
    // Tool, view and animation state.
    int lineStart() const;
    int terrainDrag() const;
    trv::PointerShape pointer() const;
    bool& layoutPending() const;
    bool valueBoxFocus() const;
    bool debugListFocus() const;
    int testTick() const;
    double& aboutTrainLeft() const;
    double& aboutSpeed() const;
    double aboutTargetX() const;
    int aboutPointerY() const;
    const std::vector<std::array<double, 3>>& springAccumulators() const;
    const trv::ColorTableArray& colorTable() const;
    int colorIndex() const;              // the entry the colour editor shows
    double windowPlacement(int k) const; // 1..6, as the settings file stores them
    QString statusText() const;          // what the status line says now

private:
    QObject* mainControl(const char* name, bool (*isA)(QObject*)) const;
    QObject* optionsControl(const char* name, bool (*isA)(QObject*)) const;
    template <class T>
    static T* found(QObject* o, const char* name)
    {
        if (!o) {
            ADD_FAILURE() << "the window has no control named " << name;
            std::abort();
        }
        return static_cast<T*>(o);
    }
};
