#include "picture/Measure.h"

#include "engine/Levels.h"
#include "picture/PictureFile.h"

namespace glyph {

namespace {
constexpr std::int32_t kSizeLimit = 100;
constexpr double kHimetricPerInch = 2540.0;
constexpr double kPixelsPerInch = 96.0;
}  // namespace

std::int32_t PixelsToHimetric(std::int32_t pixels) {
    return RoundHalfEven(pixels * kHimetricPerInch / kPixelsPerInch);
}

std::int32_t HimetricToPixels(std::int32_t himetric) {
    return RoundHalfEven(static_cast<double>(himetric) * 24.0 / 635.0);
}

Result<QSize> MeasurePicture(const QString& fileName) {
    const Result<QSize> read = ReadPictureSize(fileName);
    if (!read) return read.error();
    return QSize(HimetricToPixels(PixelsToHimetric(read->width())),
                 HimetricToPixels(PixelsToHimetric(read->height())));
}

std::int32_t ClampImageSize(std::int32_t n) { return (n > kSizeLimit || n < 0) ? kSizeLimit : n; }

}  // namespace glyph
