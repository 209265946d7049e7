#include "glyphs/RampFile.h"

#include <QFileInfo>

#include "basics/Reasons.h"
#include "engine/Levels.h"
#include "files/FileAccess.h"

namespace glyph {

namespace {

constexpr int kLinesNamed = 5;  // undecodable lines named one by one; the rest counted
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QString LineList(const QList<int>& lines) {
    QStringList named;
    for (qsizetype i = 0; i < lines.size() && i < kLinesNamed; ++i)
        named << QString::number(lines[i]);
    QString list = named.join(QStringLiteral(", "));
    if (lines.size() > kLinesNamed) list += reasons::kRampMoreLines.arg(lines.size() - kLinesNamed);
    return list;
}

QStringList Notes(const QString& name, const ParsedRamp& parsed, bool utf8, bool bom) {
    QStringList notes;
    if (!parsed.undecodedLines.isEmpty()) {
        const QString lines = LineList(parsed.undecodedLines);
        notes << (bom && utf8
                      ? reasons::kRampBomNotUtf8.arg(name, lines)
                      : reasons::kRampUndecodedLines.arg(
                            name, utf8 ? QStringLiteral("UTF-8") : QStringLiteral("CP932"), lines));
    }
    if (parsed.ramp.size() < kLevels)
        notes << reasons::kRampShort.arg(name).arg(parsed.ramp.size());
    return notes;
}

}  // namespace

Result<LoadedRamp> ReadRampFile(const QString& path, RampEncoding encoding) {
    const QString name = QFileInfo(path).fileName();
    const Result<QByteArray> bytes = ReadRegularFile(path, kMaxRampFileBytes);
    if (!bytes) {
        switch (bytes.error().kind) {
            case ErrorKind::kTooLarge:
                return Error{ErrorKind::kTooLarge,
                             reasons::kRampTooLarge.arg(name).arg(kMaxRampFileBytes)};
            default:
                return Error{bytes.error().kind,
                             reasons::kRampUnreadable.arg(name, bytes.error().reason)};
        }
    }
    const bool bom = bytes->startsWith(kUtf8Bom);
    const bool utf8 = bom && encoding == RampEncoding::kCp932OrUtf8;
    const ParsedRamp parsed = utf8 ? ParseCharRampUtf8(*bytes) : ParseCharRamp(*bytes);
    if (parsed.longEntryLine) {
        return Error{
            ErrorKind::kDamaged,
            reasons::kRampEntryTooLong.arg(name).arg(*parsed.longEntryLine).arg(kMaxEntryLength)};
    }
    return LoadedRamp{parsed.ramp, Notes(name, parsed, utf8, bom)};
}

LoadedRamp LoadCharRamp(const QString& path) {
    if (!IsReadable(path)) return {CharRamp::BuiltIn(), {}};
    Result<LoadedRamp> loaded = ReadRampFile(path, RampEncoding::kCp932);
    if (!loaded) return {CharRamp::BuiltIn(), {reasons::kRampRefused.arg(loaded.error().reason)}};
    return std::move(loaded).value();
}

}  // namespace glyph
