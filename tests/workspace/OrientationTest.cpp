#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "ExifFiles.h"
#include "PictureWriters.h"
#include "picture/Orientation.h"
#include "picture/PictureFormats.h"

namespace glyph {
namespace {

constexpr int kHeadBound = 256 * 1024;
using namespace test;

// Reads the orientation and checks the device was left where it was.
Orientation Read(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const Orientation orientation = ReadOrientation(buffer);
    EXPECT_EQ(buffer.pos(), 0);
    return orientation;
}

Orientation O(int value) { return Orientation(value); }

// Where the stored pixel lands once upright, moved by the axes the cell
// reader walks the stored picture by.
QPoint UprightPoint(QPoint stored, QSize storedSize, Orientation orientation) {
    const UprightAxes axes = AxesOf(orientation);
    const QPoint reflected(axes.reflectsX ? storedSize.width() - 1 - stored.x() : stored.x(),
                           axes.reflectsY ? storedSize.height() - 1 - stored.y() : stored.y());
    return axes.swapsSides ? reflected.transposed() : reflected;
}

TEST(OrientationFiles, EveryValueInBothByteOrdersFromJpeg) {
    for (bool big : {false, true}) {
        for (int value = 1; value <= 8; ++value)
            EXPECT_EQ(Read(InJpeg(ExifSegment(Exif(value, big)))), O(value)) << value << big;
    }
}

// Qt applies the EXIF orientation of a JPEG itself: the upright picture it gives is where
// UprightSize and the upright axes put the stored pixels.
TEST(OrientationFiles, JpegUprightAsQtShowsIt) {
    const QImage stored = Quadrants(64, 32);
    for (bool big : {false, true}) {
        for (int value = 1; value <= 8; ++value) {
            const QByteArray jpeg = InJpeg(ExifSegment(Exif(value, big)), stored);
            QBuffer buffer;
            buffer.setData(jpeg);
            buffer.open(QIODevice::ReadOnly);
            const Orientation orientation = ReadOrientation(buffer);
            QImageReader reader(&buffer, "jpeg");
            reader.setAutoTransform(true);
            const QImage upright = reader.read();
            ASSERT_EQ(UprightSize(stored.size(), orientation), upright.size()) << value;
            for (QPoint p : {QPoint(16, 8), QPoint(48, 8), QPoint(16, 24), QPoint(48, 24)}) {
                const QRgb want = stored.pixel(p);
                const QRgb got = upright.pixel(UprightPoint(p, stored.size(), orientation));
                EXPECT_LT(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                              std::abs(qBlue(got) - qBlue(want)),
                          30)
                    << value << " at " << p.x() << "," << p.y();
            }
        }
    }
}

TEST(OrientationFiles, JpegSegmentsBeforeTheExifOneAreSkipped) {
    const QByteArray xmp = JpegSegment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0<x/>", 33));
    const QByteArray comment = JpegSegment(0xFE, "made by hand");
    const QByteArray fill("\xFF\xFF", 2);  // fill bytes before a marker
    EXPECT_EQ(Read(InJpeg(xmp + comment + fill + ExifSegment(Exif(6, false)))), O(6));
    // Only the first EXIF segment counts; one after the scan is not looked for.
    EXPECT_EQ(Read(InJpeg(ExifSegment(Exif(3, true)) + ExifSegment(Exif(8, true)))), O(3));
    QByteArray afterScan = Saved(Quadrants(64, 32), "jpeg");
    afterScan.insert(afterScan.indexOf("\xFF\xDA"), ExifSegment(Exif(5, false)));
    EXPECT_EQ(Read(afterScan), O(5));
    afterScan = Saved(Quadrants(64, 32), "jpeg");
    afterScan.insert(afterScan.size() - 2, ExifSegment(Exif(5, false)));
    EXPECT_EQ(Read(afterScan), Orientation::kNormal);
}

TEST(OrientationFiles, PngWebpAndTiff) {
    for (bool big : {false, true}) {
        EXPECT_EQ(Read(InPng(PngChunk("eXIf", Exif(6, big)))), O(6));
        EXPECT_EQ(Read(InWebp(Exif(8, big))), O(8));
        EXPECT_EQ(Read(MakeExif(Camera(7, big))), O(7));  // a TIFF header and IFD, no pixels
    }
    // Writers that keep the JPEG segment's prefix.
    EXPECT_EQ(Read(InPng(PngChunk("eXIf", QByteArray("Exif\0\0", 6) + Exif(3, false)))), O(3));
    EXPECT_EQ(Read(InWebp(QByteArray("Exif\0\0", 6) + Exif(2, true))), O(2));
    // An odd-sized chunk before EXIF is padded.
    QByteArray webp = InWebp(Exif(4, false));
    webp.insert(webp.indexOf("EXIF"), RiffChunk("ICCP", "abc"));
    qToLittleEndian(quint32(webp.size() - 8), webp.data() + 4);
    EXPECT_EQ(Read(webp), O(4));
    // eXIf after the pixels counts as much as before them.
    QByteArray late = Saved(Quadrants(64, 32), "png");
    late.insert(late.indexOf("IEND") - 4, PngChunk("eXIf", Exif(6, false)));
    EXPECT_EQ(Read(late), O(6));
}

qsizetype Count(const QByteArray& bytes, const char* what) {
    qsizetype count = 0;
    for (qsizetype at = bytes.indexOf(what); at >= 0; at = bytes.indexOf(what, at + 1)) ++count;
    return count;
}

// libpng puts eXIf before the pixels or, given after the rows, between the last IDAT and
// IEND; the pixels in many small IDAT chunks are stepped over, in a file as in a buffer.
TEST(OrientationFiles, PngAsLibpngWritesItBeforeOrAfterThePixels) {
    QTemporaryDir dir;
    QImage picture(64, 32, QImage::Format_RGB32);  // noise, which compresses to many chunks
    quint32 noise = 1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, noise = noise * 1664525 + 1013904223);
    }
    for (const ExifPlace place : {ExifPlace::kBeforeRows, ExifPlace::kAfterRows}) {
        for (int value : {3, 6, 8}) {
            const bool big = value == 6;
            const QByteArray png = WritePngWithExif(picture, Exif(quint32(value), big), place, 64);
            ASSERT_GT(Count(png, "IDAT"), 20);
            ASSERT_EQ(Count(png, "eXIf"), 1);
            ASSERT_EQ(png.indexOf("eXIf") < png.indexOf("IDAT"), place == ExifPlace::kBeforeRows);
            EXPECT_EQ(Read(png), O(value)) << value;
            QFile file(dir.filePath("tagged.png"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(png);
            file.close();
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(ReadOrientation(file), O(value)) << value;
            EXPECT_EQ(file.pos(), 0);
        }
    }
}

// The files built above are pictures Qt still reads at their size.
TEST(OrientationFiles, BuiltFilesArePictures) {
    const QByteArray exif = Exif(6, true);
    const QByteArray files[] = {InJpeg(ExifSegment(exif)), InPng(PngChunk("eXIf", exif)),
                                InWebp(exif)};
    for (const QByteArray& file : files) {
        QBuffer buffer;
        buffer.setData(file);
        QImageReader reader(&buffer);
        reader.setAutoTransform(false);
        EXPECT_EQ(reader.read().size(), QSize(64, 32)) << reader.errorString().toStdString();
    }
}

TEST(OrientationFiles, TiffAsQtWritesItWithItsIfdAfterThePixels) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.tiff");
    {
        QImageWriter writer(path, "tiff");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        ASSERT_TRUE(writer.write(Quadrants(400, 300)));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_GT(qFromLittleEndian<quint32>(file.peek(8).constData() + 4), quint32(kHeadBound));
    EXPECT_EQ(ReadOrientation(file), Orientation::kRotated90);
    EXPECT_EQ(file.pos(), 0);
    QImageReader reader(&file, "tiff");
    EXPECT_EQ(reader.read().size(), QSize(400, 300));
}

TEST(OrientationFiles, OtherFormatsAndNoExifAreNormal) {
    EXPECT_EQ(Read(Saved(Quadrants(8, 8), "jpeg")), Orientation::kNormal);
    EXPECT_EQ(Read(Saved(Quadrants(8, 8), "png")), Orientation::kNormal);
    EXPECT_EQ(Read(Saved(Quadrants(8, 8), "webp")), Orientation::kNormal);
    EXPECT_EQ(Read(Saved(Quadrants(8, 8), "bmp")), Orientation::kNormal);
    EXPECT_EQ(Read(QByteArray()), Orientation::kNormal);
    EXPECT_EQ(Read(QByteArray("\xFF\xD8\xFF", 3)), Orientation::kNormal);
    EXPECT_EQ(Read("RIFF\xFF\xFF\xFF\xFFWEBP"), Orientation::kNormal);
    EXPECT_EQ(Read("II*"), Orientation::kNormal);
}

// A stream is not consumed: what was peeked is still there to read.
TEST(OrientationFiles, ASequentialDeviceKeepsItsBytes) {
    class Stream : public QIODevice {
      public:
        explicit Stream(QByteArray bytes) : bytes_(std::move(bytes)) {}
        bool isSequential() const override { return true; }

      protected:
        qint64 readData(char* data, qint64 maxSize) override {
            const qint64 n = std::min(maxSize, qint64(bytes_.size()) - taken_);
            std::copy_n(bytes_.constData() + taken_, n, data);
            taken_ += n;
            return n;
        }
        qint64 writeData(const char*, qint64) override { return -1; }

      private:
        QByteArray bytes_;
        qint64 taken_ = 0;
    };
    const QByteArray jpeg = InJpeg(ExifSegment(Exif(5, false)));
    Stream stream(jpeg);
    stream.open(QIODevice::ReadOnly);
    EXPECT_EQ(ReadOrientation(stream), O(5));
    EXPECT_EQ(stream.readAll(), jpeg);
}

TEST(OrientationHostile, DamagedTagIsNormal) {
    for (bool big : {false, true}) {
        for (quint32 value : {0u, 9u, 65535u})
            EXPECT_EQ(Read(InJpeg(ExifSegment(Exif(value, big)))), Orientation::kNormal) << value;
        // In little-endian order a LONG 6 has 6 in its first two bytes too.
        EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(Camera(6, big, kLong))))), Orientation::kNormal);
        EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(Camera(6, big, kShort, 2))))),
                  Orientation::kNormal);
        EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(Camera(6, big, kShort, 0))))),
                  Orientation::kNormal);
        // Neither II nor MM, or not 42.
        QByteArray mixed = Exif(6, big);
        mixed[1] = big ? 'I' : 'M';
        EXPECT_EQ(Read(InJpeg(ExifSegment(mixed))), Orientation::kNormal);
        QByteArray bigTiff = Exif(6, big);
        bigTiff[big ? 3 : 2] = 43;
        EXPECT_EQ(Read(InJpeg(ExifSegment(bigTiff))), Orientation::kNormal);
    }
}

TEST(OrientationHostile, CutExifIsNormal) {
    const QByteArray exif = Exif(6, true);
    const int ifdEnd = int(kTiffHeaderSize) + 2 + 3 * 12;
    for (int length = 0; length < ifdEnd; ++length) {
        const QByteArray cut = exif.left(length);
        EXPECT_EQ(Read(InJpeg(ExifSegment(cut))), Orientation::kNormal) << length;
        EXPECT_EQ(Read(InPng(PngChunk("eXIf", cut))), Orientation::kNormal) << length;
        EXPECT_EQ(Read(InWebp(cut)), Orientation::kNormal) << length;
        EXPECT_EQ(Read(cut), Orientation::kNormal) << length;
    }
    // The file itself cut inside the EXIF segment.
    const QByteArray jpeg = InJpeg(ExifSegment(exif));
    for (int length = 0; length < 4 + 6 + ifdEnd; ++length)
        EXPECT_EQ(Read(jpeg.left(length)), Orientation::kNormal) << length;
}

TEST(OrientationHostile, IfdOffsetsAndCountsOutOfPlace) {
    for (bool big : {false, true}) {
        ExifShape shape = Camera(6, big);
        for (quint32 offset : {0u, 4u, 7u, 50u, 0x7FFFFFFFu, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
            shape.ifdOffset = offset;
            EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(shape)))), Orientation::kNormal) << offset;
            EXPECT_EQ(Read(MakeExif(shape)), Orientation::kNormal) << offset;
        }
        shape = Camera(6, big);
        shape.declaredCount = 65535;
        EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(shape)))), Orientation::kNormal);
        EXPECT_EQ(Read(MakeExif(shape)), Orientation::kNormal);
        // A first IFD that links to itself: the tag in it is found, and nothing loops.
        shape = Camera(6, big);
        shape.nextIfd = kTiffHeaderSize;
        EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(shape)))), O(6));
        shape.entries.erase(shape.entries.begin() + 1);
        EXPECT_EQ(Read(InJpeg(ExifSegment(MakeExif(shape)))), Orientation::kNormal);
        EXPECT_EQ(Read(MakeExif(shape)), Orientation::kNormal);
    }
}

// A TIFF's IFD may hold every one of 65535 entries: the tag last is still read.
TEST(OrientationHostile, FullestIfd) {
    ExifShape shape;
    shape.entries.assign(65535, Entry{0x9000, kShort, 1, 0});
    shape.entries.back() = {kOrientationTag, kShort, 1, 8};
    EXPECT_EQ(Read(MakeExif(shape)), O(8));
    EXPECT_EQ(Read(MakeExif(shape).chopped(5)), Orientation::kNormal);  // last entry cut
}

TEST(OrientationHostile, HugeOrCutLengths) {
    const QByteArray exif = Exif(6, false);
    // An APP1 segment longer than the file.
    QByteArray jpeg = InJpeg(ExifSegment(exif));
    jpeg[4] = char(0xFF);
    jpeg[5] = char(0xFF);
    EXPECT_EQ(Read(jpeg), Orientation::kNormal);
    // Lengths 0 and 1 would step backwards.
    for (int length : {0, 1}) {
        QByteArray tiny = InJpeg(ExifSegment(exif));
        tiny.replace(4, 2, BigEndian16(length));
        EXPECT_EQ(Read(tiny), Orientation::kNormal) << length;
    }
    for (quint32 length : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF4u}) {
        QByteArray chunk = PngChunk("tEXt", QByteArray("a\0b", 3));
        qToBigEndian(length, chunk.data());
        EXPECT_EQ(Read(InPng(chunk + PngChunk("eXIf", exif))), Orientation::kNormal) << length;
        QByteArray webp = InWebp(exif);
        qToLittleEndian(length, webp.data() + webp.indexOf("EXIF") + 4);
        EXPECT_EQ(Read(webp), Orientation::kNormal) << length;
        webp = InWebp(exif);
        qToLittleEndian(length, webp.data() + webp.indexOf("VP8 ") + 4);
        EXPECT_EQ(Read(webp), Orientation::kNormal) << length;
    }
    // A RIFF size that ends before the EXIF chunk.
    QByteArray webp = InWebp(exif);
    qToLittleEndian(quint32(webp.indexOf("EXIF") - 8 + 4), webp.data() + 4);
    EXPECT_EQ(Read(webp), Orientation::kNormal);
}

// Past a JPEG's first 256 KiB nothing is looked at, however long the segments go on. A PNG's
// chunks are stepped over by their lengths, however long, but only so many of them.
TEST(OrientationHostile, ExifPastTheBoundIsNotRead) {
    QByteArray comments;
    while (comments.size() < kHeadBound) comments += JpegSegment(0xFE, QByteArray(65000, 'c'));
    EXPECT_EQ(Read(InJpeg(comments + ExifSegment(Exif(6, false)))), Orientation::kNormal);
    QByteArray png = Saved(Quadrants(8, 8), "png");
    png.insert(png.indexOf("IDAT") - 4,
               PngChunk("tEXt", QByteArray(kHeadBound, 'c')) + PngChunk("eXIf", Exif(6, false)));
    EXPECT_EQ(Read(png), O(6));
    const QByteArray empty = PngChunk("zzZz", {});
    for (const auto& [chunks, found] : {std::pair{1000, true}, std::pair{300'000, false}}) {
        QByteArray many = Saved(Quadrants(8, 8), "png");
        many.insert(many.indexOf("IEND") - 4,
                    empty.repeated(chunks) + PngChunk("eXIf", Exif(6, false)));
        EXPECT_EQ(Read(many), found ? O(6) : Orientation::kNormal) << chunks;
    }
}

// A damaged eXIf is passed over, before the pixels or after them; so is one whose length runs
// past the file's end, which must not be read into memory first.
TEST(OrientationHostile, PngExifWithABadCrcOrLengthIsIgnored) {
    const QImage picture = Quadrants(64, 32).convertToFormat(QImage::Format_RGB32);
    for (const ExifPlace place : {ExifPlace::kBeforeRows, ExifPlace::kAfterRows}) {
        const QByteArray png = WritePngWithExif(picture, Exif(6, true), place);
        const qsizetype type = png.indexOf("eXIf");
        const quint32 length = qFromBigEndian<quint32>(png.constData() + type - 4);
        ASSERT_EQ(Read(png), O(6));
        QByteArray badCrc = png;
        badCrc[type + 4 + qsizetype(length)] ^= 0x01;
        EXPECT_EQ(Read(badCrc), Orientation::kNormal);
        QByteArray badData = png;
        badData[type + 4 + qsizetype(length) - 1] ^= 0x01;  // past the orientation's entry
        EXPECT_EQ(Read(badData), Orientation::kNormal);
        for (quint32 huge : {0x65586966u, 0x7FFFFFFFu}) {
            QByteArray claims = png;
            qToBigEndian(huge, claims.data() + type - 4);
            EXPECT_EQ(Read(claims), Orientation::kNormal) << huge;
        }
    }
}

// Any one byte of the EXIF segment changed: still a value 1..8, and the device back at 0
// (and, under AddressSanitizer, nothing read outside the buffers).
TEST(OrientationHostile, EveryByteDamaged) {
    const QByteArray segment = ExifSegment(Exif(6, false));
    const QByteArray wrappers[] = {InJpeg(segment), InPng(PngChunk("eXIf", Exif(6, true))),
                                   InWebp(Exif(6, true)), Exif(6, true)};
    for (const QByteArray& file : wrappers) {
        for (int at = 0; at < std::min<int>(int(file.size()), 200); ++at) {
            for (char value : {'\0', '\x01', '\x7F', '\x80', '\xFF'}) {
                QByteArray damaged = file;
                damaged[at] = value;
                const int got = int(Read(damaged));
                EXPECT_TRUE(got >= 1 && got <= 8) << at;
            }
        }
    }
}

// The upright picture as the EXIF definition describes each value, made with Qt's own
// mirroring and rotation.
QImage UprightByQt(const QImage& stored, Orientation orientation) {
    const auto rotated = [](const QImage& image, int degrees) {
        return image.transformed(QTransform().rotate(degrees));
    };
    switch (orientation) {
        case Orientation::kNormal:
            return stored;
        case Orientation::kMirrored:
            return stored.mirrored(true, false);
        case Orientation::kRotated180:
            return rotated(stored, 180);
        case Orientation::kFlipped:
            return stored.mirrored(false, true);
        case Orientation::kTransposed:
            return rotated(stored.mirrored(true, false), 270);
        case Orientation::kRotated90:
            return rotated(stored, 90);
        case Orientation::kTransverse:
            return rotated(stored.mirrored(true, false), 90);
        case Orientation::kRotated270:
            return rotated(stored, 270);
    }
    return {};
}

TEST(OrientationUpright, EveryPixelOfAThreeByTwoPicture) {
    const QSize size(3, 2);
    QImage stored(size, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) stored.setPixel(x, y, qRgb(x * 80, y * 80, 7));
    }
    for (int value = 1; value <= 8; ++value) {
        const QImage upright = UprightByQt(stored, O(value));
        ASSERT_EQ(UprightSize(size, O(value)), upright.size()) << value;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                const QPoint to = UprightPoint({x, y}, size, O(value));
                ASSERT_TRUE(upright.rect().contains(to)) << value;
                EXPECT_EQ(upright.pixel(to), stored.pixel(x, y)) << value << " " << x << "," << y;
            }
        }
    }
    // As the definition words it: 6's stored top-left corner goes to the top right.
    EXPECT_EQ(UprightPoint({0, 0}, size, Orientation::kRotated90), QPoint(1, 0));
    EXPECT_EQ(UprightPoint({0, 0}, size, Orientation::kRotated270), QPoint(0, 2));
}

}  // namespace
}  // namespace glyph
