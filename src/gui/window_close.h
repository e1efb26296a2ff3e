#pragma once

class QWidget;

namespace haltrix::gui {

// Closes a working window from one of its own buttons. Inside the main
// window's MDI area the window sits in a frame (QMdiSubWindow) that must
// close with it; a window shown on its own closes itself.
void closeWorkingWindow(QWidget* window);

} // namespace haltrix::gui
