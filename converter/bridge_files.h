// Converting bridge files on disk: the one path from a .brg to its .bgb that
// both the window and the command line take, so they write the same bytes and
// give the same reasons.
#pragma once
#include <QString>
#include <QStringList>

namespace bgb {

// A .brg name in any letter case, with something before the extension.
bool hasBrgExtension(const QString& name);

// The .bgb beside a bridge: its name with the last three characters replaced.
QString bgbPathFor(const QString& brgPath);

// The names of the bridges a folder run converts: ordinary, not hidden, .brg
// in any letter case, in name order.
QStringList folderBridges(const QString& dir);

// Reads the bridge at `brgPath` (no more than the largest bridge), converts it
// and writes `bgbPath`. The old .bgb is replaced only once the new one is wholly
// on disk. Returns why it failed, or an empty string.
QString convertBridgeFile(const QString& brgPath, const QString& bgbPath);

} // namespace bgb
