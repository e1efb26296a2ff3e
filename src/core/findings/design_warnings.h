// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "findings/clear_spacing_rule.h"
#include "design/design_inputs.h"
#include "design/design_results.h"

namespace haltrix {

// Warnings about a design that the calculation itself does not give: inputs
// outside the range the method covers, or bars that cannot be built. They
// change nothing of the calculation, the sheet, the report or the file.

// 注意: worth a look; 警告: the design or its result cannot be trusted.
enum class Severity { Notice, Warning };

// "注意" or "警告".
std::string_view severityText(Severity severity);

// The stable codes; scripts and tests match on them.
namespace finding_code {
inline constexpr std::string_view kNotANumber = "not-a-number";
inline constexpr std::string_view kNonPositiveDimension = "non-positive-dimension";
inline constexpr std::string_view kImplausibleDimension = "implausible-dimension";
inline constexpr std::string_view kTipDeeperThanRoot = "tip-deeper-than-root";
inline constexpr std::string_view kLoadOffBracket = "load-off-bracket";
inline constexpr std::string_view kOutsideMethodRange = "outside-method-range";
inline constexpr std::string_view kCoverBeyondDepth = "cover-beyond-depth";
inline constexpr std::string_view kNegativeBarCount = "negative-bar-count";
inline constexpr std::string_view kFractionalBarCount = "fractional-bar-count";
inline constexpr std::string_view kLayerWithoutBar = "layer-without-bar";
inline constexpr std::string_view kUnknownBar = "unknown-bar";
inline constexpr std::string_view kUnitsLookWrong = "units-look-wrong";
inline constexpr std::string_view kBarsDoNotFit = "bars-do-not-fit";
inline constexpr std::string_view kBarsTooFarApart = "bars-too-far-apart";
inline constexpr std::string_view kLayersTooClose = "layers-too-close";
inline constexpr std::string_view kPrintedInputRounded = "printed-input-rounded";
inline constexpr std::string_view kDuplicateCaseName = "duplicate-case-name";
inline constexpr std::string_view kSideFaceBarsNg = "side-face-bars-ng";
} // namespace finding_code

// One value a finding is about, in the unit it is named in.
struct FindingValue {
    std::string name;
    double value = 0;
    std::string unit;

    bool operator==(const FindingValue&) const = default;
};

struct Finding {
    std::string code;
    Severity severity = Severity::Notice;
    std::string message; // Japanese, naming the values
    std::vector<FindingValue> values;

    bool operator==(const Finding&) const = default;
};

// Every finding for the inputs (and the side-face bars the results were
// checked with: their count, and their judgement when it is NG), in a fixed order: by code as listed above, layer 1 before layer 2.
// Safe on any design: nothing divides by zero, and a comparison that meets a
// NaN counts as a finding, never as a pass. t and c are in cm when unitSystem
// is 1 and in mm otherwise; lengths are in m.
std::vector<Finding> findDesignWarnings(const DesignInputs& inputs, const DesignResults& results,
                                        const ClearSpacingRule& rule);

// The same for the inputs alone, before any side-face bars are chosen.
std::vector<Finding> findDesignWarnings(const DesignInputs& inputs, const ClearSpacingRule& rule);

// Every finding of a design of one load case or more (load_cases.h): the
// findings of each case's one-case design with its results (`cases`, one per
// case). A finding every case has alike is listed once, as a one-case design
// lists it; one that only some cases have is listed per case, its message
// starting with the case's title in 【】. Then a 注意 duplicate-case-name for
// each case whose title an earlier case already has. A design of one case
// gets exactly findDesignWarnings(inputs, cases.front(), rule).
std::vector<Finding> findCaseWarnings(const DesignInputs& inputs,
                                      const std::vector<DesignResults>& cases,
                                      const ClearSpacingRule& rule);

// A clear distance between bars in mm and the minimum the rule asks for
// there, as the spacing checks measure them. A NaN in either never fits.
struct BarSpacing {
    double clearMm = 0;
    double minimumMm = 0;
    double centreMm = 0;  // centre to centre (between the layers: c)
    double maximumMm = 0; // the largest centre-to-centre spacing the rule allows
    bool fits() const { return clearMm >= minimumMm; }
    // Whether the centres lie no further apart than the rule allows; a NaN
    // never does.
    bool closeEnough() const { return centreMm <= maximumMm; }
};

// Between neighbouring bars of a layer of `count` bars of `bar`, centres
// spread evenly between t from either side face of b (what bars-do-not-fit
// checks); empty for a bar the table does not know or fewer than two whole
// bars. The other inputs come from `inputs`. What bars-too-far-apart checks
// too (closeEnough).
std::optional<BarSpacing> layerBarSpacing(const DesignInputs& inputs, std::string_view bar,
                                          double count, const ClearSpacingRule& rule);

// Between the layers, c - (φ1 + φ2)/2 (what layers-too-close checks); empty
// when either bar is one the table does not know.
std::optional<BarSpacing> layerDistanceSpacing(const DesignInputs& inputs, std::string_view bar1,
                                               std::string_view bar2,
                                               const ClearSpacingRule& rule);

// The 警告 for a box of a form whose text is not a number: `caption` names
// the box ("鉛直力"), `text` is what it holds (empty: nothing was typed).
// findDesignWarnings never gives it; a form lists it before those.
Finding notANumberFinding(std::string_view caption, std::string_view text);

// Whether any finding is a 警告.
bool hasWarning(const std::vector<Finding>& findings);

// The short line beside a judgement: "警告 1件  注意 2件", only the
// severities present; empty when there are no findings.
std::string findingsSummary(const std::vector<Finding>& findings);

// A finding as one line of a list: "警告: " followed by the message.
std::string findingLine(const Finding& finding);

// What a list of findings shows when there are none.
inline constexpr const char* kNoFindingsText = "警告・注意はありません";

// The question before printing a design that has a 警告.
inline constexpr const char* kPrintDespiteWarningQuestion = "警告があります。このまま印刷しますか?";

} // namespace haltrix
