#include "files/NativePath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace glyph {

namespace {

constexpr char32_t kEscapeBase = 0xDC00;  // + the stray byte, 0x80..0xFF
constexpr char32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence that starts `bytes`, or 0;
// overlong forms, surrogates and code points beyond U+10FFFF are not.
int Utf8Length(const unsigned char* bytes, qsizetype available, char32_t& code) {
    const unsigned char lead = bytes[0];
    int length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (available < length) return 0;
    for (int k = 1; k < length; ++k) {
        if ((bytes[k] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (bytes[k] & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void AppendUtf8(QByteArray& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool Exists(const QByteArray& native) {
    struct stat info {};
    return lstat(native.constData(), &info) == 0;
}

// The one entry of folder whose name, decoded with U+FFFD for stray bytes,
// reads as `name`; empty when none or several do.
QByteArray UniqueLossyMatch(const QByteArray& folder, const QString& name) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.constData()), closedir);
    if (!dir) return {};
    QByteArray found;
    int matches = 0;
    while (const dirent* entry = readdir(dir.get())) {
        const QByteArray bytes(entry->d_name);
        if (QString::fromUtf8(bytes) == name) {
            found = bytes;
            ++matches;
        }
    }
    return matches == 1 ? found : QByteArray();
}

}  // namespace

QByteArray NativePath(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        if (c.isHighSurrogate() && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            AppendUtf8(out, QChar::surrogateToUcs4(c, path[i + 1]));
            ++i;
        } else if (c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF) {
            out += char(c.unicode() - kEscapeBase);
        } else {
            AppendUtf8(out, c.isSurrogate() ? kReplacement : c.unicode());
        }
    }
    return out;
}

QString PathFromNative(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = Utf8Length(data + i, bytes.size() - i, code);
        if (length == 0) {
            out += QChar(char16_t(kEscapeBase + data[i]));
            ++i;
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i += length;
    }
    return out;
}

QStringList ArgumentsFromArgv(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << PathFromNative(QByteArray(argv[i]));
    return arguments;
}

QString PathOfLocalUrl(const QUrl& url) {
    if (!url.isLocalFile()) return {};
    // Fully encoded, the stray bytes are still %XX; decoded here, they are bytes.
    return PathFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString RecoverLossyPath(const QString& path) {
    if (!path.contains(QChar(char16_t(kReplacement))) || Exists(NativePath(path))) return path;
    const bool absolute = path.startsWith(u'/');
    QByteArray found = absolute ? QByteArray("/") : QByteArray();
    for (const QString& name : path.split(u'/', Qt::SkipEmptyParts)) {
        const QByteArray folder = found.isEmpty() ? QByteArray(".") : found;
        const QByteArray prefix = found.isEmpty() || found.endsWith('/') ? found : found + '/';
        QByteArray next = prefix + NativePath(name);
        if (!Exists(next)) {
            const QByteArray match = UniqueLossyMatch(folder, name);
            if (match.isEmpty()) return path;
            next = prefix + match;
        }
        found = next;
    }
    return PathFromNative(found);
}

}  // namespace glyph
