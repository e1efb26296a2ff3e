// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace haltrix::gui {

class DesignDocument;
class FileDialogs;
class MessageSink;

// ﾌｧｲﾙ → Excel出力: the workbook (計算書, 数量, 鉄筋表, 設計調書) of the design in
// the window, with the side-face bars at their defaults, written where the
// user chooses. `project` and `designer` are the title block's (工事名 in the
// page header, 設計者 the author). A failure is said in a message; nothing is
// left half-written. Returns whether the workbook was written.
bool exportWorkbook(QWidget* parent, const DesignDocument& document, FileDialogs& dialogs,
                    MessageSink& messages, const QString& project, const QString& designer);

} // namespace haltrix::gui
