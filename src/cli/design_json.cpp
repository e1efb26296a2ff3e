// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_json.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include "core_path.h"
#include "engine.h"

namespace haltrix::cli {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QJsonObject recordJson(const DesignRecord& r) {
    QJsonObject o;
    o["H1"] = r.H1;
    o["H2"] = r.H2;
    o["l"] = r.l;
    o["b"] = r.b;
    o["a"] = r.a;
    o["P"] = r.P;
    o["H"] = r.H;
    o["t"] = r.t;
    o["c"] = r.c;
    o["layer1Bar"] = text(r.layer1Bar);
    o["layer1Count"] = r.layer1Count;
    o["layer2Bar"] = text(r.layer2Bar);
    o["layer2Count"] = r.layer2Count;
    o["sigmaSa"] = r.sigmaSa;
    o["concreteUnitWeight"] = r.concreteUnitWeight;
    o["unitSystem"] = r.unitSystem;
    o["ratioCase"] = r.ratioCase;
    o["N1"] = r.N1;
    o["x1"] = r.x1;
    o["M1"] = r.M1;
    o["N2"] = r.N2;
    o["x2"] = r.x2;
    o["M2"] = r.M2;
    o["Ntotal"] = r.Ntotal;
    o["M"] = r.M;
    o["layer1Area"] = r.layer1Area;
    o["layer2Area"] = r.layer2Area;
    o["S"] = r.S;
    o["sumAs"] = r.sumAs;
    o["d"] = r.d;
    o["Zc"] = r.Zc;
    o["tanAlpha"] = r.tanAlpha;
    o["Tp"] = r.Tp;
    o["Ast"] = r.Ast;
    o["mainJudgement"] = text(r.mainJudgement);
    o["hBarCount"] = r.hBarCount;
    o["hBarIndex"] = r.hBarIndex;
    o["hBarArea"] = r.hBarArea;
    o["hAs"] = r.hAs;
    o["hBarName"] = text(r.hBarName);
    return o;
}

QJsonArray warningsJson(const std::vector<Finding>& findings) {
    QJsonArray list;
    for (const Finding& finding : findings) {
        const std::string_view severity = severityText(finding.severity);
        list.append(QJsonObject{
            {"code", text(finding.code)},
            {"severity", QString::fromUtf8(severity.data(), qsizetype(severity.size()))},
            {"message", text(finding.message)}});
    }
    return list;
}

} // namespace

QJsonObject designJson(const CalculatedDesign& design) {
    QJsonObject object = recordJson(design.record);
    object["file"] = pathFromCore(design.path);
    object["requiredMainArea"] = requiredMainArea(design.record);
    object["requiredHorizontalArea"] = design.horizontal.required;
    object["message"] = design.message ? QJsonValue(text(*design.message)) : QJsonValue();
    object["warnings"] = warningsJson(design.warnings);
    return object;
}

} // namespace haltrix::cli
