// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "studies/bar_proposal.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace haltrix::gui {

// "自動選定": the best arrangements of the main bars for the design as the
// input form holds it, one row each (1段目, 2段目, 配置鉄筋量, 必要鉄筋量,
// 余裕 (%), 最小あき (mm)), or why there is none. "選択" (or a double click)
// hands the chosen row on and closes the window; nothing else changes.
class BarProposalWindow : public QDialog {
    Q_OBJECT
public:
    BarProposalWindow(const BarProposal& proposal, int unitSystem, QWidget* parent = nullptr);

signals:
    void arrangementChosen(const haltrix::BarArrangement& bars);

private:
    void chooseCurrentRow();

    BarProposal m_proposal;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_choose = nullptr;
};

} // namespace haltrix::gui
