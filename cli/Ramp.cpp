#include "cli/Ramp.h"

#include <QDir>

#include "cli/Messages.h"
#include "cli/Run.h"
#include "engine/Cp932.h"
#include "engine/Levels.h"
#include "files/FileAccess.h"
#include "glyphs/RampFile.h"
#include "glyphs/RampSource.h"

namespace glyph::cli {

namespace {

// The window lives in lib/glyphorama once installed, and the converter in
// bin; in the build tree each sits in its own folder beside the other.
QString WindowMojiTxt(const QString& converterDir) {
    const QDir dir(converterDir);
    for (const QString& folder :
         {QStringLiteral("."), QStringLiteral("../lib/glyphorama"), QStringLiteral("../ui")}) {
        const QString path = QDir::cleanPath(dir.filePath(folder + QStringLiteral("/moji.txt")));
        if (IsReadable(path)) return path;
    }
    return {};
}

}  // namespace

Result<CharRamp> ChooseRamp(const QString& rampFile, const QString& converterDir, bool reduces,
                            const ArtFont* shownIn) {
    const QString path = rampFile.isEmpty() ? FindMojiTxt(WindowMojiTxt(converterDir)) : rampFile;
    if (path.isEmpty() && reduces) return shownIn ? MeasuredRamp(*shownIn) : MeasuredArtRamp();
    if (path.isEmpty()) return CharRamp::BuiltIn();
    // The window's moji.txt is CP932 alone, as the window reads it.
    const RampEncoding encoding =
        rampFile.isEmpty() ? RampEncoding::kCp932 : RampEncoding::kCp932OrUtf8;
    Result<LoadedRamp> loaded = ReadRampFile(path, encoding);
    if (!loaded) return loaded.error();
    for (const QString& note : loaded->notes) Say(note);
    return loaded->ramp;
}

bool MeasuresRamp(const QString& rampFile, const QString& converterDir, bool reduces) {
    return reduces && rampFile.isEmpty() && FindMojiTxt(WindowMojiTxt(converterDir)).isEmpty();
}

std::optional<CharRamp> KeptMeasuredRamp() { return KeptRampFor(FontRequest{}); }

CharRamp Reversed(const CharRamp& ramp) {
    QStringList entries;
    for (int level = kLevels - 1; level >= 0; --level) entries << ramp.CharForLevel(level);
    return CharRamp(entries);
}

QString RampCharacters(const CharRamp& ramp) {
    QString characters;
    for (int level = 0; level < kLevels; ++level) characters += ramp.CharForLevel(level);
    return characters;
}

Status CheckCp932(const CharRamp& ramp) {
    for (int level = 0; level < kLevels; ++level) {
        const QString entry = ramp.CharForLevel(level);
        const Cp932Encoding encoded = EncodeCp932(entry);
        if (encoded.ok()) continue;
        const QString character = QString(entry.mid(*encoded.badIndex))
                                      .left(entry[*encoded.badIndex].isHighSurrogate() ? 2 : 1);
        const QString code = CodePointName(character.toUcs4().value(0));
        return Error{ErrorKind::kDamaged, kRampNotCp932.arg(level).arg(character, code)};
    }
    return Done{};
}

}  // namespace glyph::cli
