// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "design/unit_system.h"

namespace haltrix::gui {

// The object names of the main window's child windows, by which the main
// window, the windows that open others and the placement know them.

// The print window.
inline constexpr const char* kPrintWindowName = "Frm_print";

// "frm_datain" or "frm_datain_si": the input form of a unit system.
QString inputFormName(UnitSystem twin);
// "frm_calc" or "frm_calc_si": the result window of a unit system.
QString resultWindowName(UnitSystem twin);
// "frmSensitivity": the 感度 window.
QString sensitivityWindowName();
// "frmBook": the window that binds many designs into one book.
QString bookWindowName();

} // namespace haltrix::gui
