// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/recent_designs_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "document/recent_designs.h"

namespace haltrix::gui {

RecentDesignsMenu::RecentDesignsMenu(QMenu* menu, QAction* before, QObject* parent)
    : QObject(parent) {
    menu->setToolTipsVisible(true);
    for (int i = 0; i < kRecentDesignCount; ++i) {
        auto* item = new QAction(menu);
        item->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
        item->setVisible(false);
        menu->insertAction(before, item);
        connect(item, &QAction::triggered, this,
                [this, item] { emit designChosen(item->data().toString()); });
        m_items.append(item);
    }
    m_separator = new QAction(menu);
    m_separator->setSeparator(true);
    m_separator->setObjectName(QStringLiteral("mnuFileBarRecent"));
    m_separator->setVisible(false);
    menu->insertAction(before, m_separator);
}

void RecentDesignsMenu::show(const QStringList& designs) {
    for (int i = 0; i < m_items.size(); ++i) {
        QAction* item = m_items[i];
        const bool used = i < designs.size();
        item->setVisible(used);
        if (!used)
            continue;
        const QString& path = designs[i];
        // "&1 name": the digit is the item's access key.
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        item->setData(path);
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setEnabled(QFileInfo(path).isFile());
    }
    m_separator->setVisible(!designs.isEmpty());
}

} // namespace haltrix::gui
