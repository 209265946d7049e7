#pragma once

#include <QString>

namespace glyph::cli {

// Everything the converter says, in one place.

inline const QString kProgram = QStringLiteral("glyphorama-convert");

inline const QString kHelp = QStringLiteral(
    "使い方: glyphorama-convert [オプション]... 画像...\n"
    "画像の 100 x 100 ピクセル（既定は左上）を、1 ピクセル 1 文字のテキストアートにします。\n"
    "--fit か --crop を付けると、画像全体か長方形を縮めて、1 文字をその範囲の平均にします。\n"
    "Glyphorama のウィンドウで同じコマンドを実行したときと同じ文字になります。\n"
    "\n"
    "  -o, --output=FILE      FILE に書き出す（画像が 1 つのとき）。- か省略で標準出力\n"
    "      --output-dir=DIR   画像ごとに DIR/名前.txt（html なら .html）に書き出す\n"
    "      --steps=LIST       開いたあとに実行するコマンド（コンマ区切り）:\n"
    "                         auto-level, brighter, darker, more-contrast,\n"
    "                         less-contrast, reset, undo, redo\n"
    "      --ramp=FILE        濃さの順に並べた文字（moji.txt の形式）。既定はプログラムの\n"
    "                         フォルダーの moji.txt、なければ組み込みの表\n"
    "      --format=FORMAT    text（UTF-8、改行 LF。既定）、cp932（保存と同じバイト列）、\n"
    "                         html（<pre> に入れた UTF-8 の HTML ページ）\n"
    "      --region=X,Y       変換する 100 x 100 のブロックの左上のピクセル（既定: 0,0）。\n"
    "                         画像からはみ出すときは内側に寄せる\n"
    "  -j, --jobs=N           同時に変換する数（既定: CPU の数。その 4 倍より大きい数は\n"
    "                         4 倍にする）\n"
    "\n"
    "画像全体か長方形を縮めて変換する:\n"
    "      --fit              画像全体\n"
    "      --crop=X,Y,W,H     向きを直した画像の左上 X,Y から幅 W、高さ H ピクセルの長方形\n"
    "                         （画像からはみ出す部分は除く）\n"
    "      --width=N          横の文字数の上限（1〜1000。既定: 100、端末に書き出すときは\n"
    "                         端末の桁数の半分）\n"
    "      --height=N         行数の上限（1〜1000。既定: 100、端末に書き出すときは 1000）\n"
    "      --cell-aspect=R    1 文字の高さ ÷ 幅（既定: 1。文字が縦長の端末なら 2 など）\n"
    "      --orient=HOW       auto（EXIF の向きに直す。既定）か stored（保存された向きのまま）\n"
    "      --match=HOW        tone（濃さだけで字を選ぶ。既定）か shape（形も合わせる）\n"
    "      --pool=SET         shape で選ぶ字: kanji（漢字とかな。既定）か cp932（全角のすべて）\n"
    "文字数は、範囲の縦横比を保ったまま上限に収まる最大の数（ピクセルの数まで）。\n"
    "\n"
    "文字の表（moji.txt）をフォントから作る:\n"
    "      --make-ramp        フォントで描いた字のインクの量を測り、256 段階の表を\n"
    "                         -o FILE（省略で標準出力）に CP932 で書き出す\n"
    "      --ramp-report      表（--ramp、省略で組み込みの表）の濃さの並びを標準出力に\n"
    "                         報告する\n"
    "      --font=FAMILY      フォント（既定: ウィンドウのテキストのフォント）\n"
    "      --size=PX          文字の大きさ（1〜512 ピクセル。既定: ウィンドウと同じ）\n"
    "      --with-space       全角スペースを候補に入れる\n"
    "      --distinct         256 段階すべてを異なる字にする（濃さの幅は狭くなる）\n"
    "      --chart=FILE.png   濃さと段階のグラフを描く（組み込みの表と並べて）\n"
    "\n"
    "--make-ramp が使うのは -o、--font、--size、--with-space、--distinct、--chart、\n"
    "--ramp-report が使うのは --ramp、--font、--size、--chart。選んだ使い方で働かない\n"
    "オプション（変換での --font など）、空の FILE や DIR、同じオプションを 2 回\n"
    "指定することは、使い方の誤りになる。--region は --fit、--crop と同時に使えず、\n"
    "--width、--height、--cell-aspect、--orient、--match は --fit か --crop のときだけ使える。\n"
    "--match=shape では --font、--size も使える（既定: ウィンドウのフォント）。\n"
    "\n"
    "      --help             この説明を表示して終了する\n"
    "      --version          バージョンを表示して終了する\n"
    "\n"
    "例:\n"
    "  glyphorama-convert photo.jpg\n"
    "  glyphorama-convert --steps=auto-level,brighter -o art.txt photo.jpg\n"
    "  glyphorama-convert --format=html --output-dir=art *.jpg\n"
    "  glyphorama-convert --fit --cell-aspect=2 photo.jpg\n"
    "  glyphorama-convert --crop=400,300,800,600 --width=120 -o art.txt photo.jpg\n"
    "\n"
    "終了ステータス: 0 すべて変換した、1 変換できない画像があった、2 使い方の誤り\n");

inline const QString kVersion = QStringLiteral(
    "glyphorama-convert (Glyphorama) %1\n"
    "This is free software: you are free to change and redistribute it.\n");

// Usage errors, followed by kTryHelp.
inline const QString kTryHelp =
    QStringLiteral("詳しくは 'glyphorama-convert --help' を実行してください。");
inline const QString kNoPicture = QStringLiteral("画像が指定されていません");
inline const QString kMakeOrReport =
    QStringLiteral("--make-ramp と --ramp-report は同時に使えません");
inline const QString kNoPicturesForRamps =
    QStringLiteral("--make-ramp と --ramp-report には画像を指定しません");
// %1 the largest size.
inline const QString kBadSize =
    QStringLiteral("--size には 1 以上 %1 以下の整数を指定してください: '%2'");
inline const QString kMakeRampName = QStringLiteral("--make-ramp");
inline const QString kRampReportName = QStringLiteral("--ramp-report");
// %1 an option's names, %2 --make-ramp or --ramp-report.
inline const QString kNotForRampTool = QStringLiteral("%1 は %2 では使えません");

// Making and judging ramps.
// %1 the family, %2 the number of candidates, %3 the least that will do.
inline const QString kTooFewCandidates =
    QStringLiteral("フォント '%1' には日本語の字が少なすぎます（候補 %2 字。%3 字以上が必要です）");
inline const QString kCannotFitDistinct =
    QStringLiteral("256 段階すべてを異なる字にして濃さの誤差を 1 段階以内に収める範囲がありません");
inline const QString kCannotWriteChart = QStringLiteral("グラフを書き出せません: %1");
// The report. %1 family, %2 size, %3 and %4 the cell.
inline const QString kReportFont = QStringLiteral("フォント: %1 %2 px、セル %3 x %4 px");
inline const QString kReportRamp = QStringLiteral("表: %1");
inline const QString kReportPool = QStringLiteral("候補: %1 字、インクの量 %2 〜 %3");
inline const QString kReportCoverage = QStringLiteral(
    "インクの量: 段階 0 が %1、段階 255 が %2（最も濃い字 %3、最も淡い字 %4、幅 %5）");
inline const QString kReportOrder =
    QStringLiteral("前の段階より濃い段階: %1、濃さの順が逆の組: %2 %");
inline const QString kReportDistinct = QStringLiteral("異なる字: 256 段階中 %1");
inline const QString kReportToneError = QStringLiteral("濃さの誤差: 平均 %1 段階");
inline const QString kReportTraded = QStringLiteral(
    "256 段階を異なる字にするため、濃さの幅を %1 〜 %2 に狭めました（候補の幅 %4 〜 %5 の %3 %）");
inline const QString kReportLevelHeader = QStringLiteral("段階 インクの量 字");
inline const QString kBuiltInName = QStringLiteral("組み込みの表");
inline const QString kMadeName = QStringLiteral("作った表");
inline const QString kUnknownStep =
    QStringLiteral("--steps のコマンド '%1' は使えません（使えるもの: %2）");
inline const QString kUnknownFormat =
    QStringLiteral("--format の '%1' は使えません（text、cp932、html のいずれか）");
inline const QString kBadJobs = QStringLiteral("--jobs には 1 以上の整数を指定してください: '%1'");
inline const QString kBadRegion =
    QStringLiteral("--region には 0 以上の整数 2 つを X,Y の形で指定してください: '%1'");
inline const QString kBadCrop = QStringLiteral(
    "--crop には 0 以上の整数 X,Y と 1 以上の整数 W,H を X,Y,W,H の形で指定してください: '%1'");
// %1 --width or --height, %2 the largest number of cells.
inline const QString kBadCells =
    QStringLiteral("%1 には 1 以上 %2 以下の整数を指定してください: '%3'");
inline const QString kBadCellAspect =
    QStringLiteral("--cell-aspect には 0 より大きい数（2、0.5 など）を指定してください: '%1'");
inline const QString kBadOrient = QStringLiteral("--orient の '%1' は使えません（auto か stored）");
inline const QString kFitOrCrop = QStringLiteral("--fit と --crop は同時に使えません");
inline const QString kRegionIsTheBlocks = QStringLiteral(
    "--region は 100 x 100 のブロックの位置です。--fit や --crop とは同時に使えません");
// %1 an option's names.
inline const QString kOnlyReduced =
    QStringLiteral("%1 は --fit か --crop と一緒に使うオプションです");
inline const QString kOutputForMany =
    QStringLiteral("画像が 2 つ以上のときは -o ではなく --output-dir を使ってください");
// %1 an option's names, %2 the modes that take it.
inline const QString kNotForConverting =
    QStringLiteral("%1 は %2 のオプションです。画像の変換では使えません");
// %1 an option's names.
inline const QString kRepeated = QStringLiteral("%1 が 2 回以上指定されています");
inline const QString kEmptyValue = QStringLiteral("%1 の値が空です");
inline const QString kOutputAndDir = QStringLiteral("-o と --output-dir は同時に使えません");
// Matching shapes.
inline const QString kShapeMatchName = QStringLiteral("shape");
inline const QString kBadMatch = QStringLiteral("--match の '%1' は使えません（tone か shape）");
inline const QString kBadPool = QStringLiteral("--pool の '%1' は使えません（kanji か cp932）");
inline const QString kPoolNeedsShape =
    QStringLiteral("--pool は --match=shape と一緒に使うオプションです");
inline const QString kShapeNeedsCells = QStringLiteral(
    "--match=shape は --fit か --crop と一緒に使います（ブロックでは 1 文字が 1 ピクセルです）");
inline const QString kNoRampForShapes =
    QStringLiteral("--match=shape は文字の表を使わないため、--ramp とは同時に使えません");
inline const QString kRampNotCp932 = QStringLiteral(
    "文字の表のレベル %1 の「%2」(%3) は CP932 で書けないため、--format=cp932 では使えません");

// Failures of one picture or output.
inline const QString kFailed = QStringLiteral("%1: %2");
inline const QString kNoOutputDir = QStringLiteral("出力フォルダー %1 を作成できません（%2）");
inline const QString kOutputIsInput = QStringLiteral("出力先 %1 は変換する画像そのものです");
inline const QString kCannotWriteOutput = QStringLiteral("標準出力に書き込めません");

inline const QString kProgress = QStringLiteral("\r%1/%2 変換しました");

}  // namespace glyph::cli
