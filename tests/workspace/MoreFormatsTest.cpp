#include <gtest/gtest.h>
#include <png.h>

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <vector>

#include "PictureFileTestSupport.h"
#include "PictureWriters.h"
#include "picture/Block.h"
#include "picture/PictureFile.h"

namespace glyph {
namespace {

using test::PngOptions;
using test::SameImage;
using test::WriteGif;
using test::WritePng;

// Opaque colours and, every seventh pixel, a translucent one.
QImage Colourful(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = (x + y) % 7 == 0 ? (x * 13) % 256 : 255;
            image.setPixel(x, y, qRgba(x * 3 % 256, y * 5 % 256, (x + y) % 256, alpha));
        }
    }
    return image;
}

// Every pixel laid over white, computed here on its own.
QImage OnWhite(const QImage& image) {
    QImage out(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const double a = qAlpha(p) / 255.0;
            const auto mix = [a](int c) { return int(std::lround(c * a + 255 * (1 - a))); };
            out.setPixel(x, y, qRgb(mix(qRed(p)), mix(qGreen(p)), mix(qBlue(p))));
        }
    }
    return out;
}

class MoreFormats : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
    QString Save(const QString& name, const QImage& image, const char* format) {
        const QString path = dir.filePath(name);
        QImageWriter writer(path, format);
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(MoreFormats, PngInEveryShapeGivesItsBlockOverWhite) {
    const QImage picture = Colourful(163, 131);
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    const QRect rects[] = {QRect(0, 0, 100, 100), QRect(63, 31, 100, 100), QRect(162, 130, 1, 1)};
    struct Case {
        const char* name;
        PngOptions options;
        QImage expected;
    };
    const Case cases[] = {
        {"rgba", {false, 8, true}, OnWhite(picture)},
        {"rgba-interlaced", {true, 8, true}, OnWhite(picture)},
        {"rgb16-interlaced", {true, 16, false}, opaque},
        {"rgba16", {false, 16, true}, OnWhite(picture)},
    };
    for (const Case& c : cases) {
        const QString path = Write(QString("%1.png").arg(c.name), WritePng(picture, c.options));
        ASSERT_EQ(ReadPictureSize(path).value(), picture.size()) << c.name;
        for (const QRect& rect : rects) {
            EXPECT_TRUE(SameImage(ReadPictureRegion(path, rect).value(), c.expected.copy(rect)))
                << c.name << " at " << rect.x() << "," << rect.y();
        }
    }
    // Palette and gray pictures as Qt writes them, transparent entries included.
    QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    const QString palette = Save("palette.png", indexed, "png");
    EXPECT_TRUE(
        SameImage(ReadPictureRegion(palette, QRect(5, 5, 100, 100)).value(),
                  OnWhite(indexed.convertToFormat(QImage::Format_ARGB32)).copy(5, 5, 100, 100)));
    const QImage gray = picture.convertToFormat(QImage::Format_Grayscale8);
    EXPECT_TRUE(
        SameImage(ReadPictureRegion(Save("gray.png", gray, "png"), QRect(0, 0, 100, 100)).value(),
                  gray.convertToFormat(QImage::Format_RGB32).copy(0, 0, 100, 100)));
}

TEST_F(MoreFormats, GifWebpAndTiffGiveTheBlockOfWhatQtDecodes) {
    const QImage picture = Colourful(150, 120);
    for (const char* format : {"gif", "webp", "tiff"}) {
        const QString path =
            QByteArray(format) == "gif"
                ? Write("p.gif", WriteGif(picture.convertToFormat(QImage::Format_Indexed8)))
                : Save(QString("p.%1").arg(format), picture, format);
        QImageReader whole(path, format);
        const QImage decoded = whole.read();
        ASSERT_FALSE(decoded.isNull()) << format;
        ASSERT_EQ(ReadPictureSize(path).value(), picture.size()) << format;
        const QRect rect(40, 17, 100, 100);
        EXPECT_TRUE(SameImage(ReadPictureRegion(path, rect).value(),
                              OnWhite(decoded.convertToFormat(QImage::Format_ARGB32)).copy(rect)))
            << format;
    }
}

TEST_F(MoreFormats, AHugePngOpensWithMemoryForItsBlockRowsOnly) {
    // 20000 x 15000 pixels of one colour compress to a few hundred kilobytes.
    const int width = 20000;
    const int height = 15000;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QByteArray bytes;
    png_set_write_fn(png, &bytes, test::AppendToByteArray, nullptr);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) row[std::size_t(x)] = png_byte(y < 100 && x < 50 ? 0 : 200);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    const QString path = Write("huge.png", bytes);

    const Result<Block> block = ReadBlock(path);
    ASSERT_TRUE(block.ok()) << block.error().reason.toStdString();
    EXPECT_EQ(block->pictureSize, QSize(width, height));
    EXPECT_EQ(block->pixels.pixel(49, 99), qRgb(0, 0, 0));
    EXPECT_EQ(block->pixels.pixel(50, 0), qRgb(200, 200, 200));
}

TEST_F(MoreFormats, DamagedPngsAreRefusedOrGiveTheSameBlockEveryTime) {
    const QByteArray good = WritePng(Colourful(120, 90), {});
    const QString path = Write("good.png", good);
    const QImage whole = ReadPictureRegion(path, QRect(0, 0, 100, 100)).value();

    // Cut anywhere: refused inside the header, else the rows it holds and black below.
    for (qsizetype cut = 0; cut < good.size(); cut += 37) {
        const QString cutPath = Write("cut.png", good.left(cut));
        const Result<QImage> first = ReadPictureRegion(cutPath, QRect(0, 0, 100, 100));
        const Result<QImage> again = ReadPictureRegion(cutPath, QRect(0, 0, 100, 100));
        ASSERT_EQ(first.ok(), again.ok()) << cut;
        if (!first) continue;
        EXPECT_EQ(*first, *again) << cut;
        EXPECT_TRUE(first->pixel(99, 89) == qRgb(0, 0, 0) || *first == whole) << cut;
    }
    // A bad CRC in the header chunk, and a header that claims a width of 2^31 - 1.
    QByteArray badCrc = good;
    badCrc[29] = char(badCrc[29] ^ 0x55);
    EXPECT_FALSE(ReadPictureRegion(Write("crc.png", badCrc), QRect(0, 0, 100, 100)).ok());
    QByteArray huge = good;
    huge.replace(16, 4, QByteArray("\x7F\xFF\xFF\xFF", 4));
    const Result<QImage> claimed =
        ReadPictureRegion(Write("huge.png", huge), QRect(0, 0, 100, 100));
    EXPECT_FALSE(claimed.ok()) << "the header's CRC no longer matches";
}

}  // namespace
}  // namespace glyph
