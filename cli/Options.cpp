#include "cli/Options.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
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

constexpr std::array<std::pair<const char16_t*, Format>, 6> kFormatNames = {{
    {u"text", Format::kText},
    {u"cp932", Format::kCp932},
    {u"html", Format::kHtml},
    {u"ansi", Format::kAnsi},
    {u"png", Format::kPng},
    {u"svg", Format::kSvg},
}};

constexpr std::array<std::pair<const char16_t*, AnsiColours>, 3> kColourNames = {{
    {u"full", AnsiColours::kFull},
    {u"256", AnsiColours::k256},
    {u"none", AnsiColours::kNone},
}};

// --color's ways, the first the default.
constexpr std::array<std::pair<const char16_t*, Colouring>, 2> kColouringNames = {{
    {u"cell", Colouring::kCell},
    {u"ink", Colouring::kInk},
}};

Result<QList<Command>> ParseSteps(const QString& list) {
    QList<Command> steps;
    for (const QString& name : list.split(u',', Qt::SkipEmptyParts)) {
        const auto* found = std::find_if(kStepNames.begin(), kStepNames.end(),
                                         [&](const auto& entry) { return name == entry.first; });
        if (found == kStepNames.end()) {
            QStringList known;
            for (const auto& entry : kStepNames) known << QString::fromUtf16(entry.first);
            return Error{ErrorKind::kBadUsage,
                         kUnknownStep.arg(name, known.join(QStringLiteral(", ")))};
        }
        steps << found->second;
    }
    return steps;
}

Result<Format> ParseFormat(const QString& name) {
    for (const auto& [known, format] : kFormatNames) {
        if (name == known) return format;
    }
    return Error{ErrorKind::kBadUsage, kUnknownFormat.arg(name)};
}

Result<AnsiColours> ParseColours(const QString& name) {
    for (const auto& [known, colours] : kColourNames) {
        if (name == known) return colours;
    }
    return Error{ErrorKind::kBadUsage, kUnknownColours.arg(name)};
}

Result<Colouring> ParseColouring(const QString& name) {
    for (const auto& [known, colouring] : kColouringNames) {
        if (name == known) return colouring;
    }
    return Error{ErrorKind::kBadUsage, kUnknownColouring.arg(name)};
}

// The arguments with each "--NAME=VALUE" of an option whose value may be left
// out (QCommandLineParser knows none such) cut to "--NAME", and its values
// (`bare` where none was given). The values of other options and everything
// after "--" are left as they are.
struct OptionalValue {
    QStringList arguments;
    QStringList values;
};
OptionalValue TakeOptionalValue(const QStringList& arguments, const QString& name,
                                const QString& bareValue,
                                const QList<QCommandLineOption>& options) {
    QStringList valued;  // names that take the next argument as their value
    for (const QCommandLineOption& option : options) {
        if (!option.valueName().isEmpty()) valued << option.names();
    }
    const QString bare = QStringLiteral("--") + name;
    OptionalValue taken;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        taken.arguments << argument;
        if (argument == QStringLiteral("--")) {
            taken.arguments << arguments.mid(i + 1);
            break;
        }
        if (argument == bare) {
            taken.values << bareValue;
        } else if (argument.startsWith(bare + u'=')) {
            taken.values << argument.mid(bare.size() + 1);
            taken.arguments.last() = bare;
        } else if (argument.startsWith(QStringLiteral("--"))) {
            if (!argument.contains(u'=') && valued.contains(argument.mid(2)) &&
                i + 1 < arguments.size())
                taken.arguments << arguments[++i];
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            // Short options run together: the first that takes a value takes
            // the rest, or the next argument when it ends the run.
            for (qsizetype at = 1; at < argument.size(); ++at) {
                if (!valued.contains(argument.mid(at, 1))) continue;
                if (at + 1 == argument.size() && i + 1 < arguments.size())
                    taken.arguments << arguments[++i];
                break;
            }
        }
    }
    return taken;
}

// The formats drawn in a font, and those with colour.
bool SetInFont(Format format) {
    return format == Format::kHtml || format == Format::kPng || format == Format::kSvg;
}

// Digits alone, read as a whole number; one too large for int reads as INT_MAX.
// Anchored on the whole text: "$" alone would also match before a final newline.
std::optional<int> ParseWhole(const QString& text) {
    static const QRegularExpression digits(QRegularExpression::anchoredPattern("[0-9]+"));
    if (!digits.match(text).hasMatch()) return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : std::numeric_limits<int>::max();
}

// "X,Y": the block's top-left pixel, counted from 0. Digits alone, as every
// number of the options: toInt() would take spaces and a newline around them.
Result<QPoint> ParseRegion(const QString& text) {
    static const QRegularExpression pair(QRegularExpression::anchoredPattern("[0-9]+,[0-9]+"));
    const QStringList parts = text.split(u',');
    bool okX = false;
    bool okY = false;
    const int x = parts.value(0).toInt(&okX);
    const int y = parts.value(1).toInt(&okY);
    if (!pair.match(text).hasMatch() || !okX || !okY)
        return Error{ErrorKind::kBadUsage, kBadRegion.arg(text)};
    return QPoint(x, y);
}

// "X,Y,W,H": a rectangle of whole pixels. A number too large for int reads as
// INT_MAX, so a rectangle reaching that far is refused rather than moved.
Result<QRect> ParseCrop(const QString& text) {
    const QStringList parts = text.split(u',');
    std::array<int, 4> values{};
    bool good = parts.size() == 4;
    for (int i = 0; good && i < 4; ++i) {
        const std::optional<int> value = ParseWhole(parts[i]);
        good = value.has_value();
        if (good) values[std::size_t(i)] = *value;
    }
    const auto [x, y, w, h] = values;
    constexpr qint64 kMost = std::numeric_limits<int>::max();
    if (!good || w < 1 || h < 1 || qint64(x) + w >= kMost || qint64(y) + h >= kMost)
        return Error{ErrorKind::kBadUsage, kBadCrop.arg(text)};
    return QRect(x, y, w, h);
}

// A positive decimal such as 2 or 0.5; exponents and signs are not asked for.
std::optional<double> ParseAspect(const QString& text) {
    static const QRegularExpression decimal(
        QRegularExpression::anchoredPattern("[0-9]+\\.?[0-9]*|\\.[0-9]+"));
    if (!decimal.match(text).hasMatch()) return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0) return std::nullopt;
    return value;
}

// The name of an option as the user may have typed it: "-o, --output".
QString Named(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return names.join(QStringLiteral(", "));
}

// --match and --pool.
Status ParseMatch(const QCommandLineParser& parser, const QCommandLineOption& match,
                  const QCommandLineOption& pool, const QCommandLineOption& ramp, bool shapes,
                  Options& options) {
    const QString how = parser.value(match);
    if (parser.isSet(match) && how != kShapeMatchName && how != QStringLiteral("tone"))
        return Error{ErrorKind::kBadUsage, kBadMatch.arg(how)};
    if (!shapes) {
        if (parser.isSet(pool)) return Error{ErrorKind::kBadUsage, kPoolNeedsShape};
        return Done{};
    }
    if (parser.isSet(ramp)) return Error{ErrorKind::kBadUsage, kNoRampForShapes};
    const QString set = parser.isSet(pool) ? parser.value(pool) : QStringLiteral("kanji");
    if (set != QStringLiteral("kanji") && set != QStringLiteral("cp932"))
        return Error{ErrorKind::kBadUsage, kBadPool.arg(set)};
    options.framing.match =
        set == QStringLiteral("cp932") ? Match::kCp932Shapes : Match::kKanjiShapes;
    return Done{};
}

}  // namespace

Result<Options> ParseOptions(const QStringList& arguments, int processors,
                             const Terminal& terminal) {
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FILE"));
    const QCommandLineOption outputDir(QStringLiteral("output-dir"), {}, QStringLiteral("DIR"));
    const QCommandLineOption steps(QStringLiteral("steps"), {}, QStringLiteral("LIST"));
    const QCommandLineOption ramp(QStringLiteral("ramp"), {}, QStringLiteral("FILE"));
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("FORMAT"));
    const QCommandLineOption jobs({QStringLiteral("j"), QStringLiteral("jobs")}, {},
                                  QStringLiteral("N"));
    const QCommandLineOption region(QStringLiteral("region"), {}, QStringLiteral("X,Y"));
    const QCommandLineOption fit(QStringLiteral("fit"));
    const QCommandLineOption crop(QStringLiteral("crop"), {}, QStringLiteral("X,Y,W,H"));
    const QCommandLineOption width(QStringLiteral("width"), {}, QStringLiteral("N"));
    const QCommandLineOption height(QStringLiteral("height"), {}, QStringLiteral("N"));
    const QCommandLineOption cellAspect(QStringLiteral("cell-aspect"), {}, QStringLiteral("R"));
    const QCommandLineOption orient(QStringLiteral("orient"), {}, QStringLiteral("HOW"));
    const QCommandLineOption match(QStringLiteral("match"), {}, QStringLiteral("HOW"));
    const QCommandLineOption pool(QStringLiteral("pool"), {}, QStringLiteral("SET"));
    const QCommandLineOption makeRamp(QStringLiteral("make-ramp"));
    const QCommandLineOption rampReport(QStringLiteral("ramp-report"));
    const QCommandLineOption font(QStringLiteral("font"), {}, QStringLiteral("FAMILY"));
    const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("PX"));
    const QCommandLineOption withSpace(QStringLiteral("with-space"));
    const QCommandLineOption distinct(QStringLiteral("distinct"));
    const QCommandLineOption chart(QStringLiteral("chart"), {}, QStringLiteral("FILE"));
    const QCommandLineOption color(QStringLiteral("color"));
    const QCommandLineOption colors(QStringLiteral("colors"), {}, QStringLiteral("WHICH"));
    const QCommandLineOption invert(QStringLiteral("invert"));
    const QCommandLineOption paper(QStringLiteral("paper"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));

    const QList<QCommandLineOption> all = {
        output, outputDir,  steps,  ramp,     format,     jobs,  region, fit,       crop,     width,
        height, cellAspect, orient, makeRamp, rampReport, font,  size,   withSpace, distinct, chart,
        color,  colors,     invert, help,     version,    match, pool,   paper};
    QCommandLineParser parser;
    parser.addOptions(all);
    const OptionalValue colouring = TakeOptionalValue(
        arguments, color.names().front(), QString::fromUtf16(kColouringNames.front().first), all);
    if (!parser.parse(QStringList{kProgram} + colouring.arguments))
        return Error{ErrorKind::kBadUsage, parser.errorText()};

    Options options;
    if (parser.isSet(help)) {
        options.action = Options::Action::kHelp;
        return options;
    }
    if (parser.isSet(version)) {
        options.action = Options::Action::kVersion;
        return options;
    }

    // A value given twice would leave one of them unused without a word.
    for (const QCommandLineOption& option :
         {output, outputDir, steps, ramp, format, jobs, region, crop, width, height, cellAspect,
          orient, font, size, chart, colors, match, pool}) {
        if (parser.values(option).size() > 1)
            return Error{ErrorKind::kBadUsage, kRepeated.arg(Named(option))};
    }
    // An empty file, folder or font would quietly stand for none.
    for (const QCommandLineOption& option : {output, outputDir, ramp, font, chart}) {
        if (parser.isSet(option) && parser.value(option).isEmpty())
            return Error{ErrorKind::kBadUsage, kEmptyValue.arg(Named(option))};
    }

    if (parser.isSet(makeRamp) && parser.isSet(rampReport))
        return Error{ErrorKind::kBadUsage, kMakeOrReport};
    const bool makes = parser.isSet(makeRamp);
    const bool reports = parser.isSet(rampReport);
    options.action = makes     ? Options::Action::kMakeRamp
                     : reports ? Options::Action::kRampReport
                               : Options::Action::kConvert;
    // What each mode reads; anything else would do nothing there.
    const struct {
        const QCommandLineOption& option;
        bool converts, makes, reports;
    } uses[] = {
        {output, true, true, false},    {outputDir, true, false, false},
        {steps, true, false, false},    {ramp, true, false, true},
        {format, true, false, false},   {jobs, true, false, false},
        {region, true, false, false},   {fit, true, false, false},
        {crop, true, false, false},     {width, true, false, false},
        {height, true, false, false},   {cellAspect, true, false, false},
        {orient, true, false, false},   {font, true, true, true},
        {size, true, true, true},       {withSpace, false, true, false},
        {distinct, false, true, false}, {chart, false, true, true},
        {color, true, false, false},    {colors, true, false, false},
        {invert, true, false, false},   {match, true, false, false},
        {pool, true, false, false},     {paper, true, false, false},
    };
    // A terminal asked for no framing, format, match or colouring is shown the
    // whole picture fitted to it, in the art that reads best there: shapes, in
    // the cells' colours where the terminal has colours.
    bool namesAWay = makes || reports;
    for (const QCommandLineOption* way :
         {&fit, &crop, &region, &format, &match, &ramp, &color, &colors, &paper, &invert})
        namesAWay = namesAWay || parser.isSet(*way);
    const bool toTerminal = terminal.columns > 0 && !parser.isSet(outputDir) &&
                            (!parser.isSet(output) || parser.value(output) == QStringLiteral("-"));
    const bool fitsTerminal = toTerminal && !namesAWay;
    // Shapes are matched in a font: the one the art will be shown in.
    const bool shapes = fitsTerminal || parser.value(match) == kShapeMatchName;
    for (const auto& use : uses) {
        if (!parser.isSet(use.option)) continue;
        if (makes && !use.makes)
            return Error{ErrorKind::kBadUsage,
                         kNotForRampTool.arg(Named(use.option), kMakeRampName)};
        if (reports && !use.reports)
            return Error{ErrorKind::kBadUsage,
                         kNotForRampTool.arg(Named(use.option), kRampReportName)};
        if (!makes && !reports && !use.converts) {
            const QString modes = use.reports ? QString(kMakeRampOrReport) : kMakeRampName;
            return Error{ErrorKind::kBadUsage, kNotForConverting.arg(Named(use.option), modes)};
        }
    }

    options.rampFile = parser.value(ramp);
    options.output = parser.value(output);
    options.pictures = parser.positionalArguments();
    options.font = parser.value(font);
    if (parser.isSet(size)) {
        const std::optional<int> parsedSize = ParseWhole(parser.value(size));
        if (!parsedSize || *parsedSize < 1 || *parsedSize > kMaxFontSize)
            return Error{ErrorKind::kBadUsage, kBadSize.arg(kMaxFontSize).arg(parser.value(size))};
        options.fontSize = *parsedSize;
    }
    if (makes || reports) {
        if (!options.pictures.isEmpty()) return Error{ErrorKind::kBadUsage, kNoPicturesForRamps};
        options.withSpace = parser.isSet(withSpace);
        options.distinct = parser.isSet(distinct);
        options.chart = parser.value(chart);
        return options;
    }
    if (options.pictures.isEmpty()) return Error{ErrorKind::kBadUsage, kNoPicture};

    const Result<QList<Command>> parsedSteps = ParseSteps(parser.value(steps));
    if (!parsedSteps) return parsedSteps.error();
    options.steps = *parsedSteps;
    if (parser.isSet(format)) {
        const Result<Format> parsedFormat = ParseFormat(parser.value(format));
        if (!parsedFormat) return parsedFormat.error();
        options.format = *parsedFormat;
    }
    // Colour and fonts where the format has them; elsewhere they would do nothing.
    const bool inFont = SetInFont(options.format);
    for (const QCommandLineOption* option : {&font, &size}) {
        if (parser.isSet(*option) && !inFont && !shapes)
            return Error{ErrorKind::kBadUsage, kOnlySetInFont.arg(Named(*option))};
    }
    for (const QCommandLineOption* option : {&color, &paper}) {
        if (parser.isSet(*option) && !inFont && options.format != Format::kAnsi)
            return Error{ErrorKind::kBadUsage, kOnlyColoured.arg(Named(*option))};
    }
    if (colouring.values.size() > 1 &&
        colouring.values.count(colouring.values.front()) != colouring.values.size())
        return Error{ErrorKind::kBadUsage, kRepeated.arg(Named(color))};
    if (parser.isSet(colors)) {
        if (options.format != Format::kAnsi)
            return Error{ErrorKind::kBadUsage, kOnlyAnsi.arg(Named(colors))};
        const Result<AnsiColours> parsedColours = ParseColours(parser.value(colors));
        if (!parsedColours) return parsedColours.error();
        options.colours = *parsedColours;
    }
    if (parser.isSet(color)) {
        const Result<Colouring> how = ParseColouring(
            colouring.values.value(0, QString::fromUtf16(kColouringNames.front().first)));
        if (!how) return how.error();
        options.colouring = *how;
    }
    if (parser.isSet(paper)) {
        if (parser.isSet(color) || options.colours == AnsiColours::kNone)
            return Error{ErrorKind::kBadUsage, kPaperWithoutColour};
        options.colouring = Colouring::kGray;
    }
    options.look.colour =
        parser.isSet(color) || parser.isSet(paper) ||
        (options.format == Format::kAnsi && options.colours != AnsiColours::kNone);
    options.look.invert = parser.isSet(invert);
    if (fitsTerminal) {
        options.format = Format::kAnsi;
        options.colours = terminal.colours;
        options.look.colour = terminal.colours != AnsiColours::kNone;
        if (options.look.colour) options.colouring = Colouring::kCell;
    }
    // More threads than this only cost memory, and may meet the process limit.
    const int mostJobs = kJobsPerProcessor * std::max(processors, 1);
    options.jobs = std::max(processors, 1);
    if (parser.isSet(jobs)) {
        const std::optional<int> parsedJobs = ParseWhole(parser.value(jobs));
        if (!parsedJobs || *parsedJobs < 1)
            return Error{ErrorKind::kBadUsage, kBadJobs.arg(parser.value(jobs))};
        options.jobs = std::min(*parsedJobs, mostJobs);
    }
    if (parser.isSet(region)) {
        const Result<QPoint> origin = ParseRegion(parser.value(region));
        if (!origin) return origin.error();
        options.framing.origin = *origin;
    }
    options.outputDir = parser.value(outputDir);
    if (parser.isSet(output) && parser.isSet(outputDir))
        return Error{ErrorKind::kBadUsage, kOutputAndDir};
    const bool toFile = !options.output.isEmpty() && options.output != QStringLiteral("-");
    if (toFile && options.pictures.size() > 1) return Error{ErrorKind::kBadUsage, kOutputForMany};
    const bool toStandardOutput = !toFile && options.outputDir.isEmpty();
    if (toStandardOutput && options.format == Format::kPng && options.pictures.size() > 1)
        return Error{ErrorKind::kDamaged, kPngsShareOutput};

    // The block's own option, and those of the reduced art alone.
    const bool crops = parser.isSet(crop);
    if (parser.isSet(fit) && crops) return Error{ErrorKind::kBadUsage, kFitOrCrop};
    if (const Status matched = ParseMatch(parser, match, pool, ramp, shapes, options); !matched)
        return matched.error();
    if (shapes && parser.isSet(invert)) return Error{ErrorKind::kBadUsage, kNoInvertForShapes};
    if (!parser.isSet(fit) && !crops && !fitsTerminal) {
        if (shapes) return Error{ErrorKind::kBadUsage, kShapeNeedsCells};
        for (const QCommandLineOption& option : {width, height, cellAspect, orient}) {
            if (parser.isSet(option))
                return Error{ErrorKind::kBadUsage, kOnlyReduced.arg(Named(option))};
        }
        return options;
    }
    if (parser.isSet(region)) return Error{ErrorKind::kBadUsage, kRegionIsTheBlocks};
    Framing& framing = options.framing;
    framing.mode = crops ? Framing::Mode::kRectangle : Framing::Mode::kWhole;
    if (crops) {
        const Result<QRect> rectangle = ParseCrop(parser.value(crop));
        if (!rectangle) return rectangle.error();
        framing.rectangle = *rectangle;
    }
    // On a terminal the art fits its width, two columns to a full-width
    // character (about square), and runs as long as it needs; shown by
    // default, it fits the terminal's height too, less the prompt's line.
    if (toTerminal) {
        const int rows = fitsTerminal && terminal.rows > 1 ? terminal.rows - 1 : kMaxCells;
        framing.mostCells =
            QSize(std::clamp(terminal.columns / 2, 1, kMaxCells), std::clamp(rows, 1, kMaxCells));
    }
    const std::pair<const QCommandLineOption*, int*> sides[] = {
        {&width, &framing.mostCells.rwidth()}, {&height, &framing.mostCells.rheight()}};
    for (const auto& [option, side] : sides) {
        if (!parser.isSet(*option)) continue;
        const std::optional<int> cells = ParseWhole(parser.value(*option));
        if (!cells || *cells < 1 || *cells > kMaxCells)
            return Error{ErrorKind::kBadUsage,
                         kBadCells.arg(Named(*option)).arg(kMaxCells).arg(parser.value(*option))};
        *side = *cells;
    }
    if (parser.isSet(cellAspect)) {
        const std::optional<double> aspect = ParseAspect(parser.value(cellAspect));
        if (!aspect)
            return Error{ErrorKind::kBadUsage, kBadCellAspect.arg(parser.value(cellAspect))};
        framing.cellAspect = *aspect;
    }
    if (parser.isSet(orient)) {
        const QString how = parser.value(orient);
        if (how != QStringLiteral("auto") && how != QStringLiteral("stored"))
            return Error{ErrorKind::kBadUsage, kBadOrient.arg(how)};
        framing.upright = how == QStringLiteral("auto");
    }
    return options;
}

bool DrawsArt(const Options& options) {
    return options.action == Options::Action::kConvert &&
           (options.format == Format::kPng || options.format == Format::kSvg ||
            (options.format == Format::kHtml && (options.look.colour || options.look.invert ||
                                                 !options.font.isEmpty() || options.fontSize > 0)));
}

}  // namespace glyph::cli
