// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/design_quantities.h"

#include "model/bracket_model.h"

namespace haltrix::quantities {

Quantities designQuantities(const DesignInputs& inputs, const HorizontalChoice& choice,
                            const model::AnchorageRule& anchorage) {
    const model::ModelOutcome outcome = model::buildBracketModel(inputs, choice, anchorage);
    if (!outcome.model) {
        Quantities none;
        none.notes.push_back(outcome.problem);
        return none;
    }
    Quantities q = quantitiesOf(*outcome.model);
    for (const std::string& note : outcome.model->notes)
        q.notes.push_back(note);
    return q;
}

} // namespace haltrix::quantities
