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

// Writing text files.
inline const QString kSaveFailed = QStringLiteral("このファイルに保存できませんでした。");
inline const QString kSaveNoFolder = QStringLiteral("保存先のフォルダーが見つかりません。");
inline const QString kSaveCannotCreate = QStringLiteral("ファイルを作成できません。");
inline const QString kSaveCannotWrite = QStringLiteral("ファイルに書き込めません。");
inline const QString kSaveCannotReplace = QStringLiteral("元のファイルを置き換えられません。");
// %1 line, %2 column, %3 the character, %4 its code (U+XXXX).
inline const QString kUnencodableLine1 =
    QStringLiteral("%1 行目 %2 文字目の「%3」(%4) は Shift-JIS で保存できない文字です。");
inline const QString kUnencodableLine2 =
    QStringLiteral("この文字を削除するか別の文字に置き換えてから、もう一度保存してください。");

}  // namespace glyph::reasons
