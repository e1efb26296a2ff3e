// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

namespace haltrix::print {

// What a reader uses to find its way in a PDF and what Qt's PDF writer
// cannot write: the outline (bookmarks), links between pages and the
// document information. Added to a PDF that Qt has painted.

// An outline entry opening `page` (from 1); its children start closed.
struct OutlineEntry {
    QString title;
    int page = 0;
    QList<OutlineEntry> children;
};

// A link on `page` over `rect` (PDF points from the page's bottom-left
// corner) that opens page `target`.
struct PageLink {
    int page = 0;
    QRectF rect;
    int target = 0;
};

struct DocumentInfo {
    QString title;
    QString author;
    QString subject;
    QString creator;
    QString language; // BCP 47, "ja"
};

struct PdfNavigation {
    QList<OutlineEntry> outline;
    QList<PageLink> links;
    DocumentInfo info;
};

// Whether this build can add outlines and links (it needs qpdf and the
// module that writes them with qpdf).
bool canWritePdfNavigation();

// The PDF `pdf` with `navigation` added. Where this build cannot add it, the
// PDF unchanged. On failure a null array and `error` says why.
QByteArray addPdfNavigation(const QByteArray& pdf, const PdfNavigation& navigation, QString& error);

// The module's function that does the work of addPdfNavigation.
using AddPdfNavigation = QByteArray (*)(const QByteArray& pdf, const PdfNavigation& navigation,
                                        QString& error);

} // namespace haltrix::print
