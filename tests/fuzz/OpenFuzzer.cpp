// libFuzzer target for the open path: measuring, decoding the top-left region and rendering
// the text, then the whole picture reduced to cells, by tone and by shape, on whatever bytes
// the fuzzer makes.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "basics/Limits.h"
#include "damage/OpenToText.h"
#include "glyphs/ShapeSource.h"

namespace {

// Small glyphs measure fast under the sanitizers; the matching is the same at any size.
constexpr int kShapePixelSize = 8;
const QString kShapeFamily = QStringLiteral("IPAGothic");
constexpr QSize kShapeCells(12, 12);

glyph::damage::Opened OpenShapesToText(const QString& path) {
    glyph::Framing whole;
    whole.mode = glyph::Framing::Mode::kWhole;
    whole.match = glyph::Match::kKanjiShapes;
    // Each cell is matched alike; a few hundred cells keep each run short under ASan.
    whole.mostCells = kShapeCells;
    return glyph::damage::OpenFramedToText(path, whole);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // libjpeg's warnings on damaged data would cost more than the decoding.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg=false"));
    // A progressive header may make libjpeg clear up to the memory bound before the first
    // row, and a picture read whole takes as much: fine for the program, but under ASan on a
    // busy machine past the timeout. The bounds' own checks run the same when lower; the
    // bench times the worst file at the full bounds. FUZZ_BOUNDS=tighter lowers them further,
    // so that more files take the refusing paths; FUZZ_BOUNDS=program keeps the program's.
    const QByteArray bounds = qgetenv("FUZZ_BOUNDS");
    if (bounds == "tighter") {
        glyph::TightenBounds(4 * 1024 * 1024, 1'000'000);
    } else if (bounds != "program") {
        glyph::TightenBounds(16 * 1024 * 1024, 5'000'000);
    }

    // The shape pool is measured once, into a cache folder of the run's own rather than the
    // user's; it needs a QGuiApplication, which lives as long as the process.
    static QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* const app = new QGuiApplication(*argc, *argv);
    // Deleted before LeakSanitizer looks, and the fonts it loaded with it.
    std::atexit([] { delete app; });
    QElapsedTimer timer;
    timer.start();
    glyph::ChooseShapeFont({kShapeFamily, kShapePixelSize});
    const std::size_t shapes = glyph::ArtShapes(glyph::Match::kKanjiShapes).size();
    std::fprintf(stderr, "shape pool: %zu glyphs measured in %lld ms\n", shapes,
                 static_cast<long long>(timer.elapsed()));
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
    for (const auto open :
         {glyph::damage::OpenToText, glyph::damage::OpenWholeToText, OpenShapesToText}) {
        const glyph::damage::Opened opened = open(path);
        const glyph::damage::Opened again = open(path);
        if (again.ok != opened.ok) std::abort();
        if (opened.ok && (again.region != opened.region || again.text != opened.text)) std::abort();
    }
    return 0;
}
