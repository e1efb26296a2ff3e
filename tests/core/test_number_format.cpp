// SPDX-License-Identifier: GPL-3.0-or-later
// Number formats shared by the design file, the forms, the sheet and the report.

#include <QTest>

#include <cmath>
#include <limits>

#include "paper/number_format.h"

using namespace haltrix;

class TestNumberFormat : public QObject {
    Q_OBJECT

private slots:
    void plainText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("proper fraction") << 0.5 << "0.5";
        QTest::newRow("whole") << 1000.0 << "1000";
        QTest::newRow("negative") << -0.25 << "-0.25";
        QTest::newRow("binary noise trimmed") << 0.1 + 0.2 << "0.3";
        QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("large uses exponent") << 1e20 << "1E+20";
        QTest::newRow("small uses exponent") << 1e-7 << "1E-07";
        QTest::newRow("ten thousandth") << 0.0001 << "0.0001";
        QTest::newRow("self-weight sum") << 0.44999999999999996 << "0.45";
        QTest::newRow("worked sumAs") << 4.146825396825397 << "4.1468253968254";
    }
    void plainText() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(haltrix::plainText(value)), expected);
    }

    void fixedDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three decimals") << 0.375 << 3 << "0.375";
        QTest::newRow("padded") << 2.0 << 3 << "2.000";
        QTest::newRow("zero three") << 0.0 << 3 << "0.000";
        QTest::newRow("zero two") << 0.0 << 2 << "0.00";
        QTest::newRow("zero none") << 0.0 << 0 << "0";
        QTest::newRow("negative") << -0.25 << 3 << "-0.250";
        QTest::newRow("rounds up") << 4.146825 << 2 << "4.15";
        QTest::newRow("rounds down") << 3.862271 << 2 << "3.86";
        QTest::newRow("whole number") << 1800.0 << 0 << "1800";
        QTest::newRow("whole rounds") << 1800.4 << 0 << "1800";
        QTest::newRow("half away from zero") << 2.5 << 0 << "3";
        QTest::newRow("negative half away") << -2.5 << 0 << "-3";
        QTest::newRow("decimal half") << 2.675 << 2 << "2.68";
        QTest::newRow("carry into new digit") << 9.9996 << 3 << "10.000";
        QTest::newRow("tiny negative has no sign") << -0.0001 << 3 << "0.000";
        QTest::newRow("below last place") << 0.0004 << 3 << "0.000";
        QTest::newRow("half of last place") << 0.0005 << 3 << "0.001";
        QTest::newRow("no grouping") << 1234567.891 << 1 << "1234567.9";
        QTest::newRow("large") << 1e20 << 1 << "100000000000000000000.0";
        QTest::newRow("self-weight x2") << 0.08333333333333333 << 3 << "0.083";
    }
    void fixedDecimals() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(haltrix::fixedDecimals(value, decimals)), expected);
    }

    void formatPattern_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.000") << "0.000"
                               << "1.235";
        QTest::newRow("0.00") << "0.00"
                              << "1.23";
        QTest::newRow("0.0") << "0.0"
                             << "1.2";
        QTest::newRow("0") << "0"
                           << "1";
    }
    void formatPattern() {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(haltrix::formatPattern(1.23456, pattern.toStdString())),
                 expected);
    }

    void alignRight_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("padded") << "4" << 2 << " 4";
        QTest::newRow("exact fit") << "12" << 2 << "12";
        QTest::newRow("longer text kept whole") << "123.456" << 5 << "123.456";
        QTest::newRow("designation wider than field") << "D16" << 2 << "D16";
        QTest::newRow("empty text") << "" << 2 << "  ";
        QTest::newRow("negative widens") << "-12.5" << 4 << "-12.5";
        QTest::newRow("multibyte counted as characters") << "本" << 3 << "  本";
    }
    void alignRight() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(haltrix::alignRight(text.toStdString(), width)), expected);
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("2.5 to even") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5 to even") << 3.5 << 0 << 4.0;
        QTest::newRow("-2.5 to even") << -2.5 << 0 << -2.0;
        QTest::newRow("0.125 to even") << 0.125 << 2 << 0.12;
        QTest::newRow("0.135 to even") << 0.135 << 2 << 0.14;
        QTest::newRow("2.675 decimal tie") << 2.675 << 2 << 2.68;
        QTest::newRow("not a tie") << 4.146825396825397 << 2 << 4.15;
        QTest::newRow("three decimals") << 0.0833333333 << 3 << 0.083;
        QTest::newRow("already round") << 10.45 << 3 << 10.45;
        QTest::newRow("zero") << 0.0 << 2 << 0.0;
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(haltrix::roundHalfEven(value, decimals), expected);
    }

    void intFloor_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("cuts fraction") << 1544.9084 << 1544.0;
        QTest::newRow("does not round") << 4146.825 << 4146.0;
        QTest::newRow("negative goes down") << -2.5 << -3.0;
        QTest::newRow("negative whole stays") << -3.0 << -3.0;
        QTest::newRow("small negative") << -0.1 << -1.0;
    }
    void intFloor() {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(haltrix::intFloor(value), expected);
    }

    void parseNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "0.5" << true << 0.5;
        QTest::newRow("blanks around") << " 0.5 " << true << 0.5;
        QTest::newRow("tab around") << "\t4\t" << true << 4.0;
        QTest::newRow("negative") << "-0.25" << true << -0.25;
        QTest::newRow("plus sign") << "+3" << true << 3.0;
        QTest::newRow("exponent") << "1E+20" << true << 1e20;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blank only") << "   " << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("lone minus") << "-" << false << 0.0;
        QTest::newRow("comma decimal") << "0,5" << false << 0.0;
        QTest::newRow("trailing garbage") << "12x" << false << 0.0;
        QTest::newRow("inner blank") << "1 2" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("out of range") << "1e400" << false << 0.0;
        QTest::newRow("double sign") << "+-1" << false << 0.0;
        QTest::newRow("largest") << "1e308" << true << 1e308;
    }
    void parseNumber() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        const auto value = haltrix::parseNumber(text.toStdString());
        QCOMPARE(value.has_value(), valid);
        if (valid)
            QCOMPARE(*value, expected);
    }
};

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "test_number_format.moc"
