// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/sheet.h"

#include <span>

#include "paper/number_format.h"
#include "design/shown_quantities.h"

namespace haltrix {

namespace {

using namespace shown;

// Which unit text a result row shows in column 2.
enum class UnitKind { Force, Stress, Area, Moment, Metre, None };

const char* unitText(UnitKind kind, const UnitTable& units) {
    switch (kind) {
    case UnitKind::Force:
        return units.force;
    case UnitKind::Stress:
        return units.stress;
    case UnitKind::Area:
        return units.area;
    case UnitKind::Moment:
        return units.moment;
    case UnitKind::Metre:
        return "m";
    case UnitKind::None:
        break;
    }
    return "";
}

using Quantity = double (*)(const DesignInputs&, const DesignResults&);

// One row of the result table: label, symbol, unit and the value in its
// pattern. A row without a quantity shows the main judgement as it stands.
struct ResultRow {
    const char* label;
    const char* symbol;
    UnitKind unit;
    Quantity value;
    const char* pattern;
};

// clang-format off
constexpr ResultRow kCase1Rows[] = {
    {"はり付け根でのせん断力（自重を含む）", "S", UnitKind::Force, shearForce, "0.000"},
    {"鉄筋の許容引張応力度", "σsa", UnitKind::Stress, allowableStress, "0"},
    {"必要鉄筋量（上面(Ａs1)＋側面(Ａs2)）", "ΣＡs", UnitKind::Area, requiredByFormula1, "0.00"},
    {"（1)式より求まる上面鉄筋量       ", "2/3･ΣＡs", UnitKind::Area, topShareOfFormula1, "0.00"},
    {"（1)式より求まる側面鉄筋量       ", "1/3･ΣＡs", UnitKind::Area, sideShareOfFormula1, "0.00"},
    {"Ｔp = Ｐ･tanα", "ＴP", UnitKind::Force, bearingThrust, "0.000"},
    {"水平力 (支点直角方向水平力)", "H", UnitKind::Force, horizontalForce, "0.000"},
    {"自重によるはり付け根のモーメント", "M", UnitKind::Moment, rootMoment, "0.000"},
    {"Ｚc = 0.85･ｄ", "", UnitKind::Metre, leverArm, "0.00"},
    {"鉄筋の許容引張応力度", "σsa", UnitKind::Stress, allowableStress, "0"},
    {"（2)式より求まるはり上面鉄筋量", "", UnitKind::Area, requiredByFormula2, "0.00"},
    {"水平方向用心鉄筋量            ", "５０％･Ａst", UnitKind::Area, halfOfFormula2, "0.00"},
    {"上面配置鉄筋量", "Ａs", UnitKind::Area, providedTopSteel, "0.00"},
    {"判定", "", UnitKind::None, nullptr, nullptr},
};

constexpr ResultRow kCase2Rows[] = {
    {"Ｔp = Ｐ･tanα", "ＴP", UnitKind::Force, bearingThrust, "0.000"},
    {"水平力 (支点直角方向水平力)", "H", UnitKind::Force, horizontalForce, "0.000"},
    {"自重によるはり付け根のモーメント", "M", UnitKind::Moment, rootMoment, "0.000"},
    {"Ｚc = 0.85･ｄ", "", UnitKind::Metre, leverArm, "0.00"},
    {"鉄筋の許容引張応力度", "σsa", UnitKind::Stress, allowableStress, "0"},
    {"はり上面必要鉄筋量", "", UnitKind::Area, requiredByFormula2, "0.00"},
    {"水平方向用心鉄筋量            ", "４０％･Ａst", UnitKind::Area, fortyPercentOfFormula2,
     "0.00"},
    {"上面配置鉄筋量", "Ａs", UnitKind::Area, providedTopSteel, "0.00"},
    {"判定", "", UnitKind::None, nullptr, nullptr},
};
// clang-format on

SheetGrid emptyGrid(int rows, int columns, int fixedRows, int fixedColumns,
                    std::vector<int> widthsTwips) {
    SheetGrid grid;
    grid.rows = rows;
    grid.columns = columns;
    grid.fixedRows = fixedRows;
    grid.fixedColumns = fixedColumns;
    grid.columnWidthsTwips = std::move(widthsTwips);
    grid.cells.resize(static_cast<std::size_t>(rows * columns));
    return grid;
}

void put(SheetGrid& grid, int row, int column, std::string text) {
    grid.cells[static_cast<std::size_t>(row * grid.columns + column)] = std::move(text);
}

std::string f3(double value) {
    return formatPattern(value, "0.000");
}

SheetGrid selfWeightTable(const DesignInputs& in, const SelfWeight& r, const UnitTable& units) {
    SheetGrid grid = emptyGrid(4, 5, 1, 1, {500, 4000, 1000, 1000, 1000});
    put(grid, 0, 1, "                  式");
    put(grid, 0, 2, std::string("   N(") + units.force + ")");
    put(grid, 0, 3, "   x(m)");
    put(grid, 0, 4, std::string("   M(") + units.moment + ")");

    // The piece after l is "* " without a blank before the asterisk.
    put(grid, 1, 0, " ①");
    put(grid, 1, 1,
        f3(in.l) + "* " + f3(in.H1) + " * " + f3(in.b) + " * " + f3(in.concreteUnitWeight));
    put(grid, 1, 2, f3(r.N1));
    put(grid, 1, 3, f3(r.x1));
    put(grid, 1, 4, f3(r.M1));

    put(grid, 2, 0, " ②");
    put(grid, 2, 1,
        "1/2 * " + f3(in.l) + "* (" + f3(in.H2) + " - " + f3(in.H1) + ") * " + f3(in.b) + " * " +
            f3(in.concreteUnitWeight));
    put(grid, 2, 2, f3(r.N2));
    put(grid, 2, 3, f3(r.x2));
    put(grid, 2, 4, f3(r.M2));

    put(grid, 3, 0, "合計");
    put(grid, 3, 1, "               -");
    put(grid, 3, 2, f3(r.Ntotal));
    put(grid, 3, 3, "    - ");
    put(grid, 3, 4, f3(r.M));
    return grid;
}

SheetGrid resultTable(const DesignInputs& in, const DesignResults& r, const UnitTable& units,
                      std::span<const ResultRow> rows) {
    SheetGrid grid = emptyGrid(15, 4, 1, 3, {4500, 1200, 800, 1500});
    put(grid, 0, 1, "   記号");
    put(grid, 0, 2, "   単位");
    put(grid, 0, 3, "  数値及び結果");
    int row = 1;
    for (const ResultRow& line : rows) {
        put(grid, row, 0, line.label);
        put(grid, row, 1, line.symbol);
        put(grid, row, 2, unitText(line.unit, units));
        put(grid, row, 3,
            line.value ? formatPattern(line.value(in, r), line.pattern) : r.main.judgement);
        ++row;
    }
    // The rows the case does not use get an empty unit text and nothing else,
    // so they read blank whatever the grid held before.
    for (; row < grid.rows; ++row)
        put(grid, row, 2, "");
    return grid;
}

} // namespace

Sheet fillSheet(const DesignInputs& inputs, const DesignResults& results, UnitSystem twin) {
    const UnitTable& units = unitTable(twin);
    Sheet sheet;
    sheet.fg1 = selfWeightTable(inputs, results.selfWeight, units);
    if (results.ratioCase == 1)
        sheet.fg2 = resultTable(inputs, results, units, kCase1Rows);
    else
        sheet.fg2 = resultTable(inputs, results, units, kCase2Rows);
    return sheet;
}

} // namespace haltrix
