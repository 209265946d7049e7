#pragma once

#include <QMessageBox>
#include <QString>

#include "basics/Result.h"

class QWidget;

namespace glyph {

class PlatformServices;

// An OK message box of the program's own, over the window.
void ShowNotice(PlatformServices& services, QWidget* window, const QString& text,
                const QString& caption, QMessageBox::Icon icon);
// A picture that could not be opened: its name and the usual lines; a sound
// picture too large to open is not called damaged without saying why.
void ShowUnreadable(PlatformServices& services, QWidget* window, const QString& fileName,
                    const Error& error);

}  // namespace glyph
