// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/child_windows.h"

#include <QCloseEvent>

namespace haltrix::gui {

ChildSubWindow::ChildSubWindow(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
}

void ChildSubWindow::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

QMdiSubWindow* hostSubWindow(const QWidget* form) {
    for (QWidget* w = form ? form->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
            return sub;
    }
    return nullptr;
}

void closeHostWindow(QWidget* form) {
    if (QMdiSubWindow* sub = hostSubWindow(form))
        sub->close();
    else
        form->close();
}

void hideHostWindow(QWidget* form) {
    if (QMdiSubWindow* sub = hostSubWindow(form))
        sub->hide();
    else
        form->hide();
}

} // namespace haltrix::gui
