#include "cli/Options.h"

#include <QCommandLineParser>
#include <array>
#include <utility>

#include "cli/Messages.h"

namespace glyph::cli {

namespace {

// The --steps names, as the window's commands.
constexpr std::array<std::pair<const char16_t*, Command>, 8> kStepNames = {{
    {u"auto-level", Command::kAutoLevel},
    {u"brighter", Command::kBrighter},
    {u"darker", Command::kDarker},
    {u"more-contrast", Command::kMoreContrast},
    {u"less-contrast", Command::kLessContrast},
    {u"reset", Command::kReset},
    {u"undo", Command::kUndo},
    {u"redo", Command::kRedo},
}};

constexpr std::array<std::pair<const char16_t*, Format>, 3> kFormatNames = {{
    {u"text", Format::kText},
    {u"cp932", Format::kCp932},
    {u"html", Format::kHtml},
}};

Result<QList<Command>> ParseSteps(const QString& list) {
    QList<Command> steps;
    for (const QString& name : list.split(u',', Qt::SkipEmptyParts)) {
        const auto* found = std::find_if(kStepNames.begin(), kStepNames.end(),
                                         [&](const auto& entry) { return name == entry.first; });
        if (found == kStepNames.end()) {
            QStringList known;
            for (const auto& entry : kStepNames) known << QString::fromUtf16(entry.first);
            return Error{kUnknownStep.arg(name, known.join(QStringLiteral(", ")))};
        }
        steps << found->second;
    }
    return steps;
}

Result<Format> ParseFormat(const QString& name) {
    for (const auto& [known, format] : kFormatNames) {
        if (name == known) return format;
    }
    return Error{kUnknownFormat.arg(name)};
}

// A whole number of 1 or more (--jobs, --size); else `message` naming the text.
Result<int> ParsePositive(const QString& text, const QString& message) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1) return Error{message.arg(text)};
    return value;
}

// "X,Y": the block's top-left pixel, counted from 0.
Result<QPoint> ParseRegion(const QString& text) {
    const QStringList parts = text.split(u',');
    bool okX = false;
    bool okY = false;
    const int x = parts.value(0).toInt(&okX);
    const int y = parts.value(1).toInt(&okY);
    if (parts.size() != 2 || !okX || !okY || x < 0 || y < 0) return Error{kBadRegion.arg(text)};
    return QPoint(x, y);
}

}  // namespace

Result<Options> ParseOptions(const QStringList& arguments, int defaultJobs) {
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FILE"));
    const QCommandLineOption outputDir(QStringLiteral("output-dir"), {}, QStringLiteral("DIR"));
    const QCommandLineOption steps(QStringLiteral("steps"), {}, QStringLiteral("LIST"));
    const QCommandLineOption ramp(QStringLiteral("ramp"), {}, QStringLiteral("FILE"));
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("FORMAT"));
    const QCommandLineOption jobs({QStringLiteral("j"), QStringLiteral("jobs")}, {},
                                  QStringLiteral("N"));
    const QCommandLineOption region(QStringLiteral("region"), {}, QStringLiteral("X,Y"));
    const QCommandLineOption makeRamp(QStringLiteral("make-ramp"));
    const QCommandLineOption rampReport(QStringLiteral("ramp-report"));
    const QCommandLineOption font(QStringLiteral("font"), {}, QStringLiteral("FAMILY"));
    const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("PX"));
    const QCommandLineOption withSpace(QStringLiteral("with-space"));
    const QCommandLineOption distinct(QStringLiteral("distinct"));
    const QCommandLineOption chart(QStringLiteral("chart"), {}, QStringLiteral("FILE"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));

    QCommandLineParser parser;
    parser.addOptions({output, outputDir, steps, ramp, format, jobs, region, makeRamp, rampReport,
                       font, size, withSpace, distinct, chart, help, version});
    if (!parser.parse(QStringList{kProgram} + arguments)) return Error{parser.errorText()};

    Options options;
    if (parser.isSet(help)) {
        options.action = Options::Action::kHelp;
        return options;
    }
    if (parser.isSet(version)) {
        options.action = Options::Action::kVersion;
        return options;
    }
    options.rampFile = parser.value(ramp);
    options.output = parser.value(output);
    options.pictures = parser.positionalArguments();
    if (parser.isSet(makeRamp) || parser.isSet(rampReport)) {
        if (parser.isSet(makeRamp) && parser.isSet(rampReport)) return Error{kMakeOrReport};
        if (!options.pictures.isEmpty()) return Error{kNoPicturesForRamps};
        options.action =
            parser.isSet(makeRamp) ? Options::Action::kMakeRamp : Options::Action::kRampReport;
        options.font = parser.value(font);
        if (parser.isSet(size)) {
            const Result<int> parsedSize = ParsePositive(parser.value(size), kBadSize);
            if (!parsedSize) return parsedSize.error();
            options.fontSize = *parsedSize;
        }
        options.withSpace = parser.isSet(withSpace);
        options.distinct = parser.isSet(distinct);
        options.chart = parser.value(chart);
        return options;
    }
    if (options.pictures.isEmpty()) return Error{kNoPicture};

    const Result<QList<Command>> parsedSteps = ParseSteps(parser.value(steps));
    if (!parsedSteps) return parsedSteps.error();
    options.steps = *parsedSteps;
    if (parser.isSet(format)) {
        const Result<Format> parsedFormat = ParseFormat(parser.value(format));
        if (!parsedFormat) return parsedFormat.error();
        options.format = *parsedFormat;
    }
    options.jobs = defaultJobs;
    if (parser.isSet(jobs)) {
        const Result<int> parsedJobs = ParsePositive(parser.value(jobs), kBadJobs);
        if (!parsedJobs) return parsedJobs.error();
        options.jobs = *parsedJobs;
    }
    if (parser.isSet(region)) {
        const Result<QPoint> origin = ParseRegion(parser.value(region));
        if (!origin) return origin.error();
        options.origin = *origin;
    }
    options.outputDir = parser.value(outputDir);
    if (parser.isSet(output) && parser.isSet(outputDir)) return Error{kOutputAndDir};
    const bool toFile = !options.output.isEmpty() && options.output != QStringLiteral("-");
    if (toFile && options.pictures.size() > 1) return Error{kOutputForMany};
    return options;
}

}  // namespace glyph::cli
