// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc: the command-line companion of Haltrix. It reads design files
// and prints what the program would compute, show and print for them.

#include <iostream>
#include <string>
#include <vector>

#include "book_command.h"
#include "check_command.h"
#include "command_line.h"
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
const std::string kUsage = R"(Usage:
  haltrix-calc json [--hbar D10|D13|...|D35] [--hcount TEXT]
                    [--min-clear MM | --max-aggregate MM] [--max-spacing MM] FILE.tvx...
  haltrix-calc check [--hbar D10|D13|...|D35] [--hcount TEXT]
                     [--min-clear MM | --max-aggregate MM] [--max-spacing MM] FILE.tvx...
  haltrix-calc sheet [--hbar D10|D13|...|D35] [--hcount TEXT] FILE.tvx
  haltrix-calc report [--hbar D10|D13|...|D35] [--hcount TEXT] [--print] FILE.tvx
  haltrix-calc pdf [--hbar D10|D13|...|D35] [--hcount TEXT] [--print] [--sketch]
                   [--quantities] [--project TEXT] [--member TEXT] [--designer TEXT] FILE.tvx -o OUT.pdf
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
  haltrix-calc sweep --param NAME --from X --to Y --steps N FILE.tvx
  haltrix-calc propose [--top N] [--min-clear MM | --max-aggregate MM] [--max-spacing MM] [--hcount TEXT]
                       [--json] [--apply -o OUT.tvx | --apply --in-place] FILE.tvx
  haltrix-calc --help
  haltrix-calc --version

Each design file is read (this sets the unit system from its line 16) and
calculated from fresh results, exactly as the result window shows it: the
formula case follows from a / H2, the unit system selects the procedures
(1: gravitational procedures and the cm2 column of the bar table; any other
value: SI procedures and the mm2 column), then come the self-weight table,
the case procedure and the horizontal check.

Options:
  --hbar D..      designation chosen for the horizontal bars (default: none
                  chosen, which the check counts as D10)
  --hcount TEXT   text of the horizontal bar count (default "4"; an empty or
                  non-numeric text counts as 0 bars)
  --print         report: the printed variant of the report, whose
                  input-data section starts with four blank lines instead of
                  the preview's one; pdf: accepted and changes nothing, the
                  PDF always holds the printed variant
  -o OUT          pdf, book, sketch and ifc: where the file is written
  --sketch        pdf and book: the sketch of the bracket follows the report
                  on a page of its own
  --quantities    pdf and book: the page 数量・鉄筋表 (the quantities and the
                  bar schedule, as xlsx gives them) follows the report
  --project TEXT, --member TEXT, --designer TEXT
                  pdf: the title block (工事名, 部材名, 設計者); when any is
                  given, every page carries a header line inside its top
                  margin with the given fields, the date and "n / m"; the
                  report's lines do not move
  --min-clear MM  the warnings' minimum clear spacing between bars, a fixed
                  value in mm instead of the rule below
  --max-aggregate MM
                  maximum aggregate size in mm for the default rule (default
                  25): the minimum clear spacing is the largest of 20 mm, 4/3
                  of this size and the larger bar diameter. --min-clear and
                  --max-aggregate exclude each other; every command takes
                  them, json and check use them
  --max-spacing MM
                  the warnings' largest centre-to-centre spacing of the bars
                  of a layer in mm (default 300, the program's own default)

json prints one JSON object per file on one line (JSON Lines) with every
input and result of the design, plus "file" (the path as given),
"requiredMainArea" (the governing required main-steel area),
"requiredHorizontalArea", "message" (null, or the calculation's message:
"入力データが不正です", a line end, and the input at fault with the reason)
and "warnings": the design's warnings, each an object with "code",
"severity" ("注意" or "警告") and "message", an empty list when there are
none.

check prints the warnings of each design, one line per finding:
"FILE: code: message" (FILE as given). The warnings do not change the
calculation; they say where a design lies outside the range the method
covers or its bars cannot be built. The codes and their severities:
  non-positive-dimension  警告  H2, l, b or σsa not above 0, or H1 or γc
                                below 0
  implausible-dimension   注意  H1, H2, l, b or a beyond 100 m, or t or c
                                beyond 10 m: no bracket is that large
  tip-deeper-than-root    警告  H1 > H2
  load-off-bracket        警告  a < 0;  注意  a > l
  outside-method-range    警告  a/H2 > 1.0
  cover-beyond-depth      警告  t not above 0, t (in m) >= H2, or t + c >= H2
                                when layer 2 has bars
  negative-bar-count      警告  a layer's or the horizontal bar count is
                                below 0
  fractional-bar-count    注意  a layer's or the horizontal bar count is not
                                a whole number
  layer-without-bar       注意  a count above 0 with no designation, or a
                                designation with count 0
  unknown-bar             警告  a designation the bar table does not hold
  units-look-wrong        注意  σsa or γc in the other unit system's usual
                                range (σsa > 1000 in SI, 0 < σsa < 500 in
                                gravitational units; γc > 10 in gravitational,
                                0 < γc < 5 in SI units)
  bars-do-not-fit         警告  a layer's bars, centres spread evenly between
                                t from either side face, are closer than the
                                minimum clear spacing
  bars-too-far-apart      注意  a layer's bars, centres spread as above, lie
                                further apart than --max-spacing (300 mm)
  layers-too-close        注意  layer 2 has bars and c - (φ1 + φ2)/2 is below
                                the minimum clear spacing
  printed-input-rounded   注意  H1, H2, l, b, a (3 decimals), σsa (none) or γc
                                (one) has more digits than the report prints,
                                so the printed input is not the value used
  side-face-bars-ng       警告  the side-face bars in force (--hbar and
                                --hcount, default D10 x 4) are "    - NG -"
t and c are in cm (unit system 1) or mm (any other), lengths in m, bar
diameters the nominal ones of JIS G 3112.

sheet, report, pdf, sketch and ifc take exactly one design file; book takes one
or more.

sheet prints the result window's calculation sheet: the four rows of the
self-weight grid, an empty line, then the fifteen rows of the result grid.
A row is one line with its cells joined by one tab; a cell the window never
writes is empty. The unit texts are those of the window the unit system
opens.

report prints the calculation report in UTF-8, one line of the report per
line: the input-data section, then the result section of the formula case.
A design whose unit system is neither 1 nor 2 has no report: nothing is
printed (a note goes to standard error) and the exit status stays 0.

pdf writes the report that "印刷実行" prints for the design, through the same
printing code, as an A4 PDF with its fonts embedded: the printed variant of
the report, 20 mm inside the page's printable area in the report font at
9 pt, a line that does not fit continuing on a new page. It needs no display.
A design whose unit system is neither 1 nor 2 has no report: no PDF is
written (a note goes to standard error) and the exit status stays 0.
A design with warnings, or whose calculation stops, ends with a page
"設計上の注意" listing the calculation's message and every 警告 and 注意.

book writes the calculation book: the designs in the order given in one A4
PDF. A cover (--title, default "ブラケットの設計計算書"; --project 工事名;
--designer 設計者; --date, default today as "2026年12月8日"; the number of
designs and how many are NG or could not be calculated), the contents (per
design its number, file name, unit system, judgement OK / NG / 計算不能,
OK only when the main bars and the side-face bars at their defaults are,
number of 警告 and 注意, and first page, each row a link to that page),
then each design's pages as pdf prints them with the side-face bars at
their defaults (the report, with --sketch the sketch page, then 設計上の注意
when there is something to say). Every page but the cover carries a header
line (the fields given, the design's file name, the date) and "n / m" of
the whole book. The PDF has an outline (表紙, 目次, "NAME.tvx — OK" / "— NG"
/ "— 計算不能" per design with its report pages, sketch and notes under it)
and its document information (Title, Author, Subject, Creator, language ja).
Every file is read before anything is written: an unreadable file writes
nothing (status 2); a design whose calculation stops is in the book with
its message (status 3). The book is written through a temporary file, so a
failure leaves nothing half-written. A build without qpdf writes the book
without outline and links and says so on standard error.

xlsx writes the workbook of the designs, in the order given, as an Excel
file (.xlsx): 計算書 (per design its inputs and results as values, each
with the name json gives it), 数量 (per design the concrete in m3, the
formwork of both side faces, the soffit and the tip face in m2, not the
top or the root face, and the bar mass), 鉄筋表 (per design one row per
bar mark: mark, part, bar, shape with its anchorage, length in mm, count,
unit mass in kg/m of JIS G 3112, mass in kg; totals per diameter and
overall; the bars are those of the 3D model ifc writes, with the same
--anchorage, default 40φ) and 設計調書 (one row per design: dimensions, bars, required and
provided main area, 判定, governing case). Quantities are in m3, m2, mm
and kg in both unit systems. Masses, sums and references are formulas
stored with the values Haltrix computed. Pages are A4 with 工事名
(--project) and "n / m" in the header; --designer is the document's
author. Every file is read before anything is written: an unreadable file
writes nothing (status 2). The workbook is written through a temporary
file, so a failure leaves nothing half-written (status 4).

sketch draws the bracket: the elevation (the pier hatched at the root, the
member H2 deep at the root and H1 at the tip, the bearing at a with P and H,
the top bars at depth t and t + c) and the section at the root (b x H2, the
bars as circles of their nominal diameter, each layer spread evenly between
t from either side face), with their dimensions, and d and Zc when the
calculation completed. The format follows the output's extension: .svg
(SVG), .png (PNG image) or .dxf (DXF drawing in mm, layers OUTLINE, REBAR,
LOAD, DIM and TEXT). What cannot be drawn is named in notes on the sketch.

ifc writes the bracket and its bars as an IFC model (a STEP file in mm).
--schema IFC4X3 (the default) writes IFC4X3_ADD2 with IfcBridge and an
IfcBridgePart whose type --part gives (pier, the default, or abutment);
--schema IFC4 writes the same model for IFC4 viewers, contained in the
IfcSite. The bracket is an IfcBeam (張出し部); each main bar an
IfcReinforcingBar (MAIN) at its place in the root section, from the tip less
t back into the support by the anchorage; the side-face bars (--hbar,
--hcount) IfcReinforcingBars 水平方向用心鉄筋 on both side faces.
--anchorage is the length the bars run on into the support: MM in mm
("600") or a multiple of each bar's diameter ("40φ", "40phi" or "40D");
the default 40φ is an assumption of this program, not a standard's value.
The bars are checked before writing: centres closer than half of each
diameter plus the minimum clear spacing (--min-clear, --max-aggregate), or
a bar that does not keep the cover t inside the concrete, is a clash, shown
as "警告: ..." on standard error and recorded in the model's property set;
the file is still written. GlobalIds derive from the design file's name and
each element's role, so a repeated export gives the same ids.

csv prints the design table: a header row, then one row per design file
(comma-separated, RFC 4180 quoting, UTF-8, LF line ends). Columns: file,
unitSystem, H1, H2, l, b, a, P, H, t, c, layer1Bar, layer1Count, layer2Bar,
layer2Count, sigmaSa, concreteUnitWeight (the inputs in the design's own
units), ratioCase, S, sumAs, Ast, requiredMainArea, providedMainArea,
mainJudgement, hBar, hBarCount, hAs, requiredHorizontalArea,
horizontalJudgement, message, warnings (the codes of the design's warnings,
as check names them, joined by ";"). Numbers are written in the shortest
form that reads back as exactly the same number. --excel starts the output with a
UTF-8 byte-order mark and ends lines with CR LF, so Excel on Windows shows
the Japanese texts correctly. --propose adds the columns of each design's
proposal (see propose): proposedLayer1Bar, proposedLayer1Count,
proposedLayer2Bar, proposedLayer2Count, proposedProvidedMainArea,
proposedRequiredMainArea, and proposalMessage (empty, or why there is none).

table reads a design table (as csv writes it, or edited in a spreadsheet)
and writes one design file per row into DIR, creating DIR when needed.
The columns unitSystem, H1 ... concreteUnitWeight are required, in any
order; the other columns csv writes are passed over and any other column
is named on standard error and ignored. A UTF-8 byte-order mark, CR LF or
LF line ends and quoted values with commas, quotes ("") and line breaks
are accepted. A row's file is named from its "file" column (only the last
part of the path, characters file systems refuse replaced by "_", ".tvx"
added when missing) or, without one, "row-N.tvx" with N its row in the
table (the header is row 1, as a spreadsheet counts). An existing file of
that name in DIR is replaced; two rows of the same name, a link or a folder
of that name are refused. The table is checked whole first: a table that is
not well-formed CSV (an open quote, a stray quote, a NUL byte, a value over
64 KiB or a row over 1 MiB) or lacks a column writes nothing. A row with a
bad value is named with its row and column on standard error and nothing
is written for it; the other rows are still written. The path of each
file written is printed on standard output.

convert converts a design file to the other unit system and writes it
through a temporary file to OUT.tvx: P and H by 1 tf = 9.80665 kN, γc by
1 t/m3 = 9.80665 kN/m3, σsa by )" +
                           haltrix::unitEquation(haltrix::ConvertedUnit::Stress) + R"(, t and c by
1 cm = 10 mm; H1, H2, l, b, a and the bars stay as they are. --round-stress
DIGITS (1 to 15) rounds the converted σsa and γc to that many significant
digits (default: no rounding). What was done is printed on standard output.
OUT.tvx may not be IN.tvx (by any name) unless --in-place is given. A design
already in the target unit system is written unchanged.

sweep steps one input NAME of the design (a H P H2 H1 l b t c layer1Count
layer2Count sigmaSa concreteUnitWeight) from X to Y in N equal steps (N from
1 to 1000000, so N + 1 points, the first exactly X and the last exactly Y;
Y may lie below X, the points then run downwards) and calculates each point
as json calculates a design file. It prints CSV: a header row, then per
point the input's value, ratioCase, requiredMainArea, providedMainArea,
mainJudgement and message (empty, or the calculation's message). Values
are in the design's own units.

propose chooses the main bars: of every arrangement of the bar table's bars
(layer 1 a bar with 2 bars or more; layer 2 empty, or a bar with 2 bars or
more; at most 100 bars a layer) it lists the N lightest (default 5) that
pass: with the design's other inputs as they are, the calculation judges
them "    - OK -", and the warnings under the spacing rule raise none of
bars-do-not-fit, bars-too-far-apart, layers-too-close, cover-beyond-depth,
layer-without-bar, fractional-bar-count and unknown-bar, and layer 2's bar
is no thicker than layer 1's. They rank by the provided main area
(equal within 1e-9, relative), then fewer bars, one layer before two, the
larger smallest clear spacing between the bars of a layer, layer 1's bar
then layer 2's bar in table order, then more bars in layer 1. The output is
tab-separated: a caption line, one line per arrangement (rank, 1段目,
2段目, provided and required main area, margin in %, smallest clear
spacing in mm), then the side-face bars for the first with the --hcount
count: the bar of least area that meets the horizontal check. --json prints
one object instead: "file", "requiredMainArea" (of the first), "candidates"
(each with "layer1Bar", "layer1Count", "layer2Bar", "layer2Count",
"providedMainArea", "requiredMainArea", "minClearMm") and "message" (null,
or why there is no candidate). A design with a 警告 no arrangement changes
(or units-look-wrong) gets none, and the reason names the finding; so does
one where even the largest arrangement that fits is NG, with its areas.
--apply writes the design with the first arrangement to OUT.tvx: lines 12
to 15 (the bars) as the design file writer writes them, every other byte as
it was. OUT.tvx may not be FILE.tvx unless --in-place is given.

Exit status:
  0  every file was read and calculated (written, for convert and table);
     propose: at least one arrangement passes
  1  the command line was wrong
  2  a file could not be read (reason on standard error; no output for it,
     the other files are still processed; book: nothing is written); table:
     the table could not be
     read, lacks a column or is not well-formed CSV (nothing written)
  3  the calculation reported invalid input data for a file (message on
     standard error; its output is still written from the record as it
     then stands); sweep: at one point or more; convert: the design cannot
     be converted (a unit system other than 1 or 2, or a value that would
     leave the number range; nothing written); table: a row had a bad value
     (the other rows were written); propose: no arrangement passes (the
     reason on standard error; nothing written)
  4  pdf, book, xlsx, sketch, ifc, convert, table, propose --apply: the output
     could not be written (ifc: or the design has no model: H2, l or b not
     above 0, H1 below 0, a bar the table does not know, ...; the reason on
     standard error)
  5  check only: a design has a 警告 (注意 alone leaves the status 0); an
     unreadable file (2) takes precedence, an invalid-data message (3) does
     not
)";

} // namespace

int main(int argc, char** argv) {
    const haltrix::cli::Utf8Console console;
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
    std::cerr << "haltrix-calc: unknown command \"" << command << "\"\n" << kUsage;
    return haltrix::cli::kExitUsage;
}
