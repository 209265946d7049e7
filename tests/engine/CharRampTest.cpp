#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <QFile>

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

TEST(RampLookup, ShortRampBorrowsMissingLevelsAndOutOfRangeThrows) {
    const CharRamp ramp(QStringList{QStringLiteral("a"), QString()});
    EXPECT_EQ(ramp.CharForLevel(0), QStringLiteral("a"));
    EXPECT_EQ(ramp.CharForLevel(1), QString());
    EXPECT_EQ(ramp.CharForLevel(2), CharRamp::BuiltIn().CharForLevel(2));
    EXPECT_EQ(ramp.CharForLevel(255), QStringLiteral("八"));
    EXPECT_THROW(ramp.CharForLevel(256), std::out_of_range);
    EXPECT_THROW(ramp.CharForLevel(-1), std::out_of_range);
    EXPECT_THROW(CharRamp().CharForLevel(256), std::out_of_range);
}

TEST(ParseCharRamp, OneEntryPerLineThenOneEmptyEntry) {
    const CharRamp ramp = ParseCharRamp(BuiltInLines("\r\n"));
    ASSERT_EQ(ramp.size(), 257);
    EXPECT_EQ(ramp.entries().mid(0, 256), CharRamp::BuiltIn().entries());
    EXPECT_EQ(ramp.entries().last(), QString());
}

TEST(ParseCharRamp, LineEndsAndALastLineWithoutOne) {
    const QByteArray unix = BuiltInLines("\n");
    QByteArray noFinalBreak = unix;
    noFinalBreak.chop(1);
    EXPECT_EQ(ParseCharRamp(unix).entries(), ParseCharRamp(BuiltInLines("\r\n")).entries());
    EXPECT_EQ(ParseCharRamp(noFinalBreak).entries(), ParseCharRamp(unix).entries());
}

TEST(ParseCharRamp, CommasSplitAndShiftLaterLevels) {
    const CharRamp ramp = ParseCharRamp(Cp932(QStringLiteral("黒\r\n濃,中\r\n\r\n白\r\n")));
    EXPECT_EQ(ramp.entries(),
              (QStringList{QStringLiteral("黒"), QStringLiteral("濃"), QStringLiteral("中"),
                           QString(), QStringLiteral("白"), QString()}));
}

TEST(ParseCharRamp, EmptyFileGivesEmptyRampAndBadLinesAddNothing) {
    EXPECT_EQ(ParseCharRamp(QByteArray()).size(), 0);
    // 0x81 0x20 is not a CP932 character: that line is skipped whole.
    const CharRamp ramp = ParseCharRamp(QByteArray("a\n\x81\x20,b\nc\n"));
    EXPECT_EQ(ramp.entries(), (QStringList{QStringLiteral("a"), QStringLiteral("c"), QString()}));
}

TEST(LoadCharRamp, ReadsMojiTxtOrFallsBackToTheBuiltInList) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("moji.txt"));
    EXPECT_EQ(LoadCharRamp(path).entries(), CharRamp::BuiltIn().entries());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Cp932(QStringLiteral("■\r\n□\r\n")));
    file.close();
    const CharRamp ramp = LoadCharRamp(path);
    EXPECT_EQ(ramp.size(), 3);
    EXPECT_EQ(ramp.CharForLevel(1), QStringLiteral("□"));
    EXPECT_EQ(ramp.CharForLevel(3), CharRamp::BuiltIn().CharForLevel(3));

    // A folder of that name cannot be opened as a file.
    QTemporaryDir other;
    ASSERT_TRUE(QDir(other.path()).mkdir(QStringLiteral("moji.txt")));
    EXPECT_EQ(LoadCharRamp(other.filePath(QStringLiteral("moji.txt"))).size(), 256);
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
