// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/notifier.h"
#include "platform/application_title.h"

class QWidget;

namespace haltrix::gui {

class MessageSink;

// Shows the engine's message as a modal box: the text, an OK button, no
// icon, "Haltrix" as caption.
class MessageBoxNotifier : public Notifier {
public:
    explicit MessageBoxNotifier(QWidget* parent) : m_parent(parent) {}
    void notify(std::string_view message) override;

private:
    QWidget* m_parent;
};

// Hands the engine's message to a message sink, as a box without an icon
// (or, in tests, to the sink's record).
class SinkNotifier : public Notifier {
public:
    SinkNotifier(MessageSink& sink, QWidget* parent) : m_sink(sink), m_parent(parent) {}
    void notify(std::string_view message) override;

private:
    MessageSink& m_sink;
    QWidget* m_parent;
};

} // namespace haltrix::gui
