#include "picture/PictureFile.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

#include "PictureFileTestSupport.h"
#include "document/Convert.h"
#include "engine/CharRamp.h"

namespace glyph {
namespace {

using test::BgrRow;
using test::BmpShape;
using test::MakeBmp;
using test::PackIndexes;
using test::SameImage;
using test::StackRows;

constexpr QRgb kBlack = 0xFF000000;  // what a file's missing pixels show
const QSize kRegion(100, 100);

// The value of a read, or a null value when it failed, so that one check covers both.
template <typename T>
T ValueOf(const Result<T>& read) {
    return read ? *read : T();
}
template <typename T>
QString ReasonOf(const Result<T>& read) {
    return read ? QString() : read.error().reason;
}
QImage RegionOf(const QString& path, QSize region) {
    return ValueOf(ReadPictureRegion(path, region));
}
QSize SizeOf(const QString& path) { return ValueOf(ReadPictureSize(path)); }

// Never black, so that a missing pixel cannot pass for a written one.
QRgb Colour(int x, int y) {
    return qRgb(40 + x * 19 % 200, 30 + y * 41 % 200, 20 + (x + y) * 29 % 200);
}

QImage ImageOf(int width, int height, const std::function<QRgb(int, int)>& colour) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.setPixel(x, y, colour(x, y));
    }
    return image;
}

QByteArray Encode(const QImage& image, const char* format, int quality = 90) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

QImage WholeDecode(const QString& path) {
    return QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
}

class PictureFileTest : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    QTemporaryDir dir_;
};

// Sets Qt's allocation limit, in megabytes, for one test.
class AllocationLimit {
  public:
    explicit AllocationLimit(int megabytes) { QImageReader::setAllocationLimit(megabytes); }
    ~AllocationLimit() { QImageReader::setAllocationLimit(saved_); }

  private:
    int saved_ = QImageReader::allocationLimit();
};

TEST_F(PictureFileTest, PalettedBmpsGiveTheirPixelsInEveryDepthHeaderAndOrder) {
    constexpr int kWidth = 13;  // odd, so rows end inside a byte and need padding
    constexpr int kHeight = 5;
    for (int bits : {1, 4, 8}) {
        const auto index = [&](int x, int y) { return (x * 3 + y * 5) % (1 << bits); };
        QList<QByteArray> rows;
        for (int y = 0; y < kHeight; ++y) {
            QList<int> indexes;
            for (int x = 0; x < kWidth; ++x) indexes.append(index(x, y));
            rows.append(PackIndexes(indexes, bits));
        }
        BmpShape shape{kWidth, kHeight, bits};
        for (int i = 0; i < (1 << bits); ++i) shape.palette.append(qRgb(i, 255 - i, 99));
        const QImage expected =
            ImageOf(kWidth, kHeight, [&](int x, int y) { return shape.palette[index(x, y)]; });
        for (quint32 headerSize : {12u, 40u}) {
            for (bool topDown : {false, true}) {
                if (headerSize == 12 && topDown) continue;  // the OS/2 header has no sign
                shape.headerSize = headerSize;
                shape.height = topDown ? -kHeight : kHeight;
                const QString path = Write("indexed.bmp", MakeBmp(shape, StackRows(rows, topDown)));
                SCOPED_TRACE(testing::Message() << bits << " bits, header " << headerSize
                                                << (topDown ? ", top-down" : ", bottom-up"));
                EXPECT_TRUE(SameImage(RegionOf(path, kRegion), expected));
                EXPECT_EQ(SizeOf(path), QSize(kWidth, kHeight));
            }
        }
    }
}

TEST_F(PictureFileTest, DirectColourBmpsScaleEveryChannelToEightBits) {
    struct Case {
        const char* name;
        quint32 headerSize;
        int bits;
        quint32 compression;
        std::array<quint32, 3> masks;  // as the reader must take them
    };
    const Case cases[] = {
        {"16-bit 5-5-5", 40, 16, test::kBiRgb, {0x7C00, 0x03E0, 0x001F}},
        {"16-bit 5-6-5 masks", 40, 16, test::kBiBitfields, {0xF800, 0x07E0, 0x001F}},
        {"16-bit 4-4-4 in V5", 124, 16, test::kBiBitfields, {0x0F00, 0x00F0, 0x000F}},
        {"32-bit BGRX", 40, 32, test::kBiRgb, {0xFF0000, 0x00FF00, 0x0000FF}},
        {"32-bit RGBX masks", 40, 32, test::kBiBitfields, {0x0000FF, 0x00FF00, 0xFF0000}},
        {"32-bit 10-10-10 in V4", 108, 32, test::kBiBitfields, {0x3FF00000, 0x000FFC00, 0x3FF}},
    };
    constexpr int kWidth = 7;
    constexpr int kHeight = 3;
    for (const Case& c : cases) {
        // Channel values at their stored width, placed where the masks say.
        const auto value = [&](int x, int y, int channel) {
            const quint32 max = c.masks[channel] >> std::countr_zero(c.masks[channel]);
            return quint32((x * 37 + y * 91 + channel * 53) % (max + 1));
        };
        QList<QByteArray> rows;
        for (int y = 0; y < kHeight; ++y) {
            QByteArray row;
            for (int x = 0; x < kWidth; ++x) {
                quint32 pixel = c.bits == 32 ? 0xC0000000 : 0;  // unused bits must not count
                for (int i = 0; i < 3; ++i) pixel |= value(x, y, i) << std::countr_zero(c.masks[i]);
                c.bits == 16 ? test::PutLittleEndian(row, quint16(pixel))
                             : test::PutLittleEndian(row, pixel);
            }
            rows.append(row);
        }
        // The nearest 8-bit level.
        const auto level = [&](int x, int y, int i) {
            const double max = (quint64(1) << std::popcount(c.masks[i])) - 1;
            return int(std::lround(value(x, y, i) * 255.0 / max));
        };
        const QImage expected = ImageOf(kWidth, kHeight, [&](int x, int y) {
            return qRgb(level(x, y, 0), level(x, y, 1), level(x, y, 2));
        });
        for (bool topDown : {false, true}) {
            const BmpShape shape{
                kWidth, topDown ? -kHeight : kHeight, c.bits, c.compression, {}, c.headerSize,
                c.masks};
            const QString path = Write("direct.bmp", MakeBmp(shape, StackRows(rows, topDown)));
            SCOPED_TRACE(testing::Message() << c.name << (topDown ? ", top-down" : ", bottom-up"));
            EXPECT_TRUE(SameImage(RegionOf(path, kRegion), expected));
        }
    }
}

TEST_F(PictureFileTest, RegionIsTheTopLeftCornerPixelForPixel) {
    for (QSize size : {QSize(300, 200), QSize(300, 50), QSize(60, 250)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        const QImage rgb = ImageOf(size.width(), size.height(), Colour);
        const QRect corner(QPoint(), size.boundedTo(kRegion));
        // Qt writes these as 24-bit, 8-bit paletted and 32-bit BMPs; alpha is not looked at.
        QImage argb = rgb.convertToFormat(QImage::Format_ARGB32);
        argb.setPixel(3, 4, qRgba(10, 20, 30, 0));
        for (const QImage& source : {rgb, rgb.convertToFormat(QImage::Format_Indexed8), argb}) {
            const QString path = Write("corner.bmp", Encode(source, "BMP"));
            const QImage expected = ImageOf(size.width(), size.height(), [&](int x, int y) {
                return source.pixel(x, y) | kBlack;
            });
            EXPECT_TRUE(SameImage(RegionOf(path, kRegion), expected.copy(corner)))
                << "format " << source.format();
            EXPECT_EQ(SizeOf(path), size);
        }
        // The same decoder reads the whole JPEG: a clip must not change a single pixel.
        const QString jpeg = Write("corner.jpg", Encode(rgb, "JPEG"));
        EXPECT_TRUE(SameImage(RegionOf(jpeg, kRegion), WholeDecode(jpeg).copy(corner)));
        EXPECT_EQ(SizeOf(jpeg), size);
    }
}

TEST_F(PictureFileTest, RegionsAnywhereInThePictureAreCutPixelForPixel) {
    constexpr int kWidth = 141;  // odd, so that packed rows end inside a byte
    constexpr int kHeight = 123;
    const QImage rgb = ImageOf(kWidth, kHeight, Colour);
    const QRect rects[] = {QRect(1, 1, 100, 100), QRect(41, 23, 100, 100), QRect(7, 3, 5, 120),
                           QRect(140, 122, 1, 1), QRect(130, 0, 100, 100)};
    for (bool topDown : {false, true}) {
        for (int bits : {1, 4, 8, 24}) {
            const int colours = bits == 24 ? 0 : 1 << bits;
            BmpShape shape{kWidth, topDown ? -kHeight : kHeight, bits};
            for (int i = 0; i < colours; ++i) shape.palette.append(qRgb(i, 255 - i, 3 * i % 256));
            const auto pixel = [&](int x, int y) {
                return colours ? shape.palette[(x * 7 + y * 3) % colours] : rgb.pixel(x, y);
            };
            QList<QByteArray> rows;
            for (int y = 0; y < kHeight; ++y) {
                QList<int> indexes;
                for (int x = 0; x < kWidth; ++x)
                    indexes.append((x * 7 + y * 3) % std::max(colours, 1));
                rows.append(colours ? PackIndexes(indexes, bits) : BgrRow(rgb, y));
            }
            const QString path = Write("rect.bmp", MakeBmp(shape, StackRows(rows, topDown)));
            const QImage whole = ImageOf(kWidth, kHeight, pixel);
            for (const QRect& rect : rects) {
                SCOPED_TRACE(testing::Message() << bits << " bits " << (topDown ? "top-down" : "")
                                                << " at " << rect.x() << "," << rect.y());
                EXPECT_TRUE(SameImage(ValueOf(ReadPictureRegion(path, rect)),
                                      whole.copy(rect & whole.rect())));
            }
        }
    }
    const QString jpeg = Write("rect.jpg", Encode(rgb, "JPEG"));
    for (const QRect& rect : rects) {
        EXPECT_TRUE(SameImage(ValueOf(ReadPictureRegion(jpeg, rect)),
                              WholeDecode(jpeg).copy(rect & rgb.rect())));
    }
    // A rectangle outside the picture holds nothing to read.
    EXPECT_FALSE(ReadPictureRegion(jpeg, QRect(141, 0, 10, 10)).ok());
    EXPECT_FALSE(ReadPictureRegion(Write("r.bmp", Encode(rgb, "BMP")), QRect(0, 123, 5, 5)).ok());
}

TEST_F(PictureFileTest, RleStreamsPlaceRunsBlocksAndJumps) {
    constexpr int kWidth = 8;
    constexpr int kHeight = 4;
    QList<QRgb> p;
    for (int i = 0; i < 16; ++i) p.append(qRgb(10 + i * 15, 200 - i * 10, 7 * i));
    const QRgb _ = kBlack;
    // Top to bottom; the streams below start at the bottom row.
    const QList<QList<QRgb>> picture = {
        {p[7], p[7], p[7], p[7], p[7], p[7], p[7], p[7]},  // a run past the row's end
        {_, _, p[6], p[6], _, _, _, _},                    // reached by a jump
        {_, _, _, _, _, _, _, _},                          // jumped over
        {p[1], p[2], p[1], p[2], p[3], p[4], p[5], p[6]},
    };
    const QByteArray rle8 = QByteArray::fromHex(
        "0101 0102 0101"
        "0003 020304 00"  // absolute, padded to 16 bits
        "0105 0106"
        "0000"       // end of line
        "0002 0201"  // jump 2 right, 1 down
        "0206 0000"
        "0A07"  // 10 pixels in a row of 8
        "0001");
    const QByteArray rle4 = QByteArray::fromHex(
        "0312"       // alternating nibbles
        "0003 2340"  // absolute: 3 nibbles in 2 bytes
        "0256 0000"
        "0002 0201"
        "0266 0000"
        "0A77 0001");
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const QImage expected = ImageOf(kWidth, kHeight, [&](int x, int y) {
            return picture[topDown ? kHeight - 1 - y : y][x];
        });
        const int height = topDown ? -kHeight : kHeight;
        const QString path8 =
            Write("rle8.bmp", MakeBmp({kWidth, height, 8, test::kBiRle8, p}, rle8));
        EXPECT_TRUE(SameImage(RegionOf(path8, kRegion), expected)) << "RLE8";
        // Bottom-up, the top two rows end the stream.
        EXPECT_TRUE(SameImage(RegionOf(path8, QSize(100, 2)), expected.copy(0, 0, kWidth, 2)));
        const QString path4 =
            Write("rle4.bmp", MakeBmp({kWidth, height, 4, test::kBiRle4, p}, rle4));
        EXPECT_TRUE(SameImage(RegionOf(path4, kRegion), expected)) << "RLE4";
        // Any rectangle cuts the same pixels, odd columns splitting RLE4's bytes.
        for (const QRect rect : {QRect(3, 1, 4, 2), QRect(1, 0, 7, 4), QRect(5, 3, 3, 1)}) {
            EXPECT_TRUE(SameImage(ValueOf(ReadPictureRegion(path8, rect)), expected.copy(rect)));
            EXPECT_TRUE(SameImage(ValueOf(ReadPictureRegion(path4, rect)), expected.copy(rect)));
        }
    }

    // The longest absolute block: 255 pixels and a pad byte.
    QList<QRgb> palette;
    QByteArray stream = QByteArray::fromHex("00FF");
    for (int i = 0; i < 256; ++i) {
        palette.append(qRgb(i, 255 - i, i / 2));
        stream.append(char(255 - i));
    }
    stream.append(QByteArray::fromHex("0001"));
    const QString path = Write("long.bmp", MakeBmp({255, 1, 8, test::kBiRle8, palette}, stream));
    EXPECT_TRUE(SameImage(RegionOf(path, QSize(255, 1)),
                          ImageOf(255, 1, [&](int x, int) { return palette[255 - x]; })));
}

TEST_F(PictureFileTest, MissingPixelsAreBlackOnEveryOpen) {
    const QImage source = ImageOf(10, 10, Colour);
    QList<QByteArray> rows;
    for (int y = 0; y < 10; ++y) rows.append(BgrRow(source, y));
    const QByteArray whole = MakeBmp({10, 10}, StackRows(rows, false));
    // Bottom-up rows of 32 bytes: the file keeps rows 9..3, and 4 bytes of row 2.
    const QString cut = Write("cut.bmp", whole.left(whole.size() - 2 * 32 - 28));
    const QImage first = RegionOf(cut, kRegion);
    EXPECT_TRUE(SameImage(RegionOf(cut, kRegion), first));
    EXPECT_TRUE(SameImage(first, ImageOf(10, 10, [](int x, int y) {
                              return y >= 3 || (y == 2 && x == 0) ? Colour(x, y) : kBlack;
                          })));

    // 3 colours for 4-bit indexes, declared as a full palette: the pixel data cuts it short.
    const QList<QRgb> three = {Colour(1, 1), Colour(2, 2), Colour(3, 3)};
    const QList<int> indexes = {0, 1, 2, 3, 15, 2};
    QByteArray paletted =
        MakeBmp({6, 1, 4, test::kBiRgb, three}, StackRows({PackIndexes(indexes, 4)}, false));
    qToLittleEndian<quint32>(0, paletted.data() + 46);  // colours used: all
    EXPECT_TRUE(SameImage(
        RegionOf(Write("palette.bmp", paletted), kRegion),
        ImageOf(6, 1, [&](int x, int) { return indexes[x] < 3 ? three[indexes[x]] : kBlack; })));

    // An RLE stream that stops inside an absolute block, with no end marker.
    const QByteArray rle =
        MakeBmp({4, 2, 8, test::kBiRle8, three}, QByteArray::fromHex("0201 0004 02"));
    const QString stopped = Write("stopped.bmp", rle);
    const QImage rleImage = RegionOf(stopped, kRegion);
    EXPECT_TRUE(SameImage(RegionOf(stopped, kRegion), rleImage));
    EXPECT_TRUE(SameImage(rleImage, ImageOf(4, 2, [&](int x, int y) {
                              if (y == 0 || x == 3) return kBlack;
                              return x < 2 ? three[1] : three[2];
                          })));
}

TEST_F(PictureFileTest, HugeBmpOpensFromTheRowsAtItsEnd) {
    constexpr int kWidth = 20000;
    constexpr int kHeight = 15000;  // 900 MB of 24-bit rows, left sparse on disk
    constexpr qint64 kStride = kWidth * 3;
    const QByteArray header = MakeBmp({kWidth, kHeight}, QByteArray());
    QFile file(dir_.filePath("huge.bmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(header);
    ASSERT_TRUE(file.resize(header.size() + kStride * kHeight));
    const QImage corner = ImageOf(100, 100, Colour);
    for (int y = 0; y < corner.height(); ++y) {
        ASSERT_TRUE(file.seek(header.size() + (kHeight - 1 - y) * kStride));  // bottom-up
        file.write(BgrRow(corner, y));
    }
    file.close();

    EXPECT_EQ(SizeOf(file.fileName()), QSize(kWidth, kHeight));
    const auto read = ReadPictureRegion(file.fileName(), kRegion);
    EXPECT_TRUE(read.ok()) << ReasonOf(read).toStdString();
    EXPECT_TRUE(SameImage(ValueOf(read), corner));
}

// A BMP whose 16 bytes of pixel data are all 0x11.
QByteArray SmallBmp(qint32 width, qint32 height, int bits, quint32 compression = test::kBiRgb) {
    QList<QRgb> palette;
    if (bits <= 8) palette.fill(qRgb(1, 2, 3), 1 << bits);
    return MakeBmp({width, height, bits, compression, palette}, QByteArray(16, '\x11'));
}

TEST_F(PictureFileTest, DamagedOrForeignFilesFailWithAReason) {
    const QByteArray good = SmallBmp(4, 4, 24);
    QByteArray unknownHeader = good;
    qToLittleEndian<quint32>(77, unknownHeader.data() + 14);
    QByteArray offsetInHeader = good;
    qToLittleEndian<quint32>(20, offsetInHeader.data() + 10);
    const auto masks = [](quint32 red, quint32 green, quint32 blue) {
        return MakeBmp({2, 2, 16, test::kBiBitfields, {}, 40, {red, green, blue}},
                       QByteArray(8, 0));
    };
    const std::pair<const char*, QByteArray> cases[] = {
        {"cut inside the file header", good.left(12)},
        {"cut inside the info header", good.left(40)},
        {"cut inside the masks", masks(0xF00, 0xF0, 0xF).left(60)},
        {"unknown header size", unknownHeader},
        {"zero width", SmallBmp(0, 4, 24)},
        {"negative width", SmallBmp(-4, 4, 24)},
        {"zero height", SmallBmp(4, 0, 24)},
        {"7 bits", SmallBmp(4, 4, 7)},
        {"RLE8 at 24 bits", SmallBmp(4, 4, 24, test::kBiRle8)},
        {"RLE4 at 8 bits", SmallBmp(4, 4, 8, test::kBiRle4)},
        {"bit fields at 24 bits", SmallBmp(4, 4, 24, test::kBiBitfields)},
        {"embedded JPEG", SmallBmp(4, 4, 24, 4)},
        {"masks with a gap", masks(0x0F0F, 0xF0, 0)},
        {"mask past 16 bits", masks(0x1F0000, 0xF0, 0xF)},
        {"pixel data inside the header", offsetInHeader},
        {"text", "This is not a picture.\n"},
        {"empty", QByteArray()},
        {"PPM", Encode(ImageOf(4, 4, Colour), "PPM")},
        {"JPEG cut inside its header", Encode(ImageOf(4, 4, Colour), "JPEG").left(40)},
    };
    for (const auto& [name, bytes] : cases) {
        const QString path = Write("bad.bmp", bytes);
        EXPECT_FALSE(ReasonOf(ReadPictureSize(path)).isEmpty()) << name;
        EXPECT_FALSE(ReadPictureSize(path).ok()) << name;
        EXPECT_FALSE(ReasonOf(ReadPictureRegion(path, kRegion)).isEmpty()) << name;
        EXPECT_FALSE(ReadPictureRegion(path, kRegion).ok()) << name;
    }
    EXPECT_FALSE(ReasonOf(ReadPictureSize(dir_.filePath("missing.bmp"))).isEmpty());
    EXPECT_FALSE(ReasonOf(ReadPictureRegion(dir_.filePath("missing.bmp"), kRegion)).isEmpty());
}

TEST_F(PictureFileTest, OverstatedBmpSizesOpenWithTheMissingRowsBlack) {
    const QImage allBlack = ImageOf(100, 100, [](int, int) { return kBlack; });
    const QString tall = Write("tall.bmp", SmallBmp(65535, 65535, 8));
    EXPECT_EQ(SizeOf(tall), QSize(65535, 65535));
    EXPECT_TRUE(SameImage(RegionOf(tall, kRegion), allBlack));
    const QString rle = Write("rle.bmp", SmallBmp(65535, 65535, 8, test::kBiRle8));
    EXPECT_TRUE(SameImage(RegionOf(rle, kRegion), allBlack));

    // Top-down, so the file's 16 bytes are the first 4 pixels of the top row.
    constexpr qint32 kMax = std::numeric_limits<qint32>::max();
    const QString wide = Write("wide.bmp", SmallBmp(kMax, -kMax, 32));
    EXPECT_EQ(SizeOf(wide), QSize(kMax, kMax));
    EXPECT_TRUE(SameImage(RegionOf(wide, kRegion), ImageOf(100, 100, [](int x, int y) {
                              return y == 0 && x < 4 ? qRgb(0x11, 0x11, 0x11) : kBlack;
                          })));
}

TEST_F(PictureFileTest, LargeJpegNeedsNoMoreMemoryThanTheRegion) {
    QImage gray(4000, 3000, QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y) {
        for (int x = 0; x < gray.width(); ++x) gray.scanLine(y)[x] = uchar((x * 7 + y * 3) / 5);
    }
    const QString path = Write("large.jpg", Encode(gray, "JPEG"));
    const QImage expected = WholeDecode(path).copy(QRect(QPoint(), kRegion));

    const AllocationLimit limit(1);
    ASSERT_TRUE(QImageReader(path).read().isNull()) << "the whole picture must not fit";
    const auto read = ReadPictureRegion(path, kRegion);
    EXPECT_TRUE(read.ok()) << ReasonOf(read).toStdString();
    EXPECT_TRUE(SameImage(ValueOf(read), expected));
}

// An APP1 segment whose EXIF block holds only an orientation.
QByteArray ExifOrientation(quint16 orientation) {
    QByteArray exif("Exif\0\0II*\0\x08\0\0\0", 14);
    for (quint16 field : {1, 0x0112, 3}) test::PutLittleEndian(exif, field);  // 1 short entry
    for (quint32 field : {1u, quint32(orientation), 0u}) test::PutLittleEndian(exif, field);
    QByteArray segment = QByteArray::fromHex("FFE1 0000");
    qToBigEndian(quint16(exif.size() + 2), segment.data() + 2);
    return segment + exif;
}

TEST_F(PictureFileTest, JpegPixelsComeAsStoredWhateverTheExifOrientation) {
    const QImage source =
        ImageOf(64, 32, [](int x, int) { return x < 32 ? 0xFFFA0000 : 0xFF0000FA; });
    const QString path =
        Write("rotated.jpg", Encode(source, "JPEG", 95).insert(2, ExifOrientation(6)));
    QImageReader rotating(path);
    rotating.setAutoTransform(true);
    ASSERT_EQ(rotating.read().size(), QSize(32, 64)) << "the orientation must be in effect";

    const QImage region = RegionOf(path, kRegion);
    ASSERT_EQ(region.size(), QSize(64, 32));
    EXPECT_EQ(SizeOf(path), QSize(64, 32));
    EXPECT_GT(qRed(region.pixel(0, 0)), 200);
    EXPECT_GT(qBlue(region.pixel(63, 0)), 200);
}

TEST_F(PictureFileTest, ProgressiveJpegOpensWithinTheMemoryBoundAndIsToldTooLargeBeyond) {
    QImageWriter writer(dir_.filePath("progressive.jpg"));
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(ImageOf(64, 48, Colour)));
    EXPECT_TRUE(SameImage(RegionOf(writer.fileName(), kRegion), WholeDecode(writer.fileName())));

    QFile file(writer.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const qsizetype frame = bytes.indexOf("\xFF\xC2");
    ASSERT_GT(frame, 0);
    const auto claiming = [&](quint16 side) {
        QByteArray claimed = bytes;
        qToBigEndian<quint16>(side, claimed.data() + frame + 5);
        qToBigEndian<quint16>(side, claimed.data() + frame + 7);
        return Write(QString("claims-%1.jpg").arg(side), claimed);
    };
    // 4096 x 4096 needs some 50 MB of coefficients: over Qt's own limit once, now fine.
    EXPECT_TRUE(ReadPictureRegion(claiming(4096), kRegion).ok());
    // 65000 x 65000 would need some 12 GB: too large, said so, not called damaged.
    const auto read = ReadPictureRegion(claiming(65000), kRegion);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ErrorKind::kTooLarge);
    EXPECT_TRUE(ReasonOf(read).contains(" MB")) << ReasonOf(read).toStdString();
}

// A 50-megapixel photo saved progressive opens, and its block is the baseline copy's.
TEST_F(PictureFileTest, ALargeProgressivePhotoGivesTheBaselineCopysBlock) {
    QImage photo(8160, 6120, QImage::Format_RGB888);
    for (int y = 0; y < photo.height(); ++y) {
        uchar* line = photo.scanLine(y);
        for (int x = 0; x < photo.width(); ++x) {
            line[3 * x] = uchar(x * 7 / 64);
            line[3 * x + 1] = uchar((x + y) / 50);
            line[3 * x + 2] = uchar(y * 3 / 80);
        }
    }
    const auto save = [&](const QString& name, bool progressive) {
        QImageWriter writer(dir_.filePath(name), "jpeg");
        writer.setQuality(85);
        writer.setProgressiveScanWrite(progressive);
        EXPECT_TRUE(writer.write(photo));
        return writer.fileName();
    };
    const QString baseline = save("baseline.jpg", false);
    const QString progressive = save("progressive.jpg", true);
    photo = QImage();
    // Once every scan is in, libjpeg holds the same coefficients as for the baseline copy.
    for (const QRect block : {QRect(0, 0, 100, 100), QRect(4000, 3000, 100, 100)}) {
        const auto read = ReadPictureRegion(progressive, block);
        ASSERT_TRUE(read.ok()) << ReasonOf(read).toStdString();
        EXPECT_TRUE(SameImage(*read, ValueOf(ReadPictureRegion(baseline, block))));
        EXPECT_EQ(ConvertFile(progressive, {}, CharRamp::BuiltIn(), block.topLeft()).value(),
                  ConvertFile(baseline, {}, CharRamp::BuiltIn(), block.topLeft()).value());
    }
}

}  // namespace
}  // namespace glyph
