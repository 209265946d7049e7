#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace glyph::cli {

struct ChartLine {
    QString name;
    std::vector<double> coverage;  // by level
};

// Coverage against level, one line per ramp, with axes and a legend.
QImage DrawCoverageChart(const std::vector<ChartLine>& lines, const QString& title);

}  // namespace glyph::cli
