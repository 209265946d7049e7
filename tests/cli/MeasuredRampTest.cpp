// Where the converter's ramp comes from without --ramp: the user's folders.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>

#include "ConverterProcess.h"
#include "engine/Cp932.h"

namespace glyph::cli {
namespace {

// 256 lines of one character: a whole ramp, as a moji.txt is written.
QByteArray RampOf(const QString& character) {
    QString text;
    for (int i = 0; i < 256; ++i) text += character + QStringLiteral("\r\n");
    return EncodeCp932(text).bytes;
}

class MeasuredRamp : public ::testing::Test {
  protected:
    void SetUp() override {
        QImage image(240, 160, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, (x + y) / 2));
        }
        ASSERT_TRUE(image.save(picture_));
        WriteBuiltInRamp(builtIn_);
    }
    // The converter with its user folders (and home) under `home`.
    Ran ConvertIn(const QString& home, const QStringList& arguments) {
        const QByteArray root = home.toLocal8Bit();
        return Convert(arguments, [root] {
            setenv("HOME", root.constData(), 1);
            setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
            setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
        });
    }
    Ran ConvertIn(const QStringList& arguments) { return ConvertIn(dir_.path(), arguments); }
    QStringList Kept() const {
        return QDir(dir_.filePath("cache/glyphorama")).entryList({"ramp-*.txt"}, QDir::Files);
    }
    QString KeptPath() const { return dir_.filePath("cache/glyphorama/" + Kept().value(0)); }

    QTemporaryDir dir_;
    const QString picture_ = dir_.filePath("picture.png");
    const QString builtIn_ = dir_.filePath("built-in.txt");
};

TEST_F(MeasuredRamp, ReducedArtTakesTheFontsRampMeasuredOnceWhileTheBlockKeepsTheBuiltIn) {
    const Ran block = ConvertIn({picture_});
    ASSERT_EQ(block.status, 0) << block.err.toStdString();
    EXPECT_EQ(block.out, ConvertIn({"--ramp=" + builtIn_, picture_}).out);
    EXPECT_TRUE(Kept().isEmpty()) << "the block measures nothing";

    const Ran fitted = ConvertIn({"--fit", picture_});
    ASSERT_EQ(fitted.status, 0) << fitted.err.toStdString();
    EXPECT_TRUE(fitted.err.isEmpty()) << fitted.err.toStdString();
    EXPECT_NE(fitted.out, ConvertIn({"--fit", "--ramp=" + builtIn_, picture_}).out);
    ASSERT_EQ(Kept().size(), 1);
    const QByteArray kept = ReadAll(KeptPath());
    EXPECT_EQ(kept.count("\r\n"), 256);
    // The kept ramp is the converter's: given as a file it makes the same art.
    EXPECT_EQ(ConvertIn({"--fit", "--ramp=" + KeptPath(), picture_}).out, fitted.out);

    // Read again, not measured again.
    const QDateTime written = QFileInfo(KeptPath()).lastModified();
    EXPECT_EQ(ConvertIn({"--crop=10,10,200,100", picture_}).status, 0);
    EXPECT_EQ(ConvertIn({"--fit", picture_}).out, fitted.out);
    EXPECT_EQ(QFileInfo(KeptPath()).lastModified(), written);
    EXPECT_EQ(Kept().size(), 1);
}

// Only the program's own ramp, as it wrote it, is used: one planted, reordered
// or changed by a bit would change the art without a word.
TEST_F(MeasuredRamp, AKeptRampIsTrustedOnlyAsItWasWrittenAndElseMeasuredAgain) {
    const QByteArray measured = ConvertIn({"--fit", picture_}).out;
    ASSERT_EQ(Kept().size(), 1);
    const QByteArray kept = ReadAll(KeptPath());
    EXPECT_EQ(ConvertIn({"--fit", picture_}).out, measured);

    QList<QByteArray> lines = kept.split('\n');
    lines.removeLast();
    std::reverse(lines.begin(), lines.end());
    QByteArray flipped = kept;
    flipped[1] = char(flipped[1] ^ 0x01);
    for (const QByteArray& damaged :
         {RampOf(QStringLiteral("■")), lines.join('\n') + '\n', flipped,
          RampOf(QStringLiteral("■")).left(40), QByteArray("\x81\x20\r\n").repeated(256),
          RampOf(QStringLiteral("■")) + "\x82\xa0\r\n"}) {
        ASSERT_NE(damaged, kept);
        WriteAll(KeptPath(), damaged);
        const Ran again = ConvertIn({"--fit", picture_});
        EXPECT_EQ(again.status, 0);
        EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
        EXPECT_EQ(again.out, measured);
        EXPECT_EQ(ReadAll(KeptPath()), kept);
    }
}

// A kept ramp is found without starting the fonts: the platform plugin that
// starts them is never loaded, as the dynamic loader tells. A damaged one
// starts them, and is measured again.
TEST_F(MeasuredRamp, AKeptRampIsFoundWithoutStartingTheFontsAndADamagedOneIsMeasuredAgain) {
    const QByteArray measured = ConvertIn({"--fit", picture_}).out;
    ASSERT_EQ(Kept().size(), 1);
    const QByteArray kept = ReadAll(KeptPath());
    // What the loader loaded in a run, platform plugins among it.
    const auto loaded = [this](const QStringList& arguments, QByteArray* out) {
        const QString log = dir_.filePath("loader");
        for (const QString& old : QDir(dir_.path()).entryList({"loader.*"}))
            QFile::remove(dir_.filePath(old));
        const QByteArray root = dir_.path().toLocal8Bit();
        const QByteArray into = log.toLocal8Bit();
        const Ran ran = Convert(arguments, [root, into] {
            setenv("HOME", root.constData(), 1);
            setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
            setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
            setenv("LD_DEBUG", "files", 1);
            setenv("LD_DEBUG_OUTPUT", into.constData(), 1);
        });
        // The child may share this process's memory until it runs the
        // converter (vfork), and so its environment.
        unsetenv("LD_DEBUG");
        unsetenv("LD_DEBUG_OUTPUT");
        EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
        *out = ran.out;
        QByteArray files;
        for (const QString& name : QDir(dir_.path()).entryList({"loader.*"}))
            files += ReadAll(dir_.filePath(name));
        return files;
    };
    QByteArray out;
    const QByteArray found = loaded({"--fit", picture_}, &out);
    EXPECT_EQ(out, measured);
    ASSERT_TRUE(found.contains("libjpeg")) << "the loader's log is read";
    EXPECT_FALSE(found.contains("platforms/")) << "no platform plugin, so no fonts";
    EXPECT_EQ(ReadAll(KeptPath()), kept);

    QByteArray damaged = kept;
    damaged[7] = char(damaged[7] ^ 0x01);
    WriteAll(KeptPath(), damaged);
    EXPECT_TRUE(loaded({"--fit", picture_}, &out).contains("platforms/"));
    EXPECT_EQ(out, measured);
    EXPECT_EQ(ReadAll(KeptPath()), kept);
}

// A relative XDG folder is ignored: the folder a run starts in does not
// change the art, and nothing is kept there.
TEST_F(MeasuredRamp, RelativeUserFoldersAreIgnoredForTheHomesOwn) {
    const QByteArray measured = ConvertIn({"--fit", picture_}).out;
    const QString work = dir_.filePath("work");
    QDir().mkpath(work + "/rel/glyphorama");
    WriteAll(work + "/rel/glyphorama/moji.txt", RampOf(QStringLiteral("■")));
    const QByteArray home = dir_.filePath("home").toLocal8Bit();
    const QByteArray into = work.toLocal8Bit();
    const Ran ran = Convert({"--fit", picture_}, [home, into] {
        setenv("HOME", home.constData(), 1);
        setenv("XDG_CONFIG_HOME", "rel", 1);
        setenv("XDG_CACHE_HOME", "rel", 1);
        if (chdir(into.constData()) != 0) _exit(99);
    });
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    EXPECT_EQ(ran.out, measured);
    EXPECT_EQ(QDir(work + "/rel/glyphorama").entryList(QDir::Files), QStringList{"moji.txt"});
    EXPECT_EQ(QDir(dir_.filePath("home/.cache/glyphorama")).entryList({"ramp-*.txt"}), Kept());
}

TEST_F(MeasuredRamp, AMojiTxtOfTheUsersServesEveryModeAndNothingIsMeasured) {
    QDir().mkpath(dir_.filePath("config/glyphorama"));
    WriteAll(dir_.filePath("config/glyphorama/moji.txt"), RampOf(QStringLiteral("■")));
    for (const QStringList& arguments : {QStringList{picture_}, QStringList{"--fit", picture_}}) {
        const Ran ran = ConvertIn(arguments);
        EXPECT_EQ(ran.status, 0);
        EXPECT_EQ(QString::fromUtf8(ran.out).remove(u'■').remove(u'\n'), QString());
    }
    EXPECT_TRUE(Kept().isEmpty());
}

TEST_F(MeasuredRamp, WithNoFolderToKeepItInTheRampIsMeasuredEachTime) {
    const QByteArray measured = ConvertIn({"--fit", picture_}).out;
    // A regular file where the folders would be: no one can make them.
    const QString blocked = dir_.filePath("blocked");
    WriteAll(blocked, "not a folder");
    for (int run = 0; run < 2; ++run) {
        const Ran ran = ConvertIn(blocked, {"--fit", picture_});
        EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
        EXPECT_TRUE(ran.err.isEmpty()) << ran.err.toStdString();
        EXPECT_EQ(ran.out, measured);
    }
    EXPECT_EQ(ReadAll(blocked), "not a folder");
}

}  // namespace
}  // namespace glyph::cli
