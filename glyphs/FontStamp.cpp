#include "glyphs/FontStamp.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <algorithm>

#ifdef GLYPHORAMA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace glyph {

namespace {

QByteArray Times(const QFileInfo& info) {
    return QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ':' +
           QByteArray::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

// Whether a variable of the environment may change which font is drawn.
bool ChoosesFonts(const QString& name) {
    static const QStringList kNamed = {"LANG",
                                       "LANGUAGE",
                                       "HOME",
                                       "XDG_DATA_HOME",
                                       "XDG_DATA_DIRS",
                                       "XDG_CONFIG_HOME",
                                       "XDG_CACHE_HOME",
                                       "QT_QPA_PLATFORM",
                                       "QT_QPA_PLATFORMTHEME",
                                       "QT_QPA_FONTDIR",
                                       "QT_FONT_DPI",
                                       "QT_SCALE_FACTOR",
                                       "QT_SCREEN_SCALE_FACTORS",
                                       "QT_ENABLE_HIGHDPI_SCALING"};
    return kNamed.contains(name) || name.startsWith(QStringLiteral("LC_")) ||
           name.startsWith(QStringLiteral("FC_")) || name.startsWith(QStringLiteral("FONTCONFIG"));
}

QString Home(const char* variable, const QString& fallback) {
    const QString set = qEnvironmentVariable(variable);
    return set.startsWith(u'/') ? set : QDir::homePath() + u'/' + fallback;
}

// The folder and every folder under it, each with its times; every file in
// it too when `files` (the configuration, whose files may be edited).
void AddTree(const QString& root, bool files, QByteArray& stamp) {
    const QFileInfo top(root);
    if (!top.isDir()) return;
    stamp += root.toUtf8() + '=' + Times(top) + '\n';
    QStringList entries;
    QDirIterator it(
        root,
        files ? QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot : QDir::Dirs | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + u'=' + QString::fromLatin1(Times(it.fileInfo()));
    }
    entries.sort();
    stamp += entries.join(u'\n').toUtf8() + '\n';
}

}  // namespace

QByteArray FontFileStamp(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return QByteArray::number(info.size()) + ':' + Times(info);
}

QByteArray FontConfigurationStamp() {
    QByteArray stamp;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList names = environment.keys();
    names.sort();
    for (const QString& name : names) {
        if (ChoosesFonts(name)) stamp += (name + u'=' + environment.value(name) + u'\n').toUtf8();
    }
    const QString dataHome = Home("XDG_DATA_HOME", QStringLiteral(".local/share"));
    const QString configHome = Home("XDG_CONFIG_HOME", QStringLiteral(".config"));
    const QString cacheHome = Home("XDG_CACHE_HOME", QStringLiteral(".cache"));
    QStringList fontFolders = {QStringLiteral("/usr/share/fonts"),
                               QStringLiteral("/usr/local/share/fonts"), dataHome + "/fonts",
                               QDir::homePath() + "/.fonts"};
    for (const QString& data :
         qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts))
        fontFolders << data + "/fonts";
    fontFolders.removeDuplicates();
    for (const QString& folder : fontFolders) AddTree(folder, false, stamp);
    QStringList configuration = {QStringLiteral("/etc/fonts"), configHome + "/fontconfig",
                                 QDir::homePath() + "/.fonts.conf"};
    for (const char* variable : {"FONTCONFIG_PATH", "FONTCONFIG_FILE"}) {
        const QString set = qEnvironmentVariable(variable);
        if (!set.isEmpty()) configuration << set;
    }
    for (const QString& path : configuration) {
        if (QFileInfo(path).isDir())
            AddTree(path, true, stamp);
        else
            stamp += path.toUtf8() + '=' + FontFileStamp(path) + '\n';
    }
    for (const QString& cache :
         {QStringLiteral("/var/cache/fontconfig"), cacheHome + "/fontconfig"})
        AddTree(cache, false, stamp);
    return stamp;
}

QStringList FontFilesOf(const QString& family) {
    QStringList files;
#ifdef GLYPHORAMA_FONTCONFIG
    const QByteArray name = family.toUtf8();
    FcPattern* pattern =
        FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, name.constData(), nullptr);
    FcObjectSet* fields = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, fields);
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            files << QString::fromUtf8(reinterpret_cast<const char*>(file));
    }
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(fields);
    FcPatternDestroy(pattern);
#else
    Q_UNUSED(family);
#endif
    files.sort();
    files.removeDuplicates();
    return files;
}

}  // namespace glyph
