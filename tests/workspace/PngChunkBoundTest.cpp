// A PNG's ancillary chunks claim their own lengths: whatever they claim, opening the picture
// takes little memory. Each file is opened in a child process, whose peak address space
// (VmPeak, which counts allocations never touched too) starts afresh at the fork.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

#include "ExifFiles.h"
#include "PictureWriters.h"
#include "document/Convert.h"
#include "engine/CharRamp.h"
#include "picture/PictureFile.h"

namespace glyph {
namespace {

// A 100 x 100 block and a whole picture of a few pixels need far less.
constexpr qint64 kMostGrowthKb = 256 * 1024;

qint64 PeakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmPeak:"))
            return line.mid(7).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Opens the picture as the block and whole, then ends the process: status 0 when the peak
// grew by less than kMostGrowthKb. Says whether the picture opened and by how much it grew.
[[noreturn]] void OpenAndMeasure(const QString& path) {
    const qint64 before = PeakKb();
    const bool size = ReadPictureSize(path).ok();
    const bool block = ReadPictureRegion(path, QSize(100, 100)).ok();
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    const bool cells = ConvertFile(path, {}, CharRamp::BuiltIn(), whole).ok();
    const qint64 grown = PeakKb() - before;
    std::fprintf(stderr, "%s, grew %lld KiB\n",
                 size && block && cells      ? "opened"
                 : !size && !block && !cells ? "refused"
                                             : "mixed",
                 static_cast<long long>(grown));
    std::fflush(stderr);
    std::_Exit(before > 0 && grown < kMostGrowthKb ? 0 : 1);
}

QByteArray Chunk(const QByteArray& type, const QByteArray& data, qint64 claimed = -1) {
    QByteArray chunk = test::PngChunk(type, data);
    if (claimed >= 0) qToBigEndian(quint32(claimed), chunk.data());
    return chunk;
}

QByteArray Deflated(const QByteArray& data) {
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                        reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()), 1),
              Z_OK);
    out.resize(qsizetype(size));
    return out;
}

class PngChunkBound : public ::testing::Test {
  protected:
    QString Write(const QByteArray& chunks) {
        QByteArray png = test::Saved(test::Quadrants(64, 32), "png");
        png.insert(png.indexOf("IDAT") - 4, chunks);
        const QString path = dir_.filePath("hostile.png");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(png) == png.size());
        return path;
    }
    QTemporaryDir dir_;
};

// A length the file does not hold: libpng would allocate it before finding the file short.
TEST_F(PngChunkBound, ALengthPastTheFilesEndIsRefusedWithoutBeingAllocated) {
    const QByteArray exif = test::Exif(6, false);
    EXPECT_EXIT(OpenAndMeasure(Write(Chunk("eXIf", exif, 0x65586966))),
                ::testing::ExitedWithCode(0), "refused");
    EXPECT_EXIT(OpenAndMeasure(Write(Chunk("iCCP", QByteArray("p\0\0", 3), 0x7FFFFF00))),
                ::testing::ExitedWithCode(0), "refused");
}

// Chunks really that long, or inflating to far more, are passed over: the picture opens.
TEST_F(PngChunkBound, LongOrInflatingChunksArePassedOverAndThePictureOpens) {
    const QByteArray bomb = Deflated(QByteArray(64 * 1024 * 1024, 'a'));
    const QByteArray chunks[] = {
        Chunk("eXIf", test::Exif(6, true) + QByteArray(3 * 1024 * 1024, '\0')),
        Chunk("zTXt", QByteArray("Comment\0\0", 9) + bomb),
        Chunk("iCCP", QByteArray("icc\0\0", 5) + bomb),
        Chunk("iTXt", QByteArray("XML:com.adobe.xmp\0\1\0\0\0", 22) + bomb),
    };
    for (const QByteArray& chunk : chunks) {
        SCOPED_TRACE(chunk.mid(4, 4).toStdString());
        EXPECT_EXIT(OpenAndMeasure(Write(chunk)), ::testing::ExitedWithCode(0), "opened");
    }
}

}  // namespace
}  // namespace glyph
