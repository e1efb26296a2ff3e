// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace haltrix::gui {

// The recent designs in the ﾌｧｲﾙ menu: up to five items "&1 bracket.tvx" ...
// (mnuFileRecent1 to mnuFileRecent5) with the full path as tooltip, and a
// separator (mnuFileBarRecent) after them, placed before `before`. A design
// whose file is gone is shown greyed. Nothing shows while the list is empty.
class RecentDesignsMenu : public QObject {
    Q_OBJECT
public:
    RecentDesignsMenu(QMenu* menu, QAction* before, QObject* parent = nullptr);

    // Shows `designs`, newest first, each greyed when it is no file now.
    void show(const QStringList& designs);

signals:
    void designChosen(const QString& path);

private:
    QList<QAction*> m_items;
    QAction* m_separator = nullptr;
};

} // namespace haltrix::gui
