#include "workspace/Block.h"

#include "workspace/Measure.h"
#include "workspace/PictureFile.h"

namespace glyph {

Result<Block> ReadBlock(const QString& path) {
    const Result<QSize> measured = MeasurePicture(path);
    if (!measured) return measured.error();
    const QSize size(ClampImageSize(measured->width()), ClampImageSize(measured->height()));
    Result<QImage> pixels = ReadPictureRegion(path, size);
    if (!pixels) return pixels.error();
    return Block{std::move(pixels).value(), *measured};
}

}  // namespace glyph
