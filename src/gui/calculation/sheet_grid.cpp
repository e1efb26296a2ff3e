// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/sheet_grid.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPalette>
#include <QTableWidget>
#include <QTableWidgetItem>

#include "paper/number_format.h"
#include "forms/shown_number.h"
#include "platform/twips.h"

namespace haltrix::gui {

namespace {

// Each row is one text line high with a little room, 240 twips.
constexpr int kRowHeightTwips = 240;

} // namespace

void showSheetGrid(QTableWidget& table, const SheetGrid& grid, double logicalDpi) {
    table.clear();
    table.setRowCount(grid.rows);
    table.setColumnCount(grid.columns);
    table.horizontalHeader()->hide();
    table.verticalHeader()->hide();
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setWordWrap(false);
    // A caption wider than its column is cut at the cell's edge, not
    // shortened with an ellipsis; a number that does not fit shows the
    // overflow mark instead (showNumber).
    table.setTextElideMode(Qt::ElideNone);
    table.setCornerButtonEnabled(false);

    const int rowHeight = twipsToPixels(kRowHeightTwips, logicalDpi);
    table.verticalHeader()->setMinimumSectionSize(1);
    table.verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int column = 0; column < grid.columns; ++column) {
        if (column < static_cast<int>(grid.columnWidthsTwips.size()))
            table.setColumnWidth(column, twipsToPixels(grid.columnWidthsTwips[column], logicalDpi));
    }

    const QPalette palette = table.palette();
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            const std::string& text = grid.cell(row, column).value_or(std::string());
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            // Numbers stand to the right, texts to the left, as a grid
            // aligns cells it is not told otherwise about.
            const bool number = parseNumber(text).has_value();
            item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
            if (row < grid.fixedRows || column < grid.fixedColumns) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette.brush(QPalette::Button));
                item->setForeground(palette.brush(QPalette::ButtonText));
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                if (number)
                    showNumber(*item, item->text(), table.fontMetrics(), table.columnWidth(column));
            }
            table.setItem(row, column, item);
        }
    }
}

} // namespace haltrix::gui
