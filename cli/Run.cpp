#include "cli/Run.h"

#include <QFileInfo>
#include <QHash>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "basics/Reasons.h"
#include "cli/Batch.h"
#include "cli/Console.h"
#include "cli/Messages.h"
#include "cli/OutputNames.h"
#include "cli/Ramp.h"
#include "document/Convert.h"
#include "engine/Levels.h"
#include "files/FileAccess.h"
#include "glyphs/ShapeSource.h"
#include "output/ArtWriters.h"
#include "output/TextFile.h"
#include "picture/CellReader.h"

namespace glyph::cli {

namespace {

// A pool this small gives art of a few glyphs at best; fewer, art of blanks.
constexpr int kFewestShapeKanji = 64;

// Where each picture's bytes go: a path, or empty for standard output.
Result<QStringList> Destinations(const Options& options) {
    if (!options.outputDir.isEmpty()) {
        if (const Status made = MakeFolders(options.outputDir); !made)
            return Error{ErrorKind::kCannotWrite,
                         kNoOutputDir.arg(options.outputDir, made.error().reason)};
        return OutputPaths(options.pictures, options.outputDir, ArtExtension(options.format));
    }
    const bool toFile = !options.output.isEmpty() && options.output != QStringLiteral("-");
    if (toFile && SameFile(options.output, options.pictures.front()))
        return Error{ErrorKind::kCannotWrite, kOutputIsInput.arg(options.output)};
    QStringList paths;
    for (qsizetype i = 0; i < options.pictures.size(); ++i)
        paths << (toFile ? options.output : QString());
    return paths;
}

// One picture's art, with its colours when they are shown.
Result<Art> ArtOf(const QString& picture, const Options& options, const CharRamp& ramp,
                  const Inking& inking) {
    if (options.look.colour)
        return ConvertArt(picture, options.steps, ramp, options.framing, &FontShapes,
                          options.colouring, inking);
    // Plain text takes no colours: a reduced picture need not decode them.
    Framing framing = options.framing;
    framing.colours = false;
    const Result<QString> text = ConvertFile(picture, options.steps, ramp, framing, &FontShapes);
    if (!text) return text.error();
    return Art{*text, {}};
}

// The kanji the art's font must hold: enough shapes to match, or a glyph for
// each level of a ramp measured from it; 0 when the art takes none from it.
int FewestKanji(const Options& options, const QString& converterDir, bool shapes) {
    if (shapes) return kFewestShapeKanji;
    const bool measured = DrawsArt(options) &&
                          MeasuresRamp(options.rampFile, converterDir, options.framing.Reduces());
    return measured ? kLevels : 0;
}

bool ToStandardOutput(const Options& options) {
    return options.outputDir.isEmpty() &&
           (options.output.isEmpty() || options.output == QStringLiteral("-"));
}

// A terminal outside a CJK locale shows an ambiguous-width character one
// column wide, which shifts the rest of its line: art shown on one leaves
// them out of the pool. Files and pipes keep the whole pool.
Options ForTerminal(const Options& given) {
    Options options = given;
    if (given.framing.match == Match::kCp932Shapes && ToStandardOutput(given) &&
        (given.format == Format::kText || given.format == Format::kAnsi) && isatty(STDOUT_FILENO))
        options.framing.match = Match::kCp932TerminalShapes;
    return options;
}

// How the glyphs ink their cells as the art's pictures draw them: measured
// once, before the jobs share it, for every glyph the art may hold. Without
// a font, as a ramp is expected to.
Inking InkingOf(const Options& options, const ArtStyle& style, const CharRamp& ramp) {
    Inking inking{{}, options.look.invert};
    if (options.colouring == Colouring::kInk || !style.font) return inking;
    const ArtDrawing drawing(*style.font);
    auto measured = std::make_shared<QHash<QString, float>>();
    QStringList glyphs;
    if (options.framing.PatchSide() > 1) {
        if (const Result<const ShapeIndex*> pool = FontShapes(options.framing.match); pool)
            for (std::size_t i = 0; i < (*pool)->size(); ++i) glyphs << (*pool)->glyph(i);
    } else {
        for (const char32_t c : RampCharacters(ramp).toUcs4()) glyphs << QString::fromUcs4(&c, 1);
    }
    glyphs.removeDuplicates();
    const std::vector<float> coverage = drawing.Coverage(glyphs);
    if (coverage.size() != std::size_t(glyphs.size())) return inking;  // no memory to measure
    for (qsizetype i = 0; i < glyphs.size(); ++i)
        measured->insert(glyphs[i], coverage[std::size_t(i)]);
    inking.coverage = [measured](const QString& glyph) { return measured->value(glyph, 0); };
    return inking;
}

}  // namespace

int UsageError(const QString& reason) {
    SayUsageError(reason);
    return kUsageError;
}

int Run(const Options& given, const QString& converterDir, const std::optional<CharRamp>& kept) {
    const Options options = ForTerminal(given);
    // Pictures and pages are set in a font, and shapes are matched in it;
    // reduced art without a ramp file takes the ramp measured from it.
    const bool shapes = options.framing.PatchSide() > 1;
    const QStringList& pictures = options.pictures;
    // Pictures refused by their headers alone are refused before any font is
    // measured, which may take a minute: it is not done when none is left.
    // Without fonts to start, each picture's own conversion refuses it alike.
    const bool measures =
        !kept && MeasuresRamp(options.rampFile, converterDir, options.framing.Reduces());
    const bool startsFonts = DrawsArt(options) || shapes || measures;
    std::vector<std::optional<Error>> refused(std::size_t(pictures.size()));
    bool anyLeft = !options.framing.Reduces() || !startsFonts;
    if (options.framing.Reduces() && startsFonts) {
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            const Status fits = CheckCells(pictures[i], options.framing);
            if (fits)
                anyLeft = true;
            else
                refused[std::size_t(i)] = fits.error();
        }
    }
    ArtStyle style{options.format, options.look, options.colours, std::nullopt};
    if (DrawsArt(options) || shapes) {
        const Result<ArtFont> font = ResolveArtFont(options.font, options.fontSize);
        if (!font) return UsageError(font.error().reason);
        if (DrawsArt(options)) style.font = *font;
        // A font without kanji would give blank art, or a ramp it cannot draw.
        const int fewest = FewestKanji(options, converterDir, shapes);
        if (const int held = fewest > 0 ? KanjiHeld(*font) : 0; held < fewest)
            return UsageError(reasons::kFontTooFewKanji.arg(font->family).arg(held).arg(fewest));
        if (shapes && anyLeft) {
            // Measured (or read from the cache) once, before the jobs share it.
            ChooseShapeFont(*font);
            if (!FontShapes(options.framing.match)) {
                Say(kNoMemoryForShapes.arg(font->family).arg(font->pixelSize));
                return kSomeFailed;
            }
        }
    }
    const Result<CharRamp> ramp =
        shapes ? Result<CharRamp>(CharRamp::BuiltIn())
        : kept ? Result<CharRamp>(*kept)
               : ChooseRamp(options.rampFile, converterDir, options.framing.Reduces() && anyLeft,
                            style.font ? &*style.font : nullptr);
    if (!ramp) return UsageError(ramp.error().reason);
    // Light ink on a dark ground: the densest glyph for the lightest level.
    const CharRamp used = options.look.invert ? Reversed(*ramp) : *ramp;
    if (options.format == Format::kCp932) {
        if (const Status fits = CheckCp932(used); !fits) return UsageError(fits.error().reason);
    }
    if (style.font && !shapes) {
        if (const Status holds = ArtDrawing(*style.font).CheckHolds(RampCharacters(used)); !holds)
            return UsageError(holds.error().reason);
    }
    // A picture's bytes would only garble the terminal.
    if (options.format == Format::kPng && ToStandardOutput(options) && isatty(STDOUT_FILENO))
        return UsageError(kPngToTerminal);
    const Result<QStringList> destinations = Destinations(options);
    if (!destinations) {
        Say(destinations.error().reason);
        return kSomeFailed;
    }

    const Inking inking = InkingOf(options, style, used);
    const auto convert = [&](int index) -> Result<QByteArray> {
        const QString& picture = pictures[index];
        if (const std::optional<Error>& error = refused[std::size_t(index)]) return *error;
        const Result<Art> art = ArtOf(picture, options, used, inking);
        if (!art) return art.error();
        return WriteArt(*art, style, QFileInfo(picture).fileName());
    };
    // Names made in --output-dir are the program's own; a link planted at one
    // is not followed out of the folder.
    const Links links = options.outputDir.isEmpty() ? Links::kFollow : Links::kRefuse;
    int status = kAllConverted;
    Progress progress(int(pictures.size()));
    const auto receive = [&](int index, const Result<QByteArray>& bytes) {
        const QString& destination = (*destinations)[index];
        Status written = bytes ? Status(Done{}) : Status(bytes.error());
        if (bytes && destination.isEmpty() && !WriteStandardOutput(*bytes))
            written = Error{ErrorKind::kCannotWrite, kCannotWriteOutput};
        else if (bytes && !destination.isEmpty())
            written = WriteFileAtomically(destination, *bytes, links);
        if (!written) {
            progress.Interrupt();
            const bool outputFailed = bytes && !destination.isEmpty();
            Say(kFailed.arg(outputFailed ? destination : pictures[index], written.error().reason));
            status = kSomeFailed;
        }
        progress.Done(index + 1);
    };
    ConvertInOrder(int(pictures.size()), options.jobs, convert, receive);
    return status;
}

}  // namespace glyph::cli
