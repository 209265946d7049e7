#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

#include "basics/Result.h"

namespace glyph {

// Every file the program reads or writes goes through here, named byte for
// byte (NativePath), so that no input can hang it and no output lands where
// a regular file may not stand.

// Opens path for reading when it is a regular file. Anything else (a FIFO,
// a device, a folder) is refused before it is opened, so nothing blocks.
Result<std::unique_ptr<QFile>> OpenRegularFile(const QString& path);

// The whole of a regular file of at most `most` bytes; a longer one is
// refused as too large, without reading it.
Result<QByteArray> ReadRegularFile(const QString& path, qint64 most);

// What tells a changed file from the one read before: size and time.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

bool IsRegularFile(const QString& path);
// Something is there that this process may read.
bool IsReadable(const QString& path);

// Both name the same existing file, however they are written.
bool SameFile(const QString& a, const QString& b);

// Makes the folder and any missing folders above it.
Status MakeFolders(const QString& path);

// How an output path that is a symbolic link is treated.
enum class Links {
    kFollow,  // a path the user named: written where the link points
    kRefuse,  // a name the program made in a folder: never followed out of it
};

// Writes bytes to path through a temporary file in the same folder that then
// replaces the old file in one step: a failure leaves any old file whole, and
// the new one keeps the old one's mode. A character device (/dev/null) and
// the program's own standard output are written into; a folder, a FIFO, a
// socket or a block device is refused and nothing is written. Under kRefuse
// anything but a regular file at the name is refused.
Status WriteFileAtomically(const QString& path, const QByteArray& bytes,
                           Links links = Links::kFollow);

// Removes the temporary files of ours that runs killed while writing left in
// the folder: named as ours, regular, owned by this user and long untouched.
void RemoveStaleTemporaries(const QString& folder);

}  // namespace glyph
