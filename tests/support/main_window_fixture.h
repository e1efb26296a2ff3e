// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window as the window tests start it: its dialogs, messages and
// save question scripted (gui_test_support.h), its settings in a temporary
// folder of its own. A test class derives from it.

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "document/design_document.h"
#include "forms/input_form.h"
#include "gui_test_support.h"
#include "main/main_window.h"
#include "platform/window_names.h"

namespace haltrix::gui::test {

class MainWindowFixture {
protected:
    // A fresh temporary folder and no message, answer or question left:
    // from a test's init().
    void resetFixture() {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_sink.messages.clear();
        m_dialogs.answers.clear();
        m_dialogs.requests.clear();
        m_savePrompt.answers.clear();
        m_savePrompt.asked.clear();
        m_savePrompt.formEditsAnswers.clear();
        m_savePrompt.formEditsAsked = 0;
        m_savePrompt.unitSwitchAnswers.clear();
        m_savePrompt.unitSwitchAsked.clear();
    }

    // A shown main window; what `services` leaves unset is scripted.
    MainWindow* makeWindow(MainWindow::Services services = {}) {
        if (!services.fileDialogs)
            services.fileDialogs = &m_dialogs;
        if (!services.messages)
            services.messages = &m_sink;
        if (!services.savePrompt)
            services.savePrompt = &m_savePrompt;
        if (services.settingsFile.isEmpty())
            services.settingsFile = m_dir->filePath(QStringLiteral("settings.ini"));
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
        return m_window.get();
    }

    DesignDocument& document() { return m_window->document(); }

    QAction* action(const char* name) {
        auto* found = m_window->findChild<QAction*>(QLatin1String(name));
        if (!found)
            qFatal("no action %s", name);
        return found;
    }
    void trigger(const char* name) { action(name)->trigger(); }

    // The input form of the design's unit system, opened from the menu
    // unless it is already shown; null if the menu opened none.
    InputForm* inputForm() {
        const QString name = inputFormName(unitSystemOf(document().inputs().unitSystem));
        auto* form = qobject_cast<InputForm*>(m_window->childWindow(name));
        if (!form || !form->isVisible()) {
            trigger("mnudatain");
            form = qobject_cast<InputForm*>(m_window->childWindow(name));
        }
        return form;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingSink m_sink;
    ScriptedFileDialogs m_dialogs;
    ScriptedSavePrompt m_savePrompt;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace haltrix::gui::test
