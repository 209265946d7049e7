#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace glyph {

// Choosing a ramp's 256 entries from measured glyphs, and the figures that say
// how well a ramp reproduces tone. Plain numbers in, entries out: measuring a
// glyph in a font happens elsewhere.

// One candidate glyph as a font draws it.
struct GlyphInk {
    QString glyph;
    double coverage = 0;    // ink over the whole cell, 0 (none) to 1 (all)
    double unevenness = 0;  // spread of the ink over the cell; 0 is even
};

// How a ramp of 256 entries (level 0 the densest) reproduces tone.
struct RampFigures {
    double densest = 0;   // highest coverage of any level
    double lightest = 0;  // lowest coverage of any level
    // Levels with more ink than the level before them (a lighter glyph at a
    // darker level shows as the next level having more ink).
    int levelsOutOfOrder = 0;
    // Of all pairs of levels, the share whose lighter level has more ink.
    double pairsOutOfOrder = 0;
    int distinct = 0;
    // The mean of |g - level| over the levels, g being the level's coverage
    // mapped onto 255..0 over the ramp's own coverage range.
    double toneError = 0;

    double span() const { return densest - lightest; }
};

RampFigures MeasureRamp(const QStringList& entries, const std::vector<double>& coverage);

struct FittedRamp {
    QStringList entries;           // 256, level 0 first
    std::vector<double> coverage;  // of each entry
    double aimedDensest = 0;       // the fall the entries were chosen for
    double aimedLightest = 0;
};

// For each level the glyph nearest to an even fall from the pool's densest to
// its lightest coverage; among glyphs within a quarter level of the nearest,
// one not used yet, then the most evenly inked. Coverage never rises from one
// level to the next. An empty pool gives an empty ramp.
FittedRamp FitEvenFall(std::vector<GlyphInk> pool);

// 256 distinct glyphs, coverage falling from level to level, over the widest
// range of the pool whose tone error stays within `maxToneError` levels.
// Fewer than 256 candidates give an empty ramp.
FittedRamp FitDistinct(std::vector<GlyphInk> pool, double maxToneError = 1.0);

}  // namespace glyph
