// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/engine.h"

#include <cmath>

#include "design/bar_table.h"

namespace haltrix {

namespace {

// What differs between the gravitational and the SI case procedures.
struct EngineProfile {
    double coverDivisor; // turns t and c into m
    bool alwaysMm2;      // SI: mm2 column whatever unitSystem says
};

constexpr EngineProfile kGravitationalEngine{100.0, false};
constexpr EngineProfile kSIEngine{1000.0, true};

const EngineProfile& profileOf(Twin twin) {
    return twin == Twin::Gravitational ? kGravitationalEngine : kSIEngine;
}

// Stores one step's result, or reports and refuses a non-finite one.
class Steps {
public:
    explicit Steps(Notifier& notifier) : m_notifier(notifier) {}

    bool store(double& field, double value) {
        if (!std::isfinite(value))
            return fail();
        field = value;
        return true;
    }

    bool fail() {
        m_notifier.notify(kInvalidInputMessage);
        return false;
    }

private:
    Notifier& m_notifier;
};

bool calcMainRebarProfile(const DesignInputs& in, const SelfWeight& w, MainReinforcement& r,
                          Notifier& notifier, const EngineProfile& profile, int formulaCase) {
    Steps steps(notifier);
    if (w.Ntotal == 0.0)
        return steps.fail();
    if (!steps.store(r.S, in.P + w.Ntotal))
        return false;
    if (in.sigmaSa == 0.0)
        return steps.fail();
    if (!steps.store(r.sumAs, ((in.P + w.Ntotal) / 1.4 / in.sigmaSa) * 1000.0))
        return false;

    const BarColumn column =
        (profile.alwaysMm2 || in.unitSystem != 1) ? BarColumn::Mm2 : BarColumn::Cm2;
    const LayerAreas areas = layerAreas(in, column);
    if (!std::isfinite(areas.layer1) || !std::isfinite(areas.layer2) ||
        !std::isfinite(areas.layer1 + areas.layer2))
        return steps.fail();
    r.layer1Area = areas.layer1;
    r.layer2Area = areas.layer2;
    const double provided = r.layer1Area + r.layer2Area;
    if (provided == 0.0)
        return steps.fail();

    double depth = in.H2 - in.t / profile.coverDivisor;
    if (r.layer2Area != 0.0)
        depth = depth - (in.c / profile.coverDivisor) * r.layer2Area / provided;
    if (depth == 0.0)
        return steps.fail();
    if (!steps.store(r.d, depth))
        return false;
    const double lever = r.d * 0.85;
    if (lever == 0.0)
        return steps.fail();
    if (!steps.store(r.Zc, lever))
        return false;
    if (!steps.store(r.tanAlpha, in.a / r.Zc))
        return false;
    if (!steps.store(r.Tp, r.tanAlpha * in.P))
        return false;
    if (!steps.store(r.Ast, ((in.H + r.Tp) + w.M / r.Zc) / in.sigmaSa * 1000.0))
        return false;

    const double required = governingMainArea(r, formulaCase);
    if (!std::isfinite(required))
        return steps.fail();
    r.judgement = provided >= required ? kJudgementOk : kJudgementNg;
    return true;
}

} // namespace

bool deriveSelfWeight(const DesignInputs& in, SelfWeight& r, Notifier& notifier) {
    Steps steps(notifier);
    const double gamma = in.concreteUnitWeight;
    return steps.store(r.N1, in.H1 * in.l * in.b * gamma) && steps.store(r.x1, in.l / 2.0) &&
           steps.store(r.M1, r.x1 * r.N1) &&
           steps.store(r.N2, 1.0 / 2.0 * in.l * (in.H2 - in.H1) * in.b * gamma) &&
           steps.store(r.x2, in.l / 3.0) && steps.store(r.M2, r.x2 * r.N2) &&
           steps.store(r.Ntotal, r.N2 + r.N1) && steps.store(r.M, r.M2 + r.M1);
}

bool calcMainRebar(const DesignInputs& inputs, Twin twin, int formulaCase,
                   const SelfWeight& selfWeight, MainReinforcement& main, Notifier& notifier) {
    return calcMainRebarProfile(inputs, selfWeight, main, notifier, profileOf(twin),
                                formulaCase == 1 ? 1 : 2);
}

double governingMainArea(const MainReinforcement& main, int formulaCase) {
    if (formulaCase == 1)
        return LargerOf(topShareOfSumAs(main), main.Ast);
    return LargerOf(main.sumAs, main.Ast);
}

} // namespace haltrix
