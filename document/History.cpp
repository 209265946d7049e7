#include "document/History.h"

namespace glyph {

void History::Seed(Snapshot preview) {
    undoCount_ = 0;
    cursor_ = 0;
    for (auto& slot : slots_) slot.reset();
    slots_[cursor_] = std::move(preview);
}

void History::PushHistory() {
    // Source index never below the destination: each slot is read before it
    // is overwritten.
    for (int a = 0; a <= kLastSlot; ++a) {
        if (cursor_ + a <= kLastSlot) {
            if (a != cursor_ + a) slots_[a] = slots_[cursor_ + a];
        } else {
            slots_[a].reset();
        }
    }
    undoCount_ = static_cast<std::int16_t>(undoCount_ - cursor_);
    for (int e = kLastSlot; e >= 1; --e) slots_[e] = slots_[e - 1];
    if (undoCount_ < 0) undoCount_ = 0;
    if (undoCount_ < kLastSlot) ++undoCount_;
    cursor_ = 0;
}

int History::Step(std::int16_t direction) {
    undoCount_ = static_cast<std::int16_t>(undoCount_ - direction);
    if (direction < 0 && cursor_ > 0) cursor_ = static_cast<std::int16_t>(cursor_ + direction);
    if (direction > 0 && cursor_ < kLastSlot)
        cursor_ = static_cast<std::int16_t>(cursor_ + direction);
    return cursor_;
}

}  // namespace glyph
