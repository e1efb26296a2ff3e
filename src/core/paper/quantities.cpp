// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/quantities.h"

#include <cmath>

#include "design/bar_mass.h"
#include "design/bar_table.h"
#include "paper/number_format.h"
#include "paper/text_width.h"

namespace haltrix::quantities {

namespace {

constexpr double kMm3PerM3 = 1e9;
constexpr double kMm2PerM2 = 1e6;

} // namespace

std::string shapeSymbol(double anchorageMm) {
    if (!(anchorageMm > 0))
        return "━━━━";
    return "━━━┛ 定着 " + fixedDecimals(std::round(anchorageMm), 0);
}

Quantities quantitiesOf(const model::BracketModel& model) {
    std::vector<MarkBars> marks;
    for (const model::ModelBar& bar : model.bars) {
        const std::string role = bar.kind == model::BarKind::SideFace ? "水平方向用心鉄筋"
                                 : bar.layer == 1                     ? "主鉄筋 1段目"
                                                                      : "主鉄筋 2段目";
        // The model's bars of one layer (or the side faces) are alike.
        if (marks.empty() || marks.back().role != role || marks.back().designation != bar.designation ||
            marks.back().lengthMm != bar.lengthMm()) {
            marks.push_back({"S" + std::to_string(marks.size() + 1), role, bar.designation,
                             bar.lengthMm(), bar.anchorageMm, 0});
        }
        ++marks.back().count;
    }
    Quantities q = quantitiesOf(model.body, marks);
    q.anchorage = model.anchorage.text();
    return q;
}

Quantities quantitiesOf(const Body& body, const std::vector<MarkBars>& bars) {
    Quantities q;
    q.concreteM3 = body.volumeMm3() / kMm3PerM3;
    q.formwork.sideFaces = 2.0 * (body.H1 + body.H2) / 2.0 * body.l / kMm2PerM2;
    q.formwork.soffit = body.b * std::hypot(body.l, body.H2 - body.H1) / kMm2PerM2;
    q.formwork.tipFace = body.H1 * body.b / kMm2PerM2;

    for (const MarkBars& bar : bars) {
        if (bar.count <= 0)
            continue;
        ScheduleRow row;
        row.mark = bar.mark;
        row.role = bar.role;
        row.designation = bar.designation;
        row.diameterMm = barDiameterByName(bar.designation).value_or(0.0);
        row.shape = shapeSymbol(bar.anchorageMm);
        row.lengthMm = std::round(bar.lengthMm);
        row.count = bar.count;
        if (const std::optional<double> unitMass = barUnitMassByName(bar.designation)) {
            row.unitMassKgPerM = *unitMass;
            row.massKg = row.count * row.lengthMm / 1000.0 * row.unitMassKgPerM;
        } else {
            q.notes.push_back(bar.mark + ": " + bar.designation +
                              " は単位質量の表にないため、質量に数えていません");
        }
        q.rows.push_back(row);
    }

    for (std::string_view designation : kBarDesignations) {
        DiameterTotal total{std::string(designation), 0, 0.0};
        for (const ScheduleRow& row : q.rows) {
            if (row.designation == designation) {
                total.count += row.count;
                total.massKg += row.massKg;
            }
        }
        if (total.count > 0) {
            q.totalMassKg += total.massKg;
            q.byDiameter.push_back(total);
        }
    }
    return q;
}

std::vector<std::string> quantityLines(const Quantities& q, const std::string& designName) {
    std::vector<std::string> lines;
    lines.push_back(std::string(kQuantitiesTitle) + "    " + designName);
    lines.emplace_back();
    lines.push_back("１．数量");
    auto quantity = [&](std::string_view caption, double value, std::string_view unit,
                        std::string_view how) {
        lines.push_back("    " + padRight(caption, 18) + padLeft(fixedDecimals(value, 3), 10) +
                        " " + padRight(unit, 4) + std::string(how));
    };
    quantity("コンクリート", q.concreteM3, "m3", "(H1 + H2) / 2 × l × b");
    quantity("型枠", q.formwork.total(), "m2", "側面・底面・先端面 (上面と付根面は含まない)");
    quantity("  側面 (2面)", q.formwork.sideFaces, "m2", "2 × (H1 + H2) / 2 × l");
    quantity("  底面", q.formwork.soffit, "m2", "b × √(l² + (H2 − H1)²)");
    quantity("  先端面", q.formwork.tipFace, "m2", "H1 × b");
    lines.emplace_back();
    lines.push_back("２．鉄筋表    (単位質量: " + std::string(kBarUnitMassSource) +
                    (q.anchorage.empty() ? "" : "、定着長 " + q.anchorage) + ")");
    lines.push_back("    " + padRight("記号", 6) + padRight("部位", 18) + padRight("径", 6) +
                    padRight("形状", 18) + padLeft("長さ(mm)", 9) + padLeft("本数", 6) +
                    padLeft("単位質量(kg/m)", 16) + padLeft("質量(kg)", 11));
    for (const ScheduleRow& row : q.rows) {
        lines.push_back("    " + padRight(row.mark, 6) + padRight(row.role, 18) +
                        padRight(row.designation, 6) + padRight(row.shape, 18) +
                        padLeft(fixedDecimals(row.lengthMm, 0), 9) +
                        padLeft(std::to_string(row.count), 6) +
                        padLeft(fixedDecimals(row.unitMassKgPerM, 3), 16) +
                        padLeft(fixedDecimals(row.massKg, 2), 11));
    }
    if (q.rows.empty())
        lines.push_back("    (鉄筋なし)");
    for (const DiameterTotal& total : q.byDiameter) {
        lines.push_back("    " + padRight(total.designation + " 計", 6 + 18 + 6 + 18 + 9) +
                        padLeft(std::to_string(total.count), 6) + padLeft("", 16) +
                        padLeft(fixedDecimals(total.massKg, 2), 11));
    }
    lines.push_back("    " + padRight("合計", 6 + 18 + 6 + 18 + 9 + 6 + 16) +
                    padLeft(fixedDecimals(q.totalMassKg, 2), 11));
    for (const std::string& note : q.notes)
        lines.push_back("    注: " + note);
    return lines;
}

} // namespace haltrix::quantities
