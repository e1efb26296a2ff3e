// SPDX-License-Identifier: GPL-3.0-or-later
// For builds without qpdf: the PDF stays as Qt painted it.
#include "pdf_navigation.h"

namespace haltrix::print {

bool canWritePdfNavigation() {
    return false;
}

QByteArray addPdfNavigation(const QByteArray& pdf, const PdfNavigation&, QString&) {
    return pdf;
}

} // namespace haltrix::print
