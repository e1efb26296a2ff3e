// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace haltrix::sketch {

// A dimensioned drawing of the bracket as plain data: lines, polylines,
// circles, arrows, hatches, dimensions and texts in model units (mm, y up).
// Renderers for the screen, paper, SVG, PNG and DXF draw it as it is; they
// decide nothing about the bracket.

// The drawing layers, named as in the DXF file.
enum class Layer { Outline, Rebar, Load, Dim, Text };
std::string_view layerName(Layer layer);

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Line {
    Point from;
    Point to;
    Layer layer = Layer::Outline;
};

struct Polyline {
    std::vector<Point> points;
    bool closed = false;
    Layer layer = Layer::Outline;
};

struct Circle {
    Point centre;
    double radius = 0;
    Layer layer = Layer::Rebar;
};

// A force: a shaft from `tail` to `tip` with a filled head of `headLength`
// at the tip.
struct Arrow {
    Point tail;
    Point tip;
    double headLength = 0;
    Layer layer = Layer::Load;
};

// A hatched area: its outline and the hatch strokes inside it, already cut
// to the outline.
struct Hatch {
    std::vector<Point> boundary;
    std::vector<Line> strokes;
    Layer layer = Layer::Outline;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Bottom, Middle, Top };

// A one-line text. `at` is the point the alignment refers to: with Left and
// Bottom the lower-left corner of the text box. `angle` turns the text about
// that point, counter-clockwise, in degrees (0 or 90 here).
struct Text {
    Point at;
    std::string text; // UTF-8
    double height = 0;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Bottom;
    double angle = 0;
    Layer layer = Layer::Text;
};

enum class Orientation { Horizontal, Vertical };

// Where a dimension's text goes when it is longer than the space between the
// extension lines: beyond the upper (right) end or the lower (left) one.
enum class Overflow { High, Low };

// A linear dimension between two points, measured along x (Horizontal) or
// y (Vertical). Its dimension line runs at `position`: the y of a horizontal
// dimension, the x of a vertical one.
struct Dimension {
    Point from;
    Point to;
    Orientation orientation = Orientation::Horizontal;
    double position = 0;
    std::string text;
    double textHeight = 0;
    double arrowLength = 0;
    Layer layer = Layer::Dim;
    Overflow overflow = Overflow::High;
};

// How a dimension is drawn: the two extension lines, the dimension line,
// the arrowheads (tip and the unit direction they point in) and the text.
// When the measured length is too short for both heads between the
// extension lines, the heads sit outside, pointing inwards.
struct DimensionLayout {
    Line extension1;
    Line extension2;
    Line dimensionLine;
    Point tip1;
    Point direction1;
    Point tip2;
    Point direction2;
    Text text;
};
DimensionLayout layoutOf(const Dimension& dimension);

// The three corners of a filled arrowhead with its tip at `tip`, pointing
// along the unit vector `direction`.
struct Triangle {
    Point a;
    Point b;
    Point c;
};
Triangle arrowHead(Point tip, Point direction, double length);

struct Box {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
    bool empty = true;

    void include(Point p);
    void include(const Box& other);
    double width() const { return empty ? 0 : right - left; }
    double height() const { return empty ? 0 : top - bottom; }
};

// The box a text takes, from an estimate of its width: a full-width
// character is as wide as the text is high, any other about half of that.
Box textBox(const Text& text);

// One drawing: the elevation or the section at the root.
struct View {
    std::vector<Line> lines;
    std::vector<Polyline> polylines;
    std::vector<Circle> circles;
    std::vector<Arrow> arrows;
    std::vector<Hatch> hatches;
    std::vector<Dimension> dimensions;
    std::vector<Text> texts;
    // The normal text height of the view; titles are a little larger.
    double textHeight = 0;

    bool empty() const;
    // Everything the view draws, texts and dimensions included.
    Box bounds() const;
};

struct Sketch {
    View elevation;
    View section;
    // What could not be drawn, or was drawn otherwise than given, one
    // sentence each, for a list under the drawing.
    std::vector<std::string> notes;
};

// Every coordinate and size the sketch holds (points' x and y, radii,
// heights, lengths, positions), for checks that they are all finite.
std::vector<double> numbersOf(const Sketch& sketch);

} // namespace haltrix::sketch
