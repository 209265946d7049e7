#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

#include "DamageCorpus.h"
#include "OpenToText.h"
#include "basics/Limits.h"
#include "picture/BmpRegion.h"
#include "picture/PictureFormats.h"
#include "workspace/PictureFileTestSupport.h"

namespace glyph::damage {
namespace {

const std::vector<DamageCase>& Corpus() {
    static const std::vector<DamageCase> corpus = DamageCorpus();
    return corpus;
}

// Leaves freed blocks of the sizes a region takes full of a pattern, so that a decoder that
// hands out memory it never wrote gives a different picture on the next open.
void DirtyHeap(char pattern) {
    // Called through a volatile pointer: stores into memory about to be freed are otherwise
    // dropped by the optimiser.
    static void* (*const volatile fill)(void*, int, std::size_t) = std::memset;
    std::vector<std::unique_ptr<char[]>> blocks;
    for (std::size_t size : {100u * 100u * 4u, 100u * 100u, 100u * 4u, 48u * 40u * 4u, 4096u}) {
        for (int i = 0; i < 4; ++i) {
            blocks.emplace_back(new char[size]);
            fill(blocks.back().get(), pattern, size);
        }
    }
}

::testing::AssertionResult EachPixelIsSoundOrFill(const QImage& region, const QImage& sound) {
    for (int y = 0; y < region.height(); ++y) {
        for (int x = 0; x < region.width(); ++x) {
            const QRgb got = region.pixel(x, y);
            if (got != sound.pixel(x, y) && got != kMissingPixelColour) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << got;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Pixels the whole-picture path decodes: a stored picture at 1/8 where the format scales.
qint64 DecodedPixels(const QString& path) {
    const Result<PictureSource> source = OpenPictureSource(path);
    if (!source) return 0;
    const Result<QSize> size = source->format->size(*source->file, source->format->name);
    if (!size) return 0;
    const qint64 pixels = qint64(size->width()) * size->height();
    return source->format->scales ? pixels / 64 : pixels;
}

// A header claiming billions of pixels over a few bytes costs the whole path
// as much as a sound file of that size: past this the case is left to the block.
constexpr qint64 kMostWholePixels = 16'000'000;

// The whole picture fitted to cells: refused both times, or the same cells and text.
void CheckWholeTwice(const QString& path) {
    if (DecodedPixels(path) > kMostWholePixels) return;
    DirtyHeap('\x5A');
    const Opened first = OpenWholeToText(path);
    DirtyHeap('\xC3');
    const Opened second = OpenWholeToText(path);
    ASSERT_EQ(second.ok, first.ok)
        << "first: " << first.reason.toStdString() << ", second: " << second.reason.toStdString();
    if (!first.ok) return;
    EXPECT_TRUE(test::SameImage(second.region, first.region));
    EXPECT_EQ(second.text, first.text);
    // As plain text, from the luma alone where it can be: the same on every open.
    DirtyHeap('\x5A');
    const Opened plain = OpenPlainWholeToText(path);
    DirtyHeap('\xC3');
    const Opened plainAgain = OpenPlainWholeToText(path);
    ASSERT_EQ(plainAgain.ok, plain.ok) << plain.reason.toStdString();
    EXPECT_EQ(plainAgain.text, plain.text);
    // Matched by shape: what the whole picture gives, never an empty art.
    const Opened shapes = OpenShapesToText(path);
    ASSERT_EQ(shapes.ok, first.ok) << shapes.reason.toStdString();
    EXPECT_FALSE(shapes.text.isEmpty());
    EXPECT_EQ(OpenShapesToText(path).text, shapes.text);
}

// Opens every case whose name starts with `prefix` twice, with the heap dirtied in between,
// as a block and as the whole picture.
void CheckCases(const QString& prefix) {
    QTemporaryDir dir;
    int checked = 0;
    for (const DamageCase& c : Corpus()) {
        if (!c.name.startsWith(prefix)) continue;
        ++checked;
        SCOPED_TRACE(c.name.toStdString());
        const QString path = dir.filePath(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.bytes) == c.bytes.size());
        file.close();

        CheckWholeTwice(path);
        DirtyHeap('\x5A');
        const Opened first = OpenToText(path);
        DirtyHeap('\xC3');
        const Opened second = OpenToText(path);
        ASSERT_EQ(second.ok, first.ok);
        if (!c.mayRefuse) {
            ASSERT_EQ(first.ok, c.opens);
        }
        if (!first.ok) continue;
        EXPECT_EQ(first.region.size(), c.size);
        EXPECT_TRUE(test::SameImage(second.region, first.region));
        EXPECT_EQ(second.text, first.text);
        if (!c.exact.isNull()) {
            EXPECT_TRUE(test::SameImage(first.region, c.exact));
        }
        if (!c.sound.isNull()) {
            EXPECT_TRUE(EachPixelIsSoundOrFill(first.region, c.sound));
        }
        if (!c.fillArea.isEmpty()) {
            const QImage fill = first.region.copy(c.fillArea);
            QImage expected(fill.size(), QImage::Format_RGB32);
            expected.fill(c.fillColour);
            EXPECT_TRUE(test::SameImage(fill, expected));
        }
    }
    EXPECT_GT(checked, 0) << "no case named " << prefix.toStdString();
}

TEST(DamagedPictures, DamagedBmpsAreRefusedOrShowWhatTheyHoldAndBlackForTheRest) {
    CheckCases("bmp-");
}

TEST(DamagedPictures, DamagedJpegsAreRefusedOrShownAlikeOnEveryOpen) { CheckCases("jpeg-"); }

TEST(DamagedPictures, DamagedPngsGifsWebpsAndTiffsAreRefusedOrShownAlike) {
    for (const char* prefix : {"png-", "gif-", "webp-", "tiff-"}) CheckCases(prefix);
}

// Tags no camera writes (values outside 1 to 8, IFDs that loop or lie past the end, EXIF
// cut short) leave the picture as stored, or at worst refused alike on every open.
TEST(DamagedPictures, HostileOrientationTagsAreIgnoredOrRefusedAlike) {
    CheckCases("orientation-");
    QTemporaryDir dir;
    for (const DamageCase& c : Corpus()) {
        if (!c.name.startsWith("orientation-") || !c.name.contains("-value-") ||
            c.name.contains("-value-6"))
            continue;
        SCOPED_TRACE(c.name.toStdString());
        const QString path = dir.filePath(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.bytes) == c.bytes.size());
        file.close();
        const Opened whole = OpenWholeToText(path);
        ASSERT_TRUE(whole.ok) << whole.reason.toStdString();
        // As stored: the cells keep the stored picture's shape.
        EXPECT_EQ(whole.region.width() > whole.region.height(), c.size.width() > c.size.height());
    }
}

// Under bounds far tighter than the machine's, each case of the whole-picture
// paths gives what it gives without them, or is refused as too large: never a
// crash, a hang, or other art. Run in a child, the bounds being the process's.
void CheckUnderTightBounds(const QStringList& prefixes) {
    constexpr qint64 kTightMemory = 1024 * 1024;
    constexpr qint64 kTightBlockScans = 2'000'000;
    QTemporaryDir dir;
    struct Free {
        QString path;
        bool vast;  // met under the tight bounds alone
        Opened whole, shapes;
    };
    std::vector<Free> cases;
    for (const DamageCase& c : Corpus()) {
        if (std::none_of(prefixes.begin(), prefixes.end(),
                         [&](const QString& p) { return c.name.startsWith(p); }))
            continue;
        const QString path = dir.filePath(c.name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(c.bytes) != c.bytes.size())
            std::_Exit(2);
        file.close();
        const bool vast = DecodedPixels(path) > kMostWholePixels;
        cases.push_back({path, vast, vast ? Opened{} : OpenWholeToText(path),
                         vast ? Opened{} : OpenShapesToText(path)});
    }
    TightenBounds(kTightMemory, kTightBlockScans);
    int wrong = 0;
    int tooLarge = 0;
    const auto check = [&wrong, &tooLarge](const QString& path, const char* how, const Opened& free,
                                           const Opened& tight) {
        const bool same =
            tight.ok ? free.ok && tight.text == free.text : !free.ok || tight.tooLarge;
        tooLarge += tight.tooLarge ? 1 : 0;
        if (same) return;
        ++wrong;
        std::fprintf(stderr, "%s (%s): %s\n", qPrintable(QFileInfo(path).fileName()), how,
                     tight.ok ? "other art" : qPrintable(tight.reason));
    };
    for (const Free& c : cases) {
        const Opened whole = OpenWholeToText(c.path);
        const Opened shapes = OpenShapesToText(c.path);
        if (c.vast) {
            // Nothing to compare with: a vast claim is refused, or its art is not empty.
            if ((whole.ok && whole.text.isEmpty()) || (shapes.ok && shapes.text.isEmpty())) ++wrong;
            continue;
        }
        check(c.path, "whole", c.whole, whole);
        check(c.path, "shapes", c.shapes, shapes);
    }
    std::fprintf(stderr, "tight bounds: %d wrong of %zu, %d too large\n", wrong, cases.size(),
                 tooLarge);
    // The application and its fonts live on in this child: leave without the
    // exit handlers, which would report them as leaks.
    std::fflush(stderr);
    std::_Exit(wrong == 0 ? 0 : 1);
}

TEST(DamagedPictures, UnderTightBoundsEachWholePictureGivesItsArtOrIsTooLarge) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CheckUnderTightBounds({"png-", "gif-", "webp-", "tiff-", "jpeg-scaled-", "bmp-"}),
                ::testing::ExitedWithCode(0), "tight bounds: 0 wrong of ");
}

// Files the fuzzer found, each named after what it broke, with what opening it must give.
TEST(DamagedPictures, FilesTheFuzzerFoundStayMended) {
    struct Found {
        const char* name;
        bool opens;
        bool opensWhole;  // as the whole picture
    };
    const Found found[] = {
        // Empty scans over a 6000 x 6000 progressive picture kept libjpeg busy for seconds;
        // its work now lies within the bound, so it opens in a fraction of a second.
        {"jpeg-progressive-90-empty-scans-timeout.jpg", true, true},
        // A BMP 3 pixels wide claiming 2^31 - 1 rows: laying out the rows for the whole
        // picture ran out of memory before the bound on pixels was checked.
        {"bmp-tall-whole-out-of-memory.bmp", true, false},
        // A BMP 4 pixels wide and 3.7 million rows: each row cost more than its pixels.
        // Row by row it now counts within the bound; the fuzzer's tighter one refuses it.
        {"bmp-narrow-millions-of-rows-timeout.bmp", true, true},
        // A small PNG whose eXIf chunk claims 1.7 GB before the pixels: libpng allocated the
        // claim before finding the file short. The chunk is now passed over by its length.
        {"png-exif-huge-length-out-of-memory.png", false, false},
    };
    const QDir dir(QStringLiteral(GLYPHORAMA_FOUND_DIR));
    EXPECT_EQ(dir.entryList(QDir::Files).size(), qsizetype(std::size(found)))
        << "each file in " << dir.path().toStdString() << " needs its line here";
    for (const Found& f : found) {
        SCOPED_TRACE(f.name);
        const QString path = dir.filePath(f.name);
        ASSERT_TRUE(QFile::exists(path));
        const Opened first = OpenToText(path);
        const Opened second = OpenToText(path);
        EXPECT_EQ(first.ok, f.opens);
        EXPECT_EQ(second.ok, first.ok);
        EXPECT_EQ(second.text, first.text);
        EXPECT_EQ(OpenWholeToText(path).ok, f.opensWhole);
    }
}

}  // namespace
}  // namespace glyph::damage
