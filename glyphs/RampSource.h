#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "engine/CharRamp.h"
#include "glyphs/GlyphMeter.h"
#include "glyphs/RampFile.h"

namespace glyph {

// Where the art's ramps come from, for the window and the converter alike: a
// moji.txt in the program's folder, else one in the user's configuration
// folder; without either, the block keeps the built-in ramp and the reduced
// art takes the ramp measured from the font it is shown in.

// ~/.config/glyphorama/moji.txt, or wherever XDG_CONFIG_HOME puts it.
QString UserMojiTxt();

// The moji.txt to read: programMojiTxt when it is there (empty: none), else
// the user's; empty when neither is.
QString FindMojiTxt(const QString& programMojiTxt);

// The window's ramps: a moji.txt found serves every mode (a refused one gives
// the built-in ramp and a note, as it always has); without one, measured says
// that the reduced art is to take the measured ramp.
struct ArtRamps {
    LoadedRamp loaded;
    bool measured = false;
};
ArtRamps LoadArtRamps(const QString& programMojiTxt);

// A ramp file as a moji.txt is written: CP932, one entry a line, CR LF.
QByteArray RampFileBytes(const QStringList& entries);

// Where the ramp measured from the font is kept: the user's cache folder,
// named by family, size and the program's version, so that another font or a
// new fitting is measured anew.
QString MeasuredRampPath(const ArtFont& font);

// The 256 levels fitted to the font as --make-ramp fits them: the kept file
// when it holds a whole ramp, else measured and kept (as far as the cache
// folder can be written). The built-in ramp when the font holds too few
// characters. Needs a QGuiApplication.
CharRamp MeasuredRamp(const ArtFont& font);

// The same for the font the art is shown in by default (the window's).
CharRamp MeasuredArtRamp();

// A font as asked for, before the fonts are started: a family (empty: the
// window's) or a font file's path, and a pixel size (0: the window's).
struct FontRequest {
    QString family;
    int pixelSize = 0;
};

// What a request is known by without starting the fonts: the request (a font
// file by its absolute path and FontFileStamp), FontConfigurationStamp, and
// the versions of Qt and the program. Any change to these is another key.
QString FontRequestKey(const FontRequest& request);

// The ramp MeasuredRamp keeps for the font the request resolved to, found
// without starting the fonts: through a note kept beside it under the
// request's key, which also holds the stamps of the files fontconfig drew the
// family from. None when there is no note, it is a week old, a stamp differs
// or the kept ramp fails its checks: then the fonts must be started.
std::optional<CharRamp> KeptRampFor(const FontRequest& request);

// MeasuredRamp for the font the request resolved to, leaving the note that
// KeptRampFor finds it by next time.
CharRamp MeasuredRamp(const ArtFont& font, const FontRequest& request);

}  // namespace glyph
