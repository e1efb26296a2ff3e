// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ifc_export_dialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QVBoxLayout>

#include "core_path.h"
#include "design/bar_table.h"
#include "design/design_calculation.h"
#include "design/horizontal_check.h"
#include "document/design_document.h"
#include "document/file_dialogs.h"
#include "haltrix_version.h"
#include "model/ifc_export.h"
#include "paper/number_format.h"
#include "platform/message_sink.h"

namespace haltrix::gui {

IfcExportDialog::IfcExportDialog(const IfcExportChoice& start, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgIfcExport"));
    setWindowTitle(QStringLiteral("IFC出力"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_schema = new QComboBox(this);
    m_schema->setObjectName(QStringLiteral("cboIfcSchema"));
    m_schema->addItem(QStringLiteral("IFC4X3_ADD2（IfcBridge を含む）"));
    m_schema->addItem(QStringLiteral("IFC4（Reference View、IfcBridge なし）"));
    m_schema->setCurrentIndex(start.schema == model::IfcSchema::Ifc4x3 ? 0 : 1);
    form->addRow(QStringLiteral("スキーマ(&S)"), m_schema);

    m_part = new QComboBox(this);
    m_part->setObjectName(QStringLiteral("cboIfcPart"));
    m_part->addItem(QStringLiteral("橋脚 (PIER)"));
    m_part->addItem(QStringLiteral("橋台 (ABUTMENT)"));
    m_part->setCurrentIndex(start.part == model::BridgePart::Pier ? 0 : 1);
    form->addRow(QStringLiteral("下部構造(&P)"), m_part);

    m_anchorage = new QLineEdit(QString::fromStdString(start.anchorage.text()), this);
    m_anchorage->setObjectName(QStringLiteral("txtIfcAnchorage"));
    form->addRow(QStringLiteral("定着長(&A)"), m_anchorage);
    auto* anchorageNote = new QLabel(
        QStringLiteral("mm（例 600）か鉄筋径の倍数（例 40φ、40D）。既定の %1 はこのプログラムの"
                       "仮定で、基準によるものではありません。適用する基準の値を入れてください。")
            .arg(QString::fromStdString(model::kDefaultAnchorage.text())),
        this);
    anchorageNote->setWordWrap(true);
    form->addRow(QString(), anchorageNote);
    m_anchorageError = new QLabel(this);
    m_anchorageError->setObjectName(QStringLiteral("lblIfcAnchorageError"));
    m_anchorageError->setStyleSheet(QStringLiteral("color: #b00000"));
    m_anchorageError->setWordWrap(true);
    m_anchorageError->hide();
    form->addRow(QString(), m_anchorageError);

    m_sideBar = new QComboBox(this);
    m_sideBar->setObjectName(QStringLiteral("cboIfcSideBar"));
    m_sideBar->addItem(QStringLiteral("（選択なし: D10）"));
    for (const std::string_view name : kBarDesignations)
        m_sideBar->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    m_sideBar->setCurrentIndex(start.sideFaces.barIndex + 1);
    form->addRow(QStringLiteral("水平方向用心鉄筋(&H)"), m_sideBar);
    m_sideCount = new QLineEdit(QString::fromStdString(plainText(start.sideFaces.barCount)), this);
    m_sideCount->setObjectName(QStringLiteral("txtIfcSideCount"));
    form->addRow(QStringLiteral("本数(&N)"), m_sideCount);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &IfcExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &IfcExportDialog::reject);
    layout->addWidget(buttons);
}

std::optional<IfcExportChoice> IfcExportDialog::choice() const {
    std::string error;
    const auto anchorage = model::parseAnchorage(m_anchorage->text().toStdString(), error);
    if (!anchorage)
        return std::nullopt;
    IfcExportChoice choice;
    choice.schema =
        m_schema->currentIndex() == 0 ? model::IfcSchema::Ifc4x3 : model::IfcSchema::Ifc4;
    choice.part =
        m_part->currentIndex() == 0 ? model::BridgePart::Pier : model::BridgePart::Abutment;
    choice.anchorage = *anchorage;
    choice.sideFaces = {m_sideBar->currentIndex() - 1,
                        barCountFromText(m_sideCount->text().toStdString())};
    return choice;
}

void IfcExportDialog::accept() {
    if (!choice()) {
        m_anchorageError->setText(
            QStringLiteral("定着長「%1」は読めません。0 より大きい mm の値か、40φ のような"
                           "鉄筋径の倍数を入れてください。")
                .arg(m_anchorage->text()));
        m_anchorageError->show();
        m_anchorage->setFocus();
        return;
    }
    QDialog::accept();
}

std::optional<IfcExportChoice> askIfcExportChoice(QWidget* parent, const IfcExportChoice& start) {
    IfcExportDialog dialog(start, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

QString exportDesignAsIfc(QWidget* parent, const DesignDocument& document, FileDialogs& dialogs,
                          MessageSink& messages, const AskIfcExportChoice& ask) {
    // The side-face bars start as those the design keeps.
    IfcExportChoice first;
    first.sideFaces = sideFaceChoiceInForce(std::nullopt, document.inputs());
    const std::optional<IfcExportChoice> choice = ask(parent, first);
    if (!choice)
        return {};
    const QFileInfo design(document.fileName());
    const QString designName =
        document.fileName().isEmpty() ? QStringLiteral("新規設計") : design.fileName();
    const QString start =
        document.fileName().isEmpty()
            ? QString()
            : design.dir().filePath(design.completeBaseName() + QStringLiteral(".ifc"));
    const QString path =
        dialogs.getSaveFileName(parent, QStringLiteral("IFC出力"), QStringLiteral("IFC (*.ifc)"),
                                start, QStringLiteral("ifc"));
    if (path.isEmpty())
        return {};

    model::IfcFileFacts facts;
    facts.schema = choice->schema;
    facts.part = choice->part;
    facts.designName = designName.toStdString();
    facts.fileName = QFileInfo(path).fileName().toStdString();
    facts.timestamp = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    facts.version = kVersionText;
    const DesignResults results = calculateDesign(document.inputs(), choice->sideFaces);
    const model::IfcExportResult result =
        model::exportIfc(document.inputs(), results,
                         {choice->sideFaces, choice->anchorage, document.spacingRule()}, facts);
    if (!result.text) {
        messages.showMessage(parent,
                             QStringLiteral("IFC ファイルを書き出しませんでした: ") +
                                 QString::fromStdString(result.problem),
                             QMessageBox::Warning);
        return {};
    }
    QSaveFile file(path);
    const std::string& text = *result.text;
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.commit();
    if (!written) {
        messages.showMessage(parent,
                             QStringLiteral("IFC ファイル %1 を書き出せませんでした: %2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()),
                             QMessageBox::Warning);
        return {};
    }
    QString message =
        QStringLiteral("IFC ファイルを書き出しました: ") + QDir::toNativeSeparators(path);
    if (results.message)
        message += QStringLiteral("\n注意: 計算が止まりました（") +
                   QString::fromStdString(*results.message) +
                   QStringLiteral("）。属性の計算結果はその時点の値です。");
    const QString lines = QString::fromStdString(result.messageLines()).trimmed();
    if (!lines.isEmpty())
        message += QStringLiteral("\n\n") + lines;
    messages.showMessage(parent, message,
                         result.clashes.empty() ? QMessageBox::Information : QMessageBox::Warning);
    return path;
}

} // namespace haltrix::gui
