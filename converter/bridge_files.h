// Converting bridge files on disk: the one path from a .brg to its .bgb that
// both the window and the command line take, so they write the same bytes and
// give the same reasons.
#pragma once
#include <QString>

#include <string>
#include <vector>

namespace bgb {

// A .brg name in any letter case, with something before the extension.
bool hasBrgExtension(const QString& name);
bool hasBrgExtension(const std::string& name);

// The .bgb beside a bridge: its name with the last three characters replaced.
std::string bgbPathFor(const std::string& brgPath);

// The paths (bytes, not text: any name the folder holds) of the bridges a
// folder run converts: not hidden, no folder, .brg in any letter case, in name
// order. A link or special file is listed, for the run to refuse it. Empty,
// with the reason in *error, when the folder cannot be read.
std::vector<std::string> folderBridges(const std::string& dir, std::string* error = nullptr);

// Reads the bridge at `brgPath` (no more than the largest bridge), converts it
// and writes `bgbPath`. The old .bgb is replaced only once the new one is wholly
// on disk. The .bgb's name is derived from the bridge's, so it is never written
// through a link nor onto anything but a regular file of the user's own: a link
// planted beside the bridge cannot aim the write elsewhere. Returns why it
// failed, or an empty string. Paths are the file system's bytes.
QString convertBridgeFile(const std::string& brgPath, const std::string& bgbPath);
// The same for paths as text (a dropped or chosen file).
QString convertBridgeFile(const QString& brgPath, const QString& bgbPath);

} // namespace bgb
