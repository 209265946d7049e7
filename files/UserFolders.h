#pragma once

#include <QByteArray>
#include <QString>

#include "basics/Result.h"

namespace glyph {

// The program's folders in the user's home and the files it keeps there, in
// one place so that every reader and writer agrees on them.

// ~/.config/glyphorama, or $XDG_CONFIG_HOME/glyphorama when that is an
// absolute path; a relative one is ignored, so the folder a run starts in
// never changes the art. Empty without a home.
QString UserConfigFolder();

// ~/.cache/glyphorama, or $XDG_CACHE_HOME/glyphorama, on the same terms.
QString UserCacheFolder();

// A file kept in the cache folder: PREFIX-NAME-HASH.EXTENSION, NAME the key
// made safe for a file name and HASH the key's own, so that every key has
// one file whatever it holds. Empty without a cache folder.
QString CachePath(const QString& prefix, const QString& key, const QString& extension);

// Keeps bytes at a cache path: the folder made, temporaries left behind by
// killed runs cleared, and only a regular file written (a link, a device or a
// FIFO planted at the name is refused).
Status KeepInCache(const QString& path, const QByteArray& bytes);

}  // namespace glyph
