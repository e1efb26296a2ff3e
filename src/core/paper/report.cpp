// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/report.h"

#include <array>
#include <span>

#include "paper/number_format.h"
#include "design/shown_quantities.h"
#include "design/unit_system.h"

namespace haltrix {

namespace {

using namespace shown;

// ---------------------------------------------------------------------------
// Value fields

// What is done to a number before it is formatted.
enum class Operation { None, Round, Int };

// One value field: an optional Round(x, n) or Int(x), then either a fixed
// number of decimals ("0.000", "0.0", "0") or the plain text right-aligned in
// an "@" mask of `mask` characters.
struct Field {
    Operation operation = Operation::None;
    int roundTo = 0;  // decimals of Round
    int mask = 0;     // "@" characters; 0 for a fixed-decimals pattern
    int decimals = 0; // decimals of the fixed pattern
};

constexpr Field fixed(int decimals) {
    return {Operation::None, 0, 0, decimals};
}
constexpr Field masked(int width) {
    return {Operation::None, 0, width, 0};
}
constexpr Field roundedMasked(int roundTo, int width) {
    return {Operation::Round, roundTo, width, 0};
}
constexpr Field roundedFixed(int roundTo, int decimals) {
    return {Operation::Round, roundTo, 0, decimals};
}
constexpr Field cutMasked(int width) {
    return {Operation::Int, 0, width, 0};
}

std::string format(double value, const Field& field) {
    switch (field.operation) {
    case Operation::Round:
        value = roundHalfEven(value, field.roundTo);
        break;
    case Operation::Int:
        value = intFloor(value);
        break;
    case Operation::None:
        break;
    }
    if (field.mask > 0)
        return alignRight(plainText(value), field.mask);
    return fixedDecimals(value, field.decimals);
}

std::string blanks(int count) {
    return std::string(static_cast<std::size_t>(count), ' ');
}

std::string f3(double value) {
    return fixedDecimals(value, 3);
}

const std::string kRule(97, '-');

using Quantity = double (*)(const DesignInputs&, const DesignResults&);

// ---------------------------------------------------------------------------
// The table of differences between the gravitational and the SI pages.
// Index 0 is the gravitational page, index 1 the SI page.

constexpr std::size_t kGravitational = 0;
constexpr std::size_t kSI = 1;

template <typename T> using PerUnitSystem = std::array<T, 2>;

// The unit texts of a page.
const UnitTable& unitsOf(std::size_t page) {
    return unitTable(page == kGravitational ? UnitSystem::Gravitational : UnitSystem::SI);
}

// A unit as the report shows it: in brackets.
std::string bracketed(const char* unit) {
    return "(" + std::string(unit) + ")";
}

// The unit of the reactions here is "(t)" in the gravitational system.
struct InputSectionUnits {
    const char* reaction;
    int stressBlanks;
    int weightBlanks;
};

// clang-format off
constexpr PerUnitSystem<InputSectionUnits> kInputSection = {{
    {"(t)", 5, 11},
    {"(kN)", 6, 10},
}};

struct SelfWeightLayout {
    Field gamma;
    int row1Gap; // after γ in row ①
    int row2Gap; // after γ in row ②
    int totalGap; // after "合計"
    Field force;
    int forceGap; // between the force and the lever arm
    Field lever;
    int leverGap; // between the lever arm and the moment
    Field moment;
    int totalMomentGap; // between the total force and the total moment
};

constexpr PerUnitSystem<SelfWeightLayout> kSelfWeight = {{
    {fixed(3), 21, 4, 48, fixed(3), 7, fixed(3), 5, fixed(3), 17},
    {masked(2), 22, 5, 46, roundedMasked(3, 7), 5, roundedFixed(3, 3), 5,
     roundedMasked(3, 7), 15},
}};
// clang-format on

// The tail of a main-steel line on one page: blanks after the label and the
// value field.
struct ValueTail {
    int blanks;
    Field field;
};

// The units a main-steel line shows.
enum class LineUnit { Force, Stress, Area, Moment, Metre };

std::string unitText(LineUnit unit, const UnitTable& units) {
    switch (unit) {
    case LineUnit::Force:
        return bracketed(units.force);
    case LineUnit::Stress:
        return bracketed(units.stress);
    case LineUnit::Area:
        return bracketed(units.area);
    case LineUnit::Moment:
        return bracketed(units.moment);
    case LineUnit::Metre:
        break;
    }
    return "(m)";
}

struct MainSteelLine {
    const char* label;
    Quantity value;
    LineUnit unit;
    PerUnitSystem<ValueTail> tail;
};

// clang-format off
constexpr MainSteelLine kCase1MainSteel[] = {
    {"はり付け根でのせん断力（自重を含む）", shearForce, LineUnit::Force,
     {{{17, roundedMasked(3, 7)}, {17, roundedMasked(3, 7)}}}},
    {"鉄筋の許容引張応力度", allowableStress, LineUnit::Stress,
     {{{36, masked(4)}, {38, masked(3)}}}},
    {"必要鉄筋量（上面(Ａs1)＋側面(Ａs2)）", requiredByFormula1, LineUnit::Area,
     {{{17, roundedMasked(2, 7)}, {20, cutMasked(4)}}}},
    {"（1)式より求まる上面鉄筋量", topShareOfFormula1, LineUnit::Area,
     {{{27, roundedMasked(2, 7)}, {31, cutMasked(4)}}}},
    {"（1)式より求まる側面鉄筋量", sideShareOfFormula1, LineUnit::Area,
     {{{27, roundedMasked(2, 7)}, {31, cutMasked(4)}}}},
    {"Ｔp = Ｐ･tanα", bearingThrust, LineUnit::Force,
     {{{40, roundedMasked(3, 6)}, {40, roundedMasked(3, 7)}}}},
    {"水平力 (支点直角方向水平力)", horizontalForce, LineUnit::Force,
     {{{27, roundedMasked(3, 6)}, {27, roundedMasked(3, 7)}}}},
    {"自重によるはり付け根のモーメント", rootMoment, LineUnit::Moment,
     {{{22, roundedMasked(3, 6)}, {22, roundedMasked(3, 7)}}}},
    {"Ｚc = 0.85･ｄ", leverArm, LineUnit::Metre,
     {{{42, roundedMasked(2, 5)}, {43, roundedMasked(2, 5)}}}},
    {"鉄筋の許容引張応力度", allowableStress, LineUnit::Stress,
     {{{36, masked(4)}, {38, masked(3)}}}},
    {"（2)式より求まるはり上面鉄筋量", requiredByFormula2, LineUnit::Area,
     {{{23, roundedMasked(2, 7)}, {26, cutMasked(5)}}}},
    {"水平方向用心鉄筋量", halfOfFormula2, LineUnit::Area,
     {{{35, roundedMasked(2, 7)}, {38, cutMasked(5)}}}},
    {"上面配置鉄筋量", providedTopSteel, LineUnit::Area,
     {{{39, roundedMasked(2, 7)}, {42, cutMasked(5)}}}},
};

constexpr MainSteelLine kCase2MainSteel[] = {
    {"Ｔp = Ｐ･tanα", bearingThrust, LineUnit::Force,
     {{{40, roundedMasked(3, 7)}, {39, roundedMasked(3, 7)}}}},
    {"水平力 (支点直角方向水平力)", horizontalForce, LineUnit::Force,
     {{{27, roundedMasked(3, 7)}, {26, roundedMasked(3, 7)}}}},
    {"自重によるはり付け根のモーメント", rootMoment, LineUnit::Moment,
     {{{22, roundedMasked(3, 7)}, {21, roundedMasked(3, 7)}}}},
    {"Ｚc = 0.85･ｄ", leverArm, LineUnit::Metre,
     {{{43, roundedMasked(2, 5)}, {42, roundedMasked(2, 5)}}}},
    {"鉄筋の許容引張応力度", allowableStress, LineUnit::Stress,
     {{{37, masked(4)}, {37, masked(3)}}}},
    {"はり上面必要鉄筋量", requiredByFormula2, LineUnit::Area,
     {{{36, roundedMasked(2, 7)}, {38, cutMasked(4)}}}},
    {"水平方向用心鉄筋量", fortyPercentOfFormula2, LineUnit::Area,
     {{{36, roundedMasked(2, 7)}, {38, cutMasked(4)}}}},
    {"上面配置鉄筋量", providedTopSteel, LineUnit::Area,
     {{{40, roundedMasked(2, 7)}, {42, cutMasked(4)}}}},
};
// clang-format on

// The horizontal-reinforcement block; here the unit follows the value with
// no blank.
struct HorizontalLayout {
    int requiredBlanks;
    Field required;
    int nameBlanks;
    int nameMask;
    Field count;
    int areaBlanks;
    Field area;
};

// clang-format off
constexpr PerUnitSystem<HorizontalLayout> kHorizontal = {{
    {2, roundedMasked(2, 7), 6, 4, masked(2), 4, roundedMasked(2, 6)},
    {5, cutMasked(4), 7, 3, cutMasked(2), 6, cutMasked(4)},
}};
// clang-format on

// What the two formula cases write differently.
struct ResultCase {
    PerUnitSystem<const char*> title;
    std::span<const char* const> formulas;
    std::span<const MainSteelLine> mainSteel;
    Quantity requiredHorizontal;
};

constexpr const char* kCase1Formulas[] = {
    " ΣAs=S／(1.4･σsa)          ---(1)",
    " Ast=(Tp + H + M／Zc)／σsa  ---(2)",
};
constexpr const char* kCase2Formulas[] = {
    " Ast=(Tp + H + M／Zc)／σsa",
};

constexpr ResultCase kCase1{
    {{" 0.5≧ａ／Ｈ2の場合", " 0.5≧ａ／Ｈ2の場合"}},
    kCase1Formulas,
    kCase1MainSteel,
    requiredHorizontalCase1,
};

constexpr ResultCase kCase2{
    {{" 1.0≧ａ／Ｈ2＞0.5の場合", " 1.0≧ａ／Ｈ2＞0.5"}},
    kCase2Formulas,
    kCase2MainSteel,
    requiredHorizontalCase2,
};

// ---------------------------------------------------------------------------
// Sections

void writeInputSection(const DesignInputs& r, std::size_t page, ReportVariant variant,
                       TextTarget& out) {
    const InputSectionUnits& units = kInputSection[page];
    const UnitTable& table = unitsOf(page);
    const std::string cover = bracketed(table.cover);
    const int leadingBlankLines = variant == ReportVariant::Print ? 4 : 1;
    for (int i = 0; i < leadingBlankLines; ++i)
        out.writeLine("");
    out.writeLine(" (1) 入力データ");
    out.writeLine("  はり寸法   先 端 高" + blanks(10) + f3(r.H1) + " (m)");
    out.writeLine(blanks(13) + "付け根高" + blanks(10) + f3(r.H2) + " (m)");
    out.writeLine(blanks(13) + "張り出し長" + blanks(8) + f3(r.l) + " (m)");
    out.writeLine(blanks(13) + "橋軸方向幅" + blanks(8) + f3(r.b) + " (m)");
    out.writeLine("");
    out.writeLine("  支承位置(はり付け根より)" + blanks(5) + f3(r.a) + " (m)");
    out.writeLine("  支点反力   鉛直力" + blanks(12) + format(r.P, masked(5)) + " " +
                  units.reaction);
    out.writeLine(blanks(13) + "直角方向水平力" + blanks(4) + format(r.H, masked(5)) + " " +
                  units.reaction);
    out.writeLine("");
    out.writeLine("  主 鉄 筋   かぶり" + blanks(14) + format(r.t, masked(3)) + " " + cover);
    out.writeLine(blanks(13) + "鉄筋間隔" + blanks(12) + format(r.c, masked(3)) + " " + cover);
    auto layerLine = [&](const std::string& bar, double count) {
        out.writeLine(blanks(13) + "径－本数" + blanks(10) + alignRight(bar, 2) + " - " +
                      format(count, masked(2)) + " (本)");
    };
    layerLine(r.layer1Bar, r.layer1Count);
    layerLine(r.layer2Bar, r.layer2Count);
    out.writeLine(blanks(13) + "許容引張応力度" + blanks(units.stressBlanks) +
                  format(r.sigmaSa, fixed(0)) + " " + bracketed(table.stress));
    out.writeLine("");
    out.writeLine("  ｺﾝｸﾘｰﾄの単位体積重量" + blanks(units.weightBlanks) +
                  format(r.concreteUnitWeight, fixed(1)) + " " + bracketed(table.unitWeight));
    out.writeLine("");
    out.writeLine("");
}

void writeSelfWeightTable(const DesignInputs& in, const SelfWeight& r, std::size_t page,
                          TextTarget& out) {
    const SelfWeightLayout& s = kSelfWeight[page];
    const UnitTable& units = unitsOf(page);
    out.writeLine(" 1)はりの自重及びモーメント");
    out.writeLine(kRule);
    out.writeLine(blanks(18) + "式" + blanks(32) + "Ｎ" + bracketed(units.force) + blanks(5) +
                  "ｘ(m)" + blanks(6) + "Ｍ" + bracketed(units.moment));
    auto values = [&](double force, double lever, double moment) {
        return format(force, s.force) + blanks(s.forceGap) + format(lever, s.lever) +
               blanks(s.leverGap) + format(moment, s.moment);
    };
    const std::string gamma = format(in.concreteUnitWeight, s.gamma);
    out.writeLine(" ①" + f3(in.l) + " * " + f3(in.H1) + " * " + f3(in.b) + " * " + gamma +
                  blanks(s.row1Gap) + values(r.N1, r.x1, r.M1));
    out.writeLine(" ② 1/2 * " + f3(in.l) + " * (" + f3(in.H2) + " - " + f3(in.H1) + ") * " +
                  f3(in.b) + " * " + gamma + blanks(s.row2Gap) + values(r.N2, r.x2, r.M2));
    out.writeLine(" 合計" + blanks(s.totalGap) + format(r.Ntotal, s.force) +
                  blanks(s.totalMomentGap) + format(r.M, s.moment));
    out.writeLine(kRule);
    for (int i = 0; i < 3; ++i)
        out.writeLine("");
}

void writeMainSteel(const DesignInputs& in, const DesignResults& r, std::size_t page,
                    const ResultCase& resultCase, TextTarget& out) {
    out.writeLine(" 2)鉄筋量の計算");
    out.writeLine(kRule);
    for (const MainSteelLine& line : resultCase.mainSteel) {
        const ValueTail& tail = line.tail[page];
        out.writeLine(" " + std::string(line.label) + blanks(tail.blanks) +
                      format(line.value(in, r), tail.field) + " " +
                      unitText(line.unit, unitsOf(page)));
    }
    out.writeLine(" 判定" + blanks(51) + r.main.judgement);
    out.writeLine(kRule);
    for (int i = 0; i < 3; ++i)
        out.writeLine("");
}

void writeHorizontalBlock(const DesignInputs& in, const DesignResults& r, std::size_t page,
                          const ResultCase& resultCase, TextTarget& out) {
    const HorizontalLayout& h = kHorizontal[page];
    const std::string area = bracketed(unitsOf(page).area);
    out.writeLine(" 3)水平方向用心鉄筋");
    out.writeLine("");
    out.writeLine(blanks(6) + "H=" + blanks(h.requiredBlanks) +
                  format(resultCase.requiredHorizontal(in, r), h.required) + area);
    const SideFaceReinforcement& side = r.sideFaces;
    out.writeLine(" 鉄筋径" + blanks(h.nameBlanks) + alignRight(side.barName, h.nameMask));
    out.writeLine(" 鉄筋本数" + blanks(6) + format(side.barCount, h.count) + "(本)");
    out.writeLine(" 鉄筋量" + blanks(h.areaBlanks) + format(side.As, h.area) + area);
}

void writeResultSection(const DesignInputs& in, const DesignResults& r, std::size_t page,
                        const ResultCase& resultCase, TextTarget& out) {
    out.writeLine("");
    out.writeLine(" (2) 計算結果");
    out.writeLine(resultCase.title[page]);
    for (const char* formula : resultCase.formulas)
        out.writeLine(formula);
    out.writeLine("");
    writeSelfWeightTable(in, r.selfWeight, page, out);
    writeMainSteel(in, r, page, resultCase, out);
    writeHorizontalBlock(in, r, page, resultCase, out);
}

class LineCollector : public TextTarget {
public:
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

} // namespace

bool writeReport(const DesignInputs& inputs, const DesignResults& results, TextTarget& target,
                 ReportVariant variant) {
    std::size_t page = 0;
    if (const auto system = standardUnitSystem(inputs.unitSystem))
        page = *system == UnitSystem::Gravitational ? kGravitational : kSI;
    else
        return false;
    const ResultCase& resultCase = results.ratioCase == 1 ? kCase1 : kCase2;
    writeInputSection(inputs, page, variant, target);
    writeResultSection(inputs, results, page, resultCase, target);
    return true;
}

std::vector<std::string> reportLines(const DesignInputs& inputs, const DesignResults& results,
                                     ReportVariant variant) {
    LineCollector collector;
    writeReport(inputs, results, collector, variant);
    return std::move(collector.lines);
}

std::string reportDocumentName(std::string_view designFileName) {
    if (designFileName.empty())
        return "Haltrix 計算書";
    return std::string(designFileName);
}

} // namespace haltrix
