#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <cstdint>

#include "ui/Screen.h"

namespace glyph {

// A picture box's persistent bitmap, addressed in twips. What PSet,
// PaintPicture and SetPicture draw stays in it, Point reads it back and Image
// snapshots it. A widget only displays it.
class PictureSurface : public QObject {
    Q_OBJECT

  public:
    PictureSurface(TwipScale scale, float left, float top, float width, float height,
                   QColor background, QObject* parent = nullptr);

    float Width() const { return width_; }
    float Height() const { return height_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    void SetWidth(float twips);
    void SetHeight(float twips);
    void SetLeft(float twips);
    void SetTop(float twips);

    // Colour (0x00BBGGRR) of the pixel containing (x, y), or -1 outside the
    // drawable area, including at and beyond the right and bottom edges.
    std::int32_t Point(float x, float y) const;
    // Sets the pixel containing (x, y); outside the drawable area, nothing.
    // Batch callers announce the change with NotifyChanged().
    void PSet(float x, float y, std::uint32_t colour);
    // Draws picture at its natural size with its top-left at (0, 0); the
    // surface keeps its size, so only the area the picture covers changes.
    void PaintPicture(const QImage& picture);
    // Replaces the bitmap by the background with picture at (0, 0), clipped,
    // never stretched.
    void SetPicture(const QImage& picture);
    // A snapshot of the bitmap.
    QImage Image() const { return bitmap_; }

    const QImage& bitmap() const { return bitmap_; }
    TwipScale scale() const { return scale_; }
    void NotifyChanged() { emit changed(); }

  signals:
    void changed();

  private:
    void ResizeBitmap();
    bool PixelAt(float x, float y, int* px, int* py) const;

    TwipScale scale_;
    float left_;
    float top_;
    float width_;
    float height_;
    QColor background_;
    QImage bitmap_;
};

}  // namespace glyph
