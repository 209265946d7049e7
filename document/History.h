#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace glyph {

// Six snapshots of the preview, slot 0 the newest, with the two counters that
// say which one is shown and how many undo steps are left. Redo steps are the
// slots below the cursor. A slot holding no snapshot is blank.
class History {
  public:
    // The preview's levels, row by row.
    using Snapshot = std::vector<int>;

    static constexpr int kSlots = 6;
    static constexpr int kLastSlot = kSlots - 1;

    const std::optional<Snapshot>& cashPicture(int index) const { return slots_.at(index); }
    std::int16_t UndoCount() const { return undoCount_; }
    std::int16_t HistoryCursor() const { return cursor_; }

    // After an open: every slot blank, the new preview in slot 0, counters 0.
    void Seed(Snapshot preview);

    // Makes room for a new snapshot in slot 0: the shown snapshot becomes slot
    // 0 (newer ones are dropped), then everything moves one slot older.
    void PushHistory();

    // Stores the preview an adjustment made in slot 0.
    void Store(Snapshot preview) { slots_[0] = std::move(preview); }

    // Moves the counters one step: +1 undo (older), -1 redo (newer). The
    // undo count changes even where the cursor cannot move. Returns the slot
    // now shown; never writes a slot.
    int Step(std::int16_t direction);

  private:
    std::array<std::optional<Snapshot>, kSlots> slots_;
    std::int16_t undoCount_ = 0;
    std::int16_t cursor_ = 0;
};

}  // namespace glyph
