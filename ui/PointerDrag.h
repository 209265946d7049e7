#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QWidget;

namespace glyph {

// A left-button drag over a view, for whoever owns it while `owns` says so.
// The pointer's steps are handed on at most once a turn of the event loop,
// the newest only, so that a slow step never queues behind the pointer; the
// release is handed on at once and supersedes a step still waiting.
class PointerDrag : public QObject {
    Q_OBJECT

  public:
    struct Steps {
        std::function<bool()> owns;           // asked on every press, move and release
        std::function<QPoint(QPoint)> place;  // the view's point as the owner counts
        std::function<void(QPoint)> began;
        std::function<void(QPoint)> moved;
        std::function<void(QPoint)> ended;
    };

    PointerDrag(QWidget* view, Steps steps, QObject* parent);

    // Ends the drag without its release (a step failed), and any step waiting.
    void Cancel();
    // Drops a step still waiting, as a move made otherwise supersedes it.
    void DropWaiting() { waiting_ = false; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Wait(QPoint at);
    void HandOn();

    QWidget* view_;
    Steps steps_;
    bool dragging_ = false;
    bool waiting_ = false;
    QPoint newest_;
};

}  // namespace glyph
