// SPDX-License-Identifier: GPL-3.0-or-later
// Converting a design between the unit systems on purpose: the worked
// example both ways, the round trip, rounding and designs that cannot be
// converted. Expected values are worked out by hand from the factors.

#include <QTest>

#include <cmath>
#include <cstdio>

#include "files/design_file.h"
#include "paper/number_format.h"
#include "studies/unit_conversion.h"
#include "worked_examples.h"

using namespace haltrix;

namespace {

bool near(double actual, double expected) {
    return std::fabs(actual - expected) <= 1e-13 * std::fabs(expected);
}

// The same 14 significant digits.
bool same14(double a, double b) {
    char first[64];
    char second[64];
    std::snprintf(first, sizeof first, "%.13e", a);
    std::snprintf(second, sizeof second, "%.13e", b);
    return std::string_view(first) == second;
}

UnitConversion converted(const DesignInputs& design, std::int32_t to, int digits = 0) {
    UnitConversion result;
    const auto error = convertUnitSystem(design, to, digits, result);
    if (error)
        qWarning("%s", error->c_str());
    return result;
}

} // namespace

class TestUnitConversion : public QObject {
    Q_OBJECT

private slots:
    // 10 tf x 9.80665 = 98.0665 kN; 1800 kg/cm2 x 0.0980665 = 176.5197 N/mm2;
    // 2.5 t/m3 x 9.80665 = 24.516625 kN/m3; 10 cm = 100 mm; 25 cm = 250 mm.
    void workedExampleToSI() {
        const UnitConversion result = converted(workedGravitational(), kUnitSI);
        const DesignInputs& r = result.design;
        QCOMPARE(plainText(r.P), std::string("98.0665"));
        QCOMPARE(plainText(r.sigmaSa), std::string("176.5197"));
        QCOMPARE(plainText(r.concreteUnitWeight), std::string("24.516625"));
        QVERIFY(near(r.P, 98.0665));
        QVERIFY(near(r.sigmaSa, 176.5197));
        QVERIFY(near(r.concreteUnitWeight, 24.516625));
        QCOMPARE(r.t, 100.0);
        QCOMPARE(r.c, 250.0);
        QCOMPARE(r.H, 0.0);
        QCOMPARE(r.unitSystem, 2);
        // Lengths in m, bars and counts as they were.
        const DesignInputs before = workedGravitational();
        QCOMPARE(r.H1, before.H1);
        QCOMPARE(r.H2, before.H2);
        QCOMPARE(r.l, before.l);
        QCOMPARE(r.b, before.b);
        QCOMPARE(r.a, before.a);
        QCOMPARE(r.layer1Bar, before.layer1Bar);
        QCOMPARE(r.layer1Count, before.layer1Count);
        QCOMPARE(r.layer2Bar, before.layer2Bar);
        QCOMPARE(r.layer2Count, before.layer2Count);
        QCOMPARE(designFileText(r), std::string(" 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n"
                                                " 24.516625 \r\n 176.5197 \r\n 98.0665 \r\n"
                                                " 0 \r\n 100 \r\n 250 \r\nD22\r\n 4 \r\nD22\r\n"
                                                " 2 \r\n 2 \r\n"));
    }

    // The SI example back: 100 / 9.80665 = 10.19716212977928 tf, 180 /
    // 0.0980665 = 1835.489183360271 kg/cm2, 24.5 / 9.80665 = 2.498304721795924
    // t/m3, 100 mm = 10 cm, 250 mm = 25 cm.
    void workedExampleToGravitational() {
        const UnitConversion result = converted(workedSI(), kUnitGravitational);
        const DesignInputs& r = result.design;
        QVERIFY(near(r.P, 10.1971621297792824));
        QVERIFY(near(r.sigmaSa, 1835.48918336027084));
        QVERIFY(near(r.concreteUnitWeight, 2.49830472179592419));
        QCOMPARE(r.t, 10.0);
        QCOMPARE(r.c, 25.0);
        QCOMPARE(r.unitSystem, 1);
        QCOMPARE(result.inputs.size(), std::size_t(6));
    }

    void roundTrip_data() {
        QTest::addColumn<double>("P");
        QTest::addColumn<double>("sigmaSa");
        QTest::addColumn<double>("gamma");
        QTest::addColumn<double>("t");
        QTest::newRow("worked example") << 10.0 << 1800.0 << 2.5 << 10.0;
        QTest::newRow("odd digits") << 123.456789012345 << 1234.56789 << 2.35 << 7.3;
        QTest::newRow("tiny") << 1e-9 << 3e-7 << 1e-12 << 1e-5;
        QTest::newRow("huge") << 1e300 << 1e200 << 3e250 << 1e100;
        QTest::newRow("negative") << -45.5 << -1600.0 << -2.4 << -3.0;
        QTest::newRow("thirds") << 1.0 / 3.0 << 2.0 / 3.0 << 1.0 / 7.0 << 0.1 + 0.2;
    }

    // Either way and back gives the values to 14 significant digits.
    void roundTrip() {
        QFETCH(double, P);
        QFETCH(double, sigmaSa);
        QFETCH(double, gamma);
        QFETCH(double, t);
        for (const std::int32_t start : {kUnitGravitational, kUnitSI}) {
            DesignInputs design = workedGravitational();
            design.unitSystem = start;
            design.P = P;
            design.H = -P / 3;
            design.sigmaSa = sigmaSa;
            design.concreteUnitWeight = gamma;
            design.t = t;
            design.c = 2.5 * t;
            const DesignInputs there = converted(design, otherUnitSystem(start)).design;
            const DesignInputs back = converted(there, start).design;
            QCOMPARE(back.unitSystem, start);
            for (double DesignInputs::*member :
                 {&DesignInputs::P, &DesignInputs::H, &DesignInputs::sigmaSa,
                  &DesignInputs::concreteUnitWeight, &DesignInputs::t, &DesignInputs::c}) {
                QVERIFY2(same14(back.*member, design.*member),
                         qPrintable(QString::number(back.*member, 'g', 17) + " vs " +
                                    QString::number(design.*member, 'g', 17)));
            }
        }
    }

    // 176.5197 to 4 digits is 176.5, 24.516625 is 24.52; to 1 digit 200 and
    // 20. Back, 1835.489... to 4 digits is 1835, 2.4983... is 2.498. P, H,
    // t and c are never rounded.
    void rounding_data() {
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("sigmaSa");
        QTest::addColumn<double>("gamma");
        QTest::newRow("SI, 4 digits") << 2 << 4 << 176.5 << 24.52;
        QTest::newRow("SI, 1 digit") << 2 << 1 << 200.0 << 20.0;
        QTest::newRow("SI, 6 digits") << 2 << 6 << 176.520 << 24.5166;
        QTest::newRow("gravitational, 4 digits") << 1 << 4 << 1835.0 << 2.498;
    }

    void rounding() {
        QFETCH(int, to);
        QFETCH(int, digits);
        QFETCH(double, sigmaSa);
        QFETCH(double, gamma);
        const DesignInputs design = to == kUnitSI ? workedGravitational() : workedSI();
        const UnitConversion result = converted(design, to, digits);
        QCOMPARE(result.design.sigmaSa, sigmaSa);
        QCOMPARE(result.design.concreteUnitWeight, gamma);
        const UnitConversion plain = converted(design, to);
        QCOMPARE(result.design.P, plain.design.P);
        QCOMPARE(result.design.t, plain.design.t);
        const std::string text = result.description();
        QVERIFY(text.find("有効数字 " + std::to_string(digits) + " 桁に丸めました") !=
                std::string::npos);
    }

    void description() {
        const std::string text = converted(workedGravitational(), kUnitSI).description();
        QVERIFY(text.rfind("重力単位からＳＩ単位へ変換しました。\n", 0) == 0);
        QVERIFY(text.find("P = 10 tf → 98.0665 kN\n") != std::string::npos);
        QVERIFY(text.find("σsa = 1800 kg/cm2 → 176.5197 N/mm2\n") != std::string::npos);
        QVERIFY(text.find("γc = 2.5 t/m3 → 24.516625 kN/m3\n") != std::string::npos);
        QVERIFY(text.find("t = 10 cm → 100 mm\n") != std::string::npos);
        QVERIFY(text.find("丸めていません") != std::string::npos);
    }

    void alreadyThere() {
        const UnitConversion result = converted(workedSI(), kUnitSI, 3);
        QVERIFY(result.design == workedSI());
        QVERIFY(result.inputs.empty());
        QVERIFY(result.description().find("すでにＳＩ単位") != std::string::npos);
    }

    void refused_data() {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<double>("P");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unit system 3") << 3 << 10.0 << 2 << 0 << "単位系が 3 の設計";
        QTest::newRow("unit system 0") << 0 << 10.0 << 1 << 0 << "単位系が 0 の設計";
        QTest::newRow("overflow") << 1 << 1e308 << 2 << 0 << "P = 1E+308 tf";
        QTest::newRow("target 3") << 1 << 10.0 << 3 << 0 << "変換先の単位系";
        QTest::newRow("16 digits") << 1 << 10.0 << 2 << 16 << "丸めの桁数";
        QTest::newRow("negative digits") << 1 << 10.0 << 2 << -1 << "丸めの桁数";
    }

    // Nothing is converted and the result is left as it was.
    void refused() {
        QFETCH(int, unitSystem);
        QFETCH(double, P);
        QFETCH(int, to);
        QFETCH(int, digits);
        QFETCH(QString, reason);
        DesignInputs design = workedGravitational();
        design.unitSystem = unitSystem;
        design.P = P;
        UnitConversion result;
        result.roundingDigits = 42;
        const auto error = convertUnitSystem(design, to, digits, result);
        QVERIFY(error);
        QVERIFY2(QString::fromStdString(*error).contains(reason), error->c_str());
        QCOMPARE(result.roundingDigits, 42);
        QVERIFY(result.inputs.empty());
    }
};

QTEST_APPLESS_MAIN(TestUnitConversion)
#include "test_unit_conversion.moc"
