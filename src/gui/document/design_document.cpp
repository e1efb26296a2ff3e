// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/design_document.h"

#include "design/design_calculation.h"

namespace haltrix::gui {

void DesignDocument::setInputs(const DesignInputs& inputs) {
    const bool wasModified = isModified();
    m_inputs = inputs;
    m_results.reset();
    announce(true, wasModified, m_fileName);
}

void DesignDocument::setSideFaceChoice(const HorizontalChoice& choice) {
    if (choice == m_inputs.sideFaceChoice)
        return;
    const bool wasModified = isModified();
    m_inputs.sideFaceChoice = choice;
    m_results.reset();
    announce(false, wasModified, m_fileName);
    emit sideFaceChoiceChanged();
}

const DesignResults& DesignDocument::results() const {
    return calculation().first();
}

const DesignCalculation& DesignDocument::calculation() const {
    if (!m_results)
        m_results = calculateCasesWithOwnChoice(m_inputs);
    return *m_results;
}

void DesignDocument::load(const DesignInputs& inputs, const QString& fileName) {
    const bool wasModified = isModified();
    const QString previousName = m_fileName;
    m_inputs = inputs;
    m_saved = inputs;
    m_fileName = fileName;
    m_results.reset();
    announce(true, wasModified, previousName);
}

void DesignDocument::markSaved(const QString& fileName) {
    const bool wasModified = isModified();
    const QString previousName = m_fileName;
    m_saved = m_inputs;
    m_fileName = fileName;
    announce(false, wasModified, previousName);
}

void DesignDocument::announce(bool inputsSet, bool wasModified, const QString& previousName) {
    // The name and the marker first, so that a window following the inputs
    // finds both as they now are.
    if (m_fileName != previousName)
        emit fileNameChanged(m_fileName);
    if (isModified() != wasModified)
        emit modifiedChanged(isModified());
    if (inputsSet)
        emit inputsChanged();
}

void DesignDocument::setSpacingRule(const ClearSpacingRule& rule) {
    if (rule == m_spacingRule)
        return;
    m_spacingRule = rule;
    emit spacingRuleChanged();
}

} // namespace haltrix::gui
