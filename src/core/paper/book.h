// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "findings/clear_spacing_rule.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/load_cases.h"
#include "findings/design_warnings.h"

namespace haltrix::book {

// The calculation book: many designs in one document, with a cover and
// contents. This part holds what the book says; src/print lays it out.

inline constexpr const char* kDefaultTitle = "ブラケットの設計計算書";
// Outline entries of the pages before the designs.
inline constexpr const char* kCoverEntry = "表紙";
inline constexpr const char* kContentsEntry = "目次";

// What the cover names; `date` as it is printed.
struct BookTitle {
    std::string title = kDefaultTitle;
    std::string project;  // 工事名
    std::string designer; // 設計者
    std::string date;
};

enum class Judgement { Ok, Ng, NotCalculated };

// "OK", "NG" or "計算不能".
std::string_view judgementText(Judgement judgement);

// One design of the book, read and calculated as haltrix-calc report --print
// takes it (the side-face bars the file keeps; without them none chosen, 4
// bars). Its judgement is that of every case: 計算不能 when one stopped, NG
// when one is NG; a case is OK only when its main and side-face bars are
// both OK.
struct BookDesign {
    std::string path;
    std::string name;                   // the file's name, as the book shows it
    DesignInputs inputs;
    DesignResults results; // of the first case, with the engine's message, if it stopped
    DesignCalculation calculation; // every case, with the file's side-face choice
    std::vector<Finding> findings;

    Judgement judgement() const;
    int warnings() const; // 警告
    int notices() const;  // 注意
};

// Reads the design file at `path` (a core path, see file_path.h) and
// calculates it; `name` is how the book names it. The warnings follow `rule`.
std::optional<FileError> readBookDesign(const std::string& path, const std::string& name,
                                        const ClearSpacingRule& rule, BookDesign& design);

// "重力単位系", "SI単位系", or "単位系 N" for a unit system without a report.
std::string unitSystemText(std::int32_t unitSystem);

// The design's outline entry: "NAME.tvx — OK".
std::string outlineEntry(const BookDesign& design);

// The cover under the title: 工事名, 設計者 (each only when given), the date,
// then the number of designs and how many are NG or could not be calculated.
std::vector<std::string> coverLines(const BookTitle& title, const std::vector<BookDesign>& designs);

// The contents: the heading row, then one row per design, each a list of
// cells: number, name, unit system, judgement, 警告, 注意, first page.
inline constexpr int kContentsColumns = 7;
std::vector<std::string> contentsHeading();
std::vector<std::string> contentsRow(int number, const BookDesign& design, int firstPage);

// The line that says a design has no report in its unit system.
std::string noReportLine(std::int32_t unitSystem);

} // namespace haltrix::book
