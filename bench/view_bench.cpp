// The window's text box showing a large art: a 300 x 200 cell art, every cell
// a different colour, set in the box with the colour view on and off, fitted
// whole, and painted (median of runs). Run: bench/run.sh (or view_bench,
// offscreen).
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "engine/CharRamp.h"
#include "ui/ColourView.h"
#include "ui/TextZoom.h"

namespace {

constexpr int kRuns = 11;
constexpr int kColumns = 300;
constexpr int kRows = 200;

double MedianMs(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.resize(570, 430);
    box.show();
    glyph::TextZoom zoom(&box, nullptr);
    glyph::ColourView view(box.document());

    QRandomGenerator random(7);
    QString text;
    glyph::CellColours colours{QImage(kColumns, kRows, QImage::Format_RGB32),
                               QImage(kColumns, kRows, QImage::Format_RGB32)};
    colours.paper.fill(Qt::white);
    for (int row = 0; row < kRows; ++row) {
        if (row > 0) text += u'\n';
        for (int column = 0; column < kColumns; ++column) {
            text += glyph::CharRamp::BuiltIn().CharForLevel(int(random.bounded(256)));
            colours.ink.setPixel(column, row, random.generate() | 0xff000000u);
        }
    }

    std::printf("Text box, %d x %d cells, every cell a different colour (median of %d):\n",
                kColumns, kRows, kRuns);
    const double plain = MedianMs([&] { box.setPlainText(text); });
    std::printf("  set the text, colour view off   %8.1f ms\n", plain);
    view.SetColours(colours, false);
    view.SetOn(true);
    const double coloured = MedianMs([&] { box.setPlainText(text); });
    std::printf("  set the text, colour view on    %8.1f ms\n", coloured);
    const double fit = MedianMs([&] {
        zoom.FitText(text);
        box.setPlainText(text);
    });
    std::printf("  fit and set the text, in colour %8.1f ms\n", fit);
    const double paint = MedianMs([&] { box.viewport()->grab(); });
    std::printf("  paint the fitted art in colour  %8.1f ms\n", paint);
    return 0;
}
