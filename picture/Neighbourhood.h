#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include "basics/Result.h"
#include "files/FileAccess.h"
#include "picture/Block.h"

namespace glyph {

// The pixels around a moving block, decoded once, so that moving the block a
// little needs no decoding at all: a drag follows the pointer even over a
// picture whose every decode costs a second. The kept pixels are a fixed
// square around the block (4 MB at most), whatever the picture's size, and
// are dropped as soon as the file changes.
class Neighbourhood {
  public:
    // The block whose top-left pixel is `origin` (moved inside the picture),
    // from the kept pixels when they hold it, else read with its surroundings.
    Result<Block> ReadBlock(const QString& path, QPoint origin);
    void Forget();

  private:
    QString path_;
    FileStamp stamp_;
    QSize pictureSize_;
    QRect rect_;  // of the kept pixels, in the picture
    QImage pixels_;
};

}  // namespace glyph
