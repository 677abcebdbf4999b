#include "picture_file.h"

#include "document.h"
#include "safe_file.h"

#include <QBuffer>
#include <QImage>

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

namespace trv {

namespace {

void appendBytes(png_structp png, png_bytep data, size_t size)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void flushNothing(png_structp) {}

// The rows of a 32-bit opaque image as an 8-bit RGB PNG, straight through libpng:
// Qt's writer would first look through every image plugin installed, which
// costs a thumbnail more than its picture. One filter (Up: the pictures are
// mostly rows repeated) and zlib's quickest level make the encoding several
// times quicker than Qt's for files about as large (a thumbnail smaller, a
// full picture half as large again).
bool encodePng(const QImage& image, std::string& out)
{
    std::vector<png_bytep> rows(std::size_t(image.height()));
    for (int r = 0; r < image.height(); ++r)
        rows[std::size_t(r)] = const_cast<png_bytep>(image.constScanLine(r));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    // A smaller window and hash than zlib's defaults: a quarter of the memory,
    // little difference to these pictures' size.
    png_set_compression_window_bits(png, 13);
    png_set_compression_mem_level(png, 6);
    png_write_info(png, info);
    // A pixel is 0xffRRGGBB in memory order: the filler byte is dropped.
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool isPngName(const std::string& path) { return endsWithNoCase(path, ".png"); }

QByteArray encodePicture(const QImage& image, bool png)
{
    if (image.isNull())
        return {};
    if (png) {
        std::string bytes;
        const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
        if (!encodePng(rgb, bytes))
            return {};
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // RGB888 makes the BMP writer store 24 bits per pixel.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (!rgb.save(&buffer, "BMP"))
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
