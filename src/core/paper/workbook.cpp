// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/workbook.h"

#include "design/bar_mass.h"
#include "design/input_fields.h"
#include "design/unit_system.h"
#include "paper/book.h"
#include "paper/design_quantities.h"
#include "paper/number_format.h"

namespace haltrix::workbook {

namespace {

// Adds cells to a sheet row by row.
class SheetBuilder {
public:
    explicit SheetBuilder(Sheet& sheet) : m_sheet(sheet) {}

    void text(int row, int column, std::string value, Style style = Style::Text) {
        Cell cell{row, column, Cell::Kind::Text, style, std::move(value), 0, {}};
        m_sheet.cells.push_back(std::move(cell));
    }
    void number(int row, int column, double value, Style style) {
        m_sheet.cells.push_back({row, column, Cell::Kind::Number, style, {}, value, {}});
    }
    void formula(int row, int column, std::string formula, double result, Style style) {
        m_sheet.cells.push_back(
            {row, column, Cell::Kind::Formula, style, {}, result, std::move(formula)});
    }
    void heads(int row, const std::vector<std::string>& captions) {
        for (std::size_t i = 0; i < captions.size(); ++i)
            text(row, static_cast<int>(i), captions[i], Style::ColumnHead);
    }

private:
    Sheet& m_sheet;
};

std::string columnName(int column) {
    std::string name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name;
}

std::string range(int firstRow, int lastRow, int column) {
    return cellName(firstRow, column) + ":" + cellName(lastRow, column);
}

std::string quotedSheet(const char* sheet) {
    return "'" + std::string(sheet) + "'!";
}

// The units of the results, by what they measure.
enum class ResultUnit { Force, Moment, Area, Metre, None };

std::string resultUnitText(ResultUnit unit, std::int32_t unitSystem) {
    const UnitTable& units = unitTableOf(unitSystem);
    switch (unit) {
    case ResultUnit::Force:
        return units.force;
    case ResultUnit::Moment:
        return units.moment;
    case ResultUnit::Area:
        return units.area;
    case ResultUnit::Metre:
        return "m";
    case ResultUnit::None:
        break;
    }
    return {};
}

struct ResultField {
    const char* caption;
    const char* symbol;
    const char* name; // as haltrix-calc json names it
    ResultUnit unit;
    double (*value)(const Design&);
};

// clang-format off
const ResultField kResultFields[] = {
    {"式の区分 (a/H2)", "", "ratioCase", ResultUnit::None, [](const Design& d) { return double(d.results.ratioCase); }},
    {"自重 ①", "N1", "N1", ResultUnit::Force, [](const Design& d) { return d.results.selfWeight.N1; }},
    {"自重 ① の腕の長さ", "x1", "x1", ResultUnit::Metre, [](const Design& d) { return d.results.selfWeight.x1; }},
    {"自重 ① のモーメント", "M1", "M1", ResultUnit::Moment, [](const Design& d) { return d.results.selfWeight.M1; }},
    {"自重 ②", "N2", "N2", ResultUnit::Force, [](const Design& d) { return d.results.selfWeight.N2; }},
    {"自重 ② の腕の長さ", "x2", "x2", ResultUnit::Metre, [](const Design& d) { return d.results.selfWeight.x2; }},
    {"自重 ② のモーメント", "M2", "M2", ResultUnit::Moment, [](const Design& d) { return d.results.selfWeight.M2; }},
    {"自重 計", "N", "Ntotal", ResultUnit::Force, [](const Design& d) { return d.results.selfWeight.Ntotal; }},
    {"自重によるはり付け根のモーメント", "M", "M", ResultUnit::Moment, [](const Design& d) { return d.results.selfWeight.M; }},
    {"１段目 鉄筋量", "As1", "layer1Area", ResultUnit::Area, [](const Design& d) { return d.results.main.layer1Area; }},
    {"２段目 鉄筋量", "As2", "layer2Area", ResultUnit::Area, [](const Design& d) { return d.results.main.layer2Area; }},
    {"はり付け根でのせん断力（自重を含む）", "S", "S", ResultUnit::Force, [](const Design& d) { return d.results.main.S; }},
    {"必要鉄筋量 (1)式", "ΣAs", "sumAs", ResultUnit::Area, [](const Design& d) { return d.results.main.sumAs; }},
    {"有効高", "d", "d", ResultUnit::Metre, [](const Design& d) { return d.results.main.d; }},
    {"Zc = 0.85･d", "Zc", "Zc", ResultUnit::Metre, [](const Design& d) { return d.results.main.Zc; }},
    {"tanα", "tanα", "tanAlpha", ResultUnit::None, [](const Design& d) { return d.results.main.tanAlpha; }},
    {"Tp = P･tanα", "Tp", "Tp", ResultUnit::Force, [](const Design& d) { return d.results.main.Tp; }},
    {"はり上面必要鉄筋量 (2)式", "Ast", "Ast", ResultUnit::Area, [](const Design& d) { return d.results.main.Ast; }},
    {"必要主鉄筋量", "", "requiredMainArea", ResultUnit::Area, [](const Design& d) { return d.requiredMainArea; }},
    {"側面鉄筋 本数", "", "hBarCount", ResultUnit::None, [](const Design& d) { return d.results.sideFaces.barCount; }},
    {"側面鉄筋 径の位置 (-1 D10)", "", "hBarIndex", ResultUnit::None, [](const Design& d) { return double(d.results.sideFaces.barIndex); }},
    {"側面鉄筋 1本の断面積", "", "hBarArea", ResultUnit::Area, [](const Design& d) { return d.results.sideFaces.barArea; }},
    {"側面配置鉄筋量", "As", "hAs", ResultUnit::Area, [](const Design& d) { return d.results.sideFaces.As; }},
    {"水平方向用心鉄筋 必要量", "", "requiredHorizontalArea", ResultUnit::Area, [](const Design& d) { return d.results.sideFaces.required; }},
};
// clang-format on

std::string designHeading(std::size_t index, const Design& design) {
    return std::to_string(index + 1) + ". " + design.name;
}

std::string judgementOf(const Design& design) {
    book::BookDesign judged;
    judged.results = design.results;
    return std::string(book::judgementText(judged.judgement()));
}

std::string barsText(const std::string& designation, double count) {
    if (designation.empty() || !(count > 0))
        return "－";
    return designation + "×" + plainText(count);
}

// The column heads and one row per input and result of `design`, from `row`.
void writeValues(SheetBuilder& out, int& row, const Design& design) {
    const std::int32_t units = design.inputs.unitSystem;
    out.heads(row++, {"項目", "記号", "値", "単位", "名前"});
    auto line = [&](std::string caption, std::string symbol, std::string unit, std::string name) {
        out.text(row, 0, std::move(caption));
        out.text(row, 1, std::move(symbol));
        out.text(row, 3, std::move(unit));
        out.text(row, 4, std::move(name));
    };
    for (const InputField& field : kInputFields) {
        line(std::string(field.caption), std::string(field.symbol),
             std::string(inputUnit(field.kind, units)), std::string(field.name));
        if (field.text)
            out.text(row, 2, design.inputs.*field.text);
        else if (field.number)
            out.number(row, 2, design.inputs.*field.number, Style::General);
        else
            out.number(row, 2, units, Style::Integer);
        ++row;
    }
    for (const ResultField& field : kResultFields) {
        line(field.caption, field.symbol, resultUnitText(field.unit, units), field.name);
        out.number(row, 2, field.value(design), Style::General);
        ++row;
    }
    line("判定", "", "", "mainJudgement");
    out.text(row++, 2, design.results.main.judgement);
    line("計算の中断", "", "", "message");
    out.text(row++, 2, design.results.message.value_or(""));
}

Sheet calculationSheet(const std::vector<Design>& designs) {
    Sheet sheet{kCalculationSheet, {36, 10, 16, 9, 22}, {}, false, 0};
    SheetBuilder out(sheet);
    int row = 0;
    out.text(row++, 0, "計算書", Style::Title);
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const Design& design = designs[i];
        ++row;
        out.text(row++, 0, designHeading(i, design), Style::Title);
        if (design.cases.empty()) {
            writeValues(out, row, design);
            continue;
        }
        for (const Design::Case& loadCase : design.cases) {
            out.text(row++, 0, loadCase.heading, Style::Title);
            Design one;
            one.inputs = loadCase.inputs;
            one.results = loadCase.results;
            one.requiredMainArea = requiredMainArea(loadCase.results);
            one.providedMainArea = providedMainArea(loadCase.results);
            writeValues(out, row, one);
        }
    }
    return sheet;
}

struct ScheduleRows {
    int totalRow = -1; // the row of the design's total mass in 鉄筋表
    double totalMassKg = 0;
};

Sheet scheduleSheet(const std::vector<Design>& designs, std::vector<ScheduleRows>& totals) {
    Sheet sheet{kScheduleSheet, {7, 18, 7, 20, 11, 7, 15, 13}, {}, false, 0};
    SheetBuilder out(sheet);
    int row = 0;
    out.text(row++, 0, "鉄筋表", Style::Title);
    out.text(row++, 0,
             "質量 = 本数 × 長さ / 1000 × 単位質量。単位質量は " +
                 std::string(kBarUnitMassSource) + " による。");
    constexpr int kMark = 0, kRole = 1, kBar = 2, kShape = 3, kLength = 4, kCount = 5,
                  kUnitMass = 6, kMass = 7;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const quantities::Quantities& q = designs[i].quantities;
        ++row;
        out.text(row, 0, designHeading(i, designs[i]), Style::Title);
        if (!q.anchorage.empty())
            out.text(row, kShape, "定着長 " + q.anchorage);
        ++row;
        out.heads(row++,
                  {"記号", "部位", "径", "形状", "長さ(mm)", "本数", "単位質量(kg/m)", "質量(kg)"});
        const int first = row;
        double total = 0;
        for (const quantities::ScheduleRow& bar : q.rows) {
            out.text(row, kMark, bar.mark);
            out.text(row, kRole, bar.role);
            out.text(row, kBar, bar.designation);
            out.text(row, kShape, bar.shape);
            out.number(row, kLength, bar.lengthMm, Style::Integer);
            out.number(row, kCount, bar.count, Style::Integer);
            out.number(row, kUnitMass, bar.unitMassKgPerM, Style::Fixed3);
            const double mass = bar.count * bar.lengthMm / 1000.0 * bar.unitMassKgPerM;
            out.formula(row, kMass,
                        cellName(row, kCount) + "*" + cellName(row, kLength) + "/1000*" +
                            cellName(row, kUnitMass),
                        mass, Style::Fixed2);
            total += mass;
            ++row;
        }
        const int last = row - 1;
        for (const quantities::DiameterTotal& diameter : q.byDiameter) {
            out.text(row, kMark, diameter.designation + " 計", Style::Total);
            const std::string criterion = "\"" + diameter.designation + "\"";
            out.formula(row, kCount,
                        "SUMIF(" + range(first, last, kBar) + "," + criterion + "," +
                            range(first, last, kCount) + ")",
                        diameter.count, Style::Integer);
            double mass = 0;
            for (const quantities::ScheduleRow& bar : q.rows) {
                if (bar.designation == diameter.designation)
                    mass += bar.count * bar.lengthMm / 1000.0 * bar.unitMassKgPerM;
            }
            out.formula(row, kMass,
                        "SUMIF(" + range(first, last, kBar) + "," + criterion + "," +
                            range(first, last, kMass) + ")",
                        mass, Style::TotalFixed2);
            ++row;
        }
        out.text(row, kMark, "合計", Style::Total);
        if (q.rows.empty())
            out.number(row, kMass, 0, Style::TotalFixed2);
        else
            out.formula(row, kMass, "SUM(" + range(first, last, kMass) + ")", total,
                        Style::TotalFixed2);
        totals.push_back({row, total});
        ++row;
        for (const std::string& note : q.notes)
            out.text(row++, 0, "注: " + note);
    }
    return sheet;
}

Sheet quantitiesSheet(const std::vector<Design>& designs,
                      const std::vector<ScheduleRows>& schedule) {
    Sheet sheet{kQuantitiesSheet, {5, 28, 14, 14, 14, 14, 14, 14}, {}, true, 3};
    SheetBuilder out(sheet);
    out.text(0, 0, "数量", Style::Title);
    out.text(1, 0,
             "型枠は両側面・底面・先端面 (上面と付根面は含まない)。鉄筋質量は鉄筋表の合計。");
    out.heads(2, {"No", "設計", "コンクリート(m3)", "型枠 側面(m2)", "型枠 底面(m2)",
                  "型枠 先端面(m2)", "型枠 計(m2)", "鉄筋質量(kg)"});
    constexpr int kFirst = 3;
    int row = kFirst;
    double sums[8] = {};
    for (std::size_t i = 0; i < designs.size(); ++i, ++row) {
        const quantities::Quantities& q = designs[i].quantities;
        out.number(row, 0, double(i + 1), Style::Integer);
        out.text(row, 1, designs[i].name);
        out.number(row, 2, q.concreteM3, Style::Fixed3);
        out.number(row, 3, q.formwork.sideFaces, Style::Fixed3);
        out.number(row, 4, q.formwork.soffit, Style::Fixed3);
        out.number(row, 5, q.formwork.tipFace, Style::Fixed3);
        const double formwork = q.formwork.sideFaces + q.formwork.soffit + q.formwork.tipFace;
        out.formula(row, 6,
                    cellName(row, 3) + "+" + cellName(row, 4) + "+" + cellName(row, 5), formwork,
                    Style::Fixed3);
        out.formula(row, 7, quotedSheet(kScheduleSheet) + cellName(schedule[i].totalRow, 7),
                    schedule[i].totalMassKg, Style::Fixed2);
        const double values[] = {q.concreteM3, q.formwork.sideFaces, q.formwork.soffit,
                                 q.formwork.tipFace, formwork, schedule[i].totalMassKg};
        for (int c = 2; c < 8; ++c)
            sums[c] += values[c - 2];
    }
    out.text(row, 1, "合計", Style::Total);
    for (int c = 2; c < 8; ++c) {
        const Style style = c == 7 ? Style::TotalFixed2 : Style::Fixed3;
        if (designs.empty())
            out.number(row, c, 0, style);
        else
            out.formula(row, c, "SUM(" + range(kFirst, row - 1, c) + ")", sums[c], style);
    }
    return sheet;
}

Sheet summarySheet(const std::vector<Design>& designs) {
    Sheet sheet{kSummarySheet,
                {5, 26, 11, 8, 8, 8, 8, 8, 10, 10, 10, 12, 12, 7, 9, 12},
                {},
                true,
                3};
    SheetBuilder out(sheet);
    out.text(0, 0, "設計調書", Style::Title);
    out.text(1, 0, "寸法は m、鉄筋量は各設計の単位系 (重力単位系 cm2、SI単位系 mm2)。");
    out.heads(2, {"No", "設計", "単位系", "H1(m)", "H2(m)", "l(m)", "b(m)", "a(m)", "１段目",
                  "２段目", "側面鉄筋", "必要主鉄筋量", "配置主鉄筋量", "単位", "判定",
                  "支配ケース"});
    int row = 3;
    for (std::size_t i = 0; i < designs.size(); ++i, ++row) {
        const Design& d = designs[i];
        const DesignInputs& in = d.inputs;
        out.number(row, 0, double(i + 1), Style::Integer);
        out.text(row, 1, d.name);
        out.text(row, 2, book::unitSystemText(in.unitSystem));
        const double dimensions[] = {in.H1, in.H2, in.l, in.b, in.a};
        for (int c = 0; c < 5; ++c)
            out.number(row, 3 + c, dimensions[c], Style::Fixed3);
        out.text(row, 8, barsText(in.layer1Bar, in.layer1Count));
        out.text(row, 9, barsText(in.layer2Bar, in.layer2Count));
        out.text(row, 10,
                 barsText(d.results.sideFaces.barName.empty() ? "D10" : d.results.sideFaces.barName,
                          d.results.sideFaces.barCount));
        out.number(row, 11, d.requiredMainArea, Style::Fixed2);
        out.number(row, 12, d.providedMainArea, Style::Fixed2);
        out.text(row, 13, resultUnitText(ResultUnit::Area, in.unitSystem));
        out.text(row, 14, judgementOf(d));
        out.text(row, 15, d.governingCase.empty() ? "単一" : d.governingCase);
    }
    return sheet;
}

} // namespace

std::string cellName(int row, int column) {
    return columnName(column) + std::to_string(row + 1);
}

Design workbookDesign(const std::string& name, const DesignInputs& inputs,
                      const DesignResults& results, const HorizontalChoice& choice,
                      const model::AnchorageRule& anchorage) {
    Design design;
    design.name = name;
    design.inputs = inputs;
    design.results = results;
    design.requiredMainArea = requiredMainArea(results);
    design.providedMainArea = providedMainArea(results);
    design.quantities = quantities::designQuantities(inputs, choice, anchorage);
    return design;
}

Design workbookDesignOfCases(const std::string& name, const DesignInputs& inputs,
                             const DesignCalculation& calculation, const HorizontalChoice& choice,
                             const model::AnchorageRule& anchorage) {
    if (calculation.cases.size() <= 1)
        return workbookDesign(name, inputs, calculation.first(), choice, anchorage);
    const int governing = calculation.governing;
    Design design = workbookDesign(name, caseDesign(inputs, governing),
                                   calculation.cases.at(std::size_t(governing)), choice, anchorage);
    design.governingCase = caseTitle(caseAt(inputs, governing), governing);
    for (std::size_t i = 0; i < calculation.cases.size(); ++i) {
        const int index = static_cast<int>(i);
        design.cases.push_back({caseHeading(caseAt(inputs, index), index),
                                caseDesign(inputs, index), calculation.cases[i]});
    }
    return design;
}

Workbook buildWorkbook(const std::vector<Design>& designs, const Title& title) {
    Workbook workbook;
    workbook.title = "ブラケットの設計計算書";
    workbook.project = title.project;
    workbook.designer = title.designer;
    std::vector<ScheduleRows> schedule;
    Sheet bars = scheduleSheet(designs, schedule);
    workbook.sheets.push_back(calculationSheet(designs));
    workbook.sheets.push_back(quantitiesSheet(designs, schedule));
    workbook.sheets.push_back(std::move(bars));
    workbook.sheets.push_back(summarySheet(designs));
    return workbook;
}

} // namespace haltrix::workbook
