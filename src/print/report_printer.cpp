// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_printer.h"

#include <QDate>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "findings/design_notes.h"
#include "paper/case_summary.h"
#include "paper/design_quantities.h"
#include "model/isometric.h"
#include "paper/report.h"

namespace haltrix::print {

namespace {

QStringList qtLines(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines)
        result.append(QString::fromStdString(line));
    return result;
}

// Notes run past the right margin no further: a long message continues on
// the next line, under the text after "警告: ".
const QString kNotesIndent = QStringLiteral("      ");

// Passes report lines on and notes the page of the first.
class FirstPage : public TextTarget {
public:
    explicit FirstPage(PageWriter& writer) : m_writer(writer) {}
    void writeLine(std::string_view line) override {
        m_writer.writeLine(line);
        if (!first)
            first = m_writer.page();
    }
    void breakPage() override { m_writer.breakPage(); }
    int first = 0;

private:
    PageWriter& m_writer;
};

} // namespace

PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer) {
    printer.setFullPage(false);
    PageWriter writer(printer);
    writeReport(inputs, results, writer, ReportVariant::Print);
    return writer.finish();
}

QString titleDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy年M月d日"));
}

QStringList warningLines(const std::vector<Finding>& findings) {
    QStringList lines;
    for (const Finding& finding : findings)
        lines.append(QString::fromStdString(findingLine(finding)));
    if (lines.isEmpty())
        lines.append(QString::fromUtf8(kNoFindingsText));
    return lines;
}

QStringList designNotes(const std::vector<Finding>& findings,
                        const std::optional<std::string>& message) {
    return qtLines(designNotesLines(findings, message));
}

DesignPages writeDesignPages(PageWriter& writer, const DesignInputs& inputs,
                             const DesignResults& results, const PrintOptions& options,
                             const QString& noReportLine) {
    DesignPages pages;
    writer.breakPage();
    FirstPage report(writer);
    if (options.multipleCases() && !reportLines(inputs, results, ReportVariant::Print).empty()) {
        writeCasesReport(inputs, *options.cases, report, ReportVariant::Print);
        pages.report = true;
    } else {
        pages.report = writeReport(inputs, results, report, ReportVariant::Print);
    }
    if (!pages.report) {
        if (noReportLine.isEmpty())
            return pages;
        writer.writeWrapped(noReportLine, {});
    }
    pages.first = report.first ? report.first : writer.page();
    pages.last = writer.page();
    if (!options.quantities.isEmpty()) {
        writer.breakPage();
        for (const QString& line : options.quantities) {
            writer.writeLine(line.toStdString());
            if (!pages.quantities)
                pages.quantities = writer.page();
        }
    }
    if (options.sketch) {
        // The isometric view of the model with the side-face bars the
        // results were checked with.
        writer.writeSketchPage(
            *options.sketch, options.linesUnderSketch,
            model::designIsometric(inputs, {results.sideFaces.barIndex, results.sideFaces.barCount}));
        pages.sketch = writer.page();
    }
    if (!options.notes.isEmpty()) {
        writer.breakPage();
        for (const QString& line : options.notes) {
            writer.writeWrapped(line, kNotesIndent);
            if (!pages.notes)
                pages.notes = writer.page();
        }
    }
    return pages;
}

PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer, const PrintOptions& options) {
    if (!options.sketch && options.notes.isEmpty() && options.quantities.isEmpty() &&
        !options.title.anyField() && !options.multipleCases())
        return printReport(inputs, results, printer);
    printer.setFullPage(false);
    int pages = 0;
    if (options.title.anyField()) {
        // The header names the number of pages: the pages are laid out once
        // without printing to count them.
        PageWriter counter(printer, PageWriter::Mode::Count);
        writeDesignPages(counter, inputs, results, options);
        pages = counter.page();
    }
    PageWriter writer(printer);
    if (pages > 0)
        writer.setHeader(options.title, pages);
    writeDesignPages(writer, inputs, results, options);
    return writer.finish();
}

QStringList quantityPage(const DesignInputs& inputs, const HorizontalChoice& choice,
                         const QString& name) {
    return qtLines(quantities::quantityLines(quantities::designQuantities(inputs, choice),
                                             name.toStdString()));
}

void setUpPdfPrinter(QPrinter& printer, const QString& path, const QString& documentName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFontEmbeddingEnabled(true);
    printer.setDocName(documentName);
    printer.setCreator(QStringLiteral("Haltrix"));
}

PrintOutcome writeReportPdf(const DesignInputs& inputs, const DesignResults& results,
                            const QString& path, const QString& documentName,
                            const PrintOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, path, documentName);
    return printReport(inputs, results, printer, options);
}

} // namespace haltrix::print
