#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "calculation_windows.h"
#include "design_context.h"
#include "fonts.h"
#include "main_window.h"
#include "resources.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The per-user settings live under the application "Haltrix".
    QCoreApplication::setOrganizationName(QStringLiteral("Haltrix"));
    QCoreApplication::setApplicationName(QStringLiteral("Haltrix"));
    QApplication::setWindowIcon(haltrix::gui::programIcon());
    QApplication::setFont(haltrix::gui::proportionalGothicFont(9));

    // The whole interface is Japanese, so Qt's own dialogs (file, print,
    // message box buttons) speak Japanese too, whatever the system locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    haltrix::gui::DesignContext context;
    haltrix::gui::MainWindow window(context);
    haltrix::gui::installCalculationWindows(window);
    window.show();
#ifdef HALTRIX_QUIT_AFTER_SHOW
    // Only in the start-up benchmark's build of this file: end as soon as the
    // event loop has taken the first show of the main window.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
#endif
    return app.exec();
}
