#include "ui/Form1.h"

namespace glyph {

namespace {

// Each adjustment: which surface it reads and its one step.
struct AdjustCommand {
    bool fromOpenedPicture;  // Picture1 instead of the preview Picture2
    Adjustment adjustment;
};

constexpr std::int16_t kOn = -1;

// By Adjust index; the menu items share indices 0 to 3.
constexpr AdjustCommand kAdjustCommands[6] = {
    {false, {0, +10, 0}},  // 0 brighter
    {false, {0, -10, 0}},  // 1 darker
    {false, {0, 0, +10}},  // 2 more contrast
    {false, {0, 0, -10}},  // 3 less contrast
    {false, {kOn, 0, 0}},  // 4 auto-level
    {true, {0, 0, 0}},     // 5 reset
};
constexpr std::int16_t kAutoLevelIndex = 4;
constexpr std::int16_t kResetIndex = 5;

constexpr std::int16_t kUndo = +1;
constexpr std::int16_t kRedo = -1;

}  // namespace

void Form1::Adjust_Click(std::int16_t index) {
    const AdjustCommand& command = kAdjustCommands[index];
    RunAdjustment(command.fromOpenedPicture ? Picture1() : Picture2(), command.adjustment);
}

void Form1::mnAdjustChange_Click(std::int16_t index) { Adjust_Click(index); }
void Form1::mnAdjustAutoLevel_Click() { Adjust_Click(kAutoLevelIndex); }
void Form1::mnAdjustReset_Click() { Adjust_Click(kResetIndex); }

void Form1::RunAdjustment(PictureSurface& source, const Adjustment& adjustment) {
    history().PushHistory(Picture3().Image());
    RenderTextArt(source, adjustment);
    RefreshUndoRedo();
    history().cashPicture(0).PaintPicture(Picture2().Image());
}

void Form1::StepHistory(std::int16_t direction) {
    const int shown = history().Step(direction);
    Picture2().PaintPicture(history().cashPicture(shown).Image());
    RenderTextArt(Picture2(), Adjustment{});
}

void Form1::undo_Click() {
    StepHistory(kUndo);
    RefreshUndoRedo();
}

void Form1::redo_Click() {
    StepHistory(kRedo);
    RefreshUndoRedo();
}

void Form1::mnEditUndo_Click() { undo_Click(); }
void Form1::mnEditRedo_Click() { redo_Click(); }

}  // namespace glyph
