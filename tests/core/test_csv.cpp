// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV writer's quoting and the reader: what it accepts, where it stops
// and why, and that an endless line costs it no more than its limits.

#include <QTest>

#include <sstream>
#include <streambuf>

#include "files/csv.h"

using namespace haltrix;

Q_DECLARE_METATYPE(QList<QStringList>)

namespace {

struct Read {
    QList<QStringList> records;
    bool failed = false;
    CsvError error;
};

Read readAll(const QByteArray& bytes, CsvLimits limits = {}) {
    std::istringstream in{bytes.toStdString()};
    CsvReader reader(in, limits);
    Read read;
    std::vector<std::string> fields;
    CsvReader::Status status;
    while ((status = reader.next(fields)) == CsvReader::Status::Record) {
        QStringList record;
        for (const std::string& field : fields)
            record << QString::fromStdString(field);
        read.records << record;
    }
    read.failed = status == CsvReader::Status::Error;
    read.error = reader.error();
    return read;
}

// `size` bytes of `fill` after a `lead`, made as they are read and never
// held whole; counts what was taken.
class EndlessText : public std::streambuf {
public:
    EndlessText(std::string lead, char fill, std::size_t size)
        : m_lead(std::move(lead)), m_fill(fill), m_left(size) {}
    std::size_t delivered() const { return m_delivered; }

protected:
    int_type underflow() override {
        std::size_t n = 0;
        for (; n < m_lead.size() && n < sizeof m_chunk; ++n)
            m_chunk[n] = m_lead[n];
        m_lead.erase(0, n);
        for (; n < sizeof m_chunk && m_left > 0; ++n, --m_left)
            m_chunk[n] = m_fill;
        if (n == 0)
            return traits_type::eof();
        m_delivered += n;
        setg(m_chunk, m_chunk, m_chunk + n);
        return traits_type::to_int_type(m_chunk[0]);
    }

private:
    std::string m_lead;
    char m_fill;
    std::size_t m_left;
    std::size_t m_delivered = 0;
    char m_chunk[4096];
};

} // namespace

class TestCsv : public QObject {
    Q_OBJECT

private slots:
    void writerQuotes_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain") << QByteArray("D22") << QByteArray("D22");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        QTest::newRow("number") << QByteArray("-1.5e-07") << QByteArray("-1.5e-07");
        QTest::newRow("Japanese") << QByteArray("入力データが不正です")
                                  << QByteArray("入力データが不正です");
        QTest::newRow("comma") << QByteArray("a,b") << QByteArray("\"a,b\"");
        QTest::newRow("quote") << QByteArray("say \"hi\"") << QByteArray("\"say \"\"hi\"\"\"");
        QTest::newRow("LF") << QByteArray("a\nb") << QByteArray("\"a\nb\"");
        QTest::newRow("CR") << QByteArray("a\rb") << QByteArray("\"a\rb\"");
        QTest::newRow("judgement's blanks")
            << QByteArray("    - OK -") << QByteArray("\"    - OK -\"");
        QTest::newRow("trailing blank") << QByteArray("x ") << QByteArray("\"x \"");
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBFx") << QByteArray("\"\xEF\xBB\xBFx\"");
    }

    void writerQuotes() {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, written);
        std::string out = "=";
        appendCsvField(out, field.toStdString());
        QCOMPARE(QByteArray::fromStdString(out), "=" + written);
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QStringList>>("records");
        using Records = QList<QStringList>;
        QTest::newRow("CR LF") << QByteArray("a,b\r\n1,2\r\n") << Records{{"a", "b"}, {"1", "2"}};
        QTest::newRow("LF") << QByteArray("a,b\n1,2\n") << Records{{"a", "b"}, {"1", "2"}};
        QTest::newRow("lone CR") << QByteArray("a,b\r1,2\r") << Records{{"a", "b"}, {"1", "2"}};
        QTest::newRow("no last line end")
            << QByteArray("a,b\n1,2") << Records{{"a", "b"}, {"1", "2"}};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "a,b\n")
                                         << Records{{"a", "b"}};
        QTest::newRow("half-width kana is no mark")
            << QByteArray("\xEF\xBD\xB1,b\n") << Records{{"ｱ", "b"}};
        QTest::newRow("quoted comma, quote and line break")
            << QByteArray("\"x,y\",\"say \"\"hi\"\"\",\"l1\r\nl2\"\n")
            << Records{{"x,y", "say \"hi\"", "l1\r\nl2"}};
        QTest::newRow("empty fields") << QByteArray(",,\n") << Records{{"", "", ""}};
        QTest::newRow("empty quoted") << QByteArray("\"\",a\n") << Records{{"", "a"}};
        QTest::newRow("blank line") << QByteArray("a\n\nb\n") << Records{{"a"}, {""}, {"b"}};
        QTest::newRow("blanks kept") << QByteArray(" a , b \n") << Records{{" a ", " b "}};
        QTest::newRow("nothing") << QByteArray() << Records{};
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << Records{};
    }

    void reads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QStringList>, records);
        const Read read = readAll(bytes);
        QVERIFY2(!read.failed, read.error.reason.c_str());
        QCOMPARE(read.records, records);
    }

    void refuses_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("stray quote")
            << QByteArray("a,b\nx\"y,2\n") << 2 << 2 << "引用符で始まらない";
        QTest::newRow("text after the closing quote")
            << QByteArray("\"a\"b\n") << 1 << 1 << "閉じた値のあと";
        // Named at the line where the quote opened.
        QTest::newRow("quote never closed")
            << QByteArray("a\nb,\"op\nen\n") << 2 << 2 << "閉じられないまま";
        QTest::newRow("NUL") << QByteArray("a,b\n1,\0\n", 8) << 2 << 2 << "NUL バイト";
        QTest::newRow("after a quoted line break")
            << QByteArray("\"a\nb\",1\r\nx\"\n") << 2 << 3 << "引用符で始まらない";
        QTest::newRow("field over the limit")
            << QByteArray("ok\n123456789\n") << 2 << 2 << "値が長すぎます";
        QTest::newRow("quoted field over the limit")
            << QByteArray("\"12345\n6789\"\n") << 1 << 2 << "値が長すぎます";
        QTest::newRow("too many fields")
            << QByteArray("1,2,3,4,5\n") << 1 << 1 << "列が 4 を超えて";
        QTest::newRow("record over the limit")
            << QByteArray("1234567,1234567,1234567\n") << 1 << 1 << "行が長すぎます";
    }

    // Limits here: 8-byte fields, 20-byte records, 4 fields.
    void refuses() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, row);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const Read read = readAll(bytes, CsvLimits{8, 20, 4});
        QVERIFY(read.failed);
        QCOMPARE(read.error.row, long(row));
        QCOMPARE(read.error.line, long(line));
        QVERIFY2(QString::fromStdString(read.error.reason).contains(reason),
                 read.error.reason.c_str());
    }

    void staysStopped() {
        std::istringstream in("a\"b\nc,d\n");
        CsvReader reader(in);
        std::vector<std::string> fields;
        QCOMPARE(reader.next(fields), CsvReader::Status::Error);
        QCOMPARE(reader.next(fields), CsvReader::Status::Error);
    }

    void endlessLine_data() {
        QTest::addColumn<QString>("lead");
        QTest::newRow("unquoted") << "file,H1\n";
        QTest::newRow("quoted") << "file,H1\n\"";
        QTest::newRow("many short fields") << "";
    }

    // A gigabyte on one line is refused after reading little more than the
    // limit, never held whole.
    void endlessLine() {
        QFETCH(QString, lead);
        const bool commas = lead.isEmpty();
        EndlessText text(lead.toStdString(), commas ? ',' : 'x', std::size_t(1) << 30);
        std::istream in(&text);
        CsvReader reader(in);
        std::vector<std::string> fields;
        CsvReader::Status status;
        while ((status = reader.next(fields)) == CsvReader::Status::Record) {
        }
        QCOMPARE(status, CsvReader::Status::Error);
        QVERIFY(text.delivered() < 2 * 1024 * 1024);
        QVERIFY(fields.size() <= CsvLimits{}.maxFields);
    }
};

QTEST_APPLESS_MAIN(TestCsv)
#include "test_csv.moc"
