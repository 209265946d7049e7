#include "ui/PictureSurface.h"

#include <QPainter>
#include <cmath>

namespace glyph {

namespace {

std::uint32_t FromQRgb(QRgb pixel) {
    return static_cast<std::uint32_t>(qRed(pixel)) |
           (static_cast<std::uint32_t>(qGreen(pixel)) << 8) |
           (static_cast<std::uint32_t>(qBlue(pixel)) << 16);
}

QRgb ToQRgb(std::uint32_t colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

PictureSurface::PictureSurface(TwipScale scale, float left, float top, float width, float height,
                               QColor background, QObject* parent)
    : QObject(parent),
      scale_(scale),
      left_(left),
      top_(top),
      width_(width),
      height_(height),
      background_(background) {
    ResizeBitmap();
}

void PictureSurface::SetWidth(float twips) {
    width_ = std::max(0.0f, twips);
    ResizeBitmap();
    emit changed();
}

void PictureSurface::SetHeight(float twips) {
    height_ = std::max(0.0f, twips);
    ResizeBitmap();
    emit changed();
}

void PictureSurface::SetLeft(float twips) {
    left_ = twips;
    emit changed();
}

void PictureSurface::SetTop(float twips) {
    top_ = twips;
    emit changed();
}

// The bitmap follows the box's size; what it held stays at the top-left.
void PictureSurface::ResizeBitmap() {
    const QSize size(TwipsToPixels(width_, scale_.x), TwipsToPixels(height_, scale_.y));
    if (!bitmap_.isNull() && bitmap_.size() == size) return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(background_);
    if (!bitmap_.isNull() && !size.isEmpty()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, bitmap_);
    }
    bitmap_ = resized;
}

bool PictureSurface::PixelAt(float x, float y, int* px, int* py) const {
    const double fx = std::floor(static_cast<double>(x) / scale_.x);
    const double fy = std::floor(static_cast<double>(y) / scale_.y);
    if (!(fx >= 0 && fx < bitmap_.width() && fy >= 0 && fy < bitmap_.height())) return false;
    *px = static_cast<int>(fx);
    *py = static_cast<int>(fy);
    return true;
}

std::int32_t PictureSurface::Point(float x, float y) const {
    int px = 0;
    int py = 0;
    if (!PixelAt(x, y, &px, &py)) return -1;
    const auto* line = reinterpret_cast<const QRgb*>(bitmap_.constScanLine(py));
    return static_cast<std::int32_t>(FromQRgb(line[px]));
}

void PictureSurface::PSet(float x, float y, std::uint32_t colour) {
    int px = 0;
    int py = 0;
    if (!PixelAt(x, y, &px, &py)) return;
    auto* line = reinterpret_cast<QRgb*>(bitmap_.scanLine(py));
    line[px] = ToQRgb(colour);
}

void PictureSurface::PaintPicture(const QImage& picture) {
    if (bitmap_.isNull() || bitmap_.size().isEmpty()) return;
    QPainter painter(&bitmap_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture.convertToFormat(QImage::Format_RGB32));
    painter.end();
    emit changed();
}

void PictureSurface::SetPicture(const QImage& picture) {
    bitmap_.fill(background_);
    PaintPicture(picture);
    emit changed();
}

}  // namespace glyph
