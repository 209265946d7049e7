#include "cli/Ramp.h"

#include <QDir>
#include <QFile>

#include "cli/Messages.h"
#include "engine/Cp932.h"

namespace glyph::cli {

namespace {

constexpr int kLevels = 256;

// The window lives in lib/glyphorama once installed, and the converter in
// bin; in the build tree each sits in its own folder beside the other.
QString WindowMojiTxt(const QString& converterDir) {
    const QDir dir(converterDir);
    for (const QString& folder :
         {QStringLiteral("."), QStringLiteral("../lib/glyphorama"), QStringLiteral("../ui")}) {
        const QString path = QDir::cleanPath(dir.filePath(folder + QStringLiteral("/moji.txt")));
        if (QFile::exists(path)) return path;
    }
    return {};
}

}  // namespace

Result<CharRamp> ChooseRamp(const QString& rampFile, const QString& converterDir) {
    if (rampFile.isEmpty()) {
        const QString moji = WindowMojiTxt(converterDir);
        return moji.isEmpty() ? CharRamp::BuiltIn() : LoadCharRamp(moji);
    }
    QFile file(rampFile);
    if (!file.open(QIODevice::ReadOnly)) return Error{kRampUnreadable.arg(rampFile)};
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) return ParseCharRampUtf8(bytes);
    return ParseCharRamp(bytes);
}

Status CheckCp932(const CharRamp& ramp) {
    for (int level = 0; level < kLevels; ++level) {
        const QString entry = ramp.CharForLevel(level);
        const Cp932Encoding encoded = EncodeCp932(entry);
        if (encoded.ok()) continue;
        const QString character = QString(entry.mid(encoded.badIndex))
                                      .left(entry[encoded.badIndex].isHighSurrogate() ? 2 : 1);
        const QString code =
            QStringLiteral("U+%1").arg(character.toUcs4().value(0), 4, 16, QLatin1Char('0'));
        return Error{kRampNotCp932.arg(level).arg(character, code.toUpper())};
    }
    return Done{};
}

}  // namespace glyph::cli
