#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace glyph {

// What the fonts a request resolves to depend on, read without starting them
// (no fontconfig, no QFontDatabase): so that what was measured in a font can
// be found again at the cost of a few dozen file stats.

// A file's size, modification and status-change times: any write to it, and
// any file put in its place, changes them. Empty when it is not there.
QByteArray FontFileStamp(const QString& path);

// The font configuration as it stands: the environment that chooses fonts
// (the locale, FC_*, FONTCONFIG_*, the Qt platform and its scaling, the XDG
// folders), the modification times of fontconfig's configuration files, of
// every folder under the font folders (a font added or removed changes its
// folder's) and of fontconfig's cache folders (fc-cache rewrites them when
// any font folder changes).
QByteArray FontConfigurationStamp();

// The files fontconfig holds the family's faces in; none without fontconfig.
// Starts fontconfig.
QStringList FontFilesOf(const QString& family);

}  // namespace glyph
