// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the dialogs and message boxes that need a person, so the
// window tests run unattended.

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

#include "document/file_dialogs.h"
#include "platform/message_sink.h"
#include "document/save_prompt.h"
#include "paper/sheet.h"

namespace haltrix::gui::test {

// Records every message instead of showing a box.
class RecordingSink : public MessageSink {
public:
    struct Message {
        QString text;
        QMessageBox::Icon icon;
    };
    void showMessage(QWidget*, const QString& text, QMessageBox::Icon icon) override {
        messages.append({text, icon});
    }
    QStringList texts() const {
        QStringList all;
        for (const Message& m : messages)
            all.append(m.text);
        return all;
    }
    QList<Message> messages;
};

// Answers the file dialogs from a queue of paths (an empty path is a
// cancel) and records how each dialog was asked for.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Request {
        bool save;
        QString title;
        QString filter;
        QString start;
        QString defaultSuffix;
    };
    QString getOpenFileName(QWidget*, const QString& title, const QString& filter,
                            const QString& start = QString()) override {
        requests.append({false, title, filter, start, QString()});
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
    // The answer as given: a dialog adds the suffix only when it is told to.
    QString getSaveFileName(QWidget*, const QString& title, const QString& filter,
                            const QString& start = QString(),
                            const QString& defaultSuffix = QString()) override {
        requests.append({true, title, filter, start, defaultSuffix});
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
    // Several files at once come from their own queue.
    QStringList getOpenFileNames(QWidget*, const QString& title, const QString& filter) override {
        requests.append({false, title, filter});
        return fileLists.isEmpty() ? QStringList() : fileLists.dequeue();
    }
    QQueue<QString> answers;
    QQueue<QStringList> fileLists;
    QList<Request> requests;
};

// Answers "変更を保存しますか?" from a queue (保存しない once it is empty)
// and records the file name each question named.
class ScriptedSavePrompt : public SavePrompt {
public:
    SaveAnswer askToSave(QWidget*, const QString& fileName) override {
        asked.append(fileName);
        return answers.isEmpty() ? SaveAnswer::Discard : answers.dequeue();
    }
    // The input form's unconfirmed edits: 破棄する once the queue is empty,
    // as the program did before it asked.
    FormEditsAnswer askToApplyFormEdits(QWidget*) override {
        ++formEditsAsked;
        return formEditsAnswers.isEmpty() ? FormEditsAnswer::Discard
                                          : formEditsAnswers.dequeue();
    }
    // The unit switch: 変換しない once the queue is empty.
    UnitSwitchAnswer askToConvertOnSwitch(QWidget*, const QString& unitSystemName) override {
        unitSwitchAsked.append(unitSystemName);
        return unitSwitchAnswers.isEmpty() ? UnitSwitchAnswer::SwitchOnly
                                           : unitSwitchAnswers.dequeue();
    }
    QQueue<SaveAnswer> answers;
    QStringList asked;
    QQueue<FormEditsAnswer> formEditsAnswers;
    int formEditsAsked = 0;
    QQueue<UnitSwitchAnswer> unitSwitchAnswers;
    QStringList unitSwitchAsked;
};

// The cells a grid shows, row by row; a cell without an item as empty.
inline QStringList shownCells(const QTableWidget* table) {
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            cells.append(item ? item->text() : QString());
        }
    return cells;
}

// The cells of a sheet's grid, as shownCells lists them.
inline QStringList sheetCells(const SheetGrid& grid) {
    QStringList cells;
    for (int row = 0; row < grid.rows; ++row)
        for (int column = 0; column < grid.columns; ++column)
            cells.append(QString::fromStdString(grid.cell(row, column).value_or(std::string())));
    return cells;
}

} // namespace haltrix::gui::test
