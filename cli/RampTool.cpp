#include "cli/RampTool.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>

#include "cli/Console.h"
#include "cli/Messages.h"
#include "cli/Ramp.h"
#include "cli/RampChart.h"
#include "cli/Run.h"
#include "engine/CharRamp.h"
#include "engine/Levels.h"
#include "engine/RampFit.h"
#include "glyphs/GlyphMeter.h"
#include "glyphs/RampSource.h"
#include "output/TextFile.h"

namespace glyph::cli {

namespace {

QString Number(double value, int decimals = 3) { return QString::number(value, 'f', decimals); }

// The summary lines of a ramp's figures.
QStringList Figures(const QStringList& entries, const std::vector<double>& coverage) {
    const RampFigures f = MeasureRamp(entries, coverage);
    return {
        kReportCoverage.arg(Number(coverage.front()), Number(coverage.back()), Number(f.densest),
                            Number(f.lightest), Number(f.span())),
        kReportOrder.arg(f.levelsOutOfOrder).arg(Number(100 * f.pairsOutOfOrder, 1)),
        kReportDistinct.arg(f.distinct),
        kReportToneError.arg(Number(f.toneError, 2)),
    };
}

void SayLines(const QStringList& lines) {
    for (const QString& line : lines) PrintMessageLine(line);
}

QString FontLine(const ArtFont& font, const GlyphMeter& meter) {
    return kReportFont.arg(font.family)
        .arg(font.pixelSize)
        .arg(meter.cell().width())
        .arg(meter.cell().height());
}

// Draws the chart into path; false once the failure is said.
bool WriteChart(const QString& path, const std::vector<ChartLine>& lines, const ArtFont& font) {
    const QImage chart =
        DrawCoverageChart(lines, QStringLiteral("%1 %2 px").arg(font.family).arg(font.pixelSize));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const Status written =
        QImageWriter(&buffer, "png").write(chart)
            ? WriteFileAtomically(path, png)
            : Status(Error{ErrorKind::kCannotWrite, kCannotWriteChart.arg(path)});
    if (!written) Say(written.error().reason);
    return written.ok();
}

std::vector<double> BuiltInCoverage(const GlyphMeter& meter) {
    return MeasureEntries(meter, CharRamp::BuiltIn());
}

}  // namespace

int MakeRamp(const Options& options) {
    const Result<ArtFont> font = ResolveArtFont(options.font, options.fontSize);
    if (!font) return UsageError(font.error().reason);
    const GlyphMeter meter(*font);
    const std::vector<GlyphInk> pool = MeasurePool(meter, options.withSpace);
    if (pool.size() < std::size_t(kLevels)) {
        return UsageError(kTooFewCandidates.arg(font->family).arg(pool.size()).arg(kLevels));
    }
    const FittedRamp ramp = options.distinct ? FitDistinct(pool) : FitEvenFall(pool);
    if (ramp.entries.size() != kLevels) {
        Say(kCannotFitDistinct);
        return kSomeFailed;
    }

    const auto [lightest, densest] = std::minmax_element(
        pool.begin(), pool.end(),
        [](const GlyphInk& a, const GlyphInk& b) { return a.coverage < b.coverage; });
    QStringList report = {
        FontLine(*font, meter),
        kReportPool.arg(pool.size()).arg(Number(densest->coverage), Number(lightest->coverage)),
    };
    report << Figures(ramp.entries, ramp.coverage);
    if (options.distinct) {
        const double share =
            (ramp.aimedDensest - ramp.aimedLightest) / (densest->coverage - lightest->coverage);
        report << kReportTraded.arg(Number(ramp.aimedDensest), Number(ramp.aimedLightest),
                                    Number(100 * share, 1), Number(densest->coverage),
                                    Number(lightest->coverage));
    }
    SayLines(report);

    if (!options.chart.isEmpty()) {
        const std::vector<ChartLine> lines = {{kBuiltInName.toString(), BuiltInCoverage(meter)},
                                              {kMadeName.toString(), ramp.coverage}};
        if (!WriteChart(options.chart, lines, *font)) return kSomeFailed;
    }
    const QByteArray file = RampFileBytes(ramp.entries);
    const bool toStandardOutput = options.output.isEmpty() || options.output == QStringLiteral("-");
    const Status written = toStandardOutput
                               ? (WriteStandardOutput(file)
                                      ? Status(Done{})
                                      : Status(Error{ErrorKind::kCannotWrite, kCannotWriteOutput}))
                               : WriteFileAtomically(options.output, file);
    if (!written) {
        Say(kFailed.arg(options.output, written.error().reason));
        return kSomeFailed;
    }
    return kAllConverted;
}

int ReportRamp(const Options& options, const QString& converterDir) {
    const Result<ArtFont> font = ResolveArtFont(options.font, options.fontSize);
    if (!font) return UsageError(font.error().reason);
    const bool builtIn = options.rampFile.isEmpty();
    const Result<CharRamp> ramp = builtIn ? Result<CharRamp>(CharRamp::BuiltIn())
                                          : ChooseRamp(options.rampFile, converterDir);
    if (!ramp) return UsageError(ramp.error().reason);

    const GlyphMeter meter(*font);
    const std::vector<double> coverage = MeasureEntries(meter, *ramp);
    QStringList entries;
    for (int level = 0; level < kLevels; ++level) entries << ramp->CharForLevel(level);
    QStringList report = {
        FontLine(*font, meter),
        kReportRamp.arg(builtIn ? kBuiltInName : options.rampFile),
    };
    report << Figures(entries, coverage) << QString() << kReportLevelHeader;
    for (int level = 0; level < kLevels; ++level) {
        report << QStringLiteral("%1 %2 %3")
                      .arg(level)
                      .arg(Number(coverage[std::size_t(level)]), entries[level]);
    }
    if (!WriteStandardOutput((report.join(u'\n') + u'\n').toUtf8())) {
        Say(kCannotWriteOutput);
        return kSomeFailed;
    }
    if (!options.chart.isEmpty()) {
        std::vector<ChartLine> lines = {{kBuiltInName, BuiltInCoverage(meter)}};
        if (!builtIn) lines.push_back({QFileInfo(options.rampFile).fileName(), coverage});
        if (!WriteChart(options.chart, lines, *font)) return kSomeFailed;
    }
    return kAllConverted;
}

}  // namespace glyph::cli
