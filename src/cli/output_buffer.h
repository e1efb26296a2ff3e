// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iostream>
#include <string>

namespace haltrix::cli {

// Text for standard output, collected and written in large pieces so that
// long tables and sweeps stream with little memory and few system calls.
class OutputBuffer {
public:
    OutputBuffer() { m_text.reserve(kFlushBytes + 4096); }
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    std::string& text() { return m_text; }

    // Writes out what has been collected once it is large.
    void flushIfFull() {
        if (m_text.size() >= kFlushBytes)
            flush();
    }
    void flush() {
        if (!m_text.empty())
            std::cout.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

private:
    static constexpr std::size_t kFlushBytes = 64 * 1024;
    std::string m_text;
};

} // namespace haltrix::cli
