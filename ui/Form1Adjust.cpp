#include "ui/Form1.h"

namespace glyph {

namespace {
constexpr std::int16_t kAutoLevelIndex = 4;
constexpr std::int16_t kResetIndex = 5;
}  // namespace

// The buttons' indexes are the document's adjustment commands, in order.
void Form1::Adjust_Click(std::int16_t index) { document_->Run(static_cast<Command>(index)); }

void Form1::mnAdjustChange_Click(std::int16_t index) { Adjust_Click(index); }
void Form1::mnAdjustAutoLevel_Click() { Adjust_Click(kAutoLevelIndex); }
void Form1::mnAdjustReset_Click() { Adjust_Click(kResetIndex); }

void Form1::undo_Click() { document_->Run(Command::kUndo); }
void Form1::redo_Click() { document_->Run(Command::kRedo); }
void Form1::mnEditUndo_Click() { undo_Click(); }
void Form1::mnEditRedo_Click() { redo_Click(); }

}  // namespace glyph
