#include "cli/Options.h"

#include "cli/Console.h"

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
    EXPECT_EQ(joined->framing.origin, QPoint(40, 7));
    EXPECT_EQ(joined->framing.mode, Framing::Mode::kBlock);
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

TEST(ParseOptions, FitAndCropFrameThePicture) {
    const Result<Options> fit = Parse({"--fit", "a.bmp"});
    ASSERT_TRUE(fit.ok()) << fit.error().reason.toStdString();
    EXPECT_EQ(fit->framing.mode, Framing::Mode::kWhole);
    EXPECT_EQ(fit->framing.mostCells, QSize(100, 100));
    EXPECT_EQ(fit->framing.cellAspect, 1.0);
    EXPECT_TRUE(fit->framing.upright);

    const Result<Options> crop = Parse({"--crop=10,20,300,40", "--width=1000", "--height", "1",
                                        "--cell-aspect=2.5", "--orient=stored", "a.bmp"});
    ASSERT_TRUE(crop.ok()) << crop.error().reason.toStdString();
    EXPECT_EQ(crop->framing.mode, Framing::Mode::kRectangle);
    EXPECT_EQ(crop->framing.rectangle, QRect(10, 20, 300, 40));
    EXPECT_EQ(crop->framing.mostCells, QSize(1000, 1));
    EXPECT_EQ(crop->framing.cellAspect, 2.5);
    EXPECT_FALSE(crop->framing.upright);

    const Result<Options> half =
        Parse({"--fit", "--cell-aspect", ".5", "--orient=auto", "--width", "1", "a.bmp"});
    ASSERT_TRUE(half.ok()) << half.error().reason.toStdString();
    EXPECT_EQ(half->framing.cellAspect, 0.5);
    EXPECT_TRUE(half->framing.upright);
    EXPECT_EQ(half->framing.mostCells, QSize(1, 100));
}

TEST(ParseOptions, ShapesAreMatchedInAPoolAndAFont) {
    const Result<Options> plain = Parse({"--fit", "a.bmp"});
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain->framing.match, Match::kTone);
    const Result<Options> kanji = Parse({"--crop=0,0,9,9", "--match=shape", "a.bmp"});
    ASSERT_TRUE(kanji.ok()) << kanji.error().reason.toStdString();
    EXPECT_EQ(kanji->framing.match, Match::kKanjiShapes);
    EXPECT_EQ(kanji->framing.PatchSide(), kPatchSide);
    const Result<Options> all =
        Parse({"--fit", "--match=shape", "--pool=cp932", "--font=IPAGothic", "--size=16", "a.bmp"});
    ASSERT_TRUE(all.ok()) << all.error().reason.toStdString();
    EXPECT_EQ(all->framing.match, Match::kCp932Shapes);
    EXPECT_EQ(all->font, "IPAGothic");
    EXPECT_EQ(all->fontSize, 16);
}

TEST(ParseOptions, ColourTakesAnOptionalWayAndPaperGoesWithoutIt) {
    struct Case {
        QStringList arguments;
        Colouring colouring;
        bool colour;
    };
    const Case cases[] = {
        {{"--format=png"}, Colouring::kInk, false},
        {{"--format=png", "--color"}, Colouring::kCell, true},
        {{"--format=svg", "--color=cell"}, Colouring::kCell, true},
        {{"--format=html", "--color=ink"}, Colouring::kInk, true},
        {{"--format=html", "--color", "--color"}, Colouring::kCell, true},
        {{"--format=ansi"}, Colouring::kInk, true},  // always coloured, as before
        {{"--format=ansi", "--color"}, Colouring::kCell, true},
        {{"--format=ansi", "--paper"}, Colouring::kGray, true},
        {{"--format=png", "--paper"}, Colouring::kGray, true},
        // Another option's value, and a picture after "--", are not --color.
        {{"--format=png", "-o", "--color=ink"}, Colouring::kInk, false},
        {{"--format=png", "--ramp", "--color"}, Colouring::kInk, false},
        {{"--format=svg", "--", "--color=ink"}, Colouring::kInk, false},
    };
    for (const Case& c : cases) {
        const Result<Options> parsed = Parse(c.arguments + QStringList{"a.bmp"});
        const std::string named = c.arguments.join(' ').toStdString();
        ASSERT_TRUE(parsed.ok()) << named << ": " << parsed.error().reason.toStdString();
        EXPECT_EQ(parsed->colouring, c.colouring) << named;
        EXPECT_EQ(parsed->look.colour, c.colour) << named;
    }
    EXPECT_EQ(Parse({"--format=png", "-o", "--color=ink", "a.bmp"})->output, "--color=ink");
    EXPECT_EQ(Parse({"--format=png", "--", "--color=ink"})->pictures, QStringList{"--color=ink"});

    const QStringList refused[] = {
        {"--format=png", "--color=shade"},
        {"--format=png", "--color="},
        {"--format=png", "--color=ink", "--color"},
        {"--format=text", "--color=ink"},
        {"--format=cp932", "--paper"},
        {"--format=png", "--paper", "--color"},
        {"--format=ansi", "--paper", "--colors=none"},
        {"--make-ramp", "--paper"},
    };
    for (const QStringList& arguments : refused) {
        const Result<Options> parsed = Parse(arguments + QStringList{"a.bmp"});
        ASSERT_FALSE(parsed.ok()) << arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.error().kind, ErrorKind::kBadUsage);
    }
}

TEST(ParseOptions, OnATerminalReducedArtFitsItsWidth) {
    const auto most = [](const QStringList& arguments, int columns) {
        const Result<Options> parsed = ParseOptions(arguments, 3, Terminal{columns, 24});
        EXPECT_TRUE(parsed.ok()) << parsed.error().reason.toStdString();
        return parsed ? parsed->framing.mostCells : QSize();
    };
    EXPECT_EQ(most({"--fit", "a.bmp"}, 80), QSize(40, 1000));
    EXPECT_EQ(most({"--crop=0,0,9,9", "-o", "-", "a.bmp"}, 81), QSize(40, 1000));
    EXPECT_EQ(most({"--fit", "--height=50", "a.bmp"}, 80), QSize(40, 50));
    EXPECT_EQ(most({"--fit", "--width=7", "a.bmp"}, 80), QSize(7, 1000));
    EXPECT_EQ(most({"--fit", "a.bmp"}, 1), QSize(1, 1000));
    EXPECT_EQ(most({"--fit", "a.bmp"}, 5000), QSize(1000, 1000));
    // Not to the terminal, or none: the window's 100 x 100.
    EXPECT_EQ(most({"--fit", "-o", "art.txt", "a.bmp"}, 80), QSize(100, 100));
    EXPECT_EQ(most({"--fit", "--output-dir=d", "a.bmp"}, 80), QSize(100, 100));
    EXPECT_EQ(most({"--fit", "a.bmp"}, 0), QSize(100, 100));
}

TEST(ParseOptions, ATerminalAskedForNothingIsShownTheWholePictureFitted) {
    const Terminal terminal{80, 25, AnsiColours::k256};
    const Result<Options> shown = ParseOptions({"a.bmp"}, 3, terminal);
    ASSERT_TRUE(shown.ok()) << shown.error().reason.toStdString();
    EXPECT_EQ(shown->framing.mode, Framing::Mode::kWhole);
    EXPECT_EQ(shown->framing.mostCells, QSize(40, 24)) << "the prompt keeps its line";
    EXPECT_EQ(shown->framing.match, Match::kKanjiShapes);
    EXPECT_EQ(shown->format, Format::kAnsi);
    EXPECT_EQ(shown->colours, AnsiColours::k256);
    EXPECT_TRUE(shown->look.colour);
    EXPECT_EQ(shown->colouring, Colouring::kCell);
    // Sizes, the pool and the font still apply to it.
    const Result<Options> sized =
        ParseOptions({"--width=30", "--pool=cp932", "--font=IPAGothic", "a.bmp"}, 3, terminal);
    ASSERT_TRUE(sized.ok()) << sized.error().reason.toStdString();
    EXPECT_EQ(sized->framing.mostCells, QSize(30, 24));
    EXPECT_EQ(sized->framing.match, Match::kCp932Shapes);
    // A terminal without colours gets the same art in plain text.
    const Result<Options> plain = ParseOptions({"a.bmp"}, 3, Terminal{80, 25});
    EXPECT_FALSE(plain->look.colour);
    EXPECT_EQ(plain->colours, AnsiColours::kNone);

    // Anything named keeps its old meaning: the block, a format, a match, a
    // ramp; and a file or a folder gets the bytes it always got.
    for (const QStringList& named : {QStringList{"--format=text"},
                                     {"--region=0,0"},
                                     {"--match=tone"},
                                     {"--ramp=r.txt"},
                                     {"--invert"},
                                     {"--color", "--format=ansi"},
                                     {"-o", "art.txt"},
                                     {"--output-dir=d"}}) {
        const Result<Options> parsed = ParseOptions(named + QStringList{"a.bmp"}, 3, terminal);
        ASSERT_TRUE(parsed.ok()) << named.join(' ').toStdString();
        EXPECT_EQ(parsed->framing.mode, Framing::Mode::kBlock) << named.join(' ').toStdString();
        EXPECT_EQ(parsed->framing.match, Match::kTone) << named.join(' ').toStdString();
    }
    EXPECT_EQ(ParseOptions({"a.bmp"}, 3)->framing.mode, Framing::Mode::kBlock) << "no terminal";
    EXPECT_EQ(ParseOptions({"a.bmp"}, 3)->format, Format::kText);
}

TEST(TerminalColours, AsTheTerminalSays) {
    EXPECT_EQ(TerminalColours("truecolor", "xterm"), AnsiColours::kFull);
    EXPECT_EQ(TerminalColours("24bit", ""), AnsiColours::kFull);
    EXPECT_EQ(TerminalColours("", "xterm-direct"), AnsiColours::kFull);
    EXPECT_EQ(TerminalColours("", "xterm-256color"), AnsiColours::k256);
    EXPECT_EQ(TerminalColours("", "screen-256color"), AnsiColours::k256);
    EXPECT_EQ(TerminalColours("", "xterm"), AnsiColours::kNone);
    EXPECT_EQ(TerminalColours("", "linux"), AnsiColours::kNone);
    EXPECT_EQ(TerminalColours("", "dumb"), AnsiColours::kNone);
    EXPECT_EQ(TerminalColours("", ""), AnsiColours::kNone);
}

TEST(ParseOptions, UsageErrorsSayWhatIsWrong) {
    const struct {
        QStringList arguments;
        QString mentioned;  // a word the reason must contain
    } cases[] = {
        {{}, {}},
        {{"--steps=brighter,sharper", "a.bmp"}, "sharper"},
        {{"--format=gif", "a.bmp"}, "gif"},
        {{"--jobs=0", "a.bmp"}, "0"},
        {{"--jobs=many", "a.bmp"}, "many"},
        {{"-o", "x.txt", "a.bmp", "b.bmp"}, "--output-dir"},
        {{"-o", "x.txt", "--output-dir=d", "a.bmp"}, "-o"},
        {{"--colour", "a.bmp"}, "colour"},
        {{"a.bmp", "--steps"}, "steps"},
        {{"--region=3", "a.bmp"}, "3"},
        {{"--region=-1,4", "a.bmp"}, "-1,4"},
        {{"--region=1,2,3", "a.bmp"}, "1,2,3"},
        // A number is its digits alone: no newline after them, no space before.
        {{"--jobs=4\n", "a.bmp"}, "--jobs"},
        {{"-j", "4\n", "a.bmp"}, "--jobs"},
        {{"--region=1,2\n", "a.bmp"}, "--region"},
        {{"--region= 1,2", "a.bmp"}, "--region"},
        {{"--fit", "--width=10\n", "a.bmp"}, "--width"},
        {{"--fit", "--height= 10", "a.bmp"}, "--height"},
        {{"--fit", "--cell-aspect=2\n", "a.bmp"}, "--cell-aspect"},
        {{"--crop=0,0,5,5\n", "a.bmp"}, "--crop"},
        {{"--make-ramp", "--size=16\n"}, "512"},
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
        {{"--crop=0,0,1,1", "--crop=0,0,2,2", "a.bmp"}, "--crop"},
        {{"--fit", "--width=5", "--width=5", "a.bmp"}, "--width"},
        {{"--fit", "--height=5", "--height=6", "a.bmp"}, "--height"},
        {{"--fit", "--cell-aspect=2", "--cell-aspect=1", "a.bmp"}, "--cell-aspect"},
        {{"--fit", "--orient=auto", "--orient=stored", "a.bmp"}, "--orient"},
        // Shapes: reduced art only (a block's cell is one pixel), without a ramp.
        {{"--match=shape", "a.bmp"}, "--fit"},
        {{"--fit", "--match=outline", "a.bmp"}, "outline"},
        {{"--fit", "--pool=cp932", "a.bmp"}, "--match=shape"},
        {{"--fit", "--match=tone", "--pool=kanji", "a.bmp"}, "--match=shape"},
        {{"--fit", "--match=shape", "--pool=ascii", "a.bmp"}, "ascii"},
        {{"--fit", "--match=shape", "--ramp=r.txt", "a.bmp"}, "--ramp"},
        {{"--fit", "--match=tone", "--font=IPAGothic", "a.bmp"}, "--font"},
        {{"--fit", "--match=shape", "--size=0", "a.bmp"}, "512"},
        {{"--fit", "--match=shape", "--match=tone", "a.bmp"}, "--match"},
        {{"--make-ramp", "--match=shape"}, "--match"},
        // The block and the reduced art do not mix.
        {{"--fit", "--crop=0,0,5,5", "a.bmp"}, "--crop"},
        {{"--fit", "--region=1,1", "a.bmp"}, "--region"},
        {{"--crop=0,0,5,5", "--region=0,0", "a.bmp"}, "--region"},
        {{"--width=50", "a.bmp"}, "--width"},
        {{"--height=50", "a.bmp"}, "--height"},
        {{"--cell-aspect=2", "a.bmp"}, "--cell-aspect"},
        {{"--orient=stored", "a.bmp"}, "--orient"},
        {{"--make-ramp", "--fit"}, "--fit"},
        {{"--ramp-report", "--crop=0,0,1,1"}, "--crop"},
        // Bad values.
        {{"--fit", "--width=0", "a.bmp"}, "--width"},
        {{"--fit", "--width=1001", "a.bmp"}, "1000"},
        {{"--fit", "--height=99999999999999999999", "a.bmp"}, "--height"},
        {{"--fit", "--height=ten", "a.bmp"}, "ten"},
        {{"--fit", "--cell-aspect=0", "a.bmp"}, "--cell-aspect"},
        {{"--fit", "--cell-aspect=0.000", "a.bmp"}, "0.000"},
        {{"--fit", "--cell-aspect=-2", "a.bmp"}, "-2"},
        {{"--fit", "--cell-aspect=1e3", "a.bmp"}, "1e3"},
        {{"--fit", "--cell-aspect=inf", "a.bmp"}, "inf"},
        {{"--fit", "--cell-aspect=", "a.bmp"}, "--cell-aspect"},
        {{"--fit", "--orient=sideways", "a.bmp"}, "sideways"},
        {{"--crop=1,2,3", "a.bmp"}, "1,2,3"},
        {{"--crop=1,2,0,5", "a.bmp"}, "1,2,0,5"},
        {{"--crop=-1,0,5,5", "a.bmp"}, "-1,0,5,5"},
        {{"--crop=0,0,5,x", "a.bmp"}, "0,0,5,x"},
        {{"--crop=2147483647,0,1,1", "a.bmp"}, "--crop"},
        {{"--crop=0,0,99999999999999999999,1", "a.bmp"}, "--crop"},
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
