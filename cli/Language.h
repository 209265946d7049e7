#pragma once

#include <QByteArray>
#include <functional>

namespace glyph::cli {

// The converter speaks English, or Japanese in a Japanese locale.
enum class Language { kEnglish, kJapanese };

// The value of an environment variable, empty when unset.
using Environment = std::function<QByteArray(const char* name)>;

// The language of messages as the C library chooses the locale's: LC_ALL,
// else LC_MESSAGES, else LANG; and, as GNU gettext, LANGUAGE before them
// unless the locale is C.
Language MessagesLanguage(const Environment& environment);

// The FC_LANG to give fontconfig before the fonts start, or empty to leave it
// alone. Fontconfig takes its language from FC_LANG, else LC_ALL, LC_CTYPE or
// LANG, and prints a warning of its own on standard error for a value that is
// no language tag ("garbage"), then goes on in English. A value of that kind
// is answered with English here, which is what fontconfig would use, without
// the warning; one the user set in FC_LANG is theirs.
QByteArray FontconfigLanguage(const Environment& environment);

// Installs the language's translations on the running application.
void InstallTranslations(Language language);

}  // namespace glyph::cli
