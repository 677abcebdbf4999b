// The export picture without a window: what the export preview frames and the
// folder export writes, drawn by the window's own renderer and layout numbers,
// so that the command line writes the same bytes as the window.
#pragma once
#include "options.h"

#include <QFont>
#include <QImage>
#include <QStringList>

#include <string>

namespace trv {
struct Document;
struct DerivedTables;
struct RenderInputs;
} // namespace trv

// The options' part of a render: colours, display switches, terrain, gradient,
// the preview and the file name.
void setDisplayOptions(trv::RenderInputs& in, const OptionValues& o);

// The export picture of a document as a freshly started editor shows it in its
// preview: point mode, position bars at 0, the opening zoom, the preview window
// at its full width of 50000 twips.
QImage exportPicture(const trv::Document& doc, const trv::DerivedTables& tables, const std::string& filePath,
                     const OptionValues& options);

// True for level and bridge names (".lvl" and ".brg" in any case): what a
// folder export takes and a drop on the window opens.
bool isDocumentName(const QString& path);
bool isDocumentName(const std::string& path);
// Where the folder export writes the picture of `path`: its last three letters become "bmp".
QString exportPictureName(const QString& path);
std::string exportPictureName(const std::string& path);
