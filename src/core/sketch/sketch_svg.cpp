// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch/sketch_svg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "sketch/sketch_layout.h"

namespace haltrix::sketch {

namespace {

constexpr double kDpi = 96;
constexpr double kPxPerMm = kDpi / 25.4;
constexpr double kPxPerPt = kDpi / 72.0;
// The Gothic faces' ascent and descent as parts of the text size.
constexpr double kAscent = 0.88;
constexpr double kDescent = 0.12;
constexpr const char* kFontFamily =
    "'ＭＳ ゴシック', 'MS Gothic', 'IPAGothic', 'IPAexGothic', sans-serif";

// "#rrggbb" of the layer's colour.
std::string colourOf(Layer layer) {
    static constexpr char kHex[] = "0123456789abcdef";
    const Rgb rgb = layerColour(layer);
    std::string text = "#";
    for (const int part : {rgb.red, rgb.green, rgb.blue}) {
        text += kHex[(part >> 4) & 0xF];
        text += kHex[part & 0xF];
    }
    return text;
}

// Two decimals, '.' whatever the locale; 0 for what is not finite.
std::string number(double value) {
    if (!std::isfinite(value))
        value = 0;
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      std::chars_format::fixed, 2);
    std::string text(buffer.data(), result.ptr);
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

// A stroke no wider than a pixel is drawn a pixel wide, as on screen.
double strokePx(double millimetres) {
    return std::max(1.0, millimetres * kPxPerMm);
}

class SvgWriter {
public:
    explicit SvgWriter(std::string& out) : m_out(out) {}

    void view(const Placement& place) {
        m_place = &place;
        const View& v = *place.view;
        constexpr std::size_t kLayerCount = 5;
        auto slot = [](Layer layer) { return static_cast<std::size_t>(layer); };
        std::string hatchPath;
        std::array<std::string, kLayerCount> lines;
        std::array<std::string, kLayerCount> heads;
        std::vector<Text> texts;

        auto addLine = [&](std::string& path, const Line& line) {
            path += 'M';
            path += point(line.from);
            path += 'L';
            path += point(line.to);
        };
        for (const Hatch& hatch : v.hatches) {
            for (const Line& stroke : hatch.strokes)
                addLine(hatchPath, stroke);
        }
        for (const Line& line : v.lines)
            addLine(lines[slot(line.layer)], line);
        for (const Arrow& arrow : v.arrows) {
            addLine(lines[slot(arrow.layer)], Line{arrow.tail, arrow.tip, arrow.layer});
            const Point tip = place.map(arrow.tip);
            const Point tail = place.map(arrow.tail);
            addHead(heads[slot(arrow.layer)], tip, Point{tip.x - tail.x, tip.y - tail.y},
                    arrow.headLength);
        }
        for (const Dimension& dimension : v.dimensions) {
            const DimensionLayout layout = layoutOf(dimension);
            for (const Line* line : {&layout.extension1, &layout.extension2, &layout.dimensionLine})
                addLine(lines[slot(line->layer)], *line);
            std::string& path = heads[slot(dimension.layer)];
            addHead(path, place.map(layout.tip1), Point{layout.direction1.x, -layout.direction1.y},
                    dimension.arrowLength);
            addHead(path, place.map(layout.tip2), Point{layout.direction2.x, -layout.direction2.y},
                    dimension.arrowLength);
            texts.push_back(layout.text);
        }
        texts.insert(texts.end(), v.texts.begin(), v.texts.end());

        m_out += "<g fill=\"none\" stroke-linecap=\"butt\" stroke-linejoin=\"miter\">\n";
        if (!hatchPath.empty())
            pathElement(hatchPath, colourOf(Layer::Outline), strokePx(kHatchPenMm));
        for (std::size_t layer = 0; layer < kLayerCount; ++layer) {
            if (!lines[layer].empty())
                pathElement(lines[layer], colourOf(static_cast<Layer>(layer)),
                            strokePx(penWidthMm(static_cast<Layer>(layer))));
        }
        for (const Hatch& hatch : v.hatches)
            polyElement("polygon", hatch.boundary, hatch.layer);
        for (const Polyline& polyline : v.polylines)
            polyElement(polyline.closed ? "polygon" : "polyline", polyline.points, polyline.layer);
        m_out += "</g>\n";

        for (const Circle& circle : v.circles) {
            const Point centre = place.map(circle.centre);
            const double radius =
                std::max(circle.radius * place.scale, kMinBarRadiusMm * kPxPerMm);
            m_out += "<circle cx=\"" + number(centre.x) + "\" cy=\"" + number(centre.y) +
                     "\" r=\"" + number(radius) + "\" fill=\"" + colourOf(circle.layer) +
                     "\" stroke=\"none\"/>\n";
        }
        for (std::size_t layer = 0; layer < kLayerCount; ++layer) {
            if (!heads[layer].empty())
                m_out += "<path d=\"" + heads[layer] + "\" fill=\"" +
                         colourOf(static_cast<Layer>(layer)) + "\" stroke=\"none\"/>\n";
        }
        for (const Text& text : texts)
            textElement(text);
        m_place = nullptr;
    }

    void notes(const std::vector<std::string>& notes, double left, double top) {
        const double size = kNotesPt * kPxPerPt;
        double baseline = top + kAscent * size;
        for (const std::string& note : notes) {
            m_out += "<text x=\"" + number(left) + "\" y=\"" + number(baseline) +
                     "\" font-size=\"" + number(size) + "\" fill=\"#000000\">" + escaped(note) +
                     "</text>\n";
            baseline += kExportNoteLine;
        }
    }

private:
    std::string point(Point model) const {
        const Point p = m_place->map(model);
        std::string text = number(p.x);
        text += ' ';
        text += number(p.y);
        return text;
    }

    void pathElement(const std::string& d, const std::string& colour, double width) {
        m_out += "<path d=\"" + d + "\" stroke=\"" + colour + "\" stroke-width=\"" +
                 number(width) + "\"/>\n";
    }

    void polyElement(const char* element, const std::vector<Point>& points, Layer layer) {
        m_out += std::string("<") + element + " points=\"";
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i)
                m_out += ' ';
            m_out += point(points[i]);
        }
        m_out += "\" stroke=\"" + colourOf(layer) + "\" stroke-width=\"" +
                 number(strokePx(penWidthMm(layer))) + "\"/>\n";
    }

    // A filled head at `tip` (device), pointing along `towards` (device).
    void addHead(std::string& path, Point tip, Point towards, double lengthMm) const {
        const double norm = std::hypot(towards.x, towards.y);
        if (!(norm > 0))
            return;
        const double length = std::max(lengthMm * m_place->scale, kMinArrowMm * kPxPerMm);
        const Triangle t = arrowHead(tip, Point{towards.x / norm, towards.y / norm}, length);
        for (const auto& [command, corner] : {std::pair{'M', t.a}, {'L', t.b}, {'L', t.c}}) {
            path += command;
            path += number(corner.x);
            path += ' ';
            path += number(corner.y);
        }
        path += 'Z';
    }

    void textElement(const Text& text) {
        const double size = std::max(text.height * m_place->scale, kMinTextPt * kPxPerPt);
        const char* anchor = text.hAlign == HAlign::Left     ? "start"
                             : text.hAlign == HAlign::Centre ? "middle"
                                                             : "end";
        double baseline = -kDescent * size;
        if (text.vAlign == VAlign::Middle)
            baseline = (kAscent - kDescent) / 2 * size;
        else if (text.vAlign == VAlign::Top)
            baseline = kAscent * size;
        const Point at = m_place->map(text.at);
        m_out += "<text transform=\"translate(" + number(at.x) + " " + number(at.y) + ")";
        if (text.angle != 0.0)
            m_out += " rotate(" + number(-text.angle) + ")";
        m_out += "\" x=\"0\" y=\"" + number(baseline) + "\" font-size=\"" + number(size) +
                 "\" text-anchor=\"" + anchor + "\" fill=\"" + colourOf(text.layer) + "\">" +
                 escaped(text.text) + "</text>\n";
    }

    std::string& m_out;
    const Placement* m_place = nullptr;
};

} // namespace

std::string svgText(const Sketch& sketch, const std::string& title, int width) {
    const ImageSize size = exportImageSize(sketch, width);
    const std::string w = std::to_string(size.width);
    const std::string h = std::to_string(size.height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
                      "\" font-family=\"" + kFontFamily + "\">\n<title>" + escaped(title) +
                      "</title>\n<desc>Haltrix</desc>\n<rect x=\"0\" y=\"0\" width=\"" + w +
                      "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    // The drawing above, the notes below, as the painter lays out a page.
    const double notesHeight = kExportNoteLine * static_cast<double>(sketch.notes.size());
    const double gap = sketch.notes.empty() ? 0 : 3 * kPxPerMm;
    const Area area{kExportMargin, kExportMargin, size.width - 2.0 * kExportMargin,
                    std::max(0.0, size.height - 2.0 * kExportMargin - notesHeight - gap)};
    SvgWriter writer(out);
    for (const Placement& placement : arrangeViews(sketch, area)) {
        out += "<g>\n";
        writer.view(placement);
        out += "</g>\n";
    }
    if (!sketch.notes.empty()) {
        out += "<g>\n";
        writer.notes(sketch.notes, kExportMargin, area.top + area.height + gap);
        out += "</g>\n";
    }
    out += "</svg>\n";
    return out;
}

} // namespace haltrix::sketch
