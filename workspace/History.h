#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <memory>

#include "workspace/PictureSurface.h"

namespace glyph {

// Six snapshots of the preview, slot 0 the newest, with the two counters that
// say which one is shown and how many undo steps are left. Redo steps are the
// slots below the cursor.
class History {
  public:
    static constexpr int kSlots = 6;
    static constexpr int kLastSlot = kSlots - 1;

    // Each slot is a surface of the given size in twips.
    History(TwipScale scale, float width, float height, QColor background);

    PictureSurface& cashPicture(int index) { return *slots_.at(index); }
    const PictureSurface& cashPicture(int index) const { return *slots_.at(index); }

    std::int16_t UndoCount = 0;
    std::int16_t HistoryCursor = 0;

    // After an open: every slot blank, the new preview in slot 0, counters 0.
    void Seed(const QImage& blank, const QImage& preview);

    // Makes room for a new snapshot in slot 0: the shown snapshot becomes slot
    // 0 (newer ones are dropped), then everything moves one slot older.
    void PushHistory(const QImage& blank);

    // Moves the counters one step: +1 undo (older), -1 redo (newer). The
    // undo count changes even where the cursor cannot move. Returns the slot
    // now shown; never writes a slot.
    int Step(std::int16_t direction);

  private:
    std::array<std::unique_ptr<PictureSurface>, kSlots> slots_;
};

}  // namespace glyph
