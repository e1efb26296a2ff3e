// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/calculation_windows.h"

#include <QSettings>

#include "calculation/print_window.h"
#include "calculation/result_window.h"
#include "calculation/sketch_companions.h"
#include "platform/child_window_registry.h"
#include "platform/window_names.h"

namespace haltrix::gui {

QWidget* createResultWindow(const CalculationWindowContext& context, UnitSystem twin) {
    auto* window = new ResultWindow(*context.document, twin, context.messages);
    QObject::connect(window, &ResultWindow::printRequested, window,
                     [context](const HorizontalChoice& choice) { showPrintWindow(context, choice); });
    QObject::connect(window, &ResultWindow::sketchRequested, window, [context, window] {
        showResultSketch(*context.children, *context.document, *window);
    });
    return window;
}

QWidget* showPrintWindow(const CalculationWindowContext& context, const HorizontalChoice& choice) {
    QWidget* shown = context.children->show(
        QString::fromLatin1(kPrintWindowName),
        [context] {
            auto* window = new PrintWindow(*context.document, context.printing, context.messages);
            window->rememberChoicesIn(context.openSettings);
            return window;
        },
        ChildFrame::Sizable);
    if (auto* window = qobject_cast<PrintWindow*>(shown))
        window->setHorizontalChoice(choice);
    return shown;
}

} // namespace haltrix::gui
