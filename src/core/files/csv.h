// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace haltrix {

// Comma-separated values as RFC 4180 describes them. Debian offers no C++
// CSV library that reads quoted line breaks, bounds its memory and reports
// where a table is broken, so these two small pieces do it.

// --- Writing -----------------------------------------------------------------

// Appends one field: quoted (its quotes doubled) when it holds a comma, a
// quote, a line break, a blank at either end or starts with a byte-order
// mark, as it is otherwise.
void appendCsvField(std::string& out, std::string_view field);

// --- Reading -----------------------------------------------------------------

// Where and why a table cannot be read.
struct CsvError {
    long row = 0;  // record number, 1 for the header (as a spreadsheet counts)
    long line = 0; // line of the text where the problem is
    std::string reason;
};

// Bounds that keep the memory small whatever the input: a longer field or
// record, or more fields, is an error rather than a bigger buffer.
struct CsvLimits {
    std::size_t maxFieldBytes = 64 * 1024;
    std::size_t maxRecordBytes = 1024 * 1024;
    std::size_t maxFields = 1024;
};

// Reads records one at a time from a stream. Accepted: a UTF-8 byte-order
// mark at the start, records ended by CR LF, LF or CR, quoted fields with
// commas, doubled quotes and line breaks, a last record without a line end.
// Refused with the row and line: a quote inside an unquoted field, text
// after a closing quote, a quoted field still open at the end, a NUL byte
// (binary data) and anything beyond the limits. After an error the reader
// stays in error.
class CsvReader {
public:
    explicit CsvReader(std::istream& in, CsvLimits limits = {});

    enum class Status { Record, End, Error };

    // The next record's fields (the vector and its strings are reused).
    Status next(std::vector<std::string>& fields);

    // The record number of the record `next` returned last (1 for the first).
    long row() const { return m_row; }
    const CsvError& error() const { return m_error; }

private:
    int get();
    int peek();
    Status fail(std::string reason);

    std::istream& m_in;
    CsvLimits m_limits;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_started = false;
    bool m_failed = false;
    long m_row = 0;
    long m_line = 1;
    CsvError m_error;
};

} // namespace haltrix
