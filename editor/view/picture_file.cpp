#include "picture_file.h"

#include "safe_file.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cctype>

namespace trv {

bool isPngName(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return tail == ".png";
}

QByteArray encodePicture(const QImage& image, bool png)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // RGB888 makes the BMP writer store 24 bits per pixel.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (!rgb.save(&buffer, png ? "PNG" : "BMP"))
        return {};
    return bytes;
}

bool savePicture(const QImage& image, const std::string& path, std::string* error, PictureFormat format, Origin origin)
{
    const bool png = format == PictureFormat::Png || (format == PictureFormat::ByName && isPngName(path));
    const QByteArray bytes = encodePicture(image, png);
    if (bytes.isEmpty()) {
        if (error)
            *error = "the picture cannot be encoded";
        return false;
    }
    return writeFileSafely(path, std::string_view(bytes.constData(), size_t(bytes.size())), error, Durability::Synced,
                           origin);
}

} // namespace trv
