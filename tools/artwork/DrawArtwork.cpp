// Draws Glyphorama's pictures with QPainter: six 16 x 16 button pictures,
// the program icon at 16 and 32 pixels, and the About picture (written as a
// PNG for ImageMagick to turn into a 16-colour GIF).
//
// Usage: draw-artwork RESOURCES_DIR WORK_DIR

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Flat colours only, so that the 16-colour About picture keeps its look.
const QColor kOutline(0x30, 0x30, 0x38);
const QColor kSunFill(0xff, 0xd8, 0x30);
const QColor kSunEdge(0xd0, 0x80, 0x00);
const QColor kSunEdgeSoft(0xd0, 0x80, 0x00, 0x90);  // rounds the disc's corners
const QColor kArrow(0x1c, 0x5c, 0xc0);
const QColor kBlack(0x20, 0x20, 0x20);
const QColor kWhite(0xff, 0xff, 0xff);
const QColor kGray(0x88, 0x88, 0x88);
const QColor kLightGray(0xd4, 0xd4, 0xd4);
const QColor kSky(0x78, 0xb8, 0xf0);
const QColor kHill(0x48, 0xa0, 0x48);
const QColor kPaper(0xff, 0xff, 0xfc);
const QColor kShadow(0x00, 0x00, 0x00, 0x50);
const QColor kInk(0x18, 0x18, 0x20);

using Drawing = std::function<void(QPainter&)>;

QImage Blank(int size, const QColor& background = Qt::transparent) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(background);
    return image;
}

QImage Draw(QImage image, const Drawing& drawing) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing(painter);
    return image;
}

bool Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Pictures drawn pixel by pixel: one string per row, one character per
// pixel, looked up in the colour key ('.' is transparent).
QImage Pixels(const QStringList& rows, const QHash<QChar, QColor>& key) {
    QImage image(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()),
                 QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            const QChar c = rows[y][x];
            if (c != u'.') image.setPixelColor(x, y, key.value(c));
        }
    }
    return image;
}

// An arrow in the six columns on the right of a button picture. Edges lie
// on pixel edges, so only the slopes of the head are smoothed.
void Arrow(QPainter& p, bool up) {
    QPolygonF shape = {{12.0, 1.0},  {13.0, 1.0},  {16.0, 4.0}, {14.0, 4.0},
                       {14.0, 15.0}, {12.0, 15.0}, {12.0, 4.0}, {10.0, 4.0}};
    if (!up) {
        for (QPointF& point : shape) point.setY(16.0 - point.y());
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kArrow);
    p.drawPolygon(shape);
}

// A circle on the left whose left half is `left` and right half `right`,
// inside a one-pixel ring of `edge`.
void HalfCircle(QPainter& p, const QColor& left, const QColor& right, const QColor& edge) {
    const QRectF outer(0, 3, 10, 10);
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawEllipse(outer);
    p.setBrush(right);
    p.drawEllipse(inner);
    p.setBrush(left);
    p.drawPie(inner, 90 * 16, 180 * 16);
}

// An arrow that leaves the bottom, bends over the top and points left (undo)
// or right (redo): a band two pixels wide ending in a head.
void BentArrow(QPainter& p, bool left) {
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    shape.addPolygon(QPolygonF{{1.0, 5.0}, {5.5, 0.5}, {5.5, 9.5}});
    shape.addRect(QRectF(5.0, 4.0, 4.5, 2.0));
    QPainterPath ring;
    ring.addEllipse(QPointF(9.0, 10.0), 6.0, 6.0);
    ring.addEllipse(QPointF(9.0, 10.0), 4.0, 4.0);  // odd-even: the hole
    QPainterPath quarter;
    quarter.addRect(QRectF(9.0, 4.0, 6.0, 6.0));
    shape = shape.united(ring.intersected(quarter));
    shape.addRect(QRectF(13.0, 10.0, 2.0, 4.5));
    if (!left) shape = QTransform(-1, 0, 0, 1, 16, 0).map(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(kArrow);
    p.drawPath(shape.simplified());
}

// Marks standing for characters of growing lightness, 3 x 3 pixels each:
// the program's idea in small, a picture written in characters.
const char* const kGlyphs[][3] = {
    {"###", "#.#", "###"}, {"###", ".#.", "###"}, {".#.", "###", ".#."},
    {"#..", ".#.", "..#"}, {"...", ".#.", "..."},
};

// A landscape photograph: sky, a hill and the sun, in `frame`.
void Photo(QPainter& p, const QRectF& frame, double sunRadius) {
    p.save();
    p.setClipRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    p.drawRect(frame);
    const double w = frame.width();
    const double h = frame.height();
    QPainterPath hill;
    hill.moveTo(frame.left(), frame.top() + h * 0.72);
    hill.cubicTo(frame.left() + w * 0.35, frame.top() + h * 0.42, frame.left() + w * 0.6,
                 frame.top() + h * 0.5, frame.right(), frame.top() + h * 0.78);
    hill.lineTo(frame.bottomRight());
    hill.lineTo(frame.bottomLeft());
    p.setBrush(kHill);
    p.drawPath(hill);
    p.setBrush(kSunFill);
    p.setPen(QPen(kSunEdge, 1.0));
    p.drawEllipse(QPointF(frame.left() + w * 0.3, frame.top() + h * 0.32), sunRadius, sunRadius);
    p.restore();
}

// A one-pixel ring just inside `outer`.
void Border(QPainter& p, const QRectF& outer) {
    QPainterPath ring;
    ring.addRect(outer);
    ring.addRect(outer.adjusted(1, 1, -1, -1));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPath(ring);
}

// A sheet of paper with a one-pixel outline and a shadow to its lower right.
void Sheet(QPainter& p, const QRect& sheet) {
    p.setPen(Qt::NoPen);
    p.setBrush(kShadow);
    p.drawRect(QRectF(sheet.left() + 1, sheet.bottom() + 1, sheet.width(), 1));
    p.drawRect(QRectF(sheet.right() + 1, sheet.top() + 1, 1, sheet.height() - 1));
    p.setBrush(kOutline);
    p.drawRect(QRectF(sheet));
    p.setBrush(kPaper);
    p.drawRect(QRectF(sheet.adjusted(1, 1, -1, -1)));
}

// The 32-pixel emblem: a photograph, and in front of it a sheet written
// with marks from dark (top left) to light (bottom right). `tile` fills the
// whole square with the landscape, for the opaque About picture.
void Emblem32(QPainter& p, bool tile) {
    if (tile) {
        Photo(p, QRectF(0, 0, 32, 32), 4.0);
        Border(p, QRectF(0, 0, 32, 32));
    } else {
        const QRectF photo(1, 2, 20, 17);
        Photo(p, photo.adjusted(1, 1, -1, -1), 2.5);
        Border(p, photo);
    }
    const QRect sheet = tile ? QRect(12, 10, 17, 19) : QRect(11, 10, 19, 20);
    Sheet(p, sheet);
    const int left = sheet.left() + (sheet.width() - 15) / 2;
    const int top = sheet.top() + 2;
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const auto& glyph = kGlyphs[std::min(4, row + column)];
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 3; ++x) {
                    if (glyph[y][x] == '#') {
                        p.drawRect(QRectF(left + column * 4 + x, top + row * 4 + y, 1, 1));
                    }
                }
            }
        }
    }
}

// The same emblem at 16 pixels, where the marks become lines of text.
void Emblem16(QPainter& p) {
    const QRectF photo(0, 1, 11, 9);
    Photo(p, photo.adjusted(1, 1, -1, -1), 1.2);
    Border(p, photo);
    Sheet(p, QRect(5, 5, 10, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(7, 7, 6, 1));
    p.drawRect(QRectF(7, 9, 6, 1));
    p.drawRect(QRectF(7, 11, 4, 1));
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: draw-artwork RESOURCES_DIR WORK_DIR\n");
        return 2;
    }
    const QString resources = QString::fromLocal8Bit(argv[1]);
    const QString work = QString::fromLocal8Bit(argv[2]);

    struct Picture {
        QString path;
        QImage image;
    };
    // The two suns leave the right-hand column to the arrow.
    const QHash<QChar, QColor> sunKey = {{u'O', kSunEdge}, {u'o', kSunEdgeSoft}, {u'y', kSunFill}};
    const QImage bigSun = Pixels(
        {
            "................",
            "................",
            "................",
            "................",
            "....O...........",
            ".O.....O........",
            "...OOO..........",
            "..OyyyO.........",
            "O.OyyyO.O.......",
            "..OyyyO.........",
            "...OOO..........",
            ".O.....O........",
            "....O...........",
            "................",
            "................",
            "................",
        },
        sunKey);
    const QImage smallSun = Pixels(
        {
            "................",
            "................",
            "................",
            "................",
            "................",
            "....O...........",
            "..O...O.........",
            "...oOo..........",
            ".O.OyO.O........",
            "...oOo..........",
            "..O...O.........",
            "....O...........",
            "................",
            "................",
            "................",
            "................",
        },
        sunKey);

    const Picture pictures[] = {
        {resources + "/buttons/brighter.png", Draw(bigSun, [](QPainter& p) { Arrow(p, true); })},
        {resources + "/buttons/darker.png", Draw(smallSun, [](QPainter& p) { Arrow(p, false); })},
        {resources + "/buttons/more-contrast.png", Draw(Blank(16),
                                                        [](QPainter& p) {
                                                            HalfCircle(p, kBlack, kWhite, kBlack);
                                                            Arrow(p, true);
                                                        })},
        {resources + "/buttons/less-contrast.png", Draw(Blank(16),
                                                        [](QPainter& p) {
                                                            HalfCircle(p, kGray, kLightGray, kGray);
                                                            Arrow(p, false);
                                                        })},
        {resources + "/buttons/undo.png", Draw(Blank(16), [](QPainter& p) { BentArrow(p, true); })},
        {resources + "/buttons/redo.png",
         Draw(Blank(16), [](QPainter& p) { BentArrow(p, false); })},
        {resources + "/icons/glyphorama-32.png",
         Draw(Blank(32), [](QPainter& p) { Emblem32(p, false); })},
        {resources + "/icons/glyphorama-16.png", Draw(Blank(16), [](QPainter& p) { Emblem16(p); })},
        {work + "/about.png", Draw(Blank(32, kWhite), [](QPainter& p) { Emblem32(p, true); })},
    };
    bool ok = true;
    for (const Picture& picture : pictures) ok = Save(picture.image, picture.path) && ok;
    return ok ? 0 : 1;
}
