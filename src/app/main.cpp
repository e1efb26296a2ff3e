// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "command_line.h"
#include "fonts.h"
#include "main/main_window.h"
#include "platform/resources.h"

namespace {

void nameApplication() {
    // The per-user settings live under the application "Haltrix".
    QCoreApplication::setOrganizationName(QStringLiteral("Haltrix"));
    QCoreApplication::setApplicationName(QStringLiteral("Haltrix"));
}

} // namespace

int main(int argc, char* argv[]) {
    if (haltrix::app::asksForInformation(argc, argv)) {
        // --help and --version need no display: answer them without the GUI.
        QCoreApplication app(argc, argv);
        nameApplication();
        haltrix::app::answerInformation(app);
    }
    QApplication app(argc, argv);
    nameApplication();
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.haltrix.Haltrix"));
    const QString designFile = haltrix::app::designFileFromCommandLine(app);
    QApplication::setWindowIcon(haltrix::gui::programIcon());
    QApplication::setFont(haltrix::gui::proportionalGothicFont(9));

    // The whole interface is Japanese, so Qt's own dialogs (file, print,
    // message box buttons) speak Japanese too, whatever the system locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    haltrix::gui::MainWindow window;
    haltrix::gui::installCalculationWindows(window);
    window.show();
    // A design named on the command line opens as ﾌｧｲﾙ → 開く would open it;
    // one that cannot be read leaves the empty design and says why.
    if (!designFile.isEmpty())
        window.openDesignFile(designFile);
#ifdef HALTRIX_QUIT_AFTER_SHOW
    // Only in the start-up benchmark's build of this file: end as soon as the
    // event loop has taken the first show of the main window.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
#endif
    return app.exec();
}
