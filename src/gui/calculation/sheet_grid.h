// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "paper/sheet.h"

class QTableWidget;

namespace haltrix::gui {

// Shows one grid of the calculation sheet in a table widget: its rows and
// columns, the fixed rows and columns drawn like header cells (button
// colours, not selectable), column widths in twips, every cell read-only.
// A cell the sheet never wrote is shown empty, like one written empty.
void showSheetGrid(QTableWidget& table, const SheetGrid& grid, double logicalDpi);

} // namespace haltrix::gui
