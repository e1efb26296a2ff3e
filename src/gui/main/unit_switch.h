// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>

class QAction;
class QActionGroup;
class QMenu;

namespace haltrix::gui {

class DesignDocument;

// The unit switch 重力単位 / ＳＩ単位 (mnuToolsOptions_jyu, _si): one
// exclusive group in `menu` whose mark follows the document's unit system (a
// unit system other than 1 and 2 leaves it as it was). Choosing one says so;
// the switch itself changes nothing.
class UnitSwitch : public QObject {
    Q_OBJECT
public:
    UnitSwitch(DesignDocument& document, QMenu& menu, QObject* parent = nullptr);

    // Marks the document's unit system (after a switch that was not made).
    void followDocument();

signals:
    void unitSystemChosen(std::int32_t unitSystem);

private:

    DesignDocument& m_document;
    QActionGroup* m_group;
    QAction* m_gravitational;
    QAction* m_si;
};

} // namespace haltrix::gui
