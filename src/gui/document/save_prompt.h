// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace haltrix::gui {

// The question asked before a modified design would be thrown away (終了,
// closing the window, 開く, a dropped file, a recent design, 新規作成).
enum class SaveAnswer {
    Save,    // 保存: save first, then go on
    Discard, // 保存しない: go on without saving
    Cancel,  // キャンセル: do nothing
};

// The question asked when the input form holds edits not confirmed with OK
// and the design would be replaced or the program end.
enum class FormEditsAnswer {
    Apply,   // 反映する: store them as OK does, then go on (to the save question)
    Discard, // 破棄する: go on without them
    Cancel,  // キャンセル: do nothing
};

// The question asked when the unit system is switched while the design holds
// numbers.
enum class UnitSwitchAnswer {
    Convert,    // 変換する: convert the design as 単位系の変換 does
    SwitchOnly, // 変換しない: the same numbers, now in the other units
    Cancel,     // キャンセル: keep the unit system
};

// The questions asked before something would be lost; behind an interface
// so that tests can answer them.
class SavePrompt {
public:
    virtual ~SavePrompt() = default;
    // `fileName` is the design's file name without its folder, or empty when
    // it has none yet.
    virtual SaveAnswer askToSave(QWidget* parent, const QString& fileName) = 0;
    virtual FormEditsAnswer askToApplyFormEdits(QWidget* parent) = 0;
    // `unitSystemName` names the unit system chosen ("重力単位").
    virtual UnitSwitchAnswer askToConvertOnSwitch(QWidget* parent,
                                                  const QString& unitSystemName) = 0;
};

// Modal message boxes: "変更を保存しますか?" with the buttons 保存, 保存しない
// and キャンセル (Esc), object name "saveChangesBox"; the form's edits with
// 反映する, 破棄する and キャンセル, "formEditsBox"; the unit switch with
// 変換する, 変換しない and キャンセル, "unitSwitchBox".
class MessageBoxSavePrompt : public SavePrompt {
public:
    SaveAnswer askToSave(QWidget* parent, const QString& fileName) override;
    FormEditsAnswer askToApplyFormEdits(QWidget* parent) override;
    UnitSwitchAnswer askToConvertOnSwitch(QWidget* parent, const QString& unitSystemName) override;
};

} // namespace haltrix::gui
