#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "engine/ShapeMatch.h"

namespace glyph {
namespace {

// Sub-cell levels of columns x rows cells, each cell of one level.
std::vector<int> CellsOf(const std::vector<int>& cellLevels, int columns) {
    const int rows = int(cellLevels.size()) / columns;
    const int width = columns * kPatchSide;
    std::vector<int> levels(std::size_t(width) * std::size_t(rows * kPatchSide));
    for (int y = 0; y < rows * kPatchSide; ++y)
        for (int x = 0; x < width; ++x)
            levels[std::size_t(y) * width + x] =
                cellLevels[std::size_t(y / kPatchSide) * columns + x / kPatchSide];
    return levels;
}

TEST(PictureSpan, ClipsStrayCellsButKeepsHighlightsThatCarryTheTone) {
    constexpr int kColumns = 100;
    // A night sky: dark cells, one in a hundred a star. Clipped, the stars
    // would be gone from the tone, so the span keeps them.
    std::vector<int> sky(10000);
    for (std::size_t i = 0; i < sky.size(); ++i) sky[i] = i % 100 == 0 ? 255 : 20 + int(i % 41);
    EXPECT_EQ(PictureSpan(CellsOf(sky, kColumns), kColumns).light, 255);

    // A gradient with a few stray cells at each end: those are clipped, and
    // no more than a tenth of the cells at either end.
    std::vector<int> gradient(10000);
    for (std::size_t i = 0; i < gradient.size(); ++i) gradient[i] = 50 + int(i % 151);
    for (std::size_t i = 0; i < 10; ++i) {
        gradient[i * 997] = 0;
        gradient[i * 991 + 5] = 255;
    }
    const ToneSpan span = PictureSpan(CellsOf(gradient, kColumns), kColumns);
    EXPECT_GT(span.dark, 0);
    EXPECT_LT(span.light, 255);
    const auto beyond = [&](auto clipped) {
        return double(std::count_if(gradient.begin(), gradient.end(), clipped)) / gradient.size();
    };
    EXPECT_LE(beyond([&](int level) { return level < span.dark; }), 0.1);
    EXPECT_LE(beyond([&](int level) { return level > span.light; }), 0.1);
}

TEST(PictureSpan, APictureOfOneLevelSpansThemAll) {
    const ToneSpan span = PictureSpan(CellsOf(std::vector<int>(64, 128), 8), 8);
    EXPECT_EQ(span.dark, 0);
    EXPECT_EQ(span.light, kLevels - 1);
    const ToneSpan none = PictureSpan(std::vector<int>{}, 0);
    EXPECT_LT(none.dark, none.light);
}

GlyphShape Shape(const QString& glyph, std::initializer_list<int> inked, float ink) {
    GlyphShape shape{glyph, {}};
    for (const int part : inked) shape.ink[std::size_t(part)] = ink;
    return shape;
}

// A pool with seven strokes of the same weight: a flat gray could take any.
std::vector<GlyphShape> StrokePool() {
    return {
        Shape(QStringLiteral("　"), {}, 0),
        Shape(QStringLiteral("一"), {4, 5, 6, 7}, 0.8f),
        Shape(QStringLiteral("丨"), {1, 5, 9, 13}, 0.8f),
        Shape(QStringLiteral("丶"), {0, 5, 10, 15}, 0.8f),
        Shape(QStringLiteral("ノ"), {3, 6, 9, 12}, 0.8f),
        Shape(QStringLiteral("冖"), {0, 1, 2, 3}, 0.8f),
        Shape(QStringLiteral("亠"), {12, 13, 14, 15}, 0.8f),
        Shape(QStringLiteral("亅"), {2, 6, 10, 14}, 0.8f),
        Shape(QStringLiteral("鬱"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 0.9f),
    };
}

QStringList Rows(const QString& text) { return text.split(QStringLiteral("\r\n")); }

TEST(MatchShapes, AFlatGrayNeitherRunsInOneGlyphNorAlternatesTwo) {
    const ShapeIndex index(StrokePool());
    constexpr int kColumns = 12;
    const std::vector<int> levels = CellsOf(std::vector<int>(kColumns * 6, 200), kColumns);
    const QStringList rows = Rows(MatchShapes(index, levels, kColumns, 6, {}));
    ASSERT_EQ(rows.size(), 6);
    for (int row = 0; row < rows.size(); ++row) {
        ASSERT_EQ(rows[row].size(), kColumns);
        for (int column = 0; column < kColumns; ++column) {
            const QChar glyph = rows[row][column];
            EXPECT_NE(glyph, u'　') << "a gray is inked";
            const QChar left = column >= 1 ? rows[row][column - 1] : QChar();
            const QChar before = column >= 2 ? rows[row][column - 2] : QChar();
            const QChar above = row >= 1 ? rows[row - 1][column] : QChar();
            EXPECT_TRUE(glyph != left && glyph != before && glyph != above) << row << "," << column;
        }
    }
}

TEST(MatchShapes, PaperRepeatsAndLinesStillWin) {
    const ShapeIndex index(StrokePool());
    // White: paper throughout, however often it repeats.
    EXPECT_EQ(MatchShapes(index, CellsOf(std::vector<int>(8, 255), 8), 8, 1, {}),
              QString(8, u'　'));
    // A vertical line through every cell of a column beats the cost of
    // repeating the glyph above.
    std::vector<int> line(std::size_t(kPatchSide * kPatchSide) * 4, 255);
    for (int y = 0; y < 4 * kPatchSide; ++y) line[std::size_t(y) * kPatchSide + 1] = 0;
    const ToneSpan span{0, 255};
    EXPECT_EQ(MatchShapes(index, line, 1, 4, span), QStringLiteral("丨\r\n丨\r\n丨\r\n丨"));
}

TEST(MatchShapes, CarriedToneDithersBetweenTheGlyphsAround) {
    // Only paper and one flat gray of ink 0.5: a tone of a quarter is drawn
    // as about one cell in two inked when the error is carried, and as paper
    // throughout when it is not.
    const std::vector<GlyphShape> pool = {
        Shape(QStringLiteral("　"), {}, 0),
        Shape(QStringLiteral("回"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 0.5f),
    };
    constexpr int kColumns = 40;
    // Level 128 maps onto half the pool's range within the span 0..255.
    const std::vector<int> levels = CellsOf(std::vector<int>(kColumns * 4, 128), kColumns);
    const ToneSpan span{0, 255};
    ShapeWeights carried;
    carried.spread = 1;
    carried.repeat = 0;
    const QString dithered = MatchShapes(ShapeIndex(pool, carried), levels, kColumns, 4, span);
    const double inked = double(dithered.count(u'回')) / (kColumns * 4);
    EXPECT_NEAR(inked, 0.5, 0.1);
    ShapeWeights alone = carried;
    alone.spread = 0;
    const QString plain = MatchShapes(ShapeIndex(pool, alone), levels, kColumns, 4, span);
    EXPECT_EQ(plain.count(u'回'), 0);
}

}  // namespace
}  // namespace glyph
