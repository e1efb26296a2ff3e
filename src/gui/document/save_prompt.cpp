// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/save_prompt.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/message_notifier.h"

namespace haltrix::gui {

namespace {

// A question with three answers: the first the default, the last キャンセル
// (Esc). Returns 0, 1 or 2.
int askThreeWays(QWidget* parent, const char* name, const QString& question,
                 const QString& details, const QString& first, const QString& second) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle), question,
                    QMessageBox::NoButton, parent);
    box.setObjectName(QLatin1String(name));
    box.setInformativeText(details);
    QPushButton* one = box.addButton(first, QMessageBox::AcceptRole);
    QPushButton* two = box.addButton(second, QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    one->setObjectName("cmdSave");
    two->setObjectName("cmdDiscard");
    cancel->setObjectName("cmdCancel");
    box.setDefaultButton(one);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == one)
        return 0;
    if (box.clickedButton() == two)
        return 1;
    return 2;
}

} // namespace

SaveAnswer MessageBoxSavePrompt::askToSave(QWidget* parent, const QString& fileName) {
    const SaveAnswer answers[] = {SaveAnswer::Save, SaveAnswer::Discard, SaveAnswer::Cancel};
    return answers[askThreeWays(
        parent, "saveChangesBox", QStringLiteral("変更を保存しますか?"),
        fileName.isEmpty() ? QStringLiteral("この設計はまだ保存されていません。") : fileName,
        QStringLiteral("保存"), QStringLiteral("保存しない"))];
}

FormEditsAnswer MessageBoxSavePrompt::askToApplyFormEdits(QWidget* parent) {
    const FormEditsAnswer answers[] = {FormEditsAnswer::Apply, FormEditsAnswer::Discard,
                                       FormEditsAnswer::Cancel};
    return answers[askThreeWays(
        parent, "formEditsBox",
        QStringLiteral("入力フォームに OK を押していない変更があります。反映しますか?"),
        QStringLiteral("反映すると、OK を押したときと同じように設計に入ります。破棄すると失われます。"),
        QStringLiteral("反映する"), QStringLiteral("破棄する"))];
}

UnitSwitchAnswer MessageBoxSavePrompt::askToConvertOnSwitch(QWidget* parent,
                                                            const QString& unitSystemName) {
    const UnitSwitchAnswer answers[] = {UnitSwitchAnswer::Convert, UnitSwitchAnswer::SwitchOnly,
                                        UnitSwitchAnswer::Cancel};
    return answers[askThreeWays(
        parent, "unitSwitchBox",
        unitSystemName + QStringLiteral("に切り替えます。設計の数値を換算しますか?"),
        QStringLiteral("「変換する」は単位系の変換と同じく数値を換算します。"
                       "「変換しない」は数値をそのままにして") +
            unitSystemName + QStringLiteral("の値として読みます（P = 294 は 294 のまま単位だけが変わります）。"),
        QStringLiteral("変換する"), QStringLiteral("変換しない"))];
}

} // namespace haltrix::gui
