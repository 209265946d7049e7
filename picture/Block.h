#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include "basics/Result.h"

namespace glyph {

// The part of a picture that is converted: at most 100 x 100 pixels, taken
// pixel for pixel, the top-left ones unless the user moves it.
struct Block {
    QImage pixels;      // RGB32, one pixel per character
    QSize pictureSize;  // the whole picture, as its header states it
    QPoint origin;      // the block's top-left pixel in the picture
    // The colour each pixel stands for, where the pixels are not it (cells
    // reduced from a picture read as their levels); null: the pixels.
    QImage colours{};
};

// The block's size for a picture of that size: each side limited to 100.
QSize BlockSize(QSize picture);

// The origin moved as little as needed for the block to lie in the picture.
QPoint ClampOrigin(QPoint origin, QSize picture);

// Measures the picture from its header and decodes only the block at origin
// (moved inside the picture). Nothing but the block is ever kept.
Result<Block> ReadBlock(const QString& path, QPoint origin = {});

}  // namespace glyph
