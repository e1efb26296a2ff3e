// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/load_cases.h"
#include "paper/quantities.h"

namespace haltrix::workbook {

// The workbook of many designs, as cells: what each sheet holds, how each
// cell looks, and the formulas with the values Haltrix computed for them. A
// writer (src/workbook) turns it into an .xlsx file; nothing here knows the
// file format.

enum class Style {
    Text,
    Title,      // a sheet's or a design's heading
    ColumnHead, // a table's column captions
    Integer,    // "0"
    Fixed2,     // "0.00"
    Fixed3,     // "0.000"
    General,    // every digit the number has
    Total,      // a totals row's caption
    TotalFixed2,
};

struct Cell {
    enum class Kind { Text, Number, Formula };
    int row = 0;    // from 0
    int column = 0; // from 0
    Kind kind = Kind::Text;
    Style style = Style::Text;
    std::string text;    // a text cell
    double number = 0;   // a number cell; a formula's result as Haltrix computed it
    std::string formula; // A1 references, without the leading "="
};

struct Sheet {
    std::string name;
    std::vector<double> columnWidths; // in characters
    std::vector<Cell> cells;
    bool landscape = false;
    int headingRows = 0; // rows repeated at the top of every printed page
};

struct Workbook {
    std::string title;
    std::string project;  // 工事名, in every page header
    std::string designer; // 設計者, the document's author
    std::vector<Sheet> sheets;
};

// One design as the workbook takes it: read and calculated, with its
// quantities from the 3D model.
struct Design {
    std::string name; // the file's name, as the workbook shows it
    DesignInputs inputs;
    DesignResults results;
    double requiredMainArea = 0;
    double providedMainArea = 0;
    quantities::Quantities quantities;
    std::string governingCase; // the load case that governs; empty: a single case

    // Of a design of several load cases, each case as a design of it alone,
    // under its heading ("荷重ケース n: 名称"); empty for a single case.
    struct Case {
        std::string heading;
        DesignInputs inputs;
        DesignResults results;
    };
    std::vector<Case> cases;
};

// A calculated design as the workbook takes it, its quantities built with the
// side-face bars of `choice` (those it was calculated with).
Design workbookDesign(const std::string& name, const DesignInputs& inputs,
                      const DesignResults& results, const HorizontalChoice& choice,
                      const model::AnchorageRule& anchorage = model::kDefaultAnchorage);

// A design of one load case or more as the workbook takes it: a design of
// several is summed up by its governing case (its quantities, 設計調書's row)
// and keeps every case for 計算書.
Design workbookDesignOfCases(const std::string& name, const DesignInputs& inputs,
                             const DesignCalculation& calculation, const HorizontalChoice& choice,
                             const model::AnchorageRule& anchorage = model::kDefaultAnchorage);

struct Title {
    std::string project;
    std::string designer;
};

// The sheet names, in order.
inline constexpr const char* kCalculationSheet = "計算書";
inline constexpr const char* kQuantitiesSheet = "数量";
inline constexpr const char* kScheduleSheet = "鉄筋表";
inline constexpr const char* kSummarySheet = "設計調書";

// The four sheets of `designs`:
//  計算書   per design its inputs and results as values, each row with its
//           caption, symbol, value, unit and the name haltrix-calc json gives it;
//  数量     one row per design: concrete, the formwork faces and their sum,
//           the bar mass (a reference to the design's total in 鉄筋表), and a
//           totals row;
//  鉄筋表   per design its bar schedule, mass = count x length x unit mass,
//           totals per diameter (SUMIF) and overall (SUM);
//  設計調書 one row per design: name, dimensions, bars, required and
//           provided main area, 判定, governing case.
// Every sum, product and reference is a formula, written with the value
// Haltrix computed as its result.
Workbook buildWorkbook(const std::vector<Design>& designs, const Title& title);

// "A1" for row 0, column 0.
std::string cellName(int row, int column);

} // namespace haltrix::workbook
