#include <gtest/gtest.h>

#include "document/History.h"

namespace glyph {
namespace {

// A snapshot standing for one state of the preview: every level is its id.
History::Snapshot State(int id) { return History::Snapshot(16, id); }

class HistoryTest : public ::testing::Test {
  protected:
    History history;

    // Each slot's state id, or -1 for blank.
    std::vector<int> Slots() {
        std::vector<int> ids;
        for (int i = 0; i < History::kSlots; ++i) {
            const auto& slot = history.cashPicture(i);
            ids.push_back(slot ? slot->front() : -1);
        }
        return ids;
    }
    // One adjustment producing state id: push, then store the new preview.
    void Adjust(int id) {
        history.PushHistory();
        history.Store(State(id));
    }
    void Expect(std::vector<int> expected, int undoCount, int cursor) {
        EXPECT_EQ(Slots(), expected);
        EXPECT_EQ(history.UndoCount(), undoCount);
        EXPECT_EQ(history.HistoryCursor(), cursor);
    }
};

constexpr int O = 10, A1 = 11, A2 = 12, A3 = 13, A4 = 14, _ = -1;

TEST_F(HistoryTest, WorkedExampleRowByRow) {
    history.Seed(State(O));
    Expect({O, _, _, _, _, _}, 0, 0);
    Adjust(A1);
    Expect({A1, O, _, _, _, _}, 1, 0);
    Adjust(A2);
    Expect({A2, A1, O, _, _, _}, 2, 0);
    Adjust(A3);
    Expect({A3, A2, A1, O, _, _}, 3, 0);
    EXPECT_EQ(history.Step(+1), 1);
    Expect({A3, A2, A1, O, _, _}, 2, 1);
    EXPECT_EQ(history.Step(+1), 2);
    Expect({A3, A2, A1, O, _, _}, 1, 2);
    Adjust(A4);
    Expect({A4, A1, O, _, _, _}, 1, 0);
    EXPECT_EQ(history.Step(+1), 1);
    Expect({A4, A1, O, _, _, _}, 0, 1);
    EXPECT_EQ(history.Step(-1), 0);
    Expect({A4, A1, O, _, _, _}, 1, 0);
}

TEST_F(HistoryTest, SevenAdjustmentsKeepTheSixNewestStates) {
    history.Seed(State(O));
    for (int id = 1; id <= 7; ++id) Adjust(id);
    Expect({7, 6, 5, 4, 3, 2}, 5, 0);
    for (int i = 0; i < 5; ++i) history.Step(+1);
    Expect({7, 6, 5, 4, 3, 2}, 0, 5);
    for (int i = 0; i < 5; ++i) history.Step(-1);
    Expect({7, 6, 5, 4, 3, 2}, 5, 0);
}

TEST_F(HistoryTest, NewAdjustmentAfterOneUndoDropsTheRedoStep) {
    history.Seed(State(O));
    Adjust(A1);
    Adjust(A2);
    Adjust(A3);
    history.Step(+1);
    Adjust(A4);
    Expect({A4, A2, A1, O, _, _}, 2, 0);
}

TEST_F(HistoryTest, StepsAtTheEndsChangeOnlyTheUndoCount) {
    history.Seed(State(O));
    history.Step(-1);
    Expect({O, _, _, _, _, _}, 1, 0);
    for (int i = 0; i < 7; ++i) history.Step(+1);
    EXPECT_EQ(history.HistoryCursor(), 5);
    EXPECT_EQ(history.UndoCount(), -6);
}

TEST_F(HistoryTest, SeedBlanksEverySlotAndResetsTheCounters) {
    history.Seed(State(O));
    for (int id = 1; id <= 4; ++id) Adjust(id);
    history.Step(+1);
    history.Seed(State(A4));
    Expect({A4, _, _, _, _, _}, 0, 0);
}

}  // namespace
}  // namespace glyph
