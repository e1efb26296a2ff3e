// SPDX-License-Identifier: GPL-3.0-or-later
#include "findings/design_warnings.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "design/bar_layout.h"
#include "design/bar_table.h"
#include "design/load_cases.h"
#include "paper/number_format.h"
#include "design/unit_system.h"

namespace haltrix {

namespace {

// The name of the other system in the finding that a value looks like one
// of its units.
const char* otherSystemName(UnitSystem system) {
    return system == UnitSystem::Gravitational ? "SI 単位" : "重力単位";
}

// A number as the messages show it: a non-finite value in words, so that no
// "nan" or "inf" reaches a user.
std::string nonFiniteText(double value) {
    if (std::isnan(value))
        return "非数";
    return value > 0 ? "無限大" : "-無限大";
}

// An input or a quotient: its plain text, up to 15 significant digits.
std::string num(double value) {
    return std::isfinite(value) ? plainText(value) : nonFiniteText(value);
}

// A derived length in mm: one decimal; very large magnitudes in exponent form.
std::string mm(double value) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return std::fabs(value) < 1e15 ? fixedDecimals(value, 1) : plainText(value);
}

struct Layer {
    const char* label; // "１段目"
    const std::string& bar;
    double count;
};

class Findings {
public:
    void add(std::string_view code, Severity severity, std::string message,
             std::vector<FindingValue> values) {
        m_list.push_back({std::string(code), severity, std::move(message), std::move(values)});
    }
    std::vector<Finding> take() { return std::move(m_list); }

private:
    std::vector<Finding> m_list;
};

void checkDimensions(const DesignInputs& r, const UnitTable& u, Findings& out) {
    struct Dimension {
        const char* label;
        const char* symbol;
        double value;
        const char* unit;
        bool zeroAllowed; // H1 = 0 is a pointed tip, γc = 0 leaves out the self-weight
    };
    const Dimension dimensions[] = {
        {"先端高", "H1", r.H1, "m", true},
        {"付根高", "H2", r.H2, "m", false},
        {"張出長", "l", r.l, "m", false},
        {"橋軸方向幅", "b", r.b, "m", false},
        {"コンクリートの単位体積重量", "γc", r.concreteUnitWeight, u.unitWeight, true},
        {"許容引張応力度", "σsa", r.sigmaSa, u.stress, false},
    };
    for (const Dimension& d : dimensions) {
        const bool ok = d.zeroAllowed ? d.value >= 0.0 : d.value > 0.0;
        if (ok)
            continue;
        out.add(finding_code::kNonPositiveDimension, Severity::Warning,
                std::string(d.label) + " " + d.symbol + " = " + num(d.value) + " " + d.unit + ": " +
                    (d.zeroAllowed ? "0 以上" : "正") + "の値でなければなりません",
                {{d.symbol, d.value, d.unit}});
    }
}

// Sizes beyond any bracket: lengths in m, t and c in m once converted.
constexpr double kLargestPlausibleLengthM = 100.0;
constexpr double kLargestPlausibleCoverM = 10.0;

void checkPlausibleSizes(const DesignInputs& r, const UnitTable& u, Findings& out) {
    struct Size {
        const char* label;
        const char* symbol;
        double value;
        const char* unit;
        double valueM; // the value in m
        double largestM;
        double largestInUnit;
    };
    const double coverLimit = kLargestPlausibleCoverM * u.coverPerM;
    const Size sizes[] = {
        {"先端高", "H1", r.H1, "m", r.H1, kLargestPlausibleLengthM, kLargestPlausibleLengthM},
        {"付根高", "H2", r.H2, "m", r.H2, kLargestPlausibleLengthM, kLargestPlausibleLengthM},
        {"張出長", "l", r.l, "m", r.l, kLargestPlausibleLengthM, kLargestPlausibleLengthM},
        {"橋軸方向幅", "b", r.b, "m", r.b, kLargestPlausibleLengthM, kLargestPlausibleLengthM},
        {"支承位置", "a", r.a, "m", r.a, kLargestPlausibleLengthM, kLargestPlausibleLengthM},
        {"被り", "t", r.t, u.cover, r.t / u.coverPerM, kLargestPlausibleCoverM, coverLimit},
        {"鉄筋間隔", "c", r.c, u.cover, r.c / u.coverPerM, kLargestPlausibleCoverM, coverLimit},
    };
    for (const Size& s : sizes) {
        // A NaN is no size at all; other checks name it.
        if (!(std::fabs(s.valueM) > s.largestM))
            continue;
        out.add(finding_code::kImplausibleDimension, Severity::Notice,
                std::string(s.label) + " " + s.symbol + " = " + num(s.value) + " " + s.unit +
                    " は張出し梁の寸法としてあり得ない大きさです（" + num(s.largestInUnit) + " " +
                    s.unit + " 超）。入力の桁や単位を確かめてください",
                {{s.symbol, s.value, s.unit}});
    }
}

void checkTipDepth(const DesignInputs& r, Findings& out) {
    if (r.H1 <= r.H2)
        return;
    out.add(finding_code::kTipDeeperThanRoot, Severity::Warning,
            "先端高 H1 = " + num(r.H1) + " m が付根高 H2 = " + num(r.H2) +
                " m を超えています。自重の計算は付根に向かって厚くなる梁を前提としており、"
                "②の部分のモーメントが正しくなりません",
            {{"H1", r.H1, "m"}, {"H2", r.H2, "m"}});
}

void checkBearingPosition(const DesignInputs& r, Findings& out) {
    if (!(r.a >= 0.0)) {
        out.add(finding_code::kLoadOffBracket, Severity::Warning,
                "支承位置 a = " + num(r.a) + " m が負で、支承が張出し部の上にありません",
                {{"a", r.a, "m"}});
    } else if (!(r.a <= r.l)) {
        out.add(finding_code::kLoadOffBracket, Severity::Notice,
                "支承位置 a = " + num(r.a) + " m が張出長 l = " + num(r.l) +
                    " m を超え、支承が先端より " + num(r.a - r.l) + " m 外にあります",
                {{"a", r.a, "m"}, {"l", r.l, "m"}});
    }
}

void checkMethodRange(const DesignInputs& r, Findings& out) {
    // Without a positive H2 there is no quotient; that H2 is a finding itself.
    if (!(r.H2 > 0.0))
        return;
    const double ratio = r.a / r.H2;
    if (ratio <= 1.0)
        return;
    out.add(finding_code::kOutsideMethodRange, Severity::Warning,
            "a/H2 = " + num(ratio) + "（a = " + num(r.a) + " m、H2 = " + num(r.H2) +
                " m）が 1.0 を超えています。計算式は a/H2 ≦ 0.5 と 0.5 < a/H2 ≦ 1.0 "
                "の場合のもので、この形状には適用できません",
            {{"a/H2", ratio, ""}, {"a", r.a, "m"}, {"H2", r.H2, "m"}});
}

void checkCover(const DesignInputs& r, const UnitTable& u, Findings& out) {
    const std::string cover = u.cover;
    if (!(r.t > 0.0)) {
        out.add(finding_code::kCoverBeyondDepth, Severity::Warning,
                "被り t = " + num(r.t) + " " + cover + ": 正の値でなければなりません",
                {{"t", r.t, cover}});
        return;
    }
    const double tM = r.t / u.coverPerM;
    if (!(tM < r.H2)) {
        out.add(finding_code::kCoverBeyondDepth, Severity::Warning,
                "被り t = " + num(r.t) + " " + cover + "（" + num(tM) +
                    " m）が付根高 H2 = " + num(r.H2) + " m 以上です",
                {{"t", r.t, cover}, {"H2", r.H2, "m"}});
        return;
    }
    if (!(r.layer2Count > 0.0))
        return;
    const double depth = r.t + r.c;
    const double depthM = depth / u.coverPerM;
    if (!(depthM < r.H2)) {
        out.add(finding_code::kCoverBeyondDepth, Severity::Warning,
                "２段目の深さ t + c = " + num(depth) + " " + cover + "（" + num(depthM) +
                    " m）が付根高 H2 = " + num(r.H2) +
                    " m 以上で、２段目の鉄筋が梁の中にありません",
                {{"t", r.t, cover}, {"c", r.c, cover}, {"H2", r.H2, "m"}});
    }
}

bool isWholeCount(double count) {
    return std::isfinite(count) && count >= 0.0 && std::floor(count) == count;
}

void checkCounts(const DesignInputs& r, double sideFaceBarCount, Findings& out) {
    struct Count {
        const char* label;
        double value;
    };
    const Count counts[] = {{"１段目の本数", r.layer1Count},
                            {"２段目の本数", r.layer2Count},
                            {"水平鉄筋の本数", sideFaceBarCount}};
    // A count below zero cannot be built; one that is not whole is built
    // with its whole bars.
    for (const Count& c : counts) {
        if (!(c.value < 0.0))
            continue;
        out.add(finding_code::kNegativeBarCount, Severity::Warning,
                std::string(c.label) + " n = " + num(c.value) + " 本が負です",
                {{"n", c.value, "本"}});
    }
    for (const Count& c : counts) {
        if (isWholeCount(c.value) || c.value < 0.0)
            continue;
        out.add(finding_code::kFractionalBarCount, Severity::Notice,
                std::string(c.label) + " n = " + num(c.value) + " 本が整数ではありません",
                {{"n", c.value, "本"}});
    }
}

void checkLayerDesignations(const Layer& layer, Findings& out) {
    const std::string label = layer.label;
    if (layer.bar.empty()) {
        // An empty layer (no designation, no bars) is a normal second layer.
        if (layer.count <= 0.0)
            return;
        out.add(finding_code::kLayerWithoutBar, Severity::Notice,
                label + "の本数 n = " + num(layer.count) + " 本に鉄筋径が選ばれていません",
                {{"n", layer.count, "本"}});
    } else if (layer.count == 0.0 || std::isnan(layer.count)) {
        out.add(finding_code::kLayerWithoutBar, Severity::Notice,
                label + "に鉄筋 " + layer.bar +
                    " が選ばれていますが、本数 n = " + num(layer.count) + " 本です",
                {{"n", layer.count, "本"}});
    }
}

void checkKnownBar(const Layer& layer, Findings& out) {
    if (layer.bar.empty() || barDiameterByName(layer.bar))
        return;
    out.add(finding_code::kUnknownBar, Severity::Warning,
            std::string(layer.label) + "の鉄筋「" + layer.bar +
                "」は鉄筋表（D10～D35）にありません",
            {});
}

void checkUnits(const DesignInputs& r, const UnitTable& u, Findings& out) {
    const bool grav = u.system == UnitSystem::Gravitational;
    const UnitTable& other = unitTable(otherUnitSystem(u.system));
    const char* otherSystem = otherSystemName(u.system);
    // σsa ≤ 0 lies in neither system's range; it is a finding of its own.
    const bool stressLooksOther =
        grav ? !(r.sigmaSa >= 500.0 || r.sigmaSa <= 0.0) : !(r.sigmaSa <= 1000.0);
    const double gamma = r.concreteUnitWeight;
    const bool weightLooksOther = grav ? !(gamma <= 10.0) : !(gamma <= 0.0 || gamma >= 5.0);
    const std::string tail = "の値のようです。単位系を切り替えたときに値が換算されて"
                             "いない可能性があります";
    if (stressLooksOther)
        out.add(finding_code::kUnitsLookWrong, Severity::Notice,
                "許容引張応力度 σsa = " + num(r.sigmaSa) + " " + u.stress + " は" + otherSystem +
                    "（" + other.stress + "）" + tail,
                {{"σsa", r.sigmaSa, u.stress}});
    if (weightLooksOther)
        out.add(finding_code::kUnitsLookWrong, Severity::Notice,
                "コンクリートの単位体積重量 γc = " + num(gamma) + " " + u.unitWeight + " は" +
                    otherSystem + "（" + other.unitWeight + "）" + tail,
                {{"γc", gamma, u.unitWeight}});
}

void checkLayerFits(const DesignInputs& r, const Layer& layer, const UnitTable& u,
                    const ClearSpacingRule& rule, Findings& out) {
    const std::optional<BarSpacing> spacing = layerBarSpacing(r, layer.bar, layer.count, rule);
    if (!spacing || spacing->fits())
        return;
    const double clear = spacing->clearMm;
    const double minimum = spacing->minimumMm;
    const double bars = std::floor(layer.count);
    const double diameter = *barDiameterByName(layer.bar);
    out.add(finding_code::kBarsDoNotFit, Severity::Warning,
            std::string(layer.label) + " " + layer.bar + " × " + num(bars) + " 本: 鉄筋のあき " +
                mm(clear) + " mm が最小あき " + mm(minimum) + " mm 未満で、幅 b = " + num(r.b) +
                " m に納まりません（鉄筋の中心を両側面から t = " + num(r.t) + " " + u.cover +
                " の間に等間隔に配置。" + describeClearSpacingRule(rule) + "）",
            {{"あき", clear, "mm"},
             {"最小あき", minimum, "mm"},
             {"n", bars, "本"},
             {"φ", diameter, "mm"},
             {"b", r.b, "m"},
             {"t", r.t, u.cover}});
}

void checkLayerPitch(const DesignInputs& r, const Layer& layer, const UnitTable& u,
                     const ClearSpacingRule& rule, Findings& out) {
    const std::optional<BarSpacing> spacing = layerBarSpacing(r, layer.bar, layer.count, rule);
    if (!spacing || spacing->closeEnough())
        return;
    const double bars = std::floor(layer.count);
    out.add(finding_code::kBarsTooFarApart, Severity::Notice,
            std::string(layer.label) + " " + layer.bar + " × " + num(bars) +
                " 本: 鉄筋の中心間隔 " + mm(spacing->centreMm) + " mm が最大中心間隔 " +
                mm(spacing->maximumMm) + " mm を超えています（幅 b = " + num(r.b) +
                " m、鉄筋の中心を両側面から t = " + num(r.t) + " " + u.cover +
                " の間に等間隔に配置。" + describeMaxCentreSpacing(rule) + "）",
            {{"中心間隔", spacing->centreMm, "mm"},
             {"最大中心間隔", spacing->maximumMm, "mm"},
             {"n", bars, "本"},
             {"b", r.b, "m"},
             {"t", r.t, u.cover}});
}

// The side-face bars the results were checked with, when they are NG.
void checkSideFaces(const DesignInputs& r, const DesignResults& results, Findings& out) {
    const SideFaceReinforcement& side = results.sideFaces;
    if (side.judgement != kJudgementNg)
        return;
    const char* area = unitTableOf(r.unitSystem).area;
    const std::string bar = side.barName.empty() ? std::string("?") : side.barName;
    out.add(finding_code::kSideFaceBarsNg, Severity::Warning,
            "水平方向用心鉄筋 " + bar + " × " + num(side.barCount) + " 本: 鉄筋量 As = " +
                fixedDecimals(side.As, 2) + " " + area + " が必要鉄筋量 H = " +
                fixedDecimals(side.required, 2) + " " + area + " に足りません（- NG -）",
            {{"As", side.As, area}, {"H", side.required, area}, {"n", side.barCount, "本"}});
}

void checkLayerDistance(const DesignInputs& r, const UnitTable& u, const ClearSpacingRule& rule,
                        Findings& out) {
    if (!(r.layer2Count > 0.0))
        return;
    const std::optional<BarSpacing> spacing =
        layerDistanceSpacing(r, r.layer1Bar, r.layer2Bar, rule);
    if (!spacing || spacing->fits())
        return;
    const double phi1 = *barDiameterByName(r.layer1Bar);
    const double phi2 = *barDiameterByName(r.layer2Bar);
    out.add(finding_code::kLayersTooClose, Severity::Notice,
            "１段目と２段目の鉄筋のあき c − (φ1 + φ2)/2 = " + mm(spacing->clearMm) +
                " mm が最小あき " + mm(spacing->minimumMm) + " mm 未満です（c = " + num(r.c) +
                " " + u.cover + "、φ1 = " + num(phi1) + " mm、φ2 = " + num(phi2) + " mm。" +
                describeClearSpacingRule(rule) + "）",
            {{"あき", spacing->clearMm, "mm"},
             {"最小あき", spacing->minimumMm, "mm"},
             {"c", r.c, u.cover},
             {"φ1", phi1, "mm"},
             {"φ2", phi2, "mm"}});
}

// The inputs the report prints with a fixed number of decimals; one whose
// printed text reads as another number is named, so that the engineer can
// round it on purpose.
void checkPrintedInputs(const DesignInputs& r, const UnitTable& u, Findings& out) {
    struct Printed {
        const char* symbol;
        double value;
        const char* unit;
        int decimals; // as the report's input section prints it
    };
    const Printed printed[] = {
        {"H1", r.H1, "m", 3},
        {"H2", r.H2, "m", 3},
        {"l", r.l, "m", 3},
        {"b", r.b, "m", 3},
        {"a", r.a, "m", 3},
        {"σsa", r.sigmaSa, u.stress, 0},
        {"γc", r.concreteUnitWeight, u.unitWeight, 1},
    };
    for (const Printed& p : printed) {
        if (!std::isfinite(p.value))
            continue;
        // Compared as the form shows the value (15 significant digits), so
        // that a binary fraction's tail is not taken for a digit.
        const std::string text = fixedDecimals(p.value, p.decimals);
        if (parseNumber(text) == parseNumber(plainText(p.value)))
            continue;
        out.add(finding_code::kPrintedInputRounded, Severity::Notice,
                std::string(p.symbol) + " = " + num(p.value) + " は計算書に " + text +
                    " と印刷されます",
                {{p.symbol, p.value, p.unit}});
    }
}

} // namespace

std::optional<BarSpacing> layerBarSpacing(const DesignInputs& r, std::string_view bar,
                                          double count, const ClearSpacingRule& rule) {
    const LayerLayout layer = layerLayout(r, bar, count);
    if (!layer.clearMm)
        return std::nullopt;
    return BarSpacing{*layer.clearMm, minimumClearSpacingMm(rule, *layer.diameterMm),
                      *layer.pitchMm, rule.maxCentreMm};
}

std::optional<BarSpacing> layerDistanceSpacing(const DesignInputs& r, std::string_view bar1,
                                               std::string_view bar2,
                                               const ClearSpacingRule& rule) {
    const std::optional<double> gap = layerGapMm(r, bar1, bar2);
    if (!gap)
        return std::nullopt;
    const double phi1 = *barDiameterByName(bar1);
    const double phi2 = *barDiameterByName(bar2);
    return BarSpacing{*gap, minimumClearSpacingMm(rule, phi1 >= phi2 ? phi1 : phi2),
                      *gap + (phi1 + phi2) / 2.0, rule.maxCentreMm};
}

std::string_view severityText(Severity severity) {
    return severity == Severity::Warning ? "警告" : "注意";
}

std::vector<Finding> findDesignWarnings(const DesignInputs& r, const DesignResults& results,
                                        const ClearSpacingRule& rule) {
    const UnitTable& units = unitTableOf(r.unitSystem);
    const Layer layers[] = {{"１段目", r.layer1Bar, r.layer1Count},
                            {"２段目", r.layer2Bar, r.layer2Count}};
    Findings out;
    checkDimensions(r, units, out);
    checkPlausibleSizes(r, units, out);
    checkTipDepth(r, out);
    checkBearingPosition(r, out);
    checkMethodRange(r, out);
    checkCover(r, units, out);
    checkCounts(r, results.sideFaces.barCount, out);
    for (const Layer& layer : layers)
        checkLayerDesignations(layer, out);
    for (const Layer& layer : layers)
        checkKnownBar(layer, out);
    checkUnits(r, units, out);
    for (const Layer& layer : layers)
        checkLayerFits(r, layer, units, rule, out);
    for (const Layer& layer : layers)
        checkLayerPitch(r, layer, units, rule, out);
    checkLayerDistance(r, units, rule, out);
    checkPrintedInputs(r, units, out);
    checkSideFaces(r, results, out);
    return out.take();
}

std::vector<Finding> findDesignWarnings(const DesignInputs& inputs, const ClearSpacingRule& rule) {
    return findDesignWarnings(inputs, DesignResults{}, rule);
}

std::vector<Finding> findCaseWarnings(const DesignInputs& inputs,
                                      const std::vector<DesignResults>& cases,
                                      const ClearSpacingRule& rule) {
    const int count = caseCount(inputs);
    if (count == 1 || cases.size() != static_cast<std::size_t>(count))
        return findDesignWarnings(inputs, cases.empty() ? DesignResults{} : cases.front(), rule);
    std::vector<std::vector<Finding>> perCase;
    for (int i = 0; i < count; ++i)
        perCase.push_back(findDesignWarnings(caseDesign(inputs, i), cases[std::size_t(i)], rule));
    auto inEveryCase = [&](const Finding& finding) {
        for (const std::vector<Finding>& findings : perCase) {
            if (std::find(findings.begin(), findings.end(), finding) == findings.end())
                return false;
        }
        return true;
    };
    std::vector<Finding> out;
    for (int i = 0; i < count; ++i) {
        for (const Finding& finding : perCase[std::size_t(i)]) {
            if (inEveryCase(finding)) {
                if (i == 0)
                    out.push_back(finding);
                continue;
            }
            Finding named = finding;
            named.message = "【" + caseTitle(caseAt(inputs, i), i) + "】 " + finding.message;
            out.push_back(std::move(named));
        }
    }
    for (const int i : duplicateCaseNames(inputs)) {
        const std::string title = caseTitle(caseAt(inputs, i), i);
        out.push_back({std::string(finding_code::kDuplicateCaseName), Severity::Notice,
                       "荷重ケース " + std::to_string(i + 1) + " の名称「" + title +
                           "」は前のケースと同じです",
                       {}});
    }
    return out;
}

Finding notANumberFinding(std::string_view caption, std::string_view text) {
    const std::string name(caption);
    const std::string message =
        text.empty() ? "「" + name + "」が入力されていません"
                     : "「" + name + "」の「" + std::string(text) + "」は数値ではありません";
    return {std::string(finding_code::kNotANumber), Severity::Warning, message, {}};
}

bool hasWarning(const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Warning)
            return true;
    }
    return false;
}

std::string findingsSummary(const std::vector<Finding>& findings) {
    int warnings = 0;
    int notices = 0;
    for (const Finding& finding : findings)
        ++(finding.severity == Severity::Warning ? warnings : notices);
    std::string summary;
    if (warnings > 0)
        summary +=
            std::string(severityText(Severity::Warning)) + " " + std::to_string(warnings) + "件";
    if (notices > 0)
        summary += std::string(summary.empty() ? "" : "  ") +
                   std::string(severityText(Severity::Notice)) + " " + std::to_string(notices) +
                   "件";
    return summary;
}

std::string findingLine(const Finding& finding) {
    return std::string(severityText(finding.severity)) + ": " + finding.message;
}

} // namespace haltrix
