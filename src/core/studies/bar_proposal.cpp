// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/bar_proposal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

#include "design/bar_layout.h"
#include "design/bar_table.h"
#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "design/horizontal_check.h"

namespace haltrix {

namespace {

constexpr double kAreaTolerance = 1e-9;

bool isArrangementCode(const std::string& code) {
    const std::vector<std::string>& codes = arrangementFindingCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

int barIndexOf(const std::string& bar) {
    for (int i = 0; i < kBarCount; ++i) {
        if (kBarDesignations[i] == bar)
            return i;
    }
    return kBarCount; // the empty second layer: after every bar
}

int layersOf(const BarArrangement& bars) {
    return bars.layer2Count > 0.0 ? 2 : 1;
}

// Every key of the ranking but the provided area.
bool ranksBeforeAtEqualArea(const ProposedArrangement& x, const ProposedArrangement& y) {
    const double barsX = x.bars.layer1Count + x.bars.layer2Count;
    const double barsY = y.bars.layer1Count + y.bars.layer2Count;
    if (barsX != barsY)
        return barsX < barsY;
    if (layersOf(x.bars) != layersOf(y.bars))
        return layersOf(x.bars) < layersOf(y.bars);
    if (x.minClearMm != y.minClearMm)
        return x.minClearMm > y.minClearMm;
    if (barIndexOf(x.bars.layer1Bar) != barIndexOf(y.bars.layer1Bar))
        return barIndexOf(x.bars.layer1Bar) < barIndexOf(y.bars.layer1Bar);
    if (barIndexOf(x.bars.layer2Bar) != barIndexOf(y.bars.layer2Bar))
        return barIndexOf(x.bars.layer2Bar) < barIndexOf(y.bars.layer2Bar);
    return x.bars.layer1Count > y.bars.layer1Count;
}

BarArrangement oneLayer(int bar, int count) {
    return {std::string(kBarDesignations[bar]), static_cast<double>(count), "", 0.0};
}

BarArrangement twoLayers(int bar1, int count1, int bar2, int count2) {
    return {std::string(kBarDesignations[bar1]), static_cast<double>(count1),
            std::string(kBarDesignations[bar2]), static_cast<double>(count2)};
}

// A run of arrangements of rising area: a fixed first layer (none for the
// one-layer runs) and the counts of one bar that fit, from `next` on.
struct Run {
    int bar1;
    int count1; // 0: the run is of one-layer arrangements of bar1
    int bar2;
    const std::vector<int>* counts;
    double fixedArea;
    double barArea;

    double areaAt(std::size_t position) const {
        return fixedArea + (*counts)[position] * barArea;
    }
    BarArrangement arrangementAt(std::size_t position) const {
        const int n = (*counts)[position];
        return count1 == 0 ? oneLayer(bar1, n) : twoLayers(bar1, count1, bar2, n);
    }
};

struct RunHead {
    double area;
    std::size_t run;
    std::size_t position;
    bool operator>(const RunHead& other) const { return area > other.area; }
};

class Search {
public:
    Search(const DesignInputs& design, const ClearSpacingRule& rule, const HorizontalChoice& choice)
        : m_base(design), m_rule(rule), m_choice(choice),
          m_column(horizontalColumn(unitSystemOf(m_base.unitSystem))) {}

    BarProposal run(int top);

private:
    std::optional<Finding> blockingFinding(const std::vector<Finding>& findings) const;
    double lowestRequiredArea();
    void collectFittingCounts();
    bool twoLayersAllowed();
    std::vector<Run> allRuns() const;
    NoCandidateReason reasonWithoutCandidate() const;

    DesignInputs m_base;
    ClearSpacingRule m_rule;
    HorizontalChoice m_choice;
    BarColumn m_column;
    std::vector<int> m_fittingCounts[kBarCount];
    bool m_pairAllowed[kBarCount][kBarCount] = {};
    std::optional<Finding> m_smallestDoesNotFit;
    bool m_someCountFits = false; // by the clear spacing, however far apart
};

std::optional<Finding> Search::blockingFinding(const std::vector<Finding>& findings) const {
    for (const Finding& finding : findings) {
        // The probe's own bars may not fit or lie too far apart; other
        // arrangements may do better. The side-face bars are chosen apart
        // from the main bars.
        if (finding.code == finding_code::kBarsDoNotFit ||
            finding.code == finding_code::kBarsTooFarApart ||
            finding.code == finding_code::kSideFaceBarsNg)
            continue;
        if (finding.severity == Severity::Warning || isArrangementCode(finding.code) ||
            finding.code == finding_code::kUnitsLookWrong)
            return finding;
    }
    return std::nullopt;
}

// The smallest required area any arrangement can have, from the deepest and
// the shallowest effective depth: the one layer alone, and all the steel in
// the second layer. The required area changes monotonically with the
// depth, so every arrangement's lies between the two. -infinity when
// either cannot be calculated.
double Search::lowestRequiredArea() {
    // An arrangement must pass every case: the largest of the cases' lowest.
    double highest = -std::numeric_limits<double>::infinity();
    for (int c = 0; c < caseCount(m_base); ++c) {
        double lowest = std::numeric_limits<double>::infinity();
        for (const BarArrangement& probe :
             {oneLayer(0, 2), BarArrangement{"", 0.0, "D10", 2.0}}) {
            DesignInputs inputs = caseDesign(m_base, c);
            applyArrangement(inputs, probe);
            const DesignResults results = calculateDesign(inputs, m_choice);
            if (results.message)
                return -std::numeric_limits<double>::infinity();
            const double required = requiredMainArea(results);
            if (!std::isfinite(required))
                return -std::numeric_limits<double>::infinity();
            lowest = std::min(lowest, required);
        }
        highest = std::max(highest, lowest);
    }
    return highest - kAreaTolerance * std::fabs(highest);
}

void Search::collectFittingCounts() {
    for (int bar = 0; bar < kBarCount; ++bar) {
        for (int n = 2; n <= kMaxProposedBarsPerLayer; ++n) {
            const auto spacing = layerBarSpacing(m_base, kBarDesignations[bar], n, m_rule);
            if (!spacing || !spacing->fits())
                continue;
            m_someCountFits = true;
            if (spacing->closeEnough())
                m_fittingCounts[bar].push_back(n);
        }
    }
}

bool Search::twoLayersAllowed() {
    DesignInputs inputs = m_base;
    applyArrangement(inputs, twoLayers(0, 2, 0, 2));
    for (const Finding& finding : findDesignWarnings(inputs, m_rule)) {
        if (finding.code == finding_code::kCoverBeyondDepth)
            return false;
    }
    return true;
}

std::vector<Run> Search::allRuns() const {
    std::vector<Run> runs;
    auto add = [&](const Run& run) {
        if (!run.counts->empty())
            runs.push_back(run);
    };
    for (int bar1 = 0; bar1 < kBarCount; ++bar1) {
        const double area1 = barAreaByIndex(bar1, m_column);
        add({bar1, 0, -1, &m_fittingCounts[bar1], 0.0, area1});
        for (int count1 : m_fittingCounts[bar1]) {
            for (int bar2 = 0; bar2 < kBarCount; ++bar2) {
                if (m_pairAllowed[bar1][bar2])
                    add({bar1, count1, bar2, &m_fittingCounts[bar2], count1 * area1,
                         barAreaByIndex(bar2, m_column)});
            }
        }
    }
    return runs;
}

BarProposal Search::run(int top) {
    BarProposal proposal;
    {
        DesignInputs probe = m_base;
        applyArrangement(probe, oneLayer(0, 2));
        const std::vector<Finding> findings =
            findCaseWarnings(probe, calculateCases(probe, m_choice).cases, m_rule);
        if (auto blocking = blockingFinding(findings)) {
            proposal.reason.kind = NoCandidateReason::Kind::Blocked;
            proposal.reason.finding = std::move(blocking);
            return proposal;
        }
        for (const Finding& finding : findings) {
            if (finding.code == finding_code::kBarsDoNotFit)
                m_smallestDoesNotFit = finding;
        }
    }
    collectFittingCounts();
    const bool twoLayersPossible = twoLayersAllowed();
    for (int bar1 = 0; bar1 < kBarCount; ++bar1) {
        for (int bar2 = 0; bar2 < kBarCount; ++bar2) {
            const auto spacing = layerDistanceSpacing(m_base, kBarDesignations[bar1],
                                                      kBarDesignations[bar2], m_rule);
            // No detailer puts thicker bars in layer 2 than in layer 1.
            m_pairAllowed[bar1][bar2] =
                twoLayersPossible && bar2 <= bar1 && spacing && spacing->fits();
        }
    }

    // Arrangements in order of rising area, from the first that can reach
    // the required area, until `top` have passed and no later one can tie.
    const double lowestArea = lowestRequiredArea();
    const std::vector<Run> runs = allRuns();
    std::priority_queue<RunHead, std::vector<RunHead>, std::greater<>> heads;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Run& run = runs[i];
        std::size_t first = 0;
        while (first < run.counts->size() && run.areaAt(first) < lowestArea)
            ++first;
        if (first < run.counts->size())
            heads.push({run.areaAt(first), i, first});
    }
    const std::size_t wanted = static_cast<std::size_t>(top < 1 ? 1 : top);
    std::vector<ProposedArrangement> passed;
    while (!heads.empty()) {
        const RunHead head = heads.top();
        if (passed.size() >= wanted && head.area > passed.back().providedArea &&
            !sameProvidedArea(head.area, passed.back().providedArea))
            break;
        heads.pop();
        const Run& run = runs[head.run];
        ProposedArrangement figures;
        if (arrangementPasses(m_base, run.arrangementAt(head.position), m_rule, m_choice,
                              &figures))
            passed.push_back(figures);
        if (head.position + 1 < run.counts->size())
            heads.push({run.areaAt(head.position + 1), head.run, head.position + 1});
    }

    // Areas within the tolerance of their neighbour rank as one; the other
    // keys order each such group.
    std::stable_sort(passed.begin(), passed.end(),
                     [](const ProposedArrangement& x, const ProposedArrangement& y) {
                         return x.providedArea < y.providedArea;
                     });
    std::vector<int> group(passed.size(), 0);
    for (std::size_t i = 1; i < passed.size(); ++i)
        group[i] = group[i - 1] +
                   (sameProvidedArea(passed[i - 1].providedArea, passed[i].providedArea) ? 0 : 1);
    std::vector<std::size_t> order(passed.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        if (group[x] != group[y])
            return group[x] < group[y];
        return ranksBeforeAtEqualArea(passed[x], passed[y]);
    });
    for (std::size_t i = 0; i < order.size() && i < wanted; ++i)
        proposal.candidates.push_back(passed[order[i]]);
    if (proposal.candidates.empty())
        proposal.reason = reasonWithoutCandidate();
    return proposal;
}

// Why nothing passed: no bar fits, or the largest arrangement that fits
// stops the calculation or is NG.
NoCandidateReason Search::reasonWithoutCandidate() const {
    NoCandidateReason reason;
    std::optional<BarArrangement> largest;
    double largestArea = -std::numeric_limits<double>::infinity();
    auto consider = [&](const BarArrangement& bars, double area) {
        if (area > largestArea) {
            largest = bars;
            largestArea = area;
        }
    };
    for (int bar1 = 0; bar1 < kBarCount; ++bar1) {
        if (m_fittingCounts[bar1].empty())
            continue;
        const int n1 = m_fittingCounts[bar1].back();
        const double area1 = n1 * barAreaByIndex(bar1, m_column);
        consider(oneLayer(bar1, n1), area1);
        for (int bar2 = 0; bar2 < kBarCount; ++bar2) {
            if (!m_pairAllowed[bar1][bar2] || m_fittingCounts[bar2].empty())
                continue;
            const int n2 = m_fittingCounts[bar2].back();
            consider(twoLayers(bar1, n1, bar2, n2), area1 + n2 * barAreaByIndex(bar2, m_column));
        }
    }
    if (!largest) {
        if (m_someCountFits) {
            reason.kind = NoCandidateReason::Kind::NoCountCloseEnough;
            reason.rule = m_rule;
        } else {
            reason.kind = NoCandidateReason::Kind::NoBarFits;
            reason.finding = m_smallestDoesNotFit;
        }
        return reason;
    }
    // The first case the largest arrangement fails in.
    reason.largest = *largest;
    for (int c = 0; c < caseCount(m_base); ++c) {
        DesignInputs inputs = caseDesign(m_base, c);
        applyArrangement(inputs, *largest);
        const DesignResults results = calculateDesign(inputs, m_choice);
        if (caseCount(m_base) > 1)
            reason.caseName = caseTitle(caseAt(m_base, c), c);
        if (results.message) {
            reason.kind = NoCandidateReason::Kind::LargestStops;
            reason.message = *results.message;
            return reason;
        }
        if (results.main.judgement != kJudgementOk) {
            reason.kind = NoCandidateReason::Kind::LargestIsNg;
            reason.providedArea = providedMainArea(results);
            reason.requiredArea = requiredMainArea(results);
            reason.unitSystem = inputs.unitSystem;
            return reason;
        }
    }
    reason.caseName.clear();
    reason.kind = NoCandidateReason::Kind::NoneNamed;
    return reason;
}

} // namespace

void applyArrangement(DesignInputs& inputs, const BarArrangement& bars) {
    inputs.layer1Bar = bars.layer1Bar;
    inputs.layer1Count = bars.layer1Count;
    inputs.layer2Bar = bars.layer2Bar;
    inputs.layer2Count = bars.layer2Count;
}

const std::vector<std::string>& arrangementFindingCodes() {
    static const std::vector<std::string> codes = {
        std::string(finding_code::kBarsDoNotFit),      std::string(finding_code::kBarsTooFarApart),
        std::string(finding_code::kLayersTooClose),
        std::string(finding_code::kCoverBeyondDepth),  std::string(finding_code::kLayerWithoutBar),
        std::string(finding_code::kFractionalBarCount), std::string(finding_code::kUnknownBar)};
    return codes;
}

bool arrangementPasses(const DesignInputs& design, const BarArrangement& bars,
                       const ClearSpacingRule& rule, const HorizontalChoice& choice,
                       ProposedArrangement* figures) {
    // Every case must pass; the figures are those of the case that needs the
    // most steel.
    DesignInputs r;
    DesignResults results;
    double required = -std::numeric_limits<double>::infinity();
    for (int c = 0; c < caseCount(design); ++c) {
        DesignInputs one = caseDesign(design, c);
        applyArrangement(one, bars);
        const DesignResults caseResults = calculateDesign(one, choice);
        if (caseResults.message || caseResults.main.judgement != kJudgementOk)
            return false;
        for (const Finding& finding : findDesignWarnings(one, caseResults, rule)) {
            if (isArrangementCode(finding.code))
                return false;
        }
        if (c == 0 || requiredMainArea(caseResults) > required) {
            required = requiredMainArea(caseResults);
            results = caseResults;
        }
        if (c == 0)
            r = std::move(one);
    }
    if (figures) {
        figures->bars = bars;
        figures->providedArea = providedMainArea(results);
        figures->requiredArea = requiredMainArea(results);
        figures->minClearMm = std::numeric_limits<double>::infinity();
        for (const auto& [bar, count] : {std::pair{bars.layer1Bar, bars.layer1Count},
                                         std::pair{bars.layer2Bar, bars.layer2Count}}) {
            if (const std::optional<double> clear = layerLayout(r, bar, count).clearMm)
                figures->minClearMm = std::min(figures->minClearMm, *clear);
        }
    }
    return true;
}

bool sameProvidedArea(double first, double second) {
    return std::fabs(first - second) <=
           kAreaTolerance * std::max(std::fabs(first), std::fabs(second));
}

bool ranksBefore(const ProposedArrangement& first, const ProposedArrangement& second) {
    if (!sameProvidedArea(first.providedArea, second.providedArea))
        return first.providedArea < second.providedArea;
    return ranksBeforeAtEqualArea(first, second);
}

BarProposal proposeBars(const DesignInputs& design, const ClearSpacingRule& rule, int top,
                        const HorizontalChoice& choice) {
    return Search(design, rule, choice).run(top);
}

std::optional<int> proposeSideFaceBar(const DesignInputs& inputs, const DesignResults& results,
                                      double count) {
    std::optional<int> best;
    double bestArea = 0;
    for (int bar = 0; bar < kBarCount; ++bar) {
        const SideFaceReinforcement check = checkSideFaces(inputs, results, {bar, count});
        if (check.judgement != kJudgementOk || !(check.As > 0.0))
            continue;
        if (!best || check.As < bestArea) {
            best = bar;
            bestArea = check.As;
        }
    }
    return best;
}

} // namespace haltrix
