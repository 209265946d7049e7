// libFuzzer target for the open path: measuring, decoding the top-left region and rendering
// the text, then the whole picture reduced to cells, on whatever bytes the fuzzer makes.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>

#include "damage/OpenToText.h"
#include "workspace/Limits.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // libjpeg's warnings on damaged data would cost more than the decoding.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg=false"));
    // A progressive header may make libjpeg clear up to the memory bound before the first
    // row, and a picture read whole takes as much: fine for the program, but under ASan on a
    // busy machine past the timeout. The bounds' own checks run the same when lower; the
    // bench times the worst file at the full bounds.
    glyph::TightenBounds(16 * 1024 * 1024, 5'000'000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The open command reads files, and Qt's JPEG reader treats a file unlike a buffer.
    static const QString path =
        QDir::temp().filePath(QString("glyph-fuzz-%1.pic").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    // A second decode must give the same pixels: anything else is a pixel the file does
    // not fix, such as memory the decoder never wrote.
    for (const auto open : {glyph::damage::OpenToText, glyph::damage::OpenWholeToText}) {
        const glyph::damage::Opened opened = open(path);
        const glyph::damage::Opened again = open(path);
        if (again.ok != opened.ok) std::abort();
        if (opened.ok && (again.region != opened.region || again.text != opened.text)) std::abort();
    }
    return 0;
}
