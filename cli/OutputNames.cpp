#include "cli/OutputNames.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace glyph::cli {

namespace {

// The same file however it was named: absolute, cleaned, links followed
// where the file exists.
QString Identity(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

QStringList OutputPaths(const QStringList& pictures, const QString& dir, const QString& extension) {
    QSet<QString> taken;
    for (const QString& picture : pictures) taken.insert(Identity(picture));
    const QDir folder(dir);
    QStringList paths;
    for (const QString& picture : pictures) {
        const QString stem = QFileInfo(picture).completeBaseName();
        QString path = folder.filePath(stem + extension);
        for (int n = 2; taken.contains(Identity(path)); ++n)
            path = folder.filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(extension));
        taken.insert(Identity(path));
        paths << path;
    }
    return paths;
}

}  // namespace glyph::cli
