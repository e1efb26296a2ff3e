// SPDX-License-Identifier: GPL-3.0-or-later
// The core's decisive cases with nothing but the standard library, so that the
// same program runs natively and, cross-built with MinGW-w64, on Windows (or
// Wine): the worked examples field by field, the sheet and report goldens and
// the design file byte for byte, saving over a file, CR LF and LF line ends,
// a path in Japanese, a failed save that keeps the old file, and a design
// converted between the unit systems and carried through the design table.
//
//   test_portable_check EXAMPLES_DIR TEST_DATA_DIR
//
// Each failure is one line on standard error; the last line counts the
// checks. Exit status 0 when all passed, 1 when one failed, 2 on bad usage.
// The folders are given in plain ASCII (Windows hands argv over in the ANSI
// code page).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/csv.h"
#include "design/design_calculation.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "files/design_table.h"
#include "design/engine.h"
#include "files/file_path.h"
#include "design/horizontal_check.h"
#include "design/input_fields.h"
#include "design/notifier.h"
#include "recording_notifier.h"
#include "paper/report.h"
#include "paper/sheet.h"
#include "studies/proposal_columns.h"
#include "studies/sweep.h"
#include "design/unit_system.h"
#include "studies/unit_conversion.h"
#include "worked_examples.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;
using namespace haltrix;

namespace {

int g_checks = 0;
int g_failures = 0;

bool check(bool ok, const std::string& what) {
    ++g_checks;
    if (!ok) {
        ++g_failures;
        std::cerr << "FAIL: " << what << "\n";
    }
    return ok;
}

// Agreement with a value quoted to about six significant digits.
bool agrees(double actual, double expected) {
    return std::fabs(actual - expected) <= 5e-7 * std::max(1.0, std::fabs(expected));
}

std::string number(double value) {
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Names in `folder` other than `except`: what a save may have left behind.
std::vector<std::string> otherEntries(const fs::path& folder, const std::string& except) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = coreFileName(entry.path().filename());
        if (name != except)
            names.push_back(name);
    }
    return names;
}

// The first line where two texts differ, for a readable failure.
std::string firstDifference(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string lineA;
    std::string lineE;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE)
            return "same lines, different line ends";
        if (moreA != moreE || lineA != lineE)
            return "line " + std::to_string(line) + ": \"" + (moreA ? lineA : "<end>") +
                   "\", expected \"" + (moreE ? lineE : "<end>") + "\"";
    }
}

// The worked example's files as the program writes them: a blank, the
// number, a blank, CR LF; the designations as they are.
const std::string kWorkedGravitationalFile =
    " 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n 2.5 \r\n 1800 \r\n"
    " 10 \r\n 0 \r\n 10 \r\n 25 \r\nD22\r\n 4 \r\nD22\r\n 2 \r\n 1 \r\n";
const std::string kWorkedSIFile =
    " 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n 24.5 \r\n 180 \r\n"
    " 100 \r\n 0 \r\n 100 \r\n 250 \r\nD22\r\n 4 \r\nD22\r\n 2 \r\n 2 \r\n";

// The results beside the hand-worked values.
std::vector<std::pair<const char*, std::pair<double, double>>>
resultFields(const DesignResults& r, const WorkedResults& e) {
    const SelfWeight& w = r.selfWeight;
    const MainReinforcement& m = r.main;
    return {{"N1", {w.N1, e.N1}},
            {"x1", {w.x1, e.x1}},
            {"M1", {w.M1, e.M1}},
            {"N2", {w.N2, e.N2}},
            {"x2", {w.x2, e.x2}},
            {"M2", {w.M2, e.M2}},
            {"Ntotal", {w.Ntotal, e.Ntotal}},
            {"M", {w.M, e.M}},
            {"S", {m.S, e.S}},
            {"sumAs", {m.sumAs, e.sumAs}},
            {"layer1Area", {m.layer1Area, e.layer1Area}},
            {"layer2Area", {m.layer2Area, e.layer2Area}},
            {"d", {m.d, e.d}},
            {"Zc", {m.Zc, e.Zc}},
            {"tanAlpha", {m.tanAlpha, e.tanAlpha}},
            {"Tp", {m.Tp, e.Tp}},
            {"Ast", {m.Ast, e.Ast}}};
}

// The example files hold the worked examples; calculated in either formula
// case they give the hand-worked values.
void workedExamples(const std::string& examples) {
    const struct {
        const char* file;
        DesignInputs inputs;
        WorkedResults results;
    } cases[] = {
        {"bracket-gravitational.tvx", workedGravitational(), workedResultsGravitational()},
        {"bracket-si.tvx", workedSI(), workedResultsSI()},
    };
    for (const auto& example : cases) {
        const std::string name = example.file;
        DesignInputs read;
        if (!check(!readDesignFile(examples + "/" + name, read), name + ": read"))
            continue;
        for (const InputField& f : kInputFields) {
            const std::string field(f.name);
            if (f.number)
                check(read.*f.number == example.inputs.*f.number,
                      name + ": " + field + " is " + number(read.*f.number) + ", expected " +
                          number(example.inputs.*f.number));
            if (f.text)
                check(read.*f.text == example.inputs.*f.text,
                      name + ": " + field + " " + read.*f.text);
        }
        check(read.unitSystem == example.inputs.unitSystem,
              name + ": unitSystem " + std::to_string(read.unitSystem));
        // a / H2 = 0.3 / 0.7, not above one half
        check(formulaCaseOf(read) == 1,
              name + ": formula case " + std::to_string(formulaCaseOf(read)));

        for (int ratioCase : {1, 2}) {
            const std::string where = name + " case " + std::to_string(ratioCase) + ": ";
            testing::RecordingNotifier notifier;
            const DesignResults r = calculateDesignInCase(read, ratioCase, {}, notifier);
            check(r.completed() && notifier.count() == 0, where + "the calculation stopped");
            for (const auto& [field, values] : resultFields(r, example.results))
                check(agrees(values.first, values.second),
                      where + field + " is " + number(values.first) + ", expected " +
                          number(values.second));
            check(r.main.judgement == kJudgementOk,
                  where + "judgement \"" + r.main.judgement + "\"");
            // Case 1 governs by Ast (more than 2/3 of sumAs), case 2 by sumAs.
            const double governing = ratioCase == 1 ? example.results.Ast : example.results.sumAs;
            check(agrees(requiredMainArea(r), governing),
                  where + "required main area " + number(requiredMainArea(r)));
        }
    }
}

// The grids as the sheet goldens hold them: cells joined by tabs, the
// self-weight grid, an empty line, the result grid.
std::string sheetText(const Sheet& sheet) {
    std::string text;
    for (const SheetGrid* grid : {&sheet.fg1, &sheet.fg2}) {
        if (grid == &sheet.fg2)
            text += '\n';
        for (int row = 0; row < grid->rows; ++row) {
            for (int column = 0; column < grid->columns; ++column) {
                if (column > 0)
                    text += '\t';
                text += grid->cell(row, column).value_or("");
            }
            text += '\n';
        }
    }
    return text;
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

void compareWithGolden(const std::string& actual, const std::string& data,
                       const std::string& golden) {
    const std::string expected = readBytes(fs::path(data) / golden);
    if (!check(!expected.empty(), golden + ": missing or empty"))
        return;
    check(actual == expected, golden + ": " + firstDifference(actual, expected));
}

// The example designs through the result window's load sequence (nothing
// chosen in the bar list, count "4"), against the goldens of the sheet and of
// both report variants.
void goldens(const std::string& examples, const std::string& data) {
    const struct {
        const char* example;
        std::int32_t ratioCase;
        const char* sheet;
        const char* report;
    } sets[] = {
        {"bracket-gravitational.tvx", 1, "sheet-grav-case1.txt", "report-grav-case1"},
        {"bracket-gravitational.tvx", 2, "sheet-grav-case2.txt", "report-grav-case2"},
        {"bracket-si.tvx", 1, "sheet-si-case1.txt", "report-si-case1"},
        {"bracket-si.tvx", 2, "sheet-si-case2.txt", "report-si-case2"},
    };
    for (const auto& set : sets) {
        DesignInputs inputs;
        if (!check(!readDesignFile(examples + "/" + set.example, inputs),
                   std::string(set.example) + ": read"))
            continue;
        const UnitSystem twin = unitSystemOf(inputs.unitSystem);
        testing::RecordingNotifier notifier;
        const DesignResults results = calculateDesignInCase(inputs, set.ratioCase, {}, notifier);
        compareWithGolden(sheetText(fillSheet(inputs, results, twin)), data, set.sheet);
        compareWithGolden(joinedLines(reportLines(inputs, results, ReportVariant::Preview)), data,
                          std::string(set.report) + "-preview.txt");
        compareWithGolden(joinedLines(reportLines(inputs, results, ReportVariant::Print)), data,
                          std::string(set.report) + "-print.txt");
    }
}

// The design file's bytes, written and as shipped in examples/.
void designFileBytes(const std::string& examples, const std::string& work) {
    check(designFileText(workedGravitational()) == kWorkedGravitationalFile,
          "design text of the gravitational example");
    check(designFileText(workedSI()) == kWorkedSIFile, "design text of the SI example");
    DesignInputs negative = workedGravitational();
    negative.H = -0.25;
    check(designFileText(negative).find("\r\n 10 \r\n-0.25 \r\n 10 \r\n") != std::string::npos,
          "a negative number starts with its sign");

    const std::string written = work + "/written.tvx";
    check(!writeDesignFile(written, workedGravitational()), "write written.tvx");
    check(readBytes(filesystemPath(written)) == kWorkedGravitationalFile,
          "written.tvx holds the design text byte for byte");
    check(readBytes(filesystemPath(examples + "/bracket-gravitational.tvx")) ==
              kWorkedGravitationalFile,
          "examples/bracket-gravitational.tvx is what the program writes");
    check(readBytes(filesystemPath(examples + "/bracket-si.tvx")) == kWorkedSIFile,
          "examples/bracket-si.tvx is what the program writes");
}

// Saving over an existing, longer file leaves exactly the new bytes and no
// temporary file; saving the same design again gives the same bytes.
void saveOverExisting(const std::string& work) {
    const fs::path folder = filesystemPath(work + "/over");
    fs::create_directory(folder);
    const std::string path = work + "/over/design.tvx";
    writeBytes(filesystemPath(path), std::string(10000, 'x'));
    check(!writeDesignFile(path, workedSI()), "save over a longer file");
    check(readBytes(filesystemPath(path)) == kWorkedSIFile, "saved over: the new bytes only");
    check(!writeDesignFile(path, workedGravitational()), "save over a design file");
    check(!writeDesignFile(path, workedGravitational()), "save the same design again");
    check(readBytes(filesystemPath(path)) == kWorkedGravitationalFile,
          "saved twice: the same bytes");
    check(otherEntries(folder, "design.tvx").empty(), "saving over left other files behind");
}

// A design file with CR LF line ends (as written) and one with LF only (as
// an editor on Linux may leave it) read to the same record.
void lineEnds(const std::string& work) {
    std::string lf = kWorkedGravitationalFile;
    for (std::size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at))
        lf.erase(at, 1);
    const DesignInputs expected = workedGravitational();
    const struct {
        const char* name;
        const std::string& bytes;
    } files[] = {{"crlf.tvx", kWorkedGravitationalFile}, {"lf.tvx", lf}};
    for (const auto& file : files) {
        const std::string path = work + "/" + file.name;
        writeBytes(filesystemPath(path), file.bytes);
        DesignInputs read;
        check(!readDesignFile(path, read), std::string(file.name) + ": read");
        check(read == expected, std::string(file.name) + ": the worked example's inputs");
    }
}

// A folder and a file named in Japanese, given to the core in UTF-8: on
// Windows they must reach the file system as those characters, not through
// the ANSI code page.
void japanesePath(const std::string& work) {
    const std::string folderName = "設計データ";
    const std::string fileName = "張出しばり①.tvx";
    const std::string folder = work + "/" + folderName;
    const std::string path = folder + "/" + fileName;
    std::error_code ec;
    fs::create_directory(filesystemPath(folder), ec);
    check(!ec, "create the folder " + folderName);
    const auto error = writeDesignFile(path, workedGravitational());
    check(!error, "save " + fileName + (error ? ": " + error->message() : ""));
    check(!writeDesignFile(path, workedGravitational()), "save over " + fileName);
    check(readBytes(filesystemPath(path)) == kWorkedGravitationalFile,
          fileName + " holds the design text");
    const std::vector<std::string> names = otherEntries(filesystemPath(folder), "");
    check(names.size() == 1 && names.front() == fileName,
          "the folder holds exactly " + fileName + " (found " + std::to_string(names.size()) +
              (names.empty() ? "" : ", first \"" + names.front() + "\"") + ")");
    check(fs::is_directory(filesystemPath(folder)), folderName + " is a folder");
    DesignInputs read;
    check(!readDesignFile(path, read), "read " + fileName);
    check(read.H1 == 0.5 && read.unitSystem == kUnitGravitational, fileName + " read back");
    const std::string missing = folder + "/ない.tvx";
    const auto missingError = readDesignFile(missing, read);
    check(missingError && missingError->message().find("ない.tvx") != std::string::npos,
          "a missing Japanese name is named in the message");
}

// Writing a design that cannot be saved keeps what was there and leaves no
// temporary file. The failures work for any user, root included.
void failedSaveKeepsOldFile(const std::string& work) {
    const std::string folder = work + "/keep";
    fs::create_directory(filesystemPath(folder));

    // The target is a folder (with a file in it).
    const std::string blocked = folder + "/blocked.tvx";
    fs::create_directory(filesystemPath(blocked));
    writeBytes(filesystemPath(blocked + "/inner"), "inner");
    auto error = writeDesignFile(blocked, workedSI());
    check(error && error->reason == "書き込めません（フォルダーです）" && error->file == blocked,
          "saving over a folder fails naming the folder" +
              (error ? ": " + error->message() : std::string()));
    check(fs::is_directory(filesystemPath(blocked)) &&
              readBytes(filesystemPath(blocked + "/inner")) == "inner",
          "the folder saved over is untouched");

    // The folder does not exist.
    error = writeDesignFile(folder + "/none/design.tvx", workedSI());
    check(error && error->line == 0 &&
              error->message().find("none/design.tvx") != std::string::npos,
          "saving into a missing folder fails naming the file");

    // The write itself fails over an existing design file.
    const std::string path = folder + "/design.tvx";
    check(!writeDesignFile(path, workedGravitational()), "save design.tvx");
#ifdef _WIN32
    // Another program holds the file open without sharing it.
    HANDLE holder = CreateFileW(filesystemPath(path).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    check(holder != INVALID_HANDLE_VALUE, "hold design.tvx open");
    error = writeDesignFile(path, workedSI());
    if (holder != INVALID_HANDLE_VALUE)
        CloseHandle(holder);
    check(error.has_value(), "saving over a file another program holds fails");
#else
    // The file-size limit lets no more than 16 bytes reach the temporary file.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    error = writeDesignFile(path, workedSI());
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    check(error && error->reason.find("書き込みに失敗しました") == 0,
          "a save cut short by the file-size limit fails" +
              (error ? ": " + error->message() : std::string()));
#endif
    check(readBytes(filesystemPath(path)) == kWorkedGravitationalFile,
          "the failed save kept the old design file byte for byte");
    std::vector<std::string> left = otherEntries(filesystemPath(folder), "design.tvx");
    check(left.size() == 1 && left.front() == "blocked.tvx",
          "the failed saves left no temporary file (" + std::to_string(left.size()) +
              " other entries)");
}

// Converting the gravitational example gives P = 98.0665 kN, σsa = 176.5197
// N/mm2, γc = 24.516625 kN/m3, t = 100 mm, c = 250 mm, and back the example
// again; each example's design-table row reads back as the same file, byte
// for byte (the shortest exact number texts of to_chars); the sweep of a over
// 0 to H2 has the case change after a = 0.5 x H2.
void conversionAndTable(const std::string& examples) {
    DesignInputs gravitational;
    check(!readDesignFile(examples + "/bracket-gravitational.tvx", gravitational),
          "read the gravitational example");
    UnitConversion toSI;
    check(!convertUnitSystem(gravitational, kUnitSI, 0, toSI), "convert to SI");
    check(designFileText(toSI.design) ==
              " 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n 24.516625 \r\n 176.5197 \r\n"
              " 98.0665 \r\n 0 \r\n 100 \r\n 250 \r\nD22\r\n 4 \r\nD22\r\n 2 \r\n 2 \r\n",
          "the converted example's design text");
    UnitConversion back;
    check(!convertUnitSystem(toSI.design, kUnitGravitational, 0, back) &&
              designFileText(back.design) == kWorkedGravitationalFile,
          "converted back, the example's design text");

    for (const char* name : {"bracket-gravitational.tvx", "bracket-si.tvx"}) {
        DesignInputs design;
        check(!readDesignFile(examples + "/" + name, design), std::string(name) + ": read");
        std::string table;
        appendDesignTableHeader(table);
        table += "\r\n";
        appendDesignTableRow(table, name, design, DesignResults{}, {});
        table += "\r\n";
        std::istringstream in(table);
        CsvReader reader(in);
        std::vector<std::string> header;
        std::vector<std::string> row;
        TableColumns columns;
        DesignInputs read;
        const bool ok = reader.next(header) == CsvReader::Status::Record &&
                        reader.next(row) == CsvReader::Status::Record &&
                        !mapTableColumns(header, columns, proposalTableColumns()) &&
                        !designFromTableRow(columns, row, read);
        check(ok && designFileText(read) == designFileText(design),
              std::string(name) + ": the table row gives the design file again");
    }

    std::vector<SweepPoint> points;
    sweepDesign(gravitational, kSweepParameters[0], SweepRange{0.0, 0.7, 14}, points);
    check(points.size() == 15 && points[7].value == 0.35 && points[7].ratioCase == 1 &&
              points[8].ratioCase == 2,
          "the sweep of a changes the formula case after a = 0.35");
}

fs::path freshWorkFolder() {
    std::random_device device;
    std::ostringstream name;
    name << "haltrix-portable-" << std::hex << device() << device();
    const fs::path folder = fs::temp_directory_path() / name.str();
    fs::create_directories(folder);
    return folder;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: test_portable_check EXAMPLES_DIR TEST_DATA_DIR\n";
        return 2;
    }
    const std::string examples = argv[1];
    const std::string data = argv[2];
    const fs::path workFolder = freshWorkFolder();
    const std::string work = coreFileName(workFolder);

    workedExamples(examples);
    goldens(examples, data);
    conversionAndTable(examples);
    designFileBytes(examples, work);
    saveOverExisting(work);
    lineEnds(work);
    japanesePath(work);
    failedSaveKeepsOldFile(work);

    // Fails when a file was left open.
    std::error_code ec;
    fs::remove_all(workFolder, ec);
    check(!ec, "remove the work folder " + work);
    std::cout << "portable check: " << g_checks << " checks, " << g_failures << " failed\n";
    return g_failures == 0 ? 0 : 1;
}
