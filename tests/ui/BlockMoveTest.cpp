#include "WindowFixture.h"
#include "document/Convert.h"

namespace glyph::testing {
namespace {

using MoveBlock = WindowTest;

// The text the converter gives for the block at origin: an open there.
QString TextAt(const QString& path, QPoint origin) {
    return ConvertFile(path, {}, CharRamp::BuiltIn(), origin).value();
}

TEST_F(MoveBlock, AltArrowsMoveTheBlockAndEachMoveIsAFreshOpen) {
    const QString path = Save(Pattern(260, 180), "wide.bmp");
    Open(path);
    Controls(*window).mnAdjustChange[0]->trigger();
    ASSERT_TRUE(Controls(*window).undo->isEnabled());

    QWidget* view = window->Picture1();
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(window->document().block().origin, QPoint(1, 0));
    EXPECT_EQ(window->Text(), TextAt(path, QPoint(1, 0)));
    EXPECT_FALSE(Controls(*window).undo->isEnabled()) << "the history starts again";
    EXPECT_FALSE(Controls(*window).mnEditUndo->isEnabled());
    EXPECT_FALSE(Controls(*window).redo->isEnabled());
    EXPECT_TRUE(Controls(*window).Adjust[0]->isEnabled());

    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(window->Text1(), Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->document().block().origin, QPoint(11, 10));
    EXPECT_TRUE(view->toolTip().contains("11, 10")) << view->toolTip().toStdString();
    EXPECT_TRUE(view->toolTip().contains("260 x 180"));

    // Never past the picture's edges.
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->document().block().origin, QPoint(0, 80));
    EXPECT_EQ(window->Text(), TextAt(path, QPoint(0, 80)));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MoveBlock, DraggingMovesTheBlockWithThePointer) {
    const QString path = Save(Pattern(300, 140), "drag.png");
    Open(path);
    QWidget* view = window->Picture1();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(view, QPoint(70, 45));
    QTest::mouseMove(view, QPoint(90, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(90, 60));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->document().block().origin, QPoint(40, 10));
    EXPECT_EQ(window->Text(), TextAt(path, QPoint(40, 10)));
}

TEST_F(MoveBlock, APictureNoLargerThanTheBlockStaysAndKeepsItsTooltip) {
    Open(Save(Pattern(100, 60), "small.bmp"));
    Controls(*window).mnAdjustChange[1]->trigger();
    const QString text = window->Text();
    QWidget* view = window->Picture1();
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(view, QPoint(40, 30));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(40, 30));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->document().block().origin, QPoint(0, 0));
    EXPECT_EQ(window->Text(), text);
    EXPECT_TRUE(Controls(*window).undo->isEnabled()) << "nothing happened to the history";
    EXPECT_EQ(view->toolTip(), QStringLiteral("元画像"));
}

TEST_F(MoveBlock, APictureThatCannotBeReadAnyMoreIsToldAndNothingChanges) {
    const QString path = Save(Pattern(200, 150), "gone.bmp");
    Open(path);
    const QString text = window->Text();
    ASSERT_TRUE(QFile::remove(path));
    QTest::keyClick(window->Picture1(), Qt::Key_Right, Qt::AltModifier);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].text.startsWith(path + "\r\n"));
    EXPECT_EQ(window->Text(), text);
    EXPECT_EQ(window->document().block().origin, QPoint(0, 0));
}

}  // namespace
}  // namespace glyph::testing
