// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace haltrix::checks {

// Prints the broken properties and aborts, so libFuzzer saves the input.
inline void failOn(const std::vector<std::string>& problems) {
    if (problems.empty())
        return;
    for (const std::string& problem : problems)
        std::fprintf(stderr, "property broken: %s\n", problem.c_str());
    std::abort();
}

} // namespace haltrix::checks
