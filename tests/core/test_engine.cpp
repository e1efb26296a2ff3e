// SPDX-License-Identifier: GPL-3.0-or-later
// The bracket calculation in both unit systems and both formula cases.

#include <QTest>

#include <cmath>

#include "engine.h"
#include "horizontal_check.h"
#include "recording_notifier.h"
#include "worked_examples.h"

using namespace haltrix;

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

using Procedure = bool (*)(DesignRecord&, Notifier&);

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
        DesignRecord r = si ? workedSI() : workedGravitational();
        const WorkedResults expected = si ? workedResultsSI() : workedResultsGravitational();
        RecordingNotifier notifier;
        QVERIFY(deriveSelfWeight(r, notifier));
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
        DesignRecord r = workedGravitational();
        r.H2 = 0.3; // thinner at the root than at the tip
        RecordingNotifier notifier;
        QVERIFY(deriveSelfWeight(r, notifier));
        QVERIFY(r.N2 < 0);
        QCOMPARE(r.Ntotal, r.N2 + r.N1);
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
        DesignRecord r = si ? workedSI() : workedGravitational();
        r.ratioCase = formulaCase;
        RecordingNotifier notifier;
        QVERIFY(runCalculation(r, si ? Twin::SI : Twin::Gravitational, notifier));
        QVERIFY(notifier.messages.empty());
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
        QCOMPARE(r.mainJudgement, std::string(kJudgementOk));
        if (formulaCase == 1) {
            QCOMPARE_NEAR(2.0 / 3.0 * r.sumAs, si ? 276.216931 : 2.76455);
            QCOMPARE(requiredMainArea(r), r.Ast);
        } else {
            QCOMPARE(requiredMainArea(r), r.sumAs);
        }
    }

    // The named procedures are the twins the result windows run.
    void namedProcedures_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<int>("formulaCase");
        QTest::addColumn<void*>("procedure");
        QTest::newRow("calcMainRebarCase1") << false << 1 << (void*)&calcMainRebarCase1;
        QTest::newRow("calcMainRebarCase2") << false << 2 << (void*)&calcMainRebarCase2;
        QTest::newRow("calcMainRebarCase1SI") << true << 1 << (void*)&calcMainRebarCase1SI;
        QTest::newRow("calcMainRebarCase2SI") << true << 2 << (void*)&calcMainRebarCase2SI;
    }
    void namedProcedures() {
        QFETCH(bool, si);
        QFETCH(int, formulaCase);
        QFETCH(void*, procedure);
        DesignRecord viaName = si ? workedSI() : workedGravitational();
        viaName.ratioCase = formulaCase;
        DesignRecord viaTwin = viaName;
        RecordingNotifier notifier;
        deriveSelfWeight(viaName, notifier);
        deriveSelfWeight(viaTwin, notifier);
        QVERIFY(reinterpret_cast<Procedure>(procedure)(viaName, notifier));
        QVERIFY(calcMainRebar(viaTwin, si ? Twin::SI : Twin::Gravitational, notifier));
        QCOMPARE(viaName, viaTwin);
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
        DesignRecord r = workedGravitational();
        r.unitSystem = unitSystem;
        RecordingNotifier notifier;
        runCalculation(r, si ? Twin::SI : Twin::Gravitational, notifier);
        QCOMPARE(r.layer1Area, layer1Area);
    }

    void noSecondLayerIgnoresSpacing() {
        DesignRecord r = workedGravitational();
        r.layer2Count = 0;
        r.c = 987;
        RecordingNotifier notifier;
        QVERIFY(runCalculation(r, Twin::Gravitational, notifier));
        QCOMPARE(r.d, r.H2 - r.t / 100);
        r = workedSI();
        r.layer2Count = 0;
        r.c = 987;
        QVERIFY(runCalculation(r, Twin::SI, notifier));
        QCOMPARE(r.d, r.H2 - r.t / 1000);
    }

    void equalAreaIsOk() {
        // Case 2, first layer only: look for a count of D10 bars whose area is
        // exactly the governing sumAs, then check both sides of it.
        DesignRecord r = workedGravitational();
        r.ratioCase = 2;
        r.layer1Bar = "D10";
        r.layer2Count = 0;
        RecordingNotifier notifier;
        runCalculation(r, Twin::Gravitational, notifier);
        const double governing = requiredMainArea(r);
        QCOMPARE(governing, r.sumAs);
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
        r.layer1Count = count;
        runCalculation(r, Twin::Gravitational, notifier);
        QCOMPARE(r.layer1Area, requiredMainArea(r));
        QCOMPARE(r.mainJudgement, std::string(kJudgementOk));
        r.layer1Count = std::nextafter(count, 0.0);
        runCalculation(r, Twin::Gravitational, notifier);
        QVERIFY(r.layer1Area < requiredMainArea(r));
        QCOMPARE(r.mainJudgement, std::string(kJudgementNg));
    }

    void zeroSelfWeightStopsBeforeWriting_data() {
        QTest::addColumn<bool>("si");
        QTest::newRow("gravitational") << false;
        QTest::newRow("SI") << true;
    }
    void zeroSelfWeightStopsBeforeWriting() {
        QFETCH(bool, si);
        DesignRecord r = si ? workedSI() : workedGravitational();
        RecordingNotifier notifier;
        QVERIFY(runCalculation(r, si ? Twin::SI : Twin::Gravitational, notifier));
        DesignRecord before = r;
        r.l = 0;
        RecordingNotifier second;
        QVERIFY(!runCalculation(r, si ? Twin::SI : Twin::Gravitational, second));
        QCOMPARE(second.messages, std::vector<std::string>{kInvalidInputMessage});
        QCOMPARE(r.Ntotal, 0.0);
        // Nothing after the self-weight table was written.
        QCOMPARE(r.S, before.S);
        QCOMPARE(r.sumAs, before.sumAs);
        QCOMPARE(r.layer1Area, before.layer1Area);
        QCOMPARE(r.Ast, before.Ast);
        QCOMPARE(r.mainJudgement, before.mainJudgement);
    }

    void freshRecordReportsAndKeepsZeros() {
        DesignRecord r;
        RecordingNotifier notifier;
        QVERIFY(!runCalculation(r, Twin::SI, notifier));
        QCOMPARE(notifier.messages.size(), std::size_t(1));
        QCOMPARE(r.mainJudgement, std::string());
        QCOMPARE(r.S, 0.0);
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
        DesignRecord r = si ? workedSI() : workedGravitational();
        r.ratioCase = formulaCase;
        const Twin twin = si ? Twin::SI : Twin::Gravitational;
        RecordingNotifier notifier;
        runCalculation(r, twin, notifier);
        const DesignRecord before = r;
        r.P = r.P * 2; // so that S and sumAs visibly change
        r.layer1Bar = r.layer2Bar = bar.toStdString();
        r.layer1Count = r.layer2Count = count;
        RecordingNotifier second;
        QVERIFY(!runCalculation(r, twin, second));
        QCOMPARE(second.messages.size(), std::size_t(1));
        QCOMPARE(r.S, r.P + r.Ntotal);
        QVERIFY(r.sumAs != before.sumAs);
        QCOMPARE(r.layer1Area, 0.0);
        QCOMPARE(r.layer2Area, 0.0);
        QCOMPARE(r.d, before.d);
        QCOMPARE(r.Ast, before.Ast);
        QCOMPARE(r.mainJudgement, before.mainJudgement);
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
        DesignRecord r = workedGravitational();
        RecordingNotifier notifier;
        runCalculation(r, Twin::Gravitational, notifier);
        const DesignRecord before = r;
        if (fault == "sigmaSa") {
            r.sigmaSa = 0;
        } else if (fault == "depth") {
            r.layer2Count = 0;
            r.t = r.H2 * 100; // d = H2 - t / 100 = 0
        } else if (fault == "overflow") {
            r.sigmaSa = 1e-307;
        } else if (fault == "areas") {
            r.layer1Count = 1e308;
        } else if (fault == "selfweight") {
            r.H1 = 1e300;
            r.l = 1e300;
        }
        RecordingNotifier second;
        QVERIFY(!runCalculation(r, Twin::Gravitational, second));
        QCOMPARE(second.messages, std::vector<std::string>{kInvalidInputMessage});
        const double fields[] = {r.N1,       r.M1,         r.Ntotal,     r.M, r.S,
                                 r.sumAs,    r.layer1Area, r.layer2Area, r.d, r.Zc,
                                 r.tanAlpha, r.Tp,         r.Ast};
        for (double value : fields)
            QVERIFY(std::isfinite(value));
        QCOMPARE(r.Ast, before.Ast);
        QCOMPARE(r.mainJudgement, before.mainJudgement);
        if (fault == "sigmaSa") {
            QCOMPARE(r.S, before.S);
            QCOMPARE(r.sumAs, before.sumAs);
        }
        if (fault == "depth") {
            QCOMPARE(r.d, before.d);
            QCOMPARE(r.layer1Area, 4 * 3.871);
        }
        if (fault == "selfweight")
            QCOMPARE(r.N1, before.N1);
    }

    void ratioCase_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("H2");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("expected");
        QTest::newRow("exactly 0.5") << 0.3 << 0.6 << 0 << 1;
        QTest::newRow("just above") << 0.5000001 << 1.0 << 0 << 2;
        QTest::newRow("above 1.0 still 2") << 1.5 << 1.0 << 1 << 2;
        QTest::newRow("negative a") << -0.2 << 0.7 << 2 << 1;
        QTest::newRow("H2 zero keeps 0") << 0.3 << 0.0 << 0 << 0;
        QTest::newRow("H2 zero keeps 2") << 0.3 << 0.0 << 2 << 2;
        QTest::newRow("worked example") << 0.3 << 0.7 << 0 << 1;
    }
    void ratioCase() {
        QFETCH(double, a);
        QFETCH(double, H2);
        QFETCH(int, before);
        QFETCH(int, expected);
        DesignRecord r;
        r.a = a;
        r.H2 = H2;
        r.ratioCase = before;
        deriveRatioCase(r);
        QCOMPARE(r.ratioCase, expected);
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
        QTest::addColumn<bool>("ok");
        QTest::newRow("4 x D10 case 1") << 1 << false << -1 << 4.0 << 1.931135 << 2.8532 << true;
        QTest::newRow("2 x D10 case 1") << 1 << false << 0 << 2.0 << 1.931135 << 1.4266 << false;
        QTest::newRow("4 x D10 case 2") << 2 << false << -1 << 4.0 << 1.544908 << 2.8532 << true;
        QTest::newRow("4 x D35") << 1 << false << 8 << 4.0 << 1.931135 << 38.264 << true;
        QTest::newRow("no bars") << 1 << false << 0 << 0.0 << 1.931135 << 0.0 << false;
        QTest::newRow("2.5 bars") << 1 << false << 1 << 2.5 << 1.931135 << 3.1675 << true;
        QTest::newRow("SI 4 x D10") << 1 << true << -1 << 4.0 << 193.046332 << 285.32 << true;
        QTest::newRow("SI case 2") << 2 << true << -1 << 4.0 << 154.437065 << 285.32 << true;
    }
    void horizontalCheck() {
        QFETCH(int, formulaCase);
        QFETCH(bool, si);
        QFETCH(int, barIndex);
        QFETCH(double, count);
        QFETCH(double, required);
        QFETCH(double, hAs);
        QFETCH(bool, ok);
        DesignRecord r = si ? workedSI() : workedGravitational();
        r.ratioCase = formulaCase;
        const Twin twin = si ? Twin::SI : Twin::Gravitational;
        RecordingNotifier notifier;
        runCalculation(r, twin, notifier);
        const HorizontalCheck check = runHorizontalCheck(r, twin, barIndex, count);
        QCOMPARE_NEAR(check.required, required);
        QCOMPARE_NEAR(r.hAs, hAs);
        QCOMPARE(r.hBarIndex, double(barIndex));
        QCOMPARE(r.hBarCount, count);
        QCOMPARE(check.judgement, std::string(ok ? kJudgementOk : kJudgementNg));
    }

    void horizontalEqualityIsOk() {
        // Case 1 with sumAs 0: the requirement is 0.5 * Ast, which halves
        // exactly, so 4 x D10 meets it to the last bit.
        DesignRecord r;
        r.ratioCase = 1;
        r.Ast = 2 * (0.7133 * 4.0);
        HorizontalCheck check = runHorizontalCheck(r, Twin::Gravitational, -1, 4.0);
        QCOMPARE(check.required, r.hAs);
        QCOMPARE(check.judgement, std::string(kJudgementOk));
        r.Ast = std::nextafter(r.Ast, 1e9);
        check = runHorizontalCheck(r, Twin::Gravitational, -1, 4.0);
        QCOMPARE(check.judgement, std::string(kJudgementNg));

        DesignRecord zero;
        check = runHorizontalCheck(zero, Twin::Gravitational, 0, 0.0);
        QCOMPARE(check.judgement, std::string(kJudgementOk)); // nothing required
    }

    void horizontalColumnFollowsWindow() {
        DesignRecord r;
        r.unitSystem = 2;
        runHorizontalCheck(r, Twin::Gravitational, 8, 4.0);
        QCOMPARE(r.hAs, 4 * 9.566);
        r.unitSystem = 1;
        runHorizontalCheck(r, Twin::SI, 8, 4.0);
        QCOMPARE(r.hAs, 4 * 956.6);
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
        DesignRecord r = workedGravitational();
        runHorizontalCheck(r, Twin::SI, 8, 1e307);
        QVERIFY(std::isfinite(r.hAs));
        QCOMPARE(r.hBarCount, 0.0);
    }
};

QTEST_APPLESS_MAIN(TestEngine)
#include "test_engine.moc"
