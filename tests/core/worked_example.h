// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the sheet and report tests: the worked examples taken through the
// result window's load sequence, and reading golden files.

#include <fstream>
#include <sstream>
#include <string>

#include "design_file.h"
#include "design_record.h"
#include "engine.h"
#include "horizontal_check.h"
#include "notifier.h"
#include "twin.h"

namespace haltrix::testing {

class CountingNotifier : public Notifier {
public:
    void notify(std::string_view) override { ++count; }
    int count = 0;
};

inline std::string examplePath(const std::string& name) {
    return std::string(HALTRIX_EXAMPLES_DIR) + "/" + name;
}

inline std::string dataPath(const std::string& name) {
    return std::string(HALTRIX_TEST_DATA_DIR) + "/" + name;
}

// A design file read into a fresh record and calculated in the given formula
// case, then checked with nothing chosen in the bar list and the count "4".
// Returns false when the file could not be read or the engine complained.
inline bool calculatedExample(const std::string& file, std::int32_t ratioCase,
                              DesignRecord& record) {
    record = DesignRecord{};
    if (readDesignFile(examplePath(file), record))
        return false;
    record.ratioCase = ratioCase;
    const Twin twin = twinForUnitSystem(record.unitSystem);
    CountingNotifier notifier;
    runCalculation(record, twin, notifier);
    runHorizontalCheck(record, twin, -1, 4.0);
    return notifier.count == 0;
}

// The whole file as bytes; empty when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace haltrix::testing
