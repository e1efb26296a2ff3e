#include "exit_status.h"

#include <iostream>

namespace haltrix::cli {

bool reportProblems(const CalculatedDesign& design, ExitStatus& status) {
    if (design.readError) {
        std::cerr << "haltrix-calc: " << design.readError->message() << "\n";
        status.unreadable();
        return false;
    }
    if (design.message) {
        std::cerr << "haltrix-calc: " << design.path << ": " << *design.message << "\n";
        status.message();
    }
    return true;
}

} // namespace haltrix::cli
