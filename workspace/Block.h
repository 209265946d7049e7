#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "workspace/Result.h"

namespace glyph {

// The part of a picture that is converted: its top-left pixels, at most
// 100 x 100, taken pixel for pixel.
struct Block {
    QImage pixels;      // RGB32, one pixel per character
    QSize pictureSize;  // the whole picture, as its header states it
};

// Measures the picture from its header, limits each side to 100 pixels and
// decodes only that block. Nothing but the block is ever decoded.
Result<Block> ReadBlock(const QString& path);

}  // namespace glyph
