<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>glyph::cli</name>
    <message>
        <source>Try &apos;glyphorama-convert --help&apos; for more information.</source>
        <translation>詳しくは &apos;glyphorama-convert --help&apos; を実行してください。</translation>
    </message>
    <message>
        <source>no picture given</source>
        <translation>画像が指定されていません</translation>
    </message>
    <message>
        <source>--make-ramp and --ramp-report cannot go together</source>
        <translation>--make-ramp と --ramp-report は同時に使えません</translation>
    </message>
    <message>
        <source>--make-ramp and --ramp-report take no pictures</source>
        <translation>--make-ramp と --ramp-report には画像を指定しません</translation>
    </message>
    <message>
        <source>--size takes a whole number from 1 to %1: &apos;%2&apos;</source>
        <translation>--size には 1 以上 %1 以下の整数を指定してください: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--make-ramp or --ramp-report</source>
        <translation>--make-ramp か --ramp-report</translation>
    </message>
    <message>
        <source>%1 cannot go with %2</source>
        <translation>%1 は %2 では使えません</translation>
    </message>
    <message>
        <source>the font &apos;%1&apos; has too few Japanese glyphs (%2 candidates; at least %3 are needed)</source>
        <translation>フォント &apos;%1&apos; には日本語の字が少なすぎます（候補 %2 字。%3 字以上が必要です）</translation>
    </message>
    <message>
        <source>no range lets all 256 levels be different glyphs with a tone error within one level</source>
        <translation>256 段階すべてを異なる字にして濃さの誤差を 1 段階以内に収める範囲がありません</translation>
    </message>
    <message>
        <source>cannot write the chart: %1</source>
        <translation>グラフを書き出せません: %1</translation>
    </message>
    <message>
        <source>Font: %1 %2 px, cell %3 x %4 px</source>
        <translation>フォント: %1 %2 px、セル %3 x %4 px</translation>
    </message>
    <message>
        <source>Ramp: %1</source>
        <translation>表: %1</translation>
    </message>
    <message>
        <source>Candidates: %1 glyphs, coverage %2 to %3</source>
        <translation>候補: %1 字、インクの量 %2 〜 %3</translation>
    </message>
    <message>
        <source>Coverage: %1 at level 0, %2 at level 255 (densest glyph %3, lightest glyph %4, span %5)</source>
        <translation>インクの量: 段階 0 が %1、段階 255 が %2（最も濃い字 %3、最も淡い字 %4、幅 %5）</translation>
    </message>
    <message>
        <source>Levels denser than the one before: %1, pairs out of order: %2 %</source>
        <translation>前の段階より濃い段階: %1、濃さの順が逆の組: %2 %</translation>
    </message>
    <message>
        <source>Distinct glyphs: %1 of 256 levels</source>
        <translation>異なる字: 256 段階中 %1</translation>
    </message>
    <message>
        <source>Tone error: %1 levels on average</source>
        <translation>濃さの誤差: 平均 %1 段階</translation>
    </message>
    <message>
        <source>To make the 256 levels different glyphs, the coverage was narrowed to %1 to %2 (%3 % of the candidates&apos; span %4 to %5)</source>
        <translation>256 段階を異なる字にするため、濃さの幅を %1 〜 %2 に狭めました（候補の幅 %4 〜 %5 の %3 %）</translation>
    </message>
    <message>
        <source>Level Coverage Glyph</source>
        <translation>段階 インクの量 字</translation>
    </message>
    <message>
        <source>built-in ramp</source>
        <translation>組み込みの表</translation>
    </message>
    <message>
        <source>made ramp</source>
        <translation>作った表</translation>
    </message>
    <message>
        <source>Level (0 is black)</source>
        <translation>段階（0 が黒）</translation>
    </message>
    <message>
        <source>Coverage</source>
        <translation>インクの量</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; in --steps (known: %2)</source>
        <translation>--steps のコマンド &apos;%1&apos; は使えません（使えるもの: %2）</translation>
    </message>
    <message>
        <source>--jobs takes a whole number of 1 or more: &apos;%1&apos;</source>
        <translation>--jobs には 1 以上の整数を指定してください: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--region takes two whole numbers of 0 or more, as X,Y: &apos;%1&apos;</source>
        <translation>--region には 0 以上の整数 2 つを X,Y の形で指定してください: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--crop takes whole numbers X,Y of 0 or more and W,H of 1 or more, as X,Y,W,H: &apos;%1&apos;</source>
        <translation>--crop には 0 以上の整数 X,Y と 1 以上の整数 W,H を X,Y,W,H の形で指定してください: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 takes a whole number from 1 to %2: &apos;%3&apos;</source>
        <translation>%1 には 1 以上 %2 以下の整数を指定してください: &apos;%3&apos;</translation>
    </message>
    <message>
        <source>--cell-aspect takes a number above 0 (such as 2 or 0.5): &apos;%1&apos;</source>
        <translation>--cell-aspect には 0 より大きい数（2、0.5 など）を指定してください: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unknown --orient &apos;%1&apos; (auto or stored)</source>
        <translation>--orient の &apos;%1&apos; は使えません（auto か stored）</translation>
    </message>
    <message>
        <source>--fit and --crop cannot go together</source>
        <translation>--fit と --crop は同時に使えません</translation>
    </message>
    <message>
        <source>--region places the 100 x 100 block; it cannot go with --fit or --crop</source>
        <translation>--region は 100 x 100 のブロックの位置です。--fit や --crop とは同時に使えません</translation>
    </message>
    <message>
        <source>%1 goes only with --fit or --crop</source>
        <translation>%1 は --fit か --crop と一緒に使うオプションです</translation>
    </message>
    <message>
        <source>for more than one picture use --output-dir, not -o</source>
        <translation>画像が 2 つ以上のときは -o ではなく --output-dir を使ってください</translation>
    </message>
    <message>
        <source>%1 is an option of %2; it does nothing when converting</source>
        <translation>%1 は %2 のオプションです。画像の変換では使えません</translation>
    </message>
    <message>
        <source>%1 is given more than once</source>
        <translation>%1 が 2 回以上指定されています</translation>
    </message>
    <message>
        <source>%1 has an empty value</source>
        <translation>%1 の値が空です</translation>
    </message>
    <message>
        <source>-o and --output-dir cannot go together</source>
        <translation>-o と --output-dir は同時に使えません</translation>
    </message>
    <message>
        <source>level %1 of the ramp, &quot;%2&quot; (%3), cannot be written in CP932, so the ramp cannot go with --format=cp932</source>
        <translation>文字の表のレベル %1 の「%2」(%3) は CP932 で書けないため、--format=cp932 では使えません</translation>
    </message>
    <message>
        <source>cannot create the output folder %1 (%2)</source>
        <translation>出力フォルダー %1 を作成できません（%2）</translation>
    </message>
    <message>
        <source>not enough memory to measure the glyph shapes of %1 at %2 px</source>
        <translation>%1 の %2 px で字形を測るメモリーが足りません</translation>
    </message>
    <message>
        <source>the output %1 is the picture being converted</source>
        <translation>出力先 %1 は変換する画像そのものです</translation>
    </message>
    <message>
        <source>cannot write to standard output</source>
        <translation>標準出力に書き込めません</translation>
    </message>
    <message>
        <source><byte value="xd"/>%1/%2 converted</source>
        <translation><byte value="xd"/>%1/%2 変換しました</translation>
    </message>
    <message>
        <source>unknown --format &apos;%1&apos; (text, cp932, html, ansi, png or svg)</source>
        <translation>--format の &apos;%1&apos; は使えません（text、cp932、html、ansi、png、svg のいずれか）</translation>
    </message>
    <message>
        <source>unknown --colors &apos;%1&apos; (full, 256 or none)</source>
        <translation>--colors の &apos;%1&apos; は使えません（full、256、none のいずれか）</translation>
    </message>
    <message>
        <source>%1 goes only with --format=html, png or svg</source>
        <translation>%1 は --format=html、png、svg のときだけ使えるオプションです</translation>
    </message>
    <message>
        <source>%1 goes only with --format=html, ansi, png or svg</source>
        <translation>%1 は --format=html、ansi、png、svg のときだけ使えるオプションです</translation>
    </message>
    <message>
        <source>%1 goes only with --format=ansi</source>
        <translation>%1 は --format=ansi のときだけ使えるオプションです</translation>
    </message>
    <message>
        <source>unknown --match &apos;%1&apos; (tone or shape)</source>
        <translation>--match の &apos;%1&apos; は使えません（tone か shape）</translation>
    </message>
    <message>
        <source>unknown --pool &apos;%1&apos; (kanji or cp932)</source>
        <translation>--pool の &apos;%1&apos; は使えません（kanji か cp932）</translation>
    </message>
    <message>
        <source>--pool goes only with --match=shape</source>
        <translation>--pool は --match=shape と一緒に使うオプションです</translation>
    </message>
    <message>
        <source>--match=shape goes only with --fit or --crop (in the block a character is one pixel)</source>
        <translation>--match=shape は --fit か --crop と一緒に使います（ブロックでは 1 文字が 1 ピクセルです）</translation>
    </message>
    <message>
        <source>--match=shape chooses from the font&apos;s characters, not a ramp; it cannot go with --ramp</source>
        <translation>--match=shape は文字の表を使わないため、--ramp とは同時に使えません</translation>
    </message>
    <message>
        <source>--match=shape cannot go with --invert</source>
        <translation>--match=shape は --invert と同時に使えません</translation>
    </message>
    <message>
        <source>PNG pictures cannot follow one another on standard output; use --output-dir</source>
        <translation>PNG の画像は標準出力に続けて書けません。--output-dir を使ってください</translation>
    </message>
    <message>
        <source>a PNG picture is not written to a terminal; use -o FILE or redirect standard output</source>
        <translation>PNG の画像は端末には書き出しません。-o FILE を使うか、標準出力をリダイレクトしてください</translation>
    </message>
    <message>
        <source>Usage: glyphorama-convert [OPTION]... PICTURE...
Turn 100 x 100 pixels of a picture (by default the top-left ones) into text
art, one character per pixel. With --fit or --crop, the whole picture or a
rectangle is reduced, each character standing for the average of its area.
The characters are those the Glyphorama window shows after the same commands.
Shown on a terminal with no framing, format, match or colouring named, the
whole picture is fitted to the terminal and matched by shape, in colour where
COLORTERM or TERM says the terminal has colours.

  -o, --output=FILE      write to FILE (one picture only); - or none: standard
                         output
      --output-dir=DIR   write each picture to DIR/NAME.txt (.html, .ans, .png or
                         .svg for those formats)
      --steps=LIST       commands run after opening, comma-separated:
                         auto-level, brighter, darker, more-contrast,
                         less-contrast, reset, undo, redo
      --ramp=FILE        the characters in density order (moji.txt format);
                         default: moji.txt in the program&apos;s folder, else the
                         built-in ramp
      --format=FORMAT    text (UTF-8, LF line ends; the default), cp932 (the
                         bytes Save writes), html (a UTF-8 HTML page, the art
                         in a &lt;pre&gt;), ansi (coloured text for a terminal), png
                         or svg (a picture of the art in square cells)
      --color[=HOW]      html, png, svg, ansi in colour: cell (the default)
                         gives each cell an ink and a paper that together show
                         the colour of its pixel (of its area&apos;s mean when
                         reduced); ink draws each character in that colour on
                         the plain paper, as ansi is without --color
      --paper            html, png, svg, ansi: gray ink on a gray paper of each
                         cell&apos;s own, so that the art shows the picture&apos;s whole
                         range of tone; not with --color or --colors=none
      --colors=WHICH     ansi&apos;s colours: full (24-bit; the default), 256 (the
                         256-colour palette) or none (plain text)
      --invert           light ink on a dark ground (the densest glyph for
                         white)
      --font=FAMILY      html, png, svg: the font, a family or a font file
                         (default: the font of the window&apos;s text)
      --size=PX          html, png, svg: the glyphs&apos; size (1 to 512 pixels)
      --region=X,Y       the top-left pixel of the 100 x 100 block to convert
                         (default: 0,0); a block past the picture&apos;s edge is
                         moved inside
  -j, --jobs=N           pictures converted at a time (default: the number of
                         processors; more than four times that is lowered)

Reducing the whole picture or a rectangle:
      --fit              the whole picture
      --crop=X,Y,W,H     the rectangle W pixels wide and H high from X,Y of the
                         picture turned upright (less what is past its edge)
      --width=N          the most characters across (1 to 1000; default: 100,
                         or half the terminal&apos;s columns when writing to one)
      --height=N         the most lines (1 to 1000; default: 100, or 1000 when
                         writing to a terminal)
      --cell-aspect=R    a character&apos;s height over its width (default: 1; 2
                         for a terminal whose cells are twice as tall as wide)
      --orient=HOW       auto (upright by the EXIF orientation; the default)
                         or stored (as stored)
      --match=HOW        tone (characters chosen by their ink; the default)
                         or shape (by their shape as well)
      --pool=SET         the characters shape chooses from: kanji (kanji and
                         kana; the default) or cp932 (every full-width one)
The art has the most characters that fit the limits keeping the area&apos;s shape
(at most one per pixel).

Making a character ramp (moji.txt) from a font:
      --make-ramp        measure the ink of the font&apos;s glyphs and write a
                         256-level ramp in CP932 to -o FILE (or standard
                         output)
      --ramp-report      report the density order of a ramp (--ramp, else the
                         built-in one) on standard output
      --font=FAMILY      the font (default: the font of the window&apos;s text)
      --size=PX          the glyphs&apos; size (1 to 512 pixels; default: the
                         window&apos;s)
      --with-space       take the full-width space as a candidate
      --distinct         make all 256 levels different glyphs (over a
                         narrower range)
      --chart=FILE.png   draw coverage against level (beside the built-in ramp)

--make-ramp takes -o, --font, --size, --with-space, --distinct and --chart;
--ramp-report takes --ramp, --font, --size and --chart. An option that does
nothing in the chosen mode (--chart when converting), an empty FILE or DIR, or
an option given twice is a usage error. --region cannot go with --fit or
--crop; --width, --height, --cell-aspect, --orient and --match go only with
them. With --match=shape, --font and --size choose the font the shapes are
measured in (default: the window&apos;s); --ramp and --invert do not go with it.
--font and --size go only with html, png and svg, --color and --paper with
those and ansi, --colors with ansi; a font lacking a character of the ramp is
a usage error too.

      --help             show this help and exit
      --version          show the version and exit

Examples:
  glyphorama-convert photo.jpg
  glyphorama-convert --steps=auto-level,brighter -o art.txt photo.jpg
  glyphorama-convert --format=html --output-dir=art *.jpg
  glyphorama-convert --fit --match=shape --width=60 photo.jpg
  glyphorama-convert --fit --color --format=png -o art.png photo.jpg
  glyphorama-convert --fit --paper --format=svg -o art.svg photo.jpg
  glyphorama-convert --fit --format=ansi --colors=256 --invert photo.jpg
  glyphorama-convert --crop=400,300,800,600 --width=120 -o art.txt photo.jpg

Exit status: 0 every picture converted, 1 some picture could not be converted,
2 a usage error
</source>
        <translation>使い方: glyphorama-convert [オプション]... 画像...
画像の 100 x 100 ピクセル（既定は左上）を、1 ピクセル 1 文字のテキストアートにします。
--fit か --crop を付けると、画像全体か長方形を縮めて、1 文字をその範囲の平均にします。
Glyphorama のウィンドウで同じコマンドを実行したときと同じ文字になります。
端末に表示するとき、枠・形式・マッチ・色のどれも指定しなければ、画像全体を端末に
収め、形で文字を選び、COLORTERM か TERM が色を使えると言う端末では色も付けます。

  -o, --output=FILE      FILE に書き出す（画像が 1 つのとき）。- か省略で標準出力
      --output-dir=DIR   画像ごとに DIR/名前.txt（html なら .html、ansi なら .ans、
                         png、svg なら .png、.svg）に書き出す
      --steps=LIST       開いたあとに実行するコマンド（コンマ区切り）:
                         auto-level, brighter, darker, more-contrast,
                         less-contrast, reset, undo, redo
      --ramp=FILE        濃さの順に並べた文字（moji.txt の形式）。既定はプログラムの
                         フォルダーの moji.txt、なければ組み込みの表
      --format=FORMAT    text（UTF-8、改行 LF。既定）、cp932（保存と同じバイト列）、
                         html（&lt;pre&gt; に入れた UTF-8 の HTML ページ）、ansi（端末の色付き
                         テキスト）、png、svg（正方形のマスに描いたテキストアートの絵）
      --color[=HOW]      html、png、svg、ansi に色を付ける: cell（既定）はマスごとに
                         字の色と地の色を付け、合わせて元の画素（縮めたときは
                         マスの平均）の色にする。ink は 1 文字ずつその色で白地に
                         書く（--color なしの ansi と同じ）
      --paper            html、png、svg、ansi: マスごとに灰色の地と灰色の字を付け、
                         画像の濃淡の幅をすべて表す。--color、--colors=none とは
                         一緒に使えない
      --colors=WHICH     ansi の色: full（24 ビット。既定）、256（256 色）、none（色なし）
      --invert           暗い背景に明るい字（明るいところほど濃い字）
      --font=FAMILY      html、png、svg のフォント（ファミリー名かフォントファイル。
                         既定: ウィンドウのテキストのフォント）
      --size=PX          html、png、svg の文字の大きさ（1〜512 ピクセル）
      --region=X,Y       変換する 100 x 100 のブロックの左上のピクセル（既定: 0,0）。
                         画像からはみ出すときは内側に寄せる
  -j, --jobs=N           同時に変換する数（既定: CPU の数。その 4 倍より大きい数は
                         4 倍にする）

画像全体か長方形を縮めて変換する:
      --fit              画像全体
      --crop=X,Y,W,H     向きを直した画像の左上 X,Y から幅 W、高さ H ピクセルの長方形
                         （画像からはみ出す部分は除く）
      --width=N          横の文字数の上限（1〜1000。既定: 100、端末に書き出すときは
                         端末の桁数の半分）
      --height=N         行数の上限（1〜1000。既定: 100、端末に書き出すときは 1000）
      --cell-aspect=R    1 文字の高さ ÷ 幅（既定: 1。文字が縦長の端末なら 2 など）
      --orient=HOW       auto（EXIF の向きに直す。既定）か stored（保存された向きのまま）
      --match=HOW        tone（濃さだけで字を選ぶ。既定）か shape（形も合わせる）
      --pool=SET         shape で選ぶ字: kanji（漢字とかな。既定）か cp932（全角のすべて）
文字数は、範囲の縦横比を保ったまま上限に収まる最大の数（ピクセルの数まで）。

文字の表（moji.txt）をフォントから作る:
      --make-ramp        フォントで描いた字のインクの量を測り、256 段階の表を
                         -o FILE（省略で標準出力）に CP932 で書き出す
      --ramp-report      表（--ramp、省略で組み込みの表）の濃さの並びを標準出力に
                         報告する
      --font=FAMILY      フォント（既定: ウィンドウのテキストのフォント）
      --size=PX          文字の大きさ（1〜512 ピクセル。既定: ウィンドウと同じ）
      --with-space       全角スペースを候補に入れる
      --distinct         256 段階すべてを異なる字にする（濃さの幅は狭くなる）
      --chart=FILE.png   濃さと段階のグラフを描く（組み込みの表と並べて）

--make-ramp が使うのは -o、--font、--size、--with-space、--distinct、--chart、
--ramp-report が使うのは --ramp、--font、--size、--chart。選んだ使い方で働かない
オプション（変換での --chart など）、空の FILE や DIR、同じオプションを 2 回
指定することは、使い方の誤りになる。--region は --fit、--crop と同時に使えず、
--width、--height、--cell-aspect、--orient、--match は --fit か --crop のときだけ
使える。--match=shape では --font、--size で形を測るフォントを選べる（既定:
ウィンドウのフォント）。--ramp、--invert は --match=shape と同時に使えない。
--font、--size は html、png、svg のとき、--color、--paper は html、ansi、png、svg
のとき、--colors は ansi のときだけ使える。フォントにない字があるときも使い方の誤り。

      --help             この説明を表示して終了する
      --version          バージョンを表示して終了する

例:
  glyphorama-convert photo.jpg
  glyphorama-convert --steps=auto-level,brighter -o art.txt photo.jpg
  glyphorama-convert --format=html --output-dir=art *.jpg
  glyphorama-convert --fit --match=shape --width=60 photo.jpg
  glyphorama-convert --fit --color --format=png -o art.png photo.jpg
  glyphorama-convert --fit --paper --format=svg -o art.svg photo.jpg
  glyphorama-convert --fit --format=ansi --colors=256 --invert photo.jpg
  glyphorama-convert --crop=400,300,800,600 --width=120 -o art.txt photo.jpg

終了ステータス: 0 すべて変換した、1 変換できない画像があった、2 使い方の誤り
</translation>
    </message>
    <message>
        <source>unknown --color &apos;%1&apos; (cell or ink)</source>
        <translation>--color の &apos;%1&apos; は使えません（cell、ink のいずれか）</translation>
    </message>
    <message>
        <source>--paper cannot go with --color or --colors=none</source>
        <translation>--paper は --color、--colors=none と一緒に使えません</translation>
    </message>
</context>
</TS>
