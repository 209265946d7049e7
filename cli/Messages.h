#pragma once

#include <QString>

namespace glyph::cli {

// Everything the converter says, in one place.

inline const QString kProgram = QStringLiteral("glyphorama-convert");

inline const QString kHelp = QStringLiteral(
    "使い方: glyphorama-convert [オプション]... 画像...\n"
    "画像の 100 x 100 ピクセル（既定は左上）を、1 ピクセル 1 文字のテキストアートにします。\n"
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
    "  -j, --jobs=N           同時に変換する数（既定: CPU の数）\n"
    "      --help             この説明を表示して終了する\n"
    "      --version          バージョンを表示して終了する\n"
    "\n"
    "例:\n"
    "  glyphorama-convert photo.jpg\n"
    "  glyphorama-convert --steps=auto-level,brighter -o art.txt photo.jpg\n"
    "  glyphorama-convert --format=html --output-dir=art *.jpg\n"
    "\n"
    "終了ステータス: 0 すべて変換した、1 変換できない画像があった、2 使い方の誤り\n");

inline const QString kVersion = QStringLiteral(
    "glyphorama-convert (Glyphorama) %1\n"
    "This is free software: you are free to change and redistribute it.\n");

// Usage errors, followed by kTryHelp.
inline const QString kTryHelp =
    QStringLiteral("詳しくは 'glyphorama-convert --help' を実行してください。");
inline const QString kNoPicture = QStringLiteral("画像が指定されていません");
inline const QString kUnknownStep =
    QStringLiteral("--steps のコマンド '%1' は使えません（使えるもの: %2）");
inline const QString kUnknownFormat =
    QStringLiteral("--format の '%1' は使えません（text、cp932、html のいずれか）");
inline const QString kBadJobs = QStringLiteral("--jobs には 1 以上の整数を指定してください: '%1'");
inline const QString kBadRegion =
    QStringLiteral("--region には 0 以上の整数 2 つを X,Y の形で指定してください: '%1'");
inline const QString kOutputForMany =
    QStringLiteral("画像が 2 つ以上のときは -o ではなく --output-dir を使ってください");
inline const QString kOutputAndDir = QStringLiteral("-o と --output-dir は同時に使えません");
inline const QString kRampUnreadable = QStringLiteral("文字の表 %1 を読み取れません");
inline const QString kRampNotCp932 = QStringLiteral(
    "文字の表のレベル %1 の「%2」(%3) は CP932 で書けないため、--format=cp932 では使えません");

// Failures of one picture or output.
inline const QString kFailed = QStringLiteral("%1: %2");
inline const QString kNoOutputDir = QStringLiteral("出力フォルダー %1 を作成できません");
inline const QString kOutputIsInput = QStringLiteral("出力先 %1 は変換する画像そのものです");
inline const QString kCannotWriteOutput = QStringLiteral("標準出力に書き込めません");

inline const QString kProgress = QStringLiteral("\r%1/%2 変換しました");

}  // namespace glyph::cli
