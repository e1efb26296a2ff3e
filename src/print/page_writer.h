// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>

#include "paper/report.h"
#include "report_painter.h"
#include "sketch/sketch.h"

class QPrinter;

namespace haltrix::print {

// The distance of the report from the top-left corner of the printable area.
inline constexpr double kReportOriginMm = 20.0;
// A line that would reach into the last 20 mm of the printable area goes on
// a new page, at the same origin.
inline constexpr double kReportBottomMarginMm = 20.0;

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

// The header line of page `page` of `pages`: the filled fields on the left,
// the date and "n / m" on the right.
struct HeaderLine {
    QString left;
    QString right;
};
HeaderLine headerLine(const TitleBlock& title, int page, int pages);

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

// The one page layout of everything Haltrix prints, the single report and
// the calculation book alike: millimetres turned into the printer's device
// pixels, the origin 20 mm inside the printable area, report lines in the
// report font one line spacing apart, a line that would pass the bottom
// margin continuing at the origin of a new page, and the header line drawn
// on each page as it begins. The document is begun with the first thing
// written, so writing nothing leaves the printer untouched.
//
// Counting, it goes through the same steps without painting, to learn how
// many pages a document takes and where its parts begin.
class PageWriter : public TextTarget {
public:
    enum class Mode { Print, Count };

    explicit PageWriter(QPrinter& printer, Mode mode = Mode::Print);

    // The header drawn on every page begun from now on, naming `pages` pages
    // in all; 0 draws none.
    void setHeader(const TitleBlock& title, int pages);

    // What is written next begins a fresh page (unless nothing is on the
    // current one).
    void breakPage() override;

    // A report line at the print position.
    void writeLine(std::string_view line) override;

    // A line of running text, broken at the right margin; the continuation
    // lines are indented by `indent` (a text of blanks).
    void writeWrapped(const QString& text, const QString& indent);

    // Room for one line at the print position, starting a new page when the
    // line would pass the bottom margin: its line box, in device pixels, on
    // page(). Nothing when the printer failed.
    std::optional<QRectF> nextLine();

    // Whether `lines` more lines fit on the current page.
    bool fits(int lines) const;

    // A fresh page (as breakPage() and then starting it) for the caller to
    // paint on; the painter, or null when counting or after a failure.
    QPainter* paintPage();

    // A page of its own: the title line "形状図", then the sketch over the
    // rest of the page down to the bottom margin, with its notes and
    // `linesUnder` below it, and the isometric view (立体図) under them when
    // it draws anything.
    void writeSketchPage(const sketch::Sketch& sketch, const QStringList& linesUnder,
                         const sketch::View& isometric = {});

    // The current page, from 1; 0 before anything was written.
    int page() const { return m_pages; }
    bool counting() const { return m_counting; }
    bool failed() const { return m_failed; }

    const ReportPainter& layout() const { return m_layout; }
    // The painter while printing (null when counting or before the first page).
    QPainter* painter() { return m_counting || !m_painter.isActive() ? nullptr : &m_painter; }
    // The area between the origin, the right margin and the bottom margin.
    QRectF textArea() const;
    double pixelsPerMm() const;
    // A rectangle of device pixels on the page, in PDF points from the
    // page's bottom-left corner.
    QRectF toPdfPoints(const QRectF& rect) const;

    // Ends the document, if one was begun.
    PrintOutcome finish();

private:
    bool begin();
    bool newPage();
    bool startPendingPage();
    void drawHeader();
    void fail();
    QString failureText() const;

    QPrinter& m_printer;
    ReportPainter m_layout;
    QPainter m_painter;
    QPointF m_origin;
    qreal m_bottom = 0;
    qreal m_right = 0;
    qreal m_y = 0;
    int m_linesOnPage = 0;
    int m_pages = 0;
    bool m_begun = false;
    bool m_breakPending = false;
    bool m_pageUsed = false;
    bool m_failed = false;
    bool m_counting = false;
    TitleBlock m_title;
    int m_headerPages = 0;
};

} // namespace haltrix::print
