#include "output/PngEncode.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <vector>

#include "basics/Reasons.h"

namespace glyph {

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void Flush(png_structp) {}

}  // namespace

Result<QByteArray> EncodePng(const QImage& image, bool colouredGround) {
    const bool gray = image.format() == QImage::Format_Grayscale8;
    if (image.isNull() || (!gray && image.format() != QImage::Format_RGB32))
        return Error{ErrorKind::kCannotWrite, reasons::kCannotEncodePng};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return Error{ErrorKind::kCannotWrite, reasons::kCannotEncodePng};
    }
    const int width = image.width();
    QByteArray bytes;
    // Art compresses to about half; growing the buffer costs copies.
    bytes.reserve(qsizetype(width) * image.height() * (gray ? 1 : 3) / 2);
    std::vector<png_byte> row(std::size_t(width) * (gray ? 1 : 3));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Error{ErrorKind::kCannotWrite, reasons::kCannotEncodePng};
    }
    png_set_write_fn(png, &bytes, Append, Flush);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 gray ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Unfiltered, the plain ground is long runs of one byte, which run-length
    // coding takes at once.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, colouredGround ? PNG_FILTER_SUB : PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        if (gray) {
            png_write_row(png, line);
            continue;
        }
        const auto* pixels = reinterpret_cast<const QRgb*>(line);
        for (int x = 0; x < width; ++x) {
            row[std::size_t(x) * 3] = png_byte(qRed(pixels[x]));
            row[std::size_t(x) * 3 + 1] = png_byte(qGreen(pixels[x]));
            row[std::size_t(x) * 3 + 2] = png_byte(qBlue(pixels[x]));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

}  // namespace glyph
