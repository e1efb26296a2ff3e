#include "report_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "report.h"
#include "report_painter.h"

namespace haltrix::print {

namespace {

// Writes report lines on a printer, beginning the document with the first
// line and starting a new page when a line would pass the bottom margin.
class PrinterTarget : public TextTarget {
public:
    explicit PrinterTarget(QPrinter& printer) : m_printer(printer), m_layout(&printer) {}

    void writeLine(std::string_view line) override {
        if (m_failed || !begin())
            return;
        if (m_y + m_layout.lineSpacing() > m_bottom && m_linesOnPage > 0) {
            if (!m_printer.newPage()) {
                fail();
                return;
            }
            ++m_pages;
            m_y = m_origin.y();
            m_linesOnPage = 0;
        }
        m_layout.drawLine(m_painter, QPointF(m_origin.x(), m_y),
                          QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        m_y += m_layout.lineSpacing();
        ++m_linesOnPage;
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
        if (!m_painter.begin(&m_printer)) {
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
        return true;
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
};

} // namespace

PrintOutcome printReport(DesignRecord& record, QPrinter& printer) {
    printer.setFullPage(false);
    PrinterTarget target(printer);
    writeReport(record, target, ReportVariant::Print);
    return target.finish();
}

PrintOutcome writeReportPdf(DesignRecord& record, const QString& path,
                            const QString& documentName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFontEmbeddingEnabled(true);
    printer.setDocName(documentName);
    printer.setCreator(QStringLiteral("Haltrix"));
    return printReport(record, printer);
}

} // namespace haltrix::print
