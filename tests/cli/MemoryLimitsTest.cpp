// Large pictures and large glyphs under a real limit on the converter's
// memory: every large buffer is counted against the one bound, and one that
// cannot be had is an error that names the picture, never a crash or an art
// made of nothing.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include "ConverterProcess.h"

namespace glyph::cli {
namespace {

constexpr qint64 kMegabyte = 1024 * 1024;

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG header claiming width x height, with no pixel data.
QByteArray PngHeaderOnly(quint32 width, quint32 height) {
    QByteArray ihdr("IHDR");
    char numbers[8];
    qToBigEndian(width, numbers);
    qToBigEndian(height, numbers + 4);
    ihdr.append(numbers, 8);
    ihdr.append(QByteArray::fromHex("0802000000"));  // 8-bit RGB
    char crc[4];
    qToBigEndian(Crc32(ihdr), crc);
    char length[4];
    qToBigEndian(quint32(13), length);
    return QByteArray::fromHex("89504e470d0a1a0a") + QByteArray(length, 4) + ihdr +
           QByteArray(crc, 4);
}

// A few bytes that claim a 12000 x 12000 picture, transparent: white paper.
QByteArray VastGif() {
    return QByteArray("GIF89a") + QByteArray::fromHex("e02ee02e800000000000ffffff") +
           QByteArray::fromHex("21f90401000000002c00000000e02ee02e0002024401003b");
}

// AddressSanitizer maps terabytes of shadow memory as it starts, so nothing
// built with it starts under a limit on the address space; the normal build
// runs the limited cases.
#ifdef GLYPHORAMA_SANITIZED
constexpr bool kLimitsRunHere = false;
#else
constexpr bool kLimitsRunHere = true;
#endif

class MemoryLimits : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // The converter with its own cache folder and at most `bytes` of address
    // space (none: no limit).
    Ran Run(const QStringList& arguments, qint64 bytes = 0) const {
        const QByteArray cache = Path("cache").toUtf8();
        return Convert(arguments, [cache, bytes] {
            setenv("XDG_CACHE_HOME", cache.constData(), 1);
            if (bytes > 0) {
                const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
                setrlimit(RLIMIT_AS, &limit);
            }
        });
    }
    QStringList Cached() const {
        return QDir(Path("cache/glyphorama")).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir_;
};

TEST_F(MemoryLimits, APictureRefusedByItsHeaderIsRefusedBeforeAnyGlyphIsMeasured) {
    WriteAll(Path("vast.png"), PngHeaderOnly(65535, 65535));
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(qRgb(30, 60, 90));
    ASSERT_TRUE(small.save(Path("small.png")));

    const Ran vast = Run({"--fit", "--match=shape", Path("vast.png")});
    EXPECT_EQ(vast.status, 1);
    EXPECT_TRUE(vast.err.contains("vast.png: ")) << vast.err.toStdString();
    EXPECT_TRUE(Cached().isEmpty()) << Cached().join(' ').toStdString();

    // Beside a picture that fits, the shapes are measured for it and the
    // vast one is still named.
    const Ran both = Run({"--fit", "--match=shape", Path("vast.png"), Path("small.png")});
    EXPECT_EQ(both.status, 1);
    EXPECT_TRUE(both.err.contains("vast.png: ")) << both.err.toStdString();
    EXPECT_FALSE(both.out.isEmpty());
    EXPECT_FALSE(Cached().isEmpty());
}

TEST_F(MemoryLimits, LargeGlyphsAreMeasuredWithinALimitTheirWholeSheetWouldNotFit) {
    if (!kLimitsRunHere) GTEST_SKIP() << "no address-space limit under AddressSanitizer";
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) picture.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    ASSERT_TRUE(picture.save(Path("p.png")));
    // Every glyph of the set drawn at once at 256 px is some 460 MB; a band
    // of them, well under the limit.
    const QStringList arguments = {"--fit", "--match=shape", "--size=256", "--width=8",
                                   Path("p.png")};
    const Ran limited = Run(arguments, 410 * kMegabyte);
    ASSERT_NE(limited.status, -1) << "killed by a signal: " << limited.err.toStdString();
    EXPECT_EQ(limited.status, 0) << limited.err.toStdString();
    QDir(Path("cache")).removeRecursively();
    const Ran free = Run(arguments);
    EXPECT_EQ(free.status, 0) << free.err.toStdString();
    EXPECT_EQ(limited.out, free.out);
}

TEST_F(MemoryLimits, AVastGifUnderALimitGivesItsArtOrAnErrorNamingIt) {
    if (!kLimitsRunHere) GTEST_SKIP() << "no address-space limit under AddressSanitizer";
    WriteAll(Path("vast.gif"), VastGif());
    const QStringList arguments = {"--fit", "--width=4", Path("vast.gif")};
    const Ran free = Run(arguments);
    ASSERT_EQ(free.status, 0) << free.err.toStdString();
    // Room for the decoded picture (576 MB), not for a copy of it as well.
    const Ran limited = Run(arguments, 1100 * kMegabyte);
    ASSERT_NE(limited.status, -1) << "killed by a signal: " << limited.err.toStdString();
    if (limited.status == 0) {
        EXPECT_EQ(limited.out, free.out);
    } else {
        EXPECT_EQ(limited.status, 1);
        EXPECT_TRUE(limited.err.contains("vast.gif: ")) << limited.err.toStdString();
    }
}

TEST_F(MemoryLimits, ShapesOfMoreCellsThanTheLimitHoldsAreAnErrorNamingThePicture) {
    if (!kLimitsRunHere) GTEST_SKIP() << "no address-space limit under AddressSanitizer";
    // Every cell is read as 4 x 4 parts, each summed at 16-byte precision:
    // 600 x 600 cells of this picture take some 530 MB, over the room left
    // under the limit.
    QImage picture(2400, 2400, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    ASSERT_TRUE(picture.save(Path("big.png")));
    constexpr qint64 kLimit = 600 * kMegabyte;

    const Ran many =
        Run({"--fit", "--match=shape", "--width=600", "--height=600", Path("big.png")}, kLimit);
    ASSERT_NE(many.status, -1) << "killed by a signal: " << many.err.toStdString();
    EXPECT_EQ(many.status, 1);
    EXPECT_TRUE(many.err.contains("big.png: ")) << many.err.toStdString();
    EXPECT_TRUE(many.out.isEmpty());

    // Fewer cells of the same picture fit, and give the art they give without a limit.
    const QStringList few = {"--fit", "--match=shape", "--width=60", "--height=60",
                             Path("big.png")};
    const Ran limited = Run(few, kLimit);
    ASSERT_NE(limited.status, -1) << "killed by a signal: " << limited.err.toStdString();
    EXPECT_EQ(limited.status, 0) << limited.err.toStdString();
    EXPECT_EQ(limited.out, Run(few).out);
}

}  // namespace
}  // namespace glyph::cli
