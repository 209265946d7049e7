#include "cli/Options.h"

#include <gtest/gtest.h>

namespace glyph::cli {
namespace {

Result<Options> Parse(const QStringList& arguments) { return ParseOptions(arguments, 3); }

TEST(ParseOptions, GnuFormsOfEveryOption) {
    const Result<Options> spaced = Parse({"--steps", "brighter,undo", "--format", "html", "-o",
                                          "out.html", "-j", "2", "--ramp", "r.txt", "a.jpg"});
    ASSERT_TRUE(spaced.ok()) << spaced.error().reason.toStdString();
    EXPECT_EQ(spaced->steps, (QList<Command>{Command::kBrighter, Command::kUndo}));
    EXPECT_EQ(spaced->format, Format::kHtml);
    EXPECT_EQ(spaced->output, "out.html");
    EXPECT_EQ(spaced->jobs, 2);
    EXPECT_EQ(spaced->rampFile, "r.txt");
    EXPECT_EQ(spaced->pictures, QStringList{"a.jpg"});

    const Result<Options> joined =
        Parse({"--steps=auto-level,more-contrast,less-contrast,darker,reset,redo", "--region=40,7",
               "--format=cp932", "--output-dir=out", "--jobs=5", "--", "-odd.bmp", "b.bmp"});
    ASSERT_TRUE(joined.ok()) << joined.error().reason.toStdString();
    EXPECT_EQ(joined->steps.size(), 6);
    EXPECT_EQ(joined->steps.front(), Command::kAutoLevel);
    EXPECT_EQ(joined->steps.back(), Command::kRedo);
    EXPECT_EQ(joined->format, Format::kCp932);
    EXPECT_EQ(joined->outputDir, "out");
    EXPECT_EQ(joined->origin, QPoint(40, 7));
    EXPECT_EQ(joined->pictures, (QStringList{"-odd.bmp", "b.bmp"}));
}

TEST(ParseOptions, DefaultsAndActions) {
    const Result<Options> plain = Parse({"a.bmp", "b.bmp"});
    ASSERT_TRUE(plain.ok());
    EXPECT_TRUE(plain->steps.isEmpty());
    EXPECT_EQ(plain->format, Format::kText);
    EXPECT_EQ(plain->jobs, 3);
    EXPECT_TRUE(plain->output.isEmpty());
    EXPECT_EQ(Parse({"--help"})->action, Options::Action::kHelp);
    EXPECT_EQ(Parse({"--version"})->action, Options::Action::kVersion);
    EXPECT_TRUE(Parse({"-o", "-", "a.bmp", "b.bmp"}).ok()) << "several pictures to stdout";

    // Each ramp mode takes its own options.
    const Result<Options> made = Parse({"--make-ramp", "-o", "m.txt", "--font", "F", "--size=512",
                                        "--with-space", "--distinct", "--chart", "c.png"});
    ASSERT_TRUE(made.ok()) << made.error().reason.toStdString();
    EXPECT_EQ(made->action, Options::Action::kMakeRamp);
    EXPECT_EQ(made->fontSize, 512);
    EXPECT_TRUE(made->withSpace && made->distinct);
    const Result<Options> report =
        Parse({"--ramp-report", "--ramp", "r.txt", "--font=F", "--size", "1", "--chart=c.png"});
    ASSERT_TRUE(report.ok()) << report.error().reason.toStdString();
    EXPECT_EQ(report->rampFile, "r.txt");
    EXPECT_EQ(report->chart, "c.png");
}

TEST(ParseOptions, JobsAboveFourPerProcessorAreLowered) {
    EXPECT_EQ(Parse({"-j", "12", "a.bmp"})->jobs, 12);
    for (const char* many : {"13", "1000", "2147483647", "99999999999999999999"})
        EXPECT_EQ(Parse({"--jobs", many, "a.bmp"})->jobs, 12) << many;
    EXPECT_EQ(ParseOptions({"--jobs=1000", "a.bmp"}, 1)->jobs, 4);
    EXPECT_EQ(ParseOptions({"a.bmp"}, 0)->jobs, 1) << "processors unknown";
    EXPECT_FALSE(Parse({"--jobs=-5", "a.bmp"}).ok());
    EXPECT_FALSE(Parse({"--jobs=2x", "a.bmp"}).ok());
}

TEST(ParseOptions, UsageErrorsSayWhatIsWrong) {
    const struct {
        QStringList arguments;
        QString mentioned;  // a word the reason must contain
    } cases[] = {
        {{}, {}},
        {{"--steps=brighter,sharper", "a.bmp"}, "sharper"},
        {{"--format=png", "a.bmp"}, "png"},
        {{"--jobs=0", "a.bmp"}, "0"},
        {{"--jobs=many", "a.bmp"}, "many"},
        {{"-o", "x.txt", "a.bmp", "b.bmp"}, "--output-dir"},
        {{"-o", "x.txt", "--output-dir=d", "a.bmp"}, "-o"},
        {{"--colour", "a.bmp"}, "colour"},
        {{"a.bmp", "--steps"}, "steps"},
        {{"--region=3", "a.bmp"}, "3"},
        {{"--region=-1,4", "a.bmp"}, "-1,4"},
        {{"--region=1,2,3", "a.bmp"}, "1,2,3"},
        {{"--make-ramp", "--size=513"}, "512"},
        {{"--ramp-report", "--size=100000"}, "512"},
        {{"--make-ramp", "--size=99999999999999999999"}, "512"},
        // Options that would do nothing in the mode asked for.
        {{"--font", "IPAGothic", "a.bmp"}, "--font"},
        {{"--size=16", "a.bmp"}, "--size"},
        {{"--chart=c.png", "a.bmp"}, "--chart"},
        {{"--with-space", "a.bmp"}, "--with-space"},
        {{"--distinct", "a.bmp"}, "--distinct"},
        {{"--make-ramp", "--steps=brighter"}, "--steps"},
        {{"--make-ramp", "--format=html"}, "--format"},
        {{"--make-ramp", "-j", "2"}, "--jobs"},
        {{"--make-ramp", "--region=1,1"}, "--region"},
        {{"--make-ramp", "--output-dir=d"}, "--output-dir"},
        {{"--make-ramp", "--ramp=r.txt"}, "--ramp"},
        {{"--ramp-report", "-o", "r.txt"}, "--output"},
        {{"--ramp-report", "--with-space"}, "--with-space"},
        {{"--ramp-report", "--distinct"}, "--distinct"},
        {{"--ramp-report", "--jobs=2"}, "--jobs"},
        // Empty names.
        {{"-o", "", "a.bmp"}, "--output"},
        {{"--output=", "a.bmp"}, "--output"},
        {{"--output-dir=", "a.bmp"}, "--output-dir"},
        {{"--ramp=", "a.bmp"}, "--ramp"},
        {{"--make-ramp", "-o", ""}, "--output"},
        {{"--ramp-report", "--chart="}, "--chart"},
        // A value given twice.
        {{"--format=html", "--format=text", "a.bmp"}, "--format"},
        {{"-o", "x.txt", "--output=y.txt", "a.bmp"}, "--output"},
        {{"--steps=brighter", "--steps=darker", "a.bmp"}, "--steps"},
        {{"--ramp=a.txt", "--ramp=a.txt", "a.bmp"}, "--ramp"},
        {{"-j", "2", "--jobs=3", "a.bmp"}, "--jobs"},
        {{"--region=1,1", "--region=2,2", "a.bmp"}, "--region"},
        {{"--output-dir=a", "--output-dir=b", "a.bmp"}, "--output-dir"},
        {{"--make-ramp", "--size=16", "--size=16"}, "--size"},
        {{"--make-ramp", "--font=A", "--font=B"}, "--font"},
    };
    for (const auto& c : cases) {
        const Result<Options> parsed = Parse(c.arguments);
        ASSERT_FALSE(parsed.ok()) << c.arguments.join(' ').toStdString();
        EXPECT_FALSE(parsed.error().reason.isEmpty());
        EXPECT_TRUE(parsed.error().reason.contains(c.mentioned))
            << parsed.error().reason.toStdString();
    }
}

}  // namespace
}  // namespace glyph::cli
