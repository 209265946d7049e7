#include "glyphs/RampSource.h"

#include <QCryptographicHash>
#include <optional>

#include "engine/Cp932.h"
#include "engine/Levels.h"
#include "engine/RampFit.h"
#include "files/FileAccess.h"
#include "files/UserFolders.h"

namespace glyph {

namespace {

const QByteArray kSumMagic = QByteArrayLiteral("Glyphorama ramp\n");
const QString kSumSuffix = QStringLiteral(".sum");
constexpr qint64 kMostSumBytes = 4096;  // the magic, a key and a hash

QString RampKey(const ArtFont& font) {
    return QStringLiteral("%1-%2-%3-%4")
        .arg(font.family)
        .arg(font.pixelSize)
        .arg(FontIdentity(font), QStringLiteral(GLYPHORAMA_VERSION));
}

// What the file beside a kept ramp holds: the ramp's key and checksum, so a
// ramp file that was changed, cut or left by another font is measured again
// while the ramp itself stays a plain moji.txt.
QByteArray RampSum(const QString& key, const QByteArray& ramp) {
    return kSumMagic + key.toUtf8() + '\n' +
           QCryptographicHash::hash(ramp, QCryptographicHash::Sha256).toHex() + '\n';
}

// A kept ramp is trusted only as it was written for this key: its checksum
// whole, and 256 levels and the empty entry a ramp file ends in.
std::optional<CharRamp> KeptRamp(const QString& path, const QString& key) {
    const Result<QByteArray> bytes = ReadRegularFile(path, kMaxRampFileBytes);
    const Result<QByteArray> sum = ReadRegularFile(path + kSumSuffix, kMostSumBytes);
    if (!bytes || !sum || *sum != RampSum(key, *bytes)) return std::nullopt;
    ParsedRamp parsed = ParseCharRamp(*bytes);
    if (!parsed.undecodedLines.isEmpty() || parsed.ramp.size() != kLevels + 1) return std::nullopt;
    return std::move(parsed.ramp);
}

}  // namespace

QString UserMojiTxt() {
    const QString folder = UserConfigFolder();
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
    return CachePath(QStringLiteral("ramp"), RampKey(font), QStringLiteral("txt"));
}

CharRamp MeasuredRamp(const ArtFont& font) {
    const QString key = RampKey(font);
    const QString path = MeasuredRampPath(font);
    if (!path.isEmpty()) {
        if (std::optional<CharRamp> kept = KeptRamp(path, key)) return std::move(*kept);
    }
    const GlyphMeter meter(font);
    std::vector<GlyphInk> pool = MeasurePool(meter, false);
    if (pool.size() < std::size_t(kLevels)) return CharRamp::BuiltIn();
    const FittedRamp fitted = FitEvenFall(std::move(pool));
    if (fitted.entries.size() != kLevels) return CharRamp::BuiltIn();
    const QByteArray bytes = RampFileBytes(fitted.entries);
    // The ramp first: a run killed between the two leaves a sum that no
    // longer matches, and the ramp is measured again.
    if (!path.isEmpty() && KeepInCache(path, bytes))
        (void)KeepInCache(path + kSumSuffix, RampSum(key, bytes));
    // Parsed as it will be read next time, so both runs make the same art.
    return ParseCharRamp(bytes).ramp;
}

CharRamp MeasuredArtRamp() {
    const Result<ArtFont> font = ResolveArtFont({}, 0);
    return font ? MeasuredRamp(*font) : CharRamp::BuiltIn();
}

}  // namespace glyph
