// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "design/unit_system.h"

class QWidget;

namespace haltrix::gui {

class ChildWindowRegistry;
class DesignDocument;
class InputForm;
class ResultWindow;

// The sketch windows that accompany a form: beside the input form the sketch
// of the values as they are typed, beside the result window the sketch of the
// calculation with d and Zc. Each is a child window of its own, named after
// its form, placed at the right of it when it opens; it hides and shows with
// its form's window and closes when that closes.

// "frm_datain_sketch", "frm_datain_si_sketch", "frm_calc_sketch", ...
QString inputSketchName(UnitSystem twin);
QString resultSketchName(UnitSystem twin);

// Shows the sketch of `document` as typed in `form` beside the form, a child
// window among `children`; the form stays the active window. Returns the
// sketch window.
QWidget* showInputSketch(ChildWindowRegistry& children, DesignDocument& document,
                         InputForm& form);

// Shows the sketch of the calculation of `document` beside the result window
// (made active).
QWidget* showResultSketch(ChildWindowRegistry& children, DesignDocument& document,
                          ResultWindow& window);

} // namespace haltrix::gui
