#pragma once

#include <QString>
#include <optional>

#include "basics/Result.h"
#include "engine/CharRamp.h"
#include "glyphs/GlyphMeter.h"

namespace glyph::cli {

// The ramp to convert with: the file given (CP932 as moji.txt is, or UTF-8
// when it starts with a byte-order mark), or else the window's own rule: a
// moji.txt in the program's folder, else in the user's configuration folder,
// else the built-in ramp for the block and the ramp measured from the font
// the art is shown in (shownIn; none: the window's) for reduced art.
Result<CharRamp> ChooseRamp(const QString& rampFile, const QString& converterDir,
                            bool reduces = false, const ArtFont* shownIn = nullptr);
// Whether ChooseRamp will want the measured ramp, and so a QGuiApplication.
bool MeasuresRamp(const QString& rampFile, const QString& converterDir, bool reduces);
// The ramp measured from the window's font when it is kept and can be found
// without starting the fonts (KeptRampFor); none when they must start.
std::optional<CharRamp> KeptMeasuredRamp();

// The ramp the other way round: the densest entry for the lightest level.
CharRamp Reversed(const CharRamp& ramp);
// Every level's entry, one after another: what the art may hold.
QString RampCharacters(const CharRamp& ramp);

// Fails, naming the first level whose entry CP932 cannot hold.
Status CheckCp932(const CharRamp& ramp);

}  // namespace glyph::cli
