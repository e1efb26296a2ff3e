// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep: where the formula case changes, hand-worked points, that each
// point is one ordinary calculation of its design, and the ranges it refuses.

#include <QTest>

#include <cmath>
#include <limits>

#include "design/design_calculation.h"
#include "design/engine.h"
#include "studies/sweep.h"
#include "worked_examples.h"

using namespace haltrix;

namespace {

std::vector<SweepPoint> swept(const DesignInputs& design, std::string_view name, double from,
                              double to, long steps) {
    std::vector<SweepPoint> points;
    const SweepProblem problem =
        sweepDesign(design, *sweepParameterByName(name), SweepRange{from, to, steps}, points);
    if (problem != SweepProblem::None)
        qWarning("range refused");
    return points;
}

} // namespace

class TestSweep : public QObject {
    Q_OBJECT

private slots:
    void caseChange_data() {
        QTest::addColumn<double>("H2");
        QTest::addColumn<int>("steps");
        QTest::newRow("worked example, 14 steps") << 0.7 << 14;
        QTest::newRow("worked example, 200 steps") << 0.7 << 200;
        QTest::newRow("H2 0.9, 2 steps") << 0.9 << 2;
        QTest::newRow("H2 1.3, 1000 steps") << 1.3 << 1000;
        QTest::newRow("H2 1/3, 6 steps") << 1.0 / 3.0 << 6;
    }

    // Over a from 0 to H2, the middle point is a = 0.5 x H2 exactly and still
    // belongs to case 1; the next one is case 2.
    void caseChange() {
        QFETCH(double, H2);
        QFETCH(int, steps);
        DesignInputs design = workedGravitational();
        design.H2 = H2;
        design.H1 = H2 * 0.7;
        const auto points = swept(design, "a", 0.0, H2, steps);
        QCOMPARE(points.size(), std::size_t(steps + 1));
        const SweepPoint& middle = points[static_cast<std::size_t>(steps / 2)];
        QCOMPARE(middle.value, 0.5 * H2);
        QCOMPARE(middle.ratioCase, 1);
        QCOMPARE(points[static_cast<std::size_t>(steps / 2 + 1)].ratioCase, 2);
        for (std::size_t i = 0; i < points.size(); ++i)
            QCOMPARE(points[i].ratioCase, i <= static_cast<std::size_t>(steps / 2) ? 1 : 2);
        QCOMPARE(points.front().value, 0.0);
        QCOMPARE(points.back().value, H2);
    }

    // The worked example by hand (gravitational): Ntotal = 0.45 tf, M =
    // 0.053125 tf·m, S = 10.45 tf, sumAs = 10.45 / 1.4 / 1800 x 1000 =
    // 4.146825 cm2, d = 0.7 - 0.1 - 0.25 x 7.742 / 23.226 = 0.516667 m,
    // Zc = 0.439167 m. At a = 0.35 (case 1): Ast = (0.35 / Zc x 10 +
    // M / Zc) / 1800 x 1000 = 4.494782 > 2/3 x sumAs. At a = 0.4 (case 2):
    // Ast = 5.127293 > sumAs. Provided 6 x 3.871 = 23.226 cm2.
    void handWorkedPoints() {
        const auto points = swept(workedGravitational(), "a", 0.0, 0.7, 14);
        QCOMPARE(points[7].value, 0.35);
        QVERIFY(std::fabs(points[7].requiredMainArea - 4.494782) < 1e-6);
        QCOMPARE(points[8].value, 0.4);
        QVERIFY(std::fabs(points[8].requiredMainArea - 5.127293) < 1e-6);
        // Below a = 0.2, Ast = (a / Zc x 10 + 0.120967) / 1.8 stays under
        // 2/3 x sumAs = 2.764550, which governs.
        QVERIFY(std::fabs(points[0].requiredMainArea - 2.764550) < 1e-6);
        QVERIFY(std::fabs(points[4].requiredMainArea - 2.764550) < 1e-6);
        for (const SweepPoint& point : points) {
            QCOMPARE(point.providedMainArea, 23.226);
            QCOMPARE(point.mainJudgement, std::string(kJudgementOk));
            QVERIFY(!point.message);
        }
    }

    void eachPointIsOneCalculation_data() {
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("unitSystem");
        QTest::newRow("a, gravitational") << "a" << 0.0 << 1.0 << 1;
        QTest::newRow("a, SI") << "a" << 0.0 << 1.0 << 2;
        QTest::newRow("H, downwards") << "H" << 50.0 << -50.0 << 2;
        QTest::newRow("P into NG") << "P" << 0.0 << 1000.0 << 1;
        QTest::newRow("H2 through zero") << "H2" << 1.0 << -0.2 << 1;
        QTest::newRow("layer 1 count") << "layer1Count" << 0.0 << 12.0 << 2;
        QTest::newRow("sigmaSa through zero") << "sigmaSa" << -100.0 << 300.0 << 2;
        QTest::newRow("l") << "l" << 0.0 << 2.0 << 1;
        QTest::newRow("unit weight") << "concreteUnitWeight" << 0.0 << 100.0 << 2;
    }

    // Whatever the input, a point is exactly what calculating the design
    // with that value gives, message included.
    void eachPointIsOneCalculation() {
        QFETCH(QString, parameter);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(int, unitSystem);
        const DesignInputs design =
            unitSystem == kUnitGravitational ? workedGravitational() : workedSI();
        const auto name = parameter.toStdString();
        const SweepParameter swept = *sweepParameterByName(name);
        std::vector<SweepPoint> points;
        QCOMPARE(sweepDesign(design, swept, SweepRange{from, to, 40}, points), SweepProblem::None);
        QCOMPARE(points.size(), std::size_t(41));
        for (const SweepPoint& point : points) {
            DesignInputs single = design;
            single.*swept.member = point.value;
            const DesignResults results = calculateDesign(single);
            QCOMPARE(point.ratioCase, results.ratioCase);
            QCOMPARE(point.requiredMainArea, requiredMainArea(results));
            QCOMPARE(point.providedMainArea, results.main.layer1Area + results.main.layer2Area);
            QCOMPARE(point.mainJudgement, results.main.judgement);
            QCOMPARE(point.message, results.message);
        }
    }

    void downwards() {
        const auto points = swept(workedSI(), "H", 3.0, -1.0, 8);
        QCOMPARE(points.front().value, 3.0);
        QCOMPARE(points.back().value, -1.0);
        for (std::size_t i = 1; i < points.size(); ++i)
            QVERIFY(points[i].value < points[i - 1].value);
        QCOMPARE(points[4].value, 1.0);
    }

    void refused_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<long>("steps");
        QTest::addColumn<int>("problem");
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("no steps") << 0.0 << 1.0 << 0L << int(SweepProblem::NoSteps);
        QTest::newRow("negative steps") << 0.0 << 1.0 << -5L << int(SweepProblem::NoSteps);
        QTest::newRow("a billion steps")
            << 0.0 << 1.0 << 1'000'000'000L << int(SweepProblem::TooManySteps);
        QTest::newRow("one over the cap")
            << 0.0 << 1.0 << kMaxSweepSteps + 1 << int(SweepProblem::TooManySteps);
        QTest::newRow("infinite end") << 0.0 << inf << 10L << int(SweepProblem::NotFinite);
        QTest::newRow("NaN start") << nan << 1.0 << 10L << int(SweepProblem::NotFinite);
        QTest::newRow("minus infinity") << -inf << 0.0 << 10L << int(SweepProblem::NotFinite);
    }

    // A refused range calculates nothing.
    void refused() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(long, steps);
        QFETCH(int, problem);
        int visits = 0;
        const SweepProblem found =
            sweepDesign(workedSI(), kSweepParameters[0], SweepRange{from, to, steps},
                        [&](const SweepPoint&) { ++visits; });
        QCOMPARE(int(found), problem);
        QCOMPARE(visits, 0);
    }

    void capAndExtremes() {
        QCOMPARE(checkSweepRange({0, 1, kMaxSweepSteps}), SweepProblem::None);
        const double big = std::numeric_limits<double>::max();
        QCOMPARE(checkSweepRange({-big, big, 4}), SweepProblem::None);
        const SweepRange whole{-big, big, 4};
        QCOMPARE(sweepValue(whole, 0), -big);
        QCOMPARE(sweepValue(whole, 2), 0.0);
        QCOMPARE(sweepValue(whole, 4), big);
    }

    void parameters() {
        for (const SweepParameter& parameter : kSweepParameters) {
            QVERIFY(sweepParameterByName(parameter.name).has_value());
            for (const SweepParameter& other : kSweepParameters)
                QVERIFY(&other == &parameter || other.member != parameter.member);
        }
        QVERIFY(!sweepParameterByName("A"));
        QVERIFY(!sweepParameterByName("unitSystem"));
        QCOMPARE(kSweepParameters[0].name, std::string_view("a"));
    }
};

QTEST_APPLESS_MAIN(TestSweep)
#include "test_sweep.moc"
