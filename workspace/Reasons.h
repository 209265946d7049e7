#pragma once

#include <QString>

// Why a picture or a file could not be read or written, as the user reads it.
// One table, so that the window and the converter say the same thing.

namespace glyph::reasons {

// Files.
inline const QString kCannotOpenFile = QStringLiteral("ファイルを開けません（%1）");
inline const QString kNotRegularFile = QStringLiteral("通常のファイルではありません");
inline const QString kNotAPicture = QStringLiteral(
    "対応している画像ではありません（BMP、JPEG、PNG、GIF、WebP、TIFF のいずれでもありません）");
// %1 the memory needed, in MB; %2 the most the program uses, in MB.
inline const QString kTooLarge = QStringLiteral(
    "画像が大きすぎて開けません（開くには %1 MB のメモリーが必要ですが、使えるのは %2 MB "
    "までです）");
inline const QString kTooMuchWork =
    QStringLiteral("画像のスキャンが多すぎて、開くのに時間がかかりすぎます");
// %1 the most bytes read.
inline const QString kFileTooLarge = QStringLiteral("ファイルが大きすぎます（%1 バイトまで）");
// %1 the picture's megapixels, %2 the most.
inline const QString kTooManyPixels = QStringLiteral(
    "画像が大きすぎて、全体を読むのに時間がかかりすぎます（%1 メガピクセル。%2 "
    "メガピクセルまでです）");
inline const QString kEmptyRegion = QStringLiteral("読み取る範囲が空です");
inline const QString kNoMemoryForRegion =
    QStringLiteral("画像の範囲を読み取るメモリーが足りません");

// BMP.
inline const QString kBmpCutShort =
    QStringLiteral("BMP のヘッダーの途中でファイルが終わっています");
inline const QString kBmpNotBmp = QStringLiteral("BMP ファイルではありません");
inline const QString kBmpBadSize = QStringLiteral("BMP の幅または高さが 0 以下です");
inline const QString kBmpHeightOutOfRange = QStringLiteral("BMP の高さが範囲外です");
inline const QString kBmpBadMasks = QStringLiteral("BMP のビット フィールドのマスクが不正です");
// %1 the header size.
inline const QString kBmpHeaderSize =
    QStringLiteral("BMP のヘッダー サイズ %1 には対応していません");
// %1 bits per pixel, %2 the compression.
inline const QString kBmpFormat =
    QStringLiteral("BMP の形式（%1 ビット/ピクセル、圧縮 %2）には対応していません");
inline const QString kBmpDataOffset =
    QStringLiteral("BMP のピクセル データの位置がヘッダーの中を指しています");

// JPEG.
inline const QString kJpegHeaderDamaged = QStringLiteral("JPEG のヘッダーが壊れています");
inline const QString kJpegDataDamaged =
    QStringLiteral("JPEG の画像データが壊れているか、対応していない形式です");

// PNG.
inline const QString kPngHeaderDamaged = QStringLiteral("PNG のヘッダーが壊れています");

// GIF, WebP and TIFF.
inline const QString kPictureDamaged =
    QStringLiteral("画像のデータが壊れているか、対応していない形式です");

// Ramp files. %1 the file's name.
inline const QString kRampUnreadable = QStringLiteral("文字の表 %1 を読み取れません（%2）");
// %2 the most bytes.
inline const QString kRampTooLarge =
    QStringLiteral("文字の表 %1 が大きすぎます（%2 バイトまでです）");
// %2 the line, %3 the most characters.
inline const QString kRampEntryTooLong =
    QStringLiteral("文字の表 %1 の %2 行目に %3 文字より長い項目があります");
// %2 the encoding, %3 the lines.
inline const QString kRampUndecodedLines = QStringLiteral(
    "文字の表 %1 の次の行は %2 として読めないため使いません（後の段階が繰り上がります）: %3");
inline const QString kRampBomNotUtf8 = QStringLiteral(
    "文字の表 %1 は UTF-8 のバイト順マークで始まりますが、次の行は UTF-8 ではないため使いません"
    "（CP932 の表なら、バイト順マークを取り除いてください）: %2");
inline const QString kRampMoreLines = QStringLiteral(" ほか %1 行");
// %2 the entries read.
inline const QString kRampShort = QStringLiteral(
    "文字の表 %1 から %2 個の項目を読みました。足りない段階には組み込みの表を使います");
// %1 why.
inline const QString kRampRefused = QStringLiteral("%1。組み込みの表を使います");

// Writing text files.
inline const QString kSaveFailed = QStringLiteral("このファイルに保存できませんでした。");
inline const QString kSaveNoFolder = QStringLiteral("保存先のフォルダーが見つかりません。");
inline const QString kSaveCannotCreate = QStringLiteral("ファイルを作成できません。");
inline const QString kSaveCannotWrite = QStringLiteral("ファイルに書き込めません。");
inline const QString kSaveCannotReplace = QStringLiteral("元のファイルを置き換えられません。");
// Outputs that are not a regular file's place.
inline const QString kOutputIsFolder = QStringLiteral("書き出し先はフォルダーです。");
inline const QString kOutputNotRegular = QStringLiteral(
    "書き出し先は通常のファイルではありません（FIFO、ソケット、ブロック "
    "デバイスのいずれかです）。");
inline const QString kOutputIsLink = QStringLiteral(
    "書き出し先はシンボリック "
    "リンクです。出力フォルダーの外に書き出さないよう、書き出しませんでした。");
// %1 line, %2 column, %3 the character, %4 its code (U+XXXX).
inline const QString kUnencodableLine1 =
    QStringLiteral("%1 行目 %2 文字目の「%3」(%4) は Shift-JIS で保存できない文字です。");
inline const QString kUnencodableLine2 =
    QStringLiteral("この文字を削除するか別の文字に置き換えてから、もう一度保存してください。");

// The font the art is shown in. %1 a font family.
inline const QString kUnknownFont = QStringLiteral("フォント '%1' が見つかりません");
// %1 a font file.
inline const QString kUnreadableFontFile = QStringLiteral("フォントファイル '%1' を読み込めません");
// %1 a family, %2 a character, %3 its code point.
inline const QString kFontLacks =
    QStringLiteral("フォント '%1' には「%2」(%3) の字がないため、アートを描けません");

// Pictures of the art. %1 x %2 pixels, %3 the memory needed, %4 the most, in MB.
inline const QString kArtPictureTooLarge = QStringLiteral(
    "絵が大きすぎて描けません（%1 x %2 ピクセル。描くには %3 MB のメモリーが必要ですが、"
    "使えるのは %4 MB までです）");
inline const QString kCannotEncodePng = QStringLiteral("PNG に書き出せません");

}  // namespace glyph::reasons
