// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "files/csv.h"
#include "files/design_file.h"
#include "files/design_table.h"
#include "exit_status.h"
#include "files/file_path.h"
#include "design/load_cases.h"
#include "studies/proposal_columns.h"

namespace haltrix::cli {

namespace {

namespace fs = std::filesystem;

// Exit statuses of table beside the shared ones.
constexpr int kExitBadRows = 3;

constexpr const char* kNothingWritten = "。表を読めないので、設計ファイルは一つも書いていません";

struct TableOptions {
    std::string input;
    std::string outDir;
};

bool parseTableOptions(const std::vector<std::string>& args, TableOptions& options,
                       std::string& error) {
    std::size_t tables = 0;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyFiles || arg.empty() || arg[0] != '-') {
            if (tables++ == 0)
                options.input = arg;
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--out-dir") {
            if (i + 1 >= args.size()) {
                error = "--out-dir には値を指定してください";
                return false;
            }
            options.outDir = args[++i];
        } else {
            error = "使えないオプションです: " + arg;
            return false;
        }
    }
    if (tables != 1) {
        error = tables == 0 ? "表が指定されていません" : "表は一つだけ指定してください";
        return false;
    }
    if (options.outDir.empty()) {
        error = "--out-dir DIR を指定してください";
        return false;
    }
    return true;
}

std::string where(const std::string& table, long row) {
    return "haltrix-calc table: " + table + " 行 " + std::to_string(row);
}

// Opens the table; says why when it cannot.
bool openTable(const std::string& path, std::ifstream& in) {
    std::error_code ec;
    if (fs::is_directory(filesystemPath(path), ec)) {
        std::cerr << "haltrix-calc table: " << path
                  << ": フォルダーです。CSV ファイルを選んでください\n";
        return false;
    }
    in.open(filesystemPath(path), std::ios::binary);
    if (!in) {
        std::cerr << "haltrix-calc table: " << path << ": 開けません\n";
        return false;
    }
    return true;
}

// Reads the header into `columns`; false (after saying why) when the table
// has none or it lacks a column.
bool readHeader(CsvReader& reader, const std::string& path, std::vector<std::string>& fields,
                TableColumns& columns) {
    switch (reader.next(fields)) {
    case CsvReader::Status::End:
        std::cerr << "haltrix-calc table: " << path << ": 表が空です（見出しの行がありません）\n";
        return false;
    case CsvReader::Status::Error:
        std::cerr << where(path, reader.error().row) << "（" << reader.error().line
                  << " 行目のテキスト）: " << reader.error().reason << kNothingWritten << "\n";
        return false;
    case CsvReader::Status::Record:
        break;
    }
    if (const auto problem = mapTableColumns(fields, columns, proposalTableColumns())) {
        std::cerr << "haltrix-calc table: " << path << ": " << *problem << "\n";
        return false;
    }
    return true;
}

bool allEmpty(const std::vector<std::string>& fields) {
    for (const std::string& field : fields) {
        if (!field.empty())
            return false;
    }
    return true;
}

// The first pass: the whole table must be well-formed CSV before any design
// file is written, so a broken table writes nothing.
bool checkTable(const std::string& path) {
    std::ifstream in;
    if (!openTable(path, in))
        return false;
    CsvReader reader(in);
    std::vector<std::string> fields;
    TableColumns columns;
    if (!readHeader(reader, path, fields, columns))
        return false;
    for (;;) {
        switch (reader.next(fields)) {
        case CsvReader::Status::Record:
            continue;
        case CsvReader::Status::End:
            return true;
        case CsvReader::Status::Error:
            std::cerr << where(path, reader.error().row) << "（" << reader.error().line
                      << " 行目のテキスト）: " << reader.error().reason << kNothingWritten << "\n";
            return false;
        }
    }
}

std::string lowerAscii(std::string text) {
    for (char& ch : text) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return text;
}

} // namespace

int runTableCommand(const std::vector<std::string>& args) {
    TableOptions options;
    std::string error;
    if (!parseTableOptions(args, options, error)) {
        std::cerr << "haltrix-calc table: " << error << "\n";
        return kExitUsage;
    }
    if (!checkTable(options.input))
        return kExitUnreadable;

    const fs::path outDir = filesystemPath(options.outDir);
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec || !fs::is_directory(outDir, ec)) {
        std::cerr << "haltrix-calc table: " << options.outDir
                  << ": 出力先のフォルダーを作れません\n";
        return kExitNoOutput;
    }

    std::ifstream in;
    if (!openTable(options.input, in))
        return kExitUnreadable;
    CsvReader reader(in);
    std::vector<std::string> fields;
    TableColumns columns;
    if (!readHeader(reader, options.input, fields, columns))
        return kExitUnreadable;
    for (const std::string& name : columns.ignored)
        std::cerr << "haltrix-calc table: " << options.input << ": 列「" << name
                  << "」は設計表の列ではないので読みません\n";

    // The designs in the order of their first row. With a case column, rows
    // of the same file name and different cases make one design, in row
    // order; each is written once the whole table is read.
    struct PendingDesign {
        std::string target; // the path written; the file name only for a refused design
        long firstRow = 0;
        DesignInputs inputs;
        std::vector<LoadCase> cases;
        std::vector<long> rows;
        bool refused = false;
    };
    std::vector<PendingDesign> designs;
    bool badRows = false;
    bool unwritten = false;
    std::map<std::string, std::size_t> usedNames; // lower-case name -> its design
    while (reader.next(fields) == CsvReader::Status::Record) {
        const long row = reader.row();
        if (allEmpty(fields))
            continue;
        auto refuse = [&](const std::string& what) {
            std::cerr << where(options.input, row) << what
                      << "。この行の設計ファイルは書いていません\n";
            badRows = true;
        };
        DesignInputs inputs;
        if (const auto rowError = designFromTableRow(columns, fields, inputs)) {
            std::string what = rowError->column.empty()
                                   ? ""
                                   : "、列 " + rowError->column + "（" +
                                         spreadsheetColumnName(rowError->index) + " 列）";
            refuse(what + ": " + rowError->reason);
            // A design missing one of its cases is not written at all.
            if (columns.loadCase && columns.file) {
                std::string name;
                if (!tableRowFileName(fields[*columns.file], name) && !name.empty()) {
                    const auto known = usedNames.find(lowerAscii(name));
                    if (known != usedNames.end()) {
                        designs[known->second].refused = true;
                    } else {
                        usedNames.emplace(lowerAscii(name), designs.size());
                        designs.push_back({name, row, {}, {}, {row}, true});
                    }
                }
            }
            continue;
        }
        std::string name;
        if (columns.file) {
            if (const auto nameError = tableRowFileName(fields[*columns.file], name)) {
                refuse("、列 file（" + spreadsheetColumnName(*columns.file) +
                       " 列）: " + *nameError);
                continue;
            }
        }
        if (name.empty())
            name = numberedTableRowFileName(row);
        const LoadCase loadCase{columns.loadCase ? fields[*columns.loadCase] : std::string(),
                                inputs.P, inputs.H, inputs.sigmaSa};
        if (columns.loadCase && loadCase.name.find_first_of("\t\r\n") != std::string::npos) {
            refuse("、列 case（" + spreadsheetColumnName(*columns.loadCase) +
                   " 列）: ケースの名称にタブや改行があります");
            continue;
        }
        const auto known = usedNames.find(lowerAscii(name));
        if (known != usedNames.end()) {
            PendingDesign& design = designs[known->second];
            if (!columns.loadCase) {
                refuse(": ファイル名 " + name + " は行 " + std::to_string(design.firstRow) +
                       " がすでに使っています");
                continue;
            }
            // Another case of the design: its other inputs must be the design's.
            DesignInputs shared = inputs;
            shared.P = design.inputs.P;
            shared.H = design.inputs.H;
            shared.sigmaSa = design.inputs.sigmaSa;
            std::string problem;
            for (const LoadCase& other : design.cases) {
                if (other.name == loadCase.name)
                    problem = ": ケース「" + loadCase.name + "」は同じファイルにすでにあります";
            }
            if (problem.empty() && !design.refused && !(shared == design.inputs))
                problem = ": P、H、σsa のほかの値が行 " + std::to_string(design.firstRow) +
                          " と異なります（同じファイルのケースは形状と鉄筋を共有します）";
            if (!problem.empty()) {
                refuse(problem);
                design.refused = true;
                continue;
            }
            design.cases.push_back(loadCase);
            design.rows.push_back(row);
            continue;
        }
        // The name is UTF-8 text (tableRowFileName), the core's form of a
        // name on every system.
        const std::string target = coreFileName(outDir / filesystemPath(name));
        const auto status = fs::symlink_status(filesystemPath(target), ec);
        if (!ec && fs::exists(status) && !fs::is_regular_file(status)) {
            refuse(": " + target + " はファイルではありません（リンクやフォルダーには書きません）");
            continue;
        }
        usedNames.emplace(lowerAscii(name), designs.size());
        designs.push_back({target, row, inputs, {loadCase}, {row}, false});
    }
    for (PendingDesign& design : designs) {
        if (design.refused) {
            if (design.rows.size() > 1 || columns.loadCase) {
                std::cerr << where(options.input, design.firstRow) << ": " << design.target
                          << " はケースの行に誤りがあるため書いていません\n";
                badRows = true;
            }
            continue;
        }
        setLoadCases(design.inputs, design.cases);
        if (const auto writeError = writeDesignFile(design.target, design.inputs)) {
            std::cerr << "haltrix-calc: " << writeError->message() << "\n";
            unwritten = true;
            continue;
        }
        std::cout << design.target << "\n";
    }
    if (reader.error().reason.size() > 0) {
        // Cannot happen after the first pass unless the file changed meanwhile.
        std::cerr << where(options.input, reader.error().row) << ": " << reader.error().reason
                  << "\n";
        return kExitUnreadable;
    }
    if (unwritten)
        return kExitNoOutput;
    return badRows ? kExitBadRows : kExitOk;
}

} // namespace haltrix::cli
