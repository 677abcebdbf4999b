// Paths and file-dialog filters as text: no dialogs, no files touched.
#pragma once
#include <QString>
#include <QStringList>

// "Bridges (*.brg)|*.brg|Alle Dateien (*.*)|*.*" -> Qt's name filters. A pair
// without a pattern accepts every file.
QStringList qtFilters(QString filter);

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
