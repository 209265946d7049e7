#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "basics/Reasons.h"
#include "engine/Cp932.h"
#include "files/NativePath.h"
#include "glyphs/RampFile.h"

namespace glyph {
namespace {

using namespace std::chrono_literals;

QByteArray Cp932(const QString& text) { return EncodeCp932(text).bytes; }

// 256 lines of one character each: a whole ramp, no notes.
QByteArray FullRamp(const QString& character) {
    QString text;
    for (int i = 0; i < 256; ++i) text += character + QStringLiteral("\r\n");
    return Cp932(text);
}

class RampFiles : public ::testing::Test {
  protected:
    QString Write(const QByteArray& bytes) {
        QFile file(path_);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path_;
    }
    QTemporaryDir dir_;
    const QString path_ = dir_.filePath("moji.txt");
};

TEST_F(RampFiles, TheWindowsMojiTxtOrTheBuiltInRampWithoutAWord) {
    const LoadedRamp missing = LoadCharRamp(path_);
    EXPECT_EQ(missing.ramp.entries(), CharRamp::BuiltIn().entries());
    EXPECT_TRUE(missing.notes.isEmpty());

    const LoadedRamp full = LoadCharRamp(Write(FullRamp(QStringLiteral("■"))));
    EXPECT_EQ(full.ramp.CharForLevel(200), QStringLiteral("■"));
    EXPECT_TRUE(full.notes.isEmpty());

    // A short one is used, and the note says how much of it there was.
    const LoadedRamp shortRamp = LoadCharRamp(Write(Cp932(QStringLiteral("■\r\n□\r\n"))));
    EXPECT_EQ(shortRamp.ramp.size(), 3);
    EXPECT_EQ(shortRamp.notes, QStringList{reasons::kRampShort.arg("moji.txt").arg(3)});
}

TEST_F(RampFiles, LinesThatDoNotDecodeAreNamedAndTheRampIsStillUsed) {
    QByteArray bytes = FullRamp(QStringLiteral("■"));
    bytes.replace(0, 2, "\x81\x20");  // line 1 is no longer CP932
    const LoadedRamp loaded = LoadCharRamp(Write(bytes));
    EXPECT_EQ(loaded.ramp.size(), 256);
    ASSERT_EQ(loaded.notes.size(), 1);
    EXPECT_TRUE(loaded.notes[0].endsWith(QStringLiteral(": 1"))) << loaded.notes[0].toStdString();

    // Many such lines: the first few are named, the rest counted.
    QByteArray many;
    for (int i = 0; i < 40; ++i) many += "\xff\r\n";
    const Result<LoadedRamp> read = ReadRampFile(Write(many), RampEncoding::kCp932);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(
        read->notes[0].endsWith(QStringLiteral("1, 2, 3, 4, 5") + reasons::kRampMoreLines.arg(35)));
}

TEST_F(RampFiles, AByteOrderMarkBeforeCp932IsNamedNotSilentlyEmpty) {
    const QByteArray bytes = "\xEF\xBB\xBF" + FullRamp(QStringLiteral("■"));
    const Result<LoadedRamp> read = ReadRampFile(Write(bytes), RampEncoding::kCp932OrUtf8);
    ASSERT_TRUE(read.ok());
    ASSERT_FALSE(read->notes.isEmpty());
    EXPECT_TRUE(read->notes[0].startsWith(reasons::kRampBomNotUtf8.section(u'%', 0, 0)));
    // A real UTF-8 ramp says nothing.
    QByteArray utf8 = "\xEF\xBB\xBF";
    for (int i = 0; i < 256; ++i) utf8 += "€\n";
    const Result<LoadedRamp> fine = ReadRampFile(Write(utf8), RampEncoding::kCp932OrUtf8);
    ASSERT_TRUE(fine.ok());
    EXPECT_TRUE(fine->notes.isEmpty());
    EXPECT_EQ(fine->ramp.CharForLevel(9), QStringLiteral("€"));
}

TEST_F(RampFiles, AnOverlongEntryOrAHugeFileIsRefusedAndTheWindowFallsBack) {
    // One line of half a million kanji would make an art of billions of characters.
    const Result<LoadedRamp> oneLine =
        ReadRampFile(Write(Cp932(QString(500'000, QChar(u'黒')))), RampEncoding::kCp932);
    ASSERT_FALSE(oneLine.ok());
    EXPECT_EQ(oneLine.error().reason,
              reasons::kRampEntryTooLong.arg("moji.txt").arg(1).arg(kMaxEntryLength));
    Write(QByteArray(kMaxRampFileBytes + 1, 'a'));
    const Result<LoadedRamp> tooLarge = ReadRampFile(path_, RampEncoding::kCp932);
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_EQ(tooLarge.error().reason,
              reasons::kRampTooLarge.arg("moji.txt").arg(kMaxRampFileBytes));
    const LoadedRamp window = LoadCharRamp(path_);
    EXPECT_EQ(window.ramp.entries(), CharRamp::BuiltIn().entries());
    EXPECT_EQ(window.notes, QStringList{reasons::kRampRefused.arg(tooLarge.error().reason)});

    const QByteArray longLine =
        FullRamp(QStringLiteral("■")) + Cp932(QString(kMaxEntryLength + 1, QChar(u'黒')));
    const Result<LoadedRamp> refused = ReadRampFile(Write(longLine), RampEncoding::kCp932);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().reason,
              reasons::kRampEntryTooLong.arg("moji.txt").arg(257).arg(kMaxEntryLength));
}

TEST_F(RampFiles, AFifoIsNeverOpenedAndAFolderIsNotARamp) {
    ASSERT_EQ(mkfifo(NativePath(path_).constData(), 0644), 0);
    auto loading = std::async(std::launch::async, [&] { return LoadCharRamp(path_); });
    ASSERT_EQ(loading.wait_for(10s), std::future_status::ready);
    const LoadedRamp loaded = loading.get();
    EXPECT_EQ(loaded.ramp.entries(), CharRamp::BuiltIn().entries());
    EXPECT_EQ(loaded.notes.size(), 1);

    QTemporaryDir other;
    ASSERT_TRUE(QDir(other.path()).mkdir("moji.txt"));
    EXPECT_EQ(LoadCharRamp(other.filePath("moji.txt")).ramp.size(), 256);
}

}  // namespace
}  // namespace glyph
