#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace glyph {

// The 256 built-in entries, densest glyph first, separated by commas.
extern const QString kBuiltInRamp;

// Text written for each gray level: entry i stands for level i.
class CharRamp {
  public:
    CharRamp() = default;
    explicit CharRamp(QStringList entries) : entries_(std::move(entries)) {}

    // Splits at every comma and keeps empty pieces: n commas give n + 1 entries.
    static CharRamp FromList(const QString& commaSeparated);
    static const CharRamp& BuiltIn();

    qsizetype size() const { return entries_.size(); }
    const QStringList& entries() const { return entries_; }

    // The entry for a level. Levels 0..255 that a short ramp lacks come from the
    // built-in list; any other level the ramp lacks gives an empty entry.
    QString CharForLevel(int level) const;

  private:
    QStringList entries_;
};

// The longest entry a ramp file may hold, in characters: the art holds one
// entry per pixel, so this bounds its text too.
constexpr int kMaxEntryLength = 64;

// A ramp read from a file's lines, and what reading them found.
struct ParsedRamp {
    CharRamp ramp;
    QList<int> undecodedLines;         // from 1; each added nothing
    std::optional<int> longEntryLine;  // the first line with an entry over kMaxEntryLength
};

// Builds the ramp from the lines of a CP932 text: every line's entries in file
// order, then one empty entry. A line that cannot be decoded adds nothing.
ParsedRamp ParseCharRamp(const QByteArray& cp932);
// The same from a UTF-8 text (a leading byte-order mark is dropped), for ramps
// that hold characters beyond CP932.
ParsedRamp ParseCharRampUtf8(const QByteArray& utf8);

}  // namespace glyph
