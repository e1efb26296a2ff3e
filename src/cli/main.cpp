// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc: the command-line companion of Haltrix. It reads design files
// and prints what the program would compute, show and print for them.

#include <iostream>
#include <string>
#include <vector>

#include "book_command.h"
#include "check_command.h"
#include "command_line.h"
#include "console_output.h"
#include "convert_command.h"
#include "csv_command.h"
#include "exit_status.h"
#include "haltrix_version.h"
#include "ifc_command.h"
#include "json_command.h"
#include "pdf_command.h"
#include "propose_command.h"
#include "report_command.h"
#include "sheet_command.h"
#include "sketch_command.h"
#include "sweep_command.h"
#include "table_command.h"
#include "xlsx_command.h"
#include "design/unit_system.h"

namespace {

// The stress factor is the unit table's.
const std::string kUsage = R"(使い方:
  haltrix-calc json [--hbar D10|D13|...|D35] [--hcount TEXT]
                    [--min-clear MM | --max-aggregate MM] [--max-spacing MM] FILE.tvx...
  haltrix-calc check [--hbar D10|D13|...|D35] [--hcount TEXT]
                     [--min-clear MM | --max-aggregate MM] [--max-spacing MM] FILE.tvx...
  haltrix-calc sheet [--hbar D10|D13|...|D35] [--hcount TEXT] [--case NAME|N] FILE.tvx
  haltrix-calc report [--hbar D10|D13|...|D35] [--hcount TEXT] [--case NAME|N] [--print]
                      FILE.tvx
  haltrix-calc pdf [--hbar D10|D13|...|D35] [--hcount TEXT] [--case NAME|N] [--print]
                   [--sketch] [--quantities] [--project TEXT] [--member TEXT] [--designer TEXT]
                   FILE.tvx -o OUT.pdf
  haltrix-calc book [--title TEXT] [--project TEXT] [--designer TEXT]
                    [--date TEXT] [--sketch] [--quantities] FILE.tvx... -o BOOK.pdf
  haltrix-calc xlsx [--hbar D10|D13|...|D35] [--hcount TEXT] [--anchorage MM|Nφ]
                    [--project TEXT] [--designer TEXT] FILE.tvx... -o OUT.xlsx
  haltrix-calc sketch [--hbar D10|D13|...|D35] [--hcount TEXT] FILE.tvx
                      -o OUT.svg|OUT.png|OUT.dxf
  haltrix-calc ifc [--schema IFC4X3|IFC4] [--part pier|abutment] [--anchorage MM|Nφ]
                   [--hbar D10|D13|...|D35] [--hcount TEXT]
                   [--min-clear MM | --max-aggregate MM] FILE.tvx -o OUT.ifc
  haltrix-calc csv [--hbar D10|D13|...|D35] [--hcount TEXT]
                   [--min-clear MM | --max-aggregate MM] [--max-spacing MM] [--excel] [--propose]
                   FILE.tvx...
  haltrix-calc table IN.csv --out-dir DIR
  haltrix-calc convert --to si|gravitational [--round-stress DIGITS] IN.tvx -o OUT.tvx
  haltrix-calc convert --to si|gravitational [--round-stress DIGITS] --in-place IN.tvx
  haltrix-calc sweep --param NAME --from X --to Y --steps N [--case NAME|N] FILE.tvx
  haltrix-calc propose [--top N] [--min-clear MM | --max-aggregate MM] [--max-spacing MM] [--hcount TEXT]
                       [--json] [--apply -o OUT.tvx | --apply --in-place] FILE.tvx
  haltrix-calc --help
  haltrix-calc --version

設計ファイルはそれぞれ読み込んで（16 行目で単位系が決まります）、結果を新しく
計算します。結果ウィンドウが表示するのとまったく同じです。a / H2 で計算式の
ケースが決まり、単位系で手順が決まります（1: 重力単位の手順と鉄筋表の cm2 の
列、それ以外の値: SI 単位の手順と mm2 の列）。続いて自重の表、ケースの手順、
水平方向の照査を計算します。

設計は一つ以上の荷重ケース（常時、地震時、...）を持ちます。ケースごとに
名前、P、H、σsa があり、ほかの入力はすべて共通です。各ケースは、そのケース
だけの設計として計算します。支配ケースは、主鉄筋が "- NG -" と判定された
最初のケース、なければ必要主鉄筋量と配置主鉄筋量の比が最も大きいケース（比
が等しければ先のケース）です。水平方向の照査にも、その鉄筋量で同じように
選ぶ支配ケースがあります。ケースの番号は 1 から数えます。

Windows では、ファイルの引数の * と ? をこのプログラムが展開します（コマンド
プロンプトも PowerShell も展開しないため）。合うファイルを名前の順に並べ、
一つも合わないパターンはその名前を示して終わります（終了コード 1）。

オプション:
  --hbar D..      水平鉄筋に選んだ呼び名（既定: ファイルが持つ選択。なければ
                  選んでいない。照査では D10 として扱います）
  --hcount TEXT   水平鉄筋の本数のテキスト（既定: ファイルが持つ本数。なければ
                  "4"。空や数でないテキストは 0 本です）
  --case NAME|N   sheet、report、pdf: このケースだけを、そのケースだけの設計と
                  まったく同じに出力します。sweep: 値を動かすケース（既定は
                  最初のケース）。NAME はケースの名前（名前のないケースは
                  "ケース n"）、N はその番号です
  --print         report: 印刷用の計算書。入力データの節の前の空行がプレビューの
                  1 行ではなく 4 行になります。pdf: 受け付けますが何も変わりません
                  （PDF はいつも印刷用です）
  -o OUT          pdf、book、sketch、ifc、xlsx: 書き出すファイル
  --sketch        pdf と book: 計算書の後に、ブラケットの形状図を 1 ページで
                  付けます
  --quantities    pdf と book: 計算書の後に、数量・鉄筋表のページ（xlsx と同じ
                  数量と鉄筋表）を付けます
  --project TEXT, --member TEXT, --designer TEXT
                  pdf: 表題欄（工事名、部材名、設計者）。どれかを指定すると、各
                  ページの上余白に、指定した欄、日付、"n / m" の見出し行が付き
                  ます。計算書の行は動きません
  --min-clear MM  警告で使う鉄筋のあきの最小値。下の規則の代わりに mm で固定
                  します
  --max-aggregate MM
                  既定の規則の粗骨材の最大寸法（mm、既定 25）。あきの最小値は
                  20 mm、この寸法の 4/3、太い方の鉄筋径のうち最も大きいもの
                  です。--min-clear と --max-aggregate は一緒には指定できま
                  せん。どのコマンドも受け付け、json と check が使います
  --max-spacing MM
                  警告で使う、段の中の鉄筋の中心間隔の最大値（mm、既定 300。
                  このプログラムの既定値です）

json は、ファイルごとに JSON のオブジェクトを 1 行で出力します（JSON Lines）。
設計の入力と結果のすべてに加えて、"file"（指定したままのパス）、
"requiredMainArea"（決定する必要主鉄筋量）、"requiredHorizontalArea"、
"message"（null、または計算のメッセージ: "入力データが不正です"、改行、
不正な入力とその理由）、"warnings"（設計の警告。それぞれ
"code"、"severity"（"注意" か "警告"）、"message" のオブジェクト。ないときは空
のリスト）があります。"cases"（荷重ケースごとのオブジェクト。"name"、"P"、
"H"、"sigmaSa" と、設計と同じ結果のキー（"ratioCase" ... "hBarName"、
"requiredMainArea"、"requiredHorizontalArea"、"message"））と
"governingCase"（支配ケースの、0 から数えた番号）もあります。最上位の値は
最初のケースのものです。

check は、設計ごとの警告を 1 件 1 行で出力します: "FILE: code: message"
（FILE は指定したまま）。すべてのケースを判定します。一部のケースだけにある
指摘は、先頭に【】で囲んだケースの名前が付きます。同じ名前の二つのケースには
注意 duplicate-case-name が出ます。警告は計算を変えません。設計が計算方法の範囲の外に
あること、鉄筋が納まらないことを示します。コードと重さ:
  non-positive-dimension  警告  H2、l、b、σsa が 0 以下、または H1、γc が
                                負
  implausible-dimension   注意  H1、H2、l、b、a が 100 m を超える、または t、
                                c が 10 m を超える（そんなに大きいブラケット
                                はありません）
  tip-deeper-than-root    警告  H1 > H2
  load-off-bracket        警告  a < 0;  注意  a > l
  outside-method-range    警告  a/H2 > 1.0
  cover-beyond-depth      警告  t が 0 以下、t（m 単位）>= H2、または 2 段目に
                                鉄筋があって t + c >= H2
  negative-bar-count      警告  段の本数か水平鉄筋の本数が負
  fractional-bar-count    注意  段の本数か水平鉄筋の本数が整数でない
  layer-without-bar       注意  呼び名がないのに本数が 0 より大きい、または
                                呼び名があって本数が 0
  unknown-bar             警告  鉄筋表にない呼び名
  units-look-wrong        注意  σsa か γc が、もう一方の単位系でよくある範囲
                                にある（SI で σsa > 1000、重力単位で
                                0 < σsa < 500。重力単位で γc > 10、SI で
                                0 < γc < 5）
  bars-do-not-fit         警告  段の鉄筋を、両側面から t の間に中心を等間隔に
                                並べると、あきの最小値より狭い
  bars-too-far-apart      注意  段の鉄筋を上のように並べると、中心間隔が
                                --max-spacing（300 mm）より広い
  layers-too-close        注意  2 段目に鉄筋があり、c - (φ1 + φ2)/2 があきの
                                最小値より小さい
  printed-input-rounded   注意  H1、H2、l、b、a（小数 3 桁）、σsa（小数なし）、
                                γc（小数 1 桁）が計算書に印刷される桁より細か
                                く、印刷される入力が計算に使った値と違う
  side-face-bars-ng       警告  使う水平鉄筋（--hbar と --hcount。既定はファイ
                                ルが持つ選択、なければ D10 x 4）が
                                "    - NG -"
  duplicate-case-name     注意  前のケースと同じ名前の荷重ケースがある
t と c の単位は cm（単位系 1）か mm（それ以外）、長さは m、鉄筋径は
JIS G 3112 の公称直径です。

sheet、report、pdf、sketch、ifc は設計ファイルを一つだけ、book は一つ以上とり
ます。sheet、report、pdf は、ケースが二つ以上ある設計ではすべてのケースを、
それぞれ見出しの行 "荷重ケース n: NAME" の下に出力します（pdf: 最初にケースの
まとめのページ、各ケースはそれぞれのページ）。--case を指定したとき、または
ケースが一つの設計では、そのケースだけの設計とまったく同じものを出力します。

sheet は、結果ウィンドウの計算表を出力します。自重の表の 4 行、空行、結果の
表の 15 行です。1 行が表の 1 行で、セルをタブ 1 個でつなぎます。ウィンドウが
書かないセルは空です。単位のテキストは、その単位系で開くウィンドウのもの
です。

report は、計算書を UTF-8 で、計算書の 1 行を 1 行として出力します。入力
データの節、続いて計算式のケースの結果の節です。単位系が 1 でも 2 でもない
設計には計算書がありません。何も出力せず（標準エラーに説明が出ます）、終了
コードは 0 のままです。

pdf は、「印刷実行」がその設計について印刷する計算書を、同じ印刷の処理で、
フォントを埋め込んだ A4 の PDF に書き出します。印刷用の計算書を、ページの
印刷できる範囲から 20 mm 内側に、計算書のフォント 9 ポイントで書き、納まら
ない行は次のページに続けます。画面は要りません。単位系が 1 でも 2 でもない
設計には計算書がありません。PDF は書かず（標準エラーに説明が出ます）、終了
コードは 0 のままです。警告のある設計、計算が止まる設計は、最後に
「設計上の注意」のページが付き、計算のメッセージと、警告と注意のすべてを
並べます。

book は計算書の冊子を書き出します。設計を指定した順に一つの A4 の PDF に
まとめます。表紙（--title、既定 "ブラケットの設計計算書"。--project 工事名。
--designer 設計者。--date、既定は今日の "2026年12月8日" の形。設計の数と、
そのうち NG と計算できないものの数）、目次（設計ごとに番号、ファイル名、
単位系、判定 OK / NG / 計算不能（すべての荷重ケースで主鉄筋も水平鉄筋も
OK のときだけ OK）、警告と注意の数、最初のページ。各行はその
ページへのリンク）、続いて各設計のページを pdf と同じく、水平鉄筋はファイル
が持つ選択（なければ既定）で並べます（計算書、--sketch なら形状図のページ、言うことがあれば
設計上の注意）。表紙以外の各ページには見出し行（指定した欄、設計のファイル
名、日付）と、冊子全体の "n / m" が付きます。PDF にはしおり（表紙、目次、
設計ごとに "NAME.tvx — OK" / "— NG" / "— 計算不能"。その下に計算書の
ページ、形状図、注意）と文書情報（Title、Author、Subject、Creator、言語 ja）
があります。何かを書く前にすべてのファイルを読みます。読めないファイルが
あれば何も書きません（終了コード 2）。計算が止まる設計は、そのメッセージと
ともに冊子に入ります（終了コード 3）。冊子は一時ファイルを通して書くので、
失敗しても書きかけのファイルは残りません。qpdf なしで作った版は、しおりと
リンクのない冊子を書き、標準エラーでそう伝えます。

xlsx は、設計を指定した順に Excel のブック（.xlsx）に書き出します: 計算書
（設計ごとに入力と結果の値。それぞれ json と同じ名前）、数量（設計ごとに
コンクリート m3、型枠（両側面、底面、先端面。上面と付け根の面は含めません）
m2、鉄筋の質量）、鉄筋表（設計ごとに鉄筋記号ごとの 1 行: 記号、部位、鉄筋、
定着を含む形状、長さ mm、本数、JIS G 3112 の単位質量 kg/m、質量 kg。径ごとと
全体の合計。鉄筋は ifc が書く 3D モデルのもので、--anchorage も同じ、既定
40φ）、設計調書（設計ごとに 1 行: 寸法、鉄筋、必要・配置主鉄筋量、判定、
決定ケース）。荷重ケースが二つ以上ある設計は、計算書と設計調書に支配ケースの
値を書き、決定ケースの列にその名前を書きます。数量はどちらの単位系でも m3、m2、mm、kg です。質量、合計、
参照は、Haltrix が計算した値を持つ式で書きます。ページは A4、見出しに工事名
（--project）と "n / m"。--designer は文書の作成者です。何かを書く前にすべての
ファイルを読みます。読めないファイルがあれば何も書きません（終了コード 2）。
ブックは一時ファイルを通して書くので、失敗しても書きかけのファイルは残りま
せん（終了コード 4）。

sketch はブラケットを描きます。側面図（付け根の橋脚をハッチングし、部材は
付け根で H2、先端で H1 の高さ、a の位置に支承と P、H、深さ t と t + c の
上面鉄筋）と付け根の断面図（b x H2、鉄筋は公称直径の円で、各段を両側面から
t の間に等間隔に並べます）に寸法を付け、計算が終わったときは d と Zc も
描きます。形式は出力の拡張子で決まります: .svg（SVG）、.png（PNG 画像）、
.dxf（mm 単位の DXF 図面。画層 OUTLINE、REBAR、LOAD、DIM、TEXT）。描けない
ものは図の中の注記で示します。

ifc は、ブラケットと鉄筋を IFC モデル（mm 単位の STEP ファイル）に書き出し
ます。--schema IFC4X3（既定）は IfcBridge と、--part の種類（pier が既定、
または abutment）の IfcBridgePart を持つ IFC4X3_ADD2 を、--schema IFC4 は同じ
モデルを IFC4 のビューア向けに IfcSite に含めて書きます。ブラケットは
IfcBeam（張出し部）、主鉄筋はそれぞれ付け根の断面での位置にある
IfcReinforcingBar（MAIN）で、先端から t 内側から、支持部の中へ定着長だけ
延びます。水平鉄筋（--hbar、--hcount）は両側面の IfcReinforcingBar
（水平方向用心鉄筋）です。--anchorage は支持部への定着長です: mm の値
（"600"）か鉄筋径の倍数（"40φ"、"40phi"、"40D"）。既定の 40φ はこの
プログラムの仮定で、基準の値ではありません。書く前に鉄筋を照査します: 中心
間隔が各径の半分とあきの最小値（--min-clear、--max-aggregate）の和より狭い、
またはコンクリートの中で被り t を保たない鉄筋は干渉で、標準エラーに
"警告: ..." と示し、モデルのプロパティセットに記録します。ファイルは書きます。
GlobalId は設計ファイルの名前と各要素の役割から決まるので、書き出しを繰り返し
ても同じ id になります。

csv は設計の表を出力します。見出しの行に続いて、設計ファイルごとに 1 行です
（カンマ区切り、RFC 4180 の引用、UTF-8、改行は LF）。列: file、unitSystem、
H1、H2、l、b、a、P、H、t、c、layer1Bar、layer1Count、layer2Bar、
layer2Count、sigmaSa、concreteUnitWeight（入力。設計の単位のまま）、
ratioCase、S、sumAs、Ast、requiredMainArea、providedMainArea、
mainJudgement、hBar、hBarCount、hAs、requiredHorizontalArea、
horizontalJudgement、message、warnings（check と同じ警告のコードを ";" で
つないだもの）。数は、読み戻して同じ数になる最も短い形で書きます。--excel
は、出力の最初に UTF-8 のバイト順マークを付け、改行を CR LF にします
（Windows の Excel で日本語が正しく表示されます）。--propose は、各設計の
提案の列（propose を参照）を加えます: proposedLayer1Bar、
proposedLayer1Count、proposedLayer2Bar、proposedLayer2Count、
proposedProvidedMainArea、proposedRequiredMainArea、proposalMessage（空、
または提案がない理由）。表のある設計に荷重ケースが二つ以上あるときは、
"file" の次に "case" の列が入り、ケースごとに 1 行（その名前と、そのケース
だけの入力と結果）になります。

table は設計の表（csv が書いたもの、または表計算ソフトで編集したもの）を
読み、行ごとに設計ファイルを一つ DIR に書きます。DIR がなければ作ります。
unitSystem、H1 ... concreteUnitWeight の列が必要で、順番は問いません。csv
が書くほかの列は読み飛ばし、それ以外の列は標準エラーに名前を示して無視しま
す。UTF-8 のバイト順マーク、CR LF と LF の改行、カンマ、引用符（""）、改行
を含む引用された値を受け付けます。ファイル名は行の "file" 列（パスの最後の
部分だけ。ファイルシステムが使えない文字は "_" に置き換え、".tvx" がなければ
付けます）から、その列がなければ "row-N.tvx"（N は表計算ソフトと同じ数え方の
行番号。見出しが 1 行目）になります。DIR に同じ名前のファイルがあれば置き換
えます。同じ名前の二つの行、その名前のリンクやフォルダは受け付けません。
"case" の列があるときは、ファイル名が同じでケースの違う行が、行の順の荷重
ケースを持つ一つの設計になります（ほかの入力は一致していなければなりませ
ん）。その設計は表全体を読んだ後に書き、その行の一つでも受け付けられなけれ
ば書きません。表はまず全体を調べます。正しい CSV でない表（閉じていない引用符、余分な引用
符、NUL バイト、64 KiB を超える値、1 MiB を超える行）や列の足りない表では
何も書きません。値の悪い行は、行と列を示して標準エラーに出し、その行の
ファイルは書きません。ほかの行は書きます。書いたファイルのパスを標準出力に
出します。

convert は、設計ファイルをもう一方の単位系に換算し、一時ファイルを通して
OUT.tvx に書きます。P と H は 1 tf = 9.80665 kN、γc は 1 t/m3 =
9.80665 kN/m3、σsa は )" +
                           haltrix::unitEquation(haltrix::ConvertedUnit::Stress) + R"(、t と c は 1 cm = 10 mm で
換算し、H1、H2、l、b、a と鉄筋はそのままです。--round-stress DIGITS（1 から
15）は、換算した σsa と γc をその有効数字の桁数に丸めます（既定: 丸めない）。
したことを標準出力に出します。--in-place を指定しないかぎり、OUT.tvx は
（どんな名前でも）IN.tvx と同じファイルにできません。すでに目的の単位系の
設計は、そのまま書きます。

sweep は、設計の入力 NAME（a H P H2 H1 l b t c layer1Count layer2Count
sigmaSa concreteUnitWeight）を X から Y まで N 等分して動かし（N は 1 から
1000000。点は N + 1 個で、最初はちょうど X、最後はちょうど Y。Y は X より小
さくてもよく、そのときは下向きに進みます）、各点を json と同じく計算します。
CSV を出力します。見出しの行に続いて、点ごとに入力の値、ratioCase、
requiredMainArea、providedMainArea、mainJudgement、message（空、または計算の
メッセージ）。値は設計の単位のままです。

propose は主鉄筋を選びます。鉄筋表の鉄筋のすべての並べ方（1 段目は 2 本
以上の鉄筋、2 段目は空か 2 本以上の鉄筋、1 段 100 本まで）のうち、合格する
ものを軽い順に N 個（既定 5）挙げます。合格とは、設計のほかの入力はそのまま
で、計算の判定がすべての荷重ケースで "    - OK -" になり、あきの規則での警告に bars-do-not-fit、
bars-too-far-apart、layers-too-close、cover-beyond-depth、layer-without-bar、
fractional-bar-count、unknown-bar のどれも出ず、2 段目の鉄筋が 1 段目より
太くないことです。並べる順は、主鉄筋
の量（相対 1e-9 以内は同じ）、本数の少ない順、1 段を 2 段より先、1 段の中の
鉄筋のあきの小さい方が大きい順、1 段目の鉄筋、2 段目の鉄筋の鉄筋表の順、
1 段目の本数の多い順です。出力はタブ区切りです。見出しの 1 行、並べ方ごとに
1 行（順位、1段目、2段目、主鉄筋量と必要量、余裕 %、段の中の最小のあき mm）、
続いて最初の並べ方について --hcount の本数で水平方向の照査を満たす、断面積の
最も小さい水平鉄筋です。--json は代わりにオブジェクトを一つ出力します:
"file"、"requiredMainArea"（最初のもの）、"candidates"（それぞれ
"layer1Bar"、"layer1Count"、"layer2Bar"、"layer2Count"、"providedMainArea"、
"requiredMainArea"、"minClearMm"）、"message"（null、または候補がない理由）。
どの並べ方でも変わらない警告（または units-look-wrong）のある設計には候補が
なく、理由がその指摘を示します。納まる最大の並べ方でも NG の設計も同じで、
その量を示します。--apply は、最初の並べ方の設計を OUT.tvx に書きます。12 から
15 行目（鉄筋）は設計ファイルの書き方で、ほかのバイトはすべて元のままです。
--in-place を指定しないかぎり、OUT.tvx は FILE.tvx にできません。

終了コード:
  0  すべてのファイルを読んで計算した（convert と table は書いた）。propose:
     合格する並べ方が一つ以上ある
  1  コマンドラインが正しくない（Windows で、どのファイルにも合わない
     パターンを含む）
  2  ファイルを読めなかった（理由は標準エラー。そのファイルの出力はなく、
     ほかのファイルは処理を続けます。book: 何も書きません）。table: 表を
     読めない、列が足りない、正しい CSV でない（何も書きません）
  3  計算がそのファイルの入力データを不正と報告した（メッセージは標準エラー。
     出力はそのときの記録から書きます）。sweep: 一つ以上の点で。convert: 換算
     できない設計（単位系が 1 でも 2 でもない、数の範囲を超える値。何も
     書きません）。table: 値の悪い行があった（ほかの行は書きました）。
     propose: 合格する並べ方がない（理由は標準エラー。何も書きません）
  4  pdf、book、xlsx、sketch、ifc、convert、table、propose --apply: 出力を
     書けなかった（ifc: または設計にモデルがない: H2、l、b が 0 以下、H1 が
     負、鉄筋表にない鉄筋など。理由は標準エラー）
  5  check のみ: 設計に警告がある（注意だけなら 0）。読めないファイル（2）が
     優先し、入力データ不正（3）は優先しません
)";

} // namespace

int main(int argc, char** argv) {
    const haltrix::cli::ConsoleOutput console;
    std::vector<std::string> args = haltrix::cli::commandLineArguments(argc, argv);
    if (args.empty()) {
        std::cerr << kUsage;
        return haltrix::cli::kExitUsage;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "haltrix-calc " << haltrix::kVersionText << '\n';
        return 0;
    }
    if (command == "json")
        return haltrix::cli::runJsonCommand(args);
    if (command == "check")
        return haltrix::cli::runCheckCommand(args);
    if (command == "sheet")
        return haltrix::cli::runSheetCommand(args);
    if (command == "report")
        return haltrix::cli::runReportCommand(args);
    if (command == "pdf")
        return haltrix::cli::runPdfCommand(args);
    if (command == "book")
        return haltrix::cli::runBookCommand(args);
    if (command == "sketch")
        return haltrix::cli::runSketchCommand(args);
    if (command == "ifc")
        return haltrix::cli::runIfcCommand(args);
    if (command == "csv")
        return haltrix::cli::runCsvCommand(args);
    if (command == "table")
        return haltrix::cli::runTableCommand(args);
    if (command == "convert")
        return haltrix::cli::runConvertCommand(args);
    if (command == "sweep")
        return haltrix::cli::runSweepCommand(args);
    if (command == "propose")
        return haltrix::cli::runProposeCommand(args);
    if (command == "xlsx")
        return haltrix::cli::runXlsxCommand(args);
    std::cerr << "haltrix-calc: 「" << command << "」というコマンドはありません\n" << kUsage;
    return haltrix::cli::kExitUsage;
}
