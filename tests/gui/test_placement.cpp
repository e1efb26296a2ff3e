// SPDX-License-Identifier: GPL-3.0-or-later
// Twips conversion and the stored window placement, as functions.

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "forms/number_input.h"
#include "platform/twips.h"
#include "platform/window_placement.h"

using namespace haltrix::gui;

class PlacementTest : public QObject {
    Q_OBJECT

private slots:
    void twipsToPixels_data();
    void twipsToPixels();
    void pixelsToTwips_data();
    void pixelsToTwips();
    void twipsRectConvertsEachSide();

    void firstRunGivesDefaults();
    void storedValuesAreRead();
    void textThatIsNotANumberFallsBackPerKey_data();
    void textThatIsNotANumberFallsBackPerKey();
    void writtenValuesArePlainSinglePrecisionText_data();
    void writtenValuesArePlainSinglePrecisionText();
    void writeThenReadRoundTrips();

    void placementToPixelsUsesDpi();
    void hugeValuesAreClamped();
    void firstStartFrame_data();
    void firstStartFrame();
    void placementStoredByAnyKey();
    void keepOnScreens_data();
    void keepOnScreens();

    void numbersReadWithLocaleAndPoint_data();
    void numbersReadWithLocaleAndPoint();

private:
    QString settingsFile();
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString PlacementTest::settingsFile() {
    return m_dir.filePath(QStringLiteral("settings%1.ini").arg(++m_files));
}

void PlacementTest::twipsToPixels_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("1440 at 96") << 1440.0 << 96.0 << 96;
    QTest::newRow("1000 at 96 rounds up") << 1000.0 << 96.0 << 67;
    QTest::newRow("6500 at 96") << 6500.0 << 96.0 << 433;
    QTest::newRow("6500 at 120") << 6500.0 << 120.0 << 542;
    QTest::newRow("6500 at 144") << 6500.0 << 144.0 << 650;
    QTest::newRow("15 is one pixel at 96") << 15.0 << 96.0 << 1;
    QTest::newRow("7 rounds to zero") << 7.0 << 96.0 << 0;
    QTest::newRow("negative") << -1000.0 << 96.0 << -67;
}

void PlacementTest::twipsToPixels() {
    QFETCH(double, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(haltrix::gui::twipsToPixels(twips, dpi), pixels);
}

void PlacementTest::pixelsToTwips_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("twips");
    QTest::newRow("67 at 96") << 67 << 96.0 << 1005.0;
    QTest::newRow("96 at 96") << 96 << 96.0 << 1440.0;
    QTest::newRow("120 at 120") << 120 << 120.0 << 1440.0;
    QTest::newRow("1 at 144") << 1 << 144.0 << 10.0;
}

void PlacementTest::pixelsToTwips() {
    QFETCH(int, pixels);
    QFETCH(double, dpi);
    QFETCH(double, twips);
    QCOMPARE(haltrix::gui::pixelsToTwips(pixels, dpi), twips);
}

void PlacementTest::twipsRectConvertsEachSide() {
    QCOMPARE(twipsRect(120, 240, 6015, 4695, 96.0), QRect(8, 16, 401, 313));
    QCOMPARE(twipsRect(120, 240, 6015, 4695, 192.0), QRect(16, 32, 802, 626));
}

void PlacementTest::firstRunGivesDefaults() {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    const Placement p = readPlacement(settings);
    QCOMPARE(p.left, 1000.0);
    QCOMPARE(p.top, 1000.0);
    QCOMPARE(p.width, 6500.0);
    QCOMPARE(p.height, 6500.0);
}

void PlacementTest::storedValuesAreRead() {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue("Settings/MainLeft", "120");
    settings.setValue("Settings/MainTop", " 240 ");
    settings.setValue("Settings/MainWidth", "9000.5");
    settings.setValue("Settings/MainHeight", "7200");
    const Placement p = readPlacement(settings);
    QCOMPARE(p, (Placement{120, 240, 9000.5, 7200}));
}

void PlacementTest::textThatIsNotANumberFallsBackPerKey_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"}) {
        QTest::addRow("%s abc", key) << key << "abc";
        QTest::addRow("%s empty", key) << key << "";
        QTest::addRow("%s inf", key) << key << "inf";
        QTest::addRow("%s nan", key) << key << "nan";
        QTest::addRow("%s 12x", key) << key << "12x";
    }
}

void PlacementTest::textThatIsNotANumberFallsBackPerKey() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue("Settings/MainLeft", "2000");
    settings.setValue("Settings/MainTop", "2100");
    settings.setValue("Settings/MainWidth", "8000");
    settings.setValue("Settings/MainHeight", "8100");
    settings.setValue("Settings/" + key, text);
    Placement expected{2000, 2100, 8000, 8100};
    const Placement defaults;
    if (key == "MainLeft")
        expected.left = defaults.left;
    else if (key == "MainTop")
        expected.top = defaults.top;
    else if (key == "MainWidth")
        expected.width = defaults.width;
    else
        expected.height = defaults.height;
    QCOMPARE(readPlacement(settings), expected);
}

void PlacementTest::writtenValuesArePlainSinglePrecisionText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 1005.0 << "1005";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("negative") << -1500.0 << "-1500";
    QTest::newRow("half") << 1012.5 << "1012.5";
    QTest::newRow("single precision") << 13.090909090909092 << "13.090909";
    QTest::newRow("large, no exponent") << 1.0e7 << "10000000";
}

void PlacementTest::writtenValuesArePlainSinglePrecisionText() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(placementText(value), text);
}

void PlacementTest::writeThenReadRoundTrips() {
    const QString file = settingsFile();
    {
        QSettings settings(file, QSettings::IniFormat);
        writePlacement(settings, Placement{1005, 2010, 9990, 6495});
    }
    QSettings settings(file, QSettings::IniFormat);
    QCOMPARE(settings.value("Settings/MainLeft").toString(), QStringLiteral("1005"));
    QCOMPARE(settings.value("Settings/MainHeight").toString(), QStringLiteral("6495"));
    QCOMPARE(readPlacement(settings), (Placement{1005, 2010, 9990, 6495}));
}

void PlacementTest::placementToPixelsUsesDpi() {
    QCOMPARE(placementToPixels(Placement{}, 96.0), QRect(67, 67, 433, 433));
    QCOMPARE(placementToPixels(Placement{}, 144.0), QRect(100, 100, 650, 650));
    QCOMPARE(placementFromPixels(QRect(67, 67, 433, 433), 96.0),
             (Placement{1005, 1005, 6495, 6495}));
}

void PlacementTest::hugeValuesAreClamped() {
    const QRect r = placementToPixels(Placement{1e300, -1e300, 1e30, 1e30}, 96.0);
    QCOMPARE(r.x(), QWIDGETSIZE_MAX);
    QCOMPARE(r.y(), -QWIDGETSIZE_MAX);
    QCOMPARE(r.width(), QWIDGETSIZE_MAX);
}

void PlacementTest::firstStartFrame_data() {
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("frame");
    // The frame's centre on the area's: (1600 - 1020) / 2, (1200 - 700) / 2.
    QTest::newRow("fits: centred") << QSize(1020, 700) << QRect(0, 0, 1600, 1200)
                                   << QRect(290, 250, 1020, 700);
    QTest::newRow("too wide: full width")
        << QSize(1020, 700) << QRect(0, 0, 800, 800) << QRect(0, 50, 800, 700);
    QTest::newRow("too tall: full height")
        << QSize(700, 900) << QRect(0, 0, 800, 800) << QRect(50, 0, 700, 800);
    // 1366 × 768 less a 40 px task bar: as much room above as below.
    QTest::newRow("laptop screen") << QSize(1300, 700) << QRect(0, 0, 1366, 728)
                                   << QRect(33, 14, 1300, 700);
    // A panel at the top and left: the area does not start at 0, 0.
    QTest::newRow("area with an offset")
        << QSize(900, 700) << QRect(100, 30, 1000, 740) << QRect(150, 50, 900, 700);
}

void PlacementTest::firstStartFrame() {
    QFETCH(QSize, wanted);
    QFETCH(QRect, available);
    QFETCH(QRect, frame);
    const QRect placed = haltrix::gui::firstStartFrame(wanted, available);
    QCOMPARE(placed, frame);
    QVERIFY(available.contains(placed));
}

void PlacementTest::placementStoredByAnyKey() {
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"}) {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        QVERIFY(!placementStored(settings));
        settings.setValue(QStringLiteral("Settings/") + key, "abc");
        QVERIFY2(placementStored(settings), key);
    }
    QSettings other(settingsFile(), QSettings::IniFormat);
    other.setValue("Recent/Designs", QStringList{"/a.tvx"});
    QVERIFY(!placementStored(other));
}

void PlacementTest::keepOnScreens_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("on the primary screen") << QRect(67, 67, 433, 433) << QRect(67, 67, 433, 433);
    QTest::newRow("partly off the right edge")
        << QRect(3000, 100, 433, 433) << QRect(3000, 100, 433, 433);
    QTest::newRow("on the second screen")
        << QRect(2000, 500, 433, 433) << QRect(2000, 500, 433, 433);
    QTest::newRow("beyond every screen") << QRect(4000, 100, 433, 433) << QRect(0, 30, 433, 433);
    QTest::newRow("above the screens") << QRect(100, -900, 433, 433) << QRect(0, 30, 433, 433);
    QTest::newRow("below the second screen only")
        << QRect(2000, 1030, 433, 433) << QRect(0, 30, 433, 433);
    QTest::newRow("touching no pixel to the left")
        << QRect(-433, 0, 433, 433) << QRect(0, 30, 433, 433);
}

void PlacementTest::keepOnScreens() {
    QFETCH(QRect, frame);
    QFETCH(QRect, expected);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    QCOMPARE(haltrix::gui::keepOnScreens(frame, screens, QRect(0, 30, 1920, 1050)), expected);
}

void PlacementTest::numbersReadWithLocaleAndPoint_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    const QLocale c = QLocale::c();
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("C plain") << "0.5" << c << true << 0.5;
    QTest::newRow("C blanks") << "  12.25 " << c << true << 12.25;
    QTest::newRow("C exponent") << "1E+20" << c << true << 1e20;
    QTest::newRow("C negative") << "-3" << c << true << -3.0;
    QTest::newRow("Japanese point") << "0.5" << japanese << true << 0.5;
    QTest::newRow("Japanese grouping") << "1,000" << japanese << true << 1000.0;
    QTest::newRow("German comma") << "0,5" << german << true << 0.5;
    QTest::newRow("German, point as decimal") << "2.5" << german << true << 2.5;
    QTest::newRow("empty") << "" << c << false << 0.0;
    QTest::newRow("blanks only") << "   " << c << false << 0.0;
    QTest::newRow("letters") << "abc" << c << false << 0.0;
    QTest::newRow("trailing letters") << "12abc" << c << false << 0.0;
    QTest::newRow("lone minus") << "-" << c << false << 0.0;
    QTest::newRow("inf") << "inf" << c << false << 0.0;
    QTest::newRow("nan") << "nan" << japanese << false << 0.0;
    QTest::newRow("overflow") << "1e999" << c << false << 0.0;
}

void PlacementTest::numbersReadWithLocaleAndPoint() {
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> read = numberFromText(text, locale);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

QTEST_APPLESS_MAIN(PlacementTest)
#include "test_placement.moc"
