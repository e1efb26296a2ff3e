// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "model/bracket_model.h"

namespace haltrix::model {

// The IFC model of a bracket: a STEP physical file (ISO 10303-21) written
// without any library.

enum class IfcSchema { Ifc4x3, Ifc4 };
enum class BridgePart { Pier, Abutment };

// "IFC4X3_ADD2" or "IFC4", as FILE_SCHEMA names it.
std::string_view schemaName(IfcSchema schema);
// Reads "IFC4X3" (or "IFC4X3_ADD2") and "IFC4", in any case.
std::optional<IfcSchema> schemaByName(std::string_view name);
// Reads "pier" and "abutment", in any case.
std::optional<BridgePart> bridgePartByName(std::string_view name);

// What the file says about where it comes from.
struct IfcFileFacts {
    IfcSchema schema = IfcSchema::Ifc4x3;
    BridgePart part = BridgePart::Pier;
    std::string designName; // the design file's name: the GlobalIds derive from it
    std::string fileName;   // the IFC file's own name, for FILE_NAME
    std::string timestamp;  // ISO 8601, for FILE_NAME
    std::string version;    // the program's version
};

// The design behind a model: what its property set records.
struct IfcDesign {
    const DesignInputs& inputs;
    const DesignResults& results;
    const BracketModel& model;
    const std::vector<std::string>& clashes; // findClashes
};

// The file. IFC4X3_ADD2: IfcProject (lengths in mm, areas in m2, volumes in
// m3, masses in kg) aggregating IfcSite, IfcBridge and IfcBridgePart (PIER or
// ABUTMENT), which contains the bracket and its bars. IFC4 (the Reference
// View): the same without IfcBridge and IfcBridgePart, the elements contained
// in the site. The bracket is an IfcBeam (USERDEFINED, 張出し部) with an
// IfcExtrudedAreaSolid; each bar an IfcReinforcingBar (MAIN, or USERDEFINED
// 水平方向用心鉄筋) swept along an IfcPolyline by an IfcSweptDiskSolid. The
// concrete and the steel are IfcMaterials; the bracket carries the property
// set 張出し部の設計 and the quantities 張出し部の数量.
std::string ifcText(const IfcDesign& design, const IfcFileFacts& facts);

} // namespace haltrix::model
