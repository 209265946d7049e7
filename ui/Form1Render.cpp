#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include "ui/Form1.h"

namespace glyph {

namespace {
// The window repaints at least this often while a picture is read; user input
// waits until the render is over.
constexpr qint64 kYieldEveryMs = 10;
}  // namespace

void Form1::RenderTextArt(PictureSurface& source, const Adjustment& adjustment) {
    SetAdjustEnabled(false);
    QElapsedTimer slice;
    slice.start();
    const auto yield = [&slice] {
        if (slice.elapsed() < kYieldEveryMs) return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        slice.restart();
    };
    // The whole source is read before anything is painted, so the source may
    // be Picture2 itself.
    const LevelGrid grid = ReadLevels([&source](float x, float y) { return source.Point(x, y); },
                                      source.Width(), source.Height(), scale_.x, scale_.y, yield);
    const TextArt art = RenderLevels(grid, ImageWidth, ImageHeight, adjustment, CharRamp);
    PaintPreview(art);
    Text1->setPlainText(art.text);
    SetAdjustEnabled(true);
}

void Form1::PaintPreview(const TextArt& art) {
    for (int row = 0; row < art.height; ++row) {
        for (int column = 0; column < art.width; ++column) {
            picture2_->PSet(static_cast<float>(column) * scale_.x,
                            static_cast<float>(row) * scale_.y, GrayColour(art.level(column, row)));
        }
    }
    picture2_->NotifyChanged();
}

}  // namespace glyph
