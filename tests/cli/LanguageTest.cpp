// The converter speaks English, or Japanese in a Japanese locale.
#include <gtest/gtest.h>

#include <QHash>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ConverterProcess.h"
#include "basics/Reasons.h"
#include "cli/Console.h"
#include "cli/Language.h"

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

TEST(Language, FontconfigIsGivenEnglishForALocaleThatIsNoLanguage) {
    const auto fontconfig = [](const QHash<QByteArray, QByteArray>& variables) {
        return FontconfigLanguage([&](const char* name) { return variables.value(name); });
    };
    // As fontconfig reads them: FC_LANG, then LC_ALL, LC_CTYPE, LANG.
    for (const QByteArray garbage : {"garbage", "x", "C.garbage", "ja_JP_x", "abcd"}) {
        EXPECT_EQ(fontconfig({{"LANG", garbage}}), "en") << garbage.constData();
        EXPECT_EQ(fontconfig({{"LANG", "ja_JP.UTF-8"}, {"LC_CTYPE", garbage}}), "en");
        EXPECT_EQ(fontconfig({{"LC_ALL", garbage}, {"LC_CTYPE", "ja_JP.UTF-8"}}), "en");
        EXPECT_EQ(fontconfig({{"LANG", garbage}, {"LC_ALL", "ja_JP"}}), "");
        // The user's own choice stands.
        EXPECT_EQ(fontconfig({{"LANG", garbage}, {"FC_LANG", "ja"}}), "");
    }
    EXPECT_EQ(fontconfig({{"LANG", "garbage"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}), "en");
    for (const QByteArray tag :
         {"C", "POSIX", "C.UTF-8", "ja", "ja_JP.eucJP", "zh-TW", "sr_RS@latin", "en_US.UTF-8@euro"})
        EXPECT_EQ(fontconfig({{"LANG", tag}}), "") << tag.constData();
    EXPECT_EQ(fontconfig({}), "");
}

TEST(Language, OnlyTheConvertersMessagesReachStandardErrorWhateverTheLocale) {
    QTemporaryDir dir;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::gray);
    const QString picture = dir.filePath("p.png");
    ASSERT_TRUE(image.save(picture));
    const Ran ran = ConvertWithLocale(
        {"LANG=garbage"}, {"--fit", "--format=png", "-o", dir.filePath("art.png"), picture});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.err, QString()) << ran.err.toStdString();
}

// A locale of the system's definitions built in folder, as locale-gen would
// build it; false when the system lacks them.
bool BuildLocale(const QString& folder, const QString& name, const QString& codeset) {
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty()) return false;
    QProcess process;
    process.start(localedef, {"-i", "ja_JP", "-f", codeset, folder + '/' + name});
    return process.waitForFinished(120000) && QFile::exists(folder + '/' + name + "/LC_CTYPE");
}

TEST(Language, MessagesAreWrittenInTheLocalesCodeset) {
    QTemporaryDir dir;
    if (!BuildLocale(dir.path(), "ja_JP.EUC-JP", "EUC-JP"))
        GTEST_SKIP() << "no localedef or no ja_JP definitions";
    const QString locpath = "LOCPATH=" + dir.path();
    const Ran utf8 = ConvertWithLocale({"LANG=ja_JP.UTF-8"}, {"--help"});
    const Ran euc = ConvertWithLocale({locpath, "LANG=ja_JP.EUC-JP"}, {"--help"});
    ASSERT_EQ(euc.status, 0);
    EXPECT_EQ(euc.out, EncodeForCodeset(QString::fromUtf8(utf8.out), "EUC-JP"));
    EXPECT_TRUE(euc.out.startsWith(EncodeForCodeset(QStringLiteral("使い方:"), "EUC-JP")));

    // A usage error, and a picture's reason after its name, which keeps the
    // bytes it was given.
    const QByteArray name = "\xBC\xCC\xBF\xBF.bmp";  // 写真 in EUC-JP
    const auto standardError = [&](const QString& script) {
        QProcess shell;
        QProcessEnvironment environment;
        environment.insert("LOCPATH", dir.path());
        environment.insert("LANG", "ja_JP.EUC-JP");
        shell.setProcessEnvironment(environment);
        shell.setWorkingDirectory(dir.path());
        shell.start("/bin/sh", {"-c", script, QStringLiteral(GLYPHORAMA_CONVERT)});
        EXPECT_TRUE(shell.waitForFinished(60000));
        return shell.readAllStandardError();
    };
    EXPECT_EQ(
        standardError("exec \"$0\" --format=rtf p.bmp"),
        EncodeForCodeset(ConvertWithLocale({"LANG=ja_JP.UTF-8"}, {"--format=rtf", "p.bmp"}).err,
                         "EUC-JP"));
    EXPECT_EQ(standardError("name=$(printf '\\274\\314\\277\\277.bmp'); printf 'BM not a picture' "
                            ">\"$name\"; \"$0\" \"$name\"; rm \"$name\""),
              "glyphorama-convert: " + name + ": " +
                  EncodeForCodeset(reasons::kBmpCutShort.toString(), "EUC-JP") + '\n');
}

}  // namespace
}  // namespace glyph::cli
