// Characters chosen by shape: the pool, its cache, the document's steps and
// the converter's --match=shape.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include "ConverterProcess.h"
#include "TerminalProcess.h"
#include "WithFonts.h"
#include "document/Document.h"
#include "engine/EastAsianWidth.h"
#include "glyphs/GlyphSet.h"
#include "glyphs/ShapeSource.h"

namespace glyph::cli {
namespace {

const ArtFont kFont{QStringLiteral("IPAGothic"), 16};
const QStringList kShapeOptions{"--fit", "--match=shape", "--font=IPAGothic", "--size=16"};

class ShapeMatch : public WithFonts {
  protected:
    QTemporaryDir dir_;
};

// Lines two pixels thick, one every eight pixels: in each cell of an 800 x
// 800 picture fitted to 100 x 100 cells, one row (or column) of its patch.
QString Lines(const QString& path, bool horizontal) {
    QImage image(800, 800, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int along = (horizontal ? y : x) % 8;
            image.setPixel(x, y, along == 2 || along == 3 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    image.save(path);
    return path;
}

// A picture with edges and gradients.
QString Photo(const QString& path, int seed) {
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inside =
                (x - 200 - seed * 10) * (x - 200) + (y - 240) * (y - 240) < 150 * 150;
            const int v = inside ? 230 - y / 4 : (x * 255 / 640 + seed * 20) % 256;
            image.setPixel(x, y, qRgb(v, (v + x) % 256, 255 - v));
        }
    }
    image.save(path);
    return path;
}

// The ink of the art's glyphs, summed part by part, as the pool measured them.
std::array<double, kPatchCells> InkOfArt(const QString& art) {
    QHash<QString, std::array<float, kPatchCells>> pool;
    for (const GlyphShape& shape : LoadShapes(kFont, Match::kKanjiShapes))
        pool.insert(shape.glyph, shape.ink);
    std::array<double, kPatchCells> sums{};
    for (const QChar c : art) {
        if (c == u'\n') continue;
        EXPECT_TRUE(pool.contains(c)) << "from the pool";
        const auto ink = pool.value(c);
        for (int i = 0; i < kPatchCells; ++i) sums[i] += ink[i];
    }
    return sums;
}

TEST_F(ShapeMatch, LinesGetGlyphsWhoseInkLiesAlongThem) {
    for (const bool horizontal : {true, false}) {
        const QString picture = Lines(dir_.filePath("lines.png"), horizontal);
        const Ran ran = Convert(kShapeOptions + QStringList{picture});
        ASSERT_EQ(ran.status, 0) << ran.err.toStdString();
        const std::array<double, kPatchCells> ink = InkOfArt(QString::fromUtf8(ran.out));
        // Part row (or column) 1 holds the line; compare the four.
        std::array<double, kPatchSide> across{};
        for (int i = 0; i < kPatchCells; ++i)
            across[horizontal ? i / kPatchSide : i % kPatchSide] += ink[i];
        for (int other : {0, 2, 3})
            EXPECT_GT(across[1], 1.5 * across[other])
                << (horizontal ? "rows " : "columns ") << other;
    }
}

TEST_F(ShapeMatch, TheSameTextOnEveryRunAndWithAnyJobs) {
    QStringList pictures;
    for (int i = 0; i < 4; ++i)
        pictures << Photo(dir_.filePath(QStringLiteral("p%1.png").arg(i)), i);
    const auto run = [&](const QString& folder, const QString& jobs) {
        const Ran ran = Convert(
            kShapeOptions +
            QStringList{"--pool=cp932", jobs, "--output-dir", dir_.filePath(folder)} + pictures);
        EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    };
    run("one", "-j1");
    run("four", "-j4");
    run("again", "-j4");
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("/p%1.txt").arg(i);
        const QByteArray one = ReadAll(dir_.filePath("one") + name);
        EXPECT_FALSE(one.isEmpty());
        EXPECT_EQ(ReadAll(dir_.filePath("four") + name), one);
        EXPECT_EQ(ReadAll(dir_.filePath("again") + name), one);
    }
}

int Differing(const QString& a, const QString& b) {
    int count = std::abs(int(a.size() - b.size()));
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) count += a[i] != b[i];
    return count;
}

// The steps act on each patch's sub-cells as on levels, with the same history
// and read-back: undo shows the levels kept, each read back from its gray
// (one lower for some levels, which the tone carried on spreads further).
TEST_F(ShapeMatch, StepsChangeTheTextAndUndoBringsItBack) {
    Framing framing;
    framing.mode = Framing::Mode::kWhole;
    framing.match = Match::kKanjiShapes;
    Document document{CharRamp::BuiltIn()};
    const QString photo = Photo(dir_.filePath("p.png"), 0);
    // Shapes are the caller's to hand in: none, and the framing is refused.
    const Status without = document.Open(photo, framing);
    ASSERT_FALSE(without.ok());
    EXPECT_EQ(without.error().kind, ErrorKind::kNotTheFile);
    document.UseShapes(&FontShapes);
    ASSERT_TRUE(document.Open(photo, framing).ok());
    EXPECT_EQ(document.cells(), QSize(100, 75));
    ASSERT_EQ(document.art().levels.size(), std::size_t(400 * 300));
    const QString opened = document.text();
    const std::vector<int> levels = document.art().levels;
    EXPECT_EQ(opened.count(u'\n'), 74);
    ASSERT_TRUE(document.Run(Command::kDarker));
    ASSERT_TRUE(document.Run(Command::kMoreContrast));
    const QString darker = document.text();
    EXPECT_GT(Differing(darker, opened), opened.size() / 4);
    ASSERT_TRUE(document.Run(Command::kUndo));
    ASSERT_TRUE(document.Run(Command::kUndo));
    for (std::size_t i = 0; i < levels.size(); ++i)
        ASSERT_LE(std::abs(document.art().levels[i] - levels[i]), 1) << i;
    const QString undone = document.text();
    ASSERT_TRUE(document.Run(Command::kRedo));
    ASSERT_TRUE(document.Run(Command::kRedo));
    EXPECT_GT(Differing(document.text(), undone), opened.size() / 4);
    ASSERT_TRUE(document.Run(Command::kUndo));
    ASSERT_TRUE(document.Run(Command::kUndo));
    EXPECT_EQ(document.text(), undone);
    ASSERT_TRUE(document.Run(Command::kReset));
    EXPECT_EQ(document.text(), opened) << "read from the picture as opened";
}

// A picture of one level has no span of its own: paper stays paper, and a
// gray is inked throughout, never a division by nothing, in glyphs that do
// not run in stripes.
TEST_F(ShapeMatch, APictureOfOneLevelIsPaperOrInkWithoutStripes) {
    for (const int level : {255, 128}) {
        const QString picture = dir_.filePath(QStringLiteral("flat%1.png").arg(level));
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(qRgb(level, level, level));
        image.save(picture);
        const Ran ran = Convert(kShapeOptions + QStringList{picture});
        ASSERT_EQ(ran.status, 0) << ran.err.toStdString();
        const QStringList rows = QString::fromUtf8(ran.out).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(rows.isEmpty());
        int paper = 0, cells = 0, repeats = 0;
        for (QString row : rows) {
            row.remove(u'\r');
            for (qsizetype column = 0; column < row.size(); ++column) {
                ++cells;
                paper += row[column] == kFullWidthSpace.front();
                repeats += column > 0 && row[column] == row[column - 1];
            }
        }
        EXPECT_EQ(paper, level == 255 ? cells : 0) << level;
        if (level != 255) {
            EXPECT_LT(repeats, cells / 20) << "stripes of one glyph";
        }
    }
}

int AmbiguousIn(const QString& art) {
    int count = 0;
    for (const QChar c : art) count += IsAmbiguousWidth(c.unicode());
    return count;
}

// A terminal may show Greek, Cyrillic or box drawing one column wide: art
// shown on one leaves them out, while files and pipes keep the whole pool.
TEST_F(ShapeMatch, Cp932OnATerminalLeavesOutAmbiguousWidthsAndFilesKeepThem) {
    const QString picture = Photo(dir_.filePath("photo.png"), 0);
    const QStringList cp932 = kShapeOptions + QStringList{"--pool=cp932", "--width=80", picture};
    const Ran piped = Convert(cp932);
    ASSERT_EQ(piped.status, 0) << piped.err.toStdString();
    const QString pipedArt = QString::fromUtf8(piped.out);
    EXPECT_GT(AmbiguousIn(pipedArt), 0) << "the whole pool, Greek and box drawing too";
    const QString file = dir_.filePath("art.txt");
    ASSERT_EQ(Convert(cp932 + QStringList{"-o", file}).status, 0);
    EXPECT_EQ(ReadAll(file), piped.out);

    QSet<QChar> pool;
    for (const GlyphShape& shape : LoadShapes(kFont, Match::kCp932Shapes))
        pool.insert(shape.glyph[0]);
    for (const char* format : {"--format=text", "--format=ansi"}) {
        const Ran shown = ConvertOnTerminal(cp932 + QStringList{format}, 200, "200");
        ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
        const QString art = QString::fromUtf8(shown.out);
        EXPECT_EQ(AmbiguousIn(art), 0) << format;
        EXPECT_EQ(art.count(u'\n'), pipedArt.count(u'\n')) << format;
        int glyphs = 0;
        for (const QChar c : art) {
            if (c.unicode() < 0x80) continue;  // line ends and colour escapes
            ++glyphs;
            EXPECT_TRUE(pool.contains(c)) << format << " " << int(c.unicode());
        }
        EXPECT_GT(glyphs, 0) << format;
    }
    // A pipe in ANSI keeps the whole pool too.
    EXPECT_GT(AmbiguousIn(QString::fromUtf8(Convert(cp932 + QStringList{"--format=ansi"}).out)), 0);
}

// A kept pool that is damaged, cut or another program's is measured again
// and rewritten; a cache folder that cannot be written still gives the pool.
TEST_F(ShapeMatch, ADamagedKeptPoolIsMeasuredAgain) {
    qputenv("XDG_CACHE_HOME", dir_.filePath("cache").toUtf8());
    const std::vector<GlyphShape> measured = LoadShapes(kFont, Match::kKanjiShapes);
    const QString path = ShapesPath(kFont, Match::kKanjiShapes);
    ASSERT_TRUE(path.startsWith(dir_.filePath("cache")));
    const QByteArray kept = ReadAll(path);
    ASSERT_FALSE(kept.isEmpty());
    const auto same = [&measured](const std::vector<GlyphShape>& shapes) {
        if (shapes.size() != measured.size()) return false;
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            if (shapes[i].glyph != measured[i].glyph || shapes[i].ink != measured[i].ink)
                return false;
        }
        return true;
    };
    QByteArray flipped = kept;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x10);
    for (const QByteArray& damaged : {flipped, kept.left(kept.size() / 3), QByteArray("moji")}) {
        WriteAll(path, damaged);
        EXPECT_TRUE(same(LoadShapes(kFont, Match::kKanjiShapes)));
        EXPECT_EQ(ReadAll(path), kept) << "written again";
    }
    // The cache folder's place is taken by a file.
    WriteAll(dir_.filePath("file"), "x");
    qputenv("XDG_CACHE_HOME", dir_.filePath("file").toUtf8());
    EXPECT_TRUE(same(LoadShapes(kFont, Match::kKanjiShapes)));
    qputenv("XDG_CACHE_HOME", GLYPHORAMA_TEST_HOME "/cache");
}

}  // namespace
}  // namespace glyph::cli
