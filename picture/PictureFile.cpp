#include "picture/PictureFile.h"

#include "basics/Reasons.h"
#include "picture/PictureFormats.h"

namespace glyph {

Result<QSize> ReadPictureSize(const QString& path) {
    const Result<PictureSource> source = OpenPictureSource(path);
    if (!source) return source.error();
    return source->format->size(*source->file, source->format->name);
}

Result<QImage> ReadPictureRegion(const QString& path, QRect region) {
    if (region.isEmpty()) return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};
    const Result<PictureSource> source = OpenPictureSource(path);
    if (!source) return source.error();
    return source->format->region(*source->file, source->format->name, region);
}

}  // namespace glyph
