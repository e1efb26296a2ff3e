// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include "clear_spacing_rule.h"
#include "design_record.h"

namespace haltrix::gui {

// What the windows share for one run of the program: the design record and
// the current design file. The main window owns it and hands it to every
// window it creates; tests build fresh ones.
//
// Whatever changes the record's inputs or its unit system (the input form's
// OK, opening a design, the unit switch, ...) announces it once, afterwards;
// every window that shows results follows the announcement, so what it shows
// is always the calculation of the inputs as they now stand.
//
// The context also holds the minimum clear spacing rule the warnings apply
// (a setting, not part of the design); the windows that list warnings follow
// its changes.
class DesignContext : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    DesignRecord record;
    QString currentFileName;

    void announceInputsChanged() { emit inputsChanged(); }

    const ClearSpacingRule& spacingRule() const { return m_spacingRule; }
    // Emits spacingRuleChanged() when the rule differs from the one held.
    void setSpacingRule(const ClearSpacingRule& rule) {
        if (rule == m_spacingRule)
            return;
        m_spacingRule = rule;
        emit spacingRuleChanged();
    }

signals:
    void inputsChanged();
    void spacingRuleChanged();

private:
    ClearSpacingRule m_spacingRule;
};

} // namespace haltrix::gui
