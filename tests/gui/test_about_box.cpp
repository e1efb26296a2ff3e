// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: its texts, how it closes, and the search for the
// system-information program in the registry.

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "help/about_box.h"
#include "gui_test_support.h"
#include "platform/system_registry.h"

using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;

namespace {

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void textsAndControls();
    void enterAndEscapeClose_data();
    void enterAndEscapeClose();

    void firstEntryGivesThePath();
    void secondEntryNeedsTheProgramInItsFolder();
    void secondEntryWithoutProgramShowsMessage();
    void noEntryShowsMessage();
    void failedStartShowsMessage();
    void realStartOfMissingProgramShowsMessage();
    void readRegistryValueCutsAtNul();
    void readRegistryValueRejectsOverlongValue();
    void iniFileKeepsRegistryLayout();

private:
    std::unique_ptr<AboutBox> makeBox();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<IniRegistry> m_registry;
    RecordingSink m_sink;
    QStringList m_started;
    bool m_startSucceeds = true;
};

void AboutBoxTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_registry = std::make_unique<IniRegistry>(m_dir->filePath("registry.ini"));
    m_sink.messages.clear();
    m_started.clear();
    m_startSucceeds = true;
}

std::unique_ptr<AboutBox> AboutBoxTest::makeBox() {
    AboutBox::Services services;
    services.registry = m_registry.get();
    services.messages = &m_sink;
    services.startProgram = [this](const QString& program) {
        m_started.append(program);
        return m_startSucceeds;
    };
    auto box = std::make_unique<AboutBox>(nullptr, services);
    box->show();
    return box;
}

void AboutBoxTest::textsAndControls() {
    auto box = makeBox();
    QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY(box->isModal());
    QCOMPARE(box->minimumSize(), box->maximumSize());
    QVERIFY(!(box->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(box->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(box->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Haltrix"));
    QCOMPARE(box->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.0"));
    QCOMPARE(box->findChild<QLabel*>("lblDescription")->text(),
             QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明\nrideza公団の式によりHaltrixを行うプログラム"));
    auto* icon = box->findChild<QLabel*>("picIcon");
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(box->findChild<QFrame*>("Line1"));
    auto* ok = box->findChild<QPushButton*>("cmdOK");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(box->findChild<QPushButton*>("cmdSysInfo")->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    const ProgramVersion v = programVersion();
    QCOMPARE(QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision),
             QStringLiteral("1.0.0"));
}

void AboutBoxTest::enterAndEscapeClose_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void AboutBoxTest::enterAndEscapeClose() {
    QFETCH(int, key);
    auto box = makeBox();
    QVERIFY(QTest::qWaitForWindowActive(box.get()));
    QTest::keyClick(box.get(), Qt::Key(key));
    QVERIFY(!box->isVisible());
    QVERIFY(m_started.isEmpty());
}

void AboutBoxTest::firstEntryGivesThePath() {
    m_registry->writeValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH", "/opt/tools/msinfo32");
    // The first entry wins even when the second would work too.
    QVERIFY(QDir(m_dir->path()).mkdir("other"));
    QFile program(m_dir->filePath("other/MSINFO32.EXE"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    m_registry->writeValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO",
                           m_dir->filePath("other"));
    auto box = makeBox();
    QTest::mouseClick(box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(m_started, QStringList{"/opt/tools/msinfo32"});
    QVERIFY(m_sink.messages.isEmpty());
    QVERIFY(box->isVisible());
}

void AboutBoxTest::secondEntryNeedsTheProgramInItsFolder() {
    QVERIFY(QDir(m_dir->path()).mkdir("msinfo"));
    const QString folder = m_dir->filePath("msinfo");
    QFile program(folder + "/MSINFO32.EXE");
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.close();
    m_registry->writeValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO", folder);
    auto box = makeBox();
    box->startSystemInformation();
    QCOMPARE(m_started, QStringList{folder + QDir::separator() + "MSINFO32.EXE"});
    QVERIFY(m_sink.messages.isEmpty());
}

void AboutBoxTest::secondEntryWithoutProgramShowsMessage() {
    QVERIFY(QDir(m_dir->path()).mkdir("empty"));
    m_registry->writeValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO",
                           m_dir->filePath("empty"));
    auto box = makeBox();
    QTest::mouseClick(box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QVERIFY(m_started.isEmpty());
    QCOMPARE(m_sink.texts(), QStringList{"現時点ではｼｽﾃﾑ情報を使用できません"});
    QCOMPARE(m_sink.messages[0].icon, QMessageBox::NoIcon);
    QVERIFY(box->isVisible());
}

void AboutBoxTest::noEntryShowsMessage() {
    auto box = makeBox();
    QTest::mouseClick(box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QVERIFY(m_started.isEmpty());
    QCOMPARE(m_sink.texts(), QStringList{"現時点ではｼｽﾃﾑ情報を使用できません"});
    QVERIFY(box->isVisible());
    // A value under another name does not count.
    m_registry->writeValue(RegistryRoot::LocalMachine, kMsinfoKey, "OTHER", "/bin/true");
    box->startSystemInformation();
    QVERIFY(m_started.isEmpty());
    QCOMPARE(m_sink.messages.size(), 2);
}

void AboutBoxTest::failedStartShowsMessage() {
    m_registry->writeValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH", "/opt/tools/msinfo32");
    m_startSucceeds = false;
    auto box = makeBox();
    box->startSystemInformation();
    QCOMPARE(m_started.size(), 1);
    QCOMPARE(m_sink.texts(), QStringList{"現時点ではｼｽﾃﾑ情報を使用できません"});
    QVERIFY(box->isVisible());
}

void AboutBoxTest::realStartOfMissingProgramShowsMessage() {
    m_registry->writeValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH",
                           m_dir->filePath("no-such-program"));
    AboutBox::Services services;
    services.registry = m_registry.get();
    services.messages = &m_sink;
    AboutBox box(nullptr, services);
    box.startSystemInformation();
    QCOMPARE(m_sink.texts(), QStringList{"現時点ではｼｽﾃﾑ情報を使用できません"});
    QVERIFY(!startDetachedProgram(QString()));
}

void AboutBoxTest::readRegistryValueCutsAtNul() {
    m_registry->writeValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH",
                           QStringLiteral("C:\\tools\\msinfo32.exe") + QChar(u'\0') + "junk");
    auto box = makeBox();
    const AboutBox::KeyValue value =
        box->readRegistryValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH");
    QVERIFY(value.ok);
    QCOMPARE(value.value, QStringLiteral("C:\\tools\\msinfo32.exe"));
    const AboutBox::KeyValue missing =
        box->readRegistryValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO");
    QVERIFY(!missing.ok);
    QVERIFY(missing.value.isEmpty());
}

void AboutBoxTest::readRegistryValueRejectsOverlongValue() {
    m_registry->writeValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH", QString(1023, 'x'));
    m_registry->writeValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO", QString(1024, 'x'));
    auto box = makeBox();
    QVERIFY(box->readRegistryValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH").ok);
    const AboutBox::KeyValue tooLong =
        box->readRegistryValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO");
    QVERIFY(!tooLong.ok);
    QVERIFY(tooLong.value.isEmpty());
}

void AboutBoxTest::iniFileKeepsRegistryLayout() {
    // A file written by hand, in the registry's own layout.
    const QString path = m_dir->filePath("hand.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[HKEY_LOCAL_MACHINE]\n"
               "SOFTWARE\\Microsoft\\Shared%20Tools\\MSINFO\\PATH=/usr/bin/msinfo\n");
    file.close();
    IniRegistry registry(path);
    const RegistryValue value = registry.readValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH");
    QVERIFY(value.found);
    QCOMPARE(value.text, QStringLiteral("/usr/bin/msinfo"));
    QVERIFY(!registry.readValue(RegistryRoot::LocalMachine, kLocationKey, "MSINFO").found);
    QCOMPARE(registryRootName(RegistryRoot::LocalMachine), QStringLiteral("HKEY_LOCAL_MACHINE"));
}

QTEST_MAIN(AboutBoxTest)
#include "test_about_box.moc"
