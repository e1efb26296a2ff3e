// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

#include "design/design_inputs.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace haltrix::gui {

// Asks the user before a design is converted to another unit system. The
// program shows UnitConversionDialog; tests answer in its place.
class ConversionConfirmation {
public:
    virtual ~ConversionConfirmation() = default;
    // The significant digits σsa and γc are to be rounded to (0: none), or
    // nothing when the user declines.
    virtual std::optional<int> confirm(QWidget* parent, const DesignInputs& design,
                                       std::int32_t to) = 0;
};

// The dialog "単位系の変換" (dlgUnitConversion): what converting the design
// would do, value by value before and after (the core's description), a
// choice to round σsa and γc to some significant digits, "変換" and
// "キャンセル". The text follows the rounding choice as it changes.
class UnitConversionDialog : public QDialog {
    Q_OBJECT
public:
    UnitConversionDialog(const DesignInputs& design, std::int32_t to, QWidget* parent = nullptr);

    // The digits chosen, 0 when rounding is off.
    int roundingDigits() const;

private:
    void showPlannedConversion();

    DesignInputs m_design;
    std::int32_t m_to;
    QLabel* m_text = nullptr;
    QCheckBox* m_round = nullptr;
    QSpinBox* m_digits = nullptr;
};

// Runs UnitConversionDialog modally.
class DialogConversionConfirmation : public ConversionConfirmation {
public:
    std::optional<int> confirm(QWidget* parent, const DesignInputs& design,
                               std::int32_t to) override;
};

} // namespace haltrix::gui
