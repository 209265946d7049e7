// Making and judging ramps through the converter, in the fonts the set-up installs.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <cmath>

#include "ConverterProcess.h"
#include "engine/CharRamp.h"
#include "engine/Cp932.h"

namespace glyph::cli {
namespace {

const QStringList kIpaGothic16 = {"--font", "IPAGothic", "--size", "16"};

// A figure of a report line such as "Tone error: 0.44 levels on average", by its label.
double Figure(const QString& report, const QString& label) {
    for (const QString& line : report.split(u'\n')) {
        if (!line.startsWith(label)) continue;
        QStringList numbers;
        for (const QString& word :
             line.mid(label.size()).split(QRegularExpression("[^0-9.]+"), Qt::SkipEmptyParts)) {
            numbers << word;
        }
        return numbers.value(0, "nan").toDouble();
    }
    return std::nan("");
}

// Coverage by level from a report's table ("level coverage entry").
std::vector<double> CoverageColumn(const QByteArray& report) {
    std::vector<double> coverage;
    for (const QString& line : QString::fromUtf8(report).split(u'\n')) {
        const QStringList words = line.split(u' ');
        bool isLevel = false;
        words.value(0).toInt(&isLevel);
        if (isLevel && words.size() >= 2) coverage.push_back(words[1].toDouble());
    }
    return coverage;
}

TEST(MakeRamp, AMadeRampFallsEvenlyIsReadAsAMojiTxtAndJudgedSoByTheReport) {
    QTemporaryDir dir;
    const QString file = dir.filePath("moji.txt");
    const QString chart = dir.filePath("chart.png");
    const Ran made =
        Convert(QStringList{"--make-ramp", "-o", file, "--chart", chart} + kIpaGothic16);
    ASSERT_EQ(made.status, 0) << made.err.toStdString();

    // 256 lines of CP932, one entry each, as a moji.txt is written.
    const QByteArray bytes = ReadAll(file);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const std::optional<QString> text = DecodeCp932(bytes);
    ASSERT_TRUE(text.has_value());
    const QStringList lines = text->split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 257);  // and the empty piece after the last break
    const CharRamp ramp = ParseCharRamp(bytes).ramp;
    for (int level = 0; level < 256; ++level) EXPECT_EQ(ramp.CharForLevel(level), lines[level]);
    EXPECT_FALSE(QImage(chart).isNull());

    // The report measures the file on its own: every level as light as the one before or
    // lighter, and the coverage falling evenly.
    const Ran report = Convert(QStringList{"--ramp-report", "--ramp", file} + kIpaGothic16);
    ASSERT_EQ(report.status, 0) << report.err.toStdString();
    const std::vector<double> coverage = CoverageColumn(report.out);
    ASSERT_EQ(coverage.size(), 256u);
    const double step = (coverage.front() - coverage.back()) / 255;
    double error = 0;
    for (std::size_t level = 1; level < 256; ++level) {
        EXPECT_LE(coverage[level], coverage[level - 1]) << level;
        error += std::abs(coverage.front() - step * double(level) - coverage[level]) / step;
    }
    EXPECT_LE(error / 256, 1.0) << "mean distance from the even fall, in levels";
    const QString said = QString::fromUtf8(report.out);
    EXPECT_EQ(Figure(said, "Levels denser than the one before:"), 0);
    EXPECT_GE(Figure(said, "Distinct glyphs:"), 200);
    EXPECT_LE(Figure(said, "Tone error:"), 1.0);

    // Wider in ink than the built-in ramp in the same font and cell.
    const Ran builtIn = Convert(QStringList{"--ramp-report"} + kIpaGothic16);
    ASSERT_EQ(builtIn.status, 0);
    const std::vector<double> builtInCoverage = CoverageColumn(builtIn.out);
    const auto span = [](const std::vector<double>& c) {
        return *std::max_element(c.begin(), c.end()) - *std::min_element(c.begin(), c.end());
    };
    EXPECT_GE(span(coverage), 1.3 * span(builtInCoverage));
    EXPECT_GT(Figure(QString::fromUtf8(builtIn.out), "Tone error:"), 10) << "the built-in ramp's";
}

TEST(MakeRamp, DistinctGivesTwoHundredFiftySixGlyphsAndSaysWhatItTraded) {
    const Ran made = Convert(QStringList{"--make-ramp", "--distinct"} + kIpaGothic16);
    ASSERT_EQ(made.status, 0) << made.err.toStdString();
    const QStringList entries = DecodeCp932(made.out).value_or(QString()).split("\r\n");
    ASSERT_EQ(entries.size(), 257);
    EXPECT_EQ(QSet<QString>(entries.begin(), entries.end() - 1).size(), 256);
    EXPECT_LE(Figure(made.err, "Tone error:"), 1.0);
    EXPECT_TRUE(made.err.contains("narrowed")) << made.err.toStdString();

    const Ran spaced = Convert(QStringList{"--make-ramp", "--with-space"} + kIpaGothic16);
    ASSERT_EQ(spaced.status, 0);
    EXPECT_TRUE(DecodeCp932(spaced.out).value_or(QString()).endsWith(QStringLiteral("\u3000\r\n")))
        << "the full-width space is the lightest of all";
}

TEST(MakeRamp, AnUnknownFontOrOneWithoutKanjiWritesNothingAndKeepsAnOldFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("moji.txt");
    WriteAll(file, "old\r\n");
    for (const QString& family : {QString("No Such Font 1234"), QString("DejaVu Sans")}) {
        const Ran ran = Convert({"--make-ramp", "--font", family, "-o", file});
        EXPECT_EQ(ran.status, 2) << family.toStdString();
        EXPECT_TRUE(ran.err.contains(family)) << ran.err.toStdString();
        EXPECT_EQ(ReadAll(file), "old\r\n");
    }
    EXPECT_EQ(Convert({"--make-ramp", "--size", "0"}).status, 2);
    const Ran huge = Convert({"--make-ramp", "--size", "100000", "-o", file});
    EXPECT_EQ(huge.status, 2) << "refused at once, not after minutes of drawing";
    EXPECT_TRUE(huge.err.contains("512")) << huge.err.toStdString();
    EXPECT_EQ(ReadAll(file), "old\r\n");
    EXPECT_EQ(Convert({"--make-ramp", "picture.png"}).status, 2);
    EXPECT_EQ(Convert({"--make-ramp", "--ramp-report"}).status, 2);
}

}  // namespace
}  // namespace glyph::cli
