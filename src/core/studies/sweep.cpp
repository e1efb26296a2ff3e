// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/sweep.h"

#include <cmath>

#include "design/design_calculation.h"

namespace haltrix {

std::optional<SweepParameter> sweepParameterByName(std::string_view name) {
    for (const SweepParameter& parameter : kSweepParameters) {
        if (parameter.name == name)
            return parameter;
    }
    return std::nullopt;
}

SweepProblem checkSweepRange(const SweepRange& range) {
    if (!std::isfinite(range.from) || !std::isfinite(range.to))
        return SweepProblem::NotFinite;
    if (range.steps < 1)
        return SweepProblem::NoSteps;
    if (range.steps > kMaxSweepSteps)
        return SweepProblem::TooManySteps;
    return SweepProblem::None;
}

double sweepValue(const SweepRange& range, long index) {
    // lerp is exact at both ends and never overshoots them.
    return std::lerp(range.from, range.to,
                     static_cast<double>(index) / static_cast<double>(range.steps));
}

SweepProblem sweepDesign(const DesignInputs& design, const SweepParameter& parameter,
                         const SweepRange& range,
                         const std::function<void(const SweepPoint&)>& visit) {
    const SweepProblem problem = checkSweepRange(range);
    if (problem != SweepProblem::None)
        return problem;
    DesignInputs inputs = design;
    SweepPoint point;
    for (long i = 0; i <= range.steps; ++i) {
        point.value = sweepValue(range, i);
        inputs.*parameter.member = point.value;
        DesignResults results = calculateDesign(inputs);
        point.ratioCase = results.ratioCase;
        point.requiredMainArea = requiredMainArea(results);
        point.providedMainArea = providedMainArea(results);
        point.mainJudgement = std::move(results.main.judgement);
        point.message = std::move(results.message);
        visit(point);
    }
    return SweepProblem::None;
}

SweepProblem sweepDesign(const DesignInputs& design, const SweepParameter& parameter,
                         const SweepRange& range, std::vector<SweepPoint>& points) {
    points.clear();
    return sweepDesign(design, parameter, range,
                       [&](const SweepPoint& point) { points.push_back(point); });
}

} // namespace haltrix
