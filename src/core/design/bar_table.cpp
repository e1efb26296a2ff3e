// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/bar_table.h"

namespace haltrix {

namespace {

const std::array<double, kBarCount>& areas(BarColumn column) {
    return column == BarColumn::Cm2 ? kBarAreaCm2 : kBarAreaMm2;
}

} // namespace

LayerAreas layerAreas(const DesignInputs& record, BarColumn column) {
    return {record.layer1Count * barAreaByName(record.layer1Bar, column),
            record.layer2Count * barAreaByName(record.layer2Bar, column)};
}

double barAreaByName(std::string_view designation, BarColumn column) {
    for (int i = 0; i < kBarCount; ++i) {
        if (kBarDesignations[i] == designation)
            return areas(column)[i];
    }
    return 0.0;
}

std::optional<double> barDiameterByName(std::string_view designation) {
    for (int i = 0; i < kBarCount; ++i) {
        if (kBarDesignations[i] == designation)
            return kBarDiameterMm[i];
    }
    return std::nullopt;
}

double barAreaByIndex(int position, BarColumn column) {
    if (position < 0 || position >= kBarCount)
        position = 0;
    return areas(column)[position];
}

double layerAreaByIndex(int position, double count, BarColumn column) {
    return count * barAreaByIndex(position, column);
}

std::string_view barNameByIndex(int position) {
    if (position < 0 || position >= kBarCount)
        position = 0;
    return kBarDesignations[position];
}

} // namespace haltrix
