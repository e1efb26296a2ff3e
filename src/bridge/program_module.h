// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFunctionPointer>
#include <QString>

namespace haltrix {

// Loads the program's private module `name` (for example "haltrix_chart")
// the first time one of its entries is asked for, and resolves `entry` in it.
// The modules hold what only some commands need (the plot, the workbook
// writer, the book's outline), so their libraries cost the start nothing.
// They live in lib/haltrix under the prefix, beside the programs on
// Windows, and in lib/haltrix of the build tree for the programs and tests
// run from there. Null, with `failure` saying why in Japanese, when the
// module cannot be found or loaded.
QFunctionPointer programModuleEntry(const QString& name, const char* entry, QString& failure);

} // namespace haltrix
