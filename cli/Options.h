#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "basics/Result.h"
#include "document/Convert.h"
#include "document/Document.h"
#include "output/ArtWriters.h"
#include "picture/Framing.h"

namespace glyph::cli {

using Format = ArtFormat;

// What the command line asks for.
struct Options {
    enum class Action { kConvert, kHelp, kVersion, kMakeRamp, kRampReport };
    Action action = Action::kConvert;
    QStringList pictures;
    QList<Command> steps;
    QString rampFile;  // empty: the window's rule
    Format format = Format::kText;
    QString output;     // empty or "-": standard output
    QString outputDir;  // set: one file per picture there
    int jobs = 1;
    Framing framing;  // the block at --region, or the picture reduced to cells
    ArtLook look;     // --color, --paper, --invert
    Colouring colouring = Colouring::kInk;  // --color=HOW, --paper
    AnsiColours colours = AnsiColours::kFull;

    // Making and judging ramps, and drawing the art.
    QString font;      // empty: the window's text box font
    int fontSize = 0;  // pixels; 0: the window's
    bool withSpace = false;
    bool distinct = false;
    QString chart;  // a PNG to draw coverage against level into
};

// --jobs above this many per processor is lowered to it.
constexpr int kJobsPerProcessor = 4;
// Whether the art is set in a font (PNG, SVG, a page in colour or in a font),
// which needs a QGuiApplication.
bool DrawsArt(const Options& options);

// The largest --size: the glyphs of a larger font take minutes to measure.
constexpr int kMaxFontSize = 512;
// The largest --width and --height: an art larger than this is no longer read
// as text, and its ramp entries could make it hundreds of megabytes.
constexpr int kMaxCells = 1000;

// The terminal standard output is: its size, and the colours it says it shows.
// No columns: none, or one of unknown width.
struct Terminal {
    int columns = 0;
    int rows = 0;
    AnsiColours colours = AnsiColours::kNone;
};

// Parses the arguments after the program name; --jobs defaults to processors.
// Art reduced to cells for a terminal fits its width by default; with no
// framing, format or match named, a terminal is shown the whole picture fitted
// to it, matched by shape, in its cells' colours where it has colours.
// A usage error comes back as its reason, to be shown with a pointer to --help.
Result<Options> ParseOptions(const QStringList& arguments, int processors,
                             const Terminal& terminal = {});

}  // namespace glyph::cli
