// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_sink.h"

#include "platform/application_title.h"

namespace haltrix::gui {

void MessageBoxSink::showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.setObjectName("messageBox");
    box.exec();
}

MessageSink& defaultMessageSink() {
    static MessageBoxSink sink;
    return sink;
}

} // namespace haltrix::gui
