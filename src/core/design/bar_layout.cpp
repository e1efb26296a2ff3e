// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/bar_layout.h"

#include <cmath>

#include "design/bar_table.h"
#include "design/unit_system.h"

namespace haltrix {

double coverUnitToMm(std::int32_t unitSystem) {
    return unitTableOf(unitSystem).coverToMm;
}

double barPitchMm(double widthMm, double coverMm, double bars) {
    return (widthMm - 2.0 * coverMm) / (bars - 1.0);
}

double barCentreMm(double widthMm, double coverMm, double bars, double k) {
    if (bars == 1.0)
        return widthMm / 2;
    return coverMm + k * (widthMm - 2 * coverMm) / (bars - 1.0);
}

LayerLayout layerLayout(const DesignInputs& inputs, std::string_view bar, double count,
                        double depthMm) {
    LayerLayout layer;
    layer.bar = std::string(bar);
    layer.diameterMm = barDiameterByName(bar);
    layer.count = count;
    layer.wholeBars = std::floor(count);
    layer.depthMm = depthMm;
    layer.widthMm = inputs.b * 1000.0;
    layer.coverMm = inputs.t * coverUnitToMm(inputs.unitSystem);
    // One bar has no neighbour.
    if (layer.wholeBars >= 2.0) {
        layer.pitchMm = barPitchMm(layer.widthMm, layer.coverMm, layer.wholeBars);
        if (layer.diameterMm)
            layer.clearMm = *layer.pitchMm - *layer.diameterMm;
    }
    return layer;
}

std::optional<double> layerGapMm(const DesignInputs& inputs, std::string_view bar1,
                                 std::string_view bar2) {
    const std::optional<double> phi1 = barDiameterByName(bar1);
    const std::optional<double> phi2 = barDiameterByName(bar2);
    if (!phi1 || !phi2)
        return std::nullopt;
    return inputs.c * coverUnitToMm(inputs.unitSystem) - (*phi1 + *phi2) / 2.0;
}

BarLayout barLayout(const DesignInputs& inputs) {
    BarLayout layout;
    const double toMm = coverUnitToMm(inputs.unitSystem);
    layout.widthMm = inputs.b * 1000.0;
    layout.coverMm = inputs.t * toMm;
    layout.layerSpacingMm = inputs.c * toMm;
    layout.layers[0] = layerLayout(inputs, inputs.layer1Bar, inputs.layer1Count, layout.coverMm);
    layout.layers[1] = layerLayout(inputs, inputs.layer2Bar, inputs.layer2Count,
                                   layout.coverMm + layout.layerSpacingMm);
    layout.layerGapMm = layerGapMm(inputs, inputs.layer1Bar, inputs.layer2Bar);
    return layout;
}

} // namespace haltrix
