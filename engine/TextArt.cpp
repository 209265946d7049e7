#include "engine/TextArt.h"

#include <algorithm>

namespace glyph {

LevelGrid ReadLevels(int width, int height, const PixelReader& colourAt, LevelGrid grid) {
    const int rows = std::min(height, grid.rows);
    const int columns = std::min(width, grid.columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int level = GrayLevel(colourAt(column, row));
            if (grid.darkest < 0) grid.darkest = level;
            if (grid.lightest < 0) grid.lightest = level;
            if (level < grid.darkest) grid.darkest = level;
            if (level > grid.lightest) grid.lightest = level;
            grid.at(column, row) = level;
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
