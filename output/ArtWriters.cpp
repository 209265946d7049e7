#include "output/ArtWriters.h"

#include "output/Markup.h"
#include "output/TextFile.h"

namespace glyph {

namespace {

// A standalone page: %1 title, %2 style rules, %3 the art.
const QString kPage = QStringLiteral(
    "<!DOCTYPE html>\n"
    "<html lang=\"ja\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>%1</title>\n"
    "<style>\n"
    "%2"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<pre>%3</pre>\n"
    "</body>\n"
    "</html>\n");

// A Japanese monospace font first, so that every full-width glyph takes one
// cell and the art keeps its shape.
const QString kPlainStyle = QStringLiteral(
    "pre { font-family: \"IPAGothic\", \"IPAゴシック\", \"Noto Sans Mono CJK JP\", "
    "\"MS Gothic\", \"ＭＳ ゴシック\", \"Osaka-Mono\", monospace; "
    "font-size: 8px; line-height: 1; }\n");

// The page in a font, in the cells its pictures have: lines one cell apart,
// characters set as the font sets them (a full-width one is a cell wide).
// %1 paper, %2 families, %3 size, %4 cell, %5 ink.
const QString kCellStyle = QStringLiteral(
    "body { margin: 0; background: %1; }\n"
    "pre { margin: 0; font-family: %2; font-size: %3px; line-height: %4px; "
    "letter-spacing: 0; font-kerning: none; color: %5; }\n");
// Each cell's paper fills its cell, a line's height high, not the font's box.
const QString kPaperStyle =
    QStringLiteral("span { display: inline-block; vertical-align: top; height: %1px; }\n");

// The colours of the 256-colour palette's cube, per channel.
constexpr int kCube[6] = {0, 95, 135, 175, 215, 255};
constexpr int kCubeStart = 16;
constexpr int kGrayStart = 232;
constexpr int kGrays = 24;

QString WithLineFeeds(const QString& art) {
    QString text = art;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.endsWith(u'\n')) text += u'\n';
    return text;
}

// The art's lines, runs of one ink (on one paper, when the cells have their
// own) in a span each.
QString ColouredLines(const Art& art) {
    QString html;
    const QList<QStringList> lines = ArtCharacters(art.text);
    int row = 0;
    ForEachColourRun(
        lines, art, ArtLook{true, false},
        [&](int at, int first, int count, const InkOnPaper& colours) {
            for (; row < at; ++row) html += u'\n';
            const QString style = art.paper.isNull()
                                      ? QStringLiteral("color:%1").arg(HexColour(colours.ink))
                                      : QStringLiteral("color:%1;background:%2")
                                            .arg(HexColour(colours.ink), HexColour(colours.paper));
            html += QStringLiteral("<span style=\"%1\">%2</span>")
                        .arg(style, HtmlText(lines[at].mid(first, count).join(QString())));
        });
    for (; row < lines.size(); ++row) html += u'\n';
    return html;
}

QByteArray Page(const Art& art, const ArtStyle& style, const QString& title) {
    // One substitution each, so a % in the title stays as it is.
    if (!style.font) {
        return kPage.arg(HtmlText(title), kPlainStyle, HtmlText(WithLineFeeds(art.text))).toUtf8();
    }
    const ArtDrawing drawing(*style.font);
    const QString cellStyle =
        kCellStyle.arg(HexColour(PaperColour(style.look)), ArtFontFamilies(style.font->family),
                       QString::number(style.font->pixelSize), QString::number(drawing.cell()),
                       HexColour(PlainInk(style.look))) +
        (art.paper.isNull() ? QString() : kPaperStyle.arg(drawing.cell()));
    const QString lines =
        style.look.colour ? ColouredLines(art) : HtmlText(WithLineFeeds(art.text));
    return kPage.arg(HtmlText(title), cellStyle, lines).toUtf8();
}

QString Escape(bool background, QRgb colour, AnsiColours colours) {
    const int layer = background ? 48 : 38;
    if (colours == AnsiColours::k256)
        return QStringLiteral("\x1b[%1;5;%2m").arg(layer).arg(Palette256(colour));
    return QStringLiteral("\x1b[%1;2;%2;%3;%4m")
        .arg(layer)
        .arg(qRed(colour))
        .arg(qGreen(colour))
        .arg(qBlue(colour));
}

// Each line on its paper, each run of one colour after its escape, every line
// reset at its end so that the terminal's colours return. Cells with papers
// of their own set the paper as they set the ink, when it changes.
QByteArray Ansi(const Art& art, const ArtStyle& style) {
    if (style.ansi == AnsiColours::kNone) return WithLineFeeds(art.text).toUtf8();
    const QString reset = QStringLiteral("\x1b[0m");
    QString text;
    const QList<QStringList> lines = ArtCharacters(art.text);
    const bool cellPaper = !art.paper.isNull();
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList& line = lines[row];
        const int length = int(line.size());
        if (!cellPaper) text += Escape(true, PaperColour(style.look), style.ansi);
        std::optional<QString> shown;
        std::optional<QString> shownPaper;
        for (int column = 0; column < length; ++column) {
            const InkOnPaper colours =
                CharacterColours(art, ArtLook{true, style.look.invert}, row, column, length);
            if (cellPaper) {
                const QString paper = Escape(true, colours.paper, style.ansi);
                if (paper != shownPaper) text += paper;
                shownPaper = paper;
            }
            const QString escape = Escape(false, colours.ink, style.ansi);
            if (escape != shown) text += escape;
            shown = escape;
            text += line[column];
        }
        text += reset + u'\n';
    }
    return text.toUtf8();
}

}  // namespace

int Palette256(QRgb colour) {
    const auto nearestStep = [](int value) {
        int best = 0;
        for (int i = 1; i < 6; ++i) {
            if (std::abs(kCube[i] - value) < std::abs(kCube[best] - value)) best = i;
        }
        return best;
    };
    const int r = nearestStep(qRed(colour));
    const int g = nearestStep(qGreen(colour));
    const int b = nearestStep(qBlue(colour));
    const int cube = kCubeStart + 36 * r + 6 * g + b;
    const int mean = (qRed(colour) + qGreen(colour) + qBlue(colour)) / 3;
    const int gray = kGrayStart + std::clamp((mean - 8 + 5) / 10, 0, kGrays - 1);
    const auto distance = [&](QRgb shown) {
        const int dr = qRed(shown) - qRed(colour);
        const int dg = qGreen(shown) - qGreen(colour);
        const int db = qBlue(shown) - qBlue(colour);
        return dr * dr + dg * dg + db * db;
    };
    return distance(Palette256Colour(gray)) < distance(Palette256Colour(cube)) ? gray : cube;
}

QRgb Palette256Colour(int index) {
    if (index >= kGrayStart) {
        const int v = 8 + 10 * (index - kGrayStart);
        return qRgb(v, v, v);
    }
    const int i = index - kCubeStart;
    return qRgb(kCube[i / 36], kCube[i / 6 % 6], kCube[i % 6]);
}

Result<QByteArray> WriteArt(const Art& art, const ArtStyle& style, const QString& title) {
    switch (style.format) {
        case ArtFormat::kCp932:
            return EncodeTextFile(art.text);
        case ArtFormat::kHtml:
            return Page(art, style, title);
        case ArtFormat::kAnsi:
            return Ansi(art, style);
        case ArtFormat::kPng:
            return ArtDrawing(style.font.value_or(ArtFont{})).Png(art, style.look);
        case ArtFormat::kSvg:
            return ArtDrawing(style.font.value_or(ArtFont{})).Svg(art, style.look);
        case ArtFormat::kText:
            break;
    }
    return WithLineFeeds(art.text).toUtf8();
}

QString ArtExtension(ArtFormat format) {
    switch (format) {
        case ArtFormat::kHtml:
            return QStringLiteral(".html");
        case ArtFormat::kAnsi:
            return QStringLiteral(".ans");
        case ArtFormat::kPng:
            return QStringLiteral(".png");
        case ArtFormat::kSvg:
            return QStringLiteral(".svg");
        default:
            return QStringLiteral(".txt");
    }
}

}  // namespace glyph
