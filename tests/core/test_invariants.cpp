// SPDX-License-Identifier: GPL-3.0-or-later
// Properties that hold for every design, checked over a few thousand designs
// made by a seeded random generator (the same designs on every run).

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "design/bar_table.h"
#include "design/design_calculation.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "design/horizontal_check.h"
#include "paper/number_format.h"
#include "recording_notifier.h"
#include "paper/report.h"
#include "paper/sheet.h"

using namespace haltrix;

namespace {

constexpr int kDesigns = 3000;


// Makes designs: mostly plausible brackets typed with a few decimals, some
// with arbitrary doubles over a wide range of magnitudes, some with designations
// the bar table does not know.
class DesignGenerator {
public:
    explicit DesignGenerator(unsigned seed) : m_random(seed) {}

    // A number as a user types it: up to `decimals` decimals.
    double typed(double low, double high, int decimals) {
        const double scale = std::pow(10.0, decimals);
        return std::round(uniform(low, high) * scale) / scale;
    }

    // Any double of moderate or extreme magnitude, either sign, or zero.
    double arbitrary() {
        switch (pick(6)) {
        case 0:
            return 0.0;
        case 1:
            return static_cast<double>(pick(100000)) - 50000.0;
        default: {
            const double mantissa = uniform(1.0, 10.0) * (pick(2) ? 1.0 : -1.0);
            const int exponent = static_cast<int>(pick(80)) - 40;
            return mantissa * std::pow(10.0, exponent);
        }
        }
    }

    std::string designation() {
        const int choice = static_cast<int>(pick(12));
        if (choice < kBarCount)
            return std::string(kBarDesignations[choice]);
        static const char* const unknown[] = {"", "d22", "D 22"};
        return unknown[choice - kBarCount];
    }

    double count() { return pick(5) == 0 ? typed(0.0, 12.0, 1) : static_cast<double>(pick(13)); }

    DesignInputs plausible() {
        DesignInputs r;
        r.unitSystem = pick(2) ? kUnitGravitational : kUnitSI;
        const bool si = r.unitSystem == kUnitSI;
        r.H1 = typed(0.2, 2.0, 2);
        r.H2 = r.H1 + typed(0.0, 2.0, 2);
        r.l = typed(0.1, 3.0, 2);
        r.b = typed(0.3, 4.0, 2);
        r.a = typed(0.0, r.H2 * 1.5, 3);
        r.concreteUnitWeight = si ? typed(23.0, 25.0, 1) : typed(2.3, 2.5, 2);
        r.sigmaSa = si ? typed(140.0, 200.0, 0) : typed(1400.0, 2000.0, 0);
        r.P = si ? typed(0.0, 3000.0, 1) : typed(0.0, 300.0, 2);
        r.H = si ? typed(-100.0, 500.0, 1) : typed(-10.0, 50.0, 2);
        r.t = si ? typed(50.0, 150.0, 0) : typed(5.0, 15.0, 1);
        r.c = si ? typed(0.0, 200.0, 0) : typed(0.0, 20.0, 1);
        r.layer1Bar = designation();
        r.layer1Count = count();
        r.layer2Bar = designation();
        r.layer2Count = pick(3) == 0 ? 0.0 : count();
        return r;
    }

    DesignInputs wide() {
        DesignInputs r = plausible();
        for (double* field : {&r.H1, &r.H2, &r.l, &r.b, &r.a, &r.concreteUnitWeight, &r.sigmaSa,
                              &r.P, &r.H, &r.t, &r.c, &r.layer1Count, &r.layer2Count})
            *field = arbitrary();
        r.unitSystem = static_cast<std::int32_t>(pick(2001)) - 1000;
        return r;
    }

    unsigned pick(unsigned n) {
        return std::uniform_int_distribution<unsigned>(0, n - 1)(m_random);
    }
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }

private:
    std::mt19937 m_random;
};

std::string digits15(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value == 0.0 ? 0.0 : value);
    return buffer;
}

// The fifteen inputs must agree to 15 significant digits, texts exactly.
void compareInputs(const DesignInputs& written, const DesignInputs& read) {
    const double first[] = {
        written.H1,         written.H2, written.l, written.b, written.a, written.concreteUnitWeight,
        written.sigmaSa,    written.P,  written.H, written.t, written.c, written.layer1Count,
        written.layer2Count};
    const double second[] = {
        read.H1, read.H2, read.l, read.b, read.a,           read.concreteUnitWeight, read.sigmaSa,
        read.P,  read.H,  read.t, read.c, read.layer1Count, read.layer2Count};
    for (std::size_t i = 0; i < std::size(first); ++i)
        QCOMPARE(digits15(second[i]), digits15(first[i]));
    QCOMPARE(read.layer1Bar, written.layer1Bar);
    QCOMPARE(read.layer2Bar, written.layer2Bar);
    QCOMPARE(read.unitSystem, written.unitSystem);
}

} // namespace

class TestInvariants : public QObject {
    Q_OBJECT

private slots:
    void writtenDesignsReadBack();
    void writtenDesignFilesReadBack();
    void siAreasAreHundredTimesGravitational();
    void engineAreasAreHundredTimesGravitational();
    void mainJudgementFollowsTheAreas();
    void horizontalJudgementFollowsTheAreas();
    void equalAreasAreOk();
    void sheetSharesAddUpToTheTotal();
    void reportLineCountFollowsThePageSet();
};

void TestInvariants::writtenDesignsReadBack() {
    DesignGenerator generator(1);
    for (int i = 0; i < kDesigns; ++i) {
        const DesignInputs design = i % 2 ? generator.wide() : generator.plausible();
        const std::string text = designFileText(design);
        DesignInputs read;
        const auto error = readDesignText(text, "generated.tvx", read);
        QVERIFY2(!error, error ? (error->message() + "\n" + text).c_str() : "");
        compareInputs(design, read);
        // What was read writes the same file again.
        QCOMPARE(designFileText(read), text);
    }
}

void TestInvariants::writtenDesignFilesReadBack() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("design.tvx").toStdString();
    DesignGenerator generator(2);
    for (int i = 0; i < 200; ++i) {
        const DesignInputs design = i % 2 ? generator.wide() : generator.plausible();
        const auto written = writeDesignFile(path, design);
        QVERIFY2(!written, written ? written->message().c_str() : "");
        DesignInputs read;
        const auto error = readDesignFile(path, read);
        QVERIFY2(!error, error ? error->message().c_str() : "");
        compareInputs(design, read);
    }
}

// The mm2 column is its own set of constants, each 100 times the cm2 one in
// decimal. In binary the two agree to 15 significant digits, and bit for bit
// only for some designations, so that is what is asserted.
void TestInvariants::siAreasAreHundredTimesGravitational() {
    int bitwise = 0;
    for (int i = 0; i < kBarCount; ++i) {
        QCOMPARE(plainText(kBarAreaCm2[i] * 100.0), plainText(kBarAreaMm2[i]));
        bitwise += kBarAreaCm2[i] * 100.0 == kBarAreaMm2[i];
        // Whole counts as typed: the layer areas agree to 15 digits.
        for (int count = 0; count <= 1000; ++count) {
            DesignInputs r;
            r.layer1Bar = std::string(kBarDesignations[i]);
            r.layer1Count = count;
            r.layer2Bar = std::string(kBarDesignations[kBarCount - 1 - i]);
            r.layer2Count = 1000 - count;
            const LayerAreas cm2 = layerAreas(r, BarColumn::Cm2);
            const LayerAreas mm2 = layerAreas(r, BarColumn::Mm2);
            QCOMPARE(plainText(cm2.layer1 * 100.0), plainText(mm2.layer1));
            QCOMPARE(plainText(cm2.layer2 * 100.0), plainText(mm2.layer2));
        }
    }
    QVERIFY(bitwise > 0 && bitwise < kBarCount);

    DesignGenerator generator(3);
    for (int i = 0; i < kDesigns; ++i) {
        DesignInputs r = generator.plausible();
        r.layer1Count = generator.uniform(0.0, 1000.0);
        r.layer2Count = generator.arbitrary();
        const LayerAreas gravitational = layerAreas(r, BarColumn::Cm2);
        const LayerAreas si = layerAreas(r, BarColumn::Mm2);
        for (const auto& [g, s] : {std::pair{gravitational.layer1, si.layer1},
                                   std::pair{gravitational.layer2, si.layer2}}) {
            if (g == 0.0) {
                QCOMPARE(s, 0.0);
                continue;
            }
            QVERIFY2(std::fabs(s - 100.0 * g) <= 1e-12 * std::fabs(s),
                     qPrintable(QString("%1 cm2, %2 mm2").arg(g, 0, 'g', 17).arg(s, 0, 'g', 17)));
        }
    }
}

// The engine's twins on the same stored numbers: the gravitational procedure
// with unitSystem 1 reads the cm2 column, the SI procedure the mm2 column.
void TestInvariants::engineAreasAreHundredTimesGravitational() {
    DesignGenerator generator(4);
    int compared = 0;
    for (int i = 0; i < kDesigns; ++i) {
        DesignInputs gravitational = generator.plausible();
        gravitational.unitSystem = kUnitGravitational;
        DesignInputs si = gravitational;
        si.unitSystem = kUnitSI;
        const DesignResults g = calculateDesign(gravitational);
        const DesignResults s = calculateDesign(si);
        // t and c are read in cm by one twin and in mm by the other, so one
        // may stop (a zero effective depth) where the other does not.
        if (!g.completed() || !s.completed())
            continue;
        ++compared;
        QCOMPARE(plainText(g.main.layer1Area * 100.0), plainText(s.main.layer1Area));
        QCOMPARE(plainText(g.main.layer2Area * 100.0), plainText(s.main.layer2Area));
        // The self-weight table is unit-neutral: the same numbers give the same values.
        QCOMPARE(s.selfWeight.Ntotal, g.selfWeight.Ntotal);
        QCOMPARE(s.selfWeight.M, g.selfWeight.M);
    }
    QVERIFY(compared > kDesigns / 2);
}

// "    - OK -" exactly when the provided area is at least the required one,
// and the required area behaves as the method says without being formed
// again here: it is at least Ast and the formula-(1) share of its case, it
// grows with P and with a, and case 2 asks at least as much as case 1.
void TestInvariants::mainJudgementFollowsTheAreas() {
    DesignGenerator generator(5);
    int ok = 0;
    int ng = 0;
    for (int i = 0; i < kDesigns; ++i) {
        DesignInputs r = generator.plausible();
        testing::RecordingNotifier notifier;
        const DesignResults results = calculateDesign(r, {}, notifier);
        QCOMPARE(notifier.count(), results.completed() ? 0 : 1);
        if (!results.completed()) {
            QVERIFY(results.main.judgement.empty());
            continue;
        }
        const MainReinforcement& m = results.main;
        const double required = requiredMainArea(results);
        QVERIFY(required >= m.Ast);
        QVERIFY(required >= (results.ratioCase == 1 ? m.sumAs * 2 / 3 : m.sumAs) * (1 - 1e-15));
        QVERIFY(required == m.Ast || required >= m.sumAs * 2 / 3 * (1 - 1e-15));
        const bool enough = m.layer1Area + m.layer2Area >= required;
        QCOMPARE(m.judgement, std::string(enough ? kJudgementOk : kJudgementNg));
        (enough ? ok : ng) += 1;

        testing::RecordingNotifier other;
        const DesignResults case2 = calculateDesignInCase(r, 2, {}, other);
        QVERIFY(requiredMainArea(case2) >=
                requiredMainArea(calculateDesignInCase(r, 1, {}, other)));
        if (m.Zc <= 0) // a lever arm below the bars turns the pull round
            continue;
        DesignInputs more = r;
        more.P = r.P * 1.5 + 1;
        const DesignResults heavier = calculateDesign(more);
        if (heavier.completed() && heavier.ratioCase == results.ratioCase)
            QVERIFY(requiredMainArea(heavier) >= required);
        more = r;
        more.a = r.a * 1.5 + 0.01;
        const DesignResults farther = calculateDesign(more);
        if (farther.completed())
            QVERIFY(requiredMainArea(farther) >= required);
    }
    // Both judgements occur, so the comparison above is exercised both ways.
    QVERIFY(ok > 100);
    QVERIFY(ng > 100);
}

// The side faces: the provided area is the chosen bars' table area, the
// judgement compares it with the required area, and the required area is
// never above half the formula-(2) steel and the third of formula (1) taken
// together, grows with P, and is smaller in case 2 than in case 1.
void TestInvariants::horizontalJudgementFollowsTheAreas() {
    DesignGenerator generator(6);
    int ok = 0;
    int ng = 0;
    for (int i = 0; i < kDesigns; ++i) {
        DesignInputs r = generator.plausible();
        const int position = static_cast<int>(generator.pick(10)) - 1;
        const double count = generator.count();
        const DesignResults results = calculateDesign(r, {position, count});
        const SideFaceReinforcement& check = results.sideFaces;
        const UnitSystem twin = unitSystemOf(r.unitSystem);
        const BarColumn column =
            twin == UnitSystem::Gravitational ? BarColumn::Cm2 : BarColumn::Mm2;
        QCOMPARE(check.As, barAreaByIndex(position, column) * count);
        const bool enough = check.As >= check.required;
        // A stopped calculation judges nothing.
        QCOMPARE(check.judgement, !results.completed()
                                      ? std::string()
                                      : std::string(enough ? kJudgementOk : kJudgementNg));
        (enough ? ok : ng) += 1;
        if (!results.completed())
            continue;
        const MainReinforcement& m = results.main;
        QVERIFY(check.required <= std::max(m.sumAs / 3, m.Ast / 2) * (1 + 1e-15));
        testing::RecordingNotifier notifier;
        const double case1 = calculateDesignInCase(r, 1, {}, notifier).sideFaces.required;
        const double case2 = calculateDesignInCase(r, 2, {}, notifier).sideFaces.required;
        if (m.Ast >= 0)
            QVERIFY(case2 <= case1);
        DesignInputs heavier = r;
        heavier.P = r.P * 1.5 + 1;
        const DesignResults more = calculateDesign(heavier);
        // With the lever arm above the bars, a larger P pulls harder.
        if (more.completed() && more.ratioCase == results.ratioCase && m.Zc > 0 && r.a >= 0)
            QVERIFY(more.sideFaces.required >= check.required);
    }
    QVERIFY(ok > 100);
    QVERIFY(ng > 100);
}

// A provided area exactly equal to the governing one is enough. The first
// layer's count is chosen so that count x bar area gives the governing area
// to the last bit; without a second layer the count does not change d, Ast
// or sumAs.
void TestInvariants::equalAreasAreOk() {
    DesignGenerator generator(7);
    int exact = 0;
    for (int i = 0; i < kDesigns; ++i) {
        DesignInputs r = generator.plausible();
        r.layer1Bar = std::string(kBarDesignations[generator.pick(kBarCount)]);
        r.layer1Count = 1;
        r.layer2Count = 0;
        const UnitSystem twin = unitSystemOf(r.unitSystem);
        DesignResults results = calculateDesign(r);
        if (!results.completed())
            continue;
        const double governing = requiredMainArea(results);
        const double bar = results.main.layer1Area;
        double count = governing / bar;
        for (const double candidate :
             {count, std::nextafter(count, 0.0), std::nextafter(count, 1e300)}) {
            if (candidate * bar == governing)
                count = candidate;
        }
        if (count * bar != governing)
            continue;
        r.layer1Count = count;
        results = calculateDesign(r);
        QVERIFY(results.completed());
        QCOMPARE(providedMainArea(results), governing);
        QCOMPARE(requiredMainArea(results), governing);
        QCOMPARE(results.main.judgement, std::string(kJudgementOk));

        // One step less is not enough.
        r.layer1Count = std::nextafter(count, 0.0);
        const DesignResults less = calculateDesign(r);
        QVERIFY(less.completed());
        if (less.main.layer1Area < governing)
            QCOMPARE(less.main.judgement, std::string(kJudgementNg));

        // The horizontal check: a count giving exactly the required area is enough.
        const double required = requiredHorizontalArea(r, results);
        const double hBar = barAreaByIndex(0, horizontalColumn(twin));
        double hCount = required / hBar;
        for (const double candidate :
             {hCount, std::nextafter(hCount, 0.0), std::nextafter(hCount, 1e300)}) {
            if (candidate * hBar == required)
                hCount = candidate;
        }
        if (hCount * hBar == required)
            QCOMPARE(checkHorizontal(r, results, twin, 0, hCount).judgement,
                     std::string(kJudgementOk));
        ++exact;
    }
    QVERIFY(exact > kDesigns / 4);
}

// Case 1, FG2 value column: row 4 (2/3 of sumAs) plus row 5 (1/3 of sumAs)
// equals row 3 (sumAs) up to the rounding of the three displayed texts.
// Each text is within half a unit of its last place of the value (two
// decimals, or the 15th significant digit for large values), so the sum of
// the texts differs from row 3 by at most three half units of the coarsest.
void TestInvariants::sheetSharesAddUpToTheTotal() {
    DesignGenerator generator(8);
    for (int i = 0; i < kDesigns; ++i) {
        const DesignInputs r = i % 10 ? generator.plausible() : generator.wide();
        testing::RecordingNotifier notifier;
        const UnitSystem twin = unitSystemOf(r.unitSystem);
        const DesignResults results = calculateDesignInCase(r, 1, {}, notifier);
        const Sheet sheet = fillSheet(r, results, twin);
        const auto value = [&](int row) {
            const auto& cell = sheet.fg2.cell(row, 3);
            const auto number = cell ? parseNumber(*cell) : std::nullopt;
            if (!number)
                qFatal("FG2 row %d is not a number: %s", row, cell ? cell->c_str() : "(none)");
            return *number;
        };
        const double total = value(3);
        const double sum = value(4) + value(5);
        const double unit = std::max(
            0.01,
            std::pow(10.0,
                     std::floor(std::log10(std::max(std::fabs(results.main.sumAs), 1e-300))) - 14));
        QVERIFY2(std::fabs(sum - total) <= 1.5 * unit * (1 + 1e-9),
                 qPrintable(QString("row 3 %1, rows 4 + 5 %2 (sumAs %3)")
                                .arg(QString::fromStdString(*sheet.fg2.cell(3, 3)))
                                .arg(sum, 0, 'g', 17)
                                .arg(results.main.sumAs, 0, 'g', 17)));
    }
}

// The report has the same number of lines for every design of a page set:
// the input-data section (20 lines, the printed one 23) and the result
// section (42 lines in case 1, 36 otherwise); none for another unit system.
void TestInvariants::reportLineCountFollowsThePageSet() {
    DesignGenerator generator(9);
    int pageSets[3] = {0, 0, 0};
    for (int i = 0; i < kDesigns; ++i) {
        DesignInputs r = i % 3 ? generator.plausible() : generator.wide();
        if (i % 7 == 0)
            r.unitSystem = static_cast<std::int32_t>(generator.pick(5));
        const HorizontalChoice choice{static_cast<int>(generator.pick(10)) - 1, generator.count()};
        testing::RecordingNotifier notifier;
        // Every fifth in a case given, whatever a / H2 says.
        const DesignResults results =
            i % 5 != 0
                ? calculateDesign(r, choice, notifier)
                : calculateDesignInCase(r, static_cast<int>(generator.pick(3)), choice, notifier);
        const bool printable = standardUnitSystem(r.unitSystem).has_value();
        const std::size_t result = results.ratioCase == 1 ? 42 : 36;
        ++pageSets[printable ? (results.ratioCase == 1 ? 0 : 1) : 2];
        for (const ReportVariant variant : {ReportVariant::Preview, ReportVariant::Print}) {
            const std::size_t input = variant == ReportVariant::Print ? 23 : 20;
            QCOMPARE(reportLines(r, results, variant).size(), printable ? input + result : 0);
        }
    }
    QVERIFY(pageSets[0] > 100 && pageSets[1] > 100 && pageSets[2] > 10);
}

QTEST_APPLESS_MAIN(TestInvariants)
#include "test_invariants.moc"
