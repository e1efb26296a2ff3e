// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_calculation.h"

class QWidget;

namespace haltrix::gui {

class MainWindow;
class PrintInteraction;

// The print window's name as a child window.
inline constexpr const char* kPrintWindowName = "Frm_print";

// Gives the main window its result windows: the calculation command opens
// frm_calc or frm_calc_si (the calculation's message goes to the main
// window's message sink), and their "印刷" opens the print window.
// `printing` answers the print dialog of those print windows; null: the
// system's dialog. It must outlive the main window.
void installCalculationWindows(MainWindow& mainWindow, PrintInteraction* printing = nullptr);

// Shows the print window as a child window for the side-face bars `choice`:
// a new one draws its preview of the design; one that is already open is
// brought to the front and shows the design with that choice. Returns the
// print window.
QWidget* showPrintWindow(MainWindow& mainWindow, PrintInteraction* printing = nullptr,
                         const HorizontalChoice& choice = {});

} // namespace haltrix::gui
