// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "design/design_calculation.h"
#include "design/unit_system.h"

class QSettings;

namespace haltrix {
class Notifier;
}

namespace haltrix::gui {

class ChildWindowRegistry;
class DesignDocument;
class PrintInteraction;

// What the result and print windows stand on: the child windows they open
// beside themselves, the design they show, where the calculation's message
// goes, and the settings that keep the print choices. `printing` answers
// the print dialog of the print windows; null: the system's dialog. Each
// must outlive the windows.
struct CalculationWindowContext {
    ChildWindowRegistry* children = nullptr;
    DesignDocument* document = nullptr;
    Notifier* messages = nullptr;
    std::function<std::unique_ptr<QSettings>()> openSettings;
    PrintInteraction* printing = nullptr;
};

// Makes the result window frm_calc or frm_calc_si of `twin`: its "印刷"
// opens the print window, its "形状図" the sketch of the calculation.
QWidget* createResultWindow(const CalculationWindowContext& context, UnitSystem twin);

// Shows the print window as a child window for the side-face bars `choice`:
// a new one draws its preview of the design; one that is already open is
// brought to the front and shows the design with that choice. Returns the
// print window.
QWidget* showPrintWindow(const CalculationWindowContext& context,
                         const HorizontalChoice& choice = {});

} // namespace haltrix::gui
