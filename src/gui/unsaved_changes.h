// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "design_record.h"

namespace haltrix::gui {

class DesignContext;

// Whether the design differs from the one last opened, saved or started
// with 新規作成: the inputs and the unit system as they were then are kept,
// and every announced change of the record is compared with them.
class UnsavedChanges : public QObject {
    Q_OBJECT
public:
    // The record as it stands counts as saved.
    explicit UnsavedChanges(DesignContext& context, QObject* parent = nullptr);

    bool isModified() const { return m_modified; }
    // After opening, saving or 新規作成: the record as it now stands is the
    // saved design.
    void markSaved();

signals:
    void modifiedChanged(bool modified);

private:
    void compare();

    DesignContext& m_context;
    DesignRecord m_saved; // only its inputs and unit system (inputsOf)
    bool m_modified = false;
};

} // namespace haltrix::gui
