<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>glyph::reasons</name>
    <message>
        <source>ファイルを開けません（%1）</source>
        <translation>cannot open the file (%1)</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>対応している画像ではありません（BMP、JPEG、PNG、GIF、WebP、TIFF のいずれでもありません）</source>
        <translation>not a supported picture (none of BMP, JPEG, PNG, GIF, WebP, TIFF)</translation>
    </message>
    <message>
        <source>画像が大きすぎて開けません（開くには %1 MB のメモリーが必要ですが、使えるのは %2 MB までです）</source>
        <translation>the picture is too large to open (opening it needs %1 MB of memory; the most the program uses is %2 MB)</translation>
    </message>
    <message>
        <source>画像のスキャンが多すぎて、開くのに時間がかかりすぎます</source>
        <translation>the picture has too many scans; opening it would take too long</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1 バイトまで）</source>
        <translation>the file is too large (at most %1 bytes)</translation>
    </message>
    <message>
        <source>画像が大きすぎて、全体を読むのに時間がかかりすぎます（%1 メガピクセル。%2 メガピクセルまでです）</source>
        <translation>the picture is too large; reading it whole would take too long (%1 megapixels; at most %2 megapixels)</translation>
    </message>
    <message>
        <source>読み取る範囲が空です</source>
        <translation>the area to read is empty</translation>
    </message>
    <message>
        <source>画像の範囲を読み取るメモリーが足りません</source>
        <translation>not enough memory to read the area of the picture</translation>
    </message>
    <message>
        <source>文字の形を測るメモリーが足りないため、形で選べません</source>
        <translation>not enough memory to measure the glyph shapes, so they cannot be matched</translation>
    </message>
    <message>
        <source>形で選ぶ字形が渡されていません</source>
        <translation>no glyph shapes were given to match with</translation>
    </message>
    <message>
        <source>BMP のヘッダーの途中でファイルが終わっています</source>
        <translation>the file ends inside the BMP header</translation>
    </message>
    <message>
        <source>BMP ファイルではありません</source>
        <translation>not a BMP file</translation>
    </message>
    <message>
        <source>BMP の幅または高さが 0 以下です</source>
        <translation>the BMP width or height is 0 or less</translation>
    </message>
    <message>
        <source>BMP の高さが範囲外です</source>
        <translation>the BMP height is out of range</translation>
    </message>
    <message>
        <source>BMP のビット フィールドのマスクが不正です</source>
        <translation>the BMP bit field masks are invalid</translation>
    </message>
    <message>
        <source>BMP のヘッダー サイズ %1 には対応していません</source>
        <translation>BMP header size %1 is not supported</translation>
    </message>
    <message>
        <source>BMP の形式（%1 ビット/ピクセル、圧縮 %2）には対応していません</source>
        <translation>this BMP format (%1 bits per pixel, compression %2) is not supported</translation>
    </message>
    <message>
        <source>BMP のピクセル データの位置がヘッダーの中を指しています</source>
        <translation>the BMP pixel data offset points inside the header</translation>
    </message>
    <message>
        <source>JPEG のヘッダーが壊れています</source>
        <translation>the JPEG header is damaged</translation>
    </message>
    <message>
        <source>JPEG の画像データが壊れているか、対応していない形式です</source>
        <translation>the JPEG picture data is damaged or in an unsupported format</translation>
    </message>
    <message>
        <source>PNG のヘッダーが壊れています</source>
        <translation>the PNG header is damaged</translation>
    </message>
    <message>
        <source>画像のデータが壊れているか、対応していない形式です</source>
        <translation>the picture data is damaged or in an unsupported format</translation>
    </message>
    <message>
        <source>文字の表 %1 を読み取れません（%2）</source>
        <translation>cannot read the ramp %1 (%2)</translation>
    </message>
    <message>
        <source>文字の表 %1 が大きすぎます（%2 バイトまでです）</source>
        <translation>the ramp %1 is too large (at most %2 bytes)</translation>
    </message>
    <message>
        <source>文字の表 %1 の %2 行目に %3 文字より長い項目があります</source>
        <translation>line %2 of the ramp %1 has an entry longer than %3 characters</translation>
    </message>
    <message>
        <source>文字の表 %1 の次の行は %2 として読めないため使いません（後の段階が繰り上がります）: %3</source>
        <translation>these lines of the ramp %1 do not read as %2 and are skipped (later levels move up): %3</translation>
    </message>
    <message>
        <source>文字の表 %1 は UTF-8 のバイト順マークで始まりますが、次の行は UTF-8 ではないため使いません（CP932 の表なら、バイト順マークを取り除いてください）: %2</source>
        <translation>the ramp %1 starts with a UTF-8 byte-order mark, but these lines are not UTF-8 and are skipped (for a CP932 ramp, remove the byte-order mark): %2</translation>
    </message>
    <message>
        <source> ほか %1 行</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>文字の表 %1 から %2 個の項目を読みました。足りない段階には組み込みの表を使います</source>
        <translation>read %2 entries from the ramp %1; the built-in ramp fills the missing levels</translation>
    </message>
    <message>
        <source>%1。組み込みの表を使います</source>
        <translation>%1; using the built-in ramp</translation>
    </message>
    <message>
        <source>このファイルに保存できませんでした。</source>
        <translation>Could not save to this file.</translation>
    </message>
    <message>
        <source>保存先のフォルダーが見つかりません。</source>
        <translation>the folder to write in was not found</translation>
    </message>
    <message>
        <source>ファイルを作成できません。</source>
        <translation>cannot create the file</translation>
    </message>
    <message>
        <source>ファイルに書き込めません。</source>
        <translation>cannot write to the file</translation>
    </message>
    <message>
        <source>元のファイルを置き換えられません。</source>
        <translation>cannot replace the old file</translation>
    </message>
    <message>
        <source>書き出し先はフォルダーです。</source>
        <translation>the output is a folder</translation>
    </message>
    <message>
        <source>書き出し先は通常のファイルではありません（FIFO、ソケット、ブロック デバイスのいずれかです）。</source>
        <translation>the output is not a regular file (it is a FIFO, a socket or a block device)</translation>
    </message>
    <message>
        <source>書き出し先はシンボリック リンクです。出力フォルダーの外に書き出さないよう、書き出しませんでした。</source>
        <translation>the output is a symbolic link; not written, so as not to write outside the output folder</translation>
    </message>
    <message>
        <source>%1 行目 %2 文字目の「%3」(%4) は Shift-JIS で保存できない文字です。</source>
        <translation>&quot;%3&quot; (%4) at line %1, character %2, cannot be saved in Shift-JIS.</translation>
    </message>
    <message>
        <source>この文字を削除するか別の文字に置き換えてから、もう一度保存してください。</source>
        <translation>Delete the character or replace it with another, then save again.</translation>
    </message>
    <message>
        <source>フォント &apos;%1&apos; が見つかりません</source>
        <translation>font &apos;%1&apos; not found</translation>
    </message>
    <message>
        <source>%1(%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>フォントファイル &apos;%1&apos; を読み込めません</source>
        <translation>cannot read the font file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>フォント &apos;%1&apos; には「%2」(%3) の字がないため、アートを描けません</source>
        <translation>the font &apos;%1&apos; has no glyph for &quot;%2&quot; (%3), so it cannot draw the art</translation>
    </message>
    <message>
        <source>絵が大きすぎて描けません（%1 x %2 ピクセル。描くには %3 MB のメモリーが必要ですが、使えるのは %4 MB までです）</source>
        <translation>the picture of the art is too large to draw (%1 x %2 pixels; drawing it needs %3 MB of memory, the most the program uses is %4 MB)</translation>
    </message>
    <message>
        <source>PNG に書き出せません</source>
        <translation>cannot write the PNG</translation>
    </message>
    <message>
        <source>フォント &apos;%1&apos; には漢字とかなが %2 字しかなく、アートを描くには足りません（%3 字以上必要です）</source>
        <translation>the font &apos;%1&apos; holds only %2 kanji and kana, too few to draw the art (it needs at least %3)</translation>
    </message>
</context>
</TS>
