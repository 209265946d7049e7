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

#include "cli/OutputNames.h"
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

// The same photo saved baseline and progressive, as cameras and editors do.
bool WriteBothWays(int w, int h, const QString& name) {
    const QImage photo = Photo(w, h, QImage::Format_RGB888);
    QImageWriter baseline(name + "-baseline.jpg");
    baseline.setQuality(85);
    QImageWriter progressive(name + "-progressive.jpg");
    progressive.setQuality(85);
    progressive.setProgressiveScanWrite(true);
    return baseline.write(photo) && progressive.write(photo);
}

int MakePictures(const QString& dir) {
    const bool ok =
        Write(Photo(100, 100, QImage::Format_RGB32), dir + "/small.bmp") &&
        Write(Photo(6000, 4000, QImage::Format_RGB888), dir + "/photo.jpg") &&
        // Grayscale keeps the generator within memory; decoding
        // the top rows costs the same per row.
        Write(Photo(20000, 15000, QImage::Format_Grayscale8), dir + "/huge.jpg") &&
        Write(Photo(20000, 15000, QImage::Format_Grayscale8), dir + "/huge.png") &&
        WriteHostileJpeg(dir + "/hostile.jpg") && WriteBothWays(6000, 4000, dir + "/24mp") &&
        WriteBothWays(8160, 6120, dir + "/50mp") && WriteBothWays(16320, 12240, dir + "/200mp");
    return ok ? 0 : 1;
}

// The open path every front end runs: header, block, levels and text.
int OpenBench(const QString& path, int runs) {
    glyph::Document document(glyph::CharRamp::BuiltIn());
    bool ok = true;
    const double ms = MedianMs(runs, [&] { ok = ok && document.Open(path).ok(); });
    if (!ok || !document.HasPicture()) return 1;
    std::printf("%.2f %ld\n", ms, PeakRssMb());
    return 0;
}

// Moving the block as a drag does: one-pixel steps near the middle of the
// picture (the pixels around the block are kept), then jumps between the
// middle and the bottom-right corner, each of which decodes afresh.
int MoveBench(const QString& path) {
    glyph::Document document(glyph::CharRamp::BuiltIn());
    if (!document.Open(path).ok()) return 1;
    const QSize size = document.block().pictureSize;
    const QPoint middle(size.width() / 2, size.height() / 2);
    const QPoint corner(size.width() - 110, size.height() - 110);
    bool ok = document.MoveBlock(middle).ok();
    int step = 0;
    const double stepMs = MedianMs(
        kRuns, [&] { ok = ok && document.MoveBlock(middle + QPoint(step++ % 10, 0)).ok(); });
    constexpr int kJumps = 5;
    int jump = 0;
    const double jumpMs = MedianMs(
        kJumps, [&] { ok = ok && document.MoveBlock(jump++ % 2 == 0 ? corner : middle).ok(); });
    std::printf("%.2f %.2f %ld\n", stepMs, jumpMs, PeakRssMb());
    return ok ? 0 : 1;
}

void RenderBench() {
    glyph::Document document(glyph::CharRamp::BuiltIn());
    const glyph::Block block{Photo(100, 100, QImage::Format_RGB32), QSize(100, 100), QPoint()};
    const double openMs = MedianMs(kRuns, [&] { document.Open(block); });
    const double adjustMs = MedianMs(kRuns, [&] { document.Run(glyph::Command::kAutoLevel); });
    std::printf("%-50s %8.2f ms\n", "render an opened block, 100 x 100", openMs);
    std::printf("%-50s %8.2f ms\n", "auto-level from the preview, 100 x 100", adjustMs);
}

// Naming a batch's outputs in one folder: many pictures of one name (from
// camera folders) should cost what as many distinct names do.
void NamesBench() {
    constexpr int kPictures = 5000;
    QTemporaryDir out;
    QStringList same;
    QStringList distinct;
    for (int i = 0; i < kPictures; ++i) {
        same << QString("shots/%1/photo.jpg").arg(i);
        distinct << QString("shots/photo-%1.jpg").arg(i);
    }
    const auto name = [&](const QStringList& pictures) {
        return MedianMs(5, [&] { glyph::cli::OutputPaths(pictures, out.path(), ".txt"); });
    };
    std::printf("%-50s %8.2f ms\n", "name 5,000 outputs, one picture name", name(same));
    std::printf("%-50s %8.2f ms\n", "name 5,000 outputs, distinct picture names", name(distinct));
}

// Runs the bench in a process of its own and gives the words it printed.
QStringList Child(const QString& self, const QStringList& arguments) {
    QProcess child;
    child.start(self, arguments);
    child.waitForFinished(-1);
    if (child.exitCode() != 0) return {};
    return QString::fromUtf8(child.readAllStandardOutput()).simplified().split(' ');
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == "--make") return MakePictures(args[2]);
    if (args.size() == 4 && args[1] == "--open") return OpenBench(args[2], args[3].toInt());
    if (args.size() == 3 && args[1] == "--move") return MoveBench(args[2]);
    if (args.size() == 2 && args[1] == "--names") {
        NamesBench();
        return 0;
    }

    RenderBench();
    NamesBench();
    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    if (QProcess::execute(self, {"--make", dir.path()}) != 0) {
        std::fprintf(stderr, "could not write the pictures\n");
        return 1;
    }
    // Each picture opens in a process of its own, so the peak memory is its.
    struct Case {
        const char* file;
        const char* label;
        int runs;
    };
    const Case opens[] = {
        {"small.bmp", "open to text, 100 x 100 BMP", kRuns},
        {"photo.jpg", "open to text, 6000 x 4000 JPEG", kRuns},
        {"huge.jpg", "open to text, 20000 x 15000 JPEG", kRuns},
        {"huge.png", "open to text, 20000 x 15000 PNG", kRuns},
        {"hostile.jpg", "open to text, hostile progressive JPEG", 5},
        {"24mp-baseline.jpg", "open to text, 24 MP baseline JPEG", kRuns},
        {"24mp-progressive.jpg", "open to text, 24 MP progressive JPEG", 5},
        {"50mp-baseline.jpg", "open to text, 50 MP baseline JPEG", kRuns},
        {"50mp-progressive.jpg", "open to text, 50 MP progressive JPEG", 5},
        {"200mp-baseline.jpg", "open to text, 200 MP baseline JPEG", kRuns},
        {"200mp-progressive.jpg", "open to text, 200 MP progressive JPEG", 3},
    };
    for (const Case& c : opens) {
        const QStringList out =
            Child(self, {"--open", dir.path() + "/" + c.file, QString::number(c.runs)});
        if (out.size() != 2) {
            std::printf("%-50s failed\n", c.label);
            continue;
        }
        std::printf("%-50s %8.2f ms   peak %s MB\n", c.label, out[0].toDouble(),
                    qPrintable(out[1]));
    }
    const Case moves[] = {{"photo.jpg", "move the block, 6000 x 4000 JPEG", kRuns},
                          {"huge.jpg", "move the block, 20000 x 15000 JPEG", kRuns},
                          {"huge.png", "move the block, 20000 x 15000 PNG", kRuns}};
    for (const Case& c : moves) {
        const QStringList out = Child(self, {"--move", dir.path() + "/" + c.file});
        if (out.size() != 3) {
            std::printf("%-50s failed\n", c.label);
            continue;
        }
        std::printf("%-50s %8.2f ms a step, %.2f ms a jump   peak %s MB\n", c.label,
                    out[0].toDouble(), out[1].toDouble(), qPrintable(out[2]));
    }
    return 0;
}
