#include "picture/Framing.h"

#include <algorithm>
#include <cmath>

namespace glyph {

QSize FitCells(QSize pixels, QSize most, double cellAspect) {
    const double width = std::max(pixels.width(), 1);
    const double height = std::max(pixels.height(), 1);
    // Cells that keep the shape: columns x 1 : rows x aspect = width : height.
    double columns = std::min<double>(most.width(), width);
    double rows = columns * height / (width * cellAspect);
    if (rows > most.height()) {
        rows = most.height();
        columns = rows * width * cellAspect / height;
    }
    const auto side = [](double cells, double limit, double pixelCount) {
        return int(std::clamp(std::round(cells), 1.0, std::max(1.0, std::min(limit, pixelCount))));
    };
    return {side(columns, most.width(), width), side(rows, most.height(), height)};
}

}  // namespace glyph
