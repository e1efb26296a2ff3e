// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/clear_spacing_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace haltrix::gui {

namespace {

QDoubleSpinBox* lengthBox(const char* name, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(1);
    box->setRange(1.0, 1000.0);
    box->setSingleStep(1.0);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

ClearSpacingDialog::ClearSpacingDialog(const ClearSpacingRule& rule, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgClearSpacing"));
    setWindowTitle(QStringLiteral("鉄筋のあき"));

    auto* intro = new QLabel(
        QStringLiteral("鉄筋の配置の警告に使う、隣り合う鉄筋の最小のあき（純間隔）:"), this);
    m_useRule = new QRadioButton(
        QStringLiteral("20 mm、粗骨材の最大寸法の 4/3、鉄筋径のうち最大の値(&R)"), this);
    m_useRule->setObjectName(QStringLiteral("optClearSpacingRule"));
    auto* aggregateLabel = new QLabel(QStringLiteral("粗骨材の最大寸法(&G):"), this);
    m_aggregate = lengthBox("spnMaxAggregate", rule.maxAggregateMm, this);
    aggregateLabel->setBuddy(m_aggregate);
    m_useFixed = new QRadioButton(QStringLiteral("固定値(&F):"), this);
    m_useFixed->setObjectName(QStringLiteral("optClearSpacingFixed"));
    m_fixed = lengthBox("spnMinClear", rule.fixedMm.value_or(30.0), this);
    auto* centreLabel = new QLabel(QStringLiteral("鉄筋の最大中心間隔(&M):"), this);
    m_maxCentre = lengthBox("spnMaxSpacing", rule.maxCentreMm, this);
    m_maxCentre->setRange(10.0, 10000.0);
    m_maxCentre->setValue(rule.maxCentreMm);
    m_maxCentre->setToolTip(QStringLiteral("1 段の隣り合う鉄筋の中心間隔の上限（既定 %1 mm）")
                                .arg(ClearSpacingRule::kDefaultMaxCentreMm));
    centreLabel->setBuddy(m_maxCentre);
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("lblClearSpacingRule"));
    m_description->setWordWrap(true);
    (rule.fixedMm ? m_useFixed : m_useRule)->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("btnClearSpacing"));

    auto* grid = new QGridLayout;
    grid->addWidget(m_useRule, 0, 0, 1, 2);
    grid->addWidget(aggregateLabel, 1, 0);
    grid->addWidget(m_aggregate, 1, 1);
    grid->addWidget(m_useFixed, 2, 0);
    grid->addWidget(m_fixed, 2, 1);
    grid->addWidget(centreLabel, 3, 0);
    grid->addWidget(m_maxCentre, 3, 1);
    grid->setColumnMinimumWidth(0, 160);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addWidget(m_description);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_useRule, &QRadioButton::toggled, this, &ClearSpacingDialog::updateControls);
    connect(m_aggregate, &QDoubleSpinBox::valueChanged, this, &ClearSpacingDialog::updateControls);
    connect(m_fixed, &QDoubleSpinBox::valueChanged, this, &ClearSpacingDialog::updateControls);
    connect(m_maxCentre, &QDoubleSpinBox::valueChanged, this,
            &ClearSpacingDialog::updateControls);
    updateControls();
}

ClearSpacingRule ClearSpacingDialog::rule() const {
    ClearSpacingRule rule;
    rule.maxAggregateMm = m_aggregate->value();
    if (m_useFixed->isChecked())
        rule.fixedMm = m_fixed->value();
    rule.maxCentreMm = m_maxCentre->value();
    return rule;
}

void ClearSpacingDialog::updateControls() {
    m_aggregate->setEnabled(m_useRule->isChecked());
    m_fixed->setEnabled(m_useFixed->isChecked());
    m_description->setText(QString::fromStdString(describeClearSpacingRule(rule()) + "\n" +
                                                  describeMaxCentreSpacing(rule())));
}

std::optional<ClearSpacingRule> askClearSpacingRule(const ClearSpacingRule& rule, QWidget* parent) {
    ClearSpacingDialog dialog(rule, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.rule();
}

} // namespace haltrix::gui
