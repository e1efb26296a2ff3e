// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace haltrix::model {

// How far every bar of the model runs on into the support beyond the root
// face: the engineer's input, a length in mm or a multiple of each bar's
// nominal diameter φ.
struct AnchorageRule {
    enum class Unit { Millimetres, Diameters };
    Unit unit = Unit::Diameters;
    double value = 40;

    // The anchorage of a bar of nominal diameter `diameterMm`, in mm.
    double lengthMm(double diameterMm) const {
        return unit == Unit::Millimetres ? value : value * diameterMm;
    }
    // "40φ" or "600 mm".
    std::string text() const;

    bool operator==(const AnchorageRule&) const = default;
};

// The default, 40φ. It is an assumption of this program, not a value taken
// from a standard: the length a bar needs depends on the concrete, the steel
// and the bond conditions, none of which the design holds. The manual, the
// export dialog and the model's properties say so.
inline constexpr AnchorageRule kDefaultAnchorage{AnchorageRule::Unit::Diameters, 40};

// The largest anchorage taken: 100 m, or 1000 φ.
inline constexpr double kMaxAnchorageMm = 1e5;
inline constexpr double kMaxAnchorageDiameters = 1000;

// Reads an anchorage as typed: "600" or "600mm" (mm), "40φ", "40Φ", "40ϕ",
// "40phi" or "40D" (times φ); blanks around the number allowed. A value
// must be a number above 0 and not above the largest. Empty with `error`
// set (in English, for the command line) when the text is none of these.
std::optional<AnchorageRule> parseAnchorage(std::string_view text, std::string& error);

} // namespace haltrix::model
