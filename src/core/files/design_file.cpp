// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/design_file.h"

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

#include "design/bar_table.h"
#include "design/load_cases.h"
#include "files/file_path.h"
#include "files/file_replace.h"
#include "design/input_fields.h"
#include "paper/utf8.h"
#include "paper/number_format.h"
#include "files/system_error_reason.h"

namespace haltrix {

namespace {

constexpr int kLineCount = kInputFieldCount;

// The input a line of the file holds (1 to 16).
const InputField& fieldOnLine(int line) {
    for (const InputField& field : kInputFields) {
        if (field.fileLine == line)
            return field;
    }
    return kInputFields.front(); // never: every line has its field
}

std::string numberLine(double value) {
    // A non-negative number is framed by blanks; a negative one starts with
    // its minus sign.
    const std::string text = plainText(value);
    return (text.front() == '-' ? "" : " ") + text + " ";
}

// Hands out the lines of a stream one at a time, refusing over-long ones.
class LineReader {
public:
    explicit LineReader(std::istream& in) : m_in(in) {}

    enum class Status { Line, End, TooLong };

    Status next(std::string& line) {
        line.clear();
        std::streambuf* buffer = m_in.rdbuf();
        bool any = false;
        for (;;) {
            const int ch = buffer->sbumpc();
            if (ch == std::char_traits<char>::eof())
                break;
            any = true;
            if (ch == '\n')
                break;
            // One character more than the limit: the room of a CR line end.
            if (line.size() > kMaxDesignLineLength)
                return Status::TooLong;
            line.push_back(static_cast<char>(ch));
        }
        if (!any)
            return Status::End;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // The limit holds for the text without its line end, so that a line
        // read with LF alone is read again once written with CR LF.
        if (line.size() > kMaxDesignLineLength)
            return Status::TooLong;
        return Status::Line;
    }

private:
    std::istream& m_in;
};

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find(kCaseFieldSeparator);
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

// The case block after line 16 (the marker line already read): the case
// lines, then the side-face line, up to the end of the file. The cases go
// into `read`; the first must agree with lines 7 to 9.
std::optional<FileError> readCaseBlock(LineReader& reader, const std::string& fileName,
                                       DesignInputs& read) {
    std::vector<std::string> lines;
    std::string line;
    for (;;) {
        const int lineNumber = kLineCount + 2 + static_cast<int>(lines.size());
        const LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::End)
            break;
        if (status == LineReader::Status::TooLong)
            return FileError{fileName, lineNumber, "行が長すぎます"};
        if (lines.size() >= kMaxLoadCases + 1)
            return FileError{fileName, lineNumber,
                             "荷重ケースが多すぎます（" + std::to_string(kMaxLoadCases) +
                                 " ケースまで）"};
        lines.push_back(line);
    }
    // Blank lines at the end (an editor's last line end) say nothing.
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    const int markerLine = kLineCount + 1;
    const std::string sidePrefix = std::string(kSideFaceLabel) + kCaseFieldSeparator;
    if (lines.empty() || (lines.size() == 1 && lines.front().starts_with(sidePrefix)))
        return FileError{fileName, markerLine + 1, "荷重ケースの行がありません"};
    if (lines.size() == 1)
        return FileError{fileName, markerLine + 2, "側面鉄筋の行がありません"};
    std::vector<LoadCase> cases;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const int lineNumber = markerLine + 1 + static_cast<int>(i);
        const std::string& text = lines[i];
        if (!isValidUtf8(text))
            return FileError{fileName, lineNumber, "UTF-8 の文字ではないバイトがあります"};
        const std::vector<std::string_view> fields = fieldsOf(text);
        if (fields.size() != 4)
            return FileError{fileName, lineNumber,
                             "荷重ケースの行は 名称、P、H、σsa の 4 つをタブで区切ります"};
        LoadCase loadCase;
        loadCase.name = std::string(fields[0]);
        double* const values[] = {&loadCase.P, &loadCase.H, &loadCase.sigmaSa};
        const char* const names[] = {"P", "H", "σsa"};
        for (int k = 0; k < 3; ++k) {
            const auto value = parseNumber(fields[static_cast<std::size_t>(k) + 1]);
            if (!value)
                return FileError{fileName, lineNumber,
                                 std::string(names[k]) + " が数値ではありません"};
            *values[k] = *value;
        }
        if (i == 0 && (loadCase.P != read.P || loadCase.H != read.H ||
                       loadCase.sigmaSa != read.sigmaSa))
            return FileError{fileName, lineNumber,
                             "最初の荷重ケースの P、H、σsa が 8、9、7 行目と異なります"};
        cases.push_back(std::move(loadCase));
    }
    const int sideLine = markerLine + static_cast<int>(lines.size());
    const std::vector<std::string_view> side = fieldsOf(lines.back());
    if (side.size() != 3 || side[0] != kSideFaceLabel)
        return FileError{fileName, sideLine,
                         "側面鉄筋の行は「" + std::string(kSideFaceLabel) +
                             "」、鉄筋径、本数をタブで区切ります"};
    HorizontalChoice choice;
    if (side[1].empty()) {
        choice.barIndex = -1;
    } else {
        choice.barIndex = -2;
        for (int k = 0; k < kBarCount; ++k) {
            if (kBarDesignations[static_cast<std::size_t>(k)] == side[1])
                choice.barIndex = k;
        }
        if (choice.barIndex == -2)
            return FileError{fileName, sideLine, "側面鉄筋の鉄筋径が鉄筋表にありません"};
    }
    const auto count = parseNumber(side[2]);
    if (!count)
        return FileError{fileName, sideLine, "側面鉄筋の本数が数値ではありません"};
    choice.barCount = *count;
    setLoadCases(read, cases);
    read.sideFaceChoice = choice;
    return std::nullopt;
}

std::optional<FileError> readDesignStream(std::istream& in, const std::string& fileName,
                                          DesignInputs& record) {
    std::string lines[kLineCount];
    LineReader reader(in);
    for (int i = 0; i < kLineCount; ++i) {
        switch (reader.next(lines[i])) {
        case LineReader::Status::Line:
            break;
        case LineReader::Status::End:
            return FileError{fileName, i + 1, "ファイルがここで終わっています（16 行が必要です）"};
        case LineReader::Status::TooLong:
            return FileError{fileName, i + 1, "行が長すぎます"};
        }
    }

    // Each line parsed as its input's kind, first line first, so that the
    // first bad line is the one named.
    DesignInputs read = record;
    for (int line = 1; line <= kLineCount; ++line) {
        const InputField& field = fieldOnLine(line);
        const std::string& text = lines[line - 1];
        if (field.text) {
            read.*field.text = text;
            continue;
        }
        const auto value = parseNumber(text);
        if (field.kind == InputKind::UnitSystem) {
            if (!value || *value != std::floor(*value) ||
                *value < std::numeric_limits<std::int32_t>::min() ||
                *value > std::numeric_limits<std::int32_t>::max())
                return FileError{fileName, line, "単位系が整数ではありません"};
            read.unitSystem = static_cast<std::int32_t>(*value);
            continue;
        }
        if (!value)
            return FileError{fileName, line, "数値ではありません"};
        read.*field.number = *value;
    }

    // A design of one case with the default side-face bars ends here; so does
    // a file with anything but the marker on line 17, as it always did.
    read.firstCaseName.clear();
    read.laterCases.clear();
    read.sideFaceChoice = {};
    std::string marker;
    if (reader.next(marker) == LineReader::Status::Line && marker == kCaseBlockMarker) {
        if (auto error = readCaseBlock(reader, fileName, read))
            return error;
    }

    record = read;
    return std::nullopt;
}

} // namespace

std::string FileError::message() const {
    std::string text = "ファイル「" + file + "」";
    if (line > 0)
        text += "の " + std::to_string(line) + " 行目";
    text += ": " + reason;
    return text;
}

std::string designFileText(const DesignInputs& r) {
    std::string text;
    for (int line = 1; line <= kLineCount; ++line) {
        const InputField& field = fieldOnLine(line);
        if (field.text)
            text += r.*field.text;
        else if (field.number)
            text += numberLine(r.*field.number);
        else
            text += numberLine(r.unitSystem);
        text += "\r\n";
    }
    if (!hasCaseBlock(r))
        return text;
    text += kCaseBlockMarker;
    text += "\r\n";
    for (const LoadCase& loadCase : loadCases(r)) {
        // A name keeps to its line and its field.
        for (const char ch : loadCase.name)
            text += (ch == kCaseFieldSeparator || ch == '\r' || ch == '\n') ? ' ' : ch;
        for (const double value : {loadCase.P, loadCase.H, loadCase.sigmaSa}) {
            text += kCaseFieldSeparator;
            text += numberLine(value);
        }
        text += "\r\n";
    }
    text += kSideFaceLabel;
    text += kCaseFieldSeparator;
    const int bar = r.sideFaceChoice.barIndex;
    if (bar >= 0 && bar < kBarCount)
        text += kBarDesignations[static_cast<std::size_t>(bar)];
    text += kCaseFieldSeparator;
    text += numberLine(r.sideFaceChoice.barCount);
    text += "\r\n";
    return text;
}

std::optional<FileError> readDesignText(std::string_view text, const std::string& fileName,
                                        DesignInputs& record) {
    std::istringstream in{std::string(text)};
    return readDesignStream(in, fileName, record);
}

namespace {

constexpr const char* kFolderReason = "フォルダーです。設計ファイルを選んでください";

} // namespace

std::optional<FileError> readDesignFile(const std::string& path, DesignInputs& record) {
    const std::filesystem::path file = filesystemPath(path);
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        return FileError{path, 0, kFolderReason};
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        const bool exists = std::filesystem::exists(file, ec);
        return FileError{
            path, 0, exists ? "開けません（" + errnoReason(errno) + "）" : "ファイルがありません"};
    }
    return readDesignStream(in, path, record);
}

std::optional<FileError> writeDesignFile(const std::string& path, const DesignInputs& record) {
    if (auto reason = replaceFile(filesystemPath(path), designFileText(record)))
        return FileError{path, 0, std::move(*reason)};
    return std::nullopt;
}

std::optional<FileError> refuseIrregularFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(filesystemPath(path), ec);
    switch (status.type()) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none:
        return std::nullopt;
    case fs::file_type::directory:
        return FileError{path, 0, kFolderReason};
    case fs::file_type::fifo:
        return FileError{path, 0, "名前付きパイプです。設計ファイルではないため開きません"};
    case fs::file_type::block:
    case fs::file_type::character:
        return FileError{path, 0, "デバイスです。設計ファイルではないため開きません"};
    default:
        // A socket, or a status the system could not tell (ec set).
        return FileError{path, 0, "通常のファイルではないため開きません"};
    }
}

} // namespace haltrix
