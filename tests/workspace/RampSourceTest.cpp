#include "glyphs/RampSource.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

#include "document/Document.h"
#include "engine/Cp932.h"

namespace glyph {
namespace {

// Points an XDG variable at a folder for one test, and puts it back after.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const QString& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name_, value.toUtf8());
    }
    ~ScopedVariable() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// 256 lines of one character: a whole ramp.
QByteArray RampOf(const QString& character) {
    QString text;
    for (int i = 0; i < 256; ++i) text += character + QStringLiteral("\r\n");
    return EncodeCp932(text).bytes;
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class RampSources : public ::testing::Test {
  protected:
    QTemporaryDir dir_;
    ScopedVariable config_{"XDG_CONFIG_HOME", dir_.filePath("config")};
    ScopedVariable cache_{"XDG_CACHE_HOME", dir_.filePath("cache")};
    const QString program_ = dir_.filePath("program/moji.txt");
    const QString user_ = dir_.filePath("config/glyphorama/moji.txt");
};

TEST_F(RampSources, TheProgramsFolderComesFirstThenTheUsersThenTheBuiltInAndMeasuredRamps) {
    EXPECT_EQ(UserMojiTxt(), user_);

    const ArtRamps neither = LoadArtRamps(program_);
    EXPECT_TRUE(FindMojiTxt(program_).isEmpty());
    EXPECT_EQ(neither.loaded.ramp.entries(), CharRamp::BuiltIn().entries());
    EXPECT_TRUE(neither.loaded.notes.isEmpty());
    EXPECT_TRUE(neither.measured);

    Write(user_, RampOf(QStringLiteral("□")));
    const ArtRamps user = LoadArtRamps(program_);
    EXPECT_EQ(FindMojiTxt(program_), user_);
    EXPECT_EQ(user.loaded.ramp.CharForLevel(0), QStringLiteral("□"));
    EXPECT_FALSE(user.measured) << "the user's moji.txt serves the reduced art too";

    Write(program_, RampOf(QStringLiteral("■")));
    const ArtRamps program = LoadArtRamps(program_);
    EXPECT_EQ(FindMojiTxt(program_), program_);
    EXPECT_EQ(program.loaded.ramp.CharForLevel(0), QStringLiteral("■"));
    EXPECT_FALSE(program.measured);
}

TEST_F(RampSources, ARefusedMojiTxtOfTheUsersGivesTheBuiltInRampAndSaysWhy) {
    Write(user_, EncodeCp932(QString(100, QChar(u'■')) + QStringLiteral("\r\n")).bytes);
    const ArtRamps refused = LoadArtRamps(program_);
    EXPECT_EQ(refused.loaded.ramp.entries(), CharRamp::BuiltIn().entries());
    EXPECT_EQ(refused.loaded.notes.size(), 1);
    EXPECT_FALSE(refused.measured) << "a moji.txt was given";
}

TEST_F(RampSources, TheMeasuredRampIsKeptInTheCacheFolderOneFilePerFontAndSize) {
    // The name holds the font file's identity, read through Qt's fonts.
    static int argc = 1;
    static char name[] = "workspace_tests";
    static char* argv[] = {name, nullptr};
    const std::unique_ptr<QGuiApplication> app(
        QCoreApplication::instance() != nullptr ? nullptr : new QGuiApplication(argc, argv));
    const QString ipa = MeasuredRampPath({QStringLiteral("IPAGothic"), 16});
    EXPECT_TRUE(ipa.startsWith(dir_.filePath("cache/glyphorama/ramp-IPAGothic-16-")));
    EXPECT_TRUE(ipa.endsWith(QStringLiteral(".txt")));
    EXPECT_NE(MeasuredRampPath({QStringLiteral("IPAGothic"), 17}), ipa);
    // Families that differ only where the name is made safe still differ.
    const QString spaced = MeasuredRampPath({QStringLiteral("Noto Sans/CJK"), 16});
    EXPECT_FALSE(QFileInfo(spaced).fileName().contains(u'/'));
    EXPECT_NE(spaced, MeasuredRampPath({QStringLiteral("Noto_Sans_CJK"), 16}));
}

// A request's key is known without the fonts: it follows the font file asked
// for and what fontconfig would find.
TEST_F(RampSources, ARequestsKeyChangesWithItsFontFileAndWithTheFontsInstalled) {
    ScopedVariable data("XDG_DATA_HOME", dir_.filePath("data"));
    const QString font = dir_.filePath("font.ttf");
    Write(font, QByteArray(4096, 'a'));
    const FontRequest byFile{font, 16};
    const QString key = FontRequestKey(byFile);
    EXPECT_EQ(FontRequestKey(byFile), key);
    EXPECT_NE(FontRequestKey({font, 17}), key);
    EXPECT_TRUE(key.startsWith(QStringLiteral("font.ttf-16-")));

    // Rewritten in place, even with the same size and modification time: its
    // status-change time moves.
    const QDateTime modified = QFileInfo(font).lastModified();
    QThread::msleep(20);
    Write(font, QByteArray(4096, 'b'));
    QFile same(font);
    ASSERT_TRUE(same.open(QIODevice::ReadWrite));
    ASSERT_TRUE(same.setFileTime(modified, QFileDevice::FileModificationTime));
    same.close();
    const QString rewritten = FontRequestKey(byFile);
    EXPECT_NE(rewritten, key);
    // Another file put in its place.
    QThread::msleep(20);
    const QString other = dir_.filePath("other.ttf");
    Write(other, QByteArray(4096, 'b'));
    ASSERT_TRUE(QFile::remove(font) && QFile::rename(other, font));
    EXPECT_NE(FontRequestKey(byFile), rewritten);

    // A family's key moves when a font is installed where fontconfig looks,
    // or when its language changes.
    const QString family = FontRequestKey({QStringLiteral("IPAGothic"), 16});
    QThread::msleep(20);
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("data/fonts/new")));
    const QString installed = FontRequestKey({QStringLiteral("IPAGothic"), 16});
    EXPECT_NE(installed, family);
    QThread::msleep(20);
    Write(dir_.filePath("data/fonts/new/added.ttf"), "font");
    EXPECT_NE(FontRequestKey({QStringLiteral("IPAGothic"), 16}), installed);
    {
        ScopedVariable language("FC_LANG", QStringLiteral("ko"));
        EXPECT_NE(FontRequestKey({QStringLiteral("IPAGothic"), 16}), installed);
    }
}

// The measured ramp is found again by the request alone, as long as the font
// file and the kept files are as they were written.
TEST_F(RampSources, AKeptRampIsFoundByItsRequestUntilItsFontOrItsFilesChange) {
    static int argc = 1;
    static char name[] = "workspace_tests";
    static char* argv[] = {name, nullptr};
    const std::unique_ptr<QGuiApplication> app(
        QCoreApplication::instance() != nullptr ? nullptr : new QGuiApplication(argc, argv));
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    const QString font = dir_.filePath("gothic.ttf");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"), font));
    const FontRequest request{font, 12};
    EXPECT_FALSE(KeptRampFor(request));
    const Result<ArtFont> resolved = ResolveArtFont(request.family, request.pixelSize);
    ASSERT_TRUE(resolved.ok());
    const CharRamp measured = MeasuredRamp(*resolved, request);
    const std::optional<CharRamp> kept = KeptRampFor(request);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->entries(), measured.entries());

    const QStringList notes = QDir(dir_.filePath("cache/glyphorama")).entryList({"ramp-note-*"});
    ASSERT_EQ(notes.size(), 1);
    const QString note = dir_.filePath("cache/glyphorama/" + notes[0]);
    const QString ramp = MeasuredRampPath(*resolved);
    for (const QString& damaged : {ramp, ramp + ".sum", note}) {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QByteArray flipped = bytes;
        flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x01);
        Write(damaged, flipped);
        EXPECT_FALSE(KeptRampFor(request)) << damaged.toStdString();
        Write(damaged, bytes);
        EXPECT_TRUE(KeptRampFor(request)) << damaged.toStdString();
    }
    // A week-old note is checked against the fonts again.
    QFile aged(note);
    ASSERT_TRUE(aged.open(QIODevice::ReadWrite));
    ASSERT_TRUE(aged.setFileTime(QDateTime::currentDateTime().addDays(-8),
                                 QFileDevice::FileModificationTime));
    aged.close();
    EXPECT_FALSE(KeptRampFor(request));
    (void)MeasuredRamp(*resolved, request);
    EXPECT_TRUE(KeptRampFor(request));

    // The font file replaced: its kept ramp is no longer the request's.
    QThread::msleep(20);
    QFile::remove(font);
    ASSERT_TRUE(
        QFile::copy(QStringLiteral("/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"), font));
    EXPECT_FALSE(KeptRampFor(request));
}

TEST(DocumentRamps, TheBlockKeepsItsRampAndTheReducedArtAsksForItsOwnOnceWhenFirstUsed) {
    QTemporaryDir dir;
    const QString path = dir.filePath("gray.png");
    QImage gray(40, 30, QImage::Format_RGB32);
    gray.fill(qRgb(128, 128, 128));
    ASSERT_TRUE(gray.save(path));

    int asked = 0;
    Document document(CharRamp::BuiltIn(), [&asked] {
        ++asked;
        return ParseCharRamp(RampOf(QStringLiteral("■"))).ramp;
    });
    ASSERT_TRUE(document.Open(path).ok());
    EXPECT_EQ(asked, 0);
    const QString block = document.text();
    EXPECT_FALSE(block.contains(u'■'));

    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    ASSERT_TRUE(document.Open(path, whole).ok());
    Framing rectangle;
    rectangle.mode = Framing::Mode::kRectangle;
    rectangle.rectangle = QRect(5, 5, 20, 10);
    ASSERT_TRUE(document.Open(path, rectangle).ok());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QString(document.text()).remove(QStringLiteral("\r\n")),
              QString(20 * 10, QChar(u'■')));

    ASSERT_TRUE(document.Open(path).ok());
    EXPECT_EQ(document.text(), block) << "the block's text as before";
}

}  // namespace
}  // namespace glyph
