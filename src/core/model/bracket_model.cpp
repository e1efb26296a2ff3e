// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bracket_model.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "design/bar_layout.h"
#include "design/bar_table.h"
#include "paper/number_format.h"

namespace haltrix::model {

namespace {

// Sizes beyond 100 km are no bracket; the model keeps every number finite.
constexpr double kLargestMm = 1e8;

// Why a length cannot be built, or empty when it can.
std::string lengthProblem(const char* name, double mm, bool zeroAllowed) {
    if (!std::isfinite(mm))
        return std::string(name) + " が数値でない";
    if (std::abs(mm) > kLargestMm)
        return std::string(name) + " が大きすぎる";
    if (zeroAllowed ? mm < 0 : mm <= 0)
        return std::string(name) + (zeroAllowed ? " が負の" : " が 0 以下の");
    return {};
}

std::string countProblem(const std::string& what, double count) {
    if (!std::isfinite(count))
        return what + "の本数が数値でない";
    if (count < 0)
        return what + "の本数 " + plainText(count) + " が負の";
    if (std::floor(count) > kMaxModelBarsPerLayer)
        return what + "の本数 " + plainText(count) + " が " +
               std::to_string(kMaxModelBarsPerLayer) + " 本を超える";
    return {};
}

ModelOutcome refused(const std::string& reason) {
    return {std::nullopt, reason + "ため 3D モデルを作れません"};
}

ModelBar straightBar(BarKind kind, int layer, int number, std::string role,
                     const std::string& designation, double y, double z, double endX,
                     const AnchorageRule& anchorage) {
    ModelBar bar;
    bar.kind = kind;
    bar.layer = layer;
    bar.number = number;
    bar.role = std::move(role);
    bar.designation = designation;
    bar.diameterMm = barDiameterByName(designation).value_or(0);
    bar.areaMm2 = barAreaByName(designation, BarColumn::Mm2);
    bar.anchorageMm = anchorage.lengthMm(bar.diameterMm);
    bar.start = {-bar.anchorageMm, y, z};
    bar.end = {endX, y, z};
    return bar;
}

} // namespace

double ConcreteBody::formworkAreaMm2() const {
    const double sides = 2 * (H1 + H2) / 2 * l;
    const double bottom = b * std::hypot(l, H2 - H1);
    const double tip = b * H1;
    return sides + bottom + tip;
}

std::vector<Point3> ConcreteBody::corners() const {
    const double half = b / 2;
    return {{0, -half, 0},   {0, half, 0},   {l, half, 0},   {l, -half, 0},
            {0, -half, -H2}, {0, half, -H2}, {l, half, -H1}, {l, -half, -H1}};
}

double ModelBar::massKg() const {
    return areaMm2 * lengthMm() * kSteelDensityKgPerMm3;
}

int BracketModel::barCount(BarKind kind) const {
    int count = 0;
    for (const ModelBar& bar : bars)
        count += bar.kind == kind ? 1 : 0;
    return count;
}

double BracketModel::barMassKg() const {
    double mass = 0;
    for (const ModelBar& bar : bars)
        mass += bar.massKg();
    return mass;
}

ModelOutcome buildBracketModel(const DesignInputs& inputs, const HorizontalChoice& choice,
                               const AnchorageRule& anchorage) {
    BracketModel model;
    model.anchorage = anchorage;
    ConcreteBody& body = model.body;
    body.H1 = inputs.H1 * 1000;
    body.H2 = inputs.H2 * 1000;
    body.l = inputs.l * 1000;
    body.b = inputs.b * 1000;
    for (const auto& [name, mm, zeroAllowed] :
         {std::tuple{"H1", body.H1, true}, std::tuple{"H2", body.H2, false},
          std::tuple{"l", body.l, false}, std::tuple{"b", body.b, false}}) {
        if (const std::string problem = lengthProblem(name, mm, zeroAllowed); !problem.empty())
            return refused(problem);
    }
    const double a = inputs.a * 1000;
    if (!std::isfinite(a) || std::abs(a) > kLargestMm)
        return refused("支承位置 a が数値でないか大きすぎる");
    model.bearing = {a, 0, 0};

    const BarLayout layout = barLayout(inputs);
    model.coverMm = layout.coverMm;
    if (!std::isfinite(layout.coverMm) || std::abs(layout.coverMm) > kLargestMm)
        return refused("被り t が数値でないか大きすぎる");
    if (!std::isfinite(layout.layerSpacingMm) || std::abs(layout.layerSpacingMm) > kLargestMm)
        return refused("鉄筋間隔 c が数値でないか大きすぎる");
    const double endX = body.l - layout.coverMm;

    static constexpr const char* kLayerNames[] = {"１段目", "２段目"};
    double lowestDepth = layout.coverMm;
    for (int index = 0; index < 2; ++index) {
        const LayerLayout& layer = layout.layers[index];
        const std::string name = kLayerNames[index];
        if (const std::string problem = countProblem(name, layer.count); !problem.empty())
            return refused(problem);
        if (layer.wholeBars < 1)
            continue;
        if (!layer.diameterMm) {
            return refused(name + "の鉄筋「" + layer.bar + "」は鉄筋表にない" +
                           (layer.bar.empty() ? "（選ばれていない）" : ""));
        }
        if (layer.wholeBars != layer.count)
            model.notes.push_back(name + "の本数 " + plainText(layer.count) + " は整数でないため " +
                                  plainText(layer.wholeBars) + " 本をモデルにしました");
        lowestDepth = std::max(lowestDepth, layer.depthMm);
        const int bars = static_cast<int>(layer.wholeBars);
        for (int k = 0; k < bars; ++k) {
            model.bars.push_back(straightBar(
                BarKind::Main, index + 1, k + 1,
                "main/" + std::to_string(index + 1) + "/" + std::to_string(k + 1), layer.bar,
                layer.centreFromMiddleMm(k), -layer.depthMm, endX, anchorage));
        }
    }

    model.sideFaceBar = std::string(barNameByIndex(choice.barIndex));
    model.sideFaceCount = choice.barCount;
    if (const std::string problem = countProblem("水平方向用心鉄筋", choice.barCount);
        !problem.empty())
        return refused(problem);
    const int sideBars = static_cast<int>(std::floor(choice.barCount));
    if (sideBars != choice.barCount)
        model.notes.push_back("水平方向用心鉄筋の本数 " + plainText(choice.barCount) +
                              " は整数でないため " + std::to_string(sideBars) +
                              " 本をモデルにしました");
    if (sideBars > 0) {
        const int levels = (sideBars + 1) / 2;
        const double zone = 2.0 / 3.0 * (body.H1 - lowestDepth);
        const double y = body.b / 2 - layout.coverMm;
        for (int k = 1; k <= sideBars; ++k) {
            const int level = (k + 1) / 2;
            const double depth = lowestDepth + level * zone / levels;
            model.bars.push_back(straightBar(BarKind::SideFace, 0, k, "side/" + std::to_string(k),
                                             model.sideFaceBar, k % 2 == 1 ? -y : y, -depth, endX,
                                             anchorage));
        }
    }

    for (const ModelBar& bar : model.bars) {
        if (!(bar.lengthMm() > 0) || !std::isfinite(bar.lengthMm()))
            return refused("鉄筋の長さ（l - t + 定着長）が正にならない");
    }
    return {std::move(model), {}};
}

} // namespace haltrix::model
