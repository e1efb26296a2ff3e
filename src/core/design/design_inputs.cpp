// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/design_inputs.h"

namespace haltrix {

int formulaCaseOf(const DesignInputs& inputs) {
    if (inputs.H2 == 0.0)
        return 0;
    return inputs.a / inputs.H2 <= 0.5 ? 1 : 2;
}

double LargerOf(double first, double second) {
    return first >= second ? first : second;
}

} // namespace haltrix
