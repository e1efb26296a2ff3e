// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "platform/system_registry.h"

class QLabel;
class QPushButton;

namespace haltrix::gui {

class MessageSink;

// The program's version, shown as "ﾊﾞｰｼﾞｮﾝ major.minor.revision".
struct ProgramVersion {
    int major;
    int minor;
    int revision;
};
ProgramVersion programVersion();

// Starts a program without a shell and without waiting; false when it could
// not be started.
using ProgramStarter = std::function<bool(const QString& program)>;
bool startDetachedProgram(const QString& program);

// What the About box reads and starts, and where its message goes.
struct AboutBoxServices {
    SystemRegistry* registry = nullptr; // null: this system's registry
    ProgramStarter startProgram;        // empty: startDetachedProgram
    MessageSink* messages = nullptr;    // null: message boxes
};

// The About box "ﾊﾞｰｼﾞｮﾝ情報": title, version, description, and a button
// that starts the system-information program.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    using Services = AboutBoxServices;

    explicit AboutBox(QWidget* owner, Services services = {});
    ~AboutBox() override;

    // Starts the system-information program, or says that none is available.
    void startSystemInformation();

    struct KeyValue {
        bool ok = false;
        QString value; // empty on failure
    };
    KeyValue readRegistryValue(RegistryRoot root, const QString& keyName, const QString& valueName);

private:
    void showVersion();
    void reportUnavailable();

    std::unique_ptr<SystemRegistry> m_ownRegistry;
    SystemRegistry* m_registry;
    ProgramStarter m_startProgram;
    MessageSink* m_messages;
    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
};

// The message every failure to find or start the program ends in.
inline constexpr const char* kSysInfoUnavailableMessage = "現時点ではｼｽﾃﾑ情報を使用できません";

} // namespace haltrix::gui
