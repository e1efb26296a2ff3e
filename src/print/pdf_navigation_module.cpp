// SPDX-License-Identifier: GPL-3.0-or-later
// For builds with qpdf: the outline and links are written by the module
// haltrix_pdf_navigation, loaded the first time it is asked for. Only the
// book needs it, so qpdf stays out of the start of the programs.
#include "pdf_navigation.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#ifdef Q_OS_WIN
#include <string>

#include <windows.h>
#endif

namespace haltrix::print {

namespace {

// The folder of the running program, with or without a Qt application.
QString programFolder() {
#ifdef Q_OS_WIN
    std::wstring path(32768, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return QFileInfo(QDir::fromNativeSeparators(
                         QString::fromWCharArray(path.data(), static_cast<qsizetype>(length))))
        .absolutePath();
#else
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
#endif
}

struct Module {
    AddPdfNavigation add = nullptr;
    QString failure; // why it could not be loaded
};

// Beside the installed program first (HALTRIX_PDF_NAVIGATION_FROM_BINDIR is
// the way from the program's folder to the module's), then where the build
// put it, for the programs and tests run from the build tree.
const Module& module() {
    static const Module loaded = [] {
        Module result;
        const QStringList places = {
            QDir(programFolder()).filePath(QStringLiteral(HALTRIX_PDF_NAVIGATION_FROM_BINDIR)),
            QStringLiteral(HALTRIX_PDF_NAVIGATION_BUILT)};
        QStringList failures;
        for (const QString& place : places) {
            if (!QFileInfo::exists(place))
                continue;
            QLibrary library(place);
            using Entry = AddPdfNavigation (*)();
            if (auto entry = reinterpret_cast<Entry>(library.resolve("haltrixPdfNavigation"))) {
                result.add = entry();
                return result;
            }
            failures.append(library.errorString());
        }
        result.failure = failures.isEmpty()
                             ? QStringLiteral("しおりとリンクを書くモジュール %1 がありません")
                                   .arg(places.front())
                             : failures.join(QStringLiteral("; "));
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
