// How the text box shows the art: fitted whole in the reduced modes, in its
// cells' colours on request, and the wait while a picture opens.
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "WindowFixture.h"
#include "ui/TextZoom.h"

namespace glyph::testing {
namespace {

using View = WindowTest;

qreal FontSize(const Form1& window) { return window.Text1()->font().pointSizeF(); }

// The far corner of the text as the box lays it out, in its viewport.
QPoint TextCorner(const QPlainTextEdit* box) {
    int right = 0;
    for (QTextBlock block = box->document()->firstBlock(); block.isValid(); block = block.next()) {
        QTextCursor end(block);
        end.movePosition(QTextCursor::EndOfBlock);
        right = std::max(right, box->cursorRect(end).right());
    }
    return {right, box->cursorRect(QTextCursor(box->document()->lastBlock())).bottom()};
}

QAction* Action(const Form1& window, const char* name) {
    auto* found = window.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST_F(View, TheReducedArtFitsTheBoxWholeUntilTheUserZooms) {
    Open(Save(Pattern(400, 300), "wide.png"));
    QPlainTextEdit* box = window->Text1();
    const qreal usual = FontSize(*window);
    const auto expectWholeInView = [&](const char* when) {
        SCOPED_TRACE(when);
        QCoreApplication::processEvents();
        EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << "every column in view";
        EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << "every line in view";
        const QSize view = box->viewport()->size();
        const QPoint corner = TextCorner(box);
        EXPECT_LE(corner.x(), view.width());
        EXPECT_LE(corner.y(), view.height());
    };

    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_LT(FontSize(*window), usual);
    expectWholeInView("the whole picture");
    const qreal wide = FontSize(*window);

    const QString text = window->Text();
    window->resize(window->width() + 300, window->height() + 200);
    expectWholeInView("a larger window");
    EXPECT_GT(FontSize(*window), wide);
    EXPECT_EQ(window->Text(), text);

    Open(Save(Pattern(90, 360), "tall.bmp"));
    expectWholeInView("another picture");

    // Fitted, not merely small: a step larger and the art no longer fits.
    // The size the user chose then holds through the adjustments.
    QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0);
    const qreal chosen = FontSize(*window);
    Controls(*window).mnAdjustChange[0]->trigger();
    EXPECT_EQ(FontSize(*window), chosen);

    QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
    expectWholeInView("a rectangle");
    QTest::keyClick(window.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(FontSize(*window), usual);
    QCoreApplication::processEvents();
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0) << "back to a page of text";

    // The block keeps the size the user chose, fitted or not before.
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_LT(FontSize(*window), usual);
    QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(FontSize(*window), usual);
}

// A picture of three dark colours over a black row.
QImage DarkColours() {
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb colours[3] = {qRgb(150, 0, 0), qRgb(0, 110, 0), qRgb(0, 0, 160)};
    for (int x = 0; x < 3; ++x) {
        image.setPixel(x, 0, colours[x]);
        image.setPixel(x, 1, qRgb(0, 0, 0));
    }
    return image;
}

bool ShowsRed(QWidget* view) {
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            if (qRed(pixel) > qGreen(pixel) + 60 && qRed(pixel) > qBlue(pixel) + 60) return true;
        }
    }
    return false;
}

QByteArray Saved(FakeServices& services, Form1& window, const QString& path) {
    services.fileAnswers.push_back(path);
    Controls(window).mnFileSave->trigger();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(View, TheColourViewPaintsTheCellsWhileCopyAndSaveGiveTheSameText) {
    Open(Save(DarkColours(), "dark.bmp"));
    QPlainTextEdit* box = window->Text1();
    const QString text = window->Text();
    const QByteArray plain = Saved(services, *window, dir.filePath("plain.txt"));
    Controls(*window).mnEditCopy->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_FALSE(ShowsRed(box->viewport()));

    QAction* colour = Action(*window, "mnViewColour");
    ASSERT_TRUE(colour->isCheckable());
    colour->trigger();
    ASSERT_TRUE(colour->isChecked());
    const CellColours cells = window->document().cellColours();
    const auto formats = [box](int row) {
        return box->document()->findBlockByNumber(row).layout()->formats();
    };
    const QList<QTextLayout::FormatRange> top = formats(0);
    ASSERT_EQ(top.size(), 3) << "one run a colour";
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(top[x].start, x);
        EXPECT_EQ(top[x].format.foreground().color().rgb(), cells.ink.pixel(x, 0));
        EXPECT_EQ(top[x].format.background().color().rgb(), cells.paper.pixel(x, 0));
        EXPECT_NE(cells.ink.pixel(x, 0), cells.paper.pixel(x, 0)) << "the glyph reads";
    }
    ASSERT_EQ(formats(1).size(), 1) << "a row of one colour is one run";
    EXPECT_EQ(formats(1)[0].length, 3);
    EXPECT_TRUE(ShowsRed(box->viewport()));

    EXPECT_EQ(window->Text(), text);
    EXPECT_FALSE(box->document()->isModified());
    EXPECT_EQ(Saved(services, *window, dir.filePath("coloured.txt")), plain);
    Controls(*window).mnEditCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), copied);

    // The colours follow the art through an adjustment and another picture.
    Controls(*window).mnAdjustChange[0]->trigger();
    EXPECT_EQ(formats(0)[0].format.foreground().color().rgb(),
              window->document().cellColours().ink.pixel(0, 0));
    EXPECT_NE(window->document().cellColours().ink.pixel(0, 0), cells.ink.pixel(0, 0));
    Open(Save(Filled(4, 1, qRgb(0, 0, 90)), "blue.bmp"));
    ASSERT_EQ(formats(0).size(), 1);
    EXPECT_EQ(formats(0)[0].format.foreground().color().rgb(),
              window->document().cellColours().ink.pixel(0, 0));
    EXPECT_EQ(formats(0)[0].format.background().color().rgb(),
              window->document().cellColours().paper.pixel(0, 0));

    colour->trigger();
    EXPECT_TRUE(formats(0).isEmpty());
    Open(Save(DarkColours(), "dark.bmp"));
    EXPECT_FALSE(ShowsRed(box->viewport()));
}

// A setting is ticked in the menu of the command it is for, which stays open.
TEST_F(View, TickingColourLeavesTheExportMenuOpen) {
    auto* exports = window->findChild<QMenu*>(QStringLiteral("mnExport"));
    ASSERT_NE(exports, nullptr);
    QAction* colour = Action(*window, "mnExportColour");
    exports->popup(window->mapToGlobal(QPoint(200, 100)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(exports));

    QTest::mouseClick(exports, Qt::LeftButton, {}, exports->actionGeometry(colour).center());
    EXPECT_TRUE(colour->isChecked());
    EXPECT_TRUE(exports->isVisible());
    exports->setActiveAction(colour);
    QTest::keyClick(exports, Qt::Key_Return);
    EXPECT_FALSE(colour->isChecked());
    EXPECT_TRUE(exports->isVisible());

    // A command closes it as any menu's does.
    Open(Save(Pattern(4, 4), "art.bmp"));
    services.fileAnswers.push_back(std::nullopt);
    QAction* text = Action(*window, "mnExportText");
    QTest::mouseClick(exports, Qt::LeftButton, {}, exports->actionGeometry(text).center());
    EXPECT_FALSE(exports->isVisible());
    EXPECT_EQ(services.fileRequests.size(), 2u) << "the picture's, the export's";
}

std::optional<Qt::CursorShape> Override() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
}

TEST_F(View, TheWaitCursorShowsWhileAPictureOpensAndNeverOutlivesIt) {
    std::vector<std::optional<Qt::CursorShape>> whileShown;
    QObject::connect(&window->document(), &Document::changed, window.get(),
                     [&] { whileShown.push_back(Override()); });
    const QString path = Save(Pattern(400, 300), "wide.png");
    Open(path);
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(whileShown,
              std::vector<std::optional<Qt::CursorShape>>(2, std::optional(Qt::WaitCursor)));
    EXPECT_EQ(Override(), std::nullopt);

    // A file that fails: the message is read with the usual cursor.
    QFile broken(dir.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(40, 'x'));
    broken.close();
    std::optional<std::optional<Qt::CursorShape>> atMessage;
    services.onMessage = [&](const MessageRequest&) { atMessage = Override(); };
    Open(broken.fileName());
    ASSERT_TRUE(atMessage.has_value());
    EXPECT_EQ(*atMessage, std::nullopt);
    EXPECT_EQ(Override(), std::nullopt);
}

}  // namespace
}  // namespace glyph::testing
