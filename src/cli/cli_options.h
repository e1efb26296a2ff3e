// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "findings/clear_spacing_rule.h"

namespace haltrix::cli {

// Options shared by every subcommand that calculates designs.
struct CalcOptions {
    int hBarIndex = -1;             // --hbar: position in the bar list, -1 none chosen
    std::string hCountText = "4";   // --hcount: the count box's text
    bool hBarGiven = false;         // --hbar was given (else the file's choice)
    bool hCountGiven = false;       // --hcount was given (else the file's choice)
    std::string caseText;           // --case: a case's name or number (from 1); empty: all
    bool printVariant = false;      // --print
    std::string output;             // -o
    std::vector<std::string> files; // the design files, in order
    ClearSpacingRule spacingRule;   // --min-clear, --max-aggregate, --max-spacing
    bool sketchPage = false;        // --sketch
    bool quantitiesPage = false;    // --quantities
    std::string project;            // --project
    std::string member;             // --member
    std::string designer;           // --designer
    std::string schema = "IFC4X3";  // --schema (ifc)
    std::string part = "pier";      // --part (ifc)
    std::string anchorage;          // --anchorage (ifc); empty: the default
};

// Parses the arguments after the subcommand name. On a usage error returns
// false and sets `error`. `allowPrint` and `allowOutput` admit --print and -o;
// `allowPageOptions` admits --sketch, --quantities, --project, --member and
// --designer; `allowModelOptions` --schema, --part and --anchorage (their
// values are checked by the command).
// --min-clear and --max-aggregate (the minimum clear spacing rule of the
// warnings) are taken by every command; they exclude each other. So is
// --max-spacing, the largest centre-to-centre spacing of a layer's bars.
// `allowCase` admits --case NAME|N.
bool parseCalcOptions(const std::vector<std::string>& args, bool allowPrint, bool allowOutput,
                      CalcOptions& options, std::string& error, bool allowPageOptions = false,
                      bool allowModelOptions = false, bool allowCase = false);

// The side-face bars the options put in force for a design
// (sideFaceChoiceInForce): --hbar and --hcount where given, the design's own
// choice for what is not.
HorizontalChoice sideFaceChoice(const CalcOptions& options, const DesignInputs& inputs);

} // namespace haltrix::cli
