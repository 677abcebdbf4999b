// Writing the drawing area's picture to a file: the one writer of the window's
// export, its folder export and the command line, so all write the same bytes.
#pragma once
#include "safe_file.h"

#include <QByteArray>

#include <string>

class QImage;

namespace trv {

// True when the name asks for a PNG picture (it ends in ".png", in any case);
// every other name gets a 24-bit BMP.
bool isPngName(const std::string& path);

// By the name's ending, or always the one named.
enum class PictureFormat { ByName, Png, Bmp };

// The picture's file bytes: a 24-bit BMP or PNG; empty when it cannot be encoded.
QByteArray encodePicture(const QImage& image, bool png);

// Writes the picture without touching any existing file unless every byte could
// be written; false with the reason in *error. A program-named target (a picture
// beside each document of a folder) is never written through a link.
bool savePicture(const QImage& image, const std::string& path, std::string* error = nullptr,
                 PictureFormat format = PictureFormat::ByName, Origin origin = Origin::UserNamed);

} // namespace trv
