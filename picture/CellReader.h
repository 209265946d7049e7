#pragma once

#include <QtGui/qrgb.h>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "basics/Result.h"
#include "picture/Block.h"
#include "picture/Framing.h"

namespace glyph {

// A picture, or a rectangle of it, reduced to cells (to sub-cells, a patch
// of Framing::PatchSide() a side for each cell, when shapes are matched): the whole-picture ways
// of making the working image. The picture is turned upright first when the
// framing says so, and decoded no larger than the cells need; its rows are
// summed into the cells as they come and never held whole.
struct Cells {
    QSize size;                 // columns x rows
    std::vector<int> levels;    // upright, row by row
    std::vector<QRgb> colours;  // each cell's mean colour; empty when the framing wants none
    QSize pictureSize;          // the upright picture
    QRect area;                 // the upright pixels the cells cover
};

Result<Cells> ReadCells(const QString& path, const Framing& framing);

// What ReadCells would refuse from the picture's header alone (too many
// pixels, sums larger than the memory bound), without decoding a pixel.
Status CheckCells(const QString& path, const Framing& framing);

// Cells of `area` (in the upright picture's pixels, the picture being
// `pictureSize`) taken from an upright picture already reduced to `reduced`:
// no file is read, so a rectangle dragged over a large photo follows the
// pointer. Close to what ReadCells gives, not the same.
Cells CellsOfReduced(const QImage& reduced, QSize pictureSize, QRect area, QSize mostCells,
                     double cellAspect, int patchSide = 1);

// The cells as a block: one pixel per cell, of a colour that reads as the
// cell's level, so that the document treats it as it treats a block; the
// cells' mean colours go with it.
Block BlockOfCells(const Cells& cells);

// The cells' mean colours as a picture, one pixel per cell; null without them.
QImage ColourImage(const Cells& cells);

}  // namespace glyph
