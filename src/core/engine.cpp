// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine.h"

#include <cmath>

#include "bar_table.h"

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

double governingArea(double sumAs, double Ast, int formulaCase) {
    if (formulaCase == 1)
        return LargerOf(2.0 / 3.0 * sumAs, Ast);
    return LargerOf(sumAs, Ast);
}

bool calcMainRebarProfile(DesignRecord& r, Notifier& notifier, const EngineProfile& profile,
                          int formulaCase) {
    Steps steps(notifier);
    if (r.Ntotal == 0.0)
        return steps.fail();
    if (!steps.store(r.S, r.P + r.Ntotal))
        return false;
    if (r.sigmaSa == 0.0)
        return steps.fail();
    if (!steps.store(r.sumAs, ((r.P + r.Ntotal) / 1.4 / r.sigmaSa) * 1000.0))
        return false;

    const BarColumn column =
        (profile.alwaysMm2 || r.unitSystem != 1) ? BarColumn::Mm2 : BarColumn::Cm2;
    const LayerAreas areas = layerAreas(r, column);
    if (!std::isfinite(areas.layer1) || !std::isfinite(areas.layer2) ||
        !std::isfinite(areas.layer1 + areas.layer2))
        return steps.fail();
    r.layer1Area = areas.layer1;
    r.layer2Area = areas.layer2;
    const double provided = r.layer1Area + r.layer2Area;
    if (provided == 0.0)
        return steps.fail();

    double depth = r.H2 - r.t / profile.coverDivisor;
    if (r.layer2Area != 0.0)
        depth = depth - (r.c / profile.coverDivisor) * r.layer2Area / provided;
    if (depth == 0.0)
        return steps.fail();
    if (!steps.store(r.d, depth))
        return false;
    const double lever = r.d * 0.85;
    if (lever == 0.0)
        return steps.fail();
    if (!steps.store(r.Zc, lever))
        return false;
    if (!steps.store(r.tanAlpha, r.a / r.Zc))
        return false;
    if (!steps.store(r.Tp, r.tanAlpha * r.P))
        return false;
    if (!steps.store(r.Ast, ((r.H + r.Tp) + r.M / r.Zc) / r.sigmaSa * 1000.0))
        return false;

    const double required = governingArea(r.sumAs, r.Ast, formulaCase);
    if (!std::isfinite(required))
        return steps.fail();
    r.mainJudgement = provided >= required ? kJudgementOk : kJudgementNg;
    return true;
}

} // namespace

bool deriveSelfWeight(DesignRecord& r, Notifier& notifier) {
    Steps steps(notifier);
    const double gamma = r.concreteUnitWeight;
    return steps.store(r.N1, r.H1 * r.l * r.b * gamma) && steps.store(r.x1, r.l / 2.0) &&
           steps.store(r.M1, r.x1 * r.N1) &&
           steps.store(r.N2, 1.0 / 2.0 * r.l * (r.H2 - r.H1) * r.b * gamma) &&
           steps.store(r.x2, r.l / 3.0) && steps.store(r.M2, r.x2 * r.N2) &&
           steps.store(r.Ntotal, r.N2 + r.N1) && steps.store(r.M, r.M2 + r.M1);
}

bool calcMainRebarCase1(DesignRecord& record, Notifier& notifier) {
    return calcMainRebarProfile(record, notifier, kGravitationalEngine, 1);
}

bool calcMainRebarCase2(DesignRecord& record, Notifier& notifier) {
    return calcMainRebarProfile(record, notifier, kGravitationalEngine, 2);
}

bool calcMainRebarCase1SI(DesignRecord& record, Notifier& notifier) {
    return calcMainRebarProfile(record, notifier, kSIEngine, 1);
}

bool calcMainRebarCase2SI(DesignRecord& record, Notifier& notifier) {
    return calcMainRebarProfile(record, notifier, kSIEngine, 2);
}

bool calcMainRebar(DesignRecord& record, Twin twin, Notifier& notifier) {
    return calcMainRebarProfile(record, notifier, profileOf(twin), record.ratioCase == 1 ? 1 : 2);
}

bool runCalculation(DesignRecord& record, Twin twin, Notifier& notifier) {
    if (!deriveSelfWeight(record, notifier))
        return false;
    return calcMainRebar(record, twin, notifier);
}

double requiredMainArea(const DesignRecord& record) {
    return governingArea(record.sumAs, record.Ast, record.ratioCase == 1 ? 1 : 2);
}

} // namespace haltrix
