#pragma once

#include <QString>

#include "cli/Options.h"

namespace glyph::cli {

// --make-ramp: measures the candidates in the font, chooses 256 entries and
// writes them as a moji.txt (CP932, one entry a line); the figures go to
// standard error. Returns the exit status.
int MakeRamp(const Options& options);

// --ramp-report: the figures of a ramp in the font, then each level's
// coverage and entry, on standard output. Returns the exit status.
int ReportRamp(const Options& options, const QString& converterDir);

}  // namespace glyph::cli
