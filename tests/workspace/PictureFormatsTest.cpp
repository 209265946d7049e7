#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QTemporaryDir>

#include <utility>

#include "PictureWriters.h"
#include "picture/PictureFile.h"
#include "picture/PictureFormats.h"

namespace glyph {
namespace {

QByteArray Written(const char* format) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Each format is known by the bytes its own writers put first, whatever
// else the file holds.
TEST(PictureFormats, FilesAreKnownByTheirOwnWritersBytes) {
    const QList<std::pair<QByteArray, QByteArray>> files = {
        {"bmp", Written("BMP")},   {"jpeg", Written("JPEG")}, {"png", Written("PNG")},
        {"webp", Written("WEBP")}, {"tiff", Written("TIFF")},
    };
    for (const auto& [name, bytes] : files) {
        ASSERT_FALSE(bytes.isEmpty()) << name.constData();
        const PictureFormat* format = RecognisePicture(bytes);
        ASSERT_NE(format, nullptr) << name.constData();
        EXPECT_EQ(format->name, name);
        EXPECT_TRUE(IsPictureOf(bytes, name));
    }
    QImage indexed(4, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0)});
    indexed.fill(0);
    EXPECT_TRUE(IsPictureOf(test::WriteGif(indexed), "gif"));
    EXPECT_TRUE(IsPictureOf("GIF87a", "gif"));
    EXPECT_TRUE(IsPictureOf(QByteArray("MM\0*", 4), "tiff"));
}

// Near misses, and a head cut inside a signature, are no picture: the second
// half of a RIFF form's signature counts as much as the first.
TEST(PictureFormats, NearMissesAreNoPicture) {
    for (const QByteArray& head :
         {QByteArray(), QByteArray("B"), QByteArray("\xFF\xD8", 2),
          QByteArray("\x89PNG\r\n\x1A", 7), QByteArray("GIF88a"),
          QByteArray("RIFF\0\0\0\0WAVE", 12), QByteArray("RIFF\0\0\0\0WEB", 11), QByteArray("II*"),
          QByteArray("MM*\0", 4), QByteArray("\0\0\0\0WEBP", 8)}) {
        EXPECT_EQ(RecognisePicture(head), nullptr) << head.toHex().constData();
    }
    EXPECT_FALSE(IsPictureOf("BM", "png"));
}

// The kind of a failure is what the window and the converter choose their
// words by: a file that is not there, not a picture, or damaged are three.
TEST(PictureFormats, AFailureSaysWhatKindItIs) {
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray png = Written("PNG");
    const QList<std::pair<QString, ErrorKind>> cases = {
        {dir.filePath("missing.png"), ErrorKind::kCannotRead},
        {dir.path(), ErrorKind::kCannotRead},
        {write("text.png", "not a picture at all"), ErrorKind::kNotAPicture},
        {write("cut.png", png.left(20)), ErrorKind::kDamaged},
        {write("cut.jpg", Written("JPEG").left(30)), ErrorKind::kDamaged},
        {write("cut.bmp", Written("BMP").left(20)), ErrorKind::kDamaged},
    };
    for (const auto& [path, kind] : cases) {
        const Result<QImage> read = ReadPictureRegion(path, QSize(10, 10));
        ASSERT_FALSE(read.ok()) << path.toStdString();
        EXPECT_EQ(read.error().kind, kind) << path.toStdString();
        EXPECT_FALSE(read.error().reason.isEmpty());
    }
}

}  // namespace
}  // namespace glyph
