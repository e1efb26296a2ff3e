// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/unit_conversion_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "fonts.h"
#include "studies/unit_conversion.h"

namespace haltrix::gui {

namespace {

// Significant digits offered when rounding is first switched on: code values
// of σsa (176.5 N/mm2) and γc (24.52 kN/m3) have about four.
constexpr int kSuggestedDigits = 4;

} // namespace

UnitConversionDialog::UnitConversionDialog(const DesignInputs& design, std::int32_t to,
                                           QWidget* parent)
    : QDialog(parent), m_design(design), m_to(to) {
    setObjectName("dlgUnitConversion");
    setWindowTitle(QStringLiteral("単位系の変換"));
    setFont(gothicFont());

    m_text = new QLabel(this);
    m_text->setObjectName("lblConversion");
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_round = new QCheckBox(QStringLiteral("σsa と γc を有効数字で丸める(&R)"), this);
    m_round->setObjectName("chkRound");
    m_digits = new QSpinBox(this);
    m_digits->setObjectName("spnDigits");
    m_digits->setRange(1, kMaxRoundingDigits);
    m_digits->setValue(kSuggestedDigits);
    m_digits->setSuffix(QStringLiteral(" 桁"));
    m_digits->setEnabled(false);
    auto* rounding = new QHBoxLayout;
    rounding->addWidget(m_round);
    rounding->addWidget(m_digits);
    rounding->addStretch();

    auto* note = new QLabel(
        QStringLiteral("変換した設計はファイルに保存されません。保存は ﾌｧｲﾙ → 上書き保存 で。"),
        this);
    note->setObjectName("lblNote");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* convert = buttons->addButton(QStringLiteral("変換"), QDialogButtonBox::AcceptRole);
    convert->setObjectName("cmdConvert");
    convert->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cmdCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(rounding);
    layout->addWidget(note);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_round, &QCheckBox::toggled, m_digits, &QWidget::setEnabled);
    connect(m_round, &QCheckBox::toggled, this, &UnitConversionDialog::showPlannedConversion);
    connect(m_digits, &QSpinBox::valueChanged, this, &UnitConversionDialog::showPlannedConversion);
    showPlannedConversion();
}

int UnitConversionDialog::roundingDigits() const {
    return m_round->isChecked() ? m_digits->value() : 0;
}

void UnitConversionDialog::showPlannedConversion() {
    UnitConversion conversion;
    if (const auto reason = convertUnitSystem(m_design, m_to, roundingDigits(), conversion)) {
        m_text->setText(QString::fromStdString(*reason));
        return;
    }
    m_text->setText(QString::fromStdString(conversion.description(UnitConversion::Tense::Planned)));
}

std::optional<int> DialogConversionConfirmation::confirm(QWidget* parent,
                                                         const DesignInputs& design,
                                                         std::int32_t to) {
    UnitConversionDialog dialog(design, to, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.roundingDigits();
}

} // namespace haltrix::gui
