// SPDX-License-Identifier: GPL-3.0-or-later
// The sketch of the bracket: the worked example's scene worked out by hand
// from its inputs, the DXF text, and designs that cannot be drawn whole.

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "design/design_calculation.h"
#include "sketch/sketch_builder.h"
#include "sketch/sketch_dxf.h"
#include "sketch/sketch_svg.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::sketch;

namespace {


const Dimension* findDimension(const View& view, const std::string& text) {
    for (const Dimension& d : view.dimensions) {
        if (d.text == text)
            return &d;
    }
    return nullptr;
}

bool hasText(const View& view, const std::string& text) {
    for (const Text& t : view.texts) {
        if (t.text == text)
            return true;
    }
    return false;
}

bool hasNote(const Sketch& sketch, const std::string& note) {
    for (const std::string& n : sketch.notes) {
        if (n == note)
            return true;
    }
    return false;
}

// The measured points of a dimension, in either order.
bool measures(const Dimension* d, Point a, Point b) {
    auto near = [](Point p, Point q) {
        return std::abs(p.x - q.x) < 1e-9 && std::abs(p.y - q.y) < 1e-9;
    };
    return d && ((near(d->from, a) && near(d->to, b)) || (near(d->from, b) && near(d->to, a)));
}

int countOf(const std::string& text, const std::string& word) {
    int count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

} // namespace

class TestSketch : public QObject {
    Q_OBJECT

private slots:
    // The worked bracket: H1 0.5 m, H2 0.7 m, l 0.25 m, b 1.2 m, a 0.3 m,
    // t 10 cm, c 25 cm (gravitational) or 100 mm, 250 mm (SI), 4 x D22 and
    // 2 x D22. In mm: the outline runs (0,0) (250,0) (250,-500) (0,-700).
    void workedExample_data() {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<QString>("tText");
        QTest::addColumn<QString>("cText");
        QTest::addColumn<QString>("clear1");
        QTest::addColumn<QString>("clear2");
        QTest::addColumn<QString>("pText");
        QTest::addColumn<QString>("clearNote");
        // Layer 1 centres 100 mm from the faces, (1200 - 200) / 3 apart:
        // clear 333.33 - 22.2 = 311.13 mm; layer 2: 1000 - 22.2 = 977.8 mm.
        // The lines measure the pitch; the clear spacing is in the note.
        QTest::newRow("gravitational")
            << 1 << "t=10 cm"
            << "c=25 cm"
            << "@33.3 cm"
            << "@100 cm"
            << "P=10 tf"
            << "鉄筋のあき（純間隔）: １段目 31.1 cm、２段目 97.8 cm";
        QTest::newRow("SI") << 2 << "t=100 mm"
                            << "c=250 mm"
                            << "@333 mm"
                            << "@1000 mm"
                            << "P=100 kN"
                            << "鉄筋のあき（純間隔）: １段目 311 mm、２段目 978 mm";
    }
    void workedExample() {
        QFETCH(int, unitSystem);
        QFETCH(QString, tText);
        QFETCH(QString, cText);
        QFETCH(QString, clear1);
        QFETCH(QString, clear2);
        QFETCH(QString, pText);
        QFETCH(QString, clearNote);
        const DesignInputs record =
            unitSystem == kUnitGravitational ? workedGravitational() : workedSI();
        const Sketch s = buildSketch(record);
        QVERIFY2(s.notes.empty(), s.notes.empty() ? "" : s.notes.front().c_str());

        // Elevation: the member, the pier, the two layers into the pier.
        const View& e = s.elevation;
        QCOMPARE(e.polylines.size(), std::size_t(2)); // member and bearing
        const std::vector<Point> member = {{0, 0}, {250, 0}, {250, -500}, {0, -700}};
        QVERIFY(e.polylines[0].points == member);
        QVERIFY(e.polylines[0].closed);
        QCOMPARE(e.hatches.size(), std::size_t(1));
        for (const Point p : e.hatches[0].boundary)
            QVERIFY(p.x <= 0); // the pier lies behind the root face
        QCOMPARE(e.lines.size(), std::size_t(2));
        for (const Line& bar : e.lines) {
            QCOMPARE(bar.layer, Layer::Rebar);
            QVERIFY(bar.from.x < 0);         // on into the pier
            QCOMPARE(bar.to.x, 250.0 - 100); // cover t at the tip
        }
        QCOMPARE(e.lines[0].from.y, -100.0);
        QCOMPARE(e.lines[1].from.y, -350.0);

        // The bearing at a = 300 with P straight down onto it, H along the
        // top away from the pier.
        QCOMPARE(e.arrows.size(), std::size_t(2));
        const Arrow& p = e.arrows[0];
        QCOMPARE(p.tip.x, 300.0);
        QCOMPARE(p.tail.x, 300.0);
        QVERIFY(p.tail.y > p.tip.y && p.tip.y > 0);
        const Arrow& h = e.arrows[1];
        QCOMPARE(h.tail.y, h.tip.y);
        QVERIFY(h.tip.x > h.tail.x && h.tail.x > 300);
        QVERIFY(hasText(e, pText.toStdString()));
        QVERIFY(hasText(e, unitSystem == kUnitGravitational ? "H=0 tf" : "H=0 kN"));

        QVERIFY(measures(findDimension(e, "l=0.250 m"), {0, -700}, {250, -500}));
        QVERIFY(measures(findDimension(e, "a=0.300 m"), {0, 0}, {300, 0}));
        QVERIFY(measures(findDimension(e, "H1=0.500 m"), {250, 0}, {250, -500}));
        QVERIFY(measures(findDimension(e, "H2=0.700 m"), {0, 0}, {0, -700}));
        QVERIFY(measures(findDimension(e, tText.toStdString()), {250, 0}, {250, -100}));
        QVERIFY(measures(findDimension(e, cText.toStdString()), {250, -100}, {250, -350}));
        QCOMPARE(e.dimensions.size(), std::size_t(6));

        // Section at the root: b x H2, the bars between t from either face.
        const View& x = s.section;
        const std::vector<Point> section = {{0, 0}, {1200, 0}, {1200, -700}, {0, -700}};
        QCOMPARE(x.polylines.size(), std::size_t(1));
        QVERIFY(x.polylines[0].points == section);
        QCOMPARE(x.circles.size(), std::size_t(6));
        const double layer1X[] = {100, 100 + 1000.0 / 3, 100 + 2000.0 / 3, 1100};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(x.circles[i].centre.x, layer1X[i]);
            QCOMPARE(x.circles[i].centre.y, -100.0);
            QCOMPARE(x.circles[i].radius, 22.2 / 2);
            QCOMPARE(x.circles[i].layer, Layer::Rebar);
        }
        QCOMPARE(x.circles[4].centre.x, 100.0);
        QCOMPARE(x.circles[5].centre.x, 1100.0);
        QCOMPARE(x.circles[4].centre.y, -350.0);
        QVERIFY(hasText(x, "D22 × 4本"));
        QVERIFY(hasText(x, "D22 × 2本"));
        QVERIFY(hasText(x, "側面の被りも " + tText.toStdString() + " として描きました"));
        QVERIFY(measures(findDimension(x, "b=1.200 m"), {0, -700}, {1200, -700}));
        QVERIFY(measures(findDimension(x, "H2=0.700 m"), {0, 0}, {0, -700}));
        QVERIFY(measures(findDimension(x, tText.toStdString()), {0, 0}, {0, -100}));
        QVERIFY(measures(findDimension(x, cText.toStdString()), {0, -100}, {0, -350}));
        QVERIFY(measures(findDimension(x, clear1.toStdString()), {100, -100},
                         {100 + 1000.0 / 3, -100}));
        QVERIFY(measures(findDimension(x, clear2.toStdString()), {100, -350}, {1100, -350}));
        QVERIFY(hasText(x, clearNote.toStdString()));
        QCOMPARE(x.dimensions.size(), std::size_t(6));
    }

    // After a calculation: d = H2 - t - c * As2 / ΣAs = 0.7 - 0.1 - 0.25 * 2/6
    // = 0.516667 m, measured up from the bottom at the root; Zc = 0.85 d =
    // 0.439167 m, measured down from there.
    void resultsDimensioned() {
        for (const DesignInputs& input : {workedGravitational(), workedSI()}) {
            const Sketch s = buildSketch(input, calculateDesign(input));
            const double top = -700 + (700 - 100 - 250.0 / 3);
            const Dimension* d = findDimension(s.elevation, "d=0.517 m");
            QVERIFY(d);
            QCOMPARE(d->from.y, -700.0);
            QVERIFY(std::abs(d->to.y - top) < 1e-9);
            const Dimension* zc = findDimension(s.elevation, "Zc=0.439 m");
            QVERIFY(zc);
            QVERIFY(std::abs(zc->from.y - top) < 1e-9);
            QVERIFY(std::abs(zc->to.y - (top - 0.85 * (700 - 100 - 250.0 / 3))) < 1e-9);
            // Without results neither is drawn.
            const Sketch inputs = buildSketch(input);
            QVERIFY(!findDimension(inputs.elevation, "d=0.517 m"));
            QVERIFY(!findDimension(inputs.elevation, "Zc=0.439 m"));
            // Nor after a calculation that stopped (no bars: no d).
            DesignInputs bare = input;
            bare.layer1Count = bare.layer2Count = 0;
            const Sketch stopped = buildSketch(bare, calculateDesign(bare));
            QVERIFY(!findDimension(stopped.elevation, "Zc=0.000 m"));
            QVERIFY(std::none_of(stopped.elevation.dimensions.begin(),
                                 stopped.elevation.dimensions.end(),
                                 [](const Dimension& d) { return d.text.starts_with("d="); }));
        }
    }

    // No label of a view covers another, texts of dimensions included; a
    // load carries the report's three decimals.
    void labelsApart_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("P");
        QTest::addColumn<QString>("pText");
        QTest::newRow("worked example") << 0.3 << 100.0 << "P=100 kN";
        QTest::newRow("converted, at the tip") << 0.25 << 147.09975 << "P=147.1 kN";
        QTest::newRow("at the root") << 0.0 << 1234.5678 << "P=1234.568 kN";
    }
    void labelsApart() {
        QFETCH(double, a);
        QFETCH(double, P);
        QFETCH(QString, pText);
        DesignInputs r = workedSI();
        r.a = a;
        r.P = P;
        QVERIFY(hasText(buildSketch(r).elevation, pText.toStdString()));
        // Also with H pointing back, a long overhang, and bars below the
        // member (t = 1 m).
        for (const double H : {0.0, -29.4})
            for (const double l : {0.25, 3.0})
                for (const double t : {100.0, 1000.0}) {
                    r.H = H;
                    r.l = l;
                    r.t = t;
                    const Sketch s = buildSketch(r, calculateDesign(r));
                    for (const View* view : {&s.elevation, &s.section}) {
                        std::vector<Text> labels = view->texts;
                        for (const Dimension& d : view->dimensions)
                            labels.push_back(layoutOf(d).text);
                        for (std::size_t i = 0; i < labels.size(); ++i) {
                            for (std::size_t k = i + 1; k < labels.size(); ++k) {
                                const Box p = textBox(labels[i]);
                                const Box q = textBox(labels[k]);
                                QVERIFY2(p.right <= q.left || q.right <= p.left ||
                                             p.top <= q.bottom || q.top <= p.bottom,
                                         (labels[i].text + " covers " + labels[k].text).c_str());
                            }
                        }
                    }
                }
    }

    // Designs that cannot be drawn whole: never a non-finite number, a
    // bounded scene, and the note that says what was left out.
    void awkwardDesigns_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("elevation");
        QTest::addColumn<bool>("section");
        QTest::addColumn<int>("circles");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("H2 0") << "H2" << 0.0 << "H2 が 0 以下のため断面を描けません" << false
                              << false << 0;
        QTest::newRow("H2 negative")
            << "H2" << -0.7 << "H2 が 0 以下のため側面図を描けません" << false << false << 0;
        QTest::newRow("H2 NaN") << "H2" << nan << "H2 が数値でないため断面を描けません" << false
                                << false << 0;
        QTest::newRow("H2 1E+300")
            << "H2" << 1e300 << "H2 が大きすぎるため断面を描けません" << false << false << 0;
        QTest::newRow("H2 1E-300")
            << "H2" << 1e-300 << "H2 が小さすぎるため断面を描けません" << false << false << 0;
        QTest::newRow("l 0") << "l" << 0.0 << "l が 0 以下のため側面図を描けません" << false << true
                             << 6;
        QTest::newRow("b negative")
            << "b" << -1.2 << "b が 0 以下のため断面を描けません" << true << false << 0;
        QTest::newRow("H1 negative")
            << "H1" << -0.5 << "H1 が負のため側面図を描けません" << false << true << 6;
        // H1 = 0 is a pointed tip: drawn, no note.
        QTest::newRow("H1 0") << "H1" << 0.0 << "" << true << true << 6;
        QTest::newRow("a far past the tip")
            << "a" << 100.0 << "支承位置 a が梁から離れすぎているため支承と荷重を描けません" << true
            << true << 6;
        QTest::newRow("a infinite")
            << "a" << inf << "支承位置 a が数値でないため支承と荷重を描けません" << true << true
            << 6;
        QTest::newRow("P NaN") << "P" << nan << "P が数値でないため描けません" << true << true << 6;
        QTest::newRow("2.5 bars") << "layer1Count" << 2.5
                                  << "１段目の本数 2.5 は整数でないため 2 本を描きました" << true
                                  << true << 4;
        QTest::newRow("0.5 bars") << "layer1Count" << 0.5
                                  << "１段目の本数 0.5 は整数でないため 0 本を描きました" << true
                                  << true << 2;
        QTest::newRow("10000 bars")
            << "layer1Count" << 10000.0 << "１段目の 10000 本は多いため両端の 2 本だけを描きました"
            << true << true << 4;
        QTest::newRow("1E+300 bars")
            << "layer1Count" << 1e300 << "１段目の 1E+300 本は多いため両端の 2 本だけを描きました"
            << true << true << 4;
        QTest::newRow("negative bars")
            << "layer2Count" << -2.0 << "２段目の本数 -2 が負のため鉄筋を描けません" << true << true
            << 4;
        QTest::newRow("t far below")
            << "t" << 500.0 << "１段目の鉄筋 (深さ t) が梁から離れすぎているため描けません" << true
            << true << 0;
        QTest::newRow("t huge") << "t" << 1e300 << "被り t が大きすぎるため１段目の鉄筋を描けません"
                                << true << true << 0;
        // t deeper than H2 (0.7 m) but near: the bars are drawn where they
        // are, below the member, for the engineer to see.
        QTest::newRow("t deeper than H2") << "t" << 90.0 << "" << true << true << 6;
        QTest::newRow("c NaN") << "c" << nan
                               << "鉄筋間隔 c が数値でないため２段目の鉄筋を描けません" << true
                               << true << 4;
        QTest::newRow("l 1000 m, H1 1 mm") << "l" << 1000.0 << "" << true << true << 6;
    }
    void awkwardDesigns() {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, note);
        QFETCH(bool, elevation);
        QFETCH(bool, section);
        QFETCH(int, circles);
        DesignInputs r = workedGravitational();
        const std::string name = field.toStdString();
        double* target = name == "H1"            ? &r.H1
                         : name == "H2"          ? &r.H2
                         : name == "l"           ? &r.l
                         : name == "b"           ? &r.b
                         : name == "a"           ? &r.a
                         : name == "P"           ? &r.P
                         : name == "t"           ? &r.t
                         : name == "c"           ? &r.c
                         : name == "layer1Count" ? &r.layer1Count
                                                 : &r.layer2Count;
        *target = value;
        if (QTest::currentDataTag() == QLatin1String("l 1000 m, H1 1 mm"))
            r.H1 = 0.001;
        for (const bool withResults : {false, true}) {
            const Sketch s = withResults ? buildSketch(r, calculateDesign(r)) : buildSketch(r);
            for (const double number : numbersOf(s))
                QVERIFY(std::isfinite(number));
            if (note.isEmpty())
                QVERIFY2(s.notes.empty(), s.notes.empty() ? "" : s.notes.front().c_str());
            else
                QVERIFY2(hasNote(s, note.toStdString()), qPrintable(note));
            QCOMPARE(!s.elevation.empty(), elevation);
            QCOMPARE(!s.section.empty(), section);
            QCOMPARE(int(s.section.circles.size()), circles);
            // Texts and arrowheads keep their size against the view, however
            // long or thin the member: at least 1/80 of the view's extent.
            for (const View* view : {&s.elevation, &s.section}) {
                if (view->empty())
                    continue;
                const Box box = view->bounds();
                const double extent = std::max(box.width(), box.height());
                for (const Text& text : view->texts)
                    QVERIFY(text.height >= extent / 80);
                for (const Dimension& d : view->dimensions)
                    QVERIFY(d.textHeight >= extent / 80 && d.arrowLength >= extent / 80);
                QVERIFY(view->circles.size() + view->lines.size() + view->dimensions.size() < 300);
            }
            const std::string dxf = dxfText(s);
            QVERIFY(dxf.find("nan") == std::string::npos);
            QVERIFY(dxf.find("inf") == std::string::npos);
            QCOMPARE(countOf(dxf, "\nCIRCLE\n"), circles);
            // The SVG likewise: finite numbers, one circle per bar, the
            // title escaped.
            const std::string svg = svgText(s, "a<b&\"c");
            QVERIFY(svg.find("nan") == std::string::npos);
            QVERIFY(svg.find("inf") == std::string::npos);
            QCOMPARE(countOf(svg, "<circle "), circles);
            QVERIFY(svg.find("<title>a&lt;b&amp;&quot;c</title>") != std::string::npos);
        }
    }

    // Designations the bar table does not know are named, cut when long.
    void unknownDesignations_data() {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QString>("note");
        QTest::newRow("D99") << "D99"
                             << "１段目の鉄筋「D99」は鉄筋表にないため断面に描けません";
        QTest::newRow("empty") << ""
                               << "１段目の鉄筋径が選ばれていないため断面に描けません";
        QTest::newRow("long") << QString(5000, 'D')
                              << "１段目の鉄筋「" + QString(16, 'D') +
                                     "…」は鉄筋表にないため断面に描けません";
        QTest::newRow("long Japanese") << QString(40, QChar(0x9244))
                                       << "１段目の鉄筋「" + QString(16, QChar(0x9244)) +
                                              "…」は鉄筋表にないため断面に描けません";
    }
    void unknownDesignations() {
        QFETCH(QString, designation);
        QFETCH(QString, note);
        DesignInputs r = workedGravitational();
        r.layer1Bar = designation.toStdString();
        const Sketch s = buildSketch(r);
        QVERIFY2(hasNote(s, note.toStdString()), qPrintable(note));
        // Layer 1 is still drawn in the elevation, not in the section.
        QCOMPARE(s.elevation.lines.size(), std::size_t(2));
        QCOMPARE(s.section.circles.size(), std::size_t(2));
    }

    // The DXF text: units mm, the five layers, one CIRCLE per drawn bar of
    // the radius of its nominal diameter, Japanese texts as \U+ escapes.
    void dxf() {
        const std::string dxf = dxfText(buildSketch(workedGravitational()));
        QVERIFY(dxf.starts_with("  0\nSECTION\n  2\nHEADER\n"));
        QVERIFY(dxf.ends_with("  0\nEOF\n"));
        QVERIFY(dxf.find("  9\n$INSUNITS\n 70\n4\n") != std::string::npos);
        QVERIFY(dxf.find("  9\n$ACADVER\n  1\nAC1015\n") != std::string::npos);
        for (const char* layer : {"OUTLINE", "REBAR", "LOAD", "DIM", "TEXT"})
            QVERIFY2(dxf.find("  2\n" + std::string(layer) + "\n") != std::string::npos, layer);
        QCOMPARE(countOf(dxf, "\nCIRCLE\n"), 6);
        QCOMPARE(countOf(dxf, "\n 40\n11.1\n"), 6); // radius φ/2 of D22
        // "D22 × 4本": × U+00D7, 本 U+672C.
        QVERIFY(dxf.find("D22 \\U+00D7 4\\U+672C") != std::string::npos);
        for (unsigned char c : dxf)
            QVERIFY(c < 0x80);
    }

    // A dimension too short for its text puts the text beside the chosen
    // end; one long enough centres it between the arrowheads.
    void dimensionText() {
        Dimension d{{0, 0}, {0, -100}, Orientation::Vertical, -50, "t=10 cm", 30, 18};
        DimensionLayout layout = layoutOf(d);
        QCOMPARE(layout.text.hAlign, HAlign::Left);
        QVERIFY(layout.text.at.y > 0); // above the upper end
        d.overflow = Overflow::Low;
        layout = layoutOf(d);
        QCOMPARE(layout.text.hAlign, HAlign::Right);
        QVERIFY(layout.text.at.y < -100); // below the lower end
        d.to = {0, -1000};
        layout = layoutOf(d);
        QCOMPARE(layout.text.hAlign, HAlign::Centre);
        QCOMPARE(layout.text.at.y, -500.0);
        QVERIFY(layout.text.at.x < -50); // left of the line, reading upwards
        QCOMPARE(layout.text.angle, 90.0);
    }
};

QTEST_APPLESS_MAIN(TestSketch)
#include "test_sketch.moc"
