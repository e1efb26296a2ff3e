// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace haltrix::gui {

// Where the windows send the messages they show the user in a box: file
// errors, fields that do not hold a number, the About box's failure. The
// program shows a modal box; tests record the messages instead.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal message with an OK button and "Haltrix" as caption.
    virtual void showMessage(QWidget* parent, const QString& text,
                             QMessageBox::Icon icon = QMessageBox::NoIcon) = 0;
};

// Shows each message as a modal QMessageBox.
class MessageBoxSink : public MessageSink {
public:
    void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) override;
};

// The sink used when a window is given none.
MessageSink& defaultMessageSink();

} // namespace haltrix::gui
