#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace glyph {

// The wait cursor over the whole program while a command that may take a
// while runs; the usual cursor back when it ends, however it ends.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace glyph
