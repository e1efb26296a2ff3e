// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_calculation.h"

#include <cmath>

#include "bar_table.h"
#include "engine.h"

namespace haltrix {

namespace {

// The list position a stored hBarIndex stands for; anything that is not one
// of the positions counts as nothing chosen.
int barPositionOf(double storedIndex) {
    if (!(storedIndex >= 0.0 && storedIndex < kBarCount) || std::floor(storedIndex) != storedIndex)
        return -1;
    return static_cast<int>(storedIndex);
}

// Keeps the first message, as the windows show only one.
class FirstMessage : public Notifier {
public:
    void notify(std::string_view message) override {
        if (!m_message)
            m_message = std::string(message);
    }
    std::optional<std::string> m_message;
};

} // namespace

DesignCalculation calculateDesign(DesignRecord& record, Twin twin, int hBarIndex, double hBarCount,
                                  Notifier& notifier) {
    DesignCalculation result;
    result.completed = runCalculation(record, twin, notifier);
    result.horizontal = runHorizontalCheck(record, twin, hBarIndex, hBarCount);
    return result;
}

DesignCalculation recalculateDesign(DesignRecord& record, Notifier& notifier) {
    return calculateDesign(record, twinForUnitSystem(record.unitSystem),
                           barPositionOf(record.hBarIndex), record.hBarCount, notifier);
}

DesignOutcome deriveAndCalculate(DesignRecord& record, const HorizontalChoice& choice) {
    deriveRatioCase(record);
    FirstMessage notifier;
    DesignOutcome outcome;
    outcome.horizontal = calculateDesign(record, twinForUnitSystem(record.unitSystem),
                                         choice.barIndex, choice.barCount, notifier)
                             .horizontal;
    outcome.message = std::move(notifier.m_message);
    return outcome;
}

DesignRecord inputsOf(const DesignRecord& r) {
    DesignRecord inputs;
    inputs.H1 = r.H1;
    inputs.H2 = r.H2;
    inputs.l = r.l;
    inputs.b = r.b;
    inputs.a = r.a;
    inputs.P = r.P;
    inputs.H = r.H;
    inputs.t = r.t;
    inputs.c = r.c;
    inputs.layer1Bar = r.layer1Bar;
    inputs.layer1Count = r.layer1Count;
    inputs.layer2Bar = r.layer2Bar;
    inputs.layer2Count = r.layer2Count;
    inputs.sigmaSa = r.sigmaSa;
    inputs.concreteUnitWeight = r.concreteUnitWeight;
    inputs.unitSystem = r.unitSystem;
    return inputs;
}

} // namespace haltrix
