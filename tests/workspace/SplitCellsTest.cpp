// A cell's colour split into an ink and a paper, and the document's cells so
// split.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <vector>

#include "document/Document.h"
#include "output/ArtColours.h"

namespace glyph {
namespace {

// The cell as drawn: its paper, with the ink over the glyph's share.
int Mixed(int paper, int ink, double coverage) {
    return int(std::lround(paper + coverage * (ink - paper)));
}

CellColours SplitOne(QRgb colour, float coverage, bool light) {
    QImage means(1, 1, QImage::Format_RGB32);
    means.setPixel(0, 0, colour);
    return SplitCells(means, {coverage}, light);
}

TEST(SplitCells, InkAndPaperMixBackToTheColourAndStayApart) {
    const QRgb colours[] = {qRgb(200, 60, 40),   qRgb(40, 90, 160), qRgb(128, 128, 128),
                            qRgb(250, 250, 240), qRgb(10, 20, 5),   qRgb(255, 0, 0)};
    for (const bool light : {false, true})
        for (const QRgb colour : colours)
            for (const float coverage : {0.05f, 0.2f, 0.4f}) {
                const CellColours cell = SplitOne(colour, coverage, light);
                const QRgb ink = cell.ink.pixel(0, 0);
                const QRgb paper = cell.paper.pixel(0, 0);
                const auto where = [&] {
                    return testing::Message() << std::hex << colour << " at " << coverage
                                              << (light ? " light" : " dark");
                };
                // The glyph reads: ink and paper a least contrast apart in gray,
                // the ink on the side the look asks for.
                const int contrast = light ? qGray(ink) - qGray(paper) : qGray(paper) - qGray(ink);
                EXPECT_GE(contrast, 28) << where();
                // Where every channel has room, the mix is the colour; at the
                // ends of a channel it moves by at most the least contrast.
                const int channels[3][3] = {{qRed(colour), qRed(paper), qRed(ink)},
                                            {qGreen(colour), qGreen(paper), qGreen(ink)},
                                            {qBlue(colour), qBlue(paper), qBlue(ink)}};
                for (const auto& [want, p, k] : channels) {
                    const int error = std::abs(Mixed(p, k, coverage) - want);
                    const bool room = want > 40 && want < 215;
                    EXPECT_LE(error, room ? 1 : 32) << where() << " channel " << want;
                }
            }
}

TEST(SplitCells, TheDocumentsCellsFollowItsColoursAndTheToneSteps) {
    QImage pixels(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) pixels.setPixel(x, y, qRgb(40 + 20 * x, 200 - 30 * y, 90));
    Document document(CharRamp::BuiltIn());
    document.Open(Block{pixels, pixels.size(), {}});

    const auto check = [&](const CellColours& cells, const QImage& want, bool gray) {
        ASSERT_EQ(cells.ink.size(), pixels.size());
        ASSERT_EQ(cells.paper.size(), pixels.size());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                const double coverage = ExpectedCoverage(document.art().level(x, y), false);
                const QRgb ink = cells.ink.pixel(x, y);
                const QRgb paper = cells.paper.pixel(x, y);
                const QRgb colour = want.pixel(x, y);
                EXPECT_NEAR(Mixed(qRed(paper), qRed(ink), coverage), qRed(colour), 1);
                EXPECT_NEAR(Mixed(qBlue(paper), qBlue(ink), coverage), qBlue(colour), 1);
                if (gray) {
                    EXPECT_TRUE(qRed(ink) == qGreen(ink) && qRed(paper) == qBlue(paper));
                }
            }
    };
    check(document.cellColours(), document.colours(), false);
    QImage tones(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const int level = document.art().level(x, y);
            tones.setPixel(x, y, qRgb(level, level, level));
        }
    check(document.grayCells(), tones, true);

    // A measured coverage is taken as given; a darker step darkens the paper.
    const Inking measured{[](const QString&) { return 0.3f; }};
    const CellColours before = document.cellColours(measured);
    document.Run(Command::kDarker);
    const CellColours after = document.cellColours(measured);
    for (int x = 0; x < 8; ++x)
        EXPECT_LT(qGray(after.paper.pixel(x, 1)), qGray(before.paper.pixel(x, 1))) << x;
}

}  // namespace
}  // namespace glyph
