// SPDX-License-Identifier: GPL-3.0-or-later
// The bracket calculation in both unit systems and both formula cases.

#include <QTest>

#include <cmath>

#include "design/design_calculation.h"
#include "design/engine.h"
#include "design/horizontal_check.h"
#include "recording_notifier.h"
#include "worked_examples.h"

using namespace haltrix;
using haltrix::testing::RecordingNotifier;

namespace {

// Agreement with the reference values to the digits they are quoted with.
bool near(double actual, double expected, double tolerance = 5e-7) {
    return std::fabs(actual - expected) <= tolerance * std::max(1.0, std::fabs(expected));
}

#define QCOMPARE_NEAR(actual, expected)                                                            \
    QVERIFY2(near(actual, expected), qPrintable(QStringLiteral("%1 is %2, expected %3")            \
                                                    .arg(#actual)                                  \
                                                    .arg(actual, 0, 'g', 17)                       \
                                                    .arg(expected, 0, 'g', 17)))

UnitSystem twinOf(bool si) {
    return si ? UnitSystem::SI : UnitSystem::Gravitational;
}

// The whole calculation in a formula case given.
DesignResults calculated(const DesignInputs& inputs, int formulaCase, RecordingNotifier& notifier) {
    return calculateDesignInCase(inputs, formulaCase, HorizontalChoice{}, notifier);
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void selfWeight_data() {
        QTest::addColumn<bool>("si");
        QTest::newRow("gravitational") << false;
        QTest::newRow("SI") << true;
    }
    void selfWeight() {
        QFETCH(bool, si);
        const DesignInputs in = si ? workedSI() : workedGravitational();
        const WorkedResults expected = si ? workedResultsSI() : workedResultsGravitational();
        RecordingNotifier notifier;
        SelfWeight r;
        QVERIFY(deriveSelfWeight(in, r, notifier));
        QCOMPARE_NEAR(r.N1, expected.N1);
        QCOMPARE_NEAR(r.x1, expected.x1);
        QCOMPARE_NEAR(r.M1, expected.M1);
        QCOMPARE_NEAR(r.N2, expected.N2);
        QCOMPARE_NEAR(r.x2, expected.x2);
        QCOMPARE_NEAR(r.M2, expected.M2);
        QCOMPARE_NEAR(r.Ntotal, expected.Ntotal);
        QCOMPARE_NEAR(r.M, expected.M);
        QVERIFY(notifier.messages.empty());
    }

    void negativeTriangleEntersSums() {
        DesignInputs in = workedGravitational();
        in.H2 = 0.3; // thinner at the root than at the tip
        RecordingNotifier notifier;
        SelfWeight r;
        QVERIFY(deriveSelfWeight(in, r, notifier));
        // 1/2 x 0.25 x (0.3 - 0.5) x 1.2 x 2.5 = -0.075; N1 = 0.375.
        QCOMPARE_NEAR(r.N2, -0.075);
        QCOMPARE_NEAR(r.Ntotal, 0.3);
    }

    void workedExample_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<int>("formulaCase");
        QTest::newRow("gravitational case 1") << false << 1;
        QTest::newRow("gravitational case 2") << false << 2;
        QTest::newRow("SI case 1") << true << 1;
        QTest::newRow("SI case 2") << true << 2;
    }
    void workedExample() {
        QFETCH(bool, si);
        QFETCH(int, formulaCase);
        RecordingNotifier notifier;
        const DesignResults results =
            calculated(si ? workedSI() : workedGravitational(), formulaCase, notifier);
        QVERIFY(notifier.messages.empty());
        QVERIFY(results.completed());
        QCOMPARE(results.ratioCase, formulaCase);
        const MainReinforcement& r = results.main;
        const WorkedResults expected = si ? workedResultsSI() : workedResultsGravitational();
        QCOMPARE_NEAR(r.S, expected.S);
        QCOMPARE_NEAR(r.sumAs, expected.sumAs);
        QCOMPARE_NEAR(r.layer1Area, expected.layer1Area);
        QCOMPARE_NEAR(r.layer2Area, expected.layer2Area);
        QCOMPARE_NEAR(r.d, expected.d);
        QCOMPARE_NEAR(r.Zc, expected.Zc);
        QCOMPARE_NEAR(r.tanAlpha, expected.tanAlpha);
        QCOMPARE_NEAR(r.Tp, expected.Tp);
        QCOMPARE_NEAR(r.Ast, expected.Ast);
        QCOMPARE(r.judgement, std::string(kJudgementOk));
        // Case 1 governs with Ast (3.86 > 2/3 x 4.15 = 2.76), case 2 with
        // sumAs (4.15 > 3.86).
        QCOMPARE_NEAR(requiredMainArea(results), formulaCase == 1 ? expected.Ast : expected.sumAs);
    }

    // The formula case follows a / H2 unless one is given.
    void calculationDerivesCase_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<int>("expected");
        QTest::newRow("a / H2 = 0.43") << 0.3 << 1;
        QTest::newRow("a / H2 = 0.57") << 0.4 << 2;
    }
    void calculationDerivesCase() {
        QFETCH(double, a);
        QFETCH(int, expected);
        DesignInputs in = workedGravitational();
        in.a = a;
        QCOMPARE(calculateDesign(in).ratioCase, expected);
    }

    // The gravitational procedures read the mm2 column unless unitSystem is 1;
    // the SI ones always do.
    void barColumnByUnitSystem_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<double>("layer1Area");
        QTest::newRow("gravitational, flag 1") << false << 1 << 15.484;
        QTest::newRow("gravitational, flag 2") << false << 2 << 1548.4;
        QTest::newRow("gravitational, flag 3") << false << 3 << 1548.4;
        QTest::newRow("SI, flag 1") << true << 1 << 1548.4;
        QTest::newRow("SI, flag 2") << true << 2 << 1548.4;
    }
    void barColumnByUnitSystem() {
        QFETCH(bool, si);
        QFETCH(int, unitSystem);
        QFETCH(double, layer1Area);
        DesignInputs in = workedGravitational();
        in.unitSystem = unitSystem;
        RecordingNotifier notifier;
        SelfWeight weight;
        deriveSelfWeight(in, weight, notifier);
        MainReinforcement main;
        calcMainRebar(in, twinOf(si), 1, weight, main, notifier);
        QCOMPARE(main.layer1Area, layer1Area);
    }

    void noSecondLayerIgnoresSpacing() {
        // d = H2 - t: 0.7 m - 10 cm, and 0.7 m - 100 mm; c does not enter.
        for (DesignInputs in : {workedGravitational(), workedSI()}) {
            in.layer2Count = 0;
            in.c = 987;
            RecordingNotifier notifier;
            const DesignResults results = calculated(in, 1, notifier);
            QVERIFY(results.completed());
            QCOMPARE_NEAR(results.main.d, 0.6);
        }
    }

    void equalAreaIsOk() {
        // Case 2, first layer only: look for a count of D10 bars whose area is
        // exactly the governing sumAs, then check both sides of it.
        DesignInputs in = workedGravitational();
        in.layer1Bar = "D10";
        in.layer2Count = 0;
        RecordingNotifier notifier;
        DesignResults results = calculated(in, 2, notifier);
        const double governing = requiredMainArea(results);
        QCOMPARE(governing, results.main.sumAs);
        double count = governing / 0.7133;
        bool found = false;
        for (int step = 0; step < 64 && !found; ++step) {
            const double area = count * 0.7133;
            if (area == governing)
                found = true;
            else
                count = std::nextafter(count, area < governing ? 1e9 : 0.0);
        }
        QVERIFY(found);
        in.layer1Count = count;
        results = calculated(in, 2, notifier);
        QCOMPARE(results.main.layer1Area, requiredMainArea(results));
        QCOMPARE(results.main.judgement, std::string(kJudgementOk));
        in.layer1Count = std::nextafter(count, 0.0);
        results = calculated(in, 2, notifier);
        QVERIFY(results.main.layer1Area < requiredMainArea(results));
        QCOMPARE(results.main.judgement, std::string(kJudgementNg));
    }

    // A stop leaves every result after it at its fresh value, whatever was
    // calculated before: the results are those of these inputs alone.
    void zeroSelfWeightStopsBeforeWriting_data() {
        QTest::addColumn<bool>("si");
        QTest::newRow("gravitational") << false;
        QTest::newRow("SI") << true;
    }
    void zeroSelfWeightStopsBeforeWriting() {
        QFETCH(bool, si);
        DesignInputs in = si ? workedSI() : workedGravitational();
        in.l = 0;
        RecordingNotifier notifier;
        const DesignResults results = calculated(in, 1, notifier);
        // The first line as ever; the second names l, the first input that
        // makes the self-weight 0.
        const std::string expected = std::string(kInvalidInputMessage) +
                                     "\n張出長 l = 0 m: 正の値でなければなりません（梁の自重が 0 になります）";
        QCOMPARE(notifier.messages, std::vector<std::string>{expected});
        QCOMPARE(results.message, std::optional<std::string>(expected));
        QCOMPARE(results.selfWeight.Ntotal, 0.0);
        QCOMPARE(results.main, MainReinforcement{});
    }

    void freshInputsReportAndKeepZeros() {
        RecordingNotifier notifier;
        const DesignResults results = calculateDesign(DesignInputs{}, {}, notifier);
        QCOMPARE(notifier.messages.size(), std::size_t(1));
        QVERIFY(!results.completed());
        QCOMPARE(results.main.judgement, std::string());
        QCOMPARE(results.main.S, 0.0);
        // The side faces are still checked (4 x D10 given), but not judged:
        // there is no required steel to judge them against.
        QCOMPARE(results.sideFaces.As, 4 * 0.7133 * 100);
        QCOMPARE(results.sideFaces.judgement, std::string());
    }

    void noBarsStopsAfterAreas_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<int>("formulaCase");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<double>("count");
        QTest::newRow("both counts 0, case 1") << false << 1 << "D22" << 0.0;
        QTest::newRow("both counts 0, case 2") << false << 2 << "D22" << 0.0;
        QTest::newRow("both counts 0, SI case 2") << true << 2 << "D22" << 0.0;
        QTest::newRow("unknown designations") << false << 1 << "d22" << 4.0;
        QTest::newRow("empty designations SI") << true << 1 << "" << 4.0;
    }
    void noBarsStopsAfterAreas() {
        QFETCH(bool, si);
        QFETCH(int, formulaCase);
        QFETCH(QString, bar);
        QFETCH(double, count);
        DesignInputs in = si ? workedSI() : workedGravitational();
        in.layer1Bar = in.layer2Bar = bar.toStdString();
        in.layer1Count = in.layer2Count = count;
        RecordingNotifier notifier;
        const DesignResults results = calculated(in, formulaCase, notifier);
        QCOMPARE(notifier.messages.size(), std::size_t(1));
        const WorkedResults expected = si ? workedResultsSI() : workedResultsGravitational();
        // S and sumAs come before the areas; nothing after them is reached.
        QCOMPARE_NEAR(results.main.S, expected.S);
        QCOMPARE_NEAR(results.main.sumAs, expected.sumAs);
        QCOMPARE(results.main.layer1Area, 0.0);
        QCOMPARE(results.main.layer2Area, 0.0);
        QCOMPARE(results.main.d, 0.0);
        QCOMPARE(results.main.Ast, 0.0);
        QCOMPARE(results.main.judgement, std::string());
    }

    // Divisors of zero and overflowing steps stop with the message and write
    // nothing of the failing step.
    void divisorGuards_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("sigmaSa zero") << "sigmaSa";
        QTest::newRow("effective depth zero") << "depth";
        QTest::newRow("overflowing sumAs") << "overflow";
        QTest::newRow("overflowing areas") << "areas";
        QTest::newRow("overflowing self-weight") << "selfweight";
    }
    void divisorGuards() {
        QFETCH(QString, fault);
        DesignInputs in = workedGravitational();
        if (fault == "sigmaSa") {
            in.sigmaSa = 0;
        } else if (fault == "depth") {
            in.layer2Count = 0;
            in.t = in.H2 * 100; // d = H2 - t / 100 = 0
        } else if (fault == "overflow") {
            in.sigmaSa = 1e-307;
        } else if (fault == "areas") {
            in.layer1Count = 1e308;
        } else if (fault == "selfweight") {
            in.H1 = 1e300;
            in.l = 1e300;
        }
        RecordingNotifier notifier;
        const DesignResults results = calculated(in, 1, notifier);
        QCOMPARE(notifier.messages.size(), std::size_t(1));
        QCOMPARE(messageHeadline(notifier.messages[0]), std::string_view(kInvalidInputMessage));
        const SelfWeight& w = results.selfWeight;
        const MainReinforcement& r = results.main;
        const double fields[] = {w.N1,       w.M1,         w.Ntotal,     w.M, r.S,
                                 r.sumAs,    r.layer1Area, r.layer2Area, r.d, r.Zc,
                                 r.tanAlpha, r.Tp,         r.Ast};
        for (double value : fields)
            QVERIFY(std::isfinite(value));
        QCOMPARE(r.Ast, 0.0);
        QCOMPARE(r.judgement, std::string());
        if (fault == "sigmaSa")
            QCOMPARE_NEAR(r.S, 10.45); // reached; sumAs divides by σsa
        if (fault == "sigmaSa" || fault == "overflow")
            QCOMPARE(r.sumAs, 0.0);
        if (fault == "depth") {
            QCOMPARE(r.d, 0.0);
            QCOMPARE(r.layer1Area, 4 * 3.871);
        }
        if (fault == "selfweight") {
            QCOMPARE(w.N1, 0.0);
            QCOMPARE(r.S, 0.0);
        }
    }

    void formulaCase_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("H2");
        QTest::addColumn<int>("expected");
        QTest::newRow("exactly 0.5") << 0.3 << 0.6 << 1;
        QTest::newRow("just above") << 0.5000001 << 1.0 << 2;
        QTest::newRow("above 1.0 still 2") << 1.5 << 1.0 << 2;
        QTest::newRow("negative a") << -0.2 << 0.7 << 1;
        QTest::newRow("H2 zero") << 0.3 << 0.0 << 0;
        QTest::newRow("NaN a") << std::nan("") << 0.7 << 2;
        QTest::newRow("worked example") << 0.3 << 0.7 << 1;
    }
    void formulaCase() {
        QFETCH(double, a);
        QFETCH(double, H2);
        QFETCH(int, expected);
        DesignInputs in;
        in.a = a;
        in.H2 = H2;
        QCOMPARE(formulaCaseOf(in), expected);
    }

    void largerOf() {
        QCOMPARE(LargerOf(2.0, 1.0), 2.0);
        QCOMPARE(LargerOf(1.0, 2.0), 2.0);
        QCOMPARE(LargerOf(-1.0, -2.0), -1.0);
        // A tie returns the first: distinguishable for signed zeros.
        QVERIFY(!std::signbit(LargerOf(0.0, -0.0)));
        QVERIFY(std::signbit(LargerOf(-0.0, 0.0)));
    }

    void horizontalCheck_data() {
        QTest::addColumn<int>("formulaCase");
        QTest::addColumn<bool>("si");
        QTest::addColumn<int>("barIndex");
        QTest::addColumn<double>("count");
        QTest::addColumn<double>("required");
        QTest::addColumn<double>("hAs");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ok");
        QTest::newRow("4 x D10 case 1")
            << 1 << false << -1 << 4.0 << 1.931135 << 2.8532 << "D10" << true;
        QTest::newRow("2 x D10 case 1")
            << 1 << false << 0 << 2.0 << 1.931135 << 1.4266 << "D10" << false;
        QTest::newRow("4 x D10 case 2")
            << 2 << false << -1 << 4.0 << 1.544908 << 2.8532 << "D10" << true;
        QTest::newRow("4 x D35") << 1 << false << 8 << 4.0 << 1.931135 << 38.264 << "D35" << true;
        QTest::newRow("no bars") << 1 << false << 0 << 0.0 << 1.931135 << 0.0 << "D10" << false;
        QTest::newRow("2.5 bars") << 1 << false << 1 << 2.5 << 1.931135 << 3.1675 << "D13" << true;
        QTest::newRow("SI 4 x D10")
            << 1 << true << -1 << 4.0 << 193.046332 << 285.32 << "D10" << true;
        QTest::newRow("SI case 2")
            << 2 << true << -1 << 4.0 << 154.437065 << 285.32 << "D10" << true;
        QTest::newRow("outside the list")
            << 1 << false << 9 << 4.0 << 1.931135 << 2.8532 << "" << true;
    }
    void horizontalCheck() {
        QFETCH(int, formulaCase);
        QFETCH(bool, si);
        QFETCH(int, barIndex);
        QFETCH(double, count);
        QFETCH(double, required);
        QFETCH(double, hAs);
        QFETCH(QString, name);
        QFETCH(bool, ok);
        RecordingNotifier notifier;
        const DesignResults results = calculateDesignInCase(
            si ? workedSI() : workedGravitational(), formulaCase, {barIndex, count}, notifier);
        const SideFaceReinforcement& check = results.sideFaces;
        QCOMPARE_NEAR(check.required, required);
        QCOMPARE_NEAR(check.As, hAs);
        QCOMPARE(check.barIndex, barIndex);
        QCOMPARE(check.barCount, count);
        QCOMPARE(QString::fromStdString(check.barName), name);
        QCOMPARE(check.judgement, std::string(ok ? kJudgementOk : kJudgementNg));
    }

    // Another choice checks the same main results again.
    void checkSideFacesAgain() {
        const DesignInputs in = workedGravitational();
        DesignResults results = calculateDesign(in);
        const DesignResults main = results;
        results.sideFaces = checkSideFaces(in, results, {8, 2});
        QCOMPARE(results.sideFaces.As, 2 * 9.566);
        QCOMPARE(results.main, main.main);
        results.sideFaces = checkSideFaces(in, results, {});
        QCOMPARE(results, main);
    }

    void horizontalEqualityIsOk() {
        // Case 1 with sumAs 0: the requirement is 0.5 * Ast, which halves
        // exactly, so 4 x D10 meets it to the last bit.
        const DesignInputs in;
        DesignResults r;
        r.ratioCase = 1;
        r.main.Ast = 2 * (0.7133 * 4.0);
        SideFaceReinforcement check = checkHorizontal(in, r, UnitSystem::Gravitational, -1, 4.0);
        QCOMPARE(check.required, check.As);
        QCOMPARE(check.judgement, std::string(kJudgementOk));
        r.main.Ast = std::nextafter(r.main.Ast, 1e9);
        check = checkHorizontal(in, r, UnitSystem::Gravitational, -1, 4.0);
        QCOMPARE(check.judgement, std::string(kJudgementNg));

        check = checkHorizontal(in, DesignResults{}, UnitSystem::Gravitational, 0, 0.0);
        QCOMPARE(check.judgement, std::string(kJudgementOk)); // nothing required
    }

    void horizontalColumnFollowsWindow() {
        const DesignInputs in;
        QCOMPARE(checkHorizontal(in, {}, UnitSystem::Gravitational, 8, 4.0).As, 4 * 9.566);
        QCOMPARE(checkHorizontal(in, {}, UnitSystem::SI, 8, 4.0).As, 4 * 956.6);
    }

    void barCountText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("count");
        QTest::newRow("4") << "4" << 4.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("fraction") << "2.5" << 2.5;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
    }
    void barCountText() {
        QFETCH(QString, text);
        QFETCH(double, count);
        QCOMPARE(barCountFromText(text.toStdString()), count);
    }

    void overflowingCountCountsZero() {
        const SideFaceReinforcement check =
            checkHorizontal(workedGravitational(), {}, UnitSystem::SI, 8, 1e307);
        QVERIFY(std::isfinite(check.As));
        QCOMPARE(check.barCount, 0.0);
    }
};

QTEST_APPLESS_MAIN(TestEngine)
#include "test_engine.moc"
