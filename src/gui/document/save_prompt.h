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

// Behind an interface so that tests can answer it.
class SavePrompt {
public:
    virtual ~SavePrompt() = default;
    // `fileName` is the design's file name without its folder, or empty when
    // it has none yet.
    virtual SaveAnswer askToSave(QWidget* parent, const QString& fileName) = 0;
};

// A modal message box "変更を保存しますか?" with the buttons 保存, 保存しない
// and キャンセル (Esc); object name "saveChangesBox".
class MessageBoxSavePrompt : public SavePrompt {
public:
    SaveAnswer askToSave(QWidget* parent, const QString& fileName) override;
};

} // namespace haltrix::gui
