// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/unit_switch.h"

#include <QActionGroup>
#include <QMenu>

#include "design/unit_system.h"
#include "document/design_document.h"

namespace haltrix::gui {

UnitSwitch::UnitSwitch(DesignDocument& document, QMenu& menu, QObject* parent)
    : QObject(parent), m_document(document), m_group(new QActionGroup(this)) {
    m_group->setExclusive(true);
    auto add = [&](const char* name, const QString& caption, std::int32_t unitSystem) {
        QAction* action = menu.addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, unitSystem] {
            emit unitSystemChosen(unitSystem);
        });
        return action;
    };
    m_gravitational = add("mnuToolsOptions_jyu", QStringLiteral("重力単位"), kUnitGravitational);
    m_si = add("mnuToolsOptions_si", QStringLiteral("ＳＩ単位"), kUnitSI);
    m_si->setChecked(true);
    connect(&m_document, &DesignDocument::inputsChanged, this, &UnitSwitch::followDocument);
}

void UnitSwitch::followDocument() {
    // A design of another flag leaves the menu as it was.
    if (const auto system = standardUnitSystem(m_document.inputs().unitSystem))
        (*system == UnitSystem::Gravitational ? m_gravitational : m_si)->setChecked(true);
}

} // namespace haltrix::gui
