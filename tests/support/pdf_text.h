// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Reading back what a PDF holds, through poppler's command-line tools, for
// tests of the printed report.
namespace haltrix::test {

// The text of a PDF as `pdftotext -layout` gives it (pages separated by form
// feeds). On failure returns a null string and sets `error`.
QString pdfLayoutText(const QString& path, QString& error);

// One word of `pdftotext -bbox`, its box in points from the page's top-left.
struct PdfWord {
    int page = 0; // from 1
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};

struct PdfWords {
    QList<PdfWord> words;
    QList<QSizeF> pageSizes; // points, one per page
};

PdfWords pdfWords(const QString& path, QString& error);

// The words of page `page` (from 1) joined without blanks, in reading order.
QString pageText(const PdfWords& words, int page);

// The Title of the PDF's document information, as `pdfinfo` gives it.
QString pdfTitle(const QString& path, QString& error);

// `pdffonts` output.
QString pdfFonts(const QString& path, QString& error);

// A line as text extraction can be trusted to keep it: without blanks (the
// extractor re-spaces a line by its glyph positions), and with the middle dot
// in one form (IPA fonts draw "･" and "·" with one glyph, which the extractor
// may map back to either).
QString comparable(const QString& line);

// Checks that the non-blank lines appear in the text in this order, each as a
// line of its own. Returns an empty string, or the first line not found.
QString firstMissingInOrder(const QStringList& lines, const QString& text);

} // namespace haltrix::test
