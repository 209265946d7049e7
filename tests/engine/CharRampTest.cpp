#include <gtest/gtest.h>

#include <QSet>
#include <optional>

#include "engine/CharRamp.h"
#include "engine/Cp932.h"

namespace glyph {
namespace {

QByteArray Cp932(const QString& text) {
    const Cp932Encoding encoded = EncodeCp932(text);
    EXPECT_TRUE(encoded.ok());
    return encoded.bytes;
}

// The built-in ramp's entries, one per line, in CP932.
QByteArray BuiltInLines(const char* lineEnd) {
    QByteArray bytes;
    for (const QString& entry : CharRamp::BuiltIn().entries()) bytes += Cp932(entry) + lineEnd;
    return bytes;
}

TEST(BuiltInRamp, HasOneSingleGlyphEntryPerLevelDensestFirst) {
    const CharRamp ramp = CharRamp::BuiltIn();
    ASSERT_EQ(ramp.size(), 256);
    EXPECT_EQ(kBuiltInRamp.size(), 511);
    EXPECT_EQ(ramp.CharForLevel(0), QStringLiteral("欟"));
    EXPECT_EQ(ramp.CharForLevel(255), QStringLiteral("八"));
    EXPECT_EQ(ramp.CharForLevel(173), QStringLiteral("伜"));
    EXPECT_EQ(ramp.CharForLevel(174), QStringLiteral("伜"));
    QSet<QString> distinct;
    for (const QString& entry : ramp.entries()) {
        EXPECT_EQ(entry.size(), 1);
        distinct.insert(entry);
    }
    EXPECT_EQ(distinct.size(), 255);
}

TEST(BuiltInRamp, EveryEntryIsATwoByteCp932Character) {
    for (const QString& entry : CharRamp::BuiltIn().entries()) {
        const Cp932Encoding encoded = EncodeCp932(entry);
        ASSERT_TRUE(encoded.ok()) << entry.toStdString();
        EXPECT_EQ(encoded.bytes.size(), 2) << entry.toStdString();
        EXPECT_EQ(DecodeCp932(encoded.bytes), entry);
    }
}

TEST(RampLookup, ShortRampBorrowsMissingLevelsAndOutOfRangeIsEmpty) {
    const CharRamp ramp(QStringList{QStringLiteral("a"), QString()});
    EXPECT_EQ(ramp.CharForLevel(0), QStringLiteral("a"));
    EXPECT_EQ(ramp.CharForLevel(1), QString());
    EXPECT_EQ(ramp.CharForLevel(2), CharRamp::BuiltIn().CharForLevel(2));
    EXPECT_EQ(ramp.CharForLevel(255), QStringLiteral("八"));
    EXPECT_EQ(ramp.CharForLevel(256), QString());
    EXPECT_EQ(ramp.CharForLevel(-1), QString());
    EXPECT_EQ(CharRamp().CharForLevel(256), QString());
    EXPECT_EQ(CharRamp().CharForLevel(0), QStringLiteral("欟"));
}

TEST(RampLookup, ALongRampKeepsItsEntriesBeyondLevel255) {
    QStringList entries = CharRamp::BuiltIn().entries();
    entries << QStringLiteral("x");
    const CharRamp ramp(entries);
    EXPECT_EQ(ramp.CharForLevel(256), QStringLiteral("x"));
    EXPECT_EQ(ramp.CharForLevel(257), QString());
}

TEST(CodePointName, AtLeastFourCapitalHexDigits) {
    EXPECT_EQ(CodePointName(U'\t'), QStringLiteral("U+0009"));
    EXPECT_EQ(CodePointName(U'\u20ac'), QStringLiteral("U+20AC"));
    EXPECT_EQ(CodePointName(U'\U0001F600'), QStringLiteral("U+1F600"));
}

TEST(ParseCharRamp, OneEntryPerLineThenOneEmptyEntry) {
    const CharRamp ramp = ParseCharRamp(BuiltInLines("\r\n")).ramp;
    ASSERT_EQ(ramp.size(), 257);
    EXPECT_EQ(ramp.entries().mid(0, 256), CharRamp::BuiltIn().entries());
    EXPECT_EQ(ramp.entries().last(), QString());
}

TEST(ParseCharRamp, LineEndsAndALastLineWithoutOne) {
    const QByteArray unix = BuiltInLines("\n");
    QByteArray noFinalBreak = unix;
    noFinalBreak.chop(1);
    EXPECT_EQ(ParseCharRamp(unix).ramp.entries(),
              ParseCharRamp(BuiltInLines("\r\n")).ramp.entries());
    EXPECT_EQ(ParseCharRamp(noFinalBreak).ramp.entries(), ParseCharRamp(unix).ramp.entries());
}

TEST(ParseCharRamp, CommasSplitAndShiftLaterLevels) {
    const CharRamp ramp = ParseCharRamp(Cp932(QStringLiteral("黒\r\n濃,中\r\n\r\n白\r\n"))).ramp;
    EXPECT_EQ(ramp.entries(),
              (QStringList{QStringLiteral("黒"), QStringLiteral("濃"), QStringLiteral("中"),
                           QString(), QStringLiteral("白"), QString()}));
}

TEST(ParseCharRamp, EmptyFileGivesEmptyRampAndBadLinesAddNothingButAreNamed) {
    EXPECT_EQ(ParseCharRamp(QByteArray()).ramp.size(), 0);
    // 0x81 0x20 is not a CP932 character: that line is skipped whole.
    const ParsedRamp parsed = ParseCharRamp(QByteArray("a\n\x81\x20,b\nc\n\xff\n"));
    EXPECT_EQ(parsed.ramp.entries(),
              (QStringList{QStringLiteral("a"), QStringLiteral("c"), QString()}));
    EXPECT_EQ(parsed.undecodedLines, (QList<int>{2, 4}));
    EXPECT_EQ(parsed.longEntryLine, std::nullopt);
}

TEST(ParseCharRamp, NamesTheFirstLineWithAnEntryOverTheBound) {
    const QString longest(kMaxEntryLength, QChar(u'黒'));
    const QByteArray atTheBound = Cp932(longest + QStringLiteral("\r\n白\r\n"));
    EXPECT_EQ(ParseCharRamp(atTheBound).longEntryLine, std::nullopt);
    // Commas split a line into entries, each held to the bound on its own.
    const QByteArray split = Cp932(longest + u',' + longest + QStringLiteral("\r\n"));
    EXPECT_EQ(ParseCharRamp(split).longEntryLine, std::nullopt);
    const QByteArray over =
        Cp932(QStringLiteral("白\r\n") + longest + QStringLiteral("黒\r\n") + longest + u'x');
    EXPECT_EQ(ParseCharRamp(over).longEntryLine, 2);
    // Characters, not UTF-16 units: 64 characters beyond the BMP are within it.
    QString astral;
    for (int i = 0; i < kMaxEntryLength; ++i) astral += QString::fromUcs4(U"\U00020B9F", 1);
    EXPECT_EQ(ParseCharRampUtf8(astral.toUtf8()).longEntryLine, std::nullopt);
}

TEST(ParseCharRampUtf8, DropsTheByteOrderMarkAndNamesLinesThatAreNotUtf8) {
    const ParsedRamp parsed = ParseCharRampUtf8(QByteArray("\xEF\xBB\xBF黒\n\x8d\x95\n白\n"));
    EXPECT_EQ(parsed.ramp.entries(),
              (QStringList{QStringLiteral("黒"), QStringLiteral("白"), QString()}));
    EXPECT_EQ(parsed.undecodedLines, QList<int>{2});
}

TEST(Cp932, EncodeReportsTheFirstCharacterItCannotHold) {
    const Cp932Encoding ok = EncodeCp932(QStringLiteral("AB\r\n漢字"));
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(ok.bytes, QByteArray("AB\r\n\x8a\xbf\x8e\x9a"));
    const Cp932Encoding bad = EncodeCp932(QStringLiteral("漢字\r\nx€y"));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.badIndex, 5);
    EXPECT_EQ(DecodeCp932(QByteArray("\x82\xa0")), QStringLiteral("あ"));
    EXPECT_FALSE(DecodeCp932(QByteArray("\x82")).has_value());
}

}  // namespace
}  // namespace glyph
