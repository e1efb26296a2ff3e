// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/bar_list.h"

#include <QListWidget>
#include <algorithm>

namespace haltrix::gui {

void fitWholeRows(QListWidget& list) {
    const int room = list.height() - 2 * list.frameWidth();
    const int natural = list.fontMetrics().height() + 2;
    const int rows = std::max(1, room / natural);
    const int rowHeight = room / rows;
    list.setUniformItemSizes(true);
    list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    for (int row = 0; row < list.count(); ++row)
        list.item(row)->setSizeHint(QSize(0, rowHeight));
}

} // namespace haltrix::gui
