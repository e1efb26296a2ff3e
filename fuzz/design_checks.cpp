// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_checks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <utility>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include "design/bar_table.h"
#include "design/unit_system.h"
#include "calculation.h"
#include "files/csv.h"
#include "design/load_cases.h"
#include "files/design_file.h"
#include "design_json.h"
#include "files/design_table.h"
#include "findings/design_warnings.h"
#include "model/ifc_export.h"
#include "design/engine.h"
#include "design/horizontal_check.h"
#include "design/input_fields.h"
#include "paper/number_format.h"
#include "proposal_checks.h"
#include "paper/report.h"
#include "paper/sheet.h"
#include "sketch/sketch_builder.h"
#include "sketch/sketch_dxf.h"
#include "step_file_check.h"
#include "studies/proposal_columns.h"

namespace haltrix::checks {

namespace {

const std::string kFileName = "fuzz.tvx";

// Inputs whose every field differs from fresh ones, so that a failed read
// which touches anything is seen.
DesignInputs markedInputs() {
    DesignInputs r;
    double value = 1.5;
    for (const InputField& field : kInputFields) {
        if (field.number)
            r.*field.number = value++;
        else if (field.text)
            r.*field.text = "old " + std::string(field.name);
    }
    r.unitSystem = 7;
    return r;
}

std::string show(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// What a design file keeps of inputs written and read back: every number
// to 15 significant digits, the designations and the flag exactly. Adds
// what changed, `what` naming the road.
void compareThroughFile(const DesignInputs& written, const DesignInputs& read,
                        const std::string& what, std::vector<std::string>& problems) {
    for (const InputField& field : kInputFields) {
        const std::string name(field.name);
        if (field.number && !sameTo15Digits(written.*field.number, read.*field.number))
            problems.push_back(what + ": " + name + " written as " + show(written.*field.number) +
                               " reads back as " + show(read.*field.number));
        if (field.text && written.*field.text != read.*field.text)
            problems.push_back(what + ": " + name + " changed on writing and reading back");
    }
    if (written.unitSystem != read.unitSystem)
        problems.push_back(what + ": unitSystem changed on writing and reading back");
}

void checkFinite(const DesignInputs& inputs, const DesignResults& results, const std::string& where,
                 std::vector<std::string>& problems) {
    for (const auto& [name, value] : numberFields(inputs, results)) {
        if (!std::isfinite(value))
            problems.push_back(where + ": " + std::string(name) + " is " + show(value));
    }
}

void checkText(std::string_view text, const std::string& where,
               std::vector<std::string>& problems) {
    if (hasNonFiniteWord(text))
        problems.push_back(where +
                           " shows a non-finite number: " + std::string(text.substr(0, 300)));
}

// The load cases and the side-face choice of a design written and read back,
// and what a reader of the sixteen lines alone finds in the file: the first
// case, complete.
void checkCaseBlock(const DesignInputs& record, const DesignInputs& reread,
                    const std::string& written, std::vector<std::string>& problems) {
    const std::vector<LoadCase> before = loadCases(record);
    const std::vector<LoadCase> after = loadCases(reread);
    if (before.size() != after.size()) {
        problems.push_back("the number of load cases changed on writing and reading back");
        return;
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!sameTo15Digits(before[i].P, after[i].P) || !sameTo15Digits(before[i].H, after[i].H) ||
            !sameTo15Digits(before[i].sigmaSa, after[i].sigmaSa))
            problems.push_back("load case " + std::to_string(i + 1) +
                               " changed on writing and reading back");
    }
    if (reread.sideFaceChoice.barIndex != record.sideFaceChoice.barIndex ||
        !sameTo15Digits(reread.sideFaceChoice.barCount, record.sideFaceChoice.barCount))
        problems.push_back("the side-face choice changed on writing and reading back");
    const auto lines = std::count(written.begin(), written.end(), '\n');
    if (hasCaseBlock(record) != (lines > 16))
        problems.push_back("a case block was written for a design that needs none, or left out");
    // The sixteen lines alone are the first case.
    std::size_t end = 0;
    for (int line = 0; line < 16 && end != std::string::npos; ++line) {
        end = written.find('\n', end);
        if (end != std::string::npos)
            ++end;
    }
    DesignInputs first;
    if (end == std::string::npos ||
        readDesignText(std::string_view(written).substr(0, end), kFileName, first)) {
        problems.push_back("the sixteen lines of a written design do not read alone");
        return;
    }
    DesignInputs expected = caseDesign(record, 0);
    expected.firstCaseName.clear();
    expected.sideFaceChoice = {};
    compareThroughFile(expected, first, "the sixteen lines of a written design", problems);
}

// Line `index` (0-based) of the bytes, without its line end; nullopt past the end.
std::optional<std::string> lineAt(std::string_view bytes, int index) {
    for (int i = 0; i < index; ++i) {
        const auto end = bytes.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt;
        bytes.remove_prefix(end + 1);
    }
    if (bytes.empty())
        return std::nullopt;
    std::string_view line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return std::string(line.substr(0, 64));
}

// The horizontal-check options lines 17 and 18 carry.
cli::CalcOptions optionsFrom(std::string_view bytes) {
    cli::CalcOptions options;
    if (const auto count = lineAt(bytes, 16))
        options.hCountText = *count;
    if (const auto bar = lineAt(bytes, 17)) {
        const auto position = parseNumber(*bar);
        if (position && *position >= -1 && *position < kBarCount &&
            *position == std::floor(*position))
            options.hBarIndex = static_cast<int>(*position);
    }
    if (const auto aggregate = lineAt(bytes, 18)) {
        const auto mm = parseNumber(*aggregate);
        if (mm && isValidSpacingSettingMm(*mm))
            options.spacingRule.maxAggregateMm = *mm;
    }
    return options;
}

// The IFC model of a design read, with the side-face bars and spacing rule
// of `options` and the anchorage line 20 gives (the default without one that
// reads): a well-formed file with one IfcReinforcingBar a bar whenever there
// is a model, a reason when there is none. An odd number of bytes writes
// IFC4, an even one IFC4X3.
void checkIfc(std::string_view bytes, const cli::CalculatedDesign& design,
              const cli::CalcOptions& options, std::vector<std::string>& problems) {
    model::IfcExportOptions exportOptions;
    exportOptions.sideFaces = {options.hBarIndex, barCountFromText(options.hCountText)};
    exportOptions.spacingRule = options.spacingRule;
    if (const auto text = lineAt(bytes, 19)) {
        std::string error;
        if (const auto rule = model::parseAnchorage(*text, error))
            exportOptions.anchorage = *rule;
    }
    const model::IfcSchema schema =
        bytes.size() % 2 == 1 ? model::IfcSchema::Ifc4 : model::IfcSchema::Ifc4x3;
    const model::IfcFileFacts facts{schema, model::BridgePart::Abutment, kFileName, "fuzz.ifc",
                                    "2026-01-01T00:00:00", "0"};
    const model::IfcExportResult result =
        model::exportIfc(design.inputs, design.results, exportOptions, facts);
    if (!result.text) {
        if (result.problem.empty())
            problems.push_back("the IFC export has neither a model nor a reason");
        return;
    }
    for (const std::string& problem :
         testing::stepFileProblems(*result.text, model::schemaName(schema)))
        problems.push_back("the IFC file: " + problem);
    const model::ModelOutcome built =
        model::buildBracketModel(design.inputs, exportOptions.sideFaces, exportOptions.anchorage);
    // Entities, not texts: an instance line starts "#n=IFCREINFORCINGBAR(",
    // and a bar designation may hold those words too.
    std::size_t bars = 0;
    std::istringstream lines(*result.text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (line.starts_with('#') && equals != std::string::npos &&
            line.find_first_not_of("0123456789", 1) == equals &&
            line.compare(equals + 1, 18, "IFCREINFORCINGBAR(") == 0)
            ++bars;
    }
    if (!built.model || bars != built.model->bars.size())
        problems.push_back("the IFC file has " + std::to_string(bars) +
                           " IfcReinforcingBar for the model's bars");
}

// Equal findings, a NaN value equal to a NaN (operator== says it is not).
bool sameFindings(const std::vector<Finding>& first, const std::vector<Finding>& second) {
    auto sameValue = [](const FindingValue& x, const FindingValue& y) {
        const bool sameNumber = x.value == y.value || (std::isnan(x.value) && std::isnan(y.value));
        return x.name == y.name && x.unit == y.unit && sameNumber;
    };
    auto same = [&](const Finding& x, const Finding& y) {
        return x.code == y.code && x.severity == y.severity && x.message == y.message &&
               std::equal(x.values.begin(), x.values.end(), y.values.begin(), y.values.end(),
                          sameValue);
    };
    return std::equal(first.begin(), first.end(), second.begin(), second.end(), same);
}

bool isSpacingCode(std::string_view code) {
    return code == finding_code::kBarsDoNotFit || code == finding_code::kLayersTooClose;
}

// How many findings of each code; the spacing codes only, or all others.
std::map<std::string, int> codeCounts(const std::vector<Finding>& findings, bool spacing) {
    std::map<std::string, int> counts;
    for (const Finding& finding : findings) {
        if (isSpacingCode(finding.code) == spacing)
            ++counts[finding.code];
    }
    return counts;
}

void checkFindings(const std::vector<Finding>& findings, std::vector<std::string>& problems) {
    using namespace finding_code;
    for (const Finding& f : findings) {
        const std::string_view code = f.code;
        const bool warningCode = code == kNonPositiveDimension || code == kTipDeeperThanRoot ||
                                 code == kOutsideMethodRange || code == kCoverBeyondDepth ||
                                 code == kUnknownBar || code == kBarsDoNotFit ||
                                 code == kNegativeBarCount || code == kSideFaceBarsNg;
        const bool noticeCode = code == kFractionalBarCount || code == kLayerWithoutBar ||
                                code == kUnitsLookWrong || code == kLayersTooClose ||
                                code == kImplausibleDimension || code == kPrintedInputRounded ||
                                code == kBarsTooFarApart;
        const bool known = warningCode || noticeCode || code == kLoadOffBracket;
        if (!known)
            problems.push_back("unknown warning code \"" + f.code + "\"");
        if ((warningCode && f.severity != Severity::Warning) ||
            (noticeCode && f.severity != Severity::Notice))
            problems.push_back("warning " + f.code + " has the severity " +
                               std::string(severityText(f.severity)));
        if (f.message.empty())
            problems.push_back("warning " + f.code + " has no message");
        checkText(f.message, "warning " + f.code, problems);
    }
}

// The warnings of a design: deterministic, well formed, and the spacing rule
// touching only the spacing codes, a stricter fixed minimum dropping none.
void checkWarnings(const DesignInputs& record, const DesignResults& results,
                   const ClearSpacingRule& rule, std::vector<std::string>& problems) {
    const std::vector<Finding> findings = findDesignWarnings(record, results, rule);
    if (!sameFindings(findDesignWarnings(record, results, rule), findings))
        problems.push_back("the warnings differ between two runs over the same design");
    checkFindings(findings, problems);

    ClearSpacingRule loose;
    loose.fixedMm = 1.0;
    ClearSpacingRule strict;
    strict.fixedMm = 1000.0;
    const std::vector<Finding> looseFindings = findDesignWarnings(record, results, loose);
    const std::vector<Finding> strictFindings = findDesignWarnings(record, results, strict);
    if (codeCounts(looseFindings, false) != codeCounts(findings, false) ||
        codeCounts(strictFindings, false) != codeCounts(findings, false))
        problems.push_back("the spacing rule changed a warning other than the spacing ones");
    const auto looseSpacing = codeCounts(looseFindings, true);
    auto strictSpacing = codeCounts(strictFindings, true);
    for (const auto& [code, count] : looseSpacing) {
        if (strictSpacing[code] < count)
            problems.push_back("a stricter minimum clear spacing dropped a " + code + " finding");
    }
}

void checkJson(const QJsonObject& object, bool searchText, std::vector<std::string>& problems) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue value = it.value();
        const std::string key = it.key().toStdString();
        if (value.isDouble() && !std::isfinite(value.toDouble()))
            problems.push_back("JSON: " + key + " is " + show(value.toDouble()));
        if (value.isNull() && key != "message")
            problems.push_back("JSON: " + key + " is null");
        if (value.isUndefined())
            problems.push_back("JSON: " + key + " is undefined");
    }
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    if (searchText)
        checkText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), "JSON",
                  problems);
}

// All records of a CSV text, up to the first error (whose reason, if any,
// goes to `error`).
std::vector<std::vector<std::string>> readCsv(std::string_view text, const CsvLimits& limits,
                                              std::string* error = nullptr) {
    std::istringstream in{std::string(text)};
    CsvReader reader(in, limits);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    CsvReader::Status status;
    while ((status = reader.next(fields)) == CsvReader::Status::Record)
        records.push_back(fields);
    if (status == CsvReader::Status::Error && error)
        *error = reader.error().reason;
    return records;
}

// The table of one design: the header and its row, as haltrix-calc csv
// writes them, read back through the table's columns into a fresh record.
std::optional<std::string> tableRoundTrip(const DesignInputs& design, const DesignResults& results,
                                          const std::vector<Finding>& warnings,
                                          DesignInputs& back) {
    std::string table;
    appendDesignTableHeader(table);
    table += "\r\n";
    appendDesignTableRow(table, kFileName, design, results, warnings);
    table += "\r\n";
    std::string error;
    const auto records = readCsv(table, CsvLimits{}, &error);
    if (!error.empty())
        return "its table does not read back: " + error;
    if (records.size() != 2)
        return "its table reads back as " + std::to_string(records.size()) + " records";
    TableColumns columns;
    if (const auto problem = mapTableColumns(records[0], columns, proposalTableColumns()))
        return "the table's own header is refused: " + *problem;
    if (const auto rowError = designFromTableRow(columns, records[1], back))
        return "its table row is refused at " + rowError->column + ": " + rowError->reason;
    return std::nullopt;
}

void checkFileName(std::string_view value, std::vector<std::string>& problems) {
    std::string name;
    if (tableRowFileName(value, name) || name.empty())
        return;
    std::string end = name.size() >= 4 ? name.substr(name.size() - 4) : name;
    for (char& ch : end)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const bool plain = name.find_first_of("/\\") == std::string::npos && name != "." &&
                       name != ".." && name.size() <= 255 && end == ".tvx";
    bool controls = false;
    for (unsigned char ch : name)
        controls = controls || ch < 0x20 || ch == 0x7F;
    if (!plain || controls)
        problems.push_back("row file name \"" + name.substr(0, 80) + "\" is not a plain name");
}

} // namespace

void checkSketch(const sketch::Sketch& drawn, std::vector<std::string>& problems) {
    for (const double number : sketch::numbersOf(drawn)) {
        if (!std::isfinite(number)) {
            problems.push_back("the sketch holds the number " + show(number));
            break;
        }
    }
    // Sizes are positive, so every text, arrowhead and bar can be seen.
    for (const sketch::View* view : {&drawn.elevation, &drawn.section}) {
        for (const sketch::Text& text : view->texts) {
            if (!(text.height > 0))
                problems.push_back("a sketch text has the height " + show(text.height));
        }
        for (const sketch::Circle& circle : view->circles) {
            if (!(circle.radius > 0))
                problems.push_back("a bar has the radius " + show(circle.radius));
        }
        if (view->circles.size() > 2 * (sketch::kMaxDrawnBarsPerLayer + 1))
            problems.push_back("the sketch draws " + std::to_string(view->circles.size()) +
                               " bars");
    }
    checkText(sketch::dxfText(drawn), "DXF", problems);
    for (const std::string& note : drawn.notes)
        checkText(note, "sketch note", problems);
}

std::size_t expectedReportLines(const DesignInputs& inputs, const DesignResults& results,
                                ReportVariant variant) {
    if (!standardUnitSystem(inputs.unitSystem))
        return 0;
    // Input-data section: 20 lines, the printed one 3 blank lines more.
    const std::size_t input = variant == ReportVariant::Print ? 23 : 20;
    // Result section: 42 lines in case 1, 36 in case 2.
    return input + (results.ratioCase == 1 ? 42 : 36);
}

std::vector<std::pair<std::string_view, double>> numberFields(const DesignInputs& r,
                                                              const DesignResults& results) {
    const SelfWeight& w = results.selfWeight;
    const MainReinforcement& m = results.main;
    const SideFaceReinforcement& h = results.sideFaces;
    std::vector<std::pair<std::string_view, double>> fields;
    for (const InputField& field : kInputFields) {
        if (field.number)
            fields.emplace_back(field.name, r.*field.number);
    }
    const std::pair<std::string_view, double> calculated[] = {
        {"N1", w.N1},
        {"x1", w.x1},
        {"M1", w.M1},
        {"N2", w.N2},
        {"x2", w.x2},
        {"M2", w.M2},
        {"Ntotal", w.Ntotal},
        {"M", w.M},
        {"layer1Area", m.layer1Area},
        {"layer2Area", m.layer2Area},
        {"S", m.S},
        {"sumAs", m.sumAs},
        {"d", m.d},
        {"Zc", m.Zc},
        {"tanAlpha", m.tanAlpha},
        {"Tp", m.Tp},
        {"Ast", m.Ast},
        {"hBarCount", h.barCount},
        {"hBarIndex", double(h.barIndex)},
        {"hBarArea", h.barArea},
        {"hAs", h.As},
        {"requiredHorizontalArea", h.required}};
    fields.insert(fields.end(), std::begin(calculated), std::end(calculated));
    return fields;
}

bool hasNonFiniteWord(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (!std::isalpha(static_cast<unsigned char>(text[i])) ||
            static_cast<unsigned char>(text[i]) >= 0x80) {
            ++i;
            continue;
        }
        std::string word;
        while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80 &&
               std::isalpha(static_cast<unsigned char>(text[i]))) {
            word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))));
            ++i;
        }
        if (word == "nan" || word == "inf" || word == "infinity")
            return true;
    }
    return false;
}

bool sameTo15Digits(double a, double b) {
    char first[64];
    char second[64];
    // Zero is written without a sign, so -0 and 0 are the same number here.
    std::snprintf(first, sizeof first, "%.14e", a == 0.0 ? 0.0 : a);
    std::snprintf(second, sizeof second, "%.14e", b == 0.0 ? 0.0 : b);
    return std::string_view(first) == second;
}

std::vector<std::string> checkDesignReader(std::string_view bytes) {
    std::vector<std::string> problems;
    const DesignInputs before = markedInputs();
    DesignInputs record = before;
    const auto error = readDesignText(bytes, kFileName, record);
    if (error) {
        if (!(record == before))
            problems.push_back("a failed read changed the inputs (" + error->message() + ")");
        if (error->line < 0 || error->line > 16 + 2 + static_cast<int>(kMaxLoadCases) + 1)
            problems.push_back("a read error names line " + std::to_string(error->line));
        if (error->reason.empty())
            problems.push_back("a read error gives no reason");
        return problems;
    }

    checkFinite(record, DesignResults{}, "read", problems);

    const std::string written = designFileText(record);
    DesignInputs reread = markedInputs();
    if (const auto again = readDesignText(written, kFileName, reread)) {
        problems.push_back("a design that was read cannot be read back after writing: " +
                           again->message());
        return problems;
    }
    compareThroughFile(record, reread, "a design read, written and read again", problems);
    if (designFileText(reread) != written)
        problems.push_back("writing the design read back gives a different file");
    checkCaseBlock(record, reread, written, problems);
    return problems;
}

std::vector<std::string> checkDesignRoad(std::string_view bytes) {
    std::vector<std::string> problems;
    const cli::CalcOptions options = optionsFrom(bytes);
    const cli::CalculatedDesign design = cli::calculateDesignText(bytes, kFileName, options);
    if (design.readError)
        return problems;
    const DesignInputs& r = design.inputs;
    const DesignResults& results = design.results;
    checkFinite(r, results, "design", problems);
    if (!std::isfinite(requiredMainArea(results)))
        problems.push_back("the governing main-steel area is " + show(requiredMainArea(results)));
    // The results are those of the inputs alone: calculating them again, even
    // after another design, gives the same.
    if (!(cli::calculateDesignText(bytes, kFileName, options).results == results))
        problems.push_back("calculating the same file twice gives other results");

    // A completed calculation judges the provided area against the governing one.
    const MainReinforcement& main = results.main;
    if (!results.message) {
        const double provided = providedMainArea(results);
        const bool ok = provided >= requiredMainArea(results);
        if (main.judgement != (ok ? kJudgementOk : kJudgementNg))
            problems.push_back("main judgement \"" + main.judgement + "\" for provided " +
                               show(provided) + " and required " + show(requiredMainArea(results)));
    } else if (messageHeadline(*results.message) != kInvalidInputMessage ||
               results.message->find('\n') == std::string::npos) {
        problems.push_back("unexpected message: " + *results.message);
    } else if (!main.judgement.empty()) {
        problems.push_back("a stopped calculation judges the main steel");
    }
    const SideFaceReinforcement& side = results.sideFaces;
    const bool horizontalOk = side.As >= side.required;
    const std::string expectedSide =
        results.message ? std::string() : (horizontalOk ? kJudgementOk : kJudgementNg);
    if (side.judgement != expectedSide)
        problems.push_back("horizontal judgement \"" + side.judgement + "\" for provided " +
                           show(side.As) + " and required " + show(side.required));

    // The bar designations are the user's own text and are echoed as they
    // are; the texts are searched for non-finite numbers with neutral ones.
    cli::CalculatedDesign shown = design;
    if (hasNonFiniteWord(shown.inputs.layer1Bar))
        shown.inputs.layer1Bar.assign(1, '-');
    if (hasNonFiniteWord(shown.inputs.layer2Bar))
        shown.inputs.layer2Bar.assign(1, '-');

    if (!sameFindings(design.warnings,
                      findCaseWarnings(r, design.calculation.cases, options.spacingRule)))
        problems.push_back("the calculated design carries other warnings than its inputs give");
    checkWarnings(shown.inputs, results, options.spacingRule, problems);
    checkProposal(bytes, r, options.spacingRule,
                  {options.hBarIndex, barCountFromText(options.hCountText)}, problems);
    shown.warnings = findDesignWarnings(shown.inputs, results, options.spacingRule);

    const QJsonObject json = cli::designJson(design);
    const QJsonArray jsonWarnings = json["warnings"].toArray();
    if (!json["warnings"].isArray() || jsonWarnings.size() != qsizetype(design.warnings.size()))
        problems.push_back("the JSON does not list the design's warnings");
    for (const QJsonValue& entry : jsonWarnings) {
        const QJsonObject warning = entry.toObject();
        if (warning.size() != 3 || !warning["code"].isString() || !warning["severity"].isString() ||
            !warning["message"].isString())
            problems.push_back("a JSON warning is not {code, severity, message}");
    }
    checkJson(json, false, problems);
    checkJson(cli::designJson(shown), true, problems);

    // The design table carries the inputs exactly; a table is text, so a
    // designation with a NUL byte cannot travel in one.
    if (r.layer1Bar.find('\0') == std::string::npos &&
        r.layer2Bar.find('\0') == std::string::npos) {
        // A row holds one case (the first) and not the side-face choice.
        DesignInputs sixteen = caseDesign(r, 0);
        sixteen.firstCaseName.clear();
        sixteen.sideFaceChoice = {};
        DesignInputs back;
        if (const auto problem = tableRoundTrip(r, results, design.warnings, back))
            problems.push_back("the design's " + *problem);
        else if (!(back == sixteen))
            problems.push_back("the design's table row reads back with other inputs");
    }
    std::string row;
    appendDesignTableRow(row, kFileName, shown.inputs, results, shown.warnings);
    checkText(row, "table row", problems);

    // The sketch, of the inputs and with the results, and its DXF text.
    checkSketch(sketch::buildSketch(shown.inputs), problems);
    checkSketch(cli::designSketch(shown), problems);
    checkIfc(bytes, design, options, problems);

    // The result window's sheet and the report of the results.
    const UnitSystem twin = unitSystemOf(r.unitSystem);
    for (const DesignInputs* inputs : {&design.inputs, &std::as_const(shown).inputs}) {
        const bool search = inputs == &shown.inputs;
        const Sheet sheet = fillSheet(*inputs, results, twin);
        for (const SheetGrid* grid : {&sheet.fg1, &sheet.fg2}) {
            for (const auto& cell : grid->cells) {
                if (search && cell)
                    checkText(*cell, "sheet cell", problems);
            }
        }
        for (const ReportVariant variant : {ReportVariant::Preview, ReportVariant::Print}) {
            const std::vector<std::string> lines = reportLines(*inputs, results, variant);
            const std::size_t expected = expectedReportLines(*inputs, results, variant);
            if (lines.size() != expected)
                problems.push_back("the report has " + std::to_string(lines.size()) +
                                   " lines instead of " + std::to_string(expected));
            if (search) {
                for (const std::string& line : lines)
                    checkText(line, "report line", problems);
            }
        }
    }
    return problems;
}

} // namespace haltrix::checks

namespace haltrix::checks {

std::vector<std::string> checkDesignTable(std::string_view bytes) {
    std::vector<std::string> problems;
    // Small limits, so that short inputs reach them (yet room for the
    // table's own columns).
    const CsvLimits limits{256, 8192, 48};
    std::istringstream in{std::string(bytes)};
    CsvReader reader(in, limits);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    CsvReader::Status status;
    while ((status = reader.next(fields)) == CsvReader::Status::Record) {
        if (reader.row() != static_cast<long>(records.size()) + 1)
            problems.push_back("record " + std::to_string(records.size() + 1) + " is numbered " +
                               std::to_string(reader.row()));
        if (fields.empty() || fields.size() > limits.maxFields)
            problems.push_back("a record has " + std::to_string(fields.size()) + " fields");
        std::size_t total = 0;
        for (const std::string& field : fields) {
            total += field.size();
            if (field.size() > limits.maxFieldBytes)
                problems.push_back("a field of " + std::to_string(field.size()) + " bytes");
            if (field.find('\0') != std::string::npos)
                problems.push_back("a field holds a NUL byte");
        }
        if (total > limits.maxRecordBytes)
            problems.push_back("a record of " + std::to_string(total) + " bytes");
        records.push_back(fields);
        if (records.size() > bytes.size()) {
            problems.push_back("more records than bytes");
            return problems;
        }
    }
    if (status == CsvReader::Status::Error) {
        const CsvError& error = reader.error();
        if (error.row < 1 || error.line < 1 || error.reason.empty())
            problems.push_back("an error at row " + std::to_string(error.row) + ", line " +
                               std::to_string(error.line) + " with reason \"" + error.reason +
                               "\"");
        if (error.row != static_cast<long>(records.size()) + 1)
            problems.push_back("the error names row " + std::to_string(error.row) + " after " +
                               std::to_string(records.size()) + " records");
        if (reader.next(fields) != CsvReader::Status::Error)
            problems.push_back("the reader went on after an error");
    }

    // Writer and reader agree.
    std::string written;
    for (const auto& record : records) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0)
                written += ',';
            appendCsvField(written, record[i]);
        }
        written += '\n';
    }
    std::string error;
    const CsvLimits generous{1 << 20, 1 << 24, 1 << 16};
    if (readCsv(written, generous, &error) != records)
        problems.push_back("records written as CSV read back differently" +
                           (error.empty() ? std::string() : " (" + error + ")"));

    if (records.empty())
        return problems;
    TableColumns columns;
    if (mapTableColumns(records[0], columns, proposalTableColumns()))
        return problems;
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (columns.file && *columns.file < records[i].size())
            checkFileName(records[i][*columns.file], problems);
        DesignInputs design;
        if (designFromTableRow(columns, records[i], design))
            continue;
        DesignInputs reread;
        if (const auto again = readDesignText(designFileText(design), kFileName, reread)) {
            problems.push_back("a design from the table cannot be read back from its file: " +
                               again->message());
            continue;
        }
        compareThroughFile(design, reread, "a design from the table through its file", problems);
        DesignInputs back;
        if (const auto problem = tableRoundTrip(design, DesignResults{}, {}, back))
            problems.push_back("a table row's design: " + *problem);
        else if (!(back == design))
            problems.push_back(
                "a table row's design reads back from its own row with other inputs");
    }
    return problems;
}

} // namespace haltrix::checks
