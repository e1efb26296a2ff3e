#pragma once

#include <QString>

#include "design_record.h"

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

// Prints the record's report on `printer` (the print variant: four blank
// lines at the head): millimetres as the unit, the origin 20 mm inside the
// printable area, the report font at 9 pt, one line spacing per line, then
// ends the document. A line that does not fit continues on a new page. The
// printer's resolution and page are whatever the caller chose; the document
// is begun only when the report has its first line, so a unit system
// without a report leaves the printer untouched. Sets hBarName, as writing
// the report does.
PrintOutcome printReport(DesignRecord& record, QPrinter& printer);

// The same report written through printReport to an A4 PDF file at high
// resolution, with its fonts embedded; `documentName` becomes its title.
PrintOutcome writeReportPdf(DesignRecord& record, const QString& path, const QString& documentName);

} // namespace haltrix::print
