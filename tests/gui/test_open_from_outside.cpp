// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a design by its path, as the command line `haltrix FILE.tvx` does:
// a good file, files that cannot be read, and paths that are not files at
// all (which must never block the window).

#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <memory>
#include <thread>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "document/design_document.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "main/main_window.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::gui::test::ScriptedFileDialogs;

namespace {

QByteArray exampleBytes() {
    QFile file(QStringLiteral(HALTRIX_EXAMPLES_DIR "/bracket-gravitational.tvx"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the example");
    return file.readAll();
}

#ifndef _WIN32
// Opens the writing end of a named pipe after a while, so that a reader that
// wrongly blocks on it is released and the test fails instead of hanging.
class PipeWatchdog {
public:
    explicit PipeWatchdog(const QByteArray& path) : m_path(path) {
        m_thread = std::thread([this] {
            for (int i = 0; i < 50 && !m_done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (m_done)
                return;
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~PipeWatchdog() {
        m_done = true;
        m_thread.join();
    }

private:
    QByteArray m_path;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};
#endif

} // namespace

class OpenFromOutsideTest : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void goodFileOpensAsOpenWould();
    void badFileLeavesRecordAndName_data();
    void badFileLeavesRecordAndName();
    void namedPipeIsRefusedWithoutBlocking();

private:
    // A design opened earlier, so that a failed open has something to keep.
    void holdEarlierDesign();

};

void OpenFromOutsideTest::init() {
    resetFixture();
}

void OpenFromOutsideTest::cleanup() {
    m_window.reset();
}


void OpenFromOutsideTest::holdEarlierDesign() {
    DesignInputs earlier = m_window->document().inputs();
    earlier.H1 = 0.9;
    earlier.layer1Bar = "D13";
    m_window->document().load(earlier, m_dir->filePath("earlier.tvx"));
}

void OpenFromOutsideTest::goodFileOpensAsOpenWould() {
    MainWindow* w = makeWindow();
    const QString path = m_dir->filePath("bracket.tvx");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(exampleBytes());
    file.close();

    QVERIFY(w->openDesignFile(path));
    QVERIFY(m_sink.messages.isEmpty());
    QVERIFY(m_dialogs.requests.isEmpty());
    QCOMPARE(m_window->document().fileName(), path);
    // The example's values: gravitational, H2 0.7, a 0.3, D22 × 4 + D22 × 2.
    QCOMPARE(m_window->document().inputs().unitSystem, 1);
    QCOMPARE(m_window->document().inputs().H2, 0.7);
    QCOMPARE(m_window->document().inputs().layer1Count, 4.0);
    QCOMPARE(m_window->document().inputs().layer2Bar, std::string("D22"));
    // 0.3 / 0.7 is at most 0.5: formula case 1.
    QCOMPARE(m_window->document().results().ratioCase, 1);
    QVERIFY(w->findChild<QAction*>("mnuToolsOptions_jyu")->isChecked());
    QVERIFY(w->childWindow("frm_datain"));
}

void OpenFromOutsideTest::badFileLeavesRecordAndName_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("fifteen lines") << "short";
    QTest::newRow("folder") << "folder";
    QTest::newRow("character device") << "device";
}

void OpenFromOutsideTest::badFileLeavesRecordAndName() {
    QFETCH(QString, kind);
    MainWindow* w = makeWindow();
    holdEarlierDesign();
    const DesignInputs before = m_window->document().inputs();
    QString path = m_dir->filePath("bad.tvx");
    if (kind == "short") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray bytes = exampleBytes();
        bytes.chop(bytes.size() - bytes.lastIndexOf("\r\n", bytes.size() - 3) - 2);
        QCOMPARE(bytes.count('\n'), 15);
        file.write(bytes);
    } else if (kind == "folder") {
        QVERIFY(QDir(m_dir->path()).mkdir("bad.tvx"));
    } else if (kind == "device") {
        path = QStringLiteral("/dev/zero"); // reading it would never end
    }

    QVERIFY(!w->openDesignFile(path));
    QCOMPARE(m_sink.messages.size(), 1);
    QVERIFY2(m_sink.messages[0].text.contains(QDir::toNativeSeparators(path)), qPrintable(m_sink.messages[0].text));
    QCOMPARE(m_sink.messages[0].icon, QMessageBox::Warning);
    QVERIFY(m_window->document().inputs() == before);
    QCOMPARE(m_window->document().fileName(), m_dir->filePath("earlier.tvx"));
    QVERIFY(w->mdiArea()->subWindowList().isEmpty());
}

void OpenFromOutsideTest::namedPipeIsRefusedWithoutBlocking() {
#ifdef _WIN32
    QSKIP("Windows has no named pipes in the file system");
#else
    MainWindow* w = makeWindow();
    holdEarlierDesign();
    const DesignInputs before = m_window->document().inputs();
    const QString path = m_dir->filePath("pipe.tvx");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    {
        PipeWatchdog watchdog(QFile::encodeName(path));
        QVERIFY(!w->openDesignFile(path));
    }
    // Refused at once, not released by the watchdog after five seconds.
    QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_sink.messages.size(), 1);
    QVERIFY(m_sink.messages[0].text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(m_sink.messages[0].text.contains(QStringLiteral("名前付きパイプ")));
    QVERIFY(m_window->document().inputs() == before);
    QCOMPARE(m_window->document().fileName(), m_dir->filePath("earlier.tvx"));
#endif
}

QTEST_MAIN(OpenFromOutsideTest)
#include "test_open_from_outside.moc"
