// Pictures and pages of a 100 x 75 cell art: the time to draw and encode each
// (median of runs), against the target of 100 ms for the PNG. Run:
// bench/run.sh (or art_bench, offscreen).
#include <time.h>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "engine/CharRamp.h"
#include "output/ArtWriters.h"

namespace {

constexpr int kRuns = 21;
constexpr int kColumns = 100;
constexpr int kRows = 75;

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Median wall-clock and processor times: on a machine shared with other work
// the second says what the drawing itself costs.
struct Times {
    double wall;
    double cpu;
    double best;  // wall-clock
};

Times MedianMs(const std::function<void()>& work) {
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = CpuMs();
        work();
        cpus.push_back(CpuMs() - cpu);
        walls.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2], walls.front()};
}

// A photo-like art: levels and colours in smooth gradients with some texture,
// so that few neighbours share a colour.
glyph::Art PhotoArt() {
    glyph::Art art;
    art.colours = QImage(kColumns, kRows, QImage::Format_RGB32);
    const glyph::CharRamp& ramp = glyph::CharRamp::BuiltIn();
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            const int level = (x * 2 + y * 3 + ((x * y) >> 4)) & 0xFF;
            art.text += ramp.CharForLevel(level);
            art.colours.setPixel(x, y, qRgb(level, (x * 5) & 0xFF, (y * 7) & 0xFF));
        }
        art.text += QStringLiteral("\r\n");
    }
    return art;
}

// The same art with each cell's colour split into an ink and a paper, at the
// coverage a ramp's level is expected to have.
glyph::Art PaperedArt(const glyph::Art& art) {
    std::vector<float> coverage;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x)
            coverage.push_back(glyph::ExpectedCoverage(qRed(art.colours.pixel(x, y)), false));
    const glyph::CellColours cells = glyph::SplitCells(art.colours, coverage, false);
    return {art.text, cells.ink, cells.paper};
}

void Time(const char* label, const glyph::Art& art, const glyph::ArtStyle& style) {
    std::size_t bytes = 0;
    bool ok = true;
    const Times ms = MedianMs([&] {
        const glyph::Result<QByteArray> written = glyph::WriteArt(art, style, QStringLiteral("b"));
        ok = ok && written.ok();
        bytes = written ? std::size_t(written->size()) : 0;
    });
    if (!ok) {
        std::printf("%-50s failed\n", label);
        return;
    }
    std::printf("%-22s %7.2f ms   best %7.2f ms   processor %7.2f ms   %5zu KB\n", label, ms.wall,
                ms.best, ms.cpu, bytes / 1024);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const glyph::Art art = PhotoArt();
    const glyph::Result<glyph::ArtFont> font =
        glyph::ResolveArtFont(QStringLiteral("IPAGothic"), 16);
    if (!font) {
        std::printf("IPAGothic is not installed: the pictures are not timed\n");
        return 0;
    }
    const glyph::ArtLook colour{true, false};
    const glyph::ArtLook black{false, false};
    using glyph::ArtFormat;
    std::printf("pictures of a %d x %d cell art in IPAGothic 16 px (target for the PNG: 100 ms)\n",
                kColumns, kRows);
    Time("PNG, in colour", art, {ArtFormat::kPng, colour, {}, *font});
    const Times split = MedianMs([&] { PaperedArt(art); });
    std::printf("%-22s %7.2f ms   best %7.2f ms   processor %7.2f ms\n", "split ink and paper",
                split.wall, split.best, split.cpu);
    const glyph::Art papered = PaperedArt(art);
    Time("PNG, ink and paper", papered, {ArtFormat::kPng, colour, {}, *font});
    Time("SVG, ink and paper", papered, {ArtFormat::kSvg, colour, {}, *font});
    Time("HTML, ink and paper", papered, {ArtFormat::kHtml, colour, {}, *font});
    Time("ANSI, ink and paper", papered, {ArtFormat::kAnsi, colour, glyph::AnsiColours::kFull, {}});
    Time("PNG, black on white", art, {ArtFormat::kPng, black, {}, *font});
    Time("SVG, in colour", art, {ArtFormat::kSvg, colour, {}, *font});
    Time("HTML page, in colour", art, {ArtFormat::kHtml, colour, {}, *font});
    Time("ANSI text, 24-bit", art, {ArtFormat::kAnsi, colour, glyph::AnsiColours::kFull, {}});
    return 0;
}
