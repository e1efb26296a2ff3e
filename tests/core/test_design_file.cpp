// SPDX-License-Identifier: GPL-3.0-or-later
// The design file: exact bytes, reading back, and files that must be refused.

#include <QTemporaryDir>
#include <QTest>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/design_file.h"
#include "worked_examples.h"

using namespace haltrix;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// The worked example's lines as the file holds them.
const char* const kWorkedFile =
    " 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n 2.5 \r\n 1800 \r\n"
    " 10 \r\n 0 \r\n 10 \r\n 25 \r\nD22\r\n 4 \r\nD22\r\n 2 \r\n 1 \r\n";

// Inputs that differ from every value a test file holds, so that any change
// shows.
DesignInputs busyRecord() {
    DesignInputs r = workedSI();
    r.H1 = 9;
    r.layer1Bar = "D35";
    r.unitSystem = 2;
    return r;
}

} // namespace

class TestDesignFile : public QObject {
    Q_OBJECT

private slots:
    void untouchedRecordBytes() {
        DesignInputs r;
        r.unitSystem = 2;
        const std::string expected = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"
                                     " 0 \r\n 0 \r\n 0 \r\n\r\n 0 \r\n\r\n 0 \r\n 2 \r\n";
        QCOMPARE(designFileText(r), expected);
    }

    void workedExampleBytes() {
        QCOMPARE(designFileText(workedGravitational()), std::string(kWorkedFile));
    }

    void negativeNumbersStartWithSign() {
        DesignInputs r = workedGravitational();
        r.H = -0.25;
        r.unitSystem = -1;
        const std::string text = designFileText(r);
        QVERIFY(text.find("\r\n 10 \r\n-0.25 \r\n 10 \r\n") != std::string::npos);
        QVERIFY(text.find("\r\n-1 \r\n") != std::string::npos);
    }

    void readsWorkedExample() {
        DesignInputs r;
        QVERIFY(!readDesignText(kWorkedFile, "worked.tvx", r));
        QCOMPARE(r, workedGravitational());
    }

    // Opening replaces every input and the unit system.
    void readReplacesEveryInput() {
        DesignInputs r = busyRecord();
        QVERIFY(!readDesignText(kWorkedFile, "worked.tvx", r));
        QCOMPARE(r, workedGravitational());
    }

    void blanksAndLineEnds_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("no blanks") << "0.5\r\n0.7\r\n0.25\r\n1.2\r\n0.3\r\n2.5\r\n1800\r\n10\r\n"
                                      "0\r\n10\r\n25\r\nD22\r\n4\r\nD22\r\n2\r\n1\r\n";
        QTest::newRow("LF only") << " 0.5 \n 0.7 \n 0.25 \n 1.2 \n 0.3 \n 2.5 \n 1800 \n 10 \n"
                                    " 0 \n 10 \n 25 \nD22\n 4 \nD22\n 2 \n 1 \n";
        QTest::newRow("many blanks, tabs") << "  0.5\t\r\n0.7   \r\n\t0.25\r\n1.2\r\n0.3\r\n2.5\r\n"
                                              "1800\r\n10\r\n0\r\n10\r\n25\r\nD22\r\n 4\r\nD22"
                                              "\r\n2 \r\n  1  \r\n";
        QTest::newRow("last line without end") << "0.5\n0.7\n0.25\n1.2\n0.3\n2.5\n1800\n10\n0\n"
                                                  "10\n25\nD22\n4\nD22\n2\n1";
        QTest::newRow("lines after 16 ignored") << QString(kWorkedFile) + "extra\r\nmore\r\n";
    }
    void blanksAndLineEnds() {
        QFETCH(QString, text);
        DesignInputs r;
        QVERIFY(!readDesignText(text.toStdString(), "x.tvx", r));
        QCOMPARE(r, workedGravitational());
    }

    void designationsAreVerbatim() {
        std::string text = kWorkedFile;
        text.replace(text.find("D22"), 3, " d22 ");
        DesignInputs r;
        QVERIFY(!readDesignText(text, "x.tvx", r));
        QCOMPARE(r.layer1Bar, std::string(" d22 "));
    }

    void unitFlagAsRead() {
        std::string text = kWorkedFile;
        text.replace(text.size() - 5, 5, " 3 \r\n");
        DesignInputs r;
        QVERIFY(!readDesignText(text, "x.tvx", r));
        QCOMPARE(r.unitSystem, 3);
    }

    void roundTrip_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("third") << 1.0 / 3.0;
        QTest::newRow("negative") << -123.456789012345678;
        QTest::newRow("huge") << 1.2345678901234567e300;
        QTest::newRow("tiny") << 9.87654321e-200;
        QTest::newRow("integer") << 1800.0;
        QTest::newRow("noise") << 0.1 + 0.2;
    }
    void roundTrip() {
        QFETCH(double, value);
        QTemporaryDir dir;
        const std::string path = dir.filePath("round.tvx").toStdString();
        DesignInputs r = workedGravitational();
        r.H1 = r.P = r.layer2Count = value;
        QVERIFY(!writeDesignFile(path, r));
        DesignInputs back;
        QVERIFY(!readDesignFile(path, back));
        for (double read : {back.H1, back.P, back.layer2Count}) {
            QCOMPARE(QString::number(read, 'g', 15), QString::number(value, 'g', 15));
        }
        QCOMPARE(back.layer1Bar, r.layer1Bar);
        QCOMPARE(back.unitSystem, r.unitSystem);
        QCOMPARE(readAll(path), designFileText(r));
    }

    // The longest line read, with either line end, is read again once saved.
    void longestLineSurvivesSaving_data() {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
    }
    void longestLineSurvivesSaving() {
        QFETCH(QByteArray, lineEnd);
        const std::string longest(kMaxDesignLineLength, 'D');
        std::string text = QByteArray(kWorkedFile)
                               .replace("D22", QByteArray::fromStdString(longest))
                               .replace("\r\n", lineEnd)
                               .toStdString();
        DesignInputs r;
        QVERIFY(!readDesignText(text, "x.tvx", r));
        QCOMPARE(r.layer1Bar, longest);
        DesignInputs back;
        QVERIFY(!readDesignText(designFileText(r), "x.tvx", back));
        QCOMPARE(back, r);
    }

    void badFilesLeaveRecordUntouched_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        const QByteArray good(kWorkedFile);
        QTest::newRow("empty file") << QByteArray() << 1;
        QTest::newRow("ends before line 16") << good.left(good.indexOf("D22\r\n 2 ")) << 14;
        QTest::newRow("line 16 missing") << good.left(good.lastIndexOf(" 1 \r\n")) << 16;
        QTest::newRow("letters on line 3") << QByteArray(good).replace(" 0.25 ", "abc") << 3;
        QTest::newRow("empty number line") << QByteArray(good).replace(" 1800 \r\n", "\r\n") << 7;
        QTest::newRow("comma decimal") << QByteArray(good).replace(" 0.25 ", "0,25") << 3;
        QTest::newRow("nan") << QByteArray(good).replace(" 1.2 ", "nan") << 4;
        QTest::newRow("inf") << QByteArray(good).replace(" 1.2 ", "inf") << 4;
        QTest::newRow("out of range") << QByteArray(good).replace(" 1.2 ", "1e999") << 4;
        QTest::newRow("bad count") << QByteArray(good).replace(" 4 \r\n", " four \r\n") << 13;
        QTest::newRow("fractional flag")
            << QByteArray(good).replace("\r\n 1 \r\n", "\r\n 1.5 \r\n") << 16;
        QTest::newRow("flag out of range")
            << QByteArray(good).replace("\r\n 1 \r\n", "\r\n 3000000000 \r\n") << 16;
        QTest::newRow("NUL in number")
            << QByteArray(good).replace(" 0.7 ", QByteArray("0\0.7", 4)) << 2;
        QTest::newRow("over-long line")
            << QByteArray(good).replace("D22", QByteArray(5000, 'D')) << 12;
        QTest::newRow("one past the longest line")
            << QByteArray(good).replace("D22", QByteArray(kMaxDesignLineLength + 1, 'D')) << 12;
        QTest::newRow("binary") << QByteArray(100000, '\xff') << 1;
    }
    void badFilesLeaveRecordUntouched() {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QTemporaryDir dir;
        const std::string path = dir.filePath("bad.tvx").toStdString();
        writeAll(path, content.toStdString());
        DesignInputs r = busyRecord();
        const DesignInputs before = r;
        const auto error = readDesignFile(path, r);
        QVERIFY(error.has_value());
        QCOMPARE(r, before);
        QCOMPARE(error->file, path);
        QCOMPARE(error->line, line);
        const std::string message = error->message();
        QVERIFY(message.find(path) != std::string::npos);
        QVERIFY(message.find(std::to_string(line) + " 行目") != std::string::npos);
    }

    void missingFileAndFolder() {
        QTemporaryDir dir;
        DesignInputs r = busyRecord();
        const DesignInputs before = r;
        const std::string missing = dir.filePath("none.tvx").toStdString();
        auto error = readDesignFile(missing, r);
        QVERIFY(error);
        QCOMPARE(error->line, 0);
        QVERIFY(error->message().find(missing) != std::string::npos);
        error = readDesignFile(dir.path().toStdString(), r);
        QVERIFY(error);
        QCOMPARE(r, before);
    }

    // What the program refuses before it opens anything: only something that
    // is not a regular file. Each case says which kind it found.
    void irregularFilesAreRefusedUnopened_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("word");
        QTest::newRow("regular file") << "file" << false << "";
        QTest::newRow("missing") << "missing" << false << "";
        QTest::newRow("folder") << "folder" << true << "フォルダー";
#ifndef _WIN32
        // Links, pipes, devices and sockets as POSIX systems have them.
        QTest::newRow("link to a regular file") << "link" << false << "";
        QTest::newRow("named pipe") << "fifo" << true << "名前付きパイプ";
        QTest::newRow("link to a named pipe") << "fifo link" << true << "名前付きパイプ";
        QTest::newRow("character device") << "device" << true << "デバイス";
        QTest::newRow("socket") << "socket" << true << "通常のファイルではない";
#endif
    }

    void irregularFilesAreRefusedUnopened() {
        QFETCH(QString, kind);
        QFETCH(bool, refused);
        QFETCH(QString, word);
        QTemporaryDir dir;
        std::string path = dir.filePath("x.tvx").toStdString();
        [[maybe_unused]] const std::string fifo = dir.filePath("pipe").toStdString();
        if (kind == "file" || kind == "link") {
            writeAll(path, kWorkedFile);
            if (kind == "link") {
                const std::string link = dir.filePath("link.tvx").toStdString();
                std::filesystem::create_symlink(path, link);
                path = link;
            }
        } else if (kind == "folder") {
            std::filesystem::create_directory(path);
        }
#ifndef _WIN32
        else if (kind == "fifo" || kind == "fifo link") {
            QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
            path = fifo;
            if (kind == "fifo link") {
                path = dir.filePath("pipe.tvx").toStdString();
                std::filesystem::create_symlink(fifo, path);
            }
        } else if (kind == "device") {
            path = "/dev/null";
        } else if (kind == "socket") {
            // Socket paths are limited to about 100 bytes; a temporary folder is short.
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QVERIFY(fd >= 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const std::string absolute = dir.filePath("s").toStdString();
            QVERIFY(absolute.size() < sizeof(address.sun_path));
            absolute.copy(address.sun_path, absolute.size());
            QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
            ::close(fd);
            path = absolute;
        }
#endif
        const auto error = refuseIrregularFile(path);
        QCOMPARE(error.has_value(), refused);
        if (!refused)
            return;
        QCOMPARE(error->file, path);
        QCOMPARE(error->line, 0);
        const std::string message = error->message();
        QVERIFY(message.find(path) != std::string::npos);
        QVERIFY2(message.find(word.toStdString()) != std::string::npos, message.c_str());
    }

    void failedWriteKeepsOldFile() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("keep.tvx").toStdString();
        QVERIFY(!writeDesignFile(path, workedGravitational()));
        const std::string old = readAll(path);
        // A folder of the same name as the temporary file's target cannot be
        // replaced by a file: the write fails and the old file stays.
        const std::string blocked = dir.filePath("blocked").toStdString();
        std::filesystem::create_directory(blocked);
        std::filesystem::create_directory(blocked + "/inner");
        auto error = writeDesignFile(blocked, workedSI());
        QVERIFY(error);
        QVERIFY(error->message().find(blocked) != std::string::npos);
        // A folder that does not exist: nothing can be created there.
        error = writeDesignFile(dir.filePath("no/such/folder.tvx").toStdString(), workedSI());
        QVERIFY(error);
        QCOMPARE(readAll(path), old);
        // No temporary files are left behind.
        int entries = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(dir.path().toStdString()))
            ++entries;
        QCOMPARE(entries, 2);
    }

    void overwriteReplacesContent() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("over.tvx").toStdString();
        writeAll(path, std::string(10000, 'x'));
        QVERIFY(!writeDesignFile(path, workedGravitational()));
        QCOMPARE(readAll(path), std::string(kWorkedFile));
    }

    void writesThroughLinkAndKeepsPermissions() {
#ifdef _WIN32
        QSKIP("file-system links and POSIX permissions");
#endif
        QTemporaryDir dir;
        const std::string real = dir.filePath("real.tvx").toStdString();
        const std::string link = dir.filePath("link.tvx").toStdString();
        writeAll(real, "old");
        std::filesystem::permissions(real, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_write |
                                               std::filesystem::perms::group_read);
        std::filesystem::create_symlink(real, link);
        QVERIFY(!writeDesignFile(link, workedGravitational()));
        QVERIFY(std::filesystem::is_symlink(link));
        QCOMPARE(readAll(real), std::string(kWorkedFile));
        QCOMPARE(std::filesystem::status(real).permissions(),
                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                     std::filesystem::perms::group_read);
    }

    void nameWithoutExtensionUsedAsGiven() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("plain").toStdString();
        QVERIFY(!writeDesignFile(path, workedGravitational()));
        QVERIFY(std::filesystem::exists(path));
        QVERIFY(!std::filesystem::exists(path + ".tvx"));
    }
};

QTEST_APPLESS_MAIN(TestDesignFile)
#include "test_design_file.moc"
