// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_json.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include "core_path.h"
#include "design/design_calculation.h"
#include "design/input_fields.h"

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

} // namespace

QJsonObject designJson(const CalculatedDesign& design) {
    QJsonObject object = designFields(design.inputs, design.results);
    object["file"] = pathFromCore(design.path);
    object["requiredMainArea"] = requiredMainArea(design.results);
    object["requiredHorizontalArea"] = design.results.sideFaces.required;
    const std::optional<std::string>& message = design.results.message;
    object["message"] = message ? QJsonValue(text(*message)) : QJsonValue();
    object["warnings"] = warningsJson(design.warnings);
    return object;
}

} // namespace haltrix::cli
