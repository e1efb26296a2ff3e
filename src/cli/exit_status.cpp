// SPDX-License-Identifier: GPL-3.0-or-later
#include "exit_status.h"

#include <iostream>

namespace haltrix::cli {

bool reportProblems(const CalculatedDesign& design, ExitStatus& status) {
    if (design.readError) {
        std::cerr << "haltrix-calc: " << design.readError->message() << "\n";
        status.unreadable();
        return false;
    }
    const std::vector<DesignResults>& cases = design.calculation.cases;
    if (cases.size() <= 1) {
        if (design.results.message) {
            std::cerr << "haltrix-calc: " << design.path << ": " << *design.results.message
                      << "\n";
            status.message();
        }
        return true;
    }
    // Each case that stopped, named.
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (!cases[i].message)
            continue;
        const int index = static_cast<int>(i);
        std::cerr << "haltrix-calc: " << design.path << ": 【"
                  << caseTitle(caseAt(design.inputs, index), index) << "】 " << *cases[i].message
                  << "\n";
        status.message();
    }
    return true;
}

int forEachDesignFile(const CalcOptions& options,
                      const std::function<void(const CalculatedDesign&, ExitStatus&)>& each) {
    ExitStatus status;
    for (const std::string& path : options.files) {
        const CalculatedDesign design = calculateDesignFile(path, options);
        if (reportProblems(design, status))
            each(design, status);
    }
    return status.code();
}

} // namespace haltrix::cli
