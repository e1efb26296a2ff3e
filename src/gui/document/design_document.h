// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "findings/clear_spacing_rule.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/load_cases.h"

namespace haltrix::gui {

// The design the program holds: its inputs, the file it came from or went
// to, and whether it differs from that file. The main window owns it and
// hands it to every window it creates; tests build their own.
//
// Every change of the inputs (the input form's OK, opening a design, the
// unit switch, ...) is announced once, afterwards, with inputsChanged(). The
// results are those of calculateCases of the inputs with the design's own
// side-face choice: every load case, calculated once per announced change,
// when first asked for, and kept until the next. The windows only read the
// document; one that checks other side-face bars checks its own copy of the
// results.
//
// The document also holds the minimum clear spacing rule the warnings apply
// (a setting, not part of the design); the windows that list warnings follow
// its changes.
class DesignDocument : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const DesignInputs& inputs() const { return m_inputs; }
    // Takes the inputs and announces them, also when they equal those held:
    // a confirmed input form is calculated again.
    void setInputs(const DesignInputs& inputs);
    // The first case's results, and those of every case.
    const DesignResults& results() const;
    const DesignCalculation& calculation() const;

    // The side-face bars the result window checks with: kept with the design
    // (and saved in its file), so a change marks it modified. Announced with
    // sideFaceChoiceChanged() alone: the main results do not depend on it.
    void setSideFaceChoice(const HorizontalChoice& choice);

    // A design opened from `fileName`, or (with an empty name) started new:
    // its inputs count as saved.
    void load(const DesignInputs& inputs, const QString& fileName);
    const QString& fileName() const { return m_fileName; }
    // The inputs as they stand were written to `fileName`.
    void markSaved(const QString& fileName);

    // Whether the inputs differ from those last opened, saved or started
    // with 新規作成.
    bool isModified() const { return m_inputs != m_saved; }

    const ClearSpacingRule& spacingRule() const { return m_spacingRule; }
    // Emits spacingRuleChanged() when the rule differs from the one held.
    void setSpacingRule(const ClearSpacingRule& rule);

signals:
    void inputsChanged();
    void sideFaceChoiceChanged();
    void modifiedChanged(bool modified);
    void fileNameChanged(const QString& fileName);
    void spacingRuleChanged();

private:
    // Emits what changed after the inputs, the saved inputs or the file name
    // were set.
    void announce(bool inputsSet, bool wasModified, const QString& previousName);

    DesignInputs m_inputs;
    DesignInputs m_saved;
    QString m_fileName;
    mutable std::optional<DesignCalculation> m_results;
    ClearSpacingRule m_spacingRule;
};

} // namespace haltrix::gui
