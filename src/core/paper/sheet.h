// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/unit_system.h"

namespace haltrix {

// One grid of the calculation sheet: its cells row by row. A cell the filler
// never writes holds no value, which is not the same as a cell written with
// an empty text.
struct SheetGrid {
    int rows = 0;
    int columns = 0;
    int fixedRows = 0;
    int fixedColumns = 0;
    std::vector<int> columnWidthsTwips;
    std::vector<std::optional<std::string>> cells;

    const std::optional<std::string>& cell(int row, int column) const {
        return cells[static_cast<std::size_t>(row * columns + column)];
    }
};

// The result window's two grids: FG1 the self-weight table (4 x 5), FG2 the
// result table (15 x 4).
struct Sheet {
    SheetGrid fg1;
    SheetGrid fg2;
};

// The sheet of the results' formula case (case 1 when ratioCase is 1, else
// case 2) with the unit texts of the twin. Reads, writes nothing.
Sheet fillSheet(const DesignInputs& inputs, const DesignResults& results, UnitSystem twin);

} // namespace haltrix
