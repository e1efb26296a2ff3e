#include "window_close.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace haltrix::gui {

void closeWorkingWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame->close();
    else
        window->close();
}

} // namespace haltrix::gui
