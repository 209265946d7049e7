#include "workspace/History.h"

namespace glyph {

History::History(TwipScale scale, float width, float height, QColor background) {
    for (auto& slot : slots_) {
        slot = std::make_unique<PictureSurface>(scale, 0, 0, width, height, background);
    }
}

void History::Seed(const QImage& blank, const QImage& preview) {
    UndoCount = 0;
    HistoryCursor = 0;
    for (auto& slot : slots_) slot->PaintPicture(blank);
    cashPicture(HistoryCursor).PaintPicture(preview);
}

void History::PushHistory(const QImage& blank) {
    // Source index never below the destination: each slot is read before it
    // is overwritten.
    for (int a = 0; a <= kLastSlot; ++a) {
        if (HistoryCursor + a <= kLastSlot) {
            cashPicture(a).PaintPicture(cashPicture(HistoryCursor + a).Image());
        } else {
            cashPicture(a).PaintPicture(blank);
        }
    }
    UndoCount = static_cast<std::int16_t>(UndoCount - HistoryCursor);
    for (int e = kLastSlot; e >= 1; --e) {
        cashPicture(e).PaintPicture(cashPicture(e - 1).Image());
    }
    if (UndoCount < 0) UndoCount = 0;
    if (UndoCount < kLastSlot) ++UndoCount;
    HistoryCursor = 0;
}

int History::Step(std::int16_t direction) {
    UndoCount = static_cast<std::int16_t>(UndoCount - direction);
    if (direction < 0 && HistoryCursor > 0) HistoryCursor += direction;
    if (direction > 0 && HistoryCursor < kLastSlot) HistoryCursor += direction;
    return HistoryCursor;
}

}  // namespace glyph
