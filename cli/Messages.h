#pragma once

#include <QString>
#include <QtGlobal>

#include "basics/Translatable.h"

namespace glyph::cli {

// Everything the converter says, in one place: written in English, read in the
// user's language (cli/translations; the reasons it passes on come from
// basics/Reasons.h). A new text here needs its translation in every .ts
// file; see the README.

inline constexpr char kContext[] = "glyph::cli";
using Text = Translatable<kContext>;

inline const QString kProgram = QStringLiteral("glyphorama-convert");

inline constexpr Text kHelp{QT_TRANSLATE_NOOP(
    "glyph::cli",
    "Usage: glyphorama-convert [OPTION]... PICTURE...\n"
    "Turn 100 x 100 pixels of a picture (by default the top-left ones) into text\n"
    "art, one character per pixel. With --fit or --crop, the whole picture or a\n"
    "rectangle is reduced, each character standing for the average of its area.\n"
    "The characters are those the Glyphorama window shows after the same commands.\n"
    "Shown on a terminal with no framing, format, match or colouring named, the\n"
    "whole picture is fitted to the terminal and matched by shape, in colour where\n"
    "COLORTERM or TERM says the terminal has colours.\n"
    "\n"
    "  -o, --output=FILE      write to FILE (one picture only); - or none: standard\n"
    "                         output\n"
    "      --output-dir=DIR   write each picture to DIR/NAME.txt (.html, .ans, .png or\n"
    "                         .svg for those formats)\n"
    "      --steps=LIST       commands run after opening, comma-separated:\n"
    "                         auto-level, brighter, darker, more-contrast,\n"
    "                         less-contrast, reset, undo, redo\n"
    "      --ramp=FILE        the characters in density order (moji.txt format);\n"
    "                         default: moji.txt in the program's folder, else the\n"
    "                         built-in ramp\n"
    "      --format=FORMAT    text (UTF-8, LF line ends; the default), cp932 (the\n"
    "                         bytes Save writes), html (a UTF-8 HTML page, the art\n"
    "                         in a <pre>), ansi (coloured text for a terminal), png\n"
    "                         or svg (a picture of the art in square cells)\n"
    "      --color[=HOW]      html, png, svg, ansi in colour: cell (the default)\n"
    "                         gives each cell an ink and a paper that together show\n"
    "                         the colour of its pixel (of its area's mean when\n"
    "                         reduced); ink draws each character in that colour on\n"
    "                         the plain paper, as ansi is without --color\n"
    "      --paper            html, png, svg, ansi: gray ink on a gray paper of each\n"
    "                         cell's own, so that the art shows the picture's whole\n"
    "                         range of tone; not with --color or --colors=none\n"
    "      --colors=WHICH     ansi's colours: full (24-bit; the default), 256 (the\n"
    "                         256-colour palette) or none (plain text)\n"
    "      --invert           light ink on a dark ground (the densest glyph for\n"
    "                         white)\n"
    "      --font=FAMILY      html, png, svg: the font, a family or a font file\n"
    "                         (default: the font of the window's text)\n"
    "      --size=PX          html, png, svg: the glyphs' size (1 to 512 pixels)\n"
    "      --region=X,Y       the top-left pixel of the 100 x 100 block to convert\n"
    "                         (default: 0,0); a block past the picture's edge is\n"
    "                         moved inside\n"
    "  -j, --jobs=N           pictures converted at a time (default: the number of\n"
    "                         processors; more than four times that is lowered)\n"
    "\n"
    "Reducing the whole picture or a rectangle:\n"
    "      --fit              the whole picture\n"
    "      --crop=X,Y,W,H     the rectangle W pixels wide and H high from X,Y of the\n"
    "                         picture turned upright (less what is past its edge)\n"
    "      --width=N          the most characters across (1 to 1000; default: 100,\n"
    "                         or half the terminal's columns when writing to one)\n"
    "      --height=N         the most lines (1 to 1000; default: 100, or 1000 when\n"
    "                         writing to a terminal)\n"
    "      --cell-aspect=R    a character's height over its width (default: 1; 2\n"
    "                         for a terminal whose cells are twice as tall as wide)\n"
    "      --orient=HOW       auto (upright by the EXIF orientation; the default)\n"
    "                         or stored (as stored)\n"
    "      --match=HOW        tone (characters chosen by their ink; the default)\n"
    "                         or shape (by their shape as well)\n"
    "      --pool=SET         the characters shape chooses from: kanji (kanji and\n"
    "                         kana; the default) or cp932 (every full-width one)\n"
    "The art has the most characters that fit the limits keeping the area's shape\n"
    "(at most one per pixel).\n"
    "\n"
    "Making a character ramp (moji.txt) from a font:\n"
    "      --make-ramp        measure the ink of the font's glyphs and write a\n"
    "                         256-level ramp in CP932 to -o FILE (or standard\n"
    "                         output)\n"
    "      --ramp-report      report the density order of a ramp (--ramp, else the\n"
    "                         built-in one) on standard output\n"
    "      --font=FAMILY      the font (default: the font of the window's text)\n"
    "      --size=PX          the glyphs' size (1 to 512 pixels; default: the\n"
    "                         window's)\n"
    "      --with-space       take the full-width space as a candidate\n"
    "      --distinct         make all 256 levels different glyphs (over a\n"
    "                         narrower range)\n"
    "      --chart=FILE.png   draw coverage against level (beside the built-in ramp)\n"
    "\n"
    "--make-ramp takes -o, --font, --size, --with-space, --distinct and --chart;\n"
    "--ramp-report takes --ramp, --font, --size and --chart. An option that does\n"
    "nothing in the chosen mode (--chart when converting), an empty FILE or DIR, or\n"
    "an option given twice is a usage error. --region cannot go with --fit or\n"
    "--crop; --width, --height, --cell-aspect, --orient and --match go only with\n"
    "them. With --match=shape, --font and --size choose the font the shapes are\n"
    "measured in (default: the window's); --ramp and --invert do not go with it.\n"
    "--font and --size go only with html, png and svg, --color and --paper with\n"
    "those and ansi, --colors with ansi; a font lacking a character of the ramp is\n"
    "a usage error too.\n"
    "\n"
    "      --help             show this help and exit\n"
    "      --version          show the version and exit\n"
    "\n"
    "Examples:\n"
    "  glyphorama-convert photo.jpg\n"
    "  glyphorama-convert --steps=auto-level,brighter -o art.txt photo.jpg\n"
    "  glyphorama-convert --format=html --output-dir=art *.jpg\n"
    "  glyphorama-convert --fit --match=shape --width=60 photo.jpg\n"
    "  glyphorama-convert --fit --color --format=png -o art.png photo.jpg\n"
    "  glyphorama-convert --fit --paper --format=svg -o art.svg photo.jpg\n"
    "  glyphorama-convert --fit --format=ansi --colors=256 --invert photo.jpg\n"
    "  glyphorama-convert --crop=400,300,800,600 --width=120 -o art.txt photo.jpg\n"
    "\n"
    "Exit status: 0 every picture converted, 1 some picture could not be converted,\n"
    "2 a usage error\n")};

inline const QString kVersion = QStringLiteral(
    "glyphorama-convert (Glyphorama) %1\n"
    "This is free software: you are free to change and redistribute it.\n");

// Usage errors, followed by kTryHelp.
inline constexpr Text kTryHelp{
    QT_TRANSLATE_NOOP("glyph::cli", "Try 'glyphorama-convert --help' for more information.")};
inline constexpr Text kNoPicture{QT_TRANSLATE_NOOP("glyph::cli", "no picture given")};
inline constexpr Text kMakeOrReport{
    QT_TRANSLATE_NOOP("glyph::cli", "--make-ramp and --ramp-report cannot go together")};
inline constexpr Text kNoPicturesForRamps{
    QT_TRANSLATE_NOOP("glyph::cli", "--make-ramp and --ramp-report take no pictures")};
// %1 the largest size.
inline constexpr Text kBadSize{
    QT_TRANSLATE_NOOP("glyph::cli", "--size takes a whole number from 1 to %1: '%2'")};
inline const QString kMakeRampName = QStringLiteral("--make-ramp");
inline const QString kRampReportName = QStringLiteral("--ramp-report");
inline constexpr Text kMakeRampOrReport{
    QT_TRANSLATE_NOOP("glyph::cli", "--make-ramp or --ramp-report")};
// %1 an option's names, %2 --make-ramp or --ramp-report.
inline constexpr Text kNotForRampTool{QT_TRANSLATE_NOOP("glyph::cli", "%1 cannot go with %2")};

// Making and judging ramps.
// %1 the family, %2 the number of candidates, %3 the least that will do.
inline constexpr Text kTooFewCandidates{QT_TRANSLATE_NOOP(
    "glyph::cli",
    "the font '%1' has too few Japanese glyphs (%2 candidates; at least %3 are needed)")};
inline constexpr Text kCannotFitDistinct{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "no range lets all 256 levels be different glyphs with a tone error "
                      "within one level")};
inline constexpr Text kCannotWriteChart{
    QT_TRANSLATE_NOOP("glyph::cli", "cannot write the chart: %1")};
// The report. %1 family, %2 size, %3 and %4 the cell.
inline constexpr Text kReportFont{
    QT_TRANSLATE_NOOP("glyph::cli", "Font: %1 %2 px, cell %3 x %4 px")};
inline constexpr Text kReportRamp{QT_TRANSLATE_NOOP("glyph::cli", "Ramp: %1")};
inline constexpr Text kReportPool{
    QT_TRANSLATE_NOOP("glyph::cli", "Candidates: %1 glyphs, coverage %2 to %3")};
inline constexpr Text kReportCoverage{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "Coverage: %1 at level 0, %2 at level 255 (densest glyph %3, lightest "
                      "glyph %4, span %5)")};
inline constexpr Text kReportOrder{QT_TRANSLATE_NOOP(
    "glyph::cli", "Levels denser than the one before: %1, pairs out of order: %2 %")};
inline constexpr Text kReportDistinct{
    QT_TRANSLATE_NOOP("glyph::cli", "Distinct glyphs: %1 of 256 levels")};
inline constexpr Text kReportToneError{
    QT_TRANSLATE_NOOP("glyph::cli", "Tone error: %1 levels on average")};
inline constexpr Text kReportTraded{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "To make the 256 levels different glyphs, the coverage was narrowed to "
                      "%1 to %2 (%3 % of the candidates' span %4 to %5)")};
inline constexpr Text kReportLevelHeader{QT_TRANSLATE_NOOP("glyph::cli", "Level Coverage Glyph")};
inline constexpr Text kBuiltInName{QT_TRANSLATE_NOOP("glyph::cli", "built-in ramp")};
inline constexpr Text kMadeName{QT_TRANSLATE_NOOP("glyph::cli", "made ramp")};
// The chart's axes.
inline constexpr Text kChartLevelAxis{QT_TRANSLATE_NOOP("glyph::cli", "Level (0 is black)")};
inline constexpr Text kChartCoverageAxis{QT_TRANSLATE_NOOP("glyph::cli", "Coverage")};

inline constexpr Text kUnknownStep{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown command '%1' in --steps (known: %2)")};
inline constexpr Text kUnknownFormat{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown --format '%1' (text, cp932, html, ansi, png or svg)")};
inline constexpr Text kUnknownColours{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown --colors '%1' (full, 256 or none)")};
// %1 an option's names.
inline constexpr Text kOnlySetInFont{
    QT_TRANSLATE_NOOP("glyph::cli", "%1 goes only with --format=html, png or svg")};
inline constexpr Text kOnlyColoured{
    QT_TRANSLATE_NOOP("glyph::cli", "%1 goes only with --format=html, ansi, png or svg")};
inline constexpr Text kUnknownColouring{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown --color '%1' (cell or ink)")};
inline constexpr Text kPaperWithoutColour{
    QT_TRANSLATE_NOOP("glyph::cli", "--paper cannot go with --color or --colors=none")};
inline constexpr Text kOnlyAnsi{QT_TRANSLATE_NOOP("glyph::cli", "%1 goes only with --format=ansi")};
inline constexpr Text kBadJobs{
    QT_TRANSLATE_NOOP("glyph::cli", "--jobs takes a whole number of 1 or more: '%1'")};
inline constexpr Text kBadRegion{
    QT_TRANSLATE_NOOP("glyph::cli", "--region takes two whole numbers of 0 or more, as X,Y: '%1'")};
inline constexpr Text kBadCrop{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "--crop takes whole numbers X,Y of 0 or more and W,H of 1 or more, as "
                      "X,Y,W,H: '%1'")};
// %1 --width or --height, %2 the largest number of cells.
inline constexpr Text kBadCells{
    QT_TRANSLATE_NOOP("glyph::cli", "%1 takes a whole number from 1 to %2: '%3'")};
inline constexpr Text kBadCellAspect{QT_TRANSLATE_NOOP(
    "glyph::cli", "--cell-aspect takes a number above 0 (such as 2 or 0.5): '%1'")};
inline constexpr Text kBadOrient{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown --orient '%1' (auto or stored)")};
inline constexpr Text kFitOrCrop{
    QT_TRANSLATE_NOOP("glyph::cli", "--fit and --crop cannot go together")};
inline constexpr Text kRegionIsTheBlocks{QT_TRANSLATE_NOOP(
    "glyph::cli", "--region places the 100 x 100 block; it cannot go with --fit or --crop")};
// %1 an option's names.
inline constexpr Text kOnlyReduced{
    QT_TRANSLATE_NOOP("glyph::cli", "%1 goes only with --fit or --crop")};
inline constexpr Text kOutputForMany{
    QT_TRANSLATE_NOOP("glyph::cli", "for more than one picture use --output-dir, not -o")};
inline constexpr Text kPngsShareOutput{QT_TRANSLATE_NOOP(
    "glyph::cli", "PNG pictures cannot follow one another on standard output; use --output-dir")};
inline constexpr Text kPngToTerminal{QT_TRANSLATE_NOOP(
    "glyph::cli",
    "a PNG picture is not written to a terminal; use -o FILE or redirect standard output")};
// %1 an option's names, %2 the modes that take it.
inline constexpr Text kNotForConverting{
    QT_TRANSLATE_NOOP("glyph::cli", "%1 is an option of %2; it does nothing when converting")};
// %1 an option's names.
inline constexpr Text kRepeated{QT_TRANSLATE_NOOP("glyph::cli", "%1 is given more than once")};
inline constexpr Text kEmptyValue{QT_TRANSLATE_NOOP("glyph::cli", "%1 has an empty value")};
inline constexpr Text kOutputAndDir{
    QT_TRANSLATE_NOOP("glyph::cli", "-o and --output-dir cannot go together")};
// %1 the level, %2 the character, %3 its code (U+XXXX).
inline constexpr Text kRampNotCp932{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "level %1 of the ramp, \"%2\" (%3), cannot be written in CP932, so the "
                      "ramp cannot go with --format=cp932")};
// Matching shapes.
inline const QString kShapeMatchName = QStringLiteral("shape");
// %1 the value given.
inline constexpr Text kBadMatch{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown --match '%1' (tone or shape)")};
inline constexpr Text kBadPool{
    QT_TRANSLATE_NOOP("glyph::cli", "unknown --pool '%1' (kanji or cp932)")};
inline constexpr Text kPoolNeedsShape{
    QT_TRANSLATE_NOOP("glyph::cli", "--pool goes only with --match=shape")};
inline constexpr Text kShapeNeedsCells{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "--match=shape goes only with --fit or --crop (in the block a character is "
                      "one pixel)")};
inline constexpr Text kNoRampForShapes{
    QT_TRANSLATE_NOOP("glyph::cli",
                      "--match=shape chooses from the font's characters, not a ramp; it cannot go "
                      "with --ramp")};
inline constexpr Text kNoInvertForShapes{
    QT_TRANSLATE_NOOP("glyph::cli", "--match=shape cannot go with --invert")};

// Failures of one picture or output.
inline const QString kFailed = QStringLiteral("%1: %2");
inline constexpr Text kNoOutputDir{
    QT_TRANSLATE_NOOP("glyph::cli", "cannot create the output folder %1 (%2)")};
// %1 the font's family, %2 its size in pixels.
inline constexpr Text kNoMemoryForShapes{QT_TRANSLATE_NOOP(
    "glyph::cli", "not enough memory to measure the glyph shapes of %1 at %2 px")};
inline constexpr Text kOutputIsInput{
    QT_TRANSLATE_NOOP("glyph::cli", "the output %1 is the picture being converted")};
inline constexpr Text kCannotWriteOutput{
    QT_TRANSLATE_NOOP("glyph::cli", "cannot write to standard output")};

inline constexpr Text kProgress{QT_TRANSLATE_NOOP("glyph::cli", "\r%1/%2 converted")};

}  // namespace glyph::cli
