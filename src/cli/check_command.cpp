// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_command.h"

#include <cstdio>
#include <iostream>

#include "calculation.h"
#include "exit_status.h"

namespace haltrix::cli {

int runCheckCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, false, false, options, error)) {
        std::cerr << "haltrix-calc check: " << error << "\n";
        return kExitUsage;
    }
    return forEachDesignFile(options, [](const CalculatedDesign& design, ExitStatus& status) {
        for (const Finding& finding : design.warnings) {
            const std::string line = design.path + ": " + finding.code + ": " + finding.message;
            std::cout.write(line.data(), static_cast<std::streamsize>(line.size()));
            std::cout.put('\n');
        }
        if (hasWarning(design.warnings))
            status.warning();
    });
}

} // namespace haltrix::cli
