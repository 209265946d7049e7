#include "cli/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
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

// The locale names fontconfig reads as a language: "ja", "ja_JP.UTF-8",
// "zh-TW", "sr_RS@latin", and the C locale's.
bool IsLanguageTag(const QByteArray& name) {
    static const QRegularExpression tag(QRegularExpression::anchoredPattern(
        QStringLiteral("[A-Za-z]{2,3}([_-][A-Za-z0-9]{2,3})?(\\.[^@]*)?(@.*)?")));
    return name == "C" || name == "POSIX" || name.toUpper() == "C.UTF-8" ||
           name.toUpper() == "C.UTF8" || tag.match(QString::fromLatin1(name)).hasMatch();
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

QByteArray FontconfigLanguage(const Environment& environment) {
    if (!environment("FC_LANG").isEmpty()) return {};
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QByteArray locale = environment(name);
        if (locale.isEmpty()) continue;
        return IsLanguageTag(locale) ? QByteArray() : QByteArrayLiteral("en");
    }
    return {};
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
