// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "design/input_fields.h"

namespace haltrix {

// Converting a design between the unit systems on purpose (the unit switch
// itself never converts). Forces and γc go by g = 9.80665 (1 tf = 9.80665
// kN, 1 t/m3 = 9.80665 kN/m3), σsa by the stress factor of the unit table
// (unit_system.h), the cover t and the spacing c by 1 cm = 10 mm. The
// lengths in m, the designations
// and the counts stay as they are. Converting to SI multiplies, converting
// back divides by the same factor, so a conversion and its inverse give the
// values back to 14 significant digits.

// Digits σsa and γc are rounded to after a conversion; 0 rounds nothing.
inline constexpr int kMaxRoundingDigits = 15;

// One input whose value the conversion changed (or would change).
struct ConvertedInput {
    std::string name;       // as the report writes it: "P", "σsa", ...
    std::string unitBefore; // "tf", "t/m3", ...
    std::string unitAfter;
    double before = 0;
    double after = 0;
    bool rounded = false; // rounded to the chosen significant digits
};

struct UnitConversion {
    std::int32_t from = 0; // unit system before
    std::int32_t to = 0;   // unit system after
    int roundingDigits = 0;
    DesignInputs design;                // the converted design
    std::vector<ConvertedInput> inputs; // empty when the design was already in `to`

    // What was done (or, Planned, what converting would do), in Japanese,
    // one statement a line: the direction, each converted input before and
    // after, the factors, what stays unchanged and whether σsa and γc are
    // rounded.
    enum class Tense { Done, Planned };
    std::string description(Tense tense = Tense::Done) const;
};

// Converts the inputs of `design` to unit system `to` (1 gravitational, 2
// SI) and sets unitSystem. `roundingDigits` (1 to kMaxRoundingDigits, 0
// none) rounds the converted σsa and γc to that many significant digits. A
// design already in `to` comes back unchanged. Returns the reason (Japanese)
// when the design cannot be converted: a unit system other than 1 or 2, a
// value that would leave the number range, or bad arguments; `result` is
// then left as it was.
std::optional<std::string> convertUnitSystem(const DesignInputs& design, std::int32_t to,
                                             int roundingDigits, UnitConversion& result);

// Whether a design holds any input: a number other than 0 or a designation.
bool holdsInputs(const DesignInputs& design);

// The other unit system of a design: 2 for 1, 1 for anything else.
std::int32_t otherUnitSystem(std::int32_t unitSystem);

// "重力単位" for 1, "ＳＩ単位" for 2, "単位系 N" otherwise.
std::string unitSystemName(std::int32_t unitSystem);

} // namespace haltrix
