// SPDX-License-Identifier: GPL-3.0-or-later
// For builds with qpdf: the outline and links are written by the module
// haltrix_pdf_navigation, loaded the first time it is asked for. Only the
// book needs it, so qpdf stays out of the start of the programs.
#include "pdf_navigation.h"

#include "program_module.h"

namespace haltrix::print {

namespace {

struct Module {
    AddPdfNavigation add = nullptr;
    QString failure; // why it could not be loaded
};

const Module& module() {
    static const Module loaded = [] {
        Module result;
        using Entry = AddPdfNavigation (*)();
        if (auto entry = reinterpret_cast<Entry>(programModuleEntry(
                QStringLiteral("haltrix_pdf_navigation"), "haltrixPdfNavigation", result.failure)))
            result.add = entry();
        return result;
    }();
    return loaded;
}

} // namespace

bool canWritePdfNavigation() {
    return module().add != nullptr;
}

QByteArray addPdfNavigation(const QByteArray& pdf, const PdfNavigation& navigation,
                            QString& error) {
    if (!module().add) {
        error = module().failure;
        return {};
    }
    return module().add(pdf, navigation, error);
}

} // namespace haltrix::print
