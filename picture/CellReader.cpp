#include "picture/CellReader.h"

#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "engine/CellSums.h"
#include "engine/Levels.h"
#include "picture/JpegRows.h"
#include "picture/Orientation.h"
#include "picture/PictureFormats.h"

namespace glyph {

namespace {

constexpr int kFullScale = 8;  // eighths

// One axis of the stored picture and the span of it the cells cover.
struct StoredSpan {
    int start;
    int length;
    int cells;
    bool reflected;
};

StoredSpan Span(int start, int length, int cells, bool reflected, int extent) {
    return {reflected ? extent - start - length : start, length, cells, reflected};
}

// The smallest decoding scale that still gives each cell a pixel per side.
int ScaleFor(const PictureFormat& format, QSize stored, const StoredSpan& x, const StoredSpan& y) {
    if (!format.scales) return kFullScale;
    for (int eighths = 1; eighths < kFullScale; ++eighths) {
        const QSize decoded = ScaledJpegSize(stored, eighths);
        if (qint64(x.length) * decoded.width() >= qint64(stored.width()) * x.cells &&
            qint64(y.length) * decoded.height() >= qint64(stored.height()) * y.cells) {
            return eighths;
        }
    }
    return kFullScale;
}

// How many sub-cells a side each cell is read in: the patch asked for, or
// the largest part of it that divides it and still has a pixel a sub-cell.
int PatchRead(QSize area, QSize cells, int patchSide) {
    for (int side = patchSide; side > 1; side /= 2) {
        if (patchSide % side == 0 && qint64(area.width()) >= qint64(cells.width()) * side &&
            qint64(area.height()) >= qint64(cells.height()) * side)
            return side;
    }
    return 1;
}

// Each cell as `times` x `times` alike sub-cells.
Cells Patches(Cells cells, int times) {
    if (times == 1) return cells;
    const QSize size = cells.size * times;
    std::vector<int> levels(std::size_t(size.width()) * size.height());
    std::vector<QRgb> colours(cells.colours.empty() ? 0 : levels.size());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const std::size_t from = std::size_t(y / times) * cells.size.width() + x / times;
            levels[std::size_t(y) * size.width() + x] = cells.levels[from];
            if (!colours.empty()) colours[std::size_t(y) * size.width() + x] = cells.colours[from];
        }
    }
    return Cells{size, std::move(levels), std::move(colours), cells.pictureSize, cells.area};
}

CellAxis Axis(const StoredSpan& span, int extent, int decoded) {
    return MakeCellAxis(span.start, span.length, span.cells, span.reflected, extent, decoded);
}

}  // namespace

namespace {

// What reading a picture's cells will take, known from its header alone.
struct CellsPlan {
    PictureSource source;
    QSize upright;
    QRect area;
    QSize cells;
    int patch = 1;
    bool transposed = false;
    int eighths = kFullScale;
    QSize decoded;
    CellAxis across;
    CellAxis down;
    qint64 bytes = 0;  // the sums, their levels and colours, and the patches made of them
};

Result<CellsPlan> PlanCells(const QString& path, const Framing& framing) {
    Result<PictureSource> source = OpenPictureSource(path);
    if (!source) return source.error();
    QFile& file = *source->file;
    const PictureFormat& format = *source->format;
    const Orientation orientation =
        framing.upright ? format.orientation(file) : Orientation::kNormal;
    const UprightAxes axes = AxesOf(orientation);
    const Result<QSize> stored = format.size(file, format.name);
    if (!stored) return stored.error();
    if (!file.seek(0))
        return Error{ErrorKind::kCannotRead, reasons::kCannotOpenFile.arg(file.errorString())};

    CellsPlan plan;
    plan.source = std::move(source).value();
    plan.upright = UprightSize(*stored, orientation);
    const QRect whole(QPoint(0, 0), plan.upright);
    plan.area = framing.mode == Framing::Mode::kRectangle ? framing.rectangle & whole : whole;
    if (plan.area.isEmpty()) return Error{ErrorKind::kDamaged, reasons::kEmptyRegion};
    const QSize art = FitCells(plan.area.size(), framing.mostCells, framing.cellAspect);
    plan.patch = PatchRead(plan.area.size(), art, framing.PatchSide());
    plan.cells = art * plan.patch;

    // The cells as they lie on the stored picture.
    const QRect area = plan.area;
    const QSize cells = plan.cells;
    plan.transposed = axes.swapsSides;
    const StoredSpan x =
        plan.transposed
            ? Span(area.y(), area.height(), cells.height(), axes.reflectsX, stored->width())
            : Span(area.x(), area.width(), cells.width(), axes.reflectsX, stored->width());
    const StoredSpan y =
        plan.transposed
            ? Span(area.x(), area.width(), cells.width(), axes.reflectsY, stored->height())
            : Span(area.y(), area.height(), cells.height(), axes.reflectsY, stored->height());

    plan.eighths = ScaleFor(format, *stored, x, y);
    plan.decoded = format.scales ? ScaledJpegSize(*stored, plan.eighths) : *stored;
    plan.across = Axis(x, stored->width(), plan.decoded.width());
    plan.down = Axis(y, stored->height(), plan.decoded.height());
    // Checked before anything is laid out for the rows: a small file may
    // claim billions of them.
    const int lastRow = CellSums::LastPixel(plan.down, plan.decoded.height());
    // Each row costs something of its own too, a narrow picture of millions of rows most.
    constexpr qint64 kRowCost = 64;  // pixels' worth
    const qint64 work = (qint64(plan.decoded.width()) + kRowCost) * (lastRow + 1);
    if (const Status fits = CheckPixels(work); !fits) return fits.error();

    constexpr qint64 kCellBytes = sizeof(int) + sizeof(QRgb);  // a level and a colour
    const qint64 times = framing.PatchSide() / plan.patch;
    const qint64 cellCount = qint64(cells.width()) * cells.height();
    plan.bytes =
        CellSums::Bytes(plan.across, plan.down, plan.decoded.width(), plan.decoded.height()) +
        cellCount * sizeof(QRgb) + (times > 1 ? cellCount * times * times * kCellBytes : 0);
    if (plan.bytes > MemoryBound()) {
        return Error{ErrorKind::kTooLarge,
                     reasons::kTooLarge.arg((plan.bytes + kMegabyte - 1) / kMegabyte)
                         .arg(MemoryBound() / kMegabyte)};
    }
    return plan;
}

}  // namespace

Status CheckCells(const QString& path, const Framing& framing) {
    const Result<CellsPlan> plan = PlanCells(path, framing);
    if (!plan) return plan.error();
    return Done{};
}

Result<Cells> ReadCells(const QString& path, const Framing& framing) {
    Result<CellsPlan> planned = PlanCells(path, framing);
    if (!planned) return planned.error();
    CellsPlan plan = std::move(planned).value();
    const Result<MemoryLease> lease = ReserveMemory(plan.bytes);
    if (!lease) return lease.error();
    QFile& file = *plan.source.file;
    const PictureFormat& format = *plan.source.format;
    CellSums sums(plan.across, plan.down, plan.transposed, plan.decoded.width(),
                  plan.decoded.height());
    const bool grayOnly = !framing.colours && format.grayRows != nullptr;
    const Status read =
        grayOnly ? format.grayRows(file, plan.eighths, sums.LastRow(),
                                   [&sums](int row, const std::uint8_t* levels, bool halfLower) {
                                       sums.AddGrayRow(row, levels, halfLower);
                                   })
                 : format.rows(file, format.name, plan.eighths, sums.LastRow(),
                               [&sums](int row, const QRgb* pixels) { sums.AddRow(row, pixels); });
    if (!read) return read.error();

    std::vector<QRgb> colours;
    if (framing.colours) {
        const std::vector<std::uint32_t> means = sums.Colours();
        colours.assign(means.begin(), means.end());
    }
    return Patches(Cells{plan.cells, sums.Levels(), std::move(colours), plan.upright, plan.area},
                   framing.PatchSide() / plan.patch);
}

Cells CellsOfReduced(const QImage& reduced, QSize pictureSize, QRect area, QSize mostCells,
                     double cellAspect, int patchSide) {
    const QSize art = FitCells(area.size(), mostCells, cellAspect);
    // The reduced picture's own pixels under the area bound the patch.
    const QSize shown(
        int(qint64(area.width()) * reduced.width() / std::max(pictureSize.width(), 1)),
        int(qint64(area.height()) * reduced.height() / std::max(pictureSize.height(), 1)));
    const int patch = PatchRead(shown, art, patchSide);
    const QSize cells = art * patch;
    const QImage image = reduced.convertToFormat(QImage::Format_RGB32);
    CellSums sums(MakeCellAxis(area.x(), area.width(), cells.width(), false, pictureSize.width(),
                               image.width()),
                  MakeCellAxis(area.y(), area.height(), cells.height(), false, pictureSize.height(),
                               image.height()),
                  false, image.width(), image.height());
    for (int y = 0; y <= sums.LastRow() && y < image.height(); ++y)
        sums.AddRow(y, reinterpret_cast<const QRgb*>(image.constScanLine(y)));
    std::vector<std::uint32_t> colours = sums.Colours();
    return Patches(Cells{cells, sums.Levels(), std::vector<QRgb>(colours.begin(), colours.end()),
                         pictureSize, area},
                   patchSide / patch);
}

Block BlockOfCells(const Cells& cells) {
    QImage pixels(cells.size, QImage::Format_RGB32);
    for (int row = 0; row < cells.size.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(row));
        for (int column = 0; column < cells.size.width(); ++column) {
            const std::uint32_t colour = ColourReadAs(
                cells.levels[std::size_t(row) * std::size_t(cells.size.width()) + column]);
            line[column] =
                qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
        }
    }
    return Block{pixels, cells.pictureSize, cells.area.topLeft(), ColourImage(cells)};
}

QImage ColourImage(const Cells& cells) {
    if (cells.colours.empty()) return {};
    QImage image(cells.size, QImage::Format_RGB32);
    for (int row = 0; row < cells.size.height(); ++row) {
        std::copy_n(cells.colours.begin() + qsizetype(row) * cells.size.width(), cells.size.width(),
                    reinterpret_cast<QRgb*>(image.scanLine(row)));
    }
    return image;
}

}  // namespace glyph
