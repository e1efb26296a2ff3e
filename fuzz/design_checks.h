// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "paper/report.h"
#include "sketch/sketch.h"

namespace haltrix::checks {

// The properties every design file must keep, whatever bytes it holds. Each
// check returns the properties the input broke, one sentence each; an empty
// list means they all held. The fuzz targets abort on a non-empty list; the
// regression tests run the same checks over the inputs the fuzzers found.

// Reading: a failed read leaves the inputs exactly as they were; a successful
// one gives finite numbers, and writing that design and reading it back gives
// the same inputs to 15 significant digits, and the same file text again.
std::vector<std::string> checkDesignReader(std::string_view bytes);

// The whole road of a file, as the program and haltrix-calc take it: read,
// calculate (calculateDesign, twice: the same results), then build the JSON
// line, fill the sheet, write the report in both variants and draw the sketch
// (checkSketch). No number of the inputs and results is NaN or infinite, no text shows "nan" or
// "inf", both judgements agree with the areas they compare, and the report has the lines of its
// page set. The design's table row reads back as exactly its inputs. Lines 17 and 18 of the input,
// which a design file does not use, give the horizontal check's count text and bar position, so the
// fuzzer reaches that check too; line 19 the maximum aggregate size of the spacing rule; line 20
// the anchorage of the IFC model, which is written for every design read and must be
// well-formed. The
// design's warnings: the same on every run, each with a known code, a
// severity that code can have and a message without a non-finite number; the
// JSON lists them; the spacing rule changes only the two spacing codes, and a
// stricter fixed minimum never drops one of their findings. The automatic
// choice of the bars keeps the properties of checkProposal.
std::vector<std::string> checkDesignRoad(std::string_view bytes);

// The sketch's properties: every coordinate and size finite, every text,
// arrowhead and bar of positive size, the bars drawn bounded in number, no
// non-finite number spelt in its notes or its DXF text. Adds what broke.
void checkSketch(const sketch::Sketch& drawn, std::vector<std::string>& problems);
// The design table. The CSV reader, over any bytes and with small limits,
// numbers its records from 1, keeps every limit, gives no NUL byte and, when
// it stops, says where and why (and stays stopped). What it read, written
// back with the CSV writer, reads back the same. When the first record maps
// as a table header, every row taken as a design gives a design file that
// reads back (same inputs to 15 significant digits), and the design's own
// table row reads back as exactly the same inputs. A row's file name stays
// a plain name inside the output folder.
std::vector<std::string> checkDesignTable(std::string_view bytes);

// How many lines the report of a design has: the input-data section and the
// result section of its page set; none for a unit system other than 1 or 2.
std::size_t expectedReportLines(const DesignInputs& inputs, const DesignResults& results,
                                ReportVariant variant);

// Every number of the inputs and the results with its name.
std::vector<std::pair<std::string_view, double>> numberFields(const DesignInputs& inputs,
                                                              const DesignResults& results);

// True when the text holds "nan", "inf" or "infinity" in any case as a whole
// word (a run of ASCII letters), the way non-finite numbers are spelt.
bool hasNonFiniteWord(std::string_view text);

// The same 15 significant digits: how a written number is compared with the
// value read back.
bool sameTo15Digits(double a, double b);

} // namespace haltrix::checks
