// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the sheet and report tests: the worked examples taken through the
// result window's load sequence, and reading golden files.

#include <fstream>
#include <sstream>
#include <string>

#include "design/design_calculation.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/notifier.h"
#include "recording_notifier.h"
#include "paper/report.h"
#include "paper/sheet.h"

namespace haltrix::testing {

inline std::string examplePath(const std::string& name) {
    return std::string(HALTRIX_EXAMPLES_DIR) + "/" + name;
}

inline std::string dataPath(const std::string& name) {
    return std::string(HALTRIX_TEST_DATA_DIR) + "/" + name;
}

// A design as the sheet and the report read it: inputs and results, which
// the formatting tests set by hand.
struct ShownDesign {
    DesignInputs inputs;
    DesignResults results;

    bool operator==(const ShownDesign&) const = default;
};

// The sheet and the report of such a design.
inline Sheet fillSheet(const ShownDesign& design, UnitSystem twin) {
    return haltrix::fillSheet(design.inputs, design.results, twin);
}
inline bool writeReport(const ShownDesign& design, TextTarget& target, ReportVariant variant) {
    return haltrix::writeReport(design.inputs, design.results, target, variant);
}
inline std::vector<std::string> reportLines(const ShownDesign& design, ReportVariant variant) {
    return haltrix::reportLines(design.inputs, design.results, variant);
}

// A design file read and calculated in the given formula case, checked with
// nothing chosen in the bar list and the count "4". Returns false when the
// file could not be read or the engine complained.
inline bool calculatedExample(const std::string& file, int formulaCase, ShownDesign& design) {
    design = ShownDesign{};
    if (readDesignFile(examplePath(file), design.inputs))
        return false;
    RecordingNotifier notifier;
    design.results =
        calculateDesignInCase(design.inputs, formulaCase, HorizontalChoice{}, notifier);
    return notifier.count() == 0;
}

// The whole file as bytes; empty when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace haltrix::testing
