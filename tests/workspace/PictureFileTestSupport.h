#pragma once

// Building BMP files byte by byte, and comparing pictures, for the picture file tests.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace glyph::test {

constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiRle8 = 1;
constexpr quint32 kBiRle4 = 2;
constexpr quint32 kBiBitfields = 3;

template <typename T>
void PutLittleEndian(QByteArray& out, T value) {
    out.resize(out.size() + qsizetype(sizeof(T)));
    qToLittleEndian(value, out.data() + out.size() - sizeof(T));
}

struct BmpShape {
    qint32 width = 1;
    qint32 height = 1;  // negative for top-down
    int bitsPerPixel = 24;
    quint32 compression = kBiRgb;
    QList<QRgb> palette = {};           // all of it is written and declared
    quint32 headerSize = 40;            // 12 for the OS/2 header
    std::array<quint32, 3> masks = {};  // red, green, blue; written for bit fields only
};

// A whole BMP file: file header, info header, masks, palette, then `pixels`.
inline QByteArray MakeBmp(const BmpShape& shape, const QByteArray& pixels) {
    const bool core = shape.headerSize == 12;
    const bool masksAfterHeader = shape.compression == kBiBitfields && shape.headerSize == 40;
    const quint32 offset = 14 + shape.headerSize + (masksAfterHeader ? 12 : 0) +
                           quint32(shape.palette.size()) * (core ? 3 : 4);
    QByteArray out("BM");
    for (quint32 field : {quint32(offset + pixels.size()), 0u, offset, shape.headerSize})
        PutLittleEndian(out, field);
    if (core) {
        for (int field : {shape.width, shape.height, 1, shape.bitsPerPixel})
            PutLittleEndian(out, quint16(field));
    } else {
        PutLittleEndian(out, shape.width);
        PutLittleEndian(out, shape.height);
        PutLittleEndian(out, quint16(1));
        PutLittleEndian(out, quint16(shape.bitsPerPixel));
        for (qsizetype field : {qsizetype(shape.compression), pixels.size(), qsizetype(2835),
                                qsizetype(2835), shape.palette.size(), qsizetype(0)})
            PutLittleEndian(out, quint32(field));
        QByteArray rest(shape.headerSize - 40, '\0');
        if (shape.headerSize >= 52) {
            for (int i = 0; i < 3; ++i) qToLittleEndian(shape.masks[i], rest.data() + 4 * i);
        }
        out.append(rest);
    }
    if (masksAfterHeader) {
        for (quint32 mask : shape.masks) PutLittleEndian(out, mask);
    }
    for (QRgb colour : shape.palette) {
        out.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour)));
        if (!core) out.append('\0');
    }
    return out.append(pixels);
}

// Rows given top to bottom, each padded to 4 bytes and stored in the file's order.
inline QByteArray StackRows(QList<QByteArray> rows, bool topDown) {
    if (!topDown) std::reverse(rows.begin(), rows.end());
    QByteArray out;
    for (QByteArray row : rows) out.append(row.append(QByteArray((4 - row.size() % 4) % 4, '\0')));
    return out;
}

// Palette indexes packed into bytes, the first pixel in the high bits.
inline QByteArray PackIndexes(const QList<int>& indexes, int bits) {
    QByteArray out((indexes.size() * bits + 7) / 8, '\0');
    for (int i = 0; i < indexes.size(); ++i) {
        const int bit = i * bits;
        out[bit / 8] = char(uchar(out[bit / 8]) | (indexes[i] << (8 - bits - bit % 8)));
    }
    return out;
}

// One row of a picture as 24-bit pixels.
inline QByteArray BgrRow(const QImage& image, int y) {
    QByteArray out;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb colour = image.pixel(x, y);
        out.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour)));
    }
    return out;
}

inline ::testing::AssertionResult SameImage(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    }
    if (actual.format() != QImage::Format_RGB32)
        return ::testing::AssertionFailure() << "format " << actual.format() << ", not RGB32";
    // The stored words, not pixel(): RGB32's unused top byte must be 0xFF too.
    const QImage want = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < want.height(); ++y) {
        const auto* got = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* wanted = reinterpret_cast<const QRgb*>(want.constScanLine(y));
        for (int x = 0; x < want.width(); ++x) {
            if (got[x] != wanted[x]) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << got[x]
                       << ", expected " << wanted[x];
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace glyph::test
