// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch/sketch.h"

#include <algorithm>
#include <cmath>

#include "paper/text_width.h"
#include "paper/utf8.h"

namespace haltrix::sketch {

namespace {

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
Point operator*(Point a, double k) {
    return {a.x * k, a.y * k};
}

// A text's width in ems: a byte that does not start a valid sequence counts
// as one half-width character.
double estimatedWidth(const Text& text) {
    double ems = 0;
    for (std::size_t i = 0; i < text.text.size();) {
        const Utf8Char c = decodeUtf8(text.text, i);
        ems += !c.valid || isHalfWidth(c.code) ? 0.55 : 1.0;
        i += c.length;
    }
    return ems * text.height;
}

void includeLine(Box& box, const Line& line) {
    box.include(line.from);
    box.include(line.to);
}

} // namespace

std::string_view layerName(Layer layer) {
    switch (layer) {
    case Layer::Outline:
        return "OUTLINE";
    case Layer::Rebar:
        return "REBAR";
    case Layer::Load:
        return "LOAD";
    case Layer::Dim:
        return "DIM";
    case Layer::Text:
        return "TEXT";
    }
    return "OUTLINE";
}

DimensionLayout layoutOf(const Dimension& d) {
    const bool horizontal = d.orientation == Orientation::Horizontal;
    // Coordinates along the measured direction (u) and across it (v).
    auto along = [&](Point p) { return horizontal ? p.x : p.y; };
    auto across = [&](Point p) { return horizontal ? p.y : p.x; };
    auto point = [&](double u, double v) { return horizontal ? Point{u, v} : Point{v, u}; };

    const double arrow = d.arrowLength;
    const double gap = 0.25 * arrow;
    const double overshoot = 0.5 * arrow;
    auto extension = [&](Point p) {
        const double side = d.position >= across(p) ? 1.0 : -1.0;
        return Line{point(along(p), across(p) + side * gap),
                    point(along(p), d.position + side * overshoot), d.layer};
    };

    DimensionLayout layout;
    layout.extension1 = extension(d.from);
    layout.extension2 = extension(d.to);
    const double low = std::min(along(d.from), along(d.to));
    const double high = std::max(along(d.from), along(d.to));
    const bool headsInside = high - low >= 2.2 * arrow;
    const Point unit = point(1, 0) - point(0, 0);
    layout.tip1 = point(low, d.position);
    layout.tip2 = point(high, d.position);
    if (headsInside) {
        layout.dimensionLine = Line{layout.tip1, layout.tip2, d.layer};
        layout.direction1 = unit * -1.0;
        layout.direction2 = unit;
    } else {
        layout.dimensionLine =
            Line{point(low - 2 * arrow, d.position), point(high + 2 * arrow, d.position), d.layer};
        layout.direction1 = unit;
        layout.direction2 = unit * -1.0;
    }

    Text& text = layout.text;
    text.text = d.text;
    text.height = d.textHeight;
    text.layer = d.layer;
    text.vAlign = VAlign::Bottom;
    // A vertical dimension's text reads upwards, on the left of its line.
    text.angle = horizontal ? 0 : 90;
    const double textGap = 0.3 * d.textHeight;
    const double lift = horizontal ? textGap : -textGap;
    if (estimatedWidth(text) + arrow <= high - low) {
        text.hAlign = HAlign::Centre;
        text.at = point((low + high) / 2, d.position + lift);
    } else {
        // Too long for the space between the extension lines: beside one
        // end, clear of the arrowhead.
        const double clear = (headsInside ? 0.5 : 2.5) * arrow;
        if (d.overflow == Overflow::High) {
            text.hAlign = HAlign::Left;
            text.at = point(high + clear, d.position + lift);
        } else {
            text.hAlign = HAlign::Right;
            text.at = point(low - clear, d.position + lift);
        }
    }
    return layout;
}

Triangle arrowHead(Point tip, Point direction, double length) {
    const Point base = tip - direction * length;
    const Point normal{-direction.y, direction.x};
    const double half = 0.18 * length;
    return {tip, base + normal * half, base - normal * half};
}

void Box::include(Point p) {
    if (empty) {
        left = right = p.x;
        bottom = top = p.y;
        empty = false;
        return;
    }
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
}

void Box::include(const Box& other) {
    if (other.empty)
        return;
    include(Point{other.left, other.bottom});
    include(Point{other.right, other.top});
}

Box textBox(const Text& text) {
    const double width = estimatedWidth(text);
    const double height = text.height;
    double x0 = 0;
    if (text.hAlign == HAlign::Centre)
        x0 = -width / 2;
    else if (text.hAlign == HAlign::Right)
        x0 = -width;
    double y0 = 0;
    if (text.vAlign == VAlign::Middle)
        y0 = -height / 2;
    else if (text.vAlign == VAlign::Top)
        y0 = -height;
    const double radians = text.angle * 3.14159265358979323846 / 180.0;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    Box box;
    for (const Point corner : {Point{x0, y0}, Point{x0 + width, y0}, Point{x0, y0 + height},
                               Point{x0 + width, y0 + height}}) {
        box.include(Point{text.at.x + corner.x * cosine - corner.y * sine,
                          text.at.y + corner.x * sine + corner.y * cosine});
    }
    return box;
}

bool View::empty() const {
    return lines.empty() && polylines.empty() && circles.empty() && arrows.empty() &&
           hatches.empty() && dimensions.empty() && texts.empty();
}

Box View::bounds() const {
    Box box;
    for (const Line& line : lines)
        includeLine(box, line);
    for (const Polyline& polyline : polylines) {
        for (const Point p : polyline.points)
            box.include(p);
    }
    for (const Circle& circle : circles) {
        box.include(Point{circle.centre.x - circle.radius, circle.centre.y - circle.radius});
        box.include(Point{circle.centre.x + circle.radius, circle.centre.y + circle.radius});
    }
    for (const Arrow& arrow : arrows) {
        box.include(arrow.tail);
        box.include(arrow.tip);
    }
    for (const Hatch& hatch : hatches) {
        for (const Point p : hatch.boundary)
            box.include(p);
    }
    for (const Dimension& dimension : dimensions) {
        const DimensionLayout layout = layoutOf(dimension);
        includeLine(box, layout.extension1);
        includeLine(box, layout.extension2);
        includeLine(box, layout.dimensionLine);
        box.include(textBox(layout.text));
    }
    for (const Text& text : texts)
        box.include(textBox(text));
    return box;
}

std::vector<double> numbersOf(const Sketch& sketch) {
    std::vector<double> numbers;
    auto point = [&](Point p) {
        numbers.push_back(p.x);
        numbers.push_back(p.y);
    };
    auto line = [&](const Line& l) {
        point(l.from);
        point(l.to);
    };
    for (const View* view : {&sketch.elevation, &sketch.section}) {
        numbers.push_back(view->textHeight);
        for (const Line& l : view->lines)
            line(l);
        for (const Polyline& polyline : view->polylines) {
            for (const Point p : polyline.points)
                point(p);
        }
        for (const Circle& circle : view->circles) {
            point(circle.centre);
            numbers.push_back(circle.radius);
        }
        for (const Arrow& arrow : view->arrows) {
            point(arrow.tail);
            point(arrow.tip);
            numbers.push_back(arrow.headLength);
        }
        for (const Hatch& hatch : view->hatches) {
            for (const Point p : hatch.boundary)
                point(p);
            for (const Line& stroke : hatch.strokes)
                line(stroke);
        }
        for (const Dimension& dimension : view->dimensions) {
            point(dimension.from);
            point(dimension.to);
            numbers.push_back(dimension.position);
            numbers.push_back(dimension.textHeight);
            numbers.push_back(dimension.arrowLength);
        }
        for (const Text& text : view->texts) {
            point(text.at);
            numbers.push_back(text.height);
            numbers.push_back(text.angle);
        }
    }
    return numbers;
}

} // namespace haltrix::sketch
