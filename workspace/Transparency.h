#pragma once

#include <QImage>
#include <QRgb>

namespace glyph {

// Transparent pixels of PNG, GIF, WebP and TIFF pictures show the white paper
// the art is printed on: every colour is laid over white by its alpha. BMP and
// JPEG colours are used as stored.

// One non-premultiplied pixel laid over white, as an opaque colour.
inline QRgb OverWhite(QRgb pixel) {
    const int alpha = qAlpha(pixel);
    const auto blend = [alpha](int channel) {
        return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
    };
    return qRgb(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel)));
}

// The picture laid over white, as RGB32.
inline QImage OverWhite(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = OverWhite(line[x]);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace glyph
