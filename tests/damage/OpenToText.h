#pragma once

#include <QImage>
#include <QString>

#include "engine/CharRamp.h"
#include "engine/TextArt.h"
#include "workspace/Measure.h"
#include "workspace/PictureFile.h"
#include "workspace/PictureSurface.h"

namespace glyph::damage {

struct Opened {
    bool ok = false;  // false: the open command refuses the file
    QImage region;
    QString text;
};

// What the open command does with a file, without the window: measure from the header,
// clamp, decode the top-left region, show it on a surface and render it with the built-in
// ramp.
inline Opened OpenToText(const QString& path) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!MeasurePicture(path, width, height, nullptr)) return {};
    width = ClampImageSize(width);
    height = ClampImageSize(height);
    const PictureRead read = ReadPictureRegion(path, QSize(width, height));
    if (!read.ok()) return {};

    constexpr TwipScale kScale{15, 15};
    PictureSurface surface(kScale, 0, 0, kScale.x * float(width), kScale.y * float(height),
                           Qt::white);
    surface.SetPicture(read.image);
    const LevelGrid grid = ReadLevels([&](float x, float y) { return surface.Point(x, y); },
                                      surface.Width(), surface.Height(), kScale.x, kScale.y);
    const TextArt art = RenderLevels(grid, width, height, Adjustment{}, CharRamp::BuiltIn());
    return {true, read.image, art.text};
}

}  // namespace glyph::damage
