// Median timings of the render and of opening pictures, with the peak memory
// of opening the largest one; whole pictures fitted to 100 columns beside
// libjpeg's own scaled decoding and beside the peers. Run: bench/run.sh (or
// glyph_bench, offscreen).
#include <fcntl.h>
#include <png.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
// clang-format off: jpeglib.h needs stdio.h first
#include <jpeglib.h>
// clang-format on

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <ctime>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "basics/Limits.h"
#include "cli/OutputNames.h"
#include "document/Convert.h"
#include "document/Document.h"
#include "engine/CharRamp.h"
#include "picture/Framing.h"

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

// ---- The whole picture fitted to 100 columns ----

// Smooth colour over the picture, as a landscape photo has; `grain` adds
// sensor-like noise of that amplitude to every sample.
class PhotoRows {
  public:
    PhotoRows(int w, int h, int grain) : w_(w), h_(h), grain_(grain), row_(std::size_t(w) * 3) {}

    const uchar* Row(int y) {
        const double fy = double(y) / h_;
        for (int x = 0; x < w_; ++x) {
            const double fx = double(x) / w_;
            const double light = 0.5 + 0.35 * std::sin(fx * 5.1 + fy * 2.3) * std::cos(fy * 3.7);
            const int base[3] = {int(255 * light * (0.7 + 0.3 * fx)), int(255 * light * 0.9),
                                 int(255 * light * (1.0 - 0.4 * fy))};
            for (int c = 0; c < 3; ++c) {
                const int noise = grain_ ? int(Next() % unsigned(2 * grain_ + 1)) - grain_ : 0;
                row_[std::size_t(x) * 3 + std::size_t(c)] =
                    uchar(std::clamp(base[c] + noise, 0, 255));
            }
        }
        return row_.data();
    }

  private:
    unsigned Next() {  // xorshift: the same grain on every run
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int w_, h_, grain_;
    unsigned state_ = 2463534242u;
    std::vector<uchar> row_;
};

// Written a row at a time through libjpeg, baseline 4:2:0, so that a
// 200-megapixel picture needs no more than its rows to make.
bool WriteJpegRows(const QString& path, int w, int h, int grain, int quality) {
    FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (out == nullptr) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    PhotoRows photo(w, h, grain);
    for (int y = 0; y < h; ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(photo.Row(y));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0;
}

// The same through libpng, RGB, fast compression.
bool WritePngRows(const QString& path, int w, int h) {
    FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (out == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return false;
    }
    png_init_io(png, out);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    PhotoRows photo(w, h, 0);
    for (int y = 0; y < h; ++y) png_write_row(png, photo.Row(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}

int MakeFitPictures(const QString& dir) {
    const bool ok = WriteJpegRows(dir + "/fit-smooth.jpg", 6000, 4000, 0, 90) &&
                    WriteJpegRows(dir + "/fit-grainy.jpg", 6000, 4000, 24, 90) &&
                    WriteJpegRows(dir + "/fit-200mp.jpg", 16330, 12250, 0, 90) &&
                    WritePngRows(dir + "/fit-huge.png", 20000, 15000);
    return ok ? 0 : 1;
}

// The floor: libjpeg alone decoding the file at 1/8 scale, every scanline read
// (in colour, or its luma alone).
bool DecodeAtOneEighth(const QString& path, bool gray = false) {
    FILE* in = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (in == nullptr) return false;
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in);
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = 8;
    if (gray) info.out_color_space = JCS_GRAYSCALE;
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(std::size_t(info.output_width) * std::size_t(info.output_components));
    JSAMPROW rows[1] = {row.data()};
    while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(in);
    return true;
}

glyph::Framing WholeTo100Columns() {
    glyph::Framing framing;
    framing.mode = glyph::Framing::Mode::kWhole;
    framing.mostCells = QSize(100, 100);
    return framing;
}

glyph::Result<QString> FitWhole(const QString& path) {
    return glyph::ConvertFile(path, {}, glyph::CharRamp::BuiltIn(), WholeTo100Columns());
}

// Exactly what a converter fitting one picture does: open, convert, print.
int FitOne(const QString& path) {
    const glyph::Result<QString> text = FitWhole(path);
    if (!text) return 1;
    const QByteArray bytes = text->toUtf8();
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
                   std::size_t(bytes.size())
               ? 0
               : 1;
}

double BestMs(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

// Each picture fitted in this process beside the floor, the two taken in
// turn so that another build slows both alike; the best of the runs.
void FitBatchBench(const QStringList& pictures) {
    constexpr int kFitRuns = 7;
    for (const QString& path : pictures) {
        bool ok = true;
        double ours = 1e300;
        double floor = 1e300;
        for (int i = 0; i < kFitRuns; ++i) {
            ours = std::min(ours, BestMs(1, [&] { ok = ok && FitWhole(path).ok(); }));
            floor = std::min(floor, BestMs(1, [&] { ok = ok && DecodeAtOneEighth(path); }));
        }
        const QString label =
            QString("fit whole to 100 columns, %1").arg(QFileInfo(path).fileName());
        if (!ok) {
            std::printf("%-50s failed\n", qPrintable(label));
            continue;
        }
        std::printf("%-50s %8.2f ms   libjpeg at 1/8: %.2f ms   %.2f x the floor (target 1.3)\n",
                    qPrintable(label), ours, floor, ours / floor);
    }
}

// A child process with its output thrown away: its wall time and its own
// peak memory, from wait4. Empty when it cannot run or fails.
struct ChildRun {
    double ms = 0;
    long peakKb = 0;
    double cpuMs = 0;  // user and system
};
std::optional<ChildRun> RunChild(const QStringList& command) {
    std::vector<QByteArray> words;
    for (const QString& word : command) words.push_back(QFile::encodeName(word));
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return std::nullopt;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    const auto msOf = [](const timeval& t) { return double(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    return ChildRun{ms, usage.ru_maxrss, msOf(usage.ru_utime) + msOf(usage.ru_stime)};
}

// One photo, each tool a whole process: the best of the runs.
void WholeProcessBench(const QString& self, const QString& photo) {
    constexpr int kProcessRuns = 5;
    std::printf("\n%s, 6000 x 4000, each tool a whole process (best of %d)\n",
                qPrintable(QFileInfo(photo).fileName()), kProcessRuns);
    struct Tool {
        QString label;
        QStringList command;
    };
    std::vector<Tool> tools = {{"glyph_bench --fit (open, convert, print)", {self, "--fit", photo}},
                               {"chafa -s 200x75 --format symbols",
                                {"chafa", "-s", "200x75", "--format", "symbols", photo}},
                               {"jp2a --width=200", {"jp2a", "--width=200", photo}}};
    const QString converter = qEnvironmentVariable("GLYPH_FIT_CONVERTER");
    if (!converter.isEmpty())
        tools.insert(tools.begin() + 1, {"glyphorama-convert --fit", {converter, "--fit", photo}});
    double ours = 0;
    for (const Tool& tool : tools) {
        std::optional<ChildRun> best;
        for (int i = 0; i < kProcessRuns; ++i) {
            const std::optional<ChildRun> run = RunChild(tool.command);
            if (!run) break;
            if (!best || run->ms < best->ms) best = run;
        }
        if (!best) {
            std::printf("%-50s skipped (not installed or failed)\n", qPrintable(tool.label));
            continue;
        }
        if (ours == 0) ours = best->ms;
        std::printf("%-50s %8.2f ms   peak %ld MB", qPrintable(tool.label), best->ms,
                    best->peakKb / 1024);
        if (best->ms != ours) std::printf("   (%.1f x ours, target 4)", best->ms / ours);
        std::printf("\n");
    }
}

// Peak memory of a process that only fits one picture.
void FitPeakBench(const QString& self, const QString& path, const char* label) {
    const std::optional<ChildRun> run = RunChild({self, "--fit", path});
    if (!run) {
        std::printf("%-50s failed\n", label);
        return;
    }
    std::printf("%-50s %8.2f ms   peak %ld MB (target under 64)\n", label, run->ms,
                run->peakKb / 1024);
}

// Runs the bench in a process of its own and gives the words it printed.
QStringList Child(const QString& self, const QStringList& arguments) {
    QProcess child;
    child.start(self, arguments);
    child.waitForFinished(-1);
    if (child.exitCode() != 0) return {};
    return QString::fromUtf8(child.readAllStandardOutput()).simplified().split(' ');
}

// Whole pictures fitted to 100 columns: the pictures must be in `dir`.
// Drawing a rectangle in the window: the first step keeps a reduced copy of
// the photo, each later one is made from it (target: each step within 50 ms).
void DrawRectangleBench(const QString& path) {
    glyph::Document document(glyph::CharRamp::BuiltIn());
    glyph::Framing framing;
    framing.mode = glyph::Framing::Mode::kRectangle;
    framing.rectangle = QRect(0, 0, 1 << 20, 1 << 20);
    if (!document.Open(path, framing).ok()) {
        std::printf("%-50s failed\n", "draw a rectangle");
        return;
    }
    const double first =
        BestMs(1, [&] { (void)document.PreviewRectangle(QRect(100, 100, 3000, 2000)); });
    int step = 0;
    const double later = MedianMs(31, [&] {
        ++step;
        (void)document.PreviewRectangle(
            QRect(1000 + 7 * step, 800 + 5 * step, 1200 + 3 * step, 900));
    });
    std::printf("%-50s first step %.1f ms, each later step %.2f ms (target 50)\n",
                qPrintable(QString("draw a rectangle on %1").arg(QFileInfo(path).fileName())),
                first, later);
}

// ---- The whole picture against libjpeg's floor, as the converter runs ----

// A time both ways: wall clock, and processor time (user and system), which
// a machine busy with other work disturbs less.
struct Times {
    double wall = 0;
    double cpu = 0;
    void Least(double w, double c) {
        if (w <= 0) return;
        if (wall == 0 || w < wall) wall = w;
        if (cpu == 0 || c < cpu) cpu = c;
    }
};

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// A smooth 6000 x 4000 photo-like JPEG fitted as plain text: the floor is
// libjpeg decoding it at 1/8 to gray, which no reduction of it can beat.
void FloorFigures(const QString& converter) {
    constexpr int kRounds = 9;
    constexpr int kBatch = 20;
    QTemporaryDir dir;
    const QString photo = dir.filePath("photo.jpg");
    const QString small = dir.filePath("small.bmp");
    const QString ramp = dir.filePath("ramp.txt");
    QFile rampFile(ramp);
    if (!WriteJpegRows(photo, 6000, 4000, 0, 90) ||
        !Write(Photo(100, 100, QImage::Format_RGB32), small) ||
        !rampFile.open(QIODevice::WriteOnly) ||
        rampFile.write("\xEF\xBB\xBF" + glyph::CharRamp::BuiltIn().entries().join(u',').toUtf8()) <=
            0) {
        std::printf("could not write the pictures for the floor\n");
        return;
    }
    rampFile.close();
    QStringList batch = {converter, "--fit",        "--ramp=" + ramp,   "-j",
                         "1",       "--output-dir", dir.filePath("out")};
    QDir().mkpath(dir.filePath("batch"));
    for (int i = 0; i < kBatch; ++i) {
        const QString link = dir.filePath(QString("batch/photo-%1.jpg").arg(i));
        if (!QFile::link(photo, link)) QFile::copy(photo, link);
        batch << link;
    }
    // The kept ramp made once, as any first run without --ramp makes it.
    (void)RunChild({converter, "--fit", photo});
    Times floor, block, withRamp, keptRamp, perPicture;
    const auto child = [](Times& times, const QStringList& command, int share) {
        if (const std::optional<ChildRun> run = RunChild(command))
            times.Least(run->ms / share, run->cpuMs / share);
    };
    // Taken in turn, so that a busy machine slows each alike.
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = ProcessCpuMs();
        if (DecodeAtOneEighth(photo, true))
            floor.Least(double(timer.nsecsElapsed()) / 1e6, ProcessCpuMs() - cpu);
        child(block, {converter, "--ramp=" + ramp, small}, 1);
        child(withRamp, {converter, "--fit", "--ramp=" + ramp, photo}, 1);
        child(keptRamp, {converter, "--fit", photo}, 1);
        child(perPicture, batch, kBatch);
    }
    std::printf(
        "\nfit a smooth 6000 x 4000 JPEG as text, against libjpeg (best of %d): wall ms "
        "(processor ms)\n",
        kRounds);
    const auto line = [](const char* label, const Times& t, const QString& goal) {
        std::printf("%-46s %7.2f (%6.2f)   %s\n", label, t.wall, t.cpu, qPrintable(goal));
    };
    line("floor: libjpeg at 1/8 to gray, in process", floor, {});
    line("converter, 100 x 100 BMP block (process start)", block, {});
    line("converter, batch of 20, one job, per picture", perPicture,
         QString("%1 x the floor (%2); goal 1.15")
             .arg(perPicture.wall / floor.wall, 0, 'f', 2)
             .arg(perPicture.cpu / floor.cpu, 0, 'f', 2));
    // The batch less its process's start, which one picture's run stands for.
    Times more;
    more.Least((perPicture.wall * kBatch - withRamp.wall) / (kBatch - 1),
               (perPicture.cpu * kBatch - withRamp.cpu) / (kBatch - 1));
    line("  each picture past the first", more,
         QString("%1 x the floor (%2)")
             .arg(more.wall / floor.wall, 0, 'f', 2)
             .arg(more.cpu / floor.cpu, 0, 'f', 2));
    const double goalWall = (floor.wall + block.wall) * 1.2;
    const double goalCpu = (floor.cpu + block.cpu) * 1.2;
    for (const auto& [label, t] : {std::pair{"converter, one process, --ramp", withRamp},
                                   std::pair{"converter, one process, kept ramp", keptRamp}}) {
        line(label, t,
             QString("goal (floor + block) x 1.2: %1 (%2)")
                 .arg(goalWall, 0, 'f', 2)
                 .arg(goalCpu, 0, 'f', 2));
    }
}

void FitFigures(const QString& self, const QDir& dir) {
    std::printf("\n");
    DrawRectangleBench(dir.filePath("fit-smooth.jpg"));
    DrawRectangleBench(dir.filePath("fit-grainy.jpg"));
    FitBatchBench({dir.filePath("fit-smooth.jpg"), dir.filePath("fit-grainy.jpg")});
    WholeProcessBench(self, dir.filePath("fit-smooth.jpg"));
    WholeProcessBench(self, dir.filePath("fit-grainy.jpg"));
    std::printf("\n");
    FitPeakBench(self, dir.filePath("fit-huge.png"), "fit whole, 20000 x 15000 PNG");
    FitPeakBench(self, dir.filePath("fit-200mp.jpg"), "fit whole, 16330 x 12250 baseline JPEG");
}

}  // namespace

int main(int argc, char* argv[]) {
    // Fitting one picture needs no more than the converter's application.
    if (argc == 3 && std::strcmp(argv[1], "--fit") == 0) {
        QCoreApplication app(argc, argv);
        return FitOne(QCoreApplication::arguments()[2]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == "--make") return MakePictures(args[2]);
    if (args.size() == 3 && args[1] == "--make-fit") return MakeFitPictures(args[2]);
    if (args.size() == 3 && args[1] == "--fit-figures") {
        FitFigures(QCoreApplication::applicationFilePath(), QDir(args[2]));
        return 0;
    }
    if (args.size() == 4 && args[1] == "--open") return OpenBench(args[2], args[3].toInt());
    if (args.size() == 3 && args[1] == "--move") return MoveBench(args[2]);
    if (args.size() == 3 && args[1] == "--floor-figures") {
        FloorFigures(args[2]);
        return 0;
    }
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

    if (QProcess::execute(self, {"--make-fit", dir.path()}) != 0) {
        std::fprintf(stderr, "could not write the pictures to fit\n");
        return 1;
    }
    FitFigures(self, dir.path());
    return 0;
}
