#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "WindowFixture.h"
#include "ui/TextZoom.h"

namespace glyph::testing {
namespace {

using Zoom = WindowTest;

qreal FontSize(const Form1& window) { return window.Text1()->font().pointSizeF(); }

void Wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at = target->rect().center();
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &wheel);
}

TEST_F(Zoom, KeysAndTheWheelZoomTheViewNotTheText) {
    Open(Save(Pattern(100, 100), "art.bmp"));
    const QString text = window->Text();
    QPlainTextEdit* box = window->Text1();
    box->setFocus();
    const qreal start = FontSize(*window);

    QTest::keyClick(box, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_GT(FontSize(*window), start);
    QTest::keyClick(box, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(FontSize(*window), start);
    QTest::keyClick(box, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(FontSize(*window), start);
    Wheel(box->viewport(), 120, Qt::ControlModifier);
    EXPECT_EQ(FontSize(*window), start) << "one step out, one step in";
    Wheel(box->viewport(), -120, Qt::ControlModifier);
    EXPECT_LT(FontSize(*window), start);
    Wheel(box->viewport(), -120, Qt::NoModifier);  // scrolls only
    EXPECT_EQ(window->Text(), text);
    EXPECT_FALSE(box->document()->isModified());
}

TEST_F(Zoom, AtTheSmallestSizeTheWholeArtIsInViewAndTheZoomOutlivesAnOpen) {
    Open(Save(Pattern(100, 100), "art.bmp"));
    QPlainTextEdit* box = window->Text1();
    for (int i = 0; i < 40; ++i) window->zoom().ZoomOut();
    const qreal smallest = FontSize(*window);
    window->zoom().ZoomOut();
    EXPECT_EQ(FontSize(*window), smallest) << "no smaller than the table";
    QCoreApplication::processEvents();
    EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << "every column in view";
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << "every line in view";

    Open(Save(Pattern(60, 60), "other.bmp"));
    EXPECT_EQ(FontSize(*window), smallest);
}

}  // namespace
}  // namespace glyph::testing
