#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace glyph {

// CP932 (Shift-JIS as Windows writes it), converted with the C library's iconv.

// The decoded text, or nothing when the bytes are not valid CP932.
std::optional<QString> DecodeCp932(const QByteArray& bytes);

struct Cp932Encoding {
    QByteArray bytes;
    // Index (in QString units) of the first character CP932 cannot hold, or -1.
    std::optional<qsizetype> badIndex;  // the first character CP932 lacks
    bool ok() const { return !badIndex; }
};

// Encodes the whole text; on the first character CP932 cannot hold, stops and
// says where it is.
Cp932Encoding EncodeCp932(const QString& text);

// "U+" and the code point in at least four capital hex digits: how messages
// name a character CP932 cannot hold, since it may be invisible.
QString CodePointName(char32_t code);

// Every kanji and kana that CP932 encodes, once each, in code order.
QStringList Cp932KanjiAndKana();

// Every character CP932 encodes in two bytes (symbols, box drawing, Latin,
// Greek, Cyrillic, kana and kanji), once each, in code order.
QStringList Cp932FullWidth();

}  // namespace glyph
