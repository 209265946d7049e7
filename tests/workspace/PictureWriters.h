#pragma once

#include <png.h>
#include <zlib.h>

#include <QByteArray>
#include <QImage>
#include <QtEndian>

#include <vector>

// Writers for the tests of formats whose files Qt cannot write as needed: PNG
// with interlacing or 16 bits (libpng itself), and GIF (Qt has no GIF writer).

namespace glyph::test {

struct PngOptions {
    bool interlaced = false;
    int bitDepth = 8;
    bool alpha = true;
};

inline void AppendToByteArray(png_structp png, png_bytep data, png_size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<char*>(data), qsizetype(length));
}

inline QByteArray WritePng(const QImage& image, PngOptions options = {}) {
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendToByteArray, nullptr);
    const int channels = options.alpha ? 4 : 3;
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()),
                 options.bitDepth, options.alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 options.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int bytes = options.bitDepth / 8;
    std::vector<std::vector<png_byte>> rows(std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int values[4] = {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
            for (int c = 0; c < channels; ++c) {
                for (int b = 0; b < bytes; ++b) rows[std::size_t(y)].push_back(png_byte(values[c]));
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_set_rows(png, info, pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

enum class ExifPlace { kBeforeRows, kAfterRows };

// An RGB PNG carrying `exif` as libpng writes it: given before png_write_info the chunk comes
// before the pixels; given after the rows, png_write_end puts it after them. A small
// `idatBytes` splits the pixels into many IDAT chunks.
inline QByteArray WritePngWithExif(const QImage& image, const QByteArray& exif, ExifPlace place,
                                   std::size_t idatBytes = 8192) {
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendToByteArray, nullptr);
    png_set_compression_buffer_size(png, idatBytes);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_byte> exifBytes(exif.begin(), exif.end());
    const auto setExif = [&] {
        png_set_eXIf_1(png, info, png_uint_32(exifBytes.size()), exifBytes.data());
    };
    if (place == ExifPlace::kBeforeRows) setExif();
    png_write_info(png, info);
    // libpng 1.6 would write it once more at the end.
    if (place == ExifPlace::kBeforeRows) png_free_data(png, info, PNG_FREE_EXIF, -1);
    std::vector<png_byte> row(std::size_t(image.width()) * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            row[std::size_t(x) * 3] = png_byte(qRed(p));
            row[std::size_t(x) * 3 + 1] = png_byte(qGreen(p));
            row[std::size_t(x) * 3 + 2] = png_byte(qBlue(p));
        }
        png_write_row(png, row.data());
    }
    if (place == ExifPlace::kAfterRows) setExif();
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// Rewrites the CRC of the chunk whose type starts at `typeAt`, after a patch.
inline QByteArray WithChunkCrc(QByteArray png, qsizetype typeAt) {
    const quint32 length = qFromBigEndian<quint32>(png.constData() + typeAt - 4);
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(png.constData() + typeAt), uInt(length + 4));
    quint32 big = qToBigEndian(quint32(crc));
    png.replace(typeAt + 4 + qsizetype(length), 4, reinterpret_cast<const char*>(&big), 4);
    return png;
}

// A GIF of an 8-bit picture, index 0 transparent. The codes stay 9 bits wide
// by starting the table afresh every 254 pixels.
inline QByteArray WriteGif(const QImage& indexed) {
    QByteArray out("GIF89a");
    const auto word = [&out](int v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
    word(indexed.width());
    word(indexed.height());
    out.append(char(0xF7)).append('\0').append('\0');  // a global table of 256 colours
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : 0;
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);  // index 0 is transparent
    out.append(',');
    word(0);
    word(0);
    word(indexed.width());
    word(indexed.height());
    out.append('\0').append(char(8));
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto code = [&](int value) {
        bits |= quint32(value) << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8) data.append(char(bits & 0xFF));
    };
    int sinceClear = 254;
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x, ++sinceClear) {
            if (sinceClear == 254) code(256), sinceClear = 0;
            code(indexed.pixelIndex(x, y));
        }
    }
    code(257);
    if (count > 0) data.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(char(block.size())).append(block);
    }
    return out.append('\0').append(';');
}

}  // namespace glyph::test
