// SPDX-License-Identifier: GPL-3.0-or-later
// The bracket in three dimensions: where the model puts the body and the
// bars, what it refuses, the clash check, the isometric view, the STEP text
// and GlobalIds, and the IFC file's structure. Expected values are worked
// out by hand from the worked example (b 1200 mm, t 100 mm, 4 + 2 x D22).

#include <QTest>

#include <cmath>
#include <set>

#include "design/design_calculation.h"
#include "model/bracket_model.h"
#include "model/clash_check.h"
#include "model/ifc_export.h"
#include "model/ifc_guid.h"
#include "model/isometric.h"
#include "model/step_text.h"
#include "step_file_check.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::model;

Q_DECLARE_METATYPE(haltrix::DesignInputs)
Q_DECLARE_METATYPE(haltrix::model::AnchorageRule)
Q_DECLARE_METATYPE(haltrix::ClearSpacingRule)

namespace {

constexpr double kD22 = 22.2;
constexpr double kD10 = 9.53;

BracketModel modelOf(const DesignInputs& inputs, HorizontalChoice choice = {},
                     AnchorageRule anchorage = kDefaultAnchorage) {
    const ModelOutcome outcome = buildBracketModel(inputs, choice, anchorage);
    if (!outcome.model)
        qFatal("no model: %s", outcome.problem.c_str());
    return *outcome.model;
}

std::vector<const ModelBar*> barsOf(const BracketModel& model, BarKind kind, int layer) {
    std::vector<const ModelBar*> bars;
    for (const ModelBar& bar : model.bars) {
        if (bar.kind == kind && bar.layer == layer)
            bars.push_back(&bar);
    }
    return bars;
}

bool mentions(const std::vector<std::string>& lines, const QString& part) {
    for (const std::string& line : lines) {
        if (QString::fromStdString(line).contains(part))
            return true;
    }
    return false;
}

} // namespace

class TestBracketModel : public QObject {
    Q_OBJECT

private slots:
    // The main bars: in the section where the layout puts them, along x from
    // the tip less t back into the support by the anchorage.
    void mainBars_data() {
        QTest::addColumn<DesignInputs>("inputs");
        QTest::addColumn<AnchorageRule>("anchorage");
        QTest::addColumn<QList<double>>("layer1Y");
        QTest::addColumn<double>("layer2Depth");
        QTest::addColumn<int>("layer2Bars");
        QTest::addColumn<double>("anchorageMm");

        // (1200 - 2 x 100) / 3 = 333.33 between the four centres.
        const QList<double> four = {-500, -500 + 1000.0 / 3, 500 - 1000.0 / 3, 500};
        QTest::newRow("SI, 40φ") << workedSI() << kDefaultAnchorage << four << 350.0 << 2
                                 << 40 * kD22;
        // t = 10 cm and c = 25 cm are the same places in mm.
        QTest::newRow("gravitational")
            << workedGravitational() << kDefaultAnchorage << four << 350.0 << 2 << 40 * kD22;
        QTest::newRow("600 mm") << workedSI()
                                << AnchorageRule{AnchorageRule::Unit::Millimetres, 600} << four
                                << 350.0 << 2 << 600.0;
        DesignInputs single = workedSI();
        single.layer1Count = 1;
        single.layer2Count = 0;
        QTest::newRow("one bar at mid width, no layer 2")
            << single << kDefaultAnchorage << QList<double>{0} << 0.0 << 0 << 40 * kD22;
        DesignInputs fractional = workedSI();
        fractional.layer1Count = 4.5;
        QTest::newRow("4.5 bars built as 4")
            << fractional << AnchorageRule{AnchorageRule::Unit::Diameters, 25} << four << 350.0 << 2
            << 25 * kD22;
    }
    void mainBars() {
        QFETCH(DesignInputs, inputs);
        QFETCH(AnchorageRule, anchorage);
        QFETCH(QList<double>, layer1Y);
        QFETCH(double, layer2Depth);
        QFETCH(int, layer2Bars);
        QFETCH(double, anchorageMm);
        const BracketModel model = modelOf(inputs, {-1, 0}, anchorage);
        const auto layer1 = barsOf(model, BarKind::Main, 1);
        const auto layer2 = barsOf(model, BarKind::Main, 2);
        QCOMPARE(int(layer1.size()), int(layer1Y.size()));
        QCOMPARE(int(layer2.size()), layer2Bars);
        for (int k = 0; k < layer1Y.size(); ++k) {
            const ModelBar& bar = *layer1[k];
            QVERIFY2(std::abs(bar.end.y - layer1Y[k]) < 1e-9,
                     qPrintable(QString::number(bar.end.y)));
            QCOMPARE(bar.start.y, bar.end.y);
            QCOMPARE(bar.end.z, -100.0);
            QCOMPARE(bar.start.z, -100.0);
            QCOMPARE(bar.end.x, 250.0 - 100.0);
            QVERIFY(std::abs(bar.start.x + anchorageMm) < 1e-9);
            QVERIFY(std::abs(bar.lengthMm() - (150 + anchorageMm)) < 1e-9);
            QCOMPARE(bar.designation, std::string("D22"));
            QCOMPARE(bar.diameterMm, kD22);
        }
        for (const ModelBar* bar : layer2)
            QCOMPARE(bar->end.z, -layer2Depth);
        QCOMPARE(model.notes.empty(), inputs.layer1Count == std::floor(inputs.layer1Count));
        QCOMPARE(model.bearing, (Point3{300, 0, 0}));
    }

    // The side-face bars: alternately on the left and the right face, t in
    // from it, their levels spread over 2/3 of the depth below the lowest
    // main bars at the tip.
    void sideFaceBars_data() {
        QTest::addColumn<DesignInputs>("inputs");
        QTest::addColumn<int>("barIndex");
        QTest::addColumn<double>("count");
        QTest::addColumn<QList<double>>("depths");
        QTest::addColumn<double>("diameter");

        // Lowest main bars at 350; 2/3 (500 - 350) = 100 shared by the levels.
        QTest::newRow("none chosen, 4: D10 at 400 and 450")
            << workedSI() << -1 << 4.0 << QList<double>{400, 400, 450, 450} << kD10;
        QTest::newRow("3: the third alone on the left")
            << workedSI() << 1 << 3.0 << QList<double>{400, 400, 450} << 12.7;
        QTest::newRow("0: none") << workedSI() << -1 << 0.0 << QList<double>{} << kD10;
        DesignInputs oneLayer = workedSI();
        oneLayer.layer2Count = 0;
        // Lowest main bars at 100: 2/3 x 400 over one level.
        QTest::newRow("one layer, 2 bars")
            << oneLayer << 4 << 2.0 << QList<double>{100 + 800.0 / 3, 100 + 800.0 / 3} << 22.2;
    }
    void sideFaceBars() {
        QFETCH(DesignInputs, inputs);
        QFETCH(int, barIndex);
        QFETCH(double, count);
        QFETCH(QList<double>, depths);
        QFETCH(double, diameter);
        const BracketModel model = modelOf(inputs, {barIndex, count});
        const auto side = barsOf(model, BarKind::SideFace, 0);
        QCOMPARE(int(side.size()), int(depths.size()));
        for (int k = 0; k < depths.size(); ++k) {
            QVERIFY2(std::abs(side[k]->end.z + depths[k]) < 1e-9,
                     qPrintable(QString::number(side[k]->end.z)));
            QCOMPARE(side[k]->end.y, k % 2 == 0 ? -500.0 : 500.0);
            QCOMPARE(side[k]->diameterMm, diameter);
            QCOMPARE(side[k]->end.x, 150.0);
            QVERIFY(std::abs(side[k]->start.x + 40 * diameter) < 1e-9);
        }
    }

    void refused_data() {
        QTest::addColumn<DesignInputs>("inputs");
        QTest::addColumn<double>("sideCount");
        QTest::addColumn<QString>("named");
        DesignInputs r = workedSI();
        r.H2 = 0;
        QTest::newRow("H2 = 0") << r << 4.0 << "H2";
        r = workedSI();
        r.H1 = -0.1;
        QTest::newRow("H1 < 0") << r << 4.0 << "H1";
        r = workedSI();
        r.b = std::nan("");
        QTest::newRow("b not a number") << r << 4.0 << "b";
        r = workedSI();
        r.layer2Bar = "D99";
        QTest::newRow("unknown bar") << r << 4.0 << "D99";
        r = workedSI();
        r.layer1Count = -1;
        QTest::newRow("negative count") << r << 4.0 << "１段目";
        r = workedSI();
        r.layer1Count = kMaxModelBarsPerLayer + 1;
        QTest::newRow("too many bars") << r << 4.0 << "１段目";
        QTest::newRow("side-face count not a number")
            << workedSI() << double(INFINITY) << "水平方向用心鉄筋";
        r = workedSI();
        r.t = 2000; // the bars would end behind the support's face
        QTest::newRow("no length left") << r << 4.0 << "長さ";
    }
    void refused() {
        QFETCH(DesignInputs, inputs);
        QFETCH(double, sideCount);
        QFETCH(QString, named);
        const ModelOutcome outcome =
            buildBracketModel(inputs, {-1, sideCount}, {AnchorageRule::Unit::Millimetres, 100});
        QVERIFY(!outcome.model);
        QVERIFY2(QString::fromStdString(outcome.problem).contains(named), outcome.problem.c_str());
        // The export says the same and writes nothing.
        const IfcExportResult result =
            exportIfc(inputs, calculateDesign(inputs),
                      {{-1, sideCount}, {AnchorageRule::Unit::Millimetres, 100}, {}}, {});
        QVERIFY(!result.text);
        QVERIFY(!result.problem.empty());
    }

    // The body's volume and formwork: test_quantities, against the model's.
    void barMass() {
        const BracketModel model = modelOf(workedSI());
        // 6 x D22 (387.1 mm2) of 150 + 888 mm and 4 x D10 (71.33 mm2) of
        // 150 + 381.2 mm, at 7.85 t/m3.
        const double mass = (6 * 387.1 * 1038 + 4 * 71.33 * 531.2) * 7.85e-6;
        QVERIFY2(std::abs(model.barMassKg() - mass) < 1e-9,
                 qPrintable(QString::number(model.barMassKg())));
    }

    void clashes_data() {
        QTest::addColumn<DesignInputs>("inputs");
        QTest::addColumn<ClearSpacingRule>("rule");
        QTest::addColumn<QStringList>("found");

        // Gaps of the worked example: layers c = 250; side bar to layer 2
        // 50 mm between centres, 15.9 + 33.3 needed.
        QTest::newRow("worked example: none") << workedSI() << ClearSpacingRule{} << QStringList{};
        DesignInputs r = workedSI();
        r.c = 0; // layer 2 on layer 1's outer bars
        QTest::newRow("c = 0") << r << ClearSpacingRule{} << QStringList{"１段目と２段目"};
        r = workedSI();
        r.layer1Count = 20; // 52.6 between centres, 22.2 + 33.3 needed
        QTest::newRow("20 bars in 1 m")
            << r << ClearSpacingRule{} << QStringList{"１段目の鉄筋どうし"};
        ClearSpacingRule loose;
        loose.fixedMm = 30; // 22.2 + 30 = 52.2 < 52.6
        QTest::newRow("20 bars with 30 mm clear") << r << loose << QStringList{};
        r = workedSI();
        r.c = 500; // layer 2 at 600 below the top, the bottom at 580 where the bars end
        QTest::newRow("layer 2 below the bottom")
            << r << ClearSpacingRule{} << QStringList{"２段目の鉄筋 2 本", "下面"};
        r = workedSI();
        r.H1 = 0.05; // shallower than the main bars: the side bars' levels rise past the cover
        r.c = 0;
        r.layer2Count = 0;
        QTest::newRow("side bars above the cover")
            << r << ClearSpacingRule{} << QStringList{"水平方向用心鉄筋の鉄筋 4 本", "上面"};
    }
    void clashes() {
        QFETCH(DesignInputs, inputs);
        QFETCH(ClearSpacingRule, rule);
        QFETCH(QStringList, found);
        const std::vector<std::string> clashes = findClashes(modelOf(inputs), rule);
        QString all;
        for (const std::string& clash : clashes)
            all += QString::fromStdString(clash) + '\n';
        QCOMPARE(clashes.empty(), found.isEmpty());
        for (const QString& part : found)
            QVERIFY2(mentions(clashes, part), qPrintable(all));
        // The export still writes the file and records them.
        const IfcExportResult result = exportIfc(
            inputs, calculateDesign(inputs), {{-1, 4}, kDefaultAnchorage, rule},
            {IfcSchema::Ifc4x3, BridgePart::Pier, "x.tvx", "x.ifc", "2026-12-09T00:00:00", "0"});
        QVERIFY(result.text);
        QCOMPARE(result.text->find("IFCBOOLEAN(.T.)") != std::string::npos, !found.isEmpty());
        QCOMPARE(QString::fromStdString(result.messageLines()).count("警告: "),
                 int(clashes.size()));
    }

    // The isometric view is of the same model: each bar's centre line and
    // the body's corners, projected so the three axes shorten alike.
    void isometric() {
        const double s = std::sqrt(2.0 / 3.0);
        for (const Point3 axis : {Point3{1, 0, 0}, Point3{0, 1, 0}, Point3{0, 0, 1}}) {
            const sketch::Point p = isometricPoint(axis);
            QVERIFY(std::abs(std::hypot(p.x, p.y) - s) < 1e-12);
        }
        // z straight up; x down to the right, y up to the right.
        QCOMPARE(isometricPoint({0, 0, 1}).x, 0.0);
        QVERIFY(isometricPoint({1, 0, 0}).y < 0 && isometricPoint({0, 1, 0}).y > 0);

        const BracketModel model = modelOf(workedSI());
        const sketch::View view = isometricView(model);
        std::vector<sketch::Line> rebar;
        for (const sketch::Line& line : view.lines) {
            if (line.layer == sketch::Layer::Rebar)
                rebar.push_back(line);
        }
        QCOMPARE(rebar.size(), model.bars.size());
        for (std::size_t k = 0; k < rebar.size(); ++k) {
            QCOMPARE(rebar[k].from, isometricPoint(model.bars[k].start));
            QCOMPARE(rebar[k].to, isometricPoint(model.bars[k].end));
        }
        // The root's bottom corner (0, -600, -700) is one of the outline's.
        const sketch::Point corner = isometricPoint({0, -600, -700});
        bool found = false;
        for (const sketch::Polyline& outline : view.polylines) {
            for (const sketch::Point p : outline.points)
                found = found || (outline.layer == sketch::Layer::Outline && p == corner);
        }
        QVERIFY(found);
    }

    void anchorageText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("millimetres");
        QTest::addColumn<double>("value");
        QTest::newRow("mm") << "600" << true << true << 600.0;
        QTest::newRow("mm with unit and blanks") << " 750.5 mm " << true << true << 750.5;
        QTest::newRow("φ") << "40φ" << true << false << 40.0;
        QTest::newRow("Φ") << "35Φ" << true << false << 35.0;
        QTest::newRow("phi") << "30 phi" << true << false << 30.0;
        QTest::newRow("D") << "25D" << true << false << 25.0;
        QTest::newRow("largest") << "1000φ" << true << false << 1000.0;
        QTest::newRow("zero") << "0" << false << false << 0.0;
        QTest::newRow("negative") << "-40φ" << false << false << 0.0;
        QTest::newRow("beyond 100 m") << "100001" << false << false << 0.0;
        QTest::newRow("beyond 1000φ") << "1001φ" << false << false << 0.0;
        QTest::newRow("empty") << "" << false << false << 0.0;
        QTest::newRow("words") << "long" << false << false << 0.0;
        QTest::newRow("unit only") << "φ" << false << false << 0.0;
    }
    void anchorageText() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, millimetres);
        QFETCH(double, value);
        std::string error;
        const auto rule = parseAnchorage(text.toStdString(), error);
        QCOMPARE(bool(rule), valid);
        QCOMPARE(error.empty(), valid);
        if (!rule)
            return;
        QCOMPARE(rule->unit == AnchorageRule::Unit::Millimetres, millimetres);
        QCOMPARE(rule->value, value);
        // What the properties show reads back as the same rule.
        QCOMPARE(parseAnchorage(rule->text(), error), rule);
    }

    void stepStrings_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("step");
        QTest::newRow("plain") << QByteArray("D22 No.1") << QByteArray("'D22 No.1'");
        QTest::newRow("quote") << QByteArray("it's") << QByteArray("'it''s'");
        QTest::newRow("backslash") << QByteArray("a\\b") << QByteArray("'a\\\\b'");
        // 張 U+5F35 出 U+51FA し U+3057 部 U+90E8, in one run.
        QTest::newRow("Japanese") << QByteArray("張出し部")
                                  << QByteArray("'\\X2\\5F3551FA305790E8\\X0\\'");
        QTest::newRow("mixed") << QByteArray("D22 × 4本")
                               << QByteArray("'D22 \\X2\\00D7\\X0\\ 4\\X2\\672C\\X0\\'");
        QTest::newRow("beyond the basic plane")
            << QByteArray("\xF0\x9D\x91\xA5") << QByteArray("'\\X4\\0001D465\\X0\\'");
        QTest::newRow("line break") << QByteArray("a\nb") << QByteArray("'a\\X2\\000A\\X0\\b'");
        QTest::newRow("not UTF-8") << QByteArray("\xFF") << QByteArray("'\\X2\\FFFD\\X0\\'");
    }
    void stepStrings() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, step);
        std::string out;
        appendStepString(out, utf8.toStdString());
        QCOMPARE(QByteArray::fromStdString(out), step);
        bool ok = false;
        const std::string back = decodeStepString(out.substr(1, out.size() - 2), ok);
        QVERIFY(ok);
        if (utf8 != "\xFF")
            QCOMPARE(QByteArray::fromStdString(back), utf8);
    }

    void stepReals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("step");
        QTest::newRow("zero") << 0.0 << "0.";
        QTest::newRow("negative zero") << -0.0 << "0.";
        QTest::newRow("whole") << 12.0 << "12.";
        QTest::newRow("fraction") << -0.5 << "-0.5";
        QTest::newRow("small") << 1e-5 << "1.E-05";
        QTest::newRow("large") << 1.5e20 << "1.5E+20";
        QTest::newRow("a third") << 1.0 / 3 << "0.3333333333333333";
    }
    void stepReals() {
        QFETCH(double, value);
        QFETCH(QString, step);
        std::string out;
        appendStepReal(out, value);
        QCOMPARE(QString::fromStdString(out), step);
    }

    void globalIds() {
        // FIPS 180 example: SHA-1("abc").
        const auto digest = sha1("abc");
        const std::array<std::uint8_t, 20> expected = {0xa9, 0x99, 0x3e, 0x36, 0x47, 0x06, 0x81,
                                                       0x6a, 0xba, 0x3e, 0x25, 0x71, 0x78, 0x50,
                                                       0xc2, 0x6c, 0x9c, 0xd0, 0xd8, 0x9d};
        QVERIFY(digest == expected);
        // 2 + 21 x 6 bits: all zeros and all ones.
        QCOMPARE(compressedGuid({}), std::string(22, '0'));
        std::array<std::uint8_t, 16> ones;
        ones.fill(0xFF);
        QCOMPARE(compressedGuid(ones), "3" + std::string(21, '$'));
        // 0x40 in the first byte is the top bits 01 then 000000.
        std::array<std::uint8_t, 16> top{};
        top[0] = 0x40;
        QCOMPARE(compressedGuid(top), "10" + std::string(20, '0'));

        std::set<std::string> seen;
        for (int k = 0; k < 2000; ++k) {
            const std::string id = ifcGlobalId("bracket-si.tvx", "bar/" + std::to_string(k));
            QVERIFY2(isValidGlobalId(id), id.c_str());
            QVERIFY(seen.insert(id).second);
        }
        QCOMPARE(ifcGlobalId("a.tvx", "beam"), ifcGlobalId("a.tvx", "beam"));
        QVERIFY(ifcGlobalId("a.tvx", "beam") != ifcGlobalId("b.tvx", "beam"));
        QVERIFY(!isValidGlobalId("4" + std::string(21, '0')));
        QVERIFY(!isValidGlobalId(std::string(21, '0')));
        QVERIFY(!isValidGlobalId(std::string(21, '0') + "-"));
    }

    // The file as a whole, in both schemas and with any part: well-formed,
    // one IfcReinforcingBar a bar, IfcBridge only in IFC4X3.
    void ifcFile_data() {
        QTest::addColumn<int>("schema");
        QTest::addColumn<int>("part");
        QTest::newRow("IFC4X3, pier") << int(IfcSchema::Ifc4x3) << int(BridgePart::Pier);
        QTest::newRow("IFC4X3, abutment") << int(IfcSchema::Ifc4x3) << int(BridgePart::Abutment);
        QTest::newRow("IFC4") << int(IfcSchema::Ifc4) << int(BridgePart::Pier);
    }
    void ifcFile() {
        QFETCH(int, schema);
        QFETCH(int, part);
        const DesignInputs inputs = workedGravitational();
        IfcFileFacts facts{IfcSchema(schema), BridgePart(part),      "bracket.tvx",
                           "bracket.ifc",     "2026-12-09T00:00:00", "9.9"};
        const IfcExportResult result = exportIfc(inputs, calculateDesign(inputs), {}, facts);
        QVERIFY(result.text);
        const std::string& text = *result.text;
        const auto problems =
            haltrix::testing::stepFileProblems(text, schemaName(IfcSchema(schema)));
        QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
        auto count = [&](const std::string& what) {
            int n = 0;
            for (std::size_t at = text.find(what); at != std::string::npos;
                 at = text.find(what, at + 1))
                ++n;
            return n;
        };
        QCOMPARE(count("=IFCREINFORCINGBAR("), 4 + 2 + 4);
        QCOMPARE(count(".MAIN.,.TEXTURED.)"), 6);
        const bool bridge = IfcSchema(schema) == IfcSchema::Ifc4x3;
        QCOMPARE(count("=IFCBRIDGE("), bridge ? 1 : 0);
        QCOMPARE(count(".PIER.);"), bridge && BridgePart(part) == BridgePart::Pier ? 1 : 0);
        QCOMPARE(count(".ABUTMENT.);"), bridge && BridgePart(part) == BridgePart::Abutment ? 1 : 0);
        QVERIFY(
            text.find("FILE_NAME('bracket.ifc','2026-12-09T00:00:00',(''),(''),'Haltrix 9.9'") !=
            std::string::npos);
        // The concrete volume quantity, 0.18 m3.
        QVERIFY(
            text.find(
                "IFCQUANTITYVOLUME('\\X2\\30B330F330AF30EA30FC30C84F537A4D\\X0\\',$,$,0.18,$)") !=
            std::string::npos);
    }
};

QTEST_APPLESS_MAIN(TestBracketModel)
#include "test_bracket_model.moc"
