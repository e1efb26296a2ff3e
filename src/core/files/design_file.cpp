// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/design_file.h"

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "files/file_path.h"
#include "files/file_replace.h"
#include "design/input_fields.h"
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
            if (line.size() >= kMaxDesignLineLength)
                return Status::TooLong;
            line.push_back(static_cast<char>(ch));
        }
        if (!any)
            return Status::End;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return Status::Line;
    }

private:
    std::istream& m_in;
};

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
