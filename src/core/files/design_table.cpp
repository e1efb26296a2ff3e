// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/design_table.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "design/bar_table.h"
#include "design/notifier.h"
#include "files/csv.h"
#include "files/design_file.h"
#include "design/input_fields.h"
#include "paper/number_format.h"
#include "paper/utf8.h"

namespace haltrix {

namespace {

// What one row is written from.
struct RowSource {
    std::string_view file;
    const DesignInputs& inputs;
    const DesignResults& results;
    const std::vector<Finding>& warnings;
};

// How a column is read back into a design, if at all.
enum class ReadAs { Nothing, File, Number, Text, UnitSystem };

using Writer = void (*)(std::string&, const RowSource&);

// An input column reads and writes its field of the inputs; any other column has
// a writer.
struct Column {
    std::string_view name;
    ReadAs readAs;
    double DesignInputs::*number = nullptr;
    std::string DesignInputs::*text = nullptr;
    Writer write = nullptr;
};

constexpr Column result(std::string_view name, Writer write) {
    return {name, ReadAs::Nothing, nullptr, nullptr, write};
}

constexpr Column kFileColumn{
    kTableFileColumn, ReadAs::File, nullptr, nullptr,
    [](std::string& out, const RowSource& s) { appendCsvField(out, s.file); }};

// The input columns come from the table of the inputs; these follow them.
const Column kResultColumns[] = {
    result("ratioCase", [](std::string& out,
                           const RowSource& s) { out += std::to_string(s.results.ratioCase); }),
    result("S", [](std::string& out,
                   const RowSource& s) { appendRoundTripText(out, s.results.main.S); }),
    result("sumAs", [](std::string& out,
                       const RowSource& s) { appendRoundTripText(out, s.results.main.sumAs); }),
    result("Ast", [](std::string& out,
                     const RowSource& s) { appendRoundTripText(out, s.results.main.Ast); }),
    result("requiredMainArea",
           [](std::string& out, const RowSource& s) {
               appendRoundTripText(out, requiredMainArea(s.results));
           }),
    result("providedMainArea",
           [](std::string& out, const RowSource& s) {
               appendRoundTripText(out, providedMainArea(s.results));
           }),
    result("mainJudgement",
           [](std::string& out, const RowSource& s) {
               appendCsvField(out, s.results.main.judgement);
           }),
    result("hBar",
           [](std::string& out, const RowSource& s) {
               appendCsvField(out, barNameByIndex(s.results.sideFaces.barIndex));
           }),
    result("hBarCount",
           [](std::string& out, const RowSource& s) {
               appendRoundTripText(out, s.results.sideFaces.barCount);
           }),
    result("hAs", [](std::string& out,
                     const RowSource& s) { appendRoundTripText(out, s.results.sideFaces.As); }),
    result("requiredHorizontalArea",
           [](std::string& out, const RowSource& s) {
               appendRoundTripText(out, s.results.sideFaces.required);
           }),
    result("horizontalJudgement",
           [](std::string& out, const RowSource& s) {
               appendCsvField(out, s.results.sideFaces.judgement);
           }),
    result("message",
           [](std::string& out, const RowSource& s) {
               if (s.results.message)
                   appendCsvField(out, messageOnOneLine(*s.results.message));
           }),
    result("warnings",
           [](std::string& out, const RowSource& s) {
               std::string codes;
               for (const Finding& finding : s.warnings)
                   codes += (codes.empty() ? "" : ";") + finding.code;
               appendCsvField(out, codes);
           }),
};

// The file, every input in the order of the inputs' table, the results.
const std::vector<Column>& columns() {
    static const std::vector<Column> list = [] {
        std::vector<Column> all{kFileColumn};
        for (const InputField& field : kInputFields) {
            if (field.kind == InputKind::UnitSystem)
                all.push_back({field.name, ReadAs::UnitSystem, nullptr, nullptr,
                               [](std::string& out, const RowSource& s) {
                                   out += std::to_string(s.inputs.unitSystem);
                               }});
            else if (field.text)
                all.push_back({field.name, ReadAs::Text, nullptr, field.text, nullptr});
            else
                all.push_back({field.name, ReadAs::Number, field.number, nullptr, nullptr});
        }
        all.insert(all.end(), std::begin(kResultColumns), std::end(kResultColumns));
        return all;
    }();
    return list;
}

void writeColumn(std::string& out, const Column& column, const RowSource& source) {
    if (column.number)
        appendRoundTripText(out, source.inputs.*column.number);
    else if (column.text)
        appendCsvField(out, source.inputs.*column.text);
    else
        column.write(out, source);
}

const Column* columnByName(std::string_view name) {
    for (const Column& column : columns()) {
        if (column.name == name)
            return &column;
    }
    return nullptr;
}

// A value quoted in a message, cut short when long.
std::string quoted(std::string_view value) {
    constexpr std::size_t kShown = 40;
    if (value.size() <= kShown)
        return "「" + std::string(value) + "」";
    std::size_t cut = kShown;
    while (cut > 0 && isUtf8Continuation(static_cast<unsigned char>(value[cut])))
        --cut;
    return "「" + std::string(value.substr(0, cut)) + "…」";
}

bool endsWithTvx(std::string_view name) {
    if (name.size() < 4)
        return false;
    std::string_view end = name.substr(name.size() - 4);
    const char* expected = ".tvx";
    for (std::size_t i = 0; i < 4; ++i) {
        char ch = end[i];
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
        if (ch != expected[i])
            return false;
    }
    return true;
}

// Longest file name most file systems take, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

} // namespace

const std::vector<std::string_view>& designTableColumns() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> list;
        for (const Column& column : columns())
            list.push_back(column.name);
        return list;
    }();
    return names;
}

const std::vector<std::string_view>& tableInputColumns() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> list;
        for (const Column& column : columns()) {
            if (column.readAs != ReadAs::Nothing && column.readAs != ReadAs::File)
                list.push_back(column.name);
        }
        return list;
    }();
    return names;
}

void appendDesignTableHeader(std::string& out) {
    bool first = true;
    for (const Column& column : columns()) {
        if (!first)
            out.push_back(',');
        first = false;
        appendCsvField(out, column.name);
    }
}

void appendDesignTableRow(std::string& out, std::string_view file, const DesignInputs& inputs,
                          const DesignResults& results, const std::vector<Finding>& warnings) {
    const RowSource source{file, inputs, results, warnings};
    bool first = true;
    for (const Column& column : columns()) {
        if (!first)
            out.push_back(',');
        first = false;
        writeColumn(out, column, source);
    }
}

void appendDesignTableHeaderWithCase(std::string& out) {
    std::string rest;
    appendDesignTableHeader(rest);
    const std::size_t comma = rest.find(',');
    out += rest.substr(0, comma);
    out += ',';
    appendCsvField(out, kTableCaseColumn);
    out += rest.substr(comma);
}

void appendDesignTableCaseRow(std::string& out, std::string_view file, std::string_view caseName,
                              const DesignInputs& inputs, const DesignResults& results,
                              const std::vector<Finding>& warnings) {
    appendCsvField(out, file);
    out += ',';
    appendCsvField(out, caseName);
    // The row without its file column.
    const RowSource source{file, inputs, results, warnings};
    for (const Column& column : columns()) {
        if (column.readAs == ReadAs::File)
            continue;
        out.push_back(',');
        writeColumn(out, column, source);
    }
}

std::optional<std::string> mapTableColumns(const std::vector<std::string>& header,
                                           TableColumns& columns,
                                           const std::vector<std::string_view>& passOver) {
    const auto& inputs = tableInputColumns();
    TableColumns found;
    found.count = header.size();
    std::vector<std::optional<std::size_t>> at(inputs.size());
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& name = header[i];
        if (name == kTableCaseColumn) {
            if (found.loadCase)
                return "列 " + name + " が二度あります（" + spreadsheetColumnName(*found.loadCase) +
                       " 列と " + spreadsheetColumnName(i) + " 列）";
            found.loadCase = i;
            continue;
        }
        const Column* column = columnByName(name);
        if (!column && std::find(passOver.begin(), passOver.end(), name) != passOver.end())
            continue;
        if (!column) {
            found.ignored.push_back(name);
            continue;
        }
        if (column->readAs == ReadAs::Nothing)
            continue;
        std::optional<std::size_t>* slot = &found.file;
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            if (inputs[k] == name)
                slot = &at[k];
        }
        if (*slot)
            return "列 " + name + " が二度あります（" + spreadsheetColumnName(**slot) + " 列と " +
                   spreadsheetColumnName(i) + " 列）";
        *slot = i;
    }
    std::string missing;
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        if (at[k])
            found.input.push_back(*at[k]);
        else
            missing += (missing.empty() ? "" : ", ") + std::string(inputs[k]);
    }
    if (!missing.empty())
        return "見出しの行に設計に必要な列がありません: " + missing;
    columns = std::move(found);
    return std::nullopt;
}

std::optional<TableRowError> designFromTableRow(const TableColumns& columns,
                                                const std::vector<std::string>& fields,
                                                DesignInputs& record) {
    if (fields.size() != columns.count)
        return TableRowError{"", 0,
                             "値が " + std::to_string(fields.size()) + " 個あります（見出しは " +
                                 std::to_string(columns.count) + " 個）"};
    DesignInputs read = record;
    const auto& inputs = tableInputColumns();
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const std::size_t index = columns.input[k];
        const std::string& value = fields[index];
        const Column& column = *columnByName(inputs[k]);
        auto error = [&](std::string reason) {
            return TableRowError{std::string(column.name), index, std::move(reason)};
        };
        switch (column.readAs) {
        case ReadAs::Number: {
            const auto number = parseNumber(value);
            if (!number)
                return error(value.empty() ? "値がありません"
                                           : quoted(value) + "は数値ではありません");
            read.*column.number = *number;
            break;
        }
        case ReadAs::Text:
            // A design file holds the designation on one line.
            if (value.find('\n') != std::string::npos)
                return error("鉄筋の呼び名に改行があります");
            if (value.size() > kMaxDesignLineLength)
                return error("鉄筋の呼び名が長すぎます");
            read.*column.text = value;
            break;
        case ReadAs::UnitSystem: {
            // The rule of the design file's line 16.
            const auto flag = parseNumber(value);
            if (!flag || *flag != std::floor(*flag) ||
                *flag < std::numeric_limits<std::int32_t>::min() ||
                *flag > std::numeric_limits<std::int32_t>::max())
                return error(quoted(value) + "は単位系の整数ではありません");
            read.unitSystem = static_cast<std::int32_t>(*flag);
            break;
        }
        case ReadAs::Nothing:
        case ReadAs::File:
            break;
        }
    }
    record = std::move(read);
    return std::nullopt;
}

std::optional<std::string> tableRowFileName(std::string_view fileValue, std::string& name) {
    const std::size_t slash = fileValue.find_last_of("/\\");
    if (slash != std::string_view::npos)
        fileValue.remove_prefix(slash + 1);
    std::string clean;
    for (std::size_t i = 0; i < fileValue.size();) {
        const Utf8Char character = decodeUtf8(fileValue, i);
        const std::size_t length = character.length;
        if (!character.valid) {
            clean.push_back('_');
            ++i;
            continue;
        }
        const char ch = fileValue[i];
        const bool refused =
            length == 1 && (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F ||
                            std::string_view("<>:\"|?*").find(ch) != std::string_view::npos);
        if (refused)
            clean.push_back('_');
        else
            clean.append(fileValue.substr(i, length));
        i += length;
    }
    if (clean.empty() || clean == "." || clean == "..") {
        name.clear();
        return std::nullopt;
    }
    if (!endsWithTvx(clean))
        clean += ".tvx";
    if (clean.size() > kMaxFileNameBytes)
        return "ファイル名が長すぎます（" + std::to_string(kMaxFileNameBytes) + " バイトまで）";
    name = std::move(clean);
    return std::nullopt;
}

std::string numberedTableRowFileName(long row) {
    return "row-" + std::to_string(row) + ".tvx";
}

std::string spreadsheetColumnName(std::size_t index) {
    std::string name;
    std::size_t n = index + 1;
    while (n > 0) {
        --n;
        name.insert(name.begin(), static_cast<char>('A' + n % 26));
        n /= 26;
    }
    return name;
}

} // namespace haltrix
