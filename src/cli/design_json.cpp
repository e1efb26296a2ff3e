// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_json.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include "core_path.h"
#include "design/design_calculation.h"
#include "design/input_fields.h"
#include "design/load_cases.h"

namespace haltrix::cli {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// The inputs and the results under the names haltrix-calc has always given
// them. "hBarName" has always been written empty: the report alone names the
// bar (see "hBarIndex").
QJsonObject designFields(const DesignInputs& in, const DesignResults& r) {
    QJsonObject o;
    for (const InputField& field : kInputFields) {
        const QString key = QString::fromLatin1(field.name.data(), qsizetype(field.name.size()));
        if (field.text)
            o[key] = text(in.*field.text);
        else if (field.number)
            o[key] = in.*field.number;
        else
            o[key] = in.unitSystem;
    }
    o["ratioCase"] = r.ratioCase;
    const SelfWeight& w = r.selfWeight;
    o["N1"] = w.N1;
    o["x1"] = w.x1;
    o["M1"] = w.M1;
    o["N2"] = w.N2;
    o["x2"] = w.x2;
    o["M2"] = w.M2;
    o["Ntotal"] = w.Ntotal;
    o["M"] = w.M;
    const MainReinforcement& m = r.main;
    o["layer1Area"] = m.layer1Area;
    o["layer2Area"] = m.layer2Area;
    o["S"] = m.S;
    o["sumAs"] = m.sumAs;
    o["d"] = m.d;
    o["Zc"] = m.Zc;
    o["tanAlpha"] = m.tanAlpha;
    o["Tp"] = m.Tp;
    o["Ast"] = m.Ast;
    o["mainJudgement"] = text(m.judgement);
    const SideFaceReinforcement& h = r.sideFaces;
    o["hBarCount"] = h.barCount;
    o["hBarIndex"] = h.barIndex;
    o["hBarArea"] = h.barArea;
    o["hAs"] = h.As;
    o["hBarName"] = QString();
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

// The keys of the results, as a design's object has them at its top level.
void addResultKeys(QJsonObject& object, const DesignResults& results) {
    object["requiredMainArea"] = requiredMainArea(results);
    object["requiredHorizontalArea"] = results.sideFaces.required;
    const std::optional<std::string>& message = results.message;
    object["message"] = message ? QJsonValue(text(*message)) : QJsonValue();
}

// One case: its name, P, H and σsa, and the result keys of a design.
QJsonObject caseJson(const DesignInputs& inputs, const DesignResults& results, int index) {
    const LoadCase loadCase = caseAt(inputs, index);
    QJsonObject object;
    object["name"] = text(loadCase.name);
    object["P"] = loadCase.P;
    object["H"] = loadCase.H;
    object["sigmaSa"] = loadCase.sigmaSa;
    const QJsonObject all = designFields(caseDesign(inputs, index), results);
    for (const QString& key : kResultKeys)
        object[key] = all[key];
    addResultKeys(object, results);
    return object;
}

} // namespace

const QStringList kResultKeys = {
    "ratioCase", "N1", "x1", "M1", "N2", "x2", "M2", "Ntotal", "M", "layer1Area", "layer2Area",
    "S", "sumAs", "d", "Zc", "tanAlpha", "Tp", "Ast", "mainJudgement", "hBarCount", "hBarIndex",
    "hBarArea", "hAs", "hBarName"};

QJsonObject designJson(const CalculatedDesign& design) {
    QJsonObject object = designFields(design.inputs, design.results);
    object["file"] = pathFromCore(design.path);
    addResultKeys(object, design.results);
    object["warnings"] = warningsJson(design.warnings);
    QJsonArray cases;
    for (std::size_t i = 0; i < design.calculation.cases.size(); ++i)
        cases.append(caseJson(design.inputs, design.calculation.cases[i], static_cast<int>(i)));
    object["cases"] = cases;
    object["governingCase"] = design.calculation.governing;
    return object;
}

} // namespace haltrix::cli
