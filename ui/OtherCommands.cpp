#include "ui/Form1.h"

namespace glyph {

void Form1::mnOtherHelp_Click() {}
void Form1::mnOtherVersion_Click() {}
void Form1::mnFileEnd_Click() { close(); }

}  // namespace glyph
