#include "ui/Form1.h"

namespace glyph {

void Form1::mnFileSave_Click() {}
void Form1::mnFilePrint_Click() {}
void Form1::mnEditCopy_Click() {}

}  // namespace glyph
