#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTransform>
#include <random>

#include "ExifFiles.h"
#include "document/Convert.h"
#include "document/Document.h"
#include "engine/Levels.h"
#include "picture/CellReader.h"
#include "picture/Orientation.h"
#include "workspace/PictureFileTestSupport.h"
#include "workspace/PictureWriters.h"

namespace glyph {
namespace {

Framing Whole() {
    Framing framing;
    framing.mode = Framing::Mode::kWhole;
    return framing;
}

Framing Rectangle(QRect rectangle) {
    Framing framing;
    framing.mode = Framing::Mode::kRectangle;
    framing.rectangle = rectangle;
    return framing;
}

// Noise with a gradient, so that neighbouring pixels and cells differ.
QImage Photo(int width, int height, unsigned seed = 7) {
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int base = (x * 255 / width + y * 128 / height) / 2;
            image.setPixel(
                x, y,
                qRgb((base + int(random() % 60)) % 256, (base * 2 + int(random() % 40)) % 256,
                     (255 - base + int(random() % 80)) % 256));
        }
    }
    return image;
}

int Gray(QRgb pixel) { return GrayLevel(Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel))); }

class Cells : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString Save(const QString& name, const QImage& image, const char* format) {
        return Write(name, test::Saved(image, format));
    }
    static QString Text(const QString& path, const Framing& framing) {
        const QList<Command> steps = {Command::kAutoLevel, Command::kBrighter,
                                      Command::kMoreContrast, Command::kUndo};
        const Result<QString> text = ConvertFile(path, steps, CharRamp::BuiltIn(), framing);
        EXPECT_TRUE(text.ok()) << path.toStdString();
        return text.ok() ? *text : QString();
    }
    QTemporaryDir dir_;
};

TEST(FitCells, KeepsTheShapeWithinTheMostCellsAndNeverExceedsThePixels) {
    EXPECT_EQ(FitCells({4032, 3024}, {100, 100}, 1.0), QSize(100, 75));
    EXPECT_EQ(FitCells({3024, 4032}, {100, 100}, 1.0), QSize(75, 100));
    EXPECT_EQ(FitCells({4032, 3024}, {100, 100}, 2.0), QSize(100, 38));  // 37.5, a terminal's cells
    EXPECT_EQ(FitCells({64, 37}, {100, 100}, 1.0), QSize(64, 37));
    EXPECT_EQ(FitCells({1, 100000}, {100, 100}, 1.0), QSize(1, 100));
    EXPECT_EQ(FitCells({100000, 1}, {100, 100}, 1.0), QSize(100, 1));
    EXPECT_EQ(FitCells({800, 600}, {200, 50}, 1.0), QSize(67, 50));
}

TEST_F(Cells, ASmallPictureFittedWholeGivesTheBlocksTextInEveryFormat) {
    const QImage picture = Photo(97, 61);
    for (const char* format : {"bmp", "png", "jpeg", "tiff", "webp"}) {
        const QString path = Save(QString("small.") + format, picture, format);
        EXPECT_EQ(Text(path, Whole()), Text(path, Framing{})) << format;
        Framing plain = Whole();
        plain.colours = false;
        EXPECT_EQ(Text(path, plain), Text(path, Framing{})) << format;
    }
    const QImage tall = Photo(40, 100, 3);
    const QString gif =
        Write("tall.gif",
              test::WriteGif(tall.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)));
    EXPECT_EQ(Text(gif, Whole()), Text(gif, Framing{}));
}

TEST_F(Cells, EachCellIsTheAreaAverageOfThePixelsItCovers) {
    const QImage picture = Photo(300, 150);
    const Result<glyph::Cells> cells = ReadCells(Save("p.png", picture, "png"), Whole());
    ASSERT_TRUE(cells.ok());
    ASSERT_EQ(cells->size, QSize(100, 50));
    for (int row = 0; row < 50; ++row) {
        for (int column = 0; column < 100; ++column) {
            int sum = 0;
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 3; ++x) sum += Gray(picture.pixel(column * 3 + x, row * 3 + y));
            }
            ASSERT_EQ(cells->levels[std::size_t(row * 100 + column)], RoundHalfEven(sum / 9.0))
                << column << "," << row;
        }
    }
}

TEST_F(Cells, ARectangleOfOnePixelPerCellIsThosePixels) {
    const QImage picture = Photo(200, 180);
    const QString path = Save("p.bmp", picture, "bmp");
    const QRect rectangle(13, 21, 60, 35);
    const Result<glyph::Cells> cells = ReadCells(path, Rectangle(rectangle));
    ASSERT_TRUE(cells.ok());
    ASSERT_EQ(cells->size, rectangle.size());
    EXPECT_EQ(cells->area, rectangle);
    for (int y = 0; y < rectangle.height(); ++y) {
        for (int x = 0; x < rectangle.width(); ++x) {
            ASSERT_EQ(cells->levels[std::size_t(y * rectangle.width() + x)],
                      Gray(picture.pixel(rectangle.x() + x, rectangle.y() + y)));
        }
    }
    // A rectangle reaching past the picture is cut to it; one wholly outside is refused.
    EXPECT_EQ(ReadCells(path, Rectangle({150, 100, 500, 500}))->area, QRect(150, 100, 50, 80));
    EXPECT_FALSE(ReadCells(path, Rectangle({300, 0, 10, 10})).ok());
}

TEST_F(Cells, APhotoTaggedWithEachOrientationGivesTheArtOfTheSamePhotoStoredUpright) {
    const QImage upright = Photo(120, 80);
    const QString reference = Save("upright.png", upright, "png");
    const QString art = Text(reference, Whole());
    // What a camera stores for each tag: the upright picture turned back.
    const auto stored = [&upright](int tag) {
        const int turn = tag == 5 || tag == 6 ? -90 : tag >= 7 ? 90 : 0;
        const bool mirrorX = tag == 2 || tag == 3;
        const bool mirrorY = tag == 3 || tag == 4 || tag == 5 || tag == 7;
        return upright.transformed(QTransform().rotate(turn)).mirrored(mirrorX, mirrorY);
    };
    for (int tag = 1; tag <= 8; ++tag) {
        const QString path =
            Write(QString("tag%1.png").arg(tag),
                  test::InPng(test::PngChunk("eXIf", test::Exif(quint32(tag), tag % 2 == 0)),
                              stored(tag)));
        EXPECT_EQ(Text(path, Whole()), art) << "orientation " << tag;
        Framing asStored = Whole();
        asStored.upright = false;
        EXPECT_EQ(Text(path, asStored), Text(Save("stored.png", stored(tag), "png"), Whole()))
            << "orientation " << tag;
        // The block reads pixels as stored.
        EXPECT_EQ(Text(path, Framing{}), Text(Save("stored.png", stored(tag), "png"), Framing{}));
    }
}

// libpng writes an eXIf given after the rows after the pixels: the art still comes upright.
// One whose CRC is wrong is passed over, and the picture opens as stored.
TEST_F(Cells, APngTaggedAfterItsPixelsComesUprightAndADamagedTagIsPassedOver) {
    const QImage upright = Photo(120, 80);
    const QImage stored = upright.transformed(QTransform().rotate(-90));  // what tag 6 undoes
    const QString art = Text(Save("upright.png", upright, "png"), Whole());
    const QString storedArt = Text(Save("stored.png", stored, "png"), Whole());
    ASSERT_NE(art, storedArt);
    const QByteArray png =
        test::WritePngWithExif(stored, test::Exif(6, true), test::ExifPlace::kAfterRows, 256);
    EXPECT_EQ(Text(Write("late.png", png), Whole()), art);
    QByteArray damaged = png;
    const qsizetype type = damaged.indexOf("eXIf");
    damaged[type + 4 + qsizetype(qFromBigEndian<quint32>(damaged.constData() + type - 4))] ^= 0x10;
    EXPECT_EQ(Text(Write("damaged.png", damaged), Whole()), storedArt);
    EXPECT_EQ(Text(Write("damaged.png", damaged), Framing{}),
              Text(Save("stored.png", stored, "png"), Framing{}));
}

TEST_F(Cells, AJpegDecodedAtAnEighthKeepsItsTones) {
    const QImage picture = Photo(1600, 1200).scaled(1600, 1200);
    const QString path = Save("big.jpg", picture, "jpeg");
    const Result<glyph::Cells> cells = ReadCells(path, Whole());
    ASSERT_TRUE(cells.ok());
    ASSERT_EQ(cells->size, QSize(100, 75));
    // Against the full decode averaged over each 16 x 16 cell.
    const QImage decoded(path);
    double error = 0;
    for (int row = 0; row < 75; ++row) {
        for (int column = 0; column < 100; ++column) {
            double sum = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x)
                    sum += Gray(decoded.pixel(column * 16 + x, row * 16 + y));
            }
            error += std::abs(sum / 256 - cells->levels[std::size_t(row * 100 + column)]);
        }
    }
    EXPECT_LT(error / (100 * 75), 1.5);
}

// Plain text needs no colours: a reduced JPEG is then read from its luma
// alone, which a gray picture's colours read as exactly and a coloured one's
// within a level or two (this photo's noise clips); other formats give the
// same levels either way.
TEST_F(Cells, WithoutColoursAJpegIsReadFromItsLumaWithinALevelOfItsColoursRead) {
    Framing plain = Whole();
    plain.colours = false;
    const QImage photo = Photo(1600, 1200);
    struct Case {
        QString path;
        int mostOff;
    };
    const Case cases[] = {
        {Save("gray.jpg", photo.convertToFormat(QImage::Format_Grayscale8), "jpeg"), 0},
        {Save("colour.jpg", photo, "jpeg"), 2},
        {Save("colour.png", photo, "png"), 0},
    };
    for (const Case& c : cases) {
        const Result<glyph::Cells> coloured = ReadCells(c.path, Whole());
        const Result<glyph::Cells> gray = ReadCells(c.path, plain);
        ASSERT_TRUE(coloured.ok() && gray.ok()) << c.path.toStdString();
        EXPECT_EQ(gray->colours.size(), 0u);
        EXPECT_EQ(coloured->colours.size(), coloured->levels.size());
        ASSERT_EQ(gray->size, coloured->size);
        int mostOff = 0;
        std::size_t off = 0;
        for (std::size_t i = 0; i < gray->levels.size(); ++i) {
            mostOff = std::max(mostOff, std::abs(gray->levels[i] - coloured->levels[i]));
            off += gray->levels[i] != coloured->levels[i];
        }
        EXPECT_LE(mostOff, c.mostOff) << c.path.toStdString();
        // The luma is what was read: some cells differ, not all.
        EXPECT_EQ(off > 0, c.mostOff > 0) << c.path.toStdString();
        EXPECT_LT(off, gray->levels.size() * 2 / 3) << c.path.toStdString();
        // The document shows such cells as it shows any, without their colours.
        EXPECT_EQ(Text(c.path, plain).size(), Text(c.path, Whole()).size());
    }
}

TEST_F(Cells, TheReducedPictureTakesTheBlocksPlaceInTheDocument) {
    const QString path = Save("p.png", Photo(400, 300), "png");
    Document document(CharRamp::BuiltIn());
    ASSERT_TRUE(document.Open(path, Whole()).ok());
    EXPECT_EQ(document.ImageWidth(), 100);
    EXPECT_EQ(document.ImageHeight(), 75);
    EXPECT_EQ(document.block().pictureSize, QSize(400, 300));
    EXPECT_FALSE(document.CanMoveBlock());
    const QString opened = document.text();
    EXPECT_EQ(opened.count(QStringLiteral("\r\n")), 74);
    // The history works as on a block (the preview is read back, so an undo
    // need not give the opened text again).
    EXPECT_FALSE(document.IsAvailable(Command::kUndo));
    ASSERT_TRUE(document.Run(Command::kBrighter));
    EXPECT_NE(document.text(), opened);
    ASSERT_TRUE(document.Run(Command::kUndo));
    EXPECT_TRUE(document.IsAvailable(Command::kRedo));
    // A failed open with another framing changes nothing.
    const QString shown = document.text();
    EXPECT_FALSE(document.Open(dir_.filePath("missing.png"), Whole()).ok());
    EXPECT_EQ(document.text(), shown);
}

TEST_F(Cells, ASmallFileClaimingAVastPictureIsRefusedAsTooLargeNotReadThrough) {
    test::BmpShape shape;
    shape.width = 65535;
    shape.height = 65535;
    const QString path = Write("vast.bmp", test::MakeBmp(shape, QByteArray(12, '\x40')));
    const Result<glyph::Cells> cells = ReadCells(path, Whole());
    ASSERT_FALSE(cells.ok());
    EXPECT_EQ(cells.error().kind, ErrorKind::kTooLarge);
    // Its block still opens, as it always did.
    EXPECT_TRUE(ReadCells(path, Rectangle({0, 0, 300, 200})).ok());
}

}  // namespace
}  // namespace glyph
