// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers at the edges of the double range, and number texts under a C
// locale whose decimal separator is a comma (a Qt application takes the
// user's locale at start-up).

#include <QTemporaryDir>
#include <QTest>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "files/design_file.h"
#include "paper/number_format.h"

using namespace haltrix;

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

// Switches LC_ALL to a locale with a decimal comma for the lifetime of the
// object; when the machine has none, one is built with localedef.
class CommaLocale {
public:
    CommaLocale() {
        m_saved = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_ALL, name) && isComma())
                return;
        }
        if (!m_dir.isValid())
            return;
        const QByteArray dir = m_dir.path().toLocal8Bit();
        const QByteArray command =
            "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(command.constData()) != 0)
            return;
        qputenv("LOCPATH", dir);
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, m_saved.c_str());
        qunsetenv("LOCPATH");
    }
    bool isComma() const { return std::localeconv()->decimal_point[0] == ','; }

private:
    std::string m_saved;
    QTemporaryDir m_dir;
};

} // namespace

class TestNumberExtremes : public QObject {
    Q_OBJECT

private slots:
    void largestDoubleTexts_data();
    void largestDoubleTexts();
    void largestDoubleRoundTrip();
    void roundingTheLargestDouble();
    void smallestNumbersRoundTrip();
    void textsUnderCommaLocale();
    void plainTextIsTheGeneralFormWith15Digits();
};

void TestNumberExtremes::largestDoubleTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("value");
    // The 15-digit text of the largest double lies just above it.
    QTest::newRow("15-digit text") << "1.79769313486232E+308" << true << kLargest;
    QTest::newRow("15-digit text, negative") << "-1.79769313486232E+308" << true << -kLargest;
    QTest::newRow("17-digit text") << "1.7976931348623157e308" << true << kLargest;
    QTest::newRow("without exponent, scaled")
        << "179769313486232" + QString(294, '0') << true << kLargest;
    QTest::newRow("below the 15-digit midpoint") << "1.7976931348623249e308" << true << kLargest;
    QTest::newRow("next 15-digit text") << "1.79769313486233E+308" << false << 0.0;
    QTest::newRow("1e309") << "1e309" << false << 0.0;
    QTest::newRow("huge exponent") << "1e99999999999" << false << 0.0;
    QTest::newRow("underflow") << "1e-400" << false << 0.0;
}

void TestNumberExtremes::largestDoubleTexts() {
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(double, value);
    const auto parsed = parseNumber(text.toStdString());
    QCOMPARE(parsed.has_value(), readable);
    if (readable)
        QCOMPARE(*parsed, value);
}

void TestNumberExtremes::largestDoubleRoundTrip() {
    for (const double value : {kLargest, -kLargest, std::nextafter(kLargest, 0.0), 1e308}) {
        const auto back = parseNumber(plainText(value));
        QVERIFY2(back.has_value(), plainText(value).c_str());
        QCOMPARE(plainText(*back), plainText(value));
    }
    DesignInputs record;
    record.H1 = kLargest;
    record.P = -kLargest;
    record.layer1Bar = "D22";
    record.unitSystem = 1;
    DesignInputs back;
    const auto error = readDesignText(designFileText(record), "largest.tvx", back);
    QVERIFY2(!error, error ? error->message().c_str() : "");
    QCOMPARE(back.H1, kLargest);
    QCOMPARE(back.P, -kLargest);
}

void TestNumberExtremes::roundingTheLargestDouble() {
    // Round(x, n) of a value whose 15-digit text is out of range stays the value.
    QCOMPARE(roundHalfEven(kLargest, 3), kLargest);
    QCOMPARE(roundHalfEven(-kLargest, 2), -kLargest);
    QCOMPARE(roundHalfEven(1e300, 3), 1e300);
    QCOMPARE(roundHalfEven(2.675, 2), 2.68);
    QCOMPARE(roundHalfEven(2.665, 2), 2.66);
}

void TestNumberExtremes::smallestNumbersRoundTrip() {
    const double smallest = std::numeric_limits<double>::denorm_min();
    const double normal = std::numeric_limits<double>::min();
    for (const double value : {smallest, -smallest, normal, 1e-300}) {
        const auto back = parseNumber(plainText(value));
        QVERIFY2(back.has_value(), plainText(value).c_str());
        QCOMPARE(plainText(*back), plainText(value));
    }
}

void TestNumberExtremes::textsUnderCommaLocale() {
    CommaLocale locale;
    if (!locale.isComma())
        QSKIP("no locale with a decimal comma can be set up on this machine");
    QCOMPARE(plainText(0.5), std::string("0.5"));
    QCOMPARE(plainText(-1234.5678), std::string("-1234.5678"));
    QCOMPARE(plainText(1e20), std::string("1E+20"));
    QCOMPARE(fixedDecimals(2.675, 2), std::string("2.68"));
    QCOMPARE(formatPattern(1.5, "0.000"), std::string("1.500"));
    QCOMPARE(roundHalfEven(2.675, 2), 2.68);
    QCOMPARE(roundHalfEven(1.25, 1), 1.2);
    QCOMPARE(parseNumber("0.5").value_or(-1), 0.5);

    DesignInputs record;
    record.H1 = 0.5;
    record.concreteUnitWeight = 24.5;
    record.unitSystem = 2;
    const std::string text = designFileText(record);
    QVERIFY2(text.rfind(" 0.5 \r\n", 0) == 0, text.c_str());
    DesignInputs back;
    QVERIFY(!readDesignText(text, "comma.tvx", back));
    QCOMPARE(back.H1, 0.5);
    QCOMPARE(back.concreteUnitWeight, 24.5);
}

// plainText and the fixed-decimal formats share one conversion to 15
// significant digits, which takes a shortcut for the usual magnitudes; it
// must agree with the library's exact conversion ("%.15G") everywhere,
// also right beside the halves where the 15th digit is rounded.
void TestNumberExtremes::plainTextIsTheGeneralFormWith15Digits() {
    auto reference = [](double value) {
        char buffer[64];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15)
                .ptr;
        std::string text(buffer, end);
        for (char& ch : text)
            ch = ch == 'e' ? 'E' : ch;
        return text;
    };
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int checked = 0;
    auto check = [&](double value) {
        if (!std::isfinite(value) || value == 0.0)
            return true;
        ++checked;
        return plainText(value) == reference(value);
    };
    for (int i = 0; i < 100000; ++i) {
        // Any bit pattern.
        const std::uint64_t bits = random();
        double any = 0;
        std::memcpy(&any, &bits, sizeof any);
        QVERIFY2(check(any), qPrintable(QString::number(any, 'g', 17)));
        // Usual magnitudes.
        const double usual = unit(random) * std::pow(10.0, static_cast<int>(random() % 36) - 18);
        QVERIFY2(check(usual), qPrintable(QString::number(usual, 'g', 17)));
        // A half in the 16th significant digit, and its neighbours.
        const auto digits = 100000000000000ULL + random() % 900000000000000ULL;
        const double half = (static_cast<double>(digits) + 0.5) *
                            std::pow(10.0, static_cast<int>(random() % 30) - 28);
        for (double near = std::nextafter(std::nextafter(half, 0.0), 0.0), k = 0; k < 5;
             ++k, near = std::nextafter(near, 1e308))
            QVERIFY2(check(near), qPrintable(QString::number(near, 'g', 17)));
    }
    for (int exponent = -20; exponent <= 20; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (const double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e308),
                                   -power, 5 * power, 9.999999999999995 * power})
            QVERIFY2(check(value), qPrintable(QString::number(value, 'g', 17)));
    }
    QVERIFY(checked > 600000);
}

QTEST_APPLESS_MAIN(TestNumberExtremes)
#include "test_number_extremes.moc"
