#pragma once

#include <cmath>
#include <cstdint>

namespace glyph {

// Gray levels are 0..kLevels - 1; a ramp has one entry per level.
inline constexpr int kLevels = 256;

// Colours are 0x00BBGGRR.
constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// The colour of gray level v: red, green and blue all v.
constexpr std::uint32_t GrayColour(int v) { return Rgb(v, v, v); }

// floor((R*0.3 + G*0.59) + B*0.11) in double precision, in that order.
// Inline: a whole picture reduced to cells calls it for every pixel.
inline int GrayLevel(std::uint32_t colour) {
    const double r = colour & 0xFF;
    const double g = (colour >> 8) & 0xFF;
    const double b = (colour >> 16) & 0xFF;
    // One product a statement: a compiler may fuse a product into the sum of
    // its expression (clang does where it folds constants), which rounds once
    // and reads some grays a level higher.
    const double red = r * 0.3;
    const double green = g * 0.59;
    const double blue = b * 0.11;
    const double sum = (red + green) + blue;
    // Never negative, so truncating is the floor, without a call to floor().
    return static_cast<int>(sum);
}

// A colour that GrayLevel reads as exactly v (0..255): the gray v itself
// reads one lower for some levels, so a little blue is added there.
std::uint32_t ColourReadAs(int v);

// Nearest integer, exact halves to the even neighbour; saturates at the
// 32-bit range.
std::int32_t RoundHalfEven(double value);

// One render's tone adjustment. autoLevel is a 16-bit boolean: 0 off.
struct Adjustment {
    std::int16_t autoLevel = 0;
    std::int32_t brightness = 0;
    std::int32_t contrast = 0;
};

// The level a grid cell is painted with: stretch (when on), contrast step,
// brightness, then the one clamp to 0..255. darkest and lightest are those of
// the whole read; a stretch over no range leaves the level as it is.
int AdjustLevel(int g, const Adjustment& adjustment, int darkest, int lightest);

}  // namespace glyph
