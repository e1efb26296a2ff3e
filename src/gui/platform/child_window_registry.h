// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "platform/child_windows.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace haltrix::gui {

// The child windows of the main window by name: at most one of each, shown
// in the multiple-document area, placed when new and kept inside the area.
class ChildWindowRegistry : public QObject {
public:
    using Factory = std::function<QWidget*()>;
    // Where a new child window goes; it is then kept inside the area.
    using Placement = std::function<void(const QString& name, QMdiSubWindow* frame)>;

    ChildWindowRegistry(QMdiArea& area, Placement place, QObject* parent = nullptr);

    // Shows the child window `name`: an open (or hidden) one is only shown
    // and brought to the front; otherwise `create` makes it, it is given the
    // object name, framed and shown. Returns the window's form, or null when
    // `create` made none.
    QWidget* show(const QString& name, const Factory& create, ChildFrame frame);
    // The form of an open (or hidden) child window, or null.
    QWidget* form(const QString& name) const;
    QMdiSubWindow* frame(const QString& name) const;
    // Closes a child window if it is open.
    void close(const QString& name);
    // Closes and destroys it at once, so that it follows nothing that comes
    // next. True when it was in view.
    bool discard(const QString& name);
    // Moves, or shrinks if it can, a child window into the visible area.
    void keepInsideArea(QMdiSubWindow* frame) const;
    // The multiple-document area that shows the child windows.
    QMdiArea& area() const { return m_area; }

private:
    QMdiArea& m_area;
    Placement m_place;
    QHash<QString, QPointer<QMdiSubWindow>> m_frames;
};

} // namespace haltrix::gui
