// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/bar_mass.h"

namespace haltrix {

std::optional<double> barUnitMassByName(std::string_view designation) {
    for (int i = 0; i < kBarCount; ++i) {
        if (kBarDesignations[i] == designation)
            return kBarUnitMassKgPerM[i];
    }
    return std::nullopt;
}

} // namespace haltrix
