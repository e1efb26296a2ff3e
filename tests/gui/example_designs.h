// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The example designs as the window tests start from them.

#include <QtGlobal>

#include <string>

#include "design_file.h"
#include "design_record.h"
#include "engine.h"
#include "horizontal_check.h"

namespace haltrix::testing {

// An example design file read into a fresh record, its formula case derived
// as the input form's OK derives it.
inline DesignRecord exampleRecord(const char* fileName) {
    DesignRecord record;
    const std::string path = std::string(HALTRIX_EXAMPLES_DIR) + "/" + fileName;
    const auto error = readDesignFile(path, record);
    if (error)
        qFatal("cannot read %s: %s", path.c_str(), error->message().c_str());
    deriveRatioCase(record);
    return record;
}

// Swallows the engine's message, for tests that look at the results only.
class SilentNotifier : public Notifier {
public:
    void notify(std::string_view) override {}
};

// The same design as the result window leaves it: calculated, and the
// horizontal check run with nothing chosen and the count 4.
inline DesignRecord calculatedExample(const char* fileName) {
    DesignRecord record = exampleRecord(fileName);
    SilentNotifier notifier;
    const Twin twin = twinForUnitSystem(record.unitSystem);
    runCalculation(record, twin, notifier);
    runHorizontalCheck(record, twin, -1, 4);
    return record;
}

} // namespace haltrix::testing
