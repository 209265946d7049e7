#pragma once

#include <QCoreApplication>
#include <QString>
#include <utility>

namespace glyph {

// A text the user reads, kept as its source and looked up when used: the
// converter installs a translator for the user's language, the window none,
// so the window reads every text as written. Marked with QT_TRANSLATE_NOOP in
// the same context, so that lupdate finds it.
template <const char* Context>
struct Translatable {
    const char* source;

    QString toString() const { return QCoreApplication::translate(Context, source); }
    operator QString() const { return toString(); }
    template <typename... Args>
    QString arg(Args&&... args) const {
        return toString().arg(std::forward<Args>(args)...);
    }
    QString section(QChar separator, qsizetype start, qsizetype end = -1) const {
        return toString().section(separator, start, end);
    }
    friend QString operator+(const Translatable& text, const QString& more) {
        return text.toString() + more;
    }
    friend QString operator+(const QString& before, const Translatable& text) {
        return before + text.toString();
    }
    friend bool operator==(const QString& string, const Translatable& text) {
        return string == text.toString();
    }
};

}  // namespace glyph
