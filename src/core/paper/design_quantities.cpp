// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/design_quantities.h"

#include <cmath>

#include "design/bar_table.h"

namespace haltrix::quantities {

// PROVISIONAL until the 3D model is merged: replaced by the model's bars.
Quantities designQuantities(const DesignInputs& in, const HorizontalChoice& choice) {
    const Body body{in.H1 * 1000, in.H2 * 1000, in.l * 1000, in.b * 1000};
    const double cover = in.unitSystem == kUnitGravitational ? in.t * 10 : in.t;
    auto bar = [&](std::string mark, std::string role, const std::string& name, double count) {
        const double phi = barDiameterByName(name).value_or(0);
        return ModelBar{std::move(mark), std::move(role), name, body.l - cover + 35 * phi,
                        35 * phi, static_cast<int>(count)};
    };
    std::vector<ModelBar> bars{bar("S1", "主鉄筋 1段目", in.layer1Bar, in.layer1Count),
                               bar("S2", "主鉄筋 2段目", in.layer2Bar, in.layer2Count)};
    bars.push_back(ModelBar{"S3", "水平方向用心鉄筋", std::string(barNameByIndex(choice.barIndex)),
                            body.l - cover, 0, static_cast<int>(choice.barCount) * 2});
    return quantitiesOf(body, bars);
}

} // namespace haltrix::quantities
