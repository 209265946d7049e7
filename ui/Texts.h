#pragma once

#include <QString>

#include "basics/Reasons.h"

// Every text the window shows, kept together; what the readers and writers
// say of a file stands in basics/Reasons.h.

namespace glyph::texts {

inline const QString kAppTitle = QStringLiteral("Glyphorama");

// Tooltips of the pictures; the buttons' stand in the action table (ui/Actions.cpp).
inline const QString kPicture1Tip = QStringLiteral("元画像");
inline const QString kPicture2Tip = QStringLiteral("加工画像");
// Picture1's tooltip while the block can move over a larger picture.
inline const QString kBlockTip = QStringLiteral(
    "元画像\nブロックの位置: %1, %2（画像 %3 x %4 ピクセル）\n"
    "ドラッグか Alt+矢印キー（Alt+Shift で 10 ピクセル）で動かせます\n"
    "Ctrl+2: 画像全体　Ctrl+3: 範囲を選ぶ　Ctrl+1: ブロックに戻る");

// Which part of the picture the art is made of: the upper picture's context menu.
inline const QString kModeBlock = QStringLiteral("ブロック（100 x 100 ピクセル）(&B)");
inline const QString kModeWhole = QStringLiteral("画像全体(&W)");
inline const QString kModeRectangle = QStringLiteral("範囲を選ぶ(&R)");
// How each cell's character is chosen, for the whole picture and a rectangle.
inline const QString kMatchTone = QStringLiteral("濃さで字を選ぶ(&T)");
inline const QString kMatchKanji = QStringLiteral("形でも字を選ぶ：漢字とかな(&S)");
inline const QString kMatchCp932 = QStringLiteral("形でも字を選ぶ：全角のすべて(&A)");
// Picture1's tooltip in those modes. %1 x %2 the picture's size.
inline const QString kWholeTip = QStringLiteral(
    "元画像（画像全体 %1 x %2 ピクセル）\n"
    "右クリックか Ctrl+1、Ctrl+2、Ctrl+3 でブロック、画像全体、範囲を切り替えます\n"
    "Ctrl+4、Ctrl+5、Ctrl+6 で字の選び方（濃さ、形：漢字とかな、形：全角）を切り替えます");
// %1, %2 the rectangle's corner, %3 x %4 its size, %5 x %6 the picture's.
inline const QString kRectangleTip = QStringLiteral(
    "元画像（範囲 %1, %2 から %3 x %4 ピクセル、画像 %5 x %6 ピクセル）\n"
    "ドラッグして範囲を描き直せます。右クリックで切り替えます\n"
    "Ctrl+4、Ctrl+5、Ctrl+6 で字の選び方を切り替えます");

// Open.
inline const QString kOpenFilter =
    QStringLiteral("イメージ ファイル (*.bmp,*.jpg,*.jpe,*.jpeg)|*.bmp;*.jpg;*.jpe;*.jpeg|");
// The open dialog's second entry: every type the program reads.
inline const QString kAllPicturesFilter = QStringLiteral(
    "読み取れるすべての画像|*.bmp;*.dib;*.jpg;*.jpe;*.jpeg;*.jfif;*.png;*.gif;*.webp;*.tif;*."
    "tiff|");
inline const QString kUnreadableLine1 = QStringLiteral("このファイルは読み取れません。");
inline const QString kUnreadableLine2 =
    QStringLiteral("このビットマップ ファイルは無効であるか、現在サポートされていない形式です。");
inline const QString kNoClipboard = QStringLiteral("クリップボードを使えません。");

// Save and print.
inline const QString kSaveFilter = QStringLiteral("テキストファイル (*.txt)|*.txt|");
inline const QString kOverwriteLine1 = QStringLiteral("このファイルはすでに存在しています。");
inline const QString kOverwriteLine2 = QStringLiteral("上書きしますか?");
inline const QString kErrorCaption = QStringLiteral("エラー");
inline const QString kNoPicture = QStringLiteral("画像が選択されていません");

// The text box's context menu: the art written as a picture, a page or UTF-8
// text, after the box's own entries.
inline const QString kExportMenu = QStringLiteral("名前を付けて書き出す(&E)");
inline const QString kExportPng = QStringLiteral("画像 (PNG)(&P)...");
inline const QString kExportSvg = QStringLiteral("画像 (SVG)(&S)...");
inline const QString kExportHtml = QStringLiteral("ウェブページ (HTML)(&H)...");
inline const QString kExportText = QStringLiteral("テキスト (UTF-8)(&T)...");
inline const QString kExportColour = QStringLiteral("カラー(&C)");
// The text box's view menu: how the text is shown, never what it is.
inline const QString kViewMenu = QStringLiteral("表示(&V)");
inline const QString kViewColour = QStringLiteral("カラー(&C)");
inline const QString kZoomIn = QStringLiteral("拡大(&I)");
inline const QString kZoomOut = QStringLiteral("縮小(&O)");
inline const QString kZoomReset = QStringLiteral("標準のサイズ(&N)");
inline const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)|*.png|");
inline const QString kSvgFilter = QStringLiteral("SVG 画像 (*.svg)|*.svg|");
inline const QString kHtmlFilter = QStringLiteral("ウェブページ (*.html)|*.html;*.htm|");
inline const QString kUtf8Filter = QStringLiteral("テキストファイル (UTF-8) (*.txt)|*.txt|");

// About window.
inline const QString kAboutCaption = QStringLiteral("バージョン情報");
// Fixed text of the About window, not the program's version.
inline const QString kAboutFixedVersion = QStringLiteral("version 1.12");
inline const QString kAboutOK = QStringLiteral("OK");

// Print and copy failures.
inline const QString kNoPrinter = QStringLiteral(
    "プリンターがインストールされていないか、通常使うプリンターが設定されていません。");
inline const QString kPrintFailed = QStringLiteral("印刷できませんでした。");
inline const QString kPrinterRefused = QStringLiteral("プリンターが印刷を受け付けませんでした。");
inline const QString kCopyFailed = QStringLiteral("クリップボードにコピーできませんでした。");

// The command line, answered before any window opens.
inline constexpr char kUsage[] =
    "使い方: glyphorama [画像]\n"
    "画像をテキストアートにするウィンドウを開きます。画像を指定するとそれを開きます。\n"
    "\n"
    "      --help     この説明を表示して終了する\n"
    "      --version  バージョンを表示して終了する\n"
    "\n"
    "コマンドラインで変換するには glyphorama-convert を使います。\n";
inline constexpr char kVersionLine[] = "glyphorama (Glyphorama) " GLYPHORAMA_VERSION "\n";
inline constexpr char kNoDisplay[] =
    "glyphorama: 画面がありません（DISPLAY も WAYLAND_DISPLAY も QT_QPA_PLATFORM も"
    "設定されていません）\n";

}  // namespace glyph::texts
