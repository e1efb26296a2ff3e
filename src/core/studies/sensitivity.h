// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "studies/sweep.h"

namespace haltrix {

// The plot of the 感度 window: the governing required main steel and the
// provided main steel of a design as one input runs over a range, with the
// current design and, where the input moves a / H2, the case change at
// a / H2 = 0.5 and the method's end at a / H2 = 1.0. The window only draws
// what this holds.

// Points a plot is calculated at (steps + 1): over a from 0 to H2 the case
// change a = 0.5 x H2 is one of them.
inline constexpr long kSensitivitySteps = 200;

struct PlotMarker {
    double x = 0;
    std::string label;
};

struct SensitivityPlot {
    std::string xLabel; // the input's caption and unit: "支承位置 a (m)"
    std::string yLabel; // "主鉄筋量 (cm2)"
    std::string requiredName;
    std::string providedName;
    double from = 0; // the range plotted, from < to
    double to = 1;
    std::vector<double> x;
    std::vector<double> required; // NaN where the calculation stopped (a gap)
    std::vector<double> provided; // NaN where the calculation stopped
    // The design as it stands: the input's value, and its areas unless the
    // calculation stopped.
    PlotMarker current;
    std::optional<double> currentRequired;
    std::optional<double> currentProvided;
    std::vector<PlotMarker> markers; // vertical lines inside the range
    // Empty, or says at how many points the calculation stopped.
    std::string note;
};

// The range plotted for an input: for a, from 0 to H2 (the method's range),
// widened to take in the current a; for H2, half to one and a half times
// the current H2, widened to take in H2 = a and H2 = 2a; for any other
// input half to one and a half times its current value (0 to 1 when it is 0).
SweepRange sensitivityRange(const DesignInputs& design, const SweepParameter& parameter,
                            long steps = kSensitivitySteps);

SensitivityPlot sensitivityPlot(const DesignInputs& design, const SweepParameter& parameter,
                                long steps = kSensitivitySteps);

// The caption of an input with the unit it has in the design's unit system,
// as the plot's axis and the window's list show it: "鉛直力 P (tf)".
std::string sweepParameterCaption(const SweepParameter& parameter, std::int32_t unitSystem);

} // namespace haltrix
