// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_printer.h"

#include <QDate>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "fonts.h"
#include "report.h"
#include "report_painter.h"
#include "sketch_painter.h"

namespace haltrix::print {

namespace {

// The header line: 8 pt, its top 8 mm below the top of the printable area,
// a rule under it at 13 mm; all of it above the report's first line.
constexpr double kHeaderTopMm = 8.0;
constexpr double kHeaderRuleMm = 13.0;
constexpr double kHeaderPt = 8.0;

// Writes report lines on a printer, beginning the document with the first
// line and starting a new page when a line would pass the bottom margin.
// Counting only, it goes through the same steps without printing anything,
// to learn how many pages the report takes.
class PrinterTarget : public TextTarget {
public:
    enum class Mode { Print, Count };

    explicit PrinterTarget(QPrinter& printer, Mode mode = Mode::Print)
        : m_printer(printer), m_layout(&printer), m_counting(mode == Mode::Count) {}

    // Pages of the whole document, for the header; 0: no header.
    void setHeader(const TitleBlock& title, int pages) {
        m_title = title;
        m_headerPages = pages;
    }

    int pages() const { return m_pages; }

    void writeLine(std::string_view line) override {
        if (m_failed || !begin())
            return;
        if (m_y + m_layout.lineSpacing() > m_bottom && m_linesOnPage > 0) {
            if (!newPage())
                return;
            m_y = m_origin.y();
            m_linesOnPage = 0;
        }
        if (!m_counting)
            m_layout.drawLine(m_painter, QPointF(m_origin.x(), m_y),
                              QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        m_y += m_layout.lineSpacing();
        ++m_linesOnPage;
    }

    // A page of its own after the report: the title line "形状図", then the
    // sketch over the rest of the page down to the bottom margin, with its
    // notes and `linesUnder` below it. Only after the report's first line.
    void writeSketchPage(const sketch::Sketch& sketch, const QStringList& linesUnder) {
        if (m_failed || !m_begun)
            return;
        if (!newPage())
            return;
        if (m_counting)
            return;
        m_layout.drawLine(m_painter, m_origin, QStringLiteral("形状図"));
        const double top = m_origin.y() + 2 * m_layout.lineSpacing();
        const double width = m_printer.pageRect(QPrinter::DevicePixel).width();
        const QRectF area(m_origin.x(), top, width - 2 * m_origin.x(), m_bottom - top);
        paintSketch(m_painter, sketch, area, linesUnder);
    }

    // Ends the document, if one was begun.
    PrintOutcome finish() {
        PrintOutcome outcome;
        if (m_painter.isActive() && !m_painter.end())
            fail();
        if (m_begun && !m_failed && m_printer.printerState() == QPrinter::Error)
            fail();
        if (m_failed) {
            outcome.status = PrintOutcome::Status::Failed;
            outcome.failure = failureText();
        } else if (m_begun) {
            outcome.status = PrintOutcome::Status::Printed;
            outcome.pages = m_pages;
        }
        return outcome;
    }

private:
    bool begin() {
        if (m_begun)
            return true;
        m_begun = true;
        if (!m_counting && !m_painter.begin(&m_printer)) {
            fail();
            return false;
        }
        // The painter's origin is the top-left corner of the printable area;
        // millimetres are turned into device pixels of the printer.
        const double pixelsPerMm = m_printer.resolution() / 25.4;
        m_origin = QPointF(kReportOriginMm * pixelsPerMm, kReportOriginMm * pixelsPerMm);
        m_bottom = m_printer.pageRect(QPrinter::DevicePixel).height() -
                   kReportBottomMarginMm * pixelsPerMm;
        m_y = m_origin.y();
        m_pages = 1;
        drawHeader();
        return true;
    }

    bool newPage() {
        if (!m_counting && !m_printer.newPage()) {
            fail();
            return false;
        }
        ++m_pages;
        drawHeader();
        return true;
    }

    void drawHeader() {
        if (m_counting || m_headerPages <= 0)
            return;
        const double pixelsPerMm = m_printer.resolution() / 25.4;
        const double width = m_printer.pageRect(QPrinter::DevicePixel).width();
        const double left = m_origin.x();
        const double right = width - m_origin.x();
        QFont font = gui::gothicFont(kHeaderPt);
        const QFontMetricsF metrics(font, &m_printer);
        const double baseline = kHeaderTopMm * pixelsPerMm + metrics.ascent();
        const HeaderLine line = headerLine(m_title, m_pages, m_headerPages);
        m_painter.save();
        m_painter.setFont(font);
        m_painter.setPen(QPen(Qt::black));
        m_painter.drawText(QPointF(left, baseline), line.left);
        m_painter.drawText(QPointF(right - metrics.horizontalAdvance(line.right), baseline),
                           line.right);
        QPen rule(Qt::black);
        rule.setWidthF(0.1 * pixelsPerMm);
        m_painter.setPen(rule);
        m_painter.drawLine(QPointF(left, kHeaderRuleMm * pixelsPerMm),
                           QPointF(right, kHeaderRuleMm * pixelsPerMm));
        m_painter.restore();
    }

    void fail() {
        m_failed = true;
        if (m_painter.isActive())
            m_printer.abort();
    }

    QString failureText() const {
        if (m_printer.outputFormat() == QPrinter::PdfFormat &&
            !m_printer.outputFileName().isEmpty())
            return QStringLiteral("ファイル %1 に書き込めませんでした。")
                .arg(m_printer.outputFileName());
        if (!m_printer.printerName().isEmpty())
            return QStringLiteral("プリンター %1 に印刷できませんでした。")
                .arg(m_printer.printerName());
        return QStringLiteral("印刷できませんでした。");
    }

    QPrinter& m_printer;
    ReportPainter m_layout;
    QPainter m_painter;
    QPointF m_origin;
    qreal m_bottom = 0;
    qreal m_y = 0;
    int m_linesOnPage = 0;
    int m_pages = 0;
    bool m_begun = false;
    bool m_failed = false;
    bool m_counting = false;
    TitleBlock m_title;
    int m_headerPages = 0;
};

} // namespace

PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer) {
    printer.setFullPage(false);
    PrinterTarget target(printer);
    writeReport(inputs, results, target, ReportVariant::Print);
    return target.finish();
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

HeaderLine headerLine(const TitleBlock& title, int page, int pages) {
    QStringList fields;
    if (!title.project.isEmpty())
        fields.append(QStringLiteral("工事名: ") + title.project);
    if (!title.member.isEmpty())
        fields.append(QStringLiteral("部材名: ") + title.member);
    if (!title.designer.isEmpty())
        fields.append(QStringLiteral("設計者: ") + title.designer);
    QString right = QStringLiteral("%1 / %2").arg(page).arg(pages);
    if (!title.date.isEmpty())
        right = title.date + QStringLiteral("　") + right;
    return {fields.join(QStringLiteral("　")), right};
}

PrintOutcome printReport(const DesignInputs& inputs, const DesignResults& results,
                         QPrinter& printer, const PrintOptions& options) {
    if (!options.sketch && !options.title.anyField())
        return printReport(inputs, results, printer);
    printer.setFullPage(false);
    int pages = 0;
    if (options.title.anyField()) {
        // The header names the number of pages: the report is laid out once
        // without printing to count them.
        PrinterTarget counter(printer, PrinterTarget::Mode::Count);
        writeReport(inputs, results, counter, ReportVariant::Print);
        pages = counter.pages() + (counter.pages() > 0 && options.sketch ? 1 : 0);
    }
    PrinterTarget target(printer);
    if (pages > 0)
        target.setHeader(options.title, pages);
    writeReport(inputs, results, target, ReportVariant::Print);
    if (options.sketch)
        target.writeSketchPage(*options.sketch, options.linesUnderSketch);
    return target.finish();
}

PrintOutcome writeReportPdf(const DesignInputs& inputs, const DesignResults& results,
                            const QString& path, const QString& documentName,
                            const PrintOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFontEmbeddingEnabled(true);
    printer.setDocName(documentName);
    printer.setCreator(QStringLiteral("Haltrix"));
    return printReport(inputs, results, printer, options);
}

} // namespace haltrix::print
