// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/bar_proposal_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "fonts.h"
#include "studies/proposal_text.h"

namespace haltrix::gui {

namespace {

QStringList qtTexts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

} // namespace

BarProposalWindow::BarProposalWindow(const BarProposal& proposal, int unitSystem, QWidget* parent)
    : QDialog(parent), m_proposal(proposal) {
    setObjectName(QStringLiteral("frm_propose"));
    setWindowTitle(QStringLiteral("自動選定"));
    setFont(gothicFont(9));
    auto* layout = new QVBoxLayout(this);

    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);
    note->setText(proposal.candidates.empty()
                      ? QString::fromStdString(proposalReasonText(proposal.reason))
                      : QStringLiteral("配置鉄筋量の小さい順です。選んだ配置が入力欄に入ります"
                                       "（OK を押すまで設計は変わりません）。"));
    layout->addWidget(note);

    const QStringList captions = qtTexts(proposalColumnCaptions(unitSystem));
    m_grid = new QTableWidget(static_cast<int>(proposal.candidates.size()),
                              static_cast<int>(captions.size()), this);
    m_grid->setObjectName(QStringLiteral("FG1"));
    m_grid->setHorizontalHeaderLabels(captions);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const QStringList cells = qtTexts(proposalRowCells(proposal.candidates[row]));
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column < 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(row, column, item);
        }
    }
    // The figures take what they need; 1段目 and 2段目 share the rest.
    QHeaderView* header = m_grid->horizontalHeader();
    for (int column = 0; column < m_grid->columnCount(); ++column)
        header->setSectionResizeMode(column, column < 2 ? QHeaderView::Stretch
                                                        : QHeaderView::ResizeToContents);
    m_grid->setVisible(!proposal.candidates.empty());
    layout->addWidget(m_grid);

    auto* buttons = new QDialogButtonBox(this);
    m_choose = buttons->addButton(QStringLiteral("選択"), QDialogButtonBox::AcceptRole);
    m_choose->setObjectName(QStringLiteral("Command_ok"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("キャンセル"),
                                             QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Command2"));
    layout->addWidget(buttons);

    m_choose->setEnabled(!proposal.candidates.empty());
    if (!proposal.candidates.empty())
        m_grid->selectRow(0);
    connect(m_choose, &QPushButton::clicked, this, &BarProposalWindow::chooseCurrentRow);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this,
            &BarProposalWindow::chooseCurrentRow);
    resize(600, proposal.candidates.empty() ? 160 : 280);
}

void BarProposalWindow::chooseCurrentRow() {
    const int row = m_grid->currentRow();
    if (row < 0 || row >= static_cast<int>(m_proposal.candidates.size()))
        return;
    emit arrangementChosen(m_proposal.candidates[static_cast<std::size_t>(row)].bars);
    accept();
}

} // namespace haltrix::gui
