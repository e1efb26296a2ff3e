// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/sensitivity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "design/design_calculation.h"
#include "design/notifier.h"
#include "design/unit_system.h"
#include "paper/number_format.h"

namespace haltrix {

namespace {

// The areas the engine gives, in the bar-table column it reads.
const char* areaUnit(std::int32_t unitSystem) {
    return unitTableOf(unitSystem).area;
}

bool isA(const SweepParameter& parameter) {
    return parameter.member == &DesignInputs::a;
}
bool isH2(const SweepParameter& parameter) {
    return parameter.member == &DesignInputs::H2;
}

} // namespace

std::string sweepParameterCaption(const SweepParameter& parameter, std::int32_t unitSystem) {
    return std::string(parameter.caption) + " (" +
           std::string(inputUnit(parameter.kind, unitSystem)) + ")";
}

SweepRange sensitivityRange(const DesignInputs& design, const SweepParameter& parameter,
                            long steps) {
    const double value = design.*parameter.member;
    double from = 0;
    double to = 0;
    if (isA(parameter)) {
        from = std::min(0.0, value);
        to = std::max(design.H2, value);
    } else {
        // Half to one and a half times; near the largest doubles only up to
        // the value itself.
        const double half = 0.5 * value;
        const double more = std::isfinite(1.5 * value) ? 1.5 * value : value;
        from = std::min(half, more);
        to = std::max(half, more);
        if (isH2(parameter) && design.a > 0 && std::isfinite(2.0 * design.a)) {
            from = std::min(from, design.a);
            to = std::max(to, 2.0 * design.a);
        }
    }
    if (!(from < to)) {
        // A zero input, or a and H2 both 0: a unit range from there.
        from = value;
        to = value + 1.0;
    }
    return SweepRange{from, to, steps};
}

SensitivityPlot sensitivityPlot(const DesignInputs& design, const SweepParameter& parameter,
                                long steps) {
    SensitivityPlot plot;
    plot.xLabel = sweepParameterCaption(parameter, design.unitSystem);
    plot.yLabel = std::string("主鉄筋量 (") + areaUnit(design.unitSystem) + ")";
    plot.requiredName = "必要鉄筋量";
    plot.providedName = "配置鉄筋量";

    const SweepRange range = sensitivityRange(design, parameter, steps);
    plot.from = std::min(range.from, range.to);
    plot.to = std::max(range.from, range.to);
    const double gap = std::numeric_limits<double>::quiet_NaN();
    std::size_t stopped = 0;
    std::string message;
    sweepDesign(design, parameter, range, [&](const SweepPoint& point) {
        plot.x.push_back(point.value);
        plot.required.push_back(point.message ? gap : point.requiredMainArea);
        plot.provided.push_back(point.message ? gap : point.providedMainArea);
        if (point.message && stopped++ == 0)
            message = std::string(messageHeadline(*point.message));
    });
    if (stopped == plot.x.size())
        plot.note = "この範囲では計算できません（" + message + "）";
    else if (stopped > 0)
        plot.note = std::to_string(plot.x.size()) + " 点のうち " + std::to_string(stopped) +
                    " 点で計算できません（" + message + "）";

    const double value = design.*parameter.member;
    plot.current = {value, "現在の設計 " + std::string(parameter.name) + " = " + plainText(value)};
    const DesignResults current = calculateDesign(design);
    if (current.completed()) {
        plot.currentRequired = requiredMainArea(current);
        plot.currentProvided = providedMainArea(current);
    }

    // Where a / H2 is 0.5 and 1.0, in the swept input.
    auto mark = [&](double x, const char* label) {
        if (std::isfinite(x) && x >= plot.from && x <= plot.to)
            plot.markers.push_back({x, label});
    };
    if (isA(parameter) && design.H2 > 0) {
        mark(0.5 * design.H2, "a/H2 = 0.5（式の切替え）");
        mark(design.H2, "a/H2 = 1.0（適用範囲の端）");
    } else if (isH2(parameter) && design.a > 0) {
        mark(2.0 * design.a, "a/H2 = 0.5（式の切替え）");
        mark(design.a, "a/H2 = 1.0（適用範囲の端）");
    }
    return plot;
}

} // namespace haltrix
