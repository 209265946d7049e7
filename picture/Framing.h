#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "engine/ShapeMatch.h"
#include "glyphs/GlyphSet.h"

namespace glyph {

// Which part of a picture becomes the art, and how.
struct Framing {
    enum class Mode {
        kBlock,      // at most 100 x 100 pixels at origin, pixel for pixel, as stored
        kWhole,      // the whole picture, reduced to cells
        kRectangle,  // any rectangle of it, reduced to cells
    };
    Mode mode = Mode::kBlock;
    QPoint origin;    // kBlock: the block's top-left pixel
    QRect rectangle;  // kRectangle: in the upright picture's pixels
    QSize mostCells{100, 100};
    double cellAspect = 1.0;  // a cell's height over its width, as the art is shown
    bool upright = true;      // apply the picture's orientation tag
    Match match = Match::kTone;
    // Whether the cells' colours are wanted; without them a reduced JPEG is
    // decoded to gray alone, which is faster.
    bool colours = true;

    bool Reduces() const { return mode != Mode::kBlock; }
    // Sub-cells a side each cell is read in: a patch to match shapes with.
    int PatchSide() const { return Reduces() && match != Match::kTone ? kPatchSide : 1; }
};

// How many cells an area of `pixels` becomes: as many as fit in `most` while
// the cells, `cellAspect` times as tall as wide, keep the area's shape; never
// more cells than pixels along a side, and at least one.
QSize FitCells(QSize pixels, QSize most, double cellAspect);

}  // namespace glyph
