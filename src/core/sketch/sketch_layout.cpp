// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch/sketch_layout.h"

#include <algorithm>
#include <cmath>

namespace haltrix::sketch {

namespace {

// The view's box with a little room around it, for texts wider than their
// estimate; never empty or flat.
Box paddedBounds(const View& view) {
    Box box = view.bounds();
    const double pad = 0.6 * view.textHeight;
    box.include(Point{box.left - pad, box.bottom - pad});
    box.include(Point{box.right + pad, box.top + pad});
    return box;
}

std::vector<const View*> drawnViews(const Sketch& s) {
    std::vector<const View*> views;
    for (const View* view : {&s.elevation, &s.section}) {
        if (!view->empty())
            views.push_back(view);
    }
    return views;
}

double safeSize(double value) {
    return value > 0 && std::isfinite(value) ? value : 1.0;
}

// Fits boxes in `area` side by side (or stacked) at one scale, centred.
std::vector<Placement> arrangeShared(const std::vector<const View*>& views,
                                     const std::vector<Box>& boxes, const Area& area,
                                     bool stacked, double gap) {
    double width = 0;
    double height = 0;
    for (const Box& box : boxes) {
        if (stacked) {
            width = std::max(width, box.width());
            height += box.height();
        } else {
            width += box.width();
            height = std::max(height, box.height());
        }
    }
    const double gaps = gap * static_cast<double>(boxes.size() - 1);
    (stacked ? height : width) += gaps;
    const double scale = std::min(area.width / safeSize(width), area.height / safeSize(height));
    double x = area.left + (area.width - width * scale) / 2;
    double y = area.top + (area.height - height * scale) / 2;
    std::vector<Placement> placed;
    for (std::size_t i = 0; i < views.size(); ++i) {
        placed.push_back({views[i], boxes[i], scale, x, y});
        if (stacked)
            y += (boxes[i].height() + gap) * scale;
        else
            x += (boxes[i].width() + gap) * scale;
    }
    return placed;
}

// Each box fitted on its own in an equal share of `area`.
std::vector<Placement> arrangeApart(const std::vector<const View*>& views,
                                    const std::vector<Box>& boxes, const Area& area,
                                    bool stacked) {
    std::vector<Placement> placed;
    const double n = static_cast<double>(views.size());
    for (std::size_t i = 0; i < views.size(); ++i) {
        const double k = static_cast<double>(i);
        const Area cell = stacked ? Area{area.left, area.top + k * area.height / n, area.width,
                                         area.height / n}
                                  : Area{area.left + k * area.width / n, area.top,
                                         area.width / n, area.height};
        const Area inner{cell.left + cell.width * 0.02, cell.top + cell.height * 0.02,
                         cell.width * 0.96, cell.height * 0.96};
        placed.push_back(arrangeShared({views[i]}, {boxes[i]}, inner, false, 0).front());
    }
    return placed;
}

double smallestScale(const std::vector<Placement>& placed) {
    double scale = placed.empty() ? 0 : placed.front().scale;
    for (const Placement& p : placed)
        scale = std::min(scale, p.scale);
    return scale;
}

} // namespace

double penWidthMm(Layer layer) {
    switch (layer) {
    case Layer::Outline:
        return 0.35;
    case Layer::Rebar:
        return 0.5;
    case Layer::Load:
        return 0.3;
    case Layer::Dim:
    case Layer::Text:
        return 0.13;
    }
    return 0.25;
}

Rgb layerColour(Layer layer) {
    switch (layer) {
    case Layer::Rebar:
        return {0xC0, 0x10, 0x10};
    case Layer::Load:
        return {0x10, 0x40, 0xC0};
    case Layer::Dim:
        return {0x00, 0x70, 0x30};
    case Layer::Outline:
    case Layer::Text:
        break;
    }
    return {0, 0, 0};
}

std::vector<Placement> arrangeViews(const Sketch& sketch, const Area& area) {
    const std::vector<const View*> views = drawnViews(sketch);
    if (views.empty() || !(area.width > 0) || !(area.height > 0))
        return {};
    std::vector<Box> boxes;
    for (const View* view : views)
        boxes.push_back(paddedBounds(*view));
    // The builder gives views of alike size one text height: those share a
    // scale, so the section and the elevation are drawn alike.
    const bool shared = views.size() == 1 || views[0]->textHeight == views[1]->textHeight;
    if (shared) {
        const double gap = 2 * views.front()->textHeight;
        auto side = arrangeShared(views, boxes, area, false, gap);
        auto stacked = arrangeShared(views, boxes, area, true, gap);
        return smallestScale(stacked) > smallestScale(side) ? stacked : side;
    }
    auto side = arrangeApart(views, boxes, area, false);
    auto stacked = arrangeApart(views, boxes, area, true);
    return smallestScale(stacked) > smallestScale(side) ? stacked : side;
}

std::vector<Placement> arrangeView(const View& view, const Area& area) {
    if (view.empty() || !(area.width > 0) || !(area.height > 0))
        return {};
    return arrangeShared({&view}, {paddedBounds(view)}, area, false, 0);
}

double sketchAspectRatio(const Sketch& sketch) {
    const std::vector<const View*> views = drawnViews(sketch);
    if (views.empty())
        return 1.5;
    double width = 0;
    double height = 0;
    for (const View* view : views) {
        const Box box = paddedBounds(*view);
        width += box.width() + 2 * view->textHeight;
        height = std::max(height, box.height());
    }
    return std::clamp(width / safeSize(height), 0.5, 3.0);
}

ImageSize exportImageSize(const Sketch& sketch, int width) {
    width = std::max(width, 4 * kExportMargin);
    const bool drawn = !sketch.elevation.empty() || !sketch.section.empty();
    const double drawing =
        drawn ? (width - 2 * kExportMargin) / sketchAspectRatio(sketch) : 0.0;
    const int notes =
        kExportNoteLine * static_cast<int>(std::min<std::size_t>(sketch.notes.size(), 40)) +
        (sketch.notes.empty() ? 0 : kExportNoteLine);
    return {width, static_cast<int>(std::ceil(drawing)) + notes + 2 * kExportMargin};
}

} // namespace haltrix::sketch
