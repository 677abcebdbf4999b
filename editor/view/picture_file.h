// Writing the drawing area's picture to a file: the one writer of the window's
// export, its folder export and the command line, so all write the same bytes.
#pragma once
#include <string>

class QImage;

namespace trv {

// True when the name asks for a PNG picture (it ends in ".png", in any case);
// every other name gets a 24-bit BMP.
bool isPngName(const std::string& path);

// By the name's ending, or always the one named.
enum class PictureFormat { ByName, Png, Bmp };

// Writes the picture without touching any existing file unless every byte could
// be written; false with the reason in *error.
bool savePicture(const QImage& image, const std::string& path, std::string* error = nullptr,
                 PictureFormat format = PictureFormat::ByName);

} // namespace trv
