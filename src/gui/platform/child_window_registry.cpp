// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/child_window_registry.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/window_placement.h"

namespace haltrix::gui {

ChildWindowRegistry::ChildWindowRegistry(QMdiArea& area, Placement place, QObject* parent)
    : QObject(parent), m_area(area), m_place(std::move(place)) {}

QWidget* ChildWindowRegistry::form(const QString& name) const {
    const QPointer<QMdiSubWindow> sub = m_frames.value(name);
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow* ChildWindowRegistry::frame(const QString& name) const {
    return m_frames.value(name);
}

void ChildWindowRegistry::close(const QString& name) {
    if (const QPointer<QMdiSubWindow> sub = m_frames.value(name))
        sub->close();
}

bool ChildWindowRegistry::discard(const QString& name) {
    const QPointer<QMdiSubWindow> sub = m_frames.value(name);
    m_frames.remove(name);
    if (!sub)
        return false;
    const bool inView = sub->isVisible();
    sub->close();
    delete sub.data();
    return inView;
}

QWidget* ChildWindowRegistry::show(const QString& name, const Factory& create, ChildFrame frame) {
    if (const QPointer<QMdiSubWindow> open = m_frames.value(name)) {
        open->show();
        m_area.setActiveSubWindow(open);
        open->raise();
        return open->widget();
    }
    QWidget* form = create();
    if (!form)
        return nullptr;
    form->setObjectName(name);

    auto* sub = new ChildSubWindow;
    sub->setObjectName(name + QStringLiteral("_frame"));
    sub->setWidget(form);
    sub->setWindowTitle(form->windowTitle());
    if (frame == ChildFrame::Fixed) {
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    m_area.addSubWindow(sub);
    if (frame == ChildFrame::Fixed) {
        sub->adjustSize();
        sub->setFixedSize(sub->size());
    }
    m_frames.insert(name, sub);
    connect(sub, &ChildSubWindow::closed, this, [this, name, sub] {
        if (m_frames.value(name) == sub)
            m_frames.remove(name);
    });
    sub->show();
    if (m_place)
        m_place(name, sub);
    keepInsideArea(sub);
    m_area.setActiveSubWindow(sub);
    return form;
}

void ChildWindowRegistry::keepInsideArea(QMdiSubWindow* frame) const {
    const QSize minimum = frame->minimumSize().expandedTo(frame->minimumSizeHint());
    frame->setGeometry(fitInside(frame->geometry(), m_area.viewport()->rect(), minimum));
}

} // namespace haltrix::gui
