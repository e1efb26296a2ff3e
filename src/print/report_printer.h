// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/load_cases.h"
#include "findings/design_warnings.h"
#include "page_writer.h"
#include "sketch/sketch.h"

class QDate;
class QPrinter;

namespace haltrix::print {

// Prints the report of a design on `printer` (the print variant: four blank
// lines at the head): millimetres as the unit, the origin 20 mm inside the
// printable area, the report font at 9 pt, one line spacing per line, then
// ends the document. A line that does not fit continues on a new page. The
// printer's resolution and page are whatever the caller chose; the document
// is begun only when the report has its first line, so a unit system
// without a report leaves the printer untouched.
PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer);

// A date as the header line shows it: "2026年12月8日".
QString titleDate(const QDate& date);

// The design's warnings as lines under the sketch: one line per finding, or
// the line that says there are none.
QStringList warningLines(const std::vector<Finding>& findings);

// The lines of the page 設計上の注意 (see design_notes.h); empty when the
// design has no findings and its calculation did not stop.
QStringList designNotes(const std::vector<Finding>& findings,
                        const std::optional<std::string>& message);

// What may follow or frame the report on paper.
struct PrintOptions {
    // The page 数量・鉄筋表 (quantities::quantityLines) right after the
    // report; none when empty.
    QStringList quantities;
    // Printed on a page of its own after the report, under the title line
    // "形状図", with its notes and then `linesUnderSketch` below it.
    std::optional<sketch::Sketch> sketch;
    QStringList linesUnderSketch;
    // The page 設計上の注意 that ends the design's pages; none when empty.
    QStringList notes;
    TitleBlock title;
    // Every load case of the design, when it has more than one: the pages
    // then begin with the summary of the cases, and each case's report
    // follows on a fresh page under its heading line. Not owned.
    const DesignCalculation* cases = nullptr;

    bool multipleCases() const { return cases && cases->cases.size() > 1; }
};

// Where the parts of one design's pages begin (pages from 1; 0: no such
// part).
struct DesignPages {
    int first = 0;
    int last = 0;
    int quantities = 0;
    int sketch = 0;
    int notes = 0;
    bool report = false; // false: the unit system has no report
};

// One design's pages from a fresh page on `writer`: the report's lines (with
// several cases, the summary page and each case's report under its heading),
// the page 数量・鉄筋表, the sketch page, then the page 設計上の注意. The print
// window, haltrix-calc pdf and the calculation book all print a design
// through here. Without a report nothing else is printed, unless
// `noReportLine` is given: it then stands where the report would.
DesignPages writeDesignPages(PageWriter& writer, const DesignInputs& inputs,
                             const DesignResults& results, const PrintOptions& options,
                             const QString& noReportLine = {});

// printReport with the page 数量・鉄筋表, the sketch page, the page 設計上の注意
// and the header line. With none of them and no title field it prints exactly
// what printReport prints.
PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer, const PrintOptions& options);

// The page 数量・鉄筋表 of a design: its quantities and bar schedule from the 3D
// model, with the side-face bars of `choice`; `name` is the design's file
// name as the page shows it.
QStringList quantityPage(const DesignInputs& inputs, const HorizontalChoice& choice,
                         const QString& name);

// An A4 printer at high resolution writing a PDF to `path`, with its fonts
// embedded and `documentName` as its title.
void setUpPdfPrinter(QPrinter& printer, const QString& path, const QString& documentName);

// The same report written through printReport to an A4 PDF file at high
// resolution, with its fonts embedded; `documentName` becomes its title.
PrintOutcome writeReportPdf(const DesignInputs& inputs, const DesignResults& results,
                            const QString& path, const QString& documentName,
                            const PrintOptions& options = {});

} // namespace haltrix::print
