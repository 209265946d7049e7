#include <QAction>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

#include "WindowFixture.h"
#include "basics/Limits.h"
#include "basics/Reasons.h"
#include "document/Convert.h"
#include "glyphs/RampSource.h"
#include "glyphs/ShapeSource.h"
#include "ui/TextZoom.h"

namespace glyph::testing {
namespace {

using ChooseFraming = WindowTest;

// Matched by shape unless told otherwise, as the window starts.
Framing Mode(Framing::Mode mode, QRect rectangle = {}, Match match = Match::kKanjiShapes) {
    Framing framing;
    framing.mode = mode;
    framing.rectangle = rectangle;
    framing.match = match;
    return framing;
}

// The converter's text for the same picture and framing: reduced art without
// a moji.txt takes the ramp measured from the window's font.
QString TextOf(const QString& path, const Framing& framing) {
    const CharRamp ramp = framing.Reduces() ? MeasuredArtRamp() : CharRamp::BuiltIn();
    return ConvertFile(path, {}, ramp, framing, &FontShapes).value();
}

void Press(QWidget* view, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
}

TEST_F(ChooseFraming, KeysChooseTheWholePictureOrARectangleAndTheChoiceHoldsForLaterOpens) {
    const QString wide = Save(Pattern(400, 300), "wide.png");
    Open(wide);
    const QString block = window->Text();
    EXPECT_EQ(block, TextOf(wide, Framing{}));
    Controls(*window).mnAdjustChange[0]->trigger();

    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(window->Text(), TextOf(wide, Mode(Framing::Mode::kWhole)));
    EXPECT_EQ(window->Text().count("\r\n"), 74) << "100 x 75 cells: the picture's shape";
    EXPECT_FALSE(Controls(*window).undo->isEnabled()) << "a new framing starts the history again";
    EXPECT_EQ(window->Picture1()->Image().size(), QSize(100, 75));
    EXPECT_TRUE(window->Picture1()->toolTip().contains("400 x 300"));

    // A portrait picture opened next is fitted too.
    const QString tall = Save(Pattern(90, 360), "tall.bmp");
    Open(tall);
    EXPECT_EQ(window->Text(), TextOf(tall, Mode(Framing::Mode::kWhole)));
    EXPECT_EQ(window->Text().count("\r\n"), 99);

    // Back to the block: the texts are the block's again.
    QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(window->Text(), TextOf(tall, Framing{}));
    EXPECT_TRUE(window->Picture1()->toolTip().contains("0, 0")) << "the block's place";
    Open(wide);
    EXPECT_EQ(window->Text(), block);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ChooseFraming, DraggingOnTheWholePictureDrawsTheRectangleTheArtIsMadeOf) {
    const QString path = Save(Pattern(400, 300), "wide.png");
    Open(path);
    QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(window->Text(), TextOf(path, Mode(Framing::Mode::kWhole)));
    QTest::keyClick(window.get(), Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(window->Text(), TextOf(path, Mode(Framing::Mode::kWhole, {}, Match::kTone)));

    // The upper picture shows the whole picture at a quarter: view pixel 10 is picture pixel 40.
    QWidget* view = window->Picture1();
    Press(view, QEvent::MouseButtonPress, {10, 10});
    Press(view, QEvent::MouseMove, {25, 20});
    QCoreApplication::processEvents();
    // The art already follows the rectangle being drawn.
    EXPECT_EQ(window->document().area(), QRect(QPoint(40, 40), QPoint(100, 80)));
    EXPECT_EQ(window->Text().count("\r\n"), 40) << "61 x 41 pixels, one cell each";
    Press(view, QEvent::MouseMove, {40, 30});
    Press(view, QEvent::MouseButtonRelease, {40, 30});
    const QRect drawn(QPoint(40, 40), QPoint(160, 120));
    EXPECT_EQ(window->document().area(), drawn);
    EXPECT_EQ(window->Text(), TextOf(path, Mode(Framing::Mode::kRectangle, drawn, Match::kTone)));
    EXPECT_TRUE(view->toolTip().contains("40, 40")) << view->toolTip().toStdString();
    EXPECT_EQ(window->Picture1()->Image().size(), QSize(100, 75)) << "still the whole picture";

    // The context menu holds the three framings, then (past a separator) the
    // three ways of choosing characters: the rectangle and tone checked.
    QStringList checked;
    for (QAction* action : view->actions()) {
        if (action->isChecked()) checked << action->text();
    }
    EXPECT_EQ(view->actions().size(), 7);
    EXPECT_TRUE(view->actions()[3]->isSeparator());
    EXPECT_EQ(checked, QStringList({view->actions()[2]->text(), view->actions()[4]->text()}));
    EXPECT_EQ(view->contextMenuPolicy(), Qt::ActionsContextMenu);
}

// Shapes are matched for the whole picture and a rectangle, never the block;
// the preview keeps one pixel a cell.
TEST_F(ChooseFraming, ShapesAreOfferedBeyondTheBlockAndKeepThePartShown) {
    const QString path = Save(Pattern(400, 300), "wide.png");
    Open(path);
    QList<QAction*> actions = window->Picture1()->actions();
    QAction* shapes = actions[5];
    EXPECT_FALSE(shapes->isEnabled()) << "a block's cell is one pixel";

    QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
    ASSERT_TRUE(shapes->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(window->document().framing().match, Match::kTone);
    Press(window->Picture1(), QEvent::MouseButtonPress, {10, 10});
    Press(window->Picture1(), QEvent::MouseButtonRelease, {40, 30});
    const QRect drawn(QPoint(40, 40), QPoint(160, 120));
    const QString tone = window->Text();
    QTest::keyClick(window.get(), Qt::Key_5, Qt::ControlModifier);
    EXPECT_TRUE(shapes->isChecked());
    const Framing framing = Mode(Framing::Mode::kRectangle, drawn);
    EXPECT_EQ(window->document().area(), drawn) << "the rectangle stays";
    EXPECT_EQ(window->Text(), TextOf(path, framing));
    EXPECT_NE(window->Text(), tone);
    EXPECT_EQ(window->Text().count("\r\n"), tone.count("\r\n"));
    EXPECT_EQ(window->Picture2()->Image().size(), window->document().cells());
    EXPECT_EQ(window->document().cells(), QSize(100, 67));

    QTest::keyClick(window.get(), Qt::Key_6, Qt::ControlModifier);
    EXPECT_EQ(window->document().framing().match, Match::kCp932Shapes);
    QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_4, Qt::ControlModifier);
    EXPECT_TRUE(actions[6]->isChecked()) << "no match to choose for the block";
    EXPECT_EQ(window->Text(), TextOf(path, Framing{}));
}

TEST_F(ChooseFraming, ShapesThatCannotBeMeasuredSayWhyAndKeepTheArtShown) {
    const QString path = Save(Pattern(400, 300), "wide.png");
    Open(path);
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_4, Qt::ControlModifier);
    QAction* shapes = window->Picture1()->actions()[5];
    ASSERT_TRUE(shapes->isEnabled());
    const QString tone = window->Text();
    ASSERT_FALSE(tone.isEmpty());

    // Glyphs so large that a single one drawn is beyond the memory bound.
    const Result<ArtFont> usual = ResolveArtFont({}, 0);
    ASSERT_TRUE(usual.ok());
    const int vast = int(std::ceil(std::sqrt(double(MemoryBound())))) + 1;
    ChooseShapeFont({usual->family, vast});
    shapes->trigger();
    ChooseShapeFont(*usual);
    EXPECT_EQ(window->Text(), tone);
    EXPECT_EQ(window->document().framing().match, Match::kTone);
    EXPECT_FALSE(shapes->isChecked());
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, reasons::kNoMemoryForShapes.toString());
    EXPECT_EQ(services.messages[0].icon, QMessageBox::Critical);

    // With the memory to measure them, the shapes are measured when next asked for.
    shapes->trigger();
    EXPECT_EQ(window->document().framing().match, Match::kKanjiShapes);
    EXPECT_NE(window->Text(), tone);
    EXPECT_EQ(services.messages.size(), 1u);
}

TEST_F(ChooseFraming, AChoiceMadeBeforeAnyPictureAppliesToTheFirstOpen) {
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_TRUE(window->Text().isEmpty());
    const QString path = Save(Pattern(250, 120), "p.bmp");
    Open(path);
    EXPECT_EQ(window->Text(), TextOf(path, Mode(Framing::Mode::kWhole)));
}

// The art's cells are square on screen at every zoom: ten characters across
// take the room of ten lines down, so the art keeps the picture's shape.
TEST_F(ChooseFraming, TheTextBoxSetsTheArtInSquareCells) {
    Open(Save(Pattern(400, 300), "wide.png"));
    QPlainTextEdit* text = window->Text1();
    const auto at = [text](int line, int column) {
        QTextCursor cursor(text->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        return text->cursorRect(cursor).topLeft();
    };
    for (int step = 0; step < 3; ++step) {
        const QPoint across = at(0, 20) - at(0, 0);
        const QPoint down = at(20, 0) - at(0, 0);
        EXPECT_NEAR(across.x(), down.y(), 2) << "zoom step " << step;
        window->zoom().ZoomOut();
    }
}

}  // namespace
}  // namespace glyph::testing
