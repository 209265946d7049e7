// The converter speaks English, or Japanese in a Japanese locale.
#include <gtest/gtest.h>

#include <QHash>
#include <QTemporaryDir>

#include "ConverterProcess.h"
#include "cli/Language.h"
#include "workspace/Reasons.h"

namespace glyph::cli {
namespace {

Language In(const QHash<QByteArray, QByteArray>& variables) {
    return MessagesLanguage([&](const char* name) { return variables.value(name); });
}

TEST(Language, ChosenAsTheCLibraryChoosesTheLocaleOfMessages) {
    EXPECT_EQ(In({}), Language::kEnglish);
    EXPECT_EQ(In({{"LANG", "C"}}), Language::kEnglish);
    EXPECT_EQ(In({{"LANG", "en_GB.UTF-8"}}), Language::kEnglish);
    EXPECT_EQ(In({{"LANG", "ja_JP.UTF-8"}}), Language::kJapanese);
    EXPECT_EQ(In({{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "POSIX"}}), Language::kEnglish);
    EXPECT_EQ(In({{"LANG", "C"}, {"LC_MESSAGES", "ja_JP.eucJP"}}), Language::kJapanese);
    EXPECT_EQ(In({{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}, {"LC_ALL", "C.UTF-8"}}),
              Language::kEnglish);
    EXPECT_EQ(In({{"LANG", "en_US.UTF-8"}, {"LC_ALL", "ja"}}), Language::kJapanese);
    // LANGUAGE goes first, but not in the C locale.
    EXPECT_EQ(In({{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "fr:ja:en"}}), Language::kJapanese);
    EXPECT_EQ(In({{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "en_GB:ja"}}), Language::kEnglish);
    EXPECT_EQ(In({{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "de"}}), Language::kJapanese);
    EXPECT_EQ(In({{"LC_ALL", "C"}, {"LANGUAGE", "ja"}}), Language::kEnglish);
}

TEST(Language, HelpUsageErrorsAndReasonsFollowTheLocale) {
    const QStringList english[] = {{"LANG=C"}, {"LC_ALL=en_US.UTF-8", "LANG=ja_JP.UTF-8"}};
    const QStringList japanese = {"LANG=ja_JP.UTF-8"};
    for (const QStringList& locale : english) {
        EXPECT_TRUE(
            ConvertWithLocale(locale, {"--help"}).out.startsWith("Usage: glyphorama-convert"))
            << locale.join(' ').toStdString();
    }
    EXPECT_TRUE(QString::fromUtf8(ConvertWithLocale(japanese, {"--help"}).out)
                    .startsWith(QStringLiteral("使い方: glyphorama-convert [オプション]")));

    const QStringList badFormat = {"--format=rtf", "p.bmp"};
    EXPECT_EQ(ConvertWithLocale(english[1], badFormat).err,
              "glyphorama-convert: unknown --format 'rtf' (text, cp932, html, ansi, png or svg)\n"
              "Try 'glyphorama-convert --help' for more information.\n");
    EXPECT_EQ(
        ConvertWithLocale(japanese, badFormat).err,
        QStringLiteral(
            "glyphorama-convert: --format の 'rtf' は使えません（text、cp932、html、ansi、png、svg "
            "のいずれか）\n詳しくは 'glyphorama-convert --help' "
            "を実行してください。\n"));

    // A damaged picture: in Japanese, the window's very words.
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.bmp");
    WriteAll(junk, "BM not a picture");
    const Ran inEnglish = ConvertWithLocale(english[0], {junk});
    EXPECT_EQ(inEnglish.status, 1);
    EXPECT_EQ(inEnglish.err,
              "glyphorama-convert: " + junk + ": the file ends inside the BMP header\n");
    EXPECT_EQ(ConvertWithLocale(japanese, {junk}).err,
              "glyphorama-convert: " + junk + ": " + reasons::kBmpCutShort.toString() + '\n');
}

TEST(Language, AFontIsFoundByItsOtherNamesInAJapaneseLocale) {
    // There IPAGothic is listed as IPAゴシック.
    const QStringList report = {"--ramp-report", "--font", "IPAGothic", "--size", "16"};
    EXPECT_EQ(ConvertWithLocale({"LANG=ja_JP.UTF-8"}, report).status, 0);
    EXPECT_EQ(
        ConvertWithLocale({"LANG=ja_JP.UTF-8"}, {"--ramp-report", "--font", "NoSuchFont"}).status,
        2);
}

}  // namespace
}  // namespace glyph::cli
