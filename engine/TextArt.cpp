#include "engine/TextArt.h"

#include <cmath>

namespace glyph {

LevelGrid ReadLevels(const PointReader& point, float width, float height, float tx, float ty,
                     const std::function<void()>& yield) {
    LevelGrid grid;
    if (!(tx > 0) || !(ty > 0)) return grid;
    // Positions beyond the grid would be ignored, so the loops stop there; that
    // also keeps an oversized source from running on.
    for (float y = 0; y <= height && RoundHalfEven(y / ty) < LevelGrid::kSide; y += ty) {
        for (float x = 0; x <= width && RoundHalfEven(x / tx) < LevelGrid::kSide; x += tx) {
            const std::int32_t colour = point(x, y);
            const int column = RoundHalfEven(x / tx);
            const int row = RoundHalfEven(y / ty);
            if (colour != kNoPixel) {
                const int level = GrayLevel(static_cast<std::uint32_t>(colour));
                if (grid.darkest < 0) grid.darkest = level;
                if (grid.lightest < 0) grid.lightest = level;
                if (level < grid.darkest) grid.darkest = level;
                if (level > grid.lightest) grid.lightest = level;
                grid.at(column, row) = level;
            }
            if (yield) yield();
        }
    }
    return grid;
}

TextArt RenderLevels(const LevelGrid& grid, int width, int height, const Adjustment& adjustment,
                     const CharRamp& ramp) {
    static const QString kLineEnd = QStringLiteral("\r\n");
    TextArt art;
    art.width = width;
    art.height = height;
    art.levels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int v =
                AdjustLevel(grid.at(column, row), adjustment, grid.darkest, grid.lightest);
            art.levels[static_cast<size_t>(row) * width + column] = v;
            art.text += ramp.CharForLevel(v);
        }
        if (!art.text.endsWith(kLineEnd)) art.text += kLineEnd;
    }
    if (art.text.size() > 3) art.text.chop(2);
    return art;
}

}  // namespace glyph
