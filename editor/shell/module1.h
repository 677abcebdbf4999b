// The two file dialogs, taking the filter in its "description|pattern|..." form.
#pragma once
#include <QString>
#include <QStringList>

class Platform;
class QWidget;

// "Bridges (*.brg)|*.brg|Alle Dateien (*.*)|*.*" -> Qt's name filters. A pair
// without a pattern accepts every file.
QStringList qtFilters(QString filter);

// Both return the chosen path without surrounding blanks, or "" when cancelled.
QString ShowOpenDialog(Platform& p, QWidget* owner, const QString& filter, const QString& name, const QString& folder);
QString ShowSaveDialog(Platform& p, QWidget* owner, const QString& filter, const QString& name, const QString& folder,
                       bool confirm);

// A name whose fourth character from the end is a dot has a three-letter extension.
bool hasThreeLetterExtension(const QString& s);
bool endsWithNoCase(const QString& s, const QString& tail);
// The text without its last `n` characters.
QString withoutLast(const QString& s, qsizetype n);

// Splits a path at its last "/" or "\": the folder keeps the separator.
struct PathSplit {
    QString folder, name;
};
PathSplit splitPath(const QString& path);
