#include "cli/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace glyph::cli {

namespace {

// "ja", "ja_JP.UTF-8", "ja_JP@variant" name Japanese.
bool IsJapanese(const QByteArray& name) {
    return name == "ja" || name.startsWith("ja_") || name.startsWith("ja.") ||
           name.startsWith("ja@");
}

bool IsCLocale(const QByteArray& name) {
    return name == "C" || name.startsWith("C.") || name == "POSIX";
}

void Install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder)) QCoreApplication::installTranslator(translator);
}

}  // namespace

Language MessagesLanguage(const Environment& environment) {
    QByteArray locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.isEmpty()) break;
    }
    if (locale.isEmpty() || IsCLocale(locale)) return Language::kEnglish;
    // A list of languages by preference: the first we speak.
    for (const QByteArray& entry : environment("LANGUAGE").split(':')) {
        if (IsJapanese(entry)) return Language::kJapanese;
        if (entry == "en" || entry.startsWith("en_")) return Language::kEnglish;
    }
    return IsJapanese(locale) ? Language::kJapanese : Language::kEnglish;
}

void InstallTranslations(Language language) {
    if (language == Language::kJapanese) {
        Install(QStringLiteral(":/translations/glyphorama-convert_ja"), {});
        // The option parser's own messages.
        Install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    } else {
        // The reasons shared with the window are written in Japanese.
        Install(QStringLiteral(":/translations/glyphorama-convert_en"), {});
    }
}

}  // namespace glyph::cli
