// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/design_inputs.h"
#include "design/design_results.h"

namespace haltrix {

// Where report lines go: the preview surface, the printer, the command line.
// Each call is one line of UTF-8 text without its line break; an empty text
// is a blank line.
class TextTarget {
public:
    virtual ~TextTarget() = default;
    virtual void writeLine(std::string_view line) = 0;
    // What is written next begins a fresh page where the target has pages;
    // elsewhere an empty line stands between.
    virtual void breakPage() { writeLine(""); }
};

// The preview's input-data section starts with one blank line, the printed
// one with four.
enum class ReportVariant { Preview, Print };

// Writes the calculation report of a design: the input-data section, then
// the result section of the page set that unitSystem and the results'
// ratioCase choose. With a unitSystem other than 1 or 2 nothing is written
// and false is returned. Reads, writes nothing into the design.
bool writeReport(const DesignInputs& inputs, const DesignResults& results, TextTarget& target,
                 ReportVariant variant);

// The same lines collected in a list.
std::vector<std::string> reportLines(const DesignInputs& inputs, const DesignResults& results,
                                     ReportVariant variant);

// The name a printed report goes by (print job, PDF title): the design's
// file name, or a general one while the design has none.
std::string reportDocumentName(std::string_view designFileName);

} // namespace haltrix
