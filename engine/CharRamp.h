#pragma once

#include <QString>
#include <QStringList>

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
    // built-in list; any other missing level throws std::out_of_range.
    QString CharForLevel(int level) const;

  private:
    QStringList entries_;
};

// Builds the ramp from the lines of a CP932 text: every line's entries in file
// order, then one empty entry. A line that cannot be decoded adds nothing.
CharRamp ParseCharRamp(const QByteArray& cp932);
// The same from a UTF-8 text (a leading byte-order mark is dropped), for ramps
// that hold characters beyond CP932.
CharRamp ParseCharRampUtf8(const QByteArray& utf8);

// Reads moji.txt at path, or gives the built-in ramp when it cannot be opened.
// Never fails and never shows anything.
CharRamp LoadCharRamp(const QString& path);

}  // namespace glyph
