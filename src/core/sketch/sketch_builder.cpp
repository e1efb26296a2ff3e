// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch/sketch_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "design/bar_layout.h"
#include "design/bar_table.h"
#include "paper/number_format.h"
#include "paper/utf8.h"
#include "design/unit_system.h"

namespace haltrix::sketch {

namespace {

// Lengths a drawing can hold, in mm: anything larger (100 km) or closer to
// zero (1 µm) is not drawn, so every coordinate and size stays finite and
// every text and arrow has a size.
constexpr double kLargestMm = 1e8;
constexpr double kSmallestMm = 1e-3;

// The normal text height is the view's size divided by this.
constexpr double kTextsPerView = 28;
// Views whose sizes differ by less than this share one text height.
constexpr double kSharedTextRatio = 4;
// A bearing or a layer of bars farther from the member than this many times
// its size would shrink the member to a dot; it is named in a note instead.
constexpr double kFarFactor = 10;
constexpr int kMaxHatchStrokes = 400;

std::string metres(double valueM) {
    return fixedDecimals(valueM, 3) + " m";
}

// A length read from the record and converted to mm, or why it cannot be
// drawn.
struct Length {
    double mm = 0;
    std::string problem; // empty when the length can be drawn

    bool ok() const { return problem.empty(); }
};

// `name` must be positive (zeroAllowed: not negative) to be drawn.
Length lengthOf(double value, double toMm, const std::string& name, bool zeroAllowed = false) {
    const double mm = value * toMm;
    if (!std::isfinite(value))
        return {0, name + " が数値でない"};
    if (!std::isfinite(mm) || std::abs(mm) > kLargestMm)
        return {0, name + " が大きすぎる"};
    if (zeroAllowed && std::abs(mm) < kSmallestMm)
        return {0, ""};
    if (zeroAllowed ? mm < 0 : mm <= 0)
        return {0, name + (zeroAllowed ? " が負の" : " が 0 以下の")};
    if (mm < kSmallestMm)
        return {0, name + " が小さすぎる"};
    return {mm, ""};
}

// A signed length (a, t, c) entered as `value` and `mm` once converted: any
// finite value of usable size.
Length signedLength(double value, double mm, const std::string& name) {
    if (!std::isfinite(value))
        return {0, name + " が数値でない"};
    if (!std::isfinite(mm) || std::abs(mm) > kLargestMm)
        return {0, name + " が大きすぎる"};
    if (std::abs(mm) < kSmallestMm)
        return {0, ""};
    return {mm, ""};
}

Length signedLengthOf(double value, double toMm, const std::string& name) {
    return signedLength(value, value * toMm, name);
}

// A bar designation as the sketch writes it: a designation is a few
// characters ("D22"); a longer text from a hand-edited file is cut after 16
// characters (UTF-8 code points) and ends in "…".
std::string shownDesignation(const std::string& designation) {
    constexpr int kLongest = 16;
    int characters = 0;
    for (std::size_t i = 0; i < designation.size(); ++i) {
        const auto byte = static_cast<unsigned char>(designation[i]);
        if (!isUtf8Continuation(byte) && ++characters > kLongest)
            return designation.substr(0, i) + "…";
    }
    return designation;
}

// One layer of top bars as the sketch draws it.
struct BarLayer {
    const char* name; // "１段目"
    std::string designation;
    double count = 0;
    bool drawn = false;      // in the elevation and, with a diameter, the section
    long wholeBars = 0;      // bars the section shows (before summarising)
    bool summarised = false; // only the outermost two are drawn
    std::optional<double> diameter;
    double depth = 0; // mm below the top face

    std::string label() const { return designation + " × " + plainText(count) + "本"; }
};

class Builder {
public:
    // Without main results the sketch shows the inputs alone.
    Builder(const DesignInputs& inputs, const MainReinforcement* main)
        : m_inputs(inputs), m_main(main), m_units(unitTableOf(inputs.unitSystem)) {}

    Sketch build() {
        readInputs();
        chooseTextHeights();
        if (m_elevationDrawn)
            buildElevation();
        if (m_sectionDrawn)
            buildSection();
        return std::move(m_sketch);
    }

private:
    void note(std::string text) { m_sketch.notes.push_back(std::move(text)); }

    void readInputs() {
        const DesignInputs& r = m_inputs;
        m_H1 = lengthOf(r.H1, 1000, "H1", true);
        m_H2 = lengthOf(r.H2, 1000, "H2");
        m_l = lengthOf(r.l, 1000, "l");
        m_b = lengthOf(r.b, 1000, "b");

        m_elevationDrawn = m_H2.ok() && m_l.ok() && m_H1.ok();
        for (const Length* length : {&m_H2, &m_l, &m_H1}) {
            if (!length->ok())
                note(length->problem + "ため側面図を描けません");
        }
        m_sectionDrawn = m_H2.ok() && m_b.ok();
        for (const Length* length : {&m_H2, &m_b}) {
            if (!length->ok())
                note(length->problem + "ため断面を描けません");
        }
        if (!m_H2.ok())
            return;

        const double reach = kFarFactor * std::max({m_H2.mm, m_H1.mm, m_l.ok() ? m_l.mm : 0.0});
        if (m_elevationDrawn) {
            m_a = signedLengthOf(r.a, 1000, "支承位置 a");
            if (m_a.ok() && std::abs(m_a.mm) > reach)
                m_a.problem = "支承位置 a が梁から離れすぎている";
            if (!m_a.ok())
                note(m_a.problem + "ため支承と荷重を描けません");
        }

        const BarLayout layout = barLayout(r);
        const Length t = signedLength(r.t, layout.coverMm, "被り t");
        const Length c = signedLength(r.c, layout.layerSpacingMm, "鉄筋間隔 c");
        m_t = t;
        m_layers[0] = readLayer("１段目", r.layer1Bar, r.layer1Count, t, "t");
        Length depth2 = c;
        if (t.ok() && c.ok()) {
            depth2.mm = t.mm + c.mm;
        } else if (!t.ok()) {
            depth2 = t;
        }
        m_layers[1] = readLayer("２段目", r.layer2Bar, r.layer2Count, depth2, "t + c");

        if (m_main && m_elevationDrawn) {
            m_d = signedLengthOf(m_main->d, 1000, "d");
            m_Zc = signedLengthOf(m_main->Zc, 1000, "Zc");
            for (Length* result : {&m_d, &m_Zc}) {
                if (result->ok() && (std::abs(result->mm) > 2 * m_H2.mm || result->mm == 0.0))
                    result->problem =
                        (result == &m_d ? "d" : "Zc") + std::string(" が梁に合わない");
                if (!result->ok())
                    note(result->problem + "ため描けません");
            }
        }
    }

    BarLayer readLayer(const char* name, const std::string& designation, double count,
                       const Length& depth, const char* depthName) {
        BarLayer layer;
        layer.name = name;
        layer.designation = shownDesignation(designation);
        layer.count = count;
        layer.depth = depth.mm;
        const std::string prefix = std::string(name) + "の";
        if (!std::isfinite(count)) {
            note(prefix + "本数が数値でないため鉄筋を描けません");
            return layer;
        }
        if (count == 0.0)
            return layer;
        if (count < 0) {
            note(prefix + "本数 " + plainText(count) + " が負のため鉄筋を描けません");
            return layer;
        }
        const double whole = std::floor(count);
        if (whole != count) {
            note(prefix + "本数 " + plainText(count) + " は整数でないため " + plainText(whole) +
                 " 本を描きました");
        }
        if (whole < 1)
            return layer;
        if (!depth.ok()) {
            note(depth.problem + "ため" + name + "の鉄筋を描けません");
            return layer;
        }
        if (depth.mm < -m_H2.mm || depth.mm > 2 * m_H2.mm) {
            note(prefix + "鉄筋 (深さ " + depthName + ") が梁から離れすぎているため描けません");
            return layer;
        }
        layer.drawn = true;
        layer.summarised = whole > kMaxDrawnBarsPerLayer;
        layer.wholeBars = layer.summarised ? kMaxDrawnBarsPerLayer + 1 : static_cast<long>(whole);
        layer.diameter = barDiameterByName(designation);
        if (!m_sectionDrawn)
            return layer;
        if (!layer.diameter) {
            if (designation.empty())
                note(prefix + "鉄筋径が選ばれていないため断面に描けません");
            else
                note(prefix + "鉄筋「" + layer.designation +
                     "」は鉄筋表にないため断面に描けません");
        } else if (layer.summarised) {
            note(prefix + " " + plainText(whole) + " 本は多いため両端の 2 本だけを描きました");
        }
        return layer;
    }

    void chooseTextHeights() {
        // The size of what each view draws: texts and arrows are a fixed
        // part of it, so they stay readable however long or thin it is.
        double depth = 0;
        for (const BarLayer& layer : m_layers) {
            if (layer.drawn)
                depth = std::max(depth, std::abs(layer.depth));
        }
        double elevationSize = 0;
        if (m_elevationDrawn) {
            elevationSize = std::max({m_l.mm, m_H2.mm, m_H1.mm, depth});
            if (m_a.ok())
                elevationSize = std::max({elevationSize, m_a.mm, -m_a.mm});
        }
        const double sectionSize = m_sectionDrawn ? std::max({m_b.mm, m_H2.mm, depth}) : 0.0;
        const double larger = std::max(elevationSize, sectionSize);
        const double smaller = std::min(elevationSize, sectionSize);
        const bool shared = smaller > 0 && larger <= kSharedTextRatio * smaller;
        m_elevationUnit = (shared ? larger : elevationSize) / kTextsPerView;
        m_sectionUnit = (shared ? larger : sectionSize) / kTextsPerView;
        m_sketch.elevation.textHeight = m_elevationUnit;
        m_sketch.section.textHeight = m_sectionUnit;
    }

    static Dimension dimension(Point from, Point to, Orientation orientation, double position,
                               std::string text, double unit, Overflow overflow = Overflow::High) {
        return Dimension{from,       to,         orientation, position, std::move(text),
                         0.9 * unit, 0.9 * unit, Layer::Dim,  overflow};
    }

    void addTitle(View& view, const char* title, double unit) {
        const Box box = view.bounds();
        view.texts.push_back(Text{{box.left, box.top + 0.8 * unit},
                                  title,
                                  1.3 * unit,
                                  HAlign::Left,
                                  VAlign::Bottom,
                                  0,
                                  Layer::Text});
    }

    void buildElevation() {
        View& v = m_sketch.elevation;
        const double u = m_elevationUnit;
        const double l = m_l.mm;
        const double H1 = m_H1.mm;
        const double H2 = m_H2.mm;

        // The member: top level, bottom straight from the root to the tip.
        Polyline outline{{{0, 0}, {l, 0}}, true, Layer::Outline};
        if (H1 > 0)
            outline.points.push_back({l, -H1});
        outline.points.push_back({0, -H2});
        v.polylines.push_back(outline);

        // The pier, hatched, a little above and below the member.
        const double pierWidth = 2.5 * u;
        const double reach = std::max(0.4 * H2, 2 * u);
        v.hatches.push_back(hatch(-pierWidth, -H2 - reach, 0, reach, 0.8 * u));

        // The top bars, from near the tip on into the pier.
        const double tipCover = m_t.ok() ? std::clamp(m_t.mm, 0.0, l / 2) : 0.0;
        for (const BarLayer& layer : m_layers) {
            if (layer.drawn)
                v.lines.push_back(Line{
                    {-0.75 * pierWidth, -layer.depth}, {l - tipCover, -layer.depth}, Layer::Rebar});
        }

        // The bearing with P and H.
        double right = l;
        double top = 0;
        if (m_a.ok()) {
            const double a = m_a.mm;
            const double width = 1.6 * u;
            const double height = 0.6 * u;
            v.polylines.push_back(Polyline{{{a - width / 2, 0},
                                            {a + width / 2, 0},
                                            {a + width / 2, height},
                                            {a - width / 2, height}},
                                           true,
                                           Layer::Outline});
            right = std::max(right, a + width / 2);
            const double shaft = 3.5 * u;
            top = height + shaft;
            addForce(
                v, "P", m_inputs.P, u,
                [&](bool positive) {
                    const Point onBearing{a, height};
                    const Point above{a, height + shaft};
                    return positive ? std::pair{above, onBearing} : std::pair{onBearing, above};
                },
                Point{a + 0.5 * u, height + 0.6 * shaft}, HAlign::Left, VAlign::Middle);
            const double y = height / 2;
            const double length = 3 * u;
            const bool hPositive = !(m_inputs.H < 0);
            const double start = hPositive ? a + width / 2 : a - width / 2;
            const double end = hPositive ? start + length : start - length;
            addForce(
                v, "H", m_inputs.H, u,
                [&](bool) {
                    return std::pair{Point{start, y}, Point{end, y}};
                },
                Point{(start + end) / 2, y + 0.45 * u}, HAlign::Centre, VAlign::Bottom);
            right = std::max(right, std::max(start, end));
            // The dimensions beyond the tip stand clear of the load labels.
            for (const Text& label : v.texts)
                right = std::max(right, textBox(label).right);
        }

        // Dimensions: l below, t, c and H1 beyond the tip, H2 (and d, Zc)
        // beyond the pier.
        v.dimensions.push_back(dimension({0, -H2}, {l, -H1}, Orientation::Horizontal,
                                         -std::max(H1, H2) - 2 * u, "l=" + metres(m_inputs.l), u));
        // A vertical dimension's text stands on the left of its line, so the
        // first column keeps room for it beyond the tip and the loads.
        double column = right + 3 * u;
        if (m_t.ok() && m_layers[0].drawn) {
            v.dimensions.push_back(dimension({l, 0}, {l, -m_t.mm}, Orientation::Vertical, column,
                                             "t=" + cover(m_inputs.t), u));
        }
        if (m_layers[1].drawn) {
            v.dimensions.push_back(dimension({l, -m_t.mm}, {l, -m_layers[1].depth},
                                             Orientation::Vertical, column,
                                             "c=" + cover(m_inputs.c), u, Overflow::Low));
        }
        if (H1 > 0) {
            column += 2 * u;
            v.dimensions.push_back(dimension({l, 0}, {l, -H1}, Orientation::Vertical, column,
                                             "H1=" + metres(m_inputs.H1), u));
        }
        // a above the loads, and above the texts of t and c where they run up
        // beyond the top face, so that the labels never meet.
        if (m_a.ok()) {
            double above = top;
            for (const Dimension& d : v.dimensions)
                above = std::max(above, textBox(layoutOf(d).text).top);
            v.dimensions.push_back(dimension({0, 0}, {m_a.mm, 0}, Orientation::Horizontal,
                                             above + 1.5 * u, "a=" + metres(m_inputs.a), u));
        }
        // The columns behind the pier stand clear of a load label there too
        // (H pointing back at a bearing near the root).
        double left = -pierWidth - 1.5 * u;
        for (const Text& label : v.texts)
            left = std::min(left, textBox(label).left - 0.5 * u);
        if (m_main && m_d.ok() && m_Zc.ok()) {
            const double centroid = -H2 + m_d.mm;
            v.dimensions.push_back(dimension({0, centroid}, {0, centroid - m_Zc.mm},
                                             Orientation::Vertical, left,
                                             "Zc=" + metres(m_main->Zc), u));
            left -= 2 * u;
            v.dimensions.push_back(dimension({0, -H2}, {0, centroid}, Orientation::Vertical, left,
                                             "d=" + metres(m_main->d), u));
            left -= 2 * u;
        } else if (m_main && m_d.ok()) {
            v.dimensions.push_back(dimension({0, -H2}, {0, -H2 + m_d.mm}, Orientation::Vertical,
                                             left, "d=" + metres(m_main->d), u));
            left -= 2 * u;
        }
        v.dimensions.push_back(dimension({0, 0}, {0, -H2}, Orientation::Vertical, left,
                                         "H2=" + metres(m_inputs.H2), u));
        addTitle(v, "側面図", u);
    }

    // A force arrow with its label, when its value is a number.
    template <typename Ends>
    void addForce(View& v, const char* name, double value, double u, Ends ends, Point labelAt,
                  HAlign hAlign, VAlign vAlign) {
        if (!std::isfinite(value)) {
            note(std::string(name) + " が数値でないため描けません");
            return;
        }
        const auto [tail, tip] = ends(!(value < 0));
        v.arrows.push_back(Arrow{tail, tip, 1.0 * u, Layer::Load});
        // With the report's three decimals: a converted load stays readable.
        v.texts.push_back(
            Text{labelAt,
                 std::string(name) + "=" + plainText(roundHalfEven(value, 3)) + " " + m_units.force,
                 u, hAlign, vAlign, 0, Layer::Load});
    }

    std::string cover(double value) const { return plainText(value) + " " + m_units.cover; }

    // A length in mm shown in the cover unit, as the clear distances are.
    std::string inCoverUnit(double lengthMm) const {
        return plainText(roundHalfEven(lengthMm / m_units.coverToMm, m_units.coverMmDecimals)) +
               " " + m_units.cover;
    }

    // Strokes at 45 degrees, `spacing` apart, inside a rectangle.
    static Hatch hatch(double x0, double y0, double x1, double y1, double spacing) {
        Hatch h;
        h.boundary = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        h.layer = Layer::Outline;
        // Lines y = x + k for k from y0 - x1 to y1 - x0.
        const double first = y0 - x1;
        const double last = y1 - x0;
        const double fitting = spacing > 0 ? (last - first) / spacing : 0.0;
        const int count = static_cast<int>(std::clamp(fitting, 0.0, double(kMaxHatchStrokes)));
        const double step = (last - first) / (count + 1);
        for (int i = 1; i <= count; ++i) {
            const double k = first + i * step;
            const double from = std::max(x0, y0 - k);
            const double to = std::min(x1, y1 - k);
            if (from < to)
                h.strokes.push_back(Line{{from, from + k}, {to, to + k}, Layer::Outline});
        }
        return h;
    }

    void buildSection() {
        View& v = m_sketch.section;
        const double u = m_sectionUnit;
        const double b = m_b.mm;
        const double H2 = m_H2.mm;
        v.polylines.push_back(Polyline{{{0, 0}, {b, 0}, {b, -H2}, {0, -H2}}, true, Layer::Outline});

        std::optional<double> previousLabel;
        bool anyBars = false;
        std::vector<std::string> clearSpacings;
        double clearRow = 1.5 * u;
        for (const BarLayer& layer : m_layers) {
            if (!layer.drawn || !layer.diameter)
                continue;
            anyBars = true;
            const double radius = *layer.diameter / 2;
            const double y = -layer.depth;
            const long n = layer.wholeBars;
            // Centres spread evenly between t from either side face (the
            // cover as drawn: one too small to draw lies on the face).
            const double side = m_t.ok() ? m_t.mm : 0.0;
            const auto bars = static_cast<double>(n);
            auto centre = [&](long k) {
                return barCentreMm(b, side, bars, static_cast<double>(k));
            };
            double lastX = centre(n - 1);
            if (layer.summarised) {
                const double firstX = centre(0);
                v.circles.push_back(Circle{{firstX, y}, radius, Layer::Rebar});
                v.circles.push_back(Circle{{lastX, y}, radius, Layer::Rebar});
                v.lines.push_back(Line{{firstX + radius, y}, {lastX - radius, y}, Layer::Rebar});
            } else {
                for (long k = 0; k < n; ++k)
                    v.circles.push_back(Circle{{centre(k), y}, radius, Layer::Rebar});
                if (n >= 2) {
                    // At drawing scale a span between bar faces cannot be
                    // told from one between centres: the line measures the
                    // pitch, and the clear spacing is stated in the note.
                    const double pitch = barPitchMm(b, side, bars);
                    v.dimensions.push_back(dimension({centre(0), y}, {centre(1), y},
                                                     Orientation::Horizontal, clearRow,
                                                     "@" + inCoverUnit(pitch), u));
                    clearRow += 2 * u;
                    clearSpacings.push_back(std::string(layer.name) + " " +
                                            inCoverUnit(pitch - *layer.diameter));
                }
            }
            // The label beside the section, on a leader from the last bar.
            double at = y;
            if (previousLabel && at > *previousLabel - 1.3 * u)
                at = *previousLabel - 1.3 * u;
            previousLabel = at;
            const double labelX = std::max(b, lastX + radius) + 1.5 * u;
            v.lines.push_back(Line{{lastX + radius, y}, {labelX, at}, Layer::Text});
            v.texts.push_back(Text{{labelX + 0.3 * u, at},
                                   layer.label(),
                                   u,
                                   HAlign::Left,
                                   VAlign::Middle,
                                   0,
                                   Layer::Text});
        }

        v.dimensions.push_back(dimension({0, -H2}, {b, -H2}, Orientation::Horizontal, -H2 - 2 * u,
                                         "b=" + metres(m_inputs.b), u));
        double left = -1.5 * u;
        if (m_t.ok() && m_layers[0].drawn) {
            v.dimensions.push_back(dimension({0, 0}, {0, -m_t.mm}, Orientation::Vertical, left,
                                             "t=" + cover(m_inputs.t), u));
        }
        if (m_layers[1].drawn) {
            v.dimensions.push_back(dimension({0, -m_t.mm}, {0, -m_layers[1].depth},
                                             Orientation::Vertical, left, "c=" + cover(m_inputs.c),
                                             u, Overflow::Low));
        }
        left -= 2 * u;
        v.dimensions.push_back(dimension({0, 0}, {0, -H2}, Orientation::Vertical, left,
                                         "H2=" + metres(m_inputs.H2), u));
        // The notes go below all else, bars drawn below the member included.
        double noteTop = -H2 - 3.5 * u;
        if (!v.texts.empty())
            noteTop = std::min(noteTop, v.bounds().bottom - 1.0 * u);
        if (anyBars && m_t.ok()) {
            v.texts.push_back(Text{{0, noteTop},
                                   "側面の被りも t=" + cover(m_inputs.t) + " として描きました",
                                   0.85 * u,
                                   HAlign::Left,
                                   VAlign::Top,
                                   0,
                                   Layer::Text});
        }
        if (!clearSpacings.empty()) {
            std::string note = "鉄筋のあき（純間隔）: ";
            for (std::size_t i = 0; i < clearSpacings.size(); ++i)
                note += (i > 0 ? "、" : "") + clearSpacings[i];
            v.texts.push_back(Text{
                {0, noteTop - 1.2 * u}, note, 0.85 * u, HAlign::Left, VAlign::Top, 0, Layer::Text});
        }
        addTitle(v, "付根断面", u);
    }

    const DesignInputs& m_inputs;
    const MainReinforcement* m_main;
    const UnitTable& m_units;
    Sketch m_sketch;

    // Each length starts as "not drawn" until it is read.
    Length m_H1{0, "-"}, m_H2{0, "-"}, m_l{0, "-"}, m_b{0, "-"}, m_t{0, "-"};
    Length m_a{0, "-"}, m_d{0, "-"}, m_Zc{0, "-"};
    std::array<BarLayer, 2> m_layers;
    bool m_elevationDrawn = false;
    bool m_sectionDrawn = false;
    double m_elevationUnit = 0;
    double m_sectionUnit = 0;
};

} // namespace

Sketch buildSketch(const DesignInputs& inputs) {
    return Builder(inputs, nullptr).build();
}

Sketch buildSketch(const DesignInputs& inputs, const DesignResults& results) {
    return Builder(inputs, results.completed() ? &results.main : nullptr).build();
}

} // namespace haltrix::sketch
