#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "ui/PointerDrag.h"

namespace glyph {
namespace {

void Send(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
}

// What the owner of a drag heard, in order; points as the owner counts them
// (the view's, doubled).
struct Owner {
    bool owns = true;
    QStringList heard;

    PointerDrag::Steps Steps() {
        const auto say = [this](const char* what) {
            return [this, what](QPoint at) {
                heard << QStringLiteral("%1 %2,%3").arg(what).arg(at.x()).arg(at.y());
            };
        };
        return {[this] { return owns; }, [](QPoint at) { return at * 2; }, say("began"),
                say("moved"), say("ended")};
    }
};

TEST(PointerDrag, MovesAreHandedOnNewestOnlyOnceTheLoopIsFreeAndTheReleaseAtOnce) {
    QWidget view;
    Owner owner;
    PointerDrag drag(&view, owner.Steps(), nullptr);

    Send(&view, QEvent::MouseButtonPress, {1, 1});
    Send(&view, QEvent::MouseMove, {2, 2});
    Send(&view, QEvent::MouseMove, {3, 4});
    EXPECT_EQ(owner.heard, QStringList({"began 2,2"})) << "nothing moved before the loop turns";
    QApplication::processEvents();
    EXPECT_EQ(owner.heard, QStringList({"began 2,2", "moved 6,8"}));

    // A move still waiting at the release is superseded by it.
    Send(&view, QEvent::MouseMove, {5, 5});
    Send(&view, QEvent::MouseButtonRelease, {7, 6});
    QApplication::processEvents();
    EXPECT_EQ(owner.heard, QStringList({"began 2,2", "moved 6,8", "ended 14,12"}));

    // After the release, moves are no drag's.
    Send(&view, QEvent::MouseMove, {9, 9});
    QApplication::processEvents();
    EXPECT_EQ(owner.heard.size(), 3);
}

TEST(PointerDrag, OnlyTheLeftButtonAndOnlyWhileOwnedAndNotAfterACancel) {
    QWidget view;
    Owner owner;
    PointerDrag drag(&view, owner.Steps(), nullptr);

    Send(&view, QEvent::MouseButtonPress, {1, 1}, Qt::RightButton);
    Send(&view, QEvent::MouseMove, {2, 2});
    QApplication::processEvents();
    EXPECT_TRUE(owner.heard.isEmpty()) << "a right press starts nothing";

    owner.owns = false;
    Send(&view, QEvent::MouseButtonPress, {1, 1});
    Send(&view, QEvent::MouseButtonRelease, {2, 2});
    EXPECT_TRUE(owner.heard.isEmpty()) << "a view nobody owns now is left alone";

    owner.owns = true;
    Send(&view, QEvent::MouseButtonPress, {1, 1});
    Send(&view, QEvent::MouseMove, {2, 2});
    drag.Cancel();  // a step failed
    QApplication::processEvents();
    Send(&view, QEvent::MouseMove, {3, 3});
    Send(&view, QEvent::MouseButtonRelease, {4, 4});
    QApplication::processEvents();
    EXPECT_EQ(owner.heard, QStringList({"began 2,2"}));
}

}  // namespace
}  // namespace glyph
