#include "picture/Block.h"

#include <algorithm>

#include "picture/Measure.h"
#include "picture/PictureFile.h"

namespace glyph {

QSize BlockSize(QSize picture) {
    return QSize(ClampImageSize(picture.width()), ClampImageSize(picture.height()));
}

QPoint ClampOrigin(QPoint origin, QSize picture) {
    const QSize block = BlockSize(picture);
    return QPoint(std::clamp(origin.x(), 0, std::max(0, picture.width() - block.width())),
                  std::clamp(origin.y(), 0, std::max(0, picture.height() - block.height())));
}

Result<Block> ReadBlock(const QString& path, QPoint origin) {
    const Result<QSize> measured = MeasurePicture(path);
    if (!measured) return measured.error();
    const QPoint at = ClampOrigin(origin, *measured);
    Result<QImage> pixels = ReadPictureRegion(path, QRect(at, BlockSize(*measured)));
    if (!pixels) return pixels.error();
    return Block{std::move(pixels).value(), *measured, at};
}

}  // namespace glyph
