// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_calculation.h"

#include "engine.h"
#include "twin.h"

namespace haltrix {

namespace {

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

DesignOutcome calculateDesign(DesignRecord& record, const HorizontalChoice& choice) {
    deriveRatioCase(record);
    const Twin twin = twinForUnitSystem(record.unitSystem);
    FirstMessage notifier;
    runCalculation(record, twin, notifier);
    DesignOutcome outcome;
    outcome.message = std::move(notifier.m_message);
    outcome.horizontal = runHorizontalCheck(record, twin, choice.barIndex, choice.barCount);
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
