// The text box's context menu writes the art as a picture, a page or UTF-8
// text, through the same writers as the converter.
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

#include "WindowFixture.h"
#include "output/ArtPicture.h"

namespace glyph::testing {
namespace {

using Export = WindowTest;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(Export, WritesPicturesPagesAndTextOfTheArtInColourOrNot) {
    // Dark pixels, so that each cell's glyph is dense.
    const QRgb colours[3] = {qRgb(120, 0, 0), qRgb(0, 90, 0), qRgb(0, 0, 140)};
    QImage image(3, 2, QImage::Format_RGB32);
    for (int x = 0; x < 3; ++x) {
        image.setPixel(x, 0, colours[x]);
        image.setPixel(x, 1, qRgb(0, 0, 0));
    }
    Open(Save(image, "dark.bmp"));
    const auto action = [this](const char* name) {
        auto* found = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    const auto exportAs = [&](const char* name, const QString& path) {
        services.fileAnswers.push_back(path);
        action(name)->trigger();
    };

    // UTF-8 text: the art, LF line ends, a final LF, a ".txt" added to a bare name.
    exportAs("mnExportText", dir.filePath("art"));
    EXPECT_EQ(ReadAll(dir.filePath("art.txt")),
              window->Text().replace("\r\n", "\n").append('\n').toUtf8());

    // In the window's font: square cells of its full-width advance.
    const int cell = ArtDrawing(ResolveArtFont({}, 0).value()).cell();
    exportAs("mnExportPng", dir.filePath("black.png"));
    const QImage black(dir.filePath("black.png"));
    EXPECT_EQ(black.size(), QSize(3 * cell, 2 * cell));
    EXPECT_TRUE(black.allGray());

    action("mnExportColour")->setChecked(true);
    exportAs("mnExportPng", dir.filePath("colour.png"));
    const QImage coloured =
        QImage(dir.filePath("colour.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(coloured.size(), QSize(3 * cell, 2 * cell));
    for (int x = 0; x < 3; ++x) {
        // The most inked pixel of each cell is its pixel's colour laid on white:
        // the colour's own channel strongest, the other two alike.
        QRgb inked = qRgb(255, 255, 255);
        for (int y = 0; y < cell; ++y)
            for (int dx = 0; dx < cell; ++dx) {
                const QRgb pixel = coloured.pixel(x * cell + dx, y);
                if (qGray(pixel) < qGray(inked)) inked = pixel;
            }
        const int channels[3] = {qRed(inked), qGreen(inked), qBlue(inked)};
        EXPECT_LT(qGray(inked), 160) << x;
        EXPECT_EQ(channels[(x + 1) % 3], channels[(x + 2) % 3]) << x;
        EXPECT_LT(channels[(x + 1) % 3], channels[x]) << x;
    }
    exportAs("mnExportHtml", dir.filePath("colour.html"));
    EXPECT_TRUE(ReadAll(dir.filePath("colour.html")).contains("<span style=\"color:#780000\">"));
    exportAs("mnExportSvg", dir.filePath("colour.svg"));
    EXPECT_TRUE(ReadAll(dir.filePath("colour.svg")).contains("<tspan fill=\"#00008c\">"));
    EXPECT_TRUE(services.messages.empty());

    // A failure is told as Save tells it; the dialog's path is kept whole.
    exportAs("mnExportPng", dir.filePath("no-such-folder/art.png"));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(services.messages[0].text.contains("no-such-folder/art.png"));
}

TEST_F(Export, TheTextBoxKeepsItsOwnMenuEntriesBeforeOurs) {
    QStringList entries;
    QMenu* exports = nullptr;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        for (const QAction* entry : menu->actions()) {
            if (entry->menu() != nullptr) exports = entry->menu();
            if (!entry->isSeparator()) entries << entry->text();
        }
        menu->close();
    });
    emit window->Text1()->customContextMenuRequested(QPoint(5, 5));
    ASSERT_NE(exports, nullptr);
    EXPECT_EQ(exports->objectName(), "mnExport");
    EXPECT_EQ(exports->actions().size(), 6);  // four formats, a separator, colour
    // Undo, redo, cut, copy, paste, delete, select all: as the box offers them.
    EXPECT_GE(entries.size(), 8) << entries.join(" | ").toStdString();
    EXPECT_TRUE(entries.last().contains("書き出す"));
}

}  // namespace
}  // namespace glyph::testing
