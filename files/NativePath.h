#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace glyph {

// File names are bytes to the system, and need not be UTF-8 (Shift-JIS names
// from disks shared with Windows). A name that is not UTF-8 keeps each stray
// byte as a lone surrogate U+DC80..U+DCFF, so that it survives a QString and
// comes back byte for byte. Every file this program opens or writes is named
// through NativePath().

// The bytes to give the system for path.
QByteArray NativePath(const QString& path);

// The name the system gave, as a QString that NativePath() turns back into
// the same bytes.
QString PathFromNative(const QByteArray& bytes);

// The command line, each argument as PathFromNative() gives it.
QStringList ArgumentsFromArgv(int argc, const char* const* argv);

// The local file a file URL names, byte for byte; empty for any other URL.
QString PathOfLocalUrl(const QUrl& url);

// A path whose names were decoded with U+FFFD in place of stray bytes (Qt's
// file dialog lists names so): each name that does not exist as written is
// matched against its folder's entries decoded the same way, and taken when
// exactly one entry matches. Any other path comes back as it is.
QString RecoverLossyPath(const QString& path);

}  // namespace glyph
