#include "glyphs/RampSource.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <optional>

#include "engine/Cp932.h"
#include "engine/Levels.h"
#include "engine/RampFit.h"
#include "files/FileAccess.h"
#include "files/UserFolders.h"
#include "glyphs/FontStamp.h"

namespace glyph {

namespace {

const QByteArray kSumMagic = QByteArrayLiteral("Glyphorama ramp\n");
const QByteArray kNoteMagic = QByteArrayLiteral("Glyphorama ramp of a request\n");
constexpr qint64 kMostNoteBytes = 64 * 1024;
// A note is trusted this long at most, for what no stamp sees (a font put in
// a folder fontconfig is told of elsewhere, say): then the fonts are started
// once to check it.
constexpr qint64 kNoteDays = 7;
const QString kSumSuffix = QStringLiteral(".sum");
constexpr qint64 kMostSumBytes = 4096;  // the magic, a key and a hash

QString RampPathOfKey(const QString& key) {
    return CachePath(QStringLiteral("ramp"), key, QStringLiteral("txt"));
}

QString NotePath(const QString& requestKey) {
    return CachePath(QStringLiteral("ramp-note"), requestKey, QStringLiteral("key"));
}

// The files the font is drawn from, each with its stamp, one a line: a
// family's files as fontconfig lists them; a font file's own is in the
// request's key already.
QByteArray DrawnFrom(const ArtFont& font) {
    QByteArray lines;
    if (!font.face.isEmpty()) return lines;
    for (const QString& file : FontFilesOf(font.family))
        lines += file.toUtf8() + '\t' + FontFileStamp(file) + '\n';
    return lines;
}

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

QString MeasuredRampPath(const ArtFont& font) { return RampPathOfKey(RampKey(font)); }

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
    const FontRequest window;
    const Result<ArtFont> font = ResolveArtFont(window.family, window.pixelSize);
    return font ? MeasuredRamp(*font, window) : CharRamp::BuiltIn();
}

QString FontRequestKey(const FontRequest& request) {
    const bool file = request.family.contains(u'/');
    const QString family = file ? QFileInfo(request.family).absoluteFilePath() : request.family;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(family.toUtf8() + '\n');
    if (file) hash.addData(FontFileStamp(family) + '\n');
    hash.addData(FontConfigurationStamp());
    hash.addData(QByteArray(qVersion()) + '\n' + QByteArrayLiteral(GLYPHORAMA_VERSION));
    // Named by the font file's name alone: a long path would make too long a
    // file name, and the hash holds it whole.
    return QStringLiteral("%1-%2-%3")
        .arg(file               ? QFileInfo(family).fileName()
             : family.isEmpty() ? QStringLiteral("window")
                                : family)
        .arg(request.pixelSize)
        .arg(QString::fromLatin1(hash.result().toHex().left(32)));
}

std::optional<CharRamp> KeptRampFor(const FontRequest& request) {
    const QString requestKey = FontRequestKey(request);
    const QString path = NotePath(requestKey);
    if (path.isEmpty()) return std::nullopt;
    const QFileInfo note(path);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!note.exists() || note.lastModified() > now || note.lastModified().daysTo(now) >= kNoteDays)
        return std::nullopt;
    const Result<QByteArray> bytes = ReadRegularFile(path, kMostNoteBytes);
    if (!bytes) return std::nullopt;
    // The magic, the request's key, the ramp's key, then the files drawn from.
    const QList<QByteArray> lines = bytes->split('\n');
    if (!bytes->startsWith(kNoteMagic) || lines.size() < 4 || !bytes->endsWith('\n') ||
        lines[1] != requestKey.toUtf8())
        return std::nullopt;
    for (qsizetype i = 3; i + 1 < lines.size(); ++i) {
        const qsizetype tab = lines[i].indexOf('\t');
        if (tab < 0 ||
            FontFileStamp(QString::fromUtf8(lines[i].left(tab))) != lines[i].mid(tab + 1))
            return std::nullopt;
    }
    const QString rampKey = QString::fromUtf8(lines[2]);
    return KeptRamp(RampPathOfKey(rampKey), rampKey);
}

CharRamp MeasuredRamp(const ArtFont& font, const FontRequest& request) {
    CharRamp ramp = MeasuredRamp(font);
    // Only a ramp that was kept is noted: one measured from too few glyphs,
    // or not kept, is not found by its key either.
    // Fonts found on a display may follow the desktop's settings, which no
    // stamp sees: only the offscreen platform's are noted.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) return ramp;
    const QString key = RampKey(font);
    if (!KeptRamp(RampPathOfKey(key), key)) return ramp;
    // Stamped now the fonts have started: fontconfig may have just written
    // its cache.
    const QString requestKey = FontRequestKey(request);
    const QString path = NotePath(requestKey);
    if (!path.isEmpty())
        (void)KeepInCache(
            path, kNoteMagic + requestKey.toUtf8() + '\n' + key.toUtf8() + '\n' + DrawnFrom(font));
    return ramp;
}

}  // namespace glyph
