// SPDX-License-Identifier: GPL-3.0-or-later
#include "book_printer.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

#include "fonts.h"
#include "haltrix_version.h"
#include "pdf_navigation.h"
#include "report_printer.h"
#include "sketch/sketch_builder.h"

namespace haltrix::print {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The contents' columns, mm wide: No., then the design's name taking what
// the others leave, then unit system, judgement, 警告, 注意 and the page.
constexpr double kNumberColumnMm = 10;
constexpr double kRightColumnWidthMm[] = {22, 18, 12, 12, 14};
constexpr double kRightColumnsMm = 22 + 18 + 12 + 12 + 14;

constexpr double kTitlePt = 22;
constexpr double kCoverPt = 12;

// Where one pass over the book put each design.
struct BookLayout {
    std::vector<DesignPages> designs;
    QList<PageLink> links;
    int contents = 0;
    int pages = 0;
};

class BookPass {
public:
    BookPass(PageWriter& writer, std::vector<book::BookDesign>& designs,
             const book::BookTitle& title, bool sketches, bool quantities)
        : m_writer(writer), m_designs(designs), m_title(title), m_sketches(sketches),
          m_quantities(quantities) {}

    // `firstPages`: where the designs begin, from a counting pass (empty
    // while counting); `pages`: the book's pages for the header.
    bool run(const std::vector<int>& firstPages, int pages, const BookProgress& progress,
             BookLayout& layout) {
        cover();
        TitleBlock header;
        header.project = qt(m_title.project);
        header.designer = qt(m_title.designer);
        header.date = qt(m_title.date);
        m_writer.setHeader(header, pages);
        layout.contents = contents(firstPages, layout.links);
        for (std::size_t i = 0; i < m_designs.size(); ++i) {
            book::BookDesign& design = m_designs[i];
            header.member = qt(design.name);
            m_writer.setHeader(header, pages);
            PrintOptions options;
            if (m_sketches) {
                // Counting needs only the page, not the drawing.
                options.sketch = m_writer.counting()
                                     ? sketch::Sketch{}
                                     : sketch::buildSketch(design.inputs, design.results);
                options.linesUnderSketch = warningLines(design.findings);
            }
            options.notes =
                designNotes(design.findings, calculationMessage(design.inputs, design.calculation));
            options.cases = &design.calculation;
            if (m_quantities)
                options.quantities = quantityPage(
                    design.inputs, sideFaceChoiceInForce(std::nullopt, design.inputs),
                    qt(design.name));
            layout.designs.push_back(
                writeDesignPages(m_writer, design.inputs, design.results, options,
                                 qt(book::noReportLine(design.inputs.unitSystem))));
            if (m_writer.failed())
                return false;
            if (progress && !progress(static_cast<int>(i) + 1, static_cast<int>(m_designs.size())))
                return false;
        }
        layout.pages = m_writer.page();
        return !m_writer.failed();
    }

private:
    void cover() {
        QPainter* painter = m_writer.paintPage();
        if (!painter)
            return;
        const QRectF area = m_writer.textArea();
        const double perMm = m_writer.pixelsPerMm();
        painter->save();
        painter->setFont(gui::reportFont(kTitlePt));
        QRectF titleBox(area.left(), area.top() + area.height() * 0.25, area.width(), 20 * perMm);
        painter->drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, qt(m_title.title));
        const QFont font = gui::reportFont(kCoverPt);
        painter->setFont(font);
        const double spacing = QFontMetricsF(font, painter->device()).lineSpacing() * 1.5;
        double y = area.top() + area.height() * 0.55;
        for (const std::string& line : book::coverLines(m_title, m_designs)) {
            painter->drawText(QRectF(area.left(), y, area.width(), spacing),
                              Qt::AlignHCenter | Qt::AlignTop, qt(line));
            y += spacing;
        }
        painter->restore();
    }

    // The contents from a fresh page; returns its first page.
    int contents(const std::vector<int>& firstPages, QList<PageLink>& links) {
        m_writer.breakPage();
        m_writer.writeLine(book::kContentsEntry);
        const int first = m_writer.page();
        m_writer.writeLine("");
        row(book::contentsHeading());
        m_writer.writeLine("");
        for (std::size_t i = 0; i < m_designs.size(); ++i) {
            // A page of the contents that continues starts with the heading.
            if (!m_writer.fits(1)) {
                m_writer.breakPage();
                row(book::contentsHeading());
                m_writer.writeLine("");
            }
            const int target = i < firstPages.size() ? firstPages[i] : 0;
            const std::optional<QRectF> box =
                row(book::contentsRow(static_cast<int>(i) + 1, m_designs[i], target));
            if (box && target > 0)
                links.append({m_writer.page(), m_writer.toPdfPoints(*box), target});
        }
        return first;
    }

    // One row of cells in the contents' columns.
    std::optional<QRectF> row(const std::vector<std::string>& cells) {
        const std::optional<QRectF> box = m_writer.nextLine();
        QPainter* painter = m_writer.painter();
        if (!box || !painter)
            return box;
        const double perMm = m_writer.pixelsPerMm();
        const ReportPainter& layout = m_writer.layout();
        const QFontMetricsF metrics(layout.font(), painter->device());
        double x = box->left();
        const double nameWidth = box->width() - (kNumberColumnMm + kRightColumnsMm) * perMm;
        for (int column = 0; column < book::kContentsColumns; ++column) {
            QString text = qt(cells[static_cast<std::size_t>(column)]);
            double width = column == 0   ? kNumberColumnMm * perMm
                           : column == 1 ? nameWidth
                                         : kRightColumnWidthMm[column - 2] * perMm;
            if (column == 1)
                text = metrics.elidedText(text, Qt::ElideMiddle, width - 2 * perMm);
            layout.drawLine(*painter, QPointF(x, box->top()), text);
            x += width;
        }
        return box;
    }

    PageWriter& m_writer;
    std::vector<book::BookDesign>& m_designs;
    const book::BookTitle& m_title;
    bool m_sketches;
    bool m_quantities;
};

PdfNavigation navigation(const std::vector<book::BookDesign>& designs, const book::BookTitle& title,
                         const BookLayout& layout) {
    PdfNavigation result;
    result.outline.append({qt(book::kCoverEntry), 1, {}});
    result.outline.append({qt(book::kContentsEntry), layout.contents, {}});
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const DesignPages& pages = layout.designs[i];
        OutlineEntry entry{qt(book::outlineEntry(designs[i])), pages.first, {}};
        const int reportPages = pages.last - pages.first + 1;
        for (int page = pages.first; page <= pages.last; ++page)
            entry.children.append(
                {QStringLiteral("計算書 %1/%2").arg(page - pages.first + 1).arg(reportPages),
                 page,
                 {}});
        if (pages.quantities)
            entry.children.append({QStringLiteral("数量・鉄筋表"), pages.quantities, {}});
        if (pages.sketch)
            entry.children.append({QStringLiteral("形状図"), pages.sketch, {}});
        if (pages.notes)
            entry.children.append({QStringLiteral("設計上の注意"), pages.notes, {}});
        result.outline.append(entry);
    }
    result.links = layout.links;
    result.info.title = qt(title.title);
    result.info.author = qt(title.designer);
    result.info.subject = qt(title.project);
    result.info.creator = QStringLiteral("Haltrix %1").arg(QLatin1String(kVersionText));
    result.info.language = QStringLiteral("ja");
    return result;
}

BookOutcome failed(const QString& why) {
    BookOutcome outcome;
    outcome.status = BookOutcome::Status::Failed;
    outcome.failure = why;
    return outcome;
}

} // namespace

BookOutcome writeBook(std::vector<book::BookDesign>& designs, const book::BookTitle& title,
                      bool sketches, const QString& path, const BookProgress& progress,
                      bool quantities) {
    // Qt paints into a temporary file; only the finished book goes to `path`.
    QTemporaryFile painted(QDir::temp().filePath(QStringLiteral("haltrix-book-XXXXXX.pdf")));
    if (!painted.open())
        return failed(
            QStringLiteral("一時ファイルを作れませんでした: %1").arg(painted.errorString()));
    painted.close();

    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, painted.fileName(), qt(title.title));
    printer.setFullPage(false);

    BookLayout counted;
    {
        PageWriter counter(printer, PageWriter::Mode::Count);
        BookPass(counter, designs, title, sketches, quantities).run({}, 0, {}, counted);
    }
    std::vector<int> firstPages;
    for (const DesignPages& pages : counted.designs)
        firstPages.push_back(pages.first);

    BookLayout layout;
    PageWriter writer(printer);
    const bool complete =
        BookPass(writer, designs, title, sketches, quantities).run(firstPages, counted.pages, progress, layout);
    if (!complete && !writer.failed()) {
        printer.abort();
        writer.finish();
        BookOutcome outcome;
        outcome.status = BookOutcome::Status::Cancelled;
        return outcome;
    }
    const PrintOutcome printed = writer.finish();
    if (printed.status != PrintOutcome::Status::Printed)
        return failed(QStringLiteral("計算書を書けませんでした。"));

    QFile paintedFile(painted.fileName());
    if (!paintedFile.open(QIODevice::ReadOnly))
        return failed(
            QStringLiteral("一時ファイルを読めませんでした: %1").arg(paintedFile.errorString()));
    QString error;
    const QByteArray pdf =
        addPdfNavigation(paintedFile.readAll(), navigation(designs, title, layout), error);
    if (pdf.isNull())
        return failed(QStringLiteral("しおりとリンクを書けませんでした: %1").arg(error));

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.commit())
        return failed(
            QStringLiteral("ファイル %1 に書き込めませんでした: %2").arg(path, out.errorString()));
    BookOutcome outcome;
    outcome.status = BookOutcome::Status::Written;
    outcome.pages = layout.pages;
    outcome.navigation = canWritePdfNavigation();
    return outcome;
}

} // namespace haltrix::print
