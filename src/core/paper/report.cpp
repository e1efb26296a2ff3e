// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/report.h"

#include <array>
#include <span>

#include "paper/number_format.h"
#include "design/shown_quantities.h"

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

struct InputSectionUnits {
    const char* reaction;
    const char* length; // cover and layer spacing
    int stressBlanks;
    const char* stress;
    int weightBlanks;
    const char* weight;
};

// clang-format off
constexpr PerUnitSystem<InputSectionUnits> kInputSection = {{
    {"(t)", "(cm)", 5, "(kg/cm2)", 11, "(t/m3)"},
    {"(kN)", "(mm)", 6, "(N/mm2)", 10, "(kN/m3)"},
}};

struct SelfWeightLayout {
    const char* forceHead;
    const char* momentHead;
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
    {"Ｎ(tf)", "Ｍ(tf･m)", fixed(3), 21, 4, 48, fixed(3), 7, fixed(3), 5, fixed(3), 17},
    {"Ｎ(kN)", "Ｍ(kN･m)", masked(2), 22, 5, 46, roundedMasked(3, 7), 5, roundedFixed(3, 3), 5,
     roundedMasked(3, 7), 15},
}};
// clang-format on

// The tail of a main-steel line on one page: blanks after the label, the
// value field and the unit.
struct ValueTail {
    int blanks;
    Field field;
    const char* unit;
};

struct MainSteelLine {
    const char* label;
    Quantity value;
    PerUnitSystem<ValueTail> tail;
};

// clang-format off
constexpr MainSteelLine kCase1MainSteel[] = {
    {"はり付け根でのせん断力（自重を含む）", shearForce,
     {{{17, roundedMasked(3, 7), "(tf)"}, {17, roundedMasked(3, 7), "(kN)"}}}},
    {"鉄筋の許容引張応力度", allowableStress,
     {{{36, masked(4), "(kg/cm2)"}, {38, masked(3), "(N/mm2)"}}}},
    {"必要鉄筋量（上面(Ａs1)＋側面(Ａs2)）", requiredByFormula1,
     {{{17, roundedMasked(2, 7), "(cm2)"}, {20, cutMasked(4), "(mm2)"}}}},
    {"（1)式より求まる上面鉄筋量", topShareOfFormula1,
     {{{27, roundedMasked(2, 7), "(cm2)"}, {31, cutMasked(4), "(mm2)"}}}},
    {"（1)式より求まる側面鉄筋量", sideShareOfFormula1,
     {{{27, roundedMasked(2, 7), "(cm2)"}, {31, cutMasked(4), "(mm2)"}}}},
    {"Ｔp = Ｐ･tanα", bearingThrust,
     {{{40, roundedMasked(3, 6), "(tf)"}, {40, roundedMasked(3, 7), "(kN)"}}}},
    {"水平力 (支点直角方向水平力)", horizontalForce,
     {{{27, roundedMasked(3, 6), "(tf)"}, {27, roundedMasked(3, 7), "(kN)"}}}},
    {"自重によるはり付け根のモーメント", rootMoment,
     {{{22, roundedMasked(3, 6), "(tf･m)"}, {22, roundedMasked(3, 7), "(kN･m)"}}}},
    {"Ｚc = 0.85･ｄ", leverArm,
     {{{42, roundedMasked(2, 5), "(m)"}, {43, roundedMasked(2, 5), "(m)"}}}},
    {"鉄筋の許容引張応力度", allowableStress,
     {{{36, masked(4), "(kg/cm2)"}, {38, masked(3), "(N/mm2)"}}}},
    {"（2)式より求まるはり上面鉄筋量", requiredByFormula2,
     {{{23, roundedMasked(2, 7), "(cm2)"}, {26, cutMasked(5), "(mm2)"}}}},
    {"水平方向用心鉄筋量", halfOfFormula2,
     {{{35, roundedMasked(2, 7), "(cm2)"}, {38, cutMasked(5), "(mm2)"}}}},
    {"上面配置鉄筋量", providedTopSteel,
     {{{39, roundedMasked(2, 7), "(cm2)"}, {42, cutMasked(5), "(mm2)"}}}},
};

constexpr MainSteelLine kCase2MainSteel[] = {
    {"Ｔp = Ｐ･tanα", bearingThrust,
     {{{40, roundedMasked(3, 7), "(tf)"}, {39, roundedMasked(3, 7), "(kN)"}}}},
    {"水平力 (支点直角方向水平力)", horizontalForce,
     {{{27, roundedMasked(3, 7), "(tf)"}, {26, roundedMasked(3, 7), "(kN)"}}}},
    {"自重によるはり付け根のモーメント", rootMoment,
     {{{22, roundedMasked(3, 7), "(tf･m)"}, {21, roundedMasked(3, 7), "(kN･m)"}}}},
    {"Ｚc = 0.85･ｄ", leverArm,
     {{{43, roundedMasked(2, 5), "(m)"}, {42, roundedMasked(2, 5), "(m)"}}}},
    {"鉄筋の許容引張応力度", allowableStress,
     {{{37, masked(4), "(kg/cm2)"}, {37, masked(3), "(N/mm2)"}}}},
    {"はり上面必要鉄筋量", requiredByFormula2,
     {{{36, roundedMasked(2, 7), "(cm2)"}, {38, cutMasked(4), "(mm2)"}}}},
    {"水平方向用心鉄筋量", fortyPercentOfFormula2,
     {{{36, roundedMasked(2, 7), "(cm2)"}, {38, cutMasked(4), "(mm2)"}}}},
    {"上面配置鉄筋量", providedTopSteel,
     {{{40, roundedMasked(2, 7), "(cm2)"}, {42, cutMasked(4), "(mm2)"}}}},
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
    const char* unit; // of the required and the provided area
};

// clang-format off
constexpr PerUnitSystem<HorizontalLayout> kHorizontal = {{
    {2, roundedMasked(2, 7), 6, 4, masked(2), 4, roundedMasked(2, 6), "(cm2)"},
    {5, cutMasked(4), 7, 3, cutMasked(2), 6, cutMasked(4), "(mm2)"},
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
    out.writeLine("  主 鉄 筋   かぶり" + blanks(14) + format(r.t, masked(3)) + " " + units.length);
    out.writeLine(blanks(13) + "鉄筋間隔" + blanks(12) + format(r.c, masked(3)) + " " +
                  units.length);
    auto layerLine = [&](const std::string& bar, double count) {
        out.writeLine(blanks(13) + "径－本数" + blanks(10) + alignRight(bar, 2) + " - " +
                      format(count, masked(2)) + " (本)");
    };
    layerLine(r.layer1Bar, r.layer1Count);
    layerLine(r.layer2Bar, r.layer2Count);
    out.writeLine(blanks(13) + "許容引張応力度" + blanks(units.stressBlanks) +
                  format(r.sigmaSa, fixed(0)) + " " + units.stress);
    out.writeLine("");
    out.writeLine("  ｺﾝｸﾘｰﾄの単位体積重量" + blanks(units.weightBlanks) +
                  format(r.concreteUnitWeight, fixed(1)) + " " + units.weight);
    out.writeLine("");
    out.writeLine("");
}

void writeSelfWeightTable(const DesignInputs& in, const SelfWeight& r, std::size_t page,
                          TextTarget& out) {
    const SelfWeightLayout& s = kSelfWeight[page];
    out.writeLine(" 1)はりの自重及びモーメント");
    out.writeLine(kRule);
    out.writeLine(blanks(18) + "式" + blanks(32) + s.forceHead + blanks(5) + "ｘ(m)" + blanks(6) +
                  s.momentHead);
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
                      format(line.value(in, r), tail.field) + " " + tail.unit);
    }
    out.writeLine(" 判定" + blanks(51) + r.main.judgement);
    out.writeLine(kRule);
    for (int i = 0; i < 3; ++i)
        out.writeLine("");
}

void writeHorizontalBlock(const DesignInputs& in, const DesignResults& r, std::size_t page,
                          const ResultCase& resultCase, TextTarget& out) {
    const HorizontalLayout& h = kHorizontal[page];
    out.writeLine(" 3)水平方向用心鉄筋");
    out.writeLine("");
    out.writeLine(blanks(6) + "H=" + blanks(h.requiredBlanks) +
                  format(resultCase.requiredHorizontal(in, r), h.required) + h.unit);
    const SideFaceReinforcement& side = r.sideFaces;
    out.writeLine(" 鉄筋径" + blanks(h.nameBlanks) + alignRight(side.barName, h.nameMask));
    out.writeLine(" 鉄筋本数" + blanks(6) + format(side.barCount, h.count) + "(本)");
    out.writeLine(" 鉄筋量" + blanks(h.areaBlanks) + format(side.As, h.area) + h.unit);
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
    if (inputs.unitSystem == kUnitGravitational)
        page = kGravitational;
    else if (inputs.unitSystem == kUnitSI)
        page = kSI;
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
