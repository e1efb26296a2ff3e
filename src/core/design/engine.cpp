// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/engine.h"

#include <cmath>

#include "design/bar_table.h"
#include "design/unit_system.h"
#include "paper/number_format.h"

namespace haltrix {

namespace {

// A number in a reason: its plain text, or words for one that is not finite.
std::string shown(double value) {
    if (std::isnan(value))
        return "非数";
    if (std::isinf(value))
        return value > 0 ? "無限大" : "-無限大";
    return plainText(value);
}

std::string quantity(const char* name, double value, const char* unit) {
    std::string text = std::string(name) + " = " + shown(value);
    if (*unit)
        text += std::string(" ") + unit;
    return text;
}

// Stores one step's result, or reports and refuses a non-finite one. A
// stop's message is kInvalidInputMessage with the reason on a second line.
class Steps {
public:
    explicit Steps(Notifier& notifier) : m_notifier(notifier) {}

    // `name` names the result in the reason when it is not a number.
    bool store(double& field, double value, const char* name) {
        if (!std::isfinite(value))
            return fail(std::string(name) + " が数値として扱える範囲を超えます（" + shown(value) +
                        "）。入力の桁や単位を確かめてください");
        field = value;
        return true;
    }

    bool fail(const std::string& reason) {
        m_notifier.notify(invalidInputMessage(reason));
        return false;
    }

private:
    Notifier& m_notifier;
};

// Why the self-weight is 0: the first input that makes it so.
std::string zeroSelfWeightReason(const DesignInputs& in, const UnitTable& units) {
    const std::string mustBePositive = ": 正の値でなければなりません（梁の自重が 0 になります）";
    if (in.l == 0.0)
        return quantity("張出長 l", in.l, "m") + mustBePositive;
    if (in.b == 0.0)
        return quantity("橋軸方向幅 b", in.b, "m") + mustBePositive;
    if (in.concreteUnitWeight == 0.0)
        return quantity("コンクリートの単位体積重量 γc", in.concreteUnitWeight, units.unitWeight) +
               mustBePositive;
    return "梁の自重 N = 0 " + std::string(units.force) + "（" + quantity("H1", in.H1, "m") +
           "、" + quantity("H2", in.H2, "m") + "）: 先端高 H1 と付根高 H2 を確かめてください";
}

// Why the effective depth is not positive: the input at fault.
std::string depthReason(const DesignInputs& in, const UnitTable& units, double depth) {
    const std::string depthText = "有効高 d = " + shown(depth) + " m が正になりません";
    if (!(in.H2 > 0.0))
        return quantity("付根高 H2", in.H2, "m") + ": 正の値でなければなりません（" + depthText +
               "）";
    const double coverM = in.t / units.coverPerM;
    if (!(coverM < in.H2))
        return quantity("被り t", in.t, units.cover) + " が付根高 H2 = " + shown(in.H2) +
               " m 以上です（" + depthText + "）";
    return quantity("鉄筋間隔 c", in.c, units.cover) + ": ２段目の鉄筋が付根高 H2 = " +
           shown(in.H2) + " m の外に出ます（" + depthText + "）";
}

bool calcMainRebarProfile(const DesignInputs& in, const SelfWeight& w, MainReinforcement& r,
                          Notifier& notifier, UnitSystem procedure, int formulaCase) {
    const UnitTable& units = unitTable(procedure);
    Steps steps(notifier);
    if (w.Ntotal == 0.0)
        return steps.fail(zeroSelfWeightReason(in, units));
    if (!steps.store(r.S, in.P + w.Ntotal, "せん断力 S"))
        return false;
    if (in.sigmaSa == 0.0)
        return steps.fail(quantity("σsa", in.sigmaSa, units.stress) +
                          ": 正の値でなければなりません");
    if (!steps.store(r.sumAs, ((in.P + w.Ntotal) / 1.4 / in.sigmaSa) * 1000.0, "ΣAs"))
        return false;

    // The SI procedure reads the mm2 column whatever the flag says; the
    // gravitational one the column of the flag's system.
    const BarColumn column =
        unitTable(procedure == UnitSystem::SI ? UnitSystem::SI : unitSystemOf(in.unitSystem))
            .barColumn;
    const LayerAreas areas = layerAreas(in, column);
    if (!std::isfinite(areas.layer1) || !std::isfinite(areas.layer2) ||
        !std::isfinite(areas.layer1 + areas.layer2))
        return steps.fail("主鉄筋量が数値として扱える範囲を超えます。１段目・２段目の本数を確かめて"
                          "ください");
    r.layer1Area = areas.layer1;
    r.layer2Area = areas.layer2;
    const double provided = r.layer1Area + r.layer2Area;
    if (provided == 0.0)
        return steps.fail("主鉄筋がありません: １段目・２段目の鉄筋径と本数 n を確かめてください");

    double depth = in.H2 - in.t / units.coverPerM;
    if (r.layer2Area != 0.0)
        depth = depth - (in.c / units.coverPerM) * r.layer2Area / provided;
    // A depth at or above the top face leaves no lever arm: every result
    // after it would be meaningless, however finite.
    if (!(depth > 0.0))
        return steps.fail(depthReason(in, units, depth));
    if (!steps.store(r.d, depth, "有効高 d"))
        return false;
    const double lever = r.d * 0.85;
    if (!(lever > 0.0))
        return steps.fail(depthReason(in, units, lever));
    if (!steps.store(r.Zc, lever, "腕の長さ Zc"))
        return false;
    if (!steps.store(r.tanAlpha, in.a / r.Zc, "tanα"))
        return false;
    if (!steps.store(r.Tp, r.tanAlpha * in.P, "Tp"))
        return false;
    if (!steps.store(r.Ast, ((in.H + r.Tp) + w.M / r.Zc) / in.sigmaSa * 1000.0, "Ast"))
        return false;

    const double required = governingMainArea(r, formulaCase);
    if (!std::isfinite(required))
        return steps.fail("必要鉄筋量が数値として扱える範囲を超えます（" + shown(required) + "）");
    r.judgement = provided >= required ? kJudgementOk : kJudgementNg;
    return true;
}

} // namespace

bool deriveSelfWeight(const DesignInputs& in, SelfWeight& r, Notifier& notifier) {
    Steps steps(notifier);
    const double gamma = in.concreteUnitWeight;
    return steps.store(r.N1, in.H1 * in.l * in.b * gamma, "自重 N1") &&
           steps.store(r.x1, in.l / 2.0, "x1") && steps.store(r.M1, r.x1 * r.N1, "M1") &&
           steps.store(r.N2, 1.0 / 2.0 * in.l * (in.H2 - in.H1) * in.b * gamma, "自重 N2") &&
           steps.store(r.x2, in.l / 3.0, "x2") && steps.store(r.M2, r.x2 * r.N2, "M2") &&
           steps.store(r.Ntotal, r.N2 + r.N1, "自重 N") && steps.store(r.M, r.M2 + r.M1, "M");
}

bool calcMainRebar(const DesignInputs& inputs, UnitSystem twin, int formulaCase,
                   const SelfWeight& selfWeight, MainReinforcement& main, Notifier& notifier) {
    return calcMainRebarProfile(inputs, selfWeight, main, notifier, twin, formulaCase == 1 ? 1 : 2);
}

double governingMainArea(const MainReinforcement& main, int formulaCase) {
    if (formulaCase == 1)
        return LargerOf(topShareOfSumAs(main), main.Ast);
    return LargerOf(main.sumAs, main.Ast);
}

} // namespace haltrix
