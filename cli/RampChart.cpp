#include "cli/RampChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

#include "cli/Messages.h"
#include "engine/Levels.h"

namespace glyph::cli {

namespace {

// The chart's layout, in pixels.
constexpr int kWidth = 800;
constexpr int kHeight = 480;
constexpr int kLeft = 70;
constexpr int kRight = 24;
constexpr int kTop = 44;
constexpr int kBottom = 50;
constexpr int kLevelTicks = 8;     // every 32 levels
constexpr int kCoverageTicks = 5;  // every fifth of the top
constexpr int kLegendRow = 20;
constexpr std::array<QRgb, 3> kLineColours = {0xFF909090, 0xFF1F5FBF, 0xFFCF4F1F};
constexpr int kTopLevel = kLevels - 1;

}  // namespace

QImage DrawCoverageChart(const std::vector<ChartLine>& lines, const QString& title) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot(kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom);

    double top = 0;
    for (const ChartLine& line : lines) {
        for (const double c : line.coverage) top = std::max(top, c);
    }
    top = std::ceil(top * 10) / 10;  // a round top, in tenths
    if (top <= 0) top = 1;
    const auto at = [&](int level, double coverage) {
        return QPointF(plot.left() + plot.width() * level / kTopLevel,
                       plot.bottom() - plot.height() * coverage / top);
    };

    painter.setPen(QColor(0xDD, 0xDD, 0xDD));
    for (int i = 0; i <= kCoverageTicks; ++i) {
        const double c = top * i / kCoverageTicks;
        painter.drawLine(at(0, c), at(kTopLevel, c));
    }
    painter.setPen(Qt::black);
    painter.drawRect(plot);
    for (int i = 0; i <= kLevelTicks; ++i) {
        const int level = std::min(kTopLevel, i * 32);
        const QPointF p = at(level, 0);
        painter.drawText(QRectF(p.x() - 20, p.y() + 4, 40, 16), Qt::AlignCenter,
                         QString::number(level));
    }
    for (int i = 0; i <= kCoverageTicks; ++i) {
        const double c = top * i / kCoverageTicks;
        const QPointF p = at(0, c);
        painter.drawText(QRectF(p.x() - 60, p.y() - 8, 54, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(c, 'f', 2));
    }
    painter.drawText(QRectF(plot.left(), kHeight - 22, plot.width(), 18), Qt::AlignCenter,
                     kChartLevelAxis);
    painter.drawText(QRectF(0, 8, kWidth, 20), Qt::AlignCenter, title);
    painter.save();
    painter.translate(14, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-100, -8, 200, 16), Qt::AlignCenter, kChartCoverageAxis);
    painter.restore();

    for (std::size_t i = 0; i < lines.size(); ++i) {
        QPainterPath path;
        for (int level = 0; level < int(lines[i].coverage.size()); ++level) {
            const QPointF p = at(level, lines[i].coverage[std::size_t(level)]);
            if (level == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        const QColor colour = QColor::fromRgb(kLineColours[i % kLineColours.size()]);
        painter.setPen(QPen(colour, 1.5));
        painter.drawPath(path);
        const QPointF legend(plot.right() - 220, plot.top() + 12 + kLegendRow * int(i));
        painter.drawLine(legend, legend + QPointF(30, 0));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(legend.x() + 38, legend.y() - 9, 180, 18), Qt::AlignVCenter,
                         lines[i].name);
    }
    return image;
}

}  // namespace glyph::cli
