// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QStringList>

#include "calculation.h"

namespace haltrix::cli {

// The JSON object haltrix-calc json prints for a calculated design: every
// input and result of the design, plus "file", "requiredMainArea",
// "requiredHorizontalArea", "message" (null, or the engine's message) and
// "warnings" (the design's findings, each {"code", "severity", "message"}).
// For every design also "cases", one object per load case with "name", "P",
// "H", "sigmaSa" and the result keys (kResultKeys, "requiredMainArea",
// "requiredHorizontalArea", "message"), and "governingCase", the 0-based
// index of the governing case. The top-level values are the first case's.
QJsonObject designJson(const CalculatedDesign& design);

// The keys of a design's results as its object has them.
extern const QStringList kResultKeys;

} // namespace haltrix::cli
