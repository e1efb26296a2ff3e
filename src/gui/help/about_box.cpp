// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/about_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include "fonts.h"
#include "haltrix_version.h"
#include "platform/message_notifier.h"
#include "platform/message_sink.h"
#include "platform/resources.h"
#include "platform/twips.h"

namespace haltrix::gui {

namespace {

// Registry values are read into a buffer of this many characters, the
// terminating NUL included; a longer value cannot be read.
constexpr qsizetype kValueBufferCharacters = 1024;

} // namespace

ProgramVersion programVersion() {
    return {kVersionMajor, kVersionMinor, kVersionPatch};
}

bool startDetachedProgram(const QString& program) {
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, QStringList());
}

AboutBox::AboutBox(QWidget* owner, Services services)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_registry(services.registry), m_startProgram(std::move(services.startProgram)),
      m_messages(services.messages ? services.messages : &defaultMessageSink()) {
    if (!m_registry) {
        m_ownRegistry = makeSystemRegistry();
        m_registry = m_ownRegistry.get();
    }
    if (!m_startProgram)
        m_startProgram = startDetachedProgram;

    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);
    setFont(proportionalGothicFont(9));
    const double dpi = logicalDpiOf(owner);
    auto place = [dpi](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(twipsRect(left, top, width, height, dpi));
    };
    setFixedSize(twipsRect(0, 0, 5730, 3600, dpi).size());

    auto* icon = new QLabel(this);
    icon->setObjectName("picIcon");
    place(icon, 240, 240, 540, 540);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(programIcon().pixmap(icon->size()));

    m_title = new QLabel(this);
    m_title->setObjectName("lblTitle");
    m_title->setFont(proportionalGothicFont(14));
    place(m_title, 1050, 240, 3885, 480);

    m_version = new QLabel(this);
    m_version->setObjectName("lblVersion");
    place(m_version, 1050, 780, 3885, 225);

    auto* description = new QLabel(
        QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明\nrideza公団の式によりHaltrixを行うプログラム"), this);
    description->setObjectName("lblDescription");
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(description, 1050, 1125, 4455, 1170);

    auto* line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    place(line, 225, 2400, 5280, 60);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    place(ok, 4245, 2625, 1260, 345);

    auto* sysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    sysInfo->setObjectName("cmdSysInfo");
    sysInfo->setAutoDefault(false);
    place(sysInfo, 4245, 3075, 1260, 345);

    // OK is the default button (Enter); Esc rejects the dialog, which closes
    // it the same way.
    connect(ok, &QPushButton::clicked, this, &AboutBox::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::startSystemInformation);
    ok->setFocus();

    showVersion();
}

AboutBox::~AboutBox() = default;

void AboutBox::showVersion() {
    const ProgramVersion v = programVersion();
    m_version->setText(
        QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
    m_title->setText(QString::fromUtf8(kApplicationTitle));
}

void AboutBox::startSystemInformation() {
    QString program;
    const KeyValue direct = readRegistryValue(
        RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
        QStringLiteral("PATH"));
    if (direct.ok) {
        program = direct.value;
    } else {
        const KeyValue folder = readRegistryValue(
            RegistryRoot::LocalMachine,
            QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"));
        if (!folder.ok) {
            reportUnavailable();
            return;
        }
        const QString joined = folder.value + QDir::separator() + QStringLiteral("MSINFO32.EXE");
        if (!QFileInfo(joined).isFile()) {
            reportUnavailable();
            return;
        }
        program = joined;
    }
    if (!m_startProgram(program))
        reportUnavailable();
}

AboutBox::KeyValue AboutBox::readRegistryValue(RegistryRoot root, const QString& keyName,
                                               const QString& valueName) {
    const RegistryValue read = m_registry->readValue(root, keyName, valueName);
    if (!read.found || read.text.size() >= kValueBufferCharacters)
        return {};
    QString text = read.text;
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return {true, text};
}

void AboutBox::reportUnavailable() {
    m_messages->showMessage(this, QString::fromUtf8(kSysInfoUnavailableMessage),
                            QMessageBox::NoIcon);
}

} // namespace haltrix::gui
