// Opens picture files as the open command does and prints what each gives: refused, or the
// region's size and a checksum of its text. For memcheck, and for replaying fuzzer finds
// without clang.
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFileInfo>

#include <cstdio>

#include "damage/OpenToText.h"

int main(int argc, char** argv) {
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(arg).isDir()) {
            files << arg;
            continue;
        }
        QDirIterator it(arg, QDir::Files);
        while (it.hasNext()) files << it.next();
    }
    files.sort();
    for (const QString& file : files) {
        const glyph::damage::Opened opened = glyph::damage::OpenToText(file);
        const QByteArray sum =
            QCryptographicHash::hash(opened.text.toUtf8(), QCryptographicHash::Sha1).toHex();
        if (opened.ok) {
            std::printf("%s: %dx%d %s\n", qPrintable(file), opened.region.width(),
                        opened.region.height(), sum.constData());
        } else {
            std::printf("%s: refused\n", qPrintable(file));
        }
    }
    return 0;
}
