// The art's font: a font file drawn from that file and kept apart from any
// installed font of its family, and fonts too poor in kanji for the art.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRawFont>
#include <QTemporaryDir>

#include "ConverterProcess.h"
#include "WithFonts.h"
#include "glyphs/FontFile.h"
#include "glyphs/GlyphMeter.h"
#include "glyphs/RampSource.h"
#include "glyphs/ShapeSource.h"

namespace glyph::cli {
namespace {

const QString kMincho = QStringLiteral("/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf");
const QString kGothic = QStringLiteral("IPAGothic");

class ArtFonts : public WithFonts {
  protected:
    void SetUp() override {
        if (!QFile::exists(kMincho)) GTEST_SKIP() << "needs fonts-ipafont-mincho";
        QImage image(160, 120, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, (x * y) % 256));
        }
        ASSERT_TRUE(image.save(picture_));
    }
    // IPAMincho whose family says IPAGothic: same length, so only bytes change.
    QString Liar() {
        QFile file(kMincho);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        const auto wide = [](const char* text) {
            const QString name = QString::fromLatin1(text);
            QByteArray big;
            for (const QChar c : name) big += '\0', big += char(c.unicode());
            return big;
        };
        bytes.replace("IPAMincho", "IPAGothic").replace(wide("IPAMincho"), wide("IPAGothic"));
        const QString path = dir_.filePath("liar.ttf");
        WriteAll(path, bytes);
        return path;
    }
    Ran ConvertIn(const QStringList& arguments) {
        const QByteArray cache = dir_.filePath("cache").toLocal8Bit();
        return Convert(arguments, [cache] { setenv("XDG_CACHE_HOME", cache.constData(), 1); });
    }
    QTemporaryDir dir_;
    const QString picture_ = dir_.filePath("picture.png");
};

TEST_F(ArtFonts, AFontFileIsDrawnFromItselfWhateverFamilyItClaims) {
    const Result<ArtFont> liar = ResolveArtFont(Liar(), 16);
    const Result<ArtFont> mincho = ResolveArtFont(kMincho, 16);
    const Result<ArtFont> gothic = ResolveArtFont(kGothic, 16);
    ASSERT_TRUE(liar && mincho && gothic);
    EXPECT_EQ(liar->family, kGothic) << "named as it names itself";
    const QImage drawn = GlyphMeter(*liar).Draw(QStringLiteral("永"));
    EXPECT_EQ(drawn, GlyphMeter(*mincho).Draw(QStringLiteral("永")));
    EXPECT_NE(drawn, GlyphMeter(*gothic).Draw(QStringLiteral("永")));

    // Every measurement kept for it is its own.
    EXPECT_NE(FontIdentity(*liar), FontIdentity(*gothic));
    EXPECT_NE(MeasuredRampPath(*liar), MeasuredRampPath(*gothic));
    EXPECT_NE(ShapesPath(*liar, Match::kKanjiShapes), ShapesPath(*gothic, Match::kKanjiShapes));
}

TEST_F(ArtFonts, TheConverterKeepsAFileFontsRampApartFromTheInstalledFamilys) {
    const auto art = [this](const QString& font, const QString& out) {
        return QStringList{"--fit",  "--format=png", "--size=16",       "--font=" + font,
                           picture_, "-o",           dir_.filePath(out)};
    };
    const Ran fresh = ConvertIn(art(kGothic, "g1.png"));
    ASSERT_EQ(fresh.status, 0) << fresh.err.toStdString();
    QDir(dir_.filePath("cache")).removeRecursively();

    const Ran lying = ConvertIn(art(Liar(), "l.png"));
    ASSERT_EQ(lying.status, 0) << lying.err.toStdString();
    const Ran after = ConvertIn(art(kGothic, "g2.png"));
    ASSERT_EQ(after.status, 0) << after.err.toStdString();
    EXPECT_EQ(ReadAll(dir_.filePath("g2.png")), ReadAll(dir_.filePath("g1.png")))
        << "the installed font's art took the file's ramp";
    EXPECT_NE(ReadAll(dir_.filePath("l.png")), ReadAll(dir_.filePath("g1.png")));
}

TEST_F(ArtFonts, AFontWithoutKanjiIsRefusedRatherThanDrawingBlanks) {
    const Result<ArtFont> latin = ResolveArtFont(QStringLiteral("DejaVu Sans"), 16);
    if (!latin) GTEST_SKIP() << "needs fonts-dejavu-core";
    EXPECT_EQ(KanjiHeld(*latin), 0);
    EXPECT_GT(KanjiHeld(*ResolveArtFont(kGothic, 16)), 256);

    for (const QStringList& options :
         {QStringList{"--match=shape"}, QStringList{"--match=shape", "--format=png"},
          QStringList{"--format=png"}, QStringList{"--format=html"}}) {
        const Ran ran = ConvertIn(
            QStringList{"--fit", "--font=DejaVu Sans", picture_, "-o", dir_.filePath("out")} +
            options);
        EXPECT_EQ(ran.status, 2) << options.join(' ').toStdString();
        EXPECT_TRUE(ran.err.contains("'DejaVu Sans'") && ran.err.contains("kanji"))
            << ran.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir_.filePath("out")));
    }
    // A ramp given, the font draws nothing of its own: not refused for that.
    const Ran given = ConvertIn({"--fit", "--format=html", "--font=DejaVu Sans",
                                 "--ramp=" + WriteBuiltInRamp(dir_.filePath("r.txt")), picture_});
    EXPECT_FALSE(given.err.contains("kanji")) << given.err.toStdString();
}

TEST_F(ArtFonts, ARenamedFontKeepsItsGlyphsAndAnythingElseIsNotRenamed) {
    QFile file(kMincho);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    const QByteArray renamed = RenamedFont(original, QStringLiteral("Glyphorama-test"));
    ASSERT_FALSE(renamed.isEmpty());
    const QRawFont before(original, 16);
    const QRawFont after(renamed, 16);
    EXPECT_EQ(after.familyName(), QStringLiteral("Glyphorama-test"));
    EXPECT_EQ(after.fontTable("glyf"), before.fontTable("glyf"));
    EXPECT_EQ(after.fontTable("cmap"), before.fontTable("cmap"));

    for (const QByteArray& junk :
         {QByteArray(), QByteArray("not a font"), original.left(200), QByteArray(64, '\xff')})
        EXPECT_TRUE(RenamedFont(junk, QStringLiteral("x")).isEmpty());
}

}  // namespace
}  // namespace glyph::cli
