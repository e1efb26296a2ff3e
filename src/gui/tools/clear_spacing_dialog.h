// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "findings/clear_spacing_rule.h"

class QDoubleSpinBox;
class QLabel;
class QRadioButton;

namespace haltrix::gui {

// "鉄筋のあき": chooses the minimum clear spacing the warnings apply, the
// rule with its maximum aggregate size or a fixed value. The line at the
// bottom names the rule as the warnings will.
class ClearSpacingDialog : public QDialog {
    Q_OBJECT
public:
    explicit ClearSpacingDialog(const ClearSpacingRule& rule, QWidget* parent = nullptr);

    // The rule as the controls now stand.
    ClearSpacingRule rule() const;

private:
    void updateControls();

    QRadioButton* m_useRule = nullptr;
    QRadioButton* m_useFixed = nullptr;
    QDoubleSpinBox* m_aggregate = nullptr;
    QDoubleSpinBox* m_fixed = nullptr;
    QDoubleSpinBox* m_maxCentre = nullptr;
    QLabel* m_description = nullptr;
};

// Shows the dialog modally; the chosen rule, or nothing when cancelled.
std::optional<ClearSpacingRule> askClearSpacingRule(const ClearSpacingRule& rule, QWidget* parent);

} // namespace haltrix::gui
