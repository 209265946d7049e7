#include "picture/Neighbourhood.h"

#include "basics/Reasons.h"
#include "files/FileAccess.h"
#include "picture/Measure.h"
#include "picture/PictureFile.h"

namespace glyph {

namespace {

// The kept square's side: the block and 450 pixels on every side of it.
constexpr int kSide = 1000;

}  // namespace

void Neighbourhood::Forget() {
    path_.clear();
    pixels_ = QImage();
}

Result<Block> Neighbourhood::ReadBlock(const QString& path, QPoint origin) {
    const FileStamp stamp = StampOf(path);
    if (path != path_ || stamp != stamp_ || !stamp.exists) {
        Forget();
        const Result<QSize> measured = MeasurePicture(path);
        if (!measured) return measured.error();
        pictureSize_ = *measured;
    }
    const QPoint at = ClampOrigin(origin, pictureSize_);
    const QRect block(at, BlockSize(pictureSize_));
    if (pixels_.isNull() || !rect_.contains(block)) {
        const QPoint corner = block.center() - QPoint(kSide / 2, kSide / 2);
        const QRect around = QRect(corner, QSize(kSide, kSide)) & QRect(QPoint(), pictureSize_);
        Result<QImage> read = ReadPictureRegion(path, around);
        if (!read) {
            Forget();
            return read.error();
        }
        path_ = path;
        stamp_ = stamp;
        rect_ = QRect(around.topLeft(), read->size());
        pixels_ = std::move(read).value();
        if (!rect_.contains(block))
            return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};  // less than it said
    }
    return Block{pixels_.copy(block.translated(-rect_.topLeft())), pictureSize_, at};
}

}  // namespace glyph
