// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv.h"

namespace haltrix {

namespace {

constexpr int kEnd = -1;
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kKeptFieldCapacity = 1024;

bool needsQuotes(std::string_view field) {
    if (field.empty())
        return false;
    // A leading byte-order mark would be taken for the file's own.
    if (field.substr(0, 3) == "\xEF\xBB\xBF")
        return true;
    if (field.front() == ' ' || field.back() == ' ' || field.front() == '\t' ||
        field.back() == '\t')
        return true;
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

} // namespace

void appendCsvField(std::string& out, std::string_view field) {
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char ch : field) {
        if (ch == '"')
            out.push_back('"');
        out.push_back(ch);
    }
    out.push_back('"');
}

CsvReader::CsvReader(std::istream& in, CsvLimits limits)
    : m_in(in), m_limits(limits), m_buffer(kChunk) {}

int CsvReader::peek() {
    if (m_pos == m_end) {
        if (!m_in)
            return kEnd;
        m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_end = static_cast<std::size_t>(m_in.gcount());
        m_pos = 0;
        if (m_end == 0)
            return kEnd;
    }
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

int CsvReader::get() {
    const int ch = peek();
    if (ch != kEnd)
        ++m_pos;
    return ch;
}

CsvReader::Status CsvReader::fail(std::string reason) {
    m_failed = true;
    m_error = CsvError{m_row, m_line, std::move(reason)};
    return Status::Error;
}

CsvReader::Status CsvReader::next(std::vector<std::string>& fields) {
    if (m_failed)
        return Status::Error;
    if (!m_started) {
        m_started = true;
        // A UTF-8 byte-order mark (Excel writes one) is not part of the text.
        // The first read holds at least three bytes unless the text is shorter.
        if (peek() == 0xEF && m_end - m_pos >= 3 && m_buffer[m_pos + 1] == '\xBB' &&
            m_buffer[m_pos + 2] == '\xBF')
            m_pos += 3;
    }
    if (peek() == kEnd)
        return Status::End;
    ++m_row;

    std::size_t used = 0; // fields in use; the vector keeps its strings
    std::size_t recordBytes = 0;
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote } state = State::FieldStart;
    std::string* field = nullptr;
    long quoteLine = m_line; // where the open quoted field started
    auto startField = [&]() -> bool {
        if (used == m_limits.maxFields)
            return false;
        if (used == fields.size())
            fields.emplace_back();
        field = &fields[used++];
        // A field that once held a long value gives its memory back, so the
        // strings kept for reuse stay small.
        if (field->capacity() > kKeptFieldCapacity)
            *field = std::string();
        field->clear();
        return true;
    };
    auto finish = [&]() {
        fields.resize(used);
        return Status::Record;
    };
    auto lineEnd = [&](int ch) {
        // CR LF, LF or a lone CR ends the record.
        if (ch == '\r' && peek() == '\n')
            get();
        ++m_line;
    };
    auto tooManyFields = [&]() {
        return fail("列が " + std::to_string(m_limits.maxFields) + " を超えています");
    };

    if (!startField())
        return tooManyFields();
    for (;;) {
        const int ch = get();
        if (ch == 0)
            return fail("NUL バイトがあります（CSV のテキストではなくバイナリのデータです）");
        if (ch != kEnd && ++recordBytes > m_limits.maxRecordBytes)
            return fail("行が長すぎます（" + std::to_string(m_limits.maxRecordBytes) +
                        " バイトまで）");
        switch (state) {
        case State::FieldStart:
            if (ch == '"') {
                state = State::Quoted;
                quoteLine = m_line;
                continue;
            }
            state = State::Unquoted;
            [[fallthrough]];
        case State::Unquoted:
            if (ch == kEnd)
                return finish();
            if (ch == ',') {
                if (!startField())
                    return tooManyFields();
                state = State::FieldStart;
                continue;
            }
            if (ch == '\r' || ch == '\n') {
                lineEnd(ch);
                return finish();
            }
            if (ch == '"')
                return fail("引用符で始まらない値の中に引用符 \" があります（値全体を \" で囲み、"
                            "中の \" は \"\" と書きます）");
            break;
        case State::Quoted:
            if (ch == kEnd) {
                m_line = quoteLine;
                return fail("この行の引用符 \" で始まった値が、閉じられないまま表が終わっています");
            }
            if (ch == '"') {
                if (peek() == '"') {
                    get();
                } else {
                    state = State::AfterQuote;
                    continue;
                }
            } else if (ch == '\n' || (ch == '\r' && peek() != '\n')) {
                ++m_line;
            }
            break;
        case State::AfterQuote:
            if (ch == kEnd)
                return finish();
            if (ch == ',') {
                if (!startField())
                    return tooManyFields();
                state = State::FieldStart;
                continue;
            }
            if (ch == '\r' || ch == '\n') {
                lineEnd(ch);
                return finish();
            }
            return fail("引用符 \" で閉じた値のあとに , でも改行でもない文字があります");
        }
        if (field->size() == m_limits.maxFieldBytes)
            return fail("値が長すぎます（" + std::to_string(m_limits.maxFieldBytes) +
                        " バイトまで）");
        field->push_back(static_cast<char>(ch));
    }
}

} // namespace haltrix
