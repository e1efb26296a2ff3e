// SPDX-License-Identifier: GPL-3.0-or-later
// The design warnings: each code at its boundary, the spacing rule, the
// example designs and records no check may trip over.

#include <QTest>

#include <cmath>
#include <limits>

#include "findings/clear_spacing_rule.h"
#include "files/design_file.h"
#include "findings/design_warnings.h"
#include "worked_examples.h"

using namespace haltrix;

namespace {

// The inputs and the side-face bar count the warnings look at.
struct Design : DesignInputs {
    double hBarCount = 0;
};

std::vector<Finding> warningsOf(const Design& design, const ClearSpacingRule& rule) {
    DesignResults results;
    results.sideFaces.barCount = design.hBarCount;
    return findDesignWarnings(design, results, rule);
}

// The gravitational worked example with the bearing on the overhang
// (a = 0.2 m instead of 0.3 m): a design without findings. Layer 1 and 2 are
// D22 x 4 and x 2, t = 10 cm, c = 25 cm, b = 1.2 m.
Design cleanDesign() {
    Design r{workedGravitational()};
    r.a = 0.2;
    return r;
}

double number(const QString& text) {
    if (text == "nan")
        return std::numeric_limits<double>::quiet_NaN();
    if (text == "inf")
        return std::numeric_limits<double>::infinity();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        qFatal("bad number in test row: %s", qPrintable(text));
    return value;
}

// Applies "field=value;..." to the clean design. "si" first turns it into the
// same design in SI units (γc 24.5 kN/m3, σsa 180 N/mm2, t 100 mm, c 250 mm).
Design designWith(const QString& edits) {
    Design r = cleanDesign();
    for (const QString& edit : edits.split(';', Qt::SkipEmptyParts)) {
        if (edit == "si") {
            r.unitSystem = kUnitSI;
            r.concreteUnitWeight = 24.5;
            r.sigmaSa = 180;
            r.t = 100;
            r.c = 250;
            continue;
        }
        const QString field = edit.section('=', 0, 0);
        const QString value = edit.section('=', 1);
        if (field == "bar1")
            r.layer1Bar = value.toStdString();
        else if (field == "bar2")
            r.layer2Bar = value.toStdString();
        else if (field == "unit")
            r.unitSystem = value.toInt();
        else {
            double DesignInputs::*member = nullptr;
            const std::pair<const char*, double DesignInputs::*> fields[] = {
                {"H1", &DesignInputs::H1},
                {"H2", &DesignInputs::H2},
                {"l", &DesignInputs::l},
                {"b", &DesignInputs::b},
                {"a", &DesignInputs::a},
                {"t", &DesignInputs::t},
                {"c", &DesignInputs::c},
                {"n1", &DesignInputs::layer1Count},
                {"n2", &DesignInputs::layer2Count},
                {"sigma", &DesignInputs::sigmaSa},
                {"gamma", &DesignInputs::concreteUnitWeight}};
            for (const auto& [name, pointer] : fields) {
                if (field == name)
                    member = pointer;
            }
            if (field == "hcount")
                r.hBarCount = number(value);
            else if (!member)
                qFatal("bad field in test row: %s", qPrintable(field));
            else
                r.*member = number(value);
        }
    }
    return r;
}

// "agg=15" or "fixed=40"; empty for the default rule.
// "default": the program's rule as it stands. Otherwise the centres may lie
// any distance apart (so that the rows about other findings see only those),
// unless "centre=" says otherwise.
ClearSpacingRule ruleFrom(const QString& text) {
    ClearSpacingRule rule;
    if (text == "default")
        return rule;
    rule.maxCentreMm = 1e12;
    if (text.startsWith("centre="))
        rule.maxCentreMm = number(text.mid(7));
    else if (text.startsWith("agg="))
        rule.maxAggregateMm = number(text.mid(4));
    else if (text.startsWith("fixed="))
        rule.fixedMm = number(text.mid(6));
    return rule;
}

// The findings as "code:severity" joined by commas, in their order.
QString codes(const std::vector<Finding>& findings) {
    QStringList list;
    for (const Finding& f : findings)
        list << QString::fromStdString(f.code) + ':' +
                    QString::fromUtf8(severityText(f.severity).data(),
                                      qsizetype(severityText(f.severity).size()));
    return list.join(',');
}

} // namespace

class TestDesignWarnings : public QObject {
    Q_OBJECT

private slots:
    void boundaries_data();
    void boundaries();
    void messages_data();
    void messages();
    void spacingRule_data();
    void spacingRule();
    void ruleSettingsValid();
    void exampleDesigns_data();
    void exampleDesigns();
    void summary();
    void oddRecords();
};

// Each row: the edits of the clean design, the spacing rule, and every finding
// expected, in order (so a row also proves that nothing else is found).
void TestDesignWarnings::boundaries_data() {
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("expected");
    const QString W = ":警告";
    const QString N = ":注意";
    auto row = [](const char* name, const char* edits, const char* rule, const QString& expected) {
        QTest::newRow(name) << QString::fromUtf8(edits) << QString::fromUtf8(rule) << expected;
    };
    row("clean gravitational", "", "", "");
    // Centres over 1000 mm: 4 bars 333.3 mm apart, 2 bars 1000 mm, 5 bars 250 mm.
    row("300 mm by default", "", "default",
        "bars-too-far-apart" + N + ",bars-too-far-apart" + N);
    row("5 bars, one layer, by default", "n1=5;bar2=;n2=0", "default", "");
    row("333.34 mm: layer 2 only", "", "centre=333.34", "bars-too-far-apart" + N);
    row("333.33 mm: both", "", "centre=333.33",
        "bars-too-far-apart" + N + ",bars-too-far-apart" + N);
    row("250 mm exactly", "n1=5;bar2=;n2=0", "centre=250", "");
    row("249.99 mm", "n1=5;bar2=;n2=0", "centre=249.99", "bars-too-far-apart" + N);
    row("one bar has no neighbour", "n1=1;bar2=;n2=0", "centre=10", "");
    row("clean SI", "si", "", "");
    row("worked example: a past the tip", "a=0.3", "", "load-off-bracket" + N);

    row("H2 = 0", "H1=0;H2=0", "", "non-positive-dimension" + W + ",cover-beyond-depth" + W);
    row("l = 0", "l=0;a=0", "", "non-positive-dimension" + W);
    row("l just above 0", "l=1e-12;a=0", "", "printed-input-rounded" + N);
    row("b = 0", "b=0", "",
        "non-positive-dimension" + W + ",bars-do-not-fit" + W + ",bars-do-not-fit" + W);
    row("sigma = 0", "sigma=0", "", "non-positive-dimension" + W);
    row("H1 = 0 is a pointed tip", "H1=0", "", "");
    row("H1 below 0", "H1=-0.001", "", "non-positive-dimension" + W);
    row("gamma = 0 leaves out the self-weight", "gamma=0", "", "");
    row("gamma below 0", "gamma=-0.1", "", "non-positive-dimension" + W);

    row("H1 = H2", "H1=0.7", "", "");
    row("H1 just above H2", "H1=0.7000001", "", "tip-deeper-than-root" + W + ",printed-input-rounded" + N);

    row("a = l", "a=0.25", "", "");
    row("a just past l", "a=0.2500001", "", "load-off-bracket" + N + ",printed-input-rounded" + N);
    row("a = 0", "a=0", "", "");
    row("a below 0", "a=-0.001", "", "load-off-bracket" + W);

    row("a/H2 = 1.0", "l=2;a=0.7", "", "");
    row("a/H2 = 1.0000001", "l=2;a=0.70000007", "", "outside-method-range" + W + ",printed-input-rounded" + N);
    row("a/H2 = 2", "l=2;a=1.4", "", "outside-method-range" + W);

    row("t = 0", "t=0", "", "cover-beyond-depth" + W);
    row("t just above 0", "t=0.001", "", "");
    row("t just inside H2", "b=3;t=69.99;bar2=;n2=0", "", "");
    row("t = H2", "b=3;t=70;bar2=;n2=0", "", "cover-beyond-depth" + W);
    row("t + c just inside H2", "t=44.99", "", "");
    row("t + c = H2", "t=45", "", "cover-beyond-depth" + W);
    row("t + c = H2 without layer 2", "t=45;bar2=;n2=0", "", "");
    row("SI: t = H2 in mm", "si;b=3;t=700;bar2=;n2=0", "", "cover-beyond-depth" + W);
    row("SI: t just inside H2", "si;b=3;t=699.9;bar2=;n2=0", "", "");

    row("fractional layer count", "n1=4.5", "", "fractional-bar-count" + N);
    row("negative layer count", "n1=-1", "", "negative-bar-count" + W);
    row("negative horizontal count", "hcount=-2", "", "negative-bar-count" + W);
    row("negative and fractional", "n1=-0.5;n2=2.5", "",
        "negative-bar-count" + W + ",fractional-bar-count" + N);
    row("fractional horizontal count", "hcount=2.5", "", "fractional-bar-count" + N);
    row("whole horizontal count", "hcount=12", "", "");

    row("count without designation", "bar1=", "", "layer-without-bar" + N);
    row("designation with count 0", "n2=0", "", "layer-without-bar" + N);
    row("layer 2 empty", "bar2=;n2=0", "", "");

    row("unknown designation", "bar1=D99", "", "unknown-bar" + W);
    row("designation in lower case", "bar2=d22", "", "unknown-bar" + W);

    row("gravitational sigma = 500", "sigma=500", "", "");
    row("gravitational sigma below 500", "sigma=499.999", "", "units-look-wrong" + N + ",printed-input-rounded" + N);
    row("gravitational gamma = 10", "gamma=10", "", "");
    row("gravitational gamma above 10", "gamma=10.001", "", "units-look-wrong" + N + ",printed-input-rounded" + N);
    row("SI sigma = 1000", "si;sigma=1000", "", "");
    row("SI sigma above 1000", "si;sigma=1000.001", "", "units-look-wrong" + N + ",printed-input-rounded" + N);
    row("SI gamma = 5", "si;gamma=5", "", "");
    row("SI gamma below 5", "si;gamma=4.999", "", "units-look-wrong" + N + ",printed-input-rounded" + N);
    row("SI gamma = 0", "si;gamma=0", "", "");
    // Also c = 25 read as mm: 25 - 22.2 leaves 2.8 mm between the layers.
    row("switched without converting", "unit=2", "",
        "units-look-wrong" + N + ",units-look-wrong" + N + ",layers-too-close" + N);

    // 1000 mm between the outer centres; D22 needs 33.33 mm (4/3 x 25 mm):
    // 19 bars leave 1000/18 - 22.2 = 33.36 mm, 20 bars 1000/19 - 22.2 = 30.43.
    row("19 x D22 just fit", "n1=19", "", "");
    row("20 x D22 do not", "n1=20", "", "bars-do-not-fit" + W);
    row("SI: 19 x D22 just fit", "si;n1=19", "", "");
    row("SI: 20 x D22 do not", "si;n1=20", "", "bars-do-not-fit" + W);
    // D35 governs with 34.9 mm: 15 bars leave 71.43 - 34.9 = 36.53 mm, 16 bars
    // 66.67 - 34.9 = 31.77 mm.
    row("15 x D35 just fit", "bar1=D35;n1=15", "", "");
    row("16 x D35 do not", "bar1=D35;n1=16", "", "bars-do-not-fit" + W);
    // 19.9 bars are built as 19, 20.5 as 20.
    row("19.9 x D22", "n1=19.9", "", "fractional-bar-count" + N);
    row("20.5 x D22", "n1=20.5", "", "fractional-bar-count" + N + ",bars-do-not-fit" + W);
    // Aggregate 15 mm: 4/3 x 15 = 20 mm, so the D22 diameter (22.2 mm)
    // governs: 23 bars leave 45.45 - 22.2 = 23.25 mm, 24 bars 21.28 mm.
    row("aggregate 15: 23 x D22 fit", "n1=23", "agg=15", "");
    row("aggregate 15: 24 x D22 do not", "n1=24", "agg=15", "bars-do-not-fit" + W);
    row("fixed 40: 19 x D22 do not", "n1=19", "fixed=40", "bars-do-not-fit" + W);
    row("fixed 20: 23 x D22 fit", "n1=23", "fixed=20", "");
    row("layer 2 too wide", "n2=20", "", "bars-do-not-fit" + W);

    // c - (22.2 + 22.2)/2 against 33.33 mm: 55.6 mm leave 33.4, 55.5 mm 33.3.
    row("layers just far enough", "c=5.56", "", "");
    row("layers too close", "c=5.55", "", "layers-too-close" + N);
    row("SI: layers just far enough", "si;c=55.6", "", "");
    row("SI: layers too close", "si;c=55.5", "", "layers-too-close" + N);
    row("fixed 20: c = 4.3 cm", "c=4.3", "fixed=20", "");
    row("fixed 20: c = 4.1 cm", "c=4.1", "fixed=20", "layers-too-close" + N);
    row("layers close, layer 2 empty", "c=1;bar2=;n2=0", "", "");
    // D35 over D22: (34.9 + 22.2)/2 = 28.55, minimum 34.9: c >= 63.45 mm.
    row("D35 over D22 far enough", "bar1=D35;c=6.35", "", "");
    row("D35 over D22 too close", "bar1=D35;c=6.34", "", "layers-too-close" + N);

    // Beyond any bracket: lengths above 100 m, t and c above 10 m (1000 cm,
    // 10000 mm).
    row("b = 100 m", "b=100", "", "");
    row("b above 100 m", "b=100.5;n1=2;n2=2", "", "implausible-dimension" + N);
    row("a far behind the root", "a=-150", "",
        "implausible-dimension" + N + ",load-off-bracket" + W);
    row("t = 1000 cm", "t=1000;H2=20;H1=5;b=30", "", "");
    row("c above 1000 cm", "c=1000.5;H2=20;H1=5;b=30", "", "implausible-dimension" + N);
    row("SI: t above 10000 mm", "si;t=10001;H2=20;H1=5;b=30", "", "implausible-dimension" + N);

    // The report prints H1..a with 3 decimals, σsa with none and γc with one.
    row("sigma 176.5197", "si;sigma=176.5197", "", "printed-input-rounded" + N);
    row("gamma 24.516625", "si;gamma=24.516625", "", "printed-input-rounded" + N);
    row("gamma 24.5 prints as typed", "si;gamma=24.5", "", "");
    row("a with four decimals", "a=0.2125", "", "printed-input-rounded" + N);
    row("three lengths rounded", "H1=0.4999;H2=0.7001;b=1.2004", "",
        "printed-input-rounded" + N + ",printed-input-rounded" + N + ",printed-input-rounded" + N);

    // A comparison with NaN is a finding, never a pass.
    row("H2 NaN", "H2=nan", "",
        "non-positive-dimension" + W + ",tip-deeper-than-root" + W + ",cover-beyond-depth" + W);
    row("a NaN", "a=nan", "", "load-off-bracket" + W + ",outside-method-range" + W);
    row("l NaN", "l=nan", "", "non-positive-dimension" + W + ",load-off-bracket" + N);
    row("count NaN", "n1=nan", "", "fractional-bar-count" + N + ",layer-without-bar" + N);
    row("count NaN, no designation", "bar1=;n1=nan", "",
        "fractional-bar-count" + N + ",layer-without-bar" + N);
    row("c NaN", "c=nan", "", "cover-beyond-depth" + W + ",layers-too-close" + N);
    row("b NaN", "b=nan", "",
        "non-positive-dimension" + W + ",bars-do-not-fit" + W + ",bars-do-not-fit" + W +
            ",bars-too-far-apart" + N + ",bars-too-far-apart" + N);
    row("sigma NaN", "sigma=nan", "", "non-positive-dimension" + W + ",units-look-wrong" + N);
    row("aggregate NaN", "", "agg=nan",
        "bars-do-not-fit" + W + ",bars-do-not-fit" + W + ",layers-too-close" + N);
    row("infinite count", "n1=inf", "", "fractional-bar-count" + N + ",bars-do-not-fit" + W);
}

void TestDesignWarnings::boundaries() {
    QFETCH(QString, edits);
    QFETCH(QString, rule);
    QFETCH(QString, expected);
    QCOMPARE(codes(warningsOf(designWith(edits), ruleFrom(rule))), expected);
}

// The messages name the values they are about, and never spell a NaN "nan".
void TestDesignWarnings::messages_data() {
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("a/H2 = 2") << "l=2;a=1.4"
                              << "" << QStringList{"a/H2 = 2", "a = 1.4 m", "H2 = 0.7 m", "1.0"};
    QTest::newRow("a past the tip") << "a=0.3"
                                    << "" << QStringList{"a = 0.3 m", "l = 0.25 m", "0.05 m"};
    QTest::newRow("which dimension") << "b=-1.5"
                                     << "" << QStringList{"橋軸方向幅 b = -1.5 m"};
    QTest::newRow("unknown bar") << "bar1=D99"
                                 << "" << QStringList{"１段目", "「D99」"};
    QTest::newRow("cover in cm") << "b=3;t=70;bar2=;n2=0"
                                 << "" << QStringList{"t = 70 cm", "0.7 m", "H2 = 0.7 m"};
    QTest::newRow("bars: default rule")
        << "n1=20"
        << ""
        << QStringList{"D22 × 20 本", "30.4 mm", "33.3 mm", "b = 1.2 m",
                       "最小あき: 20 mm、粗骨材最大寸法 25 mm の 4/3、鉄筋径のうち最大の値"};
    QTest::newRow("bars: fixed rule")
        << "n1=19"
        << "fixed=40" << QStringList{"33.4 mm", "40.0 mm", "最小あき: 固定値 40 mm"};
    QTest::newRow("layers") << "c=5.55"
                            << ""
                            << QStringList{"33.3 mm", "c = 5.55 cm", "φ1 = 22.2 mm",
                                           "粗骨材最大寸法 25 mm"};
    QTest::newRow("NaN in words") << "H2=nan"
                                  << "" << QStringList{"H2 = 非数 m"};
    QTest::newRow("printed rounded") << "si;sigma=176.5197"
                                     << "" << QStringList{"σsa = 176.5197 は計算書に 177 と印刷されます"};
    QTest::newRow("implausible") << "b=1e300"
                                 << "" << QStringList{"橋軸方向幅 b = 1E+300 m", "100 m 超"};
    QTest::newRow("negative count") << "n2=-3"
                                    << "" << QStringList{"２段目の本数 n = -3 本が負です"};
    QTest::newRow("units") << "unit=2"
                           << "" << QStringList{"σsa = 1800 N/mm2", "重力単位", "γc = 2.5 kN/m3"};
}

void TestDesignWarnings::messages() {
    QFETCH(QString, edits);
    QFETCH(QString, rule);
    QFETCH(QStringList, parts);
    const std::vector<Finding> findings = warningsOf(designWith(edits), ruleFrom(rule));
    QVERIFY(!findings.empty());
    QString all;
    for (const Finding& f : findings)
        all += QString::fromStdString(f.message) + '\n';
    for (const QString& part : parts)
        QVERIFY2(all.contains(part), qPrintable(part + " not in:\n" + all));
    QVERIFY2(!all.contains("nan", Qt::CaseInsensitive), qPrintable(all));
    QVERIFY2(!all.contains("inf", Qt::CaseInsensitive), qPrintable(all));
}

void TestDesignWarnings::spacingRule_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<double>("minimum");
    // 4/3 x 25 = 33.33 mm; 4/3 x 15 = 20; 4/3 x 10 = 13.33, below the 20 mm floor.
    QTest::newRow("default, D22") << "" << 22.2 << 100.0 / 3.0;
    QTest::newRow("default, D35") << "" << 34.9 << 34.9;
    QTest::newRow("aggregate 10, D10") << "agg=10" << 9.53 << 20.0;
    QTest::newRow("aggregate 10, D22") << "agg=10" << 22.2 << 22.2;
    QTest::newRow("aggregate 40, D35") << "agg=40" << 34.9 << 160.0 / 3.0;
    QTest::newRow("fixed 15, D35") << "fixed=15" << 34.9 << 15.0;
    QTest::newRow("fixed 60, D10") << "fixed=60" << 9.53 << 60.0;
}

void TestDesignWarnings::spacingRule() {
    QFETCH(QString, rule);
    QFETCH(double, diameter);
    QFETCH(double, minimum);
    QCOMPARE(minimumClearSpacingMm(ruleFrom(rule), diameter), minimum);
}

void TestDesignWarnings::ruleSettingsValid() {
    QVERIFY(isValidSpacingSettingMm(0.1));
    QVERIFY(isValidSpacingSettingMm(25));
    QVERIFY(!isValidSpacingSettingMm(0));
    QVERIFY(!isValidSpacingSettingMm(-5));
    QVERIFY(!isValidSpacingSettingMm(std::numeric_limits<double>::quiet_NaN()));
    QVERIFY(!isValidSpacingSettingMm(std::numeric_limits<double>::infinity()));
    ClearSpacingRule fixed;
    fixed.fixedMm = 30;
    QCOMPARE(QString::fromStdString(describeClearSpacingRule(fixed)),
             QStringLiteral("最小あき: 固定値 30 mm"));
    ClearSpacingRule aggregate;
    aggregate.maxAggregateMm = 20;
    QCOMPARE(QString::fromStdString(describeClearSpacingRule(aggregate)),
             QStringLiteral("最小あき: 20 mm、粗骨材最大寸法 20 mm の 4/3、鉄筋径のうち最大の値"));
}

void TestDesignWarnings::exampleDesigns_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("gravitational") << "bracket-gravitational.tvx";
    QTest::newRow("SI") << "bracket-si.tvx";
}

// l = 0.25 m and a = 0.3 m: the bearing stands 0.05 m past the tip. b = 1.2 m
// and t = 10 cm leave 1000 mm for the centres: D22 × 4 lie 333 mm apart and
// D22 × 2 1000 mm, both beyond the 300 mm the rule allows by default.
void TestDesignWarnings::exampleDesigns() {
    QFETCH(QString, file);
    DesignInputs record;
    const auto error =
        readDesignFile((QStringLiteral(HALTRIX_EXAMPLES_DIR "/") + file).toStdString(), record);
    QVERIFY(!error);
    const std::vector<Finding> findings = findDesignWarnings(record, ClearSpacingRule{});
    QCOMPARE(codes(findings),
             QStringLiteral("load-off-bracket:注意,bars-too-far-apart:注意,bars-too-far-apart:注意"));
    QCOMPARE(findings[0].values.size(), std::size_t(2));
    QCOMPARE(findings[0].values[0].value, 0.3);
    QCOMPARE(findings[0].values[1].value, 0.25);
    QVERIFY(!hasWarning(findings));
}

void TestDesignWarnings::summary() {
    QCOMPARE(QString::fromStdString(findingsSummary({})), QString());
    const auto three = warningsOf(designWith("a=0.3;n1=2.5;bar2=D99"), ruleFrom(""));
    QCOMPARE(QString::fromStdString(findingsSummary(three)), QStringLiteral("警告 1件  注意 2件"));
    QVERIFY(hasWarning(three));
    const auto one = warningsOf(designWith("a=0.3"), ruleFrom(""));
    QCOMPARE(QString::fromStdString(findingsSummary(one)), QStringLiteral("注意 1件"));
    QCOMPARE(QString::fromStdString(findingLine(one.front())).left(4), QStringLiteral("注意: "));
}

// Records the program can hold but no engineer would type: no check may
// crash, and every one of them is reported.
void TestDesignWarnings::oddRecords() {
    const double huge = std::numeric_limits<double>::max();
    Design fresh;
    QVERIFY(hasWarning(warningsOf(fresh, {})));
    Design extreme = cleanDesign();
    extreme.b = huge;
    extreme.t = -huge;
    extreme.c = huge;
    extreme.layer1Count = 1e300;
    extreme.layer2Count = huge;
    extreme.layer1Bar = std::string(4096, 'D');
    const auto findings = warningsOf(extreme, {});
    QVERIFY(hasWarning(findings));
    for (const Finding& f : findings)
        QVERIFY2(!QString::fromStdString(f.message).contains("nan", Qt::CaseInsensitive),
                 f.message.c_str());
}

QTEST_APPLESS_MAIN(TestDesignWarnings)
#include "test_design_warnings.moc"
