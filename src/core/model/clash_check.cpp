// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/clash_check.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "paper/number_format.h"

namespace haltrix::model {

namespace {

// Rounding of the positions must not make a bar at exactly the cover clash.
constexpr double kToleranceMm = 1e-6;

std::string millimetres(double value) {
    return plainText(roundHalfEven(value, 1)) + " mm";
}

// The group a bar belongs to: 0 layer 1, 1 layer 2, 2 the side-face bars.
int groupOf(const ModelBar& bar) {
    return bar.kind == BarKind::SideFace ? 2 : bar.layer - 1;
}

const char* groupName(int group) {
    static constexpr const char* kNames[] = {"１段目", "２段目", "水平方向用心鉄筋"};
    return kNames[group];
}

// The closest pair of bars of two groups (or of one), measured by how far
// their centres fall short of the distance they need.
struct Closest {
    double shortfall = -std::numeric_limits<double>::infinity();
    double distance = 0;
    double needed = 0;
};

void checkSpacing(const BracketModel& model, const ClearSpacingRule& rule,
                  std::vector<std::string>& clashes) {
    Closest closest[3][3];
    const std::vector<ModelBar>& bars = model.bars;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        for (std::size_t j = i + 1; j < bars.size(); ++j) {
            const ModelBar& p = bars[i];
            const ModelBar& q = bars[j];
            const double clear = minimumClearSpacingMm(rule, std::max(p.diameterMm, q.diameterMm));
            const double needed = (p.diameterMm + q.diameterMm) / 2 + clear;
            const double distance = std::hypot(p.end.y - q.end.y, p.end.z - q.end.z);
            const int g = std::min(groupOf(p), groupOf(q));
            const int h = std::max(groupOf(p), groupOf(q));
            Closest& worst = closest[g][h];
            if (needed - distance > worst.shortfall)
                worst = {needed - distance, distance, needed};
        }
    }
    for (int g = 0; g < 3; ++g) {
        for (int h = g; h < 3; ++h) {
            const Closest& worst = closest[g][h];
            if (!(worst.shortfall > kToleranceMm))
                continue;
            const std::string pair =
                g == h ? std::string(groupName(g)) + "の鉄筋どうし"
                       : std::string(groupName(g)) + "と" + groupName(h) + "の鉄筋";
            clashes.push_back(pair + ": 中心間隔 " + millimetres(worst.distance) + " が必要な " +
                              millimetres(worst.needed) +
                              "（鉄筋径の半分ずつと最小あき）より小さい");
        }
    }
}

void checkCover(const BracketModel& model, std::vector<std::string>& clashes) {
    const ConcreteBody& body = model.body;
    const double cover = model.coverMm;
    // Per group: how many bars miss the cover, and from which faces.
    static constexpr const char* kFaces[] = {"上面", "側面", "先端", "下面"};
    int missing[3] = {0, 0, 0};
    bool faces[3][4] = {};
    std::string designation[3];
    for (const ModelBar& bar : model.bars) {
        const double depth = -bar.end.z;
        // The bottom runs straight from the root to the tip: the bar comes
        // nearest to it at one of the ends of its part in the bracket.
        const double inside = std::clamp(bar.end.x, 0.0, body.l);
        const double clearance = std::min(body.depthAt(0), body.depthAt(inside)) - depth;
        const bool misses[4] = {
            depth<cover - kToleranceMm, std::abs(bar.end.y)> body.b / 2 - cover + kToleranceMm,
            bar.end.x > body.l - cover + kToleranceMm, clearance < cover - kToleranceMm};
        const int group = groupOf(bar);
        bool any = false;
        for (int face = 0; face < 4; ++face) {
            faces[group][face] = faces[group][face] || misses[face];
            any = any || misses[face];
        }
        if (any) {
            ++missing[group];
            designation[group] = bar.designation;
        }
    }
    for (int group = 0; group < 3; ++group) {
        if (missing[group] == 0)
            continue;
        std::string list;
        for (int face = 0; face < 4; ++face) {
            if (faces[group][face])
                list += (list.empty() ? "" : "、") + std::string(kFaces[face]);
        }
        clashes.push_back(std::string(groupName(group)) + "の鉄筋 " +
                          std::to_string(missing[group]) + " 本 (" + designation[group] + ") が" +
                          list + "から被り t = " + millimetres(cover) + " を取れない");
    }
}

} // namespace

std::vector<std::string> findClashes(const BracketModel& model, const ClearSpacingRule& rule) {
    std::vector<std::string> clashes;
    checkSpacing(model, rule, clashes);
    checkCover(model, clashes);
    return clashes;
}

} // namespace haltrix::model
