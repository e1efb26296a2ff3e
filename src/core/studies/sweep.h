// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/design_inputs.h"
#include "design/input_fields.h"

namespace haltrix {

// The required steel as a curve: one input of a design stepped over a range,
// each point calculated exactly as haltrix-calc calculates a design file
// (calculateDesign of the inputs).

// The inputs that can be swept, in the order the 感度 list offers them.
struct SweepParameter {
    std::string_view name; // the input's name, as the design table heads it
    double DesignInputs::*member;
    InputKind kind;
    std::string_view caption; // "支承位置 a"
};

inline constexpr std::size_t kSweepParameterCount = [] {
    std::size_t count = 0;
    for (const InputField& field : kInputFields)
        count += field.sweepOrder > 0 ? 1 : 0;
    return count;
}();

inline constexpr std::array<SweepParameter, kSweepParameterCount> kSweepParameters = [] {
    std::array<SweepParameter, kSweepParameterCount> parameters{};
    for (const InputField& field : kInputFields) {
        if (field.sweepOrder > 0)
            parameters[static_cast<std::size_t>(field.sweepOrder - 1)] = {
                field.name, field.number, field.kind, field.caption};
    }
    return parameters;
}();

// The parameter of that name; empty for a name it does not know.
std::optional<SweepParameter> sweepParameterByName(std::string_view name);

// Most steps a sweep takes (a million steps are a million and one points).
inline constexpr long kMaxSweepSteps = 1'000'000;

// `steps` equal steps from `from` to `to`: steps + 1 points, the first
// exactly `from`, the last exactly `to`. `to` may lie below `from`; the
// points then run downwards.
struct SweepRange {
    double from = 0;
    double to = 0;
    long steps = 0;
};

enum class SweepProblem {
    None,
    NoSteps,      // steps < 1
    TooManySteps, // steps > kMaxSweepSteps
    NotFinite,    // from or to is infinite or NaN
};
SweepProblem checkSweepRange(const SweepRange& range);

// The value of point `index` (0 ... steps) of a valid range.
double sweepValue(const SweepRange& range, long index);

struct SweepPoint {
    double value = 0;  // the swept input
    int ratioCase = 0; // the formula case the point was calculated in
    double requiredMainArea = 0;
    double providedMainArea = 0;
    std::string mainJudgement;
    std::optional<std::string> message; // the calculation stopped with it
};

// Calls `visit` for each point in order, holding no more than one point, and
// returns SweepProblem::None; a refused range visits nothing.
SweepProblem sweepDesign(const DesignInputs& design, const SweepParameter& parameter,
                         const SweepRange& range,
                         const std::function<void(const SweepPoint&)>& visit);

// The same, collected (for a plot of a few hundred points).
SweepProblem sweepDesign(const DesignInputs& design, const SweepParameter& parameter,
                         const SweepRange& range, std::vector<SweepPoint>& points);

} // namespace haltrix
