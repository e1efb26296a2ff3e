// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ifc_export.h"

#include "model/bracket_model.h"
#include "model/clash_check.h"

namespace haltrix::model {

std::string IfcExportResult::messageLines() const {
    std::string text;
    for (const std::string& clash : clashes)
        text += "警告: " + clash + "\n";
    for (const std::string& note : notes)
        text += "注意: " + note + "\n";
    return text;
}

IfcExportResult exportIfc(const DesignInputs& inputs, const DesignResults& results,
                          const IfcExportOptions& options, const IfcFileFacts& facts) {
    IfcExportResult result;
    const ModelOutcome outcome = buildBracketModel(inputs, options.sideFaces, options.anchorage);
    if (!outcome.model) {
        result.problem = outcome.problem;
        return result;
    }
    const BracketModel& model = *outcome.model;
    result.clashes = findClashes(model, options.spacingRule);
    result.notes = model.notes;
    result.text = ifcText(IfcDesign{inputs, results, model, result.clashes}, facts);
    return result;
}

} // namespace haltrix::model
