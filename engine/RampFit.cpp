#include "engine/RampFit.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/Levels.h"

namespace glyph {

namespace {

constexpr int kTopLevel = kLevels - 1;
constexpr double kGrayTop = 255.0;
// Glyphs this close (in levels) to the nearest one are as good as it.
constexpr double kNearlyTheSame = 0.25;
// In the distinct fit, evenness breaks ties only: it never outweighs tone.
constexpr double kEvennessWeight = 1e-6;
// Denser ends tried for the distinct fit, from the densest glyph down.
constexpr int kDenseEndsTried = 12;

double Target(double densest, double lightest, int level) {
    return densest - (densest - lightest) * level / kTopLevel;
}

void SortDensestFirst(std::vector<GlyphInk>& pool) {
    std::stable_sort(pool.begin(), pool.end(),
                     [](const GlyphInk& a, const GlyphInk& b) { return a.coverage > b.coverage; });
}

double ToneError(const std::vector<double>& coverage) {
    const auto [low, high] = std::minmax_element(coverage.begin(), coverage.end());
    if (coverage.empty() || *high <= *low) return 0;
    double sum = 0;
    for (std::size_t level = 0; level < coverage.size(); ++level) {
        const double gray = kGrayTop * (*high - coverage[level]) / (*high - *low);
        sum += std::abs(gray - double(level));
    }
    return sum / double(coverage.size());
}

FittedRamp FromChoice(const std::vector<GlyphInk>& pool, const std::vector<std::size_t>& chosen,
                      double densest, double lightest) {
    FittedRamp ramp;
    ramp.aimedDensest = densest;
    ramp.aimedLightest = lightest;
    for (const std::size_t i : chosen) {
        ramp.entries << pool[i].glyph;
        ramp.coverage.push_back(pool[i].coverage);
    }
    return ramp;
}

// The distinct glyphs of pool[begin, end) (a rising run of indexes into the
// densest-first pool) nearest to an even fall from `densest` to `lightest`,
// by dynamic programming over levels and glyphs.
std::vector<std::size_t> NearestDistinct(const std::vector<GlyphInk>& pool, std::size_t begin,
                                         std::size_t end, double densest, double lightest) {
    const std::size_t n = end - begin;
    if (n < std::size_t(kLevels)) return {};
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<std::uint32_t> from(std::size_t(kLevels) * n, 0);
    std::vector<double> cost(n);
    std::vector<double> next(n);
    const auto at = [&](std::size_t i) -> const GlyphInk& { return pool[begin + i]; };
    for (std::size_t i = 0; i < n; ++i) {
        cost[i] = std::abs(at(i).coverage - densest) + kEvennessWeight * at(i).unevenness;
    }
    for (int level = 1; level < kLevels; ++level) {
        const double target = Target(densest, lightest, level);
        std::uint32_t* links = &from[std::size_t(level) * n];
        double best = kNone;
        std::uint32_t bestAt = 0;
        for (std::size_t i = 0; i < n; ++i) {
            next[i] = best == kNone ? kNone
                                    : best + std::abs(at(i).coverage - target) +
                                          kEvennessWeight * at(i).unevenness;
            links[i] = bestAt;
            if (cost[i] < best) {
                best = cost[i];
                bestAt = std::uint32_t(i);
            }
        }
        std::swap(cost, next);
    }
    const auto last = std::min_element(cost.begin(), cost.end());
    if (*last == kNone) return {};
    std::vector<std::size_t> chosen(kLevels);
    std::size_t i = std::size_t(last - cost.begin());
    for (int level = kTopLevel; level >= 0; --level) {
        chosen[std::size_t(level)] = begin + i;
        i = from[std::size_t(level) * n + i];
    }
    return chosen;
}

}  // namespace

RampFigures MeasureRamp(const QStringList& entries, const std::vector<double>& coverage) {
    RampFigures figures;
    if (coverage.empty()) return figures;
    const auto [low, high] = std::minmax_element(coverage.begin(), coverage.end());
    figures.densest = *high;
    figures.lightest = *low;
    qint64 pairs = 0;
    qint64 wrong = 0;
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        if (i > 0 && coverage[i] > coverage[i - 1]) ++figures.levelsOutOfOrder;
        for (std::size_t j = i + 1; j < coverage.size(); ++j, ++pairs) {
            if (coverage[j] > coverage[i]) ++wrong;
        }
    }
    figures.pairsOutOfOrder = pairs ? double(wrong) / double(pairs) : 0;
    figures.distinct = int(QSet<QString>(entries.begin(), entries.end()).size());
    figures.toneError = ToneError(coverage);
    return figures;
}

FittedRamp FitEvenFall(std::vector<GlyphInk> pool) {
    if (pool.empty()) return {};
    SortDensestFirst(pool);
    const double densest = pool.front().coverage;
    const double lightest = pool.back().coverage;
    const double slack = kNearlyTheSame * (densest - lightest) / kTopLevel;
    std::vector<bool> used(pool.size(), false);
    std::vector<std::size_t> chosen;
    std::size_t first = 0;  // glyphs before this one are denser than the last level's glyph
    for (int level = 0; level < kLevels; ++level) {
        const double target = Target(densest, lightest, level);
        double nearest = std::numeric_limits<double>::infinity();
        for (std::size_t i = first; i < pool.size(); ++i) {
            nearest = std::min(nearest, std::abs(pool[i].coverage - target));
        }
        std::size_t pick = first;
        bool pickUnused = false;
        double pickUnevenness = std::numeric_limits<double>::infinity();
        bool found = false;
        for (std::size_t i = first; i < pool.size(); ++i) {
            if (std::abs(pool[i].coverage - target) > nearest + slack) continue;
            const bool unused = !used[i];
            const bool better = !found || (unused && !pickUnused) ||
                                (unused == pickUnused && pool[i].unevenness < pickUnevenness);
            if (!better) continue;
            found = true;
            pick = i;
            pickUnused = unused;
            pickUnevenness = pool[i].unevenness;
        }
        used[pick] = true;
        chosen.push_back(pick);
        // Densest first: no later level may take a denser glyph, though one as dense may.
        while (first > 0 && pool[first - 1].coverage <= pool[pick].coverage) --first;
        while (pool[first].coverage > pool[pick].coverage) ++first;
    }
    return FromChoice(pool, chosen, densest, lightest);
}

FittedRamp FitDistinct(std::vector<GlyphInk> pool, double maxToneError) {
    if (pool.size() < std::size_t(kLevels)) return {};
    SortDensestFirst(pool);
    FittedRamp best;
    double bestSpan = 0;
    const std::size_t n = pool.size();
    for (std::size_t top = 0; top < std::size_t(kDenseEndsTried) && top + kLevels <= n; ++top) {
        const double densest = pool[top].coverage;
        // Widest first: the first light end that keeps the tone error within
        // bounds is the widest range from this dense end.
        for (std::size_t low = n - 1; low >= top + kTopLevel; --low) {
            const double lightest = pool[low].coverage;
            if (densest - lightest <= bestSpan) break;
            const std::vector<std::size_t> chosen =
                NearestDistinct(pool, top, low + 1, densest, lightest);
            FittedRamp fit = FromChoice(pool, chosen, densest, lightest);
            if (chosen.empty() || ToneError(fit.coverage) > maxToneError) continue;
            bestSpan = densest - lightest;
            best = std::move(fit);
            break;
        }
    }
    return best;
}

}  // namespace glyph
