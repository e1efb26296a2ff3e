// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/design_calculation.h"

#include <string>

#include "design/engine.h"
#include "design/horizontal_check.h"

namespace haltrix {

namespace {

// Keeps the first message for the results and passes every message on.
class FirstMessage : public Notifier {
public:
    FirstMessage(std::optional<std::string>& message, Notifier* next)
        : m_message(message), m_next(next) {}
    void notify(std::string_view message) override {
        if (!m_message)
            m_message = std::string(message);
        if (m_next)
            m_next->notify(message);
    }

private:
    std::optional<std::string>& m_message;
    Notifier* m_next;
};

DesignResults calculate(const DesignInputs& inputs, int formulaCase, const HorizontalChoice& choice,
                        Notifier* notifier) {
    DesignResults results;
    results.ratioCase = formulaCase;
    FirstMessage messages(results.message, notifier);
    const UnitSystem twin = unitSystemOf(inputs.unitSystem);
    // A stop in the self-weight table skips the main reinforcement, so one
    // message is given.
    if (deriveSelfWeight(inputs, results.selfWeight, messages))
        calcMainRebar(inputs, twin, formulaCase, results.selfWeight, results.main, messages);
    results.sideFaces = checkSideFaces(inputs, results, choice);
    return results;
}

} // namespace

HorizontalChoice sideFaceChoiceInForce(const std::optional<HorizontalChoice>& given,
                                       const DesignInputs& inputs) {
    return given.value_or(inputs.sideFaceChoice);
}

DesignResults calculateDesign(const DesignInputs& inputs, const HorizontalChoice& choice) {
    return calculate(inputs, formulaCaseOf(inputs), choice, nullptr);
}

DesignResults calculateDesign(const DesignInputs& inputs, const HorizontalChoice& choice,
                              Notifier& notifier) {
    return calculate(inputs, formulaCaseOf(inputs), choice, &notifier);
}

DesignResults calculateDesignInCase(const DesignInputs& inputs, int formulaCase,
                                    const HorizontalChoice& choice, Notifier& notifier) {
    return calculate(inputs, formulaCase, choice, &notifier);
}

SideFaceReinforcement checkSideFaces(const DesignInputs& inputs, const DesignResults& results,
                                     const HorizontalChoice& choice) {
    return checkHorizontal(inputs, results, unitSystemOf(inputs.unitSystem), choice.barIndex,
                           choice.barCount);
}

double requiredMainArea(const DesignResults& results) {
    return governingMainArea(results.main, results.ratioCase);
}

double providedMainArea(const DesignResults& results) {
    return results.main.layer2Area + results.main.layer1Area;
}

} // namespace haltrix
