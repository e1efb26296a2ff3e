// SPDX-License-Identifier: GPL-3.0-or-later
// Which changes make another design: each of the fifteen inputs and the unit
// system do, and each reaches the design file; the table of the inputs names
// each by the member it reads.

#include <QTest>
#include <functional>
#include <set>
#include <sstream>

#include "files/csv.h"
#include "files/design_file.h"
#include "files/design_table.h"
#include "design/input_fields.h"
#include "studies/sweep.h"
#include "worked_examples.h"

using namespace haltrix;

using Change = std::function<void(DesignInputs&)>;
Q_DECLARE_METATYPE(Change)

namespace {

// The design-table columns whose values differ between two designs.
std::set<std::string> changedColumns(const DesignInputs& before, const DesignInputs& after) {
    std::string table;
    appendDesignTableHeader(table);
    for (const DesignInputs* design : {&before, &after}) {
        table += '\n';
        appendDesignTableRow(table, "x.tvx", *design, DesignResults{}, {});
    }
    std::istringstream in(table);
    CsvReader reader(in);
    std::vector<std::string> header, first, second;
    if (reader.next(header) != CsvReader::Status::Record ||
        reader.next(first) != CsvReader::Status::Record ||
        reader.next(second) != CsvReader::Status::Record)
        qFatal("the design table does not read back");
    std::set<std::string> changed;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (first[i] != second[i])
            changed.insert(header[i]);
    }
    return changed;
}

} // namespace

class TestDesignInputs : public QObject {
    Q_OBJECT

private slots:
    void changes_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("otherDesign");
        auto row = [](const char* name, Change change, bool other) {
            QTest::newRow(name) << change << other;
        };
        row(
            "H1", [](DesignInputs& r) { r.H1 += 0.1; }, true);
        row(
            "H2", [](DesignInputs& r) { r.H2 += 0.1; }, true);
        row(
            "l", [](DesignInputs& r) { r.l += 0.1; }, true);
        row(
            "b", [](DesignInputs& r) { r.b += 0.1; }, true);
        row(
            "a", [](DesignInputs& r) { r.a += 0.1; }, true);
        row(
            "P", [](DesignInputs& r) { r.P += 1; }, true);
        row(
            "H", [](DesignInputs& r) { r.H += 1; }, true);
        row(
            "t", [](DesignInputs& r) { r.t += 1; }, true);
        row(
            "c", [](DesignInputs& r) { r.c += 1; }, true);
        row(
            "layer1Bar", [](DesignInputs& r) { r.layer1Bar = "D25"; }, true);
        row(
            "layer1Count", [](DesignInputs& r) { r.layer1Count += 1; }, true);
        row(
            "layer2Bar", [](DesignInputs& r) { r.layer2Bar = "D25"; }, true);
        row(
            "layer2Count", [](DesignInputs& r) { r.layer2Count += 1; }, true);
        row(
            "sigmaSa", [](DesignInputs& r) { r.sigmaSa += 1; }, true);
        row(
            "concreteUnitWeight", [](DesignInputs& r) { r.concreteUnitWeight += 1; }, true);
        row(
            "unitSystem", [](DesignInputs& r) { r.unitSystem = 2; }, true);
        row(
            "smallest step of H1", [](DesignInputs& r) { r.H1 = std::nextafter(r.H1, 1.0); }, true);
        row(
            "same value again", [](DesignInputs& r) { r.H1 = 0.5; }, false);
    }

    void changes() {
        QFETCH(Change, change);
        QFETCH(bool, otherDesign);
        const DesignInputs before = workedGravitational();
        DesignInputs after = before;
        change(after);
        QCOMPARE(after != before, otherDesign);
        // The file keeps 15 significant digits: the smallest step is lost.
        if (QByteArray(QTest::currentDataTag()) != "smallest step of H1")
            QCOMPARE(designFileText(after) != designFileText(before), otherDesign);

        // A row named after an input changes that column of the design table
        // alone, and a sweep of that name reads the changed value.
        const std::string tag = QTest::currentDataTag();
        if (!inputFieldByName(tag))
            return;
        QCOMPARE(changedColumns(before, after), std::set<std::string>{tag});
        if (const auto swept = sweepParameterByName(tag))
            QVERIFY(after.*swept->member != before.*swept->member);
    }

    // Every line of the design file holds one input, every name is one
    // input's, and the sweep offers its inputs in an unbroken order.
    void everyLineAndNameOnce() {
        std::set<int> lines;
        std::set<std::string_view> names;
        std::set<int> orders;
        for (const InputField& field : kInputFields) {
            lines.insert(field.fileLine);
            names.insert(field.name);
            if (field.sweepOrder > 0) {
                orders.insert(field.sweepOrder);
                QVERIFY(field.number);
            }
            QCOMPARE(field.number != nullptr && field.text != nullptr, false);
        }
        QCOMPARE(lines.size(), std::size_t(kInputFieldCount));
        QCOMPARE(*lines.begin(), 1);
        QCOMPARE(*lines.rbegin(), kInputFieldCount);
        QCOMPARE(names.size(), std::size_t(kInputFieldCount));
        QCOMPARE(orders.size(), kSweepParameterCount);
        QCOMPARE(*orders.rbegin(), int(kSweepParameterCount));
        QCOMPARE(kSweepParameters.front().name, std::string_view("a"));
    }
};

QTEST_APPLESS_MAIN(TestDesignInputs)
#include "test_design_inputs.moc"
