#include "engine/Levels.h"

#include <cmath>
#include <limits>

#include "engine/Rules.h"

namespace glyph {

std::uint32_t ColourReadAs(int v) {
    for (int extraBlue = 0; extraBlue < 255 - v + 1; ++extraBlue) {
        const std::uint32_t colour = Rgb(v, v, v + extraBlue);
        if (GrayLevel(colour) == v) return colour;
    }
    return GrayColour(v);
}

std::int32_t RoundHalfEven(double value) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded <= kMin) return std::numeric_limits<std::int32_t>::min();
    if (rounded >= kMax) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

namespace {

std::int64_t Stretch(int g, int darkest, int lightest) {
    if (lightest == darkest) return g;
    const double stretched = static_cast<double>(static_cast<std::int64_t>(g) - darkest) * 255.0 /
                             static_cast<double>(static_cast<std::int64_t>(lightest) - darkest);
    return RoundHalfEven(stretched);
}

std::int64_t ApplyContrast(std::int64_t g, std::int32_t contrast) {
    const double factor = static_cast<double>(contrast) / kContrastDivisor + 1.0;
    return RoundHalfEven(factor * static_cast<double>(g - 127) + 127.0);
}

}  // namespace

int AdjustLevel(int g, const Adjustment& adjustment, int darkest, int lightest) {
    std::int64_t v = g;
    if (adjustment.autoLevel != 0) v = Stretch(g, darkest, lightest);
    v = ApplyContrast(v, adjustment.contrast) + adjustment.brightness;
    if (v > 255) return 255;
    if (v < 0) return 0;
    return static_cast<int>(v);
}

}  // namespace glyph
