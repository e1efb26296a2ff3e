// SPDX-License-Identifier: GPL-3.0-or-later
#include "unsaved_changes.h"

#include "design_calculation.h"
#include "design_context.h"

namespace haltrix::gui {

UnsavedChanges::UnsavedChanges(DesignContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_saved(inputsOf(context.record)) {
    connect(&m_context, &DesignContext::inputsChanged, this, &UnsavedChanges::compare);
}

void UnsavedChanges::markSaved() {
    m_saved = inputsOf(m_context.record);
    compare();
}

void UnsavedChanges::compare() {
    const bool modified = inputsOf(m_context.record) != m_saved;
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

} // namespace haltrix::gui
