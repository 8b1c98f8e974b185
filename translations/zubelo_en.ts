<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BookCommands</name>
    <message>
        <source>めいろ %n</source>
        <translation>Maze %n</translation>
    </message>
    <message>
        <source>印刷できませんでした。</source>
        <translation>Could not print.</translation>
    </message>
    <message>
        <source>迷路を作っています...</source>
        <translation>Making the mazes…</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>不明なオプションです: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>オプション %1 に値を指定してください</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>オプション %1 は値を取りません</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <source>オプション %1 の値が正しくありません: %2</source>
        <translation>option %1: invalid value: %2</translation>
    </message>
    <message>
        <source>出力ファイルを --export で指定してください</source>
        <translation>name the output file with --export</translation>
    </message>
    <message>
        <source>出力ファイルの形式が分かりません (.pdf .svg .png .bmp): %1</source>
        <translation>unknown output format (.pdf .svg .png .bmp): %1</translation>
    </message>
    <message>
        <source>迷路ファイル (.maz) を指定してください</source>
        <translation>name a maze file (.maz)</translation>
    </message>
    <message>
        <source>迷路ファイルは一つだけ指定してください: %1</source>
        <translation>name only one maze file: %1</translation>
    </message>
    <message>
        <source>Failed to open File </source>
        <translation>Failed to open File </translation>
    </message>
    <message>
        <source>オプション %1 は --batch と一緒に使ってください</source>
        <translation>option %1 is only for --batch</translation>
    </message>
    <message>
        <source>出力ファイルの形式が分かりません (.pdf .svg .png .bmp .maz): %1</source>
        <translation>unknown output format (.pdf .svg .png .bmp .maz): %1</translation>
    </message>
    <message>
        <source>  --pages both|puzzle|answer  書き出すページ (既定: both = 問題と解答)
</source>
        <translation>  --pages both|puzzle|answer  pages to write (default: both = puzzle and answer)
</translation>
    </message>
    <message>
        <source>  --landscape                 横向き
</source>
        <translation>  --landscape                 landscape paper
</translation>
    </message>
    <message>
        <source>  --name-line                 「なまえ：」の欄を付ける
</source>
        <translation>  --name-line                 a line to write a name on
</translation>
    </message>
    <message>
        <source>  --no-labels                 スタートとゴールを書かない
</source>
        <translation>  --no-labels                 no Start and Finish labels
</translation>
    </message>
    <message>
        <source>  --wall-mm 太さ              壁の太さ (mm、0.1〜3、既定: マスの 8 分の 1)
</source>
        <translation>  --wall-mm WIDTH             wall thickness (mm, 0.1 to 3; default: an eighth of a cell)
</translation>
    </message>
    <message>
        <source>  --margin-mm 幅              用紙の余白 (mm、0〜50、既定: 15)
</source>
        <translation>  --margin-mm WIDTH           paper margins (mm, 0 to 50; default: 15)
</translation>
    </message>
    <message>
        <source>  --dpi 解像度                PNG の解像度 (72〜600、既定: 300)
</source>
        <translation>  --dpi N                     PNG resolution (72 to 600; default: 300)
</translation>
    </message>
    <message>
        <source>  --batch 数                  迷路を 数 個作って番号付きで書き出す (1〜1000)
</source>
        <translation>  --batch N                   make N mazes and write them numbered (1 to 1000)
</translation>
    </message>
    <message>
        <source>  --style 種類                --batch の迷路の種類: standard (標準、既定) corridors (長い通路)
                              deadends (短い行き止まり) uniform (均等)
</source>
        <translation>  --style STYLE               style of the --batch mazes: standard (the default),
                              corridors (long corridors), deadends (short dead ends), uniform
</translation>
    </message>
    <message>
        <source>  --seed 種                   --batch の乱数の種 (0〜4294967295、既定: 実行のたびに新しい種)
</source>
        <translation>  --seed SEED                 random seed of --batch (0 to 4294967295; default: a new one each run)
</translation>
    </message>
    <message>
        <source>  -h, --help                  この説明
</source>
        <translation>  -h, --help                  this help
</translation>
    </message>
    <message>
        <source>
終了状態: 0 成功、1 読み込みまたは書き込みの失敗、2 引数の誤り
</source>
        <translation>
Exit status: 0 success, 1 a file could not be read or written, 2 wrong arguments
</translation>
    </message>
    <message>
        <source>オプション %1 は %2 と一緒に使ってください</source>
        <translation>option %1 needs %2</translation>
    </message>
    <message>
        <source>%1 個の迷路 (%2) は %4 個ずつ作っても %3 に届かなかったので、いちばん近いものにしました</source>
        <extracomment>%1 mazes (numbered %2) are outside the band %3 after %4 candidates each; not an error.</extracomment>
        <translation>%1 mazes (%2) were not %3 after %4 tries each; the nearest were kept</translation>
    </message>
    <message>
        <source>探す道のり %1 マス</source>
        <translation>near a search walk of %1 cells</translation>
    </message>
    <message>
        <source>  --difficulty 難しさ         --batch の迷路を難しさで選ぶ: easy (やさしい) medium (ふつう)
                              hard (むずかしい) か、探す道のりのマス数 (1〜160000)
</source>
        <translation>  --difficulty GRADE          choose the --batch mazes by difficulty: easy, medium,
                              hard, or a search walk in cells (1 to 160000)
</translation>
    </message>
    <message>
        <source>  --tries 数                  --difficulty で一つの迷路に作ってみる数 (1〜10000、既定 50)
</source>
        <translation>  --tries N                   mazes tried for each maze of --difficulty (1 to 10000; default 50)
</translation>
    </message>
    <message>
        <source>  --order easy-to-hard        --batch の迷路を、やさしいものからむずかしいものへ並べる
</source>
        <translation>  --order easy-to-hard        put the --batch mazes in order from easy to hard
</translation>
    </message>
    <message>
        <source>  --print-difficulty          解答のページに迷路の難しさを書く
</source>
        <translation>  --print-difficulty          print how hard each maze is on its answer page
</translation>
    </message>
    <message>
        <source>オプション %1 は --random-route と一緒に使ってください</source>
        <translation>option %1 needs --random-route</translation>
    </message>
    <message>
        <source>迷路ファイルと --size は一緒に使えません: %1</source>
        <translation>a maze file and --size cannot be used together: %1</translation>
    </message>
    <message>
        <source>この迷路には出入口 %1 がありません</source>
        <translation>this maze has no opening %1</translation>
    </message>
    <message>
        <source>出入口 %1 は迷路の外側で迷路に接するマスではありません</source>
        <translation>opening %1 is not a cell outside the maze next to it</translation>
    </message>
    <message>
        <source>入口と出口が同じマスです</source>
        <translation>the entrance and the exit are the same cell</translation>
    </message>
    <message>
        <source>入口から出口まで迷路の中を通る道がありません</source>
        <translation>no way through the maze leads from the entrance to the exit</translation>
    </message>
    <message>
        <source>この迷路では答えの道を %1 マスにできません (できた道は %2 マス)</source>
        <translation>this maze cannot have an answer route of %1 cells (the route made has %2 cells)</translation>
    </message>
    <message>
        <source>使い方:
  zubelo [迷路ファイル.maz]
  zubelo --export 出力ファイル 迷路ファイル.maz [オプション]
  zubelo --batch 数 [--style 種類] [--seed 種] [--difficulty 難しさ [--tries 数]] [--order easy-to-hard]
         迷路ファイル.maz --export 出力ファイル [オプション]
  zubelo --batch 数 --random-route [--size 幅x高さ | 迷路ファイル.maz] --export 出力ファイル [オプション]

--export は迷路ファイルを印刷用に書き出します (画面は使いません)。
形式は出力ファイルの拡張子で決まります:
  .pdf  問題のページと解答のページ
  .svg  迷路とスタート・ゴールだけの図。問題と解答は NAME.svg と NAME-answer.svg
  .png  .svg と同じ図を画像で
  .bmp  画面と同じビットマップ

--batch は迷路ファイルに描かれた道のまわりに迷路を 数 個 (1〜1000) 作って書き出します
(できあがった迷路のファイルなら、その答えの道を使います):
  .pdf  タイトルに番号 (1, 2 …) の付いた問題のページ、続いてその解答のページ
  .svg .png .bmp  番号付きのファイル NAME-001.svg … と NAME-001-answer.svg …
  .maz  番号付きの迷路ファイル NAME-001.maz … (解答はファイルの中にあります)
--random-route を付けると、迷路ごとに新しい答えの道を作ってから迷路を作ります
(迷路ファイルの代わりに --size で大きさだけを指定できます)。
書き出したあと、使った乱数の種を標準出力に「seed 種」と一行で書き、続いて迷路ごとに
「maze 番号 難しさ 探す道のり」(難しさは easy medium hard) を一行ずつ書きます。

オプション:
</source>
        <translation>Usage:
  zubelo [MAZE.maz]
  zubelo --export OUTPUT MAZE.maz [OPTIONS]
  zubelo --batch N [--style STYLE] [--seed SEED] [--difficulty GRADE [--tries N]] [--order easy-to-hard]
         MAZE.maz --export OUTPUT [OPTIONS]
  zubelo --batch N --random-route [--size WxH | MAZE.maz] --export OUTPUT [OPTIONS]

--export writes a maze file for printing (without opening a window).
The format comes from the output file&apos;s suffix:
  .pdf  the puzzle page and the answer page
  .svg  the maze with its start and finish only; puzzle and answer are
        NAME.svg and NAME-answer.svg
  .png  the same pictures as .svg, as images
  .bmp  the bitmap the window shows

--batch makes N mazes (1 to 1000) around the path drawn in the maze file
(the answer&apos;s path, if the file holds a finished maze) and writes them:
  .pdf  puzzle pages with numbered titles (1, 2 …), then their answer pages
  .svg .png .bmp  numbered files NAME-001.svg … and NAME-001-answer.svg …
  .maz  numbered maze files NAME-001.maz … (each holds its answer)
With --random-route every maze first gets a new answer route of its own
(--size then gives just the size instead of a maze file).
Then it writes the seed it used on standard output, as one line &quot;seed SEED&quot;,
and one line per maze, &quot;maze NUMBER GRADE FIGURE&quot; (GRADE easy, medium or hard).

Options:
</translation>
    </message>
    <message>
        <source>--size は 幅x高さ のマス数 (それぞれ 5〜400) で指定してください: %1</source>
        <translation>--size takes WIDTHxHEIGHT in cells (each 5 to 400): %1</translation>
    </message>
    <message>
        <source>  --random-route              --batch の迷路ごとに答えの道を新しく作る (描いた道の代わりに)
</source>
        <translation>  --random-route              give every --batch maze a new answer route of its own
                              (instead of the drawn path)
</translation>
    </message>
    <message>
        <source>  --route-length 長さ         その道の長さ: short (短い) medium (普通、既定) long (長い)
                              または迷路のマスに対する割合 5%〜60% (例: 30%)
</source>
        <translation>  --route-length LENGTH       length of that route: short, medium (the default), long,
                              or a share of the maze&apos;s cells from 5% to 60% (say 30%)
</translation>
    </message>
    <message>
        <source>  --twist 数                  その道の曲がり方: 0 (まっすぐ) 〜 100 (くねくね)、既定 50
</source>
        <translation>  --twist N                   how that route winds: 0 (straight) to 100 (winding), default 50
</translation>
    </message>
    <message>
        <source>  --from 出入口               その道の入口: topleft (既定) topright bottomleft bottomright
                              left right top bottom outside centre (中央の部屋) または x,y
</source>
        <translation>  --from END                  where that route starts: topleft (the default), topright,
                              bottomleft, bottomright, left, right, top, bottom, outside,
                              centre (the room in the middle), or the cell x,y
</translation>
    </message>
    <message>
        <source>  --to 出入口                 その道の出口: --from と同じ (既定: bottomright)
</source>
        <translation>  --to END                    where that route ends: as --from (default: bottomright)
</translation>
    </message>
    <message>
        <source>  --size 幅x高さ              迷路ファイルの代わりに 幅x高さ マス (5〜400) の迷路にする
</source>
        <translation>  --size WxH                  instead of a maze file, a maze of W by H cells (5 to 400)
</translation>
    </message>
    <message>
        <source>オプション %1 の値が正しくありません: %2 (%3〜%4 の数で指定してください)</source>
        <translation>Wrong value for option %1: %2 (give a number from %3 to %4)</translation>
    </message>
    <message>
        <source>オプション %1 が二度指定されています</source>
        <translation>Option %1 is given more than once</translation>
    </message>
    <message>
        <source> (ファイルがありません)</source>
        <translation> (no such file)</translation>
    </message>
    <message>
        <source> (フォルダーや特殊なファイルで、普通のファイルではありません)</source>
        <translation> (a folder or a special file, not a regular file)</translation>
    </message>
    <message>
        <source> (迷路ファイルではないか、壊れています)</source>
        <translation> (not a maze file, or a damaged one)</translation>
    </message>
    <message>
        <source> (読み込めません。読み込みの権限を確かめてください)</source>
        <translation> (cannot be read; check the permission to read it)</translation>
    </message>
    <message>
        <source> (名前が UTF-8 ではないため、そのままでは開けません)</source>
        <translation> (its name is not UTF-8, so it cannot be opened as given)</translation>
    </message>
    <message>
        <source>%1: 道が完成していません。外側から入って外側へ出る、枝分かれも輪もない1本の道が必要です</source>
        <translation>%1: the path is not complete; it must be one path, without branches or loops, from the border to the border</translation>
    </message>
    <message>
        <source>  --per-page 数               問題のページ 1 枚の迷路の数: 1 2 4 6 (既定: 1、.pdf だけ。
                              .svg と .png はいつも迷路ごとに一つのファイル)
</source>
        <translation>  --per-page N                mazes on each puzzle page: 1 2 4 6 (default: 1; .pdf only,
                              .svg and .png always hold one maze a file)
</translation>
    </message>
    <message>
        <source>  --answers-per-page 数       解答のページ 1 枚の迷路の数: 1 2 4 6 9 (既定: 1)
</source>
        <translation>  --answers-per-page N        answers on each answer page: 1 2 4 6 9 (default: 1)
</translation>
    </message>
    <message>
        <source>  --page-numbers              ページの下にページ番号を付ける
</source>
        <translation>  --page-numbers              a page number at the foot of each page
</translation>
    </message>
    <message>
        <source>  --first 番号                最初の迷路の番号と最初のページ番号 (0〜99999、既定: 1)。
                              分けて作る本の続きの番号に
</source>
        <translation>  --first N                   number of the first maze and of the first page (0-99999,
                              default: 1), so that a book made in parts numbers on
</translation>
    </message>
    <message>
        <source>  --first-page 番号           最初のページ番号だけを別に (0〜99999)
</source>
        <translation>  --first-page N              number of the first page alone (0-99999)
</translation>
    </message>
    <message>
        <source>  --start-label 文字列        入口に書く言葉 (既定: スタート)
</source>
        <translation>  --start-label TEXT          the word at the entrance (default: Start)
</translation>
    </message>
    <message>
        <source>  --goal-label 文字列         出口に書く言葉 (既定: ゴール)
</source>
        <translation>  --goal-label TEXT           the word at the exit (default: Finish)
</translation>
    </message>
    <message>
        <source>  --label-pictures            言葉の代わりに、入口に家、出口に旗の絵
</source>
        <translation>  --label-pictures            a house at the entrance and a flag at the exit instead of words
</translation>
    </message>
    <message>
        <source>  --name-line-answers         「なまえ：」の欄を解答のページにも付ける
</source>
        <translation>  --name-line-answers         the &quot;Name:&quot; line on the answer pages too
</translation>
    </message>
    <message>
        <source>  --wall-share 割合           壁の太さをマスの割合で (%、15〜40)。--wall-mm より優先
</source>
        <translation>  --wall-share PERCENT        wall thickness as a share of the cell (15-40 %); wins over --wall-mm
</translation>
    </message>
    <message>
        <source>  --page-size 用紙            A4 A3 B5 B4 Letter Legal A5 B6 (既定: A4、B は JIS)、
                              本の判型 5x8in 5.5x8.5in 6x9in 8.5x11in、
                              または 幅x高さ を mm か in で (152x229mm、6x9in)
</source>
        <translation>  --page-size PAPER           A4 A3 B5 B4 Letter Legal A5 B6 (default: A4; B sizes are JIS),
                              the book trims 5x8in 5.5x8.5in 6x9in 8.5x11in,
                              or WIDTHxHEIGHT in mm or in (152x229mm, 6x9in)
</translation>
    </message>
    <message>
        <source>  --title 文字列              タイトル (解答のページでは後ろに「（解答）」)。
                              %n は迷路の番号、%% は % (「めいろ %n」→ めいろ 1 …)
</source>
        <translation>  --title TEXT                title (the answer page adds &quot;(Answer)&quot;);
                              %n is the maze&apos;s number, %% a % (&quot;Maze %n&quot; gives Maze 1 ...)
</translation>
    </message>
    <message>
        <source>オプション %1 と %2 は一緒に使えません</source>
        <translation>The options %1 and %2 cannot be used together</translation>
    </message>
    <message>
        <source>オプション %1 は --shape に画像ファイルを指定したときに使ってください</source>
        <translation>Use the option %1 with a picture file for --shape</translation>
    </message>
    <message>
        <source>この形は迷路にできません: 内側のマスがつながった一つの形 (4 マス以上) になっていません</source>
        <translation>This shape cannot hold a maze: its cells do not form one connected piece (of 4 cells or more)</translation>
    </message>
    <message>
        <source>%1: この形は描いた道を切ってしまいます (道を作り直すなら --random-route を使ってください)</source>
        <translation>%1: this shape would cut the drawn path (use --random-route to make new routes)</translation>
    </message>
    <message>
        <source>  --shape 形                  --batch の前に迷路をその形にする: circle (円) heart (ハート)
                              star (星) diamond (ひし形) triangle (三角形) rounded (角の丸い四角)
                              または画像ファイル (黒いところが迷路、白いところが外)
</source>
        <translation>  --shape SHAPE               give the maze that shape before --batch: circle, heart,
                              star, diamond, triangle, rounded (rounded corners),
                              or a picture file (black is the maze, white is left out)
</translation>
    </message>
    <message>
        <source>  --shape-text 文字           その文字の形にする (離れた文字は細い道でつなぐ)
</source>
        <translation>  --shape-text TEXT           the shape of those letters (joined by narrow paths)
</translation>
    </message>
    <message>
        <source>  --shape-threshold 数        画像の形で、迷路にするマスの濃さ 1〜255 (既定 128)
</source>
        <translation>  --shape-threshold N         with a picture: how dark a maze cell is, 1 to 255 (128)
</translation>
    </message>
    <message>
        <source>  --shape-invert              画像の形で、白いところを迷路にする
</source>
        <translation>  --shape-invert              with a picture: white is the maze
</translation>
    </message>
    <message>
        <source>  --centre-room 数            迷路の真ん中に 数x数 マスの部屋を空ける (--to centre でゴールに)
</source>
        <translation>  --centre-room N             leave a room of NxN cells in the middle (--to centre: the goal)
</translation>
    </message>
</context>
<context>
    <name>DifficultyCommands</name>
    <message>
        <source>迷路を作っています...</source>
        <translation>Making mazes...</translation>
    </message>
    <message>
        <source>止める</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>入口から出口までの道がないので、難しさを測れませんでした</source>
        <translation>There is no way from the entrance to the exit, so the difficulty could not be measured</translation>
    </message>
    <message>
        <source>%1 個目で見つかりました: %2</source>
        <extracomment>%1 is how many mazes were made, %2 the kept maze&apos;s difficulty.</extracomment>
        <translation>Found on try %1: %2</translation>
    </message>
    <message>
        <source>%1 個のうちいちばん近い迷路です（ねらいとの差 %2 マス）: %3</source>
        <extracomment>%1 is how many mazes were made, %2 how many cells the kept maze&apos;s figure lies from the goal, %3 its difficulty.</extracomment>
        <translation>The nearest of %1 mazes, %2 cells from the aim: %3</translation>
    </message>
    <message>
        <source>%1 個で止めました。いちばん近い迷路です（ねらいとの差 %2 マス）: %3</source>
        <extracomment>%1 is how many mazes were made before the user stopped, %2 how far the kept maze lies from the goal, %3 its difficulty.</extracomment>
        <translation>Stopped after %1 mazes; the nearest is %2 cells from the aim: %3</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>この迷路ファイルの道は1本の道になっていないため、迷路を作れません。迷路の初期化(F2)をして道を描き直してください。</source>
        <translation>The path in this maze file is not one path, so no maze can be made from it. Initialise the maze (F2) and draw the path again.</translation>
    </message>
</context>
<context>
    <name>ExportEngine</name>
    <message>
        <source>ファイル %s を作成できません</source>
        <translation>Cannot create the file %s</translation>
    </message>
    <message>
        <source>ストリームへの書き込みエラー</source>
        <translation>Error writing the file</translation>
    </message>
    <message>
        <source>%s は、一緒に書き出すほかのファイルと同じファイルです</source>
        <translation>%s is the same file as another file of this export</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎるため、ファイル %s を作成できません</source>
        <translation>Too many files are open: cannot create the file %s</translation>
    </message>
    <message>
        <source>ほかのプログラムが %s を書き出しています</source>
        <translation>Another program is writing %s</translation>
    </message>
</context>
<context>
    <name>Interaction</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>言語 / Language(&amp;L)</source>
        <translation>言語 / &amp;Language</translation>
    </message>
    <message>
        <source>システムに合わせる / Follow the system(&amp;S)</source>
        <translation>システムに合わせる / Follow the &amp;System</translation>
    </message>
</context>
<context>
    <name>Manual</name>
    <message>
        <source>ja</source>
        <extracomment>The folder of the manual in this language: &quot;en&quot; for English. Only languages that have a manual of their own name their folder here.</extracomment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>MazeStyleMenu</name>
    <message>
        <source>迷路の種類(&amp;K)</source>
        <translation>Maze &amp;Style</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>長い通路</source>
        <translation>&amp;Long Corridors</translation>
    </message>
    <message>
        <source>短い行き止まり</source>
        <translation>Short &amp;Dead Ends</translation>
    </message>
    <message>
        <source>均等</source>
        <translation>&amp;Uniform</translation>
    </message>
    <message>
        <source>答え %1 マス · 行き止まり %2 · 分かれ道 %3</source>
        <translation>Answer %1 cells · Dead ends %2 · Branches %3</translation>
    </message>
    <message>
        <source> · 種 %1</source>
        <translation> · Seed %1</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>印刷できませんでした。</source>
        <translation>Printing failed.</translation>
    </message>
    <message>
        <source>迷路</source>
        <translation>maze</translation>
    </message>
    <message>
        <source>%1 (*.%2)|*.%2|All Files (*.*) |*.*</source>
        <extracomment>%1: the format&apos;s name (PDF, SVG, PNG), %2: its suffix.</extracomment>
        <translation>%1 Files (*.%2)|*.%2|All Files (*.*) |*.*</translation>
    </message>
</context>
<context>
    <name>PrintTexts</name>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ゴール</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>なまえ：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>（解答）</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>%1（解答）</source>
        <extracomment>The answer page&apos;s title; %1 is the puzzle page&apos;s title.</extracomment>
        <translation>%1 (Answer)</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A numbered page title in a book of mazes; %1 is the title, %2 the number.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>やさしい</source>
        <translation>easy</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>むずかしい</source>
        <translation>hard</translation>
    </message>
    <message>
        <source>難しさ %1（探す道のり %2 マス）</source>
        <extracomment>%1 is the grade (easy, medium, hard), %2 the figure: the cells a searcher can expect to walk.</extracomment>
        <translation>Difficulty: %1 (a search walk of %2 cells)</translation>
    </message>
    <message>
        <source>%1〜%2</source>
        <extracomment>The numbers of the mazes on one answer page, from %1 to %2.</extracomment>
        <translation>%1–%2</translation>
    </message>
    <message>
        <source>（解答 %1）</source>
        <extracomment>The title of an answer page of several mazes; %1: their numbers.</extracomment>
        <translation>Answers %1</translation>
    </message>
    <message>
        <source>%1（解答 %2）</source>
        <extracomment>The title of an answer page of several mazes; %1: the title, %2: their numbers.</extracomment>
        <translation>%1 (Answers %2)</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>RouteCommands</name>
    <message>
        <source>この迷路にはその出入口がありません。</source>
        <translation>This maze has no such opening.</translation>
    </message>
    <message>
        <source>選んだマスは出入口になりません。</source>
        <translation>The chosen cell cannot be an opening.</translation>
    </message>
    <message>
        <source>入口と出口が同じです。</source>
        <translation>The entrance and the exit are the same.</translation>
    </message>
    <message>
        <source>入口から出口まで迷路の中を通る道がありません。</source>
        <translation>No way through the maze leads from the entrance to the exit.</translation>
    </message>
    <message>
        <source>%1 マスの道はこの迷路では作れませんでした。%2 マスの道にしました。</source>
        <translation>This maze cannot have a route of %1 cells. The route has %2 cells.</translation>
    </message>
</context>
<context>
    <name>ShapePictures</name>
    <message>
        <source>形の画像「%1」が見つかりません。</source>
        <translation>The shape picture “%1” cannot be found.</translation>
    </message>
    <message>
        <source>形の画像「%1」を開けません。</source>
        <translation>The shape picture “%1” cannot be opened.</translation>
    </message>
    <message>
        <source>「%1」は形にできる画像ファイルではありません。</source>
        <translation>“%1” is not a picture file that can give a shape.</translation>
    </message>
    <message>
        <source>「%1」は途中で切れているか壊れているため、形にできません。</source>
        <translation>“%1” is cut short or damaged, so it cannot give a shape.</translation>
    </message>
    <message>
        <source>「%1」は大きすぎるため形にできません(1億ピクセルまで)。</source>
        <translation>“%1” is too large to give a shape (100 million pixels at most).</translation>
    </message>
</context>
<context>
    <name>ShapeTexts</name>
    <message>
        <source>道が通るマスは外せません。</source>
        <translation>Cells the path runs through cannot be left out.</translation>
    </message>
    <message>
        <source>形がいくつかの部分に分かれました。赤いマスは大きい部分から離れています。</source>
        <translation>The shape has come apart. The red cells are cut off from the largest part.</translation>
    </message>
    <message>
        <source>この形はいくつかの部分に分かれています。大きい部分だけを形にしますか?</source>
        <translation>This shape is in several parts. Take only its largest part as the shape?</translation>
    </message>
    <message>
        <source>この形では迷路を作れません(つながったマスが4つ以上必要です)。</source>
        <translation>No maze can be made in this shape (it needs at least 4 connected cells).</translation>
    </message>
    <message>
        <source>大きい部分だけ残す</source>
        <translation>Keep the Largest Part</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Go Back</translation>
    </message>
    <message>
        <source>大きい部分だけでは道が切れてしまうため、元に戻しました。</source>
        <translation>The largest part alone would cut the path, so the change was taken back.</translation>
    </message>
    <message>
        <source>この形にすると描いた道が切れてしまいます。道を消して形を変えますか?</source>
        <translation>This shape would cut the drawn path. Erase the path and change the shape?</translation>
    </message>
    <message>
        <source>道を消して変える</source>
        <translation>Erase the Path and Change</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>この盤の大きさではその形を作れません。</source>
        <translation>That shape cannot be made on a board of this size.</translation>
    </message>
</context>
<context>
    <name>TFBookMaker</name>
    <message>
        <source>迷路の数(&amp;C):</source>
        <translation>Mazes (&amp;count):</translation>
    </message>
    <message>
        <source>作り方(&amp;O):</source>
        <translation>Made &amp;of:</translation>
    </message>
    <message>
        <source>迷路の種類(&amp;K):</source>
        <translation>Maze &amp;kind:</translation>
    </message>
    <message>
        <source>1 ページの迷路(&amp;U):</source>
        <translation>Mazes a page (p&amp;uzzles):</translation>
    </message>
    <message>
        <source>ページ(&amp;G):</source>
        <translation>Pa&amp;ges:</translation>
    </message>
    <message>
        <source>タイトル(&amp;T):</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>最初の番号(&amp;N):</source>
        <translation>First &amp;number:</translation>
    </message>
    <message>
        <source>用紙(&amp;P):</source>
        <translation>&amp;Paper:</translation>
    </message>
    <message>
        <source>ワークシート・本を作る</source>
        <translation>Worksheets and Books</translation>
    </message>
    <message>
        <source>描いた道のまわりに</source>
        <translation>Around the drawn path</translation>
    </message>
    <message>
        <source>別の迷路に(&amp;R)</source>
        <translation>Othe&amp;r mazes</translation>
    </message>
    <message>
        <source>解答(&amp;J):</source>
        <translation>and answers (&amp;j):</translation>
    </message>
    <message>
        <source>ページ番号(&amp;Q)</source>
        <translation>Page num&amp;bers</translation>
    </message>
    <message>
        <source>最初のページ(&amp;F):</source>
        <translation>&amp;first page:</translation>
    </message>
    <message>
        <source>横向き(&amp;L)</source>
        <translation>&amp;Landscape</translation>
    </message>
    <message>
        <source>番号だけ</source>
        <translation>the number alone</translation>
    </message>
    <message>
        <source>%n は迷路の番号、%% は % になります (「めいろ %n」→ めいろ 1)</source>
        <translation>%n is the maze&apos;s number, %% a percent sign (&quot;Maze %n&quot; gives Maze 1)</translation>
    </message>
    <message>
        <source>ほかの大きさは幅x高さで: 152x229mm、6x9in</source>
        <translation>Other sizes as width x height: 152x229mm, 6x9in</translation>
    </message>
    <message>
        <source>PDF に書き出す(&amp;W)...</source>
        <translation>&amp;Write PDF…</translation>
    </message>
    <message>
        <source>印刷(&amp;I)...</source>
        <translation>Pr&amp;int…</translation>
    </message>
    <message>
        <source>%1 ページになります。</source>
        <translation>%1 pages.</translation>
    </message>
    <message>
        <source>用紙の大きさが分かりません。A4 や 152x229mm、6x9in のように書いてください。</source>
        <translation>Unknown paper size. Write it as A4, 152x229mm or 6x9in, for example.</translation>
    </message>
    <message>
        <source>大きさ(&amp;Z):</source>
        <translation>Si&amp;ze:</translation>
    </message>
    <message>
        <source>難しさ(&amp;D):</source>
        <translation>&amp;Difficulty:</translation>
    </message>
    <message>
        <source>迷路ごとに新しい答えの道で</source>
        <translation>With a new answer route in every maze</translation>
    </message>
    <message>
        <source>選ばない</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>やさしい順に並べる(&amp;E)</source>
        <translation>&amp;Easy to hard</translation>
    </message>
</context>
<context>
    <name>TFDifficulty</name>
    <message>
        <source>難しさを選んで作る</source>
        <translation>Make by Difficulty</translation>
    </message>
    <message>
        <source>やさしい(&amp;E)&#x3000;探す道のり %1 マス未満</source>
        <translation>&amp;Easy: a search walk under %1 cells</translation>
    </message>
    <message>
        <source>ふつう(&amp;M)&#x3000;%1〜%2 マス</source>
        <translation>&amp;Medium: %1 to %2 cells</translation>
    </message>
    <message>
        <source>むずかしい(&amp;H)&#x3000;%1 マス以上</source>
        <translation>&amp;Hard: %1 cells or more</translation>
    </message>
    <message>
        <source>探す道のりを指定(&amp;F):</source>
        <translation>Search walk o&amp;f:</translation>
    </message>
    <message>
        <source> マス</source>
        <translation> cells</translation>
    </message>
    <message>
        <source>作る迷路の数(&amp;N):</source>
        <translation>&amp;Number of mazes:</translation>
    </message>
    <message>
        <source> 個まで</source>
        <translation> at most</translation>
    </message>
    <message>
        <source>今の道のまわりに「%1」の迷路を作り、ねらいの範囲に入ったもの、なければいちばん近いものを残します。</source>
        <translation>Makes mazes of the style “%1” around the path and keeps the first in the band, or else the nearest.</translation>
    </message>
    <message>
        <source>作る(&amp;O)</source>
        <translation>Ma&amp;ke</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFExport</name>
    <message>
        <source>問題と解答</source>
        <translation>Puzzle and answer</translation>
    </message>
    <message>
        <source>問題のみ</source>
        <translation>Puzzle only</translation>
    </message>
    <message>
        <source>解答のみ</source>
        <translation>Answer only</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>形式(&amp;F):</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>ページ(&amp;G):</source>
        <translation>Pa&amp;ges:</translation>
    </message>
    <message>
        <source>タイトル(&amp;T):</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>壁の太さ(&amp;W):</source>
        <translation>&amp;Wall thickness:</translation>
    </message>
    <message>
        <source>用紙(&amp;P):</source>
        <translation>&amp;Paper:</translation>
    </message>
    <message>
        <source>余白(&amp;M):</source>
        <translation>&amp;Margins:</translation>
    </message>
    <message>
        <source>解像度(&amp;R):</source>
        <translation>&amp;Resolution:</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>「なまえ：」の欄を付ける(&amp;N)</source>
        <translation>Add a &amp;name line</translation>
    </message>
    <message>
        <source>スタートとゴールを書く(&amp;S)</source>
        <translation>Label the &amp;start and finish</translation>
    </message>
    <message>
        <source>自動(&amp;A)</source>
        <translation>&amp;Automatic</translation>
    </message>
    <message>
        <source>横向き(&amp;L)</source>
        <translation>&amp;Landscape</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source> dpi</source>
        <translation> dpi</translation>
    </message>
    <message>
        <source>エクスポート(&amp;E)...</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>マスが %1 mm になり、2 mm より小さくなります。</source>
        <translation>The cells come to %1 mm, less than 2 mm.</translation>
    </message>
    <message>
        <source>マスの大きさ: %1 mm</source>
        <translation>Cell size: %1 mm</translation>
    </message>
    <message>
        <source>解答のページに難しさを書く(&amp;D)</source>
        <translation>Print the &amp;difficulty on the answer page</translation>
    </message>
    <message>
        <source>言葉</source>
        <translation>Words</translation>
    </message>
    <message>
        <source>家と旗の絵</source>
        <translation>House and flag</translation>
    </message>
    <message>
        <source>目印(&amp;J):</source>
        <translation>Start and finish mar&amp;ks:</translation>
    </message>
    <message>
        <source>1 ページの迷路(&amp;U):</source>
        <translation>Mazes a page (p&amp;uzzles):</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>%n は迷路の番号、%% は % になります (「めいろ %n」→ めいろ 1)</source>
        <translation>%n is the maze&apos;s number, %% a percent sign (&quot;Maze %n&quot; gives Maze 1)</translation>
    </message>
    <message>
        <source>ほかの大きさは幅x高さで: 152x229mm、6x9in</source>
        <translation>Other sizes as width x height: 152x229mm, 6x9in</translation>
    </message>
    <message>
        <source>解答のページにも(&amp;O)</source>
        <translation>Also &amp;on answer pages</translation>
    </message>
    <message>
        <source>マスの割合で(&amp;H)</source>
        <translation>As a s&amp;hare of the cell</translation>
    </message>
    <message>
        <source>解答(&amp;K):</source>
        <translation>and answers (&amp;j):</translation>
    </message>
    <message>
        <source>ページ番号(&amp;Q)</source>
        <translation>Page num&amp;bers</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>印刷(&amp;I)...</source>
        <translation>Pr&amp;int…</translation>
    </message>
    <message>
        <source>用紙の大きさが分かりません。A4 や 152x229mm、6x9in のように書いてください。</source>
        <translation>Unknown paper size. Write it as A4, 152x229mm or 6x9in, for example.</translation>
    </message>
</context>
<context>
    <name>TFMain</name>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す(Ctrl+Z)</source>
        <translation>Undo (Ctrl+Z)</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>やり直し(Ctrl+Y)</source>
        <translation>Redo (Ctrl+Y)</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message>
        <source>名前を付けて保存(Ctrl+Shift+S)</source>
        <translation>Save As (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>終了(Ctrl+Q)</source>
        <translation>Exit (Ctrl+Q)</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>Open &amp;Recent</translation>
    </message>
    <message>
        <source>「%1」はビットマップファイルの名前です。迷路は拡張子 .maz の名前で保存してください。</source>
        <translation>“%1” is the name of a bitmap file. Save the maze under a name ending in .maz.</translation>
    </message>
    <message>
        <source>「%1」は迷路ファイルの名前です。ビットマップは拡張子 .bmp の名前で保存してください。</source>
        <translation>“%1” is the name of a maze file. Save the bitmap under a name ending in .bmp.</translation>
    </message>
    <message>
        <source>「%1」は迷路ファイル(.maz)ではないので開けません。</source>
        <translation>“%1” is not a maze file (.maz) and cannot be opened.</translation>
    </message>
    <message>
        <source>ファイルは一度に1つずつドロップしてください。</source>
        <translation>Drop one file at a time.</translation>
    </message>
    <message>
        <source>始点を決めてください(灰色の部分)</source>
        <translation>Choose the start on the grey border</translation>
    </message>
    <message>
        <source>迷路の始点は外側(灰色の部分)にしてください。</source>
        <translation>The start must be on the grey border, outside the grid.</translation>
    </message>
    <message>
        <source>カーソルキーで迷路を作成してください。</source>
        <translation>Draw the path with the cursor keys.</translation>
    </message>
    <message>
        <source>外側(灰色の部分)まで線を伸ばしてください。</source>
        <translation>Take the path on to the grey border.</translation>
    </message>
    <message>
        <source>迷路作成ボタンを押してください。</source>
        <translation>Press Make Maze (F5).</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New…</translation>
    </message>
    <message>
        <source>新規作成(Ctrl+N)</source>
        <translation>New (Ctrl+N)</translation>
    </message>
    <message>
        <source>読み込み(&amp;L)</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>読み込み(Ctrl+O)</source>
        <translation>Open (Ctrl+O)</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存(Ctrl+S)</source>
        <translation>Save (Ctrl+S)</translation>
    </message>
    <message>
        <source>ビットマップファイルとして保存(&amp;B)</source>
        <translation>Save as &amp;Bitmap…</translation>
    </message>
    <message>
        <source>ビットマップファイルとして保存</source>
        <translation>Save as Bitmap</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>印刷(Ctrl+P)</source>
        <translation>Print (Ctrl+P)</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;V)...</source>
        <translation>Print Pre&amp;view…</translation>
    </message>
    <message>
        <source>印刷プレビュー</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>エクスポート(&amp;E)...</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>エクスポート(Ctrl+E)</source>
        <translation>Export (Ctrl+E)</translation>
    </message>
    <message>
        <source>迷路作成(&amp;M)</source>
        <translation>&amp;Make Maze</translation>
    </message>
    <message>
        <source>迷路作成(F5)</source>
        <translation>Make Maze (F5)</translation>
    </message>
    <message>
        <source>迷路の初期化(&amp;I)</source>
        <translation>&amp;Initialise Maze</translation>
    </message>
    <message>
        <source>迷路の初期化(F2)</source>
        <translation>Initialise Maze (F2)</translation>
    </message>
    <message>
        <source>解答を表示する(&amp;D)</source>
        <translation>Show &amp;Answer</translation>
    </message>
    <message>
        <source>解答を表示する(F3)</source>
        <translation>Show Answer (F3)</translation>
    </message>
    <message>
        <source>透過ウィンドウモード(&amp;T)</source>
        <translation>&amp;Transparent Window</translation>
    </message>
    <message>
        <source>透過ウィンドウモード(Ctrl+T)</source>
        <translation>Transparent Window (Ctrl+T)</translation>
    </message>
    <message>
        <source>グリッド拡大(&amp;F)</source>
        <translation>&amp;Enlarge Grid</translation>
    </message>
    <message>
        <source>グリッド拡大(F)</source>
        <translation>Enlarge Grid (F)</translation>
    </message>
    <message>
        <source>グリッド縮小(&amp;D)</source>
        <translation>&amp;Reduce Grid</translation>
    </message>
    <message>
        <source>グリッド縮小(D)</source>
        <translation>Reduce Grid (D)</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ヘルプ(F1)</source>
        <translation>Help (F1)</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Zubelo</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>迷路(&amp;M)</source>
        <translation>&amp;Maze</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>新規ファイル</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>内容が変更されています。変更を保存しますか？</source>
        <translation>The maze has been changed. Do you want to save the changes?</translation>
    </message>
    <message>
        <source>Maze Files (*.maz)|*.maz|All Files (*.*) |*.*</source>
        <translation>Maze Files (*.maz)|*.maz|All Files (*.*) |*.*</translation>
    </message>
    <message>
        <source>MAZ File (*.maz)|*.maz|All Files (*.*)|*.*</source>
        <translation>Maze Files (*.maz)|*.maz|All Files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Failed to open File </source>
        <translation>Failed to open File </translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)|*.bmp|All Files (*.*) |*.*</source>
        <translation>Bitmap Files (*.bmp)|*.bmp|All Files (*.*) |*.*</translation>
    </message>
    <message>
        <source>乱数の種(&amp;S)...</source>
        <translation>S&amp;eed…</translation>
    </message>
    <message>
        <source>前回保存されなかった迷路があります。復元しますか？</source>
        <translation>A maze was not saved last time. Do you want to restore it?</translation>
    </message>
    <message>
        <source>下絵を読み込む(&amp;I)...</source>
        <translation>Load &amp;Picture…</translation>
    </message>
    <message>
        <source>下絵を表示する</source>
        <translation>&amp;Show Picture</translation>
    </message>
    <message>
        <source>下絵を表示する(Ctrl+I)</source>
        <translation>Show Picture (Ctrl+I)</translation>
    </message>
    <message>
        <source>下絵の濃さ...</source>
        <translation>Picture Stren&amp;gth…</translation>
    </message>
    <message>
        <source>下絵を外す</source>
        <translation>Re&amp;move Picture</translation>
    </message>
    <message>
        <source>このデスクトップでは透過ウィンドウモードは使えません。下絵を使ってください。</source>
        <translation>See-through windows do not work on this desktop. Use a picture under the grid instead.</translation>
    </message>
    <message>
        <source>難しさを選んで作る(&amp;Q)...</source>
        <translation>Make by Difficulty (&amp;Q)...</translation>
    </message>
    <message>
        <source>答えの道を自動で作る...</source>
        <translation>Make an Answer &amp;Route…</translation>
    </message>
    <message>
        <source>起動ごとに新しい迷路にする</source>
        <translation>&amp;New Mazes at Every Start</translation>
    </message>
    <message>
        <source>前回保存されなかった迷路の復元用コピー「%1」を読み込めません。このコピーを削除しますか？</source>
        <translation>The recovery copy “%1” of a maze not saved last time cannot be read. Delete this copy?</translation>
    </message>
    <message>
        <source>復元用コピーのフォルダー「%1」を使えません。保存していない変更は、プログラムが強制終了すると失われます。</source>
        <translation>The recovery folder “%1” cannot be used. Unsaved changes will be lost if the program is killed.</translation>
    </message>
    <message>
        <source>ワークシート・本を作る...</source>
        <translation>Wor&amp;ksheets and Books…</translation>
    </message>
    <message>
        <source>ワークシート・本を作る</source>
        <translation>Worksheets and Books</translation>
    </message>
    <message>
        <source>形を編集する(&amp;H)</source>
        <translation>Edit S&amp;hape</translation>
    </message>
    <message>
        <source>形を編集する(左ドラッグで外す、右ドラッグで戻す)</source>
        <translation>Edit Shape (left drag leaves cells out, right drag brings them back)</translation>
    </message>
    <message>
        <source>形(&amp;P)</source>
        <translation>Sha&amp;pe</translation>
    </message>
    <message>
        <source>形を選ぶ(&amp;C)...</source>
        <translation>&amp;Choose a Shape…</translation>
    </message>
    <message>
        <source>下絵から形を作る(&amp;U)...</source>
        <translation>Shape from the &amp;Underlay…</translation>
    </message>
    <message>
        <source>画像ファイルから形を作る(&amp;F)...</source>
        <translation>Shape from a Picture &amp;File…</translation>
    </message>
    <message>
        <source>形を外す(&amp;R)</source>
        <translation>&amp;Remove the Shape</translation>
    </message>
</context>
<context>
    <name>TFRoute</name>
    <message>
        <source>左上 → 右下</source>
        <translation>Top left → bottom right</translation>
    </message>
    <message>
        <source>左 → 右</source>
        <translation>Left → right</translation>
    </message>
    <message>
        <source>上 → 下</source>
        <translation>Top → bottom</translation>
    </message>
    <message>
        <source>外 → 中央</source>
        <translation>Outside → centre</translation>
    </message>
    <message>
        <source>グリッドで選んだ出入口</source>
        <translation>Openings picked on the grid</translation>
    </message>
    <message>
        <source>短い</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>普通</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>長い</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>割合で指定</source>
        <translation>Share of the cells</translation>
    </message>
    <message>
        <source>答えの道を自動で作る</source>
        <translation>Make an Answer Route</translation>
    </message>
    <message>
        <source>出入口(&amp;E):</source>
        <translation>&amp;Ends:</translation>
    </message>
    <message>
        <source>長さ(&amp;L):</source>
        <translation>&amp;Length:</translation>
    </message>
    <message>
        <source>曲がり方(&amp;T):</source>
        <translation>&amp;Twist:</translation>
    </message>
    <message>
        <source>まっすぐ</source>
        <translation>Straight</translation>
    </message>
    <message>
        <source>くねくね</source>
        <translation>Winding</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>グリッドをクリックすると入口と出口を選べます。</source>
        <translation>Click the grid to pick the entrance and the exit.</translation>
    </message>
    <message>
        <source>入口をクリックしてください。</source>
        <translation>Please click the entrance.</translation>
    </message>
    <message>
        <source>出口をクリックしてください。</source>
        <translation>Please click the exit.</translation>
    </message>
    <message>
        <source>クリックすると入口から選び直します。</source>
        <translation>Click again to pick a new entrance.</translation>
    </message>
    <message>
        <source>約 %1 マス (迷路の %2 マスの %3 %)</source>
        <translation>about %1 cells (%3 % of the maze&apos;s %2 cells)</translation>
    </message>
</context>
<context>
    <name>TFSeed</name>
    <message>
        <source>乱数の種</source>
        <translation>Seed</translation>
    </message>
    <message>
        <source>乱数の種(&amp;S):</source>
        <translation>&amp;Seed:</translation>
    </message>
    <message>
        <source>同じ道、同じ迷路の種類、同じ種からは同じ迷路ができます。
種は 0 ～ 4294967295 の数です。</source>
        <translation>The same path, maze style and seed always make the same maze.
A seed is a number from 0 to 4294967295.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFSetSize</name>
    <message>
        <source>新規作成</source>
        <translation>New Maze</translation>
    </message>
    <message>
        <source>横幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>縦幅</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>グリッドサイズ</source>
        <translation>Grid size</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFShape</name>
    <message>
        <source>円</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>ハート</source>
        <translation>Heart</translation>
    </message>
    <message>
        <source>星</source>
        <translation>Star</translation>
    </message>
    <message>
        <source>ひし形</source>
        <translation>Diamond</translation>
    </message>
    <message>
        <source>三角形</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>角の丸い四角</source>
        <translation>Rounded rectangle</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>形を選ぶ</source>
        <translation>Choose a Shape</translation>
    </message>
    <message>
        <source>形(&amp;S):</source>
        <translation>&amp;Shape:</translation>
    </message>
    <message>
        <source>文字(&amp;T):</source>
        <translation>&amp;Text:</translation>
    </message>
    <message>
        <source>中央の部屋(&amp;R):</source>
        <translation>Centre &amp;room:</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source> マス</source>
        <translation> cells</translation>
    </message>
</context>
<context>
    <name>TFShapeFromPicture</name>
    <message>
        <source>下絵から形を作る</source>
        <translation>Shape from the Underlay</translation>
    </message>
    <message>
        <source>濃さのしきい値(&amp;S):</source>
        <translation>&amp;Threshold:</translation>
    </message>
    <message>
        <source>白黒を反転する(&amp;I)</source>
        <translation>&amp;Invert</translation>
    </message>
</context>
<context>
    <name>TFVersion</name>
    <message>
        <source>Zubelo - About</source>
        <translation>Zubelo - About</translation>
    </message>
    <message>
        <source>Zubelo - Ver 1.01</source>
        <translation>Zubelo - Ver 1.01</translation>
    </message>
    <message>
        <source>License: GNU GPL v3 or later</source>
        <translation>License: GNU GPL v3 or later</translation>
    </message>
    <message>
        <source>GNU General Public License, version 3 or later (GPL-3.0-or-later)</source>
        <translation>GNU General Public License, version 3 or later (GPL-3.0-or-later)</translation>
    </message>
    <message>
        <source>E-MAIL:</source>
        <translation>E-MAIL:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>UnderlayTexts</name>
    <message>
        <source>下絵の濃さ</source>
        <translation>Picture Strength</translation>
    </message>
    <message>
        <source>濃さ (10〜90%):</source>
        <translation>Strength (10–90%):</translation>
    </message>
    <message>
        <source>画像ファイル (%1)|%1|すべてのファイル (*.*)|*.*</source>
        <translation>Pictures (%1)|%1|All Files (*.*)|*.*</translation>
    </message>
    <message>
        <source>下絵の「%1」が見つかりません。</source>
        <translation>The picture “%1” cannot be found.</translation>
    </message>
    <message>
        <source>下絵の「%1」を開けません。</source>
        <translation>The picture “%1” cannot be opened.</translation>
    </message>
    <message>
        <source>「%1」は下絵にできる画像ファイルではありません。</source>
        <translation>“%1” is not a picture file that can be traced.</translation>
    </message>
    <message>
        <source>「%1」は途中で切れているか壊れているため、下絵にできません。</source>
        <translation>“%1” is cut short or damaged and cannot be traced.</translation>
    </message>
    <message>
        <source>「%1」は大きすぎるため下絵にできません(1億ピクセルまで)。</source>
        <translation>“%1” is too large to trace (100 million pixels at most).</translation>
    </message>
</context>
</TS>
