#include "workspace/RampSource.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "engine/Cp932.h"
#include "engine/Levels.h"
#include "engine/RampFit.h"
#include "workspace/FileAccess.h"

namespace glyph {

namespace {

const QString kFolder = QStringLiteral("/glyphorama");

QString UserFolder(QStandardPaths::StandardLocation location) {
    const QString base = QStandardPaths::writableLocation(location);
    return base.isEmpty() ? QString() : base + kFolder;
}

// A kept file is trusted only as it was written: 256 lines read without a
// word (and the empty entry a ramp file ends in). Anything else is measured
// again.
bool IsWholeRamp(const Result<LoadedRamp>& kept) {
    return kept && kept->notes.isEmpty() && kept->ramp.size() == kLevels + 1;
}

}  // namespace

QString UserMojiTxt() {
    const QString folder = UserFolder(QStandardPaths::GenericConfigLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/moji.txt");
}

QString FindMojiTxt(const QString& programMojiTxt) {
    if (!programMojiTxt.isEmpty() && IsReadable(programMojiTxt)) return programMojiTxt;
    const QString user = UserMojiTxt();
    return !user.isEmpty() && IsReadable(user) ? user : QString();
}

ArtRamps LoadArtRamps(const QString& programMojiTxt) {
    const QString found = FindMojiTxt(programMojiTxt);
    if (found.isEmpty()) return {{CharRamp::BuiltIn(), {}}, true};
    return {LoadCharRamp(found), false};
}

QByteArray RampFileBytes(const QStringList& entries) {
    const QString crLf = QStringLiteral("\r\n");
    return EncodeCp932(entries.join(crLf) + crLf).bytes;
}

QString MeasuredRampPath(const ArtFont& font) {
    const QString folder = UserFolder(QStandardPaths::GenericCacheLocation);
    if (folder.isEmpty()) return {};
    const QString key =
        QStringLiteral("%1-%2-%3").arg(font.family).arg(font.pixelSize).arg(GLYPHORAMA_VERSION);
    // Readable, yet one file per key whatever the family is called.
    QString name = key;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    return folder + QStringLiteral("/ramp-%1-%2.txt").arg(name, hash.toHex().left(8));
}

CharRamp MeasuredRamp(const ArtFont& font) {
    const QString path = MeasuredRampPath(font);
    if (!path.isEmpty() && IsRegularFile(path)) {
        Result<LoadedRamp> kept = ReadRampFile(path, RampEncoding::kCp932);
        if (IsWholeRamp(kept)) return std::move(kept)->ramp;
    }
    const GlyphMeter meter(font);
    std::vector<GlyphInk> pool = MeasurePool(meter, false);
    if (pool.size() < std::size_t(kLevels)) return CharRamp::BuiltIn();
    const FittedRamp fitted = FitEvenFall(std::move(pool));
    if (fitted.entries.size() != kLevels) return CharRamp::BuiltIn();
    const QByteArray bytes = RampFileBytes(fitted.entries);
    // Read back as it will be next time, so both runs make the same art.
    if (!path.isEmpty() && MakeFolders(QFileInfo(path).path()) &&
        WriteFileAtomically(path, bytes, Links::kRefuse)) {
        Result<LoadedRamp> kept = ReadRampFile(path, RampEncoding::kCp932);
        if (IsWholeRamp(kept)) return std::move(kept)->ramp;
    }
    return ParseCharRamp(bytes).ramp;
}

CharRamp MeasuredArtRamp() {
    const Result<ArtFont> font = ResolveArtFont({}, 0);
    return font ? MeasuredRamp(*font) : CharRamp::BuiltIn();
}

}  // namespace glyph
