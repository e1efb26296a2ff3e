// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMdiSubWindow>

namespace haltrix::gui {

// How a child window is framed inside the main window.
enum class ChildFrame {
    Fixed,   // fixed border, no minimize or maximize button
    Sizable, // the MDI area's usual frame
};

// The frame of a child window. It tells the main window the moment it closes,
// before its deferred deletion, so that a command right after a close creates
// a new window instead of showing the one on its way out.
class ChildSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ChildSubWindow(QWidget* parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// For a form shown as a child window: closes (destroys) or hides the child
// window around it; a form shown on its own is closed or hidden itself.
void closeHostWindow(QWidget* form);
void hideHostWindow(QWidget* form);

// The child window frame around a form, or null.
QMdiSubWindow* hostSubWindow(const QWidget* form);

} // namespace haltrix::gui
