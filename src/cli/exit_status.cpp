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
    if (design.results.message) {
        std::cerr << "haltrix-calc: " << design.path << ": " << *design.results.message << "\n";
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
