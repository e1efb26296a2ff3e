// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "design/twin.h"

class QWidget;

namespace haltrix::gui {

class InputForm;
class MainWindow;
class ResultWindow;

// The sketch windows that accompany a form: beside the input form the sketch
// of the values as they are typed, beside the result window the sketch of the
// calculation with d and Zc. Each is a child window of its own, named after
// its form, placed at the right of it when it opens; it hides and shows with
// its form's window and closes when that closes.

// "frm_datain_sketch", "frm_datain_si_sketch", "frm_calc_sketch", ...
QString inputSketchName(Twin twin);
QString resultSketchName(Twin twin);

// Shows the sketch beside `form`, a child window of `mainWindow`; the form
// stays the active window. Returns the sketch window.
QWidget* showInputSketch(MainWindow& mainWindow, InputForm& form);

// Shows the sketch of the calculation beside the result window (made active).
QWidget* showResultSketch(MainWindow& mainWindow, ResultWindow& window);

} // namespace haltrix::gui
