#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "workspace/Document.h"
#include "workspace/Result.h"

namespace glyph::cli {

enum class Format { kText, kCp932, kHtml };

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
    QPoint origin;  // of the block in each picture

    // Making and judging ramps.
    QString font;      // empty: the window's text box font
    int fontSize = 0;  // pixels; 0: the window's
    bool withSpace = false;
    bool distinct = false;
    QString chart;  // a PNG to draw coverage against level into
};

// --jobs above this many per processor is lowered to it.
constexpr int kJobsPerProcessor = 4;
// The largest --size: the glyphs of a larger font take minutes to measure.
constexpr int kMaxFontSize = 512;

// Parses the arguments after the program name; --jobs defaults to processors.
// A usage error comes back as its reason, to be shown with a pointer to --help.
Result<Options> ParseOptions(const QStringList& arguments, int processors);

}  // namespace glyph::cli
