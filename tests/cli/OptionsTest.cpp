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
