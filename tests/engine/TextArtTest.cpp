#include <gtest/gtest.h>

#include <map>

#include "engine/TextArt.h"

namespace glyph {
namespace {

// A source of width x height pixels whose colour comes from a function.
struct FakeSource {
    int width;
    int height;
    std::function<std::uint32_t(int, int)> colour;
    int reads = 0;

    LevelGrid Read() {
        return ReadLevels(width, height, [this](int column, int row) {
            ++reads;
            EXPECT_LT(column, width);
            EXPECT_LT(row, height);
            return colour(column, row);
        });
    }
};

// A ramp whose entry for level v is a single distinct Latin-1 character.
CharRamp LetterRamp() {
    QStringList entries;
    for (int v = 0; v < 256; ++v) entries << QString(QChar(0x100 + v));
    return CharRamp(entries);
}

TEST(ReadLevels, ReadsEveryPixelOnceAndLeavesTheRestZero) {
    FakeSource source{64, 40, [](int x, int y) { return GrayColour((x + y) % 256); }};
    const LevelGrid grid = source.Read();
    EXPECT_EQ(source.reads, 64 * 40);
    EXPECT_EQ(grid.at(10, 3), GrayLevel(GrayColour(13)));
    EXPECT_EQ(grid.at(64, 0), 0);
    EXPECT_EQ(grid.at(0, 40), 0);
    EXPECT_EQ(grid.darkest, 0);
    EXPECT_EQ(grid.lightest, GrayLevel(GrayColour(63 + 39)));
}

TEST(ReadLevels, PixelsBeyondTheGridAreIgnoredAndNoPixelLeavesMinusOne) {
    // A bright pixel at column 120 must not count as the lightest level.
    FakeSource wide{130, 2, [](int x, int) { return x == 120 ? GrayColour(255) : GrayColour(30); }};
    const LevelGrid grid = wide.Read();
    EXPECT_EQ(grid.lightest, 30);
    EXPECT_EQ(grid.darkest, 30);

    FakeSource empty{0, 0, [](int, int) { return 0u; }};
    const LevelGrid none = empty.Read();
    EXPECT_EQ(none.darkest, -1);
    EXPECT_EQ(none.lightest, -1);
}

TEST(ReadLevels, DarkestAndLightestCoverPixelsOutsideTheWorkingArea) {
    FakeSource source{10, 10,
                      [](int x, int y) { return GrayColour(x == 9 && y == 9 ? 250 : 100); }};
    const LevelGrid grid = source.Read();
    const TextArt art = RenderLevels(grid, 2, 2, Adjustment{-1, 0, 0}, LetterRamp());
    // 100 stretched over 100..250 is 0.
    EXPECT_EQ(art.level(0, 0), 0);
}

TEST(RenderLevels, TextHasOneLinePerRowAndNoFinalLineBreak) {
    FakeSource source{3, 2, [](int x, int y) { return GrayColour(x * 50 + y * 3); }};
    const TextArt art = RenderLevels(source.Read(), 3, 2, {}, LetterRamp());
    QString expected;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            expected += QChar(0x100 + GrayLevel(GrayColour(x * 50 + y * 3)));
        if (y == 0) expected += QStringLiteral("\r\n");
    }
    EXPECT_EQ(art.text, expected);
    EXPECT_EQ(art.levels.size(), 6u);
}

TEST(RenderLevels, SmallShapes) {
    FakeSource column{1, 3, [](int, int) { return GrayColour(255); }};
    const QString c = QString(QChar(0x100 + 255));
    EXPECT_EQ(RenderLevels(column.Read(), 1, 3, {}, LetterRamp()).text,
              c + "\r\n" + c + "\r\n" + c);
    FakeSource dot{1, 1, [](int, int) { return GrayColour(255); }};
    EXPECT_EQ(RenderLevels(dot.Read(), 1, 1, {}, LetterRamp()).text, c + "\r\n");
    EXPECT_EQ(RenderLevels(dot.Read(), 1, 0, {}, LetterRamp()).text, QString());
    EXPECT_EQ(RenderLevels(dot.Read(), 0, 5, {}, LetterRamp()).text, QStringLiteral("\r\n"));
}

TEST(RenderLevels, EmptyEntriesAddNoCharacterAndRowsOfNothingAddNoLine) {
    QStringList entries = LetterRamp().entries();
    entries[0] = QString();
    FakeSource source{2, 3, [](int, int y) { return y == 1 ? GrayColour(0) : GrayColour(255); }};
    const QString w = QString(QChar(0x100 + 255));
    EXPECT_EQ(RenderLevels(source.Read(), 2, 3, {}, CharRamp(entries)).text,
              w + w + "\r\n" + w + w);
}

TEST(RenderLevels, SourceSmallerThanTheWorkingAreaRendersFromLevelZero) {
    FakeSource source{1, 1, [](int, int) { return GrayColour(255); }};
    const TextArt art = RenderLevels(source.Read(), 2, 2, {}, LetterRamp());
    EXPECT_EQ(art.level(0, 0), 255);
    EXPECT_EQ(art.level(1, 0), 0);
    EXPECT_EQ(art.level(1, 1), 0);
}

TEST(RenderLevels, MultiCharacterEntriesAndTheBuiltInRamp) {
    FakeSource source{2, 2, [](int x, int) { return GrayColour(x == 0 ? 0 : 255); }};
    const TextArt art = RenderLevels(source.Read(), 2, 2, {}, CharRamp::BuiltIn());
    EXPECT_EQ(art.text, QStringLiteral("欟八\r\n欟八"));
    QStringList entries = LetterRamp().entries();
    entries[0] = QStringLiteral("##");
    EXPECT_EQ(RenderLevels(source.Read(), 2, 1, {}, CharRamp(entries)).text.left(2),
              QStringLiteral("##"));
}

}  // namespace
}  // namespace glyph
