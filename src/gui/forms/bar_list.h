// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QListWidget;

namespace haltrix::gui {

// Makes the rows of a short list (the bar lists) share its height evenly,
// as many whole rows as its font allows, so that no row shows cut in half;
// scrolling then moves by whole rows. Call after the list's geometry is set.
void fitWholeRows(QListWidget& list);

} // namespace haltrix::gui
