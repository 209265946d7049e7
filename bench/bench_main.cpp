// Median timings of the render and of opening pictures, with the peak memory
// of opening the largest one. Run: bench/run.sh (or glyph_bench, offscreen).
#include <sys/resource.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "engine/CharRamp.h"
#include "workspace/Document.h"
#include "workspace/Limits.h"

namespace {

constexpr int kRuns = 31;

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// A photo-like picture: smooth colour gradients with some texture.
QImage Photo(int w, int h, QImage::Format format) {
    QImage image(w, h, format);
    for (int y = 0; y < h; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.bytesPerLine(); ++x) {
            line[x] = static_cast<uchar>((x * 3 + y * 2 + ((x * y) >> 7)) & 0xFF);
        }
    }
    return image;
}

bool Write(const QImage& image, const QString& path) {
    QImageWriter writer(path);
    writer.setQuality(85);
    return writer.write(image);
}

// A small progressive JPEG whose header claims 6000 x 6000, with empty scans added up to the
// most work the opener lets libjpeg do: the slowest hostile file that still opens.
bool WriteHostileJpeg(const QString& path) {
    constexpr qint64 kBlocks = 843'750;  // 6000 x 6000, 4:2:0
    const int kScansAtTheBound = int(glyph::WorkBound() / kBlocks);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(Photo(64, 48, QImage::Format_RGB32))) return false;
    QByteArray bytes = buffer.data();
    const qsizetype frame = bytes.indexOf("\xFF\xC2");
    const qsizetype scan = bytes.indexOf("\xFF\xDA");
    if (frame < 0 || scan < 0 || !bytes.endsWith("\xFF\xD9")) return false;
    qToBigEndian<quint16>(6000, bytes.data() + frame + 5);
    qToBigEndian<quint16>(6000, bytes.data() + frame + 7);
    const int scanHeader = 2 + qFromBigEndian<quint16>(bytes.constData() + scan + 2);
    const QByteArray emptyScan = bytes.mid(scan, scanHeader);
    bytes.insert(bytes.size() - 2,
                 emptyScan.repeated(kScansAtTheBound - int(bytes.count("\xFF\xDA"))));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int MakePictures(const QString& dir) {
    const bool ok = Write(Photo(100, 100, QImage::Format_RGB32), dir + "/small.bmp") &&
                    Write(Photo(6000, 4000, QImage::Format_RGB888), dir + "/photo.jpg") &&
                    // Grayscale keeps the generator within memory; decoding
                    // the top rows costs the same per row.
                    Write(Photo(20000, 15000, QImage::Format_Grayscale8), dir + "/huge.jpg") &&
                    WriteHostileJpeg(dir + "/hostile.jpg");
    return ok ? 0 : 1;
}

// The open path every front end runs: header, block, levels and text.
int OpenBench(const QString& path) {
    glyph::Document document(glyph::CharRamp::BuiltIn());
    bool ok = true;
    const double ms = MedianMs(kRuns, [&] { ok = ok && document.Open(path).ok(); });
    if (!ok || !document.HasPicture()) return 1;
    std::printf("%.2f %ld\n", ms, PeakRssMb());
    return 0;
}

void RenderBench() {
    glyph::Document document(glyph::CharRamp::BuiltIn());
    const glyph::Block block{Photo(100, 100, QImage::Format_RGB32), QSize(100, 100), QPoint()};
    const double openMs = MedianMs(kRuns, [&] { document.Open(block); });
    const double adjustMs = MedianMs(kRuns, [&] { document.Run(glyph::Command::kAutoLevel); });
    std::printf("%-50s %8.2f ms\n", "render an opened block, 100 x 100", openMs);
    std::printf("%-50s %8.2f ms\n", "auto-level from the preview, 100 x 100", adjustMs);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == "--make") return MakePictures(args[2]);
    if (args.size() == 3 && args[1] == "--open") return OpenBench(args[2]);

    RenderBench();
    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    if (QProcess::execute(self, {"--make", dir.path()}) != 0) {
        std::fprintf(stderr, "could not write the pictures\n");
        return 1;
    }
    // Each picture opens in a process of its own, so the peak memory is its.
    const char* const names[][2] = {{"small.bmp", "open to text, 100 x 100 BMP"},
                                    {"photo.jpg", "open to text, 6000 x 4000 JPEG"},
                                    {"huge.jpg", "open to text, 20000 x 15000 JPEG"},
                                    {"hostile.jpg", "open to text, hostile progressive JPEG"}};
    for (const auto& [file, label] : names) {
        QProcess child;
        child.start(self, {"--open", dir.path() + "/" + file});
        child.waitForFinished(-1);
        const QStringList out = QString::fromUtf8(child.readAllStandardOutput()).split(' ');
        if (child.exitCode() != 0 || out.size() != 2) {
            std::printf("%-50s failed\n", label);
            continue;
        }
        std::printf("%-50s %8.2f ms   peak %s MB\n", label, out[0].toDouble(),
                    qPrintable(out[1].trimmed()));
    }
    return 0;
}
