#pragma once

#include "notifier.h"

class QWidget;

namespace haltrix::gui {

// Shows the engine's message as a modal box: the text, an OK button, no
// icon, "Haltrix" as caption.
class MessageBoxNotifier : public Notifier {
public:
    explicit MessageBoxNotifier(QWidget* parent) : m_parent(parent) {}
    void notify(std::string_view message) override;

private:
    QWidget* m_parent;
};

// The application title used as the caption of every message box.
inline constexpr const char* kApplicationTitle = "Haltrix";

} // namespace haltrix::gui
