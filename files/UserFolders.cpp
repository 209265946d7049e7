#include "files/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "files/FileAccess.h"

namespace glyph {

namespace {

const QString kFolder = QStringLiteral("/glyphorama");
constexpr int kHashDigits = 8;

QString UserFolder(const char* variable, const QString& fallback) {
    // Only an absolute value counts; a relative one is as if unset.
    const QString set = qEnvironmentVariable(variable);
    if (set.startsWith(u'/')) return set + kFolder;
    const QString home = QDir::homePath();
    return home.startsWith(u'/') ? home + u'/' + fallback + kFolder : QString();
}

}  // namespace

QString UserConfigFolder() { return UserFolder("XDG_CONFIG_HOME", QStringLiteral(".config")); }

QString UserCacheFolder() { return UserFolder("XDG_CACHE_HOME", QStringLiteral(".cache")); }

QString CachePath(const QString& prefix, const QString& key, const QString& extension) {
    const QString folder = UserCacheFolder();
    if (folder.isEmpty()) return {};
    // Readable, yet one file per key whatever the key holds.
    QString name = key;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    return folder +
           QStringLiteral("/%1-%2-%3.%4")
               .arg(prefix, name, QString::fromLatin1(hash.toHex().left(kHashDigits)), extension);
}

Status KeepInCache(const QString& path, const QByteArray& bytes) {
    const QString folder = QFileInfo(path).path();
    if (const Status made = MakeFolders(folder); !made) return made;
    RemoveStaleTemporaries(folder);
    return WriteFileAtomically(path, bytes, Links::kRefuse);
}

}  // namespace glyph
