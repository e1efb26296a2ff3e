// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/unit_system.h"

namespace haltrix {

// The load cases of a design. A design has one case or more; the first is
// held in P, H, sigmaSa and firstCaseName, so a one-case design is the
// design as it always was. Cases count from 0 here; the windows and
// haltrix-calc number them from 1.

int caseCount(const DesignInputs& inputs);

// The case at `index` (0 to caseCount - 1).
LoadCase caseAt(const DesignInputs& inputs, int index);

std::vector<LoadCase> loadCases(const DesignInputs& inputs);

// Replaces the cases; `cases` must hold one case or more.
void setLoadCases(DesignInputs& inputs, const std::vector<LoadCase>& cases);

// The one-case design of case `index`: the design with that case's name, P,
// H and σsa and no other case.
DesignInputs caseDesign(const DesignInputs& inputs, int index);

// How the windows and the printouts name a case: its name, or "ケース n"
// (n from 1) when the name is empty.
std::string caseTitle(const LoadCase& loadCase, int index);

// The heading line a case's report or sheet stands under: "荷重ケース n: title".
std::string caseHeading(const LoadCase& loadCase, int index);

// Whether the design carries anything beyond what the sixteen lines of its
// file hold: a second case, a name for its case, or a side-face choice other
// than nothing chosen and 4.
bool hasCaseBlock(const DesignInputs& inputs);

// The cases whose title is that of an earlier case (0-based), in order.
std::vector<int> duplicateCaseNames(const DesignInputs& inputs);

// The calculation of every case of a design through calculateDesign, with the
// side-face choice given.
struct DesignCalculation {
    std::vector<DesignResults> cases; // one per case, in case order
    int governing = 0;                // the governing case of the main bars
    int sideFaceGoverning = 0;        // the governing case of the side-face check

    const DesignResults& first() const { return cases.front(); }
    bool operator==(const DesignCalculation&) const = default;
};

// Calculates every case with `choice`; the design's own choice is
// inputs.sideFaceChoice (see calculateCasesWithOwnChoice).
DesignCalculation calculateCases(const DesignInputs& inputs, const HorizontalChoice& choice);
DesignCalculation calculateCasesWithOwnChoice(const DesignInputs& inputs);

// The side faces of every case of `calculation` checked again with `choice`,
// its bars taken from the bar table's column of `units`, and the governing
// case of the side faces found again: what a window's own choice of bars
// makes of the document's calculation.
void checkSideFacesAgain(DesignCalculation& calculation, const DesignInputs& inputs,
                         UnitSystem units, const HorizontalChoice& choice);

// The calculation's message as one text: a one-case design's message, or
// each stopped case's message after its title in 【】, joined by "；".
std::optional<std::string> calculationMessage(const DesignInputs& inputs,
                                              const DesignCalculation& calculation);

// The governing case of the main bars: the first case judged NG, in case
// order; if none is, the case of the largest ratio of the required to the
// provided main area; of equal ratios the first. A case whose calculation
// stopped has no judgement and counts as the largest ratio (it cannot be
// said to pass); a ratio 0/0 counts as 0. Requires one result or more.
int governingCase(const std::vector<DesignResults>& cases);

// The same rule on the side-face check's judgement and its required and
// provided areas.
int sideFaceGoverningCase(const std::vector<DesignResults>& cases);

} // namespace haltrix
