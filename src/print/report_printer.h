// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "design_inputs.h"
#include "design_results.h"
#include "design_warnings.h"
#include "sketch.h"

class QDate;
class QPrinter;

namespace haltrix::print {

// The distance of the report from the top-left corner of the printable area.
inline constexpr double kReportOriginMm = 20.0;
// A line that would reach into the last 20 mm of the printable area goes on
// a new page, at the same origin.
inline constexpr double kReportBottomMarginMm = 20.0;

struct PrintOutcome {
    enum class Status {
        Printed,        // the document was written and ended
        NothingToPrint, // the unit system has no report: no document begun
        Failed,         // the printer could not be opened or written
    };
    Status status = Status::NothingToPrint;
    int pages = 0;
    QString failure; // what went wrong, for the user, when Failed
};

// Prints the report of a design on `printer` (the print variant: four blank
// lines at the head): millimetres as the unit, the origin 20 mm inside the
// printable area, the report font at 9 pt, one line spacing per line, then
// ends the document. A line that does not fit continues on a new page. The
// printer's resolution and page are whatever the caller chose; the document
// is begun only when the report has its first line, so a unit system
// without a report leaves the printer untouched.
PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer);

// The title block of printed pages: when any field is filled, every page
// carries a header line inside its top margin (the filled fields, the date
// and "n / m"), which moves none of the report's lines.
struct TitleBlock {
    QString project;  // 工事名
    QString member;   // 部材名
    QString designer; // 設計者
    QString date;     // as printed

    bool anyField() const { return !project.isEmpty() || !member.isEmpty() || !designer.isEmpty(); }
};

// A date as the header line shows it: "2026年12月8日".
QString titleDate(const QDate& date);

// The design's warnings as lines under the sketch: one line per finding, or
// the line that says there are none.
QStringList warningLines(const std::vector<Finding>& findings);

// What may follow or frame the report on paper.
struct PrintOptions {
    // Printed on a page of its own after the report, under the title line
    // "形状図", with its notes and then `linesUnderSketch` below it.
    std::optional<sketch::Sketch> sketch;
    QStringList linesUnderSketch;
    TitleBlock title;
};

// The header line of page `page` of `pages`: the filled fields on the left,
// the date and "n / m" on the right.
struct HeaderLine {
    QString left;
    QString right;
};
HeaderLine headerLine(const TitleBlock& title, int page, int pages);

// printReport with the sketch page and the header line. With no sketch and
// no title field it prints exactly what printReport prints.
PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer, const PrintOptions& options);

// The same report written through printReport to an A4 PDF file at high
// resolution, with its fonts embedded; `documentName` becomes its title.
PrintOutcome writeReportPdf(const DesignInputs& inputs, const DesignResults& results,
                            const QString& path, const QString& documentName,
                            const PrintOptions& options = {});

} // namespace haltrix::print
