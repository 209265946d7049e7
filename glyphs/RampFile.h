#pragma once

#include <QString>
#include <QStringList>

#include "basics/Result.h"
#include "engine/CharRamp.h"

namespace glyph {

// Reading ramp files (moji.txt and the like). The engine parses; this reads
// the file safely and puts what went wrong into words, for whoever loads the
// ramp to say.

// A ramp file is small: 256 entries of a few characters. A larger one is
// refused before it is read.
constexpr qint64 kMaxRampFileBytes = 1024 * 1024;

enum class RampEncoding {
    kCp932,        // moji.txt, as the window reads it
    kCp932OrUtf8,  // UTF-8 when the file starts with a byte-order mark
};

// A ramp and the lines to say about it on standard error.
struct LoadedRamp {
    CharRamp ramp;
    QStringList notes;
};

// Refused: a file that is not a readable regular file, is too large, or holds
// an entry longer than kMaxEntryLength (the line is named). Lines that could
// not be decoded and a short ramp are notes: the ramp is still used.
Result<LoadedRamp> ReadRampFile(const QString& path, RampEncoding encoding);

// The window's moji.txt: a missing or unreadable file gives the built-in ramp
// without a word; a refused one the built-in ramp and a note saying why.
LoadedRamp LoadCharRamp(const QString& path);

}  // namespace glyph
