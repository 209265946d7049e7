#include "glyphs/GlyphMeter.h"

#include <QCryptographicHash>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>

#ifdef GLYPHORAMA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include "basics/Reasons.h"
#include "engine/Cp932.h"
#include "engine/Levels.h"
#include "files/FileAccess.h"
#include "glyphs/FontFile.h"
#include "glyphs/GlyphSet.h"

namespace glyph {

namespace {

constexpr int kEvennessGrid = 4;  // the cell in 4 x 4 parts
constexpr double kWhite = 255.0;
// Larger than any font file, CJK collections included.
constexpr qint64 kMostFontFileBytes = 256 << 20;
constexpr int kIdentityDigits = 12;

// The family Qt draws a kanji in with this font: the font itself, or the
// fallback it merges in.
QString KanjiFamily(const QFont& font) {
    QTextLayout layout(kSampleKanji, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QFontInfo(font).family() : runs.first().rawFont().familyName();
}

// Whether the system has the family. Qt lists a font under one of its
// names, in a Japanese locale often the Japanese one ("IPAゴシック"), and
// resolves any other name, known or not, to some font; fontconfig knows them
// all (IPAGothic).
bool HasFamily(const QString& family) {
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) return true;
#ifdef GLYPHORAMA_FONTCONFIG
    const QByteArray name = family.toUtf8();
    FcPattern* pattern =
        FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, name.constData(), nullptr);
    FcObjectSet* fields = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, fields);
    const bool found = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(fields);
    FcPatternDestroy(pattern);
    return found;
#else
    return false;
#endif
}

// A font file loaded under a family of the program's own, named by its
// bytes, so that it is drawn from the file even when an installed font has
// its family. A file that cannot be renamed is loaded as it is.
Result<ArtFont> LoadFontFile(const QString& path, int pixelSize) {
    const Result<QByteArray> bytes = ReadRegularFile(path, kMostFontFileBytes);
    if (!bytes) return Error{ErrorKind::kCannotRead, reasons::kUnreadableFontFile.arg(path)};
    const int plain = QFontDatabase::addApplicationFontFromData(*bytes);
    const QStringList families = QFontDatabase::applicationFontFamilies(plain);
    if (families.isEmpty())
        return Error{ErrorKind::kCannotRead, reasons::kUnreadableFontFile.arg(path)};
    const QString face =
        QStringLiteral("Glyphorama-") +
        QString::fromLatin1(QCryptographicHash::hash(*bytes, QCryptographicHash::Sha1)
                                .toHex()
                                .left(kIdentityDigits));
    const QByteArray renamed = RenamedFont(*bytes, face);
    if (!renamed.isEmpty() &&
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFontFromData(renamed))
            .contains(face))
        return ArtFont{families.first(), pixelSize, face};
    return ArtFont{families.first(), pixelSize};
}

}  // namespace

Result<ArtFont> ResolveArtFont(const QString& family, int pixelSize) {
    const QFont standard = QGuiApplication::font();
    if (pixelSize <= 0) pixelSize = QFontInfo(standard).pixelSize();
    // A path names a font file, whose first family is then used.
    if (family.contains(u'/')) return LoadFontFile(family, pixelSize);
    ArtFont font{family, pixelSize};
    if (font.family.isEmpty()) font.family = KanjiFamily(standard);
    if (!HasFamily(font.family)) {
        return Error{ErrorKind::kCannotRead, reasons::kUnknownFont.arg(font.family)};
    }
    return font;
}

QFont ArtQFont(const ArtFont& font, QFont::StyleStrategy strategy) {
    QFont art(font.face.isEmpty() ? font.family : font.face);
    art.setPixelSize(font.pixelSize);
    art.setStyleStrategy(strategy);
    return art;
}

QString FontIdentity(const ArtFont& font) {
    const QRawFont raw = QRawFont::fromFont(ArtQFont(font));
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(raw.fontTable("head"));
    hash.addData(raw.fontTable("name"));
    return QString::fromLatin1(hash.result().toHex().left(kIdentityDigits));
}

int KanjiHeld(const ArtFont& font) {
    const QFontMetrics alone(
        ArtQFont(font, QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging)));
    int held = 0;
    for (const QString& glyph : Cp932KanjiAndKana()) {
        const QList<uint> points = glyph.toUcs4();
        held += std::all_of(points.begin(), points.end(),
                            [&alone](uint c) { return alone.inFontUcs4(c); });
    }
    return held;
}

GlyphMeter::GlyphMeter(const ArtFont& font)
    : font_(ArtQFont(font, QFont::PreferAntialias)),
      metrics_(font_),
      aloneMetrics_(
          ArtQFont(font, QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging))),
      cell_(metrics_.horizontalAdvance(kSampleKanji), metrics_.lineSpacing()) {}

bool GlyphMeter::Holds(const QString& glyph) const {
    for (const char32_t c : glyph.toUcs4()) {
        if (!aloneMetrics_.inFontUcs4(c)) return false;
    }
    return true;
}

QImage GlyphMeter::Draw(const QString& entry) const {
    const QSize size(std::max(cell_.width(), metrics_.horizontalAdvance(entry)), cell_.height());
    QImage image(size, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, metrics_.ascent()), entry);
    return image;
}

GlyphInk GlyphMeter::Measure(const QString& entry) const {
    const QImage image = Draw(entry);
    double ink = 0;
    double parts[kEvennessGrid][kEvennessGrid] = {};
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const double dot = (kWhite - line[x]) / kWhite;
            ink += dot;
            parts[y * kEvennessGrid / image.height()][x * kEvennessGrid / image.width()] += dot;
        }
    }
    const double cellArea = double(image.width()) * image.height();
    const double partArea = cellArea / (kEvennessGrid * kEvennessGrid);
    const double mean = ink / cellArea;
    double spread = 0;
    for (const auto& row : parts) {
        for (const double part : row) spread += std::pow(part / partArea - mean, 2);
    }
    return {entry, mean, std::sqrt(spread / (kEvennessGrid * kEvennessGrid))};
}

std::vector<GlyphInk> MeasurePool(const GlyphMeter& meter, bool withSpace) {
    std::vector<GlyphInk> pool;
    QStringList candidates = Cp932KanjiAndKana();
    if (withSpace) candidates << kFullWidthSpace;
    for (const QString& glyph : candidates) {
        if (glyph == kFullWidthSpace || meter.Holds(glyph)) pool.push_back(meter.Measure(glyph));
    }
    return pool;
}

std::vector<double> MeasureEntries(const GlyphMeter& meter, const CharRamp& ramp) {
    std::vector<double> coverage;
    for (int level = 0; level < kLevels; ++level) {
        coverage.push_back(meter.Measure(ramp.CharForLevel(level)).coverage);
    }
    return coverage;
}

}  // namespace glyph
