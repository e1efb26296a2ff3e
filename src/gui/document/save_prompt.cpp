// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/save_prompt.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/message_notifier.h"

namespace haltrix::gui {

SaveAnswer MessageBoxSavePrompt::askToSave(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle),
                    QStringLiteral("変更を保存しますか?"), QMessageBox::NoButton, parent);
    box.setObjectName("saveChangesBox");
    box.setInformativeText(fileName.isEmpty() ? QStringLiteral("この設計はまだ保存されていません。")
                                              : fileName);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    save->setObjectName("cmdSave");
    discard->setObjectName("cmdDiscard");
    cancel->setObjectName("cmdCancel");
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

} // namespace haltrix::gui
