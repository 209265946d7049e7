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

// Parses the arguments after the program name; --jobs defaults to processors.
// terminalColumns is the width of the terminal standard output is, or 0 when
// it is none or of unknown width: art reduced to cells for standard output
// then fits that width by default.
// A usage error comes back as its reason, to be shown with a pointer to --help.
Result<Options> ParseOptions(const QStringList& arguments, int processors, int terminalColumns = 0);

}  // namespace glyph::cli
