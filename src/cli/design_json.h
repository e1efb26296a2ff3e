// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include "calculation.h"

namespace haltrix::cli {

// The JSON object haltrix-calc json prints for a calculated design: every
// input and result of the design, plus "file", "requiredMainArea",
// "requiredHorizontalArea", "message" (null, or the engine's message) and
// "warnings" (the design's findings, each {"code", "severity", "message"}).
QJsonObject designJson(const CalculatedDesign& design);

} // namespace haltrix::cli
