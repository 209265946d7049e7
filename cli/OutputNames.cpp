#include "cli/OutputNames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
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
    // Names not in the folder yet are known by their path alone, without
    // asking the file system about each one tried. Compared without case, so
    // that a folder that ignores case is asked too.
    const QString absoluteFolder = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    QSet<QString> present;
    for (const QString& name : folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System))
        present.insert(name.toCaseFolded());
    const auto identity = [&](const QString& name) {
        return present.contains(name.toCaseFolded())
                   ? Identity(folder.filePath(name))
                   : QDir::cleanPath(absoluteFolder + u'/' + name);
    };
    // The next number to try for a name met before: every one below it is taken.
    QHash<QString, int> next;
    QStringList paths;
    for (const QString& picture : pictures) {
        const QString stem = QFileInfo(picture).completeBaseName();
        int& n = next[stem];
        QString name = n == 0 ? stem + extension : QString();
        if (n == 0) n = 2;
        if (name.isEmpty() || taken.contains(identity(name))) {
            for (;; ++n) {
                name = stem + u'-' + QString::number(n) + extension;
                if (!taken.contains(identity(name))) break;
            }
            ++n;
        }
        taken.insert(identity(name));
        paths << folder.filePath(name);
    }
    return paths;
}

}  // namespace glyph::cli
