// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_notifier.h"

#include <QMessageBox>
#include <QString>

#include "platform/message_sink.h"

namespace haltrix::gui {

void MessageBoxNotifier::notify(std::string_view message) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                    QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                    QMessageBox::Ok, m_parent);
    box.setObjectName("engineMessageBox");
    box.exec();
}

void SinkNotifier::notify(std::string_view message) {
    m_sink.showMessage(m_parent,
                       QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                       QMessageBox::NoIcon);
}

} // namespace haltrix::gui
