#pragma once

// Picture files carrying an EXIF orientation, built byte by byte around what
// Qt's writers make: for the orientation and whole-picture tests.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <vector>

namespace glyph::test {

constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kShort = 3;
constexpr quint16 kLong = 4;
constexpr quint32 kTiffHeaderSize = 8;

// One IFD entry as written; a SHORT value goes in the first two bytes of the value field.
struct Entry {
    quint16 tag;
    quint16 type;
    quint32 count;
    quint32 value;
};

struct ExifShape {
    bool bigEndian = false;
    std::vector<Entry> entries;
    std::optional<quint32> ifdOffset;      // else right after the header
    std::optional<quint16> declaredCount;  // else the number of entries
    quint32 nextIfd = 0;
};

class Bytes {
  public:
    explicit Bytes(bool bigEndian) : bigEndian_(bigEndian) {}
    void Short(quint16 v) { Put(v); }
    void Long(quint32 v) { Put(v); }
    QByteArray& out() { return out_; }

  private:
    template <typename T>
    void Put(T value) {
        out_.resize(out_.size() + qsizetype(sizeof(T)));
        char* at = out_.data() + out_.size() - sizeof(T);
        bigEndian_ ? qToBigEndian(value, at) : qToLittleEndian(value, at);
    }
    bool bigEndian_;
    QByteArray out_;
};

inline QByteArray MakeExif(const ExifShape& shape) {
    Bytes b(shape.bigEndian);
    b.out() = shape.bigEndian ? "MM" : "II";
    b.Short(42);
    b.Long(shape.ifdOffset.value_or(kTiffHeaderSize));
    b.Short(shape.declaredCount.value_or(quint16(shape.entries.size())));
    for (const Entry& e : shape.entries) {
        b.Short(e.tag);
        b.Short(e.type);
        b.Long(e.count);
        if (e.type == kShort) {
            b.Short(quint16(e.value));
            b.Short(0);
        } else {
            b.Long(e.value);
        }
    }
    b.Long(shape.nextIfd);
    return b.out();
}

// A camera-like first IFD: the orientation between other entries, one of them a SHORT too.
inline ExifShape Camera(quint32 orientation, bool bigEndian, quint16 type = kShort,
                        quint32 count = 1) {
    ExifShape shape;
    shape.bigEndian = bigEndian;
    shape.entries = {{0x0100, kLong, 1, 640},
                     {kOrientationTag, type, count, orientation},
                     {0x0128, kShort, 1, 2}};
    return shape;
}

inline QByteArray Exif(quint32 orientation, bool bigEndian) {
    return MakeExif(Camera(orientation, bigEndian));
}

// A picture whose quadrants differ, so that every orientation shows.
inline QImage Quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colours[(x * 2 / width) + 2 * (y * 2 / height)]);
    }
    return image;
}

inline QByteArray Saved(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return buffer.data();
}

inline QByteArray BigEndian16(int v) {
    QByteArray out(2, '\0');
    qToBigEndian(quint16(v), out.data());
    return out;
}

inline QByteArray JpegSegment(uchar marker, const QByteArray& body) {
    return QByteArray(1, char(0xFF)) + char(marker) + BigEndian16(int(body.size()) + 2) + body;
}

inline QByteArray ExifSegment(const QByteArray& exif) {
    return JpegSegment(0xE1, QByteArray("Exif\0\0", 6) + exif);
}

// Right after the start of image, before Qt's own APP0.
inline QByteArray InJpeg(const QByteArray& segments, const QImage& image = Quadrants(64, 32)) {
    return Saved(image, "jpeg").insert(2, segments);
}

inline QByteArray PngChunk(const QByteArray& type, const QByteArray& data) {
    QByteArray out(4, '\0');
    qToBigEndian(quint32(data.size()), out.data());
    const QByteArray typed = type + data;
    QByteArray crc(4, '\0');
    qToBigEndian(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))),
        crc.data());
    return out + typed + crc;
}

inline QByteArray InPng(const QByteArray& chunk, const QImage& image = Quadrants(64, 32)) {
    QByteArray png = Saved(image, "png");
    return png.insert(png.indexOf("IDAT") - 4, chunk);
}

inline QByteArray RiffChunk(const QByteArray& type, const QByteArray& data) {
    QByteArray size(4, '\0');
    qToLittleEndian(quint32(data.size()), size.data());
    return type + size + data + (data.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

// The extended form cameras write: VP8X with the EXIF flag, Qt's pixels, then EXIF.
inline QByteArray InWebp(const QByteArray& exif, const QImage& image = Quadrants(64, 32)) {
    const QByteArray simple = Saved(image, "webp");
    EXPECT_EQ(simple.mid(12, 4), "VP8 ");
    QByteArray header(4, '\0');  // flags, EXIF among them, and reserved bits
    header[0] = 0x08;
    for (int side : {image.width() - 1, image.height() - 1}) {
        for (int shift : {0, 8, 16}) header.append(char((side >> shift) & 0xFF));  // 24 bits
    }
    QByteArray webp =
        "RIFF....WEBP" + RiffChunk("VP8X", header) + simple.mid(12) + RiffChunk("EXIF", exif);
    qToLittleEndian(quint32(webp.size() - 8), webp.data() + 4);
    return webp;
}

}  // namespace glyph::test
