// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>
#include <QRectF>
#include <QString>

// Reading back the outline, the links and the document information of a PDF
// through `qpdf --json`, for tests of the calculation book.
namespace haltrix::test {

struct PdfOutlineEntry {
    QString title;
    int page = 0; // from 1; 0 when it opens no page
    QList<PdfOutlineEntry> children;
};

struct PdfLink {
    int page = 0;   // the page it is on, from 1
    QRectF rect;    // PDF points, from the page's bottom-left corner
    int target = 0; // the page it opens, from 1; 0 when none
};

struct PdfStructure {
    int pages = 0;
    QList<double> pageHeights; // points
    QList<PdfOutlineEntry> outline;
    QList<PdfLink> links;
    QMap<QString, QString> info; // "/Title" -> text
    QString language;
};

// On failure `error` is set.
PdfStructure pdfStructure(const QString& path, QString& error);

} // namespace haltrix::test
