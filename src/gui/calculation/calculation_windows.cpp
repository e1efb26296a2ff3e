// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/calculation_windows.h"

#include <QSettings>

#include "platform/child_windows.h"
#include "main/main_window.h"
#include "calculation/print_window.h"
#include "calculation/result_window.h"
#include "calculation/sketch_companions.h"

namespace haltrix::gui {

void installCalculationWindows(MainWindow& mainWindow, PrintInteraction* printing) {
    mainWindow.setResultWindowFactory(
        [printing](Twin twin, MainWindow& host) -> QWidget* {
            auto* window = new ResultWindow(host.document(), twin, &host.calculationMessages());
            QObject::connect(window, &ResultWindow::printRequested, &host,
                             [&host, printing](const HorizontalChoice& choice) {
                                 showPrintWindow(host, printing, choice);
                             });
            QObject::connect(window, &ResultWindow::sketchRequested, &host,
                             [&host, window] { showResultSketch(host, *window); });
            return window;
        },
        ChildFrame::Fixed);
}

QWidget* showPrintWindow(MainWindow& mainWindow, PrintInteraction* printing,
                         const HorizontalChoice& choice) {
    QWidget* shown = mainWindow.showChildWindow(
        QString::fromLatin1(kPrintWindowName),
        [&mainWindow, printing] {
            auto* window =
                new PrintWindow(mainWindow.document(), printing, &mainWindow.calculationMessages());
            window->rememberChoicesIn([&mainWindow] { return mainWindow.openSettings(); });
            return window;
        },
        ChildFrame::Sizable);
    if (auto* window = qobject_cast<PrintWindow*>(shown))
        window->setHorizontalChoice(choice);
    return shown;
}

} // namespace haltrix::gui
