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

// Installs the language's translations on the running application.
void InstallTranslations(Language language);

}  // namespace glyph::cli
