#include "engine/RampFit.h"

#include <gtest/gtest.h>

#include <QSet>

#include "engine/Cp932.h"

namespace glyph {
namespace {

QStringList Names(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) names << QString::number(i);
    return names;
}

std::vector<double> Linear(double densest, double lightest) {
    std::vector<double> coverage;
    for (int level = 0; level < 256; ++level)
        coverage.push_back(densest - (densest - lightest) * level / 255);
    return coverage;
}

TEST(MeasureRamp, OrderDistinctEntriesAndToneError) {
    const RampFigures even = MeasureRamp(Names(256), Linear(0.4, 0.1));
    EXPECT_EQ(even.levelsOutOfOrder, 0);
    EXPECT_EQ(even.pairsOutOfOrder, 0);
    EXPECT_EQ(even.distinct, 256);
    EXPECT_NEAR(even.toneError, 0, 1e-9);
    EXPECT_NEAR(even.span(), 0.3, 1e-12);

    // Two levels swapped: one level darker than the one before, one pair of all 32,640.
    std::vector<double> swapped = Linear(0.4, 0.1);
    std::swap(swapped[10], swapped[11]);
    QStringList repeated = Names(256);
    repeated[200] = repeated[199];
    const RampFigures one = MeasureRamp(repeated, swapped);
    EXPECT_EQ(one.levelsOutOfOrder, 1);
    EXPECT_DOUBLE_EQ(one.pairsOutOfOrder, 1.0 / 32640);
    EXPECT_EQ(one.distinct, 255);

    // Black for the darker half, white for the lighter: each level is as far from 0 or 255
    // as it is, on average (0 + ... + 127) * 2 / 256 = 63.5 levels.
    std::vector<double> twoTones(256, 0.0);
    for (int level = 0; level < 128; ++level) twoTones[std::size_t(level)] = 0.5;
    EXPECT_DOUBLE_EQ(MeasureRamp(Names(256), twoTones).toneError, 63.5);
}

// A pool whose coverages run evenly from 0.5 down to 0 in `count` glyphs.
std::vector<GlyphInk> EvenPool(int count) {
    std::vector<GlyphInk> pool;
    for (int i = 0; i < count; ++i)
        pool.push_back({QString("g%1").arg(i), 0.5 * i / (count - 1), 0});
    return pool;
}

TEST(FitEvenFall, FollowsTheFallFromTheDensestToTheLightestGlyph) {
    const FittedRamp ramp = FitEvenFall(EvenPool(1021));
    ASSERT_EQ(ramp.entries.size(), 256);
    EXPECT_DOUBLE_EQ(ramp.aimedDensest, 0.5);
    EXPECT_DOUBLE_EQ(ramp.aimedLightest, 0.0);
    // Half the pool's own step from the nearest glyph, and a quarter level's slack for a
    // glyph not used yet.
    const double slack = 0.5 * 0.5 / 1020 + 0.25 * 0.5 / 255 + 1e-12;
    for (int level = 0; level < 256; ++level) {
        EXPECT_NEAR(ramp.coverage[std::size_t(level)], 0.5 - 0.5 * level / 255, slack) << level;
    }
    const RampFigures figures = MeasureRamp(ramp.entries, ramp.coverage);
    EXPECT_EQ(figures.levelsOutOfOrder, 0);
    EXPECT_EQ(figures.distinct, 256);
    EXPECT_TRUE(FitEvenFall({}).entries.isEmpty());
}

TEST(FitEvenFall, AmongTwinsTakesAnUnusedOneThenTheMostEvenlyInked) {
    // Four coverages, each drawn by an even glyph and an uneven one: the even glyph comes
    // first, then its uneven twin rather than the even one again.
    std::vector<GlyphInk> pool;
    for (int i = 0; i < 4; ++i) {
        pool.push_back({QString("uneven%1").arg(i), 0.3 - 0.1 * i, 0.5});
        pool.push_back({QString("even%1").arg(i), 0.3 - 0.1 * i, 0.1});
    }
    const FittedRamp ramp = FitEvenFall(pool);
    ASSERT_EQ(ramp.entries.size(), 256);
    EXPECT_EQ(ramp.entries[0], "even0");
    EXPECT_EQ(ramp.entries[1], "uneven0");
    EXPECT_EQ(ramp.entries[255], "even3");
    EXPECT_EQ(MeasureRamp(ramp.entries, ramp.coverage).levelsOutOfOrder, 0);
}

TEST(FitDistinct, AllDistinctWithinTheToneErrorOverTheWidestRangeThatAllows) {
    // Dense and even from 0.5 to 0.1; below that only three glyphs. Reaching them would
    // leave gaps no glyph fills, so the fall stops near 0.1.
    std::vector<GlyphInk> pool;
    for (int i = 0; i <= 800; ++i) pool.push_back({QString("g%1").arg(i), 0.5 - 0.4 * i / 800, 0});
    for (const double light : {0.06, 0.03, 0.01})
        pool.push_back({QString::number(light), light, 0});
    const FittedRamp ramp = FitDistinct(pool);
    ASSERT_EQ(ramp.entries.size(), 256);
    const RampFigures figures = MeasureRamp(ramp.entries, ramp.coverage);
    EXPECT_EQ(figures.distinct, 256);
    EXPECT_EQ(figures.levelsOutOfOrder, 0);
    EXPECT_LE(figures.toneError, 1.0);
    EXPECT_DOUBLE_EQ(ramp.aimedDensest, 0.5);
    EXPECT_GT(ramp.aimedLightest, 0.05);
    EXPECT_LT(ramp.aimedLightest, 0.11);
    EXPECT_TRUE(FitDistinct(EvenPool(255)).entries.isEmpty()) << "fewer glyphs than levels";
}

TEST(Cp932KanjiAndKana, EveryKanjiAndKanaOnceAndNothingElse) {
    const QStringList pool = Cp932KanjiAndKana();
    EXPECT_GT(pool.size(), 6800);
    EXPECT_EQ(QSet<QString>(pool.begin(), pool.end()).size(), pool.size());
    for (const char16_t* c : {u"亜", u"熙", u"髙", u"あ", u"ア", u"ー", u"々"}) {
        EXPECT_TRUE(pool.contains(QString::fromUtf16(c))) << QString::fromUtf16(c).toStdString();
    }
    for (const char16_t* c : {u"A", u"Ａ", u"■", u"ｱ", u"\u3000"}) {
        EXPECT_FALSE(pool.contains(QString::fromUtf16(c))) << QString::fromUtf16(c).toStdString();
    }
}

}  // namespace
}  // namespace glyph
