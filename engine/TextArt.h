#pragma once

#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "engine/CharRamp.h"
#include "engine/Levels.h"
#include "engine/Rules.h"

namespace glyph {

// Gray levels read from a source, one cell per pixel position 0..100 in each
// direction (more for a reduced picture of more cells than that), with the
// darkest and lightest level read (-1 before any pixel).
struct LevelGrid {
    static constexpr int kSide = kGridSide;
    explicit LevelGrid(int width = 0, int height = 0)
        : columns(std::max(width, kSide)),
          rows(std::max(height, kSide)),
          cells(std::size_t(columns) * std::size_t(rows), 0) {}
    int columns;
    int rows;
    std::vector<int> cells;
    int darkest = -1;
    int lightest = -1;

    // A cell beyond the grid was never read: 0, as an unread one.
    int at(int column, int row) const {
        return column < columns && row < rows ? cells[std::size_t(row) * columns + column] : 0;
    }
    int& at(int column, int row) { return cells[std::size_t(row) * columns + column]; }
};

// Colour (0x00BBGGRR) of the source pixel at (column, row).
using PixelReader = std::function<std::uint32_t(int column, int row)>;

// Reads every pixel of a width x height source, row by row. Pixels whose cell
// lies beyond the grid are ignored: neither stored nor counted for the darkest
// and lightest levels. Cells the source does not cover stay 0.
// `grid` is the block's 101 x 101 unless a reduced picture of more cells needs more.
LevelGrid ReadLevels(int width, int height, const PixelReader& colourAt,
                     LevelGrid grid = LevelGrid());

// The finished art: the painted level of each pixel (row-major) and the text.
struct TextArt {
    int width = 0;
    int height = 0;
    std::vector<int> levels;
    QString text;

    int level(int column, int row) const { return levels[row * width + column]; }
};

// Adjusts the width x height top-left cells and writes one ramp entry per
// pixel, CR LF after each row unless the text already ends with one; the final
// CR LF is dropped from a text longer than 3 characters. width and height
// must lie in 0..100.
TextArt RenderLevels(const LevelGrid& grid, int width, int height, const Adjustment& adjustment,
                     const CharRamp& ramp);

}  // namespace glyph
