// SPDX-License-Identifier: GPL-3.0-or-later
// Load cases: the governing case, the case block of the design file, the
// findings that name their case, and the conversion of every case.

#include <QTest>

#include <cstdlib>
#include <random>
#include <sstream>

#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "files/design_file.h"
#include "findings/design_warnings.h"
#include "studies/unit_conversion.h"
#include "worked_examples.h"

using namespace haltrix;

Q_DECLARE_METATYPE(haltrix::DesignInputs)

namespace {

// One case as the governing-case rule sees it: a judgement, the required
// and provided areas, and whether the calculation stopped.
struct Judged {
    const char* judgement;
    double required;
    double provided;
    bool stopped = false;
};

// The case as a result of the main bars (formula case 2: sumAs is the
// required area, Ast below it; layer 1 provides all) or of the side faces.
DesignResults judgedResult(const Judged& c, bool sideFaces) {
    DesignResults r;
    if (sideFaces) {
        r.sideFaces.required = c.required;
        r.sideFaces.As = c.provided;
        r.sideFaces.judgement = c.judgement;
    } else {
        r.ratioCase = 2;
        r.main.sumAs = c.required;
        r.main.Ast = c.required / 2;
        r.main.layer1Area = c.provided;
        r.main.judgement = c.judgement;
    }
    if (c.stopped)
        r.message = "stopped";
    return r;
}

const char* const OK = kJudgementOk;
const char* const NG = kJudgementNg;

// The sixteen lines of the worked SI example and its block, by hand.
const std::string kSixteen = " 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n 24.5 \r\n 180 \r\n"
                             " 100 \r\n 0 \r\n 100 \r\n 250 \r\nD22\r\n 4 \r\nD22\r\n 2 \r\n 2 \r\n";
const std::string kBlock = "[荷重ケース]\r\n"
                           "常時\t 100 \t 0 \t 180 \r\n"
                           "地震時\t 100 \t 30 \t 300 \r\n"
                           "側面鉄筋\t\t 4 \r\n";

// A reader that does only what the sixteen-line file has always promised:
// sixteen lines, each whole up to its line end, numbers through the C
// library's text-to-number conversion, assigned in the file's order, and
// the file closed.
DesignInputs readSixteenLines(const std::string& text) {
    std::istringstream in(text);
    std::string line[16];
    for (std::string& l : line) {
        std::getline(in, l);
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
    }
    DesignInputs r;
    double DesignInputs::*const numbers[] = {
        &DesignInputs::H1,      &DesignInputs::H2, &DesignInputs::l,
        &DesignInputs::b,       &DesignInputs::a,  &DesignInputs::concreteUnitWeight,
        &DesignInputs::sigmaSa, &DesignInputs::P,  &DesignInputs::H,
        &DesignInputs::t,       &DesignInputs::c};
    for (int i = 0; i < 11; ++i)
        r.*numbers[i] = std::strtod(line[i].c_str(), nullptr);
    r.layer1Bar = line[11];
    r.layer1Count = std::strtod(line[12].c_str(), nullptr);
    r.layer2Bar = line[13];
    r.layer2Count = std::strtod(line[14].c_str(), nullptr);
    r.unitSystem = static_cast<std::int32_t>(std::strtol(line[15].c_str(), nullptr, 10));
    return r;
}

} // namespace

class TestLoadCases : public QObject {
    Q_OBJECT

private slots:
    // The main bars and the side faces follow one rule: every row is checked
    // on both.
    void governingCase_data() {
        struct Row {
            const char* name;
            std::vector<Judged> cases;
            int expected;
        };
        const Judged stopped{"", 0, 10, true};
        const Row rows[] = {
            {"one case", {{OK, 1, 2}}, 0},
            {"first NG before a larger ratio", {{OK, 9, 10}, {NG, 11, 10}, {NG, 30, 10}}, 1},
            {"no NG: the largest ratio", {{OK, 5, 10}, {OK, 8, 10}, {OK, 7, 10}}, 1},
            {"ratio, not the area", {{OK, 50, 100}, {OK, 9, 10}}, 1},
            {"a tie: the first", {{OK, 4, 10}, {OK, 8, 20}, {OK, 2, 5}}, 0},
            {"a tie later: the first of the tied", {{OK, 1, 10}, {OK, 8, 10}, {OK, 8, 10}}, 1},
            {"a stopped case governs over OK ones", {{OK, 9, 10}, stopped}, 1},
            {"NG before a stopped case", {stopped, {NG, 11, 10}}, 1},
            {"nothing provided: infinite ratio", {{OK, 9, 10}, {OK, 1, 0}}, 1},
            {"0/0 counts as 0", {{OK, 0, 0}, {OK, 1, 10}}, 1},
        };
        QTest::addColumn<bool>("sideFaces");
        QTest::addColumn<std::vector<DesignResults>>("cases");
        QTest::addColumn<int>("expected");
        for (const bool sideFaces : {false, true})
            for (const Row& row : rows) {
                std::vector<DesignResults> cases;
                for (const Judged& c : row.cases)
                    cases.push_back(judgedResult(c, sideFaces));
                QTest::addRow("%s: %s", sideFaces ? "side faces" : "main bars", row.name)
                    << sideFaces << cases << row.expected;
            }
    }
    void governingCase() {
        QFETCH(bool, sideFaces);
        QFETCH(std::vector<DesignResults>, cases);
        QFETCH(int, expected);
        QCOMPARE(sideFaces ? sideFaceGoverningCase(cases) : haltrix::governingCase(cases),
                 expected);
    }

    // Each case calculates as the one-case design of its P, H and σsa, built
    // here by hand; the governing case is the one its areas name.
    void everyCaseAsItsOwnDesign() {
        std::mt19937 random(27);
        for (int round = 0; round < 200; ++round) {
            DesignInputs design = random() % 2 ? workedSI() : workedGravitational();
            design.a = 0.05 + 0.05 * double(random() % 12);
            const int count = 1 + int(random() % 6);
            std::vector<LoadCase> cases;
            for (int i = 0; i < count; ++i)
                cases.push_back({"c" + std::to_string(i), double(random() % 400),
                                 double(random() % 100), double(random() % 400)});
            setLoadCases(design, cases);
            const HorizontalChoice choice{int(random() % 10) - 1, double(random() % 8)};
            const DesignCalculation all = calculateCases(design, choice);
            QCOMPARE(int(all.cases.size()), count);
            int firstNg = -1;
            for (int i = 0; i < count; ++i) {
                QCOMPARE(all.cases[std::size_t(i)],
                         calculateDesign(withLoadsOf(design, cases[std::size_t(i)]), choice));
                if (firstNg < 0 && all.cases[std::size_t(i)].main.judgement == kJudgementNg)
                    firstNg = i;
            }
            if (firstNg >= 0)
                QCOMPARE(all.governing, firstNg);
            else {
                const DesignResults& g = all.cases[std::size_t(all.governing)];
                for (int i = 0; i < count; ++i) {
                    const DesignResults& r = all.cases[std::size_t(i)];
                    const double mine = requiredMainArea(r) * providedMainArea(g);
                    const double theirs = requiredMainArea(g) * providedMainArea(r);
                    QVERIFY2(i < all.governing ? mine < theirs : mine <= theirs,
                             qPrintable(QString("round %1 case %2").arg(round).arg(i)));
                }
            }
        }
    }

    // The file's text and the design it reads as. A row the writer wrote
    // (written) must also be what the design writes, byte for byte; the
    // other rows are what the reader takes besides the bytes it writes.
    void fileText_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<DesignInputs>("design");
        QTest::addColumn<bool>("written");
        // A one-case design without a side-face choice stays the sixteen lines.
        QTest::newRow("one case") << kSixteen << workedSI() << true;
        QTest::newRow("two cases") << kSixteen + kBlock << workedTwoCases() << true;
        DesignInputs chosen = workedSI();
        chosen.sideFaceChoice = {2, 6.5};
        QTest::newRow("one case, side faces chosen")
            << kSixteen + "[荷重ケース]\r\n\t 100 \t 0 \t 180 \r\n側面鉄筋\tD16\t 6.5 \r\n"
            << chosen << true;
        DesignInputs named = workedSI();
        named.firstCaseName = "常時";
        named.H = -2.5;
        std::string sixteen = kSixteen;
        const std::string lines8and9 = " 100 \r\n 0 \r\n";
        sixteen.replace(sixteen.find(lines8and9), lines8and9.size(), " 100 \r\n-2.5 \r\n");
        QTest::newRow("one named case, H < 0")
            << sixteen + "[荷重ケース]\r\n常時\t 100 \t-2.5 \t 180 \r\n側面鉄筋\t\t 4 \r\n"
            << named << true;
        DesignInputs five = workedTwoCases();
        five.laterCases = {{"", 1e-7, 2, 3},
                           {"温度変化時", 0.1, -4, 5},
                           {"同名", 1, 1, 1},
                           {"同名", 12345678901234.5, 0, 1}};
        five.sideFaceChoice = {8, 12};
        QTest::newRow("five cases, D35 x 12") << designFileText(five) << five << true;
        DesignInputs noBars = workedGravitational();
        noBars.sideFaceChoice = {0, 0};
        QTest::newRow("one case, D10 x 0") << designFileText(noBars) << noBars << true;

        std::string lf;
        for (char ch : kSixteen + kBlock)
            if (ch != '\r')
                lf += ch;
        QTest::newRow("LF line ends in the block") << lf << workedTwoCases() << false;
        QTest::newRow("blank lines after the block") << kSixteen + kBlock + "\r\n\r\n"
                                                     << workedTwoCases() << false;
        // Whatever follows line 16 without the marker was always passed over.
        QTest::newRow("other trailing lines") << kSixteen + "荷重ケース\r\nx\r\n"
                                              << workedSI() << false;
        // A name keeps to its line: its tab and line end become blanks.
        DesignInputs tabbed = workedTwoCases();
        tabbed.laterCases[0].name = "地震\t時\r\n";
        DesignInputs blanked = workedTwoCases();
        blanked.laterCases[0].name = "地震 時  ";
        QTest::newRow("name with a tab and a line end")
            << designFileText(tabbed) << blanked << false;
    }
    void fileText() {
        QFETCH(std::string, text);
        QFETCH(DesignInputs, design);
        QFETCH(bool, written);
        DesignInputs read;
        const auto error = readDesignText(text, "x.tvx", read);
        QVERIFY2(!error, error ? error->message().c_str() : "");
        QCOMPARE(read, design);
        if (written)
            QCOMPARE(designFileText(read), text);
    }

    void sixteenLineReaderGetsTheFirstCase() {
        DesignInputs design = workedTwoCases();
        design.laterCases.insert(design.laterCases.begin(), {"風時", 120, 12, 270});
        design.sideFaceChoice = {3, 5};
        QCOMPARE(readSixteenLines(designFileText(design)), workedSI());
    }

    void malformedBlockRefused_data() {
        QTest::addColumn<std::string>("block");
        QTest::addColumn<int>("line");
        const std::string m = "[荷重ケース]\r\n";
        const std::string first = "常時\t 100 \t 0 \t 180 \r\n";
        const std::string side = "側面鉄筋\t\t 4 \r\n";
        QTest::newRow("marker with no case") << m << 18;
        QTest::newRow("marker, side-face line only") << m + side << 18;
        QTest::newRow("a case without the side-face line") << m + first << 19;
        QTest::newRow("missing field") << m + first + "地震時\t 100 \t 30\r\n" + side << 19;
        QTest::newRow("extra field") << m + first + "地震時\t 1 \t 3 \t 3 \t 4\r\n" + side << 19;
        QTest::newRow("not a number") << m + first + "地震時\t 100 \tabc\t 300 \r\n" + side << 19;
        QTest::newRow("empty number") << m + first + "地震時\t 100 \t\t 300 \r\n" + side << 19;
        QTest::newRow("not UTF-8") << m + first + "\x93\x92\t 100 \t 30 \t 300 \r\n" + side << 19;
        QTest::newRow("cut UTF-8") << m + first + "\xe5\x9c\t 100 \t 30 \t 300 \r\n" + side << 19;
        QTest::newRow("first case differs from line 8")
            << m + "常時\t 101 \t 0 \t 180 \r\n" + side << 18;
        QTest::newRow("first case differs from line 7")
            << m + "常時\t 100 \t 0 \t 181 \r\n" + side << 18;
        QTest::newRow("side-face label") << m + first + "側面\t\t 4 \r\n" << 19;
        QTest::newRow("side-face unknown bar") << m + first + "側面鉄筋\tD11\t 4 \r\n" << 19;
        QTest::newRow("side-face count") << m + first + "側面鉄筋\tD13\tfour\r\n" << 19;
        QTest::newRow("side-face fields") << m + first + "側面鉄筋\tD13\r\n" << 19;
        QTest::newRow("too long") << m + first + std::string(5000, 'x') + "\r\n" + side << 19;
    }
    void malformedBlockRefused() {
        QFETCH(std::string, block);
        QFETCH(int, line);
        DesignInputs record = workedTwoCases();
        record.H1 = 42;
        const DesignInputs before = record;
        const auto error = readDesignText(kSixteen + block, "bad.tvx", record);
        QVERIFY(error);
        QCOMPARE(error->line, line);
        QVERIFY(error->message().find(std::to_string(line) + " 行目") != std::string::npos);
        QCOMPARE(record, before);
    }

    void titlesAndDuplicates() {
        DesignInputs r = workedTwoCases();
        r.laterCases.push_back({"", 1, 1, 1});
        r.laterCases.push_back({"常時", 1, 1, 1});
        r.laterCases.push_back({"ケース 3", 1, 1, 1});
        QCOMPARE(caseTitle(caseAt(r, 2), 2), std::string("ケース 3"));
        QCOMPARE(duplicateCaseNames(r), (std::vector<int>{3, 4}));
    }

    // A finding one case has names it; one every case has is listed once.
    void findingsNameTheirCase() {
        DesignInputs r = workedTwoCases();
        r.laterCases[0].sigmaSa = 0;
        r.layer2Count = 2.5;
        const ClearSpacingRule rule;
        const auto cases = calculateCases(r, {}).cases;
        const std::vector<Finding> findings = findCaseWarnings(r, cases, rule);
        int fractional = 0;
        bool namedSigma = false;
        for (const Finding& f : findings) {
            if (f.code == finding_code::kFractionalBarCount) {
                ++fractional;
                QVERIFY(f.message.find("【") == std::string::npos);
            }
            if (f.code == finding_code::kNonPositiveDimension)
                namedSigma = f.message.starts_with("【地震時】 ");
        }
        QCOMPARE(fractional, 1);
        QVERIFY(namedSigma);
        DesignInputs one = r;
        one.laterCases.clear();
        QCOMPARE(findCaseWarnings(one, calculateCases(one, {}).cases, rule),
                 findDesignWarnings(one, calculateDesign(one), rule));
        r.laterCases[0].name = "常時";
        const auto dup = findCaseWarnings(r, cases, rule);
        QCOMPARE(dup.back().code, std::string(finding_code::kDuplicateCaseName));
    }

    void conversionTakesEveryCase() {
        UnitConversion conversion;
        QVERIFY(!convertUnitSystem(workedTwoCases(), kUnitGravitational, 0, conversion));
        const LoadCase quake = conversion.design.laterCases.at(0);
        QCOMPARE(quake.name, std::string("地震時"));
        QVERIFY(qFuzzyCompare(quake.H, 30 / 9.80665));
        QVERIFY(qFuzzyCompare(quake.sigmaSa, 300 / 0.0980665));
        QVERIFY(conversion.description().find("地震時 の σsa") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestLoadCases)
#include "test_load_cases.moc"
