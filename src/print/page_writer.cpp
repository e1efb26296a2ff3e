// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_writer.h"

#include <QPageLayout>
#include <QPrinter>

#include "fonts.h"
#include "sketch_painter.h"

namespace haltrix::print {

namespace {

// The header line: 8 pt, its top 8 mm below the top of the printable area,
// a rule under it at 13 mm; all of it above the report's first line.
constexpr double kHeaderTopMm = 8.0;
constexpr double kHeaderRuleMm = 13.0;
constexpr double kHeaderPt = 8.0;

} // namespace

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

PageWriter::PageWriter(QPrinter& printer, Mode mode)
    : m_printer(printer), m_layout(&printer), m_counting(mode == Mode::Count) {}

void PageWriter::setHeader(const TitleBlock& title, int pages) {
    m_title = title;
    m_headerPages = pages;
}

void PageWriter::breakPage() {
    if (m_begun && m_pageUsed)
        m_breakPending = true;
}

void PageWriter::writeLine(std::string_view line) {
    const std::optional<QRectF> box = nextLine();
    if (box && !m_counting)
        m_layout.drawLine(m_painter, box->topLeft(),
                          QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

void PageWriter::writeWrapped(const QString& text, const QString& indent) {
    const qreal width = m_right - m_origin.x();
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair stays together.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString next = line + text.mid(i, length);
        if (line.size() > indent.size() && m_layout.blockSize({next}).width() > width) {
            const QByteArray utf8 = line.toUtf8();
            writeLine(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
            line = indent + text.mid(i, length);
        } else {
            line = next;
        }
        i += length - 1;
    }
    const QByteArray utf8 = line.toUtf8();
    writeLine(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::optional<QRectF> PageWriter::nextLine() {
    if (!startPendingPage())
        return std::nullopt;
    if (m_y + m_layout.lineSpacing() > m_bottom && m_linesOnPage > 0 && !newPage())
        return std::nullopt;
    const QRectF box(m_origin.x(), m_y, m_right - m_origin.x(), m_layout.lineSpacing());
    m_y += m_layout.lineSpacing();
    ++m_linesOnPage;
    m_pageUsed = true;
    return box;
}

bool PageWriter::fits(int lines) const {
    return m_begun && !m_breakPending && m_y + lines * m_layout.lineSpacing() <= m_bottom;
}

QPainter* PageWriter::paintPage() {
    breakPage();
    if (!startPendingPage())
        return nullptr;
    m_pageUsed = true;
    return painter();
}

void PageWriter::writeSketchPage(const sketch::Sketch& sketch, const QStringList& linesUnder,
                                 const sketch::View& isometric) {
    QPainter* painter = paintPage();
    if (!painter)
        return;
    m_layout.drawLine(*painter, m_origin, QStringLiteral("形状図"));
    const double top = m_origin.y() + 2 * m_layout.lineSpacing();
    paintSketchWithIsometric(*painter, sketch, isometric,
                             QRectF(m_origin.x(), top, m_right - m_origin.x(), m_bottom - top),
                             linesUnder);
}

QRectF PageWriter::textArea() const {
    return QRectF(m_origin, QPointF(m_right, m_bottom));
}

double PageWriter::pixelsPerMm() const {
    return m_printer.resolution() / 25.4;
}

QRectF PageWriter::toPdfPoints(const QRectF& rect) const {
    const QPageLayout layout = m_printer.pageLayout();
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    const QRectF full = layout.fullRect(QPageLayout::Point);
    const double scale = 72.0 / m_printer.resolution();
    const double left = paint.left() + rect.left() * scale;
    const double bottom = paint.top() + rect.bottom() * scale;
    return QRectF(left, full.height() - bottom, rect.width() * scale, rect.height() * scale);
}

PrintOutcome PageWriter::finish() {
    PrintOutcome outcome;
    if (m_painter.isActive() && !m_painter.end())
        fail();
    if (m_begun && !m_failed && !m_counting && m_printer.printerState() == QPrinter::Error)
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

bool PageWriter::startPendingPage() {
    if (m_failed)
        return false;
    if (!m_begun)
        return begin();
    if (m_breakPending) {
        m_breakPending = false;
        return newPage();
    }
    return true;
}

bool PageWriter::begin() {
    m_begun = true;
    if (!m_counting && !m_painter.begin(&m_printer)) {
        fail();
        return false;
    }
    // The painter's origin is the top-left corner of the printable area;
    // millimetres are turned into device pixels of the printer.
    const double perMm = pixelsPerMm();
    const QRectF page = m_printer.pageRect(QPrinter::DevicePixel);
    m_origin = QPointF(kReportOriginMm * perMm, kReportOriginMm * perMm);
    m_bottom = page.height() - kReportBottomMarginMm * perMm;
    m_right = page.width() - m_origin.x();
    m_y = m_origin.y();
    m_pages = 1;
    m_pageUsed = false;
    drawHeader();
    return true;
}

bool PageWriter::newPage() {
    if (!m_counting && !m_printer.newPage()) {
        fail();
        return false;
    }
    ++m_pages;
    m_y = m_origin.y();
    m_linesOnPage = 0;
    m_pageUsed = false;
    drawHeader();
    return true;
}

void PageWriter::drawHeader() {
    if (m_counting || m_headerPages <= 0)
        return;
    const double perMm = pixelsPerMm();
    const double left = m_origin.x();
    const QFont font = gui::gothicFont(kHeaderPt);
    const QFontMetricsF metrics(font, &m_printer);
    const double baseline = kHeaderTopMm * perMm + metrics.ascent();
    const HeaderLine line = headerLine(m_title, m_pages, m_headerPages);
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(QPen(Qt::black));
    m_painter.drawText(QPointF(left, baseline), line.left);
    m_painter.drawText(QPointF(m_right - metrics.horizontalAdvance(line.right), baseline),
                       line.right);
    QPen rule(Qt::black);
    rule.setWidthF(0.1 * perMm);
    m_painter.setPen(rule);
    m_painter.drawLine(QPointF(left, kHeaderRuleMm * perMm),
                       QPointF(m_right, kHeaderRuleMm * perMm));
    m_painter.restore();
}

void PageWriter::fail() {
    m_failed = true;
    if (m_painter.isActive())
        m_printer.abort();
}

QString PageWriter::failureText() const {
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty())
        return QStringLiteral("ファイル %1 に書き込めませんでした。")
            .arg(m_printer.outputFileName());
    if (!m_printer.printerName().isEmpty())
        return QStringLiteral("プリンター %1 に印刷できませんでした。")
            .arg(m_printer.printerName());
    return QStringLiteral("印刷できませんでした。");
}

} // namespace haltrix::print
