#pragma once

#include <QtGlobal>

#include "basics/Translatable.h"

// Why a picture or a file could not be read or written, as the user reads it.
// One table, so that the window and the converter say the same thing. Written
// in the window's Japanese; the converter reads them in English outside a
// Japanese locale (cli/translations/glyphorama-convert_en.ts).

namespace glyph::reasons {

inline constexpr char kContext[] = "glyph::reasons";
using Reason = Translatable<kContext>;

// Files.
inline constexpr Reason kCannotOpenFile{
    QT_TRANSLATE_NOOP("glyph::reasons", "ファイルを開けません（%1）")};
inline constexpr Reason kNotRegularFile{
    QT_TRANSLATE_NOOP("glyph::reasons", "通常のファイルではありません")};
inline constexpr Reason kNotAPicture{QT_TRANSLATE_NOOP(
    "glyph::reasons",
    "対応している画像ではありません（BMP、JPEG、PNG、GIF、WebP、TIFF のいずれでもありません）")};
// %1 the memory needed, in MB; %2 the most the program uses, in MB.
inline constexpr Reason kTooLarge{QT_TRANSLATE_NOOP(
    "glyph::reasons",
    "画像が大きすぎて開けません（開くには %1 MB のメモリーが必要ですが、使えるのは %2 MB "
    "までです）")};
inline constexpr Reason kTooMuchWork{
    QT_TRANSLATE_NOOP("glyph::reasons", "画像のスキャンが多すぎて、開くのに時間がかかりすぎます")};
// %1 the most bytes read.
inline constexpr Reason kFileTooLarge{
    QT_TRANSLATE_NOOP("glyph::reasons", "ファイルが大きすぎます（%1 バイトまで）")};
// %1 the picture's megapixels, %2 the most.
inline constexpr Reason kTooManyPixels{
    QT_TRANSLATE_NOOP("glyph::reasons",
                      "画像が大きすぎて、全体を読むのに時間がかかりすぎます（%1 メガピクセル。%2 "
                      "メガピクセルまでです）")};
inline constexpr Reason kEmptyRegion{QT_TRANSLATE_NOOP("glyph::reasons", "読み取る範囲が空です")};
inline constexpr Reason kNoMemoryForRegion{
    QT_TRANSLATE_NOOP("glyph::reasons", "画像の範囲を読み取るメモリーが足りません")};
inline constexpr Reason kNoMemoryForShapes{
    QT_TRANSLATE_NOOP("glyph::reasons", "文字の形を測るメモリーが足りないため、形で選べません")};
inline constexpr Reason kNoShapePools{
    QT_TRANSLATE_NOOP("glyph::reasons", "形で選ぶ字形が渡されていません")};

// BMP.
inline constexpr Reason kBmpCutShort{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP のヘッダーの途中でファイルが終わっています")};
inline constexpr Reason kBmpNotBmp{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP ファイルではありません")};
inline constexpr Reason kBmpBadSize{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP の幅または高さが 0 以下です")};
inline constexpr Reason kBmpHeightOutOfRange{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP の高さが範囲外です")};
inline constexpr Reason kBmpBadMasks{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP のビット フィールドのマスクが不正です")};
// %1 the header size.
inline constexpr Reason kBmpHeaderSize{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP のヘッダー サイズ %1 には対応していません")};
// %1 bits per pixel, %2 the compression.
inline constexpr Reason kBmpFormat{QT_TRANSLATE_NOOP(
    "glyph::reasons", "BMP の形式（%1 ビット/ピクセル、圧縮 %2）には対応していません")};
inline constexpr Reason kBmpDataOffset{
    QT_TRANSLATE_NOOP("glyph::reasons", "BMP のピクセル データの位置がヘッダーの中を指しています")};

// JPEG.
inline constexpr Reason kJpegHeaderDamaged{
    QT_TRANSLATE_NOOP("glyph::reasons", "JPEG のヘッダーが壊れています")};
inline constexpr Reason kJpegDataDamaged{
    QT_TRANSLATE_NOOP("glyph::reasons", "JPEG の画像データが壊れているか、対応していない形式です")};

// PNG.
inline constexpr Reason kPngHeaderDamaged{
    QT_TRANSLATE_NOOP("glyph::reasons", "PNG のヘッダーが壊れています")};

// GIF, WebP and TIFF.
inline constexpr Reason kPictureDamaged{
    QT_TRANSLATE_NOOP("glyph::reasons", "画像のデータが壊れているか、対応していない形式です")};

// Ramp files. %1 the file's name.
inline constexpr Reason kRampUnreadable{
    QT_TRANSLATE_NOOP("glyph::reasons", "文字の表 %1 を読み取れません（%2）")};
// %2 the most bytes.
inline constexpr Reason kRampTooLarge{
    QT_TRANSLATE_NOOP("glyph::reasons", "文字の表 %1 が大きすぎます（%2 バイトまでです）")};
// %2 the line, %3 the most characters.
inline constexpr Reason kRampEntryTooLong{
    QT_TRANSLATE_NOOP("glyph::reasons", "文字の表 %1 の %2 行目に %3 文字より長い項目があります")};
// %2 the encoding, %3 the lines.
inline constexpr Reason kRampUndecodedLines{QT_TRANSLATE_NOOP(
    "glyph::reasons",
    "文字の表 %1 の次の行は %2 として読めないため使いません（後の段階が繰り上がります）: %3")};
inline constexpr Reason kRampBomNotUtf8{QT_TRANSLATE_NOOP(
    "glyph::reasons",
    "文字の表 %1 は UTF-8 のバイト順マークで始まりますが、次の行は UTF-8 ではないため使いません"
    "（CP932 の表なら、バイト順マークを取り除いてください）: %2")};
inline constexpr Reason kRampMoreLines{QT_TRANSLATE_NOOP("glyph::reasons", " ほか %1 行")};
// %2 the entries read.
inline constexpr Reason kRampShort{QT_TRANSLATE_NOOP(
    "glyph::reasons",
    "文字の表 %1 から %2 個の項目を読みました。足りない段階には組み込みの表を使います")};
// %1 why.
inline constexpr Reason kRampRefused{
    QT_TRANSLATE_NOOP("glyph::reasons", "%1。組み込みの表を使います")};

// Writing text files.
// %1 what failed, %2 the system's reason.
inline constexpr Reason kWithDetail{QT_TRANSLATE_NOOP("glyph::reasons", "%1(%2)")};
inline constexpr Reason kSaveFailed{
    QT_TRANSLATE_NOOP("glyph::reasons", "このファイルに保存できませんでした。")};
inline constexpr Reason kSaveNoFolder{
    QT_TRANSLATE_NOOP("glyph::reasons", "保存先のフォルダーが見つかりません。")};
inline constexpr Reason kSaveCannotCreate{
    QT_TRANSLATE_NOOP("glyph::reasons", "ファイルを作成できません。")};
inline constexpr Reason kSaveCannotWrite{
    QT_TRANSLATE_NOOP("glyph::reasons", "ファイルに書き込めません。")};
inline constexpr Reason kSaveCannotReplace{
    QT_TRANSLATE_NOOP("glyph::reasons", "元のファイルを置き換えられません。")};
// Outputs that are not a regular file's place.
inline constexpr Reason kOutputIsFolder{
    QT_TRANSLATE_NOOP("glyph::reasons", "書き出し先はフォルダーです。")};
inline constexpr Reason kOutputNotRegular{
    QT_TRANSLATE_NOOP("glyph::reasons",
                      "書き出し先は通常のファイルではありません（FIFO、ソケット、ブロック "
                      "デバイスのいずれかです）。")};
inline constexpr Reason kOutputIsLink{
    QT_TRANSLATE_NOOP("glyph::reasons",
                      "書き出し先はシンボリック "
                      "リンクです。出力フォルダーの外に書き出さないよう、書き出しませんでした。")};
// %1 line, %2 column, %3 the character, %4 its code (U+XXXX).
inline constexpr Reason kUnencodableLine1{QT_TRANSLATE_NOOP(
    "glyph::reasons", "%1 行目 %2 文字目の「%3」(%4) は Shift-JIS で保存できない文字です。")};
inline constexpr Reason kUnencodableLine2{QT_TRANSLATE_NOOP(
    "glyph::reasons", "この文字を削除するか別の文字に置き換えてから、もう一度保存してください。")};

// The font the art is shown in. %1 a font family.
inline constexpr Reason kUnknownFont{
    QT_TRANSLATE_NOOP("glyph::reasons", "フォント '%1' が見つかりません")};
// %1 a font file.
inline constexpr Reason kUnreadableFontFile{
    QT_TRANSLATE_NOOP("glyph::reasons", "フォントファイル '%1' を読み込めません")};
// %1 a family, %2 a character, %3 its code point.
inline constexpr Reason kFontLacks{QT_TRANSLATE_NOOP(
    "glyph::reasons", "フォント '%1' には「%2」(%3) の字がないため、アートを描けません")};

// %1 a family, %2 the kanji and kana it holds, %3 the fewest the art needs.
inline constexpr Reason kFontTooFewKanji{
    QT_TRANSLATE_NOOP("glyph::reasons",
                      "フォント '%1' には漢字とかなが %2 "
                      "字しかなく、アートを描くには足りません（%3 字以上必要です）")};

// Pictures of the art. %1 x %2 pixels, %3 the memory needed, %4 the most, in MB.
inline constexpr Reason kArtPictureTooLarge{
    QT_TRANSLATE_NOOP("glyph::reasons",
                      "絵が大きすぎて描けません（%1 x %2 ピクセル。描くには %3 MB "
                      "のメモリーが必要ですが、使えるのは %4 MB までです）")};
inline constexpr Reason kCannotEncodePng{
    QT_TRANSLATE_NOOP("glyph::reasons", "PNG に書き出せません")};

}  // namespace glyph::reasons
