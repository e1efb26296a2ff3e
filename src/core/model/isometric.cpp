// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/isometric.h"

#include <algorithm>
#include <cmath>

namespace haltrix::model {

namespace {

// The normal text height is the drawing's size divided by this, as in the
// sketch's views.
constexpr double kTextsPerView = 28;

} // namespace

sketch::Point isometricPoint(const Point3& p) {
    static const double kRoot2 = std::sqrt(2.0);
    static const double kRoot6 = std::sqrt(6.0);
    return {(p.x + p.y) / kRoot2, (p.y - p.x + 2 * p.z) / kRoot6};
}

sketch::View isometricView(const BracketModel& model) {
    using sketch::Layer;
    sketch::View view;
    const std::vector<Point3> c = model.body.corners();
    std::vector<sketch::Point> p;
    for (const Point3& corner : c)
        p.push_back(isometricPoint(corner));

    // The support's face at the root, a margin around the body's root face.
    const double margin = 0.25 * std::max(model.body.H2, model.body.b / 2);
    const double half = model.body.b / 2 + margin;
    view.polylines.push_back(
        sketch::Polyline{{isometricPoint({0, -half, margin}), isometricPoint({0, half, margin}),
                          isometricPoint({0, half, -model.body.H2 - margin}),
                          isometricPoint({0, -half, -model.body.H2 - margin})},
                         true,
                         Layer::Dim});
    // The top and the bottom face, and the four edges between them.
    view.polylines.push_back(sketch::Polyline{{p[0], p[1], p[2], p[3]}, true, Layer::Outline});
    view.polylines.push_back(sketch::Polyline{{p[4], p[5], p[6], p[7]}, true, Layer::Outline});
    for (int k = 0; k < 4; ++k)
        view.lines.push_back(sketch::Line{p[k], p[k + 4], Layer::Outline});

    for (const ModelBar& bar : model.bars)
        view.lines.push_back(
            sketch::Line{isometricPoint(bar.start), isometricPoint(bar.end), Layer::Rebar});

    const sketch::Box drawn = view.bounds();
    const double unit = std::max(drawn.width(), drawn.height()) / kTextsPerView;
    view.textHeight = unit;
    view.circles.push_back(sketch::Circle{isometricPoint(model.bearing), 0.3 * unit, Layer::Load});
    view.texts.push_back(sketch::Text{{drawn.left, drawn.top + 0.8 * unit},
                                      "立体図",
                                      1.3 * unit,
                                      sketch::HAlign::Left,
                                      sketch::VAlign::Bottom,
                                      0,
                                      Layer::Text});
    return view;
}

sketch::View designIsometric(const DesignInputs& inputs, const HorizontalChoice& sideFaces,
                             const AnchorageRule& anchorage) {
    const ModelOutcome outcome = buildBracketModel(inputs, sideFaces, anchorage);
    return outcome.model ? isometricView(*outcome.model) : sketch::View{};
}

} // namespace haltrix::model
