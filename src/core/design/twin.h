// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace haltrix {

// Which of the twin windows and procedures a unit-system flag selects:
// 1 the gravitational one, any other value the SI one.
enum class Twin { Gravitational, SI };

inline Twin twinForUnitSystem(std::int32_t unitSystem) {
    return unitSystem == 1 ? Twin::Gravitational : Twin::SI;
}

} // namespace haltrix
