// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_calculation.h"
#include "findings/clear_spacing_rule.h"
#include "model/anchorage.h"
#include "model/ifc_writer.h"

namespace haltrix::model {

// One export of a design as IFC, as haltrix-calc ifc and the window's
// ファイル → IFC出力 make it: the model built, the clashes found, the file
// written in memory.
struct IfcExportOptions {
    HorizontalChoice sideFaces; // the side-face bars (none chosen: D10, "4")
    AnchorageRule anchorage = kDefaultAnchorage;
    ClearSpacingRule spacingRule; // the clear spacing the clash check uses
};

struct IfcExportResult {
    std::optional<std::string> text;  // the file; empty when there is no model
    std::string problem;              // why there is none
    std::vector<std::string> clashes; // each a 警告 of the export's message
    std::vector<std::string> notes;   // what the model built otherwise than entered (注意)

    // The message shown after an export: "警告: ..." per clash, "注意: ..."
    // per note, one a line; empty when there is nothing to say.
    std::string messageLines() const;
};

IfcExportResult exportIfc(const DesignInputs& inputs, const DesignResults& results,
                          const IfcExportOptions& options, const IfcFileFacts& facts);

} // namespace haltrix::model
